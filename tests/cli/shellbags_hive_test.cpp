// ShellBags over hives built here with hivexregedit: a class hive with nested BagMRU keys and a
// user hive with bags of its own. Each folder's full path is rebuilt from the items of its
// ancestors, a drive starting afresh; each row names its bag and its place in the list.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "hive_files.h"
#include "peer_runs.h"
#include "registry/memory_registry.h"
#include "registry/reg_file.h"
#include "runtime/collation.h"
#include "runtime/seam.h"
#include "support/binary_values.h"
#include "support/platform.h"

namespace tw {
namespace {

using namespace test::binary;

constexpr const char* kUserFiles = "{59031A47-3F72-44A7-89C5-5595FE6B30EE}";

// One bag key: its item values (each a one-item ID list) and its list order.
std::string Bag(const std::string& key, const std::vector<Buffer>& items,
                std::initializer_list<std::uint32_t> order) {
  std::string text = "[" + key + "]\n";
  for (std::size_t i = 0; i < items.size(); ++i)
    text += "\"" + std::to_string(i) + "\"=" + RegHex(items[i]) + "\n";
  if (order.size() != 0)
    text += "\"MRUListEx\"=" + RegHex(MruListEx(order)) + "\n";
  return text + "\n";
}

std::string Hive(const test::TempFolder& folder, const char* name, const std::string& regText,
                 const std::string& below) {
  PortableCollation collation;
  const ScopedSeam<Collation> collationSeam(collation);
  MemoryRegistry store;
  ImportRegFile(store, regText);
  const std::filesystem::path hive = folder.Host() / name;
  test::WriteEmptyHive(hive);
  test::MergeIntoHive(hive, test::HivexRegText(store, reg::kCurrentUser, below));
  return hive.string();
}

TEST(ShellBagsHive, NestedBagsGiveEachFoldersFullPathFromBothHives) {
  const test::TempFolder folder;
  const std::string classes =
      "HKEY_CURRENT_USER\\Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\"
      "BagMRU";
  const Buffer cut = {0x20, 0x00, 0x31}; // an item whose size runs past its value
  const std::string classText =
      "REGEDIT4\n\n" +
      Bag(classes,
          {List({RootItem(0x50, kMyComputer)}), List({RootItem(0x44, GuidBytes(kUserFiles))})},
          {1, 0}) +
      Bag(classes + "\\0", {List({DriveItem("C:\\")}), List({DriveItem("E:\\")})}, {1, 0}) +
      Bag(classes + "\\0\\0", {List({FileItem("Users", "Users")})}, {0}) +
      Bag(classes + "\\0\\0\\0",
          {List({FileItem("alice", "alice")}), List({FileItem("PROJEC~1", "Projects 2024")})},
          {1, 0}) +
      Bag(classes + "\\0\\0\\0\\1", {List({FileItem("SECRET~1", "Secret plans")})}, {}) +
      Bag(classes + "\\0\\1", {List({FileItem("EVIDEN~1", "Evidence")}), cut}, {0}) +
      Bag(classes + "\\1", {List({DelegateFolderItem("DOWNLO~1", "Downloads")})}, {0});
  const std::string user = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\Shell\\BagMRU";
  const std::string userText = "REGEDIT4\n\n" +
                               Bag(user, {List({RootItem(0x50, kMyComputer)})}, {0}) +
                               Bag(user + "\\0", {List({DriveItem("F:\\")})}, {0});
  const std::string usrclass = Hive(folder, "UsrClass.dat", classText, "Software\\Classes");
  const std::string ntuser = Hive(folder, "NTUSER.DAT", userText, "");

  // path -> "hive's bag root|bag, position, damage"
  std::multiset<std::pair<std::string, std::string>> rows;
  for (const test::CsvRow& row :
       test::ExportRows({"--hive", "ntuser=" + ntuser, "--hive", "usrclass=" + usrclass},
                        "[H] ShellBags (CU)")) {
    // The times depend on when the hive was built: left out.
    std::string shown;
    for (std::size_t at = 0; at <= row.value.size();) {
      const std::size_t end = std::min(row.value.find(", ", at), row.value.size());
      const std::string part = row.value.substr(at, end - at);
      if (!part.starts_with("Key Written ") && !part.starts_with("Modified ") &&
          !part.starts_with("Accessed ") && !part.starts_with("Created "))
        shown += (shown.empty() ? "" : ", ") + part;
      at = end + 2;
    }
    const bool inClasses = row.keyPath.find("\\Local Settings\\") != std::string::npos;
    rows.emplace(row.name, std::string(inClasses ? "class|" : "user|") + shown);
  }
  EXPECT_EQ(rows, (std::multiset<std::pair<std::string, std::string>>{
                      {"My Computer", "class|BagMRU\\0, MRU Position 1"},
                      {"User Files", "class|BagMRU\\1, MRU Position 0"},
                      {"C:\\", "class|BagMRU\\0\\0, MRU Position 1"},
                      {"E:\\", "class|BagMRU\\0\\1, MRU Position 0"},
                      {"C:\\Users", "class|BagMRU\\0\\0\\0, MRU Position 0"},
                      {"C:\\Users\\alice", "class|BagMRU\\0\\0\\0\\0, MRU Position 1"},
                      {"C:\\Users\\Projects 2024", "class|BagMRU\\0\\0\\0\\1, MRU Position 0"},
                      // A key without a list gives its items no position.
                      {"C:\\Users\\Projects 2024\\Secret plans", "class|BagMRU\\0\\0\\0\\1\\0"},
                      {"E:\\Evidence", "class|BagMRU\\0\\1\\0, MRU Position 0"},
                      // An item cut short adds nothing to its parent's path and says so.
                      {"E:\\", "class|BagMRU\\0\\1\\1, Item List cut short"},
                      {"User Files\\Downloads", "class|BagMRU\\1\\0, MRU Position 0"},
                      {"My Computer", "user|BagMRU\\0, MRU Position 0"},
                      {"F:\\", "user|BagMRU\\0\\0, MRU Position 0"}}));
}

} // namespace
} // namespace tw
