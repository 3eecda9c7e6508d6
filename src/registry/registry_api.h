#pragma once
// The registry seam: the ANSI advapi32 registry calls the program uses, with the platform's
// handle values, access masks, value types and status codes. Implementations: the Win32 store
// (direct calls) and MemoryRegistry (portable, in memory). Every call goes through a counter
// so that benchmarks can report registry calls per item.

#include <cstdint>

namespace tw {

// The view of HKEY_LOCAL_MACHINE\SOFTWARE that a key opened without a view flag lands in:
// Native for a 64-bit process and on 32-bit Windows, Wow32 for a 32-bit process on 64-bit
// Windows (its SOFTWARE is redirected to SOFTWARE\Wow6432Node, but for the shared keys).
enum class RegistryView { Native, Wow32 };

using RegKey = std::uintptr_t;
using RegStatus = long;

namespace reg {
// Predefined keys.
inline constexpr RegKey kClassesRoot = 0x80000000u;
inline constexpr RegKey kCurrentUser = 0x80000001u;
inline constexpr RegKey kLocalMachine = 0x80000002u;
inline constexpr RegKey kUsers = 0x80000003u;

// Status codes.
inline constexpr RegStatus kSuccess = 0;
inline constexpr RegStatus kFileNotFound = 2;
inline constexpr RegStatus kAccessDenied = 5;
inline constexpr RegStatus kInvalidHandle = 6;
inline constexpr RegStatus kInvalidParameter = 87;
inline constexpr RegStatus kMoreData = 234;
inline constexpr RegStatus kNoMoreItems = 259;

// Value types.
inline constexpr uint32_t kNone = 0;
inline constexpr uint32_t kSz = 1;
inline constexpr uint32_t kExpandSz = 2;
inline constexpr uint32_t kBinary = 3;
inline constexpr uint32_t kDword = 4;
inline constexpr uint32_t kDwordBigEndian = 5;
inline constexpr uint32_t kLink = 6;
inline constexpr uint32_t kMultiSz = 7;
inline constexpr uint32_t kQword = 11;

// Access rights.
inline constexpr uint32_t kQueryValue = 0x0001;
inline constexpr uint32_t kSetValue = 0x0002;
inline constexpr uint32_t kCreateSubKey = 0x0004;
inline constexpr uint32_t kEnumerateSubKeys = 0x0008;
inline constexpr uint32_t kNotify = 0x0010;
inline constexpr uint32_t kCreateLink = 0x0020;
inline constexpr uint32_t kStandardRightsRead = 0x00020000;
inline constexpr uint32_t kRead = 0x00020019;
inline constexpr uint32_t kWrite = 0x00020006;
inline constexpr uint32_t kAllAccess = 0x000F003F;
// View flags: which view of HKEY_LOCAL_MACHINE\SOFTWARE a key is opened in on 64-bit Windows.
inline constexpr uint32_t kWow64_64Key = 0x0100;
inline constexpr uint32_t kWow64_32Key = 0x0200;
// The rights that need write permission on a key.
inline constexpr uint32_t kWriteRights = kSetValue | kCreateSubKey | kCreateLink |
                                         0x00010000 /*DELETE*/ | 0x00040000 /*WRITE_DAC*/ |
                                         0x00080000 /*WRITE_OWNER*/;

inline constexpr uint32_t kOptionNonVolatile = 0;
} // namespace reg

// Shaped like RegOpenKeyExA, RegQueryInfoKeyA, RegEnumKeyExA, RegEnumValueA, RegQueryValueExA,
// RegCreateKeyExA, RegSetValueExA and RegCloseKey. Lengths follow the platform: name lengths in
// characters (the buffer size including the terminating NUL going in, the name length without
// it coming out), data sizes in bytes.
class RegistryApi {
public:
  virtual ~RegistryApi() = default;

  RegStatus OpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired, RegKey* result) {
    ++calls_;
    return DoOpenKeyEx(key, subKey, samDesired, result);
  }
  // The last-write time is a FILETIME (100 ns ticks since 1601, UTC); 0 where a store keeps none.
  RegStatus QueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen, uint32_t* values,
                         uint32_t* maxValueNameLen, uint32_t* maxValueLen,
                         uint64_t* lastWriteTime = nullptr) {
    ++calls_;
    return DoQueryInfoKey(key, subKeys, maxSubKeyLen, values, maxValueNameLen, maxValueLen,
                          lastWriteTime);
  }
  RegStatus EnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) {
    ++calls_;
    return DoEnumKeyEx(key, index, name, nameLen);
  }
  RegStatus EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen, uint32_t* type,
                      uint8_t* data, uint32_t* dataLen) {
    ++calls_;
    return DoEnumValue(key, index, name, nameLen, type, data, dataLen);
  }
  RegStatus QueryValueEx(RegKey key, const char* valueName, uint32_t* type, uint8_t* data,
                         uint32_t* dataLen) {
    ++calls_;
    return DoQueryValueEx(key, valueName, type, data, dataLen);
  }
  RegStatus CreateKeyEx(RegKey key, const char* subKey, uint32_t options, uint32_t samDesired,
                        RegKey* result) {
    ++calls_;
    return DoCreateKeyEx(key, subKey, options, samDesired, result);
  }
  RegStatus SetValueEx(RegKey key, const char* valueName, uint32_t type, const uint8_t* data,
                       uint32_t size) {
    ++calls_;
    return DoSetValueEx(key, valueName, type, data, size);
  }
  RegStatus CloseKey(RegKey key) {
    ++calls_;
    return DoCloseKey(key);
  }

  // A fact of the process, fixed for its lifetime; not counted as a registry call.
  virtual RegistryView DefaultView() const { return RegistryView::Native; }

  // Number of calls made through this store since it was created or last reset.
  uint64_t Calls() const { return calls_; }
  void ResetCalls() { calls_ = 0; }

protected:
  virtual RegStatus DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                                RegKey* result) = 0;
  virtual RegStatus DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen,
                                   uint32_t* values, uint32_t* maxValueNameLen,
                                   uint32_t* maxValueLen, uint64_t* lastWriteTime) = 0;
  virtual RegStatus DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) = 0;
  virtual RegStatus DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen,
                                uint32_t* type, uint8_t* data, uint32_t* dataLen) = 0;
  virtual RegStatus DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type, uint8_t* data,
                                   uint32_t* dataLen) = 0;
  virtual RegStatus DoCreateKeyEx(RegKey key, const char* subKey, uint32_t options,
                                  uint32_t samDesired, RegKey* result) = 0;
  virtual RegStatus DoSetValueEx(RegKey key, const char* valueName, uint32_t type,
                                 const uint8_t* data, uint32_t size) = 0;
  virtual RegStatus DoCloseKey(RegKey key) = 0;

private:
  uint64_t calls_ = 0;
};

} // namespace tw
