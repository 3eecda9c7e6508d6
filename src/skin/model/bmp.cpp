#include "skin/model/bmp.h"

#include <array>
#include <bit>

#include "runtime/little_endian.h"

namespace tw {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;

class Reader {
public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::uint32_t U16(std::size_t at) const { return le::U16(bytes_, at); }
  std::uint32_t U32(std::size_t at) const { return le::U32(bytes_, at); }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::uint8_t Byte(std::size_t at) const { return bytes_[at]; }

private:
  std::span<const std::uint8_t> bytes_;
};

// One channel of a bit-field mask scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (m != 0) {
      shift = std::countr_zero(m);
      bits = std::popcount(m);
    }
  }
  int Extract(std::uint32_t value) const {
    if (mask == 0)
      return 0;
    const std::uint32_t v = (value & mask) >> shift;
    if (bits >= 8)
      return static_cast<int>(v >> (bits - 8));
    return static_cast<int>((v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
  }
};

} // namespace

std::optional<Bitmap32> ReadBmp(std::span<const std::uint8_t> file) {
  const Reader in(file);
  if (!in.Has(0, kFileHeaderSize + 4) || file[0] != 'B' || file[1] != 'M')
    return std::nullopt;
  const std::uint32_t dataOffset = in.U32(10);
  const std::uint32_t headerSize = in.U32(14);
  if (headerSize < kCoreHeaderSize || !in.Has(kFileHeaderSize, headerSize))
    return std::nullopt;

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colorsUsed = 0;
  std::size_t paletteEntrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    width = in.U16(18);
    height = static_cast<std::int16_t>(in.U16(20));
    bitCount = in.U16(24);
    paletteEntrySize = 3;
  } else {
    if (headerSize < 40)
      return std::nullopt;
    width = in.I32(18);
    height = in.I32(22);
    bitCount = in.U16(28);
    compression = in.U32(30);
    colorsUsed = in.U32(46);
  }
  const bool topDown = height < 0;
  if (topDown)
    height = -height;
  if (width <= 0 || height <= 0 || width * height > kMaxBmpPixels)
    return std::nullopt;

  std::uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
  std::size_t paletteOffset = kFileHeaderSize + headerSize;
  if (compression == kBiBitFields) {
    if (bitCount != 32 && bitCount != 16)
      return std::nullopt;
    // Masks follow a 40-byte header; larger headers carry them inside.
    const std::size_t maskAt = kFileHeaderSize + 40;
    if (!in.Has(maskAt, 12))
      return std::nullopt;
    for (int i = 0; i < 3; ++i)
      masks[i] = in.U32(maskAt + 4 * i);
    if (headerSize == 40)
      paletteOffset += 12;
  } else if (compression != kBiRgb) {
    return std::nullopt;
  }
  if (bitCount == 16 && compression == kBiRgb) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }

  std::array<Pixel, 256> palette{};
  std::uint32_t paletteCount = 0;
  if (bitCount == 1 || bitCount == 4 || bitCount == 8) {
    const std::uint32_t maxColours = 1u << bitCount;
    paletteCount = colorsUsed == 0 || colorsUsed > maxColours ? maxColours : colorsUsed;
    // A palette cut short by the pixel data keeps only the entries that fit before it.
    for (std::uint32_t i = 0; i < paletteCount; ++i) {
      const std::size_t at = paletteOffset + i * paletteEntrySize;
      if (!in.Has(at, 3) || (dataOffset >= paletteOffset && at + 3 > dataOffset)) {
        paletteCount = i;
        break;
      }
      palette[i] = MakePixel(in.Byte(at + 2), in.Byte(at + 1), in.Byte(at));
    }
  } else if (bitCount != 16 && bitCount != 24 && bitCount != 32) {
    return std::nullopt;
  }

  const std::int64_t stride = ((width * bitCount + 31) / 32) * 4;
  if (!in.Has(dataOffset, static_cast<std::size_t>(stride * height)))
    return std::nullopt;

  const Channel red(masks[0]);
  const Channel green(masks[1]);
  const Channel blue(masks[2]);
  Bitmap32 bitmap(static_cast<int>(width), static_cast<int>(height));
  for (std::int64_t row = 0; row < height; ++row) {
    const std::size_t rowAt = dataOffset + static_cast<std::size_t>(row * stride);
    const int y = static_cast<int>(topDown ? row : height - 1 - row);
    std::span<Pixel> target = bitmap.Row(y);
    for (std::int64_t x = 0; x < width; ++x) {
      Pixel p = 0;
      switch (bitCount) {
      case 1:
      case 4:
      case 8: {
        const std::int64_t bit = x * bitCount;
        const std::uint8_t byte = in.Byte(rowAt + static_cast<std::size_t>(bit / 8));
        const int shift = 8 - bitCount - static_cast<int>(bit % 8);
        const std::uint32_t index = (byte >> shift) & ((1u << bitCount) - 1);
        p = index < paletteCount ? palette[index] : 0; // indices past the palette read black
        break;
      }
      case 16: {
        const std::uint32_t v = in.U16(rowAt + static_cast<std::size_t>(x * 2));
        p = MakePixel(red.Extract(v), green.Extract(v), blue.Extract(v));
        break;
      }
      case 24: {
        const std::size_t at = rowAt + static_cast<std::size_t>(x * 3);
        p = MakePixel(in.Byte(at + 2), in.Byte(at + 1), in.Byte(at));
        break;
      }
      default: {
        const std::uint32_t v = in.U32(rowAt + static_cast<std::size_t>(x * 4));
        p = MakePixel(red.Extract(v), green.Extract(v), blue.Extract(v));
        break;
      }
      }
      target[static_cast<std::size_t>(x)] = p;
    }
  }
  return bitmap;
}

namespace {

using le::PutU16;
using le::PutU32;

std::vector<std::uint8_t> Headers(const Bitmap32& bitmap, int bitCount, std::uint32_t paletteBytes,
                                  std::uint32_t imageBytes, std::uint32_t colours) {
  std::vector<std::uint8_t> out;
  const std::uint32_t offset = 14 + 40 + paletteBytes;
  out.push_back('B');
  out.push_back('M');
  PutU32(out, offset + imageBytes);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
  PutU32(out, static_cast<std::uint32_t>(bitmap.Height()));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(bitCount));
  PutU32(out, kBiRgb);
  PutU32(out, imageBytes);
  PutU32(out, 2835); // 72 dpi
  PutU32(out, 2835);
  PutU32(out, colours);
  PutU32(out, 0);
  return out;
}

} // namespace

std::vector<std::uint8_t> WriteBmp24(const Bitmap32& bitmap) {
  const std::uint32_t stride = ((static_cast<std::uint32_t>(bitmap.Width()) * 24 + 31) / 32) * 4;
  const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(bitmap.Height());
  std::vector<std::uint8_t> out = Headers(bitmap, 24, 0, imageBytes, 0);
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (Pixel p : bitmap.Row(y)) {
      out.push_back(static_cast<std::uint8_t>(PixelBlue(p)));
      out.push_back(static_cast<std::uint8_t>(PixelGreen(p)));
      out.push_back(static_cast<std::uint8_t>(PixelRed(p)));
    }
    out.resize(rowStart + stride, 0);
  }
  return out;
}

std::vector<std::uint8_t> WriteBmp1(const Bitmap32& bitmap, Pixel ink) {
  const std::uint32_t stride = ((static_cast<std::uint32_t>(bitmap.Width()) + 31) / 32) * 4;
  const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(bitmap.Height());
  std::vector<std::uint8_t> out = Headers(bitmap, 1, 8, imageBytes, 2);
  PutU32(out, 0x000000);
  PutU32(out, 0xFFFFFF);
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.At(x, y) != ink)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

} // namespace tw
