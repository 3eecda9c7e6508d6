#include "synthetic_registry.h"

#include <string>
#include <vector>

#include "runtime/exceptions.h"

namespace tw::bench {
namespace {

std::string N(int i, int width = 4) {
  std::string text = std::to_string(i);
  return std::string(text.size() < static_cast<size_t>(width) ? width - text.size() : 0, '0') +
         text;
}

std::string Rot13(std::string text) {
  for (char& c : text) {
    if ((c >= 'a' && c <= 'z'))
      c = static_cast<char>('a' + (c - 'a' + 13) % 26);
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>('A' + (c - 'A' + 13) % 26);
  }
  return text;
}

class Writer {
public:
  explicit Writer(RegistryApi& store) : store_(store) {}
  ~Writer() { Close(); }

  // Opens (creating) a key; the values that follow go into it.
  Writer& Key(RegKey root, const std::string& path) {
    Close();
    if (store_.CreateKeyEx(root, path.c_str(), reg::kOptionNonVolatile, reg::kAllAccess, &key_) !=
        reg::kSuccess)
      throw Exception("cannot create " + path);
    open_ = true;
    ++stats.keys;
    return *this;
  }
  Writer& Sz(const std::string& name, const std::string& text, uint32_t type = reg::kSz) {
    return Raw(name, type, reinterpret_cast<const uint8_t*>(text.c_str()),
               static_cast<uint32_t>(text.size() + 1));
  }
  Writer& Expand(const std::string& name, const std::string& text) {
    return Sz(name, text, reg::kExpandSz);
  }
  Writer& Dword(const std::string& name, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return Raw(name, reg::kDword, bytes, 4);
  }
  Writer& Binary(const std::string& name, uint32_t size) {
    const std::vector<uint8_t> bytes(size, 0x5A);
    return Raw(name, reg::kBinary, bytes.data(), size);
  }
  Writer& Binary(const std::string& name, const std::vector<uint8_t>& bytes) {
    return Raw(name, reg::kBinary, bytes.data(), static_cast<uint32_t>(bytes.size()));
  }

  SyntheticStats stats;

private:
  Writer& Raw(const std::string& name, uint32_t type, const uint8_t* data, uint32_t size) {
    if (store_.SetValueEx(key_, name.c_str(), type, data, size) != reg::kSuccess)
      throw Exception("cannot set " + name);
    ++stats.values;
    return *this;
  }
  void Close() {
    if (open_)
      store_.CloseKey(key_);
    open_ = false;
  }

  RegistryApi& store_;
  RegKey key_ = 0;
  bool open_ = false;
};

constexpr RegKey kCu = reg::kCurrentUser;
constexpr RegKey kLm = reg::kLocalMachine;
const std::string kWindows = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string kNt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

void History(Writer& w) {
  w.Key(kCu, kWindows + "\\Applets\\Regedit").Sz("LastKey", "My Computer\\HKEY_LOCAL_MACHINE");
  w.Key(kCu, kWindows + "\\Applets\\Regedit\\Favorites");
  for (int i = 0; i < 20; ++i)
    w.Sz("Favorite " + N(i), "My Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor" + N(i));
  for (int s = 0; s < 30; ++s) {
    w.Key(kCu, kWindows + "\\Explorer\\ComDlg32\\OpenSaveMRU\\ext" + N(s, 2));
    for (char c = 'a'; c <= 'z'; ++c)
      w.Sz(std::string(1, c), "C:\\Documents\\Case " + N(s) + "\\file_" + c + ".ext" + N(s, 2));
    w.Sz("MRUList", "abcdefghijklmnopqrstuvwxyz");
  }
  w.Key(kCu, "Software\\Microsoft\\Microsoft Management Console\\Recent File List");
  for (int i = 1; i <= 4; ++i)
    w.Sz("File" + std::to_string(i), "C:\\WINDOWS\\system32\\tool" + N(i) + ".msc");
  w.Key(kCu, "Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache").Binary("LangID", 2);
  for (int i = 0; i < 500; ++i)
    w.Sz("C:\\Program Files\\Vendor " + N(i) + "\\program.exe", "Program " + N(i));
  w.Key(kCu, "Network\\Recent");
  for (int i = 0; i < 20; ++i)
    w.Sz("\\\\SERVER" + N(i) + "\\share", "Share " + N(i));
  w.Key(kCu, kWindows + "\\Explorer\\RunMRU").Sz("MRUList", "abcdefghijklmnopqrstuvwxyz");
  for (char c = 'a'; c <= 'z'; ++c)
    w.Sz(std::string(1, c), std::string("command_") + c + " /switch\\1");
  w.Key(kCu, "Software\\Microsoft\\Internet Explorer\\TypedURLs");
  for (int i = 1; i <= 25; ++i)
    w.Sz("url" + std::to_string(i), "http://www" + N(i) + ".example.com/");
}

void UserAssist(Writer& w) {
  const struct {
    const char* guid;
    int count;
  } keys[] = {{"{0D6D4F41-2994-4BA0-8FEF-620E43CD2812}", 50},
              {"{5E6AB780-7743-11CF-A12B-00AA004AE837}", 100},
              {"{75048700-EF1F-11D0-9888-006097DEACF9}", 400}};
  for (const auto& k : keys) {
    w.Key(kCu, kWindows + "\\Explorer\\UserAssist\\" + k.guid + "\\Count");
    for (int i = 0; i < k.count; ++i)
      w.Binary(Rot13("UEME_RUNPATH:C:\\Program Files\\Vendor " + N(i) + "\\program.exe"), 16);
  }
}

void SystemInformation(Writer& w) {
  for (int i = 0; i < 140; ++i) {
    const std::string zone = "Zone " + N(i, 3);
    w.Key(kLm, kNt + "\\Time Zones\\" + zone + " Standard Time")
        .Sz("Display", "(GMT" + std::string(i % 2 ? "+" : "-") + N(i % 13, 2) + ":00) " + zone +
                           " City, Other City")
        .Sz("Dlt", zone + " Daylight Time")
        .Sz("Std", zone + " Standard Time")
        .Sz("MUI_Display", "@tzres.dll,-" + std::to_string(100 + i))
        .Binary("TZI", 44);
    if (i % 4 == 0)
      w.Key(kLm, kNt + "\\Time Zones\\" + zone + " Standard Time\\Dynamic DST")
          .Dword("FirstEntry", 2006)
          .Dword("LastEntry", 2007)
          .Binary("2006", 44)
          .Binary("2007", 44);
  }
}

void SoftwareLists(Writer& w) {
  w.Key(kCu, "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers");
  for (int i = 0; i < 50; ++i)
    w.Sz("C:\\Games\\Game " + N(i) + "\\game.exe", "WIN98 256COLOR");
  for (int i = 0; i < 150; ++i)
    w.Key(kLm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\program" + N(i) + ".exe")
        .Expand("", "%ProgramFiles%\\Vendor " + N(i) + "\\program" + N(i) + ".exe")
        .Sz("Path", "C:\\Program Files\\Vendor " + N(i));
  w.Key(kCu, kWindows + "\\Policies\\comdlg32\\Placesbar")
      .Dword("Place0", 5)
      .Sz("Place1", "C:\\Cases")
      .Dword("Place2", 17)
      .Sz("Place3", "\\\\SERVER\\share")
      .Dword("Place4", 0);
  const std::string firewall =
      "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\";
  for (const auto& [profile, count] : {std::pair{"DomainProfile", 40}, {"StandardProfile", 60}}) {
    w.Key(kLm, firewall + profile + "\\AuthorizedApplications\\List");
    for (int i = 0; i < count; ++i) {
      const std::string program = "C:\\Program Files\\Vendor " + N(i) + "\\net.exe";
      w.Sz(program, program + ":*:Enabled:Networked program " + N(i));
    }
  }
  w.Key(kLm, kNt + "\\Fonts");
  for (int i = 0; i < 1000; ++i)
    w.Sz("Font Family " + N(i) + " (TrueType)", "font" + N(i) + ".ttf");
  w.Key(kLm, "Software\\Microsoft\\Windows\\Help");
  for (int i = 0; i < 300; ++i)
    w.Sz("help" + N(i) + ".hlp", "C:\\Program Files\\Vendor " + N(i) + "\\Help");
  w.Key(kLm, "SOFTWARE\\Microsoft\\Windows\\HTML Help");
  for (int i = 0; i < 150; ++i)
    w.Sz("help" + N(i) + ".chm", "C:\\Program Files\\Vendor " + N(i) + "\\Help");
  for (int i = 0; i < 100; ++i) {
    w.Key(kLm, kNt + "\\Image File Execution Options\\image" + N(i) + ".exe")
        .Sz("GlobalFlag", "0x00000000");
    if (i % 10 == 0)
      w.Sz("Debugger", "C:\\Debuggers\\debugger.exe -p " + N(i));
  }
  for (int i = 0; i < 1000; ++i) {
    w.Key(kLm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{" + N(i, 8) +
                   "-0000-0000-0000-000000000000}")
        .Sz("DisplayName", "Installed Product " + N(i))
        .Sz("DisplayVersion", "1.0." + std::to_string(i))
        .Sz("Publisher", "Vendor " + N(i % 97))
        .Sz("InstallLocation", "C:\\Program Files\\Vendor " + N(i))
        .Sz("InstallDate", "20240101")
        .Dword("EstimatedSize", 1024u * static_cast<uint32_t>(i))
        .Dword("NoModify", 1)
        .Sz("URLInfoAbout", "http://www.example.com/product" + N(i))
        .Sz("HelpLink", "http://support.example.com/");
    if (i % 20 != 0)
      w.Sz("UninstallString", "MsiExec.exe /X{" + N(i, 8) + "-0000-0000-0000-000000000000}");
  }
  w.Key(kLm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders");
  for (int i = 0; i < 800; ++i)
    w.Sz("C:\\Program Files\\Vendor " + N(i) + "\\", "");
  w.Key(kLm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls");
  for (int i = 0; i < 500; ++i)
    w.Dword("C:\\Program Files\\Common Files\\Vendor " + N(i) + "\\shared.dll",
            static_cast<uint32_t>(i % 7 + 1));
  for (const RegKey hive : {kCu, kLm}) {
    w.Key(hive, kWindows + "\\Explorer\\Shell Folders");
    for (int i = 0; i < 25; ++i)
      w.Sz("Folder " + N(i), "C:\\Documents and Settings\\User\\Folder " + N(i));
  }
}

void Startup(Writer& w) {
  for (const RegKey hive : {kCu, kLm}) {
    w.Key(hive, kWindows + "\\Run");
    for (int i = 0; i < 20; ++i)
      w.Sz("Startup " + N(i), "\"C:\\Program Files\\Vendor " + N(i) + "\\tray.exe\" /min");
    w.Key(hive, kWindows + "\\RunOnce");
    for (int i = 0; i < 3; ++i)
      w.Sz("Once " + N(i), "C:\\Temp\\setup" + N(i) + ".exe /continue");
  }
  // A third of the services run a program; the rest are drivers, as on a real machine.
  for (int i = 0; i < 2000; ++i) {
    const std::string service = "Service" + N(i);
    w.Key(kLm, "SYSTEM\\CurrentControlSet\\Services\\" + service)
        .Sz("DisplayName", "Service Number " + N(i))
        .Dword("Start", static_cast<uint32_t>(i % 5))
        .Dword("Type", i % 3 == 0 ? 16u : 1u)
        .Dword("ErrorControl", 1)
        .Sz("Group", "Group " + N(i % 20))
        .Sz("Description", "Description of service " + N(i));
    if (i % 3 == 0)
      w.Expand("ImagePath", "%SystemRoot%\\system32\\service" + N(i) + ".exe -k group")
          .Sz("ObjectName", "LocalSystem");
    else
      w.Expand("ImagePath", "system32\\DRIVERS\\driver" + N(i) + ".sys");
    w.Key(kLm, "SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Enum")
        .Dword("Count", 1)
        .Sz("0", "Root\\LEGACY_" + service + "\\0000");
    if (i % 3 == 0)
      w.Key(kLm, "SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters")
          .Expand("ServiceDll", "%SystemRoot%\\system32\\service" + N(i) + ".dll");
  }
}

void Appearance(Writer& w) {
  w.Key(kLm, kWindows + "\\Control Panel\\Cursors\\Schemes");
  for (int i = 0; i < 15; ++i)
    w.Expand("Scheme " + N(i), "%SYSTEMROOT%\\Cursors\\arrow_" + N(i) +
                                   ".cur,%SYSTEMROOT%\\"
                                   "Cursors\\help.cur");
  w.Key(kCu, "Control Panel\\Cursors").Sz("", "Scheme 0001").Dword("Scheme Source", 2);
  for (const char* name :
       {"Arrow", "Help", "AppStarting", "Wait", "Crosshair", "IBeam", "NWPen", "No", "SizeNS",
        "SizeWE", "SizeNWSE", "SizeNESW", "SizeAll", "UpArrow", "Hand"})
    w.Expand(name, std::string("%SYSTEMROOT%\\Cursors\\") + name + ".cur");
  w.Key(kCu, "Control Panel\\Desktop")
      .Sz("Wallpaper", "C:\\WINDOWS\\Web\\Wallpaper\\Bliss.bmp")
      .Sz("OriginalWallpaper", "C:\\WINDOWS\\Web\\Wallpaper\\Bliss.bmp")
      .Sz("ConvertedWallpaper", "C:\\WINDOWS\\Web\\Wallpaper\\Bliss.jpg")
      .Sz("PaintDesktopVersion", "0")
      .Sz("ScreenSaveActive", "1")
      .Sz("ScreenSaverIsSecure", "1")
      .Sz("ScreenSaveTimeOut", "600")
      .Sz("WallpaperStyle", "2")
      .Sz("TileWallpaper", "0");
  for (int i = 0; i < 30; ++i)
    w.Sz("Setting" + N(i), N(i));
  w.Key(kCu, "Control Panel\\Desktop\\WindowMetrics")
      .Sz("Shell Icon Size", "32")
      .Sz("Shell Icon BPP", "32");
  for (const std::string app : {".Default", "Conf", "Explorer", "MSDev", "MSMSGS"})
    for (int i = 0; i < 12; ++i)
      for (const char* scheme : {".Current", ".Default"})
        w.Key(kCu, "AppEvents\\Schemes\\Apps\\" + app + "\\Event" + N(i) + "\\" + scheme)
            .Sz("", "C:\\WINDOWS\\Media\\" + app + N(i) + ".wav");
  for (const char* event : {"SystemAsterisk", "Close", "SystemHand", ".Default", "CCSelect",
                            "ShowBand", "WindowsLogon", "MailBeep"})
    w.Key(kCu, std::string("AppEvents\\Schemes\\Apps\\.Default\\") + event + "\\.Current")
        .Sz("", std::string("C:\\WINDOWS\\Media\\") + event + ".wav");
}

// The traces Windows 7 to 11 keep, in the binary layouts those versions write.
using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void Put64(Bytes& b, uint64_t v) {
  Put32(b, static_cast<uint32_t>(v));
  Put32(b, static_cast<uint32_t>(v >> 32));
}
void PutUtf16Z(Bytes& b, const std::string& text) {
  for (const char c : text)
    Put16(b, static_cast<uint8_t>(c));
  Put16(b, 0);
}
void PutAsciiZ(Bytes& b, const std::string& text) {
  b.insert(b.end(), text.begin(), text.end());
  b.push_back(0);
}
Bytes Utf16Z(const std::string& text) {
  Bytes b;
  PutUtf16Z(b, text);
  return b;
}

// A shell item: its size (counting itself), then its body.
void PutItem(Bytes& list, const Bytes& body) {
  Put16(list, static_cast<unsigned>(body.size() + 2));
  list.insert(list.end(), body.begin(), body.end());
}

// A file or folder entry with its short name and a version 9 extension block with the long name.
Bytes FileItem(const std::string& shortName, const std::string& longName) {
  Bytes body{0x31, 0x00};
  Put32(body, 0);
  Put32(body, 0x5A215A21);
  Put16(body, 0x10);
  PutAsciiZ(body, shortName);
  if (body.size() % 2 != 0)
    body.push_back(0);
  Bytes ext;
  Put16(ext, 0);
  Put16(ext, 9);
  Put32(ext, 0xBEEF0004);
  Put32(ext, 0x5A215A21);
  Put32(ext, 0x5A215A21);
  Put16(ext, 0x2E);
  ext.resize(ext.size() + 18 + 2 + 4 + 4, 0);
  PutUtf16Z(ext, longName);
  Put16(ext, 0x14);
  ext[0] = static_cast<uint8_t>(ext.size());
  ext[1] = static_cast<uint8_t>(ext.size() >> 8);
  body.insert(body.end(), ext.begin(), ext.end());
  return body;
}

// My Computer, drive C:, then each folder of `path` and the file at its end.
Bytes ItemIdList(const std::vector<std::string>& path) {
  Bytes list;
  PutItem(list, {0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00,
                 0x2B, 0x30, 0x30, 0x9D});
  Bytes drive{0x2F};
  PutAsciiZ(drive, "C:\\");
  drive.resize(0x17, 0);
  PutItem(list, drive);
  for (const std::string& part : path)
    PutItem(list, FileItem(part.size() > 12 ? part.substr(0, 6) + "~1" : part, part));
  Put16(list, 0);
  return list;
}

Bytes MruListEx(int count) {
  Bytes b;
  for (int i = count - 1; i >= 0; --i)
    Put32(b, static_cast<uint32_t>(i));
  Put32(b, 0xFFFFFFFFu);
  return b;
}

Bytes UserAssistRecord(int i) {
  Bytes r;
  Put32(r, 0);
  Put32(r, static_cast<uint32_t>(i % 40 + 1));
  Put32(r, static_cast<uint32_t>(i % 90));
  Put32(r, static_cast<uint32_t>(60000 * (i % 25)));
  r.resize(60, 0);
  Put64(r, 133400000000000000ull + 10000000ull * 3600 * static_cast<uint64_t>(i));
  Put32(r, 0);
  return r;
}

Bytes SystemTime(int year, int month, int day, int hour) {
  Bytes b;
  for (const int field : {year, month, 0, day, hour, 30, 15, 0})
    Put16(b, static_cast<unsigned>(field));
  return b;
}

void ModernUserAssist(Writer& w) {
  w.Key(kCu, kWindows + "\\Explorer\\UserAssist\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count");
  for (int i = 0; i < 300; ++i) {
    const std::string folder = i % 2 ? "{6D809377-6AF0-444B-8957-A3773F02200E}"  // Program Files
                                     : "{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}"; // (x86)
    w.Binary(Rot13(folder + "\\Vendor " + N(i) + "\\program.exe"), UserAssistRecord(i));
  }
  w.Key(kCu, kWindows + "\\Explorer\\UserAssist\\{F4E57C4B-2036-45F0-A9AB-443BCFE33D9F}\\Count");
  for (int i = 0; i < 120; ++i)
    w.Binary(Rot13("{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}\\Vendor " + N(i) + "\\Program " + N(i) +
                   ".lnk"),
             UserAssistRecord(i));
}

void ModernDialogs(Writer& w) {
  const std::string comDlg = kWindows + "\\Explorer\\ComDlg32\\";
  for (int s = 0; s <= 30; ++s) {
    const std::string ext = s == 0 ? "*" : "ext" + N(s, 2);
    w.Key(kCu, comDlg + "OpenSavePidlMRU\\" + ext).Binary("MRUListEx", MruListEx(20));
    for (int i = 0; i < 20; ++i)
      w.Binary(std::to_string(i), ItemIdList({"Users", "examiner", "Documents", "Case " + N(s),
                                              "evidence_" + N(i) + "." + (s == 0 ? "txt" : ext)}));
  }
  w.Key(kCu, comDlg + "LastVisitedPidlMRU").Binary("MRUListEx", MruListEx(25));
  for (int i = 0; i < 25; ++i) {
    Bytes entry = Utf16Z("program" + N(i) + ".exe");
    const Bytes folder = ItemIdList({"Users", "examiner", "Documents", "Case " + N(i)});
    entry.insert(entry.end(), folder.begin(), folder.end());
    w.Binary(std::to_string(i), entry);
  }
}

// A RecentDocs value: the name, then the short-cut's own name and a shell item of it.
Bytes RecentDoc(const std::string& name) {
  Bytes b = Utf16Z(name);
  PutAsciiZ(b, name.substr(0, 8) + ".lnk");
  const Bytes item = FileItem(name.substr(0, 6) + "~1.LNK", name + ".lnk");
  b.insert(b.end(), item.begin(), item.end());
  Put16(b, 0);
  return b;
}

void ModernHistory(Writer& w) {
  const std::string explorer = kWindows + "\\Explorer\\";
  w.Key(kCu, explorer + "RecentDocs").Binary("MRUListEx", MruListEx(150));
  for (int i = 0; i < 150; ++i)
    w.Binary(std::to_string(i), RecentDoc("document " + N(i) + ".ext" + N(i % 40, 2)));
  for (int s = 0; s < 40; ++s) {
    w.Key(kCu, explorer + "RecentDocs\\.ext" + N(s, 2)).Binary("MRUListEx", MruListEx(10));
    for (int i = 0; i < 10; ++i)
      w.Binary(std::to_string(i), RecentDoc("document " + N(i * 40 + s) + ".ext" + N(s, 2)));
  }
  w.Key(kCu, explorer + "TypedPaths");
  for (int i = 1; i <= 25; ++i)
    w.Sz("url" + std::to_string(i), "\\\\SERVER" + N(i) + "\\share\\Case " + N(i));
  w.Key(kCu, explorer + "WordWheelQuery").Binary("MRUListEx", MruListEx(50));
  for (int i = 0; i < 50; ++i)
    w.Binary(std::to_string(i), Utf16Z("search term " + N(i)));
  w.Key(kCu, explorer + "Map Network Drive MRU").Sz("MRUList", "abcdefghij");
  for (char c = 'a'; c <= 'j'; ++c)
    w.Sz(std::string(1, c), std::string("\\\\FILESERVER\\share_") + c);
  w.Key(kCu, "Software\\Microsoft\\Terminal Server Client\\Default");
  for (int i = 0; i < 10; ++i)
    w.Sz("MRU" + std::to_string(i), "host" + N(i) + ".example.com");
  for (int i = 0; i < 10; ++i)
    w.Key(kCu, "Software\\Microsoft\\Terminal Server Client\\Servers\\host" + N(i) + ".example.com")
        .Sz("UsernameHint", "DOMAIN\\examiner")
        .Binary("CertHash", 20);
  w.Key(kCu, "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache")
      .Binary("LangID", 2);
  for (int i = 0; i < 400; ++i)
    w.Sz("C:\\Program Files\\Vendor " + N(i) + "\\program.exe.FriendlyAppName", "Program " + N(i));
}

void ModernSystem(Writer& w) {
  const std::string bam = "SYSTEM\\CurrentControlSet\\Services\\bam\\State\\UserSettings\\";
  for (int u = 0; u < 5; ++u) {
    w.Key(kLm, bam + "S-1-5-21-1111111111-2222222222-3333333333-" + std::to_string(1001 + u))
        .Dword("Version", 1)
        .Dword("SequenceNumber", 42);
    for (int i = 0; i < 80; ++i) {
      Bytes stamp;
      Put64(stamp, 133400000000000000ull + 10000000ull * 60 * static_cast<uint64_t>(u * 80 + i));
      stamp.resize(24, 0);
      w.Binary("\\Device\\HarddiskVolume3\\Program Files\\Vendor " + N(i) + "\\program.exe", stamp);
    }
  }
  const std::string profiles = kNt + "\\NetworkList\\Profiles\\{";
  for (int i = 0; i < 60; ++i)
    w.Key(kLm, profiles + N(i, 8) + "-1111-2222-3333-444444444444}")
        .Sz("ProfileName", "Network " + N(i))
        .Sz("Description", "Network " + N(i))
        .Dword("Managed", 0)
        .Dword("Category", static_cast<uint32_t>(i % 3))
        .Binary("DateCreated", SystemTime(2020 + i % 5, i % 12 + 1, i % 28 + 1, i % 24))
        .Dword("NameType", 71)
        .Binary("DateLastConnected", SystemTime(2025, i % 12 + 1, i % 28 + 1, i % 24));
  for (int d = 0; d < 40; ++d)
    for (int s = 0; s < 2; ++s)
      w.Key(kLm, "SYSTEM\\CurrentControlSet\\Enum\\USBSTOR\\Disk&Ven_Vendor" + N(d, 2) +
                     "&Prod_Stick&Rev_1.00\\" + N(d * 2 + s, 12) + "&0")
          .Sz("DeviceDesc", "@disk.inf,%disk_devdesc%;Disk drive")
          .Sz("FriendlyName", "Vendor" + N(d, 2) + " Stick USB Device")
          .Sz("Mfg", "@disk.inf,%genmanufacturer%;(Standard disk drives)")
          .Dword("Capabilities", 16)
          .Sz("Service", "disk");
}

void ModernSoftware(Writer& w) {
  const std::string wow = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\";
  w.Key(kLm, wow + "Run");
  for (int i = 0; i < 15; ++i)
    w.Sz("Helper " + N(i), "\"C:\\Program Files (x86)\\Vendor " + N(i) + "\\helper.exe\" /bg");
  w.Key(kLm, wow + "RunOnce");
  for (int i = 0; i < 2; ++i)
    w.Sz("Once " + N(i), "C:\\Temp\\setup32_" + N(i) + ".exe /continue");
  for (int i = 0; i < 400; ++i) {
    w.Key(kLm, wow + "Uninstall\\{" + N(i, 8) + "-3232-0000-0000-000000000000}")
        .Sz("DisplayName", "32-bit Product " + N(i))
        .Sz("DisplayVersion", "2.0." + std::to_string(i))
        .Sz("Publisher", "Vendor " + N(i % 53))
        .Sz("InstallLocation", "C:\\Program Files (x86)\\Vendor " + N(i))
        .Sz("InstallDate", "20250101")
        .Dword("EstimatedSize", 512u * static_cast<uint32_t>(i));
    if (i % 20 != 0)
      w.Sz("UninstallString", "MsiExec.exe /X{" + N(i, 8) + "-3232-0000-0000-000000000000}");
  }
}

} // namespace

SyntheticStats FillSyntheticRegistry(RegistryApi& store) {
  Writer w(store);
  History(w);
  UserAssist(w);
  SystemInformation(w);
  SoftwareLists(w);
  Startup(w);
  Appearance(w);
  ModernUserAssist(w);
  ModernDialogs(w);
  ModernHistory(w);
  ModernSystem(w);
  ModernSoftware(w);
  return w.stats;
}

} // namespace tw::bench
