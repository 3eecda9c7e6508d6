#include "registry/evidence_sources.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "registry/hive_check.h"
#include "registry/mapped_file.h"
#include "registry/reg_file.h"
#include "runtime/ansi_text.h"

namespace tw {
namespace {

bool IsUtf8(std::string_view text) {
  return Utf8ToUtf16(text).find(u'\xfffd') == std::u16string::npos ||
         text.find("\xef\xbf\xbd") != std::string_view::npos;
}

// A regedit 4 file holds the 8-bit text of the machine that wrote it: taken as code page 1252
// (Western Windows) when the run's text is UTF-8 and the file is not UTF-8 already. Version 5
// files are UTF-16 and converted on import.
std::string ReadRegExport(const std::string& path, const CodePage& runPage) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw SourceError(path + ": missing or cannot be read");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const bool utf16 = bytes.size() >= 2 && bytes[0] == '\xff' && bytes[1] == '\xfe';
  if (runPage.Number() == kUtf8CodePage && !utf16 && !IsUtf8(bytes))
    bytes = Utf16ToUtf8(Cp1252CodePage().ToUtf16(bytes));
  return bytes;
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string JoinNames(const std::vector<std::string>& paths) {
  std::string joined;
  for (const std::string& path : paths)
    joined += (joined.empty() ? "" : ", ") + FileName(path);
  return joined;
}

std::string Article(std::string_view word) {
  return !word.empty() && std::string_view("aeiou").find(word.front()) != std::string_view::npos
             ? "an"
             : "a";
}

} // namespace

SourceSpec HiveSourceSpec(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals != std::string::npos && equals > 0) {
    const std::string word = text.substr(0, equals);
    if (const auto kind = HiveKindFromName(word))
      return SourceSpec{SourceType::Hive, kind, text.substr(equals + 1), {}};
    const bool plainWord = std::all_of(word.begin(), word.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
    std::error_code error;
    if (plainWord && !std::filesystem::exists(text, error))
      throw SourceConflict("unknown hive kind '" + word + "' (" + std::string(HiveKindNames()) +
                           ")");
  }
  return SourceSpec{SourceType::Hive, std::nullopt, text, {}};
}

int LogOrder(std::string_view file, std::string_view hive) {
  static constexpr std::array<std::string_view, 3> kSuffixes = {".LOG", ".LOG1", ".LOG2"};
  if (file.size() <= hive.size() || !AsciiEqualIgnoringCase(file.substr(0, hive.size()), hive))
    return -1;
  const std::string_view suffix = file.substr(hive.size());
  for (size_t i = 0; i < kSuffixes.size(); ++i)
    if (AsciiEqualIgnoringCase(suffix, kSuffixes[i]))
      return static_cast<int>(i);
  return -1;
}

std::vector<std::string> LogsBeside(const std::string& hivePath) {
  const std::filesystem::path hive(hivePath);
  const std::string name = hive.filename().string();
  const std::string prefix = hivePath.substr(0, hivePath.find_last_of("/\\") + 1);
  std::filesystem::path folder = hive.parent_path();
  if (folder.empty())
    folder = ".";
  std::vector<std::pair<int, std::string>> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string candidate = entry.path().filename().string();
    const int order = LogOrder(candidate, name);
    // Named as the hive was: its folder as the user wrote it, then the log's own name.
    if (order >= 0 && entry.is_regular_file(error))
      found.emplace_back(order, prefix + candidate);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> logs;
  for (auto& [order, path] : found)
    logs.push_back(std::move(path));
  return logs;
}

LoadedHive LoadHive(const std::string& path, const std::vector<std::string>& logs,
                    Recovery recovery) {
  if (const std::string problem = HiveFileProblem(path); !problem.empty())
    throw SourceError(path + ": " + problem);
  LoadedHive loaded;
  loaded.path = path;
  loaded.recovery = recovery;
  FileBytes file = ReadFileBytes(path);
  const auto base = hive::ParseBaseBlock(file.bytes);
  const bool needsRecovery = base && (base->Dirty() || !base->checksumValid);
  try {
    if (recovery == Recovery::Apply && needsRecovery) {
      loaded.logs = logs.empty() ? LogsBeside(path) : logs;
      if (loaded.logs.empty()) {
        // Nothing to apply: recovery reads no more than the base block, and the hive is read
        // from the file as it is, without a copy.
        std::vector<uint8_t> head(
            file.bytes.begin(), file.bytes.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(
                                                         file.bytes.size(), hive::kBaseBlockSize)));
        loaded.report = hive::Recover(head, {});
        loaded.hive = std::make_unique<hive::Hive>(file.bytes, std::move(file.keeper));
        return loaded;
      }
      // Recovery works on a copy in memory; the file stays as it is.
      std::vector<uint8_t> image(file.bytes.begin(), file.bytes.end());
      std::vector<hive::LogFile> files;
      for (const std::string& log : loaded.logs) {
        const FileBytes bytes = ReadFileBytes(log);
        files.push_back(hive::LogFile{log, {bytes.bytes.begin(), bytes.bytes.end()}});
      }
      loaded.report = hive::Recover(image, files);
      loaded.hive = std::make_unique<hive::Hive>(std::move(image));
      return loaded;
    }
    if (base && base->Dirty()) {
      loaded.report.state = hive::RecoveryState::DirtyNoLogs;
      loaded.report.fromSequence = base->secondarySequence;
    }
    loaded.hive = std::make_unique<hive::Hive>(file.bytes, std::move(file.keeper));
  } catch (const hive::HiveError& e) {
    throw SourceError(path + ": " + e.what());
  }
  return loaded;
}

std::string_view RecoveryState(const LoadedHive& hive) {
  switch (hive.report.state) {
  case hive::RecoveryState::Clean:
    return "clean";
  case hive::RecoveryState::Recovered:
    return "recovered";
  case hive::RecoveryState::DirtyNoLogs:
  case hive::RecoveryState::DirtyUnusable:
    return "dirty";
  }
  return "";
}

std::string RecoveryLine(const LoadedHive& hive) {
  const hive::RecoveryReport& r = hive.report;
  constexpr std::string_view kMissing = "; the newest changes may be missing";
  switch (r.state) {
  case hive::RecoveryState::Clean:
    return "clean";
  case hive::RecoveryState::Recovered: {
    std::string line = "recovered (" + std::to_string(r.entriesApplied) + " log " +
                       (r.entriesApplied == 1 ? "entry" : "entries") + " from " +
                       JoinNames(r.logsUsed) + ", sequence " + std::to_string(r.fromSequence) +
                       " \u2192 " + std::to_string(r.toSequence);
    if (r.baseBlockFromLog)
      line += "; its damaged header taken from a log";
    if (!r.note.empty())
      line += "; " + r.note;
    return line + ")";
  }
  case hive::RecoveryState::DirtyNoLogs:
    if (hive.recovery == Recovery::Skip)
      return "dirty: not recovered (--no-recover)" + std::string(kMissing);
    return "dirty: no transaction logs found beside it" + std::string(kMissing);
  case hive::RecoveryState::DirtyUnusable:
    return "dirty: its transaction logs (" + JoinNames(hive.logs) + ") hold nothing to apply" +
           (r.note.empty() ? "" : " (" + r.note + ")") + std::string(kMissing);
  }
  return "";
}

SourceSet::SourceSet(RegistryApi* live, const CodePage& codePage,
                     const std::vector<SourceSpec>& sources, Recovery recovery) {
  const auto has = [&](SourceType type) {
    return std::any_of(sources.begin(), sources.end(),
                       [&](const SourceSpec& s) { return s.type == type; });
  };
  RegistryApi* fallback = &memory_;
  if (has(SourceType::Live)) {
    fallback = live;
    if (fallback == nullptr)
      throw SourceConflict("--live: this system has no registry of its own");
    // Importing would write into the running system's registry.
    if (has(SourceType::Reg))
      throw SourceConflict("--reg cannot be combined with --live");
    live_ = LiveSystem::Present;
  }
  mounted_ = std::make_unique<MountedRegistry>(*fallback);
  // Hives are loaded first, so that their pointers stay put while the list is read.
  hives_.reserve(sources.size());

  std::vector<HiveKind> mounted;
  for (const SourceSpec& source : sources) {
    switch (source.type) {
    case SourceType::Live:
      sources_.push_back({"live registry", nullptr, SourceType::Live, {}});
      break;
    case SourceType::Reg:
      try {
        ImportRegFile(memory_, ReadRegExport(source.path, codePage));
      } catch (const SourceError&) {
        throw;
      } catch (const std::exception& e) {
        throw SourceError(source.path + ": not a regedit export (" + e.what() + ")");
      }
      sources_.push_back({"regedit file " + source.path, nullptr, SourceType::Reg, source.path});
      break;
    case SourceType::Hive: {
      LoadedHive loaded = LoadHive(source.path, source.logs, recovery);
      auto store = std::make_unique<HiveStore>(*loaded.hive, codePage);
      const std::vector<std::string_view> looks = HiveLooks(*store, store->Root());
      std::optional<HiveKind> kind = source.kind;
      const auto looksAs = [&] {
        std::string text;
        for (const std::string_view look : looks)
          text += (text.empty() ? "" : " or ") + std::string(look);
        return text;
      };
      if (kind && !looks.empty() &&
          std::find(looks.begin(), looks.end(), HiveKindName(*kind)) == looks.end())
        throw SourceError(source.path + ": given as " + std::string(HiveKindName(*kind)) +
                          ", but it looks like " + Article(looks.front()) + " " + looksAs() +
                          " hive");
      if (!kind)
        kind = looks.empty() ? std::nullopt : HiveKindFromName(looks.front());
      if (!kind)
        throw SourceError(source.path +
                          (looks.empty()
                               ? ": cannot tell which hive this is (name it: --hive KIND=FILE)"
                               : ": " + Article(looks.front()) + " " + looksAs() +
                                     " hive, which this command does not read"));
      if (std::find(mounted.begin(), mounted.end(), *kind) != mounted.end())
        throw SourceConflict("two " + std::string(HiveKindName(*kind)) + " hives");
      mounted.push_back(*kind);
      mounted_->Mount(*kind, *store, store->Root());
      hives_.push_back(HiveSource{*kind, std::move(loaded), std::move(store)});
      sources_.push_back({std::string(HiveKindName(*kind)) + " hive " + source.path, &hives_.back(),
                          SourceType::Hive, source.path});
      break;
    }
    }
  }
}

const HiveSource* SourceSet::HiveOf(RegKey root, std::string_view path) const {
  const RegistryApi* store = mounted_->StoreOf(root, path);
  for (const HiveSource& h : hives_)
    if (h.store.get() == store)
      return &h;
  return nullptr;
}

std::string SourceFileNames(const SourceSet& set) {
  std::vector<std::string> paths;
  for (const SourceSet::Source& source : set.Sources())
    if (source.type != SourceType::Live)
      paths.push_back(source.path);
  return JoinNames(paths);
}

std::string SourceNaming(const SourceSet& set) {
  const std::string names = SourceFileNames(set);
  if (names.empty())
    return {};
  return set.Live() == LiveSystem::Present ? "live registry with " + names : "offline: " + names;
}

} // namespace tw
