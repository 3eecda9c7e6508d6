// The window over the real hives of a Windows 7 machine: every item of the three tabs shows what
// the command line shows over the same files, the batches write what its export writes, the
// running machine's own figures stay out, the second tab lists what the hives hold, an offline
// row's path is never handed to the shell, and the session writes nothing but the window's own
// start-up value while the evidence stays as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "evidence_support.h"
#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "registry/registry.h"

namespace tw {
namespace {

using Files = std::map<std::string, std::string>;

Files ReadFolder(const std::filesystem::path& dir) {
  Files files;
  if (!std::filesystem::exists(dir))
    return files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    files[entry.path().filename().string()] = test::ReadFileBytes(entry.path().string());
  return files;
}

class RealHivesTest : public test::EvidenceTest {
protected:
  RealHivesTest() : ntuser(RealHive("NTUSER.DAT")), system(RealHive("SYSTEM")) {}

  void OpenBoth() {
    form.UseEvidence(Open({"--hive", ntuser, "--hive", system}));
    form.FormCreate(form);
  }
  std::filesystem::path ReportDir() const { return HostPath(ReportFolderPath()); }

  const std::string ntuser;
  const std::string system;
};

TEST_F(RealHivesTest, EveryItemOfBothCatalogsShowsTheRowsTheCommandLineShows) {
  OpenBoth();
  EXPECT_EQ(form.Caption(), "Trailwick ( XQV ) - offline: NTUSER.DAT, SYSTEM");
  EXPECT_EQ(form.Hint(), ntuser + "\r\n" + system);
  std::vector<std::string> args = {"show", "--hive",     ntuser, "--hive",
                                   system, "--codepage", "1252"};
  for (int i = 0; i < kCatalogSize + kModernCatalogSize; ++i)
    if (i != 10)
      args.push_back(std::to_string(i));
  const test::CliOutput cli = test::RunCommandLine(args);
  ASSERT_EQ(cli.code, 0) << cli.err;
  const auto expected = test::ShownRows(cli.out);
  size_t rows = 0;
  const auto check = [&](TListBox& list, TValueListEditor& grid, const CatalogItem& item,
                         int index) {
    SCOPED_TRACE(item.label);
    Select(list, index);
    std::vector<std::string> shown;
    for (const std::string& row : grid.Rows())
      shown.push_back(test::Utf8Of(row));
    ASSERT_TRUE(expected.contains(std::string(item.label)));
    EXPECT_EQ(shown, expected.at(std::string(item.label)));
    rows += shown.size();
  };
  for (int i = 0; i < kCatalogSize; ++i)
    if (i != 10)
      check(form.ZList, form.Preview, Catalog()[static_cast<size_t>(i)], i);
  for (int i = 0; i < kModernCatalogSize; ++i)
    check(form.WList, form.Preview3, ModernCatalog()[static_cast<size_t>(i)], i);
  // The hives fill the items: the comparison is over real rows.
  EXPECT_GT(rows, 450u);
}

TEST_F(RealHivesTest, BatchesWriteWhatTheCommandLinesExportWritesByteForByte) {
  OpenBoth();
  for (const auto& [choice, format] : {std::pair{0, "txt"}, std::pair{1, "html"}}) {
    SCOPED_TRACE(format);
    std::filesystem::remove_all(ReportDir());
    form.cmbSave.SetItemIndex(choice);
    form.ComboBox2.SetItemIndex(choice);
    form.Save3.Click();
    form.Button22.Click();
    const Files window = ReadFolder(ReportDir());
    const std::filesystem::path out = evidence.Host() / (std::string("cli-") + format);
    const test::CliOutput cli =
        test::RunCommandLine({"export", "--hive", ntuser, "--hive", system, "--admin", "--modern",
                              "--format", format, "--codepage", "1252", "--out", out.string()});
    ASSERT_EQ(cli.code, 0) << cli.err;
    const Files exported = ReadFolder(out);
    // Both leave out the memory figures: 33 of the first tab's items and the third tab's 17.
    EXPECT_EQ(window.size(), 50u);
    EXPECT_FALSE(window.contains(std::string(Catalog()[10].label) + "." + format));
    EXPECT_EQ(window, exported);
    // Every report names its source.
    const std::string typedUrls = window.at(std::string("[H] Typed URLs (CU).") + format);
    EXPECT_NE(typedUrls.find("Trailwick - [H] Typed URLs (CU) - offline: NTUSER.DAT, SYSTEM"),
              std::string::npos);
  }
}

TEST_F(RealHivesTest, AnOfflineRowsPathIsNeverOpenedButItsFolderAndItsCellsAreAtHand) {
  OpenBoth();
  Select(form.ZList, 25); // "[O] Shell Folders (CU)": the user's folders on that machine
  const auto rows = form.Preview.Rows();
  const auto path = std::find_if(rows.begin(), rows.end(), [](const std::string& row) {
    return row.find("=C:\\Users\\vibranium\\") != std::string::npos;
  });
  ASSERT_NE(path, rows.end());
  form.Preview.SetCurrentRow(static_cast<int>(path - rows.begin()));
  for (TButton* open : {&form.Button4, &form.Button5, &form.Button11, &form.Button13, &form.Button9,
                        &form.Button27, &form.Button28, &form.Button29, &form.Button30}) {
    EXPECT_FALSE(open->Enabled()) << open->Name();
  }
  // Neither the handler nor a double-click on a grid hands anything to the shell.
  form.Button4Click(form.Button5);
  form.Preview.DblClick();
  form.Preview2.DblClick();
  form.Preview3.DblClick();
  EXPECT_TRUE(shell.launches.empty());
  // The context menu offers them disabled, and copy and find target as ever.
  ASSERT_TRUE(form.PreviewContextPopup(form.Preview, form.Preview.CurrentRow()));
  for (const auto& item : form.PreviewMenu.Items) {
    if (item.caption.starts_with("Open")) {
      EXPECT_FALSE(item.enabled) << item.caption;
    }
  }
  form.Button15.Click();
  form.Button3.Click();
  const std::string value = form.Preview.CurrentValue();
  ASSERT_EQ(shell.launches.size(), 1u);
  EXPECT_EQ(shell.launches[0].file, value.substr(0, value.rfind('\\') + 1));
  EXPECT_EQ(clipboard.Text(), value);
}

TEST_F(RealHivesTest, TheSecondTabListsTheApplicationsWhoseKeysTheHivesHold) {
  WriteDatabase("[Typed addresses]\r\nCheck=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs"
                "\r\nFirst=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs|url1\r\n"
                "[Only here]\r\nCheck=HKCU|Software\\Examiner\r\n"
                "[Machine]\r\nCheck=HKLM|SYSTEM\\Select\r\n");
  // The examiner's own machine has an application the evidence lacks.
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Examiner]\r\n");
  OpenBoth();
  EXPECT_EQ(form.NMList.Items().ToVector(),
            (std::vector<std::string>{"Machine", "Typed addresses"}));
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 2/3 items");
  Select(form.NMList, 1);
  EXPECT_EQ(form.Preview2.Rows(), std::vector<std::string>{"First=http://199.73.28.114:53/"});
}

// The live registry of these tests starts empty: whatever is in it afterwards was written.
std::vector<std::string> KeysBelow(RegKey root) {
  TStringList names;
  ListSubKeyNames(root, "", names);
  return names.ToVector();
}

TEST_F(RealHivesTest, ASessionWritesOnlyTheWindowsOwnValueAndLeavesTheEvidenceAsItWas) {
  const auto stamp = [](const std::string& path) {
    return std::pair{test::ReadFileBytes(path), std::filesystem::last_write_time(path)};
  };
  const auto ntuserBefore = stamp(ntuser);
  const auto systemBefore = stamp(system);
  WriteDatabase("[Typed addresses]\r\nCheck=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs"
                "\r\nFirst=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs|url1\r\n");
  OpenBoth();
  form.Save3.Click();
  form.Button10.Click();
  form.Button22.Click();
  form.cpr.Click();
  EXPECT_EQ(KeysBelow(reg::kCurrentUser), std::vector<std::string>{"Velmo"});
  EXPECT_TRUE(KeysBelow(reg::kLocalMachine).empty());
  TStringList values;
  ListValueNames(reg::kCurrentUser, "Velmo", values);
  EXPECT_EQ(values.ToVector(), std::vector<std::string>{"09"});
  EXPECT_EQ(ReadUserString("Velmo", "09"), ExeFolder() + "Trailwick.exe");
  EXPECT_EQ(ReportFiles().size(), 33u + 1u + 17u);
  EXPECT_EQ(stamp(ntuser), ntuserBefore);
  EXPECT_EQ(stamp(system), systemBefore);
}

} // namespace
} // namespace tw
