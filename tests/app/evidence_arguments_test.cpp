// What the program's command line and a drop of files ask to open: the command line's source
// options, the kinds named or left to detection, logs named by hand or dropped beside their hive.

#include <gtest/gtest.h>

#include "app/evidence.h"

namespace tw {
namespace {

std::string UsageProblem(const std::vector<std::string>& args) {
  try {
    ParseProgramArguments(args);
  } catch (const EvidenceUsageError& e) {
    const std::string text = e.what();
    // The usage follows the problem.
    EXPECT_NE(text.find("usage: trailwick.exe [--hive"), std::string::npos) << text;
    return text.substr(0, text.find("\r\n"));
  }
  return "accepted";
}

TEST(ProgramArguments, NoArgumentsIsTheRunningSystemsRegistry) {
  const EvidenceRequest request = ParseProgramArguments({});
  EXPECT_TRUE(request.sources.empty());
  EXPECT_EQ(request.recovery, Recovery::Apply);
}

TEST(ProgramArguments, HivesTakeTheirKindsTheirLogsAndRegeditExportsAsTheCommandLineDoes) {
  const EvidenceRequest request = ParseProgramArguments(
      {"--hive", "ntuser=C:\\e\\NTUSER.DAT", "--log", "C:\\e\\a.LOG1", "--log=C:\\e\\a.LOG2",
       "--hive=SYSTEM", "--reg", "C:\\e\\extra.reg", "--no-recover"});
  ASSERT_EQ(request.sources.size(), 3u);
  EXPECT_EQ(request.sources[0].type, SourceType::Hive);
  EXPECT_EQ(request.sources[0].kind, HiveKind::NtUser);
  EXPECT_EQ(request.sources[0].path, "C:\\e\\NTUSER.DAT");
  EXPECT_EQ(request.sources[0].logs, (std::vector<std::string>{"C:\\e\\a.LOG1", "C:\\e\\a.LOG2"}));
  EXPECT_EQ(request.sources[1].kind, std::nullopt);
  EXPECT_EQ(request.sources[1].path, "SYSTEM");
  EXPECT_TRUE(request.sources[1].logs.empty());
  EXPECT_EQ(request.sources[2].type, SourceType::Reg);
  EXPECT_EQ(request.sources[2].path, "C:\\e\\extra.reg");
  EXPECT_EQ(request.recovery, Recovery::Skip);
}

TEST(ProgramArguments, ALineThatMakesNoSenseIsRefusedWithWhy) {
  EXPECT_EQ(UsageProblem({"--log", "a.LOG1", "--hive", "a"}),
            "--log names a log of the --hive before it");
  EXPECT_EQ(UsageProblem({"--hive"}), "--hive needs a file");
  EXPECT_EQ(UsageProblem({"--hive", "a", "--live"}), "unknown argument '--live'");
  EXPECT_EQ(UsageProblem({"NTUSER.DAT"}), "unknown argument 'NTUSER.DAT'");
  EXPECT_EQ(UsageProblem({"--no-recover"}), "no hive file given");
  EXPECT_EQ(UsageProblem({"--no-recover=yes", "--hive", "a"}),
            "unknown argument '--no-recover=yes'");
  EXPECT_EQ(UsageProblem({"--hive", "users=NTUSER.DAT"}),
            "unknown hive kind 'users' (ntuser, usrclass, software, system, sam, amcache)");
}

TEST(DroppedFiles, EachIsAHiveOfTheKindItLooksLikeWithTheLogsDroppedBesideIt) {
  const EvidenceRequest request = DroppedFilesRequest(
      {"C:\\e\\ntuser.dat.LOG2", "C:\\e\\NTUSER.DAT", "C:\\e\\SYSTEM", "C:\\e\\NTUSER.DAT.log1"});
  ASSERT_EQ(request.sources.size(), 2u);
  EXPECT_EQ(request.sources[0].path, "C:\\e\\NTUSER.DAT");
  EXPECT_EQ(request.sources[0].kind, std::nullopt);
  // In the order of their names, as logs found beside a hive are.
  EXPECT_EQ(request.sources[0].logs,
            (std::vector<std::string>{"C:\\e\\NTUSER.DAT.log1", "C:\\e\\ntuser.dat.LOG2"}));
  EXPECT_EQ(request.sources[1].path, "C:\\e\\SYSTEM");
  // None dropped: those beside it are looked for when it is opened.
  EXPECT_TRUE(request.sources[1].logs.empty());
  EXPECT_EQ(request.recovery, Recovery::Apply);
}

TEST(DroppedFiles, ALogWithoutItsHiveIsTakenAsAHiveAndRefusedWhenOpened) {
  const EvidenceRequest request =
      DroppedFilesRequest({"C:\\e\\NTUSER.DAT.LOG1", "C:\\f\\NTUSER.DAT"});
  ASSERT_EQ(request.sources.size(), 2u);
  EXPECT_EQ(request.sources[0].path, "C:\\e\\NTUSER.DAT.LOG1");
  EXPECT_TRUE(request.sources[1].logs.empty());
}

} // namespace
} // namespace tw
