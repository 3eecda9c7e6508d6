#pragma once
// The skin's in-memory raster: 32-bit pixels 0x00RRGGBB, row-major, top row first. Every skin
// bitmap is held this way after loading, whatever its file's bit depth.

#include <cstdint>
#include <span>
#include <vector>

namespace tw {

using Pixel = std::uint32_t;

inline constexpr Pixel kMagenta = 0xFF00FF; // the transparent colour of every skin bitmap

constexpr Pixel MakePixel(int red, int green, int blue) {
  return (static_cast<Pixel>(red & 0xFF) << 16) | (static_cast<Pixel>(green & 0xFF) << 8) |
         static_cast<Pixel>(blue & 0xFF);
}
constexpr int PixelRed(Pixel p) {
  return static_cast<int>((p >> 16) & 0xFF);
}
constexpr int PixelGreen(Pixel p) {
  return static_cast<int>((p >> 8) & 0xFF);
}
constexpr int PixelBlue(Pixel p) {
  return static_cast<int>(p & 0xFF);
}

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  // Left and top edges inside, right and bottom outside.
  constexpr bool Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  static constexpr Rect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

class Bitmap32 {
public:
  Bitmap32() = default;
  // Sizes below zero count as zero.
  Bitmap32(int width, int height, Pixel fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  Pixel At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  void Set(int x, int y, Pixel p) { pixels_[static_cast<std::size_t>(y) * width_ + x] = p; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  std::span<Pixel> Row(int y) {
    return {pixels_.data() + static_cast<std::size_t>(y) * width_,
            static_cast<std::size_t>(width_)};
  }
  std::span<const Pixel> Row(int y) const {
    return {pixels_.data() + static_cast<std::size_t>(y) * width_,
            static_cast<std::size_t>(width_)};
  }
  std::span<const Pixel> Pixels() const { return pixels_; }
  void Clear() { *this = Bitmap32(); }

  friend bool operator==(const Bitmap32&, const Bitmap32&) = default;

private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

} // namespace tw
