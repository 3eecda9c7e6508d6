// SAM values through the account decoders: the first byte picks the record (F, V, an alias's
// C value, a SID), the rest is its data.
#include <cstdint>
#include <cstdlib>

#include "readers/sam_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const tw::Bytes record(data + 1, size - 1);
  switch (data[0] % 4) {
  case 0:
    if (const auto flags = tw::DecodeSamUserF(record).accountFlags)
      (void)tw::AccountFlagNames(*flags);
    break;
  case 1:
    (void)tw::DecodeSamUserV(record);
    break;
  case 2: {
    // Each member SID takes at least 8 bytes of the value.
    if (tw::DecodeSamAliasC(record).members.size() * 8 > record.size())
      std::abort();
    break;
  }
  default:
    (void)tw::SidAt(record, 0);
  }
  return 0;
}
