#include "runtime/system_info.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace tw {
namespace {

// "Name:  value kB" lines, values in bytes.
std::map<std::string, uint64_t> ParseMeminfo(const std::string& text) {
  std::map<std::string, uint64_t> figures;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos)
      continue;
    std::istringstream fields(line.substr(colon + 1));
    uint64_t value = 0;
    std::string unit;
    if (!(fields >> value))
      continue;
    fields >> unit;
    figures[line.substr(0, colon)] = unit == "kB" ? value * 1024 : value;
  }
  return figures;
}

} // namespace

MemoryFigures MemoryFromMeminfo(const std::string& meminfo) {
  const std::map<std::string, uint64_t> f = ParseMeminfo(meminfo);
  const auto get = [&f](const char* name) {
    const auto it = f.find(name);
    return it == f.end() ? uint64_t{0} : it->second;
  };
  MemoryFigures m;
  m.totalPhys = get("MemTotal");
  // Kernels before 3.14 do not report an estimate of available memory.
  m.availPhys = f.count("MemAvailable") ? get("MemAvailable")
                                        : get("MemFree") + get("Buffers") + get("Cached");
  m.availPhys = std::min(m.availPhys, m.totalPhys);
  m.totalPageFile = m.totalPhys + get("SwapTotal");
  m.availPageFile = std::min(m.availPhys + get("SwapFree"), m.totalPageFile);
  if (m.totalPhys > 0)
    m.load = static_cast<uint32_t>((m.totalPhys - m.availPhys) * 100 / m.totalPhys);
  return m;
}

MemoryFigures PortableSystemInfo::Memory() const {
  std::ifstream in("/proc/meminfo");
  if (!in)
    return MemoryFigures{};
  return MemoryFromMeminfo(
      std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

LocalDateTime PortableSystemInfo::Now() const {
  const std::time_t now = std::time(nullptr);
  // The program has one thread, so the C library's shared result is safe to copy.
  const std::tm* local = std::localtime(&now);
  if (local == nullptr)
    return LocalDateTime{};
  return LocalDateTime{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_wday,
                       local->tm_hour,        local->tm_min,     local->tm_sec};
}

LocaleSettings PortableSystemInfo::Locale() const {
  return LocaleSettings{
      ",",
      ":",
      {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
      {"January", "February", "March", "April", "May", "June", "July", "August", "September",
       "October", "November", "December"}};
}

} // namespace tw
