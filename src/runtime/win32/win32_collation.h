#pragma once

#include "runtime/collation.h"

namespace tw {

// CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE): the order of a sorted list box.
class Win32Collation final : public Collation {
public:
  int Compare(std::string_view a, std::string_view b) const override;
};

} // namespace tw
