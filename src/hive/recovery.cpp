#include "hive/recovery.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "hive/marvin32.h"
#include "runtime/little_endian.h"

namespace tw::hive {
namespace {

constexpr std::size_t kSector = 512;
constexpr std::size_t kEntryHeader = 40;
constexpr std::uint32_t kBinAlignment = 4096;
// Base block fields that recovery rewrites.
constexpr std::size_t kPrimarySequenceAt = 4;
constexpr std::size_t kSecondarySequenceAt = 8;
constexpr std::size_t kFileTypeAt = 28;
constexpr std::size_t kBinsSizeAt = 40;
// Windows 10 writes a resource manager id here, tagged by "rmtm"; a hive and its logs share it.
constexpr std::size_t kRmIdAt = 112;
constexpr std::size_t kGuidSignatureAt = 164;

void Store32(std::uint8_t* p, std::uint32_t value) {
  std::memcpy(p, &value, sizeof value);
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
  return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

std::string Num(std::uint64_t n) {
  return std::to_string(n);
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& part : parts)
    out += (out.empty() ? "" : "; ") + part;
  return out;
}

// A log's base block: only its first sector is written there, and a small log may be shorter
// than a whole base block.
std::optional<BaseBlock> ParseLogBase(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kSector)
    return std::nullopt;
  std::array<std::uint8_t, kBaseBlockSize> block{};
  std::memcpy(block.data(), bytes.data(), kSector);
  return ParseBaseBlock(block);
}

// A log's base block, when it is a sound copy of the primary's (any log format).
std::optional<BaseBlock> SoundLogBase(std::span<const std::uint8_t> bytes) {
  auto base = ParseLogBase(bytes);
  if (!base || !base->checksumValid || base->primarySequence != base->secondarySequence)
    return std::nullopt;
  if (base->fileType != 1 && base->fileType != 2 && base->fileType != 6)
    return std::nullopt;
  return base;
}

// A log taken from beside another hive is refused: the writer's file name and, from Windows 10
// on, the resource manager id differ.
bool SameHive(std::span<const std::uint8_t> primary, const BaseBlock& primaryBase,
              std::span<const std::uint8_t> log) {
  const auto logBase = ParseLogBase(log);
  if (!logBase)
    return true; // nothing to compare; the entries still have to prove themselves
  if (!primaryBase.fileName.empty() && !logBase->fileName.empty() &&
      primaryBase.fileName != logBase->fileName)
    return false;
  if (HasTag(primary, kGuidSignatureAt, "rmtm") && HasTag(log, kGuidSignatureAt, "rmtm"))
    return std::memcmp(primary.data() + kRmIdAt, log.data() + kRmIdAt, 16) == 0;
  return true;
}

// One sound entry of a new-format log.
struct Entry {
  std::size_t log = 0;
  std::size_t offset = 0; // in the log
  std::uint32_t sequence = 0;
  std::uint32_t binsSize = 0;
  std::uint32_t pageCount = 0;
  std::uint64_t pageBytes = 0;
};

struct EntryScan {
  std::vector<Entry> entries; // consecutive sequence numbers, in the log's order
  std::string problem;        // the entry that ended the scan early, if one did
};

// Why the entry at `at` cannot be applied; empty when it is sound. Fills `entry`.
std::string CheckEntry(std::span<const std::uint8_t> log, std::size_t at, Entry& entry) {
  const std::uint8_t* p = log.data() + at;
  const std::uint32_t size = le::Load32(p + 4);
  const std::uint32_t flags = le::Load32(p + 8);
  entry.offset = at;
  entry.sequence = le::Load32(p + 12);
  entry.binsSize = le::Load32(p + 16);
  entry.pageCount = le::Load32(p + 20);
  if (size < kEntryHeader || size % kSector != 0 || size > log.size() - at)
    return "its size " + Num(size) + " is not a whole number of sectors within the file";
  if (flags > 1)
    return "its flags " + Num(flags) + " are unknown";
  if (entry.binsSize == 0 || entry.binsSize % kBinAlignment != 0)
    return "its hive bins data size " + Num(entry.binsSize) + " is impossible";
  if (entry.pageCount > (size - kEntryHeader) / 8)
    return "it lists more pages than it holds";
  if (Marvin32(log.subspan(at, 32), kLogEntrySeed) != le::Load64(p + 32))
    return "its header hash does not match";
  if (Marvin32(log.subspan(at + kEntryHeader, size - kEntryHeader), kLogEntrySeed) !=
      le::Load64(p + 24))
    return "its data hash does not match";
  const std::uint64_t room = size - kEntryHeader - 8ull * entry.pageCount;
  entry.pageBytes = 0;
  for (std::uint32_t i = 0; i < entry.pageCount; ++i) {
    const std::uint32_t pageAt = le::Load32(p + kEntryHeader + 8 * i);
    const std::uint32_t pageSize = le::Load32(p + kEntryHeader + 8 * i + 4);
    if (pageSize == 0 || pageAt % kSector != 0 || pageSize % kSector != 0 ||
        std::uint64_t{pageAt} + pageSize > entry.binsSize)
      return "page " + Num(i) + " lies outside the hive bins data";
    entry.pageBytes += pageSize;
  }
  if (entry.pageBytes > room)
    return "its pages run past its end";
  return {};
}

EntryScan ScanEntries(const LogFile& log, std::size_t index) {
  EntryScan scan;
  const std::span<const std::uint8_t> bytes = log.bytes;
  for (std::size_t at = kSector; at + kEntryHeader <= bytes.size();) {
    if (!HasTag(bytes, at, "HvLE"))
      break; // the end of the entries written since the log was last started
    Entry entry;
    entry.log = index;
    if (const std::string why = CheckEntry(bytes, at, entry); !why.empty()) {
      scan.problem = log.name + ": the entry at offset " + Num(at) + " is unusable (" + why + ")";
      break;
    }
    // An entry that does not continue the sequence was left from an earlier round of the log.
    if (!scan.entries.empty() && entry.sequence != scan.entries.back().sequence + 1)
      break;
    scan.entries.push_back(entry);
    at += le::Load32(bytes.data() + at + 4);
  }
  return scan;
}

// An old-format log: its base block, then a bitmap of the dirty 512-byte pages, then the pages.
struct DirtyVector {
  std::size_t log = 0;
  BaseBlock base;
  std::vector<std::uint32_t> pages; // indices of the dirty pages, ascending
  std::size_t dataAt = 0;           // where the first dirty page is stored in the log
};

std::optional<DirtyVector> ReadDirtyVector(const LogFile& log, std::size_t index,
                                           std::string& problem) {
  const auto base = SoundLogBase(log.bytes);
  if (!base || (base->fileType != 1 && base->fileType != 2))
    return std::nullopt;
  const std::size_t sector = kSector * std::clamp<std::uint32_t>(base->clusteringFactor, 1, 8);
  if (!HasTag(log.bytes, sector, "DIRT")) {
    problem = log.name + ": no dirty vector after its base block";
    return std::nullopt;
  }
  if (base->hiveBinsDataSize == 0 || base->hiveBinsDataSize % kBinAlignment != 0) {
    problem = log.name + ": its hive bins data size is impossible";
    return std::nullopt;
  }
  const std::size_t bits = base->hiveBinsDataSize / kSector;
  const std::size_t bitmapAt = sector + 4;
  const std::size_t bitmapEnd = bitmapAt + (bits + 7) / 8;
  DirtyVector vector{index, *base, {}, (bitmapEnd + sector - 1) / sector * sector};
  if (bitmapEnd > log.bytes.size()) {
    problem = log.name + ": its dirty vector is cut short";
    return std::nullopt;
  }
  for (std::size_t bit = 0; bit < bits; ++bit)
    if (log.bytes[bitmapAt + bit / 8] & (1u << (bit % 8)))
      vector.pages.push_back(static_cast<std::uint32_t>(bit));
  if (vector.dataAt + vector.pages.size() * kSector > log.bytes.size()) {
    problem = log.name + ": it ends before its " + Num(vector.pages.size()) + " dirty pages";
    return std::nullopt;
  }
  return vector;
}

// Every dirty page that begins a 4,096-byte block must leave a sound hive bin header there
// when a bin starts at it: the bins are walked from the start, and a bad header over a dirty
// block refuses the log.
bool DirtyBinsSound(std::span<const std::uint8_t> image, std::uint32_t binsSize,
                    const std::vector<bool>& dirtyBlocks) {
  const std::uint8_t* bins = image.data() + kBaseBlockSize;
  for (std::uint32_t at = 0; at < binsSize;) {
    const std::uint32_t size = le::Load32(bins + at + 8);
    const bool sound = std::memcmp(bins + at, "hbin", 4) == 0 && le::Load32(bins + at + 4) == at &&
                       size != 0 && size % kBinAlignment == 0 && size <= binsSize - at;
    if (sound) {
      at += size;
      continue;
    }
    if (dirtyBlocks[at / kBinAlignment])
      return false;
    at += kBinAlignment; // damage the log did not write: look for the next bin
  }
  return true;
}

class Recovery {
public:
  Recovery(std::vector<std::uint8_t>& image, std::span<const LogFile> logs)
      : image_(image), logs_(logs) {}

  RecoveryReport Run();

private:
  void ScanLogs();
  std::optional<std::size_t> ChooseLogBase() const;
  std::vector<Entry> EntryRun(std::uint32_t from);
  void ApplyEntries(const std::vector<Entry>& run);
  bool ApplyDirtyVector(const DirtyVector& vector);
  void AdoptLogBase(std::size_t log);
  void Seal(std::uint32_t sequence, std::uint32_t binsSize);
  std::string UnusableNote(std::uint32_t from) const;
  RecoveryReport Finish(RecoveryState state, bool baseBlockFromLog);

  std::vector<std::uint8_t>& image_;
  std::span<const LogFile> logs_;
  std::optional<BaseBlock> primary_; // the primary's base block when it is sound
  std::uint32_t binsSize_ = 0;       // the hive bins data size before recovery
  std::vector<bool> refused_;        // logs of another hive
  std::vector<EntryScan> scans_;
  std::vector<DirtyVector> vectors_;
  std::vector<std::string> problems_;
  RecoveryReport report_;
};

void Recovery::ScanLogs() {
  refused_.assign(logs_.size(), false);
  scans_.resize(logs_.size());
  for (std::size_t i = 0; i < logs_.size(); ++i) {
    const LogFile& log = logs_[i];
    if (primary_ && !SameHive(image_, *primary_, log.bytes)) {
      refused_[i] = true;
      problems_.push_back(log.name + " belongs to another hive");
      continue;
    }
    if (HasTag(log.bytes, kSector, "HvLE")) {
      scans_[i] = ScanEntries(log, i);
      if (!scans_[i].problem.empty())
        problems_.push_back(scans_[i].problem);
      continue;
    }
    std::string problem;
    if (auto vector = ReadDirtyVector(log, i, problem)) {
      vectors_.push_back(std::move(*vector));
      continue;
    }
    if (problem.empty())
      problem = log.name + (SoundLogBase(log.bytes) ? ": holds no log entries"
                                                    : ": not a transaction log of a hive");
    problems_.push_back(problem);
  }
}

// With the primary's base block damaged, the log copy to take is the newest one at or below
// the start of the last unbroken run of entries: its sequence number is where that run begins.
std::optional<std::size_t> Recovery::ChooseLogBase() const {
  std::vector<std::uint64_t> sequences;
  for (const EntryScan& scan : scans_)
    for (const Entry& e : scan.entries)
      sequences.push_back(e.sequence);
  std::sort(sequences.begin(), sequences.end());
  std::uint64_t runStart = sequences.empty() ? 0 : sequences.back();
  for (auto it = sequences.rbegin(); it != sequences.rend() && *it + 1 >= runStart; ++it)
    runStart = *it;
  std::optional<std::size_t> atOrBelow;
  std::optional<std::size_t> lowest;
  std::uint32_t atOrBelowSequence = 0;
  std::uint32_t lowestSequence = 0;
  for (std::size_t i = 0; i < logs_.size(); ++i) {
    const auto base = SoundLogBase(logs_[i].bytes);
    if (!base)
      continue;
    const std::uint32_t sequence = base->secondarySequence;
    if (sequence <= runStart && (!atOrBelow || sequence > atOrBelowSequence)) {
      atOrBelow = i;
      atOrBelowSequence = sequence;
    }
    if (!lowest || sequence < lowestSequence) {
      lowest = i;
      lowestSequence = sequence;
    }
  }
  return atOrBelow ? atOrBelow : lowest;
}

// The entries to apply: those at or above `from`, in sequence order, without a gap after the
// first (which may lie above `from` when the older entries already reached the primary).
std::vector<Entry> Recovery::EntryRun(std::uint32_t from) {
  std::vector<Entry> candidates;
  for (const EntryScan& scan : scans_)
    for (const Entry& e : scan.entries)
      if (e.sequence >= from)
        candidates.push_back(e);
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Entry& a, const Entry& b) { return a.sequence < b.sequence; });
  std::vector<Entry> run;
  std::uint64_t binsSize = std::max<std::uint64_t>(
      binsSize_, image_.size() > kBaseBlockSize ? image_.size() - kBaseBlockSize : 0);
  for (const Entry& e : candidates) {
    if (!run.empty() && e.sequence == run.back().sequence)
      continue; // the same write in both logs: the first log's copy is kept
    if (!run.empty() && e.sequence != run.back().sequence + 1) {
      problems_.push_back("no log holds sequence number " + Num(run.back().sequence + 1) +
                          "; the entries from " + Num(e.sequence) + " on are not applied");
      break;
    }
    // New bins arrive as the entry's own pages; more growth than it carries is a false size.
    if (e.binsSize > binsSize && e.binsSize - binsSize > e.pageBytes) {
      problems_.push_back(logs_[e.log].name + ": the entry at offset " + Num(e.offset) +
                          " grows the hive by more than it holds");
      break;
    }
    binsSize = e.binsSize;
    run.push_back(e);
  }
  return run;
}

void Recovery::ApplyEntries(const std::vector<Entry>& run) {
  for (const Entry& e : run) {
    const std::size_t needed = kBaseBlockSize + std::size_t{e.binsSize};
    if (image_.size() < needed)
      image_.resize(needed, 0);
    const std::uint8_t* entry = logs_[e.log].bytes.data() + e.offset;
    const std::uint8_t* page = entry + kEntryHeader + 8 * std::size_t{e.pageCount};
    for (std::uint32_t i = 0; i < e.pageCount; ++i) {
      const std::uint32_t at = le::Load32(entry + kEntryHeader + 8 * i);
      const std::uint32_t size = le::Load32(entry + kEntryHeader + 8 * i + 4);
      std::memcpy(image_.data() + kBaseBlockSize + at, page, size);
      page += size;
    }
  }
  for (const Entry& e : run)
    if (report_.logsUsed.empty() || report_.logsUsed.back() != logs_[e.log].name)
      report_.logsUsed.push_back(logs_[e.log].name);
  report_.entriesApplied = static_cast<std::uint32_t>(run.size());
  Seal(run.back().sequence + 1, run.back().binsSize);
  report_.toSequence = run.back().sequence + 1;
}

bool Recovery::ApplyDirtyVector(const DirtyVector& vector) {
  const std::uint32_t binsSize = vector.base.hiveBinsDataSize;
  // Bins past the primary's end are new, so dirty: a size beyond them is a false one.
  const std::size_t known = image_.size() > kBaseBlockSize ? image_.size() - kBaseBlockSize : 0;
  const std::size_t written =
      vector.pages.empty() ? 0 : (std::size_t{vector.pages.back()} + 1) * kSector;
  if (binsSize > std::max(known, (written + kBinAlignment - 1) / kBinAlignment * kBinAlignment)) {
    problems_.push_back(logs_[vector.log].name + ": its hive bins data size exceeds its pages");
    return false;
  }
  std::vector<std::uint8_t> scratch = image_;
  scratch.resize(std::max(scratch.size(), kBaseBlockSize + binsSize), 0);
  std::vector<bool> dirtyBlocks(binsSize / kBinAlignment + 1, false);
  const std::uint8_t* page = logs_[vector.log].bytes.data() + vector.dataAt;
  for (const std::uint32_t index : vector.pages) {
    std::memcpy(scratch.data() + kBaseBlockSize + std::size_t{index} * kSector, page, kSector);
    dirtyBlocks[index * kSector / kBinAlignment] = true;
    page += kSector;
  }
  if (!DirtyBinsSound(scratch, binsSize, dirtyBlocks)) {
    problems_.push_back(logs_[vector.log].name + ": its dirty pages leave a broken hive bin");
    return false;
  }
  image_ = std::move(scratch);
  AdoptLogBase(vector.log);
  Seal(vector.base.primarySequence, binsSize);
  report_.entriesApplied = static_cast<std::uint32_t>(vector.pages.size());
  report_.logsUsed.push_back(logs_[vector.log].name);
  report_.toSequence = vector.base.primarySequence;
  return true;
}

// Logs hold the first sector of the base block as it was in memory: it replaces the primary's.
void Recovery::AdoptLogBase(std::size_t log) {
  if (image_.size() < kBaseBlockSize)
    image_.resize(kBaseBlockSize, 0);
  std::memcpy(image_.data(), logs_[log].bytes.data(), kSector);
}

void Recovery::Seal(std::uint32_t sequence, std::uint32_t binsSize) {
  std::uint8_t* base = image_.data();
  Store32(base + kPrimarySequenceAt, sequence);
  Store32(base + kSecondarySequenceAt, sequence);
  Store32(base + kFileTypeAt, 0);
  Store32(base + kBinsSizeAt, binsSize);
  Store32(base + kChecksumOffset, BaseBlockChecksum(image_));
}

std::string Recovery::UnusableNote(std::uint32_t from) const {
  std::optional<std::uint32_t> newest;
  for (const EntryScan& scan : scans_)
    for (const Entry& e : scan.entries)
      newest = std::max(newest.value_or(0), e.sequence);
  std::vector<std::string> parts;
  if (newest && *newest < from)
    parts.push_back("the logs end before the primary's sequence number " + Num(from) +
                    " (their newest entry is " + Num(*newest) + ")");
  parts.insert(parts.end(), problems_.begin(), problems_.end());
  if (parts.empty())
    parts.push_back("no log holds changes for this hive");
  return Joined(parts);
}

RecoveryReport Recovery::Run() {
  const auto parsed = ParseBaseBlock(image_);
  if (parsed && parsed->checksumValid)
    primary_ = parsed;
  const std::uint32_t secondary = parsed ? parsed->secondarySequence : 0;
  report_.fromSequence = report_.toSequence = secondary;
  if (primary_ && !primary_->Dirty())
    return report_;
  if (logs_.empty()) {
    report_.state = RecoveryState::DirtyNoLogs;
    report_.note = "no transaction logs were given";
    return report_;
  }
  ScanLogs();

  std::optional<std::size_t> logBase;
  std::uint32_t from = secondary;
  binsSize_ = primary_ ? primary_->hiveBinsDataSize : 0;
  if (!primary_) {
    logBase = ChooseLogBase();
    if (logBase) {
      const BaseBlock base = *ParseLogBase(logs_[*logBase].bytes);
      from = report_.fromSequence = report_.toSequence = base.secondarySequence;
      binsSize_ = base.hiveBinsDataSize;
    }
  }
  if (primary_ || logBase) {
    const std::vector<Entry> run = EntryRun(from);
    if (!run.empty()) {
      if (logBase)
        AdoptLogBase(*logBase);
      ApplyEntries(run);
      return Finish(RecoveryState::Recovered, logBase.has_value());
    }
  }

  // Old-format logs apply whole, when their base block was written with the primary's: the
  // same last-written time (the first bin's copy of it when the primary's base block is bad).
  const std::uint64_t written =
      primary_ ? primary_->lastWritten
               : (image_.size() >= kBaseBlockSize + 28 ? le::Load64(image_.data() + 4096 + 20) : 0);
  std::vector<const DirtyVector*> applicable;
  for (const DirtyVector& vector : vectors_) {
    if (vector.base.lastWritten == written)
      applicable.push_back(&vector);
    else
      problems_.push_back(logs_[vector.log].name + ": written at another time than the primary");
  }
  std::stable_sort(applicable.begin(), applicable.end(), [](const auto* a, const auto* b) {
    return a->base.primarySequence > b->base.primarySequence;
  });
  for (const DirtyVector* vector : applicable)
    if (ApplyDirtyVector(*vector))
      return Finish(RecoveryState::Recovered, !primary_);

  if (logBase) {
    // Nothing to replay, but the damaged base block can still be replaced by the log's copy.
    AdoptLogBase(*logBase);
    Seal(from, binsSize_);
    return Finish(RecoveryState::Recovered, true);
  }
  if (!primary_)
    problems_.insert(problems_.begin(),
                     "the primary's base block is damaged and no log holds a sound copy of it");
  report_.note = UnusableNote(from);
  report_.state = RecoveryState::DirtyUnusable;
  return report_;
}

RecoveryReport Recovery::Finish(RecoveryState state, bool baseBlockFromLog) {
  report_.state = state;
  report_.baseBlockFromLog = baseBlockFromLog;
  report_.note = Joined(problems_);
  return report_;
}

} // namespace

RecoveryReport Recover(std::vector<std::uint8_t>& image, std::span<const LogFile> logs) {
  return Recovery(image, logs).Run();
}

} // namespace tw::hive
