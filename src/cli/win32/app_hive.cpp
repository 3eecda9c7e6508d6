#include "cli/win32/app_hive.h"

#include <windows.h>

#include "cli/hive_check.h"
#include "runtime/win32/win32_platform.h"

namespace tw {
namespace {

using RegLoadAppKeyFn = LONG(WINAPI*)(LPCSTR, PHKEY, REGSAM, DWORD, DWORD);

// Closing the handle unloads the hive.
class AppHive final : public OpenedHive {
public:
  AppHive(RegistryApi& registry, HKEY key) : registry_(registry), key_(key) {}
  ~AppHive() override { RegCloseKey(key_); }
  AppHive(const AppHive&) = delete;
  AppHive& operator=(const AppHive&) = delete;
  RegistryApi& Store() override { return registry_; }
  RegKey Root() const override { return reinterpret_cast<RegKey>(key_); }

private:
  RegistryApi& registry_;
  HKEY key_;
};

// The system's text for an error, without the line break it ends with.
std::string ErrorText(LONG code) {
  std::string text = SystemErrorText(static_cast<unsigned long>(code));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text;
}

} // namespace

std::unique_ptr<OpenedHive> Win32CliPlatform::OpenHive(const std::string& path,
                                                       const AnsiCodePage& /*codePage*/) {
  // The platform call would create a missing file, so the file is looked at first.
  if (const std::string problem = HiveFileProblem(path); !problem.empty())
    throw SourceError(path + ": " + problem);
  const auto load = reinterpret_cast<RegLoadAppKeyFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegLoadAppKeyA")));
  if (load == nullptr)
    throw SourceError(path + ": this version of Windows cannot load hive files "
                             "(RegLoadAppKeyA is missing)");
  HKEY key = nullptr;
  const LONG status = load(path.c_str(), &key, KEY_READ, 0, 0);
  if (status != ERROR_SUCCESS || key == nullptr)
    throw SourceError(path + ": cannot be loaded as a hive (" + ErrorText(status) + ")");
  // Wine answers success with a handle that names no key: ask the key before trusting it.
  DWORD subKeys = 0;
  const LONG query = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr);
  if (query != ERROR_SUCCESS) {
    RegCloseKey(key);
    throw SourceError(path + ": the system loaded no hive from it (" + ErrorText(query) + ")");
  }
  return std::make_unique<AppHive>(registry_, key);
}

unsigned Win32CliPlatform::DefaultCodePage() const {
  return GetACP();
}

} // namespace tw
