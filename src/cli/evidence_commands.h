#pragma once
// The commands that read one hive file as evidence, after recovery from its logs:
//   dump    every key of the hive (or of a subtree) with its last-write time, class and
//           values, losslessly: JSON lines (one object a key) or a regedit 5 export
//   deleted key and value records left in the hive's free cells
// Both write to the file given with --out, or to standard output.

#include <iosfwd>

#include "cli/cli.h"

namespace tw {

ExitCode RunDump(const Options& o, std::ostream& out, std::ostream& err);
ExitCode RunDeleted(const Options& o, std::ostream& out, std::ostream& err);

} // namespace tw
