#include <gtest/gtest.h>

#include <fstream>

#include "runtime/system_info.h"

namespace tw {
namespace {

constexpr uint64_t kKiB = 1024;

TEST(MemoryFromMeminfo, TakesPhysicalMemoryAndAddsSwapToTheCommitLimit) {
  const MemoryFigures m = MemoryFromMeminfo("MemTotal:        8000000 kB\n"
                                            "MemFree:          1000000 kB\n"
                                            "MemAvailable:     6000000 kB\n"
                                            "Buffers:           100000 kB\n"
                                            "SwapTotal:        2000000 kB\n"
                                            "SwapFree:         1500000 kB\n"
                                            "HugePages_Total:        0\n");
  EXPECT_EQ(m.totalPhys, 8000000 * kKiB);
  EXPECT_EQ(m.availPhys, 6000000 * kKiB);
  EXPECT_EQ(m.totalPageFile, 10000000 * kKiB);
  EXPECT_EQ(m.availPageFile, 7500000 * kKiB);
  EXPECT_EQ(m.load, 25u);
}

TEST(MemoryFromMeminfo, WithoutAnAvailableEstimateCountsFreeBuffersAndCache) {
  const MemoryFigures m = MemoryFromMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\n"
                                            "Buffers: 50 kB\nCached: 250 kB\n");
  EXPECT_EQ(m.availPhys, 400 * kKiB);
  EXPECT_EQ(m.totalPageFile, 1000 * kKiB);
  EXPECT_EQ(m.availPageFile, 400 * kKiB);
  EXPECT_EQ(m.load, 60u);
}

TEST(MemoryFromMeminfo, AnUnreadableTextGivesZerosNotADivisionByZero) {
  const MemoryFigures m = MemoryFromMeminfo("garbage\nMemTotal: none\n");
  EXPECT_EQ(m.totalPhys, 0u);
  EXPECT_EQ(m.availPhys, 0u);
  EXPECT_EQ(m.load, 0u);
}

TEST(MemoryFromMeminfo, AvailableNeverExceedsTotal) {
  const MemoryFigures m = MemoryFromMeminfo("MemTotal: 100 kB\nMemAvailable: 200 kB\n");
  EXPECT_EQ(m.availPhys, 100 * kKiB);
  EXPECT_EQ(m.load, 0u);
}

TEST(PortableSystemInfo, GivesTheHostsFiguresWhereItHasThem) {
  const MemoryFigures m = PortableSystemInfo().Memory();
  if (!std::ifstream("/proc/meminfo"))
    GTEST_SKIP() << "this host has no /proc/meminfo";
  EXPECT_GT(m.totalPhys, 0u);
  EXPECT_LE(m.availPhys, m.totalPhys);
  EXPECT_GE(m.totalPageFile, m.totalPhys);
  EXPECT_LE(m.load, 100u);
}

TEST(PortableSystemInfo, ClockGivesAPlausibleLocalTime) {
  const LocalDateTime t = PortableSystemInfo().Now();
  EXPECT_GE(t.year, 2024);
  EXPECT_GE(t.month, 1);
  EXPECT_LE(t.month, 12);
  EXPECT_GE(t.day, 1);
  EXPECT_LE(t.day, 31);
  EXPECT_GE(t.weekday, 0);
  EXPECT_LE(t.weekday, 6);
  EXPECT_LE(t.hour, 23);
  EXPECT_LE(t.minute, 59);
  EXPECT_LE(t.second, 60);
}

TEST(PortableSystemInfo, LocaleIsEnglishWithCommaAndColon) {
  const LocaleSettings l = PortableSystemInfo().Locale();
  EXPECT_EQ(l.thousandSeparator, ",");
  EXPECT_EQ(l.timeSeparator, ":");
  EXPECT_EQ(l.longDayNames[0], "Sunday");
  EXPECT_EQ(l.longDayNames[6], "Saturday");
  EXPECT_EQ(l.longMonthNames[0], "January");
  EXPECT_EQ(l.longMonthNames[11], "December");
}

} // namespace
} // namespace tw
