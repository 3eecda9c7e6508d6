// The third tab: laid out as the first, its catalog dispatched, saved and navigated alike.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/modern_catalog.h"
#include "app/WKS_Main.h"
#include "report/report.h"
#include "support/platform.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

constexpr const char* kModernReg =
    "REGEDIT4\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths]\r\n"
    "\"url2\"=\"\\\\\\\\server\\\\share\"\r\n"
    "\"url1\"=\"C:\\\\Users\\\\Public\"\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
    "WordWheelQuery]\r\n"
    "\"MRUListEx\"=hex:01,00,00,00,00,00,00,00,ff,ff,ff,ff\r\n"
    "\"0\"=hex:7a,00,00,00\r\n"
    "\"1\"=hex:61,00,00,00\r\n";

TEST(ModernTab, MirrorsTheFirstTabControlForControl) {
  const TWKSForm f;
  EXPECT_EQ(f.TabSheet3.Caption(), "Windows 7 - 11");
  EXPECT_EQ(f.TabSheet3.Parent(), &f.PageControl1);
  const std::vector<std::pair<const TControl*, const TControl*>> pairs = {
      {&f.ZCap, &f.Label7},      {&f.Label1, &f.Label8},         {&f.Bevel1, &f.Bevel3},
      {&f.Label2, &f.Label9},    {&f.Total, &f.Label10},         {&f.ZList, &f.WList},
      {&f.Save1, &f.Button21},   {&f.Save2, &f.Button22},        {&f.cmbSave, &f.ComboBox2},
      {&f.Preview, &f.Preview3}, {&f.Progress, &f.ProgressBar2}, {&f.Button1, &f.Button23},
      {&f.Button3, &f.Button24}, {&f.Button14, &f.Button25},     {&f.Button15, &f.Button26},
      {&f.Button4, &f.Button27}, {&f.Button5, &f.Button28},      {&f.Button11, &f.Button29},
      {&f.Button13, &f.Button30}};
  for (const auto& [first, third] : pairs) {
    SCOPED_TRACE(third->Name());
    EXPECT_EQ(third->Parent(), &f.TabSheet3);
    EXPECT_EQ(third->Bounds(), first->Bounds());
    EXPECT_EQ(third->Tag(), first->Tag());
    EXPECT_EQ(third->Enabled(), first->Enabled());
    if (first != &f.Save2) {
      EXPECT_EQ(third->Caption(), first->Caption());
    }
  }
  EXPECT_EQ(f.Button22.Caption(), "Save All Items");
  EXPECT_EQ(f.ComboBox2.Items().ToVector(), f.cmbSave.Items().ToVector());
  EXPECT_EQ(f.ComboBox2.ItemIndex(), 1);
  EXPECT_EQ(f.ProgressBar2.Max(), kModernTabSize - 1);
  // The catalog in its list order, then ShimCache and ShellBags.
  ASSERT_EQ(f.WList.Items().Count(), kModernTabSize);
  for (int i = 0; i < kModernCatalogSize; ++i)
    EXPECT_EQ(f.WList.Items()[i], ModernCatalog()[i].label);
  EXPECT_EQ(f.WList.Items()[15], "[H] ShimCache - AppCompatCache (LM)");
  EXPECT_EQ(f.WList.Items()[16], "[H] ShellBags (CU)");
}

class ModernTabTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    LoadReg(kModernReg);
    form.SetHandle(0x77);
  }
  void Select(std::string_view label) {
    for (int i = 0; i < kModernTabSize; ++i)
      if (ModernTabCatalog()[i].label == label)
        form.WList.SetItemIndex(i);
    form.WList.Click();
  }
  TWKSForm form;
};

TEST_F(ModernTabTest, StartUpCountsTheModernCatalog) {
  form.FormCreate(form);
  EXPECT_EQ(form.Label7.Caption(), "WKS List : 17 items");
  EXPECT_EQ(form.ZCap.Caption(), "WKS List : 34 items");
}

TEST_F(ModernTabTest, SelectingAnItemFillsOnlyTheThirdTabsPreviewInItsOrder) {
  form.Preview.Assign({"first=tab"});
  Select("[H] Typed Paths (CU)");
  EXPECT_EQ(form.Preview3.Rows(), (Rows{"url1=C:\\Users\\Public", "url2=\\\\server\\share"}));
  EXPECT_EQ(form.Label10.Caption(), "Total Items : 2");
  Select("[H] Word Wheel Query (CU)"); // most recent first, not sorted
  EXPECT_EQ(form.Preview3.Rows(), (Rows{"1=a", "0=z"}));
  EXPECT_EQ(form.Preview.Rows(), (Rows{"first=tab"}));
  EXPECT_EQ(form.Total.Caption(), "Total Items : 0");
  EXPECT_EQ(form.LT.Items().Count(), 0);
  EXPECT_FALSE(form.LT.Sorted());
  form.WList.SetItemIndex(-1);
  form.WList.Click();
  EXPECT_EQ(form.Preview3.RowCount(), 0);
  EXPECT_EQ(form.Label10.Caption(), "Total Items : 0");
}

TEST_F(ModernTabTest, NavigationButtonsUseTheThirdTabsCurrentRow) {
  Select("[H] Typed Paths (CU)");
  form.Preview3.SetCurrentRow(1);
  form.Button23.Click();
  EXPECT_EQ(clipboard.Text(), "url2");
  form.Button24.Click();
  EXPECT_EQ(clipboard.Text(), "\\\\server\\share");
  form.Button28.Click();
  form.Button30.Click();
  form.Preview3.DblClick(); // the grid's tag: the value
  EXPECT_EQ(shell.launches, (std::vector<RecordingShell::Launch>{{0x77, "\\\\server\\share"},
                                                                 {0x77, "\\\\server\\share\\url2"},
                                                                 {0x77, "\\\\server\\share"}}));
}

TEST_F(ModernTabTest, SaveAllWritesEveryItemIntoTheDatedFolderWithItsOwnRows) {
  form.ComboBox2.SetItemIndex(0);
  form.Button22.Click();
  Rows expected;
  for (const CatalogItem& item : ModernTabCatalog())
    expected.push_back(std::string(item.label) + ".txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ReportFiles(), expected);
  EXPECT_EQ(ReadReport("[H] Word Wheel Query (CU).txt"), TextReport({"1=a", "0=z"}));
  EXPECT_EQ(ReadReport("[H] Typed Paths (CU).txt"),
            TextReport({"url1=C:\\Users\\Public", "url2=\\\\server\\share"}));
  EXPECT_EQ(ReadReport("[H] Recent Docs (CU).txt"), "");
  EXPECT_EQ(form.ProgressBar2.Position(), 0);
  EXPECT_TRUE(form.WList.Enabled() && form.Preview3.Enabled() && form.Button21.Enabled());
  EXPECT_EQ(form.Progress.Position(), 0);
  // The selected item alone, as HTML, beside the batch.
  form.ComboBox2.SetItemIndex(1);
  form.Button21.Click();
  EXPECT_EQ(ReportFiles().size(), expected.size() + 1);
}

} // namespace
} // namespace tw
