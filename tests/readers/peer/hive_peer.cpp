#include "readers/peer/hive_peer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "readers/binary_traces.h"
#include "support/hivex_value.h"

namespace tw::test {
namespace {

std::string Run(const std::string& command, int& status) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    throw std::runtime_error("cannot run " + command);
  std::string out;
  std::array<char, 4096> buffer;
  std::size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    out.append(buffer.data(), n);
  const int result = pclose(pipe);
  status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  return out;
}

} // namespace

UnpackedHive::UnpackedHive(const std::string& name) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tw-peer-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary folder");
  folder_ = pattern;
  path_ = folder_ / name;
  int status = 0;
  Run("xz -dc '" + std::string(TW_FIXTURE_DIR) + "/hives/" + name + ".xz' > '" + path_.string() +
          "'",
      status);
  if (status != 0)
    throw std::runtime_error("cannot unpack " + name);
}

UnpackedHive::~UnpackedHive() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

RawHive::RawHive(const std::filesystem::path& path) : hive_(hivex_open(path.c_str(), 0)) {
  if (hive_ == nullptr)
    throw std::runtime_error("hivex cannot open " + path.string());
}

RawHive::~RawHive() {
  hivex_close(hive_);
}

std::optional<hive_node_h> RawHive::Key(const std::string& path) const {
  hive_node_h node = hivex_root(hive_);
  std::size_t at = 0;
  while (node != 0 && at < path.size()) {
    const std::size_t end = std::min(path.find('\\', at), path.size());
    node = hivex_node_get_child(hive_, node, path.substr(at, end - at).c_str());
    at = end + 1;
  }
  if (node == 0)
    return std::nullopt;
  return node;
}

std::vector<std::string> RawHive::SubKeys(hive_node_h key) const {
  std::vector<std::string> names;
  hive_node_h* children = hivex_node_children(hive_, key);
  for (hive_node_h* c = children; c != nullptr && *c != 0; ++c) {
    char* name = hivex_node_name(hive_, *c);
    names.emplace_back(name);
    free(name);
  }
  free(children);
  return names;
}

std::vector<std::string> RawHive::ValueNames(hive_node_h key) const {
  std::vector<std::string> names;
  hive_value_h* values = hivex_node_values(hive_, key);
  for (hive_value_h* v = values; v != nullptr && *v != 0; ++v) {
    char* name = hivex_value_key(hive_, *v);
    names.emplace_back(name);
    free(name);
  }
  free(values);
  return names;
}

std::optional<RawValue> RawHive::Value(hive_node_h key, const std::string& name) const {
  const hive_value_h value = hivex_node_get_value(hive_, key, name.c_str());
  if (value == 0)
    return std::nullopt;
  std::uint32_t type = 0;
  std::size_t length = 0;
  char* data = HivexValueData(hive_, value, &type, &length);
  if (data == nullptr)
    return std::nullopt;
  RawValue raw{type, std::vector<std::uint8_t>(data, data + length)};
  free(data);
  return raw;
}

std::u16string Utf16Value(const RawValue& value) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(value.bytes[i] | value.bytes[i + 1] << 8);
    if (unit == 0)
      break;
    text += unit;
  }
  return text;
}

std::vector<std::string> RegRipperLines(const std::filesystem::path& hive,
                                        const std::string& plugin) {
  int status = 0;
  const std::string out =
      Run("regripper -r '" + hive.string() + "' -p " + plugin + " 2>/dev/null", status);
  EXPECT_EQ(status, 0) << plugin;
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < out.size()) {
    std::size_t end = out.find('\n', at);
    if (end == std::string::npos)
      end = out.size();
    std::string line = out.substr(at, end - at);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

std::string IsoTime(std::uint64_t fileTime) {
  return FormatFileTime(fileTime);
}

std::string PerlTime(std::uint64_t fileTime) {
  const auto seconds = static_cast<std::time_t>(fileTime / 10'000'000 - 11'644'473'600ull);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[64];
  std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y", &utc);
  return text;
}

std::string Trim(std::string text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return {};
  text.erase(0, first);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

} // namespace tw::test
