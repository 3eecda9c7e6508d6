#include "registry/win32/win32_registry.h"

#include <windows.h>

namespace tw {
namespace {

// The predefined keys are sign-extended handle values on 64-bit Windows.
HKEY H(RegKey key) {
  switch (key) {
  case reg::kClassesRoot:
    return HKEY_CLASSES_ROOT;
  case reg::kCurrentUser:
    return HKEY_CURRENT_USER;
  case reg::kLocalMachine:
    return HKEY_LOCAL_MACHINE;
  case reg::kUsers:
    return HKEY_USERS;
  default:
    return reinterpret_cast<HKEY>(key);
  }
}
DWORD* D(uint32_t* p) {
  return reinterpret_cast<DWORD*>(p);
}

static_assert(sizeof(DWORD) == sizeof(uint32_t));

RegistryView ProcessView() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? RegistryView::Wow32
                                                              : RegistryView::Native;
}

} // namespace

Win32Registry::Win32Registry() : view_(ProcessView()) {}

RegStatus Win32Registry::DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                                     RegKey* result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(H(key), subKey, 0, samDesired, &opened);
  if (status == ERROR_SUCCESS)
    *result = reinterpret_cast<RegKey>(opened);
  return status;
}

RegStatus Win32Registry::DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen,
                                        uint32_t* values, uint32_t* maxValueNameLen,
                                        uint32_t* maxValueLen, uint64_t* lastWriteTime) {
  FILETIME written{};
  const LONG status =
      RegQueryInfoKeyA(H(key), nullptr, nullptr, nullptr, D(subKeys), D(maxSubKeyLen), nullptr,
                       D(values), D(maxValueNameLen), D(maxValueLen), nullptr, &written);
  if (status == ERROR_SUCCESS && lastWriteTime != nullptr)
    *lastWriteTime = (uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
  return status;
}

RegStatus Win32Registry::DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) {
  return RegEnumKeyExA(H(key), index, name, D(nameLen), nullptr, nullptr, nullptr, nullptr);
}

RegStatus Win32Registry::DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen,
                                     uint32_t* type, uint8_t* data, uint32_t* dataLen) {
  return RegEnumValueA(H(key), index, name, D(nameLen), nullptr, D(type), data, D(dataLen));
}

RegStatus Win32Registry::DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type,
                                        uint8_t* data, uint32_t* dataLen) {
  return RegQueryValueExA(H(key), valueName, nullptr, D(type), data, D(dataLen));
}

RegStatus Win32Registry::DoCreateKeyEx(RegKey key, const char* subKey, uint32_t options,
                                       uint32_t samDesired, RegKey* result) {
  HKEY created = nullptr;
  char emptyClass[] = "";
  const LONG status = RegCreateKeyExA(H(key), subKey, 0, emptyClass, options, samDesired, nullptr,
                                      &created, nullptr);
  if (status == ERROR_SUCCESS)
    *result = reinterpret_cast<RegKey>(created);
  return status;
}

RegStatus Win32Registry::DoSetValueEx(RegKey key, const char* valueName, uint32_t type,
                                      const uint8_t* data, uint32_t size) {
  return RegSetValueExA(H(key), valueName, 0, type, data, size);
}

RegStatus Win32Registry::DoCloseKey(RegKey key) {
  return RegCloseKey(H(key));
}

} // namespace tw
