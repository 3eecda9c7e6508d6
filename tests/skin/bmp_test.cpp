#include <gtest/gtest.h>

#include "skin/model/bmp.h"

namespace tw {
namespace {

void Put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// A BMP with a 40-byte header, the given palette and raw row bytes (already padded).
std::vector<std::uint8_t> MakeBmp(int width, int height, int bits,
                                  std::vector<std::uint32_t> palette,
                                  const std::vector<std::uint8_t>& rows,
                                  std::uint32_t compression = 0,
                                  std::vector<std::uint32_t> masks = {}) {
  std::vector<std::uint8_t> v = {'B', 'M'};
  const std::uint32_t offset =
      14 + 40 + 4 * static_cast<std::uint32_t>(palette.size() + masks.size());
  Put32(v, offset + static_cast<std::uint32_t>(rows.size()));
  Put32(v, 0);
  Put32(v, offset);
  Put32(v, 40);
  Put32(v, static_cast<std::uint32_t>(width));
  Put32(v, static_cast<std::uint32_t>(height));
  Put16(v, 1);
  Put16(v, static_cast<std::uint32_t>(bits));
  Put32(v, compression);
  Put32(v, static_cast<std::uint32_t>(rows.size()));
  Put32(v, 0);
  Put32(v, 0);
  Put32(v, static_cast<std::uint32_t>(palette.size()));
  Put32(v, 0);
  for (auto m : masks)
    Put32(v, m);
  for (auto p : palette)
    Put32(v, p);
  v.insert(v.end(), rows.begin(), rows.end());
  return v;
}

TEST(BmpTest, TwentyFourBitBottomUpWithPadding) {
  // 2 x 2: bottom row first, each row padded to 8 bytes.
  const std::vector<std::uint8_t> rows = {
      0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,  // bottom: red, green
      0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0}; // top: blue, white
  const auto bmp = ReadBmp(MakeBmp(2, 2, 24, {}, rows));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->At(0, 0), 0x0000FFu);
  EXPECT_EQ(bmp->At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(bmp->At(0, 1), 0xFF0000u);
  EXPECT_EQ(bmp->At(1, 1), 0x00FF00u);
}

TEST(BmpTest, TopDownThirtyTwoBit) {
  const std::vector<std::uint8_t> rows = {0x01, 0x02, 0x03, 0x00, 0x04, 0x05, 0x06, 0x00};
  const auto bmp = ReadBmp(MakeBmp(1, -2, 32, {}, rows));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->At(0, 0), 0x030201u);
  EXPECT_EQ(bmp->At(0, 1), 0x060504u);
}

TEST(BmpTest, ThirtyTwoBitBitFields) {
  const std::vector<std::uint8_t> rows = {0x11, 0x22, 0x33, 0x44};
  // Masks putting red in the low byte.
  const auto bmp = ReadBmp(MakeBmp(1, 1, 32, {}, rows, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->At(0, 0), MakePixel(0x11, 0x22, 0x33));
}

TEST(BmpTest, PalettedDepths) {
  // 1 bit: 10 pixels -> 2 bytes, padded to 4.
  const auto one = ReadBmp(MakeBmp(10, 1, 1, {0x000000, 0xFFFFFF}, {0b10100000, 0b01000000, 0, 0}));
  ASSERT_TRUE(one);
  EXPECT_EQ(one->At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(one->At(1, 0), 0x000000u);
  EXPECT_EQ(one->At(2, 0), 0xFFFFFFu);
  EXPECT_EQ(one->At(9, 0), 0xFFFFFFu);

  const auto four = ReadBmp(MakeBmp(3, 1, 4, {0x111111, 0x222222, 0x333333}, {0x21, 0x00, 0, 0}));
  ASSERT_TRUE(four);
  EXPECT_EQ(four->At(0, 0), 0x333333u);
  EXPECT_EQ(four->At(1, 0), 0x222222u);
  EXPECT_EQ(four->At(2, 0), 0x111111u);

  const auto eight = ReadBmp(MakeBmp(2, 1, 8, {0xAABBCC, 0x010203}, {1, 7, 0, 0}));
  ASSERT_TRUE(eight);
  EXPECT_EQ(eight->At(0, 0), 0x010203u);
  EXPECT_EQ(eight->At(1, 0), 0x000000u); // past the palette reads black
}

TEST(BmpTest, RejectsDamagedFiles) {
  const auto good = MakeBmp(2, 2, 24, {}, std::vector<std::uint8_t>(16, 0));
  EXPECT_TRUE(ReadBmp(good));
  auto truncated = good;
  truncated.resize(truncated.size() - 1);
  EXPECT_FALSE(ReadBmp(truncated));
  auto notBm = good;
  notBm[0] = 'X';
  EXPECT_FALSE(ReadBmp(notBm));
  EXPECT_FALSE(ReadBmp(MakeBmp(0, 2, 24, {}, {})));
  EXPECT_FALSE(ReadBmp(MakeBmp(2, 2, 7, {}, std::vector<std::uint8_t>(16, 0))));
  EXPECT_FALSE(ReadBmp(MakeBmp(2, 2, 8, {}, std::vector<std::uint8_t>(8, 0), 1))); // RLE8
  EXPECT_FALSE(ReadBmp(MakeBmp(100000, 100000, 24, {}, {})));
  EXPECT_FALSE(ReadBmp({}));
}

TEST(BmpTest, WriteThenReadRoundTrips) {
  Bitmap32 b(3, 2);
  b.Set(0, 0, 0x123456);
  b.Set(2, 1, kMagenta);
  const auto back = ReadBmp(WriteBmp24(b));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, b);
}

TEST(BmpTest, OneBitWriterMarksInkAsEntryZero) {
  Bitmap32 b(9, 1, 0xFFFFFF);
  b.Set(3, 0, 0);
  const auto back = ReadBmp(WriteBmp1(b, 0));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, b);
}

} // namespace
} // namespace tw
