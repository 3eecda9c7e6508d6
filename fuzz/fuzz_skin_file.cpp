// A skin file image (layer 2: length + LZHUF stream) through TSkinReader.
#include <cstdint>
#include <string>

#include "runtime/seam.h"
#include "skin/skin_platform.h"
#include "skin/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tw::PortableSkinPlatform platform;
  static const bool installed = (tw::Seam<tw::SkinPlatform>::Install(&platform), true);
  (void)installed;
  platform.messages.clear();
  // Declared lengths up to the reader's 64 MB limit are valid but make slow units; keep the
  // fuzzer on small archives.
  if (size >= 4 && (data[3] != 0 || data[2] > 0x03))
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
