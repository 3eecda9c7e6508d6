#pragma once
// The sources of one command: hive files mounted where Windows mounts them, regedit exports
// imported into an in-memory store, or the running system's registry; and what differs between
// the platforms (how a hive file is opened, whether there is a live registry).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/code_page_text.h"
#include "cli/errors.h"
#include "cli/mounted_registry.h"
#include "runtime/collation.h"
#include "runtime/memory_registry.h"

namespace tw {

// An opened hive file: a store and the hive's top key in it; closes the hive when released.
class OpenedHive {
public:
  virtual ~OpenedHive() = default;
  virtual RegistryApi& Store() = 0;
  virtual RegKey Root() const = 0;
};

class CliPlatform {
public:
  virtual ~CliPlatform() = default;
  // Raises SourceError naming the file and the reason.
  virtual std::unique_ptr<OpenedHive> OpenHive(const std::string& path,
                                               const AnsiCodePage& codePage) = 0;
  // The running system's registry; nullptr where there is none.
  virtual RegistryApi* LiveRegistry() = 0;
  virtual Collation& RowCollation() = 0;
  // The code page when none is asked for, and whether another one can be.
  virtual unsigned DefaultCodePage() const = 0;
  virtual bool AcceptsCodePage(unsigned /*number*/) const { return true; }
};

enum class SourceType { Hive, Reg, Live };
enum class LiveSystem { Absent, Present };

struct SourceSpec {
  SourceType type;
  std::optional<HiveKind> kind; // hives only; detected when not given
  std::string path;
};

class SourceSet {
public:
  // Opens every source or raises: SourceError for a file that cannot be read, UsageError for
  // sources that cannot go together.
  SourceSet(CliPlatform& platform, const AnsiCodePage& codePage,
            const std::vector<SourceSpec>& sources);
  SourceSet(const SourceSet&) = delete;
  SourceSet& operator=(const SourceSet&) = delete;

  RegistryApi& Registry() { return *mounted_; }
  LiveSystem Live() const { return live_; }
  // One line per source, for the reports that name them.
  const std::vector<std::string>& Descriptions() const { return descriptions_; }

private:
  MemoryRegistry memory_;
  std::vector<std::unique_ptr<OpenedHive>> hives_;
  std::unique_ptr<MountedRegistry> mounted_;
  LiveSystem live_ = LiveSystem::Absent;
  std::vector<std::string> descriptions_;
};

} // namespace tw
