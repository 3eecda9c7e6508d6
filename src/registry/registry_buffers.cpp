#include "registry/registry_buffers.h"

#include <cstring>

namespace tw::reg {

RegStatus CopyName(const std::string& source, char* name, uint32_t* nameLen) {
  if (name == nullptr || nameLen == nullptr)
    return kInvalidParameter;
  if (source.size() + 1 > *nameLen)
    return kMoreData;
  std::memcpy(name, source.c_str(), source.size() + 1);
  *nameLen = static_cast<uint32_t>(source.size());
  return kSuccess;
}

RegStatus CopyData(const std::vector<uint8_t>& source, uint8_t* data, uint32_t* dataLen) {
  if (dataLen == nullptr)
    return data == nullptr ? kSuccess : kInvalidParameter;
  const auto size = static_cast<uint32_t>(source.size());
  if (data != nullptr) {
    if (*dataLen < size) {
      *dataLen = size;
      return kMoreData;
    }
    if (size > 0)
      std::memcpy(data, source.data(), size);
  }
  *dataLen = size;
  return kSuccess;
}

void PutKeyInfo(const KeyInfo& info, uint32_t* subKeys, uint32_t* maxSubKeyLen, uint32_t* values,
                uint32_t* maxValueNameLen, uint32_t* maxValueLen, uint64_t* lastWriteTime) {
  const auto put = [](uint32_t* to, size_t n) {
    if (to != nullptr)
      *to = static_cast<uint32_t>(n);
  };
  put(subKeys, info.subKeys);
  put(maxSubKeyLen, info.longestSubKey);
  put(values, info.values);
  put(maxValueNameLen, info.longestValueName);
  put(maxValueLen, info.longestData);
  if (lastWriteTime != nullptr)
    *lastWriteTime = info.lastWrite;
}

} // namespace tw::reg
