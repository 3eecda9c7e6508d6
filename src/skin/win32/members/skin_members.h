#pragma once
// The painted members of the TSkinControl family: each gathers its control's state from the
// window (styles, check state, combo-box information, progress range and position, tab
// items), composes the control with the portable painter and blits it. Where the control
// paints itself outside WM_PAINT (state changes of buttons), its visible style is taken away
// around that painting so that only the skin shows.

#include <memory>

#include "skin/paint/paint_button.h"
#include "skin/win32/engine/skin_control.h"

namespace tw {

// A painted member for the family member, or null when it has no painter here.
std::unique_ptr<TSkinControl> CreatePaintedMember(SkinFamily member);
// The members on comctl32's classes (headers, status bars, track bars, up-down controls), or
// null.
std::unique_ptr<TSkinControl> CreateCommonControlMember(SkinFamily member);

// A member that paints its whole window (frame included) from the skin.
class TSkinWholeWindow : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(win::TMessage& message) override;

protected:
  // False when the skin lacks the element: the control keeps its own painting.
  virtual bool HasElement() const = 0;

private:
  bool validating_ = false;
};

class TSkinButton final : public TSkinWholeWindow {
public:
  static constexpr UINT_PTR kFlickerTimer = 0x5B17;
  static constexpr UINT kFlickerDelay = 100;

  TSkinButton() : TSkinWholeWindow(SkinFamily::TSkinButton) {}
  ~TSkinButton() override;
  void Detach() override;
  bool BeforeMessage(win::TMessage& message) override;
  void AfterMessage(win::TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
  unsigned StateBits() const { return tracker_.Bits(); }
  int Frame() const;

protected:
  bool HasElement() const override;

private:
  PushButtonState State() const;
  void Track(ButtonInput input);
  void Click();
  void HideForStateChange();
  void ShowAgain();

  PushButtonTracker tracker_;
  bool hidden_ = false;
  bool pressing_ = false;
};

// The parent's pixels behind the window, as they are on screen.
inline ControlEnabled EnabledOf(HWND window) {
  return IsWindowEnabled(window) ? ControlEnabled::Enabled : ControlEnabled::Disabled;
}

Bitmap32 ParentBackground(HWND window);
// The device context's pixels from its origin.
Bitmap32 ReadBack(HDC dc, int width, int height);

} // namespace tw
