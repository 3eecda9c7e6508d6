#pragma once
// TLZH: the skin archive's LZHUF decompressor (LZSS over a 4,096-byte ring with adaptive
// Huffman coding of literals and match lengths). The adaptive tree and the position-code tables
// are shared with the archive packer, which must model exactly the same code.

#include <array>
#include <cstdint>

#include "skin/model/memory_stream.h"

namespace tw {

namespace lzhuf {

inline constexpr int kRingSize = 4096;                           // N
inline constexpr int kLookAhead = 60;                            // F
inline constexpr int kThreshold = 2;                             // matches are 3 to 60 bytes
inline constexpr int kCharCount = 256 - kThreshold + kLookAhead; // 314 symbols
inline constexpr int kTreeSize = kCharCount * 2 - 1;             // 627 nodes
inline constexpr int kRoot = kTreeSize - 1;                      // 626
inline constexpr int kMaxFrequency = 0x8000;

// Bit lengths and codes of the upper six bits of a match position (canonical prefix code).
struct PositionCodes {
  std::array<std::uint8_t, 64> encodeLength{};
  std::array<std::uint8_t, 64> encodeCode{};
  std::array<std::uint8_t, 256> decodeCode{};
  std::array<std::uint8_t, 256> decodeLength{};
};

constexpr PositionCodes MakePositionCodes() {
  PositionCodes codes;
  // How many of the 64 upper-bit values get a code of 3, 4, ..., 8 bits.
  constexpr int kCountsByLength[] = {1, 3, 8, 12, 24, 16};
  int value = 0;
  int code = 0;
  for (int lengthIndex = 0; lengthIndex < 6; ++lengthIndex) {
    const int length = lengthIndex + 3;
    for (int i = 0; i < kCountsByLength[lengthIndex]; ++i, ++value) {
      codes.encodeLength[value] = static_cast<std::uint8_t>(length);
      codes.encodeCode[value] = static_cast<std::uint8_t>(code);
      const int span = 256 >> length;
      for (int b = 0; b < span; ++b) {
        codes.decodeCode[code + b] = static_cast<std::uint8_t>(value);
        codes.decodeLength[code + b] = static_cast<std::uint8_t>(length);
      }
      code += span;
    }
  }
  return codes;
}

inline constexpr PositionCodes kPositionCodes = MakePositionCodes();

// The adaptive Huffman tree of literals and match lengths.
class AdaptiveTree {
public:
  AdaptiveTree() { Start(); }
  void Start();
  // Counts one occurrence of symbol c, rebuilding the tree first when the root is saturated.
  void Update(int c);

  std::array<std::uint16_t, kTreeSize + 1> freq{};
  std::array<std::uint16_t, kTreeSize + kCharCount> parent{};
  std::array<std::uint16_t, kTreeSize> child{};

private:
  void Rebuild();
};

} // namespace lzhuf

class TLZH {
public:
  // Decodes the bit stream at the source's position and writes outputLength bytes (more when the
  // last match crosses that length) to the destination. Missing input reads as zero bytes, so a
  // truncated or damaged stream still produces the full length.
  void Unpack(TMemoryStream& source, TMemoryStream& destination, std::uint32_t outputLength);
};

} // namespace tw
