#pragma once
// The window over evidence: hive files (and regedit exports) taken from another machine, shown
// instead of the running system's registry. They are opened as the command line opens them
// (SourceSet: kinds detected, transaction logs applied in memory, files only read) with no
// live registry behind them, in the window's own code page. While a window reads, its set
// stands in the registry and code-page seams (EvidenceScope); the window's own start-up write
// never goes there.

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "readers/catalog.h"
#include "registry/evidence_sources.h"
#include "runtime/code_page.h"
#include "runtime/seam.h"

namespace tw {

// What to open: the sources in the order given, and whether logs bring dirty hives up to date.
struct EvidenceRequest {
  std::vector<SourceSpec> sources;
  Recovery recovery = Recovery::Apply;
};

// A program command line that makes no sense; the message says why.
class EvidenceUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The program's arguments: "--hive [KIND=]FILE" (each followed by its "--log FILE"s),
// "--reg FILE", "--no-recover", as trailwick-cli takes them. No sources for no arguments (the
// running system's registry). Raises EvidenceUsageError.
EvidenceRequest ParseProgramArguments(const std::vector<std::string>& args);

// Files dropped onto a window: each a hive of the kind it looks like. A dropped file named as
// a transaction log of another dropped file (NAME.LOG, NAME.LOG1, NAME.LOG2) is that hive's
// log; hives dropped without their logs take those beside them.
EvidenceRequest DroppedFilesRequest(const std::vector<std::string>& files);

// The code page of the window's text: the installed seam's, else code page 1252.
unsigned WindowCodePage();

class OfflineSet {
public:
  // Opens every source, the text converted to the code page `codePage` (characters it lacks
  // become "?"). Raises SourceError naming the file and the reason, or SourceConflict.
  OfflineSet(const EvidenceRequest& request, unsigned codePage);
  OfflineSet(const OfflineSet&) = delete;
  OfflineSet& operator=(const OfflineSet&) = delete;

  RegistryApi& Registry() { return set_.Registry(); }
  CodePage& Page() { return *page_; }
  const SourceSet& Sources() const { return set_; }
  // "offline: NTUSER.DAT, SYSTEM".
  std::string Naming() const { return SourceNaming(set_); }
  // Every file's full path, one a line.
  std::string Paths() const;
  // One line per hive, "NAME: state", when a hive of the set is not clean (recovered from its
  // logs, or dirty); nothing when every hive is clean.
  std::vector<std::string> RecoveryNotes() const;

private:
  std::unique_ptr<CodePage> page_;
  SourceSet set_;
};

// The set in the registry and code-page seams for the lifetime of the scope; nothing for none.
class EvidenceScope {
public:
  explicit EvidenceScope(OfflineSet* set);
  EvidenceScope(const EvidenceScope&) = delete;
  EvidenceScope& operator=(const EvidenceScope&) = delete;

private:
  std::optional<ScopedSeam<RegistryApi>> registry_;
  std::optional<ScopedSeam<CodePage>> page_;
};

// Items whose rows come from the running machine itself (its memory figures), which no hive
// holds.
bool ReadsLiveSystem(const CatalogItem& item);

// Whether the hives' recovery notice is shown when a set opens; the user may turn it off for
// the rest of the program's run. The windows of one run share it.
enum class RecoveryNotice { Show, Off };

} // namespace tw
