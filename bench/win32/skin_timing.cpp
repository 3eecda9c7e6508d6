// Skin figures under Wine (run by hand, not a test), warm:
//   start to the first skinned paint: the real program started N times, from CreateProcess until
//   its main window answers as skinned with the skin's borders (the frame is painted as
//   skinning starts);
//   one non-client paint of the skinned main window (message 13570), in this process;
//   the skinning start itself: the start message handled (styles, geometry, frame recalculation,
//   the controls' members, the first frame paint), in this process;
//   one caption-button hover repaint: the pointer entering and leaving the close button;
//   a full repaint of the skinned main window with all its controls, frame included;
//   one scroll step of the 5,000-row grid, its scroll-bar overlay following and repainted;
//   one hover repaint of a push button (the pointer entering or leaving it);
//   the full repaint and the scroll step again with skinning off: what the platform's own window
//   and grid cost on this machine.
// Run: export WINEPREFIX=... DISPLAY=...; wine64 build/win64/bench/skin_timing.exe [N]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/WKS_Main.h"
#include "program_driver.h"
#include "skin/win32/engine/skin_messages.h"
#include "support/win32/skinned_main_form.h"
#include "timing.h"

namespace {

using tw::bench::Milliseconds;
using tw::bench::Report;
using tw::bench::TimeOnce;

bool Skinned(HWND window) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(window, tw::kMsgIsSkinned, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) !=
             0 &&
         answer == static_cast<DWORD_PTR>(tw::kSkinnedAnswer);
}

int CaptionTop(HWND window) {
  RECT w;
  RECT c;
  GetWindowRect(window, &w);
  GetClientRect(window, &c);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&c), 2);
  return c.top - w.top;
}

// The start message's handling, timed when it passes.
double startHandling = -1;

// Samples start with the display idle: Wine hands a painted window's pixels to the X server and
// waits for that hand-over to finish before the next one, so back-to-back repaints would time the
// X server copying the previous picture rather than our painting.
constexpr int kSettleMs = 20;

void Pump(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (static_cast<LONG>(GetTickCount() - end) < 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      const double took = TimeOnce([&] { DispatchMessageA(&msg); });
      if (msg.message == tw::kMsgStartSkinning)
        startHandling = took;
    }
    Sleep(1);
  }
}

// The whole window with its controls and frame, each repaint with the display idle.
std::vector<double> FullRepaints(HWND main) {
  std::vector<double> full;
  for (int i = 0; i < 50; ++i) {
    full.push_back(TimeOnce([&] {
      RedrawWindow(main, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }));
    Pump(kSettleMs);
  }
  return full;
}

// One line down (then up) and the grid repainted, each step with the display idle.
std::vector<double> ScrollSteps(HWND grid, int samples) {
  std::vector<double> scrolls;
  for (int i = 0; i < samples; ++i) {
    scrolls.push_back(TimeOnce([&] {
      SendMessageA(grid, WM_VSCROLL, i < samples / 2 ? SB_LINEDOWN : SB_LINEUP, 0);
      UpdateWindow(grid);
    }));
    Pump(kSettleMs);
  }
  return scrolls;
}

} // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

  std::vector<double> starts;
  for (int i = 0; i < runs + 1; ++i) {
    tw::test::ProgramDriver driver;
    const double took = TimeOnce([&] {
      driver.Start();
      HWND main = driver.MainWindow();
      while (!(Skinned(main) && CaptionTop(main) == 30))
        Sleep(1);
    });
    if (i > 0) // the first start warms the caches
      starts.push_back(took);
    driver.Close();
  }
  Report("start to the first skinned paint", starts, 40);

  using namespace tw;
  win::SkinnedMainForm skinned;
  TWKSForm& form = skinned.form_;
  const auto& window = skinned.window_;
  HWND main = skinned.CreateMainWindow();
  skinned.ReadSkinAndShow();
  SetCursorPos(0, 0);
  while (!(Skinned(main) && CaptionTop(main) == 30))
    Pump(10);
  Pump(300);
  std::printf("%-40s %8.3f ms   (once, in this process)\n",
              "skinning start (start message to paint)", startHandling);

  const int samples = 200;
  std::vector<double> paints;
  for (int i = 0; i < samples; ++i)
    paints.push_back(TimeOnce([&] { SendMessageA(main, kMsgRepaintFrame, 0, 0); }));
  Report("one non-client paint of the main window", paints, 40);

  RECT r;
  GetWindowRect(main, &r);
  const LPARAM overClose = MAKELPARAM(r.right - 25 + 8, r.top + 5 + 8);
  const LPARAM overCaption = MAKELPARAM(r.left + 400, r.top + 15);
  std::vector<double> hovers;
  for (int i = 0; i < samples; ++i)
    hovers.push_back(TimeOnce([&] {
      SendMessageA(main, WM_NCMOUSEMOVE, HTCAPTION, (i % 2) == 0 ? overClose : overCaption);
    }));
  Report("one caption-button hover repaint", hovers, 40);

  Report("full repaint of the skinned main window", FullRepaints(main), 40);

  std::vector<std::string> rows;
  for (int i = 0; i < 5000; ++i)
    rows.push_back("Key " + std::to_string(i) + "=Value " + std::to_string(i));
  form.Preview.Assign(std::move(rows));
  HWND grid = window->NativeOf(form.Preview)->Handle();
  Pump(200);
  Report("one scroll step of the 5,000-row grid", ScrollSteps(grid, samples), 40);

  HWND button = window->NativeOf(form.Button20)->Handle();
  std::vector<double> buttonHovers;
  for (int i = 0; i < samples; ++i)
    buttonHovers.push_back(TimeOnce([&] {
      SendMessageA(button, (i % 2) == 0 ? WM_MOUSEMOVE : WM_MOUSELEAVE, 0, MAKELPARAM(5, 5));
    }));
  Report("one push-button hover repaint", buttonHovers, 40);

  // The same with skinning off: what the platform's own window and grid cost here.
  form.SkinData1.SetActive(false);
  Pump(300);
  Report("full repaint, skinning off", FullRepaints(main), 40);
  Report("the scroll step, skinning off", ScrollSteps(grid, samples), 40);
  return 0;
}
