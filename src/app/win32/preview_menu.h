#pragma once
// The preview grids' context menu on the native grids: a right-click on a row makes it the
// current row and opens the form's PreviewMenu at the pointer; the menu key (or Shift+F10)
// opens it below the current row's key cell. The menu is owned by the form's window, so a
// skinned form draws it with the skin.

#include <windows.h>

#include "app/WKS_Main.h"
#include "runtime/win32/native_control.h"

namespace tw {

class PreviewMenus {
public:
  // `owner` is the form's window; a grid without its native window yet gets the menu when its
  // window is made (the form window tells, kMsgControlsRealised).
  PreviewMenus(TWKSForm& form, HWND owner);
  ~PreviewMenus();
  PreviewMenus(const PreviewMenus&) = delete;
  PreviewMenus& operator=(const PreviewMenus&) = delete;

private:
  void HookGrids();
  void Open(TValueListEditor& grid, HWND window, LPARAM at);

  TWKSForm& form_;
  HWND owner_;
  win::NativeControl* window_;
};

} // namespace tw
