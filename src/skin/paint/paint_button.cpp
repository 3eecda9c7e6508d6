#include "skin/paint/paint_button.h"

#include <algorithm>
#include <cctype>

#include "skin/model/raster.h"
#include "skin/model/system_colour.h"

namespace tw {

int PushButtonFrame(const PushButtonState& state) {
  if (state.enabled == ControlEnabled::Disabled)
    return 3;
  if ((state.bits & kButtonPressed) != 0)
    return 2;
  if ((state.bits & kButtonHover) != 0)
    return 4;
  if (state.focus == ControlFocus::Focused || state.isDefault == ButtonDefault::Default)
    return 5;
  return 1;
}

TColor DisabledTextColour() {
  return ColorToRGB(SystemColourReference(SysColour::BtnShadow));
}

TColor PushButtonTextColour(const TDataSkinButton& buttons, int frame, TColor fontColour) {
  if (frame == 3)
    return DisabledTextColour();
  if (frame == 4 && buttons.MouseOverColour2Given)
    return buttons.MouseOverColour2;
  if (frame == 2 && buttons.PressedColour2Given)
    return buttons.PressedColour2;
  if (buttons.NormalColour2Given)
    return buttons.NormalColour2;
  return fontColour;
}

ButtonBackground PushButtonBackground(int tag, const TSkinOptions& options) {
  return tag == 5555 || options.Contains(TSkinOption::xoTransparent) ? ButtonBackground::Parent
                                                                     : ButtonBackground::ButtonFace;
}

bool PaintsOwnBackground(std::string_view className) {
  if (className.size() < 3)
    return false;
  std::string prefix;
  for (int i = 0; i < 3; ++i)
    prefix += static_cast<char>(std::tolower(static_cast<unsigned char>(className[i])));
  return prefix == "trz" || prefix == "tel";
}

ButtonTextLayout LayOutButtonText(Rect client, TextSize measured, ControlFocus focus,
                                  const TSkinOptions& options) {
  const Rect inner = Inflate(client, -2, -2);
  ButtonTextLayout layout;
  layout.text = CentreIn(inner, std::min(measured.width, inner.Width()), measured.height);
  if (focus == ControlFocus::Focused && !options.Contains(TSkinOption::xoNoFocusRect))
    layout.focus = Inflate(layout.text, 2, 2);
  return layout;
}

ButtonReaction PushButtonTracker::Handle(ButtonInput input, ControlEnabled enabled) {
  const unsigned before = bits_;
  bool click = false;
  switch (input) {
  case ButtonInput::LeftDown:
  case ButtonInput::SpaceDown:
    bits_ |= kButtonPressed;
    break;
  case ButtonInput::MouseMove:
    if (enabled == ControlEnabled::Enabled)
      bits_ |= kButtonHover;
    break;
  case ButtonInput::MouseLeave:
    bits_ = 0;
    break;
  case ButtonInput::LeftUp:
    click = (bits_ & kButtonPressed) != 0;
    bits_ &= ~kButtonPressed;
    break;
  case ButtonInput::SpaceUp:
    bits_ &= ~kButtonPressed;
    break;
  }
  // Pressing always repaints, even when the button was pressed already (the platform has taken
  // the focus in between).
  if (click)
    return ButtonReaction::RepaintAndClick;
  if (bits_ != before || input == ButtonInput::LeftDown)
    return ButtonReaction::Repaint;
  return ButtonReaction::None;
}

int ForeignButtonCommandId(std::string_view className, int controlId) {
  std::string lower(className);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower == "tbutton" ? 0 : controlId;
}

void FillBackground(Bitmap32& target, const SkinModel& skin, ButtonBackground background,
                    const Bitmap32* parentBackground) {
  if (background == ButtonBackground::Parent && parentBackground != nullptr) {
    CopyRect(target, 0, 0, *parentBackground, parentBackground->Bounds());
    return;
  }
  FillRect(target, target.Bounds(), ColourToPixel(skin.ButtonFaceBrush));
}

Painted ComposePushButton(Bitmap32& target, const SkinModel& skin, const PushButtonPaint& paint,
                          TextPainter& text) {
  if (skin.Buttons.Bitmap.Empty())
    return Painted::StandardLook;
  FillBackground(target, skin, paint.background, paint.parentBackground);
  const int frame = PushButtonFrame(paint.state);
  skin.Buttons.Draw(target, target.Bounds(), frame);

  const std::string caption = WithLineBreaks(paint.caption);
  const Rect client = target.Bounds();
  const TextSize measured = text.Measure(caption, client.Width() - 4, TextWrap::WordWrap);
  const ButtonTextLayout layout =
      LayOutButtonText(client, measured, paint.state.focus, paint.options);
  text.Draw(target, layout.text, caption,
            PushButtonTextColour(skin.Buttons, frame, paint.fontColour),
            {TextWrap::WordWrap, TextAlign::Centre, ReadingOrder::LeftToRight});
  if (layout.focus)
    DrawFocusRect(target, *layout.focus);
  return Painted::Skin;
}

} // namespace tw
