#include "skin/paint/menu_navigation.h"

namespace tw {

namespace {

struct KeyCode {
  MenuKey key;
  unsigned virtualKey;
};
constexpr KeyCode kKeyCodes[] = {
    {MenuKey::Left, 0x25},  {MenuKey::Right, 0x27},  {MenuKey::Up, 0x26}, {MenuKey::Down, 0x28},
    {MenuKey::Enter, 0x0D}, {MenuKey::Escape, 0x1B}, {MenuKey::Alt, 0x12}};

MenuKey Exchanged(MenuKey key, MenuDirection direction) {
  if (direction != MenuDirection::RightToLeft)
    return key;
  if (key == MenuKey::Left)
    return MenuKey::Right;
  if (key == MenuKey::Right)
    return MenuKey::Left;
  return key;
}

} // namespace

MenuKey MenuKeyFromVirtualKey(unsigned virtualKey) {
  for (const KeyCode& k : kKeyCodes)
    if (k.virtualKey == virtualKey)
      return k.key;
  return MenuKey::Other;
}

unsigned VirtualKeyOf(MenuKey key) {
  for (const KeyCode& k : kKeyCodes)
    if (k.key == key)
      return k.virtualKey;
  return 0;
}

MenuTracker::MenuTracker(std::vector<bool> openable, int openIndex, MenuDirection direction)
    : openable_(std::move(openable)), openIndex_(openIndex), direction_(direction) {}

MenuFilterDecision MenuTracker::SwitchTo(int step) {
  const int count = static_cast<int>(openable_.size());
  for (int n = 1; n < count; ++n) {
    const int candidate = ((openIndex_ + step * n) % count + count) % count;
    if (openable_[static_cast<std::size_t>(candidate)]) {
      switching_ = true;
      openIndex_ = candidate;
      return {MenuFilterDecision::Action::Switch, MenuKey::Other, false, candidate};
    }
  }
  return {};
}

MenuFilterDecision MenuTracker::Key(MenuKey key, PopupSelection selection) {
  MenuFilterDecision decision;
  if (key == MenuKey::Left &&
      (selection == PopupSelection::None || selection == PopupSelection::TopLevel ||
       selection == PopupSelection::TopLevelOwner))
    decision = SwitchTo(-1);
  else if (key == MenuKey::Right &&
           (selection == PopupSelection::None || selection == PopupSelection::TopLevel ||
            selection == PopupSelection::Nested))
    decision = SwitchTo(+1);
  else if (key == MenuKey::Enter || key == MenuKey::Escape)
    switching_ = false;
  else if (key == MenuKey::Alt) {
    ended_ = true;
    switching_ = false;
    decision.action = MenuFilterDecision::Action::EndTracking;
  }
  decision.key = key;
  return decision;
}

MenuFilterDecision MenuTracker::Handle(const MenuFilterEvent& event) {
  const bool first = !firstSeen_;
  firstSeen_ = true;
  MenuFilterDecision decision;
  switch (event.kind) {
  case MenuFilterEvent::Kind::Key:
    decision = Key(Exchanged(event.key, direction_), event.selection);
    break;
  case MenuFilterEvent::Kind::MenuSelect:
    selected_ = event.selected;
    break;
  case MenuFilterEvent::Kind::MenuClosed:
    if (!switching_)
      ended_ = true;
    break;
  case MenuFilterEvent::Kind::MouseMove: {
    // The first position only records where the pointer rests when the popup opens.
    const bool moved = lastPointer_ && !(*lastPointer_ == event.pointer);
    lastPointer_ = event.pointer;
    if (moved && event.barItemAtPointer >= 0 && event.barItemAtPointer != openIndex_) {
      decision.action = MenuFilterDecision::Action::ClickItem;
      decision.target = event.barItemAtPointer;
      switching_ = false;
      ended_ = true;
    }
    break;
  }
  case MenuFilterEvent::Kind::Other:
    break;
  }
  decision.postDownArrow = first;
  return decision;
}

std::optional<int> MenuTracker::NextAfterTracking() {
  if (!switching_ || ended_) {
    ended_ = true;
    return std::nullopt;
  }
  switching_ = false;
  firstSeen_ = false;
  selected_ = {};
  return openIndex_;
}

} // namespace tw
