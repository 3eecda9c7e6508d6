// Recovery of the real dirty hives shipped with the tests, checked against their logs' entries
// and read back with hivex, which knows nothing of our recovery.
#include <gtest/gtest.h>
#include <hivex.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "hive/marvin32.h"
#include "hive/recovery.h"
#include "runtime/little_endian.h"
#include "support/hivex_value.h"

namespace tw::hive {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Unpack(const std::string& name) {
  const std::string source = std::string(TW_FIXTURE_DIR) + "/hives/" + name + ".xz";
  FILE* pipe = popen(("xz -dc '" + source + "'").c_str(), "r");
  if (pipe == nullptr)
    throw std::runtime_error("cannot run xz");
  Bytes out;
  std::uint8_t buffer[65536];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    out.insert(out.end(), buffer, buffer + n);
  if (pclose(pipe) != 0)
    throw std::runtime_error("cannot unpack " + source);
  return out;
}

struct RealHive {
  const char* primary;
  const char* log1;
  const char* log2;
  std::uint32_t primarySequence;
  std::uint32_t secondarySequence;
  std::uint32_t entriesApplied;
  std::uint32_t toSequence;
  std::uint32_t binsSize;
  std::vector<std::string> logsUsed;
};

void PrintTo(const RealHive& hive, std::ostream* out) {
  *out << hive.primary;
}

const RealHive kNtUser{"transactions_NTUSER.DAT",
                       "transactions_ntuser.dat.log1",
                       "transactions_ntuser.dat.log2",
                       567,
                       566,
                       23, // 566 to 588, all in the first log
                       589,
                       925696,
                       {"transactions_ntuser.dat.log1"}};
const RealHive kUsrClass{"UsrClass.dat",
                         "UsrClass.dat.LOG1",
                         "UsrClass.dat.LOG2",
                         256,
                         255,
                         14, // 287 to 290 in the first log, 291 to 300 in the second
                         301,
                         2830336,
                         {"UsrClass.dat.LOG1", "UsrClass.dat.LOG2"}};

// Unpacked once for all tests.
struct Files {
  Bytes primary;
  std::vector<LogFile> logs;
};
const Files& Load(const RealHive& hive) {
  static std::map<std::string, Files> cache;
  auto [it, added] = cache.try_emplace(hive.primary);
  if (added) {
    it->second.primary = Unpack(hive.primary);
    it->second.logs = {{hive.log1, Unpack(hive.log1)}, {hive.log2, Unpack(hive.log2)}};
  }
  return it->second;
}

// The entries of a log as the file lays them out, read here without the recovery code.
struct RawEntry {
  std::size_t offset;
  std::uint32_t size;
  std::uint32_t sequence;
  bool hashesMatch;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pages; // bins offset, size
};
std::vector<RawEntry> RawEntries(const Bytes& log) {
  std::vector<RawEntry> entries;
  for (std::size_t at = 512; at + 40 <= log.size() && std::memcmp(&log[at], "HvLE", 4) == 0;) {
    const std::uint8_t* p = &log[at];
    RawEntry e{at, le::Load32(p + 4), le::Load32(p + 12), false, {}};
    const std::span<const std::uint8_t> bytes(p, e.size);
    e.hashesMatch = Marvin32(bytes.subspan(40), kLogEntrySeed) == le::Load64(p + 24) &&
                    Marvin32(bytes.first(32), kLogEntrySeed) == le::Load64(p + 32);
    for (std::uint32_t i = 0; i < le::Load32(p + 20); ++i)
      e.pages.emplace_back(le::Load32(p + 40 + 8 * i), le::Load32(p + 44 + 8 * i));
    entries.push_back(e);
    at += e.size;
  }
  return entries;
}

// The 512-byte pages of the bins the entries from `from` to before `to` write.
std::set<std::uint32_t> WrittenPages(const Files& files, std::uint32_t from, std::uint32_t to) {
  std::set<std::uint32_t> pages;
  for (const LogFile& log : files.logs)
    for (const RawEntry& e : RawEntries(log.bytes))
      if (e.sequence >= from && e.sequence < to)
        for (const auto& [at, size] : e.pages)
          for (std::uint32_t page = at / 512; page < (at + size) / 512; ++page)
            pages.insert(page);
  return pages;
}

// Every value of a hive through hivex: "path|name" → its data.
struct HivexValues {
  std::size_t keys = 0;
  std::size_t errors = 0;
  std::map<std::string, std::string> values;
};

void WalkNode(hive_h* h, hive_node_h node, const std::string& path, HivexValues& walk) {
  ++walk.keys;
  hive_value_h* values = hivex_node_values(h, node);
  if (values == nullptr) {
    ++walk.errors;
  } else {
    for (std::size_t i = 0; values[i] != 0; ++i) {
      char* name = hivex_value_key(h, values[i]);
      std::uint32_t type = 0;
      std::size_t length = 0;
      char* data = test::HivexValueData(h, values[i], &type, &length);
      if (name == nullptr || data == nullptr)
        ++walk.errors;
      else
        walk.values[path + "|" + name] = std::string(data, length);
      std::free(name);
      std::free(data);
    }
    std::free(values);
  }
  hive_node_h* children = hivex_node_children(h, node);
  if (children == nullptr) {
    ++walk.errors;
    return;
  }
  for (std::size_t i = 0; children[i] != 0; ++i) {
    char* name = hivex_node_name(h, children[i]);
    if (name == nullptr)
      ++walk.errors;
    else
      WalkNode(h, children[i], path + "\\" + name, walk);
    std::free(name);
  }
  std::free(children);
}

HivexValues WalkWithHivex(const Bytes& image, const std::string& name) {
  const std::filesystem::path file =
      std::filesystem::path(testing::TempDir()) / ("tw_recovery_" + name);
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()),
             static_cast<std::streamsize>(image.size()));
  HivexValues walk;
  hive_h* h = hivex_open(file.c_str(), 0);
  if (h == nullptr) {
    walk.errors = 1;
  } else {
    WalkNode(h, hivex_root(h), "", walk);
    hivex_close(h);
  }
  std::filesystem::remove(file);
  return walk;
}

std::string ValueOf(const HivexValues& walk, const std::string& key) {
  const auto it = walk.values.find(key);
  return it == walk.values.end() ? "(none)" : it->second;
}

std::string Utf16(const char* text) {
  std::string out;
  for (; *text != 0; ++text)
    out += std::string{*text, '\0'};
  return out + std::string(2, '\0');
}

class RealDirtyHive : public testing::TestWithParam<RealHive> {};

TEST_P(RealDirtyHive, RecoversToWhereTheLogsEnd) {
  const RealHive& hive = GetParam();
  Bytes image = Load(hive).primary;
  ASSERT_EQ(ParseBaseBlock(image)->primarySequence, hive.primarySequence);
  const RecoveryReport report = Recover(image, Load(hive).logs);
  EXPECT_EQ(report.state, RecoveryState::Recovered);
  EXPECT_EQ(report.fromSequence, hive.secondarySequence);
  EXPECT_EQ(report.entriesApplied, hive.entriesApplied);
  EXPECT_EQ(report.toSequence, hive.toSequence);
  EXPECT_EQ(report.logsUsed, hive.logsUsed);
  EXPECT_FALSE(report.baseBlockFromLog);
  EXPECT_EQ(report.note, "");
  const BaseBlock base = *ParseBaseBlock(image);
  EXPECT_TRUE(base.checksumValid);
  EXPECT_FALSE(base.Dirty());
  EXPECT_EQ(base.primarySequence, hive.toSequence);
  EXPECT_EQ(base.hiveBinsDataSize, hive.binsSize);
}

// Every byte of the bins that differs from the stale primary lies in a page an applied entry
// wrote: whatever reads differently after recovery (keys, values, data) is what the logs changed.
TEST_P(RealDirtyHive, ChangesOnlyThePagesTheAppliedEntriesWrite) {
  const RealHive& hive = GetParam();
  const Bytes& stale = Load(hive).primary;
  Bytes image = stale;
  Recover(image, Load(hive).logs);
  ASSERT_EQ(image.size(), stale.size());
  const std::set<std::uint32_t> written =
      WrittenPages(Load(hive), hive.toSequence - hive.entriesApplied, hive.toSequence);
  std::size_t changedPages = 0;
  for (std::size_t at = kBaseBlockSize; at < image.size(); at += 512) {
    const bool changed = std::memcmp(&image[at], &stale[at], 512) != 0;
    changedPages += changed;
    if (changed) {
      EXPECT_TRUE(written.count(static_cast<std::uint32_t>((at - kBaseBlockSize) / 512)))
          << "offset " << at;
    }
  }
  EXPECT_GT(changedPages, 50u);
}

TEST_P(RealDirtyHive, OpensWithHivexAndEveryKeyAndValueReads) {
  const RealHive& hive = GetParam();
  Bytes image = Load(hive).primary;
  Recover(image, Load(hive).logs);
  const HivexValues before = WalkWithHivex(Load(hive).primary, hive.primary);
  const HivexValues after = WalkWithHivex(image, hive.primary);
  EXPECT_EQ(after.errors, 0u);
  EXPECT_GT(after.keys, 1000u);
  EXPECT_NE(after.values, before.values);
}

TEST_P(RealDirtyHive, StopsAtAnEntryWithAFlippedByteAndKeepsTheEarlierOnes) {
  const RealHive& hive = GetParam();
  std::vector<LogFile> logs = Load(hive).logs;
  const std::vector<RawEntry> entries = RawEntries(logs[0].bytes);
  ASSERT_GE(entries.size(), 4u);
  const RawEntry& victim = entries[3];
  logs[0].bytes[victim.offset + victim.size - 700] ^= 0x20; // inside its last page
  Bytes image = Load(hive).primary;
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.state, RecoveryState::Recovered);
  EXPECT_EQ(report.toSequence, victim.sequence);
  EXPECT_EQ(report.entriesApplied, victim.sequence - entries[0].sequence);
  EXPECT_NE(report.note.find(logs[0].name + ": the entry at offset " +
                             std::to_string(victim.offset) + " is unusable (its data hash"),
            std::string::npos)
      << report.note;
  EXPECT_TRUE(ParseBaseBlock(image)->checksumValid);
}

TEST_P(RealDirtyHive, ADamagedBaseBlockIsTakenFromTheLogs) {
  const RealHive& hive = GetParam();
  Bytes image = Load(hive).primary;
  image[300] ^= 0x01;
  const RecoveryReport report = Recover(image, Load(hive).logs);
  EXPECT_TRUE(report.baseBlockFromLog);
  EXPECT_EQ(report.entriesApplied, hive.entriesApplied);
  EXPECT_EQ(report.toSequence, hive.toSequence);
  EXPECT_EQ(image[300], Load(hive).primary[300]); // the log's copy restored it
  EXPECT_EQ(WalkWithHivex(image, hive.primary).errors, 0u);
}

INSTANTIATE_TEST_SUITE_P(Hives, RealDirtyHive, testing::Values(kNtUser, kUsrClass),
                         [](const auto& info) { return info.index == 0 ? "NtUser" : "UsrClass"; });

// Read without the recovery code: the entries' sequence numbers, and our Marvin32 agreeing
// with the hashes Windows wrote.
TEST(RealLogs, HoldTheseEntriesWithMatchingHashes) {
  const auto sequences = [](const Bytes& log) {
    std::vector<std::uint32_t> out;
    for (const RawEntry& e : RawEntries(log)) {
      EXPECT_TRUE(e.hashesMatch) << e.sequence;
      out.push_back(e.sequence);
    }
    return out;
  };
  const auto range = [](std::uint32_t first, std::uint32_t last) {
    std::vector<std::uint32_t> out;
    for (std::uint32_t s = first; s <= last; ++s)
      out.push_back(s);
    return out;
  };
  EXPECT_EQ(sequences(Load(kNtUser).logs[0].bytes), range(566, 588));
  EXPECT_EQ(sequences(Load(kNtUser).logs[1].bytes), range(562, 562));
  EXPECT_EQ(sequences(Load(kUsrClass).logs[0].bytes), range(287, 290));
  EXPECT_EQ(sequences(Load(kUsrClass).logs[1].bytes), range(291, 300));
}

TEST(RealLogs, BringBackValuesOnlyTheyHold) {
  Bytes user = Load(kNtUser).primary;
  Recover(user, Load(kNtUser).logs);
  const std::string dpi = "\\Control Panel\\Desktop\\WindowMetrics|AppliedDPI";
  EXPECT_EQ(ValueOf(WalkWithHivex(Load(kNtUser).primary, "u0"), dpi), std::string("\x60\0\0\0", 4));
  EXPECT_EQ(ValueOf(WalkWithHivex(user, "u1"), dpi), std::string("\xC0\0\0\0", 4));

  Bytes classes = Load(kUsrClass).primary;
  Recover(classes, Load(kUsrClass).logs);
  const std::string power = "\\Local Settings\\ImmutableMuiCache\\Strings\\52C64B7E|"
                            "@C:\\Windows\\System32\\powercpl.dll,-1#immutable1";
  EXPECT_EQ(ValueOf(WalkWithHivex(Load(kUsrClass).primary, "c0"), power), "(none)");
  EXPECT_EQ(ValueOf(WalkWithHivex(classes, "c1"), power), Utf16("Power Options"));
}

TEST(RealLogs, OfAnotherHiveAreRefused) {
  Bytes image = Load(kNtUser).primary;
  const RecoveryReport report = Recover(image, Load(kUsrClass).logs);
  EXPECT_EQ(report.state, RecoveryState::DirtyUnusable);
  EXPECT_EQ(report.note, "UsrClass.dat.LOG1 belongs to another hive; UsrClass.dat.LOG2 belongs to "
                         "another hive");
  EXPECT_EQ(image, Load(kNtUser).primary);

  Bytes classes = Load(kUsrClass).primary;
  EXPECT_EQ(Recover(classes, Load(kNtUser).logs).state, RecoveryState::DirtyUnusable);
  EXPECT_EQ(classes, Load(kUsrClass).primary);
}

TEST(RealLogs, ThatEndBeforeThePrimaryAreUnusable) {
  Bytes image = Load(kNtUser).primary;
  const LogFile older[] = {Load(kNtUser).logs[1]};
  const RecoveryReport report = Recover(image, older);
  EXPECT_EQ(report.state, RecoveryState::DirtyUnusable);
  EXPECT_EQ(report.note,
            "the logs end before the primary's sequence number 566 (their newest entry is 562)");
}

} // namespace
} // namespace tw::hive
