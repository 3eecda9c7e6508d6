#include <gtest/gtest.h>

#include "readers/userassist.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using test::Rows;

TEST(DecodeRot13Char, MapsTheAsciiLettersThirteenPlacesOnKeepingCase) {
  EXPECT_EQ(DecodeRot13Char('A'), 'N');
  EXPECT_EQ(DecodeRot13Char('M'), 'Z');
  EXPECT_EQ(DecodeRot13Char('N'), 'A');
  EXPECT_EQ(DecodeRot13Char('Z'), 'M');
  EXPECT_EQ(DecodeRot13Char('a'), 'n');
  EXPECT_EQ(DecodeRot13Char('m'), 'z');
  EXPECT_EQ(DecodeRot13Char('n'), 'a');
  EXPECT_EQ(DecodeRot13Char('z'), 'm');
}

TEST(DecodeRot13Char, LeavesEveryOtherByteAndIsItsOwnInverse) {
  int mapped = 0;
  for (int i = 0; i < 256; ++i) {
    const char c = static_cast<char>(i);
    const bool letter = (i >= 'A' && i <= 'Z') || (i >= 'a' && i <= 'z');
    if (letter)
      ++mapped;
    else
      EXPECT_EQ(DecodeRot13Char(c), c) << i;
    EXPECT_EQ(DecodeRot13Char(DecodeRot13Char(c)), c) << i;
  }
  EXPECT_EQ(mapped, 52);
}

TEST(DecodeRot13, DecodesEachCharacterOfAText) {
  EXPECT_EQ(DecodeRot13("abc"), "nop");
  EXPECT_EQ(DecodeRot13("NOP"), "ABC");
  EXPECT_EQ(DecodeRot13(""), "");
  EXPECT_EQ(DecodeRot13("HRZR_EHACNGU:P:\\Cebtenz Svyrf\\ncc.rkr"),
            "UEME_RUNPATH:C:\\Program Files\\app.exe");
  EXPECT_EQ(DecodeRot13("{0123-4567}=_:\\ \xE9\xFC\x80"), "{0123-4567}=_:\\ \xE9\xFC\x80");
  EXPECT_EQ(DecodeRot13(DecodeRot13("Any Stored Name 42")), "Any Stored Name 42");
}

TEST(DecodeRot13, KeepsEmbeddedNulCharacters) {
  EXPECT_EQ(DecodeRot13(std::string("a\0b", 3)), std::string("n\0o", 3));
}

class UserAssistTest : public test::ReaderTest {};

TEST_F(UserAssistTest, NumbersAndDecodesTheValueNamesOfEachGuid) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadUserAssist0D6D4F41),
            (Rows{"1=UEME_RUNCPL:\"C:\\WINDOWS\\system32\\desk.cpl\",Display", "2=UEME_UISCUT",
                  "3=UEME_CTLSESSION"}));
  EXPECT_EQ(Run(ReadUserAssist5E6AB780),
            (Rows{"1=UEME_RUNPIDL:%csidl2%\\Caf\xE9 Men\xFC 2006", "2=UEME_UITOOLBAR:0x1,120",
                  "3=UEME_CTLCUACount:ctor"}));
  EXPECT_EQ(Run(ReadUserAssist75048700),
            (Rows{"1=UEME_RUNPATH:C:\\Program Files\\Acme\\viewer.exe",
                  "2=UEME_RUNPATH:C:\\WINDOWS\\notepad.exe",
                  "3=UEME_RUNPATH:D:\\Tools\\hex_edit.exe", "4=UEME_UISCUT"}));
}

TEST_F(UserAssistTest, TwelveValuesAreNumberedOneToTwelveInEnumerationOrder) {
  std::string reg = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                    "Explorer\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count]\r\n";
  Rows expected;
  for (int i = 1; i <= 12; ++i) {
    const char letter = static_cast<char>('a' + 12 - i); // creation order is not name order
    reg += std::string("\"") + DecodeRot13Char(letter) + "\"=hex:00\r\n";
    expected.push_back(std::to_string(i) + "=" + letter);
  }
  LoadReg(reg);
  EXPECT_EQ(Run(ReadUserAssist75048700), expected);
}

TEST_F(UserAssistTest, ANameStoredWithoutEncodingIsShownScrambled) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
          "UserAssist\\{0D6D4F41-2994-4BA0-8FEF-620E43CD2812}\\Count]\r\n"
          "\"UEME_CTLSESSION\"=hex:00\r\n@=\"\"\r\n");
  EXPECT_EQ(Run(ReadUserAssist0D6D4F41), (Rows{"1=HRZR_PGYFRFFVBA", "2="}));
}

TEST_F(UserAssistTest, EachItemReadsOnlyItsOwnGuid) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
          "UserAssist\\{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count]\r\n\"n\"=hex:00\r\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
          "UserAssist\\{0D6D4F41-2994-4BA0-8FEF-620E43CD2812}\\Count]\r\n\"n\"=hex:00\r\n");
  EXPECT_TRUE(Run(ReadUserAssist0D6D4F41).empty());
  EXPECT_EQ(Run(ReadUserAssist5E6AB780), Rows{"1=a"});
  EXPECT_TRUE(Run(ReadUserAssist75048700).empty());
}

} // namespace
} // namespace tw
