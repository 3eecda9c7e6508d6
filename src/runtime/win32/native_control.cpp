#include "runtime/win32/native_control.h"

#include <cstdio>

#include "runtime/win32/application.h"

namespace tw::win {

std::string ControlAtomName() {
  char name[64];
  std::snprintf(name, sizeof(name), "ControlOfs%.8X%.8X",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(Application::Get().Instance())),
                static_cast<unsigned>(GetCurrentThreadId()));
  return name;
}

ATOM ControlAtom() {
  static const ATOM atom = GlobalAddAtomA(ControlAtomName().c_str());
  return atom;
}

NativeControl::NativeControl(TControl& model) : model_(model) {
  WindowProc = [this](TMessage& message) { DefaultHandler(message); };
}

NativeControl::~NativeControl() {
  model_.AttachView(nullptr);
  if (handle_ != nullptr && IsWindow(handle_)) {
    RemovePropA(handle_, MAKEINTATOM(ControlAtom()));
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    DestroyWindow(handle_);
  }
}

NativeControl* NativeControl::FromHandle(HWND window) {
  if (window == nullptr)
    return nullptr;
  return static_cast<NativeControl*>(GetPropA(window, MAKEINTATOM(ControlAtom())));
}

void NativeControl::Attach(HWND window) {
  handle_ = window;
  SetPropA(window, MAKEINTATOM(ControlAtom()), this);
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeControl::SubclassProc)));
  model_.AttachView(this);
}

LRESULT NativeControl::CallOriginal(const TMessage& message) const {
  return CallWindowProcA(original_, handle_, message.msg, message.wParam, message.lParam);
}

void NativeControl::DefaultHandler(TMessage& message) {
  if (!HandleMessage(message))
    message.result = CallOriginal(message);
}

bool NativeControl::HandleMessage(TMessage& /*message*/) {
  return false;
}

bool NativeControl::Reflect(TMessage& /*message*/) {
  return false;
}

LRESULT CALLBACK NativeControl::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  NativeControl* control = FromHandle(window);
  if (control == nullptr)
    return DefWindowProcA(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam};
  if (msg == WM_NCDESTROY) {
    // The window goes away: unhook before the class procedure sees the last message.
    const WNDPROC original = control->original_;
    RemovePropA(window, MAKEINTATOM(ControlAtom()));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    control->handle_ = nullptr;
    return CallWindowProcA(original, window, msg, wParam, lParam);
  }
  bool handled = false;
  Application::Get().Guard([&] {
    control->WindowProc(message);
    handled = true;
  });
  return handled ? message.result
                 : CallWindowProcA(control->original_, window, msg, wParam, lParam);
}

void NativeControl::ApplyCommon(bool boldFont) {
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Application::Get().Font(boldFont)),
               FALSE);
  EnableWindow(handle_, model_.Enabled());
  ShowWindow(handle_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
}

void NativeControl::ModelChanged(TControl& control, ControlChange change) {
  switch (change) {
  case ControlChange::Caption:
    SetWindowTextA(handle_, control.Caption().c_str());
    break;
  case ControlChange::Enabled:
    EnableWindow(handle_, control.Enabled());
    // Handlers do not return to the message loop while they work (batches): paint now.
    UpdateWindow(handle_);
    break;
  case ControlChange::Visible:
    ShowWindow(handle_, control.Visible() ? SW_SHOWNA : SW_HIDE);
    break;
  default:
    break;
  }
}

} // namespace tw::win
