#include "readers/startup.h"

#include <array>

#include "registry/registry.h"

namespace tw {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kServicesKey = "SYSTEM\\CurrentControlSet\\Services";

constexpr std::array<const char*, 5> kStartTypeLabels = {"Boot", "System", "Automatic", "Manual",
                                                         "[ DISABLED ]"};

enum class ServiceValue { ImagePath, StartType };

// One row per value of the key, named by the key's short name and the value name.
void AddStartupRows(ReaderContext& ctx, RegKey hive, const char* keyPath, const char* prefix) {
  ListValueNames(hive, keyPath, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& name = ctx.scratch1[i];
    ctx.Add(prefix + name, ReadRegString(hive, keyPath, name), {hive, keyPath});
  }
}

void ReadStartup(ReaderContext& ctx, RegKey hive) {
  AddStartupRows(ctx, hive, kRunKey, "Run\\");
  AddStartupRows(ctx, hive, kRunOnceKey, "RunOnce\\");
}

// Services whose image path names a program (".exe", exact case, anywhere in the text); the
// strict reads end the run on a value of the wrong type.
void ReadServices(ReaderContext& ctx, ServiceValue shown) {
  ListSubKeyNames(reg::kLocalMachine, kServicesKey, ctx.rows);
  for (int i = ctx.rows.Count() - 1; i >= 0; --i) {
    const std::string serviceKey = SubKeyPath(kServicesKey, ctx.rows[i]);
    const std::string imagePath = ReadMachineString(serviceKey, "ImagePath");
    if (imagePath.find(".exe") == std::string::npos) {
      ctx.rows.Delete(i);
      continue;
    }
    const std::string displayName = ReadMachineString(serviceKey, "DisplayName");
    const std::string value = shown == ServiceValue::ImagePath
                                  ? imagePath
                                  : StartTypeLabel(ReadMachineInteger(serviceKey, "Start"));
    ctx.Put(i, displayName, value, {reg::kLocalMachine, serviceKey});
  }
}

} // namespace

std::string StartTypeLabel(int32_t start) {
  if (start >= 0 && start < static_cast<int32_t>(kStartTypeLabels.size()))
    return kStartTypeLabels[static_cast<size_t>(start)];
  // A DWORD, shown as regedit shows it.
  return std::to_string(static_cast<uint32_t>(start));
}

void ReadServicePaths(ReaderContext& ctx) {
  ReadServices(ctx, ServiceValue::ImagePath);
}

void ReadServiceStatus(ReaderContext& ctx) {
  ReadServices(ctx, ServiceValue::StartType);
}

void ReadUserStartup(ReaderContext& ctx) {
  ReadStartup(ctx, reg::kCurrentUser);
}

void ReadMachineStartup(ReaderContext& ctx) {
  ReadStartup(ctx, reg::kLocalMachine);
}

} // namespace tw
