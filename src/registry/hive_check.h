#pragma once
// What a file's first bytes say before a hive reader takes it: missing, unreadable, not a
// hive, truncated. Empty when the file looks like a whole hive.

#include <string>

namespace tw {

std::string HiveFileProblem(const std::string& path);

} // namespace tw
