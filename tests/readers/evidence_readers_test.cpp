// The evidence readers over registries laid out as Windows leaves them, run as the command line
// runs them (rows keeping cells, keys and times) and, where the window shows them, as the
// window does (its rows must not change for the times the command line asks for).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/accounts.h"
#include "readers/byte_fields.h"
#include "readers/execution.h"
#include "readers/history.h"
#include "readers/modern.h"
#include "readers/row_times.h"
#include "readers/userassist.h"
#include "support/binary_values.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using namespace test::binary;
using test::Rows;

uint64_t At(int year, int month, int day, int hour, int minute, int second) {
  return *FileTimeFromCivil(year, month, day, hour, minute, second);
}

std::string Hex64(uint64_t value) {
  Buffer b;
  Put64(b, value);
  return RegHex(b).substr(4);
}

// Windows 10 1703 and later: a 0x34-byte header, then "10ts" entries.
Buffer Windows10Cache(const std::vector<std::pair<std::string, uint64_t>>& programs) {
  Buffer b;
  Put32(b, 0x34);
  b.resize(0x34, 0);
  for (const auto& [path, modified] : programs) {
    Buffer body;
    Put16(body, static_cast<unsigned>(path.size() * 2));
    const Buffer text = Utf16(path);
    body.insert(body.end(), text.begin(), text.end());
    Put64(body, modified);
    Put32(body, 0);
    b.insert(b.end(), {'1', '0', 't', 's'});
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
  }
  return b;
}

// XP: a 400-byte header, then 552-byte entries.
Buffer XpCache(const std::string& path, uint64_t modified, uint64_t size, uint64_t updated) {
  Buffer b;
  Put32(b, 0xDEADBEEF);
  Put32(b, 1);
  b.resize(400, 0);
  Buffer text = Utf16(path);
  text.resize(528, 0);
  b.insert(b.end(), text.begin(), text.end());
  Put64(b, modified);
  Put64(b, size);
  Put64(b, updated);
  return b;
}

class EvidenceReadersTest : public test::ReaderTest {
protected:
  // The rows as the command line keeps them, in reader order.
  std::vector<RowBuffer::Row> RunKept(ReaderFn reader) {
    RowBuffer rows;
    TStringList scratch1, scratch2;
    ReaderContext ctx{rows, scratch1, scratch2};
    reader(ctx);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    return rows.TakeRows();
  }
  static Rows Texts(const std::vector<RowBuffer::Row>& rows) {
    Rows texts;
    for (const RowBuffer::Row& row : rows)
      texts.push_back(row.text);
    return texts;
  }
  static std::vector<std::pair<std::string, uint64_t>> Times(const RowBuffer::Row& row) {
    std::vector<std::pair<std::string, uint64_t>> times;
    for (const RowTime& time : row.times)
      times.emplace_back(time.kind, time.fileTime);
    return times;
  }
};

// --- ShimCache -------------------------------------------------------------------------------

TEST_F(EvidenceReadersTest, ShimCacheReadsEveryControlSetOnceEachLabelled) {
  const uint64_t cmd = At(2019, 3, 19, 4, 44, 1), nc = At(2021, 6, 2, 23, 5, 59);
  const uint64_t notepad = At(2004, 8, 4, 12, 0, 0), updated = At(2008, 1, 2, 3, 4, 5);
  const std::string session = "\\Control\\Session Manager\\";
  LoadReg("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001" + session +
          "AppCompatCache]\n\"AppCompatCache\"=" +
          RegHex(Windows10Cache(
              {{"C:\\Windows\\system32\\cmd.exe", cmd}, {"\\??\\D:\\tools\\nc.exe", nc}})) +
          "\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002" + session +
          "AppCompatibility]\n\"AppCompatCache\"=" +
          RegHex(XpCache("C:\\WINDOWS\\system32\\notepad.exe", notepad, 66048, updated)) +
          // The current set's link would give ControlSet001 twice.
          "\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet" + session +
          "AppCompatCache]\n\"AppCompatCache\"=" +
          RegHex(Windows10Cache({{"C:\\twice.exe", cmd}})) + "\n");
  const std::vector<RowBuffer::Row> rows = RunKept(ReadShimCache);
  EXPECT_EQ(Texts(rows),
            (Rows{"ControlSet001=Windows 10 (1703 and later) or 11, 2 entries",
                  "C:\\Windows\\system32\\cmd.exe=ControlSet001, Position 0, Last Modified "
                  "2019-03-19 04:44:01",
                  "\\??\\D:\\tools\\nc.exe=ControlSet001, Position 1, Last Modified 2021-06-02 "
                  "23:05:59",
                  "ControlSet002=Windows XP, 32-bit, 1 entry",
                  "C:\\WINDOWS\\system32\\notepad.exe=ControlSet002, Position 0, Last Modified "
                  "2004-08-04 12:00:00, Size 66048, Last Update 2008-01-02 03:04:05"}));
  EXPECT_EQ(rows[1].key.path, "SYSTEM\\ControlSet001\\Control\\Session Manager\\AppCompatCache");
  EXPECT_EQ(Times(rows[2]), (std::vector<std::pair<std::string, uint64_t>>{
                                {std::string(when::kFileModified), nc}}));
  EXPECT_EQ(Times(rows[4]), (std::vector<std::pair<std::string, uint64_t>>{
                                {std::string(when::kFileModified), notepad},
                                {std::string(when::kCacheEntryUpdated), updated}}));
  EXPECT_TRUE(rows[0].times.empty());
  // The window shows the same rows.
  EXPECT_EQ(Run(ReadShimCache), Texts(rows));
}

TEST_F(EvidenceReadersTest, ADamagedCacheGivesTheEntriesBeforeTheDamageAndSaysSo) {
  // The last entry's size runs past the cut.
  Buffer cache = Windows10Cache({{"C:\\a.exe", At(2020, 1, 1, 0, 0, 0)}, {"C:\\b.exe", 1}});
  cache.erase(cache.end() - 6, cache.end());
  LoadReg("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Control\\Session "
          "Manager\\AppCompatCache]\n\"AppCompatCache\"=" +
          RegHex(cache) +
          "\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Control\\Session "
          "Manager\\AppCompatCache]\n\"AppCompatCache\"=hex:01,02,03\n");
  EXPECT_EQ(Run(ReadShimCache),
            (Rows{"ControlSet001=Windows 10 (1703 and later) or 11, 1 entry (damaged: an entry "
                  "points past the end of the data)",
                  "C:\\a.exe=ControlSet001, Position 0, Last Modified 2020-01-01 00:00:00",
                  "ControlSet002=(undecodable: 3 bytes)"}));
}

// --- USB storage -----------------------------------------------------------------------------

TEST_F(EvidenceReadersTest, UsbStorageGivesTheDevicesTimesDriveAndVolume) {
  const std::string device = "Disk&Ven_SanDisk&Prod_Cruzer&Rev_1.00";
  const std::string serial = "4C530001&0";
  const std::string enumKey =
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBSTOR\\" + device + "\\" + serial;
  const std::string set = enumKey + "\\Properties\\{83da6326-97a6-4088-9453-a1923f573b29}\\";
  const uint64_t installed = At(2023, 2, 1, 9, 0, 0), arrived = At(2024, 4, 5, 10, 11, 12);
  const uint64_t removed = At(2024, 4, 5, 11, 0, 1);
  const std::string path =
      "_??_USBSTOR#" + device + "#" + serial + "#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}";
  LoadReg("REGEDIT4\n\n" + enumKey + "]\n\"FriendlyName\"=\"SanDisk Cruzer USB Device\"\n\n" + set +
          "0064]\n@=hex(ffff0010):" + Hex64(installed) + "\n\n" + set +
          "0066]\n@=hex(ffff0010):" + Hex64(arrived) + "\n\n" + set +
          "0067]\n@=hex(ffff0010):" + Hex64(removed) + "\n\n" + set +
          // A property of another type is no time.
          "0065]\n@=hex(ffff0012):41,00,00,00\n\n"
          "[HKEY_LOCAL_MACHINE\\SYSTEM\\MountedDevices]\n"
          "\"\\\\??\\\\Volume{0a1b2c3d-1111-2222-3333-444455556666}\"=" +
          RegHex(Utf16(path)) + "\n\"\\\\DosDevices\\\\F:\"=" + RegHex(Utf16(path)) +
          "\n\"\\\\DosDevices\\\\C:\"=hex:5c,be,a0,3e,00,00,10,00,00,00,00,00\n\n"
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows Portable Devices\\Devices\\"
          "WPDBUSENUMROOT#UMB#2&37C186B&0&STORAGE#VOLUME#_??_USBSTOR#DISK&VEN_SANDISK&PROD_"
          "CRUZER&REV_1.00#4C530001&0#]\n\"FriendlyName\"=\"EVIDENCE\"\n\n"
          "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBSTOR\\Disk&Ven_Other\\77&0]\n"
          "\"FriendlyName\"=\"Other USB Device\"\n");
  const std::vector<RowBuffer::Row> rows = RunKept(ReadUsbStorage);
  EXPECT_EQ(Texts(rows),
            (Rows{// A device with nothing more to tell shows as before.
                  "Disk&Ven_Other\\77&0=Other USB Device",
                  device + "\\" + serial +
                      "=SanDisk Cruzer USB Device, Installed 2023-02-01 09:00:00, Last Arrival "
                      "2024-04-05 10:11:12, Last Removal 2024-04-05 11:00:01, Volume "
                      "{0a1b2c3d-1111-2222-3333-444455556666}, Drive F:, Volume Name EVIDENCE"}));
  EXPECT_TRUE(rows[0].times.empty());
  EXPECT_EQ(Times(rows[1]), (std::vector<std::pair<std::string, uint64_t>>{
                                {std::string(when::kDeviceInstalled), installed},
                                {std::string(when::kDeviceLastArrival), arrived},
                                {std::string(when::kDeviceLastRemoval), removed}}));
}

// --- Most-recently-used lists and their key times ----------------------------------------------

TEST_F(EvidenceReadersTest, TheMostRecentEntryOfEachListIsDatedByItsKey) {
  const std::string explorer =
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  const uint64_t typed = At(2022, 12, 24, 18, 30, 0);
  LoadReg("REGEDIT4\n\n" + explorer + "RecentDocs]\n\"MRUListEx\"=" + RegHex(MruListEx({2, 0, 1})) +
          "\n\"0\"=" + RegHex(Utf16Z("a.txt")) + "\n\"1\"=" + RegHex(Utf16Z("b.doc")) +
          "\n\"2\"=" + RegHex(Utf16Z("c.txt")) + "\n\n" + explorer +
          "RecentDocs\\.txt]\n\"MRUListEx\"=" + RegHex(MruListEx({1, 0})) + "\n\"0\"=" +
          RegHex(Utf16Z("a.txt")) + "\n\"1\"=" + RegHex(Utf16Z("c.txt")) + "\n\n" + explorer +
          "RunMRU]\n\"a\"=\"cmd\\\\1\"\n\"b\"=\"regedit\\\\1\"\n\"MRUList\"=\"ba\"\n\n"
          "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\n"
          "\"url1\"=\"http://example.org/\"\n\"url2\"=\"http://example.com/\"\n\n"
          "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLsTime]\n"
          "\"url1\"=hex:" +
          Hex64(typed) + "\n\"url2\"=hex:" + Hex64(typed - 600'000'000) + "\n");
  const auto dated = [&](ReaderFn reader) {
    Rows names;
    for (const RowBuffer::Row& row : RunKept(reader))
      if (row.keyTimeKind == when::kMostRecentEntry)
        names.push_back(row.name);
    return names;
  };
  EXPECT_EQ(dated(ReadRecentDocs), (Rows{"2", ".txt\\1"}));
  EXPECT_EQ(dated(ReadRunMru), (Rows{"b"}));
  EXPECT_EQ(dated(ReadTypedUrls), (Rows{"url1"}));
  const std::vector<RowBuffer::Row> urls = RunKept(ReadTypedUrls);
  ASSERT_EQ(urls.size(), 2u);
  EXPECT_EQ(Times(urls[0]),
            (std::vector<std::pair<std::string, uint64_t>>{{std::string(when::kUrlTyped), typed}}));
  EXPECT_EQ(Times(urls[1]), (std::vector<std::pair<std::string, uint64_t>>{
                                {std::string(when::kUrlTyped), typed - 600'000'000}}));
  // What the command line reads for times leaves the window's rows as they were.
  for (const ReaderFn reader : {ReadRecentDocs, ReadRunMru, ReadTypedUrls})
    EXPECT_EQ(Run(reader), Texts(RunKept(reader)));
  EXPECT_EQ(Run(ReadTypedUrls), (Rows{"url1=http://example.org/", "url2=http://example.com/"}));
}

TEST_F(EvidenceReadersTest, UsageRecordsOfBothFormsGiveTheirLastRun) {
  const uint64_t xp = At(2008, 5, 6, 7, 8, 9), seven = At(2012, 4, 3, 22, 6, 58);
  Buffer xpRecord;
  Put32(xpRecord, 1);
  Put32(xpRecord, 7);
  Put64(xpRecord, xp);
  LoadReg("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
          "Explorer\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count]\n"
          "\"HRZR_EHACNGU:P:\\\\gbbyf\\\\k.rkr\"=" +
          RegHex(xpRecord) + "\n\"HRZR_HV\"=" + RegHex(UserAssistRecordBytes(3, 1, 0, seven)) +
          "\n");
  const std::vector<RowBuffer::Row> rows = RunKept(ReadUserAssist75048700);
  EXPECT_EQ(Texts(rows), (Rows{"1=UEME_RUNPATH:C:\\tools\\x.exe", "2=UEME_UI"}));
  EXPECT_EQ(Texts(rows), Run(ReadUserAssist75048700));
  EXPECT_EQ(Times(rows[0]),
            (std::vector<std::pair<std::string, uint64_t>>{{std::string(when::kLastRun), xp}}));
  EXPECT_EQ(Times(rows[1]),
            (std::vector<std::pair<std::string, uint64_t>>{{std::string(when::kLastRun), seven}}));
}

// --- Network profiles: local times made UTC -----------------------------------------------------

TEST_F(EvidenceReadersTest, NetworkProfileTimesBecomeUtcByTheMachinesTimeZone) {
  const std::string profile =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows "
      "NT\\CurrentVersion\\NetworkList\\Profiles\\{6A1F}]\n"
      "\"ProfileName\"=\"HomeWiFi\"\n"
      "\"DateCreated\"=hex:e5,07,06,00,06,00,05,00,12,00,16,00,29,00,79,01\n"
      "\"DateLastConnected\"=hex:e8,07,05,00,04,00,04,00,10,00,28,00,0c,00,"
      "05,00\n";
  LoadReg(profile);
  std::vector<RowBuffer::Row> rows = RunKept(ReadNetworkListProfiles);
  ASSERT_EQ(rows.size(), 1u);
  const uint64_t created = At(2021, 6, 5, 18, 22, 41) + 377 * 10'000;
  const uint64_t last = At(2024, 5, 4, 16, 40, 12) + 5 * 10'000;
  // No SYSTEM hive: the profile's own local time, said to be so.
  EXPECT_EQ(Times(rows[0]), (std::vector<std::pair<std::string, uint64_t>>{
                                {std::string(when::kFirstConnectedLocal), created},
                                {std::string(when::kLastConnectedLocal), last}}));
  // Two hours east of UTC: the bias is -120 minutes.
  LoadReg("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\"
          "TimeZoneInformation]\n\"ActiveTimeBias\"=dword:ffffff88\n");
  rows = RunKept(ReadNetworkListProfiles);
  const uint64_t twoHours = 2ull * 3600 * 10'000'000;
  EXPECT_EQ(Times(rows[0]), (std::vector<std::pair<std::string, uint64_t>>{
                                {std::string(when::kFirstConnected), created - twoHours},
                                {std::string(when::kLastConnected), last - twoHours}}));
  EXPECT_EQ(rows[0].text, "HomeWiFi=First Connected 2021-06-05 18:22:41, Last Connected "
                          "2024-05-04 16:40:12");
}

// --- SAM accounts ----------------------------------------------------------------------------

Buffer UserF(uint32_t rid, uint64_t lastLogon, uint64_t passwordSet, uint16_t flags,
             uint16_t failed, uint16_t logons) {
  Buffer f(0x50, 0);
  const auto put = [&](std::size_t at, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  put(0x08, lastLogon, 8);
  put(0x18, passwordSet, 8);
  put(0x20, 0x7FFFFFFFFFFFFFFFull, 8);
  put(0x30, rid, 4);
  put(0x38, flags, 2);
  put(0x40, failed, 2);
  put(0x42, logons, 2);
  return f;
}

TEST_F(EvidenceReadersTest, SamAccountsGiveEachUsersFieldsTimesAndGroups) {
  const uint64_t logon = At(2024, 3, 1, 8, 15, 0), password = At(2023, 11, 30, 17, 0, 0);
  const uint64_t created = At(2023, 11, 30, 16, 59, 58);
  const std::string users = "[HKEY_LOCAL_MACHINE\\SAM\\SAM\\Domains\\Account\\Users\\";
  Buffer accountV(0x40, 0x11);
  const Buffer domain = Sid(5, {21, 100, 200, 300});
  accountV.insert(accountV.end(), domain.begin(), domain.end());
  LoadReg(
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SAM\\SAM\\Domains\\Account]\n\"V\"=" + RegHex(accountV) +
      "\n\n" + users + "000003E9]\n\"F\"=" + RegHex(UserF(1001, logon, password, 0x0210, 2, 7)) +
      "\n\"V\"=" + RegHex(VRecord({{0x0C, "alice"}, {0x18, "Alice Example"}, {0x24, "examiner"}})) +
      "\n\n" + users + "000003EA]\n\"F\"=" + RegHex(Buffer(0x30, 0)) + "\n\n" + users +
      "Names\\alice]\n@=hex(3e9):\n\n" + users + "Names\\bob]\n@=hex(3ea):\n\n" +
      "[HKEY_LOCAL_MACHINE\\SAM\\SAM\\Domains\\Builtin\\Aliases\\00000220]\n\"C\"=" +
      RegHex(AliasC(0x220, "Administrators", "", {Sid(5, {21, 100, 200, 300, 1001})})) +
      "\n\n[HKEY_LOCAL_MACHINE\\SAM\\SAM\\Domains\\Builtin\\Aliases\\00000221]\n\"C\"=" +
      RegHex(AliasC(0x221, "Users", "", {Sid(5, {21, 100, 200, 300, 1002})})) + "\n");
  registry.SetKeyTime(reg::kLocalMachine, "SAM\\SAM\\Domains\\Account\\Users\\Names\\alice",
                      created);
  const std::vector<RowBuffer::Row> rows = RunKept(ReadSamAccounts);
  EXPECT_EQ(
      Texts(rows),
      (Rows{"alice\\RID=1001", "alice\\SID=S-1-5-21-100-200-300-1001",
            "alice\\Full Name=Alice Example", "alice\\Comment=examiner",
            "alice\\Account Created=2023-11-30 16:59:58", "alice\\Last Logon=2024-03-01 08:15:00",
            "alice\\Password Last Set=2023-11-30 17:00:00", "alice\\Account Expires=(never)",
            "alice\\Last Failed Logon=(never)", "alice\\Logon Count=7",
            "alice\\Failed Logon Count=2",
            "alice\\Flags=Normal user account, Password does not expire",
            "alice\\Groups=Administrators",
            // A record cut short is named by its Names entry and said so.
            "bob\\RID=1002", "bob\\SID=S-1-5-21-100-200-300-1002", "bob\\Last Logon=(never)",
            "bob\\Password Last Set=(never)", "bob\\Account Expires=(never)",
            "bob\\Last Failed Logon=(never)", "bob\\Groups=Users",
            "bob\\Record=missing (F 48 bytes, V missing)"}));
  std::vector<std::pair<std::string, uint64_t>> times;
  for (const RowBuffer::Row& row : rows)
    for (const auto& time : Times(row))
      times.push_back(time);
  EXPECT_EQ(times, (std::vector<std::pair<std::string, uint64_t>>{
                       {std::string(when::kAccountCreated), created},
                       {std::string(when::kLastLogon), logon},
                       {std::string(when::kPasswordSet), password}}));
}

// --- Amcache ---------------------------------------------------------------------------------

TEST_F(EvidenceReadersTest, AmcacheGivesFilesOfBothLayoutsAndPrograms) {
  const std::string root = "[HKEY_LOCAL_MACHINE\\Amcache.hve\\Root\\";
  const uint64_t inventoried = At(2023, 7, 1, 12, 0, 0), modified = At(2021, 1, 2, 3, 4, 5);
  const uint64_t older = At(2016, 9, 9, 9, 9, 9);
  LoadReg("REGEDIT4\n\n" + root +
          "InventoryApplicationFile\\nc.exe|1a2b]\n"
          "\"LowerCaseLongPath\"=\"c:\\\\tools\\\\nc.exe\"\n"
          "\"FileId\"=\"0000ABCDEF0123456789ABCDEF0123456789ABCDEF01\"\n"
          "\"Size\"=hex(b):d8,b0,00,00,00,00,00,00\n"
          "\"LinkDate\"=\"07/12/2017 03:34:55\"\n\"ProductName\"=\"netcat\"\n"
          "\"Publisher\"=\"CN=Example, O=Example Corp\"\n\"Version\"=\"1.12\"\n\n" +
          root +
          "File\\{ccbe4c57-0000-0000-0000-100000000000}\\100001605a]\n"
          "\"15\"=\"C:\\\\Temp\\\\setup64.exe\"\n"
          "\"101\"=\"0000e992f0c2aa48b763b5f7109ea16b8f800436c27e\"\n"
          "\"11\"=hex(b):" +
          Hex64(modified) + "\n\"17\"=hex(b):" + Hex64(older) + "\n\n" + root +
          "InventoryApplication\\0000f00d]\n\"Name\"=\"7-Zip 16.04 (x64)\"\n"
          "\"Version\"=\"16.04\"\n\"Publisher\"=\"Igor Pavlov\"\n"
          "\"InstallDate\"=\"08/01/2017 13:14:28\"\n\"RootDirPath\"=\"%programfiles%\\\\7-zip\"\n"
          "\"Source\"=\"AddRemoveProgram\"\n");
  registry.SetKeyTime(reg::kLocalMachine,
                      "Amcache.hve\\Root\\InventoryApplicationFile\\nc.exe|1a2b", inventoried);
  const std::vector<RowBuffer::Row> files = RunKept(ReadAmcacheFiles);
  EXPECT_EQ(Texts(files),
            (Rows{"c:\\tools\\nc.exe=SHA-1 abcdef0123456789abcdef0123456789abcdef01, Size 45272, "
                  "Link Date 2017-07-12 03:34:55, Product netcat, Publisher CN=Example, O=Example "
                  "Corp, Version 1.12, Key Written 2023-07-01 12:00:00",
                  "C:\\Temp\\setup64.exe=SHA-1 e992f0c2aa48b763b5f7109ea16b8f800436c27e, Last "
                  "Modified 2021-01-02 03:04:05, Modified (17) 2016-09-09 09:09:09, File "
                  "Reference 100001605a"}));
  EXPECT_EQ(Times(files[0]), (std::vector<std::pair<std::string, uint64_t>>{
                                 {std::string(when::kKeyWritten), inventoried},
                                 {std::string(when::kLinked), At(2017, 7, 12, 3, 34, 55)}}));
  EXPECT_EQ(Times(files[1]), (std::vector<std::pair<std::string, uint64_t>>{
                                 {std::string(when::kFileModified), modified},
                                 {std::string(when::kFileModifiedAgain), older}}));
  const std::vector<RowBuffer::Row> programs = RunKept(ReadAmcachePrograms);
  EXPECT_EQ(Texts(programs),
            (Rows{"7-Zip 16.04 (x64)=Version 16.04, Publisher Igor Pavlov, Installed 2017-08-01 "
                  "13:14:28, Folder %programfiles%\\7-zip, Source AddRemoveProgram"}));
}

} // namespace
} // namespace tw
