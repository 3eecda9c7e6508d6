#include "runtime/win32/native_menu.h"

#include <map>

namespace tw::win {
namespace {

// Menus being shown now (a second popup may open from a handler of the first).
std::map<HMENU, const TPopupMenu*>& Shown() {
  static std::map<HMENU, const TPopupMenu*> shown;
  return shown;
}

class MenuHandle {
public:
  MenuHandle() : menu_(CreatePopupMenu()) {}
  ~MenuHandle() {
    if (menu_ != nullptr)
      DestroyMenu(menu_);
  }
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  HMENU Get() const { return menu_; }

private:
  HMENU menu_;
};

class ShownWhileAlive {
public:
  ShownWhileAlive(HMENU menu, const TPopupMenu& component) : menu_(menu) {
    Shown()[menu] = &component;
  }
  ~ShownWhileAlive() { Shown().erase(menu_); }
  ShownWhileAlive(const ShownWhileAlive&) = delete;
  ShownWhileAlive& operator=(const ShownWhileAlive&) = delete;

private:
  HMENU menu_;
};

} // namespace

void TrackPopup(TPopupMenu& menu, HWND owner, POINT at) {
  MenuHandle handle;
  if (handle.Get() == nullptr)
    return;
  // Item identifiers are positions + 1: 0 is "nothing chosen".
  for (std::size_t i = 0; i < menu.Items.size(); ++i) {
    const TPopupItem& item = menu.Items[i];
    if (item.caption == "-")
      AppendMenuA(handle.Get(), MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuA(handle.Get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), i + 1,
                  item.caption.c_str());
  }
  UINT chosen = 0;
  {
    const ShownWhileAlive shown(handle.Get(), menu);
    chosen = static_cast<UINT>(
        TrackPopupMenu(handle.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       at.x, at.y, 0, owner, nullptr));
  }
  if (chosen == 0 || chosen > menu.Items.size())
    return;
  // Copied: the click may change the component's items.
  const std::function<void()> click = menu.Items[chosen - 1].onClick;
  if (click && menu.Items[chosen - 1].enabled)
    click();
}

const TPopupMenu* PopupComponentOf(HMENU menu) {
  const auto found = Shown().find(menu);
  return found != Shown().end() ? found->second : nullptr;
}

} // namespace tw::win
