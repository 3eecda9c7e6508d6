#include "runtime/controls.h"

#include "runtime/collation.h"
#include "runtime/exceptions.h"

namespace tw {

void TControl::SetCaption(std::string caption) {
  if (caption == caption_)
    return;
  caption_ = std::move(caption);
  Notify(ControlChange::Caption);
}

void TControl::SetHint(std::string hint) {
  if (hint == hint_)
    return;
  hint_ = std::move(hint);
  Notify(ControlChange::Hint);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  Notify(ControlChange::Enabled);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  visible_ = visible;
  Notify(ControlChange::Visible);
}

std::optional<std::string> TControl::Property(std::string_view name) const {
  if (name == "Name")
    return name_;
  if (name == "Caption")
    return caption_;
  if (name == "Hint")
    return hint_;
  if (name == "Tag")
    return std::to_string(tag_);
  if (name == "Enabled")
    return enabled_ ? "True" : "False";
  if (name == "Visible")
    return visible_ ? "True" : "False";
  return std::nullopt;
}

std::optional<std::string> TLabel::Property(std::string_view name) const {
  if (name == "Transparent")
    return "True";
  if (name == "Alignment")
    return alignment_ == TAlignment::taRightJustify
               ? "taRightJustify"
               : (alignment_ == TAlignment::taCenter ? "taCenter" : "taLeftJustify");
  return TControl::Property(name);
}

// ---- TListBox

TListBox::TListBox(std::string name) : TControl("TListBox", std::move(name)), items_(*this) {}

int TListBox::SortedPosition(const std::string& text) const {
  const std::vector<std::string>& items = items_.items;
  return tw::SortedPosition(static_cast<int>(items.size()), text, [&](int i) -> std::string_view {
    return items[static_cast<size_t>(i)];
  });
}

void TListBox::SetSorted(bool sorted) {
  if (sorted == sorted_)
    return;
  sorted_ = sorted;
  if (!sorted_)
    return;
  std::vector<std::string> old = std::move(items_.items);
  items_.items.clear();
  items_.items.reserve(old.size());
  for (std::string& s : old)
    items_.items.insert(items_.items.begin() + SortedPosition(s), std::move(s));
  Notify(ControlChange::Items);
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_.Count())
    index = -1;
  if (index == itemIndex_)
    return;
  itemIndex_ = index;
  Notify(ControlChange::ItemIndex);
}

std::optional<std::string> TListBox::Property(std::string_view name) const {
  if (name == "Sorted")
    return sorted_ ? "True" : "False";
  if (name == "ItemIndex")
    return std::to_string(itemIndex_);
  return TControl::Property(name);
}

const std::string& TListBox::Items_::Get(int index) const {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  return items[static_cast<size_t>(index)];
}

void TListBox::Items_::Put(int index, std::string text) {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  items[static_cast<size_t>(index)] = std::move(text);
  Changed();
}

void TListBox::Items_::Insert(int index, std::string text) {
  if (index < 0 || index > Count())
    ThrowListIndexError(index);
  items.insert(items.begin() + index, std::move(text));
  if (owner_.itemIndex_ >= index)
    ++owner_.itemIndex_;
  Changed();
}

int TListBox::Items_::Add(std::string text) {
  const int index = owner_.sorted_ ? owner_.SortedPosition(text) : Count();
  Insert(index, std::move(text));
  return index;
}

void TListBox::Items_::Delete(int index) {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  items.erase(items.begin() + index);
  if (owner_.itemIndex_ == index)
    owner_.itemIndex_ = -1;
  else if (owner_.itemIndex_ > index)
    --owner_.itemIndex_;
  Changed();
}

void TListBox::Items_::Clear() {
  items.clear();
  owner_.itemIndex_ = -1;
  Changed();
}

void TListBox::Items_::Changed() {
  if (updating_ > 0)
    pending_ = true;
  else
    owner_.Notify(ControlChange::Items);
}

void TListBox::Items_::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && pending_) {
    pending_ = false;
    owner_.Notify(ControlChange::Items);
  }
}

// ---- TValueListEditor

TValueListEditor::TValueListEditor(std::string name)
    : TControl("TValueListEditor", std::move(name)) {}

void TValueListEditor::Assign(const TStrings& rows) {
  Assign(rows.ToVector());
}

void TValueListEditor::Assign(std::vector<std::string> rows) {
  rows_ = std::move(rows);
  currentRow_ = 0;
  Notify(ControlChange::Rows);
}

const std::string& TValueListEditor::RowText(int index) const {
  if (index < 0 || index >= RowCount())
    ThrowListIndexError(index);
  return rows_[static_cast<size_t>(index)];
}

void TValueListEditor::SetCurrentRow(int index) {
  if (index < 0 || index >= RowCount())
    index = 0;
  if (index == currentRow_)
    return;
  currentRow_ = index;
  Notify(ControlChange::ItemIndex);
}

std::string TValueListEditor::CurrentKey() const {
  return rows_.empty() ? std::string() : std::string(KeyCell(currentRow_));
}

std::string TValueListEditor::CurrentValue() const {
  return rows_.empty() ? std::string() : std::string(ValueCell(currentRow_));
}

// ---- TComboBox

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_.Count())
    index = -1;
  if (index == itemIndex_)
    return;
  itemIndex_ = index;
  Notify(ControlChange::ItemIndex);
}

std::optional<std::string> TComboBox::Property(std::string_view name) const {
  if (name == "Style")
    return "csDropDownList";
  if (name == "ItemIndex")
    return std::to_string(itemIndex_);
  return TControl::Property(name);
}

// ---- TProgressBar

void TProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max < min ? min : max;
  if (position_ < min_)
    position_ = min_;
  if (position_ > max_)
    position_ = max_;
  Notify(ControlChange::Progress);
}

void TProgressBar::SetStep(int step) {
  step_ = step;
  Notify(ControlChange::Progress);
}

void TProgressBar::SetPosition(int position) {
  position_ = position < min_ ? min_ : (position > max_ ? max_ : position);
  Notify(ControlChange::Progress);
}

void TProgressBar::StepIt() {
  int next = position_ + step_;
  if (next > max_)
    next = min_ + (next - max_ - 1);
  SetPosition(next);
}

} // namespace tw
