#pragma once
// The skinned menu bar of one window on Win32. It takes the window's native menu bar away, keeps
// its top-level items as TMenuBtn objects of a TWinSkinMenu, paints them into the strip the
// skinned frame leaves below the caption, and opens the items itself: the command posted, the
// submenu tracked with TrackPopupMenu while a message-filter hook feeds MenuTracker and carries
// out its decisions (switching to a neighbour item, the first down-arrow, Alt, the pointer
// moving onto another item). The native menu goes back to the window when the bar goes.

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "runtime/win32/gdi.h"
#include "runtime/win32/native_control.h"
#include "skin/paint/menu_bar.h"
#include "skin/paint/menu_navigation.h"
#include "skin/win32/engine/form_site.h"
#include "skin/win32/menus/menu_font_text.h"

namespace tw::win {

// The top-level items of a native menu: up to 80 characters of text, state, identifier,
// submenu.
std::vector<NativeMenuItem> ReadNativeMenu(HMENU menu);

class WinSkinMenuBar {
public:
  // The bar for a top-level window with a menu; null otherwise. The window's own update of its
  // menu (WM_INITMENU) runs before the items are read; then the native bar is removed.
  static std::unique_ptr<WinSkinMenuBar> Take(HWND window, const SkinModel& skin, FormSite& form);
  WinSkinMenuBar(HWND window, HMENU native, const SkinModel& skin, FormSite& form);
  // Gives the native menu back to a living window that has none.
  ~WinSkinMenuBar();
  WinSkinMenuBar(const WinSkinMenuBar&) = delete;
  WinSkinMenuBar& operator=(const WinSkinMenuBar&) = delete;

  // The bar's share of the window's messages (pointer on the bar, the menu key, menu-select);
  // true when the message was answered here.
  bool Handle(TMessage& message);
  // The whole bar into the window's device context.
  void Paint(HDC dc);
  // One item again over the cached empty bar; false when the object is not an item of this bar.
  bool Repaint(const TNCObject& object);
  // The visible item under the pointer (screen coordinates), or null.
  TNCObject* ItemAtScreen(POINT screen);
  // Opens the item as a click or its accelerator does; returns when the popups it led to closed.
  void OpenItem(int index);

  bool Tracking() const { return tracking_; }
  HMENU Native() const { return native_; }
  const TWinSkinMenu& Model() const { return menu_; }

private:
  struct TrackingState;
  static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);

  void Rebuild();
  void EnsureLayout();
  Rect BarRect() const;
  POINT WindowOrigin() const;
  bool NcMouse(TMessage& message);
  bool KeyMenu(TMessage& message);
  void MenuSelect(TMessage& message);
  // Tracks the item's submenu; the item to open next, or -1.
  int Track(int index, const MenuOpening& opening);
  bool Filter(MSG& message);
  MenuFilterEvent Decode(const MSG& message) const;

  HWND window_;
  HMENU native_;
  FormSite& form_;
  MenuFontText text_;
  TWinSkinMenu menu_;
  Rect laidOut_;
  std::optional<MenuDirection> laidOutDirection_;
  bool tracking_ = false;
  TrackingState* active_ = nullptr;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tw::win
