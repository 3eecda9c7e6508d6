#include "skin_test_support.h"

#include "skin/model/bmp.h"
#include "skin/model/skin_data.h"

namespace tw::test {

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> SkinFileOf(const std::vector<skinpack::ArchiveEntry>& entries) {
  return skinpack::CompressArchive(skinpack::BuildArchive(entries));
}

std::vector<std::uint8_t> EnvelopeOf(const std::vector<skinpack::ArchiveEntry>& entries) {
  return SkinEnvelope(SkinFileOf(entries));
}

std::vector<std::uint8_t> CompressRaw(const std::vector<std::uint8_t>& archive) {
  return skinpack::CompressArchive(archive);
}

std::vector<std::uint8_t> SolidBmp(int width, int height, Pixel colour) {
  return WriteBmp24(Bitmap32(width, height, colour));
}

} // namespace tw::test
