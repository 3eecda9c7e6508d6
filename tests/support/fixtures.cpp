#include "support/fixtures.h"

#include <fstream>
#include <iterator>

#include "registry/reg_file.h"

namespace tw::test {

std::string FixturePath(const std::string& name) {
  return std::string(TW_FIXTURE_DIR) + "/" + name;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> ReadFileData(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  return {bytes.begin(), bytes.end()};
}

void PortableRegistryTest::LoadReg(const std::string& regText) {
  ImportRegFile(registry, regText);
}

void PortableRegistryTest::LoadFixture(const std::string& name) {
  ImportRegFile(registry, ReadFileBytes(FixturePath(name)));
}

} // namespace tw::test
