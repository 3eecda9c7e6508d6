#include <gtest/gtest.h>

#include <random>

#include "lzhuf_encoder.h"
#include "runtime/exceptions.h"
#include "skin/model/lzh.h"

namespace tw {
namespace {

std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& stream, std::uint32_t length) {
  TMemoryStream source(stream);
  TMemoryStream out;
  TLZH().Unpack(source, out, length);
  return out.Bytes();
}

void ExpectRoundTrip(const std::vector<std::uint8_t>& input) {
  const std::vector<std::uint8_t> stream = skinpack::EncodeLzhuf(input);
  EXPECT_EQ(Decode(stream, static_cast<std::uint32_t>(input.size())), input);
}

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> v(n);
  for (auto& b : v)
    b = static_cast<std::uint8_t>(rng());
  return v;
}

TEST(LzhufTest, PositionCodesCoverEveryByte) {
  const auto& codes = lzhuf::kPositionCodes;
  EXPECT_EQ(codes.encodeCode[0], 0x00);
  EXPECT_EQ(codes.encodeCode[1], 0x20);
  EXPECT_EQ(codes.encodeCode[4], 0x50);
  EXPECT_EQ(codes.encodeCode[12], 0x90);
  EXPECT_EQ(codes.encodeCode[24], 0xC0);
  EXPECT_EQ(codes.encodeCode[48], 0xF0);
  EXPECT_EQ(codes.encodeCode[63], 0xFF);
  EXPECT_EQ(codes.decodeCode[0x1F], 0);
  EXPECT_EQ(codes.decodeLength[0x1F], 3);
  EXPECT_EQ(codes.decodeCode[0xFF], 63);
  EXPECT_EQ(codes.decodeLength[0xFF], 8);
}

TEST(LzhufTest, EmptyInputDecodesToNothing) {
  EXPECT_TRUE(skinpack::EncodeLzhuf({}).empty());
  EXPECT_TRUE(Decode({}, 0).empty());
}

TEST(LzhufTest, OneByteRoundTrips) {
  ExpectRoundTrip({0x41});
}

TEST(LzhufTest, RepetitiveInputRoundTripsAndShrinks) {
  std::vector<std::uint8_t> input(100000, 'a');
  for (std::size_t i = 0; i < input.size(); i += 7)
    input[i] = 'b';
  const auto stream = skinpack::EncodeLzhuf(input);
  EXPECT_LT(stream.size(), input.size() / 10);
  ExpectRoundTrip(input);
}

TEST(LzhufTest, RandomInputRoundTrips) {
  ExpectRoundTrip(RandomBytes(20000, 7));
}

TEST(LzhufTest, OneMegabyteRoundTripsThroughTreeRebuilds) {
  // Mixed text-like data: long enough for the root count to saturate many times.
  std::vector<std::uint8_t> input;
  std::mt19937 rng(11);
  const std::string words[] = {"HKEY_CURRENT_USER", "Software", "Microsoft", "RunMRU", "=", "\r\n"};
  while (input.size() < (1u << 20)) {
    if (rng() % 4 == 0) {
      input.push_back(static_cast<std::uint8_t>(rng()));
    } else {
      const std::string& w = words[rng() % 6];
      input.insert(input.end(), w.begin(), w.end());
    }
  }
  input.resize(1u << 20);
  ExpectRoundTrip(input);
}

// Streams worked out by hand from the initial tree, not made by our encoder. The tree starts
// with leaf positions 0..313 holding symbols 0..313 and internal nodes pairing (0,1), (2,3) ...
// upwards, so eight 0 bits walk root 624 620 612 596 564 500 372 116: symbol 116, "t"; the bits
// 11000101 walk 625 623 618 608 588 549 470 313: symbol 313, a match of 60 bytes. A match's
// position byte 0x00 has one more bit to come, and 0 there means "the byte before".
// Updating "t" swaps its leaf (116) with the last leaf of the same count (313), so afterwards
// the 0 path reaches the match and 11000101 reaches "t".
std::string Text(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(LzhufKnownStreams, ALiteralRun) {
  EXPECT_EQ(Text(Decode({0x00}, 1)), "t");
  EXPECT_EQ(Text(Decode({0x00, 0xC5}, 2)), "tt");
}

TEST(LzhufKnownStreams, BackReferences) {
  // The first symbol a match: it copies the byte before the write position, the ring's blank.
  EXPECT_EQ(Text(Decode({0xC5, 0x00, 0x00}, 60)), std::string(60, ' '));
  // "t", then a 60-byte match of distance 1 repeating it: an overlapping copy.
  EXPECT_EQ(Text(Decode({0x00, 0x00, 0x00, 0x00}, 61)), std::string(61, 't'));
}

TEST(LzhufKnownStreams, TheCountIsTestedOnlyBeforeEachSymbol) {
  EXPECT_EQ(Text(Decode({0x00, 0x00, 0x00, 0x00}, 1)), "t");
  EXPECT_EQ(Text(Decode({0x00, 0x00, 0x00, 0x00}, 2)), std::string(61, 't'))
      << "a match crossing the declared length is written in full";
}

TEST(LzhufTest, InitialRingOfSpacesServesMatches) {
  // A stream whose first symbol is a match copies from the space-filled ring.
  // Symbol 256 (length 3) under the initial tree, position 0: copies ring[4035] = ' '.
  std::vector<std::uint8_t> input(200, ' ');
  ExpectRoundTrip(input);
}

TEST(LzhufTest, MatchCrossingTheDeclaredLengthIsWrittenInFull) {
  const std::vector<std::uint8_t> input(60 * 20, 'x');
  const auto stream = skinpack::EncodeLzhuf(input);
  // Ask for one byte past the first literal: the following 60-byte match is still written.
  const auto out = Decode(stream, 2);
  EXPECT_GT(out.size(), 2u);
  EXPECT_LE(out.size(), 2u + 59u);
  for (const std::uint8_t b : out)
    EXPECT_EQ(b, 'x');
}

TEST(LzhufTest, ReadingPastTheEndYieldsZeroBytesAndTheFullLength) {
  const std::vector<std::uint8_t> input = RandomBytes(5000, 3);
  auto stream = skinpack::EncodeLzhuf(input);
  stream.resize(stream.size() / 2);
  const auto out = Decode(stream, 5000);
  ASSERT_GE(out.size(), 5000u);
  EXPECT_LE(out.size(), 5000u + 59u);
  // The decoded prefix matches until the stream ran out.
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + 1000, input.begin()));
}

TEST(LzhufTest, EmptySourceStillProducesDeclaredLength) {
  const auto out = Decode({}, 1234);
  EXPECT_GE(out.size(), 1234u);
  EXPECT_LE(out.size(), 1234u + 59u);
}

TEST(LzhufTest, DecodingStartsAtTheSourcePosition) {
  const std::vector<std::uint8_t> input = {'s', 'k', 'i', 'n'};
  std::vector<std::uint8_t> stream = {0xAA, 0xBB};
  const auto encoded = skinpack::EncodeLzhuf(input);
  stream.insert(stream.end(), encoded.begin(), encoded.end());
  TMemoryStream source(stream);
  source.SetPosition(2);
  TMemoryStream out;
  TLZH().Unpack(source, out, 4);
  EXPECT_EQ(out.Bytes(), input);
}

} // namespace
} // namespace tw
