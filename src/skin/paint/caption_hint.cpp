#include "skin/paint/caption_hint.h"

#include "skin/paint/form_layout.h"

namespace tw {

HintStep CaptionHintTracker::Tick(int button, int action, Rect buttonOnScreen, Point pointer,
                                  int elapsedMs) {
  HintStep step;
  if (button != button_) {
    if (shown_)
      step.action = HintAction::Hide;
    button_ = button;
    rested_ = 0;
    shownFor_ = 0;
    shown_ = false;
    done_ = false;
    return step;
  }
  if (button_ < 0 || done_)
    return step;
  if (shown_) {
    shownFor_ += elapsedMs;
    if (shownFor_ >= displayMs_) {
      step.action = HintAction::Hide;
      shown_ = false;
      done_ = true;
    }
    return step;
  }
  rested_ += elapsedMs;
  if (rested_ < delayMs_)
    return step;
  done_ = true;
  std::string text = CaptionButtonHint(action);
  if (text.empty())
    return step;
  step.action = HintAction::Show;
  step.text = std::move(text);
  step.at = CaptionHintPosition(buttonOnScreen, pointer);
  shown_ = true;
  done_ = false;
  return step;
}

} // namespace tw
