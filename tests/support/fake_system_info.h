#pragma once
// A system with fixed figures, clock and locale, for tests of the memory information item.

#include "runtime/system_info.h"

namespace tw::test {

// The settings of a German user: "." groups thousands, German day and month names.
inline LocaleSettings GermanLocale() {
  return LocaleSettings{
      ".",
      ":",
      {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
      {"Januar", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August", "September",
       "Oktober", "November", "Dezember"}};
}

class FakeSystemInfo final : public SystemInfo {
public:
  static FakeSystemInfo At(const LocalDateTime& when) {
    FakeSystemInfo system;
    system.now = when;
    return system;
  }
  MemoryFigures memory;
  LocalDateTime now;
  LocaleSettings locale = PortableSystemInfo().Locale();

  MemoryFigures Memory() const override { return memory; }
  LocalDateTime Now() const override { return now; }
  LocaleSettings Locale() const override { return locale; }
};

} // namespace tw::test
