// Registry addresses: the split, and the reads that take an address (the value's text, the
// key's presence, a binary value's size) over a small store with awkward values.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"
#include "runtime/exceptions.h"
#include "registry/memory_registry.h"
#include "runtime/seam.h"

namespace {

void Set(tw::MemoryRegistry& store, tw::RegKey root, const char* path, const char* name,
         uint32_t type, const std::vector<uint8_t>& bytes) {
  tw::RegKey key = 0;
  store.CreateKeyEx(root, path, 0, tw::reg::kAllAccess, &key);
  store.SetValueEx(key, name, type, bytes.data(), static_cast<uint32_t>(bytes.size()));
  store.CloseKey(key);
}

std::vector<uint8_t> Bytes(std::string_view text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

tw::MemoryRegistry& Store() {
  static tw::MemoryRegistry store;
  static const bool filled = [] {
    const tw::RegKey cu = tw::reg::kCurrentUser;
    const tw::RegKey lm = tw::reg::kLocalMachine;
    Set(store, cu, "S\\K", "", tw::reg::kSz, Bytes(std::string_view("default\0", 8)));
    Set(store, cu, "S\\K", "sz", tw::reg::kSz, Bytes("no terminator"));
    Set(store, cu, "S\\K", "nul", tw::reg::kSz, Bytes(std::string_view("a\0b\0", 4)));
    Set(store, cu, "S\\K", "odd", tw::reg::kSz, Bytes("abc"));
    Set(store, cu, "S\\K", "exp", tw::reg::kExpandSz, Bytes(std::string_view("%X%\0", 4)));
    Set(store, cu, "S\\K", "multi", tw::reg::kMultiSz, Bytes(std::string_view("a\0b\0\0", 5)));
    Set(store, cu, "S\\K", "bin", tw::reg::kBinary, Bytes("\x01\x02\x03"));
    Set(store, cu, "S\\K", "dw", tw::reg::kDword, Bytes(std::string_view("\1\0\0\0", 4)));
    Set(store, cu, "S\\K", "empty", tw::reg::kSz, {});
    Set(store, lm, "S\\K", "big", tw::reg::kBinary, std::vector<uint8_t>(1000001, 7));
    Set(store, lm, "S\\K", "max", tw::reg::kBinary, std::vector<uint8_t>(1000000, 7));
    Set(store, lm, "S\\K\\a|b", "x|y", tw::reg::kSz, Bytes(std::string_view("pipe\0", 5)));
    Set(store, lm, "Software\\Classes\\C", "", tw::reg::kSz, Bytes(std::string_view("cr\0", 3)));
    store.SetKeyAccess(cu, "S\\Locked", tw::KeyAccess::ReadOnly);
    store.SetKeyAccess(cu, "S\\Hidden", tw::KeyAccess::NoAccess);
    return true;
  }();
  (void)filled;
  return store;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::MemoryRegistry& store = Store();
  tw::ScopedSeam<tw::RegistryApi> seam(store);
  const std::string_view address(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> parts = tw::SplitRegistryAddress(address);
  size_t separators = 0;
  for (const char c : address)
    separators += c == '|' || c == '\r' || c == '\n';
  if (parts.size() > separators + 1)
    std::abort();
  for (const std::string& part : parts)
    if (part.find_first_of("|\r\n") != std::string::npos)
      std::abort();

  try {
    if (tw::ReadAddressValue(address).find('\0') != std::string::npos)
      std::abort(); // text is cut at its first NUL
  } catch (const tw::ERegistryException&) {
  } catch (const tw::EStringListError&) {
  }
  try {
    tw::AddressKeyExists(address);
  } catch (const tw::EStringListError&) {
  }
  try {
    const int bytes = tw::AddressBinarySize(address);
    if (bytes < 0 || bytes > 1000000)
      std::abort();
  } catch (const tw::ERegistryException&) {
  } catch (const tw::EStringListError&) {
  }
  if (store.OpenHandleCount() != 0)
    std::abort();
  return 0;
}
