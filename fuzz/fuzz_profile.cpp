// A WKS.db through the portable profile reader: the section list, each section's key list and
// each value, read with buffers from one byte to roomy (the platform's truncation rules), then
// the database's application list, presence tests and preview rows over a small store.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "nmdb/nmdb.h"
#include "runtime/exceptions.h"
#include "registry/memory_registry.h"
#include "runtime/profile.h"
#include "runtime/seam.h"

namespace {

const std::string& DatabaseFile() {
  static const std::string path = "/tmp/trailwick-fuzz-" + std::to_string(getpid()) + ".db";
  return path;
}

// Calls the reader with a buffer of exactly `size` bytes, so that a write past it is caught,
// and checks the result is NUL-terminated within the buffer and no longer than it.
std::string Read(tw::ProfileApi& profile, const char* section, const char* key, uint32_t size) {
  std::vector<char> buffer(size);
  const uint32_t length =
      profile.ProfileString(section, key, "", buffer.data(), size, DatabaseFile());
  if (size == 0)
    return {};
  if (length >= size || buffer[length] != '\0')
    std::abort();
  return std::string(buffer.data(), length);
}

// The names of a NUL-separated list.
std::vector<std::string> Names(const std::string& list) {
  std::vector<std::string> names;
  for (size_t pos = 0; pos < list.size();) {
    const size_t end = list.find('\0', pos);
    names.push_back(list.substr(pos, end - pos));
    if (end == std::string::npos)
      break;
    pos = end + 1;
  }
  return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tw::MemoryRegistry registry;
  static const bool filled = [] {
    tw::RegKey key = 0;
    registry.CreateKeyEx(tw::reg::kCurrentUser, "Software\\Vendor", 0, tw::reg::kAllAccess, &key);
    registry.SetValueEx(key, "Recent", tw::reg::kSz, reinterpret_cast<const uint8_t*>("C:\\a"), 5);
    registry.SetValueEx(key, "Blob", tw::reg::kBinary, reinterpret_cast<const uint8_t*>("\1\2"), 2);
    registry.CloseKey(key);
    return true;
  }();
  (void)filled;
  tw::ScopedSeam<tw::RegistryApi> registrySeam(registry);
  {
    std::FILE* file = std::fopen(DatabaseFile().c_str(), "wb");
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  tw::PortableProfile profile;
  tw::ScopedSeam<tw::ProfileApi> profileSeam(profile);

  for (const uint32_t bufferSize : {1u, 2u, 7u, 64u})
    Read(profile, nullptr, nullptr, bufferSize);
  const std::vector<std::string> sections = Names(Read(profile, nullptr, nullptr, 16384));
  for (size_t s = 0; s < sections.size() && s < 8; ++s) {
    const std::vector<std::string> keys = Names(Read(profile, sections[s].c_str(), nullptr, 16384));
    for (size_t k = 0; k < keys.size() && k < 8; ++k) {
      Read(profile, sections[s].c_str(), keys[k].c_str(), 3);
      Read(profile, sections[s].c_str(), keys[k].c_str(), 2048);
    }
  }

  const tw::NonMicrosoftDatabase database(DatabaseFile());
  const std::vector<std::string> applications = database.ApplicationNames();
  for (size_t a = 0; a < applications.size() && a < 8; ++a) {
    database.IsInstalled(applications[a]);
    try {
      database.PreviewRows(applications[a]);
    } catch (const tw::ERegistryException&) {
      // A value of a non-text type: the preview shows the error.
    } catch (const tw::EStringListError&) {
      // An address without a key path.
    }
  }
  if (registry.OpenHandleCount() != 0)
    std::abort();
  return 0;
}
