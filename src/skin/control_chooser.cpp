#include "skin/control_chooser.h"

namespace tw {

const char* SkinFamilyName(SkinFamily) {
  return "";
}

ControlKind KindOf(const TControl&) {
  return ControlKind::Other;
}

SkinChoice ChooseForControl(TControl&, const ChooserContext&) {
  return {};
}

SkinFamily GroupChildMember(const SkinChoice&, const TControl&, const TSkinData&) {
  return SkinFamily::None;
}

SkinChoice ChooseForWindow(std::string_view, WindowStyle, const TSkinData&) {
  return {};
}

FormControlsPlan SkinFormControls(const ChooserContext&) {
  return {};
}

} // namespace tw
