// The skin engine on real windows in this process, under Wine and a virtual display: the
// skinned main window's borders and client area, the caption-button styles taken away while
// skinned and given back when skinning is switched off, the answer to 13603, a window without
// caption, and message boxes skinned exactly when the qualification rules admit them.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/WKS_Main.h"
#include "runtime/seam.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "skin/model/bitmap.h"
#include "skin/model/bmp.h"
#include "skin/model/embedded_skin.h"
#include "skin/paint/form_style.h"
#include "skin/win32/engine/skin_control.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/engine/win32_skin_platform.h"
#include "skin/win32/engine/win_skin_form.h"
#include "skin_test_support.h"
#include "skinned_form_test.h"
#include "skinned_input.h"
#include "support/fixtures.h"
#include "support/win32/message_pump.h"
#include "support/win32/screen_probe.h"

namespace tw::win {
namespace {

using test::Borders;
using test::BordersOf;
using test::kCaptionButtonStyles;
using test::PumpUntil;
using test::Skinned;

SIZE ClientSize(HWND window) {
  RECT c;
  GetClientRect(window, &c);
  return {c.right, c.bottom};
}

class SkinnedWindows : public SkinnedFormTest {
protected:
  // The program's main window as the program opens it, with its style and place from before
  // skinning.
  HWND OpenMainWindow() {
    const HWND main = CreateMainWindow();
    styleBefore = GetWindowLongA(main, GWL_STYLE);
    GetWindowRect(main, &rectBefore);
    ReadSkinAndShow();
    return main;
  }

  LONG styleBefore = 0;
  RECT rectBefore{};
};

// The platform answers from the system and from the program's own resources.
TEST_F(SkinnedWindows, ThePlatformReadsTheSystemAndTheProgramsResources) {
  EXPECT_EQ(platform_.SystemColour(SysColour::BtnFace),
            static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(platform_.Metric(SystemMetric::CaptionHeight), GetSystemMetrics(SM_CYCAPTION));
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  EXPECT_EQ(platform_.SystemCaptionFont().faceName, metrics.lfCaptionFont.lfFaceName);
  EXPECT_EQ(platform_.SystemCaptionFont().height, metrics.lfCaptionFont.lfHeight);
  const Bitmap32 glyphs = platform_.LoadProgramBitmap(ProgramBitmap::MenuGlyphs);
  EXPECT_EQ(glyphs.Width(), 112);
  EXPECT_EQ(glyphs.Height(), 16);
  // Pixel for pixel the bitmaps the program was built with.
  const std::pair<ProgramBitmap, const char*> files[] = {
      {ProgramBitmap::Track, "track.bmp"},
      {ProgramBitmap::TrackVert, "trackvert.bmp"},
      {ProgramBitmap::MenuGlyphs, "menuglyphs.bmp"}};
  for (const auto& [which, name] : files) {
    const std::string bytes = test::ReadFileBytes(std::string(TW_SKIN_RESOURCE_DIR) + "/" + name);
    const std::optional<Bitmap32> built = ReadBmp(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_TRUE(built.has_value()) << name;
    EXPECT_EQ(platform_.LoadProgramBitmap(which), *built) << name;
  }
  const Bitmap32 icon = platform_.ApplicationSmallIcon();
  EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(icon.Height(), GetSystemMetrics(SM_CYSMICON));
}

TEST_F(SkinnedWindows, SkinningTakesTheFrameAndSwitchingItOffGivesItBack) {
  HWND main = OpenMainWindow();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(main); }));
  ASSERT_TRUE(PumpUntil([&] {
    return BordersOf(main) == Borders{4, 30, 4, 5};
  })) << BordersOf(main).left
      << " " << BordersOf(main).top;
  EXPECT_EQ(ClientSize(main).cx, 833);
  EXPECT_EQ(ClientSize(main).cy, 590);
  // The platform draws no caption buttons of its own while the skin does.
  EXPECT_EQ(styleBefore & kCaptionButtonStyles, WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & kCaptionButtonStyles, 0);
  EXPECT_EQ(manager_.SkinnedWindows(), std::vector<HWND>{main});
  // A new title is drawn by the skin, not by the platform over it.
  test::Pump(100);
  const auto title = [&] {
    std::vector<COLORREF> pixels;
    HDC dc = GetWindowDC(main);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 300; ++x)
        pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(main, dc);
    return pixels;
  };
  const std::vector<COLORREF> titleBefore = title();
  SetWindowTextA(main, "Renamed");
  test::Pump(100);
  const std::vector<COLORREF> titleAfter = title();
  EXPECT_NE(titleAfter, titleBefore);
  // Where the text is not, the caption is the skin's as before (row 2, right of the text).
  for (int x = 200; x < 300; ++x)
    EXPECT_EQ(titleAfter[2 * 300 + x], titleBefore[2 * 300 + x]) << x;
  EXPECT_EQ(BordersOf(main), (Borders{4, 30, 4, 5}));

  form_.SkinData1.SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(main); }));
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & kCaptionButtonStyles, WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(ClientSize(main).cx, 833);
  EXPECT_EQ(ClientSize(main).cy, 590);
  RECT after;
  GetWindowRect(main, &after);
  EXPECT_EQ(after.right - after.left, rectBefore.right - rectBefore.left);
  EXPECT_EQ(after.bottom - after.top, rectBefore.bottom - rectBefore.top);
  EXPECT_TRUE(manager_.SkinnedWindows().empty());

  // And on again: the same frame as before.
  form_.SkinData1.SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return Skinned(main); }));
  EXPECT_TRUE(PumpUntil([&] { return BordersOf(main) == Borders{4, 30, 4, 5}; }));
  EXPECT_EQ(ClientSize(main).cx, 833);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(SkinnedWindows, ASkinFileSetAtRunTimeReachesTheSkinnedForm) {
  HWND main = OpenMainWindow();
  ASSERT_TRUE(PumpUntil([&] { return BordersOf(main) == Borders{4, 30, 4, 5}; }));
  // A skin with wider borders and a taller caption, in a file.
  const std::string ini = "[TitlebarSkin]\r\nSkinName=Wide\r\n[Personality]\r\n"
                          "Left=l.bmp\r\nLeftFrame=1\r\nRight=r.bmp\r\nRightFrame=1\r\n"
                          "Top=t.bmp\r\nTopFrame=1\r\nBottom=b.bmp\r\nBottomFrame=1\r\n";
  const Pixel top = MakePixel(10, 120, 30);
  const std::vector<std::uint8_t> file =
      test::SkinFileOf({{"wide.ini", test::Bytes(ini)},
                        {"l.bmp", test::SolidBmp(6, 10, MakePixel(200, 0, 0))},
                        {"r.bmp", test::SolidBmp(6, 10, MakePixel(0, 0, 200))},
                        {"t.bmp", test::SolidBmp(10, 40, top)},
                        {"b.bmp", test::SolidBmp(10, 7, MakePixel(90, 90, 90))}});
  const std::string path = test::WriteTempFile("trailwick-wide.skn", file);
  ASSERT_FALSE(path.empty());
  int changed = 0;
  form_.SkinData1.OnSkinChanged = [&](TSkinData&) { ++changed; };

  form_.SkinData1.SetSkinFile(path);
  ASSERT_EQ(form_.SkinData1.Model().SkinName, "Wide");
  ASSERT_TRUE(PumpUntil([&] {
    return BordersOf(main) == Borders{6, 40, 6, 7};
  })) << BordersOf(main).left
      << " " << BordersOf(main).top;
  EXPECT_EQ(ClientSize(main).cx, 833);
  EXPECT_EQ(ClientSize(main).cy, 590);
  EXPECT_EQ(changed, 1);
  test::Pump(100);
  HDC dc = GetWindowDC(main);
  const COLORREF caption = GetPixel(dc, 400, 20);
  const COLORREF left = GetPixel(dc, 2, 300);
  ReleaseDC(main, dc);
  EXPECT_EQ(caption, RGB(10, 120, 30));
  EXPECT_EQ(left, RGB(200, 0, 0));
  DeleteFileA(path.c_str());
}

TEST_F(SkinnedWindows, EveryControlGetsItsMemberWhichAnswersAndSwitchesOff) {
  // The host supplies its own object for one button.
  TSkinControl own(SkinFamily::TSkinButton);
  int asked = 0;
  form_.SkinData1.OnSkinControl = [&](TWinSkinForm* sender, TSkinData&, TControl*,
                                      TControl* control, const std::string& controlClass,
                                      TSkinControl*& skinned) {
    ++asked;
    EXPECT_NE(sender, nullptr);
    if (control == &form_.Button2) {
      EXPECT_EQ(controlClass, "TBUTTON");
      skinned = &own;
    }
  };
  HWND main = OpenMainWindow();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(main); }));
  const TWinSkinForm* skinned = manager_.FormOf(main);
  ASSERT_NE(skinned, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return skinned->Stage() == kStageSkinned; }));
  const auto count = [&] {
    std::map<std::string, int> members;
    for (const auto& member : skinned->Controls())
      ++members[member->ClassName()];
    return members;
  };
  // The first tab's controls and the header's; the other tabs' as their tabs first show, the
  // same members as if all had been there when skinning started.
  EXPECT_EQ(count()["TSkinButton"], 12);
  EXPECT_EQ(count()["TSkinTabSheet"], 3);
  for (int page : {1, 2, 0}) {
    form_.PageControl1.SetActivePageIndex(page);
    test::Pump(100);
  }
  const std::map<std::string, int> members = count();
  EXPECT_GT(asked, 0);
  EXPECT_EQ(own.Handle(), window_->NativeOf(form_.Button2)->Handle());
  EXPECT_TRUE(Skinned(own.Handle()));
  EXPECT_EQ(members, (std::map<std::string, int>{{"TSkinButton", 32},
                                                 {"TSkinComBox", 3},
                                                 {"TSkinProgress", 3},
                                                 {"TSkinScrollbar", 7},
                                                 {"TSkinTab", 1},
                                                 {"TSkinTabSheet", 3}}));
  HWND save = window_->NativeOf(form_.Save1)->Handle();
  HWND label = window_->NativeOf(form_.Label1)->Handle();
  EXPECT_TRUE(Skinned(save));
  EXPECT_FALSE(Skinned(label));
  // 13574 switches one control's skinning off and on without letting go of it.
  SendMessageA(save, kMsgControlSkinning, 0, 0);
  EXPECT_FALSE(Skinned(save));
  SendMessageA(save, kMsgControlSkinning, 1, 0);
  EXPECT_TRUE(Skinned(save));
  // The control's own handling goes on beneath its member.
  form_.Save1.SetCaption("Renamed");
  char text[32];
  GetWindowTextA(save, text, sizeof(text));
  EXPECT_STREQ(text, "Renamed");
  // A size grip created later on the skinned form is skinned with it.
  HWND grip = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_SIZEGRIP, 0, 0, 16, 16, main,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_TRUE(Skinned(grip));
  EXPECT_EQ(skinned->Controls().back()->Member(), SkinFamily::TSkinSizer);
  // Switching skinning off lets go of every control.
  form_.SkinData1.SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(main); }));
  EXPECT_FALSE(Skinned(save));
  EXPECT_FALSE(Skinned(own.Handle()));
  EXPECT_FALSE(Skinned(grip));
  DestroyWindow(grip);
}

TEST_F(SkinnedWindows, AWindowWithoutCaptionIsCountedSkinnedAndLeftUnpainted) {
  HWND main = OpenMainWindow();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(main); }));
  HWND plain =
      CreateWindowExA(0, RegisterContainerClass("TPlainWindow", ClassIcon::kProgram), "", WS_POPUP,
                      100, 100, 120, 80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(plain, SW_SHOW);
  SetForegroundWindow(plain);
  ASSERT_TRUE(PumpUntil([&] { return Skinned(plain); }));
  test::Pump(300);
  EXPECT_EQ(BordersOf(plain), (Borders{0, 0, 0, 0}));
  // What the window shows is its own background, nothing of the skin.
  HDC dc = GetWindowDC(plain);
  const COLORREF corner = GetPixel(dc, 0, 0);
  const COLORREF middle = GetPixel(dc, 60, 40);
  ReleaseDC(plain, dc);
  EXPECT_EQ(corner, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(middle, GetSysColor(COLOR_BTNFACE));
  DestroyWindow(plain);
  test::Pump(50);
}

// A small MDI program: a frame window with its client and one child.
HWND mdiClient = nullptr;

LRESULT CALLBACK MdiFrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  return DefFrameProcA(w, mdiClient, msg, wp, lp);
}

LRESULT CALLBACK MdiChildProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  return DefMDIChildProcA(w, msg, wp, lp);
}

TEST_F(SkinnedWindows, MdiChildrenAreSkinnedAtCreationAndMaximizedOnesKeepTheStandardFrame) {
  HWND main = OpenMainWindow();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(main); }));
  HINSTANCE module = GetModuleHandleA(nullptr);
  WNDCLASSA frameClass{};
  frameClass.lpfnWndProc = MdiFrameProc;
  frameClass.hInstance = module;
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frameClass.lpszClassName = "TMdiTestFrame";
  RegisterClassA(&frameClass);
  WNDCLASSA childClass = frameClass;
  childClass.lpfnWndProc = MdiChildProc;
  childClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  childClass.lpszClassName = "TMdiTestChild";
  RegisterClassA(&childClass);

  HWND frame = CreateWindowExA(0, "TMdiTestFrame", "MDI", WS_OVERLAPPEDWINDOW, 50, 50, 600, 400,
                               nullptr, nullptr, module, nullptr);
  CLIENTCREATESTRUCT ccs{nullptr, 1000};
  mdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                              0, 0, 0, frame, nullptr, module, &ccs);
  ShowWindow(frame, SW_SHOW);
  SetForegroundWindow(frame);
  ASSERT_TRUE(PumpUntil([&] { return Skinned(frame) && BordersOf(frame).top == 30; }));

  MDICREATESTRUCTA mcs{"TMdiTestChild", "Child", module, 10, 10, 200, 150, WS_OVERLAPPEDWINDOW, 0};
  auto child = reinterpret_cast<HWND>(
      SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  ASSERT_NE(child, nullptr);
  // Skinned as it was created, before anything activated it.
  EXPECT_NE(manager_.FormOf(child), nullptr);
  ASSERT_TRUE(PumpUntil([&] {
    return Skinned(child) && BordersOf(child) == Borders{4, 30, 4, 5};
  }));
  EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & kCaptionButtonStyles, 0);

  // Maximized, the child keeps the standard frame and gets its caption-button styles back.
  SendMessageA(mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(child) != FALSE; }));
  test::Pump(100);
  EXPECT_NE(BordersOf(child).top, 30);
  EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & kCaptionButtonStyles, kCaptionButtonStyles);
  // Restored, the skin's frame again.
  SendMessageA(mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(PumpUntil([&] { return BordersOf(child) == Borders{4, 30, 4, 5}; }));
  EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & kCaptionButtonStyles, 0);
  EXPECT_TRUE(errors.empty());
  DestroyWindow(frame);
  test::Pump(50);
}

// The message box's window, looked at while it is open, then closed.
struct BoxSeen {
  bool found = false;
  bool skinned = false;
  LONG style = 0;
  Borders borders{};
};
BoxSeen* seen = nullptr;

BOOL CALLBACK FindBox(HWND w, LPARAM out) {
  char cls[32];
  GetClassNameA(w, cls, sizeof(cls));
  if (std::string(cls) == "#32770" && IsWindowVisible(w)) {
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK LookAtBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr)
    return;
  if (!Skinned(box) && !seen->found) {
    // Give the start message a moment once.
    seen->found = true;
    return;
  }
  KillTimer(nullptr, timer);
  seen->skinned = Skinned(box);
  seen->style = GetWindowLongA(box, GWL_STYLE);
  seen->borders = BordersOf(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(SkinnedWindows, MessageBoxesAreSkinnedExactlyAsTheRulesAdmitThem) {
  HWND main = OpenMainWindow();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(main); }));
  for (const UINT flags : {UINT{MB_OK}, UINT{MB_OK | MB_SETFOREGROUND}}) {
    BoxSeen box;
    seen = &box;
    SetTimer(nullptr, 0, 200, &LookAtBox);
    MessageBoxA(main, "Is this box skinned?", "Trailwick ( XQV )", flags);
    SCOPED_TRACE(flags);
    ASSERT_NE(box.style, 0);
    // A standard dialog qualifies unless it asks to come to the foreground.
    const bool admitted = (box.style & kDsSetForeground) == 0;
    EXPECT_EQ(box.skinned, admitted);
    if (admitted) {
      EXPECT_EQ(box.borders.top, 30);
      EXPECT_EQ(box.borders.left, 4);
    }
  }
  seen = nullptr;
}

} // namespace
} // namespace tw::win
