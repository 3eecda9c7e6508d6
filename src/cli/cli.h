#pragma once
// trailwick-cli: the catalog's readers and the report writer without the window, over the live
// registry, offline hive files (brought up to date from their transaction logs) or regedit
// exports; and what only hive files give: a whole hive's keys and values, and the entries
// deleted from it. See kUsage (options.cpp) for the command line.
// Exit status: 0 done, 1 a source or an item could not be read or a report not written,
// 2 a usage error.

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_platform.h"

namespace tw {

enum class ExitCode { Done = 0, Failed = 1, Usage = 2 };

struct Options;

// Runs one command line (without the program name); output goes to `out`, messages to `err`.
ExitCode RunCli(const std::vector<std::string>& args, CliPlatform& platform, std::ostream& out,
                std::ostream& err);

// The code page of a run: the one asked for, else the platform's; raises UsageError for one
// the platform cannot give.
std::unique_ptr<CodePage> ChooseCodePage(const Options& o, CliPlatform& platform, LiveSystem live);
// The sources named, or the live registry where none is named and the platform has one;
// raises UsageError where it has none.
std::vector<SourceSpec> SourcesOf(const Options& o, CliPlatform& platform);
LiveSystem LiveOf(const Options& o, CliPlatform& platform);
// Opens every source (raising as SourceSet does) and says what recovery did.
std::unique_ptr<SourceSet> OpenSources(const Options& o, CliPlatform& platform,
                                       const CodePage& page, std::ostream& err);
// One line per hive on what recovery did; one per damaged hive on what could not be read.
void SayRecovery(const SourceSet& set, std::ostream& err);
void SayDamage(const SourceSet& set, std::ostream& err);

} // namespace tw
