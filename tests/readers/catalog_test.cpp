#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "readers/catalog.h"
#include "runtime/collation.h"

namespace tw {
namespace {

TEST(Catalog, LabelsStandInTheOrderOfTheListComparison) {
  const PortableCollation collation;
  for (int i = 0; i + 1 < kCatalogSize; ++i)
    EXPECT_LT(collation.Compare(Catalog()[i].label, Catalog()[i + 1].label), 0)
        << Catalog()[i].label << " / " << Catalog()[i + 1].label;
}

TEST(Catalog, ByteOrderWouldMisplaceItemsTheComparisonKeeps) {
  // Why the list needs the locale comparison: a byte-wise order moves these labels.
  const std::string help = "[O] Help (LM)";
  const std::string htmlHelp = "[O] HTML Help (LM)";
  EXPECT_LT(htmlHelp, help);
  const std::string startup = "[O] Startup (CU)";
  const std::string services = "[O] Startup - Services (Path) (LM)";
  EXPECT_LT(startup, services);
  const PortableCollation collation;
  EXPECT_LT(collation.Compare(help, htmlHelp), 0);
  EXPECT_LT(collation.Compare(services, startup), 0);
  std::vector<std::string> labels;
  for (const CatalogItem& item : Catalog())
    labels.emplace_back(item.label);
  std::vector<std::string> bytewise = labels;
  std::sort(bytewise.begin(), bytewise.end());
  EXPECT_NE(bytewise, labels);
}

TEST(Catalog, EveryItemHasAReader) {
  for (const CatalogItem& item : Catalog())
    EXPECT_NE(item.reader, nullptr) << item.label;
}

TEST(Catalog, EighteenItemsReadTheCurrentUser) {
  std::vector<int> cu;
  for (int i = 0; i < kCatalogSize; ++i)
    if (IsCurrentUserItem(Catalog()[i].label))
      cu.push_back(i);
  EXPECT_EQ(cu, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 25, 29, 31, 32, 33}));
  // The test is the four characters, case-sensitive, anywhere.
  EXPECT_TRUE(IsCurrentUserItem("x (CU) y"));
  EXPECT_FALSE(IsCurrentUserItem("[X] Thing (cu)"));
  EXPECT_FALSE(IsCurrentUserItem("[X] Thing (LM)"));
}

TEST(Catalog, TheRunPathItemIsTheUserAssistItemWhoseValuesCarryThePrefix) {
  EXPECT_EQ(Catalog()[kRunPathItem].label,
            "[H] User Assist - {75048700-EF1F-11D0-9888-006097DEACF9} (CU)");
}

TEST(Catalog, UnsortedItems) {
  std::vector<int> unsorted;
  for (int i = -1; i <= kCatalogSize; ++i)
    if (RowOrderOf(i) == RowOrder::ReaderOrder)
      unsorted.push_back(i);
  EXPECT_EQ(unsorted, (std::vector<int>{7, 8, 9, 10, 23, 24, 31, 33}));
}

TEST(Catalog, UserAssistItemSevenHasTwoBlanksBeforeTheHiveTag) {
  EXPECT_EQ(Catalog()[7].label, "[H] User Assist - {0D6D4F41-2994-4BA0-8FEF-620E43CD2812}  (CU)");
}

} // namespace
} // namespace tw
