// Skinned menu figures under Wine (run by hand, not a test), warm, in this process:
//   the system menu from the click on the caption's icon button to the popup fully painted
//   (its background ring and every owner-drawn item);
//   the preview grid's context menu from the right-click on a row to the popup fully painted.
// The click is real input from a second thread; "painted" is the return of the popup window's
// first paint after it, seen by a hook on the window's thread. The first opening warms the
// caches and is not counted.
// Run: export WINEPREFIX=... DISPLAY=...; wine64 build/win64/bench/menu_timing.exe [N]

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "app/win32/preview_menu.h"
#include "app/WKS_Main.h"
#include "skin/win32/engine/skin_messages.h"
#include "support/win32/skinned_main_form.h"
#include "timing.h"

namespace {

using tw::bench::Milliseconds;
using tw::bench::Report;

bool IsPopupMenu(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  return lstrcmpA(name, "#32768") == 0;
}

std::atomic<bool> painted = false;
LARGE_INTEGER paintedAt;

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_PAINT && !painted && IsPopupMenu(message->hwnd)) {
    QueryPerformanceCounter(&paintedAt);
    painted = true;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Skinned(HWND window) {
  return SendMessageA(window, tw::kMsgIsSkinned, 0, 0) == tw::kSkinnedAnswer;
}

void Pump(const std::function<bool()>& until) {
  while (!until()) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  }
}

void Key(WORD key) {
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

bool PopupShown() {
  HWND popup = FindWindowA("#32768", nullptr);
  return popup != nullptr && IsWindowVisible(popup);
}

// Clicks at the point with the buttons given, times until the popup's first paint has
// returned, then closes it; `runs` + 1 times, the first not counted.
std::vector<double> TimeOpenings(POINT at, DWORD down, DWORD up, int runs) {
  std::vector<double> samples;
  std::atomic<bool> done = false;
  std::thread clicker([&] {
    for (int i = 0; i <= runs; ++i) {
      SetCursorPos(at.x, at.y);
      Sleep(100);
      painted = false;
      LARGE_INTEGER clicked;
      QueryPerformanceCounter(&clicked);
      mouse_event(down, 0, 0, 0, 0);
      mouse_event(up, 0, 0, 0, 0);
      const DWORD deadline = GetTickCount() + 5000;
      while (!painted && static_cast<LONG>(GetTickCount() - deadline) < 0)
        Sleep(0);
      if (painted && i > 0)
        samples.push_back(Milliseconds(clicked, paintedAt));
      Sleep(50);
      Key(VK_ESCAPE);
      while (PopupShown())
        Sleep(5);
      // Past the double-click interval, so that the next click on the icon opens it again.
      Sleep(GetDoubleClickTime() + 50);
    }
    done = true;
  });
  Pump([&] { return done.load(); });
  clicker.join();
  return samples;
}

} // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  using namespace tw;
  win::SkinnedMainForm skinned;
  TWKSForm& form = skinned.form_;
  const auto& window = skinned.window_;
  HWND main = skinned.CreateMainWindow();
  PreviewMenus menus(form, main);
  skinned.ReadSkinAndShow();
  form.Preview.Assign({"a=cmd\\1", "b=regedit\\1", "c=\\\\FILESRV01\\finance\\1"});
  Pump([&] { return Skinned(main); });
  const DWORD settle = GetTickCount() + 300;
  Pump([&] { return static_cast<LONG>(GetTickCount() - settle) > 0; });
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());

  RECT frame;
  GetWindowRect(main, &frame);
  const std::vector<double> system = TimeOpenings({frame.left + 16, frame.top + 15},
                                                  MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, runs);
  if (system.empty())
    std::printf("the system menu did not open\n");
  else
    Report("system menu: icon click to painted popup", system);

  HWND grid = window->NativeOf(form.Preview)->Handle();
  RECT row{LVIR_LABEL, 0, 0, 0};
  SendMessageA(grid, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  POINT onRow{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
  ClientToScreen(grid, &onRow);
  const std::vector<double> context =
      TimeOpenings(onRow, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, runs);
  if (context.empty())
    std::printf("the grid's context menu did not open\n");
  else
    Report("grid context menu: right-click to painted", context);

  UnhookWindowsHookEx(hook);
  return 0;
}
