#include "lzhuf_encoder.h"

#include <algorithm>
#include <array>

#include "runtime/little_endian.h"
#include "skin/model/lzh.h"

namespace tw::skinpack {

namespace {

using namespace tw::lzhuf;

class BitSink {
public:
  void Put(bool bit) {
    buffer_ = static_cast<std::uint8_t>((buffer_ << 1) | (bit ? 1 : 0));
    if (++count_ == 8) {
      out_.push_back(buffer_);
      buffer_ = 0;
      count_ = 0;
    }
  }
  void PutBits(unsigned value, int length) {
    for (int i = length - 1; i >= 0; --i)
      Put(((value >> i) & 1u) != 0);
  }
  std::vector<std::uint8_t> Finish() {
    while (count_ != 0)
      Put(false);
    return std::move(out_);
  }

private:
  std::vector<std::uint8_t> out_;
  std::uint8_t buffer_ = 0;
  int count_ = 0;
};

void EncodeChar(AdaptiveTree& tree, BitSink& sink, int c) {
  // Walk from the leaf to the root; the odd member of a sibling pair is the 1 branch.
  std::array<bool, kTreeSize> path{};
  int depth = 0;
  int k = tree.parent[c + kTreeSize];
  do {
    path[depth++] = (k & 1) != 0;
    k = tree.parent[k];
  } while (k != kRoot);
  while (depth > 0)
    sink.Put(path[--depth]);
  tree.Update(c);
}

void EncodePosition(BitSink& sink, int position) {
  const int high = position >> 6;
  sink.PutBits(kPositionCodes.encodeCode[high] >> (8 - kPositionCodes.encodeLength[high]),
               kPositionCodes.encodeLength[high]);
  sink.PutBits(static_cast<unsigned>(position & 0x3F), 6);
}

// Stays inside the decoder's ring: a match may reach back at most this far.
constexpr int kMaxDistance = kRingSize - kLookAhead;
constexpr int kMaxMatch = kLookAhead;
constexpr int kMinMatch = kThreshold + 1;
constexpr int kHashBits = 15;
constexpr int kMaxChain = 256;

unsigned Hash3(const std::uint8_t* p) {
  return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & ((1u << kHashBits) - 1);
}

} // namespace

std::vector<std::uint8_t> EncodeLzhuf(std::span<const std::uint8_t> input) {
  BitSink sink;
  if (input.empty())
    return sink.Finish();

  AdaptiveTree tree;
  const int size = static_cast<int>(input.size());
  const std::uint8_t* data = input.data();
  std::vector<int> head(std::size_t{1} << kHashBits, -1);
  std::vector<int> previous(input.size(), -1);
  auto insert = [&](int at) {
    if (at + kMinMatch > size)
      return;
    const unsigned h = Hash3(data + at);
    previous[at] = head[h];
    head[h] = at;
  };

  int pos = 0;
  while (pos < size) {
    int bestLength = 0;
    int bestDistance = 0;
    if (pos + kMinMatch <= size) {
      const int limit = std::min(kMaxMatch, size - pos);
      int candidate = head[Hash3(data + pos)];
      for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
        const int distance = pos - candidate;
        if (distance > kMaxDistance)
          break;
        int length = 0;
        while (length < limit && data[candidate + length] == data[pos + length])
          ++length;
        if (length > bestLength) {
          bestLength = length;
          bestDistance = distance;
          if (length == limit)
            break;
        }
        candidate = previous[candidate];
      }
    }
    if (bestLength >= kMinMatch) {
      EncodeChar(tree, sink, 255 - kThreshold + bestLength);
      EncodePosition(sink, bestDistance - 1);
      for (int k = 0; k < bestLength; ++k)
        insert(pos + k);
      pos += bestLength;
    } else {
      EncodeChar(tree, sink, data[pos]);
      insert(pos);
      ++pos;
    }
  }
  return sink.Finish();
}

namespace {

using le::PutU32;

} // namespace

std::vector<std::uint8_t> BuildArchive(const std::vector<ArchiveEntry>& entries) {
  constexpr std::uint32_t kVersion = 70000;
  constexpr std::size_t kVersionBlock = 69;
  std::string names;
  for (const ArchiveEntry& entry : entries)
    names += entry.name + "\r\n";

  std::vector<std::uint8_t> out;
  PutU32(out, kVersion);
  PutU32(out, static_cast<std::uint32_t>(names.size()));
  out.insert(out.end(), 8 + kVersionBlock, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const ArchiveEntry& entry : entries)
    PutU32(out, static_cast<std::uint32_t>(entry.bytes.size()));
  for (const ArchiveEntry& entry : entries)
    out.insert(out.end(), entry.bytes.begin(), entry.bytes.end());
  return out;
}

std::vector<std::uint8_t> CompressArchive(std::span<const std::uint8_t> archive) {
  std::vector<std::uint8_t> out;
  PutU32(out, static_cast<std::uint32_t>(archive.size()));
  const std::vector<std::uint8_t> stream = EncodeLzhuf(archive);
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

} // namespace tw::skinpack
