#include "skin/win32/engine/skin_control.h"

#include "runtime/forms.h"
#include "runtime/win32/application.h"
#include "runtime/win32/native_control.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/engine/win_skin_form.h"
#include "skin/win32/members/skin_members.h"
#include "skin/win32/members/skin_scrollbar.h"

namespace tw {

using namespace win;

namespace {

NativeControl* NativeOf(const TControl& control) {
  return dynamic_cast<NativeControl*>(control.View());
}

bool AnswersSkinned(HWND window) {
  return SendMessageA(window, kMsgIsSkinned, 0, 0) == kSkinnedAnswer;
}

// What the chooser asks of the control windows of one form.
class FormControlWindows final : public ControlWindows {
public:
  explicit FormControlWindows(const std::vector<std::unique_ptr<TSkinControl>>& made)
      : made_(made) {}
  bool EnsureHandle(TControl& control) override { return HasHandle(control); }
  bool HasHandle(const TControl& control) const override {
    const NativeControl* native = NativeOf(control);
    return native != nullptr && native->Handle() != nullptr;
  }
  bool AlreadySkinned(const TControl& control) const override {
    for (const auto& member : made_)
      if (member->Control() == &control)
        return true;
    const NativeControl* native = NativeOf(control);
    return native != nullptr && native->Handle() != nullptr && AnswersSkinned(native->Handle());
  }
  WindowStyle Style(const TControl& control) const override {
    const NativeControl* native = NativeOf(control);
    return native != nullptr ? static_cast<WindowStyle>(GetWindowLongA(native->Handle(), GWL_STYLE))
                             : 0;
  }
  bool HasBorder(const TControl& control) const override {
    const NativeControl* native = NativeOf(control);
    if (native == nullptr)
      return false;
    RECT window;
    RECT client;
    GetWindowRect(native->Handle(), &window);
    GetClientRect(native->Handle(), &client);
    return window.right - window.left != client.right ||
           window.bottom - window.top != client.bottom;
  }

private:
  const std::vector<std::unique_ptr<TSkinControl>>& made_;
};

} // namespace

TSkinControl::~TSkinControl() {
  Detach();
}

void TSkinControl::Attach(TWinSkinForm& form, TSkinData& data, TControl& control,
                          bool useFaceColour) {
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

void TSkinControl::AttachHandle(HWND window, TSkinData& data, TWinSkinForm& form) {
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
  DWORD flags = DCX_WINDOW | DCX_CACHE;
  if ((style & WS_CLIPSIBLINGS) != 0)
    flags |= DCX_CLIPSIBLINGS;
  HDC dc = GetDCEx(window_, nullptr, flags);
  if (dc == nullptr)
    return;
  if ((style & WS_CLIPCHILDREN) != 0) {
    RECT window;
    GetWindowRect(window_, &window);
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
  ReleaseDC(window_, dc);
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
  const WindowProcHook* outer = std::exchange(next_, &next);
  struct RestoreNext {
    const WindowProcHook*& slot;
    const WindowProcHook* value;
    ~RestoreNext() { slot = value; }
  } restore{next_, outer};
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
  if (BeforeMessage(message)) {
    next(message);
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
  Repaint();
}

std::unique_ptr<TSkinControl> CreateSkinControl(SkinFamily member) {
  if (auto painted = CreatePaintedMember(member))
    return painted;
  if (auto bars = CreateScrollBarMember(member))
    return bars;
  return std::make_unique<TSkinControl>(member);
}

std::vector<std::unique_ptr<TSkinControl>>
SkinFormControlsOf(TWinSkinForm& form, std::vector<TSkinControl*>& supplied) {
  std::vector<std::unique_ptr<TSkinControl>> made;
  TSkinData& data = form.SkinData();
  NativeControl* native = NativeControl::FromHandle(form.Handle());
  auto* model = native != nullptr ? dynamic_cast<TForm*>(&native->Model()) : nullptr;
  if (model == nullptr) {
    // A window without a control object: its child windows by class and style.
    for (HWND child = GetWindow(form.Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      char name[128] = {};
      GetClassNameA(child, name, sizeof(name));
      const SkinChoice choice =
          ChooseForWindow(name, static_cast<WindowStyle>(GetWindowLongA(child, GWL_STYLE)), data);
      if (choice.member == SkinFamily::None || choice.member == SkinFamily::Supplied ||
          AnswersSkinned(child))
        continue;
      auto member = CreateSkinControl(choice.member);
      member->AttachHandle(child, data, form);
      made.push_back(std::move(member));
    }
    return made;
  }
  FormControlWindows windows(made);
  ChooserContext context;
  context.data = &data;
  context.windows = &windows;
  context.formObject = &form;
  context.form = model;
  context.controls = model->Controls();
  const FormControlsPlan plan = SkinFormControls(context);
  for (const SkinAssignment& assignment : plan.assignments) {
    if (assignment.control == nullptr || assignment.choice.member == SkinFamily::None)
      continue;
    if (assignment.choice.member == SkinFamily::Supplied) {
      if (assignment.choice.supplied != nullptr) {
        assignment.choice.supplied->Attach(form, data, *assignment.control,
                                           assignment.choice.useFaceColour);
        supplied.push_back(assignment.choice.supplied);
      }
      continue;
    }
    auto member = CreateSkinControl(assignment.choice.member);
    member->Attach(form, data, *assignment.control, assignment.choice.useFaceColour);
    made.push_back(std::move(member));
  }
  return made;
}

} // namespace tw
