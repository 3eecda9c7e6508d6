#include <gtest/gtest.h>

#include "readers/startup.h"
#include "runtime/exceptions.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using test::Rows;

constexpr const char* kServices = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";

TEST(StartTypeLabel, NamesTheFivePlatformStartTypes) {
  EXPECT_EQ(StartTypeLabel(0), "Boot");
  EXPECT_EQ(StartTypeLabel(1), "System");
  EXPECT_EQ(StartTypeLabel(2), "Automatic");
  EXPECT_EQ(StartTypeLabel(3), "Manual");
  EXPECT_EQ(StartTypeLabel(4), "[ DISABLED ]");
}

TEST(StartTypeLabel, ShowsAnyOtherValueAsTheStoredNumber) {
  EXPECT_EQ(StartTypeLabel(5), "5");
  EXPECT_EQ(StartTypeLabel(7), "7");
  EXPECT_EQ(StartTypeLabel(-1), "4294967295");
}

class StartupTest : public test::ReaderTest {};

TEST_F(StartupTest, ListsRunThenRunOnceOfEachHive) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadUserStartup), (Rows{"Run\\ctfmon.exe=C:\\WINDOWS\\system32\\ctfmon.exe",
                                        "Run\\Acme Tray=\"C:\\Program Files\\Acme\\tray.exe\" -min",
                                        "RunOnce\\Setup=C:\\Temp\\setup.exe /continue"}));
  EXPECT_EQ(Run(ReadMachineStartup), (Rows{"Run\\SoundMan=SOUNDMAN.EXE", "Run\\Binary=",
                                           "Run\\Updater=%ProgramFiles%\\Acme\\update.exe /silent",
                                           "RunOnce\\=C:\\Temp\\default.cmd",
                                           "RunOnce\\Cleanup=cmd /c del C:\\Temp\\*.tmp"}));
}

TEST_F(StartupTest, AMissingOrEmptyRunKeyStillShowsRunOnce) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
          "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]\r\n"
          "\"once\"=\"x.exe\"\r\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]\r\n"
          "\"m\"=\"y.exe\"\r\n");
  EXPECT_EQ(Run(ReadUserStartup), Rows{"RunOnce\\once=x.exe"});
  EXPECT_EQ(Run(ReadMachineStartup), Rows{"RunOnce\\m=y.exe"});
}

TEST_F(StartupTest, NoKeysGiveNoRows) {
  EXPECT_TRUE(Run(ReadUserStartup).empty());
  EXPECT_TRUE(Run(ReadMachineStartup).empty());
  EXPECT_TRUE(Run(ReadServicePaths).empty());
  EXPECT_TRUE(Run(ReadServiceStatus).empty());
}

TEST_F(StartupTest, ServicesWithAProgramImageShowTheirPathOrStartType) {
  // Walked from the last subkey to the first, rewritten in place: subkey order remains.
  LoadFixture("catalog.reg");
  EXPECT_EQ(
      Run(ReadServicePaths),
      (Rows{"Acme Update Service=\"C:\\Program Files\\Acme\\acmesvc.exe\" /service",
            "Acme Update Service=C:\\Program Files\\Acme\\acmesvc2.exe",
            "Boot Helper=C:\\WINDOWS\\system32\\boothelp.exe",
            "DHCP Client=%SystemRoot%\\system32\\svchost.exe -k netsvcs",
            "Fax=%systemroot%\\system32\\fxssvc.exe",
            "Messenger=%SystemRoot%\\System32\\svchost.exe -k netsvcs", "=C:\\Tools\\nodisplay.exe",
            "Odd Start Service=C:\\Tools\\odd.exe", "Script Runner=C:\\Tools\\run.cmd helper.exe",
            "System Helper=C:\\WINDOWS\\system32\\syshelp.exe",
            "@%SystemRoot%\\system32\\wuaueng.dll,-105=%systemroot%\\system32\\svchost.exe -k "
            "netsvcs"}));
  EXPECT_EQ(Run(ReadServiceStatus),
            (Rows{"Acme Update Service=Automatic", "Acme Update Service=Manual", "Boot Helper=Boot",
                  "DHCP Client=Automatic", "Fax=Manual", "Messenger=[ DISABLED ]", "=Manual",
                  "Odd Start Service=7", "Script Runner=Manual", "System Helper=System",
                  "@%SystemRoot%\\system32\\wuaueng.dll,-105=Automatic"}));
}

TEST_F(StartupTest, TheProgramFilterIsAnExactCaseSubstringSearch) {
  LoadReg(std::string("REGEDIT4\r\n") + kServices +
          "a]\r\n\"DisplayName\"=\"A\"\r\n\"ImagePath\"=\"a.EXE\"\r\n\"Start\"=dword:2\r\n" +
          kServices + "b]\r\n\"DisplayName\"=\"B\"\r\n\"ImagePath\"=\"b.Exe\"\r\n" + kServices +
          "c]\r\n\"DisplayName\"=\"C\"\r\n\"ImagePath\"=\"drivers\\\\c.sys\"\r\n" + kServices +
          "d]\r\n\"DisplayName\"=\"D\"\r\n\"ImagePath\"=\"x.exemplar\"\r\n\"Start\"=dword:3\r\n" +
          kServices + "e]\r\n\"DisplayName\"=\"E\"\r\n\"ImagePath\"=\"\"\r\n");
  EXPECT_EQ(Run(ReadServicePaths), Rows{"D=x.exemplar"});
  EXPECT_EQ(Run(ReadServiceStatus), Rows{"D=Manual"});
}

TEST_F(StartupTest, AnImagePathThatIsNotTextEndsTheRunEvenForADriver) {
  LoadReg(std::string("REGEDIT4\r\n") + kServices +
          "a]\r\n\"DisplayName\"=\"A\"\r\n\"ImagePath\"=\"a.exe\"\r\n\"Start\"=dword:2\r\n" +
          kServices + "b]\r\n\"ImagePath\"=hex(7):62,2e,73,79,73,00,00\r\n");
  EXPECT_EQ(RunFailing<ERegistryException>(ReadServicePaths), "Invalid data type for 'ImagePath'");
  EXPECT_EQ(RunFailing<ERegistryException>(ReadServiceStatus), "Invalid data type for 'ImagePath'");
}

TEST_F(StartupTest, ADisplayNameThatIsNotTextEndsTheRunOnlyForAProgramService) {
  LoadReg(std::string("REGEDIT4\r\n") + kServices +
          "drv]\r\n\"DisplayName\"=dword:1\r\n\"ImagePath\"=\"drv.sys\"\r\n\"Start\"=dword:1\r\n");
  EXPECT_TRUE(Run(ReadServicePaths).empty());
  LoadReg(
      std::string("REGEDIT4\r\n") + kServices +
      "svc]\r\n\"DisplayName\"=hex:41,00\r\n\"ImagePath\"=\"svc.exe\"\r\n\"Start\"=dword:2\r\n");
  EXPECT_EQ(RunFailing<ERegistryException>(ReadServicePaths),
            "Invalid data type for 'DisplayName'");
  EXPECT_EQ(RunFailing<ERegistryException>(ReadServiceStatus),
            "Invalid data type for 'DisplayName'");
}

TEST_F(StartupTest, AStartValueMissingOrNotANumberEndsTheStatusRun) {
  LoadReg(std::string("REGEDIT4\r\n") + kServices +
          "svc]\r\n\"DisplayName\"=\"S\"\r\n\"ImagePath\"=\"svc.exe\"\r\n");
  EXPECT_EQ(Run(ReadServicePaths), Rows{"S=svc.exe"});
  EXPECT_EQ(RunFailing<ERegistryException>(ReadServiceStatus), "Failed to get data for 'Start'");
  LoadReg(std::string("REGEDIT4\r\n") + kServices + "svc]\r\n\"Start\"=\"2\"\r\n");
  EXPECT_EQ(RunFailing<ERegistryException>(ReadServiceStatus), "Invalid data type for 'Start'");
}

} // namespace
} // namespace tw
