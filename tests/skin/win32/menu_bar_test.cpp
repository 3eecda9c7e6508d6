// The skinned menu bar on a real window under Wine, driven by real input (SendInput from a
// second thread while this one runs the window and its menu loops): the bar painted where the
// native bar was, items without a submenu or disabled, switching between bar popups with the
// arrow keys (wrapping around, the other way for right-to-left windows) and with the pointer,
// Enter, Escape and Alt, and the native bar given back when skinning goes off.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "menu_bar_window.h"
#include "runtime/win32/application.h"
#include "skin/model/system_colour.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/members/skin_members.h"
#include "skin/win32/menus/win_skin_menu.h"
#include "support/recording_host.h"

namespace tw::test {
namespace {

using win::WinSkinMenuBar;

struct PopupSearch {
  std::vector<HMENU> menus;
  std::vector<RECT> rects;
};

BOOL CALLBACK CollectPopup(HWND window, LPARAM param) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32768") == 0 && IsWindowVisible(window)) {
    auto* search = reinterpret_cast<PopupSearch*>(param);
    search->menus.push_back(reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)));
    RECT r;
    GetWindowRect(window, &r);
    search->rects.push_back(r);
  }
  return TRUE;
}

PopupSearch ShownPopups(DWORD thread) {
  PopupSearch search;
  EnumThreadWindows(thread, CollectPopup, reinterpret_cast<LPARAM>(&search));
  return search;
}

int Highlighted(HMENU menu) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) != 0)
      return i;
  return -1;
}

void Key(WORD key, DWORD flags = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof(INPUT));
}

void Press(WORD key) {
  Key(key);
  Key(key, KEYEVENTF_KEYUP);
  Sleep(150);
}

void AltWith(WORD key) {
  Key(VK_MENU);
  Press(key);
  Key(VK_MENU, KEYEVENTF_KEYUP);
  Sleep(150);
}

void MoveTo(POINT p) {
  SetCursorPos(p.x, p.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  Sleep(150);
}

// The pointer glides there in steps, as a hand moves it.
void GlideTo(POINT p) {
  POINT from;
  GetCursorPos(&from);
  for (int step = 1; step <= 4; ++step)
    MoveTo({from.x + (p.x - from.x) * step / 4, from.y + (p.y - from.y) * step / 4});
}

void ClickAt(POINT p) {
  MoveTo(p);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  Sleep(60);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Sleep(150);
}

class SkinnedMenuBar : public testing::Test {
protected:
  SkinnedMenuBar() { win::Application::Get().Initialize(GetModuleHandleW(nullptr)); }

  void Open(MenuLayout layout) {
    SetCursorPos(0, 0); // off the window, wherever an earlier test left it
    window_ = std::make_unique<MenuBarWindow>(layout);
    ASSERT_NE(window_->Form(), nullptr);
    bar_ = window_->Form()->MenuBar();
    ASSERT_NE(bar_, nullptr);
    thread_ = GetCurrentThreadId();
  }

  // The centre of a bar item on the screen.
  POINT ItemCentre(int item) const {
    RECT w;
    GetWindowRect(window_->Window(), &w);
    const Rect r = bar_->Model().Item(item).rect;
    return {w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
  }

  // Runs the script on an input thread while this thread runs the window's messages.
  void Drive(const std::function<void()>& script) {
    std::atomic<bool> done{false};
    std::thread input([&] {
      Sleep(100);
      script();
      done = true;
    });
    PumpUntil([&] { return done.load(); }, 20000);
    input.join();
    Pump(100);
  }

  // From the input thread: the menus of the popups that show once they are `count`.
  std::vector<HMENU> PopupsWhenThereAre(std::size_t count) const {
    PopupSearch shown;
    for (int i = 0; i < 40; ++i) {
      shown = ShownPopups(thread_);
      if (shown.menus.size() == count)
        break;
      Sleep(50);
    }
    return shown.menus;
  }
  std::vector<HMENU> PopupShowing(HMENU expected) const {
    std::vector<HMENU> menus;
    for (int i = 0; i < 40; ++i) {
      menus = ShownPopups(thread_).menus;
      if (menus == std::vector<HMENU>{expected})
        break;
      Sleep(50);
    }
    return menus;
  }

  std::unique_ptr<MenuBarWindow> window_;
  WinSkinMenuBar* bar_ = nullptr;
  DWORD thread_ = 0;
};

TEST_F(SkinnedMenuBar, TheNativeBarMakesWayForTheComposedBarInTheFramesStrip) {
  Open(MenuLayout::LeftToRight);
  HWND window = window_->Window();
  EXPECT_EQ(GetMenu(window), nullptr);
  const FormGeometry& g = window_->Form()->Geometry();
  EXPECT_EQ(g.menuBar, GetSystemMetrics(SM_CYMENU));
  RECT w;
  RECT c;
  GetWindowRect(window, &w);
  GetClientRect(window, &c);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&c), 2);
  EXPECT_EQ(c.top - w.top, g.caption + g.menuBar);

  // The same items composed here from the native menu must be what the window shows.
  RecordingHost host;
  win::MenuFontText text;
  TWinSkinMenu expected(window_->Data().Model(), host, text);
  expected.Build(
      BuildMenuItems(win::ReadNativeMenu(window_->Menu()), {}, MenuSource::NativeMerged));
  const Rect strip{g.left, g.caption, (w.right - w.left) - g.right, g.caption + g.menuBar};
  expected.Layout(strip, MenuDirection::LeftToRight);
  const Bitmap32 image = expected.Paint(Activity::Active);
  InvalidateRect(window, nullptr, TRUE);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(100);
  const Bitmap32 shot = [&] {
    win::WindowDc dc(window);
    return ReadBack(dc.Get(), w.right - w.left, w.bottom - w.top);
  }();
  int differing = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      differing += shot.At(strip.left + x, strip.top + y) != image.At(x, y);
  EXPECT_EQ(differing, 0);
  for (int i = 0; i < expected.Count(); ++i)
    EXPECT_EQ(bar_->Model().Item(i).rect, expected.Item(i).rect) << i;
  EXPECT_FALSE(bar_->Model().Item(kViewItem).enabled);
  // What keeps popup items from posting a command: their identifier is their submenu's handle.
  const std::vector<NativeMenuItem> native = win::ReadNativeMenu(window_->Menu());
  ASSERT_EQ(native.size(), 5u);
  EXPECT_EQ(native[kFileItem].id,
            static_cast<UINT>(reinterpret_cast<UINT_PTR>(window_->Submenu(kFileItem))));
  EXPECT_EQ(native[kRefreshItem].id, kRefreshCommand);
}

Bitmap32 Capture(HWND window) {
  RECT w;
  GetWindowRect(window, &w);
  win::WindowDc dc(window);
  return ReadBack(dc.Get(), w.right - w.left, w.bottom - w.top);
}

TEST_F(SkinnedMenuBar, AHoveredItemAloneGetsTheHilightFrameUntilThePointerLeaves) {
  Open(MenuLayout::LeftToRight);
  HWND window = window_->Window();
  const Rect edit = bar_->Model().Item(kEditItem).rect;
  const Rect strip = bar_->Model().Bar();
  const Pixel hilight =
      ColourToPixel(ColorToRGB(window_->Data().Model().Colour(SkinColour::ButtonHilight)));
  RECT w;
  GetWindowRect(window, &w);
  Drive([&] { MoveTo({w.left + 200, w.bottom - 40}); });
  const Bitmap32 before = Capture(window);
  Drive([&] { GlideTo(ItemCentre(kEditItem)); });
  const Bitmap32 hovered = Capture(window);
  Drive([&] {
    GlideTo({w.left + 200, w.bottom - 40});
    Sleep(600); // the frame's pointer timer notices the leave
  });
  const Bitmap32 after = Capture(window);
  int frame = 0;
  int framed = 0;
  int changedOutside = 0;
  int changedAfter = 0;
  int frameChanged = 0;
  for (int y = strip.top; y < strip.bottom; ++y)
    for (int x = strip.left; x < strip.right; ++x) {
      const bool inside = edit.Contains({x, y});
      const bool onFrame = inside && (x == edit.left || x == edit.right - 1 || y == edit.top ||
                                      y == edit.bottom - 1);
      frame += onFrame;
      framed += onFrame && hovered.At(x, y) == hilight;
      frameChanged += onFrame && hovered.At(x, y) != before.At(x, y);
      changedOutside += !inside && hovered.At(x, y) != before.At(x, y);
      changedAfter += after.At(x, y) != before.At(x, y);
    }
  EXPECT_GT(frame, 0);
  EXPECT_EQ(framed, frame);
  EXPECT_GT(frameChanged, frame / 2); // the frame shows against the bar
  EXPECT_EQ(changedOutside, 0);
  EXPECT_EQ(changedAfter, 0);
  EXPECT_EQ(window_->Form()->Hot(), nullptr);
}

TEST_F(SkinnedMenuBar, AnItemWithoutSubmenuPostsItsCommandAndADisabledItemDoesNothing) {
  Open(MenuLayout::LeftToRight);
  std::size_t afterRefresh = 99;
  std::size_t afterView = 99;
  Drive([&] {
    ClickAt(ItemCentre(kRefreshItem));
    Sleep(300);
    afterRefresh = ShownPopups(thread_).menus.size();
    ClickAt(ItemCentre(kViewItem));
    Sleep(300);
    afterView = ShownPopups(thread_).menus.size();
  });
  EXPECT_EQ(afterRefresh, 0u);
  EXPECT_EQ(afterView, 0u);
  EXPECT_EQ(window_->Commands(), std::vector<UINT>{kRefreshCommand});
  EXPECT_FALSE(bar_->Tracking());
}

TEST_F(SkinnedMenuBar, ArrowKeysSwitchBetweenBarPopupsWrappingAroundAndEscapeCloses) {
  Open(MenuLayout::LeftToRight);
  std::vector<std::vector<HMENU>> seen;
  int firstHighlighted = -2;
  Drive([&] {
    ClickAt(ItemCentre(kHelpItem));
    seen.push_back(PopupShowing(window_->Submenu(kHelpItem)));
    Sleep(200);
    firstHighlighted = Highlighted(window_->Submenu(kHelpItem));
    Press(VK_RIGHT); // the last item wraps to the first
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    Press(VK_LEFT); // the first wraps to the last
    seen.push_back(PopupShowing(window_->Submenu(kHelpItem)));
    Press(VK_LEFT); // over Refresh (no submenu) and View (disabled)
    seen.push_back(PopupShowing(window_->Submenu(kEditItem)));
    Press(VK_ESCAPE);
    seen.push_back(PopupsWhenThereAre(0));
  });
  const std::vector<std::vector<HMENU>> expected = {{window_->Submenu(kHelpItem)},
                                                    {window_->Submenu(kFileItem)},
                                                    {window_->Submenu(kHelpItem)},
                                                    {window_->Submenu(kEditItem)},
                                                    {}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(firstHighlighted, 0); // the first entry is selected as the popup opens
  EXPECT_TRUE(window_->Commands().empty());
  EXPECT_FALSE(bar_->Tracking());
}

TEST_F(SkinnedMenuBar, RightToLeftBarsSwitchTheOtherWayAndAlignPopupsAtTheItemsRightEdge) {
  Open(MenuLayout::RightToLeft);
  RECT w;
  GetWindowRect(window_->Window(), &w);
  const Rect file = bar_->Model().Item(kFileItem).rect;
  EXPECT_GT(file.left, bar_->Model().Item(kEditItem).rect.left); // the first item on the right
  std::vector<std::vector<HMENU>> seen;
  RECT popup{};
  Drive([&] {
    AltWith('F');
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    const PopupSearch shown = ShownPopups(thread_);
    if (!shown.rects.empty())
      popup = shown.rects.front();
    Press(VK_RIGHT); // towards the end of a right-to-left bar: wraps to the last
    seen.push_back(PopupShowing(window_->Submenu(kHelpItem)));
    Press(VK_LEFT);
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    Press(VK_LEFT);
    seen.push_back(PopupShowing(window_->Submenu(kEditItem)));
    Press(VK_ESCAPE);
    seen.push_back(PopupsWhenThereAre(0));
    // On an entry with a submenu, Left opens it in a right-to-left menu.
    AltWith('F');
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    Press(VK_DOWN);
    Press(VK_DOWN); // "Recent"
    Press(VK_LEFT);
    std::vector<HMENU> two = PopupsWhenThereAre(2);
    std::sort(two.begin(), two.end());
    seen.push_back(two);
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    seen.push_back(PopupsWhenThereAre(0));
  });
  HMENU fileMenu = window_->Submenu(kFileItem);
  std::vector<HMENU> nested{fileMenu, GetSubMenu(fileMenu, 3)};
  std::sort(nested.begin(), nested.end());
  const std::vector<std::vector<HMENU>> expected = {{fileMenu}, {window_->Submenu(kHelpItem)},
                                                    {fileMenu}, {window_->Submenu(kEditItem)},
                                                    {},         {fileMenu},
                                                    nested,     {}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(popup.right, w.left + file.right);
  EXPECT_EQ(popup.top, w.top + file.bottom);
}

TEST_F(SkinnedMenuBar, EnterChoosesTheFirstEntryThePointerOpensAnotherItemAltEndsF10Opens) {
  Open(MenuLayout::LeftToRight);
  std::vector<std::vector<HMENU>> seen;
  Drive([&] {
    AltWith('F');
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    Sleep(200);
    Press(VK_RETURN); // the first entry, selected as the popup opened
    seen.push_back(PopupsWhenThereAre(0));
    ClickAt(ItemCentre(kFileItem));
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    GlideTo(ItemCentre(kEditItem));
    seen.push_back(PopupShowing(window_->Submenu(kEditItem)));
    Press(VK_MENU);
    seen.push_back(PopupsWhenThereAre(0));
    Sleep(200);
    Press(VK_F10); // the first item that opens
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    Press(VK_ESCAPE);
    seen.push_back(PopupsWhenThereAre(0));
  });
  const std::vector<std::vector<HMENU>> expected = {{window_->Submenu(kFileItem)},
                                                    {},
                                                    {window_->Submenu(kFileItem)},
                                                    {window_->Submenu(kEditItem)},
                                                    {},
                                                    {window_->Submenu(kFileItem)},
                                                    {}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(window_->Commands(), std::vector<UINT>{kNewCommand});
  EXPECT_FALSE(bar_->Tracking());
}

TEST_F(SkinnedMenuBar, SwitchingSkinningOffGivesTheNativeBarBackAndOnTakesItOrANewMenuAgain) {
  Open(MenuLayout::LeftToRight);
  HWND window = window_->Window();
  window_->Data().SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return window_->Form() == nullptr; }));
  EXPECT_EQ(GetMenu(window), window_->Menu());
  MENUBARINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetMenuBarInfo(window, OBJID_MENU, 0, &info));
  EXPECT_GT(info.rcBar.bottom - info.rcBar.top, 0);
  RECT c;
  GetClientRect(window, &c);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&c), 2);
  EXPECT_GE(c.top - info.rcBar.top, GetSystemMetrics(SM_CYMENU) - 1); // below the native bar

  window_->Data().SetActive(true);
  ASSERT_TRUE(PumpUntil(
      [&] { return window_->Form() != nullptr && window_->Form()->MenuBar() != nullptr; }));
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_EQ(window_->Form()->MenuBar()->Native(), window_->Menu());

  // A menu the window is given while skinned becomes the bar.
  HMENU other = CreateMenu();
  AppendMenuW(other, MF_STRING, 400, L"&Only");
  SetMenu(window, other);
  Pump(100);
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_EQ(window_->Form()->MenuBar()->Native(), other);
  EXPECT_EQ(window_->Form()->MenuBar()->Model().Count(), 1);
  DestroyMenu(window_->Menu());
}

TSkinData* switchedOff = nullptr;
WinSkinMenuBar* trackingBar = nullptr;
bool trackingWhenSwitched = false;

void CALLBACK SwitchOff(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  trackingWhenSwitched = trackingBar != nullptr && trackingBar->Tracking();
  if (switchedOff != nullptr)
    switchedOff->SetActive(false);
}

TEST_F(SkinnedMenuBar, SkinningGoingOffWhileABarPopupIsOpenClosesItAndGivesTheBarBack) {
  Open(MenuLayout::LeftToRight);
  HWND window = window_->Window();
  std::vector<std::vector<HMENU>> seen;
  switchedOff = &window_->Data();
  trackingBar = bar_;
  // The request is made in the menu loop, and the manager carries it out there too.
  const UINT_PTR timer = SetTimer(nullptr, 0, 1000, SwitchOff);
  Drive([&] {
    ClickAt(ItemCentre(kFileItem));
    seen.push_back(PopupShowing(window_->Submenu(kFileItem)));
    Sleep(1000);
    seen.push_back(PopupsWhenThereAre(0));
  });
  KillTimer(nullptr, timer);
  switchedOff = nullptr;
  trackingBar = nullptr;
  EXPECT_TRUE(trackingWhenSwitched);
  EXPECT_EQ(seen, (std::vector<std::vector<HMENU>>{{window_->Submenu(kFileItem)}, {}}));
  ASSERT_TRUE(PumpUntil([&] { return window_->Form() == nullptr; }));
  EXPECT_EQ(GetMenu(window), window_->Menu());
}

} // namespace
} // namespace tw::test
