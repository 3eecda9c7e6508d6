#pragma once
// How the skin engine takes a window's messages, whatever the window: through our
// subclass chain, in front of the window's own handling (a control object's included). Hooks of
// different owners stack and come off in any order, attaching twice is harmless, and `next` runs
// the rest of the window's handling. An error reaching the hook goes to the application's
// handler and the window's own handling answers instead.

#include <windows.h>

#include <functional>
#include <memory>

#include "runtime/win32/native_control.h"

namespace tw::win {

class WindowHook {
public:
  using Handler = std::function<void(TMessage& message, const WindowProcHook& next)>;

  WindowHook() = default;
  ~WindowHook() { Detach(); }
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;

  void Attach(HWND window, Handler handler);
  void Detach();
  bool Attached() const { return window_ != nullptr; }
  HWND Window() const { return window_; }

private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);

  HWND window_ = nullptr;
  // Shared with the calls running through it: the hook's owner may go while a message it
  // passed on runs a modal loop.
  std::shared_ptr<Handler> handler_;
};

} // namespace tw::win
