#include "cli/timeline.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>

#include "cli/items.h"
#include "cli/options.h"
#include "readers/evidence_catalog.h"
#include "readers/run_item.h"
#include "registry/registry.h"
#include "runtime/seam.h"

namespace tw {
namespace {

constexpr const char* kComputerNameKey =
    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr int kSamAccountsItem = kEvidenceFirstItem + kEvidenceCatalogSize - 1;
// FILETIMEs from the year 10000 on cannot be written as dates: corrupt data, left out.
constexpr uint64_t kFirstUnwritableTime = 0x24C85A5ED1C04000ull;

// Where the events go: --out FILE, whole or not at all, or standard output.
void Write(const Options& o, const std::string& bytes, std::ostream& out) {
  if (o.out.empty()) {
    out << bytes;
    return;
  }
  std::ofstream file(std::filesystem::path(o.out), std::ios::binary | std::ios::trunc);
  if (file)
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file)
    file.close();
  if (!file)
    throw SourceError(o.out + ": cannot be written");
}

std::string SourceName(const SourceSet& set, const RowKey& key) {
  if (key.Empty())
    return "";
  if (const HiveSource* hive = set.HiveOf(key.root, key.path))
    return Utf16ToUtf8(Utf8ToUtf16(hive->loaded.path));
  return set.Live() == LiveSystem::Present ? "live registry" : "regedit export";
}

bool InRange(const Options& o, uint64_t time) {
  return (!o.from || time >= *o.from) && (!o.to || time <= *o.to);
}

} // namespace

std::string_view ItemTitle(std::string_view label) {
  if (label.size() > 4 && label[0] == '[' && label[2] == ']' && label[3] == ' ')
    label.remove_prefix(4);
  for (const std::string_view tag : {" (CU)", " (LM)"})
    if (label.ends_with(tag))
      label.remove_suffix(tag.size());
  while (label.ends_with(' '))
    label.remove_suffix(1);
  return label;
}

void AddRowEvents(const RowBuffer::Row& row, std::string_view label, uint64_t keyTime,
                  const std::string& utf8Name, const std::string& utf8Value,
                  const std::string& source, const std::string& keyPath,
                  std::vector<TimelineEvent>& events) {
  std::string message = std::string(ItemTitle(label)) + ": " + utf8Name;
  if (!utf8Value.empty())
    message += " (" + utf8Value + ")";
  const auto add = [&](uint64_t time, std::string_view kind) {
    if (time == 0 || time >= kFirstUnwritableTime)
      return;
    events.push_back(
        TimelineEvent{time, std::string(kind), message, std::string(label), source, keyPath, {}});
  };
  for (const RowTime& time : row.times)
    add(time.fileTime, time.kind);
  if (!row.keyTimeKind.empty())
    add(keyTime, row.keyTimeKind);
}

ExitCode RunTimeline(const Options& o, CliPlatform& platform, std::ostream& out,
                     std::ostream& err) {
  const std::unique_ptr<CodePage> page = ChooseCodePage(o, platform, LiveOf(o, platform));
  const ScopedSeam<CodePage> codePageSeam(*page);
  const std::unique_ptr<SourceSet> sources = OpenSources(o, platform, *page, err);
  SourceSet& set = *sources;
  const ScopedSeam<RegistryApi> registrySeam(set.Registry());
  const ScopedSeam<Collation> collationSeam(platform.RowCollation());
  const Utf8Text utf8(*page);
  KeyTimes times(set.Registry());

  ExitCode code = ExitCode::Done;
  std::vector<TimelineEvent> events;
  for (int index = 0; index < kItemCount; ++index) {
    if (index == kLiveFiguresItem)
      continue; // figures of the moment, no trace
    const std::string_view label = ItemAt(index).label;
    std::vector<RowBuffer::Row> rows;
    try {
      // Events are sorted by time: the window's row order is not needed.
      rows = RunReader(ItemAt(index));
    } catch (const std::exception& e) {
      err << label << ": " << e.what() << '\n';
      code = ExitCode::Failed;
      continue;
    }
    for (const RowBuffer::Row& row : rows) {
      if (row.times.empty() && row.keyTimeKind.empty())
        continue;
      const std::size_t first = events.size();
      AddRowEvents(row, utf8(label), row.keyTimeKind.empty() ? 0 : times.Of(row.key),
                   utf8(row.name), utf8(row.value), SourceName(set, row.key),
                   row.key.Empty() ? ""
                                   : utf8(set.Mounted().DisplayPath(row.key.root, row.key.path)),
                   events);
      // The account a SAM row is about: its name up to the field.
      if (index == kSamAccountsItem)
        for (std::size_t e = first; e < events.size(); ++e)
          events[e].user = utf8(row.name.substr(0, row.name.rfind('\\')));
    }
  }
  std::erase_if(events, [&](const TimelineEvent& e) { return !InRange(o, e.time); });
  std::stable_sort(events.begin(), events.end(),
                   [](const TimelineEvent& a, const TimelineEvent& b) { return a.time < b.time; });

  std::string bytes;
  switch (*o.format) {
  case OutputFormat::Csv:
    bytes = TimelineCsv(events);
    break;
  case OutputFormat::Jsonl:
    bytes = TimelineJsonLines(events);
    break;
  case OutputFormat::Tln:
    bytes = TimelineTln(events,
                        utf8(ReadRegString(reg::kLocalMachine, kComputerNameKey, "ComputerName")));
    break;
  case OutputFormat::Bodyfile:
    bytes = TimelineBodyfile(events);
    break;
  default:
    break;
  }
  Write(o, bytes, out);
  err << "trailwick-cli: " << events.size() << " events\n";
  SayDamage(set, err);
  return code;
}

} // namespace tw
