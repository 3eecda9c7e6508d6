// The same traces read from hive files and from the in-memory store: the catalog fixture is
// written into empty hives of each kind with hivexregedit, mounted by the command line, and
// every report it exports must equal byte for byte the report the window saves from the
// in-memory store.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "app/catalog.h"
#include "app/WKS_Main.h"
#include "cli/cli.h"
#include "cli/linux_platform.h"
#include "hive_files.h"
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

class HiveDifferentialTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    LoadFixture("catalog.reg");
    // A decoy control set that is not the current one: the mount must follow Select\Current.
    LoadReg("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet001\\Services\\Decoy]\n"
            "\"ImagePath\"=\"C:\\\\decoy.exe\"\n\"DisplayName\"=\"Decoy\"\n"
            "\"Start\"=dword:00000002\n\n"
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\Select]\n\"Current\"=dword:00000002\n\n");
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

  int Export(const std::vector<std::string>& sources, const std::string& format,
             const std::filesystem::path& out) {
    std::vector<std::string> args = {"export"};
    args.insert(args.end(), sources.begin(), sources.end());
    args.insert(args.end(), {"--admin", "--format", format, "--out", out.string()});
    LinuxCliPlatform platform;
    std::ostringstream stdOut;
    return static_cast<int>(RunCli(args, platform, stdOut, err));
  }

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
      EXPECT_EQ(cli.at(file), bytes) << file;
      rows += std::count(bytes.begin(), bytes.end(), '\n');
    }
    // The fixture fills the items: the comparison is over real rows.
    EXPECT_GT(rows, format == 0 ? 120u : 450u);
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
    EXPECT_EQ(detected.at(item), window.at(item)) << item;
    EXPECT_FALSE(detected.at(item).empty()) << item;
  }
}

} // namespace
} // namespace tw
