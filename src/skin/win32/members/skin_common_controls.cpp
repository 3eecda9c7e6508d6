// The members on comctl32's own classes: column headers (the grids' headers among them),
// status bars, track bars and up-down controls. Each paints its whole window from the skin
// and keeps the control's behaviour; the pointer states they show (hot and pressed parts) are
// followed from the control's mouse messages.

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "skin/paint/paint_panels.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/members/gdi_text_painter.h"
#include "skin/win32/members/skin_members.h"

namespace tw {

using namespace win;

namespace {

constexpr int kNone = -1;

TColor TextColour() {
  return static_cast<TColor>(GetSysColor(COLOR_BTNTEXT));
}

bool HasElementBitmap(const SkinModel& skin, SkinElement element) {
  const TDataSkinObject* e = skin.Element(element);
  return e != nullptr && !e->Bitmap.Empty();
}

void RequestLeave(HWND window) {
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

// A part of the control under the pointer and a part held down, repainted when either
// changes. Parts are small integers chosen by the member; kNone is none.
class PointerParts {
public:
  // True when the hot part changed.
  bool Hover(int part) { return std::exchange(hot_, part) != part; }
  bool Press(int part) { return std::exchange(pressed_, part) != part; }
  bool Leave() { return std::exchange(hot_, kNone) != kNone; }
  bool Release() { return std::exchange(pressed_, kNone) != kNone; }
  int Hot() const { return hot_; }
  int Pressed() const { return pressed_; }

private:
  int hot_ = kNone;
  int pressed_ = kNone;
};

// Mouse messages to hot and pressed parts; `partAt` names the part under a client point.
// Returns true when the control needs a repaint.
template <typename PartAt>
bool FollowPointer(HWND window, PointerParts& parts, const TMessage& message, PartAt partAt) {
  const POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  switch (message.msg) {
  case WM_MOUSEMOVE:
    RequestLeave(window);
    return parts.Hover(IsWindowEnabled(window) ? partAt(at) : kNone);
  case WM_MOUSELEAVE:
    return parts.Leave();
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    return parts.Press(partAt(at));
  case WM_LBUTTONUP:
  case WM_CAPTURECHANGED:
  case WM_CANCELMODE:
    return parts.Release();
  default:
    return false;
  }
}

// ---- headers

class TSkinHeader final : public TSkinWholeWindow {
public:
  TSkinHeader() : TSkinWholeWindow(SkinFamily::TSkinHeader) {}
  void AfterMessage(TMessage& message) override {
    if (FollowPointer(Handle(), parts_, message, [this](POINT p) { return SectionAt(p); })) {
      PaintNow();
      return;
    }
    switch (message.msg) {
    case HDM_INSERTITEMA:
    case HDM_INSERTITEMW:
    case HDM_DELETEITEM:
    case HDM_SETITEMA:
    case HDM_SETITEMW:
    case HDM_LAYOUT:
    case WM_SIZE:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(message);
    }
  }
  void Paint(HDC dc, const RECT& rect) override {
    HeaderPaint paint;
    paint.fontColour = TextColour();
    const bool buttons = (GetWindowLongA(Handle(), GWL_STYLE) & HDS_BUTTONS) != 0;
    const int count = Header_GetItemCount(Handle());
    for (int i = 0; i < count; ++i) {
      HeaderSection section;
      RECT r{};
      Header_GetItemRect(Handle(), i, &r);
      section.rect = ToRect(r);
      char caption[260] = {};
      HDITEMA item{};
      item.mask = HDI_TEXT;
      item.pszText = caption;
      item.cchTextMax = sizeof(caption);
      SendMessageA(Handle(), HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      section.text = caption;
      if (buttons && parts_.Pressed() == i)
        section.state = SectionState::Pressed;
      else if (parts_.Hot() == i)
        section.state = SectionState::Hovered;
      paint.sections.push_back(std::move(section));
    }
    const HFONT font = ControlFont();
    FrameKey key;
    key.Add(paint.fontColour);
    for (const HeaderSection& section : paint.sections)
      key.Add(section.rect).Add(section.text).Add(section.state);
    AddTextLook(key, font);
    PaintComposed(dc, rect, key, [&](Bitmap32& target) {
      GdiTextPainter text(font);
      return ComposeHeader(target, Skin(), paint, text);
    });
  }

protected:
  bool HasElement() const override { return HasElementBitmap(Skin(), SkinElement::Headerbar); }

private:
  // The section under the point; a divider is no section.
  int SectionAt(POINT p) const {
    HDHITTESTINFO hit{};
    hit.pt = p;
    const int index =
        static_cast<int>(SendMessageA(Handle(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) != 0 ? index : kNone;
  }

  PointerParts parts_;
};

// ---- status bars

std::string StatusText(HWND bar, int part) {
  const auto length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0));
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

class TSkinStatusBar final : public TSkinWholeWindow {
public:
  TSkinStatusBar() : TSkinWholeWindow(SkinFamily::TSkinStatusBar) {}
  void AfterMessage(TMessage& message) override {
    switch (message.msg) {
    case SB_SETTEXTA:
    case SB_SETTEXTW:
    case SB_SETPARTS:
    case SB_SIMPLE:
    case WM_SIZE:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(message);
    }
  }
  void Paint(HDC dc, const RECT& rect) override {
    StatusBarPaint paint;
    paint.fontColour = TextColour();
    RECT client;
    GetClientRect(Handle(), &client);
    if (SendMessageA(Handle(), SB_ISSIMPLE, 0, 0) != 0) {
      paint.panels.push_back({ToRect(client), StatusText(Handle(), SB_SIMPLEID)});
    } else {
      const int count = static_cast<int>(SendMessageA(Handle(), SB_GETPARTS, 0, 0));
      for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessageA(Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        paint.panels.push_back({ToRect(r), StatusText(Handle(), i)});
      }
    }
    // The platform leaves the grip out while the window it would size is maximized.
    const HWND top = GetAncestor(Handle(), GA_ROOT);
    paint.grip = (GetWindowLongA(Handle(), GWL_STYLE) & SBARS_SIZEGRIP) != 0 && !IsZoomed(top)
                     ? SizeGrip::Shown
                     : SizeGrip::Hidden;
    const HFONT font = ControlFont();
    FrameKey key;
    key.Add(paint.fontColour).Add(paint.grip);
    for (const StatusPanel& panel : paint.panels)
      key.Add(panel.rect).Add(panel.text);
    AddTextLook(key, font);
    PaintComposed(dc, rect, key, [&](Bitmap32& target) {
      GdiTextPainter text(font);
      return ComposeStatusBar(target, Skin(), paint, text);
    });
  }

protected:
  bool HasElement() const override { return HasElementBitmap(Skin(), SkinElement::StatusBarEdges); }
};

// ---- track bars

constexpr int kThumb = 1;

class TSkinTrackBar final : public TSkinWholeWindow {
public:
  TSkinTrackBar() : TSkinWholeWindow(SkinFamily::TSkinTrackBar) {}
  void AfterMessage(TMessage& message) override {
    const auto onThumb = [this](POINT p) { return PtInRect(&Thumb(), p) ? kThumb : kNone; };
    if (FollowPointer(Handle(), parts_, message, onThumb)) {
      PaintNow();
      return;
    }
    TSkinControl::AfterMessage(message);
  }
  void Paint(HDC dc, const RECT& rect) override {
    TrackBarPaint paint;
    const bool vertical = (GetWindowLongA(Handle(), GWL_STYLE) & TBS_VERT) != 0;
    paint.orientation = vertical ? BarOrientation::Vertical : BarOrientation::Horizontal;
    RECT channel{};
    SendMessageA(Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    // Some platforms report a vertical bar's channel as if the bar were horizontal.
    if (vertical && channel.right - channel.left > channel.bottom - channel.top)
      channel = {channel.top, channel.left, channel.bottom, channel.right};
    paint.channel = ToRect(channel);
    thumb_ = {};
    SendMessageA(Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb_));
    paint.thumb = ToRect(thumb_);
    paint.thumbState = parts_.Pressed() == kThumb ? ThumbState::Pressed
                       : parts_.Hot() == kThumb   ? ThumbState::Hovered
                                                  : ThumbState::Normal;
    paint.enabled = EnabledOf(Handle());
    paint.focus = IsFocused() ? ControlFocus::Focused : ControlFocus::Unfocused;
    FrameKey key;
    key.Add(paint.orientation).Add(paint.channel).Add(paint.thumb).Add(paint.thumbState);
    key.Add(paint.enabled).Add(paint.focus);
    PaintComposed(dc, rect, key,
                  [&](Bitmap32& target) { return ComposeTrackBar(target, Skin(), paint); });
  }

protected:
  bool HasElement() const override {
    const bool vertical = (GetWindowLongA(Handle(), GWL_STYLE) & TBS_VERT) != 0;
    return HasElementBitmap(Skin(), vertical ? SkinElement::TrackVert : SkinElement::Track) &&
           HasElementBitmap(Skin(), vertical ? SkinElement::TrackbarThumbVert
                                             : SkinElement::TrackbarThumbHorz);
  }

private:
  const RECT& Thumb() {
    SendMessageA(Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb_));
    return thumb_;
  }

  PointerParts parts_;
  RECT thumb_{};
};

// ---- up-down controls

class TSkinUpDown final : public TSkinWholeWindow {
public:
  TSkinUpDown() : TSkinWholeWindow(SkinFamily::TSkinUpDown) {}
  void AfterMessage(TMessage& message) override {
    if (FollowPointer(Handle(), parts_, message, [this](POINT p) { return HalfAt(p); })) {
      PaintNow();
      return;
    }
    TSkinControl::AfterMessage(message);
  }
  void Paint(HDC dc, const RECT& rect) override {
    UpDownPaint paint;
    paint.orientation = Orientation();
    paint.hot = PartOf(parts_.Hot());
    paint.pressed = PartOf(parts_.Pressed());
    paint.enabled = EnabledOf(Handle());
    FrameKey key;
    key.Add(paint.orientation).Add(paint.hot).Add(paint.pressed).Add(paint.enabled);
    PaintComposed(dc, rect, key,
                  [&](Bitmap32& target) { return ComposeUpDown(target, Skin(), paint); });
  }

protected:
  bool HasElement() const override {
    return HasElementBitmap(Skin(), Orientation() == BarOrientation::Horizontal
                                        ? SkinElement::UpDownHorz
                                        : SkinElement::UpDownVert);
  }

private:
  BarOrientation Orientation() const {
    return (GetWindowLongA(Handle(), GWL_STYLE) & UDS_HORZ) != 0 ? BarOrientation::Horizontal
                                                                 : BarOrientation::Vertical;
  }
  static UpDownPart PartOf(int half) {
    return half == 0 ? UpDownPart::First : half == 1 ? UpDownPart::Second : UpDownPart::None;
  }
  int HalfAt(POINT p) const {
    RECT client;
    GetClientRect(Handle(), &client);
    const auto [first, second] = UpDownHalves(ToRect(client), Orientation());
    if (first.Contains({p.x, p.y}))
      return 0;
    return second.Contains({p.x, p.y}) ? 1 : kNone;
  }

  PointerParts parts_;
};

} // namespace

std::unique_ptr<TSkinControl> CreateCommonControlMember(SkinFamily member) {
  switch (member) {
  case SkinFamily::TSkinHeader:
    return std::make_unique<TSkinHeader>();
  case SkinFamily::TSkinStatusBar:
    return std::make_unique<TSkinStatusBar>();
  case SkinFamily::TSkinTrackBar:
    return std::make_unique<TSkinTrackBar>();
  case SkinFamily::TSkinUpDown:
    return std::make_unique<TSkinUpDown>();
  default:
    return nullptr;
  }
}

} // namespace tw
