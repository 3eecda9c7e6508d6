// Against RegRipper on hives built here with the traces a Windows 10 user and machine leave
// (the real hives are a Windows 7 machine's and hold none of them): the user's hive with typed
// paths, the file dialogs' ID lists, mapped drives and remote desktop servers; the machine's
// SYSTEM with BAM records and SOFTWARE with network profiles; the user's class hive with the MUI
// cache. We build the bytes, so where the two disagree the data says who is right.
// Mapping, RegRipper's plugin output to our rows:
// - typedpaths "urlN     PATH" is our "urlN=PATH" in Typed Paths.
// - comdlg32, under "OpenSavePidlMRU\EXT", "  PATH" in MRUListEx order is our "EXT\N=PATH" in the
//   same order; under "LastVisitedPidlMRU", "  PROGRAM - PATH" is our "PROGRAM=PATH". RegRipper's
//   PATH names every item from the shell's root ("My Computer\C:\Users\...", "My Network
//   Places\\\SERVER\\\SERVER\share\..."), puts "CLSID_" before a known folder's name, drops a
//   drive's backslash and calls the user's files root by its sort index ("Users"); ours reads as
//   Explorer shows it, afresh from the last drive or UNC name, and names that root by its GUID
//   ("User Files"). So RegRipper's path is cut to its last drive or UNC segment, "CLSID_"
//   dropped, a bare drive given its backslash back and a leading "Users" read "User Files".
// - bam: "SID", then "  TIME Z - PROGRAM" is our "PROGRAM=TIME, bam, SID". RegRipper reads only
//   bam\State\UserSettings; the older bam\UserSettings rows are checked against the data.
// - networklist: "NAME", then "  DateLastConnected: LAST" and "  DateCreated      : FIRST" is our
//   "NAME=First Connected FIRST, Last Connected LAST".
// - mndmru "  MRUList = L" and "  X   SHARE" are our "MRUList=L" and "X=SHARE".
// - tsclient "  MRUn -> SERVER" is our "MRUn=SERVER"; "SERVER  LastWrite time: ..." followed by
//   "  UsernameHint: HINT" is our "SERVER=HINT".
// - muicache over the class hive: "NAME (TEXT)" is our "TEXT=NAME" in MUI Cache - Classes.
//   RegRipper leaves out the "@" names (cached resource strings); ours keeps them, checked
//   against the data.
// Where the two disagreed: a delegate item (0x74, "CFSF") below the user's files, which RegRipper
// reads and we showed as "(item 0x74)": RegRipper was right and our decoder now reads it. The
// folders This PC shows from Windows 8 on ({088E3905-...} is Downloads) RegRipper prints as
// GUIDs: there we are right, and the data's folder name is what its path is compared with.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive_files.h"
#include "peer_runs.h"
#include "registry/memory_registry.h"
#include "registry/reg_file.h"
#include "support/binary_values.h"
#include "support/platform.h"

namespace tw {
namespace {

using namespace test::binary;
using test::Lines;
using test::Rows;
using test::Sorted;
using test::TrimRight;

constexpr const char* kSid1001 = "S-1-5-21-3623811015-3361044348-30300820-1001";
constexpr const char* kSid1002 = "S-1-5-21-3623811015-3361044348-30300820-1002";
constexpr const char* kThisPcDownloads = "{088E3905-0323-4B02-9826-5D99428E115F}";

// --- The traces, as a regedit file ------------------------------------------------------

std::string RegQuoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"')
      out += '\\';
    out += c;
  }
  return out + "\"";
}

class RegText {
public:
  RegText& Key(const std::string& path) {
    text_ += "\n[" + path + "]\n";
    return *this;
  }
  RegText& String(std::string_view name, std::string_view value) {
    text_ += RegQuoted(name) + "=" + RegQuoted(value) + "\n";
    return *this;
  }
  RegText& Binary(std::string_view name, const Buffer& value) {
    text_ += RegQuoted(name) + "=" + RegHex(value) + "\n";
    return *this;
  }
  RegText& Dword(std::string_view name, std::uint32_t value) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "dword:%08x", value);
    text_ += RegQuoted(name) + "=" + hex + "\n";
    return *this;
  }
  const std::string& Text() const { return text_; }

private:
  std::string text_ = "REGEDIT4\n";
};

Buffer Joined(std::initializer_list<Buffer> parts) {
  Buffer joined;
  for (const Buffer& part : parts)
    joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

// Shell paths as Windows 10's file dialogs store them.
Buffer DocumentsPath(std::initializer_list<Buffer> below) {
  Buffer path = Joined({RootItem(0x50, kMyComputer), DriveItem("C:\\"), FileItem("Users", "Users"),
                        FileItem("alice", "alice"), FileItem("DOCUME~1", "Documents")});
  for (const Buffer& item : below)
    path.insert(path.end(), item.begin(), item.end());
  Put16(path, 0);
  return path;
}

Buffer SharePath(std::initializer_list<Buffer> below) {
  Buffer path = Joined({RootItem(0x58, GuidBytes("{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}")),
                        NetworkLocationItem(0x42, "\\\\FILESERVER", "Microsoft Network"),
                        NetworkLocationItem(0xC3, "\\\\FILESERVER\\projects", "Microsoft Network"),
                        FileItem("Plans", "Plans")});
  for (const Buffer& item : below)
    path.insert(path.end(), item.begin(), item.end());
  Put16(path, 0);
  return path;
}

// Below My Computer: Downloads as Windows 7 names it, or as This PC does from Windows 8 on.
Buffer DownloadsPath(const char* folderGuid, std::initializer_list<Buffer> below) {
  Buffer path = Joined({RootItem(0x50, kMyComputer), KnownFolderItem(folderGuid)});
  for (const Buffer& item : below)
    path.insert(path.end(), item.begin(), item.end());
  Put16(path, 0);
  return path;
}

// The user's own folder on the Desktop, and a folder below it as a delegate item.
Buffer UserFilesPath(std::initializer_list<Buffer> below) {
  Buffer path = Joined({RootItem(0x44, GuidBytes("{59031A47-3F72-44A7-89C5-5595FE6B30EE}")),
                        DelegateFolderItem("DOWNLO~1", "Downloads")});
  for (const Buffer& item : below)
    path.insert(path.end(), item.begin(), item.end());
  Put16(path, 0);
  return path;
}

Buffer Program(std::string_view name, const Buffer& folder) {
  return Joined({Utf16Z(name), folder});
}

// A FILETIME of whole seconds since 1601 plus a fraction, as the BAM keeps it: 24 bytes.
Buffer BamRecord(std::uint64_t seconds, std::uint32_t ticks) {
  Buffer record;
  Put64(record, seconds * 10'000'000 + ticks);
  record.resize(24, 0);
  return record;
}

Buffer SystemTime(std::initializer_list<unsigned> fields) {
  Buffer st;
  for (const unsigned field : fields)
    Put16(st, field);
  return st;
}

std::string UserTraces() {
  const std::string explorer = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                               "Explorer\\";
  const std::string openSave = explorer + "ComDlg32\\OpenSavePidlMRU\\";
  const Buffer report =
      DocumentsPath({FileItem("QUARTE~1.DOC", "Quarterly report 2023.docx", 0x32)});
  const Buffer notes = SharePath({FileItem("BUDGET~1.DOC", "Budget notes.docx", 0x32)});
  const Buffer invoice = DownloadsPath("{374DE290-123F-4565-9164-39C4925E467B}",
                                       {FileItem("INVOIC~1.PDF", "invoice_0423.pdf", 0x32)});
  const Buffer tax =
      DownloadsPath(kThisPcDownloads, {FileItem("TAX202~1.PDF", "Tax 2023.pdf", 0x32)});
  // Written by Windows 7, whose extension blocks are of version 8.
  const Buffer minutes = DocumentsPath({FileItem("MINUTE~1.DOC", "Minutes 2011.doc", 0x32, 8)});
  const Buffer setup = UserFilesPath({FileItem("CHROME~1.EXE", "ChromeSetup.exe", 0x32)});
  const Buffer driveC = Joined({RootItem(0x50, kMyComputer), DriveItem("C:\\"), Buffer{0, 0}});
  RegText reg;
  reg.Key("HKEY_CURRENT_USER\\Environment").String("TEMP", "%USERPROFILE%\\AppData\\Local\\Temp");
  reg.Key(explorer + "TypedPaths")
      .String("url1", "\\\\FILESERVER\\projects\\Plans")
      .String("url2", "C:\\Users\\alice\\Documents")
      .String("url3", "C:\\Program Files (x86)");
  reg.Key(openSave + "*")
      .Binary("0", report)
      .Binary("1", notes)
      .Binary("2", invoice)
      .Binary("3", tax)
      .Binary("4", setup)
      .Binary("5", minutes)
      .Binary("MRUListEx", MruListEx({4, 3, 1, 2, 0, 5}));
  reg.Key(openSave + "doc").Binary("0", minutes).Binary("MRUListEx", MruListEx({0}));
  reg.Key(openSave + "docx")
      .Binary("0", report)
      .Binary("1", notes)
      .Binary("MRUListEx", MruListEx({1, 0}));
  reg.Key(openSave + "exe").Binary("0", setup).Binary("MRUListEx", MruListEx({0}));
  reg.Key(openSave + "pdf")
      .Binary("0", invoice)
      .Binary("1", tax)
      .Binary("MRUListEx", MruListEx({1, 0}));
  reg.Key(explorer + "ComDlg32\\LastVisitedPidlMRU")
      .Binary("0", Program("WINWORD.EXE", DocumentsPath({})))
      .Binary("1", Program("AcroRd32.exe", DownloadsPath(kThisPcDownloads, {})))
      .Binary("2", Program("EXCEL.EXE", SharePath({})))
      .Binary("3", Program("7zFM.exe", driveC))
      .Binary("4", Program("firefox.exe", UserFilesPath({})))
      .Binary("MRUListEx", MruListEx({4, 2, 0, 1, 3}));
  reg.Key(explorer + "Map Network Drive MRU")
      .String("a", "\\\\FILESERVER\\projects")
      .String("b", "\\\\nas01\\backup")
      .String("MRUList", "ba");
  const std::string tsc = "HKEY_CURRENT_USER\\Software\\Microsoft\\Terminal Server Client\\";
  reg.Key(tsc + "Default").String("MRU0", "rdp-gw.example.com").String("MRU1", "10.0.0.15");
  reg.Key(tsc + "Servers\\rdp-gw.example.com")
      .String("UsernameHint", "CORP\\alice")
      .Binary("CertHash", Buffer(20, 0xA7));
  reg.Key(tsc + "Servers\\10.0.0.15").String("UsernameHint", "Administrator");
  reg.Key("HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\"
          "Shell\\MuiCache")
      .Binary("LangID", {0x09, 0x04})
      .String("C:\\Windows\\System32\\notepad.exe.FriendlyAppName", "Notepad")
      .String("C:\\Windows\\System32\\notepad.exe.ApplicationCompany", "Microsoft Corporation")
      .String("C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe.FriendlyAppName", "Firefox")
      .String("C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe.ApplicationCompany",
              "Mozilla Corporation")
      .String("@C:\\Windows\\System32\\wmploc.dll,-102", "Windows Media Player");
  return reg.Text();
}

std::string MachineTraces() {
  const std::string bam = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\bam\\";
  RegText reg;
  reg.Key("HKEY_LOCAL_MACHINE\\SYSTEM\\Select").Dword("Current", 1).Dword("Default", 1);
  reg.Key(bam + "State\\UserSettings\\" + kSid1001)
      .Binary("\\Device\\HarddiskVolume3\\Windows\\System32\\notepad.exe",
              BamRecord(13'359'201'267, 4'718'293))
      .Binary("\\Device\\HarddiskVolume3\\Program Files\\Mozilla Firefox\\firefox.exe",
              BamRecord(13'359'160'023, 912'775))
      .Binary("Microsoft.Windows.Photos_8wekyb3d8bbwe", BamRecord(13'358'783'151, 8'830'012))
      .Dword("Version", 1)
      .Dword("SequenceNumber", 44);
  reg.Key(bam + "State\\UserSettings\\" + kSid1002)
      .Binary("\\Device\\HarddiskVolume3\\Windows\\explorer.exe",
              BamRecord(13'347'916'206, 5'000'000))
      .Dword("Version", 1);
  // The form Windows 10 1709 and 1803 kept.
  reg.Key(bam + "UserSettings\\" + kSid1001)
      .Binary("\\Device\\HarddiskVolume2\\Windows\\System32\\cmd.exe",
              BamRecord(13'194'345'704, 2'500'000));
  const std::string profiles =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkList\\";
  const struct {
    const char* guid;
    const char* name;
    std::uint32_t nameType;
    std::uint32_t managed;
    Buffer created;
    Buffer lastConnected;
  } networks[] = {
      {"{6A1F3B2C-8D4E-4F10-9A2B-3C4D5E6F7081}", "HomeWiFi", 0x47, 0,
       SystemTime({2021, 6, 6, 5, 18, 22, 41, 377}), SystemTime({2024, 5, 4, 2, 16, 40, 12, 5})},
      {"{6A1F3B2C-8D4E-4F10-9A2B-3C4D5E6F7082}", "corp.example.com", 0x06, 1,
       SystemTime({2022, 11, 6, 19, 10, 15, 0, 0}), SystemTime({2024, 4, 2, 30, 23, 59, 58, 999})},
      {"{6A1F3B2C-8D4E-4F10-9A2B-3C4D5E6F7083}", "Cafe Guest", 0x47, 0,
       SystemTime({2023, 8, 3, 30, 12, 0, 59, 120}), SystemTime({2024, 2, 4, 29, 7, 3, 9, 640})},
  };
  int signature = 0;
  for (const auto& n : networks) {
    reg.Key(profiles + "Profiles\\" + n.guid)
        .String("ProfileName", n.name)
        .String("Description", n.name)
        .Dword("Managed", n.managed)
        .Dword("Category", n.managed != 0 ? 2 : 0)
        .Binary("DateCreated", n.created)
        .Dword("NameType", n.nameType)
        .Binary("DateLastConnected", n.lastConnected);
    reg.Key(profiles + "Signatures\\" + (n.managed != 0 ? "Managed\\" : "Unmanaged\\") +
            "010103000F0000F0080000000F0000F0" + std::to_string(++signature))
        .String("ProfileGuid", n.guid)
        .String("Description", n.name)
        .Dword("Source", 8)
        .String("FirstNetwork", n.name)
        .Binary("DefaultGatewayMac",
                {0x00, 0x1A, 0x2B, 0x3C, 0x4D, static_cast<uint8_t>(signature)});
  }
  return reg.Text();
}

// --- The test -----------------------------------------------------------------------------

class ModernPeerTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    folder_ = new test::TempFolder;
    PortableCollation collation;
    ScopedSeam<Collation> collationSeam(collation);
    MemoryRegistry store;
    ImportRegFile(store, UserTraces());
    ImportRegFile(store, MachineTraces());
    const auto make = [&](const char* name, RegKey root, const std::string& path,
                          const test::KeyRename& rename = {}) {
      const std::filesystem::path hive = folder_->Host() / name;
      test::WriteEmptyHive(hive);
      test::MergeIntoHive(hive, test::HivexRegText(store, root, path, rename));
      return hive.string();
    };
    ntuser_ = make("NTUSER.DAT", reg::kCurrentUser, "");
    usrclass_ = make("UsrClass.dat", reg::kCurrentUser, "Software\\Classes");
    software_ = make("SOFTWARE", reg::kLocalMachine, "SOFTWARE");
    system_ = make("SYSTEM", reg::kLocalMachine, "SYSTEM", {"CurrentControlSet", "ControlSet001"});
  }
  static void TearDownTestSuite() { delete folder_; }

  static Rows Show(const std::string& hive, const std::string& item) {
    return test::ShowOnHive(hive, item);
  }
  static Rows RegRipper(const std::string& hive, const std::string& plugin) {
    return Lines(test::RegRipperOutput(hive, plugin));
  }

  static test::TempFolder* folder_;
  static std::string ntuser_, usrclass_, software_, system_;
};

test::TempFolder* ModernPeerTest::folder_ = nullptr;
std::string ModernPeerTest::ntuser_, ModernPeerTest::usrclass_, ModernPeerTest::software_,
    ModernPeerTest::system_;

// RegRipper's comdlg32 path read as ours: from the last drive or UNC segment, without "CLSID_",
// the This PC folders it prints as GUIDs named.
std::string AsExplorerShowsIt(std::string path) {
  for (size_t at; (at = path.find("CLSID_")) != std::string::npos;)
    path.erase(at, 6);
  for (size_t at; (at = path.find("{088e3905-0323-4b02-9826-5d99428e115f}")) != std::string::npos;)
    path.replace(at, 38, "Downloads");
  if (path.starts_with("Users\\"))
    path = "User Files" + path.substr(5);
  if (const size_t unc = path.rfind("\\\\"); unc != std::string::npos)
    return path.substr(unc);
  Rows segments;
  std::istringstream in(path);
  for (std::string segment; std::getline(in, segment, '\\');)
    segments.push_back(segment);
  for (size_t i = segments.size(); i-- > 0;) {
    const std::string& s = segments[i];
    if (s.size() != 2 || s[1] != ':' || !std::isalpha(static_cast<unsigned char>(s[0])))
      continue;
    std::string fromDrive = s + "\\";
    for (size_t j = i + 1; j < segments.size(); ++j)
      fromDrive += segments[j] + (j + 1 < segments.size() ? "\\" : "");
    return fromDrive;
  }
  return path;
}

TEST_F(ModernPeerTest, FileDialogIdListsDecodeToThePathsBuiltAndAgreeWithComDlg32) {
  Rows openSave, lastVisited;
  std::string section;
  for (const std::string& line : RegRipper(ntuser_, "comdlg32")) {
    if (line.starts_with("OpenSavePidlMRU\\") || line == "LastVisitedPidlMRU")
      section = line;
    else if (!line.starts_with("  "))
      continue;
    else if (section.starts_with("OpenSavePidlMRU\\"))
      openSave.push_back(section.substr(16) + "\\" + AsExplorerShowsIt(line.substr(2)));
    else if (const size_t dash = line.find(" - ");
             section == "LastVisitedPidlMRU" && dash != std::string::npos)
      lastVisited.push_back(line.substr(2, dash - 2) + "=" +
                            AsExplorerShowsIt(line.substr(dash + 3)));
  }
  const std::string report = "C:\\Users\\alice\\Documents\\Quarterly report 2023.docx";
  const std::string notes = "\\\\FILESERVER\\projects\\Plans\\Budget notes.docx";
  const std::string invoice = "My Computer\\Downloads\\invoice_0423.pdf";
  const std::string tax = "My Computer\\Downloads\\Tax 2023.pdf";
  const std::string setup = "User Files\\Downloads\\ChromeSetup.exe";
  const std::string minutes = "C:\\Users\\alice\\Documents\\Minutes 2011.doc";
  const Rows ours = Show(ntuser_, "[H] CDialog - Open Save PIDL MRU (CU)");
  EXPECT_EQ(ours,
            (Rows{"*\\4=" + setup, "*\\3=" + tax, "*\\1=" + notes, "*\\2=" + invoice,
                  "*\\0=" + report, "*\\5=" + minutes, "doc\\0=" + minutes, "docx\\1=" + notes,
                  "docx\\0=" + report, "exe\\0=" + setup, "pdf\\1=" + tax, "pdf\\0=" + invoice}));
  Rows oursWithoutNumbers;
  for (const std::string& row : ours)
    oursWithoutNumbers.push_back(row.substr(0, row.find('\\') + 1) + row.substr(row.find('=') + 1));
  // RegRipper keeps "My Computer" before a folder that is not on a drive, as we do.
  EXPECT_EQ(oursWithoutNumbers, openSave);

  const Rows oursVisited = Show(ntuser_, "[H] CDialog - Last Visited PIDL MRU (CU)");
  EXPECT_EQ(oursVisited,
            (Rows{"firefox.exe=User Files\\Downloads", "EXCEL.EXE=\\\\FILESERVER\\projects\\Plans",
                  "WINWORD.EXE=C:\\Users\\alice\\Documents", "AcroRd32.exe=My Computer\\Downloads",
                  "7zFM.exe=C:\\"}));
  EXPECT_EQ(oursVisited, lastVisited);
}

TEST_F(ModernPeerTest, TypedPathsMappedDrivesAndRemoteDesktopServersAgree) {
  Rows typed, drives, servers;
  for (const std::string& line : RegRipper(ntuser_, "typedpaths"))
    if (line.starts_with("url") && line.size() > 9)
      typed.push_back(line.substr(0, line.find(' ')) + "=" + TrimRight(line.substr(9)));
  for (const std::string& line : RegRipper(ntuser_, "mndmru")) {
    if (line.starts_with("  MRUList = "))
      drives.push_back("MRUList=" + line.substr(12));
    else if (const size_t gap = line.find("   "); line.starts_with("  ") && gap == 3)
      drives.push_back(line.substr(2, 1) + "=" + line.substr(6));
  }
  std::string server;
  for (const std::string& line : RegRipper(ntuser_, "tsclient")) {
    const size_t arrow = line.find(" -> ");
    const size_t stamp = line.find("  LastWrite time: ");
    if (line.starts_with("  MRU") && arrow != std::string::npos)
      servers.push_back(line.substr(2, arrow - 2) + "=" + line.substr(arrow + 4));
    else if (!line.starts_with(" ") && stamp != std::string::npos)
      server = line.substr(0, stamp);
    else if (line.starts_with("  UsernameHint: "))
      servers.push_back(server + "=" + line.substr(16));
  }
  ASSERT_EQ(typed.size(), 3u);
  ASSERT_EQ(drives.size(), 3u);
  ASSERT_EQ(servers.size(), 4u);
  EXPECT_EQ(Sorted(Show(ntuser_, "[H] Typed Paths (CU)")), Sorted(typed));
  EXPECT_EQ(Sorted(Show(ntuser_, "[H] Map Network Drive MRU (CU)")), Sorted(drives));
  EXPECT_EQ(Sorted(Show(ntuser_, "[H] Terminal Server Client (CU)")), Sorted(servers));
}

TEST_F(ModernPeerTest, BamRecordsAgreeAndTheOlderKeyIsReadToo) {
  Rows peer;
  std::string sid;
  for (const std::string& line : RegRipper(system_, "bam")) {
    const size_t dash = line.find("Z - ");
    if (line.starts_with("S-1-"))
      sid = line;
    else if (line.starts_with("  ") && dash == 21)
      peer.push_back(line.substr(dash + 4) + "=" + line.substr(2, 19) + ", bam, " + sid);
  }
  ASSERT_EQ(peer.size(), 4u);
  EXPECT_NE(std::find(peer.begin(), peer.end(),
                      "\\Device\\HarddiskVolume3\\Windows\\System32\\notepad.exe=2024-05-03 "
                      "09:14:27, bam, " +
                          std::string(kSid1001)),
            peer.end());
  // The older key: RegRipper does not read it.
  peer.push_back(
      "\\Device\\HarddiskVolume2\\Windows\\System32\\cmd.exe=2019-02-11 08:01:44, bam, " +
      std::string(kSid1001));
  EXPECT_EQ(Sorted(Show(system_, "[H] BAM & DAM Last Execution (LM)")), Sorted(peer));
}

TEST_F(ModernPeerTest, NetworkProfilesAgreeOnNamesAndBothConnectionTimes) {
  Rows peer;
  std::string name, last;
  for (const std::string& line : RegRipper(software_, "networklist")) {
    if (line.starts_with("  DateLastConnected: "))
      last = line.substr(21);
    else if (line.starts_with("  DateCreated      : "))
      peer.push_back(name + "=First Connected " + line.substr(21) + ", Last Connected " + last);
    else if (!line.empty() && !line.starts_with(" "))
      name = line;
  }
  ASSERT_EQ(peer.size(), 3u);
  EXPECT_NE(std::find(peer.begin(), peer.end(),
                      "HomeWiFi=First Connected 2021-06-05 18:22:41, Last Connected 2024-05-02 "
                      "16:40:12"),
            peer.end());
  EXPECT_EQ(Sorted(Show(software_, "[H] Network List Profiles (LM)")), Sorted(peer));
}

TEST_F(ModernPeerTest, TheClassHivesMuiCacheShowsEveryNameWithoutTheLanguageMarker) {
  Rows peer;
  bool inCache = false;
  for (const std::string& line : RegRipper(usrclass_, "muicache")) {
    const size_t open = line.rfind(" (");
    if (line.starts_with("Local Settings\\"))
      inCache = true;
    else if (inCache && open != std::string::npos && line.ends_with(")"))
      peer.push_back(line.substr(open + 2, line.size() - open - 3) + "=" + line.substr(0, open));
  }
  ASSERT_EQ(peer.size(), 4u);
  peer.push_back("Windows Media Player=@C:\\Windows\\System32\\wmploc.dll,-102");
  EXPECT_EQ(Sorted(Show("usrclass=" + usrclass_, "[H] MUI Cache - Classes (CU)")), Sorted(peer));
}

} // namespace
} // namespace tw
