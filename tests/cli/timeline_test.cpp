// trailwick-cli timeline over the real hives: read back by python3's own csv and json modules;
// sorted; no time lost against the rows the items export (each time a row shows is an event,
// and each most-recently-used list's key time); TLN's and the body format's fields; the range
// limits; the newer events that only recovered dirty hives hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "cli_run.h"
#include "cli/offline_platform.h"
#include "hive_files.h"
#include "peer_runs.h"
#include "value_fields.h"
#include "support/fixtures.h"
#include "support/platform.h"

namespace tw {
namespace {

using test::Lines;
using test::Rows;

// "Label text" fields of a row's value; a field ends where the next label starts (a field's
// text may hold ", ").
const std::vector<std::string> kEventLabels = {
    "Run Count",       "Focus Count",   "Focus Time",     "Last Run",    "Position",
    "Last Modified",   "Executed",      "Size",           "Last Update", "SHA-1",
    "Link Date",       "Product",       "Publisher",      "Version",     "Key Written",
    "Created",         "Modified (17)", "File Reference", "Installed",   "Folder",
    "Source",          "MRU Position",  "Modified",       "Accessed",    "MFT",
    "First Installed", "Last Arrival",  "Last Removal",   "Drive",       "Volume",
    "Volume Name"};

std::string EventField(const std::string& value, const std::string& label) {
  return test::FieldOf(value, label, kEventLabels);
}

bool IsDate(const std::string& text) {
  return text.size() == 19 && text[4] == '-' && text[10] == ' ' && text[13] == ':';
}

// The events the rows an item exported show: "yyyy-mm-dd hh:nn:ss|kind|item".
void ExpectedEvents(const std::string& item, const std::string& name, const std::string& value,
                    std::multiset<std::string>& events) {
  const auto add = [&](const std::string& time, const std::string& kind) {
    if (IsDate(time))
      events.insert(time + "|" + kind + "|" + item);
  };
  const auto fields = [&](std::initializer_list<std::pair<const char*, const char*>> map) {
    for (const auto& [label, kind] : map)
      add(EventField(value, label), kind);
  };
  if (item.find("User Assist") != std::string::npos) {
    fields({{"Last Run", "Last Run"}});
  } else if (item.find("BAM & DAM") != std::string::npos) {
    add(value.substr(0, 19), "Last Run");
  } else if (item.find("USB Storage") != std::string::npos) {
    fields({{"Installed", "Device Installed"},
            {"First Installed", "Device First Installed"},
            {"Last Arrival", "Device Last Arrival"},
            {"Last Removal", "Device Last Removal"}});
  } else if (item.find("ShimCache") != std::string::npos) {
    fields({{"Last Modified", "File Modified"}, {"Last Update", "Cache Entry Updated"}});
  } else if (item.find("ShellBags") != std::string::npos) {
    fields({{"Modified", "Modified (shell item)"},
            {"Accessed", "Accessed (shell item)"},
            {"Created", "Created (shell item)"}});
    if (EventField(value, "MRU Position") == "0")
      add(EventField(value, "Key Written"), "Folder Opened (most recent in its parent)");
  } else if (item.find("Amcache - Files") != std::string::npos) {
    fields({{"Key Written", "Key Written"},
            {"Link Date", "Linked (compile time)"},
            {"Last Modified", "File Modified"},
            {"Created", "File Created"},
            {"Modified (17)", "File Modified (value 17)"}});
  } else if (item.find("Amcache - Programs") != std::string::npos) {
    fields({{"Installed", "Installed"}, {"Key Written", "Key Written"}});
  } else if (item.find("SAM Accounts") != std::string::npos) {
    const std::string field = name.substr(name.rfind('\\') + 1);
    static const std::map<std::string, std::string> kKinds = {
        {"Account Created", "Account Created (Names key written)"},
        {"Last Logon", "Last Logon"},
        {"Password Last Set", "Password Last Set"},
        {"Account Expires", "Account Expires"},
        {"Last Failed Logon", "Last Failed Logon"}};
    if (kKinds.contains(field))
      add(value, kKinds.at(field));
  }
}

// The lists whose key's last write dates their most recent entry: one event per key.
bool IsMostRecentlyUsedList(const std::string& item) {
  for (const char* list : {"Recent Docs", "Word Wheel Query", "Typed URLs", "Run MRU",
                           "Typed Paths", "Map Network Drive MRU", "Open Save PIDL MRU",
                           "Last Visited PIDL MRU", "Open Save MRU", "MMC Recent File List"})
    if (item.find(list) != std::string::npos)
      return true;
  return false;
}

class TimelineTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    folder_ = new test::TempFolder;
    for (const char* name : {"NTUSER.DAT", "UsrClass.dat", "UsrClass.dat.LOG1", "UsrClass.dat.LOG2",
                             "SYSTEM", "amcache.hve", "SAM", "transactions_NTUSER.DAT",
                             "transactions_ntuser.dat.log1", "transactions_ntuser.dat.log2"})
      test::UnpackHive(name, folder_->Host());
  }
  static void TearDownTestSuite() { delete folder_; }

  static std::string Hive(const std::string& name) { return (folder_->Host() / name).string(); }
  static std::vector<std::string> Machine() {
    std::vector<std::string> sources;
    for (const char* name : {"NTUSER.DAT", "UsrClass.dat", "SYSTEM", "amcache.hve", "SAM"})
      sources.insert(sources.end(), {"--hive", Hive(name)});
    return sources;
  }
  static CliRun Timeline(std::vector<std::string> sources, const std::string& format,
                         std::vector<std::string> more = {}) {
    sources.insert(sources.begin(), "timeline");
    sources.insert(sources.end(), {"--format", format});
    sources.insert(sources.end(), more.begin(), more.end());
    const CliRun run = Cli(sources);
    EXPECT_EQ(run.code, ExitCode::Done) << run.err;
    return run;
  }
  // A python3 script run over a file; its standard output, a failure failing the test.
  static std::string Python(const std::string& script, const std::string& file) {
    const std::filesystem::path path = folder_->Host() / "check.py";
    std::ofstream(path) << script;
    int status = 0;
    const std::string out =
        test::RunCommand("python3 '" + path.string() + "' '" + file + "' 2>&1", &status);
    EXPECT_EQ(status, 0) << out;
    return out;
  }

  static test::TempFolder* folder_;
};

test::TempFolder* TimelineTest::folder_ = nullptr;

TEST_F(TimelineTest, CsvReadsBackSortedWithAnEventForEveryTimeTheRowsShow) {
  const std::string file = Hive("timeline.csv");
  const CliRun run = Timeline(Machine(), "csv", {"--out", file});
  // Read back as Timesketch would: the columns it imports, ISO 8601 times in order.
  const Rows events = Lines(
      Python("import csv, sys, datetime\n"
             "rows = list(csv.DictReader(open(sys.argv[1], newline='', encoding='utf-8'), "
             "strict=True))\n"
             "fields = ['datetime', 'timestamp_desc', 'message', 'item', 'source', 'key_path']\n"
             "assert list(rows[0].keys()) == fields, rows[0].keys()\n"
             "last = None\n"
             "for r in rows:\n"
             "    assert None not in r and all(r[f] for f in fields[:5]), r\n"
             "    assert len(r['datetime']) == 28, r['datetime']  # sorts as text too\n"
             "    t = datetime.datetime.fromisoformat(r['datetime'].replace('Z', '+00:00'))\n"
             "    assert t.tzinfo is not None and (last is None or last <= t), (last, t)\n"
             "    last = t\n"
             "    print(r['datetime'][:19].replace('T', ' ') + '|' + r['timestamp_desc'] + '|' + "
             "r['item'])\n",
             file));
  EXPECT_NE(run.err.find("trailwick-cli: " + std::to_string(events.size()) + " events\n"),
            std::string::npos)
      << run.err;

  // Every time the items' exported rows show, and each list's key time.
  std::multiset<std::string> expected;
  const auto exportAll = [&](std::vector<std::string> what) {
    const test::TempFolder out;
    std::vector<std::string> args = {"export"};
    const std::vector<std::string> sources = Machine();
    args.insert(args.end(), sources.begin(), sources.end());
    args.insert(args.end(), what.begin(), what.end());
    args.insert(args.end(), {"--format", "csv", "--out", out.Host().string()});
    EXPECT_EQ(Cli(args).code, ExitCode::Done);
    for (const auto& entry : std::filesystem::directory_iterator(out.Host())) {
      const auto records = test::CsvRecords(test::ReadFileBytes(entry.path().string()));
      std::set<std::string> listKeys;
      for (std::size_t r = 1; r < records.size(); ++r) {
        const auto& f = records[r];
        ExpectedEvents(f[0], f[1], f[2], expected);
        if (IsMostRecentlyUsedList(f[0]) && !f[4].empty() && listKeys.insert(f[3]).second)
          expected.insert(f[4].substr(0, 10) + " " + f[4].substr(11, 8) +
                          "|Most Recent Entry (key written)|" + f[0]);
      }
    }
  };
  exportAll({"--admin", "--modern"});
  exportAll({"51", "52", "53"});
  const std::multiset<std::string> actual(events.begin(), events.end());
  EXPECT_GT(actual.size(), 3000u);
  std::vector<std::string> missing, extra;
  std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(),
                      std::back_inserter(missing));
  std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(),
                      std::back_inserter(extra));
  EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first: " << missing.front();
  EXPECT_TRUE(extra.empty()) << extra.size() << " not shown by any row, first: " << extra.front();
  // Every kind of trace the real hives hold is there.
  std::set<std::string> items;
  for (const std::string& event : events)
    items.insert(event.substr(event.rfind('|') + 1));
  for (const char* item :
       {"[H] ShimCache - AppCompatCache (LM)", "[H] ShellBags (CU)", "[H] Amcache - Files",
        "[H] Amcache - Programs", "[I] SAM Accounts (LM)", "[O] USB Storage Devices (LM)",
        "[H] Recent Docs (CU)", "[H] Typed URLs (CU)",
        "[H] User Assist - {CEBFF5CD-ACE2-4F4F-9178-9926F41749EA} (CU)"})
    EXPECT_TRUE(items.contains(item)) << item;
}

TEST_F(TimelineTest, JsonLinesTlnAndBodyfileKeepTheirFields) {
  const CliRun csv = Timeline(Machine(), "csv");
  const std::size_t events = Lines(csv.out).size() - 1;
  const std::string jsonl = Hive("timeline.jsonl");
  Timeline(Machine(), "jsonl", {"--out", jsonl});
  EXPECT_EQ(Python("import json, sys\n"
                   "n = 0\n"
                   "for line in open(sys.argv[1], encoding='utf-8'):\n"
                   "    e = json.loads(line)\n"
                   "    assert sorted(e) == sorted(['datetime', 'timestamp_desc', 'message', "
                   "'item', 'source', 'key_path']), e\n"
                   "    n += 1\n"
                   "print(n)\n",
                   jsonl),
            std::to_string(events) + "\n");

  const Rows tln = Lines(Timeline(Machine(), "tln").out);
  const Rows body = Lines(Timeline(Machine(), "bodyfile").out);
  ASSERT_EQ(tln.size(), events);
  ASSERT_EQ(body.size(), events);
  const auto fields = [](const std::string& line) {
    std::vector<std::string> parts;
    std::size_t at = 0;
    for (std::size_t bar; (bar = line.find('|', at)) != std::string::npos; at = bar + 1)
      parts.push_back(line.substr(at, bar - at));
    parts.push_back(line.substr(at));
    return parts;
  };
  // The machine's name, as SYSTEM holds it.
  std::string host =
      test::RunCommand("hivexget '" + Hive("SYSTEM") +
                       "' 'ControlSet001\\Control\\ComputerName\\ComputerName' ComputerName");
  host.erase(host.find_last_not_of('\n') + 1);
  long long last = std::numeric_limits<long long>::min();
  std::set<std::string> users;
  for (std::size_t i = 0; i < events; ++i) {
    const auto t = fields(tln[i]);
    ASSERT_EQ(t.size(), 5u) << tln[i];
    const long long seconds = std::stoll(t[0]);
    EXPECT_LE(last, seconds);
    last = seconds;
    EXPECT_EQ(t[1], "REG");
    EXPECT_EQ(t[2], host);
    if (!t[3].empty())
      users.insert(t[3]);
    const auto b = fields(body[i]);
    ASSERT_EQ(b.size(), 11u) << body[i];
    // One of atime, mtime and crtime holds the event's time, the others none.
    int set = 0;
    for (const std::size_t at : {7u, 8u, 10u})
      if (b[at] != "0") {
        EXPECT_EQ(b[at], t[0]);
        ++set;
      }
    EXPECT_EQ(set, 1) << body[i];
    EXPECT_EQ(b[9], "0");
  }
  EXPECT_EQ(host, "WKS-WIN732BITA");
  // The SAM's events name their accounts.
  EXPECT_EQ(users, (std::set<std::string>{"Administrator", "Guest", "Preston"}));
}

TEST_F(TimelineTest, FromAndToLimitTheRangeBothEndsIncluded) {
  const Rows all = Lines(Timeline(Machine(), "tln").out);
  // The range of whole days, and of seconds, around the machine's busiest days.
  const auto within = [&](long long from, long long to) {
    Rows kept;
    for (const std::string& line : all) {
      const long long t = std::stoll(line.substr(0, line.find('|')));
      if (t >= from && t <= to)
        kept.push_back(line);
    }
    return kept;
  };
  const long long day = 1333411200; // 2012-04-03T00:00:00Z
  const Rows days =
      Lines(Timeline(Machine(), "tln", {"--from", "2012-04-03", "--to", "2012-04-04"}).out);
  EXPECT_EQ(days, within(day, day + 2 * 86400 - 1));
  EXPECT_GT(days.size(), 5u);
  // An event's own second as both ends keeps it.
  const std::string second = days.front().substr(0, days.front().find('|'));
  const long long s = std::stoll(second);
  char text[32];
  const std::time_t t = s;
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&t));
  const Rows one = Lines(Timeline(Machine(), "tln", {"--from", text, "--to", text}).out);
  EXPECT_EQ(one, within(s, s));
  EXPECT_FALSE(one.empty());

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"timeline", "--hive", Hive("SAM"), "--format", "tln", "--from",
                                 "2012-04-04", "--to", "2012-04-03"},
        {"timeline", "--hive", Hive("SAM"), "--format", "tln", "--from", "04/03/2012"},
        {"timeline", "--hive", Hive("SAM"), "--format", "txt"},
        {"timeline", "--hive", Hive("SAM"), "--format", "csv", "6"},
        {"export", "--hive", Hive("SAM"), "53", "--format", "csv", "--out", Hive("x"), "--from",
         "2012-04-03"}}) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.code, ExitCode::Usage) << args.back();
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(TimelineTest, RecoveredDirtyHivesGiveTheNewerEvents) {
  const auto newest = [](const Rows& csv) { return csv.back().substr(0, 19); };
  // A Windows 10 user's hive whose newest state is in its logs.
  const std::vector<std::string> user = {"--hive", Hive("transactions_NTUSER.DAT")};
  std::vector<std::string> stale = user;
  stale.push_back("--no-recover");
  const Rows recovered = Lines(Timeline(user, "csv").out);
  const Rows primary = Lines(Timeline(stale, "csv").out);
  EXPECT_EQ(newest(primary), "2017-07-12T07:34:32");
  EXPECT_EQ(newest(recovered), "2019-02-13T21:01:20");
  EXPECT_TRUE(std::any_of(recovered.begin(), recovered.end(), [](const std::string& line) {
    return line.starts_with("2019-02-13T21:00:58") &&
           line.find("System32\\rundll32.exe") != std::string::npos;
  }));
  // The class hive's logs hold folders opened after the primary was written.
  const auto bags = [](const Rows& csv) {
    return std::count_if(csv.begin(), csv.end(), [](const std::string& line) {
      return line.find("[H] ShellBags (CU)") != std::string::npos;
    });
  };
  const std::vector<std::string> classes = {"--hive", Hive("UsrClass.dat")};
  std::vector<std::string> staleClasses = classes;
  staleClasses.push_back("--no-recover");
  const Rows bagsRecovered = Lines(Timeline(classes, "csv").out);
  const Rows bagsPrimary = Lines(Timeline(staleClasses, "csv").out);
  EXPECT_GT(bags(bagsRecovered), bags(bagsPrimary));
  EXPECT_GT(newest(bagsRecovered), newest(bagsPrimary));
}

} // namespace
} // namespace tw
