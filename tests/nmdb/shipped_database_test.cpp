// The WKS.db that ships beside the program: well-formed, and read by the form as intended.

#include <gtest/gtest.h>

#include "app/WKS_Main.h"
#include "nmdb/nmdb.h"
#include "registry/address.h"
#include "report/report.h"
#include "runtime/collation.h"
#include "runtime/ini_file.h"
#include "support/platform.h"

namespace tw {
namespace {

class ShippedDatabaseTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    std::filesystem::copy_file(std::filesystem::path(TW_RESOURCE_DIR) / "WKS.db",
                               folder.Host() / "WKS.db");
  }
  TIniFile Ini() const { return TIniFile(DatabasePath()); }
};

bool IsWellFormed(const std::string& address, size_t minParts) {
  const std::vector<std::string> parts = SplitRegistryAddress(address);
  return parts.size() >= minParts && parts.size() <= 3 && RootKeyFromName(parts[0]) &&
         !parts[1].empty() && parts[1][0] != '\\';
}

TEST_F(ShippedDatabaseTest, ListsThirtyApplicationsOrMoreEachWithACheckAndRows) {
  const std::vector<std::string> names = Ini().ReadSections();
  EXPECT_GE(names.size(), 30u);
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    for (size_t j = 0; j < i; ++j)
      EXPECT_NE(CompareText(names[i], names[j]), 0) << "a duplicate section";
    EXPECT_EQ(ReportFileName(names[i]), names[i]) << "the name must serve as a file name";
    const std::vector<std::string> keys = Ini().ReadSection(names[i]);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys[0], "Check");
    EXPECT_TRUE(IsWellFormed(Ini().ReadString(names[i], "Check", ""), 2));
    EXPECT_GE(keys.size(), 2u) << "no rows";
    for (size_t k = 1; k < keys.size(); ++k) {
      EXPECT_NE(CompareText(keys[k], "Check"), 0);
      const std::string address = Ini().ReadString(names[i], keys[k], "");
      EXPECT_TRUE(IsWellFormed(address, 2)) << keys[k] << "=" << address;
    }
  }
}

TEST_F(ShippedDatabaseTest, EveryApplicationIsListedAndPreviewedWhenItsKeysExist) {
  // A registry where every key the database names exists, every value missing.
  std::string reg = "REGEDIT4\r\n";
  const char* hives[] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT"};
  for (const std::string& name : Ini().ReadSections()) {
    for (const std::string& key : Ini().ReadSection(name)) {
      const std::vector<std::string> parts = SplitRegistryAddress(Ini().ReadString(name, key, ""));
      const std::string root = parts[0] == "HKCU"   ? hives[0]
                               : parts[0] == "HKLM" ? hives[1]
                                                    : hives[2];
      reg += "[" + root + "\\" + parts[1] + "]\r\n";
    }
  }
  LoadReg(reg);
  TWKSForm form;
  form.GetNML();
  form.ShowNMListCount();
  const int count = form.NMList.Items().Count();
  EXPECT_EQ(count, form.NMTotal);
  EXPECT_EQ(form.Label3.Caption(),
            "WKS List : " + std::to_string(count) + "/" + std::to_string(count) + " items");
  for (int i = 0; i < count; ++i) {
    form.NMList.SetItemIndex(i);
    form.NMList.Click();
    EXPECT_GT(form.Preview2.RowCount(), 0) << form.NMList.Items()[i];
  }
}

} // namespace
} // namespace tw
