// The evidence items' rows, as `trailwick-cli export --format csv` writes them, against RegRipper
// over the real hives, entry by entry. Both read the primary files as they are (RegRipper
// applies no transaction log; we are given --no-recover). Where RegRipper reads less or
// otherwise, the bytes (read with hivexget) say which reading is right.
//
// Mapping, RegRipper's output to our rows:
// - shimcache over SYSTEM, each "*** ControlSet00N ***" section: "Num_entries: N" is our
//   "ControlSet00N=Windows 7, 32-bit, N entries"; each "PATH  TIME[  Executed]" is our row
//   PATH="ControlSet00N, Position P, Last Modified TIME, Executed Yes|No". RegRipper lists the
//   entries in an order of its own (ours is the cache's: Position), drops the "\??\" some
//   stored paths start with (the bytes hold it, and so do we), and prints a whole-second time
//   one second early where its floating-point conversion lands below it (44 entries of the
//   660: each a whole second to the tick in the bytes, as our timeline gives it).
// - amcache over Amcache.hve: under "***InventoryApplicationFile***", "PATH  LastWrite: TIME"
//   and "Hash: SHA1" are our row PATH="SHA-1 SHA1, ..., Key Written TIME"; under "***Files***",
//   "File Reference: REF" with "Path", "SHA-1", "Last Mod Time", "Create Time", "Last Mod
//   Time2" and "LastWrite" are our row PATH="SHA-1 ..., Last Modified ..., Created ...,
//   Modified (17) ..., Key Written ..., File Reference REF". RegRipper keeps the four zeros in
//   front of value 101's SHA-1, which are not part of it (44 digits). Its "***Programs***" is
//   the older Root\Programs key, which the Programs item does not read; our Amcache -
//   Programs (Root\InventoryApplication) is checked against the bytes.
// - shellbags over UsrClass.dat (and NTUSER.DAT, whose Shell\BagMRU holds no items): each line
//   "MRU Time |Modified |Accessed |Created |Zip |MFT |PATH [Desktop\A\B\]" is our row of the
//   value B of BagMRU\A: "BagMRU\A\B, MRU Position N, Key Written ..., Modified ...,
//   Accessed ..., Created ..., MFT E/S"; RegRipper's MRU Time, printed for the first entry of
//   a key's list alone, is our Key Written where the MRU Position is 0. RegRipper's PATH is
//   every name from the Desktop; ours restarts at a drive as Explorer shows it. RegRipper names
//   root items by their sort index and some delegates "Explorer" (shellbags_peer_test in
//   tests/readers lists each, with the bytes' reading), prints no time of a root item's
//   0xBEEF0026 block and no MFT reference held by a delegate's 0xBEEF0004 block.
// - samparse over SAM: "Username : NAME [RID]" and "SID" are our NAME\RID and NAME\SID; "Full
//   Name", "User Comment", "Account Created", "Last Login Date", "Pwd Reset Date", "Pwd Fail
//   Date", "Login Count" are our NAME\Full Name, \Comment, \Account Created, \Last Logon,
//   \Password Last Set, \Last Failed Logon, \Logon Count (RegRipper's "Never" is our
//   "(never)"); each "--> FLAG" one of NAME\Flags; a group whose "Users :" list holds the
//   user's SID is one of NAME\Groups. RegRipper prints neither the account's expiry nor its
//   failed logon count: checked against F's bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive_files.h"
#include "peer_runs.h"
#include "value_fields.h"
#include "support/platform.h"

namespace tw {
namespace {

using test::CsvRow;
using test::Lines;
using test::Rows;

class EvidenceItemsPeerTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    folder_ = new test::TempFolder;
    for (const char* name : {"SYSTEM", "SAM", "amcache.hve", "UsrClass.dat", "NTUSER.DAT"})
      test::UnpackHive(name, folder_->Host());
  }
  static void TearDownTestSuite() { delete folder_; }

  static std::string Hive(const std::string& name) { return (folder_->Host() / name).string(); }
  static std::vector<CsvRow> Rows(const std::vector<std::string>& hives, const std::string& item) {
    std::vector<std::string> sources;
    for (const std::string& hive : hives)
      sources.insert(sources.end(), {"--hive", Hive(hive)});
    sources.push_back("--no-recover");
    return test::ExportRows(sources, item);
  }
  static test::Rows RegRipper(const std::string& hive, const std::string& plugin) {
    return Lines(test::RegRipperOutput(Hive(hive), plugin));
  }
  // A value's bytes as hivexget prints them (strings as text, other data raw).
  static std::string Raw(const std::string& hive, const std::string& key,
                         const std::string& value) {
    return test::RunCommand("hivexget '" + Hive(hive) + "' '" + key + "' '" + value + "'");
  }

  static test::TempFolder* folder_;
};

test::TempFolder* EvidenceItemsPeerTest::folder_ = nullptr;

// The labels of the evidence rows' fields: a field's text (a publisher's "CN=..., O=...")
// may itself hold ", ", so a field ends only where the next label starts.
const std::vector<std::string> kLabels = {
    "Position",     "Last Modified", "Executed",  "Size",      "Last Update", "Size or Flags",
    "SHA-1",        "Link Date",     "Product",   "Publisher", "Version",     "Key Written",
    "Created",      "Modified (17)", "Installed", "Folder",    "Source",      "File Reference",
    "MRU Position", "Modified",      "Accessed",  "MFT",       "Item",        "Item List"};

std::string FieldOf(const std::string& value, const std::string& label) {
  return test::FieldOf(value, label, kLabels);
}

std::string Trim(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// "TIME" one second earlier, both "yyyy-mm-dd hh:nn:ss".
std::string SecondBefore(const std::string& time) {
  std::tm tm{};
  strptime(time.c_str(), "%Y-%m-%d %H:%M:%S", &tm);
  const std::time_t seconds = timegm(&tm) - 1;
  gmtime_r(&seconds, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
  return text;
}

// --- ShimCache -------------------------------------------------------------------------------

TEST_F(EvidenceItemsPeerTest, ShimCacheAgreesWithRegRipperInEveryControlSet) {
  const std::vector<CsvRow> rows = Rows({"SYSTEM"}, "[H] ShimCache - AppCompatCache (LM)");
  const test::Rows lines = RegRipper("SYSTEM", "shimcache");
  // Each entry's time to the tick, from the timeline's events: "ControlSet00N, Position P" ->
  // ISO 8601 time.
  std::map<std::string, std::string> ticks;
  {
    const test::TempFolder out;
    const std::string file = (out.Host() / "timeline.csv").string();
    OfflineCliPlatform platform;
    std::ostringstream stdOut, err;
    ASSERT_EQ(RunCli({"timeline", "--hive", Hive("SYSTEM"), "--format", "csv", "--out", file},
                     platform, stdOut, err),
              ExitCode::Done);
    for (const auto& record : test::CsvRecords(test::ReadFileBytes(file)))
      if (record.size() == 6 && record[3] == "[H] ShimCache - AppCompatCache (LM)") {
        const std::size_t open = record[2].rfind(" (ControlSet");
        ticks[record[2].substr(open + 2, record[2].find(", Last", open) - open - 2)] = record[0];
      }
  }
  int prefixed = 0, secondBefore = 0;
  for (const std::string set : {"ControlSet001", "ControlSet002"}) {
    SCOPED_TRACE(set);
    auto at = std::find(lines.begin(), lines.end(), "*** " + set + " ***");
    ASSERT_NE(at, lines.end());
    std::multiset<std::string> theirs;
    std::string count;
    bool entries = false;
    for (++at; at != lines.end() && !at->starts_with("***"); ++at) {
      if (at->starts_with("Num_entries: "))
        count = at->substr(13);
      else if (*at == "Win2K8R2/Win7, 32-bit")
        entries = true;
      else if (entries && !at->empty())
        theirs.insert(*at);
    }
    // Ours: the summary row, then the entries in the cache's order.
    const auto summary =
        std::find_if(rows.begin(), rows.end(), [&](const CsvRow& r) { return r.name == set; });
    ASSERT_NE(summary, rows.end());
    EXPECT_EQ(summary->value, "Windows 7, 32-bit, " + count + " entries");
    EXPECT_EQ(summary->keyPath,
              "HKLM\\SYSTEM\\" + set + "\\Control\\Session Manager\\AppCompatCache");
    int position = 0;
    for (auto row = summary + 1; row != rows.end() && row->value.starts_with(set + ", "); ++row) {
      EXPECT_EQ(FieldOf(row->value, "Position"), std::to_string(position++));
      std::string path = row->name;
      if (path.starts_with("\\??\\")) {
        path.erase(0, 4);
        ++prefixed;
      }
      const std::string time = FieldOf(row->value, "Last Modified");
      const std::string executed = FieldOf(row->value, "Executed");
      ASSERT_TRUE(executed == "Yes" || executed == "No") << row->value;
      const std::string tail = executed == "Yes" ? "  Executed" : "";
      auto match = theirs.find(path + "  " + time + tail);
      if (match == theirs.end()) {
        // RegRipper turns a FILETIME into seconds through a floating-point number: on a whole
        // second it can land a hair below and print the second before. The bytes must hold a
        // whole second then.
        match = theirs.find(path + "  " + SecondBefore(time) + tail);
        const std::string exact = ticks[set + ", Position " + std::to_string(position - 1)];
        EXPECT_TRUE(exact.ends_with(".0000000Z")) << exact;
        secondBefore += match != theirs.end() ? 1 : 0;
      }
      ASSERT_NE(match, theirs.end()) << row->name << "=" << row->value;
      theirs.erase(match);
    }
    EXPECT_EQ(std::to_string(position), count);
    EXPECT_TRUE(theirs.empty()) << *theirs.begin();
  }
  EXPECT_GT(prefixed, 0);
  RecordProperty("second_before", secondBefore);
  // The bytes hold the prefix: the first entry's path, UTF-16, at the offset its entry names.
  const std::string blob =
      Raw("SYSTEM", "ControlSet001\\Control\\Session Manager\\AppCompatCache", "AppCompatCache");
  ASSERT_GT(blob.size(), 128u + 32u);
  const std::size_t offset = static_cast<unsigned char>(blob[128 + 4]) |
                             static_cast<unsigned char>(blob[128 + 5]) << 8 |
                             static_cast<unsigned char>(blob[128 + 6]) << 16;
  EXPECT_EQ(blob.substr(offset, 8), std::string("\\\0?\0?\0\\\0", 8));
  EXPECT_TRUE(rows[1].name.starts_with("\\??\\")) << rows[1].name;
}

// --- Amcache ---------------------------------------------------------------------------------

TEST_F(EvidenceItemsPeerTest, AmcacheFilesAgreeWithRegRipperPathHashAndTimes) {
  const std::vector<CsvRow> rows = Rows({"amcache.hve"}, "[H] Amcache - Files");
  const test::Rows lines = RegRipper("amcache.hve", "amcache");
  // InventoryApplicationFile.
  std::multiset<std::string> theirs;
  auto at = std::find(lines.begin(), lines.end(), "***InventoryApplicationFile***");
  ASSERT_NE(at, lines.end());
  for (++at; at != lines.end() && !at->starts_with("***"); ++at)
    if (const std::size_t mark = at->find("  LastWrite: "); mark != std::string::npos)
      theirs.insert(at->substr(0, mark) + "|" + at->substr(mark + 13, 19) + "|" +
                    ((at + 1)->starts_with("Hash: ") ? (at + 1)->substr(6) : ""));
  std::multiset<std::string> ours;
  std::map<std::string, const CsvRow*> byReference;
  for (const CsvRow& row : rows) {
    if (row.keyPath.find("\\InventoryApplicationFile\\") != std::string::npos)
      ours.insert(row.name + "|" + FieldOf(row.value, "Key Written") + "|" +
                  FieldOf(row.value, "SHA-1"));
    else
      byReference[FieldOf(row.value, "File Reference")] = &row;
  }
  EXPECT_EQ(ours.size(), 247u);
  EXPECT_EQ(ours, theirs);

  // The older Root\File entries.
  at = std::find(lines.begin(), lines.end(), "***Files***");
  ASSERT_NE(at, lines.end());
  std::map<std::string, std::map<std::string, std::string>> files;
  std::string reference;
  for (++at; at != lines.end() && !at->starts_with("***"); ++at)
    if (at->starts_with("File Reference: "))
      reference = at->substr(16);
    else if (const std::size_t colon = at->find(": "); colon != std::string::npos)
      files[reference][Trim(at->substr(0, colon))] = Trim(at->substr(colon + 2));
  ASSERT_EQ(byReference.size(), files.size());
  int hashes = 0;
  for (const auto& [ref, fields] : files) {
    SCOPED_TRACE(ref);
    ASSERT_TRUE(byReference.contains(ref));
    const CsvRow& row = *byReference[ref];
    const auto field = [&](const char* label) {
      const auto it = fields.find(label);
      return it == fields.end() ? std::string() : it->second;
    };
    const auto time = [](const std::string& text) {
      return text.empty() ? text : text.substr(0, 19); // RegRipper's "Z" dropped
    };
    EXPECT_EQ(row.name, field("Path"));
    EXPECT_EQ(FieldOf(row.value, "Last Modified"), time(field("Last Mod Time")));
    EXPECT_EQ(FieldOf(row.value, "Created"), time(field("Create Time")));
    EXPECT_EQ(FieldOf(row.value, "Modified (17)"), time(field("Last Mod Time2")));
    EXPECT_EQ(FieldOf(row.value, "Key Written"), time(field("LastWrite")));
    if (!field("SHA-1").empty()) {
      // RegRipper's 44 digits are value 101 as stored; the SHA-1 is its last 40.
      EXPECT_EQ("0000" + FieldOf(row.value, "SHA-1"), field("SHA-1"));
      ++hashes;
    }
  }
  EXPECT_GT(hashes, 1000);
}

TEST_F(EvidenceItemsPeerTest, AmcacheProgramsGiveWhatTheirKeysHold) {
  const std::vector<CsvRow> rows = Rows({"amcache.hve"}, "[H] Amcache - Programs");
  EXPECT_EQ(rows.size(), 74u);
  // Every program's values as hivexsh prints them, one line each, in one run.
  constexpr std::array<const char*, 5> kValues = {"Name", "Version", "Publisher", "Source",
                                                  "InstallDate"};
  std::string script;
  for (const CsvRow& row : rows) {
    script += "cd \\" + row.keyPath.substr(std::string("HKLM\\Amcache.hve\\").size()) + "\n";
    for (const char* value : kValues)
      script += std::string("lsval ") + value + "\n";
  }
  const std::filesystem::path file = folder_->Host() / "programs.hivexsh";
  std::ofstream(file) << script;
  const test::Rows printed =
      Lines(test::RunCommand("hivexsh -f '" + file.string() + "' '" + Hive("amcache.hve") + "'"));
  ASSERT_EQ(printed.size(), rows.size() * kValues.size());
  int compared = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const CsvRow& row = rows[r];
    SCOPED_TRACE(row.keyPath);
    const auto text = [&](std::size_t value) { return printed[r * kValues.size() + value]; };
    // A program without a name is named by its key.
    EXPECT_EQ(row.name,
              text(0).empty() ? row.keyPath.substr(row.keyPath.rfind('\\') + 1) : text(0));
    EXPECT_EQ(FieldOf(row.value, "Version"), text(1));
    EXPECT_EQ(FieldOf(row.value, "Publisher"), text(2));
    EXPECT_EQ(FieldOf(row.value, "Source"), text(3));
    // "MM/DD/YYYY HH:MM:SS" as stored, ours "YYYY-MM-DD HH:MM:SS".
    const std::string date = text(4);
    if (date.size() == 19) {
      EXPECT_EQ(FieldOf(row.value, "Installed"), date.substr(6, 4) + "-" + date.substr(0, 2) + "-" +
                                                     date.substr(3, 2) + date.substr(10));
      ++compared;
    }
  }
  EXPECT_GT(compared, 50);
}

// --- ShellBags -------------------------------------------------------------------------------

struct TheirBag {
  std::string mruTime, modified, accessed, created, mft, path;
};

TEST_F(EvidenceItemsPeerTest, ShellBagsAgreeWithRegRipperBagByBag) {
  // The Windows 7 user hive keeps a BagMRU key without items: both find none there.
  EXPECT_TRUE(Rows({"NTUSER.DAT"}, "[H] ShellBags (CU)").empty());
  std::map<std::string, TheirBag> theirs; // by "A\B"
  for (const std::string& line : RegRipper("NTUSER.DAT", "shellbags"))
    EXPECT_EQ(line.find(" [Desktop\\"), std::string::npos) << line;
  for (const std::string& line : RegRipper("UsrClass.dat", "shellbags")) {
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (std::size_t bar; (bar = line.find('|', at)) != std::string::npos; at = bar + 1)
      cells.push_back(Trim(line.substr(at, bar - at)));
    cells.push_back(line.substr(at));
    const std::size_t open = cells.back().rfind(" [Desktop\\");
    if (cells.size() != 7 || open == std::string::npos)
      continue;
    const std::string& resource = cells.back();
    theirs["BagMRU\\" + resource.substr(open + 10, resource.size() - open - 12)] = {
        cells[0], cells[1], cells[2], cells[3], cells[5], resource.substr(0, open)};
  }
  const std::vector<CsvRow> rows = Rows({"NTUSER.DAT", "UsrClass.dat"}, "[H] ShellBags (CU)");
  ASSERT_EQ(rows.size(), 29u);
  ASSERT_EQ(theirs.size(), rows.size());
  std::map<std::string, std::string> ourPaths;
  int rootTimes = 0, delegateReferences = 0, mruTimes = 0;
  for (const CsvRow& row : rows) {
    const std::string bag = row.value.substr(0, row.value.find(", ")); // "BagMRU\\A\\B"
    SCOPED_TRACE(bag);
    ASSERT_TRUE(theirs.contains(bag));
    const TheirBag& peer = theirs[bag];
    ourPaths[bag] = row.name;
    const bool first = FieldOf(row.value, "MRU Position") == "0";
    EXPECT_EQ(peer.mruTime, first ? FieldOf(row.value, "Key Written") : "");
    mruTimes += first ? 1 : 0;
    if (peer.modified.empty() && !FieldOf(row.value, "Modified").empty() &&
        FieldOf(row.value, "MFT").empty()) {
      ++rootTimes; // a root item's 0xBEEF0026 block
    } else {
      EXPECT_EQ(FieldOf(row.value, "Modified"), peer.modified);
      EXPECT_EQ(FieldOf(row.value, "Accessed"), peer.accessed);
      EXPECT_EQ(FieldOf(row.value, "Created"), peer.created);
    }
    if (peer.mft.empty() && !FieldOf(row.value, "MFT").empty())
      ++delegateReferences;
    else
      EXPECT_EQ(FieldOf(row.value, "MFT"), peer.mft);
  }
  EXPECT_EQ(rootTimes, 7);
  EXPECT_EQ(delegateReferences, 3);
  EXPECT_GE(mruTimes, 10);
  // Names and paths: each bag's name is RegRipper's but where the bytes say otherwise (the
  // readers' shellbags_peer_test lists those); a child's path is its parent's with its name
  // (a drive starts afresh), as RegRipper's is.
  const std::set<std::string> namedDifferently = {
      "BagMRU\\0",       "BagMRU\\1", "BagMRU\\2", "BagMRU\\3", "BagMRU\\4\\2",
      "BagMRU\\5\\0\\0", "BagMRU\\6", "BagMRU\\7", "BagMRU\\8", "BagMRU\\9"};
  int named = 0;
  for (const auto& [bag, path] : ourPaths) {
    SCOPED_TRACE(bag);
    const std::size_t last = bag.rfind('\\');
    const std::string parent = bag.substr(0, last);
    const bool top = parent == "BagMRU";
    const std::string& ourParent = top ? std::string() : ourPaths[parent];
    const std::string& theirParent = top ? std::string() : theirs[parent].path;
    ASSERT_TRUE(theirs[bag].path.starts_with(theirParent));
    std::string theirName = theirs[bag].path.substr(theirParent.size());
    if (theirName.starts_with("\\"))
      theirName.erase(0, 1);
    if (theirName.starts_with("CLSID_"))
      theirName.erase(0, 6);
    const bool restarts = path.size() == 3 && path[1] == ':' && path[2] == '\\';
    std::string ourName = path;
    if (!top && !restarts) {
      const std::string prefix = ourParent + (ourParent.ends_with('\\') ? "" : "\\");
      ASSERT_TRUE(path.starts_with(prefix)) << path << " / " << ourParent;
      ourName = path.substr(prefix.size());
    }
    if (!namedDifferently.contains(bag)) {
      EXPECT_EQ(ourName, theirName);
      ++named;
    }
  }
  EXPECT_EQ(named, 19);
  EXPECT_EQ(ourPaths["BagMRU\\4\\3\\0\\0\\2"], "C:\\Users\\jcloudy\\Dropbox");
  EXPECT_EQ(theirs["BagMRU\\4\\3\\0\\0\\2"].path, "My Computer\\C:\\Users\\jcloudy\\Dropbox");
}

// --- SAM -------------------------------------------------------------------------------------

TEST_F(EvidenceItemsPeerTest, SamAccountsAgreeWithSamparse) {
  const std::vector<CsvRow> rows = Rows({"SAM"}, "[I] SAM Accounts (LM)");
  std::map<std::string, std::map<std::string, std::string>> ours; // user -> field -> text
  std::map<std::string, std::string> keyOf;
  for (const CsvRow& row : rows) {
    const std::size_t slash = row.name.rfind('\\');
    ours[row.name.substr(0, slash)][row.name.substr(slash + 1)] = row.value;
    if (row.name.ends_with("\\RID"))
      keyOf[row.name.substr(0, slash)] = row.keyPath;
  }
  const test::Rows lines = RegRipper("SAM", "samparse");
  const auto theirTime = [](const std::string& text) {
    if (text == "Never")
      return std::string("(never)");
    std::tm tm{};
    strptime(text.c_str(), "%a %b %d %H:%M:%S %Y", &tm);
    char out[32];
    std::strftime(out, sizeof out, "%Y-%m-%d %H:%M:%S", &tm);
    return std::string(out);
  };
  // Groups: each group's member SIDs.
  std::map<std::string, std::set<std::string>> members;
  std::string group;
  for (const std::string& line : lines)
    if (line.starts_with("Group Name    : "))
      group = line.substr(16, line.rfind(" [") - 16);
    else if (line.starts_with("  S-") && !group.empty())
      members[group].insert(Trim(line));
  int users = 0;
  for (auto at = lines.begin(); at != lines.end(); ++at) {
    if (!at->starts_with("Username        : "))
      continue;
    const std::string header = at->substr(18);
    const std::string name = header.substr(0, header.rfind(" ["));
    SCOPED_TRACE(name);
    ASSERT_TRUE(ours.contains(name));
    auto& fields = ours[name];
    EXPECT_EQ("[" + fields["RID"] + "]", header.substr(header.rfind(" [") + 1));
    std::map<std::string, std::string> their;
    std::set<std::string> flags;
    for (++at; at != lines.end() && !at->empty(); ++at)
      if (at->starts_with("  --> "))
        flags.insert(at->substr(6));
      else if (const std::size_t colon = at->find(" : "); colon != std::string::npos)
        their[Trim(at->substr(0, colon))] = Trim(at->substr(colon + 3));
    EXPECT_EQ(fields["SID"], their["SID"]);
    EXPECT_EQ(fields["Full Name"], their["Full Name"]);
    EXPECT_EQ(fields["Comment"], their["User Comment"]);
    EXPECT_EQ(fields["Account Created"], theirTime(their["Account Created"]));
    EXPECT_EQ(fields["Last Logon"], theirTime(their["Last Login Date"]));
    EXPECT_EQ(fields["Password Last Set"], theirTime(their["Pwd Reset Date"]));
    EXPECT_EQ(fields["Last Failed Logon"], theirTime(their["Pwd Fail Date"]));
    EXPECT_EQ(fields["Logon Count"], their["Login Count"]);
    std::set<std::string> ourFlags;
    for (std::size_t from = 0; from < fields["Flags"].size();) {
      const std::size_t comma = std::min(fields["Flags"].find(", ", from), fields["Flags"].size());
      std::string flag = fields["Flags"].substr(from, comma - from);
      if (flag == "Account disabled")
        flag = "Account Disabled"; // RegRipper's capital
      ourFlags.insert(flag);
      from = comma + 2;
    }
    EXPECT_EQ(ourFlags, flags);
    std::set<std::string> inGroups;
    for (const auto& [g, sids] : members)
      if (sids.contains(fields["SID"]))
        inGroups.insert(g);
    std::string joined;
    for (const std::string& g : inGroups)
      joined += (joined.empty() ? "" : ", ") + g;
    EXPECT_EQ(fields["Groups"], joined);
    // Read less by RegRipper: expiry (F at 0x20) and failed logons (F at 0x40), by the bytes.
    const std::string f = Raw("SAM", keyOf[name].substr(std::string("HKLM\\SAM\\").size()), "F");
    ASSERT_EQ(f.size(), 80u);
    const auto le = [&](std::size_t at, int bytes) {
      uint64_t value = 0;
      for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(f[at + static_cast<std::size_t>(i)]);
      return value;
    };
    const uint64_t expires = le(0x20, 8);
    EXPECT_EQ(fields["Account Expires"],
              expires == 0 || expires == 0x7FFFFFFFFFFFFFFFull ? "(never)" : "a time");
    EXPECT_EQ(fields["Failed Logon Count"], std::to_string(le(0x40, 2)));
    ++users;
  }
  EXPECT_EQ(users, 3);
  EXPECT_EQ(ours.size(), 3u);
}

} // namespace
} // namespace tw
