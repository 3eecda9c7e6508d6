#pragma once
// The sources of registry data for the command line and the window: hive files (read into
// memory, brought up to date from their transaction logs, mounted where Windows mounts them),
// regedit exports imported into an in-memory store, or the running system's registry. Evidence
// files are only ever opened for reading.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hive/hive.h"
#include "hive/recovery.h"
#include "registry/hive_store.h"
#include "registry/memory_registry.h"
#include "registry/mounted_registry.h"
#include "registry/source_errors.h"
#include "runtime/code_page.h"

namespace tw {

enum class LiveSystem { Absent, Present };

enum class SourceType { Hive, Reg, Live };
enum class Recovery { Apply, Skip };

struct SourceSpec {
  SourceType type;
  std::optional<HiveKind> kind; // hives only; detected when not given
  std::string path;
  std::vector<std::string> logs; // hives only: named with --log; else those found beside it
};

// A hive file read into memory and brought up to date from its transaction logs.
struct LoadedHive {
  std::string path;
  std::vector<std::string> logs; // the logs that were looked at
  Recovery recovery = Recovery::Apply;
  hive::RecoveryReport report;
  std::unique_ptr<hive::Hive> hive;
};

// "[KIND=]FILE" as a command line gives a hive: KIND names a kind when the part before "="
// reads like one (a plain word) and the whole text is no file. An unknown word is a mistake,
// not a file name: raises SourceConflict naming it and the kinds there are.
SourceSpec HiveSourceSpec(const std::string& text);

// The place of `file` among a hive's transaction logs, NAME.LOG, NAME.LOG1 and NAME.LOG2 in
// any letter case (0, 1, 2), when `hive` is the NAME it starts with; -1 when it is no log of it.
int LogOrder(std::string_view file, std::string_view hive);
// The transaction logs beside a hive: NAME.LOG, NAME.LOG1, NAME.LOG2 in any letter case.
std::vector<std::string> LogsBeside(const std::string& hivePath);
// Raises SourceError naming the file and the reason. With no logs named, those beside it.
LoadedHive LoadHive(const std::string& path, const std::vector<std::string>& logs,
                    Recovery recovery);
// The hive's state in one line: "clean", "recovered (...)", or "dirty: ...".
std::string RecoveryLine(const LoadedHive& hive);
// "clean", "recovered" or "dirty".
std::string_view RecoveryState(const LoadedHive& hive);

struct HiveSource {
  HiveKind kind;
  LoadedHive loaded;
  std::unique_ptr<HiveStore> store;
};

class SourceSet {
public:
  // Opens every source or raises: SourceError for a file that cannot be read, or a hive whose
  // contents contradict the kind it was given as; SourceConflict for sources that cannot go
  // together. `live` is the running system's registry, nullptr where there is none.
  SourceSet(RegistryApi* live, const CodePage& codePage, const std::vector<SourceSpec>& sources,
            Recovery recovery);
  SourceSet(const SourceSet&) = delete;
  SourceSet& operator=(const SourceSet&) = delete;

  RegistryApi& Registry() { return *mounted_; }
  const MountedRegistry& Mounted() const { return *mounted_; }
  LiveSystem Live() const { return live_; }
  const std::vector<HiveSource>& Hives() const { return hives_; }
  // The hive file a key lies in; nullptr for a key of a regedit file or the live registry.
  const HiveSource* HiveOf(RegKey root, std::string_view path) const;
  // Every source in the order given: a line naming it, and its hive for a hive file.
  struct Source {
    std::string description;
    const HiveSource* hive = nullptr;
    SourceType type = SourceType::Live;
    std::string path; // files only
  };
  const std::vector<Source>& Sources() const { return sources_; }

private:
  MemoryRegistry memory_;
  std::vector<HiveSource> hives_;
  std::unique_ptr<MountedRegistry> mounted_;
  LiveSystem live_ = LiveSystem::Absent;
  std::vector<Source> sources_;
};

// The files of a set by name, in the order given: "NTUSER.DAT, SYSTEM".
std::string SourceFileNames(const SourceSet& set);
// What a report or a window read its rows from, in one line: nothing for the running system's
// registry alone (its reports stay as they always were), "offline: NTUSER.DAT, SYSTEM" for
// files alone, "live registry with NTUSER.DAT" for files over the running system's registry.
std::string SourceNaming(const SourceSet& set);

} // namespace tw
