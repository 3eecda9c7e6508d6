#pragma once
// The base block: the first 4,096 bytes of a hive file and of a transaction log. It names the
// root key, the size of the hive bins that follow and the two sequence numbers whose
// difference says that a write did not finish (the hive is "dirty").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tw::hive {

// A cell's offset from the start of the hive bins data (the file offset less 4,096).
using CellRef = std::uint32_t;
inline constexpr CellRef kNoCell = 0xFFFFFFFF;

inline constexpr std::size_t kBaseBlockSize = 4096;
inline constexpr std::size_t kChecksumOffset = 508;

struct BaseBlock {
  std::uint32_t primarySequence = 0;
  std::uint32_t secondarySequence = 0;
  std::uint64_t lastWritten = 0; // FILETIME, UTC
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
  std::uint32_t fileType = 0; // 0 a primary file; 1, 2 and 6 transaction logs
  std::uint32_t fileFormat = 0;
  CellRef rootCell = kNoCell;
  std::uint32_t hiveBinsDataSize = 0;
  std::uint32_t clusteringFactor = 0;
  std::u16string fileName; // the writer's note of the file's path, up to 32 characters
  std::uint32_t checksum = 0; // as stored
  bool checksumValid = false; // the stored value is the XOR-32 of the first 508 bytes

  // A write began and did not end: the newest changes may be in the transaction logs.
  bool Dirty() const { return primarySequence != secondarySequence; }
};

// The XOR-32 checksum of a base block's first 508 bytes (fewer bytes count as zeros); the
// platform stores 1 for a result of 0 and 0xFFFFFFFE for 0xFFFFFFFF.
std::uint32_t BaseBlockChecksum(std::span<const std::uint8_t> bytes);

// The base block at the start of `bytes`; none when they are shorter than a base block or do
// not begin with "regf".
std::optional<BaseBlock> ParseBaseBlock(std::span<const std::uint8_t> bytes);

} // namespace tw::hive
