#pragma once
// Both sides of a comparison with RegRipper, as lines: our command line's `show` over a hive
// and a RegRipper plugin's output.

#include <string>
#include <vector>

namespace tw::test {

using Rows = std::vector<std::string>;

// The lines of a text, without their line ends (LF or CR LF).
Rows Lines(const std::string& text);
std::string TrimRight(std::string text);
Rows Sorted(Rows rows);

// `trailwick-cli show --hive HIVE ITEM`; a failing run fails the test.
Rows ShowOnHive(const std::string& hive, const std::string& item);

// `regripper -r HIVE -p PLUGIN`; a failing run fails the test.
std::string RegRipperOutput(const std::string& hive, const std::string& plugin);

} // namespace tw::test
