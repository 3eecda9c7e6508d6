// The same traces read from hive files and from the in-memory store: the catalog fixture is
// written into empty hives of each kind with hivexregedit, mounted by the command line, and
// every report it exports must equal byte for byte the report the window saves from the
// in-memory store, but for the title that names the hives.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "app/WKS_Main.h"
#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive_files.h"
#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "report/report.h"
#include "support/platform.h"

namespace tw {
namespace {

using Files = std::map<std::string, std::string>;

// The files of a folder with the extension, by name.
Files ReadFolder(const std::filesystem::path& dir, const std::string& extension) {
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == extension)
      files[entry.path().filename().string()] = test::ReadFileBytes(entry.path().string());
  return files;
}

// The window's report from memory as a report from evidence reads: its title names the source.
std::string FromEvidence(const std::string& file, const std::string& report,
                         const std::string& source) {
  const std::string label = file.substr(0, file.rfind('.'));
  if (file.ends_with(".txt"))
    return ReportTitle(label, source) + "\r\n" + report;
  const std::string title = "<title>" + HtmlEscape(ReportTitle(label, {})) + "</title>";
  std::string page = report;
  const size_t at = page.find(title);
  if (at == std::string::npos)
    return "(no title in the window's report)";
  return page.replace(at, title.size(),
                      "<title>" + HtmlEscape(ReportTitle(label, source)) + "</title>");
}

class HiveDifferentialTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    LoadFixture("catalog.reg");
    // A decoy control set that is not the current one: the mount must follow Select\Current.
    LoadReg("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Services\\Decoy]\n"
            "\"ImagePath\"=\"C:\\\\decoy.exe\"\n\"DisplayName\"=\"Decoy\"\n"
            "\"Start\"=dword:00000002\n\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\Select]\n\"Current\"=dword:00000002\n\n");
    // Traces of a Windows 7 to 11 machine for the third tab: a real user's binary records and a
    // few machine keys.
    LoadFixture("win7_ntuser_excerpt.reg");
    LoadReg("REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBSTOR\\Disk&Ven_SanDisk&"
            "Prod_Cruzer\\4C5310&0]\n\"FriendlyName\"=\"SanDisk Cruzer USB Device\"\n\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\bam\\State\\UserSettings\\"
            "S-1-5-21-1-1001]\n\"\\\\Device\\\\HarddiskVolume3\\\\Tools\\\\x.exe\"="
            "hex:00,c0,6b,3e,6a,0d,d9,01,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00\n"
            "\"Version\"=dword:00000001\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
            "\"Updater\"=\"C:\\\\Program Files (x86)\\\\Updater\\\\up.exe\"\n\n");
    const std::filesystem::path dir = hives.Host();
    const auto make = [&](const char* name, RegKey root, const std::string& path,
                          const test::KeyRename& rename = {}) {
      const std::filesystem::path hive = dir / name;
      test::WriteEmptyHive(hive);
      test::MergeIntoHive(hive, test::HivexRegText(registry, root, path, rename));
      return hive.string();
    };
    // HKCU\Software\Classes goes to the user's class hive; the user hive keeps the rest.
    usrclass = make("UsrClass.dat", reg::kCurrentUser, "Software\\Classes");
    ntuser = make("NTUSER.DAT", reg::kCurrentUser, "");
    software = make("SOFTWARE", reg::kLocalMachine, "SOFTWARE");
    system = make("SYSTEM", reg::kLocalMachine, "SYSTEM", {"CurrentControlSet", "ControlSet002"});
  }

  // The window's batch of every item, in one format, from the in-memory store.
  Files WindowReports(int format) {
    TWKSForm form;
    form.cmbSave.SetItemIndex(format);
    form.Save3.Click();
    return ReadFolder(folder.Host() / "07-12-2026", format == 0 ? ".txt" : ".html");
  }

  // The third tab's batch, likewise.
  Files ModernWindowReports(int format) {
    TWKSForm form;
    form.ComboBox2.SetItemIndex(format);
    form.Button22.Click();
    return ReadFolder(folder.Host() / "07-12-2026", format == 0 ? ".txt" : ".html");
  }

  int Export(const std::vector<std::string>& sources, const std::string& format,
             const std::filesystem::path& out, const std::string& batch = "--admin") {
    std::vector<std::string> args = {"export"};
    args.insert(args.end(), sources.begin(), sources.end());
    // The window's reports are in the system's code page: 1252 here.
    args.insert(args.end(),
                {batch, "--format", format, "--out", out.string(), "--codepage", "1252"});
    OfflineCliPlatform platform;
    std::ostringstream stdOut;
    return static_cast<int>(RunCli(args, platform, stdOut, err));
  }

  static constexpr const char* kSource = "offline: NTUSER.DAT, UsrClass.dat, SOFTWARE, SYSTEM";
  test::TempFolder hives;
  test::TempFolder exports;
  std::string ntuser, usrclass, software, system;
  std::ostringstream err;
};

TEST_F(HiveDifferentialTest, EveryItemExportsFromHivesWhatTheWindowSavesFromMemory) {
  const std::vector<std::string> sources = {
      "--hive", "ntuser=" + ntuser, "--hive", "usrclass=" + usrclass,
      "--hive", software,           "--hive", system};
  for (const auto& [format, name] : {std::pair{0, "txt"}, std::pair{1, "html"}}) {
    SCOPED_TRACE(name);
    Files window = WindowReports(format);
    // The memory figures come from the machine, not from the registry.
    const std::string memoryItem = std::string(Catalog()[10].label) + "." + name;
    ASSERT_EQ(window.erase(memoryItem), 1u);
    const std::filesystem::path out = exports.Host() / name;
    EXPECT_EQ(Export(sources, name, out), 0) << err.str();
    EXPECT_NE(
        err.str().find(std::string(Catalog()[10].label) + ": not available for offline hives"),
        std::string::npos);
    const Files cli = ReadFolder(out, std::string(".") + name);
    EXPECT_EQ(cli.size(), 33u);
    EXPECT_EQ(cli.size(), window.size());
    size_t rows = 0;
    for (const auto& [file, bytes] : window) {
      ASSERT_TRUE(cli.contains(file)) << file;
      EXPECT_EQ(cli.at(file), FromEvidence(file, bytes, kSource)) << file;
      rows += std::count(bytes.begin(), bytes.end(), '\n');
    }
    // The fixture fills the items: the comparison is over real rows.
    EXPECT_GT(rows, format == 0 ? 120u : 450u);
  }
}

TEST_F(HiveDifferentialTest, TheWindows7To11ItemsExportFromHivesWhatTheThirdTabSaves) {
  const std::vector<std::string> sources = {
      "--hive", "ntuser=" + ntuser, "--hive", "usrclass=" + usrclass,
      "--hive", software,           "--hive", system};
  for (const auto& [format, name] : {std::pair{0, "txt"}, std::pair{1, "html"}}) {
    SCOPED_TRACE(name);
    const Files window = ModernWindowReports(format);
    const std::filesystem::path out = exports.Host() / (std::string("modern-") + name);
    EXPECT_EQ(Export(sources, name, out, "--modern"), 0) << err.str();
    const Files cli = ReadFolder(out, std::string(".") + name);
    EXPECT_EQ(cli.size(), static_cast<size_t>(kModernTabSize));
    EXPECT_EQ(cli.size(), window.size());
    size_t filled = 0;
    for (const auto& [file, bytes] : window) {
      ASSERT_TRUE(cli.contains(file)) << file;
      EXPECT_EQ(cli.at(file), FromEvidence(file, bytes, kSource)) << file;
      filled += bytes.empty() ? 0 : 1;
    }
    // Text reports of empty items are empty; these are filled: User Assist twice, Recent Docs,
    // Word Wheel Query, BAM, USB storage, the 32-bit Run.
    if (format == 0) {
      EXPECT_EQ(filled, 7u);
    }
  }
}

TEST_F(HiveDifferentialTest, KindsAreDetectedFromTheHivesContents) {
  // Only the user's class hive has no telling top keys in this fixture; the others need no
  // kind given.
  const std::filesystem::path out = exports.Host() / "detected";
  EXPECT_EQ(Export({"--hive", ntuser, "--hive", software, "--hive", system}, "txt", out), 0)
      << err.str();
  const Files detected = ReadFolder(out, ".txt");
  const Files window = WindowReports(0);
  for (const char* item : {"[O] Startup - Services (Path) (LM).txt", "[O] Fonts (LM).txt",
                           "[H] Typed URLs (CU).txt"}) {
    ASSERT_TRUE(detected.contains(item)) << item;
    EXPECT_EQ(detected.at(item),
              FromEvidence(item, window.at(item), "offline: NTUSER.DAT, SOFTWARE, SYSTEM"))
        << item;
    EXPECT_FALSE(detected.at(item).empty()) << item;
  }
}

} // namespace
} // namespace tw
