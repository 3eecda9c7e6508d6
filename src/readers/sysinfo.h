#pragma once
// Readers of the system information items: the memory figures and capture time (item 10, no
// registry at all) and the time zones the system knows (item 11).

#include <cstdint>
#include <string>
#include <string_view>

#include "readers/reader.h"
#include "runtime/system_info.h"

namespace tw {

void ReadMemoryInformation(ReaderContext& ctx); // 10: six memory rows, then "[ Captured At ]"
void ReadTimeZones(ReaderContext& ctx);         // 11: display name = daylight-saving name

// A byte count in kilobytes, in extended precision.
long double KiloBytes(uint64_t bytes);
// The number pattern "0,00": rounded to a whole number (a half away from zero), grouped in
// threes with the separator, at least three digits.
std::string FormatWholeGrouped(long double value, std::string_view thousandSeparator);
// The date pattern "dddd, dd mmmm yyyy  hh:mm:ss" with the locale's names and time separator.
std::string FormatCaptureTime(const LocalDateTime& time, const LocaleSettings& locale);

} // namespace tw
