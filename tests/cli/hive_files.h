#pragma once
// Hive files for the tests: the shipped real hives unpacked, empty hives built from nothing,
// and hives filled from an in-memory registry with hivexregedit.

#include <filesystem>
#include <string>

#include "empty_hive.h"
#include "registry/registry_api.h"

namespace tw::test {

// Unpacks tests/fixtures/hives/NAME.xz into the folder; returns the path.
std::filesystem::path UnpackHive(const std::string& name, const std::filesystem::path& folder);

// A regedit file of everything under root\path in the store, as hivexregedit merges it: keys
// named below the hive's top (with `rename` applied to the first component when given), every
// ancestor listed before its keys, strings as UTF-16 hex data.
struct KeyRename {
  std::string from;
  std::string to;
};
std::string HivexRegText(RegistryApi& store, RegKey root, const std::string& path,
                         const KeyRename& rename = {});

// Merges a regedit text into a hive with hivexregedit; raises when the tool fails.
void MergeIntoHive(const std::filesystem::path& hive, const std::string& regText);

// Runs a shell command; its standard output, and its exit status through `status`.
std::string RunCommand(const std::string& command, int* status = nullptr);

} // namespace tw::test
