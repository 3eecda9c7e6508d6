#pragma once
// Windows BMP files: reading the skin's bitmaps (1, 4, 8, 24 and 32 bits per pixel, bottom-up
// or top-down, uncompressed or with bit-field masks) and writing 24-bit files.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "skin/model/bitmap.h"

namespace tw {

// Largest bitmap the reader accepts, in pixels; skin art is far smaller.
inline constexpr std::int64_t kMaxBmpPixels = 16 * 1024 * 1024;

// The picture of a complete BMP file, or nothing when the bytes are not a BMP this reader
// understands (never reads past the given bytes).
std::optional<Bitmap32> ReadBmp(std::span<const std::uint8_t> file);

// A bottom-up 24-bit BMP file of the bitmap.
std::vector<std::uint8_t> WriteBmp24(const Bitmap32& bitmap);

// A bottom-up 1-bit BMP file: pixels equal to `ink` become palette entry 0 (black), every other
// pixel entry 1 (white).
std::vector<std::uint8_t> WriteBmp1(const Bitmap32& bitmap, Pixel ink);

} // namespace tw
