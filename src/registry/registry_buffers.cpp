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

} // namespace tw::reg
