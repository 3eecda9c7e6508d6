#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/exceptions.h"
#include "registry/memory_registry.h"
#include "registry/reg_file.h"

namespace tw {
namespace {

class RegFileTest : public testing::Test {
protected:
  struct Data {
    uint32_t type = 0;
    std::string bytes;
  };
  Data Query(RegKey root, const char* path, const char* name) {
    RegKey key = 0;
    EXPECT_EQ(registry.OpenKeyEx(root, path, reg::kRead, &key), reg::kSuccess) << path;
    Data d;
    uint32_t size = 0;
    EXPECT_EQ(registry.QueryValueEx(key, name, &d.type, nullptr, &size), reg::kSuccess) << name;
    d.bytes.resize(size);
    registry.QueryValueEx(key, name, nullptr, reinterpret_cast<uint8_t*>(d.bytes.data()), &size);
    registry.CloseKey(key);
    return d;
  }
  MemoryRegistry registry;
};

TEST_F(RegFileTest, ImportsEveryValueForm) {
  const RegImportStats stats =
      ImportRegFile(registry, "REGEDIT4\r\n"
                              "\r\n"
                              "; comment\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Test]\r\n"
                              "@=\"default\"\r\n"
                              "\"Quoted \\\"name\\\"\"=\"back\\\\slash and \\\"quotes\\\"\"\r\n"
                              "\"Number\"=dword:0000002A\r\n"
                              "\"Bytes\"=hex:de,ad,\\\r\n"
                              "  be,ef\r\n"
                              "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
                              "\"Multi\"=hex(7):61,00,62,00,00\r\n"
                              "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
                              "\"Empty\"=hex(0):\r\n"
                              "\r\n"
                              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Deep\\Key]\r\n"
                              "\"a=b\"=\"x\"\r\n");
  EXPECT_EQ(stats.keys, 2);
  EXPECT_EQ(stats.values, 9);
  EXPECT_EQ(Query(reg::kCurrentUser, "Software\\Test", "").bytes, std::string("default\0", 8));
  EXPECT_EQ(Query(reg::kCurrentUser, "Software\\Test", "Quoted \"name\"").bytes,
            std::string("back\\slash and \"quotes\"\0", 24));
  const Data number = Query(reg::kCurrentUser, "Software\\Test", "Number");
  EXPECT_EQ(number.type, reg::kDword);
  EXPECT_EQ(number.bytes, std::string("\x2A\0\0\0", 4));
  EXPECT_EQ(Query(reg::kCurrentUser, "Software\\Test", "Bytes").bytes, "\xde\xad\xbe\xef");
  const Data expand = Query(reg::kCurrentUser, "Software\\Test", "Expand");
  EXPECT_EQ(expand.type, reg::kExpandSz);
  EXPECT_EQ(expand.bytes, std::string("%TEMP%\0", 7));
  EXPECT_EQ(Query(reg::kCurrentUser, "Software\\Test", "Multi").type, reg::kMultiSz);
  EXPECT_EQ(Query(reg::kCurrentUser, "Software\\Test", "Qword").type, reg::kQword);
  const Data empty = Query(reg::kCurrentUser, "Software\\Test", "Empty");
  EXPECT_EQ(empty.type, reg::kNone);
  EXPECT_TRUE(empty.bytes.empty());
  EXPECT_EQ(Query(reg::kLocalMachine, "SOFTWARE\\Test\\Deep\\Key", "a=b").bytes,
            std::string("x\0", 2));
}

TEST_F(RegFileTest, Version5UnicodeFileNarrowsTextToAnsi) {
  const std::u16string text =
      u"Windows Registry Editor Version "
      u"5.00\r\n\r\n[HKEY_CURRENT_USER\\U]\r\n\"Caf\u00e9\"=\"\u20ac 5\"\r\n"
      u"\"E\"=hex(2):25,00,41,00,25,00,00,00\r\n";
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  ImportRegFile(registry, bytes);
  EXPECT_EQ(Query(reg::kCurrentUser, "U", "Caf\xE9").bytes, std::string("\x80 5\0", 4));
  EXPECT_EQ(Query(reg::kCurrentUser, "U", "E").bytes, std::string("%A%\0", 4));
}

TEST_F(RegFileTest, RejectsMalformedInputWithTheLine) {
  EXPECT_THROW(ImportRegFile(registry, "not a registry file\r\n"), Exception);
  try {
    ImportRegFile(registry, "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=dword:xyz\r\n");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
  EXPECT_THROW(ImportRegFile(registry, "REGEDIT4\r\n[HKEY_NOWHERE\\K]\r\n"), Exception);
  EXPECT_THROW(ImportRegFile(registry, "REGEDIT4\r\n\"v\"=\"outside a key\"\r\n"), Exception);
  EXPECT_THROW(ImportRegFile(registry, "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=hex:1ff\r\n"),
               Exception); // A type number that is empty, not hexadecimal or too long is the file's
                           // fault, reported as
  // such (it once escaped as a library error that ended the program).
  for (const char* type : {"", "zz", "123456789", "-1"})
    EXPECT_THROW(
        ImportRegFile(registry, std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=hex(") +
                                    type + "):00\r\n"),
        Exception)
        << type;
}

TEST_F(RegFileTest, ImportsThroughTheSeamWhichRefusesWritesToReadOnlyKeys) {
  ImportRegFile(registry, "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Locked]\r\n");
  registry.SetKeyAccess(reg::kLocalMachine, "Locked", KeyAccess::ReadOnly);
  EXPECT_THROW(
      ImportRegFile(registry, "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Locked]\r\n\"v\"=\"x\"\r\n"),
      Exception);
}

} // namespace
} // namespace tw
