#pragma once
// trailwick-cli timeline: every item run over the sources, each time a row's trace carries (and
// the last-write time of the keys that date their rows) made an event, all sorted by time;
// written as CSV or JSON lines with the columns Timesketch imports, as RegRipper's TLN, or as
// the mactime body format.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "readers/reader.h"

namespace tw {

// One event, its text in UTF-8.
struct TimelineEvent {
  uint64_t time = 0; // FILETIME, UTC
  std::string kind;  // what happened then ("Last Run", ...)
  std::string message;
  std::string item;   // the item's label
  std::string source; // the hive file (as named on the command line), or the other source
  std::string keyPath;
  std::string user; // the account a SAM event is about; empty for others
};

// The item's label without its tab's tag and hive tag: "[H] Run MRU (CU)" gives "Run MRU".
std::string_view ItemTitle(std::string_view label);
// The events of one row in UTF-8: one per time it carries, and its key's last-write time where
// that dates it (`keyTime`, 0 when the source keeps none).
void AddRowEvents(const RowBuffer::Row& row, std::string_view label, uint64_t keyTime,
                  const std::string& utf8Name, const std::string& utf8Value,
                  const std::string& source, const std::string& keyPath,
                  std::vector<TimelineEvent>& events);

ExitCode RunTimeline(const Options& o, CliPlatform& platform, std::ostream& out, std::ostream& err);

// The formats; `system` is the machine's name for TLN.
std::string TimelineCsv(const std::vector<TimelineEvent>& events);
std::string TimelineJsonLines(const std::vector<TimelineEvent>& events);
std::string TimelineTln(const std::vector<TimelineEvent>& events, std::string_view system);
std::string TimelineBodyfile(const std::vector<TimelineEvent>& events);

} // namespace tw
