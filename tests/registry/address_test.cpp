#include <gtest/gtest.h>

#include "registry/address.h"

namespace tw {
namespace {

using Parts = std::vector<std::string>;

TEST(SplitRegistryAddress, SplitsAtBarsAndLineBreaks) {
  EXPECT_EQ(SplitRegistryAddress("HKCU|Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0|0"),
            (Parts{"HKCU", "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0", "0"}));
  EXPECT_EQ(SplitRegistryAddress("HKLM|Key\r\nName"), (Parts{"HKLM", "Key", "Name"}));
  EXPECT_EQ(SplitRegistryAddress("HKLM|Key\rName\nMore"), (Parts{"HKLM", "Key", "Name", "More"}));
}

TEST(SplitRegistryAddress, KeepsEmptyInnerPartsAndDropsAFinalEmptyPart) {
  EXPECT_EQ(SplitRegistryAddress("HKCU||Name"), (Parts{"HKCU", "", "Name"}));
  EXPECT_EQ(SplitRegistryAddress("HKCU|Key|"), (Parts{"HKCU", "Key"}));
  EXPECT_EQ(SplitRegistryAddress("HKCU||"), (Parts{"HKCU", ""}));
  EXPECT_EQ(SplitRegistryAddress("|Key"), (Parts{"", "Key"}));
  EXPECT_EQ(SplitRegistryAddress(""), Parts{});
  EXPECT_EQ(SplitRegistryAddress("HKCU"), Parts{"HKCU"});
}

TEST(RootKeyFromName, MatchesTheThreeRootsExactly) {
  EXPECT_EQ(RootKeyFromName("HKCU"), reg::kCurrentUser);
  EXPECT_EQ(RootKeyFromName("HKLM"), reg::kLocalMachine);
  EXPECT_EQ(RootKeyFromName("HKCR"), reg::kClassesRoot);
  EXPECT_EQ(RootKeyFromName("hklm"), std::nullopt);
  EXPECT_EQ(RootKeyFromName("HKEY_LOCAL_MACHINE"), std::nullopt);
}

} // namespace
} // namespace tw
