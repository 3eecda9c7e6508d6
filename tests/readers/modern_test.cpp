#include <gtest/gtest.h>

#include <algorithm>

#include "readers/modern.h"
#include "support/binary_values.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using namespace test::binary;
using test::Rows;

constexpr const char* kHkcuExplorer =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

std::string Reg(std::initializer_list<std::string> lines) {
  std::string text = "REGEDIT4\r\n";
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

// A binary value line; backslashes in the name are escaped as ".reg" text needs.
std::string Value(std::string_view name, const Buffer& data) {
  std::string escaped;
  for (const char c : name)
    escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return "\"" + escaped + "\"=" + RegHex(data);
}

Buffer SystemTime(unsigned y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s) {
  Buffer b;
  for (const unsigned v : {y, mo, 0u, d, h, mi, s, 0u})
    Put16(b, v);
  return b;
}

Buffer FileTimeBytes(std::uint64_t ft) {
  Buffer b;
  Put64(b, ft);
  return b;
}

class ModernReaderTest : public test::ReaderTest {};

TEST_F(ModernReaderTest, UserAssistDecodesNamesAndRecordsOfEachGuid) {
  const Buffer record = UserAssistRecordBytes(7, 2, 61'000, 132274943990000000ull);
  LoadReg(Reg(
      {std::string(kHkcuExplorer) + "\\UserAssist\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count]",
       // "{1AC14E77-...}\calc.exe" and "HRZR_PGYFRFFVBA" under ROT13
       Value("{1NP14R77-02R7-4R5Q-O744-2RO1NR5198O7}\\pnyp.rkr", record),
       Value("HRZR_PGYFRFFVBA", Buffer(16, 1)),
       std::string(kHkcuExplorer) + "\\UserAssist\\{F4E57C4B-2036-45F0-A9AB-443BCFE33D9F}\\Count]",
       Value("P:\\Hfref\\n.yax", record)}));
  EXPECT_EQ(Run(ReadUserAssistCEBFF5CD),
            (Rows{"System32\\calc.exe=Run Count 7, Focus Count 2, Focus Time 00:01:01, Last Run "
                  "2020-02-29 23:59:59",
                  "UEME_CTLSESSION=(undecodable: 16 bytes)"}));
  EXPECT_EQ(Run(ReadUserAssistF4E57C4B),
            (Rows{"C:\\Users\\a.lnk=Run Count 7, Focus Count 2, Focus Time 00:01:01, Last Run "
                  "2020-02-29 23:59:59"}));
}

TEST_F(ModernReaderTest, PidlListsFollowMruListExAndSkipWhatItDoesNotName) {
  const Buffer report =
      List({RootItem(0x50, kMyComputer), DriveItem("C:\\"), FileItem("R.TXT", "report.txt")});
  const Buffer share = List({NetworkItem("\\\\srv\\cases"), FileItem("A.TXT")});
  Buffer visited = Utf16Z("notepad.exe");
  const Buffer temp = List({RootItem(0x50, kMyComputer), DriveItem("D:\\"), FileItem("TEMP")});
  visited.insert(visited.end(), temp.begin(), temp.end());
  LoadReg(Reg({std::string(kHkcuExplorer) + "\\ComDlg32\\OpenSavePidlMRU\\*]",
               Value("MRUListEx", MruListEx({1, 0, 5})), Value("0", report), Value("1", share),
               Value("2", report), // not in the list: left out
               std::string(kHkcuExplorer) + "\\ComDlg32\\OpenSavePidlMRU\\txt]",
               Value("MRUListEx", MruListEx({0})), Value("0", Buffer{0x20, 0x00, 0x1F}),
               std::string(kHkcuExplorer) + "\\ComDlg32\\LastVisitedPidlMRU]",
               Value("MRUListEx", MruListEx({0})), Value("0", visited)}));
  EXPECT_EQ(Run(ReadOpenSavePidlMru), (Rows{"*\\1=\\\\srv\\cases\\A.TXT", "*\\0=C:\\report.txt",
                                            "txt\\0=(undecodable: 3 bytes)"}));
  EXPECT_EQ(Run(ReadLastVisitedPidlMru), (Rows{"notepad.exe=D:\\TEMP"}));
}

TEST_F(ModernReaderTest, RecentDocsAndSearchTermsAreUtf16NamesInListOrder) {
  Buffer doc = Utf16Z("plan.docx");
  doc.insert(doc.end(), {0x14, 0x00, 0x32, 0x00}); // the shortcut's item follows the name
  LoadReg(
      Reg({std::string(kHkcuExplorer) + "\\RecentDocs]", Value("MRUListEx", MruListEx({2, 0})),
           Value("0", doc), Value("2", Buffer{'x', 0, 'y'}),
           std::string(kHkcuExplorer) + "\\RecentDocs\\.docx]", Value("MRUListEx", MruListEx({0})),
           Value("0", doc), std::string(kHkcuExplorer) + "\\WordWheelQuery]",
           Value("MRUListEx", MruListEx({1, 0})), Value("0", Utf16Z("invoice")),
           Value("1", Utf16Z("passwords"))}));
  EXPECT_EQ(Run(ReadRecentDocs),
            (Rows{"2=(undecodable: 3 bytes)", "0=plan.docx", ".docx\\0=plan.docx"}));
  EXPECT_EQ(Run(ReadWordWheelQuery), (Rows{"1=passwords", "0=invoice"}));
}

TEST_F(ModernReaderTest, RemoteDesktopServersCarryTheirUserNameHints) {
  LoadReg(
      Reg({"[HKEY_CURRENT_USER\\Software\\Microsoft\\Terminal Server Client\\Default]",
           "\"MRU0\"=\"10.0.0.5\"",
           "[HKEY_CURRENT_USER\\Software\\Microsoft\\Terminal Server Client\\Servers\\10.0.0.5]",
           "\"UsernameHint\"=\"CORP\\\\admin\"",
           "[HKEY_CURRENT_USER\\Software\\Microsoft\\Terminal Server Client\\Servers\\jump]"}));
  EXPECT_EQ(Run(ReadTerminalServerClient),
            (Rows{"MRU0=10.0.0.5", "10.0.0.5=CORP\\admin", "jump="}));
}

TEST_F(ModernReaderTest, ClassesMuiCacheDropsTheLanguageMarker) {
  LoadReg(Reg({"[HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\Software\\Microsoft\\"
               "Windows\\Shell\\MuiCache]",
               "\"LangID\"=hex:09,04", "\"C:\\\\Tools\\\\x.exe.FriendlyAppName\"=\"X Tool\""}));
  EXPECT_EQ(Run(ReadClassesMuiCache), (Rows{"X Tool=C:\\Tools\\x.exe.FriendlyAppName"}));
}

TEST_F(ModernReaderTest, BamAndDamReadBothKeyFormsAndOnlyTheirStamps) {
  const std::string services = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
  LoadReg(
      Reg({services + "bam\\State\\UserSettings\\S-1-5-21-1]", "\"Version\"=dword:00000001",
           Value("\\Device\\HarddiskVolume2\\Windows\\a.exe", FileTimeBytes(132274943990000000ull)),
           Value("\\Device\\HarddiskVolume2\\b.exe", Buffer{1, 2, 3}),
           services + "bam\\UserSettings\\S-1-5-21-2]",
           Value("Microsoft.Photos", FileTimeBytes(116444736000000000ull)),
           services + "dam\\UserSettings\\S-1-5-21-1]",
           Value("\\Device\\HarddiskVolume2\\c.exe", FileTimeBytes(0))}));
  EXPECT_EQ(Run(ReadBamDam),
            (Rows{"\\Device\\HarddiskVolume2\\Windows\\a.exe=2020-02-29 23:59:59, bam, S-1-5-21-1",
                  "\\Device\\HarddiskVolume2\\b.exe=(undecodable: 3 bytes), bam, S-1-5-21-1",
                  "Microsoft.Photos=1970-01-01 00:00:00, bam, S-1-5-21-2",
                  "\\Device\\HarddiskVolume2\\c.exe=(never), dam, S-1-5-21-1"}));
}

TEST_F(ModernReaderTest, NetworkProfilesShowFirstAndLastConnection) {
  const std::string profiles = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\"
                               "CurrentVersion\\NetworkList\\Profiles\\";
  LoadReg(Reg({profiles + "{A1}]", "\"ProfileName\"=\"HomeWiFi\"",
               Value("DateCreated", SystemTime(2019, 7, 17, 8, 9, 10)),
               Value("DateLastConnected", SystemTime(2021, 1, 2, 3, 4, 5)), profiles + "{B2}]",
               "\"ProfileName\"=\"Cafe\"", Value("DateCreated", Buffer(8, 0))}));
  EXPECT_EQ(Run(ReadNetworkListProfiles),
            (Rows{"HomeWiFi=First Connected 2019-07-17 08:09:10, Last Connected 2021-01-02 "
                  "03:04:05",
                  "Cafe=First Connected (undecodable: 8 bytes), Last Connected (undecodable: 0 "
                  "bytes)"}));
}

TEST_F(ModernReaderTest, UsbStorageListsEachSerialWithItsFriendlyName) {
  const std::string usbstor = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBSTOR\\";
  LoadReg(Reg({usbstor + "Disk&Ven_SanDisk&Prod_Cruzer&Rev_1.00\\4C53000123&0]",
               "\"FriendlyName\"=\"SanDisk Cruzer USB Device\"",
               usbstor + "Disk&Ven_SanDisk&Prod_Cruzer&Rev_1.00\\4C53000999&0]",
               usbstor + "Disk&Ven_Kingston&Prod_DT&Rev_PMAP\\0019E06B&0]",
               "\"FriendlyName\"=\"Kingston DT USB Device\""}));
  EXPECT_EQ(Run(ReadUsbStorage),
            (Rows{"Disk&Ven_Kingston&Prod_DT&Rev_PMAP\\0019E06B&0=Kingston DT USB Device",
                  "Disk&Ven_SanDisk&Prod_Cruzer&Rev_1.00\\4C53000123&0=SanDisk Cruzer USB Device",
                  "Disk&Ven_SanDisk&Prod_Cruzer&Rev_1.00\\4C53000999&0="}));
}

TEST_F(ModernReaderTest, TheThirtyTwoBitViewHasItsOwnRunAndUninstallKeys) {
  const std::string wow = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\"
                          "CurrentVersion\\";
  LoadReg(Reg({wow + "Run]", "\"Updater\"=\"C:\\\\x86\\\\upd.exe\"", wow + "RunOnce]",
               "\"Once\"=\"setup.exe /finish\"", wow + "Uninstall\\{G1}]",
               "\"DisplayName\"=\"Old App\"", "\"UninstallString\"=\"msiexec /x {G1}\"",
               wow + "Uninstall\\NoString]", "\"DisplayName\"=\"Half\"",
               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]",
               "\"Native\"=\"n.exe\""}));
  EXPECT_EQ(Run(ReadWow64Startup),
            (Rows{"Run\\Updater=C:\\x86\\upd.exe", "RunOnce\\Once=setup.exe /finish"}));
  EXPECT_EQ(Run(ReadWow64InstalledSoftware), (Rows{"Old App=msiexec /x {G1}"}));
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// A real Windows 7 user's traces. The expected entries are what RegRipper's userassist,
// wordwheelquery and recentdocs plugins report for the same hive: its "(N)" is our run count,
// its time stamp our last run, its GUID prefix our folder name; its MRU lists match ours
// entry for entry and in order.
class RealHiveTest : public test::ReaderTest {
protected:
  void SetUp() override { LoadFixture("win7_ntuser_excerpt.reg"); }
  static bool Has(const Rows& rows, const std::string& row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
  }
};

TEST_F(RealHiveTest, UserAssistAgreesWithThePeer) {
  const Rows rows = Run(ReadUserAssistCEBFF5CD);
  EXPECT_EQ(rows.size(), 19u);
  for (const char* row :
       {"SysWOW64\\cmd.exe=Run Count 2, Focus Count 2, Focus Time 00:10:11, Last Run 2012-04-04 "
        "15:52:45",
        "Windows\\explorer.exe=Run Count 4, Focus Count 13, Focus Time 00:20:16, Last Run "
        "2012-04-04 15:44:37",
        "Program Files (x86)\\Microsoft Office\\Office14\\EXCEL.EXE=Run Count 4, Focus Count 1, "
        "Focus Time 00:00:47, Last Run 2012-04-04 15:43:14",
        "C:\\dllhot.exe=Run Count 1, Focus Count 0, Focus Time 00:00:00, Last Run 2012-04-03 "
        "22:12:41",
        "UEME_CTLCUACount:ctor=Run Count 0, Focus Count 0, Focus Time 00:00:00, Last Run (never)"})
    EXPECT_TRUE(Has(rows, row)) << row;
  EXPECT_TRUE(Has(Run(ReadUserAssistF4E57C4B),
                  "User Pinned\\TaskBar\\Windows Explorer.lnk=Run Count 4, Focus Count 0, Focus "
                  "Time 00:00:00, Last Run 2012-04-04 15:44:37"));
}

TEST_F(RealHiveTest, SearchTermsAndRecentDocsFollowTheSameOrderAsThePeer) {
  EXPECT_EQ(Run(ReadWordWheelQuery), (Rows{"1=alloy", "5=test-plan", "4=vibranium", "3=accounts",
                                           "2=myron maclain", "0=adamantium"}));
  const Rows docs = Run(ReadRecentDocs);
  ASSERT_GE(docs.size(), 14u);
  EXPECT_EQ(
      Rows(docs.begin(), docs.begin() + 14),
      (Rows{"9=Agents-List-CLASSIFIED-TOP-SECRET",
            "10=Undercover-Agents-List-For-United-Kingdom.xls",
            "8=Undercover-Agents-List-For-United-States.xlsx", "7=CC R&D Backstopped Accounts",
            "6=CC-Backstopped-Accounts.xlsx", "5=HQ", "4=hq-1.JPG", "2=Carrier Landing Pad",
            "3=clp-2 - Fuel Hookup.JPG", "1=clp-1.JPG", "0=Downloads", ".JPG\\2=hq-1.JPG",
            ".JPG\\1=clp-2 - Fuel Hookup.JPG", ".JPG\\0=clp-1.JPG"}));
}

} // namespace
} // namespace tw
