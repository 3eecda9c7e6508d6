// The non-client frame composed off-screen, checked pixel by pixel on a skin whose every
// element has colours of its own, and at a few points on the embedded skin.

#include "skin/model/embedded_skin.h"
#include "skin/model/skin_data.h"
#include "skin/paint/form_frame.h"
#include "skin/paint/nc_object.h"
#include "skin_test_support.h"
#include "support/recording_host.h"

namespace tw::test {
namespace {

constexpr Pixel kLeftTop = 0x330000, kLeftMid = 0x110000, kLeftBottom = 0x440000,
                kLeftInactive = 0x220000;
constexpr Pixel kRight = 0x001100, kRightInactive = 0x002200;
constexpr Pixel kTop = 0x0000AA, kTopInactive = 0x0000BB;
constexpr Pixel kBottom = 0x00AA00, kBottomInactive = 0x00BB00;
constexpr Pixel kBackLeft = 0xC0C0C0, kBackMid = 0xD0D0D0, kBackRight = 0xE0E0E0;
constexpr Pixel kIcon = 0x2060A0;
constexpr Pixel kTextMark = 0x123456;
constexpr Pixel kClient = 0x777777;

// Two frames side by side (w each), each a solid colour.
Bitmap32 TwoFrames(int w, int h, Pixel first, Pixel second, StripOrientation o) {
  const bool horizontal = o == StripOrientation::Horizontal;
  Bitmap32 b(horizontal ? 2 * w : w, horizontal ? h : 2 * h, second);
  FillRect(b, Rect::FromSize(0, 0, w, h), first);
  return b;
}

class FrameComposeTest : public testing::Test {
protected:
  void SetUp() override {
    TDataSkinBorder& left = skin.Border(BorderSide::Left);
    left.Bitmap = TwoFrames(4, 10, kLeftMid, kLeftInactive, StripOrientation::Horizontal);
    FillRect(left.Bitmap, Rect{0, 0, 4, 3}, kLeftTop);
    FillRect(left.Bitmap, Rect{0, 8, 4, 10}, kLeftBottom);
    left.FrameCount = 2;
    left.TopHeight = 3;
    left.BottomHeight = 2;
    left.Tile = 1; // Stretch=1
    TDataSkinBorder& right = skin.Border(BorderSide::Right);
    right.Bitmap = TwoFrames(3, 10, kRight, kRightInactive, StripOrientation::Horizontal);
    right.FrameCount = 2;
    right.Tile = 1;
    TDataSkinBorder& top = skin.Border(BorderSide::Top);
    top.Bitmap = TwoFrames(6, 20, kTop, kTopInactive, StripOrientation::Vertical);
    top.FrameCount = 2;
    top.Tile = 1;
    TDataSkinBorder& bottom = skin.Border(BorderSide::Bottom);
    bottom.Bitmap = TwoFrames(6, 4, kBottom, kBottomInactive, StripOrientation::Vertical);
    bottom.FrameCount = 2;
    bottom.Tile = 1;

    // TextBack: two stacked 12 x 8 frames, 3-pixel margins of their own colours.
    TDataSkinTitle& title = skin.Title;
    title.Bitmap = Bitmap32(12, 16, 0x101010);
    FillRect(title.Bitmap, Rect{0, 0, 3, 8}, kBackLeft);
    FillRect(title.Bitmap, Rect{3, 0, 9, 8}, kBackMid);
    FillRect(title.Bitmap, Rect{9, 0, 12, 8}, kBackRight);
    title.Bitmap.Set(5, 0, kMagenta);
    title.FrameCount = 2;
    title.TXTBackleft = 3;
    title.TXTBackRight = 3;
    title.LeftWidth = 24; // TextShift
    title.RightWidth = 20;
    skin.Colours[static_cast<std::size_t>(SkinColour::TitleTextActive)] = 0x0000FF;
    skin.Colours[static_cast<std::size_t>(SkinColour::TitleTextNoActive)] = 0x00FF00;
    skin.ButtonFaceBrush = MakeColour(1, 2, 3);

    // Close: four 6 x 6 frames of grey levels 1 to 4, each with a magenta corner pixel.
    TDataSkinSysButton close;
    close.Action = 0;
    close.Align = 1;
    close.XCoord = 12;
    close.YCoord = 4;
    close.FrameCount = 4;
    close.Bitmap = Bitmap32(24, 6);
    for (int k = 0; k < 4; ++k) {
      FillRect(close.Bitmap, Rect::FromSize(6 * k, 0, 6, 6), 0x010101u * (k + 1));
      close.Bitmap.Set(6 * k, 0, kMagenta);
    }
    TDataSkinSysButton iconButton;
    iconButton.Action = 3;
    iconButton.XCoord = 5;
    iconButton.YCoord = 6;
    skin.SysButtons = {close, iconButton};

    icon = Bitmap32(8, 8, kIcon);
    icon.Set(0, 0, kMagenta);
    buttons = FormCaptionButtons(skin, icon);
  }

  FrameImageInput Input(Activity activity, WindowState state = WindowState::Normal) {
    FrameImageInput in;
    in.skin = &skin;
    in.width = kWidth;
    in.height = kHeight;
    in.facts.border = BorderStyle::Sizeable;
    in.facts.state = state;
    in.facts.activity = activity;
    in.facts.icons = BorderIcons{BorderIcon::SystemMenu};
    in.geometry = ComputeGeometry(skin, in.facts.border, WindowMenu::Absent, MdiRole::None, {});
    LayoutInput li;
    li.windowWidth = kWidth;
    li.windowHeight = kHeight;
    li.geometry = in.geometry;
    li.facts = in.facts;
    li.textWidth = 30;
    li.textHeight = 8;
    layout = LayoutFrame(skin, buttons, li, nullptr);
    in.layout = &layout;
    in.buttons = buttons;
    in.icon = &icon;
    in.caption = " Trailwick";
    return in;
  }

  Bitmap32 Compose(const FrameImageInput& in) {
    const CaptionTextPainter paint = [this](Bitmap32& target, Rect r, const std::string& text,
                                            TColor colour, TextDirection direction) {
      painted.push_back({r, text, colour, direction});
      target.Set(r.left, r.top, kTextMark);
    };
    return FlattenFrame(ComposeFrame(in, paint), kWidth, kHeight, kClient);
  }

  struct Painted {
    Rect rect;
    std::string text;
    TColor colour;
    TextDirection direction;
  };

  static constexpr int kWidth = 120;
  static constexpr int kHeight = 60;
  SkinModel skin;
  Bitmap32 icon;
  std::vector<TDataSkinSysButton> buttons;
  FrameLayout layout;
  std::vector<Painted> painted;
};

TEST_F(FrameComposeTest, ActiveFrame) {
  const Bitmap32 f = Compose(Input(Activity::Active));
  // Geometry from one frame of each border: 4 / 20 / 3 / 4.
  EXPECT_EQ(layout.buttons[0].rect, Rect::FromSize(108, 4, 6, 6));
  // Left strip: the corner rows 1:1, the middle stretched, the bottom rows 1:1.
  EXPECT_EQ(f.At(0, 0), kLeftTop);
  EXPECT_EQ(f.At(3, 2), kLeftTop);
  EXPECT_EQ(f.At(0, 3), kLeftMid);
  EXPECT_EQ(f.At(3, 57), kLeftMid);
  EXPECT_EQ(f.At(0, 58), kLeftBottom);
  EXPECT_EQ(f.At(3, 59), kLeftBottom);
  // Right strip, caption between the strips, bottom between the strips.
  EXPECT_EQ(f.At(117, 0), kRight);
  EXPECT_EQ(f.At(119, 59), kRight);
  EXPECT_EQ(f.At(4, 0), kTop);
  EXPECT_EQ(f.At(116, 19), kTop);
  EXPECT_EQ(f.At(4, 56), kBottom);
  EXPECT_EQ(f.At(116, 59), kBottom);
  // The client area is left alone.
  EXPECT_EQ(f.At(4, 20), kClient);
  EXPECT_EQ(f.At(116, 55), kClient);
  // Close button in frame 1, its magenta corner showing the caption beneath.
  EXPECT_EQ(f.At(108, 4), kTop);
  EXPECT_EQ(f.At(109, 4), 0x010101u);
  EXPECT_EQ(f.At(113, 9), 0x010101u);
  EXPECT_EQ(f.At(114, 9), kTop);
  // The icon button shows the icon (8 x 8) with its magenta left out.
  EXPECT_EQ(f.At(5, 6), kTop);
  EXPECT_EQ(f.At(6, 6), kIcon);
  EXPECT_EQ(f.At(12, 13), kIcon);
  EXPECT_EQ(f.At(13, 13), kTop);
  // TextBack at TextShift 24, frame height 8 centred in the 20-pixel caption (rows 6 to 13):
  // left margin, middle (its magenta pixel transparent), then the text inside the margins.
  EXPECT_EQ(layout.text.back, (Rect{24, 6, 24 + 36, 14}));
  EXPECT_EQ(f.At(24, 6), kBackLeft);
  EXPECT_EQ(f.At(26, 13), kBackLeft);
  EXPECT_EQ(f.At(29, 6), kTop); // the magenta pixel of the middle
  EXPECT_EQ(f.At(57, 13), kBackRight);
  EXPECT_EQ(f.At(23, 6), kTop);
  EXPECT_EQ(f.At(60, 6), kTop);
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].rect, (Rect{27, 6, 57, 14}));
  EXPECT_EQ(painted[0].text, " Trailwick");
  EXPECT_EQ(painted[0].colour, 0x0000FF);
  EXPECT_EQ(painted[0].direction, TextDirection::LeftToRight);
  EXPECT_EQ(f.At(27, 6), kTextMark);
}

TEST_F(FrameComposeTest, InactiveFrameUsesSecondFramesAndTheInactiveColour) {
  const Bitmap32 f = Compose(Input(Activity::Inactive));
  EXPECT_EQ(f.At(0, 30), kLeftInactive);
  EXPECT_EQ(f.At(118, 30), kRightInactive);
  EXPECT_EQ(f.At(50, 2), kTopInactive);
  EXPECT_EQ(f.At(50, 58), kBottomInactive);
  EXPECT_EQ(f.At(110, 6), 0x040404u); // four frames: frame 4 while inactive
  EXPECT_EQ(f.At(24, 6), 0x101010u);  // the TextBack's second frame
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].colour, 0x00FF00);
}

TEST_F(FrameComposeTest, HoverRepaintNeedsOnlyTheCaption) {
  FrameImageInput in = Input(Activity::Active);
  layout.buttons[0].state = NcState::Hover;
  const Bitmap32 caption = ComposeCaption(in, nullptr);
  EXPECT_EQ(caption.Width(), kWidth);
  EXPECT_EQ(caption.Height(), 20);
  EXPECT_EQ(caption.At(110, 6), 0x020202u);
  layout.buttons[0].state = NcState::Pressed;
  EXPECT_EQ(ComposeCaption(in, nullptr).At(110, 6), 0x030303u);
  // The caption's corners are the side strips' top rows.
  EXPECT_EQ(caption.At(0, 0), kLeftTop);
  EXPECT_EQ(caption.At(119, 0), kRight);
}

TEST_F(FrameComposeTest, MinimizedDrawsOnlyTheCaptionOverButtonFace) {
  const FramePieces pieces = ComposeFrame(Input(Activity::Active, WindowState::Minimized), {});
  EXPECT_TRUE(pieces.left.image.Empty());
  EXPECT_TRUE(pieces.bottom.image.Empty());
  ASSERT_EQ(pieces.caption.image.Width(), kWidth);
  EXPECT_EQ(pieces.caption.image.At(0, 0), kTop); // the Top border across the whole width
}

TEST_F(FrameComposeTest, NothingForWindowsWithoutCaptionOrAMaximizedMdiChild) {
  FrameImageInput in = Input(Activity::Active);
  in.facts.border = BorderStyle::None;
  EXPECT_TRUE(ComposeFrame(in, {}).caption.image.Empty());
  in = Input(Activity::Active, WindowState::Maximized);
  in.facts.role = MdiRole::Child;
  EXPECT_TRUE(ComposeFrame(in, {}).left.image.Empty());
}

TEST_F(FrameComposeTest, MenuBarStripIsButtonFace) {
  FrameImageInput in = Input(Activity::Active);
  in.geometry.menuBar = 19;
  const FramePieces pieces = ComposeFrame(in, {});
  EXPECT_EQ(pieces.menuBar.at, (Point{4, 20}));
  ASSERT_EQ(pieces.menuBar.image.Width(), 120 - 4 - 3);
  EXPECT_EQ(pieces.menuBar.image.Height(), 19);
  EXPECT_EQ(pieces.menuBar.image.At(0, 0), MakePixel(1, 2, 3));
}

TEST_F(FrameComposeTest, HotObjectsHandOverAndPaintTheirState) {
  Input(Activity::Active);
  RecordingHost host;
  TWinSysButton close(host, buttons[0], 0);
  TWinSysButton other(host, buttons[0], 1);
  close.SetPlacement(layout.buttons[0]);
  other.SetPlacement(layout.buttons[0]);
  close.MouseEnter();
  EXPECT_EQ(host.Hot(), &close);
  EXPECT_EQ(close.state, NcState::Hover);
  close.MouseDown();
  EXPECT_EQ(close.state, NcState::Pressed);
  other.PressEnter(); // the pointer moves to another button with the mouse button held
  EXPECT_EQ(close.state, NcState::Normal);
  EXPECT_EQ(other.state, NcState::Pressed);
  EXPECT_EQ(host.Hot(), &other);
  EXPECT_EQ(host.reevaluated, 1);
  other.MouseLeave();
  EXPECT_EQ(host.Hot(), nullptr);
  EXPECT_EQ(host.repainted, (std::vector<TNCObject*>{&close, &close, &close, &other, &other}));
  // Invisible objects neither become hot nor repaint.
  other.visible = false;
  other.MouseEnter();
  EXPECT_EQ(host.Hot(), nullptr);
  EXPECT_EQ(host.repainted.size(), 5u);

  Bitmap32 target(kWidth, 20, kTop);
  close.state = NcState::Hover;
  close.Paint(target);
  EXPECT_EQ(target.At(110, 6), 0x020202u);
}

class EmbeddedFrameImageTest : public SkinTest {};

TEST_F(EmbeddedFrameImageTest, MainWindowFramePixelsComeFromTheSkinElements) {
  TSkinData data;
  data.BeginReading();
  data.ReadSkinStream(EmbeddedSkinStream());
  data.Loaded();
  const SkinModel& skin = data.Model();
  const std::vector<TDataSkinSysButton> buttons = FormCaptionButtons(skin, {});
  FrameImageInput in;
  in.skin = &skin;
  in.width = 841;
  in.height = 625;
  in.facts.border = BorderStyle::Single;
  in.facts.icons = BorderIcons{BorderIcon::SystemMenu, BorderIcon::Minimize};
  in.geometry = ComputeGeometry(skin, in.facts.border, WindowMenu::Absent, MdiRole::None, {});
  LayoutInput li;
  li.windowWidth = in.width;
  li.windowHeight = in.height;
  li.geometry = in.geometry;
  li.facts = in.facts;
  const FrameLayout layout = LayoutFrame(skin, buttons, li, nullptr);
  in.layout = &layout;
  in.buttons = buttons;
  const Bitmap32 f = FlattenFrame(ComposeFrame(in, {}), in.width, in.height, 0);

  const Bitmap32& left = skin.Border(BorderSide::Left).Bitmap;
  const Bitmap32& top = skin.Border(BorderSide::Top).Bitmap;
  const Bitmap32& bottom = skin.Border(BorderSide::Bottom).Bitmap;
  EXPECT_EQ(f.At(0, 0), left.At(0, 0));
  EXPECT_EQ(f.At(2, 624), left.At(2, left.Height() - 1));
  EXPECT_EQ(f.At(400, 0), top.At(top.Width() / 2, 0));
  EXPECT_EQ(f.At(400, 29), top.At(top.Width() / 2, 29));
  EXPECT_EQ(f.At(400, 622), bottom.At(bottom.Width() / 2, 2));
  // The close button's frame 1 where it is not transparent.
  const TDataSkinSysButton& close = buttons[0];
  const int cell = close.Bitmap.Width() / close.FrameCount;
  const int cx = cell / 2;
  const int cy = close.Bitmap.Height() / 2;
  ASSERT_NE(close.Bitmap.At(cx, cy), kMagenta);
  EXPECT_EQ(f.At(841 - 25 + cx, 5 + cy), close.Bitmap.At(cx, cy));
  // The maximize button is disabled: frame 4, at a pixel where frame 4 differs from frame 1.
  const TDataSkinSysButton& maximize = buttons[1];
  int checked = 0;
  for (int y = 0; y < maximize.Bitmap.Height(); ++y)
    for (int x = 0; x < cell; ++x) {
      const Pixel disabled = maximize.Bitmap.At(3 * cell + x, y);
      if (disabled == kMagenta || disabled == maximize.Bitmap.At(x, y))
        continue;
      EXPECT_EQ(f.At(841 - 49 + x, 5 + y), disabled) << x << "," << y;
      ++checked;
    }
  EXPECT_GT(checked, 0);
}

} // namespace
} // namespace tw::test
