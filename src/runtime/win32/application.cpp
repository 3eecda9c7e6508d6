#include "runtime/win32/application.h"

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

namespace tw::win {

Application& Application::Get() {
  static Application application;
  return application;
}

void Application::Initialize(HINSTANCE instance) {
  instance_ = instance;
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

int Application::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    // Dialog keys (Tab, arrows between controls, Enter on buttons) within the active window.
    HWND active = GetActiveWindow();
    if (active != nullptr && IsDialogMessageA(active, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void Application::ShowException(const std::exception& error) const {
  if (exceptionHandler_) {
    exceptionHandler_(error);
    return;
  }
  HWND owner = GetActiveWindow();
  MessageBoxA(owner != nullptr ? owner : mainWindow_, error.what(), title_.c_str(),
              MB_OK | MB_ICONERROR);
}

void Application::ShowMessage(const std::string& text) const {
  HWND owner = GetActiveWindow();
  MessageBoxA(owner != nullptr ? owner : mainWindow_, text.c_str(), title_.c_str(), MB_OK);
}

bool Application::Ask(const std::string& question) const {
  HWND owner = GetActiveWindow();
  return MessageBoxA(owner != nullptr ? owner : mainWindow_, question.c_str(), title_.c_str(),
                     MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

HFONT Application::Font(bool bold) {
  win::Font& font = bold ? bold_ : normal_;
  if (!font) {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    font.Reset(CreateFontIndirectA(&lf));
  }
  return font.Get();
}

} // namespace tw::win
