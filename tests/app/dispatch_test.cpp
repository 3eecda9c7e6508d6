#include "app/catalog.h"
#include "app/WKS_Main.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using Rows = std::vector<std::string>;

class DispatchTest : public test::PortableRegistryTest {
protected:
  void Select(int index) {
    form.ZList.SetItemIndex(index);
    form.ZList.Click();
  }
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

} // namespace
} // namespace tw
