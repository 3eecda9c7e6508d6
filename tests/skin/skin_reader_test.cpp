#include <numeric>

#include "skin/model/embedded_skin.h"
#include "skin/model/skin_reader.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

using skinpack::ArchiveEntry;

class SkinReaderTest : public SkinTest {
protected:
  bool Load(const std::vector<std::uint8_t>& skinFile) {
    TMemoryStream stream(skinFile);
    return reader.LoadSkin(stream);
  }
  std::string Entry(std::string_view name) {
    TMemoryStream out;
    reader.ExtractEntry(name, out);
    return std::string(out.Bytes().begin(), out.Bytes().end());
  }

  TSkinReader reader;
};

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// An uncompressed archive with an arbitrary version, name list and size table.
std::vector<std::uint8_t> RawArchive(std::uint32_t version, const std::string& names,
                                     const std::vector<std::int32_t>& sizes,
                                     const std::string& data) {
  std::vector<std::uint8_t> out;
  PutU32(out, version);
  PutU32(out, static_cast<std::uint32_t>(names.size()));
  out.insert(out.end(), 8, 0);
  const int block = SkinVersionBlockSize(version);
  out.insert(out.end(), static_cast<std::size_t>(block < 0 ? 0 : block), 0);
  out.insert(out.end(), names.begin(), names.end());
  for (const std::int32_t s : sizes)
    PutU32(out, static_cast<std::uint32_t>(s));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

TEST_F(SkinReaderTest, EmbeddedArchiveHasVersionNamesAndExactSizes) {
  const auto envelope = EmbeddedSkinStream();
  ASSERT_GT(envelope.size(), 4u);
  const std::int32_t n = static_cast<std::int32_t>(envelope[0] | (envelope[1] << 8) |
                                                   (envelope[2] << 16) | (envelope[3] << 24));
  EXPECT_EQ(static_cast<std::size_t>(n), envelope.size() - 4);
  const std::vector<std::uint8_t> skinFile(envelope.begin() + 4, envelope.end());
  ASSERT_TRUE(Load(skinFile));
  EXPECT_EQ(reader.Version(), 70000u);
  EXPECT_EQ(reader.Count(), 39);
  const std::int64_t total =
      std::accumulate(reader.Sizes().begin(), reader.Sizes().end(), std::int64_t{0});
  EXPECT_EQ(static_cast<std::size_t>(total), reader.Data().Size());

  const std::uint32_t length = skinFile[0] | (skinFile[1] << 8) | (skinFile[2] << 16) |
                               (static_cast<std::uint32_t>(skinFile[3]) << 24);
  EXPECT_EQ(85u + static_cast<std::uint32_t>(reader.NameListLength()) + 4u * 39u + total, length);

  int bitmaps = 0;
  int inis = 0;
  for (int i = 0; i < reader.Count(); ++i) {
    const std::string& name = reader.Names()[i];
    if (name.ends_with(".bmp")) {
      ++bitmaps;
      EXPECT_EQ(Entry(name).substr(0, 2), "BM") << name;
    }
    if (name.ends_with(".ini"))
      ++inis;
  }
  EXPECT_EQ(bitmaps, 38);
  EXPECT_EQ(inis, 1);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SkinReaderTest, NamesAreLowercasedAndLookupIgnoresCase) {
  ASSERT_TRUE(Load(SkinFileOf({{"Skin.INI", Bytes("[a]")}, {"Close.BMP", Bytes("xyz")}})));
  EXPECT_EQ(reader.Names()[0], "skin.ini");
  EXPECT_EQ(reader.Names()[1], "close.bmp");
  EXPECT_EQ(Entry("CLOSE.bmp"), "xyz");
  EXPECT_EQ(Entry("close.bmp"), "xyz");
}

TEST_F(SkinReaderTest, DuplicateNamesFirstWins) {
  ASSERT_TRUE(Load(SkinFileOf({{"a.bmp", Bytes("first")}, {"A.bmp", Bytes("second")}})));
  EXPECT_EQ(reader.Count(), 2);
  EXPECT_EQ(Entry("a.bmp"), "first");
}

TEST_F(SkinReaderTest, EmptyNameLineCountsAsAnEntry) {
  ASSERT_TRUE(
      Load(SkinFileOf({{"a.bmp", Bytes("aa")}, {"", Bytes("bbb")}, {"c.bmp", Bytes("c")}})));
  EXPECT_EQ(reader.Count(), 3);
  EXPECT_EQ(reader.Names()[1], "");
  EXPECT_EQ(Entry(""), "bbb");
  EXPECT_EQ(Entry("c.bmp"), "c");
}

TEST_F(SkinReaderTest, LineEndsOfEveryKindSplitNames) {
  const auto archive = RawArchive(70000, "a\rb\nc\r\nd", {1, 1, 1, 1}, "wxyz");
  ASSERT_TRUE(Load(CompressRaw(archive)));
  EXPECT_EQ(reader.Count(), 4);
  EXPECT_EQ(Entry("d"), "z");
}

TEST_F(SkinReaderTest, MissingEntryGivesEmptyOutput) {
  ASSERT_TRUE(Load(SkinFileOf({{"a.bmp", Bytes("aa")}})));
  TMemoryStream out(Bytes("stale"));
  reader.ExtractEntry("nope.bmp", out);
  EXPECT_EQ(out.Size(), 0u);
}

TEST_F(SkinReaderTest, ExtractEntryLikeFindsFirstContainingName) {
  ASSERT_TRUE(
      Load(SkinFileOf({{"x.bmp", Bytes("b")}, {"Look.ini", Bytes("i1")}, {"b.ini", Bytes("i2")}})));
  TMemoryStream out;
  std::string name = "unchanged";
  reader.ExtractEntryLike(".ini", out, name);
  EXPECT_EQ(name, "look.ini");
  EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), "i1");
  EXPECT_EQ(out.Position(), 0u);

  std::string other = "unchanged";
  reader.ExtractEntryLike(".INI", out, other); // fragments are matched as given
  EXPECT_EQ(other, "unchanged");
  EXPECT_EQ(out.Size(), 0u);
}

TEST_F(SkinReaderTest, EveryListedVersionSkipsItsBlock) {
  for (const std::uint32_t version : {20000u, 30000u, 40000u, 50000u, 60000u, 70000u}) {
    const auto archive = RawArchive(version, "one.bmp\r\ntwo.bmp\r\n", {3, 2}, "abcde");
    ASSERT_TRUE(Load(CompressRaw(archive))) << version;
    EXPECT_EQ(Entry("one.bmp"), "abc") << version;
    EXPECT_EQ(Entry("two.bmp"), "de") << version;
  }
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SkinReaderTest, UnlistedVersionShowsOlderSkinMessage) {
  EXPECT_FALSE(Load(CompressRaw(RawArchive(10000, "a\r\n", {1}, "x"))));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], "This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(reader.Count(), 0);
}

TEST_F(SkinReaderTest, DeclaredLengthZeroFailsTheVersionTest) {
  EXPECT_FALSE(Load({0, 0, 0, 0}));
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(SkinReaderTest, MoreThan1001NamesAreRejected) {
  std::string names;
  for (int i = 0; i < 1002; ++i)
    names += "n\r\n";
  const auto archive = RawArchive(70000, names, std::vector<std::int32_t>(1002, 0), "");
  EXPECT_FALSE(Load(CompressRaw(archive)));
  std::string ok;
  for (int i = 0; i < 1001; ++i)
    ok += "n\r\n";
  EXPECT_TRUE(Load(CompressRaw(RawArchive(70000, ok, std::vector<std::int32_t>(1001, 0), ""))));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SkinReaderTest, NegativeSizesAreRejected) {
  EXPECT_FALSE(Load(CompressRaw(RawArchive(70000, "a\r\nb\r\n", {-1, 2}, "xx"))));
}

TEST_F(SkinReaderTest, SizesPastTheDataAreRejected) {
  EXPECT_FALSE(Load(CompressRaw(RawArchive(70000, "a\r\nb\r\n", {1, 5}, "xx"))));
  EXPECT_FALSE(Load(CompressRaw(RawArchive(70000, "a\r\n", {0x7FFFFFFF}, "x"))));
}

TEST_F(SkinReaderTest, NameListPastTheDataIsRejected) {
  auto archive = RawArchive(70000, "a\r\n", {1}, "x");
  archive[4] = 0xFF; // M far beyond the archive
  archive[5] = 0xFF;
  EXPECT_FALSE(Load(CompressRaw(archive)));
  archive[7] = 0x80; // negative M
  EXPECT_FALSE(Load(CompressRaw(archive)));
}

TEST_F(SkinReaderTest, AbsurdDeclaredLengthIsRejectedWithoutDecoding) {
  std::vector<std::uint8_t> skinFile = {0x01, 0x00, 0x00, 0x05}; // 80 MB
  EXPECT_FALSE(Load(skinFile));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SkinReaderTest, TruncatedStreamStillLoadsWhatItDeclares) {
  // The directory lies at the start of the archive, where the stream is intact; the missing
  // tail reads as zero bits, so the entry keeps its declared size with damaged last bytes.
  const std::string text = "[Form]\r\nCaption=" + std::string(400, 'q') + "\r\n";
  auto skinFile = SkinFileOf({{"a.ini", Bytes(text)}, {"b.bmp", Bytes("BM0123456789")}});
  skinFile.resize(skinFile.size() - 3);
  ASSERT_TRUE(Load(skinFile));
  ASSERT_EQ(reader.Count(), 2);
  EXPECT_EQ(reader.Names()[0], "a.ini");
  EXPECT_EQ(reader.Names()[1], "b.bmp");
  const std::string entry = Entry("a.ini");
  ASSERT_EQ(entry.size(), text.size());
  EXPECT_EQ(entry.substr(0, 100), text.substr(0, 100));
  EXPECT_EQ(Entry("b.bmp").size(), 12u);
}

TEST_F(SkinReaderTest, ReloadReplacesThePreviousArchive) {
  ASSERT_TRUE(Load(SkinFileOf({{"a.bmp", Bytes("1")}, {"b.bmp", Bytes("2")}})));
  ASSERT_TRUE(Load(SkinFileOf({{"c.bmp", Bytes("3")}})));
  EXPECT_EQ(reader.Count(), 1);
  EXPECT_EQ(Entry("a.bmp"), "");
}

} // namespace
} // namespace tw::test
