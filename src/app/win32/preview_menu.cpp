#include "app/win32/preview_menu.h"

#include <commctrl.h>

#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "runtime/win32/native_control.h"
#include "runtime/win32/native_menu.h"

namespace tw {
namespace {

win::NativeControl* NativeOf(TValueListEditor& grid) {
  return dynamic_cast<win::NativeControl*>(grid.View());
}

// The row under a screen point, -1 for none.
int RowAt(HWND grid, POINT screen) {
  LVHITTESTINFO hit{};
  hit.pt = screen;
  ScreenToClient(grid, &hit.pt);
  return static_cast<int>(SendMessageA(grid, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

// Below the key cell of the row, brought into view; the grid's corner when it has no rows.
POINT BelowKeyCell(HWND grid, int row, int rowCount) {
  POINT at{0, 0};
  if (row >= 0 && row < rowCount) {
    SendMessageA(grid, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT cell{};
    cell.left = LVIR_LABEL;
    if (SendMessageA(grid, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&cell)) != 0)
      at = {cell.left, cell.bottom};
  }
  ClientToScreen(grid, &at);
  return at;
}

} // namespace

PreviewMenus::PreviewMenus(TWKSForm& form, HWND owner)
    : form_(form), owner_(owner), window_(win::NativeControl::FromHandle(owner)) {
  HookGrids();
  // A grid on a tab sheet not shown yet gets its window, and its menu, as the sheet first shows.
  if (window_ != nullptr)
    window_->AddHook(this, [this](win::TMessage& m, const win::WindowProcHook& next) {
      next(m);
      if (m.msg == win::kMsgControlsRealised)
        HookGrids();
    });
}

PreviewMenus::~PreviewMenus() {
  if (window_ != nullptr && win::NativeControl::FromHandle(owner_) == window_)
    window_->RemoveHook(this);
  for (TValueListEditor* grid : {&form_.Preview, &form_.Preview2, &form_.Preview3})
    if (win::NativeControl* native = NativeOf(*grid))
      native->RemoveHook(this);
}

void PreviewMenus::HookGrids() {
  for (TValueListEditor* grid : {&form_.Preview, &form_.Preview2, &form_.Preview3}) {
    win::NativeControl* native = NativeOf(*grid);
    if (native == nullptr || native->HasHook(this))
      continue;
    native->AddHook(this, [this, grid, native](win::TMessage& m, const win::WindowProcHook& next) {
      if (m.msg != WM_CONTEXTMENU || reinterpret_cast<HWND>(m.wParam) != native->Handle()) {
        next(m);
        return;
      }
      win::Application::Get().Guard([&] { Open(*grid, native->Handle(), m.lParam); });
      m.result = 0;
    });
  }
}

void PreviewMenus::Open(TValueListEditor& grid, HWND window, LPARAM at) {
  const bool fromKeyboard =
      at == static_cast<LPARAM>(-1) ||
      (static_cast<short>(LOWORD(at)) == -1 && static_cast<short>(HIWORD(at)) == -1);
  POINT where{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  int row = -1;
  if (fromKeyboard) {
    row = grid.CurrentRow();
    where = BelowKeyCell(window, row, grid.RowCount());
  } else {
    row = RowAt(window, where);
    // Only a row has the menu; the empty space and the header do not.
    if (row < 0)
      return;
  }
  if (form_.PreviewContextPopup(grid, row))
    win::TrackPopup(form_.PreviewMenu, owner_, where);
}

} // namespace tw
