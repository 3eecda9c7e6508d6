#pragma once
// Progress bars (TSkinProgress): how much of the bar is filled and the composition of both
// progress styles, horizontal or vertical.

#include "skin/paint/paint_button.h"

namespace tw {

enum class BarOrientation { Horizontal, Vertical };

// Style 1: width x position / maximum, nothing when either is 0 or less; never more than the
// width.
int ProgressFillWidth(int width, int position, int maximum);
// Other styles: width x (position - minimum) / (maximum - minimum), within 0 and the width; an
// empty range fills nothing.
int ProgressRangeFillWidth(int width, int position, int minimum, int maximum);

struct ProgressPaint {
  int minimum = 0;
  int maximum = 100;
  int position = 0;
  BarOrientation orientation = BarOrientation::Horizontal;
};

// The bar composed into a bitmap of the control's size; vertical bars are painted lying down
// and turned so that they fill from the bottom. Without a Progress bitmap nothing is drawn.
Painted ComposeProgress(Bitmap32& target, const SkinModel& skin, const ProgressPaint& paint);

} // namespace tw
