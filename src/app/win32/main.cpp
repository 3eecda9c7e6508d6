// Program entry: the application object, the real platform, the main window, the message loop.

#include <windows.h>

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/evidence.h"
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
    // Hive files named on the command line are opened whole before the window: one that cannot
    // be read ends the program with its error, rather than show the running system's registry
    // in its place.
    const EvidenceRequest request =
        ParseProgramArguments(std::vector<std::string>(__argv + 1, __argv + __argc));
    std::shared_ptr<OfflineSet> evidence;
    if (!request.sources.empty())
      evidence = std::make_shared<OfflineSet>(request, WindowCodePage());
    Win32FormHost forms(platform.WindowsClipboard());
    Seam<FormHost>::Install(&forms);
    forms.OpenMainForm(std::move(evidence));
    exitCode = application.Run();
    Seam<FormHost>::Install(nullptr);
  });
  return exitCode;
}
