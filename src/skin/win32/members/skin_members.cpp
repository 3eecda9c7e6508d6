// The painted members other than push buttons and those on comctl32's own classes: check
// boxes and radio buttons, combo boxes, progress bars, tab controls and their sheets, edit
// frames, group boxes, boxes and size grips.

#include "skin/win32/members/skin_members.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/controls.h"
#include "runtime/win32/native_control.h"
#include "skin/model/system_colour.h"
#include "skin/paint/paint_check.h"
#include "skin/paint/paint_combo.h"
#include "skin/paint/paint_panels.h"
#include "skin/paint/paint_progress.h"
#include "skin/paint/paint_tab.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/members/gdi_text_painter.h"

namespace tw {

using namespace win;

namespace {

LONG StyleOf(HWND window) {
  return GetWindowLongA(window, GWL_STYLE);
}

// ---- check boxes and radio buttons: painted whole; the platform's own state changes are
// painted over at once.

class TSkinCheck final : public TSkinWholeWindow {
public:
  explicit TSkinCheck(SkinFamily member) : TSkinWholeWindow(member) {}
  bool BeforeMessage(TMessage& message) override {
    if (HasElement() && ChangesState(message.msg)) {
      // The platform paints the change itself; only the skin's painting shows.
      if (IsWindowVisible(Handle())) {
        DefWindowProcA(Handle(), WM_SETREDRAW, FALSE, 0);
        Default(message);
        DefWindowProcA(Handle(), WM_SETREDRAW, TRUE, 0);
        PaintNow();
        return false;
      }
    }
    return TSkinWholeWindow::BeforeMessage(message);
  }
  void Paint(HDC dc, const RECT& rect) override {
    const bool radio = Member() == SkinFamily::TSkinRadioButton;
    const LRESULT check = SendMessageA(Handle(), BM_GETCHECK, 0, 0);
    const CheckState window =
        check == BST_CHECKED
            ? CheckState::Checked
            : (check == BST_INDETERMINATE ? CheckState::Indeterminate : CheckState::Unchecked);
    CheckPaint paint;
    paint.kind = radio ? CheckKind::RadioButton : CheckKind::CheckBox;
    paint.enabled = EnabledOf(Handle());
    if (radio) {
      RadioButtonState state;
      state.window = window;
      state.enabled = paint.enabled;
      if (Control() != nullptr)
        state.checkedProperty = Control()->Property("Checked");
      paint.frame = RadioButtonFrame(state, Skin().Buttons.RadioFrame);
    } else {
      CheckBoxState state;
      state.window = window;
      state.enabled = paint.enabled;
      if (Control() != nullptr) {
        state.stateProperty = Control()->Property("State");
        state.checkedProperty = Control()->Property("Checked");
      }
      paint.frame = CheckBoxFrame(state, Skin().Buttons.CheckFrame);
    }
    paint.focus = IsFocused() ? ControlFocus::Focused : ControlFocus::Unfocused;
    paint.side = (StyleOf(Handle()) & BS_LEFTTEXT) != 0 ? GlyphSide::Right : GlyphSide::Left;
    paint.order = (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0
                      ? ReadingOrder::RightToLeft
                      : ReadingOrder::LeftToRight;
    paint.caption = Control() != nullptr ? Control()->Caption() : AnsiTextOf(Handle());
    paint.fontColour = static_cast<TColor>(GetSysColor(COLOR_BTNTEXT));
    const HFONT font = ControlFont();
    FrameKey key;
    key.Add(paint.kind)
        .Add(paint.frame)
        .Add(paint.enabled)
        .Add(paint.focus)
        .Add(paint.side)
        .Add(paint.order)
        .Add(paint.caption)
        .Add(paint.fontColour);
    AddTextLook(key, font);
    PaintComposed(dc, rect, key, [&](Bitmap32& target) {
      GdiTextPainter text(font);
      return ComposeCheck(target, Skin(), paint, text);
    });
  }

protected:
  bool HasElement() const override {
    return Member() == SkinFamily::TSkinRadioButton ? !Skin().Buttons.RadioBitmap.Empty()
                                                    : !Skin().Buttons.CheckBitmap.Empty();
  }

private:
  static bool ChangesState(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
      return true;
    default:
      return false;
    }
  }
};

// ---- combo boxes: the composed strip over the control's own painting.

class TSkinComBox final : public TSkinControl {
public:
  TSkinComBox() : TSkinControl(SkinFamily::TSkinComBox) {}
  void AfterMessage(TMessage& message) override {
    switch (message.msg) {
    case WM_MOUSEMOVE:
      if (!hover_) {
        hover_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        PaintNow();
      }
      break;
    case WM_MOUSELEAVE:
      hover_ = false;
      PaintNow();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case CB_SETCURSEL:
    case CB_SHOWDROPDOWN:
      PaintNow();
      break;
    default:
      TSkinControl::AfterMessage(message);
    }
  }
  void Paint(HDC dc, const RECT& rect) override {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    ComboPaint paint;
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(Handle(), &info)) {
      paint.reportedButton = ToRect(info.rcButton);
      if ((info.stateButton & STATE_SYSTEM_INVISIBLE) != 0)
        paint.reportedVisibility = ControlVisibility::Hidden;
    }
    const bool dropped = SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
    paint.state.pressed = dropped || (info.stateButton & STATE_SYSTEM_PRESSED) != 0
                              ? ComboPressed::Pressed
                              : ComboPressed::Released;
    const HWND focus = GetFocus();
    paint.state.focus = focus == Handle() || (focus != nullptr && IsChild(Handle(), focus))
                            ? ControlFocus::Focused
                            : ControlFocus::Unfocused;
    paint.state.hover = hover_ ? ComboHover::Hovered : ComboHover::Outside;
    paint.state.enabled = EnabledOf(Handle());
    paint.direction = (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0
                          ? LayoutDirection::RightToLeft
                          : LayoutDirection::LeftToRight;
    paint.arrowWidth = GetSystemMetrics(SM_CXHSCROLL);
    // The closed box only: the window's height may include the dropped-down list.
    RECT client;
    GetClientRect(Handle(), &client);
    Bitmap32 target = ReadBack(dc, width, std::min(height, static_cast<int>(client.bottom)));
    if (ComposeCombo(target, Skin(), paint) == Painted::Skin)
      DrawBitmap(dc, rect.left, rect.top, target, target.Bounds());
  }

private:
  bool hover_ = false;
};

// ---- progress bars

class TSkinProgress final : public TSkinWholeWindow {
public:
  TSkinProgress() : TSkinWholeWindow(SkinFamily::TSkinProgress) {}
  void AfterMessage(TMessage& message) override {
    switch (message.msg) {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
      PaintNow();
      break;
    default:
      TSkinControl::AfterMessage(message);
    }
  }
  void Paint(HDC dc, const RECT& rect) override {
    ProgressPaint paint;
    PBRANGE range{};
    SendMessageA(Handle(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    paint.minimum = range.iLow;
    paint.maximum = range.iHigh;
    paint.position = static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0));
    paint.orientation = (StyleOf(Handle()) & PBS_VERTICAL) != 0 ? BarOrientation::Vertical
                                                                : BarOrientation::Horizontal;
    FrameKey key;
    key.Add(paint.minimum).Add(paint.maximum).Add(paint.position).Add(paint.orientation);
    PaintComposed(dc, rect, key,
                  [&](Bitmap32& target) { return ComposeProgress(target, Skin(), paint); });
  }

protected:
  bool HasElement() const override {
    const TDataSkinObject* bar = Skin().Element(SkinElement::Progress);
    return bar != nullptr && !bar->Bitmap.Empty();
  }
};

// ---- tab controls and their sheets

TabPaint TabStateOf(HWND tab) {
  TabPaint paint;
  paint.position = TabPositionFromStyle(static_cast<unsigned>(StyleOf(tab)));
  RECT adjusted;
  GetClientRect(tab, &adjusted);
  SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
  paint.adjusted = ToRect(adjusted);
  const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    char caption[kTabCaptionLimit + 1] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof(caption);
    SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    paint.tabs.push_back({ToRect(r), caption});
  }
  paint.focused = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
  return paint;
}

class TSkinTab final : public TSkinWholeWindow {
public:
  TSkinTab() : TSkinWholeWindow(SkinFamily::TSkinTab) {}
  void AfterMessage(TMessage& message) override {
    switch (message.msg) {
    case TCM_SETCURSEL:
    case TCM_INSERTITEMA:
    case TCM_INSERTITEMW:
    case TCM_SETITEMA:
    case TCM_SETITEMW:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(message);
    }
  }
  void Paint(HDC dc, const RECT& rect) override {
    TabPaint paint = TabStateOf(Handle());
    paint.background = ColorToRGB(TabStripBackground(ParentColour(), Skin().ButtonFaceBrush));
    const HFONT font = ControlFont();
    FrameKey key;
    key.Add(paint.position).Add(paint.adjusted).Add(paint.focused).Add(paint.closeBoxes);
    key.Add(paint.background);
    for (const TabItem& tab : paint.tabs)
      key.Add(tab.rect).Add(tab.caption);
    AddTextLook(key, font);
    PaintComposed(dc, rect, key, [&](Bitmap32& target) {
      GdiTextPainter text(font);
      return ComposeTabs(target, Skin(), paint, text).painted;
    });
  }

protected:
  bool HasElement() const override {
    const TDataSkinObject* tabs = Skin().Element(SkinElement::Tabs);
    return tabs != nullptr && !tabs->Bitmap.Empty();
  }

private:
  // The Color property of the control's parent, or of the control object behind its parent
  // window.
  std::optional<std::string> ParentColour() const {
    const TControl* parent = Control() != nullptr ? Control()->Parent() : nullptr;
    if (parent == nullptr)
      if (const NativeControl* native = NativeControl::FromHandle(GetParent(Handle())))
        parent = &native->Model();
    return parent != nullptr ? parent->Property("Color") : std::nullopt;
  }
};

// Members that paint as the window's background is erased, so that the window's own painting
// (children, images, transparent labels) goes on over it.
class TSkinErasePainted : public TSkinControl {
public:
  using TSkinControl::TSkinControl;
  bool BeforeMessage(TMessage& message) override {
    if (message.msg != WM_ERASEBKGND)
      return TSkinControl::BeforeMessage(message);
    RECT client;
    GetClientRect(Handle(), &client);
    Paint(reinterpret_cast<HDC>(message.wParam), client);
    message.result = 1;
    return false;
  }
  void AfterMessage(TMessage& message) override {
    if (message.msg != WM_PAINT)
      TSkinControl::AfterMessage(message);
  }
};

// A sheet's background continues the page: drawn as the background is erased, so that the
// sheet's own painting (images, bevels, transparent labels) goes on over it.
class TSkinTabSheet final : public TSkinErasePainted {
public:
  TSkinTabSheet() : TSkinErasePainted(SkinFamily::TSkinTabSheet) {}
  void Paint(HDC dc, const RECT& rect) override {
    HWND tab = GetParent(Handle());
    RECT sheet;
    GetWindowRect(Handle(), &sheet);
    MapWindowPoints(HWND_DESKTOP, tab, reinterpret_cast<POINT*>(&sheet), 2);
    const TabPaint state = TabStateOf(tab);
    const Rect display = TabDisplayArea(state.adjusted, state.position);
    FrameKey key;
    key.Add(display).Add(sheet.left).Add(sheet.top);
    PaintComposed(dc, rect, key, [&](Bitmap32& target) {
      ComposeTabSheet(target, Skin(), display, sheet.left, sheet.top);
      return Painted::Skin;
    });
  }
};

// ---- edit frames, drawn over the border after the platform's own frame.

class TSkinEdit final : public TSkinControl {
public:
  TSkinEdit() : TSkinControl(SkinFamily::TSkinEdit) {}
  void AfterMessage(TMessage& message) override {
    if (message.msg == WM_NCPAINT)
      PaintNow();
    else
      TSkinControl::AfterMessage(message);
  }
  void Paint(HDC dc, const RECT& rect) override {
    RECT client;
    GetClientRect(Handle(), &client);
    const HasBorder border = EditHasBorder(ToRect(rect), client.right, client.bottom);
    Bitmap32 target = ReadBack(dc, rect.right - rect.left, rect.bottom - rect.top);
    if (ComposeEditFrame(target, Skin(), border) != Painted::Skin)
      return;
    // Only the border: the client area stays as the control painted it.
    RECT inner = client;
    MapWindowPoints(Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&inner), 2);
    RECT window;
    GetWindowRect(Handle(), &window);
    OffsetRect(&inner, -window.left, -window.top);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    DrawBitmap(dc, rect.left, rect.top, target, target.Bounds());
    RestoreDC(dc, saved);
  }
};

// ---- group boxes, boxes and size grips

class TSkinGroupBox final : public TSkinWholeWindow {
public:
  TSkinGroupBox() : TSkinWholeWindow(SkinFamily::TSkinGroupBox) {}
  void Paint(HDC dc, const RECT& rect) override {
    Bitmap32 target = ParentBackground(Handle());
    GroupBoxPaint paint;
    paint.caption = Control() != nullptr ? Control()->Caption() : AnsiTextOf(Handle());
    paint.enabled = EnabledOf(Handle());
    paint.fontColour = static_cast<TColor>(GetSysColor(COLOR_BTNTEXT));
    GdiTextPainter text(ControlFont());
    if (ComposeGroupBox(target, Skin(), paint, text) == Painted::Skin)
      DrawBitmap(dc, rect.left, rect.top, target, target.Bounds());
  }

protected:
  bool HasElement() const override {
    const TDataSkinObject* box = Skin().Element(SkinElement::GroupBox);
    return box != nullptr && !box->Bitmap.Empty();
  }
};

class TSkinBox final : public TSkinErasePainted {
public:
  explicit TSkinBox(SkinFamily member) : TSkinErasePainted(member) {}
  void Paint(HDC dc, const RECT& rect) override {
    Bitmap32 target(rect.right - rect.left, rect.bottom - rect.top);
    ComposeBox(target, Skin());
    DrawBitmap(dc, rect.left, rect.top, target, target.Bounds());
  }
};

class TSkinSizer final : public TSkinWholeWindow {
public:
  TSkinSizer() : TSkinWholeWindow(SkinFamily::TSkinSizer) {}
  void Paint(HDC dc, const RECT& rect) override {
    Bitmap32 target(rect.right - rect.left, rect.bottom - rect.top);
    ComposeSizer(target, Skin());
    DrawBitmap(dc, rect.left, rect.top, target, target.Bounds());
  }

protected:
  bool HasElement() const override { return true; }
};

} // namespace

std::unique_ptr<TSkinControl> CreatePaintedMember(SkinFamily member) {
  switch (member) {
  case SkinFamily::TSkinButton:
    return std::make_unique<TSkinButton>();
  case SkinFamily::TSkinCheckBox:
  case SkinFamily::TSkinRadioButton:
    return std::make_unique<TSkinCheck>(member);
  case SkinFamily::TSkinComBox:
    return std::make_unique<TSkinComBox>();
  case SkinFamily::TSkinProgress:
    return std::make_unique<TSkinProgress>();
  case SkinFamily::TSkinTab:
    return std::make_unique<TSkinTab>();
  case SkinFamily::TSkinTabSheet:
    return std::make_unique<TSkinTabSheet>();
  case SkinFamily::TSkinEdit:
    return std::make_unique<TSkinEdit>();
  case SkinFamily::TSkinGroupBox:
    return std::make_unique<TSkinGroupBox>();
  case SkinFamily::TSkinBox:
  case SkinFamily::TSkinBoxH:
    return std::make_unique<TSkinBox>(member);
  case SkinFamily::TSkinSizer:
    return std::make_unique<TSkinSizer>();
  default:
    return CreateCommonControlMember(member);
  }
}

} // namespace tw
