// Window figures under Wine (run by hand, not a test):
//   start to a usable window: the real program started N times, from CreateProcess until its
//   main window is visible and waiting for input;
//   filling the grid: 5,000 rows assigned to the preview of a realised form, until painted.
// Run: export WINEPREFIX=... DISPLAY=...; wine64 build/win64/bench/window_timing.exe [N]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/WKS_Main.h"
#include "program_driver.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "timing.h"

namespace {

using tw::bench::Report;
using tw::bench::TimeOnce;

} // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

  std::vector<double> starts;
  for (int i = 0; i < runs; ++i) {
    tw::test::ProgramDriver driver;
    starts.push_back(TimeOnce([&] { driver.Start(); }));
    driver.Close();
  }
  Report("start to a usable window", starts, 40);

  tw::win::Application::Get().Initialize(GetModuleHandleA(nullptr));
  tw::TWKSForm form;
  auto window = tw::win::FormWindow::Create(form, nullptr);
  window->Show();
  std::vector<std::string> rows;
  for (int i = 0; i < 5000; ++i)
    rows.push_back("C:\\Program Files\\Vendor " + std::to_string(i) +
                   "\\app.exe=" + "value of row " + std::to_string(i));
  std::vector<double> fills;
  for (int i = 0; i < runs; ++i) {
    form.Preview.Assign(std::vector<std::string>{});
    fills.push_back(TimeOnce([&] { form.Preview.Assign(rows); }));
  }
  Report("filling the grid with 5,000 rows", fills, 40);
  return 0;
}
