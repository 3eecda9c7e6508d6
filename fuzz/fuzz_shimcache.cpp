// AppCompatCache values through the ShimCache decoder.
#include <cstdint>
#include <cstdlib>

#include "readers/shimcache.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tw::ShimCache cache = tw::DecodeShimCache(tw::Bytes(data, size));
  // Every layout spends at least 12 bytes of the blob on an entry, and positions count up.
  if (cache.entries.size() * 12 > size)
    std::abort();
  for (std::size_t i = 0; i < cache.entries.size(); ++i)
    if (cache.entries[i].position != i)
      std::abort();
  (void)tw::ShimCacheFormatName(cache.format);
  return 0;
}
