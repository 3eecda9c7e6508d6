// Start-up and the header band: the one registry write, the captions, further windows, and
// the small handlers of the header.

#include <gtest/gtest.h>

#include "app/form_host.h"
#include "app/WKS_Main.h"
#include "registry/registry.h"
#include "runtime/exceptions.h"
#include "support/platform.h"

namespace tw {
namespace {

class StartupTest : public test::PortablePlatformTest {
protected:
  StartupTest() { form.SetHandle(0x4242); }
  void Click(TControl& control) { control.Click(); }

  PortableFormHost forms;
  ScopedSeam<FormHost> formsSeam{forms};
  TWKSForm form;
};

TEST_F(StartupTest, RecordsTheProgramsPathAndSetsTheCaptions) {
  WriteDatabase(
      "[Present]\r\nCheck=HKCU|Software\\Present\r\n[Absent]\r\nCheck=HKCU|Software\\Absent\r\n"
      "[Also absent]\r\nCheck=HKLM|SOFTWARE\\Nothing\r\n");
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Present]\r\n");
  form.FormCreate(form);
  EXPECT_EQ(ReadUserString("Velmo", "09"), ExeFolder() + "Trailwick.exe");
  EXPECT_EQ(form.title.Caption(), "Trailwick");
  EXPECT_FALSE(form.cpr.Caption().empty());
  EXPECT_EQ(form.ZCap.Caption(), "WKS List : 34 items");
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 1/3 items");
  EXPECT_EQ(form.NMList.Items().ToVector(), std::vector<std::string>{"Present"});
  EXPECT_EQ(form.ZList.ItemIndex(), -1);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 0");
}

TEST_F(StartupTest, OverwritesAnEarlierPathAndNothingElse) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Velmo]\r\n\"09\"=\"C:\\\\Old\\\\trailwick."
          "exe\"\r\n\"10\"=\"kept\"\r\n");
  form.FormCreate(form);
  EXPECT_EQ(ReadUserString("Velmo", "09"), ExeFolder() + "Trailwick.exe");
  EXPECT_EQ(ReadUserString("Velmo", "10"), "kept");
}

TEST_F(StartupTest, AFailedWriteSkipsTheRemainingSteps) {
  WriteDatabase("[Present]\r\nCheck=HKCU|Software\r\n");
  registry.SetKeyAccess(reg::kCurrentUser, "Velmo", KeyAccess::ReadOnly);
  try {
    form.FormCreate(form);
    FAIL() << "no error";
  } catch (const EOleRegistrationError& e) {
    EXPECT_STREQ(e.what(), "Error creating system registry entry");
  }
  EXPECT_EQ(form.title.Caption(), "");
  EXPECT_EQ(form.ZCap.Caption(), "WKS List :");
  EXPECT_EQ(form.Label3.Caption(), "WKS List :");
  EXPECT_EQ(form.NMList.Items().Count(), 0);
}

TEST_F(StartupTest, WithoutDatabaseTheSecondTabCountsNothing) {
  form.FormCreate(form);
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 0/0 items");
}

TEST_F(StartupTest, EachDoubleClickOnTheLogoOpensAFurtherWindow) {
  form.FormCreate(form);
  RegKey velmo = 0;
  registry.OpenKeyEx(reg::kCurrentUser, "Velmo", reg::kAllAccess, &velmo);
  registry.SetValueEx(velmo, "09", reg::kSz, reinterpret_cast<const uint8_t*>("x"), 2);
  registry.CloseKey(velmo);
  form.Icon.DblClick();
  form.Icon.DblClick();
  ASSERT_EQ(forms.forms.size(), 2u);
  for (const auto& other : forms.forms) {
    EXPECT_EQ(other->Parent(), &form);
    EXPECT_EQ(other->ZCap.Caption(), "WKS List : 34 items");
  }
  // Each creation wrote the path again.
  EXPECT_EQ(ReadUserString("Velmo", "09"), ExeFolder() + "Trailwick.exe");
}

TEST_F(StartupTest, TheCreditLineShowsTheBagMruValuesSize) {
  const char* bag = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0";
  form.cpr.Click();
  LoadReg(std::string("REGEDIT4\r\n[") + bag + "]\r\n\"0\"=hex:14,00,1f,50,e0,4f,d0,20\r\n");
  form.cpr.Click();
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"0", "8"}));
  LoadReg(std::string("REGEDIT4\r\n[") + bag + "]\r\n\"0\"=\"text\"\r\n");
  EXPECT_THROW(form.cpr.Click(), ERegistryException);
}

TEST_F(StartupTest, HeaderHandlers) {
  form.title.Click();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(shell.launches.empty());
  form.Label58.DblClick();
  form.Button20.Click();
  ASSERT_EQ(shell.launches.size(), 2u);
  EXPECT_EQ(shell.launches[0], (RecordingShell::Launch{0x4242, ExeFolder()}));
  EXPECT_EQ(shell.launches[0].file.back(), '\\');
  EXPECT_EQ(shell.launches[1].parent, 0x4242u);
  EXPECT_EQ(shell.launches[1].file.rfind("https://", 0), 0u);
  form.Button2.Click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_FALSE(dialogs.messages[0].empty());
}

} // namespace
} // namespace tw
