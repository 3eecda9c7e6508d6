// The skinned frame of the real program, driven from another process with real mouse input
// under Wine: borders and client area, the frame's pixels against the skin's own elements,
// caption buttons that press, release and act, the icon's double-click, and the further
// window that the logo opens.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_driver.h"
#include "runtime/seam.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/skin_data.h"
#include "skin/paint/form_frame.h"
#include "skin/paint/form_layout.h"
#include "skin/paint/menu_popup.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/engine/win32_skin_platform.h"
#include "support/win32/screen_probe.h"

namespace tw::test {
namespace {

bool Skinned(HWND window) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(window, kMsgIsSkinned, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) != 0 &&
         answer == static_cast<DWORD_PTR>(kSkinnedAnswer);
}

class SkinnedProgram : public testing::Test {
protected:
  SkinnedProgram() : platformSeam_(platform_), managerSeam_(manager_) {
    skin_.ReadSkinStream(EmbeddedSkinStream());
  }

  void StartSkinned() {
    driver.Start();
    HWND main = driver.MainWindow();
    ASSERT_TRUE(ProgramDriver::WaitFor([&] { return Skinned(main); }));
    ASSERT_TRUE(ProgramDriver::WaitFor([&] { return BordersOf(main) == Borders{4, 30, 4, 5}; }));
    // The pointer away from the caption: every button in its normal frame.
    SetCursorPos(0, 0);
    Sleep(400);
  }

  // The main window's caption buttons as the skin lays them out for its styles: single
  // border, system menu and minimize box, active.
  FrameLayout ExpectedLayout(HWND window, std::vector<TDataSkinSysButton>& buttons,
                             FrameImageInput& input) {
    RECT r;
    GetWindowRect(window, &r);
    HMODULE program =
        LoadLibraryExA(driver.ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HICON icon = static_cast<HICON>(LoadImageA(program, "MAINICON", IMAGE_ICON, 16, 16, 0));
    icon_ = win::BitmapFromIcon(icon, 16, 16);
    DestroyIcon(icon);
    FreeLibrary(program);
    buttons = FormCaptionButtons(skin_.Model(), icon_);
    FormFacts facts;
    facts.border = BorderStyle::Single;
    facts.icons.Include(BorderIcon::Minimize);
    facts.icons.Include(BorderIcon::SystemMenu);
    LayoutInput layoutInput;
    layoutInput.windowWidth = r.right - r.left;
    layoutInput.windowHeight = r.bottom - r.top;
    layoutInput.geometry = ComputeGeometry(skin_.Model(), BorderStyle::Single, WindowMenu::Absent,
                                           MdiRole::None, FrameMetrics{});
    layoutInput.facts = facts;
    FrameLayout layout =
        LayoutFrame(skin_.Model(), buttons, layoutInput, [](int, int) { return 0; });
    input.skin = &skin_.Model();
    input.width = layoutInput.windowWidth;
    input.height = layoutInput.windowHeight;
    input.geometry = layoutInput.geometry;
    input.facts = facts;
    input.buttons = buttons;
    input.icon = &icon_;
    return layout;
  }

  const CaptionButtonPlacement* ButtonWithAction(const FrameLayout& layout,
                                                 const std::vector<TDataSkinSysButton>& buttons,
                                                 int action, int visibility) {
    for (const CaptionButtonPlacement& p : layout.buttons)
      if (buttons[static_cast<std::size_t>(p.index)].Action == action &&
          buttons[static_cast<std::size_t>(p.index)].Visibility == visibility)
        return &p;
    return nullptr;
  }

  Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

  win::Win32SkinPlatform platform_;
  PortableSkinManager manager_;
  ScopedSeam<SkinPlatform> platformSeam_;
  ScopedSeam<SkinManagerApi> managerSeam_;
  TSkinData skin_;
  Bitmap32 icon_;
  ProgramDriver driver;
};

TEST_F(SkinnedProgram, TheFrameIsTheSkinsWithTheButtonsWhereTheSkinPutsThem) {
  ASSERT_NO_FATAL_FAILURE(StartSkinned());
  HWND main = driver.MainWindow();
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 833);
  EXPECT_EQ(client.bottom, 590);

  std::vector<TDataSkinSysButton> buttons;
  FrameImageInput input;
  const FrameLayout layout = ExpectedLayout(main, buttons, input);
  const int width = input.width;
  const auto* close = ButtonWithAction(layout, buttons, 0, 0);
  const auto* maximize = ButtonWithAction(layout, buttons, 1, 2);
  const auto* restore = ButtonWithAction(layout, buttons, 1, 1);
  const auto* minimize = ButtonWithAction(layout, buttons, 2, 0);
  const auto* icon = ButtonWithAction(layout, buttons, 3, 0);
  ASSERT_TRUE(close && maximize && restore && minimize && icon);
  EXPECT_TRUE(close->visible && close->enabled);
  EXPECT_EQ(close->rect.left, width - 25);
  EXPECT_EQ(close->rect.top, 5);
  EXPECT_TRUE(maximize->visible);
  EXPECT_FALSE(maximize->enabled);
  EXPECT_EQ(maximize->rect.left, width - 49);
  EXPECT_FALSE(restore->visible);
  EXPECT_TRUE(minimize->visible && minimize->enabled);
  EXPECT_EQ(minimize->rect.left, width - 73);
  EXPECT_EQ(icon->rect.left, 8);
  EXPECT_EQ(icon->rect.top, 7);

  // What shows is what the skin's elements compose: buttons (maximize in its disabled frame 4),
  // the icon, the side and bottom borders, and the caption right of the title.
  input.layout = &layout;
  const Bitmap32 expected =
      FlattenFrame(ComposeFrame(input, nullptr), input.width, input.height, 0);
  const Bitmap32 shown = CaptureWindow(main);
  ASSERT_EQ(shown.Width(), expected.Width());
  ASSERT_EQ(shown.Height(), expected.Height());
  const auto same = [&](const Rect& area, const char* what) {
    int differing = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        differing += shown.At(x, y) != expected.At(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0) << what;
  };
  same(close->rect, "close");
  same(maximize->rect, "maximize");
  same(minimize->rect, "minimize");
  same(icon->rect, "icon");
  same(Rect{0, 30, 4, input.height}, "left border");
  same(Rect{width - 4, 30, width, input.height}, "right border");
  same(Rect{4, input.height - 5, width - 4, input.height}, "bottom border");
  // Right of the title (the title itself is drawn in the platform's caption font).
  same(Rect{width / 2, 0, width - 80, 30}, "caption");
  // Hovered, then pressed: the close button in its frames 2 and 3, the rest unchanged.
  for (const NcState state : {NcState::Hover, NcState::Pressed}) {
    FrameLayout pointed = layout;
    for (CaptionButtonPlacement& p : pointed.buttons)
      if (p.index == close->index)
        p.state = state;
    input.layout = &pointed;
    const Bitmap32 wanted =
        FlattenFrame(ComposeFrame(input, nullptr), input.width, input.height, 0);
    driver.MoveToWindowPoint(main, close->rect.left + 8, close->rect.top + 8);
    if (state == NcState::Pressed)
      driver.LeftButton(true);
    Bitmap32 now;
    const bool shows = ProgramDriver::WaitFor(
        [&] {
          now = CaptureWindow(main);
          for (int y = close->rect.top; y < close->rect.bottom; ++y)
            for (int x = close->rect.left; x < close->rect.right; ++x)
              if (now.At(x, y) != wanted.At(x, y))
                return false;
          return true;
        },
        3000);
    EXPECT_TRUE(shows) << static_cast<int>(state);
    for (int y = minimize->rect.top; y < minimize->rect.bottom; ++y)
      for (int x = minimize->rect.left; x < minimize->rect.right; ++x)
        ASSERT_EQ(now.At(x, y), expected.At(x, y));
  }
  // Released away from the button: nothing happens, and it is drawn normal again.
  driver.MoveToWindowPoint(main, width / 2, 300);
  driver.LeftButton(false);
  input.layout = &layout;
  EXPECT_TRUE(ProgramDriver::WaitFor(
      [&] {
        const Bitmap32 now = CaptureWindow(main);
        for (int y = close->rect.top; y < close->rect.bottom; ++y)
          for (int x = close->rect.left; x < close->rect.right; ++x)
            if (now.At(x, y) != expected.At(x, y))
              return false;
        return true;
      },
      3000));

  // The maximize button is drawn disabled: its frame differs from the enabled one.
  const int frameWidth = buttons[static_cast<std::size_t>(maximize->index)].Bitmap.Width() / 4;
  Bitmap32 enabled(frameWidth, maximize->rect.Height(), kMagenta);
  DrawFrameStretched(enabled, enabled.Bounds(),
                     buttons[static_cast<std::size_t>(maximize->index)].Bitmap, 4, 1,
                     Transparency::Opaque);
  Bitmap32 drawn(frameWidth, maximize->rect.Height());
  CopyRect(drawn, 0, 0, shown, maximize->rect);
  EXPECT_NE(drawn, enabled);
  EXPECT_TRUE(driver.Close());
}

TEST_F(SkinnedProgram, CaptionButtonsActOnAReleaseOverThem) {
  ASSERT_NO_FATAL_FAILURE(StartSkinned());
  HWND main = driver.MainWindow();
  RECT r;
  GetWindowRect(main, &r);
  const int width = r.right - r.left;

  // Resting on the close button shows its hint below the pointer.
  driver.MoveToWindowPoint(main, width - 25 + 8, 5 + 8);
  HWND hint = nullptr;
  EXPECT_TRUE(ProgramDriver::WaitFor(
      [&] {
        hint = driver.FindShown([](HWND w) {
          char cls[32];
          GetClassNameA(w, cls, sizeof(cls));
          return lstrcmpiA(cls, "tooltips_class32") == 0;
        });
        return hint != nullptr;
      },
      5000));
  if (hint != nullptr) {
    EXPECT_EQ(ProgramDriver::Text(hint), "Close");
    RECT at;
    GetWindowRect(hint, &at);
    // The tooltip window may draw its own border around the point.
    EXPECT_NEAR(at.left, r.left + width - 25, 2);
    EXPECT_NEAR(at.top, r.top + 5 + 8 + 24, 2);
  }

  // A press on close released outside it does nothing.
  driver.MoveToWindowPoint(main, width - 25 + 8, 5 + 8);
  driver.LeftButton(true);
  Sleep(100);
  driver.MoveToWindowPoint(main, width / 2, 200);
  Sleep(100);
  driver.LeftButton(false);
  Sleep(500);
  EXPECT_FALSE(driver.WaitForExit(0));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_FALSE(IsIconic(main));

  // The disabled maximize button does nothing either.
  driver.MoveToWindowPoint(main, width - 49 + 8, 5 + 8);
  driver.LeftButton(true);
  driver.LeftButton(false);
  Sleep(300);
  EXPECT_FALSE(IsZoomed(main));

  // A click on minimize minimizes.
  driver.MoveToWindowPoint(main, width - 73 + 8, 5 + 8);
  driver.LeftButton(true);
  driver.LeftButton(false);
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return IsIconic(main) != FALSE; }, 5000));
  ShowWindow(main, SW_RESTORE);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return IsIconic(main) == FALSE; }, 5000));
  SetForegroundWindow(main);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return BordersOf(main) == Borders{4, 30, 4, 5}; }));

  // A click on close closes the program.
  GetWindowRect(main, &r);
  driver.MoveToWindowPoint(main, r.right - r.left - 25 + 8, 5 + 8);
  driver.LeftButton(true);
  driver.LeftButton(false);
  EXPECT_TRUE(driver.WaitForExit(10000));
}

TEST_F(SkinnedProgram, ADoubleClickOnTheIconClosesTheWindow) {
  ASSERT_NO_FATAL_FAILURE(StartSkinned());
  HWND main = driver.MainWindow();
  // One click opens the system menu below the icon; the window stays.
  driver.MoveToWindowPoint(main, 8 + 8, 7 + 8);
  driver.LeftButton(true);
  driver.LeftButton(false);
  const auto systemMenu = [&] {
    return driver.FindShown([](HWND w) {
      char cls[16];
      GetClassNameA(w, cls, sizeof(cls));
      return lstrcmpA(cls, "#32768") == 0;
    });
  };
  HWND menu = nullptr;
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return (menu = systemMenu()) != nullptr; }, 5000));
  RECT window;
  RECT at;
  GetWindowRect(main, &window);
  GetWindowRect(menu, &at);
  EXPECT_EQ(at.left, window.left + 8);
  EXPECT_EQ(at.top, window.top + 7 + 16 + 1);
  driver.PressKey(VK_ESCAPE);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return systemMenu() == nullptr; }, 5000));
  Sleep(GetDoubleClickTime() + 200);
  EXPECT_FALSE(driver.WaitForExit(0));

  // Two clicks within the double-click interval close it.
  driver.LeftButton(true);
  driver.LeftButton(false);
  Sleep(50);
  driver.LeftButton(true);
  driver.LeftButton(false);
  EXPECT_TRUE(driver.WaitForExit(10000));
}

TEST_F(SkinnedProgram, TheSystemMenuPopupIsSkinnedAndEscapeClosesIt) {
  ASSERT_NO_FATAL_FAILURE(StartSkinned());
  HWND main = driver.MainWindow();
  driver.MoveToWindowPoint(main, 8 + 8, 7 + 8);
  driver.LeftButton(true);
  driver.LeftButton(false);
  const auto popup = [&] {
    return driver.FindShown([](HWND w) {
      char cls[16];
      GetClassNameA(w, cls, sizeof(cls));
      return lstrcmpA(cls, "#32768") == 0;
    });
  };
  HWND menu = nullptr;
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return (menu = popup()) != nullptr; }, 5000));
  EXPECT_TRUE(Skinned(menu));
  // The border ring comes from the MenuBackground element over the whole popup.
  Sleep(300);
  const Bitmap32 shown = CaptureWindow(menu);
  const Bitmap32 background = RenderMenuBackground(skin_.Model(), shown.Width(), shown.Height());
  for (const Point p :
       {Point{0, 0}, Point{1, shown.Height() / 2}, Point{shown.Width() - 2, shown.Height() - 1}})
    EXPECT_EQ(shown.At(p.x, p.y), background.At(p.x, p.y)) << p.x << "," << p.y;
  driver.PressKey(VK_ESCAPE);
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return popup() == nullptr; }, 5000));
  EXPECT_FALSE(driver.WaitForExit(0));
}

TEST_F(SkinnedProgram, TheWindowTheLogoOpensIsSkinnedToo) {
  ASSERT_NO_FATAL_FAILURE(StartSkinned());
  driver.ClickAt(driver.MainWindow(), 30, 20);
  driver.ClickAt(driver.MainWindow(), 30, 20);
  HWND further = nullptr;
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return (further = driver.OwnedForm()) != nullptr; }));
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return Skinned(further); }));
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return BordersOf(further) == Borders{4, 30, 4, 5}; }));
  // The skinned frame comes first, then the window grows back to the form's client size.
  RECT client;
  ProgramDriver::WaitFor([&] {
    GetClientRect(further, &client);
    return client.right == 833 && client.bottom == 590;
  });
  EXPECT_EQ(client.right, 833);
  EXPECT_EQ(client.bottom, 590);
  EXPECT_TRUE(driver.Close());
}

} // namespace
} // namespace tw::test
