#pragma once
// Headless control models. The form's logic reads and writes these; the Win32 realisation
// attaches a ControlView to each model and keeps a native window in step with it. Setting a
// property programmatically never raises the control's events (as on the platform, selecting a
// list entry from code does not click it).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/strings.h"

namespace tw {

class TControl;

enum class ControlChange {
  Caption,
  Enabled,
  Visible,
  Items,     // list content replaced or edited
  ItemIndex, // selection of a list, current row of a grid
  Rows,      // grid content replaced
  Progress,  // range, step or position of a progress bar
  Hint,      // the text shown while the pointer rests on the control
};

class ControlView {
public:
  virtual ~ControlView() = default;
  virtual void ModelChanged(TControl& control, ControlChange change) = 0;
};

struct TBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TBounds&) const = default;
};

class TControl {
public:
  TControl(std::string className, std::string name)
      : className_(std::move(className)), name_(std::move(name)) {}
  virtual ~TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // The class name as the form knows it ("TButton", "TListBox", ...).
  const std::string& ClassName() const { return className_; }
  const std::string& Name() const { return name_; }

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // Shown in a tooltip while the pointer rests on the control; none when empty.
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const TBounds& Bounds() const { return bounds_; }
  void SetBounds(TBounds bounds) { bounds_ = bounds; }
  TControl* Parent() const { return parent_; }
  void SetParent(TControl* parent) { parent_ = parent; }

  // A published property read by name; none when the control has no such property.
  virtual std::optional<std::string> Property(std::string_view name) const;

  void AttachView(ControlView* view) { view_ = view; }
  ControlView* View() const { return view_; }

  // Events, raised by the native realisation (or by tests standing in for the user).
  std::function<void(TControl&)> OnClick;
  std::function<void(TControl&)> OnDblClick;
  void Click() {
    if (OnClick)
      OnClick(*this);
  }
  void DblClick() {
    if (OnDblClick)
      OnDblClick(*this);
  }

protected:
  void Notify(ControlChange change) {
    if (view_ != nullptr)
      view_->ModelChanged(*this, change);
  }

private:
  std::string className_;
  std::string name_;
  int tag_ = 0;
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool visible_ = true;
  TBounds bounds_;
  TControl* parent_ = nullptr;
  ControlView* view_ = nullptr;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// One line of text, transparent over what lies beneath, bold and aligned as laid out.
class TLabel : public TControl {
public:
  explicit TLabel(std::string name) : TControl("TLabel", std::move(name)) {}
  bool Bold() const { return bold_; }
  void SetBold(bool bold) { bold_ = bold; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
  std::optional<std::string> Property(std::string_view name) const override;

private:
  bool bold_ = false;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TButton : public TControl {
public:
  explicit TButton(std::string name) : TControl("TButton", std::move(name)) {}
};

// A list box: items kept in insertion order, or in sorted order under the case-insensitive
// locale comparison when Sorted is set. Sorted insertion follows the platform list box: a
// binary search that places a new entry before an equal one it meets.
class TListBox : public TControl {
public:
  explicit TListBox(std::string name);

  TStrings& Items() { return items_; }
  const TStrings& Items() const { return items_; }
  bool Sorted() const { return sorted_; }
  // Switching to sorted re-adds every entry in order, as the platform's recreated list does.
  void SetSorted(bool sorted);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  std::optional<std::string> Property(std::string_view name) const override;

private:
  class Items_ final : public TStrings {
  public:
    explicit Items_(TListBox& owner) : owner_(owner) {}
    int Count() const override { return static_cast<int>(items.size()); }
    const std::string& Get(int index) const override;
    void Put(int index, std::string text) override;
    void Insert(int index, std::string text) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(std::string text) override;
    void BeginUpdate() override { ++updating_; }
    void EndUpdate() override;
    std::vector<std::string> items;

  private:
    // Tells the view, or remembers to tell it when the update ends.
    void Changed();
    TListBox& owner_;
    int updating_ = 0;
    bool pending_ = false;
  };

  int SortedPosition(const std::string& text) const;

  Items_ items_;
  bool sorted_ = false;
  int itemIndex_ = -1;
};

// The key/value grid (the runtime's value list editor): rows are preview rows shown split at
// their first "=". It always has a current row; with no rows its cells read as empty.
class TValueListEditor : public TControl {
public:
  explicit TValueListEditor(std::string name);

  void Assign(const TStrings& rows);
  void Assign(std::vector<std::string> rows);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& RowText(int index) const;
  std::string_view KeyCell(int index) const { return SplitRow(RowText(index)).first; }
  std::string_view ValueCell(int index) const { return SplitRow(RowText(index)).second; }
  const std::vector<std::string>& Rows() const { return rows_; }

  // Index of the current row among the rows, 0 when the grid is empty.
  int CurrentRow() const { return currentRow_; }
  void SetCurrentRow(int index);
  std::string CurrentKey() const;
  std::string CurrentValue() const;

  static constexpr const char* kKeyTitle = "Key";
  static constexpr const char* kValueTitle = "Value";
  static constexpr int kKeyWidth = 170;
  static constexpr int kValueWidth = 425;

private:
  std::vector<std::string> rows_;
  int currentRow_ = 0;
};

// A drop-down list without typing.
class TComboBox : public TControl {
public:
  explicit TComboBox(std::string name) : TControl("TComboBox", std::move(name)) {}
  TStringList& Items() { return items_; }
  const TStringList& Items() const { return items_; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  std::optional<std::string> Property(std::string_view name) const override;

private:
  TStringList items_;
  int itemIndex_ = -1;
};

class TProgressBar : public TControl {
public:
  explicit TProgressBar(std::string name) : TControl("TProgressBar", std::move(name)) {}
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Step() const { return step_; }
  int Position() const { return position_; }
  void SetRange(int min, int max);
  void SetStep(int step);
  void SetPosition(int position);
  // Advances by the step; past the upper end the bar starts over from the lower end.
  void StepIt();

private:
  int min_ = 0;
  int max_ = 100;
  int step_ = 10;
  int position_ = 0;
};

} // namespace tw
