// Against RegRipper on the real hives: what its typedurls, run and services plugins report and
// what our Typed URLs, Startup (CU) and the two services items show agree entry for entry.
// Mapping: typedurls "  NAME -> URL" is our row NAME=URL; run's "  NAME - COMMAND" under the
// Run and RunOnce keys is our "Run\NAME=COMMAND" and "RunOnce\NAME=COMMAND"; a services block
// (Display, ImagePath, Start) whose image path names a ".exe" is our "Display=ImagePath" in
// Services (Path) and "Display=START" in Services (Status), with RegRipper's start names
// Boot Start, System Start, Auto Start, Manual, Disabled as our Boot, System, Automatic, Manual,
// [ DISABLED ].
// The Windows 7 - 11 items, named by label: usbstor's device line "DEVICE [time]", then
// "  S/N: SERIAL [time]" and "    FriendlyName : NAME" is our "DEVICE\SERIAL=NAME, ..." up to
// the first ", ". These hives
// (a Windows 7 machine, 2012) hold no typed paths (the key is empty), no ComDlg32 key and no bam
// key (it came with Windows 10): there RegRipper's typedpaths, comdlg32 and bam find nothing and
// our Typed Paths, both PIDL MRU items and BAM & DAM show no rows. Those traces with data, and
// networklist's, are compared on hives built for it (modern_peer_test.cpp).
// recentdocs' "  N = NAME" under RecentDocs and under RecentDocs\EXT is our "N=NAME" and
// "EXT\N=NAME", both in MRUListEx order.
// userassist, under each GUID key: a "TIME Z" line, then "  NAME (N)" for the names last run then,
// is our row NAME with "Run Count N" and "Last Run TIME"; "  NAME" under "Value names with no
// time stamps:" is our NAME with "Last Run (never)". NAME's leading known-folder GUID is our
// folder name. RegRipper skips UEME_CTLSESSION (a session record, not a usage record), which
// we show as undecodable.
// wordwheelquery's "N    TERMS" is our "N=TERMS", both in MRUListEx order.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive_files.h"
#include "peer_runs.h"
#include "support/platform.h"

namespace tw {
namespace {

using test::Lines;
using test::Rows;
using test::Sorted;
using test::TrimRight;

class PeerTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    folder_ = new test::TempFolder;
    ntuser_ = test::UnpackHive("NTUSER.DAT", folder_->Host()).string();
    system_ = test::UnpackHive("SYSTEM", folder_->Host()).string();
  }
  static void TearDownTestSuite() { delete folder_; }

  static Rows Show(const std::string& hive, const std::string& item) {
    return test::ShowOnHive(hive, item);
  }
  static Rows Show(const std::string& hive, int item) { return Show(hive, std::to_string(item)); }
  static std::string RegRipper(const std::string& hive, const std::string& plugin) {
    return test::RegRipperOutput(hive, plugin);
  }

  static test::TempFolder* folder_;
  static std::string ntuser_, system_;
};

test::TempFolder* PeerTest::folder_ = nullptr;
std::string PeerTest::ntuser_, PeerTest::system_;

TEST_F(PeerTest, TypedUrlsAgree) {
  Rows peer;
  for (const std::string& line : Lines(RegRipper(ntuser_, "typedurls"))) {
    const size_t arrow = line.find(" -> ");
    if (line.starts_with("  ") && arrow != std::string::npos)
      peer.push_back(line.substr(2, arrow - 2) + "=" + line.substr(arrow + 4));
  }
  ASSERT_GE(peer.size(), 2u);
  EXPECT_EQ(Sorted(Show(ntuser_, 6)), Sorted(peer));
}

TEST_F(PeerTest, UserStartupAgrees) {
  Rows peer;
  std::string prefix;
  for (const std::string& line : Lines(RegRipper(ntuser_, "run"))) {
    if (!line.starts_with(" ")) {
      prefix = line == "Software\\Microsoft\\Windows\\CurrentVersion\\Run"       ? "Run\\"
               : line == "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce" ? "RunOnce\\"
               : line.starts_with("LastWrite Time")                              ? prefix
                                                                                 : "";
      continue;
    }
    const size_t dash = line.find(" - ");
    if (!prefix.empty() && line.starts_with("  ") && dash != std::string::npos)
      peer.push_back(prefix + line.substr(2, dash - 2) + "=" + line.substr(dash + 3));
  }
  ASSERT_GE(peer.size(), 1u);
  EXPECT_EQ(Sorted(Show(ntuser_, 29)), Sorted(peer));
}

TEST_F(PeerTest, ServicesAgree) {
  static const std::map<std::string, std::string> kStart = {{"Boot Start", "Boot"},
                                                            {"System Start", "System"},
                                                            {"Auto Start", "Automatic"},
                                                            {"Manual", "Manual"},
                                                            {"Disabled", "[ DISABLED ]"}};
  Rows paths, states;
  std::map<std::string, std::string> block;
  const auto endBlock = [&] {
    if (block.contains("ImagePath") && block["ImagePath"].find(".exe") != std::string::npos) {
      paths.push_back(block["Display"] + "=" + block["ImagePath"]);
      ASSERT_TRUE(kStart.contains(block["Start"])) << block["Name"] << ": " << block["Start"];
      states.push_back(block["Display"] + "=" + kStart.at(block["Start"]));
    }
    block.clear();
  };
  for (const std::string& line : Lines(RegRipper(system_, "services"))) {
    const size_t equals = line.find(" = ");
    if (line.starts_with("  ") && equals != std::string::npos) {
      std::string field = line.substr(2, equals - 2);
      field.erase(field.find_last_not_of(' ') + 1);
      block[field] = line.substr(equals + 3);
    } else if (line.empty()) {
      endBlock();
    }
  }
  endBlock();
  ASSERT_GE(paths.size(), 100u);
  EXPECT_EQ(Sorted(Show(system_, 27)), Sorted(paths));
  EXPECT_EQ(Sorted(Show(system_, 28)), Sorted(states));
}

TEST_F(PeerTest, UsbStorageDevicesAgree) {
  Rows peer;
  std::string device, serial;
  for (const std::string& line : Lines(RegRipper(system_, "usbstor"))) {
    const size_t stamp = line.find(" [");
    const size_t colon = line.find(" : ");
    if (!line.starts_with(" ") && stamp != std::string::npos) {
      device = line.substr(0, stamp);
      serial.clear();
    } else if (line.starts_with("  S/N: ") && stamp != std::string::npos) {
      serial = line.substr(7, stamp - 7);
    } else if (line.starts_with("    FriendlyName") && colon != std::string::npos) {
      peer.push_back(device + "\\" + serial + "=" + line.substr(colon + 3));
    }
  }
  ASSERT_GE(peer.size(), 1u);
  // Our value goes on after the friendly name with the device's times and volumes, which
  // RegRipper's plugin leaves to others (cli_test and evidence_items_peer_test check them).
  Rows ours;
  for (const std::string& row : Show(system_, "[O] USB Storage Devices (LM)"))
    ours.push_back(row.substr(0, row.find(", ")));
  EXPECT_EQ(Sorted(ours), Sorted(peer));
}

TEST_F(PeerTest, RecentDocsAgreeInMostRecentFirstOrder) {
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
  Rows peer;
  std::string prefix;
  for (const std::string& line : Lines(RegRipper(ntuser_, "recentdocs"))) {
    const size_t equals = line.find(" = ");
    if (line == key)
      prefix.clear();
    else if (line.starts_with(key + "\\"))
      prefix = line.substr(key.size() + 1) + "\\";
    else if (line.starts_with("  ") && equals != std::string::npos)
      peer.push_back(prefix + line.substr(2, equals - 2) + "=" + line.substr(equals + 3));
  }
  ASSERT_GE(peer.size(), 12u);
  EXPECT_EQ(Show(ntuser_, "[H] Recent Docs (CU)"), peer);
}

TEST_F(PeerTest, UserAssistAgreesOnRunCountsAndLastRuns) {
  // The known folders these records start with, as our items name them.
  static const std::map<std::string, std::string> kFolders = {
      {"{D65231B0-B2F1-4857-A4CE-A8E7C6EA7D27}", "SysWOW64"},
      {"{F38BF404-1D43-42F2-9305-67DE0B28FC23}", "Windows"},
      {"{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}", "Program Files (x86)"},
      {"{9E3995AB-1F9C-4F13-B827-48B24B6C7174}", "User Pinned"},
      {"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}", "Common Programs"},
      {"{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}", "Programs"}};
  // GUID key -> name -> (run count, or empty when RegRipper gives none; last run).
  std::map<std::string, std::map<std::string, std::pair<std::string, std::string>>> peer;
  std::string key, lastRun;
  for (const std::string& line : Lines(RegRipper(ntuser_, "userassist"))) {
    if (line.starts_with("{") && line.ends_with("}")) {
      key = line;
    } else if (line.size() == 20 && line.ends_with("Z") && line[4] == '-') {
      lastRun = line.substr(0, 19);
    } else if (line == "Value names with no time stamps:") {
      lastRun = "(never)";
    } else if (line.starts_with("  ") && !key.empty()) {
      std::string name = line.substr(2), count;
      if (lastRun != "(never)") {
        const size_t open = name.rfind(" (");
        count = name.substr(open + 2, name.size() - open - 3);
        name.erase(open);
      }
      if (const auto folder = kFolders.find(name.substr(0, 38)); folder != kFolders.end())
        name = folder->second + name.substr(38);
      peer[key][name] = {count, lastRun};
    }
  }
  ASSERT_EQ(peer.size(), 2u);
  for (const auto& [guid, entries] : peer) {
    SCOPED_TRACE(guid);
    std::set<std::string> ours;
    for (const std::string& row : Show(ntuser_, "[H] User Assist - " + guid + " (CU)")) {
      const std::string name = row.substr(0, row.find('='));
      ours.insert(name);
      const auto entry = entries.find(name);
      if (entry == entries.end())
        continue;
      const auto& [count, when] = entry->second;
      if (!count.empty()) {
        EXPECT_NE(row.find("=Run Count " + count + ", "), std::string::npos) << row;
      }
      EXPECT_TRUE(row.ends_with(", Last Run " + when)) << row;
    }
    // The one name only we show: the session record, which is no usage record.
    std::set<std::string> theirs = {"UEME_CTLSESSION"};
    for (const auto& entry : entries)
      theirs.insert(entry.first);
    EXPECT_EQ(ours, theirs);
  }
}

TEST_F(PeerTest, WordWheelQueryAgreesInMostRecentFirstOrder) {
  Rows peer;
  bool listed = false;
  for (const std::string& line : Lines(RegRipper(ntuser_, "wordwheelquery"))) {
    if (line == "Searches listed in MRUListEx order")
      listed = true;
    else if (listed && line.size() > 5)
      peer.push_back(line.substr(0, line.find(' ')) + "=" + TrimRight(line.substr(5)));
  }
  ASSERT_GE(peer.size(), 5u);
  EXPECT_EQ(Show(ntuser_, "[H] Word Wheel Query (CU)"), peer);
}

TEST_F(PeerTest, TracesTheseHivesLackAreEmptyInBoth) {
  const struct {
    const std::string& hive;
    const char* plugin;
    const char* peerSays;
    std::vector<const char*> items;
  } cases[] = {
      {ntuser_, "typedpaths", "TypedPaths has no values.", {"[H] Typed Paths (CU)"}},
      {ntuser_,
       "comdlg32",
       "ComDlg32 not found.",
       {"[H] CDialog - Open Save PIDL MRU (CU)", "[H] CDialog - Last Visited PIDL MRU (CU)"}},
      {system_, "bam", "UserSettings not found.", {"[H] BAM & DAM Last Execution (LM)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plugin);
    EXPECT_NE(RegRipper(c.hive, c.plugin).find(c.peerSays), std::string::npos);
    for (const char* item : c.items)
      EXPECT_EQ(Show(c.hive, item), Rows()) << item;
  }
}

} // namespace
} // namespace tw
