#include <gtest/gtest.h>

#include "readers/sysinfo.h"
#include "runtime/seam.h"
#include "support/fake_system_info.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using test::Rows;

constexpr uint64_t kGiB = 1024ull * 1024 * 1024;

TEST(FormatWholeGrouped, GroupsThousandsWithTheSeparator) {
  EXPECT_EQ(FormatWholeGrouped(2097152, ","), "2,097,152");
  EXPECT_EQ(FormatWholeGrouped(1000, ","), "1,000");
  EXPECT_EQ(FormatWholeGrouped(999999, ","), "999,999");
  EXPECT_EQ(FormatWholeGrouped(4194304, "."), "4.194.304");
  EXPECT_EQ(FormatWholeGrouped(1234567, "\xA0"), "1\xA0"
                                                 "234\xA0"
                                                 "567");
  EXPECT_EQ(FormatWholeGrouped(1234567, ""), "1234567");
  EXPECT_EQ(FormatWholeGrouped(16777216LL * 1024 * 1024, ","), "17,592,186,044,416");
}

TEST(FormatWholeGrouped, ShowsAtLeastThreeDigits) {
  EXPECT_EQ(FormatWholeGrouped(0, ","), "000");
  EXPECT_EQ(FormatWholeGrouped(5, ","), "005");
  EXPECT_EQ(FormatWholeGrouped(45, ","), "045");
  EXPECT_EQ(FormatWholeGrouped(100, ","), "100");
}

TEST(FormatWholeGrouped, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatWholeGrouped(2.5L, ","), "003");
  EXPECT_EQ(FormatWholeGrouped(3.5L, ","), "004");
  EXPECT_EQ(FormatWholeGrouped(2.4999L, ","), "002");
  EXPECT_EQ(FormatWholeGrouped(999.5L, ","), "1,000");
  EXPECT_EQ(FormatWholeGrouped(-2.5L, ","), "-003");
  EXPECT_EQ(FormatWholeGrouped(-1234.4L, ","), "-1,234");
  EXPECT_EQ(FormatWholeGrouped(-0.4L, ","), "000");
}

TEST(KiloBytes, DividesByTheKilobyteInExtendedPrecision) {
  EXPECT_EQ(KiloBytes(2147483648ull), 2097152.0L);
  EXPECT_EQ(KiloBytes(512), 0.5L);
  EXPECT_EQ(KiloBytes(4294967295ull), 4194303.9990234375L);
  EXPECT_EQ(KiloBytes(~0ull), 18014398509481984.0L - 1.0L / 1024.0L);
}

TEST(FormatCaptureTime, ReadsThePatternPieceByPiece) {
  const LocaleSettings english = PortableSystemInfo().Locale();
  EXPECT_EQ(FormatCaptureTime({2024, 3, 12, 2, 14, 7, 9}, english),
            "Tuesday, 12 March 2024  14:07:09");
  EXPECT_EQ(FormatCaptureTime({2009, 1, 4, 0, 0, 0, 0}, english),
            "Sunday, 04 January 2009  00:00:00");
  EXPECT_EQ(FormatCaptureTime({2030, 12, 31, 6, 23, 59, 59}, english),
            "Saturday, 31 December 2030  23:59:59");
}

TEST(FormatCaptureTime, FollowsTheLocaleNamesAndTimeSeparator) {
  LocaleSettings locale = test::GermanLocale();
  EXPECT_EQ(FormatCaptureTime({2024, 3, 12, 2, 14, 7, 9}, locale),
            "Dienstag, 12 M\xE4rz 2024  14:07:09");
  locale.timeSeparator = ".";
  EXPECT_EQ(FormatCaptureTime({2024, 3, 12, 2, 14, 7, 9}, locale),
            "Dienstag, 12 M\xE4rz 2024  14.07.09");
}

TEST(FormatCaptureTime, AWeekdayOrMonthOutsideTheTablesGivesAnEmptyName) {
  const LocaleSettings english = PortableSystemInfo().Locale();
  EXPECT_EQ(FormatCaptureTime({2024, 13, 1, 7, 0, 0, 0}, english), ", 01  2024  00:00:00");
}

class MemoryInformationTest : public test::ReaderTest {
protected:
  test::FakeSystemInfo system;
  ScopedSeam<SystemInfo> seam{system};
};

TEST_F(MemoryInformationTest, GivesSevenRowsInOrderWithTheCaptureTimeLast) {
  system.memory = {45, 2147483648ull, 1073741824ull, 4294967296ull, 3221225472ull};
  system.now = {2024, 3, 12, 2, 14, 7, 9};
  EXPECT_EQ(Run(ReadMemoryInformation),
            (Rows{"Memory Usage - Physical=45 %", "Physical Memory (RAM) - Total=2,097,152 KB",
                  "Physical Memory (RAM) - Used=1,048,576 KB",
                  "Physical Memory (RAM) - Free=1,048,576 KB",
                  "Commit Charge Memory - Limit=4,194,304 KB",
                  "Commit Charge Memory - Current=1,048,576 KB",
                  "[ Captured At ]=Tuesday, 12 March 2024  14:07:09"}));
}

TEST_F(MemoryInformationTest, UsedIsTheRoundedDifferenceOfTheQuotients) {
  // 2,097,152 - 1,048,576.5 = 1,048,575.5, which rounds up; rounding each figure first would
  // give 1,048,575.
  system.memory = {50, 2 * kGiB, kGiB + 512, 2 * kGiB, kGiB + 1536};
  const Rows rows = Run(ReadMemoryInformation);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[2], "Physical Memory (RAM) - Used=1,048,576 KB");
  EXPECT_EQ(rows[3], "Physical Memory (RAM) - Free=1,048,577 KB");
  EXPECT_EQ(rows[5], "Commit Charge Memory - Current=1,048,575 KB");
}

TEST_F(MemoryInformationTest, ShowsTrueFiguresAboveFourGigabytes) {
  system.memory = {12, 64 * kGiB, 56 * kGiB, 128 * kGiB, 100 * kGiB};
  const Rows rows = Run(ReadMemoryInformation);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[1], "Physical Memory (RAM) - Total=67,108,864 KB");
  EXPECT_EQ(rows[2], "Physical Memory (RAM) - Used=8,388,608 KB");
  EXPECT_EQ(rows[4], "Commit Charge Memory - Limit=134,217,728 KB");
  EXPECT_EQ(rows[5], "Commit Charge Memory - Current=29,360,128 KB");
}

TEST_F(MemoryInformationTest, SmallFiguresArePaddedToThreeDigits) {
  system.memory = {0, 10240, 10240, 0, 0};
  const Rows rows = Run(ReadMemoryInformation);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[0], "Memory Usage - Physical=0 %");
  EXPECT_EQ(rows[1], "Physical Memory (RAM) - Total=010 KB");
  EXPECT_EQ(rows[2], "Physical Memory (RAM) - Used=000 KB");
  EXPECT_EQ(rows[4], "Commit Charge Memory - Limit=000 KB");
}

TEST_F(MemoryInformationTest, NumbersAndDatesFollowTheUsersLocale) {
  system.locale = test::GermanLocale();
  system.locale.timeSeparator = ".";
  system.memory = {45, 2147483648ull, 1073741824ull, 4294967296ull, 3221225472ull};
  system.now = {2024, 3, 12, 2, 14, 7, 9};
  const Rows rows = Run(ReadMemoryInformation);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[1], "Physical Memory (RAM) - Total=2.097.152 KB");
  EXPECT_EQ(rows[6], "[ Captured At ]=Dienstag, 12 M\xE4rz 2024  14.07.09");
}

TEST_F(MemoryInformationTest, ReadsNoRegistry) {
  Run(ReadMemoryInformation);
  EXPECT_EQ(registry.Calls(), 0u);
}

class TimeZonesTest : public test::ReaderTest {};

TEST_F(TimeZonesTest, ListsDisplayAndDaylightNamesOfUsableZones) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadTimeZones),
            (Rows{"(GMT+10:00) Canberra, Melbourne, Sydney=AUS Eastern Daylight Time",
                  "(GMT) Greenwich Mean Time : Dublin, Edinburgh, Lisbon, London=GMT Daylight Time",
                  "(GMT-08:00) Pacific Time (US & Canada); Tijuana=Pacific Daylight Time",
                  "(GMT+09:00) Osaka, Sapporo, Tokyo=Tokyo Daylight Time", "(GMT-07:00) Arizona=",
                  "(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna=W. Europe Daylight "
                  "Time"}));
}

TEST_F(TimeZonesTest, LeavesOutZonesWithoutAUsableDisplayName) {
  LoadReg("REGEDIT4\r\n"
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\A]\r\n"
          "\"Display\"=dword:00000001\r\n\"Dlt\"=\"A Daylight\"\r\n"
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\B]\r\n"
          "\"Dlt\"=\"B Daylight\"\r\n"
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\C]\r\n"
          "\"Display\"=hex(2):43,00\r\n\"Dlt\"=hex:00\r\n");
  EXPECT_EQ(Run(ReadTimeZones), Rows{"C="});
}

TEST_F(TimeZonesTest, AMissingKeyGivesNoRows) {
  EXPECT_TRUE(Run(ReadTimeZones).empty());
}

} // namespace
} // namespace tw
