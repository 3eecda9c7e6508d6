// The 32-bit release program and the 64-bit program, driven side by side on 64-bit Windows over
// one registry imported by the 64-bit registry tool: every report of both catalogs and the
// second tab's list must be the same, including an application present only in the 32-bit view.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "program_driver.h"
#include "readers/catalog.h"
#include "report/report.h"
#include "runtime/win32/win32_platform.h"
#include "runtime/win32/win32_system_info.h"
#include "support/fixtures.h"

namespace tw::test {
namespace {

constexpr int kMemoryItem = 10; // live figures: only the rows' names stay put between runs
constexpr const char* kWow32Application = "Mozilla Firefox";

// Imports a file with the system's 64-bit registry tool, as a user's 64-bit editor would.
void ImportAsSixtyFourBit(const std::string& file) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string command = std::string(windows) + "\\sysnative\\reg.exe import \"" + file + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &si, &pi))
      << command;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_EQ(code, 0u) << command;
}

// Removes the fixture's machine software keys from the 32-bit view, where other tests of this
// prefix (importing from a 32-bit process) may have put them: the fixture is to be native only.
void RemoveFromThirtyTwoBitView(const std::string& file) {
  const std::string prefix = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\";
  HKEY wow32 = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node", 0,
                          KEY_ALL_ACCESS | KEY_WOW64_64KEY, &wow32),
            ERROR_SUCCESS);
  const std::string text = ReadFileBytes(file);
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ']'))
      line.pop_back();
    if (line.size() > prefix.size() &&
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.c_str(),
                       static_cast<int>(prefix.size()), prefix.c_str(), -1) == CSTR_EQUAL)
      RegDeleteTreeA(wow32, line.c_str() + prefix.size());
  }
  RegCloseKey(wow32);
}

struct Session {
  std::vector<std::string> applications;      // the second tab's list
  std::map<std::string, std::string> reports; // file name -> content, both tabs' batches
};

HWND Button(const ProgramDriver& driver, int sheet, const char* caption) {
  return driver.Find(driver.Sheet(sheet), WC_BUTTONA, caption);
}

// Both batches of one program, and its second tab's list.
Session RunProgram(const std::string& programDir) {
  ProgramDriver driver(programDir);
  driver.Start();
  Session session;
  const std::string folder = driver.Folder() + ReportFolderName(Win32SystemInfo().Now().Date());
  const auto reportCount = [&] { return FilesIn(folder).size(); };

  HWND zList = driver.FindOfClass(driver.Sheet(0), WC_LISTBOXA, 0);
  EXPECT_TRUE(driver.StartBatch(Button(driver, 0, "Save All Items (Admin)"), zList, folder));
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return reportCount() == kCatalogSize; }, 60000))
      << reportCount();
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return IsWindowEnabled(zList) != FALSE; }));

  EXPECT_TRUE(driver.ClickTab(1));
  HWND nmList = driver.FindOfClass(driver.Sheet(1), WC_LISTBOXA, 0);
  const int listed = static_cast<int>(SendMessageA(nmList, LB_GETCOUNT, 0, 0));
  // Across processes Wine hands list-box text over in UTF-16 only.
  for (int i = 0; i < listed; ++i) {
    wchar_t text[256] = {};
    SendMessageW(nmList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    char ansi[512] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof(ansi), nullptr, nullptr);
    session.applications.emplace_back(ansi);
  }
  EXPECT_TRUE(driver.StartBatch(Button(driver, 1, "Save All Items"), nmList, folder));
  EXPECT_TRUE(ProgramDriver::WaitFor(
      [&] { return reportCount() == static_cast<size_t>(kCatalogSize + listed); }, 60000))
      << reportCount();
  // Every report is complete once the program has ended.
  EXPECT_TRUE(driver.Close());

  const std::string memoryReport = std::string(Catalog()[kMemoryItem].label) + ".html";
  for (const std::string& name : FilesIn(folder)) {
    std::string content = ReadFileBytes(folder + "\\" + name);
    if (name == memoryReport)
      content = "(live figures)";
    session.reports[name] = content;
  }
  return session;
}

class Bitness : public testing::Test {
protected:
  static void SetUpTestSuite() {
    for (const std::string& file : {std::string(TW_DEMO_DIR) + "\\traces.reg",
                                    std::string(TW_DEMO_DIR) + "\\applications.reg"}) {
      RemoveFromThirtyTwoBitView(file);
      ImportAsSixtyFourBit(file);
    }
    ImportAsSixtyFourBit(FixturePath("wow32_application.reg"));
  }
  // The other tests of this prefix count the database's applications present.
  static void TearDownTestSuite() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Mozilla\\Mozilla Firefox");
  }
};

TEST_F(Bitness, BothProgramsShowTheSameRowsAndApplications) {
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64) && wow64)
      << "run as a 32-bit process on 64-bit Windows";
  const Session x86 = RunProgram(TW_PROGRAM_DIR);
  const Session x64 = RunProgram(TW_PROGRAM64_DIR);

  EXPECT_EQ(x86.applications, x64.applications);
  std::string listed;
  for (const std::string& application : x86.applications)
    listed += application + "; ";
  EXPECT_NE(std::find(x86.applications.begin(), x86.applications.end(), kWow32Application),
            x86.applications.end())
      << listed;
  ASSERT_EQ(x86.reports.size(), x64.reports.size());
  for (const auto& [name, content] : x64.reports) {
    const auto it = x86.reports.find(name);
    ASSERT_NE(it, x86.reports.end()) << name;
    EXPECT_EQ(it->second, content) << name;
  }
  // The value of an application found in the 32-bit view is read from there by both.
  const std::string firefox = x64.reports.at(std::string(kWow32Application) + ".html");
  EXPECT_NE(firefox.find("115.9.1esr (x86 en-US)"), std::string::npos) << firefox;
  // The machine items have rows to compare.
  const std::string uninstall = x86.reports.at("[O] Installed Software (LM).html");
  EXPECT_NE(uninstall.find("Notepad++"), std::string::npos) << uninstall;
}

} // namespace
} // namespace tw::test
