#include <gtest/gtest.h>

#include "nmdb/nmdb.h"
#include "runtime/exceptions.h"
#include "support/platform.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

class DatabaseTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    LoadReg("REGEDIT4\r\n"
            "[HKEY_CURRENT_USER\\Software\\Alpha]\r\n"
            "@=\"alpha default\"\r\n"
            "\"Recent\"=\"C:\\\\alpha\\\\file.txt\"\r\n"
            "\"Count\"=dword:00000003\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Beta]\r\n"
            "\"InstallDir\"=\"C:\\\\Program Files\\\\Beta\"\r\n");
  }
  NonMicrosoftDatabase Database() const { return NonMicrosoftDatabase(DatabasePath()); }
};

TEST_F(DatabaseTest, TheDatabaseLiesBesideTheExecutable) {
  EXPECT_EQ(DatabasePath(), ExeFolder() + "WKS.db");
}

TEST_F(DatabaseTest, AMissingOrEmptyFileListsNothing) {
  EXPECT_TRUE(Database().ApplicationNames().empty());
  WriteDatabase("");
  EXPECT_TRUE(Database().ApplicationNames().empty());
}

TEST_F(DatabaseTest, ListsSectionsInFileOrder) {
  WriteDatabase("[Zeta]\r\nCheck=HKCU|Software\\Alpha\r\n[alpha]\r\n[Mid]\r\n[Zeta]\r\n");
  EXPECT_EQ(Database().ApplicationNames(), (Rows{"Zeta", "alpha", "Mid", "Zeta"}));
}

TEST_F(DatabaseTest, AnApplicationIsInstalledWhenTheKeyOfItsCheckExists) {
  WriteDatabase("[Two]\r\nCheck=HKCU|Software\\Alpha\r\n"
                "[Three]\r\nCheck=HKCU|Software\\Alpha|NoSuchValue\r\n"
                "[Machine]\r\nCheck=HKLM|SOFTWARE\\Beta\r\n"
                "[Missing]\r\nCheck=HKCU|Software\\Gamma\r\n"
                "[LowerRoot]\r\nCheck=hklm|SOFTWARE\\Beta\r\n"
                "[NoCheck]\r\nRecent=HKCU|Software\\Alpha|Recent\r\n"
                "[RootOnly]\r\nCheck=HKCU\r\n"
                "[Empty]\r\nCheck=\r\n");
  const NonMicrosoftDatabase database = Database();
  EXPECT_TRUE(database.IsInstalled("Two"));
  EXPECT_TRUE(database.IsInstalled("three"));
  EXPECT_TRUE(database.IsInstalled("Machine"));
  EXPECT_FALSE(database.IsInstalled("Missing"));
  EXPECT_FALSE(database.IsInstalled("LowerRoot")) << "an unknown root reads the current user";
  EXPECT_FALSE(database.IsInstalled("NoCheck"));
  EXPECT_FALSE(database.IsInstalled("RootOnly"));
  EXPECT_FALSE(database.IsInstalled("Empty"));
  EXPECT_FALSE(database.IsInstalled("NotASection"));
}

TEST_F(DatabaseTest, PreviewRowsFollowTheKeysInFileOrderWithoutCheck) {
  WriteDatabase("[Alpha]\r\n"
                "Recent file=HKCU|Software\\Alpha|Recent\r\n"
                "check=HKCU|Software\\Alpha\r\n"
                "Default=HKCU|Software\\Alpha|\r\n"
                "Two parts=HKCU|Software\\Alpha\r\n"
                "Four parts=HKCU|Software\\Alpha|Recent|x\r\n"
                "Machine=HKLM|SOFTWARE\\Beta|InstallDir\r\n"
                "Missing value=HKCU|Software\\Alpha|Nothing\r\n"
                "Missing key=HKCU|Software\\Gamma|Recent\r\n"
                "One part=HKCU\r\n"
                "Empty=\r\n"
                "Quoted=\"HKCU|Software\\Alpha|Recent\"\r\n");
  EXPECT_EQ(
      Database().PreviewRows("alpha"),
      (Rows{"Recent file=C:\\alpha\\file.txt", "Default=alpha default", "Two parts=alpha default",
            "Four parts=alpha default", "Machine=C:\\Program Files\\Beta", "Missing value=",
            "Missing key=", "One part=", "Empty=", "Quoted=C:\\alpha\\file.txt"}));
}

TEST_F(DatabaseTest, OnlyACheckGivesNoRows) {
  WriteDatabase("[Alpha]\r\nCheck=HKCU|Software\\Alpha\r\n");
  EXPECT_TRUE(Database().PreviewRows("Alpha").empty());
}

TEST_F(DatabaseTest, ANonTextValueRaises) {
  WriteDatabase(
      "[Alpha]\r\nRecent=HKCU|Software\\Alpha|Recent\r\nCount=HKCU|Software\\Alpha|Count\r\n");
  EXPECT_THROW(Database().PreviewRows("Alpha"), ERegistryException);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

} // namespace
} // namespace tw
