#pragma once
// The application object: its title, the message loop, shared fonts, and the default error
// handler. Every window procedure of the runtime runs its handlers through Guard, so that no
// exception crosses a Win32 callback: the error's message is shown in a message box and the
// program goes on.

#include <windows.h>

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>

#include "runtime/win32/gdi.h"

namespace tw::win {

class Application {
public:
  static Application& Get();

  void Initialize(HINSTANCE instance);
  HINSTANCE Instance() const { return instance_; }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // The window whose closing ends the message loop.
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }

  // Runs the message loop until the main window is destroyed; returns the exit code.
  int Run();

  // The standard error box: the error's text, the application's title, an OK button.
  void ShowException(const std::exception& error) const;
  // Replaces the error box (tests record errors instead of blocking on a modal box).
  void SetExceptionHandler(std::function<void(const std::exception&)> handler) {
    exceptionHandler_ = std::move(handler);
  }
  void ShowMessage(const std::string& text) const;
  // A question with Yes and No buttons; true for Yes.
  bool Ask(const std::string& question) const;

  template <class F>
  void Guard(F&& action) noexcept {
    try {
      action();
    } catch (const std::exception& error) {
      ShowException(error);
    } catch (...) {
      ShowException(std::runtime_error("Unexpected error"));
    }
  }

  // "MS Sans Serif", height -11, normal or bold.
  HFONT Font(bool bold);

private:
  HINSTANCE instance_ = nullptr;
  std::string title_;
  HWND mainWindow_ = nullptr;
  std::function<void(const std::exception&)> exceptionHandler_;
  win::Font normal_;
  win::Font bold_;
};

} // namespace tw::win
