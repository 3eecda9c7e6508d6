// The skinned controls of the main window in this process under real input: the tab strip in
// the form's colour, a combo box's frames for hover, dropped and disabled, clicks on a
// scroll-bar overlay's arrows and track, skinning going off in the middle of a drag on it, a
// push button's Space key, every control showing a skin loaded at run time at once, and a
// member's hook stacking with another subclass.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WKS_Main.h"
#include "runtime/win32/containers.h"
#include "skin/model/system_colour.h"
#include "skin/paint/paint_combo.h"
#include "skin/paint/paint_tab.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/win_skin_form.h"
#include "skin/win32/members/skin_members.h"
#include "skin/win32/members/skin_scrollbar.h"
#include "skin_test_support.h"
#include "skinned_form_test.h"
#include "skinned_input.h"
#include "support/win32/screen_probe.h"

namespace tw::win {
namespace {

using test::Differing;
using test::MouseButton;
using test::MouseTo;
using test::PumpUntil;
using test::Settle;
using test::Shown;
using test::Skinned;

class SkinnedMembers : public SkinnedFormTest {
protected:
  HWND Open() {
    CreateMainWindow();
    ReadSkinAndShow();
    HWND main = window_->Handle();
    EXPECT_TRUE(PumpUntil([&] { return Skinned(main); }, 10000)) << "not skinned";
    EXPECT_TRUE(PumpUntil([&] {
      const TWinSkinForm* form = manager_.FormOf(main);
      return form != nullptr && form->Stage() == kStageSkinned;
    }));
    MouseTo(0, 0);
    Settle();
    return main;
  }
  // Null for a control on a tab not shown yet, which has no window.
  HWND HandleOf(const TControl& control) {
    const NativeControl* native = window_->NativeOf(control);
    return native != nullptr ? native->Handle() : nullptr;
  }
  TSkinControl* MemberOf(HWND control) {
    const TWinSkinForm* form = manager_.FormOf(window_->Handle());
    if (form == nullptr)
      return nullptr;
    for (const auto& member : form->Controls())
      if (member->Handle() == control)
        return member.get();
    return nullptr;
  }
  const SkinModel& Skin() { return form_.SkinData1.Model(); }
};

TEST_F(SkinnedMembers, TheTabStripAndTheTabsCornersShowTheFormsColour) {
  Open();
  HWND tab = HandleOf(form_.PageControl1);
  const Pixel form = ColourToPixel(static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  // The form's colour is the platform's button face, not the skin's.
  ASSERT_NE(form, ColourToPixel(ColorToRGB(Skin().ButtonFaceBrush)));
  RECT client;
  GetClientRect(tab, &client);
  RECT adjusted = client;
  SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
  const Rect display = TabDisplayArea(ToRect(adjusted), TabPosition::Top);
  const Rect strip = TabStripArea(ToRect(client), display, TabPosition::Top);
  const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  RECT last;
  SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
               reinterpret_cast<LPARAM>(&last));
  const Bitmap32 shown = Shown(tab);
  // The strip right of the last tab, about 830 x 20 pixels on the main window.
  const Rect beside{TabDrawnRect(ToRect(last), TabPosition::Top).right + 1, strip.top, strip.right,
                    strip.bottom - 1};
  ASSERT_GT(beside.Width() * beside.Height(), 5000);
  int other = 0;
  for (int y = beside.top; y < beside.bottom; ++y)
    for (int x = beside.left; x < beside.right; ++x)
      other += shown.At(x, y) != form ? 1 : 0;
  EXPECT_EQ(other, 0);
  // Where the tabs are transparent (their rounded corners), the same colour.
  const TDataSkinObject* tabs = Skin().Element(SkinElement::Tabs);
  ASSERT_NE(tabs, nullptr);
  const int focused = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
  int corners = 0;
  for (int i = 0; i < count; ++i) {
    RECT reported;
    SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&reported));
    const Rect drawn = TabDrawnRect(ToRect(reported), TabPosition::Top);
    Bitmap32 element(drawn.Width(), drawn.Height(), kMagenta);
    tabs->Draw(element, element.Bounds(), TabFrame(i, focused));
    for (int y = 0; y < 3; ++y)
      for (const int x : {0, 1, 2, drawn.Width() - 3, drawn.Width() - 2, drawn.Width() - 1})
        if (element.At(x, y) == kMagenta && drawn.top + y >= strip.top) {
          ++corners;
          EXPECT_EQ(shown.At(drawn.left + x, drawn.top + y), form) << "tab " << i << " " << x;
        }
  }
  EXPECT_GT(corners, 0);
}

TEST_F(SkinnedMembers, AComboBoxShowsItsHoverDroppedAndDisabledFrames) {
  Open();
  HWND combo = HandleOf(form_.cmbSave);
  SetFocus(HandleOf(form_.Save1));
  Settle(100);
  RECT client;
  GetClientRect(combo, &client);
  // The composed strip of a frame; magenta where the control's own painting shows through.
  const auto strip = [&](int frame) {
    ComboPaint paint;
    paint.state.pressed = frame == 2 ? ComboPressed::Pressed : ComboPressed::Released;
    paint.state.hover = frame == 4 ? ComboHover::Hovered : ComboHover::Outside;
    paint.state.enabled = frame == 3 ? ControlEnabled::Disabled : ControlEnabled::Enabled;
    Bitmap32 expected(client.right, client.bottom, kMagenta);
    EXPECT_EQ(ComposeCombo(expected, Skin(), paint), Painted::Skin);
    EXPECT_EQ(ComboStateFrame(paint.state), frame);
    return expected;
  };
  const Rect box{0, 0, client.right, client.bottom};
  const auto shows = [&](int frame) {
    const Bitmap32 shown = Shown(combo);
    return Differing(shown, strip(frame), box) == 0;
  };
  for (const int frame : {2, 3, 4})
    ASSERT_GT(Differing(strip(frame), strip(1), box), 0) << frame;

  EXPECT_TRUE(shows(1));
  RECT r;
  GetWindowRect(combo, &r);
  MouseTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_TRUE(PumpUntil([&] { return shows(4); }, 2000)) << "hovered";
  MouseTo(0, 0);
  EXPECT_TRUE(PumpUntil([&] { return shows(1); }, 2000)) << "left";

  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  Settle(150);
  EXPECT_TRUE(shows(2)) << "dropped";
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
  SetFocus(HandleOf(form_.Save1));
  Settle(150);
  EXPECT_TRUE(shows(1)) << "closed";

  form_.cmbSave.SetEnabled(false);
  Settle(150);
  EXPECT_TRUE(shows(3)) << "disabled";
}

// Clicks at the vertical bar's up arrow, down arrow, and the track above and below the thumb,
// each followed by the list's top row.
std::vector<int> ClickThrough(HWND list) {
  SendMessageA(list, LB_SETTOPINDEX, 0, 0);
  Settle(100);
  std::vector<int> tops;
  enum class Part { Down, TrackBelow, Up, TrackAbove };
  for (const Part part : {Part::Down, Part::TrackBelow, Part::Up, Part::TrackAbove}) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(list, OBJID_VSCROLL, &info);
    const RECT& bar = info.rcScrollBar;
    // (dxyLineButton is the thumb's length.)
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    int y = 0;
    switch (part) {
    case Part::Down:
      y = bar.bottom - arrow / 2;
      break;
    case Part::TrackBelow:
      y = bar.top + (info.xyThumbBottom + (bar.bottom - bar.top - arrow)) / 2;
      break;
    case Part::Up:
      y = bar.top + arrow / 2;
      break;
    case Part::TrackAbove:
      y = bar.top + (arrow + info.xyThumbTop) / 2;
      break;
    }
    const int x = (bar.left + bar.right) / 2;
    test::InputWhilePumping([&] {
      SetCursorPos(x, y);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      Sleep(80);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      Sleep(60);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      Sleep(80);
    });
    tops.push_back(static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)));
  }
  return tops;
}

TEST_F(SkinnedMembers, ClicksOnAnOverlaysArrowsAndTrackScrollAsOnTheNativeBar) {
  Open();
  HWND list = HandleOf(form_.ZList);
  auto* member = dynamic_cast<TSkinScrollbar*>(MemberOf(list));
  ASSERT_NE(member, nullptr);
  HWND overlay = member->Overlay(ScrollBarKind::Vertical)->Handle();
  ASSERT_TRUE(IsWindowVisible(overlay));
  const std::vector<int> skinned = ClickThrough(list);
  // A line down, a page down, a line up, a page up.
  ASSERT_EQ(skinned.size(), 4u);
  EXPECT_EQ(skinned[0], 1);
  EXPECT_GT(skinned[1], skinned[0] + 5);
  EXPECT_EQ(skinned[2], skinned[1] - 1);
  EXPECT_EQ(skinned[3], 0);
  form_.SkinData1.SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(list); }));
  Settle();
  EXPECT_EQ(ClickThrough(list), skinned);
}

// Skinning switched off by a timer while the platform tracks a press forwarded from an overlay:
// the overlay and the list's member go (written over as they are freed: scribbled_delete.cpp)
// while their handlers wait for the tracking to end.
struct SwitchOffWhileTracking {
  TSkinData* data = nullptr;
  HWND list = nullptr;
  bool switched = false;
};
SwitchOffWhileTracking* tracking = nullptr;

void CALLBACK SwitchOffTracking(HWND, UINT, UINT_PTR, DWORD) {
  if (tracking != nullptr && !tracking->switched && GetCapture() == tracking->list) {
    tracking->switched = true;
    tracking->data->SetActive(false);
  }
}

TEST_F(SkinnedMembers, SkinningGoingOffWhileAnOverlaysThumbIsDraggedLeavesAWorkingList) {
  Open();
  HWND list = HandleOf(form_.ZList);
  auto* member = dynamic_cast<TSkinScrollbar*>(MemberOf(list));
  ASSERT_NE(member, nullptr);
  HWND overlay = member->Overlay(ScrollBarKind::Vertical)->Handle();
  SendMessageA(list, LB_SETTOPINDEX, 0, 0);
  Settle(100);
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(list, OBJID_VSCROLL, &info);
  const int x = (info.rcScrollBar.left + info.rcScrollBar.right) / 2;
  const int y = info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2;
  SwitchOffWhileTracking state{&form_.SkinData1, list};
  tracking = &state;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, SwitchOffTracking);
  test::InputWhilePumping([&] {
    SetCursorPos(x, y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    // Long enough for the manager's 250 ms delay to pass within the drag.
    for (int step = 1; step <= 8; ++step) {
      Sleep(100);
      SetCursorPos(x, y + 8 * step);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    }
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Sleep(100);
  });
  KillTimer(nullptr, timer);
  tracking = nullptr;
  EXPECT_TRUE(state.switched);
  EXPECT_FALSE(Skinned(list));
  EXPECT_FALSE(IsWindow(overlay));
  EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
  // The list works on, and is skinned again with new overlays.
  SendMessageA(list, LB_SETTOPINDEX, 3, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 3);
  form_.SkinData1.SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return Skinned(list); }));
  member = dynamic_cast<TSkinScrollbar*>(MemberOf(list));
  ASSERT_NE(member, nullptr);
  EXPECT_TRUE(IsWindowVisible(member->Overlay(ScrollBarKind::Vertical)->Handle()));
}

TEST_F(SkinnedMembers, APushButtonPressedWithSpaceShowsFrameTwoAndClicksOnRelease) {
  Open();
  HWND button = HandleOf(form_.Button20);
  auto* member = dynamic_cast<TSkinButton*>(MemberOf(button));
  ASSERT_NE(member, nullptr);
  int clicks = 0;
  form_.Button20.OnClick = [&](TControl&) { ++clicks; };
  SetFocus(button);
  Settle(200);
  const auto showsFrame = [&](int frame) {
    const Bitmap32 shown = Shown(button);
    Bitmap32 expected(shown.Width(), shown.Height(), ColourToPixel(Skin().ButtonFaceBrush));
    Skin().Buttons.Draw(expected, expected.Bounds(), frame);
    // The element's outer rows: on a button this low the focus rectangle reaches the next ones.
    return Differing(shown, expected, {0, 0, shown.Width(), 1}) == 0 &&
           Differing(shown, expected, {0, shown.Height() - 1, shown.Width(), shown.Height()}) == 0;
  };
  EXPECT_EQ(member->Frame(), 5);
  EXPECT_TRUE(showsFrame(5));

  test::KeyEvent(VK_SPACE, 0);
  Settle(300);
  EXPECT_EQ(member->StateBits() & kButtonPressed, kButtonPressed);
  EXPECT_EQ(member->Frame(), 2);
  EXPECT_TRUE(showsFrame(2));
  EXPECT_EQ(clicks, 0);

  test::KeyEvent(VK_SPACE, KEYEVENTF_KEYUP);
  Settle(300);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(member->StateBits() & kButtonPressed, 0u);
  EXPECT_EQ(member->Frame(), 5);
  EXPECT_TRUE(showsFrame(5));
}

TEST_F(SkinnedMembers, ASkinLoadedAtRunTimeShowsOnEveryControlAtOnce) {
  HWND main = Open();
  auto* bars = dynamic_cast<TSkinScrollbar*>(MemberOf(HandleOf(form_.ZList)));
  ASSERT_NE(bars, nullptr);
  const std::vector<HWND> windows{
      HandleOf(form_.Button20), HandleOf(form_.Save1),
      HandleOf(form_.cmbSave),  HandleOf(form_.PageControl1),
      HandleOf(form_.Progress), bars->Overlay(ScrollBarKind::Vertical)->Handle()};
  const auto shownNow = [&] {
    std::vector<Bitmap32> shown;
    for (HWND window : windows)
      shown.push_back(Shown(window));
    return shown;
  };
  form_.Progress.SetPosition(50);
  Settle();
  const std::vector<Bitmap32> first = shownNow();
  // The second skin: the shipped one with every colour of its bitmaps inverted.
  std::vector<skinpack::ArchiveEntry> entries = test::ArchiveEntries(form_.SkinData1);
  ASSERT_FALSE(entries.empty());
  test::RecolourBitmaps(entries, [](Pixel p) {
    const Pixel inverted = MakePixel(255 - PixelRed(p), 255 - PixelGreen(p), 255 - PixelBlue(p));
    return inverted == kMagenta ? MakePixel(254, 0, 255) : inverted;
  });
  const std::string path = test::WriteTempFile("trailwick-inverted.skn", test::SkinFileOf(entries));
  ASSERT_FALSE(path.empty());
  int changed = 0;
  form_.SkinData1.OnSkinChanged = [&](TSkinData&) { ++changed; };
  form_.SkinData1.SetSkinFile(path);
  ASSERT_TRUE(PumpUntil([&] { return changed == 1; }));
  Settle(400);
  const std::vector<Bitmap32> second = shownNow();
  // Nothing more is needed: painted again from scratch, each control looks the same.
  RedrawWindow(main, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Settle(400);
  const std::vector<Bitmap32> repainted = shownNow();
  for (std::size_t i = 0; i < windows.size(); ++i) {
    EXPECT_NE(second[i], first[i]) << "control " << i << " kept the first skin";
    EXPECT_EQ(second[i], repainted[i]) << "control " << i << " showed the new skin only later";
  }
  DeleteFileA(path.c_str());
}

std::string* trail = nullptr;
constexpr UINT kProbe = WM_USER + 77;

LRESULT CALLBACK Foreign(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == kProbe)
    *trail += "foreign;";
  return DefSubclassProc(w, msg, wp, lp);
}

// The skin takes a control's messages in the same subclass chain as anyone else: hooks of both
// come off in any order without cutting each other or the control's own handling out.
TEST_F(SkinnedMembers, AMembersHookAndAnotherSubclassComeOffInAnyOrder) {
  HWND main = Open();
  HWND save = HandleOf(form_.Save1);
  std::string seen;
  trail = &seen;
  int clicks = 0;
  form_.Save1.OnClick = [&](TControl&) { ++clicks; };
  ASSERT_TRUE(SetWindowSubclass(save, Foreign, 1, 0));
  // The skin's hook off beneath the other subclass.
  form_.SkinData1.SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(main); }));
  EXPECT_FALSE(Skinned(save));
  SendMessageA(save, kProbe, 0, 0);
  SendMessageA(save, BM_CLICK, 0, 0);
  EXPECT_EQ(seen, "foreign;");
  EXPECT_EQ(clicks, 1);
  // On again above it, then the other subclass off first.
  form_.SkinData1.SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return Skinned(save); }));
  SendMessageA(save, kProbe, 0, 0);
  EXPECT_EQ(seen, "foreign;foreign;");
  RemoveWindowSubclass(save, Foreign, 1);
  SendMessageA(save, kProbe, 0, 0);
  SendMessageA(save, BM_CLICK, 0, 0);
  EXPECT_EQ(seen, "foreign;foreign;");
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(Skinned(save));
  EXPECT_NE(dynamic_cast<TSkinButton*>(MemberOf(save)), nullptr);
  trail = nullptr;
}

} // namespace
} // namespace tw::win
