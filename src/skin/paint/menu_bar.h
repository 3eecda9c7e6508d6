#pragma once
// The skinned menu bar: the window's native menu bar is removed and its top-level items become
// TMenuBtn objects that this model lays out, composes into a bitmap of the bar's size and opens.
// The Win32 side reads the menus into descriptions, measures text through MenuTextRenderer,
// blits the composed images and tracks the popups these functions ask for.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "skin/model/bitmap.h"
#include "skin/model/skin_objects.h"
#include "skin/paint/form_layout.h"
#include "skin/paint/menu_text.h"
#include "skin/paint/nc_object.h"

namespace tw {

using MenuHandle = std::uintptr_t; // a native menu handle; 0 for none

// One item of a menu as the native menu describes it.
struct NativeMenuItem {
  std::u16string text; // with "&" marks
  bool enabled = true;
  unsigned id = 0;
  MenuHandle submenu = 0;
};

// The framework's menu item with the same command, after its action update has run.
struct FrameworkMenuItem {
  unsigned command = 0;
  std::u16string caption;
  bool enabled = true;
  bool visible = true;
  MenuHandle submenu = 0;
  const void* item = nullptr; // the framework item, handed back on menu-select
};

// One top-level item as the bar keeps it.
struct MenuItemDescription {
  std::u16string caption;
  bool enabled = true;
  bool visible = true;
  unsigned id = 0;
  MenuHandle submenu = 0;
  const void* frameworkItem = nullptr;
};

// Where the items come from: the native menu, merged with the framework's items of the same
// command; or (platforms before NT 5) the framework menu alone.
enum class MenuSource { NativeMerged, FrameworkOnly };

// Native text is read up to this many characters.
inline constexpr std::size_t kMenuTextLimit = 80;

std::vector<MenuItemDescription> BuildMenuItems(std::span<const NativeMenuItem> native,
                                                std::span<const FrameworkMenuItem> framework,
                                                MenuSource source);

enum class MenuDirection { LeftToRight, RightToLeft };

// Where the first item starts (measured from the right for right-to-left menus): LeftWidth + 4
// (RightWidth + 8) with a menu-bar element, 6 without; 12 when the bar is narrower than that.
int MenuBarStart(const SkinModel& skin, int barWidth, MenuDirection direction);

// An item's width: caption width + 10; an empty caption is 0 wide.
int MenuItemWidth(std::u16string_view caption, const MenuTextRenderer& text);

// An MDI caption button drawn on the bar (Visibility 100), in bar coordinates.
struct MdiBarButton {
  const TDataSkinSysButton* button = nullptr;
  Rect rect;
};

struct MenuBarLayoutInput {
  int width = 0;  // of the bar
  int height = 0; // of the bar
  MenuDirection direction = MenuDirection::LeftToRight;
  std::span<const MdiBarButton> mdiButtons; // a maximized MDI child's buttons, or none
};

// Item rectangles in bar coordinates: side by side from the start (from the right for
// right-to-left menus, which end 5 pixels before the leftmost MDI button), the bar's height
// less one; invisible items get an empty rectangle.
std::vector<Rect> LayoutMenuBar(const SkinModel& skin, std::span<const MenuItemDescription> items,
                                const MenuBarLayoutInput& input, const MenuTextRenderer& text);

// The empty bar: the menu-bar element (frame 1 active, 2 inactive; TileMenu 1 a nine-slice,
// otherwise a three-slice with a tiled middle) or the Menubar colour, and the MDI buttons.
Bitmap32 ComposeEmptyMenuBar(const SkinModel& skin, const MenuBarLayoutInput& input,
                             Activity activity);

class TWinSkinMenu;

// A top-level item of the skinned bar.
class TMenuBtn : public TNCObject {
public:
  TMenuBtn(NcHost& owner, TWinSkinMenu& menu, int index, const MenuItemDescription& item);

  TWinSkinMenu& Menu() const { return menu_; }
  int Index() const { return index_; }
  const std::u16string& Caption() const { return caption_; }
  unsigned Id() const { return id_; }
  MenuHandle Submenu() const { return submenu_; }
  const void* FrameworkItem() const { return frameworkItem_; }

  // Draws the item over the cached empty bar into a window-sized target.
  void Paint(Bitmap32& target) override;

private:
  TWinSkinMenu& menu_;
  int index_;
  std::u16string caption_;
  unsigned id_;
  MenuHandle submenu_;
  const void* frameworkItem_;
};

enum class PopupAlign { Left, Right };

// What opening a bar item asks the window to do, in this order: post the command, then track
// the submenu at the point (screen coordinates) with the given alignment.
struct MenuOpening {
  enum class Kind { Nothing, CommandOnly, CommandAndSubmenu };
  Kind kind = Kind::Nothing;
  unsigned command = 0;
  MenuHandle submenu = 0;
  Point trackAt;
  PopupAlign align = PopupAlign::Left;
  friend bool operator==(const MenuOpening&, const MenuOpening&) = default;
};

class TWinSkinMenu {
public:
  TWinSkinMenu(const SkinModel& skin, NcHost& form, const MenuTextRenderer& text);

  // Replaces the items (the menu changed); the item objects are rebuilt.
  void Build(std::span<const MenuItemDescription> items);
  // The bar rectangle in window coordinates, the direction and the MDI buttons; lays out.
  void Layout(Rect bar, MenuDirection direction, std::span<const MdiBarButton> mdiButtons = {});

  // The whole bar in its current item states; caches the empty bar first.
  Bitmap32 Paint(Activity activity);
  // One item over the cached empty bar (the item's size): hovered and pressed items get a
  // one-pixel ButtonHilight frame. Empty when the item has no place or nothing is cached.
  Bitmap32 PaintItem(int index) const;

  int Count() const { return static_cast<int>(buttons_.size()); }
  TMenuBtn& Item(int index) { return *buttons_[static_cast<std::size_t>(index)]; }
  const TMenuBtn& Item(int index) const { return *buttons_[static_cast<std::size_t>(index)]; }
  const MenuItemDescription& Description(int index) const {
    return items_[static_cast<std::size_t>(index)];
  }
  Rect Bar() const { return bar_; }
  MenuDirection Direction() const { return direction_; }
  bool Painting() const { return painting_; }
  const Bitmap32& CachedBar() const { return emptyBar_; }

  // The visible item under the point (window coordinates), or -1.
  int ItemAt(Point inWindow) const;
  // The first enabled visible item whose accelerator is the key, or -1.
  int ItemForAccelerator(char16_t key) const;
  // Whether the item can be opened by switching to it from another one: visible, enabled,
  // with a submenu.
  bool Openable(int index) const;
  // Opening the item: nothing for disabled or invisible items; else the command, and the
  // submenu at the item's bottom-left (bottom-right, right-aligned, for right-to-left menus).
  MenuOpening Open(int index, Point windowOnScreen) const;

private:
  void DrawItem(Bitmap32& target, int index, Point barOrigin) const;

  const SkinModel& skin_;
  NcHost& form_;
  const MenuTextRenderer& text_;
  std::vector<MenuItemDescription> items_;
  std::vector<std::unique_ptr<TMenuBtn>> buttons_;
  std::vector<MdiBarButton> mdiButtons_;
  Rect bar_;
  MenuDirection direction_ = MenuDirection::LeftToRight;
  Bitmap32 emptyBar_;
  bool painting_ = false;
};

} // namespace tw
