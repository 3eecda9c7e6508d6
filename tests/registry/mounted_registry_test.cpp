// Hives mounted where Windows mounts them, over in-memory stores standing in for hive files:
// which store a path reaches, the control set Select\Current names, the deepest mount winning,
// the fallback for everything else, and no handle left open in any store.

#include <gtest/gtest.h>

#include "registry/mounted_registry.h"
#include "registry/reg_file.h"
#include "registry/registry.h"
#include "runtime/seam.h"
#include "support/fixtures.h"

namespace tw {
namespace {

// A stand-in hive: an in-memory store whose HKEY_USERS is the hive's top key.
struct FakeHive {
  explicit FakeHive(const std::string& reg) { ImportRegFile(store, "REGEDIT4\r\n\r\n" + reg); }
  MemoryRegistry store;
  static constexpr RegKey kTop = reg::kUsers;
};

class MountedRegistryTest : public test::PortableRegistryTest {
protected:
  FakeHive user{"[HKEY_USERS\\Software\\Test]\r\n\"From\"=\"ntuser\"\r\n"
                "[HKEY_USERS\\Software\\Classes\\.txt]\r\n@=\"hidden by usrclass\"\r\n"
                "[HKEY_USERS\\Control Panel]\r\n"};
  FakeHive classes{"[HKEY_USERS\\.txt]\r\n@=\"txtfile\"\r\n[HKEY_USERS\\CLSID]\r\n"};
  FakeHive software{"[HKEY_USERS\\Microsoft\\Test]\r\n\"From\"=\"software\"\r\n"
                    "[HKEY_USERS\\Classes\\.log]\r\n@=\"logfile\"\r\n"};
  FakeHive system{"[HKEY_USERS\\Select]\r\n\"Current\"=dword:00000002\r\n"
                  "[HKEY_USERS\\ControlSet001\\Services\\A]\r\n\"From\"=\"set 1\"\r\n"
                  "[HKEY_USERS\\ControlSet002\\Services\\A]\r\n\"From\"=\"set 2\"\r\n"};
};

TEST_F(MountedRegistryTest, PathsReachTheHiveWindowsWouldMountThere) {
  LoadReg("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\HARDWARE\\Test]\r\n\"From\"=\"fallback\"\r\n");
  {
    MountedRegistry mounted(registry);
    mounted.Mount(HiveKind::NtUser, user.store, FakeHive::kTop);
    mounted.Mount(HiveKind::UsrClass, classes.store, FakeHive::kTop);
    mounted.Mount(HiveKind::Software, software.store, FakeHive::kTop);
    mounted.Mount(HiveKind::System, system.store, FakeHive::kTop);
    const ScopedSeam<RegistryApi> seam(mounted);

    EXPECT_EQ(ReadRegString(reg::kCurrentUser, "Software\\Test", "From"), "ntuser");
    // The class hive is mounted deeper than the user hive and wins below its mount point.
    EXPECT_EQ(ReadRegString(reg::kCurrentUser, "software\\classes\\.txt", ""), "txtfile");
    EXPECT_EQ(ReadRegString(reg::kLocalMachine, "SOFTWARE\\Microsoft\\Test", "From"), "software");
    EXPECT_EQ(ReadRegString(reg::kClassesRoot, ".log", ""), "logfile");
    EXPECT_EQ(ReadRegString(reg::kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\A", "From"),
              "set 2");
    EXPECT_EQ(ReadRegString(reg::kLocalMachine, "SYSTEM\\ControlSet001\\Services\\A", "From"),
              "set 1");
    EXPECT_EQ(ReadRegString(reg::kLocalMachine, "HARDWARE\\Test", "From"), "fallback");
    TStringList names;
    ListSubKeyNames(reg::kLocalMachine, "SYSTEM\\CurrentControlSet\\Services", names);
    EXPECT_EQ(names.ToVector(), std::vector<std::string>{"A"});
    // Opened relative to a mounted key, a path crosses into the deeper mount.
    RegKey user = 0, sub = 0;
    ASSERT_EQ(mounted.OpenKeyEx(reg::kCurrentUser, "Software", reg::kRead, &user), reg::kSuccess);
    ASSERT_EQ(mounted.OpenKeyEx(user, "Classes\\.txt", reg::kRead, &sub), reg::kSuccess);
    char data[32] = {};
    uint32_t size = sizeof data;
    EXPECT_EQ(mounted.QueryValueEx(sub, "", nullptr, reinterpret_cast<uint8_t*>(data), &size),
              reg::kSuccess);
    EXPECT_STREQ(data, "txtfile");
    mounted.CloseKey(sub);
    mounted.CloseKey(user);
  }
  // The mounted registry closed what it opened in every store, its own control-set keys too.
  for (MemoryRegistry* store : {&user.store, &classes.store, &software.store, &system.store})
    EXPECT_EQ(store->OpenHandleCount(), 0u);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(MountedRegistryTest, WithoutSelectThereIsNoCurrentControlSet) {
  FakeHive bare{"[HKEY_USERS\\ControlSet001\\Services\\A]\r\n\"From\"=\"set 1\"\r\n"};
  MountedRegistry mounted(registry);
  mounted.Mount(HiveKind::System, bare.store, FakeHive::kTop);
  const ScopedSeam<RegistryApi> seam(mounted);
  EXPECT_EQ(ReadRegString(reg::kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\A", "From"),
            "");
}

TEST_F(MountedRegistryTest, KindsAreToldByTheTopKeys) {
  EXPECT_EQ(DetectHiveKind(user.store, FakeHive::kTop), HiveKind::NtUser);
  EXPECT_EQ(DetectHiveKind(classes.store, FakeHive::kTop), HiveKind::UsrClass);
  EXPECT_EQ(DetectHiveKind(software.store, FakeHive::kTop), HiveKind::Software);
  EXPECT_EQ(DetectHiveKind(system.store, FakeHive::kTop), HiveKind::System);
  FakeHive other{"[HKEY_USERS\\Something]\r\n"};
  EXPECT_EQ(DetectHiveKind(other.store, FakeHive::kTop), std::nullopt);
}

// A 32-bit application of a 64-bit machine keeps its keys below SOFTWARE\Wow6432Node: the
// database's presence test, which also looks in the 32-bit view, finds them in the hive.
TEST_F(MountedRegistryTest, TheThirtyTwoBitViewOfASoftwareHiveIsItsWow6432NodeKey) {
  FakeHive machine{"[HKEY_USERS\\Wow6432Node\\Vendor\\App]\r\n\"Version\"=\"32-bit\"\r\n"
                   "[HKEY_USERS\\Native\\App]\r\n\"Version\"=\"64-bit\"\r\n"
                   "[HKEY_USERS\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"
                   "only32.exe]\r\n"};
  MountedRegistry mounted(registry);
  mounted.Mount(HiveKind::Software, machine.store, FakeHive::kTop);
  const ScopedSeam<RegistryApi> seam(mounted);
  EXPECT_EQ(ReadRegString(reg::kLocalMachine, "SOFTWARE\\Vendor\\App", "Version"), "");
  EXPECT_TRUE(AddressKeyExists("HKLM|SOFTWARE\\Vendor\\App"));
  EXPECT_EQ(ReadAddressValue("HKLM|SOFTWARE\\Vendor\\App|Version"), "32-bit");
  // The native view is read first where the key is there.
  EXPECT_EQ(ReadAddressValue("HKLM|SOFTWARE\\Native\\App|Version"), "64-bit");
  // Keys both views share are not redirected.
  EXPECT_FALSE(
      AddressKeyExists("HKLM|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\only32.exe"));
  // Nothing else of the machine's registry is looked for in a Wow6432Node.
  EXPECT_FALSE(AddressKeyExists("HKLM|SYSTEM\\Vendor\\App"));
}

} // namespace
} // namespace tw
