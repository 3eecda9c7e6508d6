#pragma once
// Keyboard and mouse navigation between the items of a skinned menu bar while one item's popup
// is tracked. The Win32 message-filter hook decodes each menu message into a MenuFilterEvent,
// asks MenuTracker and carries out the decision; after the popup's tracking returns it asks
// whether another item is to be opened.

#include <optional>
#include <vector>

#include "skin/model/bitmap.h"
#include "skin/paint/menu_bar.h"

namespace tw {

enum class MenuKey { Left, Right, Up, Down, Enter, Escape, Alt, Other };

// The platform's virtual-key codes of the keys the filter looks at, both ways (Other is 0).
MenuKey MenuKeyFromVirtualKey(unsigned virtualKey);
unsigned VirtualKeyOf(MenuKey key);

// What the tracked popup has selected when a key arrives.
enum class PopupSelection {
  None,          // no entry selected
  TopLevel,      // an entry of the bar item's own popup, without a submenu
  TopLevelOwner, // an entry of the bar item's own popup that opens a submenu
  Nested,        // an entry of a nested popup, without a submenu
  NestedOwner,   // an entry of a nested popup that opens a submenu
};

// The recorded selection: the framework item by command, or by submenu handle.
struct MenuSelection {
  unsigned command = 0;
  MenuHandle submenu = 0;
  friend constexpr bool operator==(const MenuSelection&, const MenuSelection&) = default;
};

struct MenuFilterEvent {
  enum class Kind { Key, MenuSelect, MenuClosed, MouseMove, Other };
  Kind kind = Kind::Other;
  MenuKey key = MenuKey::Other;                    // Key
  PopupSelection selection = PopupSelection::None; // Key
  MenuSelection selected;                          // MenuSelect
  Point pointer;                                   // MouseMove: screen coordinates
  int barItemAtPointer = -1; // MouseMove: the bar item under the pointer, or -1
};

struct MenuFilterDecision {
  enum class Action {
    Pass,        // let the message go on (with the key exchanged, see key)
    Switch,      // swallow the message, cancel the popup; open `target` when tracking returns
    ClickItem,   // cancel the popup by a simulated non-client left click on bar item `target`
    EndTracking, // cancel the popup; nothing opens after it
  };
  Action action = Action::Pass;
  MenuKey key = MenuKey::Other; // Key events: the key after the right-to-left exchange
  bool postDownArrow = false;   // post a down-arrow key before anything else
  int target = -1;
  friend constexpr bool operator==(const MenuFilterDecision&, const MenuFilterDecision&) = default;
};

class MenuTracker {
public:
  // openable: per bar item, whether switching may open it (visible, enabled, with a submenu).
  MenuTracker(std::vector<bool> openable, int openIndex, MenuDirection direction);

  MenuFilterDecision Handle(const MenuFilterEvent& event);

  // After the popup's tracking returned: the item to open next when a switch is under way
  // (the switch is then consumed), otherwise nothing and tracking is over.
  std::optional<int> NextAfterTracking();

  int OpenIndex() const { return openIndex_; }
  bool Switching() const { return switching_; }
  bool Ended() const { return ended_; }
  const MenuSelection& Selected() const { return selected_; }

private:
  MenuFilterDecision Key(MenuKey key, PopupSelection selection);
  MenuFilterDecision SwitchTo(int step);

  std::vector<bool> openable_;
  int openIndex_;
  MenuDirection direction_;
  bool firstSeen_ = false;
  bool switching_ = false;
  bool ended_ = false;
  std::optional<Point> lastPointer_;
  MenuSelection selected_;
};

} // namespace tw
