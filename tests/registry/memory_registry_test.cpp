#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "registry/memory_registry.h"

namespace tw {
namespace {

class MemoryRegistryTest : public testing::Test {
protected:
  RegKey Create(RegKey root, const char* path) {
    RegKey key = 0;
    EXPECT_EQ(registry.CreateKeyEx(root, path, 0, reg::kAllAccess, &key), reg::kSuccess);
    return key;
  }
  void SetString(RegKey key, const char* name, const std::string& text) {
    ASSERT_EQ(registry.SetValueEx(key, name, reg::kSz,
                                  reinterpret_cast<const uint8_t*>(text.c_str()),
                                  static_cast<uint32_t>(text.size() + 1)),
              reg::kSuccess);
  }
  std::vector<std::string> SubKeys(RegKey key) {
    std::vector<std::string> names;
    char name[256];
    for (uint32_t i = 0;; ++i) {
      uint32_t len = sizeof(name);
      if (registry.EnumKeyEx(key, i, name, &len) != reg::kSuccess)
        break;
      names.emplace_back(name, len);
    }
    return names;
  }
  std::vector<std::string> Values(RegKey key) {
    std::vector<std::string> names;
    char name[256];
    for (uint32_t i = 0;; ++i) {
      uint32_t len = sizeof(name);
      if (registry.EnumValue(key, i, name, &len, nullptr, nullptr, nullptr) != reg::kSuccess)
        break;
      names.emplace_back(name, len);
    }
    return names;
  }

  MemoryRegistry registry;
};

TEST_F(MemoryRegistryTest, KeyAndValueNamesIgnoreCase) {
  const RegKey key = Create(reg::kCurrentUser, "Software\\Vendor");
  SetString(key, "Path", "C:\\x");
  RegKey again = 0;
  ASSERT_EQ(registry.OpenKeyEx(reg::kCurrentUser, "SOFTWARE\\vendor", reg::kRead, &again),
            reg::kSuccess);
  uint32_t type = 0;
  uint32_t size = 0;
  EXPECT_EQ(registry.QueryValueEx(again, "PATH", &type, nullptr, &size), reg::kSuccess);
  EXPECT_EQ(type, reg::kSz);
  EXPECT_EQ(size, 5u);
  registry.CloseKey(again);
  registry.CloseKey(key);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryTest, SubKeysEnumerateSortedAndValuesInCreationOrder) {
  const RegKey key = Create(reg::kLocalMachine, "K");
  for (const char* sub : {"zeta", "Alpha", "beta"})
    registry.CloseKey(Create(key, sub));
  for (const char* name : {"z", "A", "m"})
    SetString(key, name, "x");
  SetString(key, "a", "replaced in place");
  EXPECT_EQ(SubKeys(key), (std::vector<std::string>{"Alpha", "beta", "zeta"}));
  EXPECT_EQ(Values(key), (std::vector<std::string>{"z", "A", "m"}));
  registry.CloseKey(key);
}

TEST_F(MemoryRegistryTest, ReportsSizesAndShortBuffersLikeThePlatform) {
  const RegKey key = Create(reg::kCurrentUser, "K");
  const uint8_t data[] = {'a', 0, 'b', 0};
  registry.SetValueEx(key, "", reg::kSz, data, sizeof(data));
  uint8_t small[2];
  uint32_t size = sizeof(small);
  EXPECT_EQ(registry.QueryValueEx(key, nullptr, nullptr, small, &size), reg::kMoreData);
  EXPECT_EQ(size, 4u);
  uint8_t big[8] = {};
  size = sizeof(big);
  EXPECT_EQ(registry.QueryValueEx(key, "", nullptr, big, &size), reg::kSuccess);
  EXPECT_EQ(std::memcmp(big, data, 4), 0); // NULs inside the data are kept
  char name[2];
  uint32_t nameLen = sizeof(name);
  SetString(key, "long name", "x");
  EXPECT_EQ(registry.EnumValue(key, 1, name, &nameLen, nullptr, nullptr, nullptr), reg::kMoreData);
  uint32_t values = 0;
  uint32_t longest = 0;
  uint32_t longestData = 0;
  EXPECT_EQ(registry.QueryInfoKey(key, nullptr, nullptr, &values, &longest, &longestData),
            reg::kSuccess);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(longest, 9u);
  EXPECT_EQ(longestData, 4u);
  registry.CloseKey(key);
}

TEST_F(MemoryRegistryTest, ReadOnlyKeyOpensForReadingOnly) {
  registry.CloseKey(Create(reg::kLocalMachine, "SYSTEM\\Locked"));
  registry.SetKeyAccess(reg::kLocalMachine, "SYSTEM\\Locked", KeyAccess::ReadOnly);
  RegKey key = 0;
  EXPECT_EQ(registry.OpenKeyEx(reg::kLocalMachine, "SYSTEM\\Locked", reg::kAllAccess, &key),
            reg::kAccessDenied);
  EXPECT_EQ(registry.OpenKeyEx(reg::kLocalMachine, "SYSTEM\\Locked", reg::kRead, &key),
            reg::kSuccess);
  EXPECT_EQ(registry.SetValueEx(key, "x", reg::kSz, nullptr, 0), reg::kAccessDenied);
  registry.CloseKey(key);
  EXPECT_EQ(
      registry.CreateKeyEx(reg::kLocalMachine, "SYSTEM\\Locked\\New", 0, reg::kAllAccess, &key),
      reg::kAccessDenied);
  EXPECT_FALSE(registry.KeyExists(reg::kLocalMachine, "SYSTEM\\Locked\\New"));
}

TEST_F(MemoryRegistryTest, NoAccessKeyDoesNotOpen) {
  registry.SetKeyAccess(reg::kCurrentUser, "Secret", KeyAccess::NoAccess);
  RegKey key = 0;
  EXPECT_EQ(registry.OpenKeyEx(reg::kCurrentUser, "Secret", reg::kRead, &key), reg::kAccessDenied);
}

TEST_F(MemoryRegistryTest, HandleRightsLimitQueries) {
  registry.CloseKey(Create(reg::kCurrentUser, "K"));
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKeyEx(reg::kCurrentUser, "K", reg::kEnumerateSubKeys, &key),
            reg::kSuccess);
  uint32_t size = 0;
  EXPECT_EQ(registry.QueryValueEx(key, "", nullptr, nullptr, &size), reg::kAccessDenied);
  registry.CloseKey(key);
}

TEST_F(MemoryRegistryTest, MissingKeysAndBadHandles) {
  RegKey key = 0;
  EXPECT_EQ(registry.OpenKeyEx(reg::kCurrentUser, "No\\Such\\Key", reg::kRead, &key),
            reg::kFileNotFound);
  EXPECT_EQ(registry.OpenKeyEx(reg::kCurrentUser, "Double\\\\Slash", reg::kRead, &key),
            reg::kFileNotFound);
  EXPECT_EQ(registry.CloseKey(0x12345), reg::kInvalidHandle);
  uint32_t size = 0;
  EXPECT_EQ(registry.QueryValueEx(0x12345, "", nullptr, nullptr, &size), reg::kInvalidHandle);
}

TEST_F(MemoryRegistryTest, ClassesRootIsTheMachinesClasses) {
  const RegKey key = Create(reg::kClassesRoot, ".txt");
  registry.CloseKey(key);
  EXPECT_TRUE(registry.KeyExists(reg::kLocalMachine, "Software\\Classes\\.txt"));
}

// A 32-bit process on 64-bit Windows: its SOFTWARE keys lie in Wow6432Node, but for the shared
// keys; the view flags reach either view from either kind of process.
TEST_F(MemoryRegistryTest, AThirtyTwoBitProcessSeesTheRedirectedView) {
  const char* timeZone = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\Zone";
  for (const char* path : {"SOFTWARE\\Vendor\\App", timeZone, "SYSTEM\\Setup"})
    registry.CloseKey(Create(reg::kLocalMachine, path));
  registry.CloseKey(Create(reg::kCurrentUser, "Software\\Vendor"));
  registry.SetDefaultView(RegistryView::Wow32);
  const auto opens = [&](RegKey root, const char* path, uint32_t view) {
    RegKey key = 0;
    const bool opened = registry.OpenKeyEx(root, path, reg::kRead | view, &key) == reg::kSuccess;
    if (opened)
      registry.CloseKey(key);
    return opened;
  };
  EXPECT_FALSE(opens(reg::kLocalMachine, "SOFTWARE\\Vendor\\App", 0));
  EXPECT_FALSE(opens(reg::kLocalMachine, "software\\vendor", reg::kWow64_32Key));
  EXPECT_TRUE(opens(reg::kLocalMachine, "SOFTWARE\\Vendor\\App", reg::kWow64_64Key));
  EXPECT_TRUE(opens(reg::kLocalMachine, timeZone, 0));
  EXPECT_TRUE(opens(reg::kLocalMachine, "SYSTEM\\Setup", 0));
  EXPECT_TRUE(opens(reg::kCurrentUser, "Software\\Vendor", 0));
  // A shared key opened below a redirected parent is still the shared one.
  RegKey microsoft = 0;
  ASSERT_EQ(registry.CreateKeyEx(reg::kLocalMachine, "SOFTWARE\\Microsoft", 0, reg::kAllAccess,
                                 &microsoft),
            reg::kSuccess);
  EXPECT_TRUE(opens(microsoft, "Windows NT\\CurrentVersion\\Time Zones\\Zone", 0));
  registry.CloseKey(microsoft);

  // What the 32-bit process creates lands in Wow6432Node, where a 64-bit one finds it only by
  // asking for the 32-bit view.
  registry.CloseKey(Create(reg::kLocalMachine, "SOFTWARE\\Only32"));
  EXPECT_TRUE(registry.KeyExists(reg::kLocalMachine, "SOFTWARE\\Wow6432Node\\Only32"));
  EXPECT_FALSE(registry.KeyExists(reg::kLocalMachine, "SOFTWARE\\Only32"));
  registry.SetDefaultView(RegistryView::Native);
  EXPECT_FALSE(opens(reg::kLocalMachine, "SOFTWARE\\Only32", 0));
  EXPECT_TRUE(opens(reg::kLocalMachine, "SOFTWARE\\Only32", reg::kWow64_32Key));
  EXPECT_TRUE(opens(reg::kLocalMachine, "SOFTWARE\\Wow6432Node\\Only32", reg::kWow64_32Key));
  EXPECT_TRUE(opens(reg::kLocalMachine, timeZone, reg::kWow64_32Key));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryTest, CountsCalls) {
  registry.ResetCalls();
  RegKey key = 0;
  registry.OpenKeyEx(reg::kCurrentUser, "x", reg::kRead, &key);
  registry.CloseKey(reg::kCurrentUser);
  EXPECT_EQ(registry.Calls(), 2u);
}

} // namespace
} // namespace tw
