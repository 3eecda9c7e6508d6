// The command line on Windows: the live registry by default; hive files read by our own reader,
// never created, never changed.

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "cli/empty_hive.h"
#include "cli/win32/cli_platform.h"
#include "../cli_run.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_system_info.h"
#include "support/platform.h"

namespace tw {
namespace {

CliRun WindowsCli(const std::vector<std::string>& args) {
  Win32CliPlatform platform;
  Win32SystemInfo system;
  const ScopedSeam<SystemInfo> systemSeam(system);
  return RunCliOn(platform, args);
}

TEST(Win32Cli, TheLiveRegistryIsTheDefaultAndShowsTheMachinesFigures) {
  const CliRun run = WindowsCli({"show", "[I] Memory Information (CU)"});
  EXPECT_EQ(run.code, ExitCode::Done) << run.err;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 7) << run.out;
  EXPECT_TRUE(run.out.starts_with("Memory Usage - Physical=")) << run.out;
}

TEST(Win32Cli, RegExportsAreNotImportedIntoTheLiveRegistry) {
  EXPECT_EQ(WindowsCli({"show", "--live", "--reg", "x.reg", "6"}).code, ExitCode::Usage);
  const unsigned other = GetACP() == 1252 ? 1251 : 1252;
  EXPECT_EQ(WindowsCli({"show", "--codepage", std::to_string(other), "6"}).code, ExitCode::Usage);
}

TEST(Win32Cli, AMissingHiveIsReportedAndNotCreated) {
  test::TempFolder folder;
  const std::string path = folder.Path() + "NTUSER.DAT";
  const CliRun run = WindowsCli({"show", "--hive", path, "6"});
  EXPECT_EQ(run.code, ExitCode::Failed);
  EXPECT_NE(run.err.find(path + ": missing"), std::string::npos) << run.err;
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32Cli, HiveFilesAreReadByOurOwnReaderAndLeftAsTheyWere) {
  test::TempFolder folder;
  test::WriteEmptyHive(folder.Host() / "NTUSER.DAT");
  const std::string path = folder.Path() + "NTUSER.DAT";
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before));
  const CliRun run = WindowsCli({"show", "--hive", "ntuser=" + path, "6"});
  EXPECT_EQ(run.code, ExitCode::Done) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(path + ": clean"), std::string::npos) << run.err;
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
  EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow);
}

} // namespace
} // namespace tw
