#pragma once
// A system with fixed figures, clock and locale, for tests of the memory information item.

#include "runtime/system_info.h"

namespace tw::test {

class FakeSystemInfo final : public SystemInfo {
public:
  MemoryFigures memory;
  LocalDateTime now;
  LocaleSettings locale = PortableSystemInfo().Locale();

  MemoryFigures Memory() const override { return memory; }
  LocalDateTime Now() const override { return now; }
  LocaleSettings Locale() const override { return locale; }
};

} // namespace tw::test
