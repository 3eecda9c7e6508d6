#include "runtime/win32/containers.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "runtime/exceptions.h"
#include "runtime/win32/application.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/pictures.h"

namespace tw::win {

const char* RegisterContainerClass(const char* name, ClassIcon icon) {
  static std::map<std::string, bool> registered;
  if (!registered[name]) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = Application::Get().Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (icon == ClassIcon::kProgram)
      wc.hIcon = LoadIconA(Application::Get().Instance(), "MAINICON");
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    registered[name] = true;
  }
  return name;
}

// ---- Container

Container::Container(TControl& model, const std::function<HWND()>& create) : NativeControl(model) {
  HWND window = create();
  if (window == nullptr)
    throw Exception("Cannot create the window " + model.Name());
  Attach(window);
}

void Container::AddGraphic(TControl& graphic) {
  graphics_.push_back(&graphic);
  graphic.AttachView(this);
}

void Container::ModelChanged(TControl& control, ControlChange change) {
  if (&control == &Model()) {
    NativeControl::ModelChanged(control, change);
    return;
  }
  const TBounds& b = control.Bounds();
  const RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
  InvalidateRect(Handle(), &r, TRUE);
  UpdateWindow(Handle());
}

bool Container::ReflectToChild(TMessage& message) {
  HWND child = nullptr;
  switch (message.msg) {
  case WM_COMMAND:
    child = reinterpret_cast<HWND>(message.lParam);
    break;
  case WM_NOTIFY:
    child = reinterpret_cast<const NMHDR*>(message.lParam)->hwndFrom;
    break;
  default:
    return false;
  }
  NativeControl* control = NativeControl::FromHandle(child);
  return control != nullptr && control->Reflect(message);
}

TControl* Container::HitTest(POINT point) const {
  for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
    const TBounds& b = (*it)->Bounds();
    if ((*it)->Visible() && point.x >= b.left && point.x < b.left + b.width && point.y >= b.top &&
        point.y < b.top + b.height)
      return *it;
  }
  return nullptr;
}

void Container::PaintGraphics(HDC dc, const RECT& dirty) const {
  for (TControl* graphic : graphics_) {
    if (!graphic->Visible())
      continue;
    const TBounds& b = graphic->Bounds();
    const RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
    RECT overlap;
    if (!IntersectRect(&overlap, &r, &dirty))
      continue;
    if (auto* image = dynamic_cast<TImage*>(graphic)) {
      DrawPicture(dc, image->Picture(), r, image->Stretch());
    } else if (graphic->ClassName() == "TBevel") {
      RECT line = r;
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
  }
}

bool Container::HandleMessage(TMessage& message) {
  switch (message.msg) {
  case WM_COMMAND:
  case WM_NOTIFY:
    return ReflectToChild(message);
  case WM_CTLCOLORSTATIC:
    // Labels are transparent: the container has painted what lies beneath them.
    SetBkMode(reinterpret_cast<HDC>(message.wParam), TRANSPARENT);
    SetTextColor(reinterpret_cast<HDC>(message.wParam), GetSysColor(COLOR_WINDOWTEXT));
    message.result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
  case WM_SHOWWINDOW:
    if (message.wParam != FALSE && beforeFirstShow_) {
      const std::function<void()> realise = std::exchange(beforeFirstShow_, nullptr);
      realise();
    }
    return false;
  case WM_PAINT: {
    PaintDc paint(Handle());
    PaintGraphics(paint.Get(), paint.Dirty());
    return true;
  }
  case WM_LBUTTONDOWN:
    pressed_ = HitTest(POINT{static_cast<short>(LOWORD(message.lParam)),
                             static_cast<short>(HIWORD(message.lParam))});
    return false;
  case WM_LBUTTONUP: {
    TControl* hit = HitTest(POINT{static_cast<short>(LOWORD(message.lParam)),
                                  static_cast<short>(HIWORD(message.lParam))});
    TControl* pressed = pressed_;
    pressed_ = nullptr;
    if (hit != nullptr && hit == pressed && hit->Enabled())
      hit->Click();
    return false;
  }
  case WM_LBUTTONDBLCLK: {
    pressed_ = nullptr;
    if (TControl* hit = HitTest(POINT{static_cast<short>(LOWORD(message.lParam)),
                                      static_cast<short>(HIWORD(message.lParam))});
        hit != nullptr && hit->Enabled())
      hit->DblClick();
    return false;
  }
  default:
    return false;
  }
}

// ---- FormWindow

namespace {

HWND CreateFormWindow(const TForm& form, HWND owner) {
  // No clipping of children: transparent labels show the form's painting beneath them.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  RECT frame{0, 0, form.ClientWidth(), form.ClientHeight()};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT desktop;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
  const int left = desktop.left + ((desktop.right - desktop.left) - width) / 2;
  const int top = desktop.top + ((desktop.bottom - desktop.top) - height) / 2;
  return CreateWindowExA(exStyle,
                         RegisterContainerClass(form.ClassName().c_str(), ClassIcon::kProgram),
                         form.Caption().c_str(), style, left, top, width, height, owner, nullptr,
                         Application::Get().Instance(), nullptr);
}

} // namespace

FormWindow::FormWindow(TForm& form, HWND owner)
    : Container(form, [&] { return CreateFormWindow(form, owner); }), form_(form) {}

FormWindow::~FormWindow() {
  // Children first: their windows go with the form's.
  children_.clear();
  if (tooltip_ != nullptr)
    DestroyWindow(tooltip_);
}

std::unique_ptr<FormWindow> FormWindow::Create(TForm& form, HWND owner) {
  std::unique_ptr<FormWindow> result(new FormWindow(form, owner));
  result->Realise();
  return result;
}

void FormWindow::Realise() {
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Application::Get().Font(false)),
               FALSE);
  for (TControl* control : form_.Controls()) {
    if (Waits(*control))
      waiting_.push_back(control);
    else
      RealiseControl(*control);
  }
  ApplyHint();
}

bool FormWindow::Waits(const TControl& control) const {
  for (const TControl* up = control.Parent(); up != nullptr && up != &form_; up = up->Parent())
    if (dynamic_cast<const TTabSheet*>(up) != nullptr && !up->Visible() &&
        std::find(opened_.begin(), opened_.end(), up) == opened_.end())
      return true;
  return false;
}

void FormWindow::RealiseControl(TControl& control) {
  TControl* parent = control.Parent();
  NativeControl* parentNative = parent == &form_ ? this : NativeOf(*parent);
  if (parentNative == nullptr)
    return;
  std::unique_ptr<NativeControl> native = CreateNativeControl(control, parentNative->Handle());
  if (native) {
    if (dynamic_cast<const TTabSheet*>(&control) != nullptr)
      if (auto* sheet = dynamic_cast<Container*>(native.get()))
        sheet->BeforeFirstShow([this, &control] { RealiseSheet(control); });
    children_.push_back(std::move(native));
  } else if (auto* container = dynamic_cast<Container*>(parentNative)) {
    container->AddGraphic(control);
  }
}

void FormWindow::RealiseSheet(const TControl& sheet) {
  opened_.push_back(&sheet);
  bool made = false;
  // By index: a control made here may show a sheet of its own, which realises in turn.
  for (std::size_t i = 0; i < waiting_.size();) {
    TControl& control = *waiting_[i];
    if (Waits(control)) {
      ++i;
      continue;
    }
    waiting_.erase(waiting_.begin() + static_cast<std::ptrdiff_t>(i));
    RealiseControl(control);
    made = true;
  }
  if (made)
    SendMessageA(Handle(), kMsgControlsRealised, 0,
                 reinterpret_cast<LPARAM>(const_cast<TControl*>(&sheet)));
}

void FormWindow::ModelChanged(TControl& control, ControlChange change) {
  if (&control == &form_ && change == ControlChange::Hint) {
    ApplyHint();
    return;
  }
  Container::ModelChanged(control, change);
}

void FormWindow::ApplyHint() {
  const std::string& hint = form_.Hint();
  if (tooltip_ == nullptr) {
    if (hint.empty())
      return;
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               Application::Get().Instance(), nullptr);
    if (tooltip_ == nullptr)
      return;
    // Several lines (one path a line), as wide as they need up to most of a screen.
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 1000);
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<char*>(hint.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  TOOLINFOA tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(Handle());
  tool.lpszText = const_cast<char*>(hint.c_str());
  SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tooltip_, TTM_ACTIVATE, hint.empty() ? FALSE : TRUE, 0);
}

NativeControl* FormWindow::NativeOf(const TControl& model) const {
  if (&model == &form_)
    return const_cast<FormWindow*>(this);
  for (const auto& child : children_)
    if (&child->Model() == &model)
      return child.get();
  return nullptr;
}

void FormWindow::Show() {
  // Painted from the message loop, not at once: what is posted as the window shows (the skin
  // engine's start) comes first, and the window paints once, as it is going to look.
  ShowWindow(Handle(), SW_SHOWNORMAL);
}

bool FormWindow::HandleMessage(TMessage& message) {
  switch (message.msg) {
  case WM_CLOSE:
    if (Handle() == Application::Get().MainWindow())
      DestroyWindow(Handle());
    else
      ShowWindow(Handle(), SW_HIDE);
    return true;
  case WM_DESTROY:
    if (Handle() == Application::Get().MainWindow())
      PostQuitMessage(0);
    return false;
  default:
    return Container::HandleMessage(message);
  }
}

} // namespace tw::win
