#pragma once
// Skinned popup menus: the popup window's background and 3-pixel border ring from the
// MenuBackground element, and the owner-drawn items (MenuItem strip, glyphs from the program's
// 16 x 16 menu glyph strip, check marks, shortcuts, separators, the flat look without a
// MenuItem element). The Win32 side subclasses the "#32768" windows, answers the measure and
// draw requests through these functions and blits what they compose.

#include <cstdint>
#include <string>

#include "skin/model/bitmap.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_objects.h"
#include "skin/paint/menu_text.h"

namespace tw {

// Width of the popup border ring the background element provides.
inline constexpr int kPopupBorder = 3;

// Popup windows are changed only while skinning is on and MenuBackground has a bitmap.
enum class PopupSkinning { Skin, Leave };
PopupSkinning PopupSkinningFor(const SkinModel& skin, bool skinningOn);

// The MenuBackground element over a whole popup window (nine-slice, frame 1 of 1, its Tile).
Bitmap32 RenderMenuBackground(const SkinModel& skin, int width, int height);

// One piece of the border ring and where it goes (window coordinates).
struct RingPiece {
  Bitmap32 image;
  Point at;
};
// The top and bottom 3 rows and the left and right 3 columns between them.
std::vector<RingPiece> BorderRing(const Bitmap32& background);

// The erase-background request: whether the default erase runs (only on NT platforms and
// only without xoMenuBG); the request is answered as handled either way.
enum class DefaultErase { Run, Skip };
DefaultErase PopupEraseRule(const TSkinOptions& options, bool ntPlatform);

// One popup window while it is skinned.
class TWinSkinPopMenu {
public:
  TWinSkinPopMenu(const SkinModel& skin, std::uintptr_t window, bool ofMenuBar)
      : skin_(skin), window_(window), ofMenuBar_(ofMenuBar) {}

  std::uintptr_t Window() const { return window_; }
  bool OfMenuBar() const { return ofMenuBar_; }
  // Non-client paint: renders and caches the background; the ring pieces to copy.
  std::vector<RingPiece> PaintFrame(int width, int height);
  // Print request: the whole background; the default painting then runs clipped to
  // PrintClip with a transparent text background.
  const Bitmap32& PrintBackground(int width, int height);
  static Rect PrintClip(int width, int height);
  // The cached background, empty before the first paint; items copy their background from it.
  const Bitmap32& Cache() const { return cache_; }
  // Window destroyed: the cache is freed (the Win32 side restores the window procedure).
  void Destroyed() { cache_.Clear(); }

private:
  void Render(int width, int height);

  const SkinModel& skin_;
  std::uintptr_t window_;
  bool ofMenuBar_;
  Bitmap32 cache_;
};

// ---- Owner-drawn items

enum class MenuKind { MainMenu, PopupMenu };
enum class MenuImages { None, ImageList };

// After the framework's own measurement: + MenuItem LeftWidth, + 10 (main) or 12 (popup),
// + 25 (main) or 23 (popup) when the menu has no image list.
int MeasureMenuItemWidth(int frameworkWidth, const SkinModel& skin, MenuKind kind,
                         MenuImages images);

// The glyphs of the program's menu glyph strip, in strip order.
enum class MenuGlyph {
  None = -1,
  Check = 0,
  Radio = 1,
  SubmenuArrow = 2,
  Close = 3,
  Minimize = 4,
  Maximize = 5,
  Restore = 6,
};

// The glyph a system-menu item shows: close, minimize, maximize and restore have theirs.
MenuGlyph SystemCommandGlyph(unsigned command);

// A popup item's height: separators 9; other items their text height + 6, at least a glyph's
// height + 4.
enum class MenuItemType { Item, Separator };
int MeasureMenuItemHeight(int textHeight, MenuItemType type);
// The framework's own measurement of a popup item's width: the caption, and after a gap of 16
// the shortcut when there is one.
int FrameworkMenuItemWidth(const MenuTextRenderer& text, std::u16string_view caption,
                           std::u16string_view shortcut);

enum class MenuCheck { None, Checked };
enum class MenuSelected { No, Yes };

struct MenuItemState {
  std::u16string caption;  // "-" is a separator; the text before a tab
  std::u16string shortcut; // the text after a tab
  bool enabled = true;
  MenuCheck check = MenuCheck::None;
  MenuSelected selected = MenuSelected::No;
  MenuGlyph glyph = MenuGlyph::None;       // the item's glyph from the program's strip
  MenuGlyph checkGlyph = MenuGlyph::Check; // Check, or Radio for radio items
  const Bitmap32* image = nullptr;         // the item's own image (magenta transparent), if any
  bool submenuArrow = false;               // draw the submenu arrow at the right
};

struct MenuItemDrawInput {
  const SkinModel* skin = nullptr;
  MenuKind kind = MenuKind::PopupMenu;
  Rect item;                            // in the popup's client coordinates
  const Bitmap32* background = nullptr; // the popup's cached background, or null
  const Bitmap32* glyphs = nullptr;     // the 112 x 16 glyph strip (white is the mask)
  const MenuTextRenderer* text = nullptr;
};

// Where things go inside an item of the given width.
struct MenuItemLayout {
  Rect glyph;    // 16 x 16, left
  Rect text;     // caption, left-aligned
  Rect shortcut; // right-aligned
  Rect arrow;    // 16 x 16, right
};
MenuItemLayout LayoutMenuItem(const SkinModel& skin, MenuKind kind, int width, int height);

// The item's image, its size: the background (the cache at the item's place plus the border,
// or the Menu colour), then the MenuItem element (frame 1, 4 when selected) and the glyph,
// check mark, text and shortcut; separators get a line. Without a MenuItem element the flat
// look: Menu colour, Hilight behind a selected item.
Bitmap32 ComposeMenuItem(const MenuItemDrawInput& input, const MenuItemState& state);

// ---- Which menus become owner-drawn

enum class OwnerDraw { Skin, Keep };
enum class MeasureHandler { Set, KeepExisting };

struct OwnerDrawPlan {
  OwnerDraw draw = OwnerDraw::Keep;
  MeasureHandler measure = MeasureHandler::Set;
  friend constexpr bool operator==(const OwnerDrawPlan&, const OwnerDrawPlan&) = default;
};

// A popup menu component: skinned when xcPopupMenu is set and its Tag is not DisableTag; an
// item that has a measure handler of its own keeps it.
OwnerDrawPlan PlanPopupMenu(const TSkinData& data, int componentTag, bool itemHasOwnMeasure);
// A main menu: skinned when xcMainMenu is set.
OwnerDrawPlan PlanMainMenu(const TSkinData& data);

// Where a popup that is about to open comes from.
enum class PopupOrigin { SystemMenu, Component, MainMenu, Other };
// Its items become owner-drawn only while its window will be skinned (a MenuBackground bitmap),
// and then as its origin's rule says: the system menu with xcSystemMenu, a component by its Tag,
// main menus with xcMainMenu, any other popup as a component without a Tag of its own.
OwnerDrawPlan PlanOpeningPopup(const TSkinData& data, PopupOrigin origin, int componentTag);

} // namespace tw
