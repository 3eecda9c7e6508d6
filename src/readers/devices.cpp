// USB storage devices: each serial with its friendly name, the times Windows keeps in the
// device's properties, and the drive letter, volume and volume name it was given.

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "readers/device_properties.h"
#include "readers/modern.h"
#include "readers/row_times.h"
#include "registry/registry.h"
#include "runtime/ansi_text.h"

namespace tw {
namespace {

constexpr const char* kUsbStorKey = "SYSTEM\\CurrentControlSet\\Enum\\USBSTOR";
constexpr const char* kMountedDevicesKey = "SYSTEM\\MountedDevices";
constexpr const char* kPortableDevicesKey =
    "SOFTWARE\\Microsoft\\Windows Portable Devices\\Devices";

struct DeviceTimeField {
  DeviceTime property;
  std::string_view label;
  std::string_view kind;
};
constexpr std::array<DeviceTimeField, 4> kDeviceTimes = {{
    {DeviceTime::Installed, "Installed", when::kDeviceInstalled},
    {DeviceTime::FirstInstalled, "First Installed", when::kDeviceFirstInstalled},
    {DeviceTime::LastArrival, "Last Arrival", when::kDeviceLastArrival},
    {DeviceTime::LastRemoval, "Last Removal", when::kDeviceLastRemoval},
}};

// A value of MountedDevices that names its volume by the device's path ("_??_USBSTOR#Disk&Ven_
// ...#SERIAL#{...}", UTF-16 without a terminator) rather than by a disk signature.
struct MountedVolume {
  std::string name;   // "\DosDevices\E:" or "\??\Volume{...}"
  std::string device; // the path, ASCII in upper case
};

std::vector<MountedVolume> ReadMountedVolumes() {
  std::vector<MountedVolume> volumes;
  const OpenRegKey key(reg::kLocalMachine, kMountedDevicesKey);
  TStringList names;
  key.ValueNames(names);
  for (int i = 0; i < names.Count(); ++i) {
    const auto value = key.Value(names[i]);
    if (!value || value->bytes.size() < 16 || value->bytes.size() % 2 != 0)
      continue;
    std::string device;
    for (std::size_t at = 0; at + 1 < value->bytes.size(); at += 2) {
      const char16_t unit = Le16(value->bytes, at);
      if (unit == 0)
        break;
      device += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    // Device paths are compared without regard to case.
    if (device.find('#') != std::string::npos)
      volumes.push_back({names[i], AsciiUpperCase(device)});
  }
  return volumes;
}

// A storage property's FILETIME: Windows 8 and later keep it as the key's default value, typed
// by its registry type; Windows 7 in the subkey 00000000 as "Type" and "Data".
std::uint64_t DevicePropertyTime(const std::string& setKey, DeviceTime property) {
  char name[24];
  std::snprintf(name, sizeof name, "%04X", static_cast<unsigned>(property));
  if (const auto value = ReadRegValue(reg::kLocalMachine, SubKeyPath(setKey, name), ""))
    if (const auto type = DevicePropertyTypeOfRegistryType(value->type))
      return DevicePropertyFileTime(*type, value->bytes).value_or(0);
  std::snprintf(name, sizeof name, "%08X\\00000000", static_cast<unsigned>(property));
  const OpenRegKey key(reg::kLocalMachine, SubKeyPath(setKey, name));
  const auto type = key.Value("Type");
  const auto data = key.Value("Data");
  if (!type || !data)
    return 0;
  const auto propertyType = DevicePropertyTypeOfTypeValue(type->bytes);
  return propertyType ? DevicePropertyFileTime(*propertyType, data->bytes).value_or(0) : 0;
}

} // namespace

void ReadUsbStorage(ReaderContext& ctx) {
  const std::vector<MountedVolume> volumes = ReadMountedVolumes();
  TStringList portable;
  ListSubKeyNames(reg::kLocalMachine, kPortableDevicesKey, portable);
  ListSubKeyNames(reg::kLocalMachine, kUsbStorKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string& device = ctx.scratch1[i];
    const std::string deviceKey = SubKeyPath(kUsbStorKey, device);
    ListSubKeyNames(reg::kLocalMachine, deviceKey, ctx.scratch2);
    for (int j = 0; j < ctx.scratch2.Count(); ++j) {
      const std::string& serial = ctx.scratch2[j];
      const std::string serialKey = SubKeyPath(deviceKey, serial);
      std::string value = ReadRegString(reg::kLocalMachine, serialKey, "FriendlyName");
      const auto append = [&](std::string_view label, const std::string& text) {
        value.append(value.empty() ? "" : ", ").append(label).append(" ").append(text);
      };
      const std::string setKey =
          serialKey + "\\Properties\\" + std::string(kDeviceTimesPropertySet);
      std::array<std::uint64_t, kDeviceTimes.size()> times{};
      for (std::size_t t = 0; t < kDeviceTimes.size(); ++t) {
        times[t] = DevicePropertyTime(setKey, kDeviceTimes[t].property);
        if (times[t] != 0)
          append(kDeviceTimes[t].label, FormatFileTime(times[t]));
      }
      // Volumes name the device by "USBSTOR#DEVICE#SERIAL#".
      const std::string tag = AsciiUpperCase("USBSTOR#" + device + "#" + serial + "#");
      for (const MountedVolume& volume : volumes) {
        if (volume.device.find(tag) == std::string::npos)
          continue;
        if (AsciiUpperCase(volume.name).starts_with("\\DOSDEVICES\\"))
          append("Drive", volume.name.substr(12));
        else if (volume.name.starts_with("\\??\\Volume"))
          append("Volume", volume.name.substr(10));
      }
      for (int p = 0; p < portable.Count(); ++p)
        if (AsciiUpperCase(portable[p]).find(tag) != std::string::npos) {
          const std::string name = ReadRegString(
              reg::kLocalMachine, SubKeyPath(kPortableDevicesKey, portable[p]), "FriendlyName");
          if (!name.empty())
            append("Volume Name", name);
        }
      ctx.Add(SubKeyPath(device, serial), value, {reg::kLocalMachine, serialKey});
      for (std::size_t t = 0; t < kDeviceTimes.size(); ++t)
        ctx.AddTime(kDeviceTimes[t].kind, times[t]);
    }
  }
}

} // namespace tw
