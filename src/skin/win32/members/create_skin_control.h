#pragma once
// The members of the TSkinControl family made by their class names, and the walk that gives
// the controls of a skinned form their members.

#include <memory>
#include <vector>

#include "skin/win32/engine/skin_control.h"

namespace tw {

// A family member by its class name; a member without a painter of its own is the base.
std::unique_ptr<TSkinControl> CreateSkinControl(SkinFamily member);

// The controls of a skinned form get their members: a form with control objects through the
// chooser for control objects, a foreign dialog's child windows through the chooser for
// windows. Objects the host supplied through OnSkinControl (which is told `sender`) are
// attached too and listed in `supplied`; the host keeps them.
std::vector<std::unique_ptr<TSkinControl>> SkinFormControlsOf(FormSite& form, TWinSkinForm* sender,
                                                              std::vector<TSkinControl*>& supplied);

namespace win {
using tw::CreateSkinControl;
using tw::SkinFormControlsOf;
} // namespace win

} // namespace tw
