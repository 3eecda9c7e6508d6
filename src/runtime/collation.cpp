#include "runtime/collation.h"

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/seam.h"

namespace tw {
namespace {

struct Element {
  uint16_t primary = 0;
  uint8_t diacritic = 0;
};

enum class CharKind : uint8_t { Ignored, Special, Weighted };

struct CharInfo {
  CharKind kind = CharKind::Ignored;
  uint8_t special = 0; // tie-break weight of a Special character
  uint8_t count = 0;   // number of elements of a Weighted character (ligatures have two)
  Element elements[2];
};

// Diacritic codes; only their order among the forms of one base letter matters.
enum : uint8_t {
  kNone = 0,
  kOrdinal,
  kAcute,
  kGrave,
  kCircumflex,
  kDiaeresis,
  kTilde,
  kRing,
  kCedilla,
  kStroke,
  kCaron,
  kHook,
  kSuperscript,
};

class CollationTable {
public:
  CollationTable() {
    // Characters that count only to break ties, in ascending weight.
    uint8_t special = 1;
    for (int c = 0x01; c <= 0x08; ++c)
      SetSpecial(c, special++);
    for (int c = 0x0E; c <= 0x1F; ++c)
      SetSpecial(c, special++);
    for (const int c : {0x7F, 0x27, 0x2D, 0x96, 0x97})
      SetSpecial(c, special++);

    // Blanks, punctuation and symbols, ascending.
    static constexpr uint8_t kSymbols[] = {
        0x20, 0xA0, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x28,
        0x29, 0x2A, 0x2C, 0x2E, 0x2F, 0x3A, 0x3B, 0x3F, 0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
        0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0xA1, 0xA6, 0xA8, 0xAF, 0xB4, 0xB8, 0xBF, 0x98, 0x91,
        0x92, 0x82, 0x93, 0x94, 0x84, 0x8B, 0x9B, 0xA2, 0xA3, 0xA4, 0xA5, 0x80, 0x2B, 0x3C,
        0x3D, 0x3E, 0xB1, 0xAB, 0xBB, 0xD7, 0xF7, 0xA7, 0xA9, 0xAC, 0xAE, 0xB0, 0xB5, 0xB6,
        0xB7, 0x85, 0x86, 0x87, 0x95, 0x89, 0x81, 0x8D, 0x8F, 0x90, 0x9D};
    for (const uint8_t c : kSymbols)
      SetWeighted(c, {next_++, kNone});
    table_[0x88] = table_[0x5E]; // modifier circumflex is the caret

    // Digits, with the vulgar fractions between 0 and 1 and superscripts as marked digits.
    SetWeighted('0', {next_++, kNone});
    for (const int c : {0xBC, 0xBD, 0xBE})
      SetWeighted(c, {next_++, kNone});
    for (int d = 1; d <= 9; ++d)
      SetWeighted('0' + d, {next_++, kNone});
    SetWeighted(0xB9, {Primary('1'), kSuperscript});
    SetWeighted(0xB2, {Primary('2'), kSuperscript});
    SetWeighted(0xB3, {Primary('3'), kSuperscript});

    // Letters without regard to case; the trade mark sign has a weight between t and u.
    for (int c = 'a'; c <= 'z'; ++c) {
      SetWeighted(c, {next_++, kNone});
      table_[c - 'a' + 'A'] = table_[c];
      if (c == 't')
        SetWeighted(0x99, {next_++, kNone});
    }
    Mark({0xAA}, 'a', kOrdinal);
    Mark({0xC1, 0xE1}, 'a', kAcute);
    Mark({0xC0, 0xE0}, 'a', kGrave);
    Mark({0xC2, 0xE2}, 'a', kCircumflex);
    Mark({0xC4, 0xE4}, 'a', kDiaeresis);
    Mark({0xC3, 0xE3}, 'a', kTilde);
    Mark({0xC5, 0xE5}, 'a', kRing);
    Mark({0xC7, 0xE7}, 'c', kCedilla);
    Mark({0xD0, 0xF0}, 'd', kStroke);
    Mark({0xC9, 0xE9}, 'e', kAcute);
    Mark({0xC8, 0xE8}, 'e', kGrave);
    Mark({0xCA, 0xEA}, 'e', kCircumflex);
    Mark({0xCB, 0xEB}, 'e', kDiaeresis);
    Mark({0x83}, 'f', kHook);
    Mark({0xCD, 0xED}, 'i', kAcute);
    Mark({0xCC, 0xEC}, 'i', kGrave);
    Mark({0xCE, 0xEE}, 'i', kCircumflex);
    Mark({0xCF, 0xEF}, 'i', kDiaeresis);
    Mark({0xD1, 0xF1}, 'n', kTilde);
    Mark({0xBA}, 'o', kOrdinal);
    Mark({0xD3, 0xF3}, 'o', kAcute);
    Mark({0xD2, 0xF2}, 'o', kGrave);
    Mark({0xD4, 0xF4}, 'o', kCircumflex);
    Mark({0xD6, 0xF6}, 'o', kDiaeresis);
    Mark({0xD5, 0xF5}, 'o', kTilde);
    Mark({0xD8, 0xF8}, 'o', kStroke);
    Mark({0x8A, 0x9A}, 's', kCaron);
    Mark({0xDA, 0xFA}, 'u', kAcute);
    Mark({0xD9, 0xF9}, 'u', kGrave);
    Mark({0xDB, 0xFB}, 'u', kCircumflex);
    Mark({0xDC, 0xFC}, 'u', kDiaeresis);
    Mark({0xDD, 0xFD}, 'y', kAcute);
    Mark({0x9F, 0xFF}, 'y', kDiaeresis);
    Mark({0x8E, 0x9E}, 'z', kCaron);
    Ligature({0xC6, 0xE6}, 'a', 'e');
    Ligature({0x8C, 0x9C}, 'o', 'e');
    Ligature({0xDF}, 's', 's');
    Ligature({0xDE, 0xFE}, 't', 'h');
    // 0x00 and the soft hyphen 0xAD stay ignored entirely.
  }

  const CharInfo& operator[](unsigned char c) const { return table_[c]; }

private:
  void SetSpecial(int c, uint8_t weight) { table_[c] = CharInfo{CharKind::Special, weight, 0, {}}; }
  void SetWeighted(int c, Element e) { table_[c] = CharInfo{CharKind::Weighted, 0, 1, {e, {}}}; }
  uint16_t Primary(char c) const {
    return table_[static_cast<unsigned char>(c)].elements[0].primary;
  }
  void Mark(std::initializer_list<int> chars, char base, uint8_t diacritic) {
    for (const int c : chars)
      SetWeighted(c, {Primary(base), diacritic});
  }
  void Ligature(std::initializer_list<int> chars, char first, char second) {
    for (const int c : chars)
      table_[c] =
          CharInfo{CharKind::Weighted, 0, 2, {{Primary(first), kNone}, {Primary(second), kNone}}};
  }

  std::array<CharInfo, 256> table_{};
  uint16_t next_ = 1;
};

const CollationTable& Table() {
  static const CollationTable table;
  return table;
}

struct SpecialMark {
  uint32_t position; // elements before the character
  uint8_t weight;
};

struct SortKey {
  std::vector<uint16_t> primary;
  std::vector<uint8_t> diacritic;
  std::vector<SpecialMark> special;
};

void BuildKey(std::string_view text, SortKey& key) {
  const CollationTable& table = Table();
  key.primary.clear();
  key.diacritic.clear();
  key.special.clear();
  for (const char ch : text) {
    const CharInfo& info = table[static_cast<unsigned char>(ch)];
    switch (info.kind) {
    case CharKind::Ignored:
      break;
    case CharKind::Special:
      key.special.push_back({static_cast<uint32_t>(key.primary.size()), info.special});
      break;
    case CharKind::Weighted:
      for (int i = 0; i < info.count; ++i) {
        key.primary.push_back(info.elements[i].primary);
        key.diacritic.push_back(info.elements[i].diacritic);
      }
      break;
    }
  }
}

template <class T>
int CompareSequences(const std::vector<T>& a, const std::vector<T>& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i])
      return a[i] < b[i] ? -1 : 1;
  if (a.size() != b.size())
    return a.size() < b.size() ? -1 : 1;
  return 0;
}

// A tie-break character earlier in the text weighs more; at the same place the weight decides.
int CompareSpecials(const std::vector<SpecialMark>& a, const std::vector<SpecialMark>& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    if (a[i].position != b[i].position)
      return a[i].position < b[i].position ? 1 : -1;
    if (a[i].weight != b[i].weight)
      return a[i].weight < b[i].weight ? -1 : 1;
  }
  if (a.size() != b.size())
    return a.size() < b.size() ? -1 : 1;
  return 0;
}

// The primary weights of a text one by one, without building its sort key.
class PrimaryWeights {
public:
  explicit PrimaryWeights(std::string_view text) : text_(text) {}

  bool Next(uint16_t& weight) {
    if (hasPending_) {
      weight = pending_;
      hasPending_ = false;
      return true;
    }
    const CollationTable& table = Table();
    while (position_ < text_.size()) {
      const CharInfo& info = table[static_cast<unsigned char>(text_[position_++])];
      if (info.kind != CharKind::Weighted)
        continue;
      weight = info.elements[0].primary;
      if (info.count == 2) {
        pending_ = info.elements[1].primary;
        hasPending_ = true;
      }
      return true;
    }
    return false;
  }

private:
  std::string_view text_;
  size_t position_ = 0;
  uint16_t pending_ = 0; // the second weight of a ligature
  bool hasPending_ = false;
};

// The primary level alone decides most comparisons; sorted lists of thousands of rows make
// this the hot path, so it runs without allocating.
int ComparePrimary(std::string_view a, std::string_view b) {
  PrimaryWeights weightsA(a);
  PrimaryWeights weightsB(b);
  for (;;) {
    uint16_t wa = 0;
    uint16_t wb = 0;
    const bool hasA = weightsA.Next(wa);
    const bool hasB = weightsB.Next(wb);
    if (!hasA || !hasB)
      return hasA == hasB ? 0 : (hasA ? 1 : -1);
    if (wa != wb)
      return wa < wb ? -1 : 1;
  }
}

} // namespace

int PortableCollation::Compare(std::string_view a, std::string_view b) const {
  if (const int r = ComparePrimary(a, b))
    return r;
  thread_local SortKey keyA;
  thread_local SortKey keyB;
  BuildKey(a, keyA);
  BuildKey(b, keyB);
  if (const int r = CompareSequences(keyA.diacritic, keyB.diacritic))
    return r;
  return CompareSpecials(keyA.special, keyB.special);
}

int CompareText(std::string_view a, std::string_view b) {
  static const PortableCollation portable;
  if (Seam<Collation>::Installed())
    return Seam<Collation>::Get().Compare(a, b);
  return portable.Compare(a, b);
}

} // namespace tw
