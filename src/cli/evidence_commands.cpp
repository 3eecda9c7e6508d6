#include "cli/evidence_commands.h"

#include <filesystem>
#include <fstream>
#include <ostream>

#include "cli/evidence_text.h"
#include "cli/options.h"
#include "hive/deleted.h"
#include "readers/binary_traces.h"
#include "runtime/code_page.h"

namespace tw {
namespace {

// The key at a path from the hive's root (components matched without regard to case); none
// when a component is missing.
std::optional<hive::KeyNode> KeyAtPath(const hive::Hive& h, std::u16string_view path) {
  std::optional<hive::KeyNode> key = h.Key(h.Root());
  std::vector<hive::KeyNode> children;
  size_t start = 0;
  while (key && start < path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos)
      end = path.size();
    const std::u16string_view name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty())
      continue;
    children.clear();
    h.Subkeys(*key, children);
    key.reset();
    for (const hive::KeyNode& child : children)
      if (SameKeyName(child.name.ToUtf16(), name)) {
        key = child;
        break;
      }
  }
  return key;
}

// Output to the file named by --out, or to standard output.
class Destination {
public:
  Destination(const std::string& path, std::ostream& standardOut) : stream_(&standardOut) {
    if (path.empty())
      return;
    file_.open(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!file_)
      throw SourceError(path + ": cannot be written");
    stream_ = &file_;
    path_ = path;
  }
  std::ostream& Stream() { return *stream_; }
  void Finish() {
    stream_->flush();
    if (!*stream_)
      throw SourceError((path_.empty() ? std::string("standard output") : path_) +
                        ": cannot be written");
  }

private:
  std::ofstream file_;
  std::ostream* stream_;
  std::string path_;
};

LoadedHive LoadAndSay(const Options& o, std::ostream& err) {
  const SourceSpec& source = o.sources.front();
  LoadedHive loaded = LoadHive(source.path, source.logs, o.recovery);
  err << "trailwick-cli: " << loaded.path << ": " << RecoveryLine(loaded) << '\n';
  return loaded;
}

void SayUnreadable(const LoadedHive& loaded, uint32_t keys, uint32_t values, std::ostream& err) {
  if (keys == 0 && values == 0)
    return;
  err << "trailwick-cli: " << loaded.path << ": " << keys << " key" << (keys == 1 ? "" : "s")
      << " and " << values << " value" << (values == 1 ? "" : "s")
      << " could not be read (damaged cells)\n";
}

// --- dump --format jsonl -------------------------------------------------------------------

struct DumpCounts {
  uint32_t keys = 0;
  uint32_t values = 0;
};

DumpCounts DumpJsonLines(const hive::Hive& h, const hive::KeyNode& start,
                         const std::u16string& startPath, std::ostream& out) {
  OutputBuffer buffer(out);
  std::string& text = buffer.Text();
  DumpCounts counts;
  // The path so far as escaped JSON text, and where each depth's part of it ends.
  std::string path;
  AppendJsonEscaped(path, startPath.size(), [&](std::size_t i) { return startPath[i]; });
  std::vector<std::size_t> ends{path.size()};
  std::vector<hive::ValueRecord> values;
  std::vector<uint8_t> data;
  counts.keys = hive::Walk(h, start, [&](const hive::KeyNode& key, int depth) {
    if (depth > 0) {
      path.resize(ends[static_cast<size_t>(depth) - 1]);
      if (!path.empty())
        path += "\\\\";
      AppendJsonEscaped(path, key.name.Length(), [&](std::size_t i) { return key.name.At(i); });
      ends.resize(static_cast<size_t>(depth) + 1);
      ends[static_cast<size_t>(depth)] = path.size();
    }
    text.append("{\"path\": \"").append(path).append("\", \"last_write\": ");
    if (key.lastWrite == 0)
      text += "null";
    else {
      text += '"';
      AppendIsoFileTime(text, key.lastWrite);
      text += '"';
    }
    if (key.classSize != 0)
      if (const auto className = h.ClassName(key)) {
        text += ", \"class\": ";
        AppendJsonText(text, *className);
      }
    text += ", \"values\": [";
    values.clear();
    counts.values += h.Values(key, values);
    for (size_t i = 0; i < values.size(); ++i) {
      const hive::ValueRecord& v = values[i];
      text += i > 0 ? ", {\"name\": " : "{\"name\": ";
      AppendJsonName(text, v.name);
      text.append(", \"type\": ").append(std::to_string(v.type)).append(", \"data\": ");
      if (const auto span = h.DataSpan(v)) {
        text += '"';
        AppendHex(text, *span);
        text += '"';
      } else if (h.Data(v, data)) {
        text += '"';
        AppendHex(text, data);
        text += '"';
      } else {
        text += "null";
        ++counts.values;
      }
      text += '}';
    }
    text += "]}\n";
    buffer.MaybeFlush();
  });
  return counts;
}

// --- dump --format reg ---------------------------------------------------------------------

void AppendUtf16(std::u16string& out, std::string_view ascii) {
  out.append(ascii.begin(), ascii.end());
}

void AppendRegName(std::u16string& out, std::u16string_view name) {
  out += u'"';
  for (const char16_t c : name) {
    if (c == u'"' || c == u'\\')
      out += u'\\';
    out += c;
  }
  out += u'"';
}

// A string value that regedit's quoted form gives back byte for byte: whole characters, one
// NUL at the end and none before it, no line breaks.
std::optional<std::u16string_view> QuotedForm(std::span<const uint8_t> data,
                                              std::u16string& scratch) {
  if (data.size() < 2 || data.size() % 2 != 0)
    return std::nullopt;
  scratch.assign(data.size() / 2, u'\0');
  for (size_t i = 0; i < scratch.size(); ++i)
    scratch[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  if (scratch.back() != u'\0')
    return std::nullopt;
  const std::u16string_view text(scratch.data(), scratch.size() - 1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\0' || c == u'\r' || c == u'\n')
      return std::nullopt;
    if (c >= 0xd800 && c < 0xdc00) {
      if (i + 1 >= text.size() || text[i + 1] < 0xdc00 || text[i + 1] >= 0xe000)
        return std::nullopt;
      ++i;
    } else if (c >= 0xdc00 && c < 0xe000) {
      return std::nullopt;
    }
  }
  return text;
}

void AppendRegValue(std::u16string& out, const hive::ValueRecord& v,
                    std::span<const uint8_t> data, std::u16string& scratch, std::string& hex) {
  if (v.name.Empty())
    out += u'@';
  else
    AppendRegName(out, v.name.ToUtf16());
  out += u'=';
  if (v.type == 1)
    if (const auto text = QuotedForm(data, scratch)) {
      AppendRegName(out, *text);
      out += u"\r\n";
      return;
    }
  hex.clear();
  if (v.type == 4 && data.size() == 4) {
    char number[16];
    std::snprintf(number, sizeof number, "dword:%02x%02x%02x%02x", data[3], data[2], data[1],
                  data[0]);
    AppendUtf16(out, number);
    out += u"\r\n";
    return;
  }
  if (v.type == 3) {
    hex = "hex:";
  } else {
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", v.type);
    hex = prefix;
  }
  AppendHex(hex, data, ',');
  AppendUtf16(out, hex);
  out += u"\r\n";
}

DumpCounts DumpRegFile(const hive::Hive& h, const hive::KeyNode& start, std::u16string root,
                       std::ostream& out) {
  OutputBuffer buffer(out);
  std::u16string text = u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n";
  DumpCounts counts;
  std::vector<std::u16string> names;
  std::vector<hive::ValueRecord> values;
  std::vector<uint8_t> data;
  std::u16string scratch;
  std::string hex;
  const auto flush = [&] {
    std::string& bytes = buffer.Text();
    for (const char16_t c : text) {
      bytes += static_cast<char>(c & 0xff);
      bytes += static_cast<char>(c >> 8);
    }
    text.clear();
    buffer.MaybeFlush();
  };
  counts.keys = hive::Walk(h, start, [&](const hive::KeyNode& key, int depth) {
    names.resize(static_cast<size_t>(depth) + 1);
    names[static_cast<size_t>(depth)] = depth == 0 ? root : key.name.ToUtf16();
    text += u'[';
    for (int d = 0; d <= depth; ++d) {
      if (d > 0)
        text += u'\\';
      text += names[static_cast<size_t>(d)];
    }
    text += u"]\r\n";
    values.clear();
    counts.values += h.Values(key, values);
    for (const hive::ValueRecord& v : values) {
      if (const auto span = h.DataSpan(v))
        AppendRegValue(text, v, *span, scratch, hex);
      else if (h.Data(v, data))
        AppendRegValue(text, v, data, scratch, hex);
      else
        ++counts.values;
    }
    text += u"\r\n";
    flush();
  });
  flush();
  return counts;
}

// --- deleted -------------------------------------------------------------------------------

std::string PathText(const std::optional<std::u16string>& path) {
  return path ? Utf8Of(*path) : std::string();
}

std::string JoinedPath(const std::optional<std::u16string>& parent, const std::u16string& name) {
  if (!parent)
    return "?\\" + Utf8Of(name);
  return parent->empty() ? Utf8Of(name) : Utf8Of(*parent) + "\\" + Utf8Of(name);
}

std::string_view DataStateName(hive::DeletedData state) {
  switch (state) {
  case hive::DeletedData::Whole:
    return "whole";
  case hive::DeletedData::Overwritten:
    return "overwritten";
  case hive::DeletedData::None:
    return "none";
  }
  return "";
}

std::string CellText(hive::CellRef cell) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", cell);
  return text;
}

std::string CsvText(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(text);
  std::string out = "\"";
  for (const char c : text)
    out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string DeletedText(const hive::DeletedEntries& found) {
  std::string out;
  for (const hive::DeletedKey& k : found.keys) {
    out += "key\t" + JoinedPath(k.parentPath, k.name) + "\tlast written " +
           (k.lastWrite != 0 ? IsoFileTime(k.lastWrite) : std::string("(none)")) + "\t" +
           std::to_string(k.valueCount) + " values, " + std::to_string(k.subkeyCount) +
           " subkeys\tcell " + CellText(k.cell) + "\n";
  }
  for (const hive::DeletedValue& v : found.values) {
    out += "value\t" + JoinedPath(v.ownerPath, v.name.empty() ? u"(default)" : v.name) +
           "\ttype " + std::to_string(v.type) + "\t" + std::to_string(v.dataSize) + " bytes " +
           std::string(DataStateName(v.dataState)) + "\t";
    AppendHex(out, v.data, ' ');
    out += "\tcell " + CellText(v.cell) + "\n";
  }
  return out;
}

std::string DeletedCsv(const hive::DeletedEntries& found) {
  std::string out = "record,cell,parent_path,name,last_write,type,data_size,data_state,data\r\n";
  for (const hive::DeletedKey& k : found.keys)
    out += "key," + CellText(k.cell) + "," + CsvText(PathText(k.parentPath)) + "," +
           CsvText(Utf8Of(k.name)) + "," + IsoFileTime(k.lastWrite) + ",,,,\r\n";
  for (const hive::DeletedValue& v : found.values) {
    out += "value," + CellText(v.cell) + "," + CsvText(PathText(v.ownerPath)) + "," +
           CsvText(Utf8Of(v.name)) + ",," + std::to_string(v.type) + "," +
           std::to_string(v.dataSize) + "," + std::string(DataStateName(v.dataState)) + ",";
    AppendHex(out, v.data);
    out += "\r\n";
  }
  return out;
}

void AppendJsonPath(std::string& out, const std::optional<std::u16string>& path) {
  if (path)
    AppendJsonText(out, *path);
  else
    out += "null";
}

std::string DeletedJson(const std::string& hivePath, const hive::DeletedEntries& found) {
  std::string out = "{\n  \"hive\": ";
  AppendJsonText(out, Utf8ToUtf16(hivePath));
  out += ",\n  \"keys\": [";
  for (size_t i = 0; i < found.keys.size(); ++i) {
    const hive::DeletedKey& k = found.keys[i];
    out += i > 0 ? ",\n    {\"cell\": " : "\n    {\"cell\": ";
    out += std::to_string(k.cell) + ", \"name\": ";
    AppendJsonText(out, k.name);
    out += ", \"parent_path\": ";
    AppendJsonPath(out, k.parentPath);
    out += ", \"last_write\": " +
           (k.lastWrite != 0 ? "\"" + IsoFileTime(k.lastWrite) + "\"" : std::string("null")) +
           ", \"subkeys\": " + std::to_string(k.subkeyCount) +
           ", \"values\": " + std::to_string(k.valueCount) + "}";
  }
  out += found.keys.empty() ? "],\n  \"values\": [" : "\n  ],\n  \"values\": [";
  for (size_t i = 0; i < found.values.size(); ++i) {
    const hive::DeletedValue& v = found.values[i];
    out += i > 0 ? ",\n    {\"cell\": " : "\n    {\"cell\": ";
    out += std::to_string(v.cell) + ", \"name\": ";
    AppendJsonText(out, v.name);
    out += ", \"key_path\": ";
    AppendJsonPath(out, v.ownerPath);
    out += ", \"type\": " + std::to_string(v.type) + ", \"data_size\": " +
           std::to_string(v.dataSize) + ", \"data_state\": \"" +
           std::string(DataStateName(v.dataState)) + "\", \"data\": ";
    if (v.dataState == hive::DeletedData::Whole) {
      out += '"';
      AppendHex(out, v.data);
      out += '"';
    } else {
      out += "null";
    }
    out += '}';
  }
  out += found.values.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

} // namespace

ExitCode RunDump(const Options& o, std::ostream& out, std::ostream& err) {
  const LoadedHive loaded = LoadAndSay(o, err);
  const hive::Hive& h = *loaded.hive;
  const std::u16string keyPath = Utf8ToUtf16(o.key);
  const std::optional<hive::KeyNode> start = KeyAtPath(h, keyPath);
  if (!start)
    throw SourceError(loaded.path + ": no key " + o.key);
  Destination destination(o.out, out);
  DumpCounts counts;
  if (*o.format == OutputFormat::Jsonl) {
    // The subtree's own path, as the hive names its keys.
    std::u16string shown = keyPath.empty() ? u"" : h.PathOf(start->cell).value_or(keyPath);
    counts = DumpJsonLines(h, *start, shown, destination.Stream());
  } else {
    // The hive's root becomes a key of the examiner's own choosing; by default one that an
    // import cannot mistake for the machine's own settings.
    std::u16string root = Utf8ToUtf16(o.regRoot);
    if (root.empty())
      root = u"HKEY_CURRENT_USER\\Trailwick evidence\\" +
             Utf8ToUtf16(std::filesystem::path(loaded.path).filename().string());
    if (!keyPath.empty())
      root += u"\\" + h.PathOf(start->cell).value_or(keyPath);
    counts = DumpRegFile(h, *start, root, destination.Stream());
  }
  destination.Finish();
  SayUnreadable(loaded, counts.keys, counts.values, err);
  return ExitCode::Done;
}

ExitCode RunDeleted(const Options& o, std::ostream& out, std::ostream& err) {
  const LoadedHive loaded = LoadAndSay(o, err);
  const hive::DeletedEntries found = hive::FindDeleted(*loaded.hive);
  Destination destination(o.out, out);
  switch (*o.format) {
  case OutputFormat::Csv:
    destination.Stream() << DeletedCsv(found);
    break;
  case OutputFormat::Json:
    destination.Stream() << DeletedJson(loaded.path, found);
    break;
  default:
    destination.Stream() << DeletedText(found);
    break;
  }
  destination.Finish();
  err << "trailwick-cli: " << loaded.path << ": " << found.keys.size() << " deleted key"
      << (found.keys.size() == 1 ? "" : "s") << " and " << found.values.size() << " deleted value"
      << (found.values.size() == 1 ? "" : "s") << " found\n";
  return ExitCode::Done;
}

} // namespace tw
