// The program's start, phase by phase: the same steps the program takes (src/app/win32/main.cpp
// and form_windows.cpp), each timed, in a fresh process. start_timing.exe runs it from the
// program's folder (its WKS.db beside it) and gathers the lines it prints, "phase<TAB>ms".

#include <windows.h>

#include <cstdio>
#include <memory>

#include "app/win32/file_drops.h"
#include "app/win32/platform.h"
#include "app/win32/preview_menu.h"
#include "app/WKS_Main.h"
#include "registry/registry.h"
#include "runtime/executable.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "skin/model/embedded_skin.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/skin_messages.h"
#include "timing.h"

namespace {

using tw::bench::TimeOnce;

void Print(const char* phase, double ms) {
  std::printf("%s\t%.3f\n", phase, ms);
  // A mark in Wine's debug log (+debugstr), and one in the server's trace of requests
  // (wineserver -d1: a find_atom with the phase's name), to tell the phases apart.
  OutputDebugStringA(phase);
  GlobalFindAtomA(phase);
}

// Milliseconds from the process's creation until now.
double SinceCreation() {
  FILETIME creation, exit, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = [](FILETIME t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(now) - ticks(creation)) / 10000.0;
}

// Dispatches what is queued; the start message of the skin engine is timed as it passes.
double PumpUntilIdle(double* skinning) {
  double pumped = 0;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    const double took = TimeOnce([&] { DispatchMessageA(&msg); });
    pumped += took;
    if (msg.message == tw::kMsgStartSkinning && skinning != nullptr)
      *skinning = took;
  }
  return pumped;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  using namespace tw;
  Print("process start (creation to entry)", SinceCreation());
  win::Application& application = win::Application::Get();
  std::unique_ptr<Win32Platform> platform;
  Print("application and platform seams", TimeOnce([&] {
          application.Initialize(instance);
          application.SetTitle("Trailwick");
          platform = std::make_unique<Win32Platform>();
        }));
  std::unique_ptr<TWKSForm> form;
  Print("form models (three tabs, catalogs)",
        TimeOnce([&] { form = std::make_unique<TWKSForm>(); }));
  std::unique_ptr<win::FormWindow> window;
  std::unique_ptr<PreviewMenus> menus;
  std::unique_ptr<FileDrops> drops;
  Print("windows of the controls (the first tab's)", TimeOnce([&] {
          window = win::FormWindow::Create(*form, nullptr);
          menus = std::make_unique<PreviewMenus>(*form, window->Handle());
          drops = std::make_unique<FileDrops>(*form, *window);
          form->SetHandle(reinterpret_cast<WindowHandle>(window->Handle()));
          application.SetMainWindow(window->Handle());
          platform->WindowsClipboard().SetOwner(form->Handle());
          form->UseEvidence(nullptr);
          if (win::TSkinManage* manager = win::TSkinManage::Instance())
            manager->SetOwnerWindow(form->SkinData1, window->Handle());
        }));
  Print("form data (skin archive unpacked, loaded)",
        TimeOnce([&] { form->ReadFormData(EmbeddedSkinStream()); }));
  Print("  first registry write",
        TimeOnce([&] { WriteRegString(reg::kCurrentUser, "Velmo", "09", ExecutablePath()); }));
  Print("  first WKS.db list", TimeOnce([&] { form->GetNML(); }));
  Print("start-up (registry write, captions, WKS.db)", TimeOnce([&] { form->FormCreate(*form); }));
  double firstPaint = 0;
  // The engine skins the frame and the controls from a message it posts as the window activates:
  // mostly among the messages after show.
  double skinning = -1;
  Print("show and first paint", TimeOnce([&] {
          window->Show();
          firstPaint = PumpUntilIdle(&skinning);
        }));
  Print("  of which messages after show", firstPaint);
  Print("usable (creation to here)", SinceCreation());
  const DWORD deadline = GetTickCount() + 5000;
  while (skinning < 0 && GetTickCount() < deadline) {
    PumpUntilIdle(&skinning);
    Sleep(1);
  }
  Print("skinning of the frame and the controls", skinning);
  Print("skinned (creation to here)", SinceCreation());
  // The other tabs' controls get their windows as their tab first shows: what the start no
  // longer pays, paid at the first click on each tab.
  Print("first show of the second tab", TimeOnce([&] {
          form->PageControl1.SetActivePageIndex(1);
          UpdateWindow(window->Handle());
          PumpUntilIdle(nullptr);
        }));
  Print("first show of the third tab", TimeOnce([&] {
          form->PageControl1.SetActivePageIndex(2);
          UpdateWindow(window->Handle());
          PumpUntilIdle(nullptr);
        }));
  // What a second window costs, all first-time work done: the share of the start that comes
  // with every window, not with the process.
  TWKSForm second;
  Print("second window: its controls' windows",
        TimeOnce([&] { auto w = win::FormWindow::Create(second, nullptr); }));
  Print("second window: registry write",
        TimeOnce([&] { WriteRegString(reg::kCurrentUser, "Velmo", "09", "x"); }));
  Print("second window: WKS.db list", TimeOnce([&] { second.GetNML(); }));
  return 0;
}
