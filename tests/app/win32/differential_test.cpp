// The same fixture, loaded into the portable store and imported into the platform's registry,
// gives the same rows for every catalog item.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "readers/catalog.h"
#include "app/WKS_Main.h"
#include "registry/memory_registry.h"
#include "registry/reg_file.h"
#include "runtime/seam.h"
#include "runtime/system_info.h"
#include "runtime/win32/win32_collation.h"
#include "registry/win32/win32_registry.h"
#include "runtime/win32/win32_system_info.h"
#include "support/fixtures.h"
#include "support/win32/scratch_registry.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

constexpr int kMemoryItem = 10; // live figures: only the row names can be compared

std::vector<Rows> RunEveryItem() {
  TWKSForm form;
  std::vector<Rows> result;
  for (int i = 0; i < kCatalogSize; ++i) {
    // An empty preview first, so that a failing reader cannot pass for the previous item.
    form.ZList.SetItemIndex(-1);
    form.ZList.Click();
    form.ZList.SetItemIndex(i);
    form.ZList.Click();
    Rows rows = form.Preview.Rows();
    if (i == kMemoryItem)
      for (std::string& row : rows)
        row = row.substr(0, row.find('='));
    result.push_back(std::move(rows));
  }
  return result;
}

std::vector<Rows> OnPortableStore(const std::string& fixture) {
  MemoryRegistry memory;
  ImportRegFile(memory, fixture);
  PortableCollation collation;
  PortableSystemInfo system;
  ScopedSeam<RegistryApi> registrySeam(memory);
  ScopedSeam<Collation> collationSeam(collation);
  ScopedSeam<SystemInfo> systemSeam(system);
  return RunEveryItem();
}

std::vector<Rows> OnPlatformRegistry(const std::string& fixture) {
  test::ScratchRegistry scratch;
  Win32Registry registry;
  ImportRegFile(registry, fixture);
  Win32Collation collation;
  Win32SystemInfo system;
  ScopedSeam<RegistryApi> registrySeam(registry);
  ScopedSeam<Collation> collationSeam(collation);
  ScopedSeam<SystemInfo> systemSeam(system);
  return RunEveryItem();
}

TEST(Differential, EveryItemShowsTheSameRowsOnBothStores) {
  const std::string fixture = test::ReadFileBytes(test::FixturePath("catalog.reg"));
  const std::vector<Rows> portable = OnPortableStore(fixture);
  const std::vector<Rows> platform = OnPlatformRegistry(fixture);
  for (int i = 0; i < kCatalogSize; ++i) {
    SCOPED_TRACE(std::string(Catalog()[i].label));
    ASSERT_NE(Catalog()[i].reader, nullptr);
    EXPECT_FALSE(portable[i].empty()) << "the fixture gives this item no rows";
    if (RowOrderOf(i) == RowOrder::Sorted) {
      EXPECT_EQ(platform[i], portable[i]);
    } else {
      // The platform enumerates values in its own order; compare as multisets.
      Rows a = platform[i];
      Rows b = portable[i];
      std::sort(a.begin(), a.end());
      std::sort(b.begin(), b.end());
      EXPECT_EQ(a, b);
    }
  }
}

TEST(Differential, MemoryInformationShowsSevenRowsInOrderOnBothPlatforms) {
  const std::string fixture = test::ReadFileBytes(test::FixturePath("catalog.reg"));
  const Rows names{"Memory Usage - Physical",
                   "Physical Memory (RAM) - Total",
                   "Physical Memory (RAM) - Used",
                   "Physical Memory (RAM) - Free",
                   "Commit Charge Memory - Limit",
                   "Commit Charge Memory - Current",
                   "[ Captured At ]"};
  EXPECT_EQ(OnPortableStore(fixture)[kMemoryItem], names);
  EXPECT_EQ(OnPlatformRegistry(fixture)[kMemoryItem], names);
}

TEST(Differential, ThePlatformComparisonOrdersTheCatalogAsListed) {
  const Win32Collation collation;
  for (int i = 0; i + 1 < kCatalogSize; ++i)
    EXPECT_LT(collation.Compare(Catalog()[i].label, Catalog()[i + 1].label), 0)
        << Catalog()[i].label;
}

} // namespace
} // namespace tw
