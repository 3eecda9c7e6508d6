// Our reader against hivex on every real hive shipped with the tests: the same keys (as paths
// from the root), the same values with the same names, types and data bytes, in the same order.
// The dirty hives are read as they are, without their logs. hivex refuses the damaged SYSTEM
// hive ("Operation not supported"); we read the bins before its first unsound one, and count
// what lies past them as unreadable.

#include <gtest/gtest.h>
#include <hivex.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive/hive.h"
#include "runtime/code_page.h"
#include "hive_files.h"
#include "support/fixtures.h"
#include "support/platform.h"
#include "support/hivex_value.h"

namespace tw::hive {
namespace {

// One key ("key" alone) or value of a walk, as both readers can tell it.
struct Entry {
  std::string key = {}; // the path from the root, names joined with "\"
  std::string value = {};
  std::uint32_t type = 0;
  std::string data = {}; // "(unreadable)" when the reader could not read it
  bool isValue = false;
  bool operator==(const Entry&) const = default;
};

std::string Describe(const Entry& e) {
  return e.isValue ? e.key + " : \"" + e.value + "\" type " + std::to_string(e.type) + ", " +
                         std::to_string(e.data.size()) + " bytes"
                   : e.key;
}

std::string Joined(const std::string& parent, const std::string& name, int depth) {
  return depth <= 1 ? name : parent + "\\" + name;
}

void HivexWalk(hive_h* h, hive_node_h node, const std::string& path, int depth,
               std::vector<Entry>& out) {
  out.push_back({path});
  if (hive_value_h* values = hivex_node_values(h, node)) {
    for (hive_value_h* v = values; *v != 0; ++v) {
      char* name = hivex_value_key(h, *v);
      std::uint32_t type = 0;
      std::size_t size = 0;
      char* data = test::HivexValueData(h, *v, &type, &size);
      out.push_back({path, name != nullptr ? name : "(unreadable)", type,
                     data != nullptr ? std::string(data, size) : "(unreadable)", true});
      std::free(name);
      std::free(data);
    }
    std::free(values);
  }
  if (hive_node_h* children = hivex_node_children(h, node)) {
    for (hive_node_h* c = children; *c != 0; ++c) {
      char* name = hivex_node_name(h, *c);
      HivexWalk(h, *c, Joined(path, name != nullptr ? name : "(unreadable)", depth + 1), depth + 1,
                out);
      std::free(name);
    }
    std::free(children);
  }
}

std::vector<Entry> OurWalk(const Hive& hive, std::uint32_t* unreadable = nullptr) {
  std::vector<Entry> out;
  std::vector<std::string> path;
  std::vector<ValueRecord> values;
  std::vector<std::uint8_t> data;
  const std::uint32_t bad = Walk(hive, *hive.Key(hive.Root()), [&](const KeyNode& key, int depth) {
    path.resize(depth);
    path.push_back(Utf16ToUtf8(key.name.ToUtf16()));
    std::string joined;
    for (int i = 1; i <= depth; ++i)
      joined = Joined(joined, path[i], i);
    out.push_back({joined});
    values.clear();
    hive.Values(key, values);
    for (const ValueRecord& v : values) {
      const bool readable = hive.Data(v, data);
      out.push_back({joined, Utf16ToUtf8(v.name.ToUtf16()), v.type,
                     readable ? std::string(data.begin(), data.end()) : "(unreadable)", true});
    }
  });
  if (unreadable != nullptr)
    *unreadable = bad;
  return out;
}

class HivexDifferential : public testing::TestWithParam<const char*> {
protected:
  test::TempFolder folder;
};

TEST_P(HivexDifferential, SameKeysValuesAndDataInTheSameOrder) {
  const std::filesystem::path file = test::UnpackHive(GetParam(), folder.Host());
  hive_h* h = hivex_open(file.c_str(), 0);
  ASSERT_NE(h, nullptr) << "hivex cannot open " << GetParam();
  std::vector<Entry> theirs;
  HivexWalk(h, hivex_root(h), "", 0, theirs);
  hivex_close(h);
  const std::vector<Entry> ours = OurWalk(Hive(test::ReadFileData(file)));

  std::size_t values = 0;
  for (std::size_t i = 0; i < std::min(ours.size(), theirs.size()); ++i) {
    ASSERT_EQ(ours[i], theirs[i]) << "entry " << i << ": ours " << Describe(ours[i]) << ", hivex "
                                  << Describe(theirs[i]);
    values += ours[i].isValue;
  }
  ASSERT_EQ(ours.size(), theirs.size());
  EXPECT_GT(values, 0u);
}

// What `trailwick-cli dump --format jsonl` wrote, read back by Python's JSON parser: every key
// and value as the walk gives them.
std::vector<Entry> DumpedEntries(const std::filesystem::path& jsonl) {
  const std::filesystem::path script = jsonl.parent_path() / "read.py";
  std::ofstream(script) << "import json, sys\n"
                           "def h(t): return t.encode('utf-8', 'surrogatepass').hex() or '-'\n"
                           "for line in open(sys.argv[1], encoding='utf-8'):\n"
                           "    k = json.loads(line)\n"
                           "    print('K', h(k['path']))\n"
                           "    for v in k['values']:\n"
                           "        print('V', h(k['path']), h(v['name']), v['type'],\n"
                           "              v['data'] or '-' if v['data'] is not None else 'x')\n";
  int status = 0;
  const std::string out =
      test::RunCommand("python3 '" + script.string() + "' '" + jsonl.string() + "'", &status);
  EXPECT_EQ(status, 0) << out.substr(0, 2000);
  const auto unhex = [](const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; hex != "-" && i + 1 < hex.size(); i += 2)
      bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
  };
  std::vector<Entry> entries;
  std::istringstream in(out);
  for (std::string kind, path; in >> kind >> path;) {
    if (kind == "K") {
      entries.push_back({unhex(path)});
      continue;
    }
    std::string name, data;
    std::uint32_t type = 0;
    in >> name >> type >> data;
    entries.push_back(
        {unhex(path), unhex(name), type, data == "x" ? "(unreadable)" : unhex(data), true});
  }
  return entries;
}

TEST_P(HivexDifferential, TheDumpCommandWritesEveryKeyAndValueHivexReads) {
  const std::filesystem::path file = test::UnpackHive(GetParam(), folder.Host());
  hive_h* h = hivex_open(file.c_str(), 0);
  ASSERT_NE(h, nullptr) << "hivex cannot open " << GetParam();
  std::vector<Entry> theirs;
  HivexWalk(h, hivex_root(h), "", 0, theirs);
  hivex_close(h);
  // The dirty hives as they are: hivex knows no logs.
  const std::filesystem::path dump = folder.Host() / "dump.jsonl";
  OfflineCliPlatform platform;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"dump", "--hive", file.string(), "--no-recover", "--format", "jsonl", "--out",
                    dump.string()},
                   platform, out, err),
            ExitCode::Done)
      << err.str();
  const std::vector<Entry> ours = DumpedEntries(dump);
  ASSERT_EQ(ours.size(), theirs.size());
  for (std::size_t i = 0; i < ours.size(); ++i)
    ASSERT_EQ(ours[i], theirs[i]) << "entry " << i << ": ours " << Describe(ours[i]) << ", hivex "
                                  << Describe(theirs[i]);
}

INSTANTIATE_TEST_SUITE_P(RealHives, HivexDifferential,
                         testing::Values("NTUSER.DAT", "SYSTEM", "SAM", "UsrClass.dat",
                                         "amcache.hve", "transactions_NTUSER.DAT"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST(DamagedHive, HivexRefusesItAndWeReadItsSoundPart) {
  test::TempFolder folder;
  const std::filesystem::path file = test::UnpackHive("corrupted_system_hive", folder.Host());
  EXPECT_EQ(hivex_open(file.c_str(), 0), nullptr);
  const Hive hive(test::ReadFileData(file));
  // The 26th page holds no hive bin, nor do 582 others; the sound bins after them are read on.
  EXPECT_EQ(hive.BinsEnd(), 2785280u);
  std::uint32_t unreadable = 0;
  const std::vector<Entry> entries = OurWalk(hive, &unreadable);
  ASSERT_GE(entries.size(), 1u);
  EXPECT_EQ(entries[0].key, "");
  // What the damaged pages held is counted, what the sound ones hold is read.
  const auto keys = std::count_if(entries.begin(), entries.end(),
                                  [](const Entry& e) { return !e.isValue; });
  EXPECT_EQ(keys, 1687);
  EXPECT_EQ(unreadable, 2198u);
}

} // namespace
} // namespace tw::hive
