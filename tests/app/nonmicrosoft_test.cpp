// The second tab over WKS.db: loading the list, its counts, previews and reloads.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/WKS_Main.h"
#include "runtime/exceptions.h"
#include "support/platform.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

class NonMicrosoftTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    LoadReg("REGEDIT4\r\n"
            "[HKEY_CURRENT_USER\\Software\\Alpha]\r\n@=\"alpha default\"\r\n"
            "\"Recent\"=\"C:\\\\alpha\\\\file.txt\"\r\n\"Count\"=dword:00000003\r\n"
            "[HKEY_CURRENT_USER\\Software\\Beta]\r\n\"Folder\"=\"D:\\\\beta\"\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Gamma]\r\n\"Path\"=\"E:\\\\gamma\"\r\n");
  }
  void Load() {
    form.GetNML();
    form.ShowNMListCount();
  }
  void Select(int index) {
    form.NMList.SetItemIndex(index);
    form.NMList.Click();
  }
  TWKSForm form;
};

TEST_F(NonMicrosoftTest, SectionsInReverseOrderAreListedInSortedOrder) {
  WriteDatabase("[zeta]\r\nCheck=HKCU|Software\\Alpha\r\n"
                "[Gamma]\r\nCheck=HKLM|SOFTWARE\\Gamma|NoSuchValue\r\n"
                "[Beta]\r\nCheck=HKCU|Software\\Beta\r\n"
                "[alpha]\r\nCheck=HKCU|Software\\Alpha\r\n");
  Load();
  EXPECT_EQ(form.NMList.Items().ToVector(), (Rows{"alpha", "Beta", "Gamma", "zeta"}));
  EXPECT_EQ(form.NMTotal, 4);
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 4/4 items");
  EXPECT_EQ(form.NMList.ItemIndex(), -1);
}

TEST_F(NonMicrosoftTest, AbsentApplicationsAreLeftOutButCounted) {
  std::string db;
  for (int i = 0; i < 40; ++i)
    db += "[App " + std::to_string(i) + "]\r\nCheck=HKCU|Software\\Missing" + std::to_string(i) +
          "\r\n";
  db += "[App 7]\r\nCheck=HKCU|Software\\Alpha\r\n"; // shadowed by the first [App 7]
  db += "[Present one]\r\nCheck=HKCU|Software\\Alpha\r\n[Present "
        "two]\r\nCheck=HKCU|Software\\Beta\r\n"
        "[Present three]\r\nCheck=HKLM|SOFTWARE\\Gamma\r\n";
  WriteDatabase(db);
  Load();
  EXPECT_EQ(form.NMList.Items().ToVector(), (Rows{"Present one", "Present three", "Present two"}));
  EXPECT_EQ(form.NMTotal, 44);
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 3/44 items");
}

TEST_F(NonMicrosoftTest, AMissingOrEmptyDatabaseListsNothing) {
  Load();
  EXPECT_EQ(form.NMList.Items().Count(), 0);
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 0/0 items");
  WriteDatabase("");
  Load();
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 0/0 items");
}

TEST_F(NonMicrosoftTest, ChecksWithoutAKeyPathCountAsAbsent) {
  WriteDatabase("[Root only]\r\nCheck=HKCU\r\n[Empty]\r\nCheck=\r\n[None]\r\nx=HKCU|Software\r\n"
                "[Fine]\r\nCheck=HKCU|Software\\Beta\r\n");
  Load();
  EXPECT_EQ(form.NMList.Items().ToVector(), (Rows{"Fine"}));
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 1/4 items");
}

TEST_F(NonMicrosoftTest, TwoThousandSectionsAreReadAsFarAsTheNameBufferHolds) {
  std::string db;
  for (int i = 0; i < 2000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Application %04d", i);
    db += std::string("[") + name + "]\r\nCheck=HKCU|Software\\" +
          (i % 100 == 0 ? "Alpha" : "Missing") + "\r\n";
  }
  WriteDatabase(db);
  Load();
  // 963 names of 16 characters and their NULs fill 16,371 of the 16,384 bytes; the next name
  // is cut short and left out.
  EXPECT_EQ(form.NMTotal, 963);
  EXPECT_EQ(form.NMList.Items().ToVector(),
            (Rows{"Application 0000", "Application 0100", "Application 0200", "Application 0300",
                  "Application 0400", "Application 0500", "Application 0600", "Application 0700",
                  "Application 0800", "Application 0900"}));
}

// Damaged and outsized databases: nothing crashes, what can be read is listed, and the list
// stays usable (every entry previews).
void PreviewEach(TWKSForm& form) {
  for (int i = 0; i < form.NMList.Items().Count(); ++i) {
    form.NMList.SetItemIndex(i);
    form.NMList.Click();
    EXPECT_EQ(form.Label6.Caption(), "Total Items : " + std::to_string(form.Preview2.RowCount()));
  }
}

TEST_F(NonMicrosoftTest, BinaryJunkAroundASectionListsThatSection) {
  std::mt19937 random(13);
  std::string junk;
  for (int i = 0; i < 64 * 1024; ++i)
    junk += static_cast<char>(random() % 256);
  WriteDatabase(
      junk.substr(0, 32 * 1024) +
      "\r\n[Real]\r\nCheck=HKCU|Software\\Alpha\r\nRecent=HKCU|Software\\Alpha|Recent\r\n" +
      junk.substr(32 * 1024));
  Load();
  const Rows listed = form.NMList.Items().ToVector();
  ASSERT_EQ(std::count(listed.begin(), listed.end(), "Real"), 1);
  PreviewEach(form);
  form.NMList.SetItemIndex(form.NMList.Items().IndexOf("Real"));
  form.NMList.Click();
  EXPECT_EQ(form.Preview2.Rows()[0], "Recent=C:\\alpha\\file.txt");
}

TEST_F(NonMicrosoftTest, ATenMegabyteDatabaseLoadsAndPreviews) {
  std::string db = "[Big]\r\nCheck=HKCU|Software\\Alpha\r\n";
  for (int i = 0; i < 2000; ++i) {
    db += 'K';
    db += std::to_string(10000 + i);
    db += "=HKCU|Software\\Alpha|Recent\r\n";
  }
  const std::string filler = "; " + std::string(98, 'x') + "\r\n";
  while (db.size() < 10 * 1024 * 1024)
    db += filler;
  db += "[Tail]\r\nCheck=HKCU|Software\\Beta\r\nFolder=HKCU|Software\\Beta|Folder\r\n";
  WriteDatabase(db);
  Load();
  EXPECT_EQ(form.NMList.Items().ToVector(), (Rows{"Big", "Tail"}));
  form.NMList.SetItemIndex(0);
  form.NMList.Click();
  ASSERT_EQ(form.Preview2.RowCount(), 2000) << "comments are no keys";
  EXPECT_EQ(form.Preview2.Rows()[1999], "K11999=C:\\alpha\\file.txt");
  form.NMList.SetItemIndex(1);
  form.NMList.Click();
  EXPECT_EQ(form.Preview2.Rows(), (Rows{"Folder=D:\\beta"}));
}

TEST_F(NonMicrosoftTest, DuplicateSectionsAreListedAndReadAsTheFirst) {
  WriteDatabase("[Dup]\r\nCheck=HKCU|Software\\Alpha\r\nRecent=HKCU|Software\\Alpha|Recent\r\n"
                "recent=HKCU|Software\\Beta|Folder\r\n"
                "[Dup]\r\nCheck=HKCU|Software\\Missing\r\nOther=HKCU|Software\\Beta|Folder\r\n");
  Load();
  EXPECT_EQ(form.NMList.Items().ToVector(), (Rows{"Dup", "Dup"}));
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 2/2 items");
  for (int i : {0, 1}) {
    Select(i);
    // Both keys are listed; a name reads the first key of that name.
    EXPECT_EQ(form.Preview2.Rows(),
              (Rows{"Recent=C:\\alpha\\file.txt", "recent=C:\\alpha\\file.txt"}));
  }
}

TEST_F(NonMicrosoftTest, PreviewShowsTheRowsInFileOrderWithoutCheck) {
  WriteDatabase("[Alpha]\r\nRecent file=HKCU|Software\\Alpha|Recent\r\n"
                "CHECK=HKCU|Software\\Alpha\r\n"
                "Default=HKCU|Software\\Alpha|\r\n"
                "Elsewhere=HKCU|Software\\Beta|Folder\r\n"
                "Missing=HKCU|Software\\Alpha|Nothing\r\n"
                "Root only=HKCU\r\n");
  Load();
  Select(0);
  EXPECT_EQ(form.Preview2.Rows(), (Rows{"Recent file=C:\\alpha\\file.txt", "Default=alpha default",
                                        "Elsewhere=D:\\beta", "Missing=", "Root only="}));
  EXPECT_EQ(form.Label6.Caption(), "Total Items : 5");
}

TEST_F(NonMicrosoftTest, OnlyACheckPreviewsNoRows) {
  WriteDatabase("[Alpha]\r\nCheck=HKCU|Software\\Alpha\r\n");
  Load();
  Select(0);
  EXPECT_EQ(form.Preview2.RowCount(), 0);
  EXPECT_EQ(form.Label6.Caption(), "Total Items : 0");
}

TEST_F(NonMicrosoftTest, WithoutASelectionTheTotalCountsWhatIsShown) {
  WriteDatabase("[Alpha]\r\nCheck=HKCU|Software\\Alpha\r\nA=HKCU|Software\\Alpha|Recent\r\n"
                "B=HKCU|Software\\Alpha|Recent\r\n");
  Load();
  Select(0);
  form.Label6.SetCaption("stale");
  Select(-1);
  EXPECT_EQ(form.Preview2.RowCount(), 2);
  EXPECT_EQ(form.Label6.Caption(), "Total Items : 2");
}

TEST_F(NonMicrosoftTest, ANonTextValueKeepsThePreviousPreviewAndRaises) {
  WriteDatabase("[Alpha]\r\nCheck=HKCU|Software\\Alpha\r\nCount=HKCU|Software\\Alpha|Count\r\n"
                "[Beta]\r\nCheck=HKCU|Software\\Beta\r\nFolder=HKCU|Software\\Beta|Folder\r\n");
  Load();
  Select(1);
  form.NMList.SetItemIndex(0);
  EXPECT_THROW(form.NMListClick(form.NMList), ERegistryException);
  EXPECT_EQ(form.Preview2.Rows(), (Rows{"Folder=D:\\beta"}));
  EXPECT_EQ(form.Label6.Caption(), "Total Items : 1");
}

TEST_F(NonMicrosoftTest, DoubleClickingTheCaptionReloadsTheEditedDatabase) {
  WriteDatabase("[Alpha]\r\nCheck=HKCU|Software\\Alpha\r\nA=HKCU|Software\\Alpha|Recent\r\n");
  Load();
  Select(0);
  WriteDatabase("[Beta]\r\nCheck=HKCU|Software\\Beta\r\n[Alpha]\r\nCheck=HKCU|Software\\None\r\n"
                "[Gamma]\r\nCheck=HKLM|SOFTWARE\\Gamma\r\n");
  form.Label3.DblClick();
  EXPECT_EQ(form.NMList.Items().ToVector(), (Rows{"Beta", "Gamma"}));
  EXPECT_EQ(form.NMList.ItemIndex(), -1);
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 2/3 items");
  EXPECT_EQ(form.Preview2.Rows(), (Rows{"A=C:\\alpha\\file.txt"}));
  EXPECT_EQ(form.Label6.Caption(), "Total Items : 1");
}

} // namespace
} // namespace tw
