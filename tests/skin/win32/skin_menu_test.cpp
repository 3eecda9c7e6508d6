// Skinned menus on real windows in this process, opened with real input under Wine: the system
// menu's items owner-drawn while it is open and given back exactly, its commands as the window
// offers them, the preview grid's context
// menu left to its standard drawing with the DisableTag and untouched by a skin without a
// MenuBackground, and a hovered owner-drawn item pixel for pixel as ComposeMenuItem makes it.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/preview_menu.h"
#include "app/WKS_Main.h"
#include "runtime/seam.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "skin/model/embedded_skin.h"
#include "skin/paint/menu_popup.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/engine/win32_skin_platform.h"
#include "skin/win32/menus/popup_items.h"
#include "skin_test_support.h"
#include "skinned_form_test.h"
#include "skinned_input.h"
#include "support/win32/message_pump.h"
#include "support/win32/screen_probe.h"

namespace tw::win {
namespace {

using test::PumpUntil;
using test::ShownPopup;
using test::Skinned;

template <class F>
bool WaitFor(F condition, int milliseconds = 5000) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (!condition()) {
    if (static_cast<LONG>(GetTickCount() - deadline) > 0)
      return false;
    Sleep(10);
  }
  return true;
}

void MouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  Sleep(50);
}

void Click(DWORD down, DWORD up) {
  mouse_event(down, 0, 0, 0, 0);
  Sleep(30);
  mouse_event(up, 0, 0, 0, 0);
}

void Key(WORD key) {
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

struct ItemFacts {
  UINT type = 0;
  ULONG_PTR data = 0;
  std::wstring text;
  bool operator==(const ItemFacts&) const = default;
};

std::vector<ItemFacts> FactsOf(HMENU menu) {
  std::vector<ItemFacts> facts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    facts.push_back({info.fType, info.dwItemData, text});
  }
  return facts;
}

int OwnerDrawn(const std::vector<ItemFacts>& facts) {
  int n = 0;
  for (const ItemFacts& f : facts)
    n += (f.type & MFT_OWNERDRAW) != 0 ? 1 : 0;
  return n;
}

class SkinnedMenus : public SkinnedFormTest {
protected:
  // The program's main window, skinned, with rows in the first tab's grid.
  HWND OpenMainWindow() {
    menus_ = std::make_unique<PreviewMenus>(form_, CreateMainWindow());
    ReadSkinAndShow();
    form_.Preview.Assign({"a=cmd\\1", "b=regedit\\1", "c=\\\\FILESRV01\\finance\\1"});
    HWND main = window_->Handle();
    EXPECT_TRUE(PumpUntil([&] { return Skinned(main); }));
    test::Pump(300);
    return main;
  }

  HWND Grid() const { return window_->NativeOf(*grid_)->Handle(); }

  // The middle of a row's key cell on screen.
  POINT RowPoint(int row) const {
    RECT cell{};
    cell.left = LVIR_LABEL;
    SendMessageA(Grid(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&cell));
    POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(Grid(), &at);
    return at;
  }

  // Opens a popup with real input, runs `inspect` on it from a second thread while this thread
  // pumps the menu's modal loop, then closes it with Escape.
  void WithPopup(const std::function<void()>& open,
                 const std::function<void(HWND popup, HMENU menu)>& inspect) {
    std::atomic<bool> done = false;
    std::thread helper([&] {
      open();
      HWND popup = nullptr;
      if (WaitFor([&] { return (popup = ShownPopup()) != nullptr; })) {
        Sleep(200);
        auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        inspect(popup, menu);
        Key(VK_ESCAPE);
        WaitFor([&] { return ShownPopup() == nullptr; });
      } else {
        ADD_FAILURE() << "no popup opened";
      }
      done = true;
    });
    PumpUntil([&] { return done.load(); }, 20000);
    helper.join();
  }

  void RightClickRow(int row) {
    MouseTo(RowPoint(row));
    Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  }

  std::unique_ptr<PreviewMenus> menus_;
  const TValueListEditor* grid_ = &form_.Preview; // the grid right-clicked
};

TEST_F(SkinnedMenus, TheSystemMenusItemsAreOwnerDrawnWhileOpenAndGivenBackExactly) {
  HWND main = OpenMainWindow();
  HMENU system = GetSystemMenu(main, FALSE);
  ASSERT_NE(system, nullptr);
  // An item with data of its own, which must come back as it was.
  MENUITEMINFOW marked{};
  marked.cbSize = sizeof(marked);
  marked.fMask = MIIM_DATA;
  marked.dwItemData = 0x5EED;
  SetMenuItemInfoW(system, SC_CLOSE, FALSE, &marked);
  const std::vector<ItemFacts> before = FactsOf(system);
  ASSERT_GE(before.size(), 6u);
  ASSERT_EQ(OwnerDrawn(before), 0);

  RECT frame;
  GetWindowRect(main, &frame);
  std::vector<ItemFacts> open;
  bool answered = false;
  LRESULT key = 0;
  std::map<UINT, bool> grayed;
  WithPopup(
      [&] {
        MouseTo({frame.left + 16, frame.top + 15});
        Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
      },
      [&](HWND popup, HMENU menu) {
        EXPECT_EQ(menu, system);
        open = FactsOf(menu);
        answered = Skinned(popup);
        // The commands follow the window (single border, minimize box, no maximize box), as
        // if it had its caption-button styles.
        for (const UINT command : {SC_MINIMIZE, SC_MOVE, SC_CLOSE})
          grayed[command] = (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
        for (const UINT command : {SC_MAXIMIZE, SC_SIZE, SC_RESTORE})
          grayed[command] = (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
        // A key that is an item's accelerator chooses that item.
        key = SendMessageW(main, WM_MENUCHAR, MAKEWPARAM(L'c', MF_POPUP | MF_SYSMENU),
                           reinterpret_cast<LPARAM>(menu));
      });
  EXPECT_TRUE(answered);
  EXPECT_EQ(grayed, (std::map<UINT, bool>{{SC_MINIMIZE, false},
                                          {SC_MOVE, false},
                                          {SC_CLOSE, false},
                                          {SC_MAXIMIZE, true},
                                          {SC_SIZE, true},
                                          {SC_RESTORE, true}}));
  int closePosition = -1;
  for (int i = 0; i < GetMenuItemCount(system); ++i)
    if (GetMenuItemID(system, i) == SC_CLOSE)
      closePosition = i;
  EXPECT_EQ(key, MAKELRESULT(closePosition, MNC_EXECUTE));
  ASSERT_EQ(open.size(), before.size());
  EXPECT_EQ(OwnerDrawn(open), static_cast<int>(before.size()));
  for (std::size_t i = 0; i < open.size(); ++i) {
    EXPECT_NE(open[i].data, before[i].data) << i;
    EXPECT_EQ(open[i].text, before[i].text) << i;
  }
  EXPECT_EQ(FactsOf(system), before);
  // The caption-button styles, back while the menu was open, are gone again.
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_TRUE(errors.empty());
}

TEST_F(SkinnedMenus, APopupComponentWithTheDisableTagKeepsTheStandardDrawing) {
  OpenMainWindow();
  for (const int tag : {0, 99}) {
    form_.PreviewMenu.SetTag(tag);
    int ownerDrawn = -1;
    int items = 0;
    bool answered = false;
    WithPopup([&] { RightClickRow(1); },
              [&](HWND popup, HMENU menu) {
                const std::vector<ItemFacts> facts = FactsOf(menu);
                items = static_cast<int>(facts.size());
                ownerDrawn = OwnerDrawn(facts);
                answered = Skinned(popup);
              });
    EXPECT_EQ(items, 10) << tag;
    EXPECT_EQ(ownerDrawn, tag == 99 ? 0 : 10) << tag;
    // The window itself is the skin's either way: the skin has its MenuBackground.
    EXPECT_TRUE(answered) << tag;
    EXPECT_EQ(form_.Preview.CurrentRow(), 1);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(SkinnedMenus, WithoutAMenuBackgroundPopupsAreUntouched) {
  OpenMainWindow();
  const std::string ini = "[TitlebarSkin]\r\nSkinName=Plain\r\n[Personality]\r\n"
                          "Top=t.bmp\r\nTopFrame=1\r\n";
  const std::vector<std::uint8_t> file = test::SkinFileOf(
      {{"plain.ini", test::Bytes(ini)}, {"t.bmp", test::SolidBmp(10, 30, MakePixel(9, 90, 9))}});
  const std::string path = test::WriteTempFile("trailwick-plain.skn", file);
  ASSERT_FALSE(path.empty());
  form_.SkinData1.SetSkinFile(path);
  ASSERT_EQ(form_.SkinData1.Model().SkinName, "Plain");
  test::Pump(500);
  ASSERT_TRUE(Skinned(window_->Handle()));

  int ownerDrawn = -1;
  bool answered = true;
  WithPopup([&] { RightClickRow(2); },
            [&](HWND popup, HMENU menu) {
              ownerDrawn = OwnerDrawn(FactsOf(menu));
              answered = Skinned(popup);
            });
  EXPECT_EQ(ownerDrawn, 0);
  EXPECT_FALSE(answered);
  EXPECT_EQ(manager_.SkinnedPopupCount(), 0u);
  DeleteFileA(path.c_str());
  EXPECT_TRUE(errors.empty());
}

TEST_F(SkinnedMenus, AHoveredItemShowsExactlyTheItemComposeMenuItemMakes) {
  OpenMainWindow();
  const SkinModel& skin = form_.SkinData1.Model();
  Bitmap32 shown;
  Bitmap32 expected;
  Bitmap32 resting;
  WithPopup([&] { RightClickRow(0); },
            [&](HWND popup, HMENU menu) {
              // "Copy Selected Value", the second item, under the pointer.
              RECT item{};
              // Without a window the rectangle is mapped from the popup's own.
              ASSERT_TRUE(GetMenuItemRect(nullptr, menu, 1, &item));
              MouseTo({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
              RECT window{};
              GetWindowRect(popup, &window);
              MenuFontText text;
              MenuItemDrawInput in;
              in.skin = &skin;
              in.kind = MenuKind::PopupMenu;
              in.item = Rect::FromSize(item.left - window.left - kPopupBorder,
                                       item.top - window.top - kPopupBorder, item.right - item.left,
                                       item.bottom - item.top);
              const Bitmap32 background = RenderMenuBackground(skin, window.right - window.left,
                                                               window.bottom - window.top);
              in.background = &background;
              in.glyphs = &form_.SkinData1.MenuGlyphs();
              in.text = &text;
              MenuItemState state;
              state.caption = u"Copy Selected Value";
              state.selected = MenuSelected::Yes;
              expected = ComposeMenuItem(in, state);
              state.selected = MenuSelected::No;
              resting = ComposeMenuItem(in, state);
              WaitFor(
                  [&] {
                    shown = test::CaptureScreen(item);
                    return shown == expected;
                  },
                  3000);
            });
  ASSERT_FALSE(expected.Empty());
  ASSERT_EQ(shown.Width(), expected.Width());
  ASSERT_EQ(shown.Height(), expected.Height());
  int differing = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x)
      differing += shown.At(x, y) != expected.At(x, y) ? 1 : 0;
  EXPECT_EQ(differing, 0);
  // The hovered frame is not the resting one.
  EXPECT_NE(shown, resting);
  EXPECT_TRUE(errors.empty());
}

// The third tab's grid gets its window as the tab first shows, and the menu with it.
TEST_F(SkinnedMenus, AGridMadeAsItsTabFirstShowsHasTheMenu) {
  OpenMainWindow();
  ASSERT_EQ(window_->NativeOf(form_.Preview3), nullptr);
  form_.PageControl1.SetActivePageIndex(2);
  form_.Preview3.Assign({"a=cmd\\1", "b=regedit\\1", "c=notepad\\1"});
  test::Pump(300);
  grid_ = &form_.Preview3;
  int items = 0;
  WithPopup([&] { RightClickRow(2); },
            [&](HWND, HMENU menu) { items = static_cast<int>(FactsOf(menu).size()); });
  EXPECT_EQ(items, 10);
  EXPECT_EQ(form_.Preview3.CurrentRow(), 2);
  EXPECT_TRUE(errors.empty());
}

} // namespace
} // namespace tw::win
