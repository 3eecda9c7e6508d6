#include "skin/win32/menus/popup_items.h"

#include <algorithm>

#include "runtime/win32/native_menu.h"
#include "skin/win32/engine/gdi_bridge.h"

namespace tw::win {
namespace {

MenuKind KindOf(PopupOrigin origin) {
  return origin == PopupOrigin::MainMenu ? MenuKind::MainMenu : MenuKind::PopupMenu;
}

} // namespace

PopupItems::PopupItems(const TSkinData& data, PopupBackground background)
    : data_(data), background_(std::move(background)) {}

PopupItems::~PopupItems() {
  Restore();
}

bool PopupItems::OnMessage(TMessage& m, const WindowProcHook& next, HMENU systemMenu) {
  switch (m.msg) {
  case WM_INITMENUPOPUP: {
    next(m);
    auto* menu = reinterpret_cast<HMENU>(m.wParam);
    const TPopupMenu* component = PopupComponentOf(menu);
    const PopupOrigin origin = OriginOf(menu, m.lParam, systemMenu);
    Prepare(menu, PlanOpeningPopup(data_, origin, component != nullptr ? component->Tag() : 0),
            origin);
    return true;
  }
  case WM_UNINITMENUPOPUP:
    Release(reinterpret_cast<HMENU>(m.wParam));
    return false;
  case WM_MEASUREITEM:
    if (m.wParam != 0 || !Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam)))
      return false;
    m.result = TRUE;
    return true;
  case WM_DRAWITEM:
    if (m.wParam != 0 || !Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam)))
      return false;
    m.result = TRUE;
    return true;
  case WM_MENUCHAR:
    next(m);
    if (HIWORD(m.result) == MNC_IGNORE)
      m.result =
          MenuChar(reinterpret_cast<HMENU>(m.lParam), static_cast<wchar_t>(LOWORD(m.wParam)));
    return true;
  default:
    return false;
  }
}

PopupOrigin PopupItems::OriginOf(HMENU menu, LPARAM initParam, HMENU systemMenu) const {
  if (HIWORD(initParam) != 0 || menu == systemMenu)
    return PopupOrigin::SystemMenu;
  if (PopupComponentOf(menu) != nullptr)
    return PopupOrigin::Component;
  const std::function<bool(HMENU)> within = [&](HMENU parent) {
    for (int i = 0; i < GetMenuItemCount(parent); ++i) {
      HMENU sub = GetSubMenu(parent, i);
      if (sub != nullptr && (sub == menu || within(sub)))
        return true;
    }
    return false;
  };
  return mainMenu_ != nullptr && IsMenu(mainMenu_) && within(mainMenu_) ? PopupOrigin::MainMenu
                                                                        : PopupOrigin::Other;
}

PopupItems::Item* PopupItems::Find(ULONG_PTR data) const {
  for (const auto& item : items_)
    if (reinterpret_cast<ULONG_PTR>(item.get()) == data)
      return item.get();
  return nullptr;
}

int PopupItems::PositionOf(HMENU menu, const Item& item) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) &&
        info.dwItemData == reinterpret_cast<ULONG_PTR>(&item))
      return i;
  }
  return -1;
}

void PopupItems::GiveBack(const Item& item) const {
  if (!IsMenu(item.menu))
    return;
  const int position = PositionOf(item.menu, item);
  if (position < 0)
    return;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  info.fType = item.type;
  info.dwItemData = item.data;
  SetMenuItemInfoW(item.menu, static_cast<UINT>(position), TRUE, &info);
}

void PopupItems::Prepare(HMENU menu, const OwnerDrawPlan& plan, PopupOrigin origin) {
  // Records of menus that went away without closing here are dropped.
  std::erase_if(items_, [](const auto& item) { return !IsMenu(item->menu); });
  if (plan.draw != OwnerDraw::Skin || !IsMenu(menu))
    return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
      continue;
    Item* item = Find(info.dwItemData);
    if (item == nullptr) {
      // Items the program draws itself, and bitmap items, stay as they are.
      if ((info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) != 0)
        continue;
      auto made = std::make_unique<Item>();
      made->menu = menu;
      made->type = info.fType;
      made->data = info.dwItemData;
      MENUITEMINFOW owner{};
      owner.cbSize = sizeof(owner);
      owner.fMask = MIIM_FTYPE | MIIM_DATA;
      owner.fType = info.fType | MFT_OWNERDRAW;
      owner.dwItemData = reinterpret_cast<ULONG_PTR>(made.get());
      if (!SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &owner))
        continue;
      item = made.get();
      items_.push_back(std::move(made));
    }
    item->id = info.wID;
    item->origin = origin;
    const MenuCaptionParts parts =
        SplitMenuCaption(std::u16string_view(reinterpret_cast<const char16_t*>(text)));
    item->caption = parts.text;
    item->shortcut = parts.shortcut;
  }
}

void PopupItems::Release(HMENU menu) {
  std::erase_if(items_, [&](const auto& item) {
    if (item->menu != menu)
      return false;
    GiveBack(*item);
    return true;
  });
}

void PopupItems::Restore() {
  for (const auto& item : items_)
    GiveBack(*item);
  items_.clear();
}

bool PopupItems::Measure(MEASUREITEMSTRUCT& measure) const {
  if (measure.CtlType != ODT_MENU)
    return false;
  const Item* item = Find(measure.itemData);
  if (item == nullptr)
    return false;
  const bool separator = (item->type & MFT_SEPARATOR) != 0;
  measure.itemHeight = static_cast<UINT>(MeasureMenuItemHeight(
      text_.Height(), separator ? MenuItemType::Separator : MenuItemType::Item));
  const int framework =
      separator ? 0 : FrameworkMenuItemWidth(text_, item->caption, item->shortcut);
  measure.itemWidth = static_cast<UINT>(
      MeasureMenuItemWidth(framework, data_.Model(), KindOf(item->origin), MenuImages::None));
  return true;
}

bool PopupItems::Draw(const DRAWITEMSTRUCT& draw) const {
  if (draw.CtlType != ODT_MENU)
    return false;
  const Item* item = Find(draw.itemData);
  if (item == nullptr)
    return false;
  // A failure while painting leaves the item as the platform has it.
  try {
    HWND popup = WindowFromDC(draw.hDC);
    RECT window{};
    POINT origin{};
    GetWindowRect(popup, &window);
    GetDCOrgEx(draw.hDC, &origin);
    // The item in the popup window's coordinates, less the border the background starts with.
    const int x = draw.rcItem.left + origin.x - window.left - kPopupBorder;
    const int y = draw.rcItem.top + origin.y - window.top - kPopupBorder;
    MenuItemDrawInput in;
    in.skin = &data_.Model();
    in.kind = KindOf(item->origin);
    in.item = Rect::FromSize(x, y, draw.rcItem.right - draw.rcItem.left,
                             draw.rcItem.bottom - draw.rcItem.top);
    in.background = popup != nullptr && background_ ? background_(popup) : nullptr;
    in.glyphs = &data_.MenuGlyphs();
    in.text = &text_;
    MenuItemState state;
    state.caption = (item->type & MFT_SEPARATOR) != 0 ? u"-" : item->caption;
    state.shortcut = item->shortcut;
    state.enabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) == 0;
    state.check = (draw.itemState & ODS_CHECKED) != 0 ? MenuCheck::Checked : MenuCheck::None;
    state.selected = (draw.itemState & ODS_SELECTED) != 0 ? MenuSelected::Yes : MenuSelected::No;
    state.checkGlyph = (item->type & MFT_RADIOCHECK) != 0 ? MenuGlyph::Radio : MenuGlyph::Check;
    if (item->origin == PopupOrigin::SystemMenu)
      state.glyph = SystemCommandGlyph(item->id);
    const Bitmap32 image = ComposeMenuItem(in, state);
    if (!image.Empty())
      DrawBitmap(draw.hDC, draw.rcItem.left, draw.rcItem.top, image, image.Bounds());
  } catch (...) {
  }
  return true;
}

LRESULT PopupItems::MenuChar(HMENU menu, wchar_t key) const {
  const char16_t wanted = FoldAccelerator(static_cast<char16_t>(key));
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_STATE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
      continue;
    const Item* item = Find(info.dwItemData);
    if (item != nullptr && (info.fState & MFS_DISABLED) == 0 &&
        AcceleratorOf(item->caption) == wanted)
      return MAKELRESULT(i, MNC_EXECUTE);
  }
  return 0;
}

} // namespace tw::win
