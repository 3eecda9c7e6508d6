#include <gtest/gtest.h>

#include "registry/registry.h"
#include "runtime/exceptions.h"
#include "support/fixtures.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

class RegistryLayerTest : public test::PortableRegistryTest {
protected:
  void SetUp() override {
    LoadReg("REGEDIT4\r\n"
            "[HKEY_CURRENT_USER\\Software\\T]\r\n"
            "@=\"default text\"\r\n"
            "\"Sz\"=\"plain\"\r\n"
            "\"Expand\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,78,00\r\n"
            "\"Nul\"=hex(1):61,62,00,63,64,00\r\n"
            "\"NoNul\"=hex(1):61,62\r\n"
            "\"Multi\"=hex(7):61,00,62,00,00\r\n"
            "\"Dword\"=dword:00000001\r\n"
            "\"Bin\"=hex:01,02,03\r\n"
            "\"One\"=\"1\"\r\n"
            "\"OneBlank\"=\" 1\"\r\n"
            "\"Zero1\"=\"01\"\r\n"
            "\"True\"=\"true\"\r\n"
            "\"OneExpand\"=hex(2):31,00\r\n"
            "\"Empty\"=\"\"\r\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0]\r\n"
            "@=\"bag default\"\r\n"
            "\"0\"=hex:00,11,22,33,44\r\n"
            "\"Text\"=\"not binary\"\r\n"
            "\"Big\"=hex(0):01,02\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\T]\r\n"
            "\"Int\"=dword:fffffffe\r\n"
            "\"Str\"=\"machine\"\r\n"
            "\"Long\"=hex(4):01,00,00,00,00\r\n"
            "\"Short\"=\"ab\"\r\n"
            "\"LongText\"=\"abcdef\"\r\n"
            "[HKEY_CURRENT_USER\\Software\\Empty]\r\n");
  }
  const RegKey cu = reg::kCurrentUser;
};

TEST_F(RegistryLayerTest, ReadRegStringReturnsStringsAsStoredAndIsTolerant) {
  EXPECT_EQ(ReadRegString(cu, "Software\\T", ""), "default text");
  EXPECT_EQ(ReadRegString(cu, "Software\\T", "sz"), "plain");
  EXPECT_EQ(ReadRegString(cu, "Software\\T", "Expand"), "%SystemRoot%\\x");
  EXPECT_EQ(ReadRegString(cu, "Software\\T", "Nul"), "ab");
  EXPECT_EQ(ReadRegString(cu, "Software\\T", "NoNul"), "ab");
  EXPECT_EQ(ReadRegString(cu, "Software\\T", "Multi"), "");
  EXPECT_EQ(ReadRegString(cu, "Software\\T", "Dword"), "");
  EXPECT_EQ(ReadRegString(cu, "Software\\T", "Missing"), "");
  EXPECT_EQ(ReadRegString(cu, "Software\\Nowhere", "Sz"), "");
  EXPECT_EQ(ReadRegString(cu, "\\Software\\T", "Sz"), "plain"); // a leading backslash is dropped
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayerTest, ReadRegFlagIsTrueOnlyForTheString1) {
  EXPECT_EQ(ReadRegFlag(cu, "Software\\T", "One"), "True");
  for (const char* name : {"OneBlank", "Zero1", "True", "Dword", "OneExpand", "Missing", "Empty"})
    EXPECT_EQ(ReadRegFlag(cu, "Software\\T", name), "False") << name;
  EXPECT_EQ(ReadRegFlag(cu, "Software\\Nowhere", "One"), "False");
}

TEST_F(RegistryLayerTest, StrictReadsRaiseForOtherTypesWithTheValueName) {
  EXPECT_EQ(ReadUserString("Software\\T", "Expand"), "%SystemRoot%\\x");
  EXPECT_EQ(ReadUserString("Software\\T", "Missing"), "");
  EXPECT_EQ(ReadUserString("Software\\Nowhere", "Sz"), "");
  EXPECT_EQ(ReadUserString("Software\\T", "Empty"), "");
  try {
    ReadUserString("Software\\T", "Multi");
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Multi'");
  }
  EXPECT_THROW(ReadUserString("Software\\T", "Dword"), ERegistryException);
  EXPECT_EQ(ReadMachineString("SOFTWARE\\T", "Str"), "machine");
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayerTest, ReadMachineIntegerIsStrictAboutPresenceSizeAndType) {
  EXPECT_EQ(ReadMachineInteger("SOFTWARE\\T", "Int"), -2);
  try {
    ReadMachineInteger("SOFTWARE\\T", "Missing");
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to get data for 'Missing'");
  }
  EXPECT_THROW(ReadMachineInteger("SOFTWARE\\Nowhere", "Int"), ERegistryException);
  try {
    ReadMachineInteger("SOFTWARE\\T", "Long"); // five bytes do not fit
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to get data for 'Long'");
  }
  try {
    ReadMachineInteger("SOFTWARE\\T", "Short");
    FAIL() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Short'");
  }
  EXPECT_THROW(ReadMachineInteger("SOFTWARE\\T", "LongText"), ERegistryException);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayerTest, ReadAddressValueChoosesTheValueByTheNumberOfParts) {
  const std::string key = "HKCU|Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0";
  EXPECT_EQ(ReadAddressValue(key), "bag default");
  EXPECT_EQ(ReadAddressValue(key + "|"), "bag default");
  EXPECT_EQ(ReadAddressValue(key + "|Text"), "not binary");
  EXPECT_EQ(ReadAddressValue(key + "|Text|extra"), "bag default");
  EXPECT_THROW(ReadAddressValue(key + "|0"), ERegistryException);
  // Unknown or lower-case roots read the current user's hive.
  EXPECT_EQ(ReadAddressValue("hklm|Software\\T|Sz"), "plain");
  EXPECT_EQ(ReadAddressValue("HKEY_LOCAL_MACHINE|Software\\T|Sz"), "plain");
  EXPECT_EQ(ReadAddressValue("HKLM|SOFTWARE\\T|Str"), "machine");
}

TEST_F(RegistryLayerTest, AddressesWithFewerThanTwoPartsRaiseListIndexErrors) {
  try {
    ReadAddressValue("HKCU");
    FAIL() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  try {
    AddressKeyExists("");
    FAIL() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (0)");
  }
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayerTest, AddressKeyExistsIgnoresTheValuePart) {
  EXPECT_TRUE(AddressKeyExists("HKCU|Software\\T"));
  EXPECT_TRUE(AddressKeyExists("HKCU|Software\\T|NoSuchValue"));
  EXPECT_TRUE(AddressKeyExists("HKCU||")); // an empty key path names the hive itself
  EXPECT_THROW(AddressKeyExists("HKCU|"), EStringListError);
  EXPECT_FALSE(AddressKeyExists("HKLM|Software\\Empty"));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayerTest, ReadRegValueGivesTypeAndBytesOfAnyValueAndNothingForMissingOnes) {
  const auto bin = ReadRegValue(cu, "Software\\T", "Bin");
  ASSERT_TRUE(bin);
  EXPECT_EQ(bin->type, reg::kBinary);
  EXPECT_EQ(bin->bytes, (std::vector<uint8_t>{1, 2, 3}));
  const auto dword = ReadRegValue(cu, "Software\\T", "Dword");
  ASSERT_TRUE(dword);
  EXPECT_EQ(dword->type, reg::kDword);
  EXPECT_EQ(dword->bytes, (std::vector<uint8_t>{1, 0, 0, 0}));
  const auto empty = ReadRegValue(cu, "Software\\T", "Empty");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->type, reg::kSz);
  EXPECT_EQ(empty->bytes, std::vector<uint8_t>{0});
  EXPECT_FALSE(ReadRegValue(cu, "Software\\T", "Missing"));
  EXPECT_FALSE(ReadRegValue(cu, "Software\\Nowhere", "Bin"));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayerTest, AddressBinarySize) {
  const std::string key = "HKCU|Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0";
  EXPECT_EQ(AddressBinarySize(key + "|0"), 5);
  EXPECT_EQ(AddressBinarySize(key + "|Big"), 2); // unclassified types pass
  EXPECT_EQ(AddressBinarySize(key + "|Missing"), 0);
  EXPECT_EQ(AddressBinarySize("HKCU|No\\Such|0"), 0);
  EXPECT_THROW(AddressBinarySize(key + "|Text"), ERegistryException);
  EXPECT_THROW(AddressBinarySize("HKCU|Software\\T|Dword"), ERegistryException);
}

TEST_F(RegistryLayerTest, AddressBinarySizeRefusesValuesOverAMillionBytes) {
  RegKey key = 0;
  ASSERT_EQ(registry.CreateKeyEx(reg::kCurrentUser, "Huge", 0, reg::kAllAccess, &key),
            reg::kSuccess);
  const std::vector<uint8_t> big(1000001, 7);
  registry.SetValueEx(key, "b", reg::kBinary, big.data(), static_cast<uint32_t>(big.size()));
  registry.SetValueEx(key, "ok", reg::kBinary, big.data(), 1000000);
  registry.CloseKey(key);
  EXPECT_THROW(AddressBinarySize("HKCU|Huge|b"), ERegistryException);
  EXPECT_EQ(AddressBinarySize("HKCU|Huge|ok"), 1000000);
}

TEST_F(RegistryLayerTest, ListValuesLayouts) {
  TStringList list{"old row"};
  ListValues(cu, "Software\\T", list, vlNameValue);
  ASSERT_EQ(list.Count(), 14);
  EXPECT_EQ(list[0], "=default text");
  EXPECT_EQ(list[1], "Sz=plain");
  EXPECT_EQ(list[6], "Dword=");
  ListValues(cu, "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0", list, vlValueName);
  EXPECT_EQ(list.ToVector(), (Rows{"bag default=", "=0", "not binary=Text", "=Big"}));
  ListValues(cu, "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0", list, 7);
  EXPECT_EQ(list.ToVector(), (Rows{"", "0", "Text", "Big"}));
  ListValues(cu, "Software\\Missing", list, vlNameValue);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayerTest, ListingsReplaceTheListAlsoForAMissingKey) {
  TStringList list{"stale"};
  ListSubKeyNames(cu, "Software\\Nowhere", list);
  EXPECT_EQ(list.Count(), 0);
  list.Add("stale");
  ListValueNames(cu, "Software\\Empty", list);
  EXPECT_EQ(list.Count(), 0);
  ListSubKeyNames(cu, "Software", list);
  EXPECT_EQ(list.ToVector(), (Rows{"Empty", "Microsoft", "T"}));
}

TEST_F(RegistryLayerTest, ListNumberedValueNames) {
  TStringList list;
  ListNumberedValueNames(cu, "Software\\Empty", list);
  EXPECT_EQ(list.Count(), 0);
  ListNumberedValueNames(cu, "Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0", list);
  EXPECT_EQ(list.ToVector(), (Rows{"1=", "2=0", "3=Text", "4=Big"}));
}

TEST_F(RegistryLayerTest, ReadingOpensKeysTheUserMayReadButNotWrite) {
  registry.SetKeyAccess(reg::kLocalMachine, "SOFTWARE\\T", KeyAccess::ReadOnly);
  EXPECT_EQ(ReadMachineString("SOFTWARE\\T", "Str"), "machine");
  TStringList list;
  ListValueNames(reg::kLocalMachine, "SOFTWARE\\T", list);
  EXPECT_EQ(list.Count(), 5);
  EXPECT_TRUE(AddressKeyExists("HKLM|SOFTWARE\\T"));
  registry.SetKeyAccess(reg::kLocalMachine, "SOFTWARE\\T", KeyAccess::NoAccess);
  EXPECT_EQ(ReadMachineString("SOFTWARE\\T", "Str"), "");
  EXPECT_FALSE(AddressKeyExists("HKLM|SOFTWARE\\T"));
}

TEST_F(RegistryLayerTest, WriteRegStringCreatesTheKeyAndStoresTheTerminatingNul) {
  WriteRegString(cu, "Velmo", "09", "C:\\Tools\\trailwick.exe");
  WriteRegString(cu, "Velmo", "09", "C:\\New\\trailwick.exe");
  RegKey key = 0;
  ASSERT_EQ(registry.OpenKeyEx(cu, "Velmo", reg::kRead, &key), reg::kSuccess);
  uint32_t type = 0;
  uint32_t size = 0;
  registry.QueryValueEx(key, "09", &type, nullptr, &size);
  registry.CloseKey(key);
  EXPECT_EQ(type, reg::kSz);
  EXPECT_EQ(size, 21u); // 20 characters and the NUL
  EXPECT_EQ(ReadUserString("Velmo", "09"), "C:\\New\\trailwick.exe");
}

TEST_F(RegistryLayerTest, WriteRegStringRaisesWhenTheKeyIsNotWritable) {
  registry.SetKeyAccess(cu, "Velmo", KeyAccess::ReadOnly);
  try {
    WriteRegString(cu, "Velmo", "09", "x");
    FAIL() << "no error";
  } catch (const EOleRegistrationError& e) {
    EXPECT_STREQ(e.what(), "Error creating system registry entry");
  }
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

} // namespace
} // namespace tw
