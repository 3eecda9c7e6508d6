#include "skin/win32/members/skin_scrollbar.h"

#include <commctrl.h>
#include <windowsx.h>

#include "runtime/win32/application.h"
#include "runtime/win32/gdi.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/members/skin_members.h"

namespace tw {

using namespace win;

namespace {

const char* OverlayClass() {
  static const char* name = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TWScrollbar";
    RegisterClassA(&wc);
    return "TWScrollbar";
  }();
  return name;
}

bool SameInfo(const ScrollBarInfo& a, const ScrollBarInfo& b) {
  return a.bar == b.bar && a.lineButton == b.lineButton && a.thumbTop == b.thumbTop &&
         a.thumbBottom == b.thumbBottom && a.visibility == b.visibility && a.enabled == b.enabled;
}

} // namespace

// ---- TWScrollbar

TWScrollbar::TWScrollbar(TSkinScrollbar& owner, HWND control, ScrollBarKind kind)
    : owner_(owner), control_(control), kind_(kind) {
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, OverlayClass(), "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                            0, 0, GetParent(control), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr)
    return;
  hook_.Attach(window_,
               [this](TMessage& message, const WindowProcHook& next) { OnMessage(message, next); });
  Place();
}

TWScrollbar::~TWScrollbar() {
  *alive_ = false;
  hook_.Detach();
  if (window_ != nullptr && IsWindow(window_))
    DestroyWindow(window_);
}

BarOrientation TWScrollbar::Orientation() const {
  return kind_ == ScrollBarKind::Horizontal ? BarOrientation::Horizontal : BarOrientation::Vertical;
}

ScrollBarInfo TWScrollbar::ReadInfo() const {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof(sbi);
  ScrollBarInfo info;
  const LONG object = kind_ == ScrollBarKind::Horizontal ? OBJID_HSCROLL : OBJID_VSCROLL;
  if (!GetScrollBarInfo(control_, object, &sbi)) {
    info.visibility = BarVisibility::Hidden;
    return info;
  }
  info.bar = {sbi.rcScrollBar.left, sbi.rcScrollBar.top, sbi.rcScrollBar.right,
              sbi.rcScrollBar.bottom};
  info.lineButton = sbi.dxyLineButton;
  info.thumbTop = sbi.xyThumbTop;
  info.thumbBottom = sbi.xyThumbBottom;
  const DWORD state = sbi.rgstate[0];
  info.visibility = (state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0
                        ? BarVisibility::Hidden
                        : BarVisibility::Visible;
  info.enabled =
      (state & STATE_SYSTEM_UNAVAILABLE) != 0 ? ControlEnabled::Disabled : ControlEnabled::Enabled;
  return info;
}

ScrollBarParts TWScrollbar::Parts() const {
  const TDataSkinObject* strip = owner_.SkinOf().Element(SkinElement::Scrollbar);
  ScrollBarInfo info = info_;
  info.bar = Rect::FromSize(0, 0, info_.bar.Width(), info_.bar.Height());
  const int thickness =
      Orientation() == BarOrientation::Horizontal ? info.bar.Height() : info.bar.Width();
  const int arrow =
      strip != nullptr ? ScrollArrowSize(strip->Bitmap.Height(), thickness) : info.lineButton;
  return ScrollBarGeometry(info, Orientation(), arrow);
}

void TWScrollbar::RaiseAboveControl() {
  // Directly above the control: another overlay of the same control may lie in between.
  for (HWND above = GetWindow(control_, GW_HWNDPREV); above != nullptr;
       above = GetWindow(above, GW_HWNDPREV)) {
    if (above == window_)
      return;
    if (!owner_.Overlaid(above))
      break;
  }
  HWND prev = GetWindow(control_, GW_HWNDPREV);
  SetWindowPos(window_, prev != nullptr ? prev : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWScrollbar::Place(Redraw redraw) {
  if (window_ == nullptr)
    return;
  const ScrollBarInfo info = ReadInfo();
  const bool controlShown = (GetWindowLongA(control_, GWL_STYLE) & WS_VISIBLE) != 0;
  POINT origin{0, 0};
  ClientToScreen(GetParent(control_), &origin);
  const std::optional<Rect> place =
      OverlayPlacement(controlShown ? ControlVisibility::Visible : ControlVisibility::Hidden, info,
                       origin.x, origin.y);
  const bool changed = !SameInfo(info, info_) || place.has_value() != shown_;
  info_ = info;
  if (!place) {
    if (shown_)
      ShowWindow(window_, SW_HIDE);
    shown_ = false;
    return;
  }
  if (!changed) {
    if (redraw == Redraw::Always) {
      InvalidateRect(window_, nullptr, FALSE);
      UpdateWindow(window_);
    }
    return;
  }
  EnableWindow(window_, IsWindowEnabled(control_));
  RaiseAboveControl();
  // A moving thumb leaves the bar where it is: only its picture changes.
  if (!shown_ || *place != placed_)
    SetWindowPos(window_, nullptr, place->left, place->top, place->Width(), place->Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  placed_ = *place;
  shown_ = true;
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

void TWScrollbar::PaintTo(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  if (client.right <= 0 || client.bottom <= 0)
    return;
  ScrollBarPaint paint;
  paint.info = info_;
  paint.orientation = Orientation();
  paint.hotPart = hot_;
  paint.held = held_;
  FrameKey key;
  key.Add(info_.bar).Add(info_.lineButton).Add(info_.thumbTop).Add(info_.thumbBottom);
  key.Add(info_.visibility).Add(info_.enabled).Add(paint.orientation).Add(hot_).Add(held_);
  key.Add(static_cast<std::int64_t>(owner_.Generation()));
  const Bitmap32* frame = frame_.Get(key, client.right, client.bottom, [&](Bitmap32& target) {
    return ComposeScrollBar(target, owner_.SkinOf(), paint);
  });
  if (frame != nullptr)
    DrawBitmap(dc, 0, 0, *frame, frame->Bounds());
}

// The platform's tracking of the control's own bar runs inside the forwarded press, until the
// button is released.
void TWScrollbar::Forward(UINT down, UINT up, bool press, LPARAM at) {
  POINT overlay{0, 0};
  ClientToScreen(window_, &overlay);
  POINT client{0, 0};
  ClientToScreen(control_, &client);
  const ForwardedClick click = ForwardOverlayClick(kind_, GET_X_LPARAM(at), GET_Y_LPARAM(at),
                                                   overlay.x, overlay.y, client.x, client.y);
  const UINT msg = click.as == ForwardedAs::NonClient ? (press ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP)
                                                      : (press ? down : up);
  SendMessageA(control_, msg, click.as == ForwardedAs::NonClient ? click.hitCode : MK_LBUTTON,
               MAKELPARAM(click.x, click.y));
}

void TWScrollbar::OnMessage(TMessage& m, const WindowProcHook& next) {
  switch (m.msg) {
  case WM_ERASEBKGND:
    m.result = 1;
    return;
  case WM_PAINT: {
    PaintDc paint(window_);
    PaintTo(paint.Get());
    m.result = 0;
    return;
  }
  case WM_MOUSEMOVE: {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
    TrackMouseEvent(&track);
    const int part = ScrollPartAt(Parts(), GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    if (part != hot_ && held_ == ButtonHeld::Up) {
      hot_ = part;
      InvalidateRect(window_, nullptr, FALSE);
    }
    m.result = 0;
    return;
  }
  case WM_MOUSELEAVE:
    if (held_ == ButtonHeld::Up && hot_ != kPartNone) {
      hot_ = kPartNone;
      InvalidateRect(window_, nullptr, FALSE);
    }
    m.result = 0;
    return;
  case WM_LBUTTONDOWN: {
    hot_ = ScrollPartAt(Parts(), GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    held_ = ButtonHeld::Down;
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
    const std::shared_ptr<const bool> alive = alive_;
    Forward(WM_LBUTTONDOWN, WM_LBUTTONUP, true, m.lParam);
    m.result = 0;
    // The platform's tracking has ended with the release.
    if (*alive && IsWindow(window_)) {
      held_ = ButtonHeld::Up;
      Place();
      InvalidateRect(window_, nullptr, FALSE);
    }
    return;
  }
  case WM_LBUTTONUP:
    if (held_ == ButtonHeld::Down) {
      held_ = ButtonHeld::Up;
      Forward(WM_LBUTTONDOWN, WM_LBUTTONUP, false, m.lParam);
      InvalidateRect(window_, nullptr, FALSE);
    }
    m.result = 0;
    return;
  case WM_MOUSEACTIVATE:
    m.result = MA_NOACTIVATE;
    return;
  default:
    next(m);
  }
}

// ---- TSkinScrollbar

TSkinScrollbar::~TSkinScrollbar() {
  DropOverlays();
}

void TSkinScrollbar::Attach(FormSite& form, TSkinData& data, TControl& control,
                            bool useFaceColour) {
  TSkinControl::Attach(form, data, control, useFaceColour);
  MakeOverlays();
  AttachHeader();
}

void TSkinScrollbar::AttachHandle(HWND window, TSkinData& data, FormSite& form) {
  TSkinControl::AttachHandle(window, data, form);
  MakeOverlays();
  AttachHeader();
}

void TSkinScrollbar::Detach() {
  header_.reset();
  DropOverlays();
  TSkinControl::Detach();
}

void TSkinScrollbar::AttachHeader() {
  if (Handle() == nullptr || Stage() != kControlAttached || Form() == nullptr)
    return;
  char name[32] = {};
  GetClassNameA(Handle(), name, sizeof(name));
  if (lstrcmpiA(name, WC_LISTVIEWA) != 0)
    return;
  const HWND header = ListView_GetHeader(Handle());
  if (header == nullptr || SendMessageA(header, kMsgIsSkinned, 0, 0) == kSkinnedAnswer)
    return;
  GetClassNameA(header, name, sizeof(name));
  const SkinChoice choice =
      ChooseForWindow(name, static_cast<WindowStyle>(GetWindowLongA(header, GWL_STYLE)), Data());
  if (choice.member != SkinFamily::TSkinHeader)
    return;
  header_ = CreateCommonControlMember(choice.member);
  header_->AttachHandle(header, Data(), *Form());
}

void TSkinScrollbar::MakeOverlays() {
  if (Handle() == nullptr || Stage() != kControlAttached)
    return;
  overlays_[0] = std::make_unique<TWScrollbar>(*this, Handle(), ScrollBarKind::Horizontal);
  overlays_[1] = std::make_unique<TWScrollbar>(*this, Handle(), ScrollBarKind::Vertical);
}

void TSkinScrollbar::DropOverlays() {
  const bool had = overlays_[0] != nullptr || overlays_[1] != nullptr;
  for (auto& overlay : overlays_)
    overlay.reset();
  // The native bars show again.
  if (had && Handle() != nullptr && IsWindow(Handle()))
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TSkinScrollbar::Overlaid(HWND window) const {
  for (const auto& overlay : overlays_)
    if (overlay != nullptr && overlay->Handle() == window)
      return true;
  return false;
}

const TWScrollbar* TSkinScrollbar::Overlay(ScrollBarKind kind) const {
  for (const auto& overlay : overlays_)
    if (overlay != nullptr && overlay->Kind() == kind)
      return overlay.get();
  return nullptr;
}

void TSkinScrollbar::Reskin() {
  TSkinControl::Reskin();
  if (header_ != nullptr)
    header_->Reskin();
  Follow(TWScrollbar::Redraw::Always);
}

void TSkinScrollbar::Refresh() {
  Follow(TWScrollbar::Redraw::WhenChanged);
}

void TSkinScrollbar::Follow(TWScrollbar::Redraw redraw) {
  for (auto& overlay : overlays_)
    if (overlay != nullptr)
      overlay->Place(redraw);
}

void TSkinScrollbar::AfterMessage(TMessage& message) {
  switch (message.msg) {
  case WM_NCHITTEST:
  case WM_SETCURSOR:
  case WM_GETTEXT:
  case WM_GETTEXTLENGTH:
  case WM_GETDLGCODE:
  case WM_GETFONT:
  case WM_NCDESTROY:
  case WM_DESTROY:
    break;
  case WM_NCPAINT:
    // The control's own frame painting has drawn its native bars under the overlays.
    Follow(TWScrollbar::Redraw::Always);
    break;
  default:
    // Scrolling, sizing, showing, content changes and the control's own messages may all move
    // a bar: the overlays follow whatever changed.
    Refresh();
  }
  TSkinControl::AfterMessage(message);
}

std::unique_ptr<TSkinControl> CreateScrollBarMember(SkinFamily member) {
  switch (member) {
  case SkinFamily::TSkinScrollbar:
  case SkinFamily::TSkinListView:
  case SkinFamily::TSkinScControl:
    return std::make_unique<TSkinScrollbar>(member);
  default:
    return nullptr;
  }
}

} // namespace tw
