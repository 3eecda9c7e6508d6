// The command line over evidence: dirty real hives brought up to date from their logs (and what
// the user is told), hives without logs, logs named on the command line, damaged cells counted
// and said, hives given under the wrong kind refused, evidence files never changed, and the
// mends of the command line (help, both batches, reports not replaced unasked, the live item).

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "cli_run.h"
#include "cli/offline_platform.h"
#include "hive/hive.h"
#include "hive_files.h"
#include "runtime/little_endian.h"
#include "support/platform.h"

namespace tw {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class EvidenceTest : public testing::Test {
protected:
  // The Windows 10 user's dirty hive with its two logs beside it, named as Windows names them.
  std::string DirtyUserHive() {
    Unpack("transactions_NTUSER.DAT", "NTUSER.DAT");
    Unpack("transactions_ntuser.dat.log1", "NTUSER.DAT.LOG1");
    Unpack("transactions_ntuser.dat.log2", "NTUSER.DAT.LOG2");
    return Path("NTUSER.DAT");
  }
  std::string Unpack(const std::string& fixture, const std::string& as) {
    const std::filesystem::path unpacked = test::UnpackHive(fixture, folder.Host());
    if (unpacked.filename() != as)
      std::filesystem::rename(unpacked, folder.Host() / as);
    return Path(as);
  }
  std::string Path(const std::string& name) const { return (folder.Host() / name).string(); }

  test::TempFolder folder;
};

// --- Recovery -------------------------------------------------------------------------------

TEST_F(EvidenceTest, ADirtyHiveIsReadWithWhatOnlyItsLogsHoldAndTheUserIsTold) {
  const std::string hive = DirtyUserHive();
  const CliRun recovered = Cli({"show", "--hive", hive, "[H] Run MRU (CU)"});
  EXPECT_EQ(recovered.code, ExitCode::Done);
  EXPECT_EQ(recovered.err, "trailwick-cli: " + hive +
                               ": recovered (23 log entries from NTUSER.DAT.LOG1, sequence 566 "
                               "\u2192 589)\n");
  // The second entry of the list was written after the primary was: only the log has it.
  EXPECT_EQ(recovered.out, "a=...\\1\nb=c:\\Windows\\System32\\config\\1\nMRUList=ba\n");

  const CliRun stale = Cli({"show", "--hive", hive, "--no-recover", "[H] Run MRU (CU)"});
  EXPECT_EQ(stale.code, ExitCode::Done);
  EXPECT_EQ(stale.out, "a=...\\1\nMRUList=a\n");
  EXPECT_TRUE(Has(stale.err, hive + ": dirty: not recovered (--no-recover); the newest changes "
                                    "may be missing"))
      << stale.err;

  // After recovery the whole hive reads: no cell the walk meets is unreadable.
  const CliRun dump = Cli({"dump", "--hive", hive, "--format", "jsonl", "--out", Path("d.jsonl")});
  EXPECT_EQ(dump.code, ExitCode::Done);
  EXPECT_FALSE(Has(dump.err, "could not be read")) << dump.err;
}

TEST_F(EvidenceTest, ExportsDifferFromTheStaleReadOnlyInKeysTheLogsChanged) {
  const std::string hive = DirtyUserHive();
  for (const std::string mode : {"recovered", "stale"}) {
    std::vector<std::string> args = {"dump", "--hive", hive, "--format", "jsonl",
                                     "--out", Path(mode + ".jsonl")};
    std::vector<std::string> exportArgs = {"export", "--hive", hive, "--guest", "--modern",
                                           "--format", "csv", "--out", Path(mode)};
    if (mode == "stale") {
      args.push_back("--no-recover");
      exportArgs.push_back("--no-recover");
    }
    ASSERT_EQ(Cli(args).code, ExitCode::Done);
    ASSERT_EQ(Cli(exportArgs).code, ExitCode::Done);
  }
  // Keys whose line in the dump changed (time, class or values) or that only one side has;
  // every row that differs between the two exports must come from one of them.
  const std::filesystem::path script = folder.Host() / "compare.py";
  std::ofstream(script) << R"(import csv, json, os, sys
def keys(p):
    return {json.loads(l)['path'].lower(): l for l in open(p, encoding='utf-8')}
new, old = keys(sys.argv[1] + '/recovered.jsonl'), keys(sys.argv[1] + '/stale.jsonl')
changed = {k for k in set(new) | set(old) if new.get(k) != old.get(k)}
def rows(d):
    out = set()
    for f in os.listdir(d):
        for r in list(csv.reader(open(os.path.join(d, f), newline='', encoding='utf-8')))[1:]:
            out.add((r[0], r[1], r[2], r[3]))
    return out
differing = rows(sys.argv[1] + '/recovered') ^ rows(sys.argv[1] + '/stale')
bad = [r for r in differing if r[3].split('\\', 1)[1].lower() not in changed]
print(len(changed), len(differing), len(bad))
for r in bad[:5]: print(r)
)";
  int status = 0;
  const std::string out = test::RunCommand(
      "python3 '" + script.string() + "' '" + folder.Host().string() + "' 2>&1", &status);
  ASSERT_EQ(status, 0) << out;
  int changed = 0, differing = 0, bad = -1;
  std::istringstream(out) >> changed >> differing >> bad;
  EXPECT_GT(changed, 0) << out;
  EXPECT_GT(differing, 0) << out;
  EXPECT_EQ(bad, 0) << out;
}

TEST_F(EvidenceTest, LogsNamedOnTheCommandLineAreTheOnesUsed) {
  Unpack("transactions_NTUSER.DAT", "evidence.dat");
  Unpack("transactions_ntuser.dat.log1", "first.log");
  Unpack("transactions_ntuser.dat.log2", "second.log");
  const CliRun run = Cli({"show", "--hive", "ntuser=" + Path("evidence.dat"), "--log",
                          Path("first.log"), "--log", Path("second.log"), "[H] Run MRU (CU)"});
  EXPECT_EQ(run.code, ExitCode::Done);
  EXPECT_TRUE(Has(run.err, "recovered (23 log entries from first.log, sequence 566")) << run.err;
  EXPECT_TRUE(Has(run.out, "MRUList=ba")) << run.out;
}

TEST_F(EvidenceTest, ADirtyHiveWithoutLogsIsReadAndTheUserWarned) {
  const std::string hive = Unpack("transactions_NTUSER.DAT", "NTUSER.DAT");
  const CliRun run = Cli({"show", "--hive", hive, "[H] Run MRU (CU)"});
  EXPECT_EQ(run.code, ExitCode::Done);
  EXPECT_EQ(run.out, "a=...\\1\nMRUList=a\n");
  EXPECT_EQ(run.err, "trailwick-cli: " + hive +
                         ": dirty: no transaction logs found beside it; the newest changes may "
                         "be missing\n");
  const CliRun json = Cli({"export", "--hive", hive, "5", "--format", "json", "--out", Path("j")});
  const std::string report = test::ReadFileBytes(Path("j/[H] Run MRU (CU).json"));
  EXPECT_TRUE(Has(report, "\"state\": \"dirty\"")) << report;
  EXPECT_TRUE(Has(report, "\"log_entries\": 0")) << report;
}

TEST_F(EvidenceTest, EvidenceFilesAreNeverChanged) {
  DirtyUserHive();
  Unpack("UsrClass.dat", "UsrClass.dat");
  Unpack("UsrClass.dat.LOG1", "UsrClass.dat.LOG1");
  Unpack("UsrClass.dat.LOG2", "UsrClass.dat.LOG2");
  std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> before;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Host()))
    before[entry.path().string()] = {test::ReadFileBytes(entry.path().string()),
                                     entry.last_write_time()};
  const std::string user = Path("NTUSER.DAT"), classes = Path("UsrClass.dat");
  EXPECT_EQ(Cli({"export", "--hive", user, "--hive", classes, "--guest", "--modern", "--format",
                 "json", "--out", Path("out")})
                .code,
            ExitCode::Done);
  EXPECT_EQ(Cli({"dump", "--hive", classes, "--format", "reg", "--out", Path("c.reg")}).code,
            ExitCode::Done);
  EXPECT_EQ(Cli({"deleted", "--hive", user, "--out", Path("deleted.txt")}).code, ExitCode::Done);
  for (const auto& [path, state] : before) {
    SCOPED_TRACE(path);
    EXPECT_EQ(test::ReadFileBytes(path), state.first);
    EXPECT_EQ(std::filesystem::last_write_time(path), state.second);
  }
}

// --- What could not be read is said ----------------------------------------------------------

TEST_F(EvidenceTest, DamagedCellsAreCountedSaidAndCarriedInJson) {
  const std::string hive = Unpack("NTUSER.DAT", "NTUSER.DAT");
  // The value list of Typed URLs overwritten: the key is there, its values are not.
  std::string bytes = test::ReadFileBytes(hive);
  {
    hive::Hive h(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    std::optional<hive::KeyNode> key = h.Key(h.Root());
    std::vector<hive::KeyNode> children;
    for (const char16_t* name : {u"Software", u"Microsoft", u"Internet Explorer", u"TypedURLs"}) {
      children.clear();
      h.Subkeys(*key, children);
      key.reset();
      for (const hive::KeyNode& child : children)
        if (child.name.ToUtf16() == name)
          key = child;
      ASSERT_TRUE(key) << "no key on the way";
    }
    ASSERT_GT(key->valueCount, 0u);
    for (uint32_t i = 0; i < key->valueCount; ++i)
      for (int b = 0; b < 4; ++b)
        bytes[4096 + key->valueList + 4 + 4 * i + static_cast<uint32_t>(b)] = '\x7f';
  }
  std::ofstream(hive, std::ios::binary | std::ios::trunc) << bytes;

  const CliRun run = Cli({"show", "--hive", hive, "[H] Typed URLs (CU)"});
  EXPECT_EQ(run.code, ExitCode::Done);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Has(run.err, hive + ": 0 keys and "));
  EXPECT_TRUE(Has(run.err, "values could not be read (damaged cells); rows from them are "
                           "missing"))
      << run.err;
  ASSERT_EQ(Cli({"export", "--hive", hive, "5", "6", "--format", "json", "--out", Path("j")}).code,
            ExitCode::Done);
  EXPECT_TRUE(
      Has(test::ReadFileBytes(Path("j/[H] Run MRU (CU).json")), "\"unreadable_values\": 0"));
  EXPECT_FALSE(
      Has(test::ReadFileBytes(Path("j/[H] Typed URLs (CU).json")), "\"unreadable_values\": 0"));
}

TEST_F(EvidenceTest, AHiveGivenAsAnotherKindIsRefusedWithWhatItLooksLike) {
  const std::string sam = Unpack("SAM", "SAM");
  const CliRun run = Cli({"show", "--hive", "system=" + sam, "[O] Startup (LM)"});
  EXPECT_EQ(run.code, ExitCode::Failed);
  EXPECT_TRUE(Has(run.err, sam + ": given as system, but it looks like a sam hive")) << run.err;
  EXPECT_EQ(run.out, "");
  const CliRun unknown = Cli({"show", "--hive", "foo=" + sam, "6"});
  EXPECT_EQ(unknown.code, ExitCode::Usage);
  EXPECT_TRUE(Has(unknown.err, "unknown hive kind 'foo'")) << unknown.err;
}

// --- The command line's mends ----------------------------------------------------------------

TEST_F(EvidenceTest, HelpIsAnAnswerNotAnError) {
  for (const std::string flag : {"--help", "-h"}) {
    const CliRun run = Cli({flag});
    EXPECT_EQ(run.code, ExitCode::Done);
    EXPECT_TRUE(run.out.starts_with("usage: trailwick-cli list")) << run.out;
    EXPECT_EQ(Cli({"export", flag}).code, ExitCode::Done);
  }
}

TEST_F(EvidenceTest, BothBatchesExportTogetherAndTheLiveItemIsLeftOutOfThem) {
  const std::string hive = Unpack("NTUSER.DAT", "NTUSER.DAT");
  const CliRun run = Cli({"export", "--hive", hive, "--admin", "--modern", "--format", "txt",
                          "--out", Path("out")});
  EXPECT_EQ(run.code, ExitCode::Done) << run.err;
  // 34 and 17 items, the machine's memory figures not among them.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("out")), {}), 50);
  EXPECT_TRUE(Has(run.err, "[I] Memory Information (CU): not available for offline hives"));
  // Asked for by name it is a failure.
  const CliRun named = Cli({"show", "--hive", hive, "10"});
  EXPECT_EQ(named.code, ExitCode::Failed);
  EXPECT_TRUE(Has(named.err, "not available for offline hives"));
}

TEST_F(EvidenceTest, ReportsOfAnEarlierExportAreReplacedOnlyWhenAskedTo) {
  const std::string hive = Unpack("NTUSER.DAT", "NTUSER.DAT");
  const std::vector<std::string> args = {"export", "--hive", hive, "5", "--format", "csv",
                                         "--out", Path("out")};
  ASSERT_EQ(Cli(args).code, ExitCode::Done);
  const std::string report = Path("out/[H] Run MRU (CU).csv");
  std::ofstream(report, std::ios::trunc) << "kept";
  const CliRun again = Cli(args);
  EXPECT_EQ(again.code, ExitCode::Failed);
  EXPECT_TRUE(Has(again.err, "already holds reports ([H] Run MRU (CU).csv); give --force"))
      << again.err;
  EXPECT_EQ(test::ReadFileBytes(report), "kept");
  std::vector<std::string> forced = args;
  forced.push_back("--force");
  EXPECT_EQ(Cli(forced).code, ExitCode::Done);
  EXPECT_TRUE(test::ReadFileBytes(report).starts_with("item,key,value"));
}

// --- Key times and deleted entries ------------------------------------------------------------

TEST_F(EvidenceTest, RowsCarryTheirKeyAndItsLastWriteTime) {
  const std::string user = Unpack("NTUSER.DAT", "NTUSER.DAT");
  const std::string system = Unpack("SYSTEM", "SYSTEM");
  ASSERT_EQ(Cli({"export", "--hive", user, "--hive", system, "6", "27", "--format", "csv",
                 "--out", Path("out")})
                .code,
            ExitCode::Done);
  const std::string urls = test::ReadFileBytes(Path("out/[H] Typed URLs (CU).csv"));
  EXPECT_TRUE(Has(urls, "\r\n[H] Typed URLs (CU),url1,http://199.73.28.114:53/,"
                        "HKCU\\Software\\Microsoft\\Internet Explorer\\TypedURLs,"
                        "2012-04-03T22:37:55.4115006Z\r\n"))
      << urls;
  // Each service's own key, the control set named as the hive names it.
  const std::string services = test::ReadFileBytes(Path("out/[O] Startup - Services (Path) (LM).csv"));
  EXPECT_TRUE(Has(services, ",HKLM\\SYSTEM\\ControlSet001\\Services\\")) << services.substr(0, 400);
  EXPECT_FALSE(Has(services, "CurrentControlSet"));
}

TEST_F(EvidenceTest, DeletedEntriesOfAHiveEditedWithHivexAreListed) {
  const std::filesystem::path hive = folder.Host() / "NTUSER.DAT";
  test::WriteEmptyHive(hive);
  test::MergeIntoHive(hive, "Windows Registry Editor Version 5.00\n\n[\\Software]\n\n"
                            "[\\Software\\Gone]\n\"Secret\"=hex(1):73,00,65,00,63,00,00,00\n\n"
                            "[\\Software\\Kept]\n\"Stay\"=dword:00000001\n\n");
  int status = 0;
  test::RunCommand("printf 'cd \\\\Software\\\\Gone\\ndel\\ncommit\\n' | hivexsh -w '" +
                       hive.string() + "' 2>&1",
                   &status);
  ASSERT_EQ(status, 0);
  const CliRun run = Cli({"deleted", "--hive", hive.string(), "--format", "csv"});
  EXPECT_EQ(run.code, ExitCode::Done);
  EXPECT_TRUE(Has(run.out, ",Software,Gone,")) << run.out;
  EXPECT_TRUE(Has(run.out, ",Secret,,1,8,whole,7300650063000000\r\n")) << run.out;
  EXPECT_FALSE(Has(run.out, "Kept"));
  EXPECT_TRUE(Has(run.err, "1 deleted key and 1 deleted value found")) << run.err;
}

} // namespace
} // namespace tw
