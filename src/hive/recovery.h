#pragma once
// Transaction-log recovery on an in-memory copy of a hive: the newest changes of a hive that
// was copied while Windows was writing it ("dirty": its sequence numbers differ) are in the
// logs beside it. New-format logs ("HvLE" entries, Windows 8.1 and later) and old-format logs
// (a "DIRT" bitmap of dirty 512-byte pages, before) are both read. The files themselves are
// never touched: the caller passes their bytes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "hive/base_block.h"

namespace tw::hive {

struct LogFile {
  std::string name; // as the user should see it in messages (the path given or found)
  std::vector<std::uint8_t> bytes;
};

enum class RecoveryState {
  Clean,         // nothing to recover; the logs were not used
  Recovered,     // entries or pages of the logs were applied
  DirtyNoLogs,   // dirty, and no logs were given
  DirtyUnusable, // dirty, and no log held anything that applies (see `note`)
};

struct RecoveryReport {
  RecoveryState state = RecoveryState::Clean;
  std::uint32_t entriesApplied = 0; // log entries (new format) or dirty pages (old format)
  std::vector<std::string> logsUsed; // names of the logs whose entries were applied, in order
  std::uint32_t fromSequence = 0; // the primary's secondary sequence number before recovery
  std::uint32_t toSequence = 0;   // the sequence number the recovered image ends at
  bool baseBlockFromLog = false;  // the primary's base block was damaged and a log's was used
  std::string note; // why recovery stopped before a log's end, or why no log could be used
};

// Brings `image` (the whole primary file) up to date from the logs; on return it holds the
// recovered hive, its base block clean (equal sequence numbers, valid checksum) when recovery
// happened. A bad entry stops recovery there: the entries before it stay applied.
RecoveryReport Recover(std::vector<std::uint8_t>& image, std::span<const LogFile> logs);

} // namespace tw::hive
