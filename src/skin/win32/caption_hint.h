#pragma once
// The hint of a caption button: a tooltip window shown at the button's left edge, 24 pixels
// below the pointer, after the pointer has rested on the button a while, and hidden when the
// display period ends or the pointer leaves.

#include <windows.h>

#include <string>

namespace tw::win {

class CaptionHint {
public:
  // About twice the usual hint pause, and the usual display period.
  static constexpr int kDelayMs = 1000;
  static constexpr int kPeriodMs = 2500;

  explicit CaptionHint(HWND owner) : owner_(owner) {}
  ~CaptionHint();
  CaptionHint(const CaptionHint&) = delete;
  CaptionHint& operator=(const CaptionHint&) = delete;

  // The pointer rested `elapsedMs` more on a button with this hint (empty: no hint), whose
  // left edge is at `buttonLeft` on screen.
  void Rest(int elapsedMs, const std::string& text, int buttonLeft, POINT pointer);
  // The pointer left the button.
  void Leave();
  bool Shown() const { return shown_; }

private:
  void Show(const std::string& text, int x, int y);
  void Hide();

  HWND owner_;
  HWND tip_ = nullptr;
  int rested_ = 0;
  bool shown_ = false;
  bool done_ = false;
};

} // namespace tw::win
