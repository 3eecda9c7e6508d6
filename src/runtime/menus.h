#pragma once
// A popup menu component: a context menu of plain items, shown at a point by its native
// realisation, which runs the chosen item's click once the menu has closed. Its Tag travels with
// it like a control's (the skin engine leaves popups with its DisableTag to their standard
// drawing).

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tw {

struct TPopupItem {
  std::string caption; // "-" is a separator
  bool enabled = true;
  std::function<void()> onClick;
};

class TPopupMenu {
public:
  explicit TPopupMenu(std::string name) : name_(std::move(name)) {}
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  const std::string& Name() const { return name_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  std::vector<TPopupItem> Items;

private:
  std::string name_;
  int tag_ = 0;
};

} // namespace tw
