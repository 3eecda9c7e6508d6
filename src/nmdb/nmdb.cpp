#include "nmdb/nmdb.h"

#include "registry/registry.h"
#include "runtime/executable.h"
#include "runtime/ini_file.h"
#include "runtime/strings.h"

namespace tw {
namespace {

// An address the registry layer can act on: a root name and a key path at least.
bool NamesAKey(std::string_view address) {
  return SplitRegistryAddress(address).size() >= 2;
}

} // namespace

std::string DatabasePath() {
  return ExecutableFolder() + "WKS.db";
}

NonMicrosoftDatabase::NonMicrosoftDatabase(std::string path) : path_(std::move(path)) {}

std::vector<std::string> NonMicrosoftDatabase::ApplicationNames() const {
  return TIniFile(path_).ReadSections();
}

bool NonMicrosoftDatabase::IsInstalled(const std::string& application) const {
  const std::string check = TIniFile(path_).ReadString(application, kCheckKey, "");
  return NamesAKey(check) && AddressKeyExists(check);
}

std::vector<std::string> NonMicrosoftDatabase::PreviewRows(const std::string& application) const {
  const TIniFile file(path_);
  TStringList keys;
  keys.Assign(file.ReadSection(application));
  if (const int check = keys.IndexOf(kCheckKey); check >= 0)
    keys.Delete(check);
  std::vector<std::string> rows;
  rows.reserve(static_cast<size_t>(keys.Count()));
  for (int i = 0; i < keys.Count(); ++i) {
    const std::string address = file.ReadString(application, keys[i], "");
    rows.push_back(keys[i] + "=" + (NamesAKey(address) ? ReadAddressValue(address) : ""));
  }
  return rows;
}

} // namespace tw
