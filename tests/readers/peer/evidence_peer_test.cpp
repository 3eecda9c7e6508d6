// The decoders against RegRipper on the real hives of the fixtures: the bytes of each value
// are read with hivex and decoded here; RegRipper reads the same hive with its own parser.
// Both read the primary file as it is (several of these hives are dirty; no log is applied).
//
// Mapping, RegRipper's output to the decoders' fields:
// - shimcache over SYSTEM (Windows 7), per control set: "Signature: 0xbadc0fee" and
//   "Win2K8R2/Win7, 32-bit" are ShimCacheFormat::Windows7x32, "Num_entries" the header's count,
//   and each "PATH  TIME[  Executed]" an entry's path, lastModified and executed == Yes.
//   RegRipper lists the entries in an order of its own, not the cache's (the bytes' table
//   order is ours), so each entry is looked up among RegRipper's; it also drops the "\??\"
//   that some stored paths begin with, which we keep as stored, and prints some whole-second
//   times a second early (below).
// - samparse over SAM: "Username : NAME [RID]" is V's user name and F's RID; "Full Name",
//   "User Comment" are V's full name and comment; "Last Login Date", "Pwd Reset Date",
//   "Pwd Fail Date" are F's last logon, password last set and last failed logon (RegRipper's
//   "Never" for 0); "Login Count" is F's logon count; each "--> FLAG" one of F's account flags
//   (RegRipper writes "Account Disabled" where we write "Account disabled"). The user's key
//   under Names gives the same RID by its default value's type. "Group Name : NAME [N]",
//   "Group Comment" and the SIDs under "Users :" are an alias's C value: name, description
//   and member SIDs (RegRipper lists them in an order of its own; compared sorted, the stored
//   order is ours). RegRipper's "Account Created" and "LastWrite" are key times, not data.
// - amcache over Amcache.hve (Windows 10): under InventoryApplicationFile, "PATH  LastWrite"
//   and "Hash: SHA1" are LowerCaseLongPath and the SHA-1 in FileId; under Files, "File
//   Reference: ENTRY" names Root\File\{volume}\ENTRY, "Path" is value 15, "SHA-1" value 101,
//   "Last Mod Time" value 11, "Last Mod Time2" value 17, "Create Time" value 12. RegRipper
//   prints value 101 with its leading "0000"; the bytes say those four zeros are not part of
//   the SHA-1 (41 hex digits would be no SHA-1), and we drop them.
// Windows 7's storage devices keep their install and arrival times in a form RegRipper's
// usbstor plugin does not read; those are checked against the bytes' own type field.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "readers/amcache_values.h"
#include "readers/device_properties.h"
#include "readers/peer/hive_peer.h"
#include "readers/sam_records.h"
#include "readers/shimcache.h"
#include "runtime/ansi_text.h"
#include "runtime/code_page.h"

namespace tw {
namespace {

using test::IsoTime;
using test::PerlTime;
using test::RawHive;
using test::RawValue;
using test::RegRipperLines;
using test::Trim;
using test::UnpackedHive;

std::string Ansi(const std::u16string& text) {
  return AnsiFromUtf16(text);
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The text after "LABEL :" on a line that starts with LABEL.
std::optional<std::string> Field(const std::string& line, std::string_view label) {
  if (!StartsWith(line, label))
    return std::nullopt;
  const std::size_t colon = line.find(':', label.size());
  if (colon == std::string::npos || Trim(line.substr(label.size(), colon - label.size())) != "")
    return std::nullopt;
  return Trim(line.substr(colon + 1));
}

// --- ShimCache ---------------------------------------------------------------------------

// "PATH|TIME|executed" or "PATH|TIME|".
std::string ShimRow(const std::string& path, const std::string& time, bool executed) {
  return path + "|" + time + "|" + (executed ? "executed" : "");
}

TEST(ShimCachePeer, EveryControlSetMatchesRegRipperEntryForEntry) {
  const UnpackedHive file("SYSTEM");
  const RawHive hive(file.Path());
  const std::vector<std::string> lines = RegRipperLines(file.Path(), "shimcache");
  for (const std::string set : {"ControlSet001", "ControlSet002"}) {
    SCOPED_TRACE(set);
    const auto key = hive.Key(set + "\\Control\\Session Manager\\AppCompatCache");
    ASSERT_TRUE(key);
    const auto value = hive.Value(*key, "AppCompatCache");
    ASSERT_TRUE(value);
    const ShimCache cache = DecodeShimCache(value->bytes);
    EXPECT_EQ(cache.format, ShimCacheFormat::Windows7x32);
    EXPECT_EQ(cache.damage, ShimCacheDamage::None);

    auto at = std::find(lines.begin(), lines.end(), "*** " + set + " ***");
    ASSERT_NE(at, lines.end());
    std::vector<std::string> theirs;
    std::optional<std::string> count;
    bool inEntries = false;
    for (++at; at != lines.end() && !StartsWith(*at, "***"); ++at) {
      if (auto n = Field(*at, "Num_entries"))
        count = n;
      else if (*at == "Win2K8R2/Win7, 32-bit")
        inEntries = true;
      else if (inEntries && !at->empty()) {
        std::string line = *at;
        const bool executed = line.ends_with("  Executed");
        if (executed)
          line.resize(line.size() - 10);
        theirs.push_back(
            ShimRow(line.substr(0, line.size() - 21), line.substr(line.size() - 19), executed));
      }
    }
    ASSERT_TRUE(count);
    EXPECT_EQ(*count, std::to_string(*cache.declaredEntries));
    // RegRipper turns a FILETIME into seconds through a floating-point number: on a whole
    // second it can land a hair below and print the second before (the bytes of
    // "AcroRd32.exe" say 17:55:30.0000000, RegRipper prints 17:55:29). Such an entry is
    // matched by the second before when that is what RegRipper printed.
    std::multiset<std::string> unmatched(theirs.begin(), theirs.end());
    int secondBefore = 0;
    for (const ShimCacheEntry& entry : cache.entries) {
      std::string path = Ansi(entry.path);
      if (StartsWith(path, "\\??\\"))
        path.erase(0, 4);
      const bool executed = entry.executed == Executed::Yes;
      auto match = unmatched.find(ShimRow(path, IsoTime(entry.lastModified), executed));
      if (match == unmatched.end() && entry.lastModified % 10'000'000 == 0) {
        match = unmatched.find(ShimRow(path, IsoTime(entry.lastModified - 10'000'000), executed));
        secondBefore += match != unmatched.end() ? 1 : 0;
      }
      ASSERT_NE(match, unmatched.end()) << path << " " << IsoTime(entry.lastModified);
      unmatched.erase(match);
    }
    EXPECT_EQ(cache.entries.size(), 330u);
    EXPECT_TRUE(unmatched.empty());
    RecordProperty(set + "_second_before", secondBefore);
  }
}

// --- SAM ---------------------------------------------------------------------------------

constexpr const char* kUsersKey = "SAM\\Domains\\Account\\Users";
constexpr const char* kAliasesKey = "SAM\\Domains\\Builtin\\Aliases";

std::string RegRipperTime(const std::optional<std::uint64_t>& fileTime) {
  return !fileTime || IsNeverTime(*fileTime) ? "Never" : PerlTime(*fileTime) + " Z";
}

std::string Lower(std::string text) {
  return AsciiLowerCase(text);
}

TEST(SamPeer, UsersMatchRegRipperFieldForField) {
  const UnpackedHive file("SAM");
  const RawHive hive(file.Path());
  const std::vector<std::string> lines = RegRipperLines(file.Path(), "samparse");
  const auto users = hive.Key(kUsersKey);
  ASSERT_TRUE(users);
  int compared = 0;
  for (const std::string& ridKey : hive.SubKeys(*users)) {
    if (ridKey == "Names")
      continue;
    const auto key = hive.Key(std::string(kUsersKey) + "\\" + ridKey);
    const auto f = hive.Value(*key, "F");
    const auto v = hive.Value(*key, "V");
    ASSERT_TRUE(f && v) << ridKey;
    const SamUserFixed fixed = DecodeSamUserF(f->bytes);
    const SamUserVariable variable = DecodeSamUserV(v->bytes);
    EXPECT_EQ(fixed.state, RecordState::Complete);
    EXPECT_EQ(variable.state, RecordState::Complete);
    const std::string name = Ansi(variable.userName);
    SCOPED_TRACE(name);
    EXPECT_EQ(*fixed.rid, std::stoul(ridKey, nullptr, 16));
    // The Names entry's default value type is the same RID.
    const auto nameKey = hive.Key(std::string(kUsersKey) + "\\Names\\" + name);
    ASSERT_TRUE(nameKey);
    EXPECT_EQ(RidOfNamesEntry(hive.Value(*nameKey, "")->type), *fixed.rid);

    const std::string header = name + " [" + std::to_string(*fixed.rid) + "]";
    auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return Field(line, "Username") == header;
    });
    ASSERT_NE(at, lines.end());
    std::map<std::string, std::string> fields;
    std::set<std::string> flags;
    for (++at; at != lines.end() && !at->empty(); ++at) {
      if (StartsWith(*at, "  --> "))
        flags.insert(Lower(at->substr(6)));
      else if (const std::size_t colon = at->find(" : "); colon != std::string::npos)
        fields[Trim(at->substr(0, colon))] = Trim(at->substr(colon + 3));
    }
    EXPECT_EQ(fields["Full Name"], Ansi(variable.fullName));
    EXPECT_EQ(fields["User Comment"], Ansi(variable.comment));
    EXPECT_EQ(fields["Last Login Date"], RegRipperTime(fixed.lastLogon));
    EXPECT_EQ(fields["Pwd Reset Date"], RegRipperTime(fixed.passwordLastSet));
    EXPECT_EQ(fields["Pwd Fail Date"], RegRipperTime(fixed.lastFailedLogon));
    EXPECT_EQ(fields["Login Count"], std::to_string(*fixed.logonCount));
    std::set<std::string> ours;
    for (const std::string& flag : AccountFlagNames(*fixed.accountFlags))
      ours.insert(Lower(flag));
    EXPECT_EQ(ours, flags);
    ++compared;
  }
  EXPECT_EQ(compared, 3);
}

TEST(SamPeer, GroupsMatchRegRipperWithTheirMemberSids) {
  const UnpackedHive file("SAM");
  const RawHive hive(file.Path());
  const std::vector<std::string> lines = RegRipperLines(file.Path(), "samparse");
  const auto aliases = hive.Key(kAliasesKey);
  ASSERT_TRUE(aliases);
  int compared = 0;
  for (const std::string& ridKey : hive.SubKeys(*aliases)) {
    const auto c = hive.Value(*hive.Key(std::string(kAliasesKey) + "\\" + ridKey), "C");
    if (!c)
      continue; // Members and Names
    const SamAlias alias = DecodeSamAliasC(c->bytes);
    EXPECT_EQ(alias.state, RecordState::Complete);
    EXPECT_EQ(*alias.rid, std::stoul(ridKey, nullptr, 16));
    const std::string header = Ansi(alias.name) + " [" + std::to_string(alias.members.size()) + "]";
    SCOPED_TRACE(header);
    auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return Field(line, "Group Name") == header;
    });
    ASSERT_NE(at, lines.end());
    std::vector<std::string> members;
    std::string comment;
    for (++at; at != lines.end() && !at->empty(); ++at) {
      if (auto text = Field(*at, "Group Comment"))
        comment = *text;
      else if (StartsWith(*at, "  S-"))
        members.push_back(Trim(*at));
    }
    EXPECT_EQ(comment, Ansi(alias.description));
    // RegRipper's order of the members is its own; the stored order is ours.
    std::vector<std::string> stored = alias.members;
    std::sort(members.begin(), members.end());
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(members, stored);
    ++compared;
  }
  EXPECT_EQ(compared, std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
              return Field(line, "Group Name").has_value();
            }));
}

// --- Amcache -----------------------------------------------------------------------------

TEST(AmcachePeer, InventoryFilesGiveRegRippersPathsAndHashes) {
  const UnpackedHive file("amcache.hve");
  const RawHive hive(file.Path());
  const std::vector<std::string> lines = RegRipperLines(file.Path(), "amcache");
  std::multiset<std::pair<std::string, std::string>> theirs;
  auto at = std::find(lines.begin(), lines.end(), "***InventoryApplicationFile***");
  ASSERT_NE(at, lines.end());
  for (++at; at != lines.end() && !StartsWith(*at, "***"); ++at)
    if (const std::size_t mark = at->find("  LastWrite: "); mark != std::string::npos) {
      const auto hash = Field(*(at + 1), "Hash");
      theirs.insert({at->substr(0, mark), hash.value_or("")});
    }
  const std::string root = "Root\\InventoryApplicationFile";
  std::multiset<std::pair<std::string, std::string>> ours;
  for (const std::string& entry : hive.SubKeys(*hive.Key(root))) {
    const hive_node_h key = *hive.Key(root + "\\" + entry);
    const auto path = hive.Value(key, "LowerCaseLongPath");
    const auto fileId = hive.Value(key, "FileId");
    if (!path || !fileId)
      continue;
    ours.insert({Ansi(test::Utf16Value(*path)),
                 Sha1FromFileId(test::Utf16Value(*fileId)).value_or("(no SHA-1)")});
    // Every link date the hive holds reads as a time.
    if (const auto linkDate = hive.Value(key, "LinkDate"); linkDate && linkDate->bytes.size() > 2) {
      EXPECT_TRUE(FileTimeFromLinkDate(test::Utf16Value(*linkDate)))
          << Ansi(test::Utf16Value(*linkDate));
    }
  }
  EXPECT_EQ(ours.size(), 247u);
  EXPECT_EQ(ours, theirs);
}

TEST(AmcachePeer, OlderFileEntriesGiveRegRippersPathsHashesAndTimes) {
  const UnpackedHive file("amcache.hve");
  const RawHive hive(file.Path());
  const std::vector<std::string> lines = RegRipperLines(file.Path(), "amcache");
  std::map<std::string, std::map<std::string, std::string>> theirs;
  auto at = std::find(lines.begin(), lines.end(), "***Files***");
  ASSERT_NE(at, lines.end());
  std::string reference;
  for (++at; at != lines.end() && !StartsWith(*at, "***"); ++at) {
    if (auto text = Field(*at, "File Reference"))
      reference = *text;
    else if (const std::size_t colon = at->find(": ");
             colon != std::string::npos && !reference.empty())
      theirs[reference][Trim(at->substr(0, colon))] = Trim(at->substr(colon + 2));
  }
  std::map<std::string, std::map<std::string, std::string>> ours;
  const std::string root = "Root\\File";
  for (const std::string& volume : hive.SubKeys(*hive.Key(root)))
    for (const std::string& entry : hive.SubKeys(*hive.Key(root + "\\" + volume))) {
      const hive_node_h key = *hive.Key(root + "\\" + volume + "\\" + entry);
      auto& fields = ours[entry];
      if (const auto path = hive.Value(key, std::string(kAmcacheFilePath)))
        fields["Path"] = Ansi(test::Utf16Value(*path));
      if (const auto sha1 = hive.Value(key, std::string(kAmcacheFileSha1))) {
        const auto digits = Sha1FromFileId(test::Utf16Value(*sha1));
        ASSERT_TRUE(digits) << entry;
        fields["SHA-1"] = *digits;
      }
      for (const auto& [name, label] : {std::pair{kAmcacheFileModified, "Last Mod Time"},
                                        std::pair{kAmcacheFileModified2, "Last Mod Time2"},
                                        std::pair{kAmcacheFileCreated, "Create Time"}})
        if (const auto time = hive.Value(key, std::string(name)))
          fields[label] = IsoTime(*AmcacheFileTime(time->bytes)) + "Z";
    }
  ASSERT_EQ(ours.size(), theirs.size());
  int compared = 0;
  for (auto& [entry, fields] : theirs) {
    SCOPED_TRACE(entry);
    for (const char* label : {"Path", "Last Mod Time", "Last Mod Time2", "Create Time"})
      EXPECT_EQ(ours[entry][label], fields[label]) << label;
    // RegRipper keeps the four zeros in front of the SHA-1.
    if (!fields["SHA-1"].empty()) {
      EXPECT_EQ("0000" + ours[entry]["SHA-1"], fields["SHA-1"]);
      ++compared;
    }
  }
  EXPECT_GT(compared, 1000);
}

// --- Storage device times ----------------------------------------------------------------

TEST(DevicePropertyPeer, Windows7DevicesKeepTheirTimesAsTypedFileTimes) {
  const UnpackedHive file("SYSTEM");
  const RawHive hive(file.Path());
  const std::string usbstor = "ControlSet001\\Enum\\USBSTOR";
  int times = 0;
  for (const std::string& device : hive.SubKeys(*hive.Key(usbstor)))
    for (const std::string& serial : hive.SubKeys(*hive.Key(usbstor + "\\" + device))) {
      const std::string set = usbstor + "\\" + device + "\\" + serial + "\\Properties\\" +
                              std::string(kDeviceTimesPropertySet);
      for (const char* property : {"00000064", "00000065", "00000066", "00000067"}) {
        const auto key = hive.Key(set + "\\" + property + "\\00000000");
        if (!key)
          continue;
        const auto type = DevicePropertyTypeOfTypeValue(hive.Value(*key, "Type")->bytes);
        ASSERT_EQ(type, kDevicePropertyFileTime) << set << property;
        const auto time = DevicePropertyFileTime(*type, hive.Value(*key, "Data")->bytes);
        ASSERT_TRUE(time);
        EXPECT_GT(IsoTime(*time), "2009");
        ++times;
      }
    }
  EXPECT_GE(times, 2);
}

} // namespace
} // namespace tw
