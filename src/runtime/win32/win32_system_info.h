#pragma once
// The live system figures of the real platform: GlobalMemoryStatusEx, GetLocalTime and the
// user's locale settings through GetLocaleInfoA.

#include "runtime/system_info.h"

namespace tw {

class Win32SystemInfo final : public SystemInfo {
public:
  MemoryFigures Memory() const override;
  LocalDateTime Now() const override;
  LocaleSettings Locale() const override;
};

} // namespace tw
