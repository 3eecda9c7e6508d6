#pragma once
// Text comparison of sorted lists: the platform's case-insensitive locale comparison of 8-bit
// ANSI text (what a sorted Windows list box uses). Windows: CompareStringA(LOCALE_USER_DEFAULT,
// NORM_IGNORECASE). Portable: PortableCollation, which gives the same order for the Western
// code page 1252.

#include <string_view>

namespace tw {

class Collation {
public:
  virtual ~Collation() = default;
  // Negative, zero or positive as a sorts before, equal to, or after b.
  virtual int Compare(std::string_view a, std::string_view b) const = 0;
};

// Word sort of code page 1252 as measured on the platform: hyphen, apostrophe, dashes and
// control characters count only to break ties; then blanks, punctuation, symbols, digits and
// letters without regard to case; accented letters sort with their base letter and differ only
// when nothing else does; ligatures expand (ß = ss, æ = ae, œ = oe, þ = th).
class PortableCollation final : public Collation {
public:
  int Compare(std::string_view a, std::string_view b) const override;
};

// Compares through the installed collation; the portable one when none is installed.
int CompareText(std::string_view a, std::string_view b);

} // namespace tw
