#include "skin/win32/engine/window_hook.h"

#include "runtime/win32/application.h"
#include "runtime/win32/subclass.h"

namespace tw::win {

void WindowHook::Attach(HWND window, Handler handler) {
  Detach();
  window_ = window;
  handler_ = std::make_shared<Handler>(std::move(handler));
  SetSubclass(window, &WindowHook::SubclassProc, reinterpret_cast<UINT_PTR>(this),
              reinterpret_cast<DWORD_PTR>(this));
}

void WindowHook::Detach() {
  if (window_ == nullptr)
    return;
  if (IsWindow(window_))
    RemoveSubclass(window_, &WindowHook::SubclassProc, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
}

LRESULT CALLBACK WindowHook::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR data) {
  auto* hook = reinterpret_cast<WindowHook*>(data);
  const std::shared_ptr<Handler> handler = hook->handler_;
  if (msg == WM_NCDESTROY) {
    // The owner learns of the end; the window's own handling still runs.
    RemoveSubclass(window, &WindowHook::SubclassProc, id);
    hook->window_ = nullptr;
  }
  TMessage message{msg, wParam, lParam};
  const WindowProcHook next = [&](TMessage& m) {
    m.result = DefSubclass(window, m.msg, m.wParam, m.lParam);
  };
  bool handled = false;
  // From here on the hook object may go (its owner freed in a modal loop): only locals.
  Application::Get().Guard([&] {
    (*handler)(message, next);
    handled = true;
  });
  return handled ? message.result : DefSubclass(window, msg, wParam, lParam);
}

} // namespace tw::win
