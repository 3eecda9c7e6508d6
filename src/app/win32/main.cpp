// Program entry: the application object, the real platform, the main window, the message loop.

#include <windows.h>

#include "app/about.h"
#include "app/win32/form_windows.h"
#include "app/win32/platform.h"
#include "runtime/seam.h"
#include "runtime/win32/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  using namespace tw;
  win::Application& application = win::Application::Get();
  application.Initialize(instance);
  application.SetTitle(about::kTitle);
  int exitCode = 1;
  application.Guard([&] {
    Win32Platform platform;
    Win32FormHost forms(platform.WindowsClipboard());
    Seam<FormHost>::Install(&forms);
    forms.OpenMainForm();
    exitCode = application.Run();
    Seam<FormHost>::Install(nullptr);
  });
  return exitCode;
}
