// Deleted entries of hives edited with hivex in the test, and of the real hives, beside
// RegRipper's "del" plugin. What is comparable: the names of the key and value records it
// lists. On the hive edited here it lists the same records as we do, in file order. On the
// real hives it also prints records whose names are not text (we leave those out as no
// records), and it misses some that we find in the unused end of a free cell after its first
// record; so each record of it with a printable name must be one of ours.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "runtime/code_page.h"
#include "hive/deleted.h"
#include "hive_files.h"
#include "support/fixtures.h"
#include "support/platform.h"

namespace tw::hive {
namespace {

constexpr std::uint64_t kOldWritten = 132355440000000000ULL;   // 1 June 2020, 12:00 UTC
constexpr std::uint64_t kInnerWritten = 132355476000000000ULL; // an hour later

void WriteAll(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Utf16z(const std::u16string& text) {
  std::vector<std::uint8_t> out;
  for (const char16_t c : text + u'\0') {
    out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return out;
}

// "K name" or "V name" for each record RegRipper's del plugin reports, in its order.
std::vector<std::string> RegRipperRecords(const std::filesystem::path& hive) {
  int status = 0;
  const std::string out =
      test::RunCommand("regripper -r '" + hive.string() + "' -p del 2>/dev/null", &status);
  EXPECT_EQ(status, 0);
  std::vector<std::string> records;
  std::size_t at = 0;
  while (at < out.size()) {
    const std::size_t end = std::min(out.find('\n', at), out.size());
    const std::string line = out.substr(at, end - at);
    if (line.rfind("Key name: ", 0) == 0)
      records.push_back("K " + line.substr(10));
    else if (line.rfind("Value Name: ", 0) == 0)
      records.push_back("V " + line.substr(12));
    else if (line == "Value Name:")
      records.push_back("V ");
    at = end + 1;
  }
  return records;
}

// Ours, keys and values merged in file order.
std::vector<std::string> OurRecords(const DeletedEntries& found) {
  std::vector<std::pair<CellRef, std::string>> all;
  for (const DeletedKey& k : found.keys)
    all.emplace_back(k.cell, "K " + Utf16ToUtf8(k.name));
  for (const DeletedValue& v : found.values)
    all.emplace_back(v.cell, "V " + Utf16ToUtf8(v.name));
  std::sort(all.begin(), all.end());
  std::vector<std::string> out;
  for (auto& [cell, record] : all)
    out.push_back(record);
  return out;
}

class DeletedWithHivex : public testing::Test {
protected:
  void SetUp() override {
    hive = folder.Host() / "hive";
    test::WriteEmptyHive(hive);
    test::MergeIntoHive(hive,
                        "Windows Registry Editor Version 5.00\n\n[\\]\n\n"
                        "[\\Software]\n\"Keep\"=\"stays\"\n\n"
                        "[\\Software\\Vendor]\n\"Gone\"=\"gone\"\n\"Dw\"=dword:0000002a\n\n"
                        "[\\Software\\Vendor\\Old]\n\"Note\"=\"a note deleted with its key\"\n"
                        "\"Num\"=dword:00000007\n\n"
                        "[\\Software\\Vendor\\Old\\Inner]\n@=\"default\"\n\n");
    StampTimes();
    // hivexsh deletes the subtree; Win::Hivex rewrites the key's values without "Gone".
    std::ofstream(folder.Host() / "del.hivexsh") << "cd \\Software\\Vendor\\Old\ndel\ncommit\n";
    std::ofstream(folder.Host() / "values.pl")
        << "use Win::Hivex;\nmy $h = Win::Hivex->open($ARGV[0], write => 1);\n"
           "my $n = $h->node_get_child($h->node_get_child($h->root(), 'Software'), 'Vendor');\n"
           "my @keep = map { my ($t, $d) = $h->value_value($_);\n"
           "  { key => $h->value_key($_), t => $t, value => $d } }\n"
           "  grep { $h->value_key($_) ne 'Gone' } $h->node_values($n);\n"
           "$h->node_set_values($n, \\@keep);\n$h->commit(undef);\n";
    for (const std::string& command :
         {"hivexsh -w -f '" + (folder.Host() / "del.hivexsh").string() + "' '" + hive.string() +
              "'",
          "perl '" + (folder.Host() / "values.pl").string() + "' '" + hive.string() + "'"}) {
      int status = 0;
      const std::string out = test::RunCommand(command + " 2>&1", &status);
      ASSERT_EQ(status, 0) << command << ": " << out;
    }
  }

  // hivex writes no key times: ours go into the keys to be deleted, as Windows would have.
  void StampTimes() {
    std::vector<std::uint8_t> bytes = test::ReadFileData(hive);
    std::vector<std::pair<CellRef, std::uint64_t>> stamps;
    {
      const Hive before(bytes);
      Walk(before, *before.Key(before.Root()), [&](const KeyNode& key, int) {
        const std::u16string name = key.name.ToUtf16();
        if (name == u"Old" || name == u"Inner")
          stamps.emplace_back(key.cell, name == u"Old" ? kOldWritten : kInnerWritten);
      });
    }
    ASSERT_EQ(stamps.size(), 2u);
    for (const auto& [cell, time] : stamps)
      for (int i = 0; i < 8; ++i)
        bytes[kBaseBlockSize + cell + 8 + i] = static_cast<std::uint8_t>(time >> (8 * i));
    WriteAll(hive, bytes);
  }

  test::TempFolder folder;
  std::filesystem::path hive;
};

TEST_F(DeletedWithHivex, ListedWithNamesTimesTypesDataAndParentPaths) {
  const Hive after(test::ReadFileData(hive));
  ASSERT_FALSE(after.Base().Dirty());
  const DeletedEntries found = FindDeleted(after);

  ASSERT_EQ(found.keys.size(), 2u);
  EXPECT_EQ(found.keys[0].name, u"Old");
  EXPECT_EQ(found.keys[0].lastWrite, kOldWritten);
  EXPECT_EQ(found.keys[0].parentPath, u"Software\\Vendor");
  EXPECT_EQ(found.keys[0].subkeyCount, 1u);
  EXPECT_EQ(found.keys[1].name, u"Inner");
  EXPECT_EQ(found.keys[1].lastWrite, kInnerWritten);
  EXPECT_EQ(found.keys[1].parentPath, u"Software\\Vendor\\Old");

  // hivex rewrites all of a key's values to drop one ("Dw" is left behind too), and empties a
  // key's value list before it frees the key: these values name no key any more.
  struct Expected {
    std::u16string name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const std::vector<Expected> expected = {{u"Gone", 1, Utf16z(u"gone")},
                                          {u"Dw", 4, {0x2a, 0, 0, 0}},
                                          {u"Note", 1, Utf16z(u"a note deleted with its key")},
                                          {u"Num", 4, {7, 0, 0, 0}},
                                          {u"", 1, Utf16z(u"default")}};
  ASSERT_EQ(found.values.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const DeletedValue& v = found.values[i];
    EXPECT_EQ(v.name, expected[i].name) << i;
    EXPECT_EQ(v.type, expected[i].type) << i;
    EXPECT_EQ(v.dataState, DeletedData::Whole) << i;
    EXPECT_EQ(v.data, expected[i].data) << i;
  }
}

TEST_F(DeletedWithHivex, RegRipperListsTheSameRecordsInTheSameOrder) {
  EXPECT_EQ(OurRecords(FindDeleted(Hive(test::ReadFileData(hive)))), RegRipperRecords(hive));
}

bool Printable(const std::string& record) {
  return std::all_of(record.begin(), record.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

class DeletedInRealHives : public testing::TestWithParam<const char*> {};

TEST_P(DeletedInRealHives, RegRipperRecordsWithTextNamesAreAmongOurs) {
  test::TempFolder folder;
  const std::filesystem::path file = test::UnpackHive(GetParam(), folder.Host());
  std::vector<std::string> ours = OurRecords(FindDeleted(Hive(test::ReadFileData(file))));
  std::vector<std::string> theirs = RegRipperRecords(file);
  theirs.erase(std::remove_if(theirs.begin(), theirs.end(), [](auto& r) { return !Printable(r); }),
               theirs.end());
  EXPECT_FALSE(theirs.empty());
  std::sort(ours.begin(), ours.end());
  std::sort(theirs.begin(), theirs.end());
  std::vector<std::string> missing;
  std::set_difference(theirs.begin(), theirs.end(), ours.begin(), ours.end(),
                      std::back_inserter(missing));
  EXPECT_EQ(missing, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Hives, DeletedInRealHives,
                         testing::Values("SAM", "NTUSER.DAT", "UsrClass.dat"),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

} // namespace
} // namespace tw::hive
