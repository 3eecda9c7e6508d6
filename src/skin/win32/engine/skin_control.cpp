#include "skin/win32/engine/skin_control.h"

#include "runtime/win32/native_control.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"

namespace tw {

using namespace win;

namespace {

// Whether the window's client area is all of it (no border, caption or scroll bar).
bool ClientCoversWindow(HWND window, const RECT& bounds) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return EqualRect(&client, &bounds) != FALSE;
}

} // namespace

NativeControl* NativeOf(const TControl& control) {
  return dynamic_cast<NativeControl*>(control.View());
}

bool AnswersSkinned(HWND window) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(window, kMsgIsSkinned, 0, 0, SMTO_ABORTIFHUNG, 500, &answer) != 0 &&
         answer == static_cast<DWORD_PTR>(kSkinnedAnswer);
}

TSkinControl::~TSkinControl() {
  *alive_ = false;
  Detach();
}

void TSkinControl::Attach(FormSite& form, TSkinData& data, TControl& control, bool useFaceColour) {
  form_ = &form;
  data_ = &data;
  control_ = &control;
  useFaceColour_ = useFaceColour;
  caption_ = control.Caption();
  const NativeControl* native = NativeOf(control);
  window_ = native != nullptr ? native->Handle() : nullptr;
  if (window_ == nullptr)
    return;
  Hook();
}

void TSkinControl::AttachHandle(HWND window, TSkinData& data, FormSite& form) {
  form_ = &form;
  data_ = &data;
  window_ = window;
  Hook();
}

void TSkinControl::Hook() {
  unicode_ = IsWindowUnicode(window_) != 0;
  hook_.Attach(window_,
               [this](TMessage& message, const WindowProcHook& next) { OnMessage(message, next); });
  stage_ = kControlAttached;
  // Painted with the form's next paint, not one by one as the form's skinning starts.
  InvalidateRect(window_, nullptr, TRUE);
}

void TSkinControl::Detach() {
  hook_.Detach();
  if (stage_ == kControlAttached && window_ != nullptr && IsWindow(window_))
    Repaint();
  if (stage_ != kControlDestroyed)
    stage_ = 0;
}

void TSkinControl::Default(TMessage& message) {
  if (next_ != nullptr)
    (*next_)(message);
}

void TSkinControl::Repaint() {
  if (window_ != nullptr && IsWindow(window_)) {
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
  }
}

void TSkinControl::PaintNow() {
  if (window_ == nullptr || !IsWindowVisible(window_))
    return;
  // The whole window, but never over its children or the siblings above it when its style
  // says so (the page control's sheets, the overlays over a list). A window device context
  // does not leave the children out, so their rectangles are taken out by hand.
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  RECT window;
  GetWindowRect(window_, &window);
  DWORD flags = DCX_CACHE;
  // A window without a frame paints the same through its client area's device context, which
  // under Wine costs a tenth of a window one (no checks of the displays).
  if (!ClientCoversWindow(window_, window))
    flags |= DCX_WINDOW;
  if ((style & WS_CLIPSIBLINGS) != 0)
    flags |= DCX_CLIPSIBLINGS;
  const BorrowedDc borrowed(window_, GetDCEx(window_, nullptr, flags));
  HDC dc = borrowed.Get();
  if (dc == nullptr)
    return;
  if ((style & WS_CLIPCHILDREN) != 0) {
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child))
        continue;
      RECT r;
      GetWindowRect(child, &r);
      ExcludeClipRect(dc, r.left - window.left, r.top - window.top, r.right - window.left,
                      r.bottom - window.top);
    }
  }
  PaintFrame(dc);
}

HFONT TSkinControl::ControlFont() const {
  auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TSkinControl::AddTextLook(FrameKey& key, HFONT font) {
  LOGFONTA description{};
  if (GetObjectA(font, sizeof(description), &description) != 0)
    key.AddBytes(&description, sizeof(description));
  key.Add(static_cast<std::int64_t>(GetSysColor(COLOR_BTNSHADOW)));
}

bool TSkinControl::IsEnabled() const {
  return (GetWindowLongA(window_, GWL_STYLE) & WS_DISABLED) == 0;
}

bool TSkinControl::IsFocused() const {
  return GetFocus() == window_;
}

void TSkinControl::OnMessage(TMessage& message, const WindowProcHook& next) {
  // The rest of the window's handling may run a modal loop (the system menu opened by the
  // keyboard from this control) in which skinning goes off and this member is freed: after it,
  // nothing of the member is touched then.
  const std::shared_ptr<const bool> alive = alive_;
  const WindowProcHook* outer = std::exchange(next_, &next);
  struct RestoreNext {
    const std::shared_ptr<const bool>& alive;
    const WindowProcHook*& slot;
    const WindowProcHook* value;
    ~RestoreNext() {
      if (*alive)
        slot = value;
    }
  } restore{alive, next_, outer};
  if (message.msg == kMsgControlSkinning) {
    enabled_ = message.wParam > 0;
    frame_.Forget();
    if (enabled_)
      Repaint();
    message.result = 0;
    return;
  }
  if (!enabled_) {
    next(message);
    return;
  }
  if (BeforeMessage(message) && *alive) {
    next(message);
    if (*alive)
      AfterMessage(message);
  }
}

bool TSkinControl::BeforeMessage(TMessage& message) {
  switch (message.msg) {
  case WM_DESTROY:
  case WM_NCDESTROY:
    stage_ = kControlDestroyed;
    Default(message);
    hook_.Detach();
    return false;
  case kMsgIsSkinned:
    message.result = kSkinnedAnswer;
    return false;
  default:
    return true;
  }
}

void TSkinControl::AfterMessage(TMessage& message) {
  switch (message.msg) {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ENABLE:
  case WM_SETTEXT:
    Repaint();
    break;
  case WM_PAINT:
    PaintNow();
    break;
  default:
    break;
  }
}

void TSkinControl::PaintFrame(HDC dc) {
  // A failing paint leaves the control as the platform drew it.
  try {
    RECT window;
    GetWindowRect(window_, &window);
    const RECT rect{0, 0, window.right - window.left, window.bottom - window.top};
    Paint(dc, rect);
  } catch (...) {
  }
}

void TSkinControl::Paint(HDC /*dc*/, const RECT& /*rect*/) {}

void TSkinControl::Reskin() {
  frame_.Forget();
  // Frame included: some members paint over the control's border.
  if (window_ != nullptr && IsWindow(window_))
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

} // namespace tw
