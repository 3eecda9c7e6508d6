#include "cli/cli.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

#include "app/catalog.h"
#include "app/modern_catalog.h"
#include "cli/data_reports.h"
#include "cli/hive_source.h"
#include "report/report.h"
#include "runtime/controls.h"
#include "runtime/seam.h"

namespace tw {
namespace {

// Item 10 shows the machine's memory figures and clock, which no hive holds.
constexpr int kLiveFiguresItem = 10;
// The UserAssist item whose values carry the "UEME_RUNPATH:" prefix; its links drop it.
constexpr int kRunPathItem = 9;
// The items of the "Windows 7 - 11" tab follow the 34, in that tab's order.
constexpr int kItemCount = kCatalogSize + kModernCatalogSize;

const CatalogItem& ItemAt(int index) {
  return index < kCatalogSize ? Catalog()[static_cast<size_t>(index)]
                              : ModernCatalog()[static_cast<size_t>(index - kCatalogSize)];
}

constexpr std::string_view kUsage =
    "usage: trailwick-cli list\n"
    "       trailwick-cli show   [SOURCE...] ITEM...\n"
    "       trailwick-cli export [SOURCE...] (--guest | --admin | --modern | ITEM...)\n"
    "                            --format txt|html|csv|json --out DIR\n"
    "SOURCE: --hive [ntuser|usrclass|software|system=]FILE  --reg FILE  --live\n"
    "        --codepage N   (code page of the text read from hive files; 1252 by default)\n"
    "ITEM:   a catalog index (0-48; 34 on: Windows 7 - 11) or a label, as 'list' prints them\n"
    "--modern: every Windows 7 - 11 item\n";

enum class Command { List, Show, Export };
enum class Batch { None, Guest, Admin, Modern };
enum class OutputFormat { Txt, Html, Csv, Json };

struct Options {
  Command command = Command::List;
  std::vector<SourceSpec> sources;
  std::vector<std::string> items;
  Batch batch = Batch::None;
  std::optional<OutputFormat> format;
  std::string outDir;
  std::optional<unsigned> codePage;
};

std::optional<unsigned> ParseNumber(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

std::optional<OutputFormat> FormatFromName(std::string_view name) {
  if (name == "txt")
    return OutputFormat::Txt;
  if (name == "html")
    return OutputFormat::Html;
  if (name == "csv")
    return OutputFormat::Csv;
  if (name == "json")
    return OutputFormat::Json;
  return std::nullopt;
}

std::string_view Extension(OutputFormat format) {
  switch (format) {
  case OutputFormat::Txt:
    return ".txt";
  case OutputFormat::Html:
    return ".html";
  case OutputFormat::Csv:
    return ".csv";
  case OutputFormat::Json:
    return ".json";
  }
  return "";
}

SourceSpec HiveSpec(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals != std::string::npos) {
    if (const auto kind = HiveKindFromName(text.substr(0, equals)))
      return SourceSpec{SourceType::Hive, kind, text.substr(equals + 1)};
  }
  return SourceSpec{SourceType::Hive, std::nullopt, text};
}

Options Parse(const std::vector<std::string>& args) {
  if (args.empty())
    throw UsageError("no command");
  Options o;
  if (args[0] == "list")
    o.command = Command::List;
  else if (args[0] == "show")
    o.command = Command::Show;
  else if (args[0] == "export")
    o.command = Command::Export;
  else
    throw UsageError("unknown command '" + args[0] + "'");

  for (size_t i = 1; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> attached;
    if (arg.starts_with("--") && arg.find('=') != std::string::npos) {
      attached = arg.substr(arg.find('=') + 1);
      arg = arg.substr(0, arg.find('='));
    }
    const auto value = [&]() -> std::string {
      if (attached)
        return *attached;
      if (i + 1 >= args.size())
        throw UsageError(arg + " needs a value");
      return args[++i];
    };
    const auto flag = [&] {
      if (attached)
        throw UsageError(arg + " takes no value");
    };
    if (arg == "--hive") {
      o.sources.push_back(HiveSpec(value()));
    } else if (arg == "--reg") {
      o.sources.push_back(SourceSpec{SourceType::Reg, std::nullopt, value()});
    } else if (arg == "--live") {
      flag();
      o.sources.push_back(SourceSpec{SourceType::Live, std::nullopt, {}});
    } else if (arg == "--guest" || arg == "--admin" || arg == "--modern") {
      flag();
      const Batch batch = arg == "--guest"   ? Batch::Guest
                          : arg == "--admin" ? Batch::Admin
                                             : Batch::Modern;
      if (o.batch != Batch::None && o.batch != batch)
        throw UsageError("--guest, --admin and --modern exclude each other");
      o.batch = batch;
    } else if (arg == "--format") {
      const std::string name = value();
      o.format = FormatFromName(name);
      if (!o.format)
        throw UsageError("unknown format '" + name + "' (txt, html, csv or json)");
    } else if (arg == "--out") {
      o.outDir = value();
      if (o.outDir.empty())
        throw UsageError("--out needs a folder");
    } else if (arg == "--codepage") {
      const std::string text = value();
      o.codePage = ParseNumber(text);
      if (!o.codePage)
        throw UsageError("--codepage needs a number, not '" + text + "'");
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + arg);
    } else {
      o.items.push_back(args[i]);
    }
  }

  if (o.command == Command::List) {
    if (!o.items.empty() || !o.sources.empty() || o.batch != Batch::None || o.format)
      throw UsageError("list takes no arguments");
    return o;
  }
  if (o.command == Command::Show) {
    if (o.batch != Batch::None || o.format || !o.outDir.empty())
      throw UsageError("show takes sources and items only");
    if (o.items.empty())
      throw UsageError("show needs at least one item");
    return o;
  }
  if (o.batch != Batch::None && !o.items.empty())
    throw UsageError("give --guest, --admin, --modern or items, not both");
  if (o.batch == Batch::None && o.items.empty())
    throw UsageError("export needs --guest, --admin, --modern or at least one item");
  if (!o.format)
    throw UsageError("export needs --format txt|html|csv|json");
  if (o.outDir.empty())
    throw UsageError("export needs --out DIR");
  return o;
}

int ResolveItem(const std::string& text) {
  if (const auto number = ParseNumber(text)) {
    if (*number < static_cast<unsigned>(kItemCount))
      return static_cast<int>(*number);
    throw UsageError("no item " + text + " (0-" + std::to_string(kItemCount - 1) + ")");
  }
  for (int i = 0; i < kItemCount; ++i)
    if (ItemAt(i).label == text)
      return i;
  throw UsageError("no item labelled '" + text + "' (see: trailwick-cli list)");
}

std::vector<int> SelectedItems(const Options& o) {
  std::vector<int> items;
  if (o.batch == Batch::None) {
    for (const std::string& text : o.items)
      items.push_back(ResolveItem(text));
    return items;
  }
  if (o.batch == Batch::Modern) {
    for (int i = kCatalogSize; i < kItemCount; ++i)
      items.push_back(i);
    return items;
  }
  for (int i = 0; i < kCatalogSize; ++i)
    if (o.batch == Batch::Admin ||
        Catalog()[static_cast<size_t>(i)].label.find("(CU)") != std::string_view::npos)
      items.push_back(i);
  return items;
}

enum class ItemOutcome { Rows, Unavailable, ReaderFailed };

struct ItemRun {
  ItemOutcome outcome;
  std::vector<std::string> rows;
  std::string error;
};

// Runs an item's reader as the window's dispatcher does: the rows of a buffer list, sorted
// under the list comparison unless the item keeps reader order.
ItemRun RunItem(int index, LiveSystem live) {
  if (index == kLiveFiguresItem && live == LiveSystem::Absent)
    return {ItemOutcome::Unavailable, {}, "not available for offline hives"};
  TListBox buffer("LT");
  TStringList scratch1;
  TStringList scratch2;
  try {
    ReaderContext ctx{buffer.Items(), scratch1, scratch2};
    const CatalogItem& item = ItemAt(index);
    item.reader(ctx);
    buffer.SetSorted(item.order == RowOrder::Sorted);
    return {ItemOutcome::Rows, buffer.Items().ToVector(), {}};
  } catch (const std::exception& e) {
    return {ItemOutcome::ReaderFailed, {}, e.what()};
  }
}

std::vector<std::string> RowsAsUtf8(const AnsiCodePage& page,
                                    const std::vector<std::string>& rows) {
  std::vector<std::string> out;
  out.reserve(rows.size());
  for (const std::string& row : rows)
    out.push_back(AnsiToUtf8(page, row));
  return out;
}

std::string ReportBytes(OutputFormat format, int index, const std::vector<std::string>& rows,
                        const AnsiCodePage& page, const std::vector<std::string>& sources) {
  const std::string_view label = ItemAt(index).label;
  switch (format) {
  case OutputFormat::Txt:
    return TextReport(rows);
  case OutputFormat::Html:
    return HtmlReport(label, rows,
                      index == kRunPathItem ? LinkRule::RemoveRunPathPrefix
                                            : LinkRule::RemoveQuotes);
  case OutputFormat::Csv:
    return CsvReport(AnsiToUtf8(page, label), RowsAsUtf8(page, rows));
  case OutputFormat::Json: {
    // File names come as the command line gave them; a JSON text must be valid UTF-8.
    std::vector<std::string> names;
    for (const std::string& source : sources)
      names.push_back(Utf16ToUtf8(Utf8ToUtf16(source)));
    return JsonReport(AnsiToUtf8(page, label), names, RowsAsUtf8(page, rows));
  }
  }
  return {};
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

ExitCode Run(const Options& o, CliPlatform& platform, std::ostream& out, std::ostream& err) {
  if (o.command == Command::List) {
    for (int i = 0; i < kItemCount; ++i)
      out << i << '\t' << ItemAt(i).label << '\n';
    return ExitCode::Done;
  }
  const std::vector<int> items = SelectedItems(o);
  std::vector<SourceSpec> sources = o.sources;
  if (sources.empty()) {
    if (platform.LiveRegistry() == nullptr)
      throw UsageError("no source: give --hive FILE, --reg FILE or --live");
    sources.push_back(SourceSpec{SourceType::Live, std::nullopt, {}});
  }
  const unsigned codePageNumber = o.codePage.value_or(platform.DefaultCodePage());
  if (!platform.AcceptsCodePage(codePageNumber))
    throw UsageError("code page " + std::to_string(codePageNumber) +
                     ": this system's registry delivers text in code page " +
                     std::to_string(platform.DefaultCodePage()));
  const std::unique_ptr<AnsiCodePage> page = MakeCodePage(codePageNumber);
  if (!page)
    throw UsageError("unknown code page " + std::to_string(codePageNumber));

  // Every source is opened before anything is written.
  SourceSet set(platform, *page, sources);
  const ScopedSeam<RegistryApi> registrySeam(set.Registry());
  const ScopedSeam<Collation> collationSeam(platform.RowCollation());

  std::filesystem::path folder;
  if (o.command == Command::Export) {
    folder = std::filesystem::path(o.outDir);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder))
      throw SourceError(o.outDir + ": the folder cannot be created");
  }

  ExitCode code = ExitCode::Done;
  for (const int index : items) {
    const std::string_view label = ItemAt(index).label;
    const ItemRun run = RunItem(index, set.Live());
    if (run.outcome != ItemOutcome::Rows) {
      err << label << ": " << run.error << '\n';
      if (run.outcome == ItemOutcome::ReaderFailed)
        code = ExitCode::Failed;
      continue;
    }
    if (o.command == Command::Show) {
      if (items.size() > 1)
        out << "== " << label << '\n';
      for (const std::string& row : run.rows) {
        const auto [key, value] = SplitRow(row);
        out << AnsiToUtf8(*page, key) << '=' << AnsiToUtf8(*page, value) << '\n';
      }
      continue;
    }
    const std::filesystem::path path =
        folder / (ReportFileName(label) + std::string(Extension(*o.format)));
    WriteWhole(path, ReportBytes(*o.format, index, run.rows, *page, set.Descriptions()));
    out << path.string() << '\n';
  }
  return code;
}

} // namespace

ExitCode RunCli(const std::vector<std::string>& args, CliPlatform& platform, std::ostream& out,
                std::ostream& err) {
  try {
    return Run(Parse(args), platform, out, err);
  } catch (const UsageError& e) {
    err << "trailwick-cli: " << e.what() << '\n' << kUsage;
    return ExitCode::Usage;
  } catch (const SourceError& e) {
    err << "trailwick-cli: " << e.what() << '\n';
    return ExitCode::Failed;
  } catch (const std::exception& e) {
    err << "trailwick-cli: " << e.what() << '\n';
    return ExitCode::Failed;
  }
}

} // namespace tw
