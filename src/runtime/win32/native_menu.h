#pragma once
// The native side of a popup menu component: a menu built from its items for one showing.

#include <windows.h>

#include "runtime/menus.h"

namespace tw::win {

// Shows the menu with its top-left corner at the screen point, owned by `owner` (which gets
// the menu's messages), and runs the chosen item's click after the menu has closed. The click
// runs in the caller's guard.
void TrackPopup(TPopupMenu& menu, HWND owner, POINT at);

// The component a menu was built from, while it is shown; null for any other menu.
const TPopupMenu* PopupComponentOf(HMENU menu);

} // namespace tw::win
