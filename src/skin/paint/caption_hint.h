#pragma once
// When the hint of a caption button shows and hides. The skinned form's 250 ms timer feeds it
// with what lies under the pointer; the Win32 side shows and hides the hint window as told.

#include <string>

#include "skin/model/bitmap.h"

namespace tw {

// The skinned form's pointer-tracking timer.
inline constexpr int kFrameTimerMs = 250;
// About twice the application's hint pause (500 ms), and the application's hint display period.
inline constexpr int kCaptionHintDelayMs = 1000;
inline constexpr int kCaptionHintDisplayMs = 2500;

enum class HintAction { None, Show, Hide };

struct HintStep {
  HintAction action = HintAction::None;
  std::string text; // Show: the text for the button's Action
  Point at;         // Show: the hint window's top-left corner (screen)
};

class CaptionHintTracker {
public:
  explicit CaptionHintTracker(int delayMs = kCaptionHintDelayMs,
                              int displayMs = kCaptionHintDisplayMs)
      : delayMs_(delayMs), displayMs_(displayMs) {}

  // One timer tick. `button` is the visible caption button under the pointer (-1 for none),
  // with its Action and screen rectangle; the pointer is in screen coordinates. Resting on one
  // button accumulates time; after the delay its hint shows (buttons without a hint text show
  // none), and it hides when the display period ends or the pointer leaves the button. A hint
  // shows once per visit.
  HintStep Tick(int button, int action, Rect buttonOnScreen, Point pointer, int elapsedMs);

private:
  int delayMs_;
  int displayMs_;
  int button_ = -1;
  int rested_ = 0;
  int shownFor_ = 0;
  bool shown_ = false;
  bool done_ = false;
};

} // namespace tw
