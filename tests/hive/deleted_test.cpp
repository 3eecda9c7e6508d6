// Deleted keys and values in hives laid out in the test as Windows leaves them: records in free
// cells (some merged into a neighbour's), their data still free or reused, their lists.

#include <gtest/gtest.h>

#include "hive/deleted.h"
#include "hive_builder.h"

namespace tw::hive {
namespace {

using test::CellState;
using test::HiveBuilder;
using test::kJune2020;
using test::kNone;

constexpr auto kFree = CellState::Free;

struct DeletedTree {
  DeletedTree() { root = b.AddKey({.name = u"ROOT"}); }
  DeletedEntries Scan() const { return FindDeleted(Hive(b.Build())); }
  HiveBuilder b{5};
  std::uint32_t root;
};

std::vector<std::uint8_t> Text(const std::u16string& text) {
  return test::Utf16Bytes(text + u'\0');
}

TEST(DeletedEntries, KeysAndValuesOfADeletedSubtreeWithPathsAndData) {
  DeletedTree t;
  const std::uint32_t software = t.b.AddKey({.name = u"Software", .parent = t.root});
  t.b.SetSubkeys(t.root, "lf", {software});
  const std::uint32_t gone =
      t.b.AddKey({.name = u"Gone", .parent = software, .lastWrite = kJune2020 + 5}, kFree);
  const std::uint32_t deeper = t.b.AddKey({.name = u"Deeper", .parent = gone}, kFree);
  const std::uint32_t path =
      t.b.AddValue({.name = u"Path", .type = 1, .data = Text(u"C:\\x.exe")}, kFree);
  const std::uint32_t count =
      t.b.AddValue({.name = u"Count", .type = 4, .data = {7, 0, 0, 0}}, kFree);
  t.b.SetValues(gone, {path, count}, kFree);
  const DeletedEntries found = t.Scan();

  ASSERT_EQ(found.keys.size(), 2u);
  EXPECT_EQ(found.keys[0].cell, gone);
  EXPECT_EQ(found.keys[0].name, u"Gone");
  EXPECT_EQ(found.keys[0].lastWrite, kJune2020 + 5);
  EXPECT_EQ(found.keys[0].parentPath, u"Software");
  EXPECT_EQ(found.keys[0].valueCount, 2u);
  EXPECT_EQ(found.keys[1].cell, deeper);
  EXPECT_EQ(found.keys[1].name, u"Deeper");
  EXPECT_EQ(found.keys[1].parentPath, u"Software\\Gone");

  ASSERT_EQ(found.values.size(), 2u);
  const DeletedValue& first = found.values[0];
  EXPECT_EQ(first.cell, path);
  EXPECT_EQ(first.name, u"Path");
  EXPECT_EQ(first.type, 1u);
  EXPECT_EQ(first.dataState, DeletedData::Whole);
  EXPECT_EQ(first.data, Text(u"C:\\x.exe"));
  EXPECT_EQ(first.owner, gone);
  EXPECT_EQ(first.ownerPath, u"Software\\Gone");
  EXPECT_EQ(found.values[1].data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
  EXPECT_EQ(found.values[1].ownerPath, u"Software\\Gone");
}

TEST(DeletedEntries, RecordsOfCellsMergedIntoAFreeNeighbour) {
  DeletedTree t;
  const std::uint32_t value = t.b.AddValue({.name = u"First", .data = {1}}, kFree);
  const std::uint32_t key = t.b.AddKey({.name = u"Second", .parent = t.root}, kFree);
  const std::uint32_t junk = t.b.AddCell(std::vector<std::uint8_t>(40, 0x41), kFree);
  const std::uint32_t after = t.b.AddKey({.name = u"Third", .parent = t.root}, kFree);
  t.b.PutSize(value, static_cast<std::int32_t>(after + 88 - value)); // one free cell now
  const DeletedEntries found = t.Scan();
  ASSERT_EQ(found.keys.size(), 2u);
  EXPECT_EQ(found.keys[0].cell, key);
  EXPECT_EQ(found.keys[0].parentPath, u"");
  EXPECT_EQ(found.keys[1].cell, after);
  EXPECT_EQ(found.keys[1].name, u"Third");
  ASSERT_EQ(found.values.size(), 1u);
  EXPECT_EQ(found.values[0].cell, value);
  EXPECT_NE(junk, 0u);
}

TEST(DeletedEntries, LeavesOutWhatDoesNotLookLikeARecord) {
  DeletedTree t;
  t.b.AddKey({.name = u"bad\x01name"}, kFree);
  t.b.AddKey({.name = u"a\\b"}, kFree);
  t.b.AddKey({.name = u"old", .lastWrite = 119600064000000000ULL}, kFree); // 1980
  t.b.AddValue({.name = u"typed", .type = 0x12345678, .data = {1}}, kFree);
  const std::uint32_t inlined = t.b.AddValue({.name = u"six", .data = {1}}, kFree);
  t.b.Put32(inlined, 4, 0x80000006);
  // A record in the unused end of a cell in use is not deleted.
  t.b.AddCell({0,    0, 0, 0, 0, 0, 0, 0, 'v', 'k', 1, 0, 0, 0,  0,
               0x80, 0, 0, 0, 0, 3, 0, 0, 0,   1,   0, 0, 0, 'x'});
  const DeletedEntries found = t.Scan();
  EXPECT_TRUE(found.keys.empty());
  EXPECT_TRUE(found.values.empty());
}

// A 32-bit field of a cell's payload, allocated or free.
std::uint32_t Field(const Hive& hive, std::uint32_t cell, std::size_t at) {
  const auto data = hive.Cell(cell)->data;
  return data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
         static_cast<std::uint32_t>(data[at + 3]) << 24;
}

TEST(DeletedEntries, DataIsWholeOnlyWhileEveryCellOfItIsFree) {
  DeletedTree t;
  const auto big = std::vector<std::uint8_t>(20000, 0x5A);
  t.b.AddValue({.name = u"whole", .data = Text(u"kept")}, kFree);
  const std::uint32_t reusedData = t.b.AddCell(Text(u"new!"));
  const std::uint32_t reused = t.b.AddValue({.name = u"reused", .data = Text(u"lost")}, kFree);
  t.b.Put32(reused, 8, reusedData);
  t.b.AddValue({.name = u"empty"}, kFree);
  // A data cell split since (its size field now says 8 bytes) and merged into a free neighbour.
  const std::uint32_t before = t.b.AddCell({0, 0, 0, 0}, kFree);
  t.b.AddValue({.name = u"split since", .data = Text(u"gone")}, kFree);
  t.b.PutSize(before + 8, 8);
  t.b.PutSize(before, 8 + 16);
  const std::uint32_t split =
      t.b.AddValue({.name = u"split", .data = big, .storage = test::DataForm::BigData}, kFree);
  t.b.AddValue({.name = u"bigWhole", .data = big, .storage = test::DataForm::BigData}, kFree);
  {
    const Hive probe(t.b.Build());
    const std::uint32_t list = Field(probe, Field(probe, split, 8), 4);
    t.b.SetState(Field(probe, list, 4), CellState::Allocated); // the second segment
  }
  const DeletedEntries found = t.Scan();
  std::vector<std::pair<std::u16string, DeletedData>> states;
  for (const DeletedValue& v : found.values)
    states.emplace_back(v.name, v.dataState);
  EXPECT_EQ(states, (std::vector<std::pair<std::u16string, DeletedData>>{
                        {u"whole", DeletedData::Whole},
                        {u"reused", DeletedData::Overwritten},
                        {u"empty", DeletedData::None},
                        {u"split since", DeletedData::Overwritten},
                        {u"split", DeletedData::Overwritten},
                        {u"bigWhole", DeletedData::Whole}}));
  ASSERT_EQ(found.values.size(), 6u);
  EXPECT_EQ(found.values[0].data, Text(u"kept"));
  EXPECT_TRUE(found.values[1].data.empty());
  EXPECT_TRUE(found.values[4].data.empty());
  EXPECT_EQ(found.values[5].data, big);
}

TEST(DeletedEntries, OwnersFromTheListsOfKeysStillInUse) {
  DeletedTree t;
  const std::uint32_t live = t.b.AddKey({.name = u"Live", .parent = t.root});
  const std::uint32_t other = t.b.AddKey({.name = u"Other", .parent = t.root});
  t.b.SetSubkeys(t.root, "lf", {live, other});
  const std::uint32_t kept = t.b.AddValue({.name = u"kept", .data = {1}});
  const std::uint32_t otherKept = t.b.AddValue({.name = u"other kept", .data = {1}});
  t.b.SetValues(other, {otherKept});
  const std::uint32_t listedButFree = t.b.AddValue({.name = u"listed", .data = {2}}, kFree);
  const std::uint32_t inTail = t.b.AddValue({.name = u"tail", .data = {3}}, kFree);
  const std::uint32_t earlier = t.b.AddValue({.name = u"earlier", .data = {4}}, kFree);
  const std::uint32_t orphan = t.b.AddValue({.name = u"orphan", .data = {5}}, kFree);
  t.b.SetValues(live, {kept, listedButFree, inTail});
  t.b.Put32(live, 36, 2); // the third entry is what a shortened list left behind
  const std::uint32_t old = t.b.SetValues(t.root, {kept, earlier}, kFree);
  t.b.Put32(t.root, 36, 0);
  t.b.SetValues(t.root, {orphan}, kFree);
  // A free cell naming present values of two keys tells no owner.
  const std::uint32_t confused = t.b.AddValue({.name = u"confused", .data = {6}}, kFree);
  t.b.SetValues(t.root, {kept, confused, otherKept}, kFree);
  t.b.Put32(t.root, 36, 0);
  const DeletedEntries found = t.Scan();
  std::vector<std::pair<std::u16string, std::optional<std::u16string>>> owners;
  for (const DeletedValue& v : found.values)
    owners.emplace_back(v.name, v.ownerPath);
  EXPECT_EQ(owners, (std::vector<std::pair<std::u16string, std::optional<std::u16string>>>{
                        {u"listed", u"Live"},
                        {u"tail", u"Live"},
                        {u"earlier", u"Live"},
                        {u"orphan", std::nullopt},
                        {u"confused", std::nullopt}}));
  EXPECT_NE(old, kNone);
}

TEST(DeletedEntries, NoParentPathWhereTheChainOfParentsBreaks) {
  DeletedTree t;
  const std::uint32_t value = t.b.AddValue({.name = u"v", .data = {1}});
  t.b.AddKey({.name = u"Reused", .parent = value}, kFree);
  t.b.AddKey({.name = u"Nowhere", .parent = 0}, kFree);
  const std::uint32_t self = t.b.AddKey({.name = u"Self"}, kFree);
  t.b.Put32(self, 16, self);
  const DeletedEntries found = t.Scan();
  ASSERT_EQ(found.keys.size(), 3u);
  for (const DeletedKey& key : found.keys)
    EXPECT_FALSE(key.parentPath) << std::string(key.name.begin(), key.name.end());
}

} // namespace
} // namespace tw::hive
