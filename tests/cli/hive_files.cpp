#include "hive_files.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "runtime/code_page.h"

namespace tw::test {
namespace {

bool IsString(uint32_t type) {
  return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz;
}

// Names go to hivex as UTF-8; our store holds them in code page 1252.
std::string Utf8Name(const std::string& ansi) {
  return Utf16ToUtf8(Cp1252CodePage().ToUtf16(ansi));
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : Utf8Name(text)) {
    if (c == '\\' || c == '"')
      out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string HexData(uint32_t type, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes = data;
  if (IsString(type)) {
    // Our store holds code page 1252 text; a hive holds UTF-16.
    const std::u16string wide = Cp1252CodePage().ToUtf16(
        std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    bytes.clear();
    for (const char16_t c : wide) {
      bytes.push_back(static_cast<uint8_t>(c & 0xff));
      bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
  }
  char head[16];
  std::snprintf(head, sizeof head, "hex(%x):", type);
  std::string out = head;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char b[4];
    std::snprintf(b, sizeof b, i == 0 ? "%02x" : ",%02x", bytes[i]);
    out += b;
  }
  return out;
}

// The key and everything below it; the top key of the hive has the empty name.
void WriteKey(RegistryApi& store, RegKey key, const std::string& name, const KeyRename& rename,
              std::string& out) {
  out += "[" + (name.empty() ? std::string("\\") : Utf8Name(name)) + "]\n";
  uint32_t subKeys = 0, longestKey = 0, values = 0, longestName = 0, longestData = 0;
  store.QueryInfoKey(key, &subKeys, &longestKey, &values, &longestName, &longestData);
  for (uint32_t i = 0; i < values; ++i) {
    std::string valueName(longestName + 1, '\0');
    uint32_t nameLength = longestName + 1;
    uint32_t type = 0;
    std::vector<uint8_t> data(longestData + 1);
    uint32_t dataLength = longestData + 1;
    if (store.EnumValue(key, i, valueName.data(), &nameLength, &type, data.data(), &dataLength) !=
        reg::kSuccess)
      throw std::runtime_error("cannot enumerate " + name);
    valueName.resize(nameLength);
    data.resize(dataLength);
    out += (valueName.empty() ? std::string("@") : Quoted(valueName)) + "=" + HexData(type, data) +
           "\n";
  }
  out += "\n";
  for (uint32_t i = 0; i < subKeys; ++i) {
    std::string child(longestKey + 1, '\0');
    uint32_t length = longestKey + 1;
    store.EnumKeyEx(key, i, child.data(), &length);
    child.resize(length);
    RegKey sub = 0;
    if (store.OpenKeyEx(key, child.c_str(), reg::kRead, &sub) != reg::kSuccess)
      throw std::runtime_error("cannot open " + name + "\\" + child);
    const bool renamed = name.empty() && !rename.from.empty() && child == rename.from;
    WriteKey(store, sub, name + "\\" + (renamed ? rename.to : child), {}, out);
    store.CloseKey(sub);
  }
}

} // namespace

std::string RunCommand(const std::string& command, int* status) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    throw std::runtime_error("cannot run " + command);
  std::string out;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    out.append(buffer.data(), n);
  const int result = pclose(pipe);
  if (status != nullptr)
    *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  return out;
}

std::filesystem::path UnpackHive(const std::string& name, const std::filesystem::path& folder) {
  const std::filesystem::path target = folder / name;
  const std::string source = std::string(TW_FIXTURE_DIR) + "/hives/" + name + ".xz";
  int status = 0;
  RunCommand("xz -dc '" + source + "' > '" + target.string() + "'", &status);
  if (status != 0)
    throw std::runtime_error("cannot unpack " + source);
  return target;
}

std::string HivexRegText(RegistryApi& store, RegKey root, const std::string& path,
                         const KeyRename& rename) {
  RegKey key = 0;
  if (store.OpenKeyEx(root, path.c_str(), reg::kRead, &key) != reg::kSuccess)
    return "Windows Registry Editor Version 5.00\n\n";
  std::string body;
  WriteKey(store, key, "", rename, body);
  store.CloseKey(key);
  return "Windows Registry Editor Version 5.00\n\n" + body;
}

void MergeIntoHive(const std::filesystem::path& hive, const std::string& regText) {
  const std::filesystem::path reg = hive.string() + ".reg";
  std::ofstream(reg, std::ios::binary) << regText;
  int status = 0;
  const std::string output = RunCommand(
      "hivexregedit --merge '" + hive.string() + "' '" + reg.string() + "' 2>&1", &status);
  if (status != 0)
    throw std::runtime_error("hivexregedit failed on " + hive.string() + ": " + output);
}

} // namespace tw::test
