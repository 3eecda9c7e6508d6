// The Win32 seams of reports and navigation on the platform: executable, date, files, clipboard
// and code page.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "navigate/navigate.h"
#include "report/report.h"
#include "runtime/exceptions.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_platform.h"
#include "runtime/win32/win32_system_info.h"
#include "support/platform.h"

namespace tw {
namespace {

TEST(Win32Executable, NamesTheRunningTestProgram) {
  const std::string path = Win32Executable().Path();
  EXPECT_TRUE(path.ends_with("\\platform_wine_tests.exe")) << path;
  Win32Executable exe;
  ScopedSeam<Executable> seam(exe);
  EXPECT_EQ(ExecutableFolder() + "platform_wine_tests.exe", path);
}

TEST(Win32SystemInfo, TodayAgreesWithTheCLibrary) {
  const LocalDate before = PortableSystemInfo().Now().Date();
  const LocalDate platform = Win32SystemInfo().Now().Date();
  const LocalDate after = PortableSystemInfo().Now().Date();
  EXPECT_TRUE(platform == before || platform == after);
}

class Win32FilesTest : public testing::Test {
protected:
  test::TempFolder folder;
  Win32FileSystem files;
};

TEST_F(Win32FilesTest, CreatesFoldersAndWritesFiles) {
  EXPECT_TRUE(files.CreateFolder(folder.Path() + "d"));
  EXPECT_TRUE(files.CreateFolder(folder.Path() + "d"));
  EXPECT_FALSE(files.CreateFolder(folder.Path() + "x\\y"));
  files.WriteFile(folder.Path() + "d\\r.txt", std::string("a\r\n\0b", 5));
  files.WriteFile(folder.Path() + "d\\r.txt", "second");
  EXPECT_EQ(test::ReadFileBytes(folder.Path() + "d\\r.txt"), "second");
}

TEST_F(Win32FilesTest, ASaveReplacesInOneStepAndWhatCannotBeReplacedStaysAsItWas) {
  const std::string path = folder.Path() + "r.html";
  SaveFile(files, path, "first");
  SaveFile(files, path, "second");
  EXPECT_EQ(test::ReadFileBytes(path), "second");
  EXPECT_EQ(GetFileAttributesA(SavingPath(path).c_str()), INVALID_FILE_ATTRIBUTES);
  // A folder of the report's name cannot be replaced by the written file.
  const std::string blocked = folder.Path() + "b.html";
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  try {
    SaveFile(files, blocked, "third");
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& error) {
    const std::string prefix = "Cannot create file \"" + blocked + "\". ";
    EXPECT_EQ(error.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(error.Message().size(), prefix.size()) << "the system's text follows";
  }
  EXPECT_NE(GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(GetFileAttributesA(SavingPath(blocked).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32FilesTest, AFileThatCannotBeCreatedCarriesTheSystemsText) {
  const std::string path = folder.Path() + "missing\\r.txt";
  try {
    files.WriteFile(path, "x");
    FAIL() << "no error";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), CreateFileErrorMessage(path, SystemErrorText(ERROR_PATH_NOT_FOUND)));
    EXPECT_GT(SystemErrorText(ERROR_PATH_NOT_FOUND).size(), 5u);
    EXPECT_NE(error.Message().back(), '.');
    EXPECT_NE(error.Message().back(), '\n');
  }
}

TEST_F(Win32FilesTest, AReportGoesIntoTheDatedFolder) {
  PortableExecutable exe(folder.Path() + "Trailwick.exe");
  test::FakeSystemInfo system = test::FakeSystemInfo::At({2026, 12, 7, 1, 10, 30, 0});
  ScopedSeam<Executable> exeSeam(exe);
  ScopedSeam<SystemInfo> systemSeam(system);
  ScopedSeam<FileSystem> filesSeam(files);
  const std::string path = WriteReport("[H] Run MRU (CU)", {"a=C:\\x", "b="}, ReportFormat::Html,
                                       LinkRule::RemoveQuotes);
  EXPECT_EQ(path, folder.Path() + "07-12-2026\\[H] Run MRU (CU).html");
  EXPECT_EQ(test::ReadFileBytes(path),
            HtmlReport("[H] Run MRU (CU)", {"a=C:\\x", "b="}, LinkRule::RemoveQuotes));
}

TEST(Win32Clipboard, RoundTripsPlainText) {
  Win32Clipboard clipboard;
  clipboard.SetText("Trailwick\tC:\\Program Files\\x \xe9");
  EXPECT_EQ(clipboard.Text(), "Trailwick\tC:\\Program Files\\x \xe9");
  clipboard.SetText("");
  EXPECT_EQ(clipboard.Text(), "");
}

TEST(Win32Clipboard, AClipboardHeldElsewhereRaises) {
  Win32Clipboard clipboard;
  clipboard.SetText("kept");
  // Another thread's window opens the clipboard and keeps it open until told.
  std::atomic<int> state{0}; // 0 starting, 1 holding, 2 no window, 3 failed to open, 4 release
  std::thread holder([&] {
    const HWND window = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    if (window == nullptr) {
      state = 2;
      return;
    }
    if (!OpenClipboard(window)) {
      state = 3;
    } else {
      state = 1;
      while (state != 4)
        Sleep(1);
      CloseClipboard();
    }
    DestroyWindow(window);
  });
  while (state == 0)
    Sleep(1);
  if (state == 2) {
    holder.join();
    GTEST_SKIP() << "no window can be created here (no display)";
  }
  ASSERT_EQ(state, 1) << "the other thread could not open the clipboard";
  try {
    clipboard.SetText("new");
    ADD_FAILURE() << "no error";
  } catch (const EClipboardException& error) {
    EXPECT_EQ(error.Message(), "Cannot open clipboard");
  }
  state = 4;
  holder.join();
  EXPECT_EQ(clipboard.Text(), "kept");
}

TEST(Win32CodePage, DoubleByteTrailBytesAreNoDelimiters) {
  EXPECT_FALSE(Win32CodePage(1252).IsLeadByte(0x95));
  Win32CodePage shiftJis(932);
  EXPECT_TRUE(shiftJis.IsLeadByte(0x95));
  EXPECT_FALSE(shiftJis.IsLeadByte('\\'));
  ScopedSeam<CodePage> seam(shiftJis);
  EXPECT_EQ(TargetFolder("C:\\\x95\x5c\\a\x95\x5c.txt"), "C:\\\x95\x5c\\");
}

} // namespace
} // namespace tw
