// The portable profile reader and GetPrivateProfileStringA over the same tricky files: equal
// buffers and lengths for the section list, every key list and every value, in buffers of many
// sizes.

#include <gtest/gtest.h>

#include <fstream>

#include "runtime/ini_file.h"
#include "runtime/profile.h"
#include "runtime/seam.h"
#include "runtime/win32/win32_platform.h"
#include "support/platform.h"

namespace tw {
namespace {

using Names = std::vector<std::string>;

struct Answer {
  uint32_t length;
  std::string buffer;
  bool operator==(const Answer&) const = default;
};

void PrintTo(const Answer& a, std::ostream* os) {
  *os << a.length << " [";
  for (const char c : a.buffer.substr(0, a.length + 12))
    *os << (c == '\0' ? std::string("\\0") : std::string(1, c));
  *os << "]";
}

Answer Ask(ProfileApi& api, const char* section, const char* key, const char* defaultValue,
           uint32_t size, const std::string& file) {
  std::string buffer(size + 8, 'X');
  const uint32_t length = api.ProfileString(section, key, defaultValue, buffer.data(), size, file);
  return {length, buffer};
}

const uint32_t kSizes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 20, 32, 64, 2048, 16384};

class ProfileEquivalence : public testing::Test {
protected:
  // Writes the file under a name of its own (the platform caches profiles by name) and
  // compares both readers on it; `extraSections` and `extraKeys` are asked too.
  void Compare(const std::string& bytes, Names extraSections = {}, Names extraKeys = {}) {
    const std::string file = folder.Path() + "case" + std::to_string(counter_++) + ".ini";
    std::ofstream(HostPath(file), std::ios::binary) << bytes;
    for (const uint32_t size : kSizes)
      EXPECT_EQ(Ask(portable, nullptr, nullptr, "", size, file),
                Ask(platform, nullptr, nullptr, "", size, file))
          << "section list, size " << size;
    Names sections;
    {
      ScopedSeam<ProfileApi> seam(platform);
      sections = TIniFile(file).ReadSections();
    }
    sections.insert(sections.end(), extraSections.begin(), extraSections.end());
    for (const std::string& section : sections) {
      for (const uint32_t size : kSizes)
        EXPECT_EQ(Ask(portable, section.c_str(), nullptr, "", size, file),
                  Ask(platform, section.c_str(), nullptr, "", size, file))
            << "keys of [" << section << "], size " << size;
      Names keys;
      {
        ScopedSeam<ProfileApi> seam(platform);
        keys = TIniFile(file).ReadSection(section);
      }
      keys.insert(keys.end(), extraKeys.begin(), extraKeys.end());
      for (const std::string& key : keys)
        for (const uint32_t size : kSizes)
          EXPECT_EQ(Ask(portable, section.c_str(), key.c_str(), "dflt", size, file),
                    Ask(platform, section.c_str(), key.c_str(), "dflt", size, file))
              << "[" << section << "] " << key << ", size " << size;
    }
  }

  test::TempFolder folder;
  PortableProfile portable;
  Win32Profile platform;

private:
  int counter_ = 0;
};

TEST_F(ProfileEquivalence, CommentsQuotesBlanksDuplicatesAndBrokenHeaders) {
  Compare("; comment at top\r\nkey0=before any section\r\n[  Alpha  ]\r\n"
          " Key1 = \" quoted value \"  \r\nkey2='single'\r\nkey3=\"unbalanced\r\n"
          "key4=a;b\r\nnoequals line\r\n;commented=1\r\nKEY1=second\r\n"
          "=emptyname\r\nkey5=\"\"\r\nkey6=\"\r\nkey7=\"a\"b\"\r\nkey8='x\"\r\n"
          "\tkey9\t=\tx\t\r\n#hash=1\r\n[Beta]trailing\r\nx=1\r\n[alpha]\r\n"
          "key1=shadowed\r\nnew=inshadow\r\n[Gamma\r\ny=2\r\n[]\r\nz=3\r\n[ ]\r\n"
          "[a]b]\r\nk=v\r\n[Dup]\r\n[Dup]\r\nhash=1\r\n",
          {"", "  alpha ", "ALPHA", "[Gamma", "Nowhere", "Dup "},
          {" key1 ", ";commented", "noequals line", "", "missing", "KEY2 "});
}

TEST_F(ProfileEquivalence, LineEndsControlBlanksAndNonAsciiNames) {
  Compare("[Q]\r\n key9 = \x1a y \x1a\r\nkeyA=\xa0nb\xa0\r\n\xa0keyB=1\r\n\x0bkeyC\x0c=\x0b"
          "2\r\nmy key = a=b \r\nempty = \r\n  ;c=1\r\nlast=1\r[CR]\rq=1\r\r\n\n[LF]\nw=2\n"
          "[\xc9t\xe9]\r\n\xc9L\xc9=\xe9\r\n[\x8a\x9a\xff]\r\nk=\x80\r\n",
          {"\xe9T\xc9", "\x9a\x8a\x9f", "q", "lf"}, {"\xe9l\xe9", "KEY9", "K"});
}

TEST_F(ProfileEquivalence, ByteOrderMarks) {
  Compare("\xef\xbb\xbf[Bom]\r\nk=v\r\n[\xc3\x89t\xc3\xa9]\r\nx=\xe2\x82\xac\xe4\xb8\x80\r\n"
          "bad=\xc9t\r\n",
          {"\xc9t\xe9"});
  std::string utf16("\xff\xfe", 2);
  for (const char c : std::string("[Wide]\r\nname=value\r\n"))
    utf16 += std::string{c, '\0'};
  Compare(utf16);
}

TEST_F(ProfileEquivalence, LongValuesAndManySections) {
  std::string db = "[Long]\r\nv=\"" + std::string(2046, 'a') + "\"\r\nw=\"" +
                   std::string(2047, 'b') + "\"\r\nx=" + std::string(3000, 'c') + "\r\n";
  for (int i = 0; i < 2000; ++i)
    db += "[Application " + std::to_string(10000 + i) + "]\r\n";
  std::string keys = "[Keys]\r\n";
  for (int i = 0; i < 1500; ++i)
    keys += "Key number " + std::to_string(i) + "=HKCU|Software\\x\r\n";
  const std::string file = folder.Path() + "long.ini";
  std::ofstream(HostPath(file), std::ios::binary) << db << keys;
  for (const uint32_t size : {2048u, 16384u}) {
    EXPECT_EQ(Ask(portable, nullptr, nullptr, "", size, file),
              Ask(platform, nullptr, nullptr, "", size, file));
    EXPECT_EQ(Ask(portable, "Keys", nullptr, "", size, file),
              Ask(platform, "Keys", nullptr, "", size, file));
    for (const char* key : {"v", "w", "x"})
      EXPECT_EQ(Ask(portable, "Long", key, "", size, file),
                Ask(platform, "Long", key, "", size, file))
          << key;
  }
}

TEST_F(ProfileEquivalence, AMissingFile) {
  const std::string file = folder.Path() + "none.ini";
  for (const uint32_t size : {1u, 2u, 16u})
    EXPECT_EQ(Ask(portable, nullptr, nullptr, "", size, file),
              Ask(platform, nullptr, nullptr, "", size, file));
  EXPECT_EQ(Ask(portable, "a", nullptr, "", 16, file), Ask(platform, "a", nullptr, "", 16, file));
  EXPECT_EQ(Ask(portable, "a", "b", "dflt", 16, file), Ask(platform, "a", "b", "dflt", 16, file));
}

} // namespace
} // namespace tw
