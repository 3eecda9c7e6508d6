#include "runtime/win32/win32_collation.h"

#include <windows.h>

namespace tw {

int Win32Collation::Compare(std::string_view a, std::string_view b) const {
  const int result =
      CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                     b.data(), static_cast<int>(b.size()));
  return result == 0 ? 0 : result - CSTR_EQUAL;
}

} // namespace tw
