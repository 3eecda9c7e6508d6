#include "app/evidence.h"

#include <algorithm>
#include <filesystem>

#include "readers/sysinfo.h"

namespace tw {
namespace {

constexpr std::string_view kUsage =
    "usage: trailwick.exe [--hive [ntuser|usrclass|software|system=]FILE [--log LOGFILE]...]"
    "... [--reg FILE]... [--no-recover]";

[[noreturn]] void Usage(const std::string& problem) {
  throw EvidenceUsageError(problem + "\r\n\r\n" + std::string(kUsage));
}

std::unique_ptr<CodePage> MakePage(unsigned number) {
  std::unique_ptr<CodePage> page = MakeCodePage(number);
  if (!page)
    throw SourceError("code page " + std::to_string(number) + " is not known here");
  return page;
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

} // namespace

EvidenceRequest ParseProgramArguments(const std::vector<std::string>& args) {
  EvidenceRequest request;
  for (size_t i = 0; i < args.size(); ++i) {
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
        Usage(arg + " needs a file");
      return args[++i];
    };
    if (arg == "--hive") {
      try {
        request.sources.push_back(HiveSourceSpec(value()));
      } catch (const SourceConflict& e) {
        Usage(e.what());
      }
    } else if (arg == "--log") {
      const std::string log = value();
      if (request.sources.empty() || request.sources.back().type != SourceType::Hive)
        Usage("--log names a log of the --hive before it");
      request.sources.back().logs.push_back(log);
    } else if (arg == "--reg") {
      request.sources.push_back(SourceSpec{SourceType::Reg, std::nullopt, value(), {}});
    } else if (arg == "--no-recover" && !attached) {
      request.recovery = Recovery::Skip;
    } else {
      Usage("unknown argument '" + args[i] + "'");
    }
  }
  if (request.sources.empty() && !args.empty())
    Usage("no hive file given");
  return request;
}

EvidenceRequest DroppedFilesRequest(const std::vector<std::string>& files) {
  EvidenceRequest request;
  std::vector<bool> isLog(files.size(), false);
  for (size_t i = 0; i < files.size(); ++i)
    for (size_t j = 0; j < files.size(); ++j)
      if (i != j && LogOrder(files[i], files[j]) >= 0)
        isLog[i] = true;
  for (size_t j = 0; j < files.size(); ++j) {
    if (isLog[j])
      continue;
    SourceSpec hive{SourceType::Hive, std::nullopt, files[j], {}};
    std::vector<std::pair<int, std::string>> logs;
    for (size_t i = 0; i < files.size(); ++i)
      if (const int order = LogOrder(files[i], files[j]); i != j && order >= 0)
        logs.emplace_back(order, files[i]);
    std::sort(logs.begin(), logs.end());
    for (auto& [order, log] : logs)
      hive.logs.push_back(std::move(log));
    request.sources.push_back(std::move(hive));
  }
  return request;
}

unsigned WindowCodePage() {
  return Seam<CodePage>::Installed() ? Seam<CodePage>::Get().Number() : 1252;
}

OfflineSet::OfflineSet(const EvidenceRequest& request, unsigned codePage)
    : page_(MakePage(codePage)), set_(nullptr, *page_, request.sources, request.recovery) {
  // The window's tabs hold no item of these kinds: an empty window would say nothing of why.
  for (const HiveSource& h : set_.Hives())
    if (h.kind == HiveKind::Sam || h.kind == HiveKind::Amcache)
      throw SourceError(h.loaded.path + ": " + (h.kind == HiveKind::Sam ? "a sam" : "an amcache") +
                        " hive, which the window shows no item of (trailwick-cli reads it)");
}

std::string OfflineSet::Paths() const {
  std::string paths;
  for (const SourceSet::Source& source : set_.Sources())
    if (!source.path.empty())
      paths += (paths.empty() ? "" : "\r\n") + source.path;
  return paths;
}

std::vector<std::string> OfflineSet::RecoveryNotes() const {
  const std::vector<HiveSource>& hives = set_.Hives();
  const bool allClean = std::all_of(hives.begin(), hives.end(), [](const HiveSource& h) {
    return h.loaded.report.state == hive::RecoveryState::Clean;
  });
  std::vector<std::string> notes;
  if (allClean)
    return notes;
  for (const HiveSource& h : hives) {
    std::string line = FileName(h.loaded.path) + ": " + RecoveryLine(h.loaded);
    // The line's one character beyond ASCII, the arrow between sequence numbers, has no place
    // in most ANSI code pages.
    for (size_t at; (at = line.find("\u2192")) != std::string::npos;)
      line.replace(at, std::string_view("\u2192").size(), "->");
    notes.push_back(std::move(line));
  }
  return notes;
}

EvidenceScope::EvidenceScope(OfflineSet* set) {
  if (set == nullptr)
    return;
  registry_.emplace(set->Registry());
  page_.emplace(set->Page());
}

bool ReadsLiveSystem(const CatalogItem& item) {
  return item.reader == &ReadMemoryInformation;
}

} // namespace tw
