#include "skin/paint/menu_bar.h"

#include <algorithm>

#include "skin/model/system_colour.h"
#include "skin/paint/paint_text.h"

namespace tw {

namespace {

const FrameworkMenuItem* FrameworkFor(std::span<const FrameworkMenuItem> framework,
                                      unsigned command) {
  for (const FrameworkMenuItem& f : framework)
    if (f.command == command)
      return &f;
  return nullptr;
}

MenuItemDescription FromFramework(const FrameworkMenuItem& f) {
  return {f.caption, f.enabled, f.visible, f.command, f.submenu, f.item};
}

void FrameRect(Bitmap32& target, Rect r, Pixel colour) {
  if (r.Empty())
    return;
  FillRect(target, Rect{r.left, r.top, r.right, r.top + 1}, colour);
  FillRect(target, Rect{r.left, r.bottom - 1, r.right, r.bottom}, colour);
  FillRect(target, Rect{r.left, r.top, r.left + 1, r.bottom}, colour);
  FillRect(target, Rect{r.right - 1, r.top, r.right, r.bottom}, colour);
}

} // namespace

std::vector<MenuItemDescription> BuildMenuItems(std::span<const NativeMenuItem> native,
                                                std::span<const FrameworkMenuItem> framework,
                                                MenuSource source) {
  std::vector<MenuItemDescription> items;
  if (source == MenuSource::FrameworkOnly) {
    for (const FrameworkMenuItem& f : framework)
      items.push_back(FromFramework(f));
    return items;
  }
  for (const NativeMenuItem& n : native) {
    MenuItemDescription item;
    item.caption = n.text.substr(0, kMenuTextLimit);
    item.enabled = n.enabled;
    item.id = n.id;
    item.submenu = n.submenu;
    if (const FrameworkMenuItem* f = FrameworkFor(framework, n.id)) {
      item.caption = f->caption;
      item.enabled = f->enabled;
      item.visible = f->visible;
      item.submenu = f->submenu;
      item.frameworkItem = f->item;
    }
    items.push_back(std::move(item));
  }
  return items;
}

int MenuBarStart(const SkinModel& skin, int barWidth, MenuDirection direction) {
  const TDataSkinObject* element = skin.Element(SkinElement::MenuBar);
  if (element == nullptr)
    return 6;
  const int start =
      direction == MenuDirection::RightToLeft ? element->RightWidth + 8 : element->LeftWidth + 4;
  return barWidth < start ? 12 : start;
}

int MenuItemWidth(std::u16string_view caption, const MenuTextRenderer& text) {
  return caption.empty() ? 0 : text.Width(caption) + 10;
}

std::vector<Rect> LayoutMenuBar(const SkinModel& skin, std::span<const MenuItemDescription> items,
                                const MenuBarLayoutInput& input, const MenuTextRenderer& text) {
  std::vector<Rect> rects(items.size());
  const bool rtl = input.direction == MenuDirection::RightToLeft;
  int position = MenuBarStart(skin, input.width, input.direction);
  if (rtl && !input.mdiButtons.empty()) {
    int leftmost = input.width;
    for (const MdiBarButton& b : input.mdiButtons)
      leftmost = std::min(leftmost, b.rect.left);
    position = std::max(position, input.width - (leftmost - 5));
  }
  const int bottom = input.height - 1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!items[i].visible)
      continue;
    const int width = MenuItemWidth(items[i].caption, text);
    rects[i] = rtl ? Rect{input.width - position - width, 0, input.width - position, bottom}
                   : Rect{position, 0, position + width, bottom};
    position += width;
  }
  return rects;
}

Bitmap32 ComposeEmptyMenuBar(const SkinModel& skin, const MenuBarLayoutInput& input,
                             Activity activity) {
  const TDataSkinObject* element = skin.Element(SkinElement::MenuBar);
  Bitmap32 bar(input.width, input.height, SkinPixel(skin, SkinColour::Menubar));
  if (element != nullptr && !element->Bitmap.Empty()) {
    const int frame = activity == Activity::Active ? 1 : 2;
    if (element->Tile == 1) {
      NineSlice slice;
      slice.width = input.width;
      slice.height = input.height;
      slice.margins = {element->LeftWidth, 0, element->RightWidth, 0};
      slice.orientation = StripOrientation::Vertical;
      slice.frameCount = 2;
      slice.frame = frame;
      CopyRect(bar, 0, 0, RenderNineSlice(element->Bitmap, slice), bar.Bounds());
    } else {
      ThreeSlice slice;
      slice.left = element->LeftWidth;
      slice.right = element->RightWidth;
      slice.orientation = StripOrientation::Vertical;
      slice.frameCount = 2;
      slice.frame = frame;
      slice.middle = CentreFill::Tile;
      DrawThreeSlice(bar, bar.Bounds(), element->Bitmap, slice, Transparency::Opaque);
    }
  }
  for (const MdiBarButton& b : input.mdiButtons)
    if (b.button != nullptr && !b.button->Bitmap.Empty())
      DrawFrameStretched(bar, b.rect, b.button->Bitmap, std::max(b.button->FrameCount, 1), 1,
                         Transparency::Magenta);
  return bar;
}

TMenuBtn::TMenuBtn(NcHost& owner, TWinSkinMenu& menu, int index, const MenuItemDescription& item)
    : TNCObject(owner), menu_(menu), index_(index), caption_(item.caption), id_(item.id),
      submenu_(item.submenu), frameworkItem_(item.frameworkItem) {
  visible = item.visible;
  enabled = item.enabled;
}

void TMenuBtn::Paint(Bitmap32& target) {
  const Bitmap32 image = menu_.PaintItem(index_);
  if (!image.Empty())
    CopyRect(target, rect.left, rect.top, image, image.Bounds());
}

TWinSkinMenu::TWinSkinMenu(const SkinModel& skin, NcHost& form, const MenuTextRenderer& text)
    : skin_(skin), form_(form), text_(text) {}

void TWinSkinMenu::Build(std::span<const MenuItemDescription> items) {
  buttons_.clear();
  items_.assign(items.begin(), items.end());
  for (std::size_t i = 0; i < items_.size(); ++i)
    buttons_.push_back(std::make_unique<TMenuBtn>(form_, *this, static_cast<int>(i), items_[i]));
  emptyBar_.Clear();
  Layout(bar_, direction_, mdiButtons_);
}

void TWinSkinMenu::Layout(Rect bar, MenuDirection direction,
                          std::span<const MdiBarButton> mdiButtons) {
  bar_ = bar;
  direction_ = direction;
  if (mdiButtons.data() != mdiButtons_.data())
    mdiButtons_.assign(mdiButtons.begin(), mdiButtons.end());
  const MenuBarLayoutInput input{bar.Width(), bar.Height(), direction, mdiButtons_};
  const std::vector<Rect> rects = LayoutMenuBar(skin_, items_, input, text_);
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->rect = rects[i].Empty() ? Rect{} : Offset(rects[i], bar.left, bar.top);
}

Bitmap32 TWinSkinMenu::Paint(Activity activity) {
  painting_ = true;
  const MenuBarLayoutInput input{bar_.Width(), bar_.Height(), direction_, mdiButtons_};
  emptyBar_ = ComposeEmptyMenuBar(skin_, input, activity);
  Bitmap32 bar = emptyBar_;
  for (int i = 0; i < Count(); ++i)
    DrawItem(bar, i, {bar_.left, bar_.top});
  painting_ = false;
  return bar;
}

void TWinSkinMenu::DrawItem(Bitmap32& target, int index, Point origin) const {
  const TMenuBtn& button = Item(index);
  if (!button.visible || button.rect.Empty())
    return;
  const Rect r = Offset(button.rect, -origin.x, -origin.y);
  if (button.state != NcState::Normal)
    FrameRect(target, r, SkinPixel(skin_, SkinColour::ButtonHilight));
  const SkinColour colour = button.enabled ? SkinColour::MenuBarText : SkinColour::ButtonShadow;
  text_.Draw(target, r, button.Caption(), ColorToRGB(skin_.Colour(colour)), MenuTextAlign::Centre);
}

Bitmap32 TWinSkinMenu::PaintItem(int index) const {
  if (index < 0 || index >= Count() || emptyBar_.Empty())
    return {};
  const Rect r = Item(index).rect;
  if (r.Empty() || !Item(index).visible)
    return {};
  Bitmap32 image(r.Width(), r.Height());
  CopyRect(image, 0, 0, emptyBar_, Offset(r, -bar_.left, -bar_.top));
  DrawItem(image, index, {r.left, r.top});
  return image;
}

int TWinSkinMenu::ItemAt(Point inWindow) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i).visible && Item(i).rect.Contains(inWindow))
      return i;
  return -1;
}

int TWinSkinMenu::ItemForAccelerator(char16_t key) const {
  const char16_t wanted = FoldAccelerator(key);
  if (wanted == 0)
    return -1;
  for (int i = 0; i < Count(); ++i)
    if (Item(i).visible && Item(i).enabled && AcceleratorOf(Item(i).Caption()) == wanted)
      return i;
  return -1;
}

bool TWinSkinMenu::Openable(int index) const {
  if (index < 0 || index >= Count())
    return false;
  const TMenuBtn& b = Item(index);
  return b.visible && b.enabled && b.Submenu() != 0 && !b.rect.Empty();
}

MenuOpening TWinSkinMenu::Open(int index, Point windowOnScreen) const {
  MenuOpening opening;
  if (index < 0 || index >= Count())
    return opening;
  const TMenuBtn& b = Item(index);
  if (!b.visible || !b.enabled || b.rect.Empty())
    return opening;
  opening.command = b.Id();
  opening.kind = MenuOpening::Kind::CommandOnly;
  if (b.Submenu() == 0)
    return opening;
  opening.kind = MenuOpening::Kind::CommandAndSubmenu;
  opening.submenu = b.Submenu();
  const bool rtl = direction_ == MenuDirection::RightToLeft;
  opening.align = rtl ? PopupAlign::Right : PopupAlign::Left;
  opening.trackAt = {windowOnScreen.x + (rtl ? b.rect.right : b.rect.left),
                     windowOnScreen.y + b.rect.bottom};
  return opening;
}

} // namespace tw
