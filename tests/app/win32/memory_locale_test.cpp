// Item 10 on the real platform follows the user's locale. Run once per locale: ctest sets LANG
// (Wine takes the user's locale from it) and TW_EXPECTED_LOCALE to the locale's name.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "app/WKS_Main.h"
#include "readers/sysinfo.h"
#include "registry/memory_registry.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_collation.h"
#include "runtime/win32/win32_system_info.h"
#include "support/fake_system_info.h"
#include "support/fixtures.h"

namespace tw {
namespace {

LocaleSettings Expected() {
  const char* name = std::getenv("TW_EXPECTED_LOCALE");
  const std::string locale = name ? name : "";
  if (locale == "de_DE")
    return test::GermanLocale();
  if (locale == "en_US")
    return PortableSystemInfo().Locale();
  ADD_FAILURE() << "TW_EXPECTED_LOCALE names no known locale: '" << locale << "'";
  return LocaleSettings{};
}

TEST(MemoryLocale, TheSeamGivesTheUsersLocaleSettings) {
  const LocaleSettings expected = Expected();
  const LocaleSettings actual = Win32SystemInfo().Locale();
  EXPECT_EQ(actual.thousandSeparator, expected.thousandSeparator);
  EXPECT_EQ(actual.timeSeparator, expected.timeSeparator);
  EXPECT_EQ(actual.longDayNames, expected.longDayNames);
  EXPECT_EQ(actual.longMonthNames, expected.longMonthNames);
}

TEST(MemoryLocale, MemoryInformationShowsTrueFiguresAndTheCaptureTimeInTheUsersLocale) {
  const LocaleSettings locale = Expected();
  Win32SystemInfo system;
  Win32Collation collation;
  MemoryRegistry registry;
  ScopedSeam<SystemInfo> systemSeam(system);
  ScopedSeam<Collation> collationSeam(collation);
  ScopedSeam<RegistryApi> registrySeam(registry);
  TWKSForm form;

  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  const LocalDateTime before = system.Now();
  form.ZList.SetItemIndex(10);
  form.ZList.Click();
  const LocalDateTime after = system.Now();

  ASSERT_EQ(form.Preview.RowCount(), 7);
  // The installed memory does not change while the test runs; the other figures may.
  EXPECT_EQ(form.Preview.ValueCell(1),
            FormatWholeGrouped(KiloBytes(status.ullTotalPhys), locale.thousandSeparator) + " KB");
  const std::string sep = locale.thousandSeparator == "." ? "\\." : locale.thousandSeparator;
  const std::regex figure("\\d{1,3}(" + sep + "\\d{3})* KB");
  for (int row = 1; row <= 5; ++row)
    EXPECT_TRUE(std::regex_match(std::string(form.Preview.ValueCell(row)), figure))
        << form.Preview.RowText(row);
  EXPECT_TRUE(std::regex_match(std::string(form.Preview.ValueCell(0)), std::regex("\\d{1,3} %")))
      << form.Preview.RowText(0);
  const std::string captured(form.Preview.ValueCell(6));
  EXPECT_TRUE(captured == FormatCaptureTime(before, locale) ||
              captured == FormatCaptureTime(after, locale))
      << captured;
}

} // namespace
} // namespace tw
