#include "skin/model/skin_objects.h"

namespace tw {

void TDataSkinObject::Draw(Bitmap32& target, Rect to, int frame,
                           StripOrientation orientation) const {
  NineSlice slice;
  slice.margins = ElementMargins();
  slice.centre = Tile == 1 ? CentreFill::Tile : CentreFill::Stretch;
  slice.orientation = orientation;
  slice.frameCount = FrameCount;
  slice.frame = frame;
  DrawNineSlice(target, to, Bitmap, slice, ElementTransparency());
}

} // namespace tw
