#pragma once
// The real registry: the registry seam realised by direct advapi32 ANSI calls.

#include "registry/registry_api.h"

namespace tw {

class Win32Registry final : public RegistryApi {
public:
  // Asks the system once whether this is a 32-bit process on 64-bit Windows.
  Win32Registry();
  RegistryView DefaultView() const override { return view_; }

protected:
  RegStatus DoOpenKeyEx(RegKey key, const char* subKey, uint32_t samDesired,
                        RegKey* result) override;
  RegStatus DoQueryInfoKey(RegKey key, uint32_t* subKeys, uint32_t* maxSubKeyLen, uint32_t* values,
                           uint32_t* maxValueNameLen, uint32_t* maxValueLen,
                           uint64_t* lastWriteTime) override;
  RegStatus DoEnumKeyEx(RegKey key, uint32_t index, char* name, uint32_t* nameLen) override;
  RegStatus DoEnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLen, uint32_t* type,
                        uint8_t* data, uint32_t* dataLen) override;
  RegStatus DoQueryValueEx(RegKey key, const char* valueName, uint32_t* type, uint8_t* data,
                           uint32_t* dataLen) override;
  RegStatus DoCreateKeyEx(RegKey key, const char* subKey, uint32_t options, uint32_t samDesired,
                          RegKey* result) override;
  RegStatus DoSetValueEx(RegKey key, const char* valueName, uint32_t type, const uint8_t* data,
                         uint32_t size) override;
  RegStatus DoCloseKey(RegKey key) override;

private:
  RegistryView view_;
};

} // namespace tw
