#include "skin/win32/menus/win_skin_menu.h"

#include <algorithm>

#include "skin/paint/form_style.h"
#include "runtime/win32/wide_text.h"
#include "skin/win32/engine/gdi_bridge.h"

namespace tw::win {

namespace {

// The bar whose popup is tracked now (user-interface thread only).
WinSkinMenuBar* filtering = nullptr;

int Highlighted(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) != 0)
      return i;
  return -1;
}

struct PopupSearch {
  HMENU menu;
  bool found = false;
};

BOOL CALLBACK FindPopup(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<PopupSearch*>(param);
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32768") == 0 && IsWindowVisible(window) &&
      reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) == search->menu) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

// Whether a popup window of this thread shows the menu now.
bool PopupShows(HMENU menu) {
  PopupSearch search{menu};
  EnumThreadWindows(GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Where the keyboard focus of the open popups lies: follow the highlighted entries from the bar
// item's popup down through the nested popups that show and have an entry highlighted.
PopupSelection SelectionFrom(HMENU top) {
  HMENU current = top;
  bool nested = false;
  for (int depth = 0; depth < 32; ++depth) {
    const int highlighted = Highlighted(current);
    if (highlighted < 0)
      return nested ? PopupSelection::Nested : PopupSelection::None;
    HMENU sub = GetSubMenu(current, highlighted);
    if (sub != nullptr && PopupShows(sub) && Highlighted(sub) >= 0) {
      current = sub;
      nested = true;
      continue;
    }
    if (nested)
      return sub != nullptr ? PopupSelection::NestedOwner : PopupSelection::Nested;
    return sub != nullptr ? PopupSelection::TopLevelOwner : PopupSelection::TopLevel;
  }
  return PopupSelection::Nested;
}

// The filter hook for the thread while a bar popup is tracked; removed on leaving the scope.
class FilterHook {
public:
  FilterHook(WinSkinMenuBar& bar, HOOKPROC proc) : previous_(std::exchange(filtering, &bar)) {
    hook_ = SetWindowsHookExW(WH_MSGFILTER, proc, nullptr, GetCurrentThreadId());
  }
  ~FilterHook() {
    if (hook_ != nullptr)
      UnhookWindowsHookEx(hook_);
    filtering = previous_;
  }
  FilterHook(const FilterHook&) = delete;
  FilterHook& operator=(const FilterHook&) = delete;

private:
  WinSkinMenuBar* previous_;
  HHOOK hook_ = nullptr;
};

// The character of a menu key: Unicode windows send it as is, others in the ANSI code page.
char16_t MenuCharacter(HWND window, LPARAM lParam) {
  const auto code = static_cast<unsigned>(lParam & 0xFFFF);
  if (IsWindowUnicode(window) || code < 0x80)
    return static_cast<char16_t>(code);
  const std::wstring wide = WideFromAnsi(std::string(1, static_cast<char>(code & 0xFF)));
  return wide.empty() ? u'\0' : static_cast<char16_t>(wide.front());
}

} // namespace

std::vector<NativeMenuItem> ReadNativeMenu(HMENU menu) {
  std::vector<NativeMenuItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[kMenuTextLimit + 1] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = kMenuTextLimit + 1;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
      continue;
    NativeMenuItem item;
    item.text.assign(
        text, text + std::min<std::size_t>(wcsnlen(text, kMenuTextLimit + 1), kMenuTextLimit));
    item.enabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
    item.id = info.wID;
    item.submenu = reinterpret_cast<MenuHandle>(info.hSubMenu);
    items.push_back(std::move(item));
  }
  return items;
}

struct WinSkinMenuBar::TrackingState {
  MenuTracker tracker;
  HMENU popup = nullptr;
  int clickTarget = -1;
};

std::unique_ptr<WinSkinMenuBar> WinSkinMenuBar::Take(HWND window, const SkinModel& skin,
                                                     FormSite& form) {
  if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0)
    return nullptr;
  HMENU menu = GetMenu(window);
  if (menu == nullptr || !IsMenu(menu))
    return nullptr;
  return std::make_unique<WinSkinMenuBar>(window, menu, skin, form);
}

WinSkinMenuBar::WinSkinMenuBar(HWND window, HMENU native, const SkinModel& skin, FormSite& form)
    : window_(window), native_(native), form_(form), menu_(skin, form, text_) {
  Rebuild();
  SetMenu(window_, nullptr);
}

WinSkinMenuBar::~WinSkinMenuBar() {
  // Skinning may end while a popup is tracked (the manager's timer runs in the menu loop): the
  // popup closes, and the tracking on the stack learns that the bar has gone.
  *alive_ = false;
  if (filtering == this)
    filtering = nullptr;
  if (tracking_)
    EndMenu();
  if (IsWindow(window_) && GetMenu(window_) == nullptr && IsMenu(native_))
    SetMenu(window_, native_);
}

void WinSkinMenuBar::Rebuild() {
  // The window brings its menu up to date first, as it does before the menu opens.
  SendMessageW(window_, WM_INITMENU, reinterpret_cast<WPARAM>(native_), 0);
  const std::vector<NativeMenuItem> native = ReadNativeMenu(native_);
  menu_.Build(BuildMenuItems(native, {}, MenuSource::NativeMerged));
  laidOutDirection_.reset();
}

Rect WinSkinMenuBar::BarRect() const {
  RECT window;
  GetWindowRect(window_, &window);
  const FormGeometry& g = form_.Geometry();
  return {g.left, g.caption, window.right - window.left - g.right, g.caption + g.menuBar};
}

POINT WinSkinMenuBar::WindowOrigin() const {
  RECT window;
  GetWindowRect(window_, &window);
  return {window.left, window.top};
}

void WinSkinMenuBar::EnsureLayout() {
  const Rect bar = BarRect();
  const auto exStyle = static_cast<WindowStyle>(GetWindowLongW(window_, GWL_EXSTYLE));
  const MenuDirection direction =
      RightToLeftCaption(exStyle) ? MenuDirection::RightToLeft : MenuDirection::LeftToRight;
  if (laidOutDirection_ == direction && laidOut_ == bar)
    return;
  menu_.Layout(bar, direction);
  laidOut_ = bar;
  laidOutDirection_ = direction;
}

void WinSkinMenuBar::Paint(HDC dc) {
  EnsureLayout();
  const Bitmap32 bar = menu_.Paint(form_.CurrentActivity());
  if (!bar.Empty())
    DrawBitmap(dc, menu_.Bar().left, menu_.Bar().top, bar, bar.Bounds());
}

bool WinSkinMenuBar::Repaint(const TNCObject& object) {
  for (int i = 0; i < menu_.Count(); ++i) {
    if (&menu_.Item(i) != &object)
      continue;
    WindowDc dc(window_);
    if (dc.Get() == nullptr)
      return true;
    if (menu_.CachedBar().Empty()) {
      Paint(dc.Get());
      return true;
    }
    const Bitmap32 image = menu_.PaintItem(i);
    if (!image.Empty())
      DrawBitmap(dc.Get(), object.rect.left, object.rect.top, image, image.Bounds());
    return true;
  }
  return false;
}

TNCObject* WinSkinMenuBar::ItemAtScreen(POINT screen) {
  EnsureLayout();
  const POINT origin = WindowOrigin();
  const int index = menu_.ItemAt({screen.x - origin.x, screen.y - origin.y});
  return index >= 0 ? &menu_.Item(index) : nullptr;
}

bool WinSkinMenuBar::Handle(TMessage& m) {
  switch (m.msg) {
  case WM_NCMOUSEMOVE:
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONDBLCLK:
    return NcMouse(m);
  case WM_SYSCOMMAND:
    return (m.wParam & 0xFFF0) == SC_KEYMENU && KeyMenu(m);
  case WM_MENUSELECT:
    MenuSelect(m);
    return false;
  case WM_WINDOWPOSCHANGED:
    // The window was given another menu: it becomes the bar.
    if (HMENU menu = GetMenu(window_); menu != nullptr && !tracking_) {
      native_ = menu;
      Rebuild();
      SetMenu(window_, nullptr);
      form_.RepaintFrame();
    }
    return false;
  default:
    return false;
  }
}

bool WinSkinMenuBar::NcMouse(TMessage& m) {
  const POINT origin = WindowOrigin();
  const Point at{static_cast<short>(LOWORD(m.lParam)) - origin.x,
                 static_cast<short>(HIWORD(m.lParam)) - origin.y};
  EnsureLayout();
  if (!menu_.Bar().Contains(at))
    return false;
  const int index = menu_.ItemAt(at);
  m.result = 0;
  if (m.msg != WM_NCMOUSEMOVE) {
    if (index >= 0)
      OpenItem(index);
    return true;
  }
  if (index >= 0) {
    if (form_.Hot() != &menu_.Item(index))
      menu_.Item(index).MouseEnter();
  } else if (form_.Hot() != nullptr) {
    form_.Hot()->MouseLeave();
  }
  return true;
}

bool WinSkinMenuBar::KeyMenu(TMessage& m) {
  const char16_t key = MenuCharacter(window_, m.lParam);
  if (key == u' ')
    return false; // the system menu
  EnsureLayout();
  int index = -1;
  if (key == 0) {
    // F10 or Alt alone: the first item that opens.
    for (int i = 0; i < menu_.Count() && index < 0; ++i)
      if (menu_.Openable(i))
        index = i;
  } else {
    index = menu_.ItemForAccelerator(key);
  }
  if (index < 0)
    return false;
  OpenItem(index);
  m.result = 0;
  return true;
}

void WinSkinMenuBar::MenuSelect(TMessage& m) {
  if (active_ == nullptr)
    return;
  MenuFilterEvent event;
  const UINT flags = HIWORD(m.wParam);
  auto* menu = reinterpret_cast<HMENU>(m.lParam);
  if (flags == 0xFFFF && menu == nullptr) {
    event.kind = MenuFilterEvent::Kind::MenuClosed;
  } else {
    event.kind = MenuFilterEvent::Kind::MenuSelect;
    if ((flags & MF_POPUP) != 0)
      event.selected.submenu = reinterpret_cast<MenuHandle>(GetSubMenu(menu, LOWORD(m.wParam)));
    else
      event.selected.command = LOWORD(m.wParam);
  }
  if (active_->tracker.Handle(event).postDownArrow)
    PostMessageW(window_, WM_KEYDOWN, VK_DOWN, 0);
}

void WinSkinMenuBar::OpenItem(int index) {
  if (tracking_)
    return;
  EnsureLayout();
  std::vector<bool> openable;
  for (int i = 0; i < menu_.Count(); ++i)
    openable.push_back(menu_.Openable(i));
  TrackingState state{MenuTracker(std::move(openable), index, menu_.Direction())};
  int current = index;
  while (current >= 0) {
    const POINT origin = WindowOrigin();
    const MenuOpening opening = menu_.Open(current, {origin.x, origin.y});
    if (opening.kind == MenuOpening::Kind::Nothing)
      return;
    // A native popup item's identifier is its submenu's handle: no command of its own.
    if (opening.command != 0 && opening.command != static_cast<unsigned>(opening.submenu))
      PostMessageW(window_, WM_COMMAND, opening.command, 0);
    if (opening.kind != MenuOpening::Kind::CommandAndSubmenu)
      return;
    state.popup = reinterpret_cast<HMENU>(opening.submenu);
    state.clickTarget = -1;
    active_ = &state;
    const std::shared_ptr<const bool> alive = alive_;
    current = Track(current, opening);
    if (!*alive)
      return;
    active_ = nullptr;
  }
}

int WinSkinMenuBar::Track(int index, const MenuOpening& opening) {
  TrackingState& state = *active_;
  TMenuBtn& button = menu_.Item(index);
  button.PressEnter();
  tracking_ = true;
  {
    const FilterHook hook(*this, &WinSkinMenuBar::FilterProc);
    const UINT align = opening.align == PopupAlign::Right ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    const std::shared_ptr<const bool> alive = alive_;
    TrackPopupMenu(state.popup, align | TPM_TOPALIGN | TPM_RIGHTBUTTON, opening.trackAt.x,
                   opening.trackAt.y, 0, window_, nullptr);
    if (!*alive)
      return -1;
  }
  tracking_ = false;
  if (button.state != NcState::Normal)
    button.MouseLeave();
  if (state.clickTarget >= 0)
    return state.clickTarget;
  return state.tracker.NextAfterTracking().value_or(-1);
}

LRESULT CALLBACK WinSkinMenuBar::FilterProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
  if (next != 0 || code != MSGF_MENU || filtering == nullptr || lParam == 0)
    return next;
  // Nothing crosses the hook: a failure lets the message go on as it was.
  try {
    return filtering->Filter(*reinterpret_cast<MSG*>(lParam)) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

MenuFilterEvent WinSkinMenuBar::Decode(const MSG& message) const {
  MenuFilterEvent event;
  switch (message.message) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    event.kind = MenuFilterEvent::Kind::Key;
    event.key = MenuKeyFromVirtualKey(static_cast<unsigned>(message.wParam));
    event.selection = SelectionFrom(active_->popup);
    break;
  case WM_MOUSEMOVE:
  case WM_NCMOUSEMOVE: {
    event.kind = MenuFilterEvent::Kind::MouseMove;
    event.pointer = {message.pt.x, message.pt.y};
    const POINT origin = WindowOrigin();
    event.barItemAtPointer = menu_.ItemAt({message.pt.x - origin.x, message.pt.y - origin.y});
    break;
  }
  default:
    break;
  }
  return event;
}

bool WinSkinMenuBar::Filter(MSG& message) {
  if (active_ == nullptr)
    return false;
  const MenuFilterEvent event = Decode(message);
  const MenuFilterDecision decision = active_->tracker.Handle(event);
  if (decision.postDownArrow)
    PostMessageW(window_, WM_KEYDOWN, VK_DOWN, 0);
  switch (decision.action) {
  case MenuFilterDecision::Action::Pass:
    if (event.kind == MenuFilterEvent::Kind::Key && decision.key != event.key)
      message.wParam = VirtualKeyOf(decision.key);
    return false;
  case MenuFilterDecision::Action::ClickItem:
    // The item under the pointer opens once this popup has gone.
    active_->clickTarget = decision.target;
    EndMenu();
    return true;
  case MenuFilterDecision::Action::Switch:
  case MenuFilterDecision::Action::EndTracking:
    EndMenu();
    return true;
  }
  return false;
}

} // namespace tw::win
