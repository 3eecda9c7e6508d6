// The reader over hives laid out in the test: what it reads from sound records, and what it
// refuses or counts as unreadable in damaged ones, without reading outside the image.

#include <gtest/gtest.h>

#include "hive/hive.h"
#include "hive_builder.h"

namespace tw::hive {
namespace {

using test::CellState;
using test::HiveBuilder;
using test::kNone;
using test::NameForm;

void Poke32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A builder whose first cell is the root key "ROOT".
struct Tree {
  explicit Tree(std::uint32_t minor = 5) : b(minor) {
    root = b.AddKey({.name = u"ROOT", .flags = kKeyHiveEntry | kKeyNoDelete});
  }
  std::uint32_t Key(const std::u16string& name) { return b.AddKey({.name = name, .parent = root}); }
  Hive Open() const { return Hive(b.Build()); }
  HiveBuilder b;
  std::uint32_t root;
};

std::vector<std::u16string> SubkeyNames(const Hive& hive, CellRef cell, std::uint32_t& bad) {
  std::vector<KeyNode> keys;
  bad = hive.Subkeys(*hive.Key(cell), keys);
  std::vector<std::u16string> names;
  for (const KeyNode& k : keys)
    names.push_back(k.name.ToUtf16());
  return names;
}

std::string OpenError(std::vector<std::uint8_t> image) {
  try {
    Hive hive(std::move(image));
  } catch (const HiveError& e) {
    return e.what();
  }
  return "opened";
}

TEST(HiveOpen, NamesWhyAFileIsNoHive) {
  Tree t;
  const std::uint32_t value = t.b.AddValue({.name = u"v"});
  const auto good = t.b.Build();
  EXPECT_EQ(OpenError({'h', 'e', 'l', 'l', 'o'}), "not a hive (no registry hive signature)");
  EXPECT_NE(OpenError({good.begin(), good.begin() + 100}).find("truncated"), std::string::npos);
  auto image = good;
  Poke32(image, 20, 2);
  EXPECT_NE(OpenError(image).find("version 2.5"), std::string::npos);
  image = good;
  Poke32(image, 28, 6);
  EXPECT_NE(OpenError(image).find("transaction log"), std::string::npos);
  image = good;
  image[4096] = 'x';
  EXPECT_NE(OpenError(image).find("no sound hive bin"), std::string::npos);
  image = good;
  Poke32(image, 36, value);
  EXPECT_NE(OpenError(image).find("root key"), std::string::npos);
}

TEST(HiveOpen, AcceptsABadChecksumAndSaysSo) {
  auto image = Tree().b.Build();
  image[508] ^= 1;
  const Hive hive(image);
  EXPECT_FALSE(hive.Base().checksumValid);
  EXPECT_TRUE(hive.Key(hive.Root()));
}

TEST(HiveOpen, KeepsSoundBinsWithinWhatBaseBlockAndFileAllow) {
  Tree t;
  const std::uint32_t a = t.Key(u"a");
  t.b.AddCell(std::vector<std::uint8_t>(5000)); // opens a second bin of two pages
  const std::uint32_t b = t.Key(u"b");
  const auto good = t.b.Build();
  ASSERT_EQ(good.size(), 4096u + 3 * 4096u);
  const auto readable = [](std::vector<std::uint8_t> image, std::uint32_t cell) {
    return Hive(std::move(image)).Key(cell).has_value();
  };
  EXPECT_TRUE(readable(good, b));
  auto image = good;
  Poke32(image, 4096 + 4096 + 4, 0); // the second bin names the wrong offset
  EXPECT_EQ(Hive(image).BinsEnd(), 4096u);
  EXPECT_TRUE(readable(image, a));
  EXPECT_FALSE(readable(image, b));
  image = good;
  Poke32(image, 40, 0x100000); // more than the file holds
  EXPECT_TRUE(readable(image, b));
  image = good;
  Poke32(image, 40, 4096); // the second bin lies past the hive's end
  EXPECT_FALSE(readable(image, b));
}

TEST(HiveOpen, ReadsOnPastADamagedBin) {
  Tree t;
  const std::uint32_t a = t.Key(u"a");
  t.b.AddCell(std::vector<std::uint8_t>(5000)); // a second bin of two pages
  const std::uint32_t b = t.Key(u"b");
  t.b.AddCell(std::vector<std::uint8_t>(5000)); // a third one
  const std::uint32_t c = t.Key(u"c");
  auto image = t.b.Build();
  ASSERT_EQ(image.size(), 4096u + 5 * 4096u);
  Poke32(image, 4096 + 4096, 0); // the second bin's signature is gone
  const Hive hive(std::move(image));
  EXPECT_EQ(hive.BinsEnd(), 5 * 4096u);
  EXPECT_TRUE(hive.Key(a).has_value());
  EXPECT_FALSE(hive.Key(b).has_value()) << "its bin is damaged";
  EXPECT_TRUE(hive.Key(c).has_value()) << "the bin after the damaged one is sound";
  std::uint32_t cells = 0;
  hive.ForEachCell([&](CellRef cell, const CellView&) {
    EXPECT_FALSE(cell >= 4096 && cell < 3 * 4096) << "no cell of the damaged bin";
    ++cells;
    return true;
  });
  EXPECT_GT(cells, 0u);
}

class HiveLeaves : public testing::TestWithParam<const char*> {};

TEST_P(HiveLeaves, GiveSubkeysInTheListsOrder) {
  Tree t;
  const std::uint32_t a = t.Key(u"a"), b = t.Key(u"b"), c = t.Key(u"c");
  t.b.SetSubkeys(t.root, GetParam(), {c, a, b});
  std::uint32_t bad = 0;
  EXPECT_EQ(SubkeyNames(t.Open(), t.root, bad), (std::vector<std::u16string>{u"c", u"a", u"b"}));
  EXPECT_EQ(bad, 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HiveLeaves, testing::Values("li", "lf", "lh"));

TEST(HiveSubkeys, IndexRootJoinsItsLeavesAndNeverAnotherRoot) {
  Tree t;
  const std::uint32_t a = t.Key(u"a"), b = t.Key(u"b"), c = t.Key(u"c");
  const std::uint32_t first = t.b.AddList("lf", {a, b}), second = t.b.AddList("li", {c});
  t.b.SetSubkeys(t.root, "ri", {first, second});
  t.b.Put32(t.root, 20, 3);
  std::uint32_t bad = 0;
  EXPECT_EQ(SubkeyNames(t.Open(), t.root, bad), (std::vector<std::u16string>{u"a", u"b", u"c"}));
  EXPECT_EQ(bad, 0u);

  const std::uint32_t nested = t.b.AddList("ri", {second});
  t.b.SetSubkeys(t.root, "ri", {nested, first});
  t.b.Put32(t.root, 20, 3);
  EXPECT_EQ(SubkeyNames(t.Open(), t.root, bad), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(bad, 1u);
}

TEST(HiveSubkeys, SkipAndCountEntriesNamingNoKey) {
  Tree t;
  const std::uint32_t a = t.Key(u"a");
  const std::uint32_t value = t.b.AddValue({.name = u"v"});
  const std::uint32_t freed = t.b.AddKey({.name = u"f", .parent = t.root}, CellState::Free);
  t.b.SetSubkeys(t.root, "lh", {a, 0x7FFFFFF8, value, freed, a + 4});
  std::uint32_t bad = 0;
  EXPECT_EQ(SubkeyNames(t.Open(), t.root, bad), (std::vector<std::u16string>{u"a"}));
  EXPECT_EQ(bad, 4u);
}

TEST(HiveSubkeys, CountWhatTheListCannotHold) {
  Tree t;
  const std::uint32_t a = t.Key(u"a"), b = t.Key(u"b");
  const std::uint32_t list = t.b.SetSubkeys(t.root, "li", {a, b});
  t.b.Put16(list, 2, 5); // more entries than the cell holds
  t.b.Put32(t.root, 20, 5);
  std::uint32_t bad = 0;
  EXPECT_EQ(SubkeyNames(t.Open(), t.root, bad), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(bad, 3u);
  t.b.Put32(t.root, 28, 0x7FFFFFF8); // no list at all
  EXPECT_EQ(SubkeyNames(t.Open(), t.root, bad), (std::vector<std::u16string>{}));
  EXPECT_EQ(bad, 5u);
}

TEST(HiveWalk, EntersAKeyOnceWhenTheTreeLoops) {
  Tree t;
  const std::uint32_t a = t.Key(u"a"), b = t.Key(u"b");
  t.b.SetSubkeys(t.root, "lf", {a, b});
  t.b.SetSubkeys(a, "lf", {t.root});
  const Hive hive = t.Open();
  std::vector<std::pair<std::u16string, int>> seen;
  const std::uint32_t bad = Walk(hive, *hive.Key(hive.Root()), [&](const KeyNode& k, int depth) {
    seen.emplace_back(k.name.ToUtf16(), depth);
  });
  EXPECT_EQ(seen,
            (std::vector<std::pair<std::u16string, int>>{{u"ROOT", 0}, {u"a", 1}, {u"b", 1}}));
  EXPECT_EQ(bad, 1u);
}

TEST(HiveKeys, ReadNamesTimesAndFlags) {
  Tree t;
  const std::uint32_t latin = t.b.AddKey({.name = u"Gr\u00FC\u00DFe", .parent = t.root});
  const std::uint32_t wide = t.b.AddKey({.name = u"\u65E5\u672C-\u00E9",
                                         .form = NameForm::Utf16,
                                         .parent = t.root,
                                         .lastWrite = 0x01D2000011112222,
                                         .flags = kKeySymLink});
  const Hive hive = t.Open();
  EXPECT_EQ(hive.Key(latin)->name.ToUtf16(), u"Gr\u00FC\u00DFe");
  EXPECT_EQ(hive.Key(latin)->flags, kKeyCompressedName);
  const KeyNode key = *hive.Key(wide);
  EXPECT_EQ(key.name.ToUtf16(), u"\u65E5\u672C-\u00E9");
  EXPECT_EQ(key.name.Length(), 4u);
  EXPECT_EQ(key.lastWrite, 0x01D2000011112222u);
  EXPECT_EQ(key.flags, kKeySymLink);
  EXPECT_EQ(key.parent, t.root);
}

TEST(HiveKeys, RefuseRecordsThatDoNotHoldTogether) {
  Tree t;
  const std::uint32_t longName = t.Key(u"abc");
  t.b.Put16(longName, 72, 200);
  const std::uint32_t unnamed = t.Key(u"");
  const std::uint32_t wrong = t.Key(u"w");
  t.b.Put16(wrong, 0, 0x6C6E); // "nl"
  const Hive hive = t.Open();
  EXPECT_FALSE(hive.Key(longName));
  EXPECT_FALSE(hive.Key(unnamed));
  EXPECT_FALSE(hive.Key(wrong));
  // The root alone may go without a name.
  HiveBuilder b;
  b.AddKey({.name = u""});
  EXPECT_TRUE(Hive(b.Build()).Key(0x20));
}

TEST(HivePaths, JoinNamesFromTheRootAndStopAtLoops) {
  Tree t;
  const std::uint32_t a = t.Key(u"a");
  const std::uint32_t b = t.b.AddKey({.name = u"b", .parent = a});
  const std::uint32_t c = t.b.AddKey({.name = u"c", .parent = kNone});
  const std::uint32_t d = t.b.AddKey({.name = u"d", .parent = c});
  t.b.Put32(c, 16, d);
  const std::uint32_t lost = t.b.AddKey({.name = u"e", .parent = 0x7FFFFFF8});
  const Hive hive = t.Open();
  EXPECT_EQ(hive.PathOf(b), u"a\\b");
  EXPECT_EQ(hive.PathOf(t.root), u"");
  EXPECT_FALSE(hive.PathOf(d));
  EXPECT_FALSE(hive.PathOf(lost));
}

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return bytes;
}

TEST(HiveValues, ReadNamesTypesAndCountWhatIsMissing) {
  Tree t;
  const std::uint32_t def = t.b.AddValue({.name = u"", .type = 1, .data = {'x', 0}});
  const std::uint32_t wide = t.b.AddValue(
      {.name = u"\u00E9t\u00E9", .type = 4, .data = {1, 0, 0, 0}, .form = NameForm::Utf16});
  const std::uint32_t key = t.Key(u"k");
  t.b.SetValues(t.root, {def, wide, key, 0x7FFFFFF8});
  t.b.Put32(t.root, 36, 6); // two more than were listed
  const Hive hive = t.Open();
  std::vector<ValueRecord> values;
  EXPECT_EQ(hive.Values(*hive.Key(t.root), values), 4u);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_TRUE(values[0].name.Empty());
  EXPECT_EQ(values[0].type, 1u);
  EXPECT_EQ(values[1].name.ToUtf16(), u"\u00E9t\u00E9");
  EXPECT_EQ(values[1].type, 4u);

  t.b.SetValues(t.root, {def, wide}, CellState::Free);
  values.clear();
  const Hive freed = t.Open();
  EXPECT_EQ(freed.Values(*freed.Key(t.root), values), 2u);
  EXPECT_TRUE(values.empty());
}

// The value's data as Data reads it; "unreadable" when it cannot.
std::optional<std::vector<std::uint8_t>> DataOf(const Hive& hive, CellRef cell) {
  std::vector<std::uint8_t> out{9};
  if (!hive.Data(*hive.Value(cell), out)) {
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(hive.DataSpan(*hive.Value(cell)));
    return std::nullopt;
  }
  return out;
}

TEST(HiveData, ReadsInlineOneCellAndBigData) {
  for (const std::uint32_t minor : {3u, 5u}) {
    Tree t(minor);
    const std::vector<std::vector<std::uint8_t>> data = {{},         {1, 2},       {1, 2, 3, 4},
                                                         Pattern(5), Pattern(100), Pattern(20000)};
    std::vector<std::uint32_t> cells;
    for (const auto& d : data)
      cells.push_back(t.b.AddValue({.name = u"v", .data = d}));
    const std::uint32_t big =
        minor > 3
            ? t.b.AddValue(
                  {.name = u"big", .data = Pattern(40000), .storage = test::DataForm::BigData})
            : kNone;
    const Hive hive = t.Open();
    for (std::size_t i = 0; i < data.size(); ++i) {
      EXPECT_EQ(DataOf(hive, cells[i]), data[i]) << "minor " << minor << ", value " << i;
      const auto span = hive.DataSpan(*hive.Value(cells[i]));
      ASSERT_TRUE(span);
      EXPECT_EQ(std::vector<std::uint8_t>(span->begin(), span->end()), data[i]);
    }
    if (minor > 3) {
      EXPECT_EQ(DataOf(hive, big), Pattern(40000));
      EXPECT_FALSE(hive.DataSpan(*hive.Value(big)));
    }
  }
}

TEST(HiveData, BigDataTakesAtMostOneSegmentFromEachCell) {
  Tree t;
  const auto data = Pattern(20000);
  std::vector<std::uint8_t> first(data.begin(), data.begin() + 16344);
  first.insert(first.end(), 40, 0xEE); // the cell is larger than its segment
  const std::uint32_t one = t.b.AddCell(first);
  const std::uint32_t two = t.b.AddCell({data.begin() + 16344, data.end()});
  const std::uint32_t list = t.b.AddCell({0, 0, 0, 0, 0, 0, 0, 0});
  t.b.Put32(list, 0, one);
  t.b.Put32(list, 4, two);
  const std::uint32_t db = t.b.AddCell({'d', 'b', 2, 0, 0, 0, 0, 0});
  t.b.Put32(db, 4, list);
  const std::uint32_t value = t.b.AddValue({.name = u"v", .data = {1}});
  t.b.Put32(value, 4, 20000);
  t.b.Put32(value, 8, db);
  EXPECT_EQ(DataOf(t.Open(), value), data);
  t.b.Put16(db, 2, 1); // one segment cannot hold 20,000 bytes
  EXPECT_FALSE(DataOf(t.Open(), value));
  t.b.Put16(db, 2, 2);
  t.b.Put32(list, 4, 0x7FFFFFF8); // a segment outside the hive
  EXPECT_FALSE(DataOf(t.Open(), value));
}

TEST(HiveData, UnreadableWhenSizesDoNotAddUp) {
  Tree old(3);
  const std::uint32_t db =
      old.b.AddValue({.name = u"db", .data = Pattern(40000), .storage = test::DataForm::BigData});
  EXPECT_FALSE(DataOf(old.Open(), db)); // no big data before format 1.4

  Tree t;
  const std::uint32_t inlined = t.b.AddValue({.name = u"i", .data = {1, 2, 3, 4}});
  t.b.Put32(inlined, 4, 0x80000005);
  const std::uint32_t shorter = t.b.AddValue({.name = u"s", .data = Pattern(100)});
  t.b.Put32(shorter, 4, 200);
  const std::uint32_t freed = t.b.AddCell(Pattern(100), CellState::Free);
  const std::uint32_t onFree = t.b.AddValue({.name = u"f", .data = Pattern(100)});
  t.b.Put32(onFree, 8, freed);
  const std::uint32_t outside = t.b.AddValue({.name = u"o", .data = Pattern(100)});
  t.b.Put32(outside, 8, 0xFFFFFFF8);
  const Hive hive = t.Open();
  for (const std::uint32_t cell : {inlined, shorter, onFree, outside})
    EXPECT_FALSE(DataOf(hive, cell)) << cell;
}

TEST(HiveClassNames, ReadWhenTheCellHoldsThem) {
  Tree t;
  const std::uint32_t a = t.Key(u"a"), b = t.Key(u"b");
  t.b.SetClass(a, u"Shell");
  t.b.SetClass(b, u"Long");
  t.b.Put16(b, 74, 400);
  const Hive hive = t.Open();
  EXPECT_EQ(hive.ClassName(*hive.Key(a)), u"Shell");
  EXPECT_FALSE(hive.ClassName(*hive.Key(b)));
  EXPECT_FALSE(hive.ClassName(*hive.Key(t.root)));
}

TEST(HiveCells, StayWithinTheirBins) {
  Tree t;
  const std::uint32_t freed = t.b.AddCell(Pattern(20), CellState::Free);
  const std::uint32_t liar = t.b.AddCell(Pattern(20));
  t.b.PutSize(liar, -0x2000); // a size past the bin's end
  const Hive hive = t.Open();
  EXPECT_FALSE(hive.Cell(0));          // the bin's header
  EXPECT_FALSE(hive.Cell(t.root + 4)); // no cell starts there
  EXPECT_FALSE(hive.Cell(hive.BinsEnd()));
  EXPECT_FALSE(hive.Cell(liar));
  ASSERT_TRUE(hive.Cell(freed));
  EXPECT_FALSE(hive.Cell(freed)->allocated);
  EXPECT_EQ(hive.Cell(freed)->data.size(), 20u);

  std::vector<CellRef> cells;
  hive.ForEachCell([&](CellRef at, const CellView&) {
    cells.push_back(at);
    return at != freed;
  });
  EXPECT_EQ(cells, (std::vector<CellRef>{t.root, freed}));
}

} // namespace
} // namespace tw::hive
