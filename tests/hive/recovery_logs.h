#pragma once
// Hives and transaction logs built byte by byte for the recovery tests, the benchmark and the
// fuzz seeds: a primary of empty bins, new-format log entries with their hashes, old-format
// logs with a dirty vector.

#include <cstdint>
#include <vector>

namespace tw::test {

using Bytes = std::vector<std::uint8_t>;

// Bytes written at a hive bins offset by a log.
struct PageWrite {
  std::uint32_t offset = 0; // from the start of the hive bins data; a multiple of 512
  Bytes bytes;              // a multiple of 512
};

// A primary file of `bins` 4,096-byte bins, each filled after its header with the byte
// `fill + index`, its base block sealed with the given sequence numbers.
Bytes SyntheticHive(std::uint32_t bins, std::uint32_t primarySequence,
                    std::uint32_t secondarySequence, std::uint8_t fill = 0x10);

// A 4,096-byte block that begins a hive bin at `offset` of `size` bytes, filled with `fill`.
Bytes BinBlock(std::uint32_t offset, std::uint32_t size, std::uint8_t fill);
// `size` bytes of `fill`.
Bytes Filled(std::size_t size, std::uint8_t fill);

// Recomputes the base block's checksum after a test changed a field.
void SealBaseBlock(Bytes& image);
void Put32(Bytes& bytes, std::size_t at, std::uint32_t value);
std::uint32_t Load32(const Bytes& bytes, std::size_t at);

// One "HvLE" entry: header, page references, pages, padded to whole sectors, both hashes set.
Bytes LogEntry(std::uint32_t sequence, std::uint32_t binsSize, const std::vector<PageWrite>& pages,
               std::uint32_t flags = 0);

// A new-format log: the primary's base block (first sector) as a log's copy at `sequence`,
// then the entries.
Bytes NewFormatLog(const Bytes& primary, std::uint32_t sequence, const std::vector<Bytes>& entries);

// An old-format log at `sequence` for a hive of `binsSize` bytes whose base block is the
// primary's (last-written time included): dirty vector, then the pages in bitmap order.
Bytes OldFormatLog(const Bytes& primary, std::uint32_t sequence, std::uint32_t binsSize,
                   const std::vector<PageWrite>& pages);

} // namespace tw::test
