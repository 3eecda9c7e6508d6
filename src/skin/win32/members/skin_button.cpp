// TSkinButton, and the base of the members that paint their whole window.

#include <windows.h>

#include <string>

#include "runtime/controls.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/members/gdi_text_painter.h"
#include "skin/win32/members/skin_members.h"

namespace tw {

using namespace win;

bool TSkinWholeWindow::BeforeMessage(TMessage& message) {
  if (!HasElement())
    return TSkinControl::BeforeMessage(message);
  switch (message.msg) {
  case WM_ERASEBKGND:
    message.result = 1;
    return false;
  case WM_NCPAINT:
    // Sent from inside the validation below, the whole window is painted right after it.
    if (!validating_)
      PaintNow();
    message.result = 0;
    return false;
  case WM_PAINT: {
    {
      validating_ = true;
      PaintDc validate(Handle());
      validating_ = false;
    }
    PaintNow();
    message.result = 0;
    return false;
  }
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

namespace {

// Messages after which the platform's button paints itself at once, outside WM_PAINT.
bool PaintsNatively(UINT msg) {
  switch (msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case WM_SETTEXT:
  case WM_KEYDOWN:
  case WM_KEYUP:
  case WM_UPDATEUISTATE:
  case WM_CAPTURECHANGED:
  case BM_SETSTATE:
  case BM_SETSTYLE:
  case BM_SETCHECK:
    return true;
  default:
    return false;
  }
}

} // namespace

Bitmap32 ParentBackground(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  HWND parent = GetParent(window);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  DibSurface surface(r.right - r.left, r.bottom - r.top);
  Bitmap32 result(r.right - r.left, r.bottom - r.top);
  const ClientDc dc(parent);
  if (surface && dc.Get() != nullptr) {
    BitBlt(surface.Dc(), 0, 0, surface.Width(), surface.Height(), dc.Get(), r.left, r.top, SRCCOPY);
    surface.Store(result, result.Bounds());
  }
  return result;
}

Bitmap32 ReadBack(HDC dc, int width, int height) {
  Bitmap32 result(width, height);
  DibSurface surface(width, height);
  if (surface) {
    BitBlt(surface.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    surface.Store(result, result.Bounds());
  }
  return result;
}

TSkinButton::~TSkinButton() {
  ShowAgain();
}

void TSkinButton::Detach() {
  ShowAgain();
  TSkinControl::Detach();
}

bool TSkinButton::HasElement() const {
  return !Skin().Buttons.Bitmap.Empty();
}

PushButtonState TSkinButton::State() const {
  PushButtonState state;
  state.bits = tracker_.Bits();
  state.enabled = IsEnabled() ? ControlEnabled::Enabled : ControlEnabled::Disabled;
  state.focus = IsFocused() ? ControlFocus::Focused : ControlFocus::Unfocused;
  const bool byProperty = Control() != nullptr && Control()->Property("Default") == "true";
  const bool byStyle = (GetWindowLongA(Handle(), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
  state.isDefault = byProperty || byStyle ? ButtonDefault::Default : ButtonDefault::Plain;
  return state;
}

int TSkinButton::Frame() const {
  return PushButtonFrame(State());
}

void TSkinButton::Track(ButtonInput input) {
  const ButtonReaction reaction =
      tracker_.Handle(input, IsEnabled() ? ControlEnabled::Enabled : ControlEnabled::Disabled);
  if (reaction != ButtonReaction::None)
    PaintNow();
  if (reaction == ButtonReaction::RepaintAndClick)
    Click();
}

void TSkinButton::Click() {
  if (Control() != nullptr) {
    Control()->Click();
    return;
  }
  char name[64] = {};
  GetClassNameA(Handle(), name, sizeof(name));
  const int id = ForeignButtonCommandId(name, GetDlgCtrlID(Handle()));
  PostMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(Handle()));
}

// The platform's own painting of a state change must not show: the window loses its visible
// style until the timer gives it back and the skin paints.
void TSkinButton::HideForStateChange() {
  if (hidden_ || pressing_ || !IsWindowVisible(Handle()))
    return;
  DefWindowProcA(Handle(), WM_SETREDRAW, FALSE, 0);
  hidden_ = true;
}

void TSkinButton::ShowAgain() {
  if (!hidden_)
    return;
  hidden_ = false;
  if (IsWindow(Handle())) {
    KillTimer(Handle(), kFlickerTimer);
    DefWindowProcA(Handle(), WM_SETREDRAW, TRUE, 0);
  }
}

bool TSkinButton::BeforeMessage(TMessage& message) {
  if (!HasElement())
    return TSkinControl::BeforeMessage(message);
  switch (message.msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    // The skin paints the press at once: the focus change it brings is not hidden.
    if (GetFocus() != Handle()) {
      pressing_ = true;
      SetFocus(Handle());
      pressing_ = false;
    }
    Track(ButtonInput::LeftDown);
    return false;
  case WM_MOUSEMOVE: {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
    Track(ButtonInput::MouseMove);
    return false;
  }
  case WM_MOUSELEAVE:
    Track(ButtonInput::MouseLeave);
    return false;
  case WM_LBUTTONUP:
    Track(ButtonInput::LeftUp);
    return false;
  case WM_TIMER:
    if (message.wParam != kFlickerTimer)
      return true;
    ShowAgain();
    PaintNow();
    return false;
  default:
    break;
  }
  if (PaintsNatively(message.msg)) {
    if (message.msg == WM_KEYDOWN && message.wParam == VK_SPACE)
      tracker_.Handle(ButtonInput::SpaceDown, ControlEnabled::Enabled);
    if (message.msg == WM_KEYUP && message.wParam == VK_SPACE)
      tracker_.Handle(ButtonInput::SpaceUp, ControlEnabled::Enabled);
    HideForStateChange();
    return true;
  }
  return TSkinWholeWindow::BeforeMessage(message);
}

void TSkinButton::AfterMessage(TMessage& message) {
  if (hidden_ && PaintsNatively(message.msg)) {
    SetTimer(Handle(), kFlickerTimer, kFlickerDelay, nullptr);
    return;
  }
  TSkinControl::AfterMessage(message);
}

void TSkinButton::Paint(HDC dc, const RECT& rect) {
  if (hidden_)
    return;
  PushButtonPaint paint;
  paint.state = State();
  paint.caption = Control() != nullptr ? Control()->Caption() : AnsiTextOf(Handle());
  paint.fontColour = static_cast<TColor>(GetSysColor(COLOR_BTNTEXT));
  paint.options = Data().Options;
  const int tag = Control() != nullptr ? Control()->Tag() : 0;
  paint.background = PushButtonBackground(tag, paint.options);
  const HFONT font = ControlFont();
  if (paint.background == ButtonBackground::Parent) {
    // The parent's pixels are part of the picture: composed every time.
    Bitmap32 target(rect.right - rect.left, rect.bottom - rect.top);
    const Bitmap32 behind = ParentBackground(Handle());
    paint.parentBackground = &behind;
    GdiTextPainter text(font);
    if (ComposePushButton(target, Skin(), paint, text) == Painted::Skin)
      DrawBitmap(dc, rect.left, rect.top, target, target.Bounds());
    return;
  }
  FrameKey key;
  key.Add(paint.state.bits)
      .Add(paint.state.enabled)
      .Add(paint.state.focus)
      .Add(paint.state.isDefault)
      .Add(paint.caption)
      .Add(paint.fontColour)
      .Add(paint.options.Mask())
      .Add(paint.background);
  AddTextLook(key, font);
  PaintComposed(dc, rect, key, [&](Bitmap32& target) {
    GdiTextPainter text(font);
    return ComposePushButton(target, Skin(), paint, text);
  });
}

} // namespace tw
