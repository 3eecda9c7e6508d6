// A 32-bit process on 64-bit Windows shows what a 64-bit one shows: the same rows for every
// catalog item over a registry imported by the 64-bit registry editor, and the same second-tab
// list, also for an application whose key lies only in the 32-bit view.

#include <gtest/gtest.h>

#include "readers/catalog.h"
#include "app/WKS_Main.h"
#include "support/platform.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

class ThirtyTwoBitProcessTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    LoadFixture("catalog.reg");
    LoadReg("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Legacy Tool]\r\n"
            "\"Folder\"=\"C:\\\\Program Files (x86)\\\\Legacy\"\r\n");
    WriteDatabase(
        "[Legacy Tool]\r\nCheck=HKLM|SOFTWARE\\Legacy Tool\r\n"
        "Folder=HKLM|SOFTWARE\\Legacy Tool|Folder\r\n"
        "[Native Tool]\r\nCheck=HKLM|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
        "[Absent Tool]\r\nCheck=HKLM|SOFTWARE\\Absent\r\n");
  }

  // Every item's rows, then the second tab's list and the first application's preview.
  std::vector<Rows> Everything(RegistryView view) {
    registry.SetDefaultView(view);
    TWKSForm form;
    std::vector<Rows> result;
    for (int i = 0; i < kCatalogSize; ++i) {
      form.ZList.SetItemIndex(i);
      form.ZList.Click();
      result.push_back(form.Preview.Rows());
    }
    form.GetNML();
    result.push_back(form.NMList.Items().ToVector());
    form.NMList.SetItemIndex(0);
    form.NMList.Click();
    result.push_back(form.Preview2.Rows());
    return result;
  }
};

TEST_F(ThirtyTwoBitProcessTest, ShowsWhatASixtyFourBitProcessShows) {
  const std::vector<Rows> native = Everything(RegistryView::Native);
  const std::vector<Rows> wow32 = Everything(RegistryView::Wow32);
  ASSERT_EQ(wow32.size(), native.size());
  for (int i = 0; i < kCatalogSize; ++i)
    EXPECT_EQ(wow32[i], native[i]) << Catalog()[static_cast<size_t>(i)].label;
  EXPECT_EQ(wow32[kCatalogSize], (Rows{"Legacy Tool", "Native Tool"}));
  EXPECT_EQ(wow32[kCatalogSize], native[kCatalogSize]);
  EXPECT_EQ(wow32[kCatalogSize + 1], (Rows{"Folder=C:\\Program Files (x86)\\Legacy"}));
  EXPECT_EQ(wow32[kCatalogSize + 1], native[kCatalogSize + 1]);

  // The machine items that the redirection would empty have rows to compare.
  for (const char* label :
       {"[O] Installed Software (LM)", "[O] Startup (LM)", "[O] Shared DLLs (LM)", "[O] Help (LM)",
        "[O] HTML Help (LM)", "[O] Installer Folder (LM)"}) {
    int index = 0;
    while (index < kCatalogSize && Catalog()[static_cast<size_t>(index)].label != label)
      ++index;
    ASSERT_LT(index, kCatalogSize) << label;
    EXPECT_FALSE(wow32[static_cast<size_t>(index)].empty()) << label;
  }
}

} // namespace
} // namespace tw
