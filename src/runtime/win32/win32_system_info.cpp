#include "runtime/win32/win32_system_info.h"

#include <windows.h>

namespace tw {
namespace {

// One locale setting of the user's locale in the ANSI code page; empty when it is not set.
std::string LocaleText(LCTYPE type) {
  char buffer[256];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof(buffer));
  return length > 0 ? std::string(buffer) : std::string();
}

} // namespace

MemoryFigures Win32SystemInfo::Memory() const {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status))
    return MemoryFigures{};
  return MemoryFigures{static_cast<uint32_t>(status.dwMemoryLoad), status.ullTotalPhys,
                       status.ullAvailPhys, status.ullTotalPageFile, status.ullAvailPageFile};
}

LocalDateTime Win32SystemInfo::Now() const {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return LocalDateTime{t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond};
}

LocaleSettings Win32SystemInfo::Locale() const {
  LocaleSettings settings;
  settings.thousandSeparator = LocaleText(LOCALE_STHOUSAND);
  settings.timeSeparator = LocaleText(LOCALE_STIME);
  // The platform numbers weekdays from Monday (LOCALE_SDAYNAME1); the list starts on Sunday.
  for (int day = 0; day < 7; ++day)
    settings.longDayNames[static_cast<size_t>(day)] =
        LocaleText(day == 0 ? LOCALE_SDAYNAME7 : LOCALE_SDAYNAME1 + day - 1);
  for (int month = 0; month < 12; ++month)
    settings.longMonthNames[static_cast<size_t>(month)] = LocaleText(LOCALE_SMONTHNAME1 + month);
  return settings;
}

} // namespace tw
