#pragma once
// The live system figures: the memory status, the local clock (also the date that names the
// report folder) and the user's locale settings for numbers and dates. Windows:
// GlobalMemoryStatusEx, GetLocalTime and GetLocaleInfoA. Portable: the host's figures, its local
// time, and English names with "," and ":".

#include <array>
#include <cstdint>
#include <string>

namespace tw {

// Byte counts are 64-bit so that machines with more than 4 GB show true figures.
struct MemoryFigures {
  uint32_t load = 0; // physical memory in use, percent
  uint64_t totalPhys = 0;
  uint64_t availPhys = 0;
  uint64_t totalPageFile = 0; // commit limit
  uint64_t availPageFile = 0; // commit still available
};

// A calendar date in the local time zone; names the report folder.
struct LocalDate {
  int year = 0;
  int month = 0; // 1 to 12
  int day = 0;   // 1 to 31
  bool operator==(const LocalDate&) const = default;
};

struct LocalDateTime {
  int year = 0;
  int month = 1;   // 1 to 12
  int day = 1;     // 1 to 31
  int weekday = 0; // 0 Sunday to 6 Saturday
  int hour = 0;
  int minute = 0;
  int second = 0;
  LocalDate Date() const { return {year, month, day}; }
};

// Text in the ANSI code page.
struct LocaleSettings {
  std::string thousandSeparator;
  std::string timeSeparator;
  std::array<std::string, 7> longDayNames;    // Sunday first
  std::array<std::string, 12> longMonthNames; // January first
};

class SystemInfo {
public:
  virtual ~SystemInfo() = default;
  virtual MemoryFigures Memory() const = 0;
  virtual LocalDateTime Now() const = 0;
  virtual LocaleSettings Locale() const = 0;
};

// The host's memory from /proc/meminfo (zeros where it cannot be read), the C library's local
// time, and English names with "," and ":".
class PortableSystemInfo final : public SystemInfo {
public:
  MemoryFigures Memory() const override;
  LocalDateTime Now() const override;
  LocaleSettings Locale() const override;
};

// The figures of a /proc/meminfo text: the commit limit is physical memory plus swap, as the
// platform counts physical memory plus paging file; what is in use of either is what is not
// available. Lines it does not know are ignored; missing figures read as 0.
MemoryFigures MemoryFromMeminfo(const std::string& meminfo);

} // namespace tw
