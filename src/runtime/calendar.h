#pragma once
// Today's date in the local time zone, which names the report folder. Windows: GetLocalTime
// (src/runtime/win32).

namespace tw {

struct LocalDate {
  int year = 0;
  int month = 0; // 1 to 12
  int day = 0;   // 1 to 31
  bool operator==(const LocalDate&) const = default;
};

class Calendar {
public:
  virtual ~Calendar() = default;
  virtual LocalDate Today() const = 0;
};

// The C library's local time.
class PortableCalendar final : public Calendar {
public:
  LocalDate Today() const override;
};

} // namespace tw
