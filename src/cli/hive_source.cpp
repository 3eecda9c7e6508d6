#include "cli/hive_source.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "runtime/reg_file.h"

namespace tw {
namespace {

std::string ReadRegExport(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw SourceError(path + ": missing or cannot be read");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

SourceSet::SourceSet(CliPlatform& platform, const AnsiCodePage& codePage,
                     const std::vector<SourceSpec>& sources) {
  const auto has = [&](SourceType type) {
    return std::any_of(sources.begin(), sources.end(),
                       [&](const SourceSpec& s) { return s.type == type; });
  };
  RegistryApi* fallback = &memory_;
  if (has(SourceType::Live)) {
    fallback = platform.LiveRegistry();
    if (fallback == nullptr)
      throw UsageError("--live: this system has no registry of its own");
    // Importing would write into the running system's registry.
    if (has(SourceType::Reg))
      throw UsageError("--reg cannot be combined with --live");
    live_ = LiveSystem::Present;
  }
  mounted_ = std::make_unique<MountedRegistry>(*fallback);

  std::vector<HiveKind> mounted;
  for (const SourceSpec& source : sources) {
    switch (source.type) {
    case SourceType::Live:
      descriptions_.push_back("live registry");
      break;
    case SourceType::Reg:
      try {
        ImportRegFile(memory_, ReadRegExport(source.path));
      } catch (const SourceError&) {
        throw;
      } catch (const std::exception& e) {
        throw SourceError(source.path + ": not a regedit export (" + e.what() + ")");
      }
      descriptions_.push_back("regedit file " + source.path);
      break;
    case SourceType::Hive: {
      std::unique_ptr<OpenedHive> hive = platform.OpenHive(source.path, codePage);
      const std::optional<HiveKind> kind =
          source.kind ? source.kind : DetectHiveKind(hive->Store(), hive->Root());
      if (!kind)
        throw SourceError(source.path +
                          ": cannot tell which hive this is (name it: --hive KIND=FILE)");
      if (std::find(mounted.begin(), mounted.end(), *kind) != mounted.end())
        throw UsageError("two " + std::string(HiveKindName(*kind)) + " hives");
      mounted.push_back(*kind);
      mounted_->Mount(*kind, hive->Store(), hive->Root());
      descriptions_.push_back(std::string(HiveKindName(*kind)) + " hive " + source.path);
      hives_.push_back(std::move(hive));
      break;
    }
    }
  }
}

} // namespace tw
