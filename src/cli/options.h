#pragma once
// The command line, parsed: the command, its sources and what they ask for. Parse raises
// UsageError for a line that makes no sense.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/errors.h"
#include "registry/evidence_sources.h"

namespace tw {

enum class Command { List, Show, Export, Dump, Deleted, Timeline, Help };
enum class OutputFormat { Txt, Html, Csv, Json, Jsonl, Reg, Tln, Bodyfile };
enum class Overwrite { Refuse, Replace };

struct Options {
  Command command = Command::List;
  std::vector<SourceSpec> sources;
  std::vector<std::string> items;
  bool guest = false;
  bool admin = false;
  bool modern = false;
  std::optional<OutputFormat> format;
  std::string out; // export: a folder; dump and deleted: a file (standard output when empty)
  std::optional<unsigned> codePage;
  Recovery recovery = Recovery::Apply;
  Overwrite overwrite = Overwrite::Refuse;
  std::string key;              // dump: the subtree's path from the hive's root
  std::string regRoot;          // dump --format reg: the key the hive's root becomes
  std::optional<uint64_t> from; // timeline: FILETIMEs of the range's ends, both included
  std::optional<uint64_t> to;
};

extern const std::string_view kUsage;

Options ParseCommandLine(const std::vector<std::string>& args);

std::string_view Extension(OutputFormat format);

} // namespace tw
