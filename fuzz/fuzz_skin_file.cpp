// A skin file image (layer 2: length + LZHUF stream) through TSkinReader.
#include <cstdint>
#include <string>

#include "runtime/little_endian.h"
#include "runtime/seam.h"
#include "skin/model/skin_platform.h"
#include "skin/model/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tw::PortableSkinPlatform platform;
  static const bool installed = (tw::Seam<tw::SkinPlatform>::Install(&platform), true);
  (void)installed;
  platform.messages.clear();
  // Declared lengths up to the reader's 64 MB limit are valid but make slow units: the decoder
  // always produces the declared length (missing bytes of a short input read as zero). Up to
  // 2 KB keeps the fuzzer fast.
  if (tw::le::U32(std::span<const std::uint8_t>(data, size), 0) > 2048)
    return 0;

  tw::TMemoryStream archive(std::span<const std::uint8_t>(data, size));
  tw::TSkinReader reader;
  if (!reader.LoadSkin(archive))
    return 0;
  tw::TMemoryStream entry;
  for (int i = 0; i < reader.Count(); ++i)
    reader.ExtractEntry(reader.Names()[i], entry);
  std::string name;
  reader.ExtractEntryLike(".ini", entry, name);
  return 0;
}
