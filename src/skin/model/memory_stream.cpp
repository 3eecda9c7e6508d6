#include "skin/model/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace tw {

std::size_t TMemoryStream::Read(void* destination, std::size_t count) {
  const std::size_t n = std::min(count, Remaining());
  if (n > 0)
    std::memcpy(destination, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

void TMemoryStream::Write(const void* source, std::size_t count) {
  if (count == 0)
    return;
  if (position_ + count > bytes_.size())
    bytes_.resize(position_ + count);
  std::memcpy(bytes_.data() + position_, source, count);
  position_ += count;
}

void TMemoryStream::WriteByte(std::uint8_t value) {
  if (position_ == bytes_.size()) {
    bytes_.push_back(value);
    ++position_;
    return;
  }
  Write(&value, 1);
}

std::size_t TMemoryStream::CopyFrom(TMemoryStream& source, std::size_t count) {
  const std::size_t n = std::min(count, source.Remaining());
  Write(source.bytes_.data() + source.position_, n);
  source.position_ += n;
  return n;
}

} // namespace tw
