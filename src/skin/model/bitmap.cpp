#include "skin/model/bitmap.h"

#include <algorithm>

namespace tw {

Bitmap32::Bitmap32(int width, int height, Pixel fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {
  if (width_ == 0 || height_ == 0) {
    width_ = height_ = 0;
    pixels_.clear();
  }
}

} // namespace tw
