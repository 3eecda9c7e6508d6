// Where the program's start goes, under Wine (run by hand, not a test):
//   start to a usable window: the program and a bare Win32 window program (bare_window.exe),
//   started in turn N times each, from CreateProcess until the main window is visible and the
//   process waits for input; the goal is the program's median at most twice the bare window's;
//   the start phase by phase: start_phases.exe, the program's own steps each timed, run N times
//   from the program's folder; the median of every phase.
// Run: export WINEPREFIX=... DISPLAY=...; wine64 build/win64/bench/start_timing.exe [N]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "program_driver.h"
#include "timing.h"

namespace {

using tw::bench::Report;
using tw::bench::TimeOnce;

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

std::string ThisFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

BOOL CALLBACK FindVisible(HWND window, LPARAM found) {
  char name[64];
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "TwBareWindow" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The bare window program started, until its window shows and it waits for input; then closed.
double StartBareWindow(const std::string& program) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION process{};
  std::string command = '"' + program + '"';
  HWND window = nullptr;
  const double took = TimeOnce([&] {
    CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                   &process);
    while (window == nullptr) {
      EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&window));
      if (window == nullptr)
        Sleep(1);
    }
    WaitForInputIdle(process.hProcess, 10000);
  });
  PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return took;
}

// start_phases.exe run beside a copy of the program and its database; its lines, phase by phase.
std::vector<std::pair<std::string, double>> RunPhases() {
  tw::test::ProgramDriver driver;
  const std::string copy = driver.Folder() + "start_phases.exe";
  CopyFileA((ThisFolder() + "start_phases.exe").c_str(), copy.c_str(), FALSE);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  std::string command = '"' + copy + '"';
  CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                 driver.Folder().c_str(), &si, &process);
  CloseHandle(writeEnd);
  std::string out;
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
    out.append(buffer, got);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(readEnd);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::vector<std::pair<std::string, double>> phases;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos)
      phases.emplace_back(line.substr(0, tab), std::atof(line.c_str() + tab + 1));
  }
  return phases;
}

} // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::string bare = ThisFolder() + "bare_window.exe";
  std::vector<double> bareStarts;
  std::vector<double> starts;
  // One start of each first, unmeasured: the program's files come into the cache.
  StartBareWindow(bare);
  {
    tw::test::ProgramDriver driver;
    driver.Start();
    driver.Close();
  }
  for (int i = 0; i < runs; ++i) {
    bareStarts.push_back(StartBareWindow(bare));
    tw::test::ProgramDriver driver;
    starts.push_back(TimeOnce([&] { driver.Start(); }));
    driver.Close();
  }
  Report("bare window: start to a usable window", bareStarts, 46);
  Report("Trailwick: start to a usable window", starts, 46);
  std::printf("%-46s %8.2f   (goal: at most 2)\n", "Trailwick / bare window (medians)",
              Median(starts) / Median(bareStarts));

  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> phases;
  for (int i = 0; i < runs; ++i)
    for (const auto& [phase, ms] : RunPhases()) {
      if (phases[phase].empty())
        order.push_back(phase);
      phases[phase].push_back(ms);
    }
  std::printf("\nthe start phase by phase (start_phases.exe, %d runs):\n", runs);
  for (const std::string& phase : order)
    Report(phase.c_str(), phases[phase], 46);
  return 0;
}
