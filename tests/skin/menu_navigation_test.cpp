// Navigation between bar items while a popup is tracked, rule by rule: the first down-arrow,
// left/right switching with wrap-around, the right-to-left exchange, Enter/Escape, Alt, the
// menu-select record and the closing notification, and the pointer moving onto another item.

#include <gtest/gtest.h>

#include "skin/paint/menu_navigation.h"

namespace tw::test {
namespace {

using Action = MenuFilterDecision::Action;
using Kind = MenuFilterEvent::Kind;

MenuFilterEvent KeyEvent(MenuKey key, PopupSelection selection = PopupSelection::None) {
  MenuFilterEvent e;
  e.kind = Kind::Key;
  e.key = key;
  e.selection = selection;
  return e;
}

MenuFilterEvent Move(Point p, int item) {
  MenuFilterEvent e;
  e.kind = Kind::MouseMove;
  e.pointer = p;
  e.barItemAtPointer = item;
  return e;
}

MenuFilterEvent Event(Kind kind) {
  MenuFilterEvent e;
  e.kind = kind;
  return e;
}

// Four items; the third (index 2) cannot be opened (no submenu, disabled or hidden).
MenuTracker Tracker(int open, MenuDirection direction = MenuDirection::LeftToRight) {
  MenuTracker t({true, true, false, true}, open, direction);
  t.Handle(Event(Kind::Other)); // the first message is seen
  return t;
}

TEST(MenuTrackerTest, OnlyTheFirstFilteredMessagePostsADownArrow) {
  MenuTracker t({true, true}, 0, MenuDirection::LeftToRight);
  EXPECT_TRUE(t.Handle(Event(Kind::Other)).postDownArrow);
  EXPECT_FALSE(t.Handle(Event(Kind::Other)).postDownArrow);
  EXPECT_FALSE(t.Handle(KeyEvent(MenuKey::Down)).postDownArrow);
}

struct ArrowCase {
  MenuKey key;
  PopupSelection selection;
  int open;
  Action action;
  int target;
};

TEST(MenuTrackerTest, ArrowsSwitchBarItemsWithWrapAroundOnlyWhereThePopupCannotGoFurther) {
  const ArrowCase cases[] = {
      {MenuKey::Right, PopupSelection::None, 3, Action::Switch, 0}, // last wraps to first
      {MenuKey::Right, PopupSelection::TopLevel, 0, Action::Switch, 1},
      {MenuKey::Right, PopupSelection::Nested, 1, Action::Switch, 3},       // skips item 2
      {MenuKey::Right, PopupSelection::TopLevelOwner, 0, Action::Pass, -1}, // opens the submenu
      {MenuKey::Right, PopupSelection::NestedOwner, 0, Action::Pass, -1},
      {MenuKey::Left, PopupSelection::None, 0, Action::Switch, 3},     // first wraps to last
      {MenuKey::Left, PopupSelection::TopLevel, 3, Action::Switch, 1}, // skips item 2
      {MenuKey::Left, PopupSelection::TopLevelOwner, 1, Action::Switch, 0},
      {MenuKey::Left, PopupSelection::Nested, 1, Action::Pass, -1}, // closes the nested one
      {MenuKey::Left, PopupSelection::NestedOwner, 1, Action::Pass, -1},
      {MenuKey::Up, PopupSelection::None, 1, Action::Pass, -1},
  };
  for (const ArrowCase& c : cases) {
    MenuTracker t = Tracker(c.open);
    const MenuFilterDecision d = t.Handle(KeyEvent(c.key, c.selection));
    SCOPED_TRACE(static_cast<int>(c.key) * 100 + static_cast<int>(c.selection) * 10 + c.open);
    EXPECT_EQ(d.action, c.action);
    EXPECT_EQ(d.target, c.target);
    EXPECT_EQ(t.Switching(), c.action == Action::Switch);
  }
}

TEST(MenuTrackerTest, RightToLeftMenusExchangeTheArrows) {
  EXPECT_EQ(MenuKeyFromVirtualKey(0x25), MenuKey::Left);
  EXPECT_EQ(VirtualKeyOf(MenuKey::Right), 0x27u);
  MenuTracker t = Tracker(0, MenuDirection::RightToLeft);
  const MenuFilterDecision d = t.Handle(KeyEvent(MenuKey::Left));
  EXPECT_EQ(d.key, MenuKey::Right);
  EXPECT_EQ(d.action, Action::Switch);
  EXPECT_EQ(d.target, 1);
  MenuTracker u = Tracker(0, MenuDirection::RightToLeft);
  EXPECT_EQ(u.Handle(KeyEvent(MenuKey::Right)).target, 3);
  EXPECT_EQ(Tracker(0).Handle(KeyEvent(MenuKey::Left)).key, MenuKey::Left);
}

TEST(MenuTrackerTest, NoSwitchWhenNoOtherItemCanOpen) {
  MenuTracker t({false, true, false}, 1, MenuDirection::LeftToRight);
  EXPECT_EQ(t.Handle(KeyEvent(MenuKey::Right)).action, Action::Pass);
  EXPECT_EQ(t.Handle(KeyEvent(MenuKey::Left)).action, Action::Pass);
  EXPECT_FALSE(t.NextAfterTracking().has_value());
}

TEST(MenuTrackerTest, ASwitchSurvivesTheClosingNotificationAndOpensTheNextItemAfterTracking) {
  MenuTracker t = Tracker(3);
  MenuFilterEvent select = Event(Kind::MenuSelect);
  select.selected = {0, 0x77};
  t.Handle(select);
  EXPECT_EQ(t.Selected(), (MenuSelection{0, 0x77}));
  t.Handle(KeyEvent(MenuKey::Right));
  t.Handle(Event(Kind::MenuClosed));
  EXPECT_FALSE(t.Ended());
  EXPECT_EQ(t.NextAfterTracking(), 0);
  EXPECT_EQ(t.OpenIndex(), 0);
  EXPECT_EQ(t.Selected(), MenuSelection{}); // the new popup has selected nothing yet
  // The new popup gets its own first down-arrow; then it closes without a switch.
  EXPECT_TRUE(t.Handle(Event(Kind::Other)).postDownArrow);
  t.Handle(Event(Kind::MenuClosed));
  EXPECT_TRUE(t.Ended());
  EXPECT_FALSE(t.NextAfterTracking().has_value());
}

TEST(MenuTrackerTest, EnterAndEscapeEndSwitchingAndAltEndsTracking) {
  for (MenuKey key : {MenuKey::Enter, MenuKey::Escape}) {
    MenuTracker t = Tracker(0);
    t.Handle(KeyEvent(MenuKey::Right));
    EXPECT_EQ(t.Handle(KeyEvent(key)).action, Action::Pass);
    EXPECT_FALSE(t.Switching());
    t.Handle(Event(Kind::MenuClosed));
    EXPECT_TRUE(t.Ended());
    EXPECT_FALSE(t.NextAfterTracking().has_value());
  }
  MenuTracker t = Tracker(0);
  t.Handle(KeyEvent(MenuKey::Right));
  EXPECT_EQ(t.Handle(KeyEvent(MenuKey::Alt)).action, Action::EndTracking);
  EXPECT_TRUE(t.Ended());
  EXPECT_FALSE(t.NextAfterTracking().has_value());
}

TEST(MenuTrackerTest, PointerMovingOntoAnotherBarItemOpensThatItemByAClick) {
  MenuTracker t = Tracker(1);
  // The position where the popup opened is only recorded, even over another item.
  EXPECT_EQ(t.Handle(Move({50, 10}, 0)).action, Action::Pass);
  EXPECT_EQ(t.Handle(Move({50, 10}, 0)).action, Action::Pass);  // not moved
  EXPECT_EQ(t.Handle(Move({60, 10}, 1)).action, Action::Pass);  // the open item
  EXPECT_EQ(t.Handle(Move({60, 40}, -1)).action, Action::Pass); // off the bar
  const MenuFilterDecision d = t.Handle(Move({90, 10}, 2));
  EXPECT_EQ(d.action, Action::ClickItem);
  EXPECT_EQ(d.target, 2);
  t.Handle(Event(Kind::MenuClosed));
  EXPECT_FALSE(t.NextAfterTracking().has_value()); // the click opens it, not the loop
}

} // namespace
} // namespace tw::test
