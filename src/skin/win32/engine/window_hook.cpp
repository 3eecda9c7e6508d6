#include "skin/win32/engine/window_hook.h"

#include <commctrl.h>

namespace tw::win {

void WindowHook::Attach(HWND window, Handler handler) {
  Detach();
  window_ = window;
  handler_ = std::move(handler);
  control_ = NativeControl::FromHandle(window);
  if (control_ != nullptr) {
    control_->AddHook(
        this, [this](TMessage& message, const WindowProcHook& next) { handler_(message, next); });
    return;
  }
  SetWindowSubclass(window, &WindowHook::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                    reinterpret_cast<DWORD_PTR>(this));
}

void WindowHook::Detach() {
  if (window_ == nullptr)
    return;
  if (control_ != nullptr) {
    // The control object may have gone with its window.
    if (NativeControl::FromHandle(window_) == control_)
      control_->RemoveHook(this);
  } else if (IsWindow(window_)) {
    RemoveWindowSubclass(window_, &WindowHook::SubclassProc, reinterpret_cast<UINT_PTR>(this));
  }
  window_ = nullptr;
  control_ = nullptr;
}

LRESULT CALLBACK WindowHook::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR data) {
  auto* hook = reinterpret_cast<WindowHook*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &WindowHook::SubclassProc, id);
    TMessage message{msg, wParam, lParam};
    // The owner learns of the end; the window's own handling still runs.
    const WindowProcHook next = [&](TMessage& m) {
      m.result = DefSubclassProc(window, m.msg, m.wParam, m.lParam);
    };
    hook->window_ = nullptr;
    try {
      hook->handler_(message, next);
    } catch (...) {
      return DefSubclassProc(window, msg, wParam, lParam);
    }
    return message.result;
  }
  TMessage message{msg, wParam, lParam};
  const WindowProcHook next = [&](TMessage& m) {
    m.result = DefSubclassProc(window, m.msg, m.wParam, m.lParam);
  };
  try {
    hook->handler_(message, next);
  } catch (...) {
    // Nothing crosses the window procedure: the window's own handling answers instead.
    return DefSubclassProc(window, msg, wParam, lParam);
  }
  return message.result;
}

} // namespace tw::win
