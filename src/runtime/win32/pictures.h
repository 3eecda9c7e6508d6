#pragma once
// The program's pictures (resources) drawn for image controls.

#include <windows.h>

#include "runtime/forms.h"

namespace tw::win {

// Stretched over the rectangle, or 1:1 at its top-left with the bottom-left pixel's colour
// transparent.
void DrawPicture(HDC dc, TPicture picture, const RECT& r, bool stretch);

} // namespace tw::win
