#pragma once
// Batch export: one report per item of a list, with the tab's list, grid and save button
// disabled while the batch runs and its progress bar stepping after each item.

#include <functional>

#include "runtime/controls.h"

namespace tw {

struct BatchControls {
  TControl& list;
  TControl& grid;
  TControl& saveButton;
  TProgressBar& progress;
};

// Sets the bar to 0, disables the three controls and runs `item` for every index from 0 to
// count - 1, stepping the bar after each. However the batch ends, also when an item raises
// (the error travels on and ends the batch), the controls are enabled again and the bar is set
// back to 0.
void RunBatch(const BatchControls& controls, int count, const std::function<void(int)>& item);

} // namespace tw
