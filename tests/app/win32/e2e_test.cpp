// The real program, driven from another process under Wine and a virtual display: start-up
// captions, the catalog by mouse and keyboard, reports and batches on disk, the clipboard, the
// second tab, an unwritable report folder, every control's place, and the one registry write.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/WKS_Main.h"
#include "program_driver.h"
#include "registry/reg_file.h"
#include "registry/win32/win32_registry.h"
#include "registry_snapshot.h"
#include "report/report.h"
#include "runtime/exceptions.h"
#include "runtime/win32/win32_platform.h"
#include "runtime/win32/win32_system_info.h"
#include "support/fixtures.h"

namespace tw::test {
namespace {

class EndToEnd : public testing::Test {
protected:
  static void SetUpTestSuite() {
    // The demo traces, so that every item and a dozen database applications have rows.
    Win32Registry registry;
    for (const char* file : {"traces.reg", "applications.reg"})
      ImportRegFile(registry, ReadFileBytes(std::string(TW_DEMO_DIR) + "/" + file));
  }

  HWND ZList() { return driver.FindOfClass(driver.Sheet(0), WC_LISTBOXA, 0); }
  HWND Preview() { return driver.FindOfClass(driver.Sheet(0), WC_LISTVIEWA, 0); }
  HWND SheetButton(int sheet, const char* caption) {
    return driver.Find(driver.Sheet(sheet), WC_BUTTONA, caption);
  }
  HWND SheetLabel(int sheet, const std::string& startsWith) {
    for (HWND child : driver.Children(driver.Sheet(sheet)))
      if (ProgramDriver::Text(child).rfind(startsWith, 0) == 0)
        return child;
    return nullptr;
  }
  int Rows(HWND grid) { return static_cast<int>(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0)); }
  std::string ReportFolder() {
    return driver.Folder() + ReportFolderName(Win32SystemInfo().Now().Date());
  }
  // What another program finds on the clipboard (empty while the program holds it open). Read
  // only when the clipboard has changed: a test polling it would otherwise hold it open now and
  // then, and the program's copy would meet "Cannot open clipboard".
  static std::string ClipboardText() {
    static DWORD readAt = 0;
    static std::string text;
    const DWORD sequence = GetClipboardSequenceNumber();
    if (sequence == readAt)
      return text;
    try {
      text = Win32Clipboard().Text();
      readAt = sequence;
    } catch (const EClipboardException&) {
      return {};
    }
    return text;
  }

  ProgramDriver driver;
};

TEST_F(EndToEnd, AWholeSession) {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Velmo");
  SettleDisplayDriver();
  const RegistrySnapshot before = Snapshot();
  driver.Start();

  // Start-up captions.
  EXPECT_EQ(ProgramDriver::Text(driver.MainWindow()), "Trailwick ( XQV )");
  ASSERT_NE(SheetLabel(0, "WKS List : "), nullptr);
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(0, "WKS List : ")), "WKS List : 34 items");
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(0, "Total Items")), "Total Items : 0");

  // A click on "[H] Run MRU (CU)" fills the grid and the total.
  EXPECT_TRUE(driver.ClickListItem(ZList(), 5));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return Rows(Preview()) == 6; })) << Rows(Preview());
  EXPECT_EQ(SendMessageA(ZList(), LB_GETCURSEL, 0, 0), 5);
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(0, "Total Items")), "Total Items : 6");

  // The arrow key moves the selection and shows the next item, as a click does.
  driver.PressKey(VK_DOWN);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return Rows(Preview()) == 11; })) << Rows(Preview());
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(0, "Total Items")), "Total Items : 11");

  // "Save Selected Item" writes the HTML report into the dated folder.
  driver.PressButton(SheetButton(0, "Save Selected Item"));
  const std::string typedUrls = ReportFolder() + "\\[H] Typed URLs (CU).html";
  ASSERT_TRUE(ProgramDriver::WaitFor(
      [&] { return GetFileAttributesA(typedUrls.c_str()) != INVALID_FILE_ATTRIBUTES; }));
  const std::string report = ReadFileBytes(typedUrls);
  EXPECT_EQ(report.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n", 0), 0u);
  EXPECT_NE(report.find("https://mail.example.org/"), std::string::npos);

  // The guest batch writes the 18 "(CU)" reports; the administrator batch all 34.
  DeleteFileA(typedUrls.c_str());
  ASSERT_TRUE(driver.StartBatch(SheetButton(0, "Save All Items (Guest)"), ZList(), ReportFolder()));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return FilesIn(ReportFolder()).size() == 18; }, 30000))
      << FilesIn(ReportFolder()).size();
  for (const std::string& file : FilesIn(ReportFolder()))
    EXPECT_NE(file.find("(CU)"), std::string::npos) << file;
  ASSERT_TRUE(driver.StartBatch(SheetButton(0, "Save All Items (Admin)"), ZList(), ReportFolder()));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return FilesIn(ReportFolder()).size() == 34; }, 60000))
      << FilesIn(ReportFolder()).size();
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return IsWindowEnabled(ZList()) != FALSE; }));

  // After the batch the last item, "[S] Sound (CU)", is shown; its first row is current.
  driver.PressButton(SheetButton(0, "Copy Selected Value"));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] {
    return ClipboardText() == "%SystemRoot%\\media\\Windows Background.wav";
  })) << ClipboardText();

  // The second tab lists the database's applications present here.
  ASSERT_TRUE(driver.ClickTab(1));
  HWND nmList = driver.FindOfClass(driver.Sheet(1), WC_LISTBOXA, 0);
  const int listed = static_cast<int>(SendMessageA(nmList, LB_GETCOUNT, 0, 0));
  EXPECT_EQ(listed, 13);
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(1, "WKS List : ")),
            "WKS List : " + std::to_string(listed) + "/36 items");

  ASSERT_TRUE(driver.Close());

  // The whole session changed exactly one thing in the registry.
  const std::vector<std::string> changes = Changes(before, Snapshot());
  ASSERT_EQ(changes.size(), 1u) << testing::PrintToString(changes);
  EXPECT_EQ(changes[0], "HKCU\\Velmo|09 = 1|" + driver.ProgramPath() + std::string(1, '\0'));
}

TEST_F(EndToEnd, TabMovesInTabOrderAndTheLogoOpensAFurtherWindow) {
  driver.Start();
  EXPECT_TRUE(driver.ClickListItem(ZList(), 5));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return driver.Focus() == ZList(); }));
  driver.PressKey(VK_TAB);
  EXPECT_TRUE(ProgramDriver::WaitFor(
      [&] { return driver.Focus() == SheetButton(0, "Save Selected Item"); }));
  driver.PressKey(VK_TAB);
  EXPECT_TRUE(ProgramDriver::WaitFor(
      [&] { return driver.Focus() == SheetButton(0, "Save All Items (Guest)"); }));

  // A double-click on the logo opens a further window owned by this one; closing it only hides
  // it, and the program goes on until its main window closes.
  driver.ClickAt(driver.MainWindow(), 30, 20);
  driver.ClickAt(driver.MainWindow(), 30, 20);
  HWND further = nullptr;
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return (further = driver.OwnedForm()) != nullptr; }));
  EXPECT_EQ(ProgramDriver::Text(further), "Trailwick ( XQV )");
  PostMessageA(further, WM_CLOSE, 0, 0);
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return !IsWindowVisible(further); }));
  EXPECT_TRUE(IsWindow(further));
  EXPECT_TRUE(IsWindowVisible(driver.MainWindow()));
  EXPECT_TRUE(driver.Close());
}

TEST_F(EndToEnd, AnUnwritableReportFolderShowsTheErrorAndEndsTheBatch) {
  // A file where the dated folder should go: neither the folder nor any report can be made.
  const std::string blocker = ReportFolder();
  HANDLE h = CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  driver.Start();
  driver.PressButton(SheetButton(0, "Save All Items (Admin)"));
  HWND box = nullptr;
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return (box = driver.MessageBoxWindow()) != nullptr; }));
  EXPECT_EQ(ProgramDriver::Text(box), "Trailwick ( XQV )");
  std::string text;
  for (HWND child : driver.Children(box))
    text += ProgramDriver::Text(child) + "\n";
  EXPECT_NE(text.find("Cannot create file \"" + blocker +
                      "\\[C] Regedit Favorites & Last Key (CU).html\"."),
            std::string::npos)
      << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return driver.MessageBoxWindow() == nullptr; }));
  // The batch ended: the list and the save button work again and the bar is back at 0.
  EXPECT_TRUE(IsWindowEnabled(ZList()));
  EXPECT_TRUE(IsWindowEnabled(SheetButton(0, "Save Selected Item")));
  EXPECT_TRUE(IsWindowEnabled(Preview()));
  EXPECT_EQ(SendMessageA(driver.FindOfClass(driver.Sheet(0), PROGRESS_CLASSA, 0), PBM_GETPOS, 0, 0),
            0);
  EXPECT_TRUE(driver.ClickListItem(ZList(), 5));
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return Rows(Preview()) == 6; }));
  EXPECT_TRUE(driver.Close());
  DeleteFileA(blocker.c_str());
}

// The windows in creation order are the controls in tab order, each at its laid-out place; a
// tab's controls, made as it first shows, too.
TEST_F(EndToEnd, EveryControlStandsAtItsBounds) {
  driver.Start();
  const TWKSForm layout;
  RECT client;
  GetClientRect(driver.MainWindow(), &client);
  EXPECT_EQ(client.right, 833);
  EXPECT_EQ(client.bottom, 590);
  const auto check = [&](HWND parent, const TControl& container) {
    std::vector<const TControl*> expected;
    for (const TControl* control : layout.Controls())
      if (control->Parent() == &container && control->ClassName() != "TImage" &&
          control->ClassName() != "TBevel" && control->ClassName() != "TTabSheet")
        expected.push_back(control);
    const std::vector<HWND> windows = driver.Children(parent);
    std::vector<HWND> controls;
    for (HWND w : windows) {
      char cls[64];
      GetClassNameA(w, cls, sizeof(cls));
      // The skin's scroll-bar overlays lie over the lists and grids; they are no controls.
      if (std::string(cls) != "TTabSheet" && std::string(cls) != "TWScrollbar")
        controls.push_back(w);
    }
    ASSERT_EQ(controls.size(), expected.size()) << container.Name();
    for (size_t i = 0; i < expected.size(); ++i) {
      RECT r;
      GetWindowRect(controls[i], &r);
      MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
      const TBounds& b = expected[i]->Bounds();
      SCOPED_TRACE(expected[i]->Name());
      if (expected[i]->ClassName() == "TLabel") {
        // Labels size themselves to their text; right-aligned ones keep their right edge.
        const auto* label = static_cast<const TLabel*>(expected[i]);
        if (label->Alignment() == TAlignment::taRightJustify) {
          EXPECT_EQ(r.right, b.left + b.width);
        } else {
          EXPECT_EQ(r.left, b.left);
        }
        EXPECT_EQ(r.top, b.top);
        continue;
      }
      EXPECT_EQ(r.left, b.left);
      EXPECT_EQ(r.top, b.top);
      EXPECT_EQ(r.right - r.left, b.width);
      EXPECT_EQ(r.bottom - r.top, b.height);
      EXPECT_EQ(IsWindowEnabled(controls[i]) != FALSE, expected[i]->Enabled());
      if (expected[i]->ClassName() == "TButton") {
        EXPECT_EQ(ProgramDriver::Text(controls[i]), expected[i]->Caption());
      }
    }
  };
  check(driver.MainWindow(), layout);
  check(driver.Sheet(0), layout.TabSheet1);
  ASSERT_TRUE(driver.ClickTab(1));
  check(driver.Sheet(1), layout.TabSheet2);
  ASSERT_TRUE(driver.ClickTab(2));
  check(driver.Sheet(2), layout.TabSheet3);
  EXPECT_TRUE(driver.Close());
}

// The third tab on the traces of a Windows 10 user: its list, a preview decoded from binary
// values, the ShimCache and ShellBags after its 15, its batch into the dated folder; the
// session still writes only HKCU\Velmo "09".
TEST_F(EndToEnd, TheWindowsSevenToElevenTab) {
  Win32Registry registry;
  ImportRegFile(registry, ReadFileBytes(std::string(TW_DEMO_DIR) + "/modern.reg"));
  ImportRegFile(registry, ReadFileBytes(std::string(TW_DEMO_DIR) + "/evidence.reg"));
  RegDeleteTreeA(HKEY_CURRENT_USER, "Velmo");
  SettleDisplayDriver();
  const RegistrySnapshot before = Snapshot();
  driver.Start();
  ASSERT_TRUE(driver.ClickTab(2));
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(2, "WKS List : ")), "WKS List : 17 items");
  HWND list = driver.FindOfClass(driver.Sheet(2), WC_LISTBOXA, 0);
  HWND grid = driver.FindOfClass(driver.Sheet(2), WC_LISTVIEWA, 0);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 17);

  // "[H] ShimCache - AppCompatCache (LM)": the control set's row, then the cache's 6 entries.
  EXPECT_TRUE(driver.ClickListItem(list, 15));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return Rows(grid) == 7; })) << Rows(grid);
  // "[H] ShellBags (CU)": the class hive's 11 bags and the user hive's 2.
  EXPECT_TRUE(driver.ClickListItem(list, 16));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return Rows(grid) == 13; })) << Rows(grid);

  // "[H] CDialog - Open Save PIDL MRU (CU)": item ID lists decoded to paths.
  EXPECT_TRUE(driver.ClickListItem(list, 2));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return Rows(grid) == 3; })) << Rows(grid);
  EXPECT_EQ(ProgramDriver::Text(SheetLabel(2, "Total Items")), "Total Items : 3");
  driver.PressButton(SheetButton(2, "Copy Selected Value"));
  ASSERT_TRUE(ProgramDriver::WaitFor([&] {
    return ClipboardText() == "\\\\fileserver\\cases\\evidence 0412.zip";
  })) << ClipboardText();
  // The first tab's preview is untouched.
  EXPECT_EQ(Rows(Preview()), 0);

  ASSERT_TRUE(driver.StartBatch(SheetButton(2, "Save All Items"), list, ReportFolder()));
  const std::string userAssist =
      ReportFolder() + "\\[H] User Assist - {CEBFF5CD-ACE2-4F4F-9178-9926F41749EA} (CU).html";
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return FilesIn(ReportFolder()).size() == 17; }, 30000))
      << FilesIn(ReportFolder()).size();
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return IsWindowEnabled(list) != FALSE; }));
  const std::string report = ReadFileBytes(userAssist);
  EXPECT_NE(report.find("System32\\cmd.exe"), std::string::npos);
  EXPECT_NE(report.find("Run Count 23, Focus Count 41, Focus Time 00:30:43, Last Run 2024-03-11 "
                        "09:14:02"),
            std::string::npos);
  ASSERT_TRUE(driver.Close());

  const std::vector<std::string> changes = Changes(before, Snapshot());
  ASSERT_EQ(changes.size(), 1u) << testing::PrintToString(changes);
  EXPECT_TRUE(changes[0].starts_with("HKCU\\Velmo|09 = ")) << changes[0];
}

// A row's rectangle in the program's grid, read through memory of the program's own.
RECT RowRect(HWND grid, DWORD processId, int row) {
  RECT rect{LVIR_LABEL, 0, 0, 0};
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr)
    return {};
  void* remote = VirtualAllocEx(process, nullptr, sizeof(rect), MEM_COMMIT, PAGE_READWRITE);
  WriteProcessMemory(process, remote, &rect, sizeof(rect), nullptr);
  SendMessageA(grid, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process, remote, &rect, sizeof(rect), nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return rect;
}

void RightClickAt(HWND window, POINT client) {
  ClientToScreen(window, &client);
  SetCursorPos(client.x, client.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  SendInput(1, &input, sizeof(input));
  Sleep(30);
  input.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(1, &input, sizeof(input));
}

// The grid's context menu on a row: the row becomes current and "Copy Selected Value" copies
// that row's value, as the button below the grid does.
TEST_F(EndToEnd, TheGridsContextMenuCopiesTheValueOfTheRowItWasOpenedOn) {
  driver.Start();
  EXPECT_TRUE(driver.ClickListItem(ZList(), 5)); // "[H] Run MRU (CU)": a, b, c, d, e, MRUList
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return Rows(Preview()) == 6; })) << Rows(Preview());
  const auto popup = [&] {
    return driver.FindShown([](HWND w) {
      char cls[16];
      GetClassNameA(w, cls, sizeof(cls));
      return lstrcmpA(cls, "#32768") == 0;
    });
  };
  const RECT row = RowRect(Preview(), driver.ProcessId(), 1);
  ASSERT_GT(row.bottom, row.top);
  RightClickAt(Preview(), {(row.left + row.right) / 2, (row.top + row.bottom) / 2});
  HWND menu = nullptr;
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return (menu = popup()) != nullptr; }, 5000));
  EXPECT_EQ(SendMessageA(Preview(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  // The menu opens at the pointer; its second item is "Copy Selected Value".
  RECT at;
  GetWindowRect(menu, &at);
  POINT pointer;
  GetCursorPos(&pointer);
  EXPECT_EQ(at.left, pointer.x);
  EXPECT_EQ(at.top, pointer.y);
  driver.PressKey(VK_DOWN);
  driver.PressKey(VK_DOWN);
  driver.PressKey(VK_RETURN);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return ClipboardText() == "regedit\\1"; }))
      << ClipboardText();
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return popup() == nullptr; }));

  // The menu key opens it below the current row; Escape closes it without acting.
  driver.PressKey(VK_APPS);
  ASSERT_TRUE(ProgramDriver::WaitFor([&] { return (menu = popup()) != nullptr; }, 5000));
  GetWindowRect(menu, &at);
  POINT below{row.left, row.bottom};
  ClientToScreen(Preview(), &below);
  EXPECT_EQ(at.left, below.x);
  EXPECT_EQ(at.top, below.y);
  driver.PressKey(VK_ESCAPE);
  EXPECT_TRUE(ProgramDriver::WaitFor([&] { return popup() == nullptr; }));
  EXPECT_EQ(driver.MessageBoxWindow(), nullptr);
  ASSERT_TRUE(driver.Close());
}

} // namespace
} // namespace tw::test
