#include "cli/options.h"

#include <array>
#include <charconv>
#include <utility>

#include "readers/byte_fields.h"
#include "registry/evidence_sources.h"
#include "registry/source_errors.h"

namespace tw {

const std::string_view kUsage =
    "usage: trailwick-cli list\n"
    "       trailwick-cli show    [SOURCE...] ITEM...\n"
    "       trailwick-cli export  [SOURCE...] (--guest | --admin | --modern | ITEM...)\n"
    "                             --format txt|html|csv|json --out DIR [--force]\n"
    "       trailwick-cli dump    --hive FILE [--key PATH] --format jsonl|reg [--root KEY]\n"
    "                             [--out FILE]\n"
    "       trailwick-cli deleted --hive FILE [--format txt|csv|json] [--out FILE]\n"
    "       trailwick-cli timeline [SOURCE...] --format csv|jsonl|tln|bodyfile [--out FILE]\n"
    "                             [--from TIME] [--to TIME]\n"
    "SOURCE: --hive [ntuser|usrclass|software|system|sam|amcache=]FILE [--log LOGFILE...]\n"
    "        --reg FILE  --live\n"
    "        --no-recover   read hive files as they are, without their transaction logs\n"
    "                       (by default the logs beside a hive, or those named with --log,\n"
    "                       bring a dirty hive up to date in memory; files are never changed)\n"
    "        --codepage N   the code page of the text read (UTF-8 by default; N for reports\n"
    "                       equal to the window's on a system with code page N)\n"
    "ITEM:   a catalog index (0-53; 34-50: Windows 7 - 11; 51-53: Amcache and SAM hives) or a\n"
    "        label, as 'list' prints them\n"
    "--guest: the first tab's (CU) items; --admin: all its items; --modern: every Windows 7 - 11\n"
    "item (with --guest or --admin: both sets); --force: replace reports already in DIR\n"
    "timeline: one event per time every item's rows carry, sorted; TIME is UTC, yyyy-mm-dd or\n"
    "yyyy-mm-ddThh:mm:ss, both ends included (a day alone as --to: the whole day)\n";

namespace {

std::optional<unsigned> ParseNumber(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

std::optional<OutputFormat> FormatFromName(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, OutputFormat>, 8> kFormats = {{
      {"txt", OutputFormat::Txt},
      {"html", OutputFormat::Html},
      {"csv", OutputFormat::Csv},
      {"json", OutputFormat::Json},
      {"jsonl", OutputFormat::Jsonl},
      {"reg", OutputFormat::Reg},
      {"tln", OutputFormat::Tln},
      {"bodyfile", OutputFormat::Bodyfile},
  }};
  for (const auto& [text, format] : kFormats)
    if (text == name)
      return format;
  return std::nullopt;
}

enum class DayEnd { First, Last };

// "yyyy-mm-dd" (its first or last tick, as the range's end needs) or "yyyy-mm-ddThh:mm:ss",
// optionally ending in "Z", as a FILETIME.
std::optional<uint64_t> ParseTime(std::string_view text, DayEnd end) {
  if (text.ends_with('Z'))
    text.remove_suffix(1);
  const auto number = [&](std::size_t at, std::size_t digits) -> std::optional<int> {
    if (at + digits > text.size())
      return std::nullopt;
    const auto parsed = ParseNumber(text.substr(at, digits));
    return parsed ? std::optional<int>(static_cast<int>(*parsed)) : std::nullopt;
  };
  if (text.size() != 10 && text.size() != 19)
    return std::nullopt;
  if (text[4] != '-' || text[7] != '-')
    return std::nullopt;
  const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
  if (!year || !month || !day)
    return std::nullopt;
  if (text.size() == 10) {
    const auto start = FileTimeFromCivil(*year, *month, *day, 0, 0, 0);
    if (!start || end == DayEnd::First)
      return start;
    return *start + 86'400ull * 10'000'000 - 1;
  }
  if (text[10] != 'T' && text[10] != ' ')
    return std::nullopt;
  if (text[13] != ':' || text[16] != ':')
    return std::nullopt;
  const auto hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
  if (!hour || !minute || !second)
    return std::nullopt;
  const auto start = FileTimeFromCivil(*year, *month, *day, *hour, *minute, *second);
  if (!start || end == DayEnd::First)
    return start;
  return *start + 10'000'000 - 1;
}

// "KIND=FILE" read as the window reads it; an unknown kind is a usage mistake here.
SourceSpec HiveSpec(const std::string& text) {
  try {
    return HiveSourceSpec(text);
  } catch (const SourceConflict& e) {
    throw UsageError(e.what());
  }
}

Command CommandFromName(const std::string& name) {
  if (name == "list")
    return Command::List;
  if (name == "show")
    return Command::Show;
  if (name == "export")
    return Command::Export;
  if (name == "dump")
    return Command::Dump;
  if (name == "deleted")
    return Command::Deleted;
  if (name == "timeline")
    return Command::Timeline;
  if (name == "help" || name == "--help" || name == "-h")
    return Command::Help;
  throw UsageError("unknown command '" + name + "'");
}

void CheckOneHive(const Options& o, std::string_view command) {
  if (o.sources.size() != 1 || o.sources[0].type != SourceType::Hive)
    throw UsageError(std::string(command) + " reads one hive file: give --hive FILE");
  if (!o.items.empty() || o.guest || o.admin || o.modern)
    throw UsageError(std::string(command) + " takes no items");
}

void Check(Options& o) {
  const bool batch = o.guest || o.admin || o.modern;
  if ((o.from || o.to) && o.command != Command::Timeline)
    throw UsageError("--from and --to limit a timeline");
  switch (o.command) {
  case Command::Help:
    return;
  case Command::List:
    if (!o.items.empty() || !o.sources.empty() || batch || o.format)
      throw UsageError("list takes no arguments");
    return;
  case Command::Timeline:
    if (!o.items.empty() || batch)
      throw UsageError("timeline takes sources only: it runs every item");
    if (!o.format || (*o.format != OutputFormat::Csv && *o.format != OutputFormat::Jsonl &&
                      *o.format != OutputFormat::Tln && *o.format != OutputFormat::Bodyfile))
      throw UsageError("timeline needs --format csv|jsonl|tln|bodyfile");
    if (o.from && o.to && *o.from > *o.to)
      throw UsageError("--from is later than --to");
    return;
  case Command::Show:
    if (batch || o.format || !o.out.empty())
      throw UsageError("show takes sources and items only");
    if (o.items.empty())
      throw UsageError("show needs at least one item");
    return;
  case Command::Export:
    if (o.guest && o.admin)
      throw UsageError("--guest and --admin exclude each other");
    if (batch && !o.items.empty())
      throw UsageError("give --guest, --admin, --modern or items, not both");
    if (!batch && o.items.empty())
      throw UsageError("export needs --guest, --admin, --modern or at least one item");
    if (!o.format)
      throw UsageError("export needs --format txt|html|csv|json");
    if (*o.format == OutputFormat::Jsonl || *o.format == OutputFormat::Reg)
      throw UsageError("export writes txt, html, csv or json");
    if (o.out.empty())
      throw UsageError("export needs --out DIR");
    return;
  case Command::Dump:
    CheckOneHive(o, "dump");
    if (!o.format || (*o.format != OutputFormat::Jsonl && *o.format != OutputFormat::Reg))
      throw UsageError("dump needs --format jsonl|reg");
    return;
  case Command::Deleted:
    CheckOneHive(o, "deleted");
    if (!o.format)
      o.format = OutputFormat::Txt;
    if (*o.format != OutputFormat::Txt && *o.format != OutputFormat::Csv &&
        *o.format != OutputFormat::Json)
      throw UsageError("deleted writes txt, csv or json");
    return;
  }
}

} // namespace

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
  case OutputFormat::Jsonl:
    return ".jsonl";
  case OutputFormat::Reg:
    return ".reg";
  case OutputFormat::Tln:
    return ".tln";
  case OutputFormat::Bodyfile:
    return ".body";
  }
  return "";
}

Options ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty())
    throw UsageError("no command");
  Options o;
  o.command = CommandFromName(args[0]);
  for (size_t i = 1; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg == "--help" || arg == "-h") {
      o.command = Command::Help;
      return o;
    }
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
    } else if (arg == "--log") {
      const std::string log = value();
      if (o.sources.empty() || o.sources.back().type != SourceType::Hive)
        throw UsageError("--log names a log of the --hive before it");
      o.sources.back().logs.push_back(log);
    } else if (arg == "--reg") {
      o.sources.push_back(SourceSpec{SourceType::Reg, std::nullopt, value(), {}});
    } else if (arg == "--live") {
      flag();
      o.sources.push_back(SourceSpec{SourceType::Live, std::nullopt, {}, {}});
    } else if (arg == "--guest" || arg == "--admin" || arg == "--modern") {
      flag();
      (arg == "--guest" ? o.guest : arg == "--admin" ? o.admin : o.modern) = true;
    } else if (arg == "--no-recover") {
      flag();
      o.recovery = Recovery::Skip;
    } else if (arg == "--force") {
      flag();
      o.overwrite = Overwrite::Replace;
    } else if (arg == "--format") {
      const std::string name = value();
      o.format = FormatFromName(name);
      if (!o.format)
        throw UsageError("unknown format '" + name +
                         "' (txt, html, csv, json, jsonl, reg, tln or bodyfile)");
    } else if (arg == "--out") {
      o.out = value();
      if (o.out.empty())
        throw UsageError("--out needs a name");
    } else if (arg == "--key") {
      o.key = value();
    } else if (arg == "--root") {
      o.regRoot = value();
    } else if (arg == "--from" || arg == "--to") {
      const std::string text = value();
      const auto time = ParseTime(text, arg == "--to" ? DayEnd::Last : DayEnd::First);
      if (!time)
        throw UsageError(arg + " needs a UTC time, yyyy-mm-dd or yyyy-mm-ddThh:mm:ss, not '" +
                         text + "'");
      (arg == "--from" ? o.from : o.to) = time;
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
  Check(o);
  return o;
}

} // namespace tw
