#include "skin/paint/nc_object.h"

#include "skin/paint/form_frame.h"

namespace tw {

TNCObject::~TNCObject() {
  if (owner_.Hot() == this)
    owner_.SetHot(nullptr);
}

void TNCObject::BecomeHot(NcState newState) {
  TNCObject* hot = owner_.Hot();
  if (hot != nullptr && hot != this)
    hot->MouseLeave();
  if (!visible)
    return;
  owner_.SetHot(this);
  state = newState;
  owner_.RepaintObject(*this);
}

void TNCObject::MouseEnter() {
  BecomeHot(NcState::Hover);
}

void TNCObject::PressEnter() {
  BecomeHot(NcState::Pressed);
}

void TNCObject::MouseDown() {
  if (!visible)
    return;
  state = NcState::Pressed;
  owner_.RepaintObject(*this);
}

void TNCObject::MouseLeave() {
  if (!visible)
    return;
  if (owner_.Hot() == this)
    owner_.SetHot(nullptr);
  state = NcState::Normal;
  owner_.RepaintObject(*this);
  owner_.ReevaluatePointer();
}

void TWinSysButton::SetPlacement(const CaptionButtonPlacement& placement) {
  rect = placement.rect;
  visible = placement.visible;
  enabled = placement.enabled;
}

void TWinSysButton::Paint(Bitmap32& target) {
  if (!visible)
    return;
  CaptionButtonPlacement placement;
  placement.index = index_;
  placement.rect = rect;
  placement.visible = visible;
  placement.enabled = enabled;
  placement.state = state;
  DrawCaptionButton(target, *button_, placement, Owner().CurrentActivity(), Owner().WindowIcon());
}

} // namespace tw
