#pragma once
// The platform's buffer rules for the answers of the registry calls, shared by the stores that
// answer the calls themselves (the in-memory store, hive files): a name is copied with its
// terminating NUL and counted without it; data too large for the buffer gives "more data" and
// the size needed.

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tw::reg {

RegStatus CopyName(const std::string& source, char* name, uint32_t* nameLen);
RegStatus CopyData(const std::vector<uint8_t>& source, uint8_t* data, uint32_t* dataLen);

// What a key-information query answers; each answer goes where the caller asked for it.
struct KeyInfo {
  size_t subKeys = 0;
  size_t longestSubKey = 0;
  size_t values = 0;
  size_t longestValueName = 0;
  size_t longestData = 0;
  uint64_t lastWrite = 0;
};
void PutKeyInfo(const KeyInfo& info, uint32_t* subKeys, uint32_t* maxSubKeyLen, uint32_t* values,
                uint32_t* maxValueNameLen, uint32_t* maxValueLen, uint64_t* lastWriteTime);

} // namespace tw::reg
