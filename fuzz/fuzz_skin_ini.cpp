// A skin definition INI: TQuickIni reads, then TSkinData loads it inside an archive together
// with a few small bitmaps the definition may name.
#include <cstdint>
#include <string>

#include "lzhuf_encoder.h"
#include "runtime/seam.h"
#include "runtime/strings.h"
#include "skin/model/bmp.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/quick_ini.h"
#include "skin/model/skin_data.h"

namespace {

// Small bitmaps: the archive is compressed afresh for every unit, and its size sets the pace.
std::vector<tw::skinpack::ArchiveEntry> Bitmaps() {
  using tw::Bitmap32;
  Bitmap32 strip(8, 4, tw::kMagenta);
  for (int x = 0; x < 8; x += 3)
    strip.Set(x, x % 4, 0x336699);
  return {
      {"a.bmp", tw::WriteBmp24(strip)},
      {"b.bmp", tw::WriteBmp24(Bitmap32(3, 9, 0x102030))},
      {"c.bmp", tw::WriteBmp24(Bitmap32(1, 1, 0xFFFFFF))},
  };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tw::PortableSkinPlatform platform;
  static tw::PortableSkinManager manager;
  static const bool installed = (tw::Seam<tw::SkinPlatform>::Install(&platform),
                                 tw::Seam<tw::SkinManagerApi>::Install(&manager), true);
  static const std::vector<tw::skinpack::ArchiveEntry> bitmaps = Bitmaps();
  (void)installed;
  manager.pending.clear();

  const std::string text(reinterpret_cast<const char*>(data), size);
  tw::TQuickIni ini;
  ini.LoadFromText(text);
  tw::TStringList sections;
  ini.ReadSections(&sections);
  for (int i = 0; i < sections.Count() && i < 8; ++i) {
    ini.ReadString(sections[i], "Image", "");
    ini.ReadInteger(sections[i], "Frame", 0);
  }

  std::vector<tw::skinpack::ArchiveEntry> entries = bitmaps;
  entries.insert(entries.begin(), {"fuzz.ini", std::vector<std::uint8_t>(data, data + size)});
  const std::vector<std::uint8_t> envelope =
      tw::SkinEnvelope(tw::skinpack::CompressArchive(tw::skinpack::BuildArchive(entries)));
  tw::TSkinData skin;
  skin.BeginReading();
  skin.SetActive(true);
  skin.ReadSkinStream(envelope);
  skin.Loaded();
  return 0;
}
