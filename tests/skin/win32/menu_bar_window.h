#pragma once
// A top-level window with a main menu, skinned by the engine with the shipped skin: the menu-bar
// program, its tests and its benchmark use it. The bar: "&File" and "&Edit" with submenus
// (File has a nested "&Recent" popup), "&View" disabled, "&Refresh" without a submenu, "&Help"
// with a submenu. The right-to-left variant has the right-to-left extended styles.

#include <windows.h>

#include <functional>
#include <vector>

#include "runtime/seam.h"
#include "skin/model/skin_data.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/win32_skin_platform.h"
#include "skin/win32/engine/win_skin_form.h"
#include "support/win32/message_pump.h"

namespace tw::test {

enum class MenuLayout { LeftToRight, RightToLeft };

// Bar positions and the commands of the window's menu.
inline constexpr int kFileItem = 0;
inline constexpr int kEditItem = 1;
inline constexpr int kViewItem = 2;    // disabled
inline constexpr int kRefreshItem = 3; // no submenu
inline constexpr int kHelpItem = 4;
inline constexpr UINT kRefreshCommand = 300;
inline constexpr UINT kViewCommand = 200;
inline constexpr UINT kNewCommand = 101;
inline constexpr UINT kExitCommand = 109;

class MenuBarWindow {
public:
  // Creates, skins (with the seams installed for the lifetime) and shows the window, and waits
  // until its frame is skinned.
  MenuBarWindow(MenuLayout layout, int x = 60, int y = 60);
  ~MenuBarWindow();
  MenuBarWindow(const MenuBarWindow&) = delete;
  MenuBarWindow& operator=(const MenuBarWindow&) = delete;

  HWND Window() const { return window_; }
  HMENU Menu() const { return menu_; }
  // The submenu of a bar position, or null.
  HMENU Submenu(int item) const { return GetSubMenu(menu_, item); }
  TSkinData& Data() { return data_; }
  win::TSkinManage& Manager() { return manager_; }
  TWinSkinForm* Form() const { return manager_.FormOf(window_); }
  // The window's WM_COMMAND identifiers so far.
  const std::vector<UINT>& Commands() const;
  void ClearCommands();

private:
  win::Win32SkinPlatform platform_;
  win::TSkinManage manager_;
  ScopedSeam<SkinPlatform> platformSeam_;
  ScopedSeam<SkinManagerApi> managerSeam_;
  TSkinData data_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
};

} // namespace tw::test
