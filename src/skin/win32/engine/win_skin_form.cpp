#include "skin/win32/engine/win_skin_form.h"

#include <algorithm>

#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "runtime/win32/wide_text.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/members/create_skin_control.h"
#include "skin/win32/menus/popup_items.h"
#include "skin/win32/menus/win_skin_menu.h"

namespace tw {

using namespace win;

namespace {

constexpr UINT_PTR kPointerTimer = 0x5457;
// The themed platform's undocumented caption and frame drawing messages.
constexpr UINT kUahDrawCaption = 0xAE;
constexpr UINT kUahDrawFrame = 0xAF;

RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

Point PointFromLParam(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Child windows (MDI children) keep their identifier where a menu would be: no menu bar.
WindowMenu MenuOf(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0 && GetMenu(window) != nullptr
             ? WindowMenu::Present
             : WindowMenu::Absent;
}

FormGeometry FormGeometryOf(const SkinModel& skin, const FormFacts& facts, WindowMenu menu) {
  FrameMetrics metrics;
  metrics.menuBarHeight = GetSystemMetrics(SM_CYMENU);
  metrics.captionHeight = GetSystemMetrics(SM_CYCAPTION);
  metrics.frameWidth = GetSystemMetrics(SM_CXFRAME);
  return ComputeGeometry(skin, facts.border, menu, facts.role, metrics);
}

bool IsIconAction(int action) {
  return action == 3 || action == 11 || action == 12;
}

} // namespace

TWinSkinForm::TWinSkinForm(HWND window, TSkinData& data, FormManager& manager)
    : window_(window), data_(&data), manager_(manager), unicode_(IsWindowUnicode(window) != 0),
      className_(ClassOf(window)), hint_(window) {
  hook_.Attach(window_,
               [this](TMessage& message, const WindowProcHook& next) { OnMessage(message, next); });
}

TWinSkinForm::~TWinSkinForm() {
  *alive_ = false;
  ReleaseControls();
  buttons_.clear();
  if (timer_ != 0 && IsWindow(window_))
    KillTimer(window_, kPointerTimer);
  hook_.Detach();
}

// The skinned bar keeps the strip of the native bar it took away.
WindowMenu TWinSkinForm::MenuState() const {
  return menuBar_ != nullptr ? WindowMenu::Present : MenuOf(window_);
}

SIZE TWinSkinForm::ClientSize() const {
  RECT client;
  GetClientRect(window_, &client);
  return {client.right, client.bottom};
}

void TWinSkinForm::ReadFacts() {
  const auto style = static_cast<WindowStyle>(GetWindowLongA(window_, GWL_STYLE));
  const auto exStyle = static_cast<WindowStyle>(GetWindowLongA(window_, GWL_EXSTYLE));
  facts_.border = DecodeBorderStyle(style, exStyle, className_);
  HWND mdiClient = FindWindowExA(window_, nullptr, "MDIClient", nullptr);
  facts_.role =
      DecodeMdiRole(exStyle, mdiClient != nullptr ? MdiClient::Present : MdiClient::Absent);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window_, &placement);
  facts_.state = IsIconic(window_) ? WindowState::Minimized
                                   : StateFromShowCommand(static_cast<int>(placement.showCmd));
  if (IsZoomed(window_))
    facts_.state = WindowState::Maximized;
  if (facts_.role == MdiRole::Frame) {
    BOOL maximized = FALSE;
    SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    facts_.mdiChildMaximized = maximized != FALSE;
  }
  facts_.rightToLeft = RightToLeftCaption(exStyle);
  facts_.popup = (style & kWsPopup) != 0;
  facts_.standardMessageDialog =
      className_ == "#32770" && GetDlgItem(window_, 0xFFFF /* the message text */) != nullptr;
}

void TWinSkinForm::CaptureIcon() {
  const int width = GetSystemMetrics(SM_CXSMICON);
  const int height = GetSystemMetrics(SM_CYSMICON);
  auto icon = reinterpret_cast<HICON>(SendMessageA(window_, WM_GETICON, ICON_SMALL, 0));
  if (icon == nullptr)
    icon = reinterpret_cast<HICON>(SendMessageA(window_, WM_GETICON, ICON_BIG, 0));
  if (icon == nullptr)
    icon = reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICONSM));
  if (icon == nullptr)
    icon = reinterpret_cast<HICON>(GetClassLongPtrA(window_, GCLP_HICON));
  icon_ = icon != nullptr ? BitmapFromIcon(icon, width, height) : data_->SmallIcon();
}

void TWinSkinForm::BuildButtons() {
  captured_ = nullptr;
  SetHot(nullptr);
  buttons_.clear();
  formButtons_ = FormCaptionButtons(data_->Model(), icon_);
  for (std::size_t i = 0; i < formButtons_.size(); ++i)
    buttons_.push_back(
        std::make_unique<TWinSysButton>(*this, formButtons_[i], static_cast<int>(i)));
}

void TWinSkinForm::Start() {
  if (stage_ != kStageNotStarted)
    return;
  const SIZE client = ClientSize();
  const auto style = static_cast<WindowStyle>(GetWindowLongA(window_, GWL_STYLE));
  const auto exStyle = static_cast<WindowStyle>(GetWindowLongA(window_, GWL_EXSTYLE));
  // The system menu is read while the window still has its style.
  systemMenu_ = (style & kWsSysMenu) != 0 ? GetSystemMenu(window_, FALSE) : nullptr;
  facts_.icons = DecodeBorderIcons(style, exStyle,
                                   systemMenu_ != nullptr ? SystemMenuHandle::Present
                                                          : SystemMenuHandle::Absent);
  ReadFacts();
  facts_.activity = GetActiveWindow() == window_ ? Activity::Active : Activity::Inactive;
  CaptureIcon();
  const CaptionFont& font = data_->CaptionFontInfo();
  LOGFONTA lf{};
  lf.lfHeight = font.height;
  lf.lfWeight = font.weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, font.faceName.c_str(), LF_FACESIZE);
  captionFont_.Reset(CreateFontIndirectA(&lf));
  geometry_ = FormGeometryOf(data_->Model(), facts_, MenuState());
  if (geometry_.menuBar > 0)
    menuBar_ = WinSkinMenuBar::Take(window_, data_->Model(), *this);
  BuildButtons();
  stage_ = kStageSkinned;
  ApplyStyles(StyleRuleFor(facts_.state, facts_.role));
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepClientSize(client);
  Relayout();
  timer_ = SetTimer(window_, kPointerTimer, kFrameTimerMs, nullptr);
  SkinControls();
  popupItems_ = std::make_unique<PopupItems>(
      *data_, [this](HWND popup) { return manager_.PopupBackgroundOf(popup); });
  RepaintFrame();
}

void TWinSkinForm::ApplyStyles(CaptionStyles want) {
  const auto style = static_cast<WindowStyle>(GetWindowLongA(window_, GWL_STYLE));
  const WindowStyle wanted = ApplyStyleRule(style, facts_.icons, want);
  if (wanted != style)
    SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>(wanted));
}

void TWinSkinForm::KeepClientSize(SIZE client) {
  if (IsIconic(window_) || IsZoomed(window_))
    return;
  const SIZE now = ClientSize();
  if (now.cx == client.cx && now.cy == client.cy)
    return;
  RECT window;
  GetWindowRect(window_, &window);
  SetWindowPos(window_, nullptr, 0, 0, window.right - window.left + client.cx - now.cx,
               window.bottom - window.top + client.cy - now.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinSkinForm::Relayout() {
  RECT window;
  GetWindowRect(window_, &window);
  caption_ = L" " + WindowTextOf(window_);
  LayoutInput input;
  input.windowWidth = window.right - window.left;
  input.windowHeight = window.bottom - window.top;
  input.geometry = geometry_;
  input.facts = facts_;
  const SIZE text = MeasureText(captionFont_.Get(), caption_);
  input.textWidth = text.cx;
  input.textHeight = text.cy;
  const VisibilityQuery query = [this](int code, int action) {
    return static_cast<int>(SendMessageA(window_, kMsgCaptionVisibility, static_cast<WPARAM>(code),
                                         static_cast<LPARAM>(action)));
  };
  // A layout that cannot be made keeps the one the frame has: nothing reaches the user.
  try {
    layout_ = LayoutFrame(data_->Model(), formButtons_, input, query);
  } catch (...) {
    return;
  }
  for (const CaptionButtonPlacement& placement : layout_.buttons)
    if (placement.index >= 0 && static_cast<std::size_t>(placement.index) < buttons_.size())
      buttons_[static_cast<std::size_t>(placement.index)]->SetPlacement(placement);
}

FrameImageInput TWinSkinForm::FrameInput() const {
  RECT window;
  GetWindowRect(window_, &window);
  FrameImageInput input;
  input.skin = &data_->Model();
  input.width = window.right - window.left;
  input.height = window.bottom - window.top;
  input.geometry = geometry_;
  input.facts = facts_;
  input.layout = &layout_;
  input.buttons = formButtons_;
  input.icon = &icon_;
  input.caption = AnsiFromWide(caption_, unicode_ ? CP_UTF8 : CP_ACP);
  return input;
}

void TWinSkinForm::PaintFrame(HDC dc) {
  // The buttons' pointer states go into the layout the caption is composed from.
  for (CaptionButtonPlacement& placement : layout_.buttons)
    if (placement.index >= 0 && static_cast<std::size_t>(placement.index) < buttons_.size())
      placement.state = buttons_[static_cast<std::size_t>(placement.index)]->state;
  const UINT codePage = unicode_ ? CP_UTF8 : CP_ACP;
  const CaptionTextPainter painter = [&](Bitmap32& target, Rect area, const std::string& text,
                                         TColor colour, TextDirection direction) {
    TextStyle style;
    style.font = captionFont_.Get();
    style.colour = static_cast<COLORREF>(colour);
    style.format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS;
    style.rightToLeft = direction == TextDirection::RightToLeft;
    DrawTextOnto(target, area, WideFromAnsi(text, codePage), style);
  };
  FramePieces pieces = ComposeFrame(FrameInput(), painter);
  if (menuBar_ != nullptr)
    pieces.menuBar.image.Clear();
  for (const FramePiece* piece :
       {&pieces.left, &pieces.right, &pieces.bottom, &pieces.menuBar, &pieces.caption})
    if (!piece->image.Empty())
      DrawBitmap(dc, piece->at.x, piece->at.y, piece->image, piece->image.Bounds());
  if (menuBar_ != nullptr && facts_.state != WindowState::Minimized)
    menuBar_->Paint(dc);
}

void TWinSkinForm::PaintSafely() {
  if (stage_ != kStageSkinned)
    return;
  // A failure while painting leaves the frame as it was; nothing reaches the user.
  try {
    WindowDc dc(window_);
    if (dc.Get() != nullptr)
      PaintFrame(dc.Get());
  } catch (...) {
  }
}

void TWinSkinForm::StateChanged() {
  if (stage_ != kStageSkinned)
    return;
  ReadFacts();
  Relayout();
  RepaintFrame();
}

void TWinSkinForm::RepaintFrame() {
  if (stage_ == kStageSkinned && IsWindow(window_))
    PaintSafely();
}

void TWinSkinForm::RepaintObject(TNCObject& object) {
  if (stage_ != kStageSkinned || object.rect.Empty())
    return;
  try {
    if (menuBar_ != nullptr && menuBar_->Repaint(object))
      return;
    for (CaptionButtonPlacement& placement : layout_.buttons)
      if (placement.index >= 0 && static_cast<std::size_t>(placement.index) < buttons_.size())
        placement.state = buttons_[static_cast<std::size_t>(placement.index)]->state;
    FrameImageInput input = FrameInput();
    // Only the button's place is copied: the text is not needed for it.
    const Bitmap32 caption = ComposeCaption(input, nullptr);
    Rect area = object.rect;
    area.right = std::min(area.right, caption.Width());
    area.bottom = std::min(area.bottom, caption.Height());
    WindowDc dc(window_);
    if (dc.Get() != nullptr)
      DrawBitmap(dc.Get(), area.left, area.top, caption, area);
  } catch (...) {
  }
}

Point TWinSkinForm::ToWindow(POINT screen) const {
  RECT window;
  GetWindowRect(window_, &window);
  return {screen.x - window.left, screen.y - window.top};
}

TWinSysButton* TWinSkinForm::ButtonAt(Point inWindow) const {
  const int index = CaptionButtonAt(layout_, inWindow);
  if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size())
    return nullptr;
  return buttons_[static_cast<std::size_t>(index)].get();
}

void TWinSkinForm::ReevaluatePointer() {
  if (stage_ != kStageSkinned || captured_ != nullptr)
    return;
  POINT cursor;
  GetCursorPos(&cursor);
  if (WindowFromPoint(cursor) != window_)
    return;
  TNCObject* object = ButtonAt(ToWindow(cursor));
  if (object == nullptr && menuBar_ != nullptr)
    object = menuBar_->ItemAtScreen(cursor);
  if (object != nullptr && object != Hot())
    object->MouseEnter();
}

void TWinSkinForm::OnTimer() {
  POINT cursor;
  GetCursorPos(&cursor);
  const bool overWindow = WindowFromPoint(cursor) == window_;
  TNCObject* hot = Hot();
  // A bar item stays pressed while its popup is open.
  if (menuBar_ != nullptr && menuBar_->Tracking())
    return;
  if (hot != nullptr && captured_ == nullptr &&
      (!overWindow || !hot->rect.Contains(ToWindow(cursor)))) {
    hot->MouseLeave();
    hot = Hot();
  }
  if (!data_->Options.Contains(TSkinOption::xoCaptionButtonHint))
    return;
  const auto* button = captured_ == nullptr ? dynamic_cast<const TWinSysButton*>(hot) : nullptr;
  RECT window;
  GetWindowRect(window_, &window);
  Rect onScreen;
  if (button != nullptr)
    onScreen = {window.left + button->rect.left, window.top + button->rect.top,
                window.left + button->rect.right, window.top + button->rect.bottom};
  const HintStep step = hintTracker_.Tick(button != nullptr ? button->Index() : -1,
                                          button != nullptr ? button->Action() : -1, onScreen,
                                          Point{cursor.x, cursor.y}, kFrameTimerMs);
  if (step.action == HintAction::Show)
    hint_.Show(step.text, step.at.x, step.at.y);
  else if (step.action == HintAction::Hide)
    hint_.Hide();
}

bool TWinSkinForm::NcMouse(TMessage& message) {
  switch (message.msg) {
  case WM_NCMOUSEMOVE: {
    POINT screen{static_cast<short>(LOWORD(message.lParam)),
                 static_cast<short>(HIWORD(message.lParam))};
    TWinSysButton* button = ButtonAt(ToWindow(screen));
    if (button != nullptr && button != Hot())
      button->MouseEnter();
    else if (button == nullptr && Hot() != nullptr)
      Hot()->MouseLeave();
    return false;
  }
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONDBLCLK: {
    POINT screen{static_cast<short>(LOWORD(message.lParam)),
                 static_cast<short>(HIWORD(message.lParam))};
    TWinSysButton* button = ButtonAt(ToWindow(screen));
    if (button == nullptr || !button->visible)
      return false;
    button->PressEnter();
    captured_ = button;
    SetCapture(window_);
    message.result = 0;
    return true;
  }
  case WM_MOUSEMOVE: {
    if (captured_ == nullptr)
      return false;
    const Point client = PointFromLParam(message.lParam);
    POINT screen{client.x, client.y};
    ClientToScreen(window_, &screen);
    const bool over = captured_->rect.Contains(ToWindow(screen));
    if (over && captured_->state != NcState::Pressed)
      captured_->PressEnter();
    else if (!over && captured_->state == NcState::Pressed)
      captured_->MouseLeave();
    message.result = 0;
    return true;
  }
  case WM_LBUTTONUP:
  case WM_NCLBUTTONUP: {
    TWinSysButton* button = captured_;
    if (button == nullptr)
      return false;
    captured_ = nullptr;
    POINT screen;
    if (message.msg == WM_LBUTTONUP) {
      const Point client = PointFromLParam(message.lParam);
      screen = {client.x, client.y};
      ClientToScreen(window_, &screen);
    } else {
      screen = {static_cast<short>(LOWORD(message.lParam)),
                static_cast<short>(HIWORD(message.lParam))};
    }
    ReleaseCapture();
    message.result = 0;
    // Last: the system menu it may open can end skinning and this form with it.
    if (button->rect.Contains(ToWindow(screen)))
      ButtonReleased(*button);
    return true;
  }
  case WM_CAPTURECHANGED:
    if (captured_ != nullptr && reinterpret_cast<HWND>(message.lParam) != window_) {
      TWinSysButton* button = std::exchange(captured_, nullptr);
      if (button->state == NcState::Pressed)
        button->MouseLeave();
    }
    return false;
  default:
    return false;
  }
}

void TWinSkinForm::ButtonReleased(TWinSysButton& button) {
  button.state = NcState::Hover;
  RepaintObject(button);
  const DWORD now = GetMessageTime();
  ClickTiming timing = ClickTiming::Single;
  if (IsIconAction(button.Action()) && iconClicked_ && now - lastIconClick_ <= GetDoubleClickTime())
    timing = ClickTiming::WithinDoubleClick;
  const CaptionDecision decision =
      DecideCaptionAction(button.Action(), button.enabled, facts_.state, button.rect, timing);
  if (decision.command == CaptionCommand::SystemMenu) {
    iconClicked_ = true;
    lastIconClick_ = now;
  } else {
    iconClicked_ = false;
  }
  Execute(decision);
}

void TWinSkinForm::Execute(const CaptionDecision& decision) {
  const auto command = [this](WPARAM sc) { PostMessageA(window_, WM_SYSCOMMAND, sc, 0); };
  const auto mdiChild = [this](WPARAM sc) {
    HWND client = FindWindowExA(window_, nullptr, "MDIClient", nullptr);
    HWND active = client != nullptr
                      ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0))
                      : nullptr;
    if (active != nullptr)
      PostMessageA(active, WM_SYSCOMMAND, sc, 0);
  };
  switch (decision.command) {
  case CaptionCommand::None:
    break;
  case CaptionCommand::Close:
    if (systemMenu_ == nullptr ||
        (GetMenuState(systemMenu_, SC_CLOSE, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED)) == 0)
      command(SC_CLOSE);
    break;
  case CaptionCommand::Maximize:
    command(SC_MAXIMIZE);
    break;
  case CaptionCommand::Restore:
    command(SC_RESTORE);
    break;
  case CaptionCommand::Minimize:
    command(SC_MINIMIZE);
    break;
  case CaptionCommand::SystemMenu: {
    if (systemMenu_ == nullptr)
      break;
    RECT window;
    GetWindowRect(window_, &window);
    // The platform enables the menu's commands from the caption-button styles: the window has
    // them back while its menu is open.
    ApplyStyles(CaptionStyles::Restored);
    // The menu's loop runs the manager's timer: skinning may go off, and this form with it,
    // before the menu returns. The chosen command still reaches the window.
    const HWND handle = window_;
    const std::shared_ptr<const bool> alive = alive_;
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        systemMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON,
        window.left + decision.menuAt.x, window.top + decision.menuAt.y, 0, handle, nullptr));
    if (*alive && stage_ == kStageSkinned)
      ApplyStyles(StyleRuleFor(facts_.state, facts_.role));
    if (chosen != 0)
      PostMessageA(handle, WM_SYSCOMMAND, chosen, 0);
    break;
  }
  case CaptionCommand::ContextHelp:
    command(SC_CONTEXTHELP);
    break;
  case CaptionCommand::MdiChildMinimize:
    mdiChild(SC_MINIMIZE);
    break;
  case CaptionCommand::MdiChildRestore:
    mdiChild(SC_RESTORE);
    break;
  case CaptionCommand::MdiChildClose:
    mdiChild(SC_CLOSE);
    break;
  case CaptionCommand::PostAction:
    PostMessageA(window_, kMsgCaptionAction, static_cast<WPARAM>(decision.action), 0);
    break;
  }
}

void TWinSkinForm::SkinControls() {
  controls_ = SkinFormControlsOf(*this, this, supplied_);
}

void TWinSkinForm::SkinLaterControls() {
  // The walk passes over the controls skinned already; only the new windows get members.
  for (auto& member : SkinFormControlsOf(*this, this, supplied_))
    controls_.push_back(std::move(member));
}

void TWinSkinForm::SkinGrip(HWND grip) {
  auto member = CreateSkinControl(SkinFamily::TSkinSizer);
  member->AttachHandle(grip, *data_, *this);
  controls_.push_back(std::move(member));
}

void TWinSkinForm::ReleaseControls() {
  controls_.clear();
  for (TSkinControl* control : supplied_)
    control->Detach();
  supplied_.clear();
}

void TWinSkinForm::Restore() {
  if (stage_ == kStageFinished && !hook_.Attached())
    return;
  ReleaseControls();
  popupItems_.reset();
  hint_.Hide();
  const bool alive = IsWindow(window_) != 0;
  const bool wasSkinned = stage_ == kStageSkinned;
  if (alive && timer_ != 0)
    KillTimer(window_, kPointerTimer);
  timer_ = 0;
  if (captured_ != nullptr && GetCapture() == window_)
    ReleaseCapture();
  captured_ = nullptr;
  hook_.Detach();
  stage_ = kStageFinished;
  if (!alive || !wasSkinned) {
    menuBar_.reset();
    return;
  }
  const SIZE client = ClientSize();
  menuBar_.reset(); // the native menu bar comes back
  ApplyStyles(CaptionStyles::Restored);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepClientSize(client);
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void TWinSkinForm::Reload() {
  if (stage_ != kStageSkinned)
    return;
  const SIZE client = ClientSize();
  CaptureIcon();
  geometry_ = FormGeometryOf(data_->Model(), facts_, MenuState());
  BuildButtons();
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  KeepClientSize(client);
  Relayout();
  RepaintFrame();
  // The controls show the new skin at once, not when something next repaints them.
  for (const auto& control : controls_)
    control->Reskin();
  for (TSkinControl* control : supplied_)
    control->Reskin();
}

void TWinSkinForm::OnMessage(TMessage& m, const WindowProcHook& next) {
  if (m.msg == kMsgIsSkinned) {
    m.result = kSkinnedAnswer;
    return;
  }
  if (m.msg == kMsgStartSkinning) {
    Start();
    m.result = 0;
    return;
  }
  if (m.msg == kMsgControlsRealised) {
    // A tab sheet's controls made as it first shows: skinned before it shows, as if they had
    // been there when skinning started.
    if (stage_ == kStageSkinned)
      SkinLaterControls();
    next(m);
    return;
  }
  if (m.msg == WM_DESTROY || m.msg == WM_NCDESTROY) {
    stage_ = kStageDestroying;
    ReleaseControls();
    popupItems_.reset();
    menuBar_.reset(); // the window destroys its menu with it
    if (timer_ != 0)
      KillTimer(window_, kPointerTimer);
    timer_ = 0;
    next(m);
    hook_.Detach();
    stage_ = kStageFinished;
    return;
  }
  if (stage_ != kStageSkinned) {
    next(m);
    return;
  }
  if (popupItems_ != nullptr && m.msg == WM_INITMENUPOPUP) // the bar may have a new menu by now
    popupItems_->SetMainMenu(menuBar_ != nullptr ? menuBar_->Native() : nullptr);
  if (popupItems_ != nullptr && popupItems_->OnMessage(m, next, systemMenu_))
    return;
  const bool painted = facts_.border != BorderStyle::None &&
                       !(facts_.role == MdiRole::Child && facts_.state == WindowState::Maximized);
  if (menuBar_ != nullptr && menuBar_->Handle(m))
    return;
  switch (m.msg) {
  case WM_NCCALCSIZE:
    // The state style changes before the frame is recalculated for it.
    facts_.state = IsIconic(window_)   ? WindowState::Minimized
                   : IsZoomed(window_) ? WindowState::Maximized
                                       : WindowState::Normal;
    if (ClientCalculationFor(facts_.border, facts_.role, facts_.state) ==
        ClientCalculation::Standard) {
      next(m);
      return;
    }
    if (m.wParam != 0) {
      auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.lParam);
      params->rgrc[0] = ToRECT(SkinClientRect(ToRect(params->rgrc[0]), geometry_));
      m.result = WVR_REDRAW;
    } else {
      auto* rect = reinterpret_cast<RECT*>(m.lParam);
      *rect = ToRECT(SkinClientRect(ToRect(*rect), geometry_));
      m.result = 0;
    }
    return;
  case WM_NCPAINT:
  case kMsgRepaintFrame:
    if (!painted) {
      if (m.msg == WM_NCPAINT)
        next(m);
      return;
    }
    PaintSafely();
    m.result = 0;
    return;
  case WM_NCACTIVATE:
    if (!painted) {
      next(m);
      return;
    }
    facts_.activity = m.wParam != 0 ? Activity::Active : Activity::Inactive;
    Relayout();
    PaintSafely();
    m.result = TRUE;
    return;
  case WM_SYSCOMMAND:
    // The system menu opened by the keyboard runs its loop in here; skinning may go off in it
    // and free this form, so nothing of it is touched afterwards.
    next(m);
    return;
  case kUahDrawCaption:
  case kUahDrawFrame:
    m.result = 0;
    return;
  case WM_NCHITTEST: {
    next(m);
    if (!painted)
      return;
    POINT screen{static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
    m.result = SkinHitTest(static_cast<int>(m.result), ToWindow(screen), geometry_);
    return;
  }
  case WM_SETTEXT: {
    // The platform would paint its own caption with the new text: not while we own the frame.
    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    if ((style & WS_VISIBLE) != 0)
      SetWindowLongA(window_, GWL_STYLE, style & ~WS_VISIBLE);
    next(m);
    if ((style & WS_VISIBLE) != 0)
      SetWindowLongA(window_, GWL_STYLE, GetWindowLongA(window_, GWL_STYLE) | WS_VISIBLE);
    Relayout();
    RepaintFrame();
    return;
  }
  case WM_SETICON:
    next(m);
    CaptureIcon();
    BuildButtons();
    Relayout();
    RepaintFrame();
    return;
  case WM_GETMINMAXINFO:
  case WM_SIZE: {
    next(m);
    const WindowState before = facts_.state;
    ReadFacts();
    ApplyStyles(StyleRuleFor(facts_.state, facts_.role));
    if (facts_.state != before || m.msg == WM_SIZE)
      Relayout();
    // An MDI child's frame shows the child's buttons while the child is maximized.
    if (facts_.role == MdiRole::Child && facts_.state != before)
      manager_.MdiChildStateChanged(GetAncestor(window_, GA_ROOT));
    return;
  }
  case WM_WINDOWPOSCHANGED: {
    next(m);
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lParam);
    if ((pos->flags & SWP_NOSIZE) == 0)
      Relayout();
    return;
  }
  case WM_ACTIVATE:
    next(m);
    facts_.activity = LOWORD(m.wParam) != WA_INACTIVE ? Activity::Active : Activity::Inactive;
    RepaintFrame();
    return;
  case WM_TIMER:
    if (m.wParam == kPointerTimer) {
      OnTimer();
      m.result = 0;
      return;
    }
    next(m);
    return;
  default:
    break;
  }
  if (painted && NcMouse(m))
    return;
  next(m);
}

} // namespace tw
