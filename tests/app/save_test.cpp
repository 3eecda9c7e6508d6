// Saving reports from the form: golden files for both formats, the batches of both tabs.

#include <gtest/gtest.h>

#include <fstream>

#include "readers/catalog.h"
#include "app/WKS_Main.h"
#include "report/report.h"
#include "runtime/exceptions.h"
#include "support/platform.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

// The rows behind the golden reports in tests/fixtures/reports.
const Rows kGoldenRows = {
    "Common Desktop=C:\\Documents and Settings\\All Users\\Desktop",
    "DisplayName=",
    "Run=\"C:\\Program Files\\App\\app.exe\" /s",
    "Drive=D:\\",
    "Path=Software\\Microsoft",
    "Count=0",
    "MUI=@C:\\WINDOWS\\system32\\shell32.dll,-8964",
    "a<b & c=x>y",
    "no equals sign here",
    "=C:\\only\\value",
    "UEME_RUNPATH:C:\\WINDOWS\\notepad.exe=UEME_RUNPATH:C:\\WINDOWS\\notepad.exe",
    "Quote=say \"hi\" at C:\\x & y",
};

std::string Golden(const std::string& name) {
  return test::ReadFileBytes(test::FixturePath("reports/" + name));
}

// Forwards to the host file system and notes the form's state at every report as it takes its
// place; `failAt` makes that write attempt fail as an access denial would.
class WatchingFileSystem final : public FileSystem {
public:
  struct Write {
    std::string path;
    bool listEnabled, gridEnabled, saveEnabled, othersEnabled;
    int position;
  };
  WatchingFileSystem(FileSystem& inner, std::function<Write(const std::string&)> watch)
      : inner_(inner), watch_(std::move(watch)) {}
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  void WriteFile(const std::string& path, std::string_view bytes) override {
    if (tries++ == failAt)
      throw EFCreateError(path, "Access is denied.");
    inner_.WriteFile(path, bytes);
  }
  std::optional<std::string> MoveReplacing(const std::string& from,
                                           const std::string& to) override {
    writes.push_back(watch_(to));
    return inner_.MoveReplacing(from, to);
  }
  void RemoveFile(const std::string& path) override { inner_.RemoveFile(path); }
  std::vector<Write> writes;
  int tries = 0;
  int failAt = -1;

private:
  FileSystem& inner_;
  std::function<Write(const std::string&)> watch_;
};

class SaveTest : public test::PortablePlatformTest {
protected:
  std::string Name(const std::string& path) const { return path.substr(path.rfind('\\') + 1); }
  WatchingFileSystem watching{files, [this](const std::string& path) {
                                return WatchingFileSystem::Write{path,
                                                                 form.ZList.Enabled(),
                                                                 form.Preview.Enabled(),
                                                                 form.Save1.Enabled(),
                                                                 form.Save2.Enabled() &&
                                                                     form.Save3.Enabled() &&
                                                                     form.cmbSave.Enabled(),
                                                                 form.Progress.Position()};
                              }};
  TWKSForm form;
};

TEST_F(SaveTest, GoldenHtmlReport) {
  form.ZList.SetItemIndex(0);
  form.Preview.Assign(kGoldenRows);
  form.Save1.Click();
  EXPECT_EQ(ReportFiles(), (Rows{"[C] Regedit Favorites & Last Key (CU).html"}));
  EXPECT_EQ(ReadReport("[C] Regedit Favorites & Last Key (CU).html"), Golden("plain.html"));
}

TEST_F(SaveTest, GoldenTextReport) {
  form.ZList.SetItemIndex(0);
  form.Preview.Assign(kGoldenRows);
  form.cmbSave.SetItemIndex(0);
  form.Save1.Click();
  EXPECT_EQ(ReadReport("[C] Regedit Favorites & Last Key (CU).txt"), Golden("rows.txt"));
}

TEST_F(SaveTest, TheUserAssistItemWithRunPathsLinksWithoutThePrefix) {
  form.ZList.SetItemIndex(9);
  form.Preview.Assign(kGoldenRows);
  form.Save1.Click();
  EXPECT_EQ(ReadReport(std::string(Catalog()[9].label) + ".html"), Golden("runpath.html"));
}

TEST_F(SaveTest, AnEmptyPreviewGivesTheFrameOrAnEmptyFile) {
  form.ZList.SetItemIndex(5);
  form.Save1.Click();
  EXPECT_EQ(ReadReport("[H] Run MRU (CU).html"), Golden("empty.html"));
  form.cmbSave.SetItemIndex(0);
  form.Save1.Click();
  EXPECT_EQ(ReadReport("[H] Run MRU (CU).txt"), "");
}

TEST_F(SaveTest, NothingIsWrittenWithoutASelection) {
  form.Preview.Assign(kGoldenRows);
  form.Save1.Click();
  form.Preview2.Assign(kGoldenRows);
  form.Button12.Click();
  EXPECT_FALSE(std::filesystem::exists(HostPath(ReportFolderPath())));
}

TEST_F(SaveTest, TheSecondTabKeepsRunPathsInLinksAndNamesFilesAfterTheApplication) {
  WriteDatabase("[Alpha]\r\nCheck=HKCU|Software\r\n");
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software]\r\n");
  form.GetNML();
  form.NMList.SetItemIndex(0);
  form.Preview2.Assign({"k=UEME_RUNPATH:C:\\a.exe"});
  form.Button12.Click();
  EXPECT_NE(ReadReport("Alpha.html").find("href=\"file:///UEME_RUNPATH:C:\\a.exe\""),
            std::string::npos);
}

class BatchTest : public SaveTest {
protected:
  void SetUp() override { LoadFixture("catalog.reg"); }
  ScopedSeam<FileSystem> watchingSeam{watching};
};

TEST_F(BatchTest, GuestWritesTheEighteenCurrentUserItems) {
  form.cmbSave.SetItemIndex(0);
  form.Save2.Click();
  Rows expected;
  for (const CatalogItem& item : Catalog())
    if (item.label.find("(CU)") != std::string_view::npos)
      expected.push_back(std::string(item.label) + ".txt");
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(expected.size(), 18u);
  EXPECT_EQ(ReportFiles(), expected);
  ASSERT_EQ(watching.writes.size(), 18u);
  for (const WatchingFileSystem::Write& write : watching.writes) {
    EXPECT_FALSE(write.listEnabled || write.gridEnabled || write.saveEnabled) << write.path;
    EXPECT_TRUE(write.othersEnabled);
  }
  // The bar steps once per catalog item, taken or not: item 12's report is the twelfth, after
  // twelve steps.
  EXPECT_EQ(watching.writes[11].path,
            ReportFolderPath() + "\\" + std::string(Catalog()[12].label) + ".txt");
  EXPECT_EQ(watching.writes[11].position, 12);
  EXPECT_TRUE(form.ZList.Enabled() && form.Preview.Enabled() && form.Save1.Enabled());
  EXPECT_EQ(form.Progress.Position(), 0);
  EXPECT_EQ(form.ZList.ItemIndex(), 33);
}

TEST_F(BatchTest, EachReportHoldsItsOwnItemsRows) {
  form.cmbSave.SetItemIndex(0);
  form.Save3.Click();
  EXPECT_EQ(ReportFiles().size(), 34u);
  for (int i : {0, 2, 5, 6}) {
    TWKSForm single;
    single.ZList.SetItemIndex(i);
    single.ZListClick(single.ZList);
    ASSERT_GT(single.Preview.RowCount(), 0);
    EXPECT_EQ(ReadReport(std::string(Catalog()[i].label) + ".txt"),
              TextReport(single.Preview.Rows()));
  }
}

TEST_F(BatchTest, AdminWritesAllThirtyFourIntoOneFolder) {
  form.Save3.Click();
  EXPECT_EQ(ReportFiles().size(), 34u);
  for (const WatchingFileSystem::Write& write : watching.writes)
    EXPECT_EQ(write.path.substr(0, ReportFolderPath().size() + 1), ReportFolderPath() + "\\");
  form.Save3.Click();
  EXPECT_EQ(ReportFiles().size(), 34u);
  form.cmbSave.SetItemIndex(0);
  form.Save3.Click();
  EXPECT_EQ(ReportFiles().size(), 68u) << "both formats side by side";
}

TEST_F(BatchTest, AReportThatCannotBeWrittenEndsTheBatch) {
  watching.failAt = 2;
  try {
    form.Save3.Click();
    FAIL() << "no error";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(std::string(error.Message()), "Cannot create file \"" + ReportFolderPath() + "\\" +
                                                std::string(Catalog()[2].label) +
                                                ".html\". Access is denied");
  }
  EXPECT_EQ(ReportFiles().size(), 2u);
  EXPECT_TRUE(form.ZList.Enabled() && form.Preview.Enabled() && form.Save1.Enabled());
  EXPECT_EQ(form.Progress.Position(), 0);
}

TEST_F(BatchTest, AnUnwritableFolderStopsTheBatchAtTheFirstReport) {
  std::ofstream(HostPath(ReportFolderPath()), std::ios::binary) << "a file in the way";
  EXPECT_THROW(form.Save2.Click(), EFCreateError);
  EXPECT_EQ(watching.tries, 1) << "one report tried";
  EXPECT_TRUE(watching.writes.empty());
  EXPECT_TRUE(form.ZList.Enabled() && form.Preview.Enabled() && form.Save1.Enabled());
  EXPECT_EQ(form.Progress.Position(), 0);
  EXPECT_EQ(form.ZList.ItemIndex(), 0);
}

TEST_F(BatchTest, AnItemWhoseReaderFailsGetsNoReport) {
  // Item 0's reader raises on a multi-string "LastKey" after listing the favorites.
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_"
          "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit]\r\n"
          "\"LastKey\"=hex(7):61,00,00\r\n");
  form.ZList.SetItemIndex(5);
  form.ZListClick(form.ZList);
  form.cmbSave.SetItemIndex(0);
  form.Save2.Click();
  const Rows files = ReportFiles();
  EXPECT_EQ(files.size(), 17u);
  EXPECT_EQ(std::count(files.begin(), files.end(), std::string(Catalog()[0].label) + ".txt"), 0);
  EXPECT_EQ(watching.writes[0].position, 1) << "the bar stepped past the failed item";
}

class SecondTabBatchTest : public SaveTest {
protected:
  void SetUp() override {
    LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"v\"=\"a\"\r\n"
            "[HKEY_CURRENT_USER\\Software\\B]\r\n\"v\"=\"b\"\r\n\"n\"=dword:00000001\r\n"
            "[HKEY_CURRENT_USER\\Software\\C]\r\n\"v\"=\"c\"\r\n");
  }
  ScopedSeam<FileSystem> watchingSeam{watching};
};

TEST_F(SecondTabBatchTest, WritesOneReportPerListedApplication) {
  WriteDatabase("[Gamma]\r\nCheck=HKCU|Software\\C\r\nValue=HKCU|Software\\C|v\r\n"
                "[Absent]\r\nCheck=HKCU|Software\\Z\r\n"
                "[Alpha]\r\nCheck=HKCU|Software\\A\r\nValue=HKCU|Software\\A|v\r\n"
                "[..\\..\\Beta]\r\nCheck=HKCU|Software\\B\r\nValue=HKCU|Software\\B|v\r\n");
  form.GetNML();
  form.ComboBox1.SetItemIndex(0);
  form.Button10.Click();
  EXPECT_EQ(ReportFiles(), (Rows{".._.._Beta.txt", "Alpha.txt", "Gamma.txt"}));
  EXPECT_EQ(ReadReport("Alpha.txt"), "Value=a\r\n");
  EXPECT_EQ(ReadReport(".._.._Beta.txt"), "Value=b\r\n");
  EXPECT_EQ(form.ProgressBar1.Max(), 3);
  EXPECT_EQ(watching.writes.size(), 3u);
  EXPECT_EQ(form.ProgressBar1.Position(), 0);
  EXPECT_EQ(form.NMList.ItemIndex(), 2);
  EXPECT_EQ(form.Label6.Caption(), "Total Items : 1");
}

TEST_F(SecondTabBatchTest, StepsItsOwnBarAndDisablesItsOwnControls) {
  WriteDatabase("[A]\r\nCheck=HKCU|Software\\A\r\n[C]\r\nCheck=HKCU|Software\\C\r\n");
  form.GetNML();
  WatchingFileSystem secondTab(files, [&](const std::string& path) {
    return WatchingFileSystem::Write{path,
                                     form.NMList.Enabled(),
                                     form.Preview2.Enabled(),
                                     form.Button12.Enabled(),
                                     form.Button10.Enabled() && form.ComboBox1.Enabled(),
                                     form.ProgressBar1.Position()};
  });
  ScopedSeam<FileSystem> seam(secondTab);
  form.Button10.Click();
  ASSERT_EQ(secondTab.writes.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const WatchingFileSystem::Write& write = secondTab.writes[static_cast<size_t>(i)];
    EXPECT_FALSE(write.listEnabled || write.gridEnabled || write.saveEnabled);
    EXPECT_TRUE(write.othersEnabled);
    EXPECT_EQ(write.position, i);
  }
  EXPECT_TRUE(form.NMList.Enabled() && form.Preview2.Enabled() && form.Button12.Enabled());
}

TEST_F(SecondTabBatchTest, AnEmptyListWritesNothing) {
  form.GetNML();
  form.Button10.Click();
  EXPECT_TRUE(ReportFiles().empty());
  EXPECT_EQ(form.ProgressBar1.Min(), 0);
  EXPECT_EQ(form.ProgressBar1.Max(), 0);
  EXPECT_TRUE(form.NMList.Enabled() && form.Preview2.Enabled() && form.Button12.Enabled());
}

TEST_F(SecondTabBatchTest, AValueOfANonTextTypeEndsTheBatchWithItsError) {
  WriteDatabase("[A]\r\nCheck=HKCU|Software\\A\r\nValue=HKCU|Software\\A|v\r\n"
                "[B]\r\nCheck=HKCU|Software\\B\r\nNumber=HKCU|Software\\B|n\r\n"
                "[C]\r\nCheck=HKCU|Software\\C\r\nValue=HKCU|Software\\C|v\r\n");
  form.GetNML();
  try {
    form.Button10.Click();
    FAIL() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(std::string(error.Message()), "Invalid data type for 'n'");
  }
  EXPECT_EQ(ReportFiles(), (Rows{"A.html"}));
  EXPECT_TRUE(form.NMList.Enabled() && form.Preview2.Enabled() && form.Button12.Enabled());
  EXPECT_EQ(form.ProgressBar1.Position(), 0);
}

} // namespace
} // namespace tw
