#include <gtest/gtest.h>

#include "readers/software.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using test::Rows;

class SoftwareListTest : public test::ReaderTest {
protected:
  void SetUp() override { LoadFixture("catalog.reg"); }
};

TEST_F(SoftwareListTest, ValueListingsShowNameAndTextAsStored) {
  EXPECT_EQ(Run(ReadAppCompatibility),
            (Rows{"C:\\Program Files\\Old Game\\game.exe=WIN98",
                  "C:\\Tools\\legacy.exe=WINXPSP2 256COLOR", "C:\\Tools\\numbered.exe="}));
  EXPECT_EQ(Run(ReadFonts),
            (Rows{"Arial (TrueType)=ARIAL.TTF", "Courier 10,12,15=COURE.FON",
                  "Tahoma (TrueType)=tahoma.ttf", "Marlett (TrueType)=marlett.ttf"}));
  EXPECT_EQ(Run(ReadHelpFiles),
            (Rows{"windows.hlp=C:\\WINDOWS\\Help", "notepad.hlp=C:\\WINDOWS\\Help",
                  "acme.hlp=C:\\Program Files\\Acme"}));
  EXPECT_EQ(Run(ReadHtmlHelpFiles),
            (Rows{"windows.chm=C:\\WINDOWS\\Help", "iexplore.chm=C:\\WINDOWS\\Help"}));
}

TEST_F(SoftwareListTest, PlacesBarNumbersShowAnEmptyValueAndPathsTheirText) {
  EXPECT_EQ(Run(ReadPlacesBar),
            (Rows{"Place0=", "Place1=C:\\Cases", "Place2=", "Place3=%USERPROFILE%\\Evidence"}));
}

TEST_F(SoftwareListTest, FirewallProfilesAreReadSeparately) {
  EXPECT_EQ(Run(ReadFirewallDomainProfile),
            Rows{"C:\\Program Files\\Messenger\\msmsgs.exe=C:\\Program "
                 "Files\\Messenger\\msmsgs.exe:*:Enabled:Windows Messenger"});
  EXPECT_EQ(Run(ReadFirewallStandardProfile).size(), 3u);
}

TEST_F(SoftwareListTest, ShellFoldersOfUserAndMachineAreTheSamePathInTwoHives) {
  EXPECT_EQ(Run(ReadUserShellFolders),
            (Rows{"!Do not use this registry key=Use the SHGetFolderPath or SHGetKnownFolderPath "
                  "function instead",
                  "Desktop=C:\\Documents and Settings\\Examiner\\Desktop",
                  "Personal=C:\\Documents and Settings\\Examiner\\My Documents",
                  "Cookies=C:\\Documents and Settings\\Examiner\\Cookies"}));
  EXPECT_EQ(Run(ReadMachineShellFolders),
            (Rows{"Common Desktop=C:\\Documents and Settings\\All Users\\Desktop",
                  "Common Programs=C:\\Documents and Settings\\All Users\\Start Menu\\Programs",
                  "CommonPictures=C:\\Documents and Settings\\All Users\\Documents\\My Pictures"}));
}

TEST_F(SoftwareListTest, AppPathsShowDefaultValuesUnexpandedAndSkipSubKeysWithoutOne) {
  EXPECT_EQ(Run(ReadAppPaths),
            (Rows{"IEXPLORE.EXE=C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE",
                  "wordpad.exe=%ProgramFiles%\\Windows NT\\Accessories\\WORDPAD.EXE"}));
}

TEST_F(SoftwareListTest, ImageFileExecutionListsOnlySubKeysWithADebugger) {
  EXPECT_EQ(Run(ReadImageFileExecution),
            (Rows{"notepad.exe=\"C:\\Tools\\np++.exe\" -notepadStyleCmdline -z",
                  "taskmgr.exe=C:\\Tools\\procexp.exe",
                  "Your Image File Name Here without a debugger=ntsd -d"}));
}

TEST_F(SoftwareListTest, InstalledSoftwarePairsNamesWithUninstallCommands) {
  // Entries missing either text, or with a name that is not text, are left out; two entries
  // with the same name both stay.
  EXPECT_EQ(Run(ReadInstalledSoftware),
            (Rows{"Acme Tools=\"C:\\Program Files\\Acme\\uninst.exe\"",
                  "Acme Tools=\"C:\\Program Files\\Acme 2\\uninst.exe\" /S",
                  "Windows XP Hotfix - "
                  "KB873339=%windir%\\$NtUninstallKB873339$\\spuninst\\spuninst.exe",
                  "Acme Viewer 2.0=MsiExec.exe /I{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"}));
}

TEST_F(SoftwareListTest, NumberedListsShowNamesOnlyInEnumerationOrder) {
  EXPECT_EQ(Run(ReadInstallerFolders),
            (Rows{"1=C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Acme\\",
                  "2=C:\\Program Files\\Acme\\",
                  "3=C:\\WINDOWS\\Installer\\{3F2504E0-4F89-11D3-9A0C-0305E82C3301}\\"}));
  EXPECT_EQ(Run(ReadSharedDlls),
            (Rows{"1=C:\\Program Files\\Common Files\\Acme\\acme.dll",
                  "2=C:\\WINDOWS\\system32\\mfc42.dll", "3=C:\\WINDOWS\\system32\\msvcp60.dll"}));
}

class SoftwarePatternTest : public test::ReaderTest {
protected:
  Rows RunPattern(void (*pattern)(ReaderContext&, RegKey, std::string_view)) {
    TStringList rows;
    TStringList s1;
    TStringList s2;
    ReaderContext ctx{rows, s1, s2};
    pattern(ctx, reg::kCurrentUser, "Software\\K");
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    return rows.ToVector();
  }
};

TEST_F(SoftwarePatternTest, ValueListingGivesTheDefaultValueAnEmptyName) {
  LoadReg(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\K]\r\n@=\"default\"\r\n\"a\"=hex(7):61,00,00\r\n"
      "\"b\"=hex(2):25,54,45,4d,50,25,00\r\n");
  EXPECT_EQ(RunPattern(ListValueRows), (Rows{"=default", "a=", "b=%TEMP%"}));
}

TEST_F(SoftwarePatternTest, SubKeyProbeSkipsEmptyMissingAndNonTextValues) {
  LoadReg("REGEDIT4\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\a]\r\n\"V\"=\"text\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\b]\r\n\"V\"=\"\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\c]\r\n\"V\"=dword:00000001\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\d]\r\n\"W\"=\"other\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\e]\r\n\"v\"=\"any case\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\e\\deeper]\r\n\"V\"=\"not visited\"\r\n");
  TStringList rows;
  TStringList s1;
  TStringList s2;
  ReaderContext ctx{rows, s1, s2};
  ProbeSubKeys(ctx, reg::kCurrentUser, "Software\\K", "V");
  EXPECT_EQ(rows.ToVector(), (Rows{"a=text", "e=any case"}));
}

TEST_F(SoftwarePatternTest, UninstallPairingNeedsBothTexts) {
  LoadReg("REGEDIT4\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\a]\r\n\"DisplayName\"=\"A\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\b]\r\n\"UninstallString\"=\"B\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\c]\r\n\"DisplayName\"=\"Same\"\r\n"
          "\"UninstallString\"=\"c.exe\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\d]\r\n\"DisplayName\"=\"\"\r\n"
          "\"UninstallString\"=\"d.exe\"\r\n"
          "[HKEY_CURRENT_USER\\Software\\K\\e]\r\n\"DisplayName\"=\"Same\"\r\n"
          "\"UninstallString\"=\"e.exe\"\r\n");
  EXPECT_EQ(RunPattern(PairUninstallEntries), (Rows{"Same=c.exe", "Same=e.exe"}));
}

TEST_F(SoftwarePatternTest, NumberedNamesCountFromOneWithoutReadingData) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\K]\r\n\"z\"=dword:00000003\r\n"
          "\"a\"=\"data\"\r\n\"m\"=hex:00\r\n");
  EXPECT_EQ(RunPattern(NumberValueNames), (Rows{"1=z", "2=a", "3=m"}));
}

// Every item is one pattern on one fixed key in one hive: a key of the same path in the other
// hive is not read.
struct ItemKey {
  const char* name;
  ReaderFn reader;
  const char* hive;
  const char* otherHive;
  const char* path;
  const char* probe; // the subkey value the item looks for, or null for value listings
  Rows rows;
};

void PrintTo(const ItemKey& item, std::ostream* os) {
  *os << item.name;
}

class SoftwareItemKeyTest : public test::ReaderTest, public testing::WithParamInterface<ItemKey> {};

TEST_P(SoftwareItemKeyTest, ReadsItsKeyInItsHiveOnly) {
  const ItemKey& item = GetParam();
  EXPECT_TRUE(Run(item.reader).empty()) << "a missing key gives no rows";
  const std::string body =
      item.probe == nullptr
          ? std::string("]\r\n\"x\"=\"1\"\r\n")
          : std::string("\\sub]\r\n") +
                (*item.probe ? std::string("\"") + item.probe + "\"" : std::string("@")) +
                "=\"1\"\r\n\"DisplayName\"=\"n\"\r\n";
  LoadReg(std::string("REGEDIT4\r\n[") + item.otherHive + "\\" + item.path + body);
  EXPECT_TRUE(Run(item.reader).empty()) << "the other hive is not read";
  LoadReg(std::string("REGEDIT4\r\n[") + item.hive + "\\" + item.path + body);
  EXPECT_EQ(Run(item.reader), item.rows);
}

constexpr const char* kCu = "HKEY_CURRENT_USER";
constexpr const char* kLm = "HKEY_LOCAL_MACHINE";

INSTANTIATE_TEST_SUITE_P(
    Items, SoftwareItemKeyTest,
    testing::Values(
        ItemKey{"AppCompatibility",
                ReadAppCompatibility,
                kCu,
                kLm,
                "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers",
                nullptr,
                {"x=1"}},
        ItemKey{"AppPaths",
                ReadAppPaths,
                kLm,
                kCu,
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths",
                "",
                {"sub=1"}},
        ItemKey{"PlacesBar",
                ReadPlacesBar,
                kCu,
                kLm,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\comdlg32\\Placesbar",
                nullptr,
                {"x=1"}},
        ItemKey{"FirewallDomainProfile",
                ReadFirewallDomainProfile,
                kLm,
                kCu,
                "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\"
                "DomainProfile\\AuthorizedApplications\\List",
                nullptr,
                {"x=1"}},
        ItemKey{"FirewallStandardProfile",
                ReadFirewallStandardProfile,
                kLm,
                kCu,
                "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\"
                "StandardProfile\\AuthorizedApplications\\List",
                nullptr,
                {"x=1"}},
        ItemKey{"Fonts",
                ReadFonts,
                kLm,
                kCu,
                "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                nullptr,
                {"x=1"}},
        ItemKey{"HelpFiles",
                ReadHelpFiles,
                kLm,
                kCu,
                "Software\\Microsoft\\Windows\\Help",
                nullptr,
                {"x=1"}},
        ItemKey{"HtmlHelpFiles",
                ReadHtmlHelpFiles,
                kLm,
                kCu,
                "SOFTWARE\\Microsoft\\Windows\\HTML Help",
                nullptr,
                {"x=1"}},
        ItemKey{"ImageFileExecution",
                ReadImageFileExecution,
                kLm,
                kCu,
                "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options",
                "Debugger",
                {"sub=1"}},
        ItemKey{"InstalledSoftware",
                ReadInstalledSoftware,
                kLm,
                kCu,
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                "UninstallString",
                {"n=1"}},
        ItemKey{"InstallerFolders",
                ReadInstallerFolders,
                kLm,
                kCu,
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
                nullptr,
                {"1=x"}},
        ItemKey{"SharedDlls",
                ReadSharedDlls,
                kLm,
                kCu,
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
                nullptr,
                {"1=x"}},
        ItemKey{"UserShellFolders",
                ReadUserShellFolders,
                kCu,
                kLm,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                nullptr,
                {"x=1"}},
        ItemKey{"MachineShellFolders",
                ReadMachineShellFolders,
                kLm,
                kCu,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                nullptr,
                {"x=1"}}),
    [](const testing::TestParamInfo<ItemKey>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tw
