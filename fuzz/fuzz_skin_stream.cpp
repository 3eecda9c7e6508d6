// A stored SkinStream property (layer 1 envelope) through TSkinData: decompression, the
// archive directory, the definition and every bitmap it names.
#include <cstdint>

#include "runtime/little_endian.h"
#include "runtime/seam.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/skin_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tw::PortableSkinPlatform platform;
  static tw::PortableSkinManager manager;
  static const bool installed = (tw::Seam<tw::SkinPlatform>::Install(&platform),
                                 tw::Seam<tw::SkinManagerApi>::Install(&manager), true);
  (void)installed;
  platform.messages.clear();
  // Declared lengths up to the reader's 64 MB limit are valid but make slow units: the decoder
  // always produces the declared length (missing bytes of a short input read as zero). Up to
  // 2 KB keeps the fuzzer fast.
  if (tw::le::U32(std::span<const std::uint8_t>(data, size), 4) > 2048)
    return 0;
  manager.pending.clear();

  tw::TSkinData skin;
  skin.BeginReading();
  skin.SetActive(true);
  skin.ReadSkinStream(std::span<const std::uint8_t>(data, size));
  skin.Loaded();
  return 0;
}
