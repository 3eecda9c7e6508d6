// The real program over the real hives of a Windows 7 machine, driven from another process:
// started with --hive it shows on each tab the rows trailwick-cli shows over the same files,
// its caption and tooltip name them; a drop of hive files (WM_DROPFILES) switches a live window;
// a damaged file gives the error box and the window keeps its rows; a batch writes what the
// command line's export writes; the hives' recovery is told once; the session writes only the
// window's own start-up value, and the evidence files keep their bytes and times.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "program_driver.h"
#include "registry_snapshot.h"
#include "report/report.h"
#include "runtime/win32/win32_system_info.h"
#include "support/fixtures.h"

namespace tw::test {
namespace {

// Program text (the system's ANSI code page) as UTF-8, as the command line prints rows.
std::string Utf8Of(const std::string& ansi) {
  if (ansi.empty())
    return {};
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                              wide.data(), static_cast<int>(wide.size()))));
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                          static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

struct CliRun {
  DWORD code = 1;
  std::string out;
};

// trailwick-cli of this build, its standard output caught in a file.
CliRun RunCli(const std::vector<std::string>& args, const std::string& scratch) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  const std::string outFile = scratch + "cli-out.txt";
  HANDLE out = CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string command = "\"" + std::string(TW_CLI_PATH) + "\"";
  for (const std::string& arg : args)
    command += " \"" + arg + "\"";
  PROCESS_INFORMATION pi{};
  CliRun run;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &si, &pi)) {
    WaitForSingleObject(pi.hProcess, 120000);
    GetExitCodeProcess(pi.hProcess, &run.code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(out);
  run.out = ReadFileBytes(outFile);
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

struct FileState {
  std::string bytes;
  FILETIME created{};
  FILETIME accessed{};
  FILETIME written{};
  bool operator==(const FileState& o) const {
    const auto same = [](FILETIME a, FILETIME b) {
      return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
    };
    return bytes == o.bytes && same(created, o.created) && same(accessed, o.accessed) &&
           same(written, o.written);
  }
};

FileState StateOf(const std::string& path) {
  FileState state;
  state.bytes = ReadFileBytes(path);
  HANDLE h = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(h, &state.created, &state.accessed, &state.written);
  CloseHandle(h);
  return state;
}

class EvidenceEndToEnd : public testing::Test {
protected:
  EvidenceEndToEnd() {
    evidence = driver.Folder() + "evidence\\";
    CreateDirectoryA(evidence.c_str(), nullptr);
    codePage = "--codepage=" + std::to_string(GetACP());
  }

  // A real hive of the fixtures copied into the evidence folder; its path there.
  std::string Hive(const std::string& name) {
    const std::string path = evidence + name;
    CopyFileA((std::string(TW_HIVE_DIR) + "\\" + name).c_str(), path.c_str(), FALSE);
    return path;
  }
  HWND List(int sheet) { return driver.FindOfClass(driver.Sheet(sheet), WC_LISTBOXA, 0); }
  HWND Grid(int sheet) { return driver.FindOfClass(driver.Sheet(sheet), WC_LISTVIEWA, 0); }
  HWND SheetButton(int sheet, const char* caption) {
    return driver.Find(driver.Sheet(sheet), WC_BUTTONA, caption);
  }
  HWND SheetLabel(int sheet, const std::string& startsWith) {
    for (HWND child : driver.Children(driver.Sheet(sheet)))
      if (ProgramDriver::Text(child).rfind(startsWith, 0) == 0)
        return child;
    return nullptr;
  }
  void ShowSheet(int sheet) { ASSERT_TRUE(driver.ClickTab(sheet)); }
  int Rows(HWND grid) { return static_cast<int>(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0)); }
  std::string Caption() { return ProgramDriver::Text(driver.MainWindow()); }
  // The grid's rows after a click on the list's entry, once there are as many as expected.
  std::vector<std::string> ShownAfterClick(int sheet, int index, size_t expected) {
    EXPECT_TRUE(driver.ClickListItem(List(sheet), index));
    ProgramDriver::WaitFor([&] { return Rows(Grid(sheet)) == static_cast<int>(expected); }, 5000);
    std::vector<std::string> rows;
    for (const std::string& row : driver.GridRows(Grid(sheet)))
      rows.push_back(Utf8Of(row));
    return rows;
  }
  // What the command line's show prints for an item over the hives.
  std::vector<std::string> CliRows(const std::vector<std::string>& hives, int item) {
    std::vector<std::string> args = {"show"};
    for (const std::string& hive : hives) {
      args.push_back("--hive");
      args.push_back(hive);
    }
    args.push_back(codePage);
    args.push_back(std::to_string(item));
    const CliRun run = RunCli(args, driver.Folder());
    EXPECT_EQ(run.code, 0u) << run.out;
    return Lines(run.out);
  }
  std::string ReportFolder() {
    return driver.Folder() + ReportFolderName(Win32SystemInfo().Now().Date());
  }
  // The error or message box the program shows, closed with `button` once read.
  std::string TakeBox(int button = IDOK) {
    HWND box = nullptr;
    if (!ProgramDriver::WaitFor([&] { return (box = driver.MessageBoxWindow()) != nullptr; }))
      return "(no box)";
    const std::string text = ProgramDriver::Text(box) + "\n" + driver.MessageText(box);
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    ProgramDriver::WaitFor([&] { return driver.MessageBoxWindow() == nullptr; });
    return text;
  }

  ProgramDriver driver;
  std::string evidence;
  std::string codePage;
};

TEST_F(EvidenceEndToEnd, StartedOverHivesEachTabShowsTheRowsTheCommandLineShows) {
  const std::vector<std::string> hives = {Hive("NTUSER.DAT"), Hive("SYSTEM")};
  // The second tab's database names values that an item of the first tab shows too.
  std::ofstream(driver.Folder() + "WKS.db", std::ios::binary | std::ios::trunc)
      << "[Typed addresses]\r\nCheck=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs\r\n"
         "url1=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs|url1\r\n"
         "url2=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs|url2\r\n"
         "[Elsewhere]\r\nCheck=HKCU|Software\\Not on that machine\r\n";
  driver.Start({"--hive", hives[0], "--hive", hives[1]});
  EXPECT_EQ(Caption(), "Trailwick ( XQV ) - offline: NTUSER.DAT, SYSTEM");

  // Typed URLs, Shell Folders, the services' paths, the cursor scheme.
  for (const int item : {6, 25, 27, 31}) {
    SCOPED_TRACE(item);
    const std::vector<std::string> expected = CliRows(hives, item);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(ShownAfterClick(0, item, expected.size()), expected);
  }
  // The memory figures belong to the machine the window runs on: no rows.
  EXPECT_TRUE(ShownAfterClick(0, 10, 0).empty());
  // The Open buttons are off; copying is not.
  EXPECT_FALSE(IsWindowEnabled(SheetButton(0, "Open Value")));
  EXPECT_TRUE(IsWindowEnabled(SheetButton(0, "Copy Selected Value")));

  // The other tabs' buttons, made as their tab first shows, are off as well.
  ShowSheet(1);
  EXPECT_FALSE(IsWindowEnabled(SheetButton(1, "Open Value")));
  EXPECT_TRUE(IsWindowEnabled(SheetButton(1, "Copy Selected Value")));
  ASSERT_EQ(SendMessageA(List(1), LB_GETCOUNT, 0, 0), 1);
  ASSERT_NE(SheetLabel(1, "WKS List : "), nullptr);
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(1, "WKS List : ")), "WKS List : 1/2 items");
  EXPECT_EQ(ShownAfterClick(1, 0, 2), CliRows(hives, 6));

  // The USB storage devices of SYSTEM, the recent documents of NTUSER.DAT.
  ShowSheet(2);
  EXPECT_FALSE(IsWindowEnabled(SheetButton(2, "Open Value")));
  for (const int item : {14, 6}) {
    SCOPED_TRACE(item);
    const std::vector<std::string> expected = CliRows(hives, 34 + item);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(ShownAfterClick(2, item, expected.size()), expected);
  }
  EXPECT_EQ(driver.MessageBoxWindow(), nullptr);

  // The pointer on the header band, between the credit line and the date: the full paths.
  driver.MoveToWindowPoint(driver.MainWindow(), 450, 40);
  driver.MoveToWindowPoint(driver.MainWindow(), 455, 42);
  HWND tip = nullptr;
  ASSERT_TRUE(ProgramDriver::WaitFor([&] {
    tip = driver.FindShown([](HWND w) {
      char cls[32];
      GetClassNameA(w, cls, sizeof(cls));
      return lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0;
    });
    return tip != nullptr;
  })) << "no tooltip";
  EXPECT_EQ(ProgramDriver::Text(tip), hives[0] + "\r\n" + hives[1]);
  EXPECT_TRUE(driver.Close());
}

TEST_F(EvidenceEndToEnd, ADropSwitchesTheLiveWindowAndADamagedFileLeavesItAsItWas) {
  const std::string ntuser = Hive("NTUSER.DAT");
  driver.Start();
  EXPECT_EQ(Caption(), "Trailwick ( XQV )");
  driver.DropFiles(driver.MainWindow(), {ntuser});
  ASSERT_TRUE(ProgramDriver::WaitFor([&] {
    return Caption() == "Trailwick ( XQV ) - offline: NTUSER.DAT";
  })) << Caption();
  const std::vector<std::string> expected = CliRows({ntuser}, 6);
  const std::vector<std::string> shown = ShownAfterClick(0, 6, expected.size());
  EXPECT_EQ(shown, expected);

  // The first 100,000 bytes of the hive: the header says it is longer.
  CreateDirectoryA((evidence + "cut").c_str(), nullptr);
  const std::string cut = evidence + "cut\\NTUSER.DAT";
  std::ofstream(cut, std::ios::binary) << ReadFileBytes(ntuser).substr(0, 100000);
  driver.DropFiles(driver.MainWindow(), {cut});
  const std::string box = TakeBox();
  EXPECT_NE(box.find("Trailwick ( XQV )\n"), std::string::npos) << box;
  EXPECT_NE(box.find(cut + ": damaged (truncated: 100000 of 737280 bytes)"), std::string::npos)
      << box;
  EXPECT_EQ(Caption(), "Trailwick ( XQV ) - offline: NTUSER.DAT");
  EXPECT_EQ(SendMessageA(List(0), LB_GETCURSEL, 0, 0), 6);
  std::vector<std::string> kept;
  for (const std::string& row : driver.GridRows(Grid(0)))
    kept.push_back(Utf8Of(row));
  EXPECT_EQ(kept, shown);
  EXPECT_TRUE(driver.Close());
}

TEST_F(EvidenceEndToEnd, AFileNamedOnTheCommandLineThatIsNoHiveEndsTheProgramWithItsError) {
  const std::string notes = evidence + "notes.txt";
  std::ofstream(notes, std::ios::binary) << "case notes\r\n";
  const HWND box = driver.StartExpectingBox({"--hive", notes});
  ASSERT_NE(box, nullptr);
  const std::string text = TakeBox();
  EXPECT_NE(text.find(notes + ": not a hive (no registry hive signature)"), std::string::npos)
      << text;
  EXPECT_TRUE(driver.WaitForExit(10000));
  EXPECT_EQ(driver.MainWindow(), nullptr);
}

TEST_F(EvidenceEndToEnd, ABatchWritesWhatTheCommandLinesExportWrites) {
  const std::vector<std::string> hives = {Hive("NTUSER.DAT"), Hive("SYSTEM")};
  driver.Start({"--hive", hives[0], "--hive", hives[1]});
  ASSERT_TRUE(driver.StartBatch(SheetButton(0, "Save All Items (Admin)"), List(0), ReportFolder()));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return FilesIn(ReportFolder()).size() == 33; }, 60000))
      << FilesIn(ReportFolder()).size();
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return IsWindowEnabled(List(0)) != FALSE; }));
  ShowSheet(2);
  ASSERT_TRUE(driver.StartBatch(SheetButton(2, "Save All Items"), List(2), ReportFolder()));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return FilesIn(ReportFolder()).size() == 50; }, 60000))
      << FilesIn(ReportFolder()).size();
  ASSERT_TRUE(driver.Close());

  const std::string out = driver.Folder() + "cli-export";
  const CliRun run = RunCli({"export", "--hive", hives[0], "--hive", hives[1], "--admin",
                             "--modern", "--format", "html", codePage, "--out", out},
                            driver.Folder());
  ASSERT_EQ(run.code, 0u) << run.out;
  const std::vector<std::string> exported = FilesIn(out);
  ASSERT_EQ(exported.size(), 50u);
  for (const std::string& name : exported) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadFileBytes(ReportFolder() + "\\" + name), ReadFileBytes(out + "\\" + name));
  }
  const std::string typed = ReadFileBytes(ReportFolder() + "\\[H] Typed URLs (CU).html");
  EXPECT_NE(typed.find("<title>Trailwick - [H] Typed URLs (CU) - offline: NTUSER.DAT, "
                       "SYSTEM</title>"),
            std::string::npos);
}

TEST_F(EvidenceEndToEnd, RecoveryIsToldOnceAndTheUserCanTurnTheNoticeOff) {
  const std::string dirty = Hive("transactions_NTUSER.DAT");
  Hive("transactions_ntuser.dat.log1");
  Hive("transactions_ntuser.dat.log2");
  driver.Start({"--hive", dirty});
  const std::string notice = TakeBox(IDNO);
  EXPECT_NE(notice.find("transactions_NTUSER.DAT: recovered (23 log entries from "
                        "transactions_ntuser.dat.log1, sequence 566 -> 589)"),
            std::string::npos)
      << notice;
  EXPECT_NE(notice.find("Show this notice again when hives are opened in this session?"),
            std::string::npos);
  // Turned off: the same hive dropped again opens without a word.
  const std::string system = Hive("SYSTEM");
  driver.DropFiles(driver.MainWindow(), {dirty, system});
  ASSERT_TRUE(ProgramDriver::WaitFor([&] {
    return Caption() == "Trailwick ( XQV ) - offline: transactions_NTUSER.DAT, SYSTEM";
  })) << Caption();
  Sleep(500);
  EXPECT_EQ(driver.MessageBoxWindow(), nullptr);
  EXPECT_TRUE(driver.Close());
}

TEST_F(EvidenceEndToEnd, ASessionWritesOnlyTheWindowsOwnValueAndTheEvidenceKeepsItsBytesAndTimes) {
  const std::vector<std::string> hives = {
      Hive("NTUSER.DAT"), Hive("SYSTEM"), Hive("transactions_NTUSER.DAT"),
      Hive("transactions_ntuser.dat.log1"), Hive("transactions_ntuser.dat.log2")};
  // Evidence written long ago and read since: the host (relatime) would otherwise stamp the
  // first read of a fresh copy, whoever reads it.
  std::map<std::string, FileState> before;
  for (const std::string& file : hives) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME accessed;
    SystemTimeToFileTime(&now, &accessed);
    const FILETIME written{0xF03E4000, 0x01D4A164}; // 1 January 2019
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, &written, &accessed, &written);
    CloseHandle(h);
    before[file] = StateOf(file);
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, "Velmo");
  SettleDisplayDriver();
  const RegistrySnapshot registryBefore = Snapshot();

  const auto click = [&](int sheet, int index) {
    EXPECT_TRUE(driver.ClickListItem(List(sheet), index));
  };
  driver.Start({"--hive", hives[0], "--hive", hives[1]});
  for (const int item : {6, 25, 27})
    click(0, item);
  ASSERT_TRUE(driver.StartBatch(SheetButton(0, "Save All Items (Admin)"), List(0), ReportFolder()));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return FilesIn(ReportFolder()).size() == 33; }, 60000));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return IsWindowEnabled(List(0)) != FALSE; }));
  driver.DropFiles(driver.MainWindow(), {hives[2], hives[3], hives[4]});
  EXPECT_NE(TakeBox(IDYES).find("recovered"), std::string::npos);
  click(0, 6);
  ShowSheet(1);
  ShowSheet(2);
  click(2, 6);
  EXPECT_GT(Rows(Grid(2)), 0);
  ASSERT_TRUE(driver.Close());

  const std::vector<std::string> changes = Changes(registryBefore, Snapshot());
  ASSERT_EQ(changes.size(), 1u) << testing::PrintToString(changes);
  EXPECT_EQ(changes[0], "HKCU\\Velmo|09 = 1|" + driver.ProgramPath() + std::string(1, '\0'));
  for (const std::string& file : hives)
    EXPECT_TRUE(StateOf(file) == before[file]) << file;
}

} // namespace
} // namespace tw::test
