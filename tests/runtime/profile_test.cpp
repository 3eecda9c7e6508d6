// The portable profile reader against figures measured with GetPrivateProfileStringA.

#include <gtest/gtest.h>

#include "runtime/ini_file.h"
#include "runtime/profile.h"
#include "support/platform.h"

namespace tw {
namespace {

using Names = std::vector<std::string>;

class ProfileTest : public test::PortablePlatformTest {
protected:
  std::string File() const { return ExeFolder() + "WKS.db"; }
  // The buffer as the call leaves it: `shown` bytes of a buffer first filled with "X".
  std::string Call(const char* section, const char* key, uint32_t size,
                   uint32_t* length = nullptr) {
    std::string buffer(size + 8, 'X');
    const uint32_t n = profile.ProfileString(section, key, "", buffer.data(), size, File());
    if (length != nullptr)
      *length = n;
    return buffer.substr(0, size + 1);
  }
  TIniFile Ini() const { return TIniFile(File()); }
};

const std::string kTricky = "; comment at top\r\nkey0=before any section\r\n[  Alpha  ]\r\n"
                            " Key1 = \" quoted value \"  \r\nkey2='single'\r\nkey3=\"unbalanced\r\n"
                            "key4=a;b\r\nnoequals line\r\n;commented=1\r\nKEY1=second\r\n"
                            "=emptyname\r\nkey5=\"\"\r\nkey6=\"\r\nkey7=\"a\"b\"\r\n"
                            "\tkey8\t=\tx\t\r\n[Beta]trailing\r\nx=1\r\n[alpha]\r\n"
                            "key1=shadowed\r\nnew=inshadow\r\n[Gamma\r\ny=2\r\n[]\r\nz=3\r\n"
                            "[a]b]\r\nk=v\r\n[Dup]\r\n[Dup]\r\n#hash=1\r\n";

TEST_F(ProfileTest, SectionNamesAsMeasured) {
  WriteDatabase(kTricky);
  uint32_t n = 0;
  EXPECT_EQ(Call(nullptr, nullptr, 20000, &n).substr(0, 30),
            std::string("Alpha\0Beta\0alpha\0a]b\0Dup\0Dup\0\0", 30));
  EXPECT_EQ(n, 29u);
  EXPECT_EQ(Ini().ReadSections(), (Names{"Alpha", "Beta", "alpha", "a]b", "Dup", "Dup"}));
}

TEST_F(ProfileTest, SectionNamesInSmallBuffersAsMeasured) {
  WriteDatabase(kTricky);
  const std::pair<uint32_t, std::string> measured[] = {
      {1, std::string("\0", 1)},
      {2, std::string("\0X", 2)},
      {3, std::string("A\0X", 3)},
      {6, std::string("Alph\0X", 6)},
      {8, std::string("Alpha\0\0X", 8)},
      {10, std::string("Alpha\0Be\0X", 10)},
      {16, std::string("Alpha\0Beta\0alp\0X", 16)}};
  const uint32_t lengths[] = {0, 0, 1, 4, 6, 8, 14};
  for (size_t i = 0; i < std::size(measured); ++i) {
    uint32_t n = 0;
    EXPECT_EQ(Call(nullptr, nullptr, measured[i].first, &n).substr(0, measured[i].second.size()),
              measured[i].second)
        << measured[i].first;
    EXPECT_EQ(n, lengths[i]) << measured[i].first;
  }
}

TEST_F(ProfileTest, KeyNamesAsMeasured) {
  WriteDatabase(kTricky);
  EXPECT_EQ(Ini().ReadSection("alpha"),
            (Names{"Key1", "key2", "key3", "key4", "KEY1", "", "key5", "key6", "key7", "key8"}));
  EXPECT_EQ(Ini().ReadSection("Beta"), (Names{"x"}));
  EXPECT_EQ(Ini().ReadSection(""), (Names{"key0"}));
  EXPECT_EQ(Ini().ReadSection("a]b"), (Names{"k"}));
  EXPECT_TRUE(Ini().ReadSection("  alpha ").empty()) << "listing does not trim the name";
  EXPECT_TRUE(Ini().ReadSection("Dup").empty()) << "the second [Dup] is shadowed";
  EXPECT_TRUE(Ini().ReadSection("[Gamma").empty());
  const std::pair<uint32_t, std::string> measured[] = {
      {2, std::string("\0X", 2)},
      {3, std::string("K\0X", 3)},
      {6, std::string("Key1\0X", 6)},
      {8, std::string("Key1\0k\0X", 8)},
      {10, std::string("Key1\0key\0X", 10)},
      {16, std::string("Key1\0key2\0key3\0X", 16)}};
  const uint32_t lengths[] = {0, 1, 4, 6, 8, 14};
  for (size_t i = 0; i < std::size(measured); ++i) {
    uint32_t n = 0;
    EXPECT_EQ(Call("Alpha", nullptr, measured[i].first, &n).substr(0, measured[i].second.size()),
              measured[i].second)
        << measured[i].first;
    EXPECT_EQ(n, lengths[i]) << measured[i].first;
  }
}

TEST_F(ProfileTest, ValuesAsMeasured) {
  WriteDatabase(kTricky);
  const TIniFile ini = Ini();
  EXPECT_EQ(ini.ReadString("Alpha", "key1", ""), " quoted value ");
  EXPECT_EQ(ini.ReadString("ALPHA", "KEY1", ""), " quoted value ") << "the first key wins";
  EXPECT_EQ(ini.ReadString("Alpha", "key2", ""), "single");
  EXPECT_EQ(ini.ReadString("Alpha", "key3", ""), "\"unbalanced");
  EXPECT_EQ(ini.ReadString("Alpha", "key4", ""), "a;b");
  EXPECT_EQ(ini.ReadString("Alpha", "key5", "d"), "");
  EXPECT_EQ(ini.ReadString("Alpha", "key6", ""), "\"");
  EXPECT_EQ(ini.ReadString("Alpha", "key7", ""), "a\"b");
  EXPECT_EQ(ini.ReadString("Alpha", "key8", ""), "x");
  EXPECT_EQ(ini.ReadString("Alpha", "noequals line", "none"), "none");
  EXPECT_EQ(ini.ReadString("Alpha", "new", "none"), "none") << "shadowed section";
  EXPECT_EQ(ini.ReadString("", "key0", ""), "before any section");
  EXPECT_EQ(ini.ReadString("Nowhere", "x", "fallback  "), "fallback");
  const std::pair<uint32_t, std::string> quoted[] = {
      {1, std::string("\0", 1)}, {2, std::string(" \0", 2)}, {10, std::string(" quoted v\0", 10)}};
  for (const auto& [size, text] : quoted)
    EXPECT_EQ(Call("Alpha", "Key1", size).substr(0, text.size()), text) << size;
}

TEST_F(ProfileTest, EncodingsLineEndsAndBlanks) {
  WriteDatabase("\xef\xbb\xbf[Bom]\r\nk=v\r\n[Q]\r\n key9 = \x1a y \x1a\r\n"
                "my key = a=b \r\nempty = \r\n  ;c=1\r\nlast=1\r[CR]\rq=1\r\r\n\n[LF]\nw=2\n"
                "[\xc3\x89t\xc3\xa9]\nx=\xe2\x82\xac\xe4\xb8\x80\n");
  const TIniFile ini = Ini();
  EXPECT_EQ(ini.ReadSections(), (Names{"Bom", "Q", "CR", "LF", "\xc9t\xe9"}));
  EXPECT_EQ(ini.ReadSection("Q"), (Names{"key9", "my key", "empty", "last"}));
  EXPECT_EQ(ini.ReadString("Q", "key9", ""), "y");
  EXPECT_EQ(ini.ReadString("q", "MY KEY", ""), "a=b");
  EXPECT_EQ(ini.ReadString("CR", "q", ""), "1");
  EXPECT_EQ(ini.ReadString("LF", "w", ""), "2");
  EXPECT_EQ(ini.ReadString("\xc9t\xe9", "x", ""), "\x80?") << "euro sign, then no CJK in 1252";
  EXPECT_EQ(ini.ReadString("\xe9T\xc9", "x", "apart"), "apart") << "only ASCII letters fold";
}

TEST_F(ProfileTest, LongValuesAreCutAtTheBuffer) {
  WriteDatabase("[Long]\r\nv=\"" + std::string(2046, 'a') + "\"\r\nw=" + std::string(3000, 'b') +
                "\r\n");
  EXPECT_EQ(Ini().ReadString("Long", "v", ""), std::string(2046, 'a'));
  EXPECT_EQ(Ini().ReadString("Long", "w", ""), std::string(2047, 'b'));
}

TEST_F(ProfileTest, AMissingFileReadsAsEmpty) {
  EXPECT_TRUE(Ini().ReadSections().empty());
  EXPECT_TRUE(Ini().ReadSection("x").empty());
  EXPECT_EQ(Ini().ReadString("x", "y", "d"), "d");
}

TEST_F(ProfileTest, AnEditedFileIsReadAfresh) {
  WriteDatabase("[One]\r\n");
  EXPECT_EQ(Ini().ReadSections(), (Names{"One"}));
  WriteDatabase("[Two]\r\n[Three]\r\n");
  EXPECT_EQ(Ini().ReadSections(), (Names{"Two", "Three"}));
}

TEST(SplitNameList, LeavesOutANameCutShort) {
  EXPECT_EQ(SplitNameList("ab\0c\0de", 7), (Names{"ab", "c"}));
  EXPECT_EQ(SplitNameList("ab\0\0c\0", 6), (Names{"ab", "", "c"}));
  EXPECT_TRUE(SplitNameList("", 0).empty());
}

} // namespace
} // namespace tw
