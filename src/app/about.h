#pragma once
// The program's own texts about itself.

namespace tw::about {

inline constexpr const char* kTitle = "Trailwick ( XQV )";
inline constexpr const char* kName = "Trailwick";
inline constexpr const char* kCreditLine = "Copyright \xA9 2026 The Trailwick team";
inline constexpr const char* kLastUpdated = "Last Updated : February 2011";
inline constexpr const char* kHomepage = "https://www.trailwick.org/";
inline constexpr const char* kDonateText =
    "Trailwick is free. If it saved you time on a case, please support its development:\r\n"
    "donations are welcome at https://www.trailwick.org/donate";

} // namespace tw::about
