// The kept composition: a repaint with the same key and size copies, anything else composes.

#include <gtest/gtest.h>

#include "skin/paint/frame_cache.h"

namespace tw::test {
namespace {

TEST(ComposedFrameTest, ComposesOnlyWhenTheKeyOrTheSizeChanges) {
  ComposedFrame cache;
  int calls = 0;
  auto fill = [&](Pixel colour) {
    return [&calls, colour](Bitmap32& target) {
      ++calls;
      target = Bitmap32(target.Width(), target.Height(), colour);
      return Painted::Skin;
    };
  };
  FrameKey pressed;
  pressed.Add(2).Add("OK");
  const Bitmap32* first = cache.Get(pressed, 10, 5, fill(0x112233));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(*first, Bitmap32(10, 5, 0x112233));
  // Same key and size: the kept pixels, whatever the composer would draw now.
  EXPECT_EQ(*cache.Get(pressed, 10, 5, fill(0x445566)), Bitmap32(10, 5, 0x112233));
  EXPECT_EQ(calls, 1);
  // Another state, another size, or a forgotten frame: composed again.
  FrameKey hovered;
  hovered.Add(4).Add("OK");
  EXPECT_EQ(*cache.Get(hovered, 10, 5, fill(0x445566)), Bitmap32(10, 5, 0x445566));
  EXPECT_EQ(*cache.Get(hovered, 11, 5, fill(0x778899)), Bitmap32(11, 5, 0x778899));
  cache.Forget();
  EXPECT_EQ(*cache.Get(hovered, 11, 5, fill(0x0A0B0C)), Bitmap32(11, 5, 0x0A0B0C));
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(cache.Compositions(), 4);
}

TEST(ComposedFrameTest, TheStandardLookIsKeptTooAndDrawsNothing) {
  ComposedFrame cache;
  int calls = 0;
  auto none = [&](Bitmap32&) {
    ++calls;
    return Painted::StandardLook;
  };
  FrameKey key;
  key.Add(1);
  EXPECT_EQ(cache.Get(key, 4, 4, none), nullptr);
  EXPECT_EQ(cache.Get(key, 4, 4, none), nullptr);
  EXPECT_EQ(calls, 1);
}

TEST(FrameKeyTest, TextsAreKeptApart) {
  FrameKey a;
  a.Add("ab").Add("c");
  FrameKey b;
  b.Add("a").Add("bc");
  EXPECT_NE(a.Bytes(), b.Bytes());
  FrameKey c;
  c.Add(Rect{1, 2, 3, 4});
  FrameKey d;
  d.Add(Rect{1, 2, 4, 3});
  EXPECT_NE(c.Bytes(), d.Bytes());
}

} // namespace
} // namespace tw::test
