#pragma once
// An in-memory byte stream with a position, the container every stage of skin loading passes
// along: the stored archive, the decompressed archive, the entry data and each extracted entry.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tw {

class TMemoryStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  explicit TMemoryStream(std::span<const std::uint8_t> bytes)
      : bytes_(bytes.begin(), bytes.end()) {}

  std::size_t Size() const { return bytes_.size(); }
  std::size_t Position() const { return position_; }
  // Positions past the end are allowed; reads there return nothing and writes zero-fill the gap.
  void SetPosition(std::size_t position) { position_ = position; }
  void Rewind() { position_ = 0; }
  void Clear() {
    bytes_.clear();
    position_ = 0;
  }
  std::size_t Remaining() const {
    return position_ < bytes_.size() ? bytes_.size() - position_ : 0;
  }

  // Copies up to count bytes and returns how many were available.
  std::size_t Read(void* destination, std::size_t count);
  void Write(const void* source, std::size_t count);
  void WriteByte(std::uint8_t value);
  // Copies count bytes (or fewer at the end) from another stream's position into this one.
  std::size_t CopyFrom(TMemoryStream& source, std::size_t count);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::span<const std::uint8_t> View() const { return bytes_; }
  void Reserve(std::size_t capacity) { bytes_.reserve(capacity); }

private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

} // namespace tw
