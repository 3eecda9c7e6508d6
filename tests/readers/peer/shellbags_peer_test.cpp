// Shell items against RegRipper's shellbags plugin over a Windows 10 user's class hive (dirty;
// both read the primary file as it is). Each BagMRU value holds one shell item; RegRipper
// prints it as "MRU Time |Modified |Accessed |Created |Zip_Subfolder |MFT File Ref |PATH
// [Desktop\N\...\]", where the bracket names the value (Desktop\4\3\0\ is value 0 of BagMRU\4\3)
// and PATH ends with the item's name.
// Mapping: Modified, Accessed and Created are the item's modified, accessed and created times
// (a file entry's FAT time and its 0xBEEF0004 block's); "ENTRY/SEQ" its MFT reference; PATH's
// end its display name, with RegRipper's "CLSID_" before a known folder's name dropped.
// RegRipper's MRU Time is the key's last write, not item data.
// Where RegRipper reads less or differently, checked against the bytes:
// - It names root items (0x1F) by their sort-index byte, not their GUID: Desktop\0\ (GUID
//   {679F85CB-...}, Quick Access; index 0x80) is "My Games", Desktop\6\, \8\, \9\ (OneDrive and
//   two GUIDs no table names; index 0x42) are "Libraries", Desktop\7\ ({59031A47-...}, the
//   user's files; index 0x44) is "Users".
// - Desktop\1\ is a root-typed delegate whose data is a drive item "D:\" (signature
//   0xF5A6B710, class {F5FB2C77-...}, removable drives); RegRipper calls it "Explorer".
//   Desktop\2\ and \3\ are root-typed property-view delegates of class {04731B67-...} whose
//   property store holds a search ("Search Results in AKMonitor") but no display name;
//   RegRipper calls them "Explorer", we show the class GUID.
// - Desktop\4\2\ ({D3162B92-...}, This PC's Documents) RegRipper prints as the lower-case GUID.
// - Desktop\5\0\0\ is a control panel item {BB06C0E4-...}: RegRipper "CLSID_System", we show
//   the GUID (no table of control panel items here).
// - Roots and This PC's folders carry a 0xBEEF0026 block with creation, access and write
//   FILETIMEs (Desktop\4\0\, \6\ ...); RegRipper prints none of them.
// - The delegates below the user's files (Desktop\7\N\) carry their MFT reference in their
//   0xBEEF0004 block (Dropbox: 139472/3, the same as C:\Users\jcloudy\Dropbox's); RegRipper
//   prints it for the plain file entries only.
// The Windows 7 user hive keeps no items under its Shell key's BagMRU; both find none.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "readers/peer/hive_peer.h"
#include "readers/shell_items.h"
#include "runtime/ansi_text.h"
#include "runtime/code_page.h"

namespace tw {
namespace {

using test::IsoTime;
using test::RawHive;
using test::RegRipperLines;
using test::Trim;
using test::UnpackedHive;

constexpr const char* kBagMru = "Local Settings\\Software\\Microsoft\\Windows\\Shell\\BagMRU";

struct Row {
  std::string modified, accessed, created, mft, path, value;
};

std::vector<Row> ParseRows(const std::vector<std::string>& lines) {
  std::vector<Row> rows;
  for (const std::string& line : lines) {
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (std::size_t bar; (bar = line.find('|', at)) != std::string::npos; at = bar + 1)
      cells.push_back(Trim(line.substr(at, bar - at)));
    cells.push_back(line.substr(at));
    const std::size_t open = cells.back().rfind(" [Desktop\\");
    if (cells.size() != 7 || open == std::string::npos)
      continue;
    const std::string resource = cells.back();
    rows.push_back({cells[1], cells[2], cells[3], cells[5], resource.substr(0, open),
                    resource.substr(open + 10, resource.size() - open - 12)});
  }
  return rows;
}

std::string Time(std::uint64_t fileTime) {
  return fileTime == 0 ? "" : IsoTime(fileTime);
}

std::string Reference(const ShellItem& item) {
  return item.fileReference ? std::to_string(item.fileReference->entry) + "/" +
                                  std::to_string(item.fileReference->sequence)
                            : "";
}

std::string DisplayName(const ShellItem& item) {
  const std::u16string name = ShellItemDisplayName(item);
  if (item.nameKind != TextKind::CodePageBytes || item.name.empty())
    return AnsiFromUtf16(name);
  return std::string(name.begin(), name.end());
}

// RegRipper's name for the item: the path's end after its parent's path, "CLSID_" dropped.
std::string TheirName(const std::string& path, const std::string& parentPath) {
  const std::size_t skip = parentPath.empty()           ? 0
                           : parentPath.ends_with('\\') ? parentPath.size()
                                                        : parentPath.size() + 1;
  std::string name = path.substr(skip);
  if (name.starts_with("CLSID_"))
    name.erase(0, 6);
  return name;
}

// The values where RegRipper's name differs, with the bytes' reading.
const std::map<std::string, std::pair<std::string, std::string>> kNamedDifferently = {
    {"0", {"My Games", "Quick Access"}},
    {"1", {"Explorer", "D:\\"}},
    {"2", {"Explorer", "{04731B67-D933-450A-90E6-4ACD2E9408FE}"}},
    {"3", {"Explorer", "{04731B67-D933-450A-90E6-4ACD2E9408FE}"}},
    {"4\\2", {"{d3162b92-9365-467a-956b-92703aca08af}", "Documents"}},
    {"5\\0\\0", {"System", "{BB06C0E4-D293-4F75-8A90-CB05B6477EEE}"}},
    {"6", {"Libraries", "OneDrive"}},
    {"7", {"Users", "User Files"}},
    {"8", {"Libraries", "{4A8FCD9F-623C-4283-96F0-10F41846A98A}"}},
    {"9", {"Libraries", "{E31EA727-12ED-4702-820C-4B6445F28E1A}"}},
};

TEST(ShellBagsPeer, EveryBagOfTheClassHiveMatchesRegRipper) {
  const UnpackedHive file("UsrClass.dat");
  const RawHive hive(file.Path());
  const std::vector<Row> rows = ParseRows(RegRipperLines(file.Path(), "shellbags"));
  ASSERT_EQ(rows.size(), 29u);
  std::map<std::string, std::string> pathOf; // value -> RegRipper's path
  int rootTimes = 0, delegateReferences = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    pathOf[row.value] = row.path;
    const std::size_t last = row.value.rfind('\\');
    const std::string parent = last == std::string::npos ? "" : row.value.substr(0, last);
    const std::string valueName =
        last == std::string::npos ? row.value : row.value.substr(last + 1);
    const auto key = hive.Key(std::string(kBagMru) + (parent.empty() ? "" : "\\" + parent));
    ASSERT_TRUE(key);
    const auto value = hive.Value(*key, valueName);
    ASSERT_TRUE(value);
    const ShellItemList list = DecodeShellItemList(value->bytes);
    ASSERT_EQ(list.end, ListEnd::Terminated);
    ASSERT_EQ(list.items.size(), 1u);
    const ShellItem& item = list.items[0];
    EXPECT_EQ(item.completeness, ItemCompleteness::Complete);

    const std::string theirs = TheirName(row.path, parent.empty() ? "" : pathOf[parent]);
    if (const auto different = kNamedDifferently.find(row.value);
        different != kNamedDifferently.end()) {
      EXPECT_EQ(theirs, different->second.first);
      EXPECT_EQ(DisplayName(item), different->second.second);
    } else {
      EXPECT_EQ(DisplayName(item), theirs);
    }

    const bool fileSystemItem =
        item.kind == ShellItemKind::Directory || item.kind == ShellItemKind::File;
    if (!fileSystemItem && row.modified.empty() && item.modified != 0) {
      // A 0xBEEF0026 block RegRipper does not read.
      EXPECT_EQ(item.kind, ShellItemKind::Root);
      ++rootTimes;
    } else {
      EXPECT_EQ(Time(item.modified), row.modified);
      EXPECT_EQ(Time(item.accessed), row.accessed);
      EXPECT_EQ(Time(item.created), row.created);
    }
    // A file entry held by a delegate keeps the delegate's class GUID.
    if (row.mft.empty() && item.fileReference && fileSystemItem && !item.guid.empty())
      ++delegateReferences; // read from the delegate's 0xBEEF0004 block
    else
      EXPECT_EQ(Reference(item), row.mft);
  }
  EXPECT_EQ(rootTimes, 7);
  EXPECT_EQ(delegateReferences, 3);
}

// The number of item values (named by number) at and below a key.
int ItemValues(const RawHive& hive, const std::string& path) {
  const auto key = hive.Key(path);
  if (!key)
    return 0;
  int count = 0;
  for (const std::string& name : hive.ValueNames(*key))
    count += !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
  for (const std::string& sub : hive.SubKeys(*key))
    count += ItemValues(hive, path + "\\" + sub);
  return count;
}

TEST(ShellBagsPeer, TheWindows7UserHiveHoldsNoBags) {
  const UnpackedHive file("NTUSER.DAT");
  const RawHive hive(file.Path());
  EXPECT_TRUE(ParseRows(RegRipperLines(file.Path(), "shellbags")).empty());
  // Its BagMRU key keeps only the list's order and slots.
  EXPECT_TRUE(hive.Key("Software\\Microsoft\\Windows\\Shell\\BagMRU"));
  EXPECT_EQ(ItemValues(hive, "Software\\Microsoft\\Windows\\Shell\\BagMRU"), 0);
}

} // namespace
} // namespace tw
