// BMP files through the reader, and what it reads through the nine-slice render.
#include <cstdint>

#include "skin/model/bmp.h"
#include "skin/model/raster.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bitmap = tw::ReadBmp(std::span<const std::uint8_t>(data, size));
  if (!bitmap || size < 4)
    return 0;
  // Derive render parameters from the first bytes, small enough to stay fast.
  tw::NineSlice slice;
  slice.width = data[0] % 64;
  slice.height = data[1] % 64;
  slice.margins = {data[2] % 9, data[3] % 9, data[2] % 7, data[3] % 7};
  slice.centre = (data[0] & 0x80) != 0 ? tw::CentreFill::Tile : tw::CentreFill::Stretch;
  slice.orientation =
      (data[1] & 0x80) != 0 ? tw::StripOrientation::Vertical : tw::StripOrientation::Horizontal;
  slice.frameCount = 1 + data[2] % 6;
  slice.frame = data[3] % 8;
  const tw::Bitmap32 rendered = tw::RenderNineSlice(*bitmap, slice);
  tw::Bitmap32 target(48, 48);
  tw::DrawFrameCentred(target, tw::Rect{0, 0, 48, 48}, *bitmap, slice.frameCount, slice.frame,
                       tw::Transparency::Magenta);
  tw::ThreeSlice three;
  three.left = slice.margins.left;
  three.right = slice.margins.right;
  three.frameCount = slice.frameCount;
  three.frame = slice.frame;
  tw::DrawThreeSlice(target, tw::Rect{3, 3, 40, 30}, *bitmap, three, tw::Transparency::Opaque);
  (void)rendered;
  return 0;
}
