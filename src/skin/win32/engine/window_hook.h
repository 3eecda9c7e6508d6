#pragma once
// How the skin engine takes a window's messages: a window with a control object through a hook
// stacked over the object's handler; any other window through the comctl32 subclass chain.
// Either way hooks of different owners stack and come off in any order, attaching twice is
// harmless, and `next` runs the rest of the window's handling.

#include <windows.h>

#include <functional>

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
  // The window went away: nothing to take off any more.
  void Forget() { window_ = nullptr; }
  HWND Window() const { return window_; }

private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);

  HWND window_ = nullptr;
  NativeControl* control_ = nullptr;
  Handler handler_;
};

} // namespace tw::win
