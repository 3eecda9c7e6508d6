// The timeline's formats. CSV and JSON lines carry the columns Timesketch imports (datetime,
// timestamp_desc, message) and where each event came from; TLN is RegRipper's five fields;
// the body format is The Sleuth Kit's, for mactime. TLN and the body format count whole seconds
// since 1970 and separate fields by "|", which the text of their fields therefore never holds.

#include <cstdint>
#include <string>

#include "cli/data_reports.h"
#include "cli/timeline.h"
#include "readers/binary_traces.h"

namespace tw {
namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11'644'473'600;

int64_t UnixSeconds(uint64_t fileTime) {
  return static_cast<int64_t>(fileTime / 10'000'000) - kSecondsFrom1601To1970;
}

// Text for a "|"-separated field on one line.
std::string FieldText(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '|')
      c = '/';
    else if (c == '\r' || c == '\n')
      c = ' ';
  return out;
}

// ISO 8601 UTC with all seven decimals, whole seconds too, so that the text sorts as the time.
std::string DateTime(uint64_t fileTime) {
  std::string text = IsoFileTime(fileTime);
  if (text.size() == 20)
    text.insert(19, ".0000000");
  return text;
}

enum class BodyTime { Accessed, Modified, Born };

// Which of the body format's times an event is: its birth for creations and installations,
// its access for accesses, otherwise a modification.
BodyTime BodyTimeOf(std::string_view kind) {
  if (kind.find("Created") != std::string_view::npos ||
      kind.find("Installed") != std::string_view::npos)
    return BodyTime::Born;
  if (kind.find("Accessed") != std::string_view::npos)
    return BodyTime::Accessed;
  return BodyTime::Modified;
}

} // namespace

std::string TimelineCsv(const std::vector<TimelineEvent>& events) {
  std::string out = "datetime,timestamp_desc,message,item,source,key_path\r\n";
  for (const TimelineEvent& e : events) {
    out.append(DateTime(e.time)).append(",");
    out.append(CsvField(e.kind)).append(",");
    out.append(CsvField(e.message)).append(",");
    out.append(CsvField(e.item)).append(",");
    out.append(CsvField(e.source)).append(",");
    out.append(CsvField(e.keyPath)).append("\r\n");
  }
  return out;
}

std::string TimelineJsonLines(const std::vector<TimelineEvent>& events) {
  std::string out;
  for (const TimelineEvent& e : events) {
    out.append("{\"datetime\": \"").append(DateTime(e.time)).append("\"");
    out.append(", \"timestamp_desc\": ").append(JsonString(e.kind));
    out.append(", \"message\": ").append(JsonString(e.message));
    out.append(", \"item\": ").append(JsonString(e.item));
    out.append(", \"source\": ").append(JsonString(e.source));
    out.append(", \"key_path\": ").append(JsonString(e.keyPath)).append("}\n");
  }
  return out;
}

std::string TimelineTln(const std::vector<TimelineEvent>& events, std::string_view system) {
  std::string out;
  const std::string host = FieldText(system);
  for (const TimelineEvent& e : events) {
    out.append(std::to_string(UnixSeconds(e.time))).append("|REG|").append(host).append("|");
    out.append(FieldText(e.user)).append("|");
    out.append(FieldText(e.kind + " - " + e.message)).append("\n");
  }
  return out;
}

std::string TimelineBodyfile(const std::vector<TimelineEvent>& events) {
  std::string out;
  for (const TimelineEvent& e : events) {
    const std::string seconds = std::to_string(UnixSeconds(e.time));
    const BodyTime which = BodyTimeOf(e.kind);
    // MD5|name|inode|mode|UID|GID|size|atime|mtime|ctime|crtime
    out.append("0|").append(FieldText("[" + e.kind + "] " + e.message + " [" + e.keyPath + "]"));
    out.append("|0|0|0|0|0|");
    out.append(which == BodyTime::Accessed ? seconds : "0").append("|");
    out.append(which == BodyTime::Modified ? seconds : "0").append("|0|");
    out.append(which == BodyTime::Born ? seconds : "0").append("\n");
  }
  return out;
}

} // namespace tw
