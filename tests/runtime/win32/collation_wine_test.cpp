// The portable comparison gives the platform's order: every pair of single characters, and a
// few thousand generated texts built to hit ties, accents, ligatures and ignored characters.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "runtime/collation.h"
#include "runtime/win32/win32_collation.h"

namespace tw {
namespace {

int Sign(int v) {
  return (v > 0) - (v < 0);
}

class CollationAgainstPlatform : public testing::Test {
protected:
  void ExpectSameOrder(const std::string& a, const std::string& b) {
    const int expected = Sign(platform.Compare(a, b));
    const int actual = Sign(portable.Compare(a, b));
    if (expected != actual) {
      ++mismatches;
      if (mismatches <= 20)
        ADD_FAILURE() << "\"" << a << "\" vs \"" << b << "\": platform " << expected
                      << ", portable " << actual;
    }
  }
  Win32Collation platform;
  PortableCollation portable;
  int mismatches = 0;
};

TEST_F(CollationAgainstPlatform, EveryPairOfSingleCharacters) {
  for (int x = 1; x < 256; ++x)
    for (int y = 1; y < 256; ++y)
      ExpectSameOrder(std::string(1, static_cast<char>(x)), std::string(1, static_cast<char>(y)));
  EXPECT_EQ(mismatches, 0);
}

TEST_F(CollationAgainstPlatform, GeneratedRows) {
  // Row-like texts: names, "=", values, paths, with characters that only break ties.
  const std::string alphabet =
      "aAbBeEsStTzZ019 _-'=\\.:(){}[]~+<\x01\xE9\xC9\xFC\xDF\xE6\xAD\xB2\xBD\x99\xFE\x96";
  std::mt19937 random(20261208);
  auto text = [&](size_t maxLength) {
    std::string s;
    const size_t length = random() % (maxLength + 1);
    for (size_t i = 0; i < length; ++i)
      s += alphabet[random() % alphabet.size()];
    return s;
  };
  for (int i = 0; i < 4000; ++i) {
    const std::string a = text(8);
    // Half the pairs are near misses: one character changed, inserted or removed.
    std::string b = a;
    switch (random() % 4) {
    case 0:
      b = text(8);
      break;
    case 1:
      if (!b.empty())
        b[random() % b.size()] = alphabet[random() % alphabet.size()];
      break;
    case 2:
      b.insert(b.begin() + static_cast<long>(random() % (b.size() + 1)),
               alphabet[random() % alphabet.size()]);
      break;
    default:
      if (!b.empty())
        b.erase(b.begin() + static_cast<long>(random() % b.size()));
      break;
    }
    ExpectSameOrder(a, b);
  }
  EXPECT_EQ(mismatches, 0);
}

} // namespace
} // namespace tw
