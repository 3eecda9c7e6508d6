// The skinned controls of the main window under real input, in this process under Wine: push
// buttons click only on a release inside, disabled buttons and the focused tab show their
// frames, progress bars show exactly the composed bar, the list's scroll-bar overlay follows the
// native bar and scrolls it as the native bar would, the grids' headers, status bars, track bars
// and up-down controls show their composed frames and keep working, and switching skinning off
// gives every control its own painting back.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/WKS_Main.h"
#include "runtime/seam.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "skin/model/embedded_skin.h"
#include "skin/paint/paint_panels.h"
#include "skin/paint/paint_progress.h"
#include "skin/paint/paint_tab.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/engine/win32_skin_platform.h"
#include "skin/win32/engine/win_skin_form.h"
#include "skin/win32/members/gdi_text_painter.h"
#include "skin/win32/members/skin_members.h"
#include "skin/win32/members/skin_scrollbar.h"
#include "skinned_form_test.h"
#include "skinned_input.h"
#include "support/win32/message_pump.h"

namespace tw::win {
namespace {

using test::MouseButton;
using test::MouseTo;
using test::PumpUntil;
using test::Settle;
using test::Skinned;

// The window's pixels as they are on screen, frame included.
Bitmap32 Capture(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  WindowDc dc(window);
  return ReadBack(dc.Get(), r.right - r.left, r.bottom - r.top);
}

// What the control paints of itself, asked to print into a bitmap.
Bitmap32 OwnPainting(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  Bitmap32 result(r.right, r.bottom);
  DibSurface surface(r.right, r.bottom);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()),
               PRF_CLIENT | PRF_ERASEBKGND);
  surface.Store(result, result.Bounds());
  return result;
}

HFONT FontOf(HWND window) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

RECT ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

class SkinnedControls : public SkinnedFormTest {
protected:
  // The main window as the program opens it; `before` runs while it shows unskinned.
  HWND Open(const std::function<void(HWND)>& before = nullptr) {
    CreateMainWindow();
    ReadSkinAndShow();
    if (before) {
      RedrawWindow(window_->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      EXPECT_FALSE(Skinned(window_->Handle()));
      before(window_->Handle());
    }
    HWND main = window_->Handle();
    EXPECT_TRUE(PumpUntil([&] { return Skinned(main); }, 10000)) << "not skinned";
    EXPECT_TRUE(PumpUntil([&] {
      const TWinSkinForm* skinned = manager_.FormOf(main);
      return skinned != nullptr && skinned->Stage() == kStageSkinned;
    }));
    Settle();
    return main;
  }
  // Null for a control on a tab not shown yet, which has no window.
  HWND HandleOf(const TControl& control) {
    const NativeControl* native = window_->NativeOf(control);
    return native != nullptr ? native->Handle() : nullptr;
  }
  TSkinControl* MemberOf(HWND control) {
    const TWinSkinForm* skinned = manager_.FormOf(window_->Handle());
    if (skinned == nullptr)
      return nullptr;
    for (const auto& member : skinned->Controls())
      if (member->Handle() == control)
        return member.get();
    return nullptr;
  }
  const SkinModel& Skin() { return form_.SkinData1.Model(); }
};

TEST_F(SkinnedControls, APushButtonClicksOnlyOnAReleaseInside) {
  Open();
  HWND button = HandleOf(form_.Button20);
  int clicks = 0;
  form_.Button20.OnClick = [&](TControl&) { ++clicks; };
  auto* member = dynamic_cast<TSkinButton*>(MemberOf(button));
  ASSERT_NE(member, nullptr);
  const RECT r = ScreenRect(button);
  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;

  MouseTo(cx, cy);
  EXPECT_EQ(member->StateBits(), kButtonHover);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(member->StateBits(), kButtonHover | kButtonPressed);
  Settle(150);
  EXPECT_EQ(member->Frame(), 2);
  MouseTo(r.right + 200, r.bottom + 150);
  MouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(member->StateBits(), 0u);

  MouseTo(cx, cy);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(member->StateBits(), kButtonHover);
  EXPECT_EQ(member->Frame(), 4);
}

TEST_F(SkinnedControls, ADisabledButtonShowsFrameThreeAndTheShadowTextColour) {
  Open();
  HWND button = HandleOf(form_.Button20);
  form_.Button20.SetEnabled(false);
  Settle(200);
  const Bitmap32 shown = Capture(button);
  Bitmap32 frame3(shown.Width(), shown.Height(), ColourToPixel(Skin().ButtonFaceBrush));
  Skin().Buttons.Draw(frame3, frame3.Bounds(), 3);
  Bitmap32 frame1(shown.Width(), shown.Height(), ColourToPixel(Skin().ButtonFaceBrush));
  Skin().Buttons.Draw(frame1, frame1.Bounds(), 1);
  // The element's border rows and columns, away from the caption.
  int differsFromFrame1 = 0;
  for (int x = 0; x < shown.Width(); ++x)
    for (int y : {0, 1, shown.Height() - 2, shown.Height() - 1}) {
      EXPECT_EQ(shown.At(x, y), frame3.At(x, y)) << x << "," << y;
      differsFromFrame1 += shown.At(x, y) != frame1.At(x, y) ? 1 : 0;
    }
  EXPECT_GT(differsFromFrame1, 0);
  const Pixel shadow = ColourToPixel(static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
  const Pixel text = ColourToPixel(static_cast<TColor>(GetSysColor(COLOR_BTNTEXT)));
  int shadowPixels = 0;
  int textPixels = 0;
  for (int y = 3; y < shown.Height() - 3; ++y)
    for (int x = 3; x < shown.Width() - 3; ++x) {
      shadowPixels += shown.At(x, y) == shadow && frame3.At(x, y) != shadow ? 1 : 0;
      textPixels += shown.At(x, y) == text && frame3.At(x, y) != text ? 1 : 0;
    }
  EXPECT_GT(shadowPixels, 10);
  EXPECT_EQ(textPixels, 0);
}

TEST_F(SkinnedControls, TheSelectedTabUsesFrameTwoAndTheOthersFrameOne) {
  Open();
  HWND tab = HandleOf(form_.PageControl1);
  const TDataSkinObject* tabs = Skin().Element(SkinElement::Tabs);
  ASSERT_NE(tabs, nullptr);
  for (int selected : {0, 1}) {
    form_.PageControl1.SetActivePageIndex(selected);
    Settle(150);
    const Bitmap32 shown = Capture(tab);
    for (int i = 0; i < 2; ++i) {
      RECT reported;
      SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(&reported));
      const Rect drawn = TabDrawnRect(
          {reported.left, reported.top, reported.right, reported.bottom}, TabPosition::Top);
      Bitmap32 expected(drawn.Width(), drawn.Height(), kMagenta);
      tabs->Draw(expected, expected.Bounds(), TabFrame(i, selected));
      // The tab's left border column, where no caption reaches, above the page.
      RECT adjusted;
      GetClientRect(tab, &adjusted);
      SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
      const Rect display = TabDisplayArea(
          {adjusted.left, adjusted.top, adjusted.right, adjusted.bottom}, TabPosition::Top);
      for (int y = 1; y < std::min(drawn.Height(), display.top - drawn.top); ++y) {
        if (expected.At(1, y) != kMagenta) {
          EXPECT_EQ(shown.At(drawn.left + 1, drawn.top + y), expected.At(1, y))
              << "tab " << i << " selected " << selected << " row " << y;
        }
      }
    }
  }
}

// Each page's controls show over the sheet's background after the page is switched to.
TEST_F(SkinnedControls, TheControlsOfAPageShowWhenItIsSwitchedTo) {
  Open();
  // The second page's controls get their windows, and their members, as it first shows.
  ASSERT_EQ(window_->NativeOf(form_.Button6), nullptr);
  HWND tab = HandleOf(form_.PageControl1);
  for (int page : {1, 0, 1}) {
    RECT item;
    SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(tab, HWND_DESKTOP, reinterpret_cast<POINT*>(&item), 2);
    MouseTo((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
    MouseTo(0, 0);
    Settle(200);
    ASSERT_EQ(form_.PageControl1.ActivePageIndex(), page);
    const TButton& button = page == 1 ? form_.Button6 : form_.Button1;
    ASSERT_NE(MemberOf(HandleOf(button)), nullptr) << button.Name();
    const TListBox& list = page == 1 ? form_.NMList : form_.ZList;
    ASSERT_NE(MemberOf(HandleOf(list)), nullptr) << list.Name();
    const Bitmap32 shown = Capture(HandleOf(button));
    Bitmap32 frame1(shown.Width(), shown.Height(), ColourToPixel(Skin().ButtonFaceBrush));
    Skin().Buttons.Draw(frame1, frame1.Bounds(), 1);
    for (int x = 0; x < shown.Width(); ++x)
      ASSERT_EQ(shown.At(x, 0), frame1.At(x, 0)) << button.Name() << " column " << x;
  }
}

TEST_F(SkinnedControls, ProgressBarsShowExactlyTheComposedBarAndTheEmptyBarAfterABatch) {
  Open();
  for (TProgressBar* bar : {&form_.Progress, &form_.ProgressBar1}) {
    form_.PageControl1.SetActivePageIndex(bar == &form_.Progress ? 0 : 1);
    Settle(100);
    HWND window = HandleOf(*bar);
    for (int position : {40, bar->Max(), 0}) {
      bar->SetPosition(position);
      Settle(50);
      const Bitmap32 shown = Capture(window);
      Bitmap32 expected(shown.Width(), shown.Height());
      ProgressPaint paint;
      paint.minimum = bar->Min();
      paint.maximum = bar->Max();
      paint.position = position;
      ASSERT_EQ(ComposeProgress(expected, Skin(), paint), Painted::Skin);
      EXPECT_EQ(shown, expected) << bar->Name() << " at " << position;
    }
  }
}

TEST_F(SkinnedControls, TheListOverlaySitsOnTheNativeBarAndHidesWithIt) {
  Open();
  HWND list = HandleOf(form_.ZList);
  auto* member = dynamic_cast<TSkinScrollbar*>(MemberOf(list));
  ASSERT_NE(member, nullptr);
  const TWScrollbar* vertical = member->Overlay(ScrollBarKind::Vertical);
  const TWScrollbar* horizontal = member->Overlay(ScrollBarKind::Horizontal);
  ASSERT_NE(vertical, nullptr);
  ASSERT_NE(horizontal, nullptr);
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &info));
  ASSERT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
  EXPECT_TRUE(IsWindowVisible(vertical->Handle()));
  const RECT placed = ScreenRect(vertical->Handle());
  EXPECT_TRUE(EqualRect(&placed, &info.rcScrollBar))
      << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom << " vs "
      << info.rcScrollBar.left << "," << info.rcScrollBar.top << "," << info.rcScrollBar.right
      << "," << info.rcScrollBar.bottom;
  EXPECT_EQ(GetWindow(list, GW_HWNDPREV) == vertical->Handle() ||
                GetWindow(GetWindow(list, GW_HWNDPREV), GW_HWNDPREV) == vertical->Handle(),
            true);
  EXPECT_FALSE(IsWindowVisible(horizontal->Handle()));
  // The overlay shows the skin, not the native bar.
  const Bitmap32 shown = Capture(vertical->Handle());
  Bitmap32 expected(shown.Width(), shown.Height());
  ScrollBarPaint paint;
  paint.info.bar = {info.rcScrollBar.left, info.rcScrollBar.top, info.rcScrollBar.right,
                    info.rcScrollBar.bottom};
  paint.info.lineButton = info.dxyLineButton;
  paint.info.thumbTop = info.xyThumbTop;
  paint.info.thumbBottom = info.xyThumbBottom;
  paint.orientation = BarOrientation::Vertical;
  ASSERT_EQ(ComposeScrollBar(expected, Skin(), paint), Painted::Skin);
  int differing = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x)
      if (shown.At(x, y) != expected.At(x, y) && differing++ < 5)
        ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << shown.At(x, y) << " not "
                      << expected.At(x, y);
  EXPECT_EQ(differing, 0);

  // Scrolling moves the overlay's thumb with the native one.
  SendMessageA(list, LB_SETTOPINDEX, 10, 0);
  Settle(50);
  EXPECT_NE(Capture(vertical->Handle()), shown);

  // A list short enough has no bar, and no overlay.
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  Settle(50);
  EXPECT_FALSE(IsWindowVisible(vertical->Handle()));
  for (const char* row : {"one", "two", "three"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  Settle(50);
  EXPECT_FALSE(IsWindowVisible(vertical->Handle()));
  for (int i = 0; i < 60; ++i)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
  Settle(50);
  EXPECT_TRUE(IsWindowVisible(vertical->Handle()));
  // A hidden list hides its overlay too.
  form_.ZList.SetVisible(false);
  Settle(50);
  EXPECT_FALSE(IsWindowVisible(vertical->Handle()));
  form_.ZList.SetVisible(true);
  Settle(50);
  EXPECT_TRUE(IsWindowVisible(vertical->Handle()));
}

// Input from another thread: the platform's scroll tracking waits for it in a loop of its own.
void InputWhilePumping(const std::function<void()>& script) {
  std::atomic<bool> done{false};
  std::thread input([&] {
    script();
    done = true;
  });
  PumpUntil([&] { return done.load(); }, 10000);
  input.join();
  Settle(100);
}

// The same drag on the overlay's thumb and on the unskinned list's own thumb.
int DragThumb(HWND list, int distance) {
  SendMessageA(list, LB_SETTOPINDEX, 0, 0);
  Settle(100);
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(list, OBJID_VSCROLL, &info);
  const int x = (info.rcScrollBar.left + info.rcScrollBar.right) / 2;
  const int y = info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2;
  InputWhilePumping([&] {
    SetCursorPos(x, y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(100);
    for (int step = 1; step <= 4; ++step) {
      SetCursorPos(x, y + distance * step / 4);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      Sleep(80);
    }
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Sleep(100);
  });
  return static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
}

TEST_F(SkinnedControls, DraggingTheOverlaysThumbScrollsAsTheNativeThumbDoes) {
  Open();
  HWND list = HandleOf(form_.ZList);
  auto* member = dynamic_cast<TSkinScrollbar*>(MemberOf(list));
  ASSERT_NE(member, nullptr);
  HWND overlay = member->Overlay(ScrollBarKind::Vertical)->Handle();
  const int skinned = DragThumb(list, 60);
  EXPECT_GT(skinned, 0);
  form_.SkinData1.SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(list); }));
  EXPECT_FALSE(IsWindow(overlay));
  EXPECT_EQ(DragThumb(list, 60), skinned);
}

TEST_F(SkinnedControls, SwitchingSkinningOffGivesEveryControlItsOwnPainting) {
  HWND main = Open();
  const std::vector<const TControl*> controls{&form_.Save1, &form_.Button20, &form_.cmbSave,
                                              &form_.Progress, &form_.ZList};
  std::vector<Bitmap32> skinned;
  for (const TControl* control : controls)
    skinned.push_back(Capture(HandleOf(*control)));
  form_.SkinData1.SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(main); }));
  Settle(300);
  std::vector<Bitmap32> off;
  for (const TControl* control : controls)
    off.push_back(Capture(HandleOf(*control)));
  // Painted again from scratch, each control looks as it did right after skinning went off:
  // nothing of the skin is left over it, and nothing of it paints any more.
  RedrawWindow(main, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Settle(300);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_FALSE(Skinned(HandleOf(*controls[i]))) << controls[i]->Name();
    EXPECT_NE(off[i], skinned[i]) << controls[i]->Name();
    EXPECT_EQ(Capture(HandleOf(*controls[i])), off[i]) << controls[i]->Name();
  }
  // The list's own scroll bar shows again where its overlay was.
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetScrollBarInfo(HandleOf(form_.ZList), OBJID_VSCROLL, &info));
  POINT middle{(info.rcScrollBar.left + info.rcScrollBar.right) / 2,
               (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2};
  EXPECT_EQ(WindowFromPoint(middle), HandleOf(form_.ZList));
}

TEST_F(SkinnedControls, TheGridsHeadersAreSkinnedAndTheirOwnPaintingComesBack) {
  SetCursorPos(0, 0);
  Open();
  HWND header = ListView_GetHeader(HandleOf(form_.Preview));
  ASSERT_NE(header, nullptr);
  // Each tab shown once: the grids of the other tabs get their windows then.
  for (int page : {1, 2, 0}) {
    form_.PageControl1.SetActivePageIndex(page);
    Settle(100);
  }
  for (const TValueListEditor* grid : {&form_.Preview, &form_.Preview2, &form_.Preview3})
    EXPECT_TRUE(Skinned(ListView_GetHeader(HandleOf(*grid)))) << grid->Name();
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Settle(100);
  const Bitmap32 shown = Capture(header);
  HeaderPaint paint;
  paint.fontColour = static_cast<TColor>(GetSysColor(COLOR_BTNTEXT));
  for (int i = 0; i < Header_GetItemCount(header); ++i) {
    RECT r;
    Header_GetItemRect(header, i, &r);
    char caption[64] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof(caption);
    Header_GetItem(header, i, &item);
    paint.sections.push_back({ToRect(r), caption});
  }
  ASSERT_GE(paint.sections.size(), 2u);
  Bitmap32 expected(shown.Width(), shown.Height());
  GdiTextPainter text(FontOf(header));
  ASSERT_EQ(ComposeHeader(expected, Skin(), paint, text), Painted::Skin);
  const Rect first = paint.sections[0].rect;
  int differing = 0;
  for (int y = first.top; y < first.bottom; ++y)
    for (int x = first.left; x < first.right; ++x)
      differing += shown.At(x, y) != expected.At(x, y) ? 1 : 0;
  EXPECT_EQ(differing, 0);
  // Switched off, the header paints itself.
  SendMessageA(header, kMsgControlSkinning, 0, 0);
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Settle(100);
  const Bitmap32 off = Capture(header);
  EXPECT_NE(off, shown);
  EXPECT_EQ(off, OwnPainting(header));
}

// A window of the program with a status bar, a track bar and an up-down control beside its
// buddy edit box: skinned through the chooser for windows.
class CommonControls : public SkinnedControls {
protected:
  void Build() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
    Open();
    host = CreateWindowExA(0, RegisterContainerClass("TCommonControlsHost", ClassIcon::kProgram),
                           "Common controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 120, 120,
                           420, 260, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    auto child = [&](const char* cls, DWORD style, int x, int y, int w, int h, DWORD ex = 0) {
      return CreateWindowExA(ex, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, host, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    };
    status = child(STATUSCLASSNAMEA, SBARS_SIZEGRIP, 0, 0, 0, 0);
    const int parts[] = {150, -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
    track = child(TRACKBAR_CLASSA, WS_TABSTOP | TBS_NOTICKS, 20, 20, 200, 30);
    SendMessageA(track, TBM_SETPOS, TRUE, 30);
    buddy = child(WC_EDITA, ES_NUMBER, 20, 80, 60, 22, WS_EX_CLIENTEDGE);
    spin = child(UPDOWN_CLASSA, UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 0, 0);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(spin, UDM_SETRANGE32, 0, 100);
    SendMessageA(spin, UDM_SETPOS32, 0, 7);
    ShowWindow(host, SW_SHOW);
    SetForegroundWindow(host);
    SetFocus(track);
    ASSERT_TRUE(PumpUntil([&] {
      return Skinned(host) && Skinned(status) && Skinned(track) && Skinned(spin);
    })) << "not skinned";
    Settle(300);
  }
  void TearDown() override {
    if (host != nullptr)
      DestroyWindow(host);
    Settle(50);
  }
  Bitmap32 Expected(HWND window, const std::function<Painted(Bitmap32&)>& compose) {
    RECT r;
    GetClientRect(window, &r);
    Bitmap32 expected(r.right, r.bottom);
    EXPECT_EQ(compose(expected), Painted::Skin);
    return expected;
  }
  Bitmap32 ExpectedTrack(ControlFocus focus) {
    TrackBarPaint paint;
    RECT channel;
    RECT thumb;
    SendMessageA(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    SendMessageA(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    paint.channel = ToRect(channel);
    paint.thumb = ToRect(thumb);
    paint.focus = focus;
    return Expected(track, [&](Bitmap32& b) { return ComposeTrackBar(b, Skin(), paint); });
  }

  HWND host = nullptr;
  HWND status = nullptr;
  HWND track = nullptr;
  HWND buddy = nullptr;
  HWND spin = nullptr;
};

TEST_F(CommonControls, StatusTrackAndUpDownPaintTheirFramesAndStillWork) {
  SetCursorPos(0, 0);
  Build();
  // The status bar: its panels over the bar, the text in the control's font.
  StatusBarPaint bar;
  bar.fontColour = static_cast<TColor>(GetSysColor(COLOR_BTNTEXT));
  bar.grip = SizeGrip::Shown;
  for (int i = 0; i < 2; ++i) {
    RECT r;
    SendMessageA(status, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    bar.panels.push_back({ToRect(r), i == 0 ? "Ready" : ""});
  }
  GdiTextPainter text(FontOf(status));
  EXPECT_EQ(Capture(status),
            Expected(status, [&](Bitmap32& b) { return ComposeStatusBar(b, Skin(), bar, text); }));
  // The focused track bar's thumb moves with the keyboard and is painted where it went.
  ASSERT_EQ(GetFocus(), track);
  EXPECT_EQ(Capture(track), ExpectedTrack(ControlFocus::Focused));
  keybd_event(VK_RIGHT, 0, 0, 0);
  keybd_event(VK_RIGHT, 0, KEYEVENTF_KEYUP, 0);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(track, TBM_GETPOS, 0, 0) == 31; }));
  Settle(100);
  EXPECT_EQ(Capture(track), ExpectedTrack(ControlFocus::Focused));
  // A click on the up-down's upper half steps its buddy's value; the half stays hot.
  const RECT r = ScreenRect(spin);
  MouseTo((r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  char value[8] = {};
  GetWindowTextA(buddy, value, sizeof(value));
  EXPECT_STREQ(value, "8");
  UpDownPaint arrows;
  arrows.hot = UpDownPart::First;
  EXPECT_EQ(Capture(spin),
            Expected(spin, [&](Bitmap32& b) { return ComposeUpDown(b, Skin(), arrows); }));
}

TEST_F(CommonControls, SwitchedOffTheyPaintThemselvesAgain) {
  SetCursorPos(0, 0);
  Build();
  for (HWND control : {status, track, spin}) {
    const Bitmap32 skinned = Capture(control);
    SendMessageA(control, kMsgControlSkinning, 0, 0);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Settle(100);
    const Bitmap32 shown = Capture(control);
    EXPECT_NE(shown, skinned);
    EXPECT_EQ(shown, OwnPainting(control));
    // And back on: the skin again.
    SendMessageA(control, kMsgControlSkinning, 1, 0);
    Settle(100);
    EXPECT_EQ(Capture(control), skinned);
  }
}

} // namespace
} // namespace tw::win
