#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/collation.h"

namespace tw {
namespace {

int Sign(int v) {
  return (v > 0) - (v < 0);
}

int Cmp(const std::string& a, const std::string& b) {
  return Sign(PortableCollation().Compare(a, b));
}

TEST(PortableCollation, IgnoresCaseOfLetters) {
  EXPECT_EQ(Cmp("Run MRU", "run mru"), 0);
  EXPECT_EQ(Cmp("\xC9t\xC9", "\xE9t\xE9"), 0); // accented capitals equal their small forms
  EXPECT_LT(Cmp("apple", "Banana"), 0);
}

TEST(PortableCollation, OrdersBlankThenPunctuationThenSymbolsThenDigitsThenLetters) {
  const std::vector<std::string> ascending = {
      " ",  "!", "\"", "#", "$", "%", "&", "(", ")", "*", ",", ".", "/", ":", ";", "?", "@", "[",
      "\\", "]", "^",  "_", "`", "{", "|", "}", "~", "+", "<", "=", ">", "0", "9", "a", "Z"};
  for (size_t i = 0; i + 1 < ascending.size(); ++i)
    EXPECT_LT(Cmp(ascending[i], ascending[i + 1]), 0) << ascending[i] << " vs " << ascending[i + 1];
}

TEST(PortableCollation, ComparesDigitsAsCharacters) {
  EXPECT_LT(Cmp("url10", "url2"), 0);
  EXPECT_LT(Cmp("File1", "File10"), 0);
}

TEST(PortableCollation, HyphenAndApostropheOnlyBreakTies) {
  EXPECT_LT(Cmp("coop", "co-op"), 0);
  EXPECT_LT(Cmp("co-op", "cop"), 0);
  EXPECT_LT(Cmp("[O] Startup - Services (Path) (LM)", "[O] Startup (CU)"), 0);
  EXPECT_GT(Cmp("a-b", "a'b"), 0);
  // An earlier tie-break character weighs more.
  EXPECT_LT(Cmp("ab-", "a-b"), 0);
  EXPECT_GT(Cmp("a--b", "a-b"), 0);
}

TEST(PortableCollation, AccentedLettersSortWithTheirBaseLetter) {
  EXPECT_LT(Cmp("\xE9t\xE9", "ete2"), 0); // été before ete2: the accent only breaks ties
  EXPECT_GT(Cmp("\xE9t\xE9", "ete"), 0);
  EXPECT_LT(Cmp("e\xE1", "\xE9"
                         "a"),
            0); // the first accented position decides
}

TEST(PortableCollation, ExpandsLigatures) {
  EXPECT_EQ(Cmp("Stra\xDF"
                "e",
                "strasse"),
            0);
  EXPECT_EQ(Cmp("\xC6on", "aeon"), 0);
  EXPECT_LT(Cmp("\xC6on", "af"), 0);
}

TEST(PortableCollation, SoftHyphenIsIgnoredCompletely) {
  EXPECT_EQ(Cmp("ab\xAD", "ab"), 0);
}

TEST(PortableCollation, IsAStrictWeakOrderOverAMixedSample) {
  std::vector<std::string> sample = {"b",  "B-", "a b", "ab",   "a-b", "a'b", "A",    "1",
                                     "10", "2",  "_x",  "\xE9", "e",   "E",   "\xDF", "ss",
                                     "~",  "+",  "=",   "-",    "",    "\x01"};
  std::sort(sample.begin(), sample.end(),
            [](const std::string& x, const std::string& y) { return Cmp(x, y) < 0; });
  for (size_t i = 0; i < sample.size(); ++i)
    for (size_t j = i + 1; j < sample.size(); ++j)
      EXPECT_LE(Cmp(sample[i], sample[j]), 0) << sample[i] << " / " << sample[j];
}

} // namespace
} // namespace tw
