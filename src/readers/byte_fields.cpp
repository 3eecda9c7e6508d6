#include "readers/byte_fields.h"

#include <cstdio>

namespace tw {

std::string GuidAt(Bytes d, std::size_t at) {
  if (!Fits(d, at, 16))
    return {};
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                Le32(d, at), Le16(d, at + 4), Le16(d, at + 6), d[at + 8], d[at + 9], d[at + 10],
                d[at + 11], d[at + 12], d[at + 13], d[at + 14], d[at + 15]);
  return text;
}

std::optional<std::u16string> Utf16ZAt(Bytes d, std::size_t at, std::size_t* end) {
  std::u16string text;
  for (std::size_t p = at; Fits(d, p, 2); p += 2) {
    const char16_t unit = Le16(d, p);
    if (unit == 0) {
      if (end != nullptr)
        *end = p + 2;
      return text;
    }
    text += unit;
  }
  return std::nullopt;
}

std::optional<std::u16string> Utf16At(Bytes d, std::size_t at, std::size_t byteCount) {
  if (!Fits(d, at, byteCount))
    return std::nullopt;
  std::u16string text;
  for (std::size_t p = at; p + 2 <= at + byteCount; p += 2) {
    const char16_t unit = Le16(d, p);
    if (unit == 0)
      break;
    text += unit;
  }
  return text;
}

std::optional<std::string> BytesZAt(Bytes d, std::size_t at, std::size_t* end) {
  for (std::size_t p = at; p < d.size(); ++p)
    if (d[p] == 0) {
      if (end != nullptr)
        *end = p + 1;
      return std::string(reinterpret_cast<const char*>(d.data() + at), p - at);
    }
  return std::nullopt;
}

std::u16string WidenBytes(std::string_view text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (const char c : text)
    wide += static_cast<char16_t>(static_cast<unsigned char>(c));
  return wide;
}

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

} // namespace

std::optional<std::uint64_t> FileTimeFromCivil(int year, int month, int day, int hour, int minute,
                                               int second) {
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59)
    return std::nullopt;
  const std::int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kDaysFrom1601To1970;
  const auto seconds = static_cast<std::uint64_t>(days) * 86400 +
                       static_cast<std::uint64_t>(hour * 3600 + minute * 60 + second);
  return seconds * kTicksPerSecond;
}

std::uint64_t FileTimeFromFat(std::uint16_t date, std::uint16_t time) {
  if (date == 0 && time == 0)
    return 0;
  return FileTimeFromCivil(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F, time >> 11,
                           (time >> 5) & 0x3F, (time & 0x1F) * 2)
      .value_or(0);
}

} // namespace tw
