// One item run without the window: every row keeps the cells its reader made and the key it was
// read from, and the rows of a sorted item come in the order the window's sorted list gives.

#include <gtest/gtest.h>

#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "readers/run_item.h"
#include "registry/registry.h"
#include "runtime/controls.h"
#include "support/fake_system_info.h"
#include "support/reader_test.h"

namespace tw {
namespace {

class RunItemTest : public test::ReaderTest {
protected:
  void SetUp() override {
    LoadFixture("catalog.reg");
    LoadFixture("win7_ntuser_excerpt.reg");
  }
  // Whether the key a row names can be opened in the test's registry.
  bool KeyExists(const RowKey& key) {
    RegKey handle = 0;
    if (registry.OpenKeyEx(key.root, key.path.c_str(), reg::kRead, &handle) != reg::kSuccess)
      return false;
    registry.CloseKey(handle);
    return true;
  }
  test::FakeSystemInfo system;
  ScopedSeam<SystemInfo> systemSeam{system};
};

TEST_F(RunItemTest, EveryRowOfEveryItemKeepsItsCellsAndTheKeyItCameFrom) {
  std::vector<const CatalogItem*> items;
  for (const CatalogItem& item : Catalog())
    items.push_back(&item);
  for (const CatalogItem& item : ModernCatalog())
    items.push_back(&item);
  int rows = 0;
  for (const CatalogItem* item : items) {
    SCOPED_TRACE(std::string(item->label));
    const bool live = item->label == "[I] Memory Information (CU)";
    // Items of fixed rows name their key also when the fixture lacks it.
    const bool fixedRows = item->label.starts_with("[S] ") || item->label.starts_with("[C] ");
    for (const RowBuffer::Row& row : RunCatalogItem(*item)) {
      ++rows;
      EXPECT_TRUE(row.hasCells) << row.text;
      EXPECT_EQ(row.text, row.name + "=" + row.value);
      EXPECT_EQ(row.key.Empty(), live) << row.text;
      if (!live && !fixedRows) {
        EXPECT_TRUE(KeyExists(row.key)) << row.key.path;
      }
    }
  }
  EXPECT_GT(rows, 200);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RunItemTest, AValueNameHoldingAnEqualsSignStaysOneCell) {
  LoadReg("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\n"
          "\"url=9\"=\"http://a=b/\"\n\n");
  const auto rows = RunCatalogItem(Catalog()[6]);
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [](const RowBuffer::Row& r) { return r.name == "url=9"; });
  ASSERT_NE(it, rows.end());
  EXPECT_EQ(it->value, "http://a=b/");
  EXPECT_EQ(it->key.path, "Software\\Microsoft\\Internet Explorer\\TypedURLs");
}

TEST_F(RunItemTest, SortedRowsComeInTheOrderOfTheWindowsSortedList) {
  // Ties under the list comparison (case, hyphens) and true duplicates keep the list's order.
  const std::vector<std::string> texts = {"b=1",  "B=2", "a-b=3", "ab=4",  "a=5", "b=1",
                                          "=x",   "A=6", "-a=7",  "10=8",  "9=9", "ab=4",
                                          "c=10", "ä=11", "Ab=12", "a b=13"};
  TListBox list("LT");
  std::vector<RowBuffer::Row> rows;
  for (const std::string& text : texts) {
    list.Items().Add(text);
    RowBuffer::Row row;
    row.text = text;
    rows.push_back(std::move(row));
  }
  list.SetSorted(true);
  SortRowsLikeList(rows);
  std::vector<std::string> sorted;
  for (const RowBuffer::Row& row : rows)
    sorted.push_back(row.text);
  EXPECT_EQ(sorted, list.Items().ToVector());
}

} // namespace
} // namespace tw
