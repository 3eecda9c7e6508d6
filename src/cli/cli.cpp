#include "cli/cli.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>

#include "cli/data_reports.h"
#include "cli/evidence_commands.h"
#include "cli/items.h"
#include "cli/options.h"
#include "cli/timeline.h"
#include "readers/run_item.h"
#include "report/report.h"
#include "runtime/seam.h"

namespace tw {
namespace {

std::vector<int> SelectedItems(const Options& o) {
  std::vector<int> items;
  for (const std::string& text : o.items)
    items.push_back(ResolveItem(text));
  if (o.guest || o.admin)
    for (int i = 0; i < kCatalogSize; ++i)
      if (o.admin || IsCurrentUserItem(Catalog()[static_cast<size_t>(i)].label))
        items.push_back(i);
  if (o.modern)
    for (int i = kModernFirstItem; i < kModernTabEnd; ++i)
      items.push_back(i);
  return items;
}

std::vector<DataRow> DataRows(const std::vector<RowBuffer::Row>& rows, const Utf8Text& utf8,
                              SourceSet& set, KeyTimes& times) {
  std::vector<DataRow> out;
  out.reserve(rows.size());
  for (const RowBuffer::Row& row : rows) {
    DataRow data;
    if (row.hasCells) {
      data.name = utf8(row.name);
      data.value = utf8(row.value);
    } else {
      const auto [name, value] = SplitRow(row.text);
      data.name = utf8(name);
      data.value = utf8(value);
    }
    if (!row.key.Empty()) {
      data.keyPath = utf8(set.Mounted().DisplayPath(row.key.root, row.key.path));
      data.lastWrite = times.Of(row.key);
    }
    out.push_back(std::move(data));
  }
  return out;
}

std::vector<SourceRecord> SourceRecords(const SourceSet& set,
                                        const std::map<const HiveSource*, HiveDamage>& damage) {
  std::vector<SourceRecord> records;
  for (const SourceSet::Source& source : set.Sources()) {
    SourceRecord r;
    r.description = Utf16ToUtf8(Utf8ToUtf16(source.description));
    if (const HiveSource* h = source.hive) {
      r.hive = true;
      r.path = Utf16ToUtf8(Utf8ToUtf16(h->loaded.path));
      r.kind = HiveKindName(h->kind);
      r.state = RecoveryState(h->loaded);
      r.stateLine = RecoveryLine(h->loaded);
      r.logEntries = h->loaded.report.entriesApplied;
      for (const std::string& log : h->loaded.report.logsUsed)
        r.logsUsed.push_back(Utf16ToUtf8(Utf8ToUtf16(log)));
      r.sequenceFrom = h->loaded.report.fromSequence;
      r.sequenceTo = h->loaded.report.toSequence;
      if (const auto it = damage.find(h); it != damage.end())
        r.damage = it->second;
    }
    records.push_back(std::move(r));
  }
  return records;
}

std::vector<std::string> RowTexts(const std::vector<RowBuffer::Row>& rows) {
  std::vector<std::string> texts;
  texts.reserve(rows.size());
  for (const RowBuffer::Row& row : rows)
    texts.push_back(row.text);
  return texts;
}

// A report file comes into being whole or not at all: written beside its place under a
// temporary name, then renamed over it.
void WriteWhole(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path temporary = path;
  temporary += ".partial";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (file)
      file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file)
      file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw SourceError(path.string() + ": cannot be written");
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    // Some platforms refuse to rename over an existing file.
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::filesystem::rename(temporary, path, error);
  }
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw SourceError(path.string() + ": cannot be written (" + error.message() + ")");
  }
}

std::filesystem::path ReportPath(const std::filesystem::path& folder, int index,
                                 OutputFormat format) {
  return folder / (ReportFileName(ItemAt(index).label) + std::string(Extension(format)));
}

// Reports of an earlier export are not replaced unless the user says so.
void CheckFreeFolder(const Options& o, const std::vector<int>& items) {
  if (o.overwrite == Overwrite::Replace)
    return;
  for (const int index : items) {
    const std::filesystem::path path = ReportPath(o.out, index, *o.format);
    std::error_code error;
    if (std::filesystem::exists(path, error))
      throw SourceError(o.out + ": already holds reports (" + path.filename().string() +
                        "); give --force to replace them");
  }
}

HiveDamage Minus(HiveDamage after, HiveDamage before) {
  return {after.keys - before.keys, after.values - before.values};
}

ExitCode RunCatalog(const Options& o, CliPlatform& platform, std::ostream& out, std::ostream& err) {
  if (o.command == Command::List) {
    for (int i = 0; i < kItemCount; ++i)
      out << i << '\t' << ItemAt(i).label << '\n';
    return ExitCode::Done;
  }
  const std::vector<int> items = SelectedItems(o);
  const std::unique_ptr<CodePage> page = ChooseCodePage(o, platform, LiveOf(o, platform));
  const ScopedSeam<CodePage> codePageSeam(*page);
  if (o.command == Command::Export)
    CheckFreeFolder(o, items);

  // Every source is opened before anything is written.
  const std::unique_ptr<SourceSet> sources = OpenSources(o, platform, *page, err);
  SourceSet& set = *sources;
  const ScopedSeam<RegistryApi> registrySeam(set.Registry());
  const ScopedSeam<Collation> collationSeam(platform.RowCollation());

  const std::filesystem::path folder(o.out);
  if (o.command == Command::Export) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder))
      throw SourceError(o.out + ": the folder cannot be created");
  }

  const Utf8Text utf8(*page);
  // Reports from evidence name it, as the window's do.
  const std::string source = SourceNaming(set);
  KeyTimes times(set.Registry());
  ExitCode code = ExitCode::Done;
  for (const int index : items) {
    const std::string_view label = ItemAt(index).label;
    if (index == kLiveFiguresItem && set.Live() == LiveSystem::Absent) {
      // Asked for by name it fails; a batch goes on without it.
      err << label << ": not available for offline hives\n";
      if (!o.guest && !o.admin)
        code = ExitCode::Failed;
      continue;
    }
    std::map<const HiveSource*, HiveDamage> before;
    for (const HiveSource& h : set.Hives())
      before[&h] = h.store->Damage();
    std::vector<RowBuffer::Row> rows;
    try {
      rows = RunCatalogItem(ItemAt(index));
    } catch (const std::exception& e) {
      err << label << ": " << e.what() << '\n';
      code = ExitCode::Failed;
      continue;
    }
    std::map<const HiveSource*, HiveDamage> damage;
    for (const HiveSource& h : set.Hives())
      damage[&h] = Minus(h.store->Damage(), before[&h]);

    if (o.command == Command::Show) {
      if (items.size() > 1)
        out << "== " << label << '\n';
      for (const RowBuffer::Row& row : rows)
        out << utf8(row.text) << '\n';
      continue;
    }
    std::string bytes;
    switch (*o.format) {
    case OutputFormat::Txt:
      bytes = TextReport(RowTexts(rows), label, source);
      break;
    case OutputFormat::Html:
      bytes = HtmlReport(
          label, RowTexts(rows),
          index == kRunPathItem ? LinkRule::RemoveRunPathPrefix : LinkRule::RemoveQuotes, source);
      // A page in UTF-8 says so, or browsers take it for the Western code page.
      if (page->Number() == kUtf8CodePage)
        bytes.insert(0, "\xEF\xBB\xBF");
      break;
    case OutputFormat::Csv:
      bytes = CsvReport(utf8(label), DataRows(rows, utf8, set, times));
      break;
    case OutputFormat::Json:
      bytes = JsonReport(utf8(label), SourceRecords(set, damage), DataRows(rows, utf8, set, times));
      break;
    case OutputFormat::Jsonl:
    case OutputFormat::Reg:
    case OutputFormat::Tln:
    case OutputFormat::Bodyfile:
      break;
    }
    const std::filesystem::path path = ReportPath(folder, index, *o.format);
    WriteWhole(path, bytes);
    out << path.string() << '\n';
  }
  SayDamage(set, err);
  return code;
}

} // namespace

std::vector<SourceSpec> SourcesOf(const Options& o, CliPlatform& platform) {
  std::vector<SourceSpec> sources = o.sources;
  if (sources.empty()) {
    if (platform.LiveRegistry() == nullptr)
      throw UsageError("no source: give --hive FILE, --reg FILE or --live");
    sources.push_back(SourceSpec{SourceType::Live, std::nullopt, {}, {}});
  }
  return sources;
}

LiveSystem LiveOf(const Options& o, CliPlatform& platform) {
  const std::vector<SourceSpec> sources = SourcesOf(o, platform);
  return std::any_of(sources.begin(), sources.end(),
                     [](const SourceSpec& s) { return s.type == SourceType::Live; })
             ? LiveSystem::Present
             : LiveSystem::Absent;
}

std::unique_ptr<SourceSet> OpenSources(const Options& o, CliPlatform& platform,
                                       const CodePage& page, std::ostream& err) {
  auto set = std::make_unique<SourceSet>(platform.LiveRegistry(), page, SourcesOf(o, platform),
                                         o.recovery);
  SayRecovery(*set, err);
  return set;
}

std::unique_ptr<CodePage> ChooseCodePage(const Options& o, CliPlatform& platform, LiveSystem live) {
  const unsigned number = o.codePage.value_or(platform.DefaultCodePage(live));
  if (!platform.AcceptsCodePage(number, live))
    throw UsageError("code page " + std::to_string(number) +
                     ": this system's registry delivers text in code page " +
                     std::to_string(platform.DefaultCodePage(live)));
  std::unique_ptr<CodePage> page = MakeCodePage(number);
  if (!page)
    throw UsageError("unknown code page " + std::to_string(number));
  return page;
}

void SayRecovery(const SourceSet& set, std::ostream& err) {
  for (const HiveSource& h : set.Hives())
    err << "trailwick-cli: " << h.loaded.path << ": " << RecoveryLine(h.loaded) << '\n';
}

void SayDamage(const SourceSet& set, std::ostream& err) {
  for (const HiveSource& h : set.Hives()) {
    const HiveDamage d = h.store->Damage();
    if (d.Any())
      err << "trailwick-cli: " << h.loaded.path << ": " << d.keys << " key"
          << (d.keys == 1 ? "" : "s") << " and " << d.values << " value"
          << (d.values == 1 ? "" : "s")
          << " could not be read (damaged cells); rows from them are missing\n";
  }
}

ExitCode RunCli(const std::vector<std::string>& args, CliPlatform& platform, std::ostream& out,
                std::ostream& err) {
  try {
    const Options o = ParseCommandLine(args);
    switch (o.command) {
    case Command::Help:
      out << kUsage;
      return ExitCode::Done;
    case Command::Dump:
      return RunDump(o, out, err);
    case Command::Deleted:
      return RunDeleted(o, out, err);
    case Command::Timeline:
      return RunTimeline(o, platform, out, err);
    default:
      return RunCatalog(o, platform, out, err);
    }
  } catch (const UsageError& e) {
    err << "trailwick-cli: " << e.what() << '\n' << kUsage;
    return ExitCode::Usage;
  } catch (const SourceConflict& e) {
    err << "trailwick-cli: " << e.what() << '\n' << kUsage;
    return ExitCode::Usage;
  } catch (const std::exception& e) {
    err << "trailwick-cli: " << e.what() << '\n';
    return ExitCode::Failed;
  }
}

} // namespace tw
