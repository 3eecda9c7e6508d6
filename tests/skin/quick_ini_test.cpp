#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "skin/model/quick_ini.h"

namespace tw {
namespace {

TQuickIni Ini(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return ini;
}

TEST(QuickIniTest, LinesSplitAtEveryLineEndAndNul) {
  const std::string text("[a]\rk1=1\nk2=2\r\nk3=3\0k4=4", 24);
  const TQuickIni ini = Ini(text);
  EXPECT_EQ(ini.Lines().size(), 5u);
  EXPECT_EQ(ini.ReadString("a", "k4", ""), "4");
}

TEST(QuickIniTest, LinesAreTrimmedAndCommentsAndBlanksDropped) {
  const TQuickIni ini = Ini("  [s]  \r\n\r\n ; note\r\n\t key = value \t\r\n;x=1\r\n");
  ASSERT_EQ(ini.Lines().size(), 2u);
  EXPECT_EQ(ini.Lines()[1], "key = value");
  EXPECT_EQ(ini.ReadString("s", "key", "d"), "value");
  EXPECT_EQ(ini.ReadString("s", ";x", "d"), "d");
}

TEST(QuickIniTest, SectionLookupIgnoresCaseButNotInnerSpaces) {
  const TQuickIni ini = Ini("[Colours]\r\na=1\r\n[ Spaced ]\r\nb=2\r\n");
  EXPECT_EQ(ini.SectionIndex("COLOURS"), 0);
  EXPECT_EQ(ini.SectionIndex("Spaced"), -1);
  EXPECT_EQ(ini.SectionIndex(" Spaced "), 2);
  EXPECT_EQ(ini.SectionIndex("missing"), -1);
}

TEST(QuickIniTest, ReadSectionsListsNamesTrimmedInFileOrder) {
  const TQuickIni ini = Ini("[B]\r\n[ a ]\r\nx=1\r\n[B]\r\n");
  TStringList list;
  list.Add("old");
  ini.ReadSections(&list);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"B", "a", "B"}));
}

TEST(QuickIniTest, ReadSectionsWithoutListIsAnAssertion) {
  const TQuickIni ini = Ini("[a]");
  try {
    ini.ReadSections(nullptr);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "The parameter Strings is unassigned!");
  }
}

TEST(QuickIniTest, KeysIgnoreCaseAndFirstOccurrenceWins) {
  const TQuickIni ini = Ini("[Buttons]\r\nRightWidth=4\r\nRightwidth=9\r\n");
  EXPECT_EQ(ini.ReadInteger("Buttons", "rightwidth", 0), 4);
  EXPECT_EQ(ini.ReadInteger("Buttons", "RightWidth", 0), 4);
}

TEST(QuickIniTest, FirstDuplicateWinsEvenWhenEmpty) {
  const TQuickIni ini = Ini("[s]\r\nk=\r\nk=5\r\n");
  EXPECT_EQ(ini.ReadString("s", "k", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("s", "k", 7), 7);
}

TEST(QuickIniTest, ScanStopsAtTheNextSection) {
  const TQuickIni ini = Ini("[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
  EXPECT_EQ(ini.ReadString("a", "y", "none"), "none");
  EXPECT_EQ(ini.ReadString("b", "y", "none"), "2");
}

TEST(QuickIniTest, ValueIsTextAfterTheFirstEquals) {
  const TQuickIni ini = Ini("[s]\r\nk = a=b \r\n");
  EXPECT_EQ(ini.ReadString("s", "k", ""), "a=b");
}

TEST(QuickIniTest, LineWithoutEqualsHasEmptyKey) {
  const TQuickIni ini = Ini("[s]\r\njust text\r\n=v\r\n");
  EXPECT_EQ(ini.ReadString("s", "just text", "d"), "d");
  EXPECT_EQ(ini.ReadString("s", "", "d"), "d"); // the first empty-key line has no value
}

TEST(QuickIniTest, IntegersDecimalHexAndRejects) {
  const TQuickIni ini = Ini("[s]\r\na=0x1F\r\nb=x1F\r\nc=1F\r\nd=$1F\r\ne=-12\r\nf=0X10\r\ng=0x\r\n"
                            "h=12abc\r\ni=99999999999\r\nj=$FFFFFFFF\r\nk= 42 \r\n");
  EXPECT_EQ(ini.ReadInteger("s", "a", -5), 31);
  EXPECT_EQ(ini.ReadInteger("s", "b", -5), -5);
  EXPECT_EQ(ini.ReadInteger("s", "c", -5), -5);
  EXPECT_EQ(ini.ReadInteger("s", "d", -5), 31);
  EXPECT_EQ(ini.ReadInteger("s", "e", -5), -12);
  EXPECT_EQ(ini.ReadInteger("s", "f", -5), 16);
  EXPECT_EQ(ini.ReadInteger("s", "g", -5), -5);
  EXPECT_EQ(ini.ReadInteger("s", "h", -5), -5);
  EXPECT_EQ(ini.ReadInteger("s", "i", -5), -5);
  EXPECT_EQ(ini.ReadInteger("s", "j", -5), -1);
  EXPECT_EQ(ini.ReadInteger("s", "k", -5), 42);
  EXPECT_EQ(ini.ReadInteger("s", "missing", -5), -5);
}

TEST(QuickIniTest, LoadFromStreamReadsFromThePosition) {
  TMemoryStream stream(std::vector<std::uint8_t>{'x', 'x', '[', 'a', ']', '\n', 'k', '=', '1'});
  stream.SetPosition(2);
  TQuickIni ini;
  ini.LoadFromStream(stream);
  EXPECT_EQ(ini.ReadInteger("a", "k", 0), 1);
}

} // namespace
} // namespace tw
