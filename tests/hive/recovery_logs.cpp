#include "hive/recovery_logs.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "hive/base_block.h"
#include "hive/marvin32.h"

namespace tw::test {
namespace {

constexpr std::size_t kSector = 512;

std::size_t RoundUp(std::size_t n, std::size_t to) {
  return (n + to - 1) / to * to;
}

void Put64(Bytes& bytes, std::size_t at, std::uint64_t value) {
  Put32(bytes, at, static_cast<std::uint32_t>(value));
  Put32(bytes, at + 4, static_cast<std::uint32_t>(value >> 32));
}

// The primary's first sector as a log's copy of it: file type, sequence numbers, checksum.
Bytes LogBase(const Bytes& primary, std::uint32_t sequence, std::uint32_t fileType) {
  Bytes base(primary.begin(), primary.begin() + hive::kBaseBlockSize);
  Put32(base, 4, sequence);
  Put32(base, 8, sequence);
  Put32(base, 28, fileType);
  SealBaseBlock(base);
  base.resize(kSector);
  return base;
}

} // namespace

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Load32(const Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(bytes.at(at + i)) << (8 * i);
  return value;
}

void SealBaseBlock(Bytes& image) {
  Put32(image, hive::kChecksumOffset, hive::BaseBlockChecksum(image));
}

Bytes Filled(std::size_t size, std::uint8_t fill) {
  return Bytes(size, fill);
}

Bytes BinBlock(std::uint32_t offset, std::uint32_t size, std::uint8_t fill) {
  Bytes block(4096, fill);
  std::memcpy(block.data(), "hbin", 4);
  Put32(block, 4, offset);
  Put32(block, 8, size);
  std::fill(block.begin() + 12, block.begin() + 32, 0);
  return block;
}

Bytes SyntheticHive(std::uint32_t bins, std::uint32_t primarySequence,
                    std::uint32_t secondarySequence, std::uint8_t fill) {
  Bytes image(hive::kBaseBlockSize, 0);
  std::memcpy(image.data(), "regf", 4);
  Put32(image, 4, primarySequence);
  Put32(image, 8, secondarySequence);
  Put64(image, 12, 0x01D3C5ACA3518D62); // last written
  Put32(image, 20, 1);
  Put32(image, 24, 5);
  Put32(image, 32, 1);
  Put32(image, 36, 32);
  Put32(image, 40, bins * 4096);
  Put32(image, 44, 1);
  const char16_t name[] = u"\\??\\C:\\test\\synthetic.dat";
  for (std::size_t i = 0; name[i] != 0; ++i) {
    image[48 + 2 * i] = static_cast<std::uint8_t>(name[i]);
    image[49 + 2 * i] = static_cast<std::uint8_t>(name[i] >> 8);
  }
  SealBaseBlock(image);
  for (std::uint32_t i = 0; i < bins; ++i) {
    const Bytes block = BinBlock(i * 4096, 4096, static_cast<std::uint8_t>(fill + i));
    image.insert(image.end(), block.begin(), block.end());
  }
  return image;
}

Bytes LogEntry(std::uint32_t sequence, std::uint32_t binsSize, const std::vector<PageWrite>& pages,
               std::uint32_t flags) {
  std::size_t size = 40 + 8 * pages.size();
  for (const PageWrite& page : pages)
    size += page.bytes.size();
  Bytes entry(RoundUp(size, kSector), 0);
  std::memcpy(entry.data(), "HvLE", 4);
  Put32(entry, 4, static_cast<std::uint32_t>(entry.size()));
  Put32(entry, 8, flags);
  Put32(entry, 12, sequence);
  Put32(entry, 16, binsSize);
  Put32(entry, 20, static_cast<std::uint32_t>(pages.size()));
  std::size_t at = 40;
  for (const PageWrite& page : pages) {
    Put32(entry, at, page.offset);
    Put32(entry, at + 4, static_cast<std::uint32_t>(page.bytes.size()));
    at += 8;
  }
  for (const PageWrite& page : pages) {
    std::copy(page.bytes.begin(), page.bytes.end(), entry.begin() + at);
    at += page.bytes.size();
  }
  const std::span<const std::uint8_t> all = entry;
  Put64(entry, 24, hive::Marvin32(all.subspan(40), hive::kLogEntrySeed));
  Put64(entry, 32, hive::Marvin32(all.first(32), hive::kLogEntrySeed));
  return entry;
}

Bytes NewFormatLog(const Bytes& primary, std::uint32_t sequence,
                   const std::vector<Bytes>& entries) {
  Bytes log = LogBase(primary, sequence, 6);
  for (const Bytes& entry : entries)
    log.insert(log.end(), entry.begin(), entry.end());
  return log;
}

Bytes OldFormatLog(const Bytes& primary, std::uint32_t sequence, std::uint32_t binsSize,
                   const std::vector<PageWrite>& pages) {
  Bytes withSize = primary;
  Put32(withSize, 40, binsSize);
  Bytes log = LogBase(withSize, sequence, 1);
  // Split the writes into 512-byte pages, keyed by their index in the bins.
  std::map<std::uint32_t, const std::uint8_t*> dirty;
  for (const PageWrite& page : pages)
    for (std::size_t at = 0; at < page.bytes.size(); at += kSector)
      dirty[static_cast<std::uint32_t>((page.offset + at) / kSector)] = page.bytes.data() + at;
  Bytes vector = {'D', 'I', 'R', 'T'};
  vector.resize(4 + binsSize / kSector / 8, 0);
  for (const auto& [index, bytes] : dirty)
    vector[4 + index / 8] |= static_cast<std::uint8_t>(1u << (index % 8));
  vector.resize(RoundUp(vector.size(), kSector), 0);
  log.insert(log.end(), vector.begin(), vector.end());
  for (const auto& [index, bytes] : dirty)
    log.insert(log.end(), bytes, bytes + kSector);
  return log;
}

} // namespace tw::test
