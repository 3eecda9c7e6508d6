#pragma once
// For the comparisons with RegRipper over the real hives of the fixtures: a hive unpacked into
// a temporary folder and read with hivex (raw value bytes, as the decoders take them), and a
// RegRipper plugin's output as lines. Linux only.

#include <hivex.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tw::test {

// A fixture hive (tests/fixtures/hives/NAME.xz) unpacked into a folder that lives as long as
// the object.
class UnpackedHive {
public:
  explicit UnpackedHive(const std::string& name);
  ~UnpackedHive();
  UnpackedHive(const UnpackedHive&) = delete;
  UnpackedHive& operator=(const UnpackedHive&) = delete;

  const std::filesystem::path& Path() const { return path_; }

private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

struct RawValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

// A hive opened read-only with hivex.
class RawHive {
public:
  explicit RawHive(const std::filesystem::path& path);
  ~RawHive();
  RawHive(const RawHive&) = delete;
  RawHive& operator=(const RawHive&) = delete;

  // The key at a backslash-separated path below the root; none when absent.
  std::optional<hive_node_h> Key(const std::string& path) const;
  std::vector<std::string> SubKeys(hive_node_h key) const;
  std::vector<std::string> ValueNames(hive_node_h key) const;
  // "" names the default value.
  std::optional<RawValue> Value(hive_node_h key, const std::string& name) const;

private:
  hive_h* hive_ = nullptr;
};

// The UTF-16LE text of a string value, up to its terminator.
std::u16string Utf16Value(const RawValue& value);

// `regripper -r HIVE -p PLUGIN` as lines (line ends dropped); a failing run fails the test.
std::vector<std::string> RegRipperLines(const std::filesystem::path& hive,
                                        const std::string& plugin);

// A FILETIME as RegRipper's two styles print it: "yyyy-mm-dd hh:nn:ss" and Perl's gmtime
// ("Sat Nov 20 21:48:12 2010").
std::string IsoTime(std::uint64_t fileTime);
std::string PerlTime(std::uint64_t fileTime);

std::string Trim(std::string text);

} // namespace tw::test
