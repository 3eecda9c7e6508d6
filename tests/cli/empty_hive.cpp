#include "empty_hive.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace tw::test {
namespace {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

} // namespace

void WriteEmptyHive(const std::filesystem::path& path) {
  constexpr size_t kBin = 0x1000;
  std::vector<uint8_t> bytes(2 * kBin, 0);
  // Header.
  std::copy_n("regf", 4, bytes.begin());
  Put32(bytes, 0x04, 1); // sequence numbers: equal, so no log needs replaying
  Put32(bytes, 0x08, 1);
  Put32(bytes, 0x14, 1); // version 1.3
  Put32(bytes, 0x18, 3);
  Put32(bytes, 0x20, 1);
  Put32(bytes, 0x24, 0x20); // the top key's cell
  Put32(bytes, 0x28, kBin); // length of the bins
  Put32(bytes, 0x2c, 1);
  uint32_t sum = 0;
  for (size_t i = 0; i < 0x1fc; i += 4)
    sum ^= bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) |
           (static_cast<uint32_t>(bytes[i + 3]) << 24);
  Put32(bytes, 0x1fc, sum);
  // One bin.
  std::copy_n("hbin", 4, bytes.begin() + kBin);
  Put32(bytes, kBin + 0x08, kBin);
  // The top key: a named key cell without subkeys or values.
  constexpr size_t kKey = kBin + 0x20;
  constexpr uint32_t kKeyCell = 88;
  constexpr uint32_t kSecurity = 0x20 + kKeyCell; // cell offset of the security cell
  Put32(bytes, kKey, static_cast<uint32_t>(-static_cast<int32_t>(kKeyCell)));
  std::copy_n("nk", 2, bytes.begin() + kKey + 4);
  Put16(bytes, kKey + 4 + 0x02, 0x2c); // hive entry, not deletable, compressed name
  Put32(bytes, kKey + 4 + 0x10, 0xffffffff);
  Put32(bytes, kKey + 4 + 0x1c, 0xffffffff);
  Put32(bytes, kKey + 4 + 0x20, 0xffffffff);
  Put32(bytes, kKey + 4 + 0x28, 0xffffffff);
  Put32(bytes, kKey + 4 + 0x2c, kSecurity);
  Put32(bytes, kKey + 4 + 0x30, 0xffffffff);
  Put16(bytes, kKey + 4 + 0x48, 4);
  std::copy_n("ROOT", 4, bytes.begin() + kKey + 4 + 0x4c);
  // Its security cell: a self-relative descriptor with no owner and a null access list.
  constexpr size_t kSk = kBin + kSecurity;
  constexpr uint32_t kSkCell = 48;
  Put32(bytes, kSk, static_cast<uint32_t>(-static_cast<int32_t>(kSkCell)));
  std::copy_n("sk", 2, bytes.begin() + kSk + 4);
  Put32(bytes, kSk + 4 + 0x04, kSecurity);
  Put32(bytes, kSk + 4 + 0x08, kSecurity);
  Put32(bytes, kSk + 4 + 0x0c, 1);
  Put32(bytes, kSk + 4 + 0x10, 20);
  bytes[kSk + 4 + 0x14] = 1;
  Put16(bytes, kSk + 4 + 0x16, 0x8004);
  // The rest of the bin is one free cell.
  const uint32_t used = 0x20 + kKeyCell + kSkCell;
  Put32(bytes, kBin + used, kBin - used);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + path.string());
}

} // namespace tw::test
