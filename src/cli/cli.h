#pragma once
// trailwick-cli: the catalog's readers and the report writer without the window, over the live
// registry, offline hive files or regedit exports.
//   list
//   show   [SOURCE...] ITEM...
//   export [SOURCE...] (--guest | --admin | ITEM...) --format txt|html|csv|json --out DIR
// SOURCE: --hive [KIND=]FILE, --reg FILE, --live; --codepage N for the text of hive files.
// Exit status: 0 done, 1 a source or an item could not be read or a report not written,
// 2 a usage error.

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/hive_source.h"

namespace tw {

enum class ExitCode { Done = 0, Failed = 1, Usage = 2 };

// Runs one command line (without the program name); output goes to `out`, messages to `err`.
ExitCode RunCli(const std::vector<std::string>& args, CliPlatform& platform, std::ostream& out,
                std::ostream& err);

} // namespace tw
