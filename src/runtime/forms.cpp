#include "runtime/forms.h"

namespace tw {

std::optional<std::string> TImage::Property(std::string_view name) const {
  if (name == "Transparent")
    return stretch_ ? "False" : "True";
  if (name == "Stretch")
    return stretch_ ? "True" : "False";
  return TControl::Property(name);
}

void TPageControl::AddPage(TTabSheet& sheet) {
  sheet.SetParent(this);
  pages_.push_back(&sheet);
}

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size()) || index == active_)
    return;
  active_ = index;
  Notify(ControlChange::ItemIndex);
}

std::optional<std::string> TPageControl::Property(std::string_view name) const {
  if (name == "Style")
    return "tsTabs";
  if (name == "ActivePageIndex")
    return std::to_string(active_);
  return TControl::Property(name);
}

void TForm::Insert(TControl& control, TControl* parent, TBounds bounds) {
  control.SetParent(parent != nullptr ? parent : this);
  control.SetBounds(bounds);
  controls_.push_back(&control);
}

TControl* TForm::FindControl(std::string_view name) const {
  for (TControl* control : controls_)
    if (control->Name() == name)
      return control;
  return nullptr;
}

std::optional<std::string> TForm::Property(std::string_view name) const {
  if (name == "BorderStyle")
    return "bsSingle";
  if (name == "Color")
    return "clBtnFace";
  return TControl::Property(name);
}

} // namespace tw
