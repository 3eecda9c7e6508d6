#include "hive/base_block.h"

#include <cstring>

#include "runtime/little_endian.h"

namespace tw::hive {

std::uint32_t BaseBlockChecksum(std::span<const std::uint8_t> bytes) {
  std::uint32_t sum = 0;
  for (std::size_t at = 0; at < kChecksumOffset; at += 4)
    sum ^= le::U32(bytes, at);
  if (sum == 0)
    return 1;
  if (sum == 0xFFFFFFFF)
    return 0xFFFFFFFE;
  return sum;
}

std::optional<BaseBlock> ParseBaseBlock(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kBaseBlockSize || std::memcmp(bytes.data(), "regf", 4) != 0)
    return std::nullopt;
  const std::uint8_t* p = bytes.data();
  BaseBlock b;
  b.primarySequence = le::Load32(p + 4);
  b.secondarySequence = le::Load32(p + 8);
  b.lastWritten = le::Load64(p + 12);
  b.majorVersion = le::Load32(p + 20);
  b.minorVersion = le::Load32(p + 24);
  b.fileType = le::Load32(p + 28);
  b.fileFormat = le::Load32(p + 32);
  b.rootCell = le::Load32(p + 36);
  b.hiveBinsDataSize = le::Load32(p + 40);
  b.clusteringFactor = le::Load32(p + 44);
  for (std::size_t at = 48; at < 112; at += 2) {
    const char16_t c = le::Load16(p + at);
    if (c == 0)
      break;
    b.fileName += c;
  }
  b.checksum = le::Load32(p + kChecksumOffset);
  b.checksumValid = b.checksum == BaseBlockChecksum(bytes);
  return b;
}

} // namespace tw::hive
