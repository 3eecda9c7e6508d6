#include <gtest/gtest.h>

#include <string>

#include "readers/modern_catalog.h"
#include "runtime/collation.h"
#include "support/reader_test.h"

namespace tw {
namespace {

TEST(ModernCatalog, LabelsStandInTheOrderOfTheListComparison) {
  const PortableCollation collation;
  for (int i = 0; i + 1 < kModernCatalogSize; ++i)
    EXPECT_LT(collation.Compare(ModernCatalog()[i].label, ModernCatalog()[i + 1].label), 0)
        << ModernCatalog()[i].label << " / " << ModernCatalog()[i + 1].label;
}

// Reports are named by the label, so a label must be a valid file name, and batches of the
// current user's items go by the hive tag at its end.
TEST(ModernCatalog, LabelsAreFileNamesEndingInTheirHiveTag) {
  for (const CatalogItem& item : ModernCatalog()) {
    EXPECT_EQ(item.label.find_first_of("\\/:*?\"<>|"), std::string_view::npos) << item.label;
    EXPECT_TRUE(item.label.ends_with(" (CU)") || item.label.ends_with(" (LM)")) << item.label;
    EXPECT_NE(item.reader, nullptr) << item.label;
  }
}

TEST(ModernCatalog, MostRecentFirstListsAndUsageRecordsKeepReaderOrder) {
  std::vector<std::string_view> unsorted;
  for (int i = -1; i <= kModernCatalogSize; ++i)
    if (ModernRowOrderOf(i) == RowOrder::ReaderOrder)
      unsorted.push_back(ModernCatalog()[static_cast<size_t>(i)].label);
  EXPECT_EQ(unsorted, (std::vector<std::string_view>{
                          "[H] CDialog - Last Visited PIDL MRU (CU)",
                          "[H] CDialog - Open Save PIDL MRU (CU)", "[H] Recent Docs (CU)",
                          "[H] User Assist - {CEBFF5CD-ACE2-4F4F-9178-9926F41749EA} (CU)",
                          "[H] User Assist - {F4E57C4B-2036-45F0-A9AB-443BCFE33D9F} (CU)",
                          "[H] Word Wheel Query (CU)"}));
}

using ModernCatalogRunTest = test::ReaderTest;

// On a machine without these keys (Windows XP, or a fresh profile) every item is empty.
TEST_F(ModernCatalogRunTest, EveryReaderGivesNoRowsWhereItsKeysAreMissing) {
  LoadFixture("catalog.reg");
  for (const CatalogItem& item : ModernCatalog())
    EXPECT_TRUE(Run(item.reader).empty()) << item.label;
}

} // namespace
} // namespace tw
