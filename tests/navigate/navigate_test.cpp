#include <gtest/gtest.h>

#include "navigate/navigate.h"
#include "runtime/code_page.h"
#include "runtime/exceptions.h"
#include "runtime/seam.h"
#include "support/platform.h"

namespace tw {
namespace {

using Launch = RecordingShell::Launch;
using Launches = std::vector<Launch>;

TEST(SelectedText, TagsChooseTheCells) {
  EXPECT_EQ(SelectedText(0, "C:\\WINDOWS", "notepad.exe"), "C:\\WINDOWS");
  EXPECT_EQ(SelectedText(1, "C:\\WINDOWS", "notepad.exe"), "notepad.exe");
  EXPECT_EQ(SelectedText(12, "C:\\WINDOWS", "notepad.exe"), "C:\\WINDOWS\\notepad.exe");
  EXPECT_EQ(SelectedText(12, "C:\\WINDOWS\\", "notepad.exe"), "C:\\WINDOWS\\notepad.exe");
  EXPECT_EQ(SelectedText(21, "notepad.exe", "C:\\WINDOWS"), "C:\\WINDOWS\\notepad.exe");
  EXPECT_EQ(SelectedText(12, "", "notepad.exe"), "notepad.exe");
  EXPECT_EQ(SelectedText(21, "", "x"), "x\\");
  EXPECT_FALSE(SelectedText(2, "a", "b"));
  EXPECT_FALSE(SelectedText(-1, "a", "b"));
}

TEST(TargetFolder, CutsAfterTheLastBackslashOrColon) {
  EXPECT_EQ(TargetFolder("C:\\WINDOWS\\system32\\notepad.exe"), "C:\\WINDOWS\\system32\\");
  EXPECT_EQ(TargetFolder("\"C:\\Program Files\\App\\app.exe\" /s"), "C:\\Program Files\\App\\");
  EXPECT_EQ(TargetFolder("C:\\Program Files\\App\\app.exe /dir:C:\\Temp"),
            "C:\\Program Files\\App\\app.exe /dir:C:\\");
  EXPECT_EQ(TargetFolder("notepad.exe"), "");
  EXPECT_EQ(TargetFolder("D:"), "D:");
  EXPECT_EQ(TargetFolder("\"\"\""), "");
  EXPECT_EQ(TargetFolder(""), "");
  EXPECT_EQ(TargetFolder("UEME_RUNPATH:C:\\WINDOWS\\notepad.exe"), "UEME_RUNPATH:C:\\WINDOWS\\");
  EXPECT_EQ(TargetFolder("%SystemRoot%\\system32\\x.dll"), "%SystemRoot%\\system32\\");
}

// Shift-JIS: lead bytes 0x81-0x9F and 0xE0-0xFC; the trail byte may be 0x5C ("\").
class ShiftJis final : public CodePage {
public:
  unsigned Number() const override { return 932; }
  bool IsLeadByte(uint8_t b) const override { return (b >= 0x81 && b <= 0x9f) || b >= 0xe0; }
  std::string FromUtf16(std::u16string_view text) const override {
    return Cp1252CodePage().FromUtf16(text);
  }
  std::u16string ToUtf16(std::string_view text) const override {
    return Cp1252CodePage().ToUtf16(text);
  }
};

TEST(TargetFolder, ATrailByteOfADoubleByteCharacterIsNoDelimiter) {
  // 0x95 0x5C is one character whose second byte is "\".
  const std::string path = "C:\\\x95\x5c\\a\x95\x5c.txt";
  EXPECT_EQ(TargetFolder(path), "C:\\\x95\x5c\\a\x95\\") << "single-byte: every 0x5C counts";
  ShiftJis shiftJis;
  ScopedSeam<CodePage> seam(shiftJis);
  EXPECT_EQ(TargetFolder(path), "C:\\\x95\x5c\\");
  EXPECT_EQ(TargetFolder("\x95\x5c"), "");
  EXPECT_EQ(TargetFolder("a\\\x95"), "a\\") << "a lead byte at the end stands alone";
}

class NavigateTest : public test::PortablePlatformTest {};

TEST_F(NavigateTest, OpenSelectionHandsTheTextToTheShellUnchanged) {
  OpenSelection(77, 1, "k", "\"C:\\Program Files\\App\\app.exe\" /s %TEMP%");
  OpenSelection(77, 12, "C:\\WINDOWS", "notepad.exe");
  OpenSelection(77, 5, "C:\\WINDOWS", "notepad.exe");
  OpenSelection(77, 1, "k", "");
  EXPECT_EQ(shell.launches, (Launches{{77, "\"C:\\Program Files\\App\\app.exe\" /s %TEMP%"},
                                      {77, "C:\\WINDOWS\\notepad.exe"}}));
}

TEST_F(NavigateTest, FindTargetOpensTheFolderOfKeyOrValue) {
  FindTarget(5, 0, "C:\\a\\b.exe", "D:\\c\\d.exe");
  FindTarget(5, 1, "C:\\a\\b.exe", "D:\\c\\d.exe");
  FindTarget(5, 12, "C:\\a\\b.exe", "D:\\c\\d.exe");
  FindTarget(5, 1, "C:\\a\\b.exe", "notepad.exe");
  EXPECT_EQ(shell.launches, (Launches{{5, "C:\\a\\"}, {5, "D:\\c\\"}}));
}

TEST_F(NavigateTest, CopyReplacesTheClipboardText) {
  CopyToClipboard("first");
  CopyToClipboard("");
  EXPECT_EQ(clipboard.Text(), "");
  CopyToClipboard("C:\\x");
  EXPECT_EQ(clipboard.Text(), "C:\\x");
}

TEST_F(NavigateTest, AHeldClipboardRaisesAndKeepsItsText) {
  CopyToClipboard("kept");
  clipboard.SetHeld(true);
  try {
    CopyToClipboard("new");
    FAIL() << "no error";
  } catch (const EClipboardException& error) {
    EXPECT_EQ(error.Message(), "Cannot open clipboard");
  }
  EXPECT_EQ(clipboard.Text(), "kept");
}

} // namespace
} // namespace tw
