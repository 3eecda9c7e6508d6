#include "skin/model/lzh.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "runtime/exceptions.h"

namespace tw {

namespace lzhuf {

void AdaptiveTree::Start() {
  for (int i = 0; i < kCharCount; ++i) {
    freq[i] = 1;
    child[i] = static_cast<std::uint16_t>(i + kTreeSize);
    parent[i + kTreeSize] = static_cast<std::uint16_t>(i);
  }
  int i = 0;
  for (int j = kCharCount; j <= kRoot; ++j, i += 2) {
    freq[j] = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
    child[j] = static_cast<std::uint16_t>(i);
    parent[i] = parent[i + 1] = static_cast<std::uint16_t>(j);
  }
  freq[kTreeSize] = 0xFFFF; // sentinel that stops the upward searches
  parent[kRoot] = 0;
}

void AdaptiveTree::Rebuild() {
  // Collect the leaves in the lower half, halving their counts (rounding up).
  int j = 0;
  for (int i = 0; i < kTreeSize; ++i) {
    if (child[i] >= kTreeSize) {
      freq[j] = static_cast<std::uint16_t>((freq[i] + 1) / 2);
      child[j] = child[i];
      ++j;
    }
  }
  // Rebuild the internal nodes, keeping the list sorted by frequency.
  for (int i = 0, k = kCharCount; k < kTreeSize; i += 2, ++k) {
    const std::uint16_t f = static_cast<std::uint16_t>(freq[i] + freq[i + 1]);
    int at = k - 1;
    while (f < freq[at])
      --at;
    ++at;
    std::memmove(&freq[at + 1], &freq[at], sizeof(freq[0]) * (k - at));
    freq[at] = f;
    std::memmove(&child[at + 1], &child[at], sizeof(child[0]) * (k - at));
    child[at] = static_cast<std::uint16_t>(i);
  }
  for (int i = 0; i < kTreeSize; ++i) {
    const int k = child[i];
    if (k >= kTreeSize)
      parent[k] = static_cast<std::uint16_t>(i);
    else
      parent[k] = parent[k + 1] = static_cast<std::uint16_t>(i);
  }
}

void AdaptiveTree::Update(int c) {
  if (freq[kRoot] == kMaxFrequency)
    Rebuild();
  c = parent[c + kTreeSize];
  do {
    const std::uint16_t k = ++freq[c];
    int l = c + 1;
    if (k > freq[l]) {
      // Swap the node with the last one of lower frequency so the list stays ordered.
      while (k > freq[++l]) {
      }
      --l;
      freq[c] = freq[l];
      freq[l] = k;

      const int i = child[c];
      parent[i] = static_cast<std::uint16_t>(l);
      if (i < kTreeSize)
        parent[i + 1] = static_cast<std::uint16_t>(l);

      const int j = child[l];
      child[l] = static_cast<std::uint16_t>(i);
      parent[j] = static_cast<std::uint16_t>(c);
      if (j < kTreeSize)
        parent[j + 1] = static_cast<std::uint16_t>(c);
      child[c] = static_cast<std::uint16_t>(j);
      c = l;
    }
    c = parent[c];
  } while (c != 0);
}

} // namespace lzhuf

namespace {

using namespace lzhuf;

// Decoder state: 16-bit bit buffer filled a byte at a time, most significant bit first.
class BitSource {
public:
  BitSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  int GetBit() {
    Fill();
    const int bit = (buffer_ >> 15) & 1;
    buffer_ = static_cast<std::uint16_t>(buffer_ << 1);
    --count_;
    return bit;
  }

  int GetByte() {
    Fill();
    const int value = buffer_ >> 8;
    buffer_ = static_cast<std::uint16_t>(buffer_ << 8);
    count_ = static_cast<std::uint8_t>(count_ - 8);
    return value;
  }

  std::size_t Consumed() const { return next_; }

private:
  void Fill() {
    while (count_ <= 8) {
      const unsigned byte = next_ < size_ ? data_[next_] : 0u; // past the end: zeros
      ++next_;
      buffer_ = static_cast<std::uint16_t>(buffer_ | (byte << (8 - count_)));
      count_ = static_cast<std::uint8_t>(count_ + 8);
    }
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;
  std::uint16_t buffer_ = 0;
  std::uint8_t count_ = 0;
};

struct DecoderTables {
  AdaptiveTree tree;
  std::array<std::uint8_t, kRingSize + kLookAhead - 1> ring{};
};

} // namespace

void TLZH::Unpack(TMemoryStream& source, TMemoryStream& destination, std::uint32_t outputLength) {
  if (outputLength == 0)
    return;
  std::unique_ptr<DecoderTables> tables(new (std::nothrow) DecoderTables);
  if (!tables)
    throw ElzhException("LZH : Cannot get memory for dictionary tables");

  const std::size_t start = source.Position();
  const std::uint8_t* input = source.Bytes().data() + std::min(start, source.Size());
  BitSource bits(input, source.Remaining());

  AdaptiveTree& tree = tables->tree;
  std::uint8_t* ring = tables->ring.data();
  std::fill_n(ring, kRingSize - kLookAhead, static_cast<std::uint8_t>(' '));
  int r = kRingSize - kLookAhead;

  // Decode into a local buffer and hand it over in one write; a final match may overrun the
  // declared length by up to 59 bytes.
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(outputLength) + kLookAhead);
  std::size_t count = 0;
  while (count < outputLength) {
    int c = tree.child[kRoot];
    while (c < kTreeSize)
      c = tree.child[c + bits.GetBit()];
    c -= kTreeSize;
    tree.Update(c);

    if (c < 256) {
      out.push_back(static_cast<std::uint8_t>(c));
      ring[r] = static_cast<std::uint8_t>(c);
      r = (r + 1) & (kRingSize - 1);
      ++count;
      continue;
    }

    int i = bits.GetByte();
    const int high = kPositionCodes.decodeCode[i] << 6;
    for (int extra = kPositionCodes.decodeLength[i] - 2; extra > 0; --extra)
      i = (i << 1) + bits.GetBit();
    const int position = high | (i & 0x3F);

    const int from = (r - position - 1) & (kRingSize - 1);
    const int length = c - 255 + kThreshold;
    for (int k = 0; k < length; ++k) {
      const std::uint8_t byte = ring[(from + k) & (kRingSize - 1)];
      out.push_back(byte);
      ring[r] = byte;
      r = (r + 1) & (kRingSize - 1);
    }
    count += static_cast<std::size_t>(length);
  }
  source.SetPosition(start +
                     std::min(bits.Consumed(), source.Size() - std::min(start, source.Size())));
  destination.Write(out.data(), out.size());
}

} // namespace tw
