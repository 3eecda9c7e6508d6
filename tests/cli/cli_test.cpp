// The command line's contract: sources that cannot be read end the run with status 1, a
// message naming the file and the reason and nothing written; usage errors end it with 2; CSV
// and JSON reports read back by real parsers give the rows, whatever characters they hold.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "readers/evidence_catalog.h"
#include "cli/cli.h"
#include "cli_run.h"
#include "cli/offline_platform.h"
#include "hive_files.h"
#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "registry/memory_registry.h"
#include "registry/reg_file.h"
#include "report/report.h"
#include "support/platform.h"

namespace tw {
namespace {

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class CliTest : public testing::Test {
protected:
  test::TempFolder folder;
  std::filesystem::path Path(const std::string& name) const { return folder.Host() / name; }
};

// --- Sources that cannot be read ---------------------------------------------------------

TEST_F(CliTest, UnreadableSourcesEndTheRunNamingFileAndReasonWithNothingWritten) {
  const std::string system = test::UnpackHive("SYSTEM", folder.Host()).string();
  const std::string ntuser = test::UnpackHive("NTUSER.DAT", folder.Host()).string();
  const std::string bytes = test::ReadFileBytes(system);
  // The first bin's signature overwritten: the header is whole, the structure is not.
  std::string damaged = bytes;
  damaged.replace(0x1000, 4, "XXXX");
  WriteBytes(Path("damaged"), damaged);
  WriteBytes(Path("truncated"), bytes.substr(0, 1000000));
  WriteBytes(Path("notes.txt"), "REGEDIT4\r\n\r\nnot a hive at all\r\n");
  std::filesystem::create_directory(Path("folder"));

  const struct {
    std::string file;
    std::string reason;
  } cases[] = {
      {Path("damaged").string(), "damaged"},
      {Path("truncated").string(), "damaged (truncated: 1000000 of 11771904 bytes)"},
      {Path("notes.txt").string(), "not a hive"},
      {Path("folder").string(), "not a hive (a folder)"},
      {Path("absent").string(), "missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::filesystem::path out = Path("out");
    // The good hive comes first: nothing of it may be written either.
    const CliRun run = Cli({"export", "--hive", ntuser, "--hive", "system=" + c.file, "--admin",
                            "--format", "csv", "--out", out.string()});
    EXPECT_EQ(run.code, ExitCode::Failed);
    EXPECT_NE(run.err.find(c.file + ": " + c.reason), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(CliTest, AFileTheUserMayNotReadIsReportedAsSuch) {
  const std::string ntuser = test::UnpackHive("NTUSER.DAT", folder.Host()).string();
  chmod(ntuser.c_str(), 0);
  // Permissions bind everyone but the superuser: as root, the check runs as nobody.
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipeFds[0]);
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
      _exit(99);
    const CliRun run = Cli({"show", "--hive", ntuser, "6"});
    const std::string report = std::to_string(static_cast<int>(run.code)) + "\n" + run.err;
    (void)!write(pipeFds[1], report.data(), report.size());
    _exit(0);
  }
  close(pipeFds[1]);
  std::string report;
  char buffer[512];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    report.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(report.substr(0, 2), "1\n");
  EXPECT_NE(report.find(ntuser + ": cannot be read (Permission denied)"), std::string::npos)
      << report;
}

TEST_F(CliTest, AReportFolderThatCannotBeMadeIsAFailureNotASuccess) {
  const std::string ntuser = test::UnpackHive("NTUSER.DAT", folder.Host()).string();
  WriteBytes(Path("taken"), "a file where the folder should be");
  const CliRun run =
      Cli({"export", "--hive", ntuser, "6", "--format", "txt", "--out", Path("taken").string()});
  EXPECT_EQ(run.code, ExitCode::Failed);
  EXPECT_NE(run.err.find(Path("taken").string() + ": the folder cannot be created"),
            std::string::npos);
}

// --- Usage ------------------------------------------------------------------------------

TEST_F(CliTest, UsageErrorsEndWithStatusTwoAndTheUsage) {
  const std::string ntuser = test::UnpackHive("NTUSER.DAT", folder.Host()).string();
  const std::string out = Path("out").string();
  const std::vector<std::vector<std::string>> lines = {
      {},
      {"browse"},
      {"show", "6"}, // no source on a system without a registry of its own
      {"show", "--hive", ntuser},
      {"show", "--hive", ntuser, "54"},
      {"show", "--hive", ntuser, "[H] Typed URLs"},
      {"show", "--live", "6"},
      {"show", "--hive", ntuser, "--hive", "ntuser=" + ntuser, "6"},
      {"show", "--hive", ntuser, "--codepage", "98765", "6"},
      {"show", "--hive", ntuser, "--colour", "6"},
      {"export", "--hive", ntuser, "--guest", "6", "--format", "txt", "--out", out},
      {"export", "--hive", ntuser, "--guest", "--admin", "--format", "txt", "--out", out},
      {"export", "--hive", "foo=" + ntuser, "--guest", "--format", "txt", "--out", out},
      {"export", "--log", ntuser, "--hive", ntuser, "--guest", "--format", "txt", "--out", out},
      {"export", "--hive", ntuser, "--guest", "--format", "jsonl", "--out", out},
      {"dump", "--hive", ntuser, "--format", "csv"},
      {"dump", "--hive", ntuser, "--hive", ntuser, "--format", "jsonl"},
      {"deleted", "--hive", ntuser, "6"},
      {"export", "--hive", ntuser, "--modern", "34", "--format", "txt", "--out", out},
      {"export", "--hive", ntuser, "--guest", "--format", "pdf", "--out", out},
      {"export", "--hive", ntuser, "--guest", "--out", out},
      {"export", "--hive", ntuser, "--guest", "--format", "txt"},
      {"list", "6"},
  };
  for (const auto& args : lines) {
    std::string shown;
    for (const std::string& a : args)
      shown += a + " ";
    SCOPED_TRACE(shown);
    const CliRun run = Cli(args);
    EXPECT_EQ(run.code, ExitCode::Usage);
    EXPECT_NE(run.err.find("usage: trailwick-cli list"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliTest, ItemsAreNamedByIndexOrExactLabel) {
  const std::string ntuser = test::UnpackHive("NTUSER.DAT", folder.Host()).string();
  const CliRun byIndex = Cli({"show", "--hive", ntuser, "6"});
  const CliRun byLabel = Cli({"show", "--hive", ntuser, "[H] Typed URLs (CU)"});
  EXPECT_EQ(byIndex.code, ExitCode::Done);
  EXPECT_EQ(byIndex.out, "url1=http://199.73.28.114:53/\n"
                         "url2=http://go.microsoft.com/fwlink/?LinkId=69157\n");
  EXPECT_EQ(byLabel.out, byIndex.out);
  const CliRun list = Cli({"list"});
  EXPECT_TRUE(list.out.starts_with("0\t[C] Regedit Favorites & Last Key (CU)\n1\t")) << list.out;
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'),
            kCatalogSize + kModernCatalogSize + kEvidenceCatalogSize);
  EXPECT_NE(list.out.find("\n33\t" + std::string(Catalog()[33].label) + "\n34\t" +
                          std::string(ModernCatalog()[0].label) + "\n"),
            std::string::npos)
      << list.out;
  // The third tab's own items after its 15, then the items of evidence-only hives.
  EXPECT_NE(list.out.find("\n48\t[O] USB Storage Devices (LM)\n"
                          "49\t[H] ShimCache - AppCompatCache (LM)\n"
                          "50\t[H] ShellBags (CU)\n"
                          "51\t[H] Amcache - Files\n"
                          "52\t[H] Amcache - Programs\n"
                          "53\t[I] SAM Accounts (LM)\n"),
            std::string::npos)
      << list.out;
  EXPECT_TRUE(list.out.ends_with("\n53\t[I] SAM Accounts (LM)\n"));
}

TEST_F(CliTest, TheWindows7To11ItemsFollowTheFirstTabsAndExportAsTheirOwnBatch) {
  const std::string system = test::UnpackHive("SYSTEM", folder.Host()).string();
  const std::string ntuser = test::UnpackHive("NTUSER.DAT", folder.Host()).string();
  const CliRun byIndex = Cli({"show", "--hive", system, "48"});
  const CliRun byLabel = Cli({"show", "--hive", system, "[O] USB Storage Devices (LM)"});
  EXPECT_EQ(byIndex.code, ExitCode::Done) << byIndex.err;
  // Windows 7 keeps two install times; MountedDevices gives the drive and the volume.
  constexpr std::string_view kHpRow =
      "Disk&Ven_HP&Prod_v100w&Rev_1024\\AA951D0000007252&0=HP v100w USB Device, Installed "
      "2011-04-01 04:52:38, First Installed 2011-04-01 04:52:38, Volume "
      "{eba74da6-5bb2-11e0-95d1-000c2971073c}, Drive E:";
  EXPECT_EQ(byIndex.out, std::string(kHpRow) + "\n");
  EXPECT_EQ(byLabel.out, byIndex.out);

  // The third tab's batch is its whole list, one report per item, and nothing else.
  const std::filesystem::path out = Path("modern");
  const CliRun batch = Cli({"export", "--hive", ntuser, "--hive", "system=" + system, "--modern",
                            "--format", "txt", "--out", out.string()});
  EXPECT_EQ(batch.code, ExitCode::Done) << batch.err;
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::directory_iterator(out))
    written.push_back(entry.path().filename().string());
  std::vector<std::string> expected;
  for (const CatalogItem& item : ModernTabCatalog())
    expected.push_back(ReportFileName(item.label) + ".txt");
  std::sort(written.begin(), written.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(written, expected);
  EXPECT_EQ(
      test::ReadFileBytes((out / (ReportFileName(ModernCatalog()[14].label) + ".txt")).string()),
      "Trailwick - [O] USB Storage Devices (LM) - offline: NTUSER.DAT, SYSTEM\r\n" +
      std::string(kHpRow) + "\r\n");
}

// --- CSV and JSON -------------------------------------------------------------------------

// Value names and data that need quoting or escaping, in code page 1252; one string holds a
// NUL that the ANSI read cuts it at.
constexpr std::string_view kAwkwardReg =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\r\n"
    "\"comma, name\"=\"a,b\"\r\n"
    "\"quote \\\"name\\\"\"=\"say \\\"hi\\\"\"\r\n"
    "\"lines\"=hex(1):6f,6e,65,0d,0a,74,77,6f,09,74,61,62,00,63,75,74,00\r\n"
    "\"euro \x80\"=\"caf\xe9 \xe0 \x80\"\r\n"
    "\"key=in name\"=\"v\"\r\n"
    "\"ctrl\"=hex(1):01,1f,7f,00\r\n\r\n";

// What a parser must read back: item, key, value, in UTF-8, in the sorted order of the item.
const std::vector<std::array<std::string, 3>> kAwkwardRows = {
    {"[H] Typed URLs (CU)", "comma, name", "a,b"},
    {"[H] Typed URLs (CU)", "ctrl", "\x01\x1f\x7f"},
    {"[H] Typed URLs (CU)", "euro \xe2\x82\xac", "caf\xc3\xa9 \xc3\xa0 \xe2\x82\xac"},
    // A name holding "=" stays one name: the cells are the reader's, not a row split at "=".
    {"[H] Typed URLs (CU)", "key=in name", "v"},
    {"[H] Typed URLs (CU)", "lines", "one\r\ntwo\ttab"},
    {"[H] Typed URLs (CU)", "quote \"name\"", "say \"hi\""},
};

// Reads a report with python3's own csv or json module; one line per row: the three fields
// in hexadecimal.
std::vector<std::array<std::string, 3>> ParsedByPython(const std::filesystem::path& file) {
  const std::string script =
      "import csv, json, sys\n"
      "p = sys.argv[1]\n"
      "if p.endswith('.csv'):\n"
      "    rows = list(csv.reader(open(p, newline='', encoding='utf-8'), strict=True))\n"
      "    assert rows[0] == ['item', 'key', 'value', 'key_path', 'key_last_write'], rows[0]\n"
      "    rows = [r[:3] for r in rows[1:]]\n"
      "else:\n"
      "    doc = json.load(open(p, encoding='utf-8'))\n"
      "    rows = [[doc['item'], r['key'], r['value']] for r in doc['rows']]\n"
      "    assert isinstance(doc['sources'], list) and doc['sources']\n"
      "for r in rows:\n"
      "    print(' '.join(f.encode('utf-8').hex() or '-' for f in r))\n";
  const std::filesystem::path py = file.parent_path() / "read.py";
  WriteBytes(py, script);
  int status = 0;
  const std::string out =
      test::RunCommand("python3 '" + py.string() + "' '" + file.string() + "' 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  std::vector<std::array<std::string, 3>> rows;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::array<std::string, 3> row;
    for (std::string& field : row) {
      std::string hex;
      fields >> hex;
      for (size_t i = 0; hex != "-" && i + 1 < hex.size(); i += 2)
        field += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    rows.push_back(row);
  }
  return rows;
}

TEST_F(CliTest, CsvAndJsonReadBackByRealParsersFromRegExportsAndHives) {
  WriteBytes(Path("awkward.reg"), kAwkwardReg);
  // The same traces as a user hive: UTF-16 strings, the NUL inside the data included.
  MemoryRegistry store;
  ImportRegFile(store, kAwkwardReg);
  test::WriteEmptyHive(Path("NTUSER.DAT"));
  test::MergeIntoHive(Path("NTUSER.DAT"), test::HivexRegText(store, reg::kCurrentUser, ""));

  for (const std::string source : {"--reg", "--hive"}) {
    const std::string file =
        source == "--reg" ? Path("awkward.reg").string() : "ntuser=" + Path("NTUSER.DAT").string();
    for (const std::string format : {"csv", "json"}) {
      SCOPED_TRACE(source + " " + format);
      const std::filesystem::path out = Path("out-" + format + source);
      // Twice: the second export replaces the first and leaves nothing else behind.
      for (int i = 0; i < 2; ++i) {
        const CliRun run = Cli(
            {"export", source, file, "6", "--format", format, "--out", out.string(), "--force"});
        ASSERT_EQ(run.code, ExitCode::Done) << run.err;
      }
      const std::filesystem::path report = out / ("[H] Typed URLs (CU)." + format);
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1);
      EXPECT_EQ(ParsedByPython(report), kAwkwardRows);
      const std::string bytes = test::ReadFileBytes(report.string());
      if (format == "csv") {
        EXPECT_TRUE(bytes.starts_with("item,key,value,key_path,key_last_write\r\n"));
        EXPECT_TRUE(bytes.ends_with("\r\n"));
      }
    }
  }
}

TEST_F(CliTest, HiveTextFollowsTheCodePageWithItsReplacementForWhatItLacks) {
  // A value named in Greek with Greek and French data, written as UTF-16 into a user hive.
  test::WriteEmptyHive(Path("NTUSER.DAT"));
  test::MergeIntoHive(Path("NTUSER.DAT"),
                      "Windows Registry Editor Version 5.00\n\n[\\Software]\n\n"
                      "[\\Software\\Microsoft]\n\n[\\Software\\Microsoft\\Internet Explorer]\n\n"
                      "[\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\n"
                      "\"\xce\xa9mega\"=hex(1):a9,03,e9,00,00,00\n\n");
  const std::string hive = "ntuser=" + Path("NTUSER.DAT").string();
  // UTF-8 loses nothing; code page 1252 lacks the omega.
  EXPECT_EQ(Cli({"show", "--hive", hive, "6"}).out, "\xce\xa9mega=\xce\xa9\xc3\xa9\n");
  EXPECT_EQ(Cli({"show", "--hive", hive, "--codepage", "1252", "6"}).out, "?mega=?\xc3\xa9\n");
  // Code page 1253 has the omega and lacks the e with acute.
  EXPECT_EQ(Cli({"show", "--hive", hive, "--codepage", "1253", "6"}).out,
            "\xce\xa9mega=\xce\xa9?\n");
}

TEST_F(CliTest, TextDecodedFromBinaryValuesIsUnicodeInEveryFormat) {
  // A recent document named in Russian (a UTF-16 string inside binary data) and a program run
  // from a Hebrew folder (a UserAssist name, ROT13 leaves the Hebrew letters alone).
  const std::string explorer = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
  std::string usage = "00,00,00,00,03,00,00,00"; // the 72-byte record: run count 3, no times
  for (int i = 0; i < 64; ++i)
    usage += ",00";
  test::WriteEmptyHive(Path("NTUSER.DAT"));
  test::MergeIntoHive(
      Path("NTUSER.DAT"),
      "Windows Registry Editor Version 5.00\n\n[\\Software]\n\n[\\Software\\Microsoft]\n\n"
      "[\\Software\\Microsoft\\Windows]\n\n[\\Software\\Microsoft\\Windows\\CurrentVersion]\n\n"
      "[" +
          explorer + "]\n\n[" + explorer +
          "\\RecentDocs]\n"
          "\"MRUListEx\"=hex:00,00,00,00,ff,ff,ff,ff\n"
          // "Привет.txt", its terminator, then the rest of the record.
          "\"0\"=hex:1f,04,40,04,38,04,32,04,35,04,42,04,2e,00,74,00,78,00,74,00,00,00,14,00\n\n"
          "[" +
          explorer +
          "\\UserAssist]\n\n"
          "[" +
          explorer +
          "\\UserAssist\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}]\n\n"
          "[" +
          explorer +
          "\\UserAssist\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count]\n"
          "\"P:\\\\\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d\\\\ncc.rkr\"=hex:" +
          usage + "\n\n");
  const std::string hive = "ntuser=" + Path("NTUSER.DAT").string();
  const std::string russian = "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82.txt";
  const std::string hebrew = "C:\\\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d\\app.exe";
  const CliRun show = Cli({"show", "--hive", hive, "[H] Recent Docs (CU)",
                           "[H] User Assist - {CEBFF5CD-ACE2-4F4F-9178-9926F41749EA} (CU)"});
  EXPECT_TRUE(show.out.find("0=" + russian + "\n") != std::string::npos) << show.out;
  EXPECT_TRUE(show.out.find(hebrew + "=Run Count 3") != std::string::npos) << show.out;
  for (const std::string format : {"csv", "json", "txt", "html"}) {
    SCOPED_TRACE(format);
    ASSERT_EQ(Cli({"export", "--hive", hive, "40", "--format", format, "--out",
                   Path("out").string(), "--force"})
                  .code,
              ExitCode::Done);
    const std::string report =
        test::ReadFileBytes((Path("out") / ("[H] Recent Docs (CU)." + format)).string());
    EXPECT_NE(report.find(russian), std::string::npos) << report;
  }
  // A report as the window writes it on a Cyrillic system: code page 1251.
  ASSERT_EQ(Cli({"export", "--hive", hive, "40", "--format", "txt", "--codepage", "1251", "--out",
                 Path("cp1251").string()})
                .code,
            ExitCode::Done);
  EXPECT_EQ(test::ReadFileBytes((Path("cp1251") / "[H] Recent Docs (CU).txt").string()),
            "Trailwick - [H] Recent Docs (CU) - offline: NTUSER.DAT\r\n"
            "0=\xcf\xf0\xe8\xe2\xe5\xf2.txt\r\n");
}

} // namespace
} // namespace tw
