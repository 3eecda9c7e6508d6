// The Win32 store and the portable store hold the same registry after importing the same file:
// the same keys, subkeys, values, types and data, seen through the registry seam.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "registry/memory_registry.h"
#include "registry/reg_file.h"
#include "registry/win32/win32_registry.h"
#include "support/fixtures.h"
#include "support/win32/scratch_registry.h"

namespace tw {
namespace {

// Every key below a root as "path" -> sorted "name|type|hex data" lines.
using Snapshot = std::map<std::string, std::vector<std::string>>;

void Walk(RegistryApi& api, RegKey key, const std::string& path, Snapshot& out) {
  std::vector<std::string>& values = out[path];
  char name[1024];
  std::vector<uint8_t> data(65536);
  for (uint32_t i = 0;; ++i) {
    uint32_t nameLen = sizeof(name);
    uint32_t type = 0;
    uint32_t size = static_cast<uint32_t>(data.size());
    if (api.EnumValue(key, i, name, &nameLen, &type, data.data(), &size) != reg::kSuccess)
      break;
    std::string line = std::string(name, nameLen) + "|" + std::to_string(type) + "|";
    for (uint32_t b = 0; b < size; ++b)
      line += "0123456789abcdef"[data[b] >> 4], line += "0123456789abcdef"[data[b] & 15];
    values.push_back(line);
  }
  std::sort(values.begin(), values.end());
  std::vector<std::string> subKeys;
  for (uint32_t i = 0;; ++i) {
    uint32_t nameLen = sizeof(name);
    if (api.EnumKeyEx(key, i, name, &nameLen) != reg::kSuccess)
      break;
    subKeys.emplace_back(name, nameLen);
  }
  for (const std::string& sub : subKeys) {
    RegKey child = 0;
    ASSERT_EQ(api.OpenKeyEx(key, sub.c_str(), reg::kRead, &child), reg::kSuccess) << sub;
    Walk(api, child, path + "\\" + sub, out);
    api.CloseKey(child);
  }
}

Snapshot Take(RegistryApi& api) {
  Snapshot snapshot;
  Walk(api, reg::kCurrentUser, "HKCU", snapshot);
  Walk(api, reg::kLocalMachine, "HKLM", snapshot);
  return snapshot;
}

TEST(Win32Registry, HoldsWhatThePortableStoreHoldsAfterTheSameImport) {
  const std::string fixture = test::ReadFileBytes(test::FixturePath("catalog.reg"));
  MemoryRegistry memory;
  RegKey classes = 0; // the scratch registry provides HKEY_CLASSES_ROOT as the machine's classes
  memory.CreateKeyEx(reg::kClassesRoot, "", 0, reg::kAllAccess, &classes);
  memory.CloseKey(classes);
  ImportRegFile(memory, fixture);
  const Snapshot expected = Take(memory);

  test::ScratchRegistry scratch;
  Win32Registry platform;
  ImportRegFile(platform, fixture);
  const Snapshot actual = Take(platform);
  EXPECT_EQ(actual, expected);
}

TEST(Win32Registry, AnswersShortBuffersAndMissingValuesAsThePortableStoreDoes) {
  test::ScratchRegistry scratch;
  Win32Registry platform;
  MemoryRegistry memory;
  for (RegistryApi* api :
       {static_cast<RegistryApi*>(&platform), static_cast<RegistryApi*>(&memory)}) {
    RegKey key = 0;
    ASSERT_EQ(api->CreateKeyEx(reg::kCurrentUser, "K", 0, reg::kAllAccess, &key), reg::kSuccess);
    const uint8_t text[] = "abcdef";
    api->SetValueEx(key, "value", reg::kSz, text, sizeof(text));
    uint8_t small[2];
    uint32_t size = sizeof(small);
    EXPECT_EQ(api->QueryValueEx(key, "value", nullptr, small, &size), reg::kMoreData);
    EXPECT_EQ(size, 7u);
    size = 0;
    EXPECT_EQ(api->QueryValueEx(key, "missing", nullptr, nullptr, &size), reg::kFileNotFound);
    char name[2];
    uint32_t nameLen = sizeof(name);
    api->SetValueEx(key, "longer", reg::kSz, text, sizeof(text));
    EXPECT_EQ(api->EnumValue(key, 1, name, &nameLen, nullptr, nullptr, nullptr), reg::kMoreData);
    EXPECT_EQ(api->EnumValue(key, 9, name, &nameLen, nullptr, nullptr, nullptr), reg::kNoMoreItems);
    RegKey missing = 0;
    EXPECT_EQ(api->OpenKeyEx(reg::kCurrentUser, "No\\Such", reg::kRead, &missing),
              reg::kFileNotFound);
    api->CloseKey(key);
  }
}

// Our importer reads a regedit file as the platform's regedit does.
TEST(Win32Registry, ImportsAsRegeditDoes) {
  std::string fixture = test::ReadFileBytes(test::FixturePath("catalog.reg"));
  // Move the fixture's keys under one private key so that regedit can import them for real.
  const std::string base = "HKEY_CURRENT_USER\\Software\\TrailwickRegeditCheck";
  for (const std::string root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}) {
    for (size_t at = 0; (at = fixture.find("[" + root + "\\", at)) != std::string::npos;) {
      fixture.replace(at + 1, root.size(), base + "\\" + root);
      at += base.size();
    }
  }
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "trailwick-regedit-check.reg";
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, fixture.data(), static_cast<DWORD>(fixture.size()), &written, nullptr);
  CloseHandle(h);

  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TrailwickRegeditCheck");
  std::string command = "regedit.exe /S \"" + file + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  DeleteFileA(file.c_str());

  MemoryRegistry memory;
  ImportRegFile(memory, fixture);
  Win32Registry platform;
  Snapshot expected;
  Snapshot actual;
  RegKey mine = 0;
  ASSERT_EQ(
      memory.OpenKeyEx(reg::kCurrentUser, "Software\\TrailwickRegeditCheck", reg::kRead, &mine),
      reg::kSuccess);
  Walk(memory, mine, "", expected);
  RegKey theirs = 0;
  ASSERT_EQ(
      platform.OpenKeyEx(reg::kCurrentUser, "Software\\TrailwickRegeditCheck", reg::kRead, &theirs),
      reg::kSuccess);
  Walk(platform, theirs, "", actual);
  platform.CloseKey(theirs);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TrailwickRegeditCheck");
  EXPECT_EQ(actual, expected);
}

} // namespace
} // namespace tw
