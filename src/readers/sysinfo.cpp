#include "readers/sysinfo.h"

#include <cmath>

#include "registry/registry.h"
#include "runtime/seam.h"

namespace tw {
namespace {

constexpr const char* kTimeZonesKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
constexpr size_t kMinimumDigits = 3;

std::string TwoDigits(int n) {
  std::string text = std::to_string(n);
  return text.size() < 2 ? "0" + text : text;
}

std::string FourDigits(int n) {
  std::string text = std::to_string(n);
  return text.size() < 4 ? std::string(4 - text.size(), '0') + text : text;
}

// A name from a locale table; empty for an index the table does not have.
template <size_t N>
const std::string& NameAt(const std::array<std::string, N>& names, int index) {
  static const std::string kNone;
  return index >= 0 && static_cast<size_t>(index) < N ? names[static_cast<size_t>(index)] : kNone;
}

std::string Kb(long double kilobytes, const LocaleSettings& locale) {
  return FormatWholeGrouped(kilobytes, locale.thousandSeparator) + " KB";
}

} // namespace

long double KiloBytes(uint64_t bytes) {
  return static_cast<long double>(bytes) / 1024.0L;
}

std::string FormatWholeGrouped(long double value, std::string_view thousandSeparator) {
  const long double rounded = std::round(value); // halves go away from zero
  const bool negative = rounded < 0;
  std::string digits = std::to_string(static_cast<unsigned long long>(std::fabs(rounded)));
  if (digits.size() < kMinimumDigits)
    digits.insert(0, kMinimumDigits - digits.size(), '0');
  std::string text = negative ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      text += thousandSeparator;
    text += digits[i];
  }
  return text;
}

std::string FormatCaptureTime(const LocalDateTime& time, const LocaleSettings& locale) {
  const std::string& sep = locale.timeSeparator;
  return NameAt(locale.longDayNames, time.weekday) + ", " + TwoDigits(time.day) + " " +
         NameAt(locale.longMonthNames, time.month - 1) + " " + FourDigits(time.year) + "  " +
         TwoDigits(time.hour) + sep + TwoDigits(time.minute) + sep + TwoDigits(time.second);
}

void ReadMemoryInformation(ReaderContext& ctx) {
  const SystemInfo& system = Seam<SystemInfo>::Get();
  const MemoryFigures m = system.Memory();
  const LocaleSettings locale = system.Locale();
  const long double totalPhys = KiloBytes(m.totalPhys);
  const long double availPhys = KiloBytes(m.availPhys);
  const long double totalPageFile = KiloBytes(m.totalPageFile);
  const long double availPageFile = KiloBytes(m.availPageFile);
  // Live figures: no key.
  ctx.Add("Memory Usage - Physical", std::to_string(m.load) + " %");
  ctx.Add("Physical Memory (RAM) - Total", Kb(totalPhys, locale));
  ctx.Add("Physical Memory (RAM) - Used", Kb(totalPhys - availPhys, locale));
  ctx.Add("Physical Memory (RAM) - Free", Kb(availPhys, locale));
  ctx.Add("Commit Charge Memory - Limit", Kb(totalPageFile, locale));
  ctx.Add("Commit Charge Memory - Current", Kb(totalPageFile - availPageFile, locale));
  ctx.Add("[ Captured At ]", FormatCaptureTime(system.Now(), locale));
}

void ReadTimeZones(ReaderContext& ctx) {
  ListSubKeyNames(reg::kLocalMachine, kTimeZonesKey, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    const std::string zoneKey = SubKeyPath(kTimeZonesKey, ctx.scratch1[i]);
    const std::string display = ReadRegString(reg::kLocalMachine, zoneKey, "Display");
    if (display.empty())
      continue;
    ctx.Add(display, ReadRegString(reg::kLocalMachine, zoneKey, "Dlt"),
            {reg::kLocalMachine, zoneKey});
  }
}

} // namespace tw
