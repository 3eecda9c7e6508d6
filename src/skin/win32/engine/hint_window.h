#pragma once
// The window that shows a caption button's hint: a tracking tooltip owned by the skinned
// window. When it shows and hides is the portable CaptionHintTracker's decision.

#include <windows.h>

#include <string>

namespace tw::win {

class HintWindow {
public:
  explicit HintWindow(HWND owner) : owner_(owner) {}
  ~HintWindow();
  HintWindow(const HintWindow&) = delete;
  HintWindow& operator=(const HintWindow&) = delete;

  // The text with the window's top-left corner at (x, y) on screen.
  void Show(const std::string& text, int x, int y);
  void Hide();

private:
  HWND owner_;
  HWND tip_ = nullptr;
  bool shown_ = false;
};

} // namespace tw::win
