// The navigation buttons of both tabs on the form's current rows.

#include <gtest/gtest.h>

#include "app/WKS_Main.h"
#include "support/platform.h"

namespace tw {
namespace {

using Launches = std::vector<RecordingShell::Launch>;
constexpr WindowHandle kWindow = 0x10a2;

class NavigationTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    form.SetHandle(kWindow);
    form.Preview.Assign({"C:\\WINDOWS=notepad.exe", "Run=\"C:\\Program Files\\App\\app.exe\" /s",
                         "line without equals"});
    form.Preview2.Assign({"Recent file=C:\\Docs\\a.txt", "Folder=D:\\Data\\"});
  }
  TWKSForm form;
};

TEST_F(NavigationTest, CopyButtonsCopyTheCellsOfTheCurrentRow) {
  form.Button1.Click();
  EXPECT_EQ(clipboard.Text(), "C:\\WINDOWS");
  form.Button3.Click();
  EXPECT_EQ(clipboard.Text(), "notepad.exe");
  form.Preview.SetCurrentRow(2);
  form.Button1.Click();
  EXPECT_EQ(clipboard.Text(), "");
  form.Button3.Click();
  EXPECT_EQ(clipboard.Text(), "line without equals");
  form.Preview2.SetCurrentRow(1);
  form.Button6.Click();
  EXPECT_EQ(clipboard.Text(), "Folder");
  form.Button7.Click();
  EXPECT_EQ(clipboard.Text(), "D:\\Data\\");
}

TEST_F(NavigationTest, CopyFromAnEmptyGridCopiesAnEmptyText) {
  form.Preview.Assign(std::vector<std::string>{});
  clipboard.SetText("old");
  form.Button3.Click();
  EXPECT_EQ(clipboard.Text(), "");
}

TEST_F(NavigationTest, OpenButtonsHandTheirCellsToTheShell) {
  form.Button4.Click();
  form.Button5.Click();
  form.Button11.Click();
  form.Button13.Click();
  form.Preview.SetCurrentRow(1);
  form.Preview.DblClick();
  EXPECT_EQ(shell.launches, (Launches{{kWindow, "C:\\WINDOWS"},
                                      {kWindow, "notepad.exe"},
                                      {kWindow, "C:\\WINDOWS\\notepad.exe"},
                                      {kWindow, "notepad.exe\\C:\\WINDOWS"},
                                      {kWindow, "\"C:\\Program Files\\App\\app.exe\" /s"}}));
}

TEST_F(NavigationTest, FindTargetOpensTheFolderOfTheCell) {
  form.Button14.Click(); // the key C:\WINDOWS
  form.Preview.SetCurrentRow(1);
  form.Button14.Click(); // the key "Run" names no folder
  form.Button15.Click();
  form.Preview2.SetCurrentRow(0);
  form.Button17.Click();
  EXPECT_EQ(shell.launches, (Launches{{kWindow, "C:\\"},
                                      {kWindow, "C:\\Program Files\\App\\"},
                                      {kWindow, "C:\\Docs\\"}}));
}

TEST_F(NavigationTest, TheSecondTabOpensValuesOnlyAndItsGridDoubleClickOpensTheValue) {
  for (TButton* button : {&form.Button16, &form.Button8, &form.Button18, &form.Button19})
    EXPECT_FALSE(button->Enabled()) << button->Name();
  for (TButton* button : {&form.Button6, &form.Button7, &form.Button9, &form.Button17,
                          &form.Button12, &form.Button10})
    EXPECT_TRUE(button->Enabled()) << button->Name();
  form.Button9.Click();
  form.Preview2.SetCurrentRow(1);
  form.Preview2.DblClick();
  EXPECT_EQ(shell.launches, (Launches{{kWindow, "C:\\Docs\\a.txt"}, {kWindow, "D:\\Data\\"}}));
}

} // namespace
} // namespace tw
