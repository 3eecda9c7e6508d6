#pragma once
// Owner-drawn popup menu items of one skinned form. As a popup opens on the form, its items
// become owner-drawn with a record of this object as their item data; each record keeps the
// item's own type and data, which are put back exactly when the popup closes, when skinning
// goes off and when the form goes. Measure and draw requests for the records are answered by
// the portable rules (the framework's measurement, MeasureMenuItemWidth, the height rule,
// ComposeMenuItem) and the composed item is blitted to the item's rectangle.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/win32/gdi.h"
#include "runtime/win32/native_control.h"
#include "skin/model/skin_data.h"
#include "skin/paint/menu_popup.h"
#include "skin/win32/menus/menu_font_text.h"

namespace tw::win {

// The popup window's rendered background (window coordinates), null when it has none.
using PopupBackground = std::function<const Bitmap32*(HWND popup)>;

class PopupItems {
public:
  PopupItems(const TSkinData& data, PopupBackground background);
  ~PopupItems();
  PopupItems(const PopupItems&) = delete;
  PopupItems& operator=(const PopupItems&) = delete;

  // The owner's menu messages: init-menu-popup (after the owner's own handling), the closing
  // popup, measure-item, draw-item and menu-char. False for anything this object leaves alone.
  bool OnMessage(TMessage& message, const WindowProcHook& next, HMENU systemMenu);

  // The form's main menu (kept by the skinned bar): its submenus open as main-menu popups.
  void SetMainMenu(HMENU menu) { mainMenu_ = menu; }

  // A popup about to open: its items become owner-drawn as the plan says.
  void Prepare(HMENU menu, const OwnerDrawPlan& plan, PopupOrigin origin);
  // The popup closed: its items are given back.
  void Release(HMENU menu);
  // Every item given back.
  void Restore();
  std::size_t Count() const { return items_.size(); }

  bool Measure(MEASUREITEMSTRUCT& item) const;
  bool Draw(const DRAWITEMSTRUCT& item) const;
  // A key pressed in a popup: MNC_EXECUTE with the position of the enabled item it is the
  // accelerator of, or 0.
  LRESULT MenuChar(HMENU menu, wchar_t key) const;

private:
  struct Item {
    HMENU menu = nullptr;
    UINT type = 0;      // the item's own type
    ULONG_PTR data = 0; // and data
    UINT id = 0;
    PopupOrigin origin = PopupOrigin::Other;
    std::u16string caption;
    std::u16string shortcut;
  };
  PopupOrigin OriginOf(HMENU menu, LPARAM initParam, HMENU systemMenu) const;
  Item* Find(ULONG_PTR data) const;
  static int PositionOf(HMENU menu, const Item& item);
  void GiveBack(const Item& item) const;

  const TSkinData& data_;
  PopupBackground background_;
  MenuFontText text_;
  HMENU mainMenu_ = nullptr;
  std::vector<std::unique_ptr<Item>> items_;
};

} // namespace tw::win
