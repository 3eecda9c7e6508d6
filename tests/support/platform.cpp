#include "support/platform.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>

namespace tw::test {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const std::string name =
      "trailwick-test-" + std::to_string(random()) + "-" + std::to_string(counter++);
  host_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(host_);
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(host_, error);
}

std::string TempFolder::Path() const {
  return FromHostPath(host_.string()) + "\\";
}

std::string PortablePlatformTest::ReportFolderPath() const {
  char name[16];
  std::snprintf(name, sizeof name, "%02d-%02d-%04d", system.now.day, system.now.month,
                system.now.year);
  return ExeFolder() + name;
}

void PortablePlatformTest::WriteDatabase(const std::string& text) const {
  std::ofstream out(folder.Host() / "WKS.db", std::ios::binary | std::ios::trunc);
  out << text;
}

std::vector<std::string> PortablePlatformTest::ReportFiles() const {
  std::vector<std::string> names;
  const std::filesystem::path dir(HostPath(ReportFolderPath()));
  if (!std::filesystem::exists(dir))
    return names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string PortablePlatformTest::ReadReport(const std::string& fileName) const {
  return ReadFileBytes(HostPath(ReportFolderPath() + "\\" + fileName));
}

} // namespace tw::test
