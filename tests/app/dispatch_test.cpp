#include <gtest/gtest.h>

#include <algorithm>

#include "readers/catalog.h"
#include "app/WKS_Main.h"
#include "runtime/collation.h"
#include "support/fake_system_info.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using test::Rows;

class DispatchTest : public test::ReaderTest {
protected:
  void Select(int index) {
    form.ZList.SetItemIndex(index);
    form.ZList.Click();
  }
  // The rows a reader leaves before the dispatcher orders them.
  Rows ReaderRows(int index) { return Run(Catalog()[static_cast<size_t>(index)].reader); }

  test::FakeSystemInfo system;
  ScopedSeam<SystemInfo> systemSeam{system};
  TWKSForm form;
};

TEST_F(DispatchTest, TheListShowsTheCatalogInOrder) {
  ASSERT_EQ(form.ZList.Items().Count(), kCatalogSize);
  for (int i = 0; i < kCatalogSize; ++i)
    EXPECT_EQ(form.ZList.Items()[i], Catalog()[i].label);
  EXPECT_EQ(form.ZList.ItemIndex(), -1);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 0");
}

TEST_F(DispatchTest, SortsRowsOfSortedItemsAndCountsThem) {
  LoadFixture("catalog.reg");
  Select(6);
  EXPECT_EQ(form.Preview.Rows(),
            (Rows{"url1=http://www.example.com/", "url10=ftp://files.example.net/pub/",
                  "url2=https://intranet.example.org/login?user=me&next=%2Fhome",
                  "url3=%USERPROFILE%\\Desktop"}));
  EXPECT_EQ(form.Total.Caption(), "Total Items : 4");
  EXPECT_EQ(form.LT.Items().Count(), 0);
  EXPECT_FALSE(form.LT.Sorted());
}

TEST_F(DispatchTest, SortsCaseInsensitivelyAndShowsNamesHoldingEqualsSigns) {
  LoadFixture("catalog.reg");
  Select(0);
  EXPECT_EQ(
      form.Preview.Rows(),
      (Rows{"a=b name=value with = sign",
            "Counter=", "Regedit Last Key=My Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft",
            "Run keys=My "
            "Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
            "services=My Computer\\HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services"}));
  EXPECT_EQ(form.Preview.KeyCell(0), "a");
  EXPECT_EQ(form.Preview.ValueCell(0), "b name=value with = sign");
}

TEST_F(DispatchTest, AFailingReaderKeepsThePreviousPreviewAndTotal) {
  LoadFixture("catalog.reg");
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_"
          "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit]\r\n"
          "\"LastKey\"=hex(7):61,00,00\r\n");
  Select(5);
  const Rows runMru = form.Preview.Rows();
  ASSERT_EQ(runMru.size(), 4u);
  Select(0); // raises "Invalid data type for 'LastKey'" after the favorites were listed
  EXPECT_EQ(form.Preview.Rows(), runMru);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 4");
  EXPECT_EQ(form.LT.Items().Count(), 0);
  EXPECT_FALSE(form.LT.Sorted());
  Select(2);
  EXPECT_EQ(form.Preview.RowCount(), 4);
  EXPECT_EQ(form.Preview.Rows()[0], "File1=C:\\WINDOWS\\system32\\compmgmt.msc");
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(DispatchTest, NoSelectionEmptiesThePreview) {
  LoadFixture("catalog.reg");
  Select(5);
  Select(-1);
  EXPECT_EQ(form.Preview.RowCount(), 0);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 0");
}

TEST_F(DispatchTest, AMissingKeyShowsAnEmptyPreview) {
  Select(4);
  EXPECT_EQ(form.Preview.RowCount(), 0);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 0");
}

TEST_F(DispatchTest, RepeatedRunsShowOnlyTheirOwnRows) {
  LoadFixture("catalog.reg");
  Select(5);
  Select(6);
  Select(5);
  EXPECT_EQ(form.Preview.RowCount(), 4);
  EXPECT_EQ(form.Preview.Rows()[0], "a=regedit\\1");
}

TEST_F(DispatchTest, KeepsReaderOrderForTheUnsortedItemsOnly) {
  const std::vector<int> unsorted{7, 8, 9, 10, 23, 24, 31, 33};
  for (int i = 0; i < kCatalogSize; ++i)
    EXPECT_EQ(RowOrderOf(i) == RowOrder::ReaderOrder,
              std::find(unsorted.begin(), unsorted.end(), i) != unsorted.end())
        << i;
  EXPECT_EQ(RowOrderOf(-1), RowOrder::Sorted);
}

TEST_F(DispatchTest, ShowsEveryItemsRowsInReaderOrderOrSorted) {
  LoadFixture("catalog.reg");
  system.memory = {45, 2147483648ull, 1073741824ull, 4294967296ull, 3221225472ull};
  int unsortedShownUnsorted = 0;
  for (int i = 0; i < kCatalogSize; ++i) {
    SCOPED_TRACE(std::string(Catalog()[i].label));
    const Rows raw = ReaderRows(i);
    ASSERT_FALSE(raw.empty());
    Select(i);
    const Rows shown = form.Preview.Rows();
    const auto inOrder = [](const std::string& a, const std::string& b) {
      return CompareText(a, b) < 0;
    };
    if (RowOrderOf(i) == RowOrder::ReaderOrder) {
      EXPECT_EQ(shown, raw);
      if (!std::is_sorted(raw.begin(), raw.end(), inOrder))
        ++unsortedShownUnsorted;
    } else {
      EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(), inOrder));
      EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(), raw.begin(), raw.end()));
    }
    EXPECT_EQ(form.Total.Caption(), "Total Items : " + std::to_string(raw.size()));
  }
  // Items 10, 31 and 33 are not in sorted order; numbered items show it from ten rows on.
  EXPECT_EQ(unsortedShownUnsorted, 3);
}

TEST_F(DispatchTest, SortedItemsFollowTheListComparison) {
  LoadFixture("catalog.reg");
  Select(30); // a backslash sorts before every letter: all Run rows before all RunOnce rows
  EXPECT_EQ(form.Preview.Rows(), (Rows{"Run\\Binary=", "Run\\SoundMan=SOUNDMAN.EXE",
                                       "Run\\Updater=%ProgramFiles%\\Acme\\update.exe /silent",
                                       "RunOnce\\=C:\\Temp\\default.cmd",
                                       "RunOnce\\Cleanup=cmd /c del C:\\Temp\\*.tmp"}));
  Select(11); // zones by their display text, not by the offset's value; hyphens count last
  std::vector<std::string> zones;
  for (int i = 0; i < form.Preview.RowCount(); ++i)
    zones.emplace_back(form.Preview.KeyCell(i).substr(0, 11));
  EXPECT_EQ(zones, (Rows{"(GMT) Green", "(GMT+01:00)", "(GMT+09:00)", "(GMT+10:00)", "(GMT-07:00)",
                         "(GMT-08:00)"}));
  Select(32);
  EXPECT_EQ(form.Preview.KeyCell(0), "Icon BPP");
  EXPECT_EQ(form.Preview.RowText(6), "Wallpaper - Converted=");
  EXPECT_EQ(form.Preview.RowText(8), "Wallpaper Style=Stretch");
  EXPECT_EQ(form.Preview.KeyCell(9), "Wallpaper");
}

TEST_F(DispatchTest, NumberedItemsShowTenAfterNine) {
  std::string reg = "REGEDIT4\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                    "UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count]\r\n";
  std::string folders = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                        "Installer\\Folders]\r\n";
  for (int i = 1; i <= 12; ++i) {
    reg += "\"n" + std::to_string(i) + "\"=hex:00\r\n";
    folders += "\"C:\\\\f" + std::to_string(i) + "\"=\"\"\r\n";
  }
  LoadReg(reg + folders);
  for (const int item : {9, 23}) {
    Select(item);
    ASSERT_EQ(form.Preview.RowCount(), 12);
    for (int i = 0; i < 12; ++i)
      EXPECT_EQ(form.Preview.KeyCell(i), std::to_string(i + 1));
  }
  EXPECT_EQ(form.Preview.RowText(9), "10=C:\\f10");
}

TEST_F(DispatchTest, MemoryInformationShowsSevenRowsEveryTime) {
  LoadFixture("catalog.reg");
  for (const int other : {33, 27, 6}) {
    Select(10);
    ASSERT_EQ(form.Preview.RowCount(), 7);
    EXPECT_EQ(form.Preview.KeyCell(0), "Memory Usage - Physical");
    EXPECT_EQ(form.Preview.KeyCell(6), "[ Captured At ]");
    EXPECT_EQ(form.Total.Caption(), "Total Items : 7");
    Select(other);
    EXPECT_NE(form.Preview.RowCount(), 7);
  }
}

TEST_F(DispatchTest, ACursorValueOfTheWrongTypeKeepsThePreviousPreview) {
  LoadFixture("catalog.reg");
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Control Panel\\Cursors]\r\n\"SizeAll\"=hex:01\r\n");
  Select(33);
  const Rows sounds = form.Preview.Rows();
  ASSERT_EQ(sounds.size(), 50u);
  Select(31); // thirteen rows are read before "SizeAll" raises
  EXPECT_EQ(form.Preview.Rows(), sounds);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 50");
  EXPECT_EQ(form.LT.Items().Count(), 0);
  Select(32);
  EXPECT_EQ(form.Preview.RowCount(), 10);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(DispatchTest, AServiceDisplayNameOfTheWrongTypeKeepsThePreviousPreview) {
  LoadFixture("catalog.reg");
  LoadReg("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Zeta]\r\n"
          "\"DisplayName\"=dword:00000001\r\n\"ImagePath\"=\"C:\\\\zeta.exe\"\r\n"
          "\"Start\"=dword:00000002\r\n");
  Select(29);
  const Rows startup = form.Preview.Rows();
  ASSERT_EQ(startup.size(), 3u);
  for (const int services : {27, 28}) {
    Select(services);
    EXPECT_EQ(form.Preview.Rows(), startup);
    EXPECT_EQ(form.Total.Caption(), "Total Items : 3");
    EXPECT_EQ(form.LT.Items().Count(), 0);
    EXPECT_FALSE(form.LT.Sorted());
  }
  Select(30);
  EXPECT_EQ(form.Preview.RowCount(), 5);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

} // namespace
} // namespace tw
