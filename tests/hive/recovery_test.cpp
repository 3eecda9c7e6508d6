#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "hive/marvin32.h"
#include "hive/recovery.h"
#include "hive/recovery_logs.h"

namespace tw::hive {
namespace {

using test::BinBlock;
using test::Bytes;
using test::Filled;
using test::LogEntry;
using test::NewFormatLog;
using test::OldFormatLog;
using test::PageWrite;
using test::SyntheticHive;

constexpr std::uint32_t kBin = 4096;

std::span<const std::uint8_t> Text(const char* text) {
  return {reinterpret_cast<const std::uint8_t*>(text), std::strlen(text)};
}

// The byte at a hive bins offset of the image.
std::uint8_t BinsByte(const Bytes& image, std::size_t at) {
  return image.at(kBaseBlockSize + at);
}

BaseBlock Base(const Bytes& image) {
  const auto base = ParseBaseBlock(image);
  EXPECT_TRUE(base.has_value());
  return base.value_or(BaseBlock{});
}

// A whole bin rewritten: header kept sound, every other byte `fill`.
PageWrite Bin(std::uint32_t index, std::uint8_t fill) {
  return {index * kBin, BinBlock(index * kBin, kBin, fill)};
}

LogFile Log(std::string name, Bytes bytes) {
  return {std::move(name), std::move(bytes)};
}

TEST(Marvin32, MatchesThePublishedVectors) {
  EXPECT_EQ(Marvin32(Text("abc"), 0xD53CD9CECD0893B7), 0x22C74339492769BFu);
  EXPECT_EQ(Marvin32(Text("abcdefghijklmnopqrstuvwxyz"), 0x0DDDDEEEEFFFF000), 0xA128EB7E7260ACA2u);
  EXPECT_EQ(Marvin32({}, 0x004FB61A001BDBCC), 0x30ED35C100CD3C7Du);
}

TEST(CleanHive, IsLeftAsItIsWhateverTheLogsHold) {
  Bytes image = SyntheticHive(4, 10, 10);
  const Bytes before = image;
  const LogFile logs[] = {
      Log("h.LOG1", NewFormatLog(image, 10, {LogEntry(10, 4 * kBin, {Bin(1, 0xAA)})}))};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.state, RecoveryState::Clean);
  EXPECT_EQ(report.entriesApplied, 0u);
  EXPECT_EQ(image, before);
}

TEST(DirtyHive, WithoutLogsIsReportedAndLeftAlone) {
  Bytes image = SyntheticHive(2, 5, 4);
  const Bytes before = image;
  const RecoveryReport report = Recover(image, {});
  EXPECT_EQ(report.state, RecoveryState::DirtyNoLogs);
  EXPECT_EQ(report.fromSequence, 4u);
  EXPECT_EQ(image, before);
}

TEST(NewFormat, AppliesBothLogsInSequenceOrderAndSealsTheBaseBlock) {
  Bytes image = SyntheticHive(4, 11, 10);
  const Bytes older = NewFormatLog(
      image, 10, {LogEntry(10, 4 * kBin, {Bin(1, 0xA0)}), LogEntry(11, 4 * kBin, {Bin(1, 0xA1)})});
  const Bytes newer = NewFormatLog(
      image, 12, {LogEntry(12, 4 * kBin, {Bin(1, 0xA2)}), LogEntry(13, 4 * kBin, {Bin(2, 0xA3)})});
  const LogFile logs[] = {Log("h.LOG1", newer), Log("h.LOG2", older)};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.state, RecoveryState::Recovered);
  EXPECT_EQ(report.entriesApplied, 4u);
  EXPECT_EQ(report.fromSequence, 10u);
  EXPECT_EQ(report.toSequence, 14u);
  EXPECT_EQ((std::vector<std::string>{"h.LOG2", "h.LOG1"}), report.logsUsed);
  EXPECT_EQ(BinsByte(image, kBin + 100), 0xA2); // the latest write of the bin wins
  EXPECT_EQ(BinsByte(image, 2 * kBin + 100), 0xA3);
  EXPECT_EQ(BinsByte(image, 3 * kBin + 100), 0x13); // no entry wrote it
  const BaseBlock base = Base(image);
  EXPECT_TRUE(base.checksumValid);
  EXPECT_EQ(base.primarySequence, 14u);
  EXPECT_EQ(base.secondarySequence, 14u);
  EXPECT_EQ(base.fileType, 0u);
}

TEST(NewFormat, StopsAtAGapBetweenTheLogs) {
  Bytes image = SyntheticHive(3, 11, 10);
  const LogFile logs[] = {
      Log("h.LOG1", NewFormatLog(image, 10,
                                 {LogEntry(10, 3 * kBin, {Bin(1, 0xA0)}),
                                  LogEntry(11, 3 * kBin, {Bin(1, 0xA1)})})),
      Log("h.LOG2", NewFormatLog(image, 13, {LogEntry(13, 3 * kBin, {Bin(2, 0xA3)})}))};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.entriesApplied, 2u);
  EXPECT_EQ(report.toSequence, 12u);
  EXPECT_EQ(BinsByte(image, 2 * kBin + 100), 0x12);
  EXPECT_NE(report.note.find("sequence number 12"), std::string::npos) << report.note;
}

TEST(NewFormat, GrowsTheHiveByTheBinsAnEntryWrites) {
  Bytes image = SyntheticHive(2, 11, 10);
  const LogFile logs[] = {Log(
      "h.LOG1", NewFormatLog(image, 10, {LogEntry(10, 4 * kBin, {Bin(2, 0x62), Bin(3, 0x63)})}))};
  const RecoveryReport report = Recover(image, logs);
  ASSERT_EQ(report.entriesApplied, 1u);
  ASSERT_EQ(image.size(), kBaseBlockSize + 4 * kBin);
  EXPECT_EQ(Base(image).hiveBinsDataSize, 4 * kBin);
  EXPECT_EQ(BinsByte(image, 3 * kBin + 100), 0x63);
  EXPECT_EQ(std::memcmp(image.data() + kBaseBlockSize + 3 * kBin, "hbin", 4), 0);
}

// Damage at a given offset of the second of three entries: the first stays applied.
class DamagedEntry : public testing::TestWithParam<std::size_t> {};

TEST_P(DamagedEntry, StopsRecoveryThereAndKeepsTheEntriesBefore) {
  Bytes image = SyntheticHive(4, 11, 10);
  const Bytes first = LogEntry(10, 4 * kBin, {Bin(1, 0xA0)});
  Bytes log = NewFormatLog(
      image, 10,
      {first, LogEntry(11, 4 * kBin, {Bin(2, 0xA1)}), LogEntry(12, 4 * kBin, {Bin(3, 0xA2)})});
  log[512 + first.size() + GetParam()] ^= 0x04;
  const LogFile logs[] = {Log("h.LOG1", log)};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.state, RecoveryState::Recovered);
  EXPECT_EQ(report.entriesApplied, 1u);
  EXPECT_EQ(report.toSequence, 11u);
  EXPECT_EQ(BinsByte(image, kBin + 100), 0xA0);
  EXPECT_EQ(BinsByte(image, 2 * kBin + 100), 0x12);
  EXPECT_NE(report.note.find("h.LOG1: the entry at offset " + std::to_string(512 + first.size())),
            std::string::npos)
      << report.note;
}

// Size, flags, sequence, bins size, page count, both hashes, a page reference, page data. (A
// damaged signature reads as the end of the log: nothing says an entry was meant there.)
INSTANTIATE_TEST_SUITE_P(AnyField, DamagedEntry,
                         testing::Values(5, 8, 12, 17, 20, 25, 33, 44, 200, 3000));

// Entries whose hashes are right but whose fields cannot be: recovery stops at them.
struct Malformed {
  const char* what;
  Bytes entry;
};

class MalformedEntry : public testing::TestWithParam<int> {};

TEST_P(MalformedEntry, IsRefusedDespiteItsHashes) {
  Bytes image = SyntheticHive(4, 11, 10);
  const Malformed cases[] = {
      {"unknown flags", LogEntry(11, 4 * kBin, {Bin(2, 0xA1)}, 2)},
      {"bins size not whole bins", LogEntry(11, 4 * kBin + 512, {Bin(2, 0xA1)})},
      {"page past the bins size", LogEntry(11, 4 * kBin, {Bin(4, 0xA1)})},
      {"page of no bytes", LogEntry(11, 4 * kBin, {{kBin, {}}})},
      {"unaligned page", LogEntry(11, 4 * kBin, {{kBin + 8, Filled(512, 1)}})},
      {"growth without its bins", LogEntry(11, 400 * kBin, {Bin(2, 0xA1)})},
  };
  const Malformed& bad = cases[GetParam()];
  const LogFile logs[] = {
      Log("h.LOG1", NewFormatLog(image, 10, {LogEntry(10, 4 * kBin, {Bin(1, 0xA0)}), bad.entry}))};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.entriesApplied, 1u) << bad.what;
  EXPECT_EQ(report.toSequence, 11u) << bad.what;
  EXPECT_EQ(image.size(), kBaseBlockSize + 4 * kBin) << bad.what;
  EXPECT_FALSE(report.note.empty()) << bad.what;
}

INSTANTIATE_TEST_SUITE_P(Fields, MalformedEntry, testing::Range(0, 6));

TEST(NewFormat, AnEntryThatEntersANewRoundOfTheLogEndsIt) {
  // Entries after the first break in the sequence were left by an earlier use of the log.
  Bytes image = SyntheticHive(3, 11, 10);
  const LogFile logs[] = {Log("h.LOG1", NewFormatLog(image, 10,
                                                     {LogEntry(10, 3 * kBin, {Bin(1, 0xA0)}),
                                                      LogEntry(30, 3 * kBin, {Bin(2, 0xEE)})}))};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.entriesApplied, 1u);
  EXPECT_EQ(BinsByte(image, 2 * kBin + 100), 0x12);
  EXPECT_TRUE(report.note.empty()) << report.note;
}

TEST(OldFormat, WritesTheDirtyPagesAndTheLogsBaseBlock) {
  Bytes image = SyntheticHive(3, 8, 7);
  // A whole bin, a single 512-byte page inside another, and a new bin that grows the hive.
  const PageWrite inside{2 * kBin + 1024, Filled(512, 0x77)};
  const LogFile logs[] = {
      Log("h.LOG", OldFormatLog(image, 8, 4 * kBin, {Bin(1, 0x55), inside, Bin(3, 0x66)}))};
  const RecoveryReport report = Recover(image, logs);
  ASSERT_EQ(report.state, RecoveryState::Recovered) << report.note;
  EXPECT_EQ(report.entriesApplied, 17u); // pages of 512 bytes
  EXPECT_EQ(report.toSequence, 8u);
  EXPECT_EQ(report.logsUsed, std::vector<std::string>{"h.LOG"});
  EXPECT_EQ(BinsByte(image, kBin + 100), 0x55);
  EXPECT_EQ(BinsByte(image, 2 * kBin + 1023), 0x12);
  EXPECT_EQ(BinsByte(image, 2 * kBin + 1024), 0x77);
  EXPECT_EQ(BinsByte(image, 2 * kBin + 1536), 0x12);
  EXPECT_EQ(BinsByte(image, 3 * kBin + 100), 0x66);
  const BaseBlock base = Base(image);
  EXPECT_TRUE(base.checksumValid);
  EXPECT_EQ(base.primarySequence, 8u);
  EXPECT_EQ(base.secondarySequence, 8u);
  EXPECT_EQ(base.fileType, 0u);
  EXPECT_EQ(base.hiveBinsDataSize, 4 * kBin);
}

TEST(OldFormat, ALogWrittenAtAnotherTimeIsNotApplied) {
  Bytes image = SyntheticHive(3, 8, 7);
  Bytes other = image;
  other[12] ^= 1; // last-written time
  const Bytes before = image;
  const LogFile logs[] = {Log("h.LOG", OldFormatLog(other, 8, 3 * kBin, {Bin(1, 0x55)}))};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.state, RecoveryState::DirtyUnusable);
  EXPECT_NE(report.note.find("another time"), std::string::npos) << report.note;
  EXPECT_EQ(image, before);
}

TEST(OldFormat, PagesThatBreakABinHeaderRefuseTheLog) {
  Bytes image = SyntheticHive(3, 8, 7);
  const Bytes before = image;
  const LogFile logs[] = {Log("h.LOG", OldFormatLog(image, 8, 3 * kBin, {{kBin, Filled(512, 0)}}))};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.state, RecoveryState::DirtyUnusable);
  EXPECT_NE(report.note.find("broken hive bin"), std::string::npos) << report.note;
  EXPECT_EQ(image, before);
}

TEST(DamagedPrimary, AMissingHeaderIsRebuiltFromTheLog) {
  Bytes image = SyntheticHive(3, 11, 10);
  const Bytes log = NewFormatLog(image, 10, {LogEntry(10, 3 * kBin, {Bin(1, 0xA0)})});
  std::fill(image.begin(), image.begin() + kBaseBlockSize, 0);
  const LogFile logs[] = {Log("h.LOG1", log)};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_TRUE(report.baseBlockFromLog);
  EXPECT_EQ(report.fromSequence, 10u);
  EXPECT_EQ(report.toSequence, 11u);
  EXPECT_EQ(Base(image).hiveBinsDataSize, 3 * kBin);
  EXPECT_EQ(BinsByte(image, kBin + 100), 0xA0);
}

TEST(DamagedPrimary, WithoutASoundLogCopyIsUnusable) {
  Bytes image = SyntheticHive(3, 11, 10);
  image[200] ^= 0xFF;
  const Bytes before = image;
  const LogFile logs[] = {Log("h.LOG1", Filled(8192, 0x5A))};
  const RecoveryReport report = Recover(image, logs);
  EXPECT_EQ(report.state, RecoveryState::DirtyUnusable);
  EXPECT_NE(report.note.find("damaged"), std::string::npos) << report.note;
  EXPECT_EQ(image, before);
}

TEST(UnusableLogs, GarbageOfAnySizeIsReportedWithoutTouchingTheImage) {
  std::mt19937 random(7);
  for (const std::size_t size : {0, 3, 511, 512, 552, 4096, 70000}) {
    Bytes image = SyntheticHive(3, 11, 10);
    const Bytes before = image;
    Bytes garbage(size);
    for (auto& b : garbage)
      b = static_cast<std::uint8_t>(random());
    if (size >= 516)
      std::memcpy(garbage.data() + 512, "HvLE", 4); // looks like an entry, is none
    const LogFile logs[] = {Log("g.LOG1", garbage), Log("g.LOG2", Bytes(size, 0))};
    const RecoveryReport report = Recover(image, logs);
    EXPECT_EQ(report.state, RecoveryState::DirtyUnusable) << size;
    EXPECT_NE(report.note.find("g.LOG1"), std::string::npos) << report.note;
    EXPECT_EQ(image, before) << size;
  }
}

TEST(UnusableLogs, ATruncatedLogAppliesTheEntriesItStillHoldsWhole) {
  const Bytes primary = SyntheticHive(3, 11, 10);
  const Bytes e0 = LogEntry(10, 3 * kBin, {Bin(1, 0xA0)});
  const Bytes e1 = LogEntry(11, 3 * kBin, {Bin(2, 0xA1)});
  const Bytes log = NewFormatLog(primary, 10, {e0, e1});
  for (std::size_t cut = 0; cut <= log.size(); cut += 97) {
    Bytes image = primary;
    const LogFile logs[] = {Log("t.LOG1", Bytes(log.begin(), log.begin() + cut))};
    const RecoveryReport report = Recover(image, logs);
    const std::uint32_t whole = (cut >= 512 + e0.size()) + (cut >= 512 + e0.size() + e1.size());
    EXPECT_EQ(report.entriesApplied, whole) << cut;
    EXPECT_EQ(report.state, whole ? RecoveryState::Recovered : RecoveryState::DirtyUnusable) << cut;
  }
}

} // namespace
} // namespace tw::hive
