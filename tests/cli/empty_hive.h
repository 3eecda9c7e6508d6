#pragma once
// A valid registry hive file with an empty top key and nothing else, built from nothing.

#include <filesystem>

namespace tw::test {

void WriteEmptyHive(const std::filesystem::path& path);

} // namespace tw::test
