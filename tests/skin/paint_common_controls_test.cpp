// Headers, status bars, track bars and up-down controls composed with the shipped skin,
// compared pixel by pixel with the frames of the skin's own element bitmaps.

#include "skin/model/embedded_skin.h"
#include "skin/model/skin_data.h"
#include "skin/paint/paint_panels.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

class PaintCommonControlsTest : public EmbeddedSkinTest {
protected:
  Pixel Face() const { return ColourToPixel(Skin().ButtonFaceBrush); }
  // Pixel (x, y) of the element's frame drawn alone, over ButtonFace, into a rectangle of the
  // given size: what a composer must show there.
  Pixel Alone(SkinElement e, int frame, int width, int height, int x, int y) const {
    Bitmap32 alone(width, height, Face());
    El(e).Draw(alone, alone.Bounds(), frame);
    return alone.At(x, y);
  }

  BlockTextPainter text;
};

TEST_F(PaintCommonControlsTest, HeaderSectionsTakeTheirStateFramesAndTheRestIsNormal) {
  Bitmap32 header(200, 22);
  HeaderPaint paint;
  paint.sections = {{{0, 0, 100, 22}, "Key", SectionState::Hovered},
                    {{100, 0, 160, 22}, "", SectionState::Pressed}};
  paint.fontColour = MakeColour(1, 2, 3);
  ASSERT_EQ(ComposeHeader(header, Skin(), paint, text), Painted::Skin);
  // Each section is its frame nine-sliced to the section's size; the rest, frame 1.
  for (const auto& [x, y] : {std::pair{0, 0}, {99, 21}, {50, 1}, {3, 20}})
    EXPECT_EQ(header.At(x, y), Alone(SkinElement::Headerbar, 2, 100, 22, x, y)) << x << "," << y;
  for (const auto& [x, y] : {std::pair{0, 0}, {59, 21}, {30, 1}})
    EXPECT_EQ(header.At(100 + x, y), Alone(SkinElement::Headerbar, 3, 60, 22, x, y)) << x;
  for (const auto& [x, y] : {std::pair{0, 0}, {39, 21}, {20, 10}})
    EXPECT_EQ(header.At(160 + x, y), Alone(SkinElement::Headerbar, 1, 40, 22, x, y)) << x;
  // The frames differ where the test looks, so a wrong frame cannot pass.
  EXPECT_NE(Alone(SkinElement::Headerbar, 1, 60, 22, 30, 1),
            Alone(SkinElement::Headerbar, 3, 60, 22, 30, 1));
  // "Key": three cells 4 pixels in, centred vertically (22 - 10) / 2 = 6.
  const Pixel ink = MakePixel(1, 2, 3);
  EXPECT_EQ(header.At(4, 6), ink);
  EXPECT_EQ(header.At(20, 14), ink);
  EXPECT_NE(header.At(3, 6), ink);
  EXPECT_NE(header.At(4, 5), ink);
  EXPECT_NE(header.At(22, 10), ink);
}

TEST_F(PaintCommonControlsTest, StatusBarPanelsOverTheBarAndTheGripInTheCorner) {
  Bitmap32 bar(300, 20);
  StatusBarPaint paint;
  paint.panels = {{{0, 2, 120, 20}, "Ready"}};
  paint.grip = SizeGrip::Shown;
  paint.fontColour = MakeColour(9, 8, 7);
  ASSERT_EQ(ComposeStatusBar(bar, Skin(), paint, text), Painted::Skin);
  const Bitmap32& strip = El(SkinElement::StatusBarEdges).Bitmap;
  // The panel's right edge is frame 2's separator line; the bar beyond it frame 1.
  EXPECT_EQ(bar.At(119, 10), strip.At(23, 10));
  EXPECT_EQ(bar.At(200, 0), Alone(SkinElement::StatusBarEdges, 1, 300, 20, 200, 0));
  EXPECT_NE(bar.At(119, 10), bar.At(200, 10));
  // The grip's dots sit in the corner; its magenta lets the bar through.
  EXPECT_EQ(bar.At(293, 16), strip.At(33, 16));
  EXPECT_EQ(bar.At(282, 2), Alone(SkinElement::StatusBarEdges, 1, 300, 20, 282, 2));
  // "Ready" 4 pixels into the panel.
  EXPECT_EQ(bar.At(4, 6), MakePixel(9, 8, 7));
  EXPECT_NE(bar.At(3, 6), MakePixel(9, 8, 7));
}

TEST_F(PaintCommonControlsTest, TrackBarThumbFrameFollowsStateAndTheChannelIsTheTrack) {
  const Rect channel{8, 12, 192, 18};
  const Rect thumb{60, 5, 71, 24};
  struct Case {
    ThumbState state;
    ControlEnabled enabled;
    ControlFocus focus;
    int frame;
  };
  for (const Case c :
       {Case{ThumbState::Normal, ControlEnabled::Enabled, ControlFocus::Unfocused, 1},
        Case{ThumbState::Pressed, ControlEnabled::Enabled, ControlFocus::Focused, 3},
        Case{ThumbState::Normal, ControlEnabled::Enabled, ControlFocus::Focused, 5},
        Case{ThumbState::Hovered, ControlEnabled::Disabled, ControlFocus::Focused, 4}}) {
    Bitmap32 track(200, 30);
    TrackBarPaint paint;
    paint.channel = channel;
    paint.thumb = thumb;
    paint.thumbState = c.state;
    paint.enabled = c.enabled;
    paint.focus = c.focus;
    ASSERT_EQ(ComposeTrackBar(track, Skin(), paint), Painted::Skin);
    Bitmap32 expected(200, 30, Face());
    El(SkinElement::Track).Draw(expected, channel, 1);
    El(SkinElement::TrackbarThumbHorz).Draw(expected, thumb, c.frame);
    EXPECT_EQ(track, expected) << "frame " << c.frame;
  }
  // The vertical bar takes the vertical channel and thumb.
  Bitmap32 vertical(30, 100);
  TrackBarPaint paint;
  paint.orientation = BarOrientation::Vertical;
  paint.channel = {12, 8, 18, 92};
  paint.thumb = {5, 40, 24, 51};
  ASSERT_EQ(ComposeTrackBar(vertical, Skin(), paint), Painted::Skin);
  Bitmap32 expected(30, 100, Face());
  El(SkinElement::TrackVert).Draw(expected, paint.channel, 1);
  El(SkinElement::TrackbarThumbVert).Draw(expected, paint.thumb, 1);
  EXPECT_EQ(vertical, expected);
}

TEST_F(PaintCommonControlsTest, UpDownHalvesTakeTheirFramesAndArrows) {
  const auto& element = static_cast<const TDataSkinBorder&>(El(SkinElement::UpDownVert));
  ASSERT_EQ(element.FrameCount, 8);
  ASSERT_FALSE(element.Bitmap2.Empty());
  Bitmap32 updown(16, 24);
  UpDownPaint paint;
  paint.hot = UpDownPart::Second;
  paint.pressed = UpDownPart::First;
  ASSERT_EQ(ComposeUpDown(updown, Skin(), paint), Painted::Skin);
  // Top half pressed (frame 3) with the up arrow, bottom half hovered (frame 6), down arrow.
  Bitmap32 expected(16, 24, Face());
  element.Draw(expected, {0, 0, 16, 12}, 3);
  element.Draw(expected, {0, 12, 16, 24}, 6);
  DrawFrameCentred(expected, {0, 0, 16, 12}, element.Bitmap2, 2, 1, Transparency::Magenta);
  DrawFrameCentred(expected, {0, 12, 16, 24}, element.Bitmap2, 2, 2, Transparency::Magenta);
  EXPECT_EQ(updown, expected);
  // The arrows differ: the up arrow's tip is on top, the down arrow's at the bottom.
  EXPECT_NE(updown.At(8, 4), updown.At(8, 12 + 4));
  // Disabled: frames 4 and 8 whatever the pointer does.
  paint.enabled = ControlEnabled::Disabled;
  ComposeUpDown(updown, Skin(), paint);
  Bitmap32 disabled(16, 24, Face());
  element.Draw(disabled, {0, 0, 16, 12}, 4);
  element.Draw(disabled, {0, 12, 16, 24}, 8);
  EXPECT_EQ(updown.At(0, 6), disabled.At(0, 6));
  EXPECT_EQ(updown.At(15, 18), disabled.At(15, 18));
}

} // namespace
} // namespace tw::test
