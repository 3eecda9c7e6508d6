// Both views of HKEY_LOCAL_MACHINE\SOFTWARE, read by a 64-bit and by a 32-bit process: the
// catalog's reads and the one write take the native view; addresses fall back on the 32-bit one.

#include <gtest/gtest.h>

#include "registry/registry.h"
#include "runtime/strings.h"
#include "support/fixtures.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

class RegistryViewsTest : public test::PortableRegistryTest,
                          public testing::WithParamInterface<RegistryView> {
protected:
  void SetUp() override {
    // Imported as the 64-bit registry editor does, then read by the process under test.
    LoadReg(
        "REGEDIT4\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
        "\"Native\"=\"C:\\\\native.exe\"\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
        "\"Redirected\"=\"C:\\\\x86.exe\"\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Both]\r\n\"Path\"=\"native\"\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Both]\r\n\"Path\"=\"x86\"\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Only32]\r\n\"Path\"=\"x86 only\"\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Only32Key]\r\n");
    registry.SetDefaultView(GetParam());
  }
};

TEST_P(RegistryViewsTest, CatalogReadsAndTheWriteTakeTheNativeView) {
  TStringList rows;
  ListValues(reg::kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", rows,
             vlNameValue);
  EXPECT_EQ(rows.ToVector(), (Rows{"Native=C:\\native.exe"}));
  EXPECT_EQ(ReadMachineString("SOFTWARE\\Both", "Path"), "native");
  EXPECT_EQ(ReadRegString(reg::kLocalMachine, "SOFTWARE\\Only32", "Path"), "");

  WriteRegString(reg::kLocalMachine, "SOFTWARE\\Written", "09", "C:\\trailwick.exe");
  EXPECT_TRUE(registry.KeyExists(reg::kLocalMachine, "SOFTWARE\\Written"));
  EXPECT_FALSE(registry.KeyExists(reg::kLocalMachine, "SOFTWARE\\Wow6432Node\\Written"));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_P(RegistryViewsTest, AddressesFindKeysInEitherViewNativeFirst) {
  EXPECT_TRUE(AddressKeyExists("HKLM|SOFTWARE\\Only32Key"));
  EXPECT_TRUE(AddressKeyExists("HKLM|SOFTWARE\\Both"));
  EXPECT_FALSE(AddressKeyExists("HKLM|SOFTWARE\\Missing"));
  EXPECT_EQ(ReadAddressValue("HKLM|SOFTWARE\\Only32|Path"), "x86 only");
  EXPECT_EQ(ReadAddressValue("HKLM|SOFTWARE\\Both|Path"), "native");
  EXPECT_EQ(ReadAddressValue("HKLM|SOFTWARE\\Missing|Path"), "");
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Process, RegistryViewsTest,
                         testing::Values(RegistryView::Native, RegistryView::Wow32),
                         [](const testing::TestParamInfo<RegistryView>& info) {
                           return info.param == RegistryView::Native ? "SixtyFourBit"
                                                                     : "ThirtyTwoBit";
                         });

} // namespace
} // namespace tw
