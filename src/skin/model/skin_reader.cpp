#include "skin/model/skin_reader.h"

#include "runtime/ansi_text.h"
#include "runtime/little_endian.h"
#include "runtime/seam.h"
#include "skin/model/lzh.h"
#include "skin/model/skin_platform.h"

namespace tw {

namespace {

constexpr std::size_t kHeaderSize = 16;

std::uint32_t ReadU32(TMemoryStream& stream) {
  std::uint8_t bytes[4] = {}; // missing bytes read as zero
  stream.Read(bytes, 4);
  return le::U32(bytes);
}

// CR, LF and CR LF end a line; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
      start = i + 1;
    }
    ++i;
  }
  if (start < text.size())
    lines.emplace_back(text.substr(start));
  return lines;
}

} // namespace

int SkinVersionBlockSize(std::uint32_t version) {
  switch (version) {
  case 20000:
    return 0;
  case 30000:
    return 256;
  case 40000:
    return 80;
  case 50000:
    return 48;
  case 60000:
    return 117;
  case 70000:
    return 69;
  default:
    return -1;
  }
}

void TSkinReader::Reset() {
  names_.Clear();
  count_ = 0;
  sizes_.clear();
  offsets_.clear();
  data_.Clear();
  version_ = 0;
  nameListLength_ = 0;
}

bool TSkinReader::LoadSkin(TMemoryStream& archive) {
  Reset();
  archive.Rewind();
  TMemoryStream unpacked;
  const std::uint32_t length = ReadU32(archive);
  if (length > kMaxSkinArchiveLength)
    return false;
  TLZH().Unpack(archive, unpacked, length);

  unpacked.Rewind();
  version_ = ReadU32(unpacked);
  nameListLength_ = static_cast<std::int32_t>(ReadU32(unpacked));
  unpacked.SetPosition(kHeaderSize);

  const int blockSize = SkinVersionBlockSize(version_);
  if (blockSize < 0) {
    Seam<SkinPlatform>::Get().ShowMessage(kOlderSkinMessage);
    return false;
  }
  const std::size_t namesAt = kHeaderSize + static_cast<std::size_t>(blockSize);
  if (nameListLength_ < 0 || namesAt > unpacked.Size() ||
      static_cast<std::size_t>(nameListLength_) > unpacked.Size() - namesAt)
    return false;

  unpacked.SetPosition(namesAt);
  std::string nameList(static_cast<std::size_t>(nameListLength_), '\0');
  unpacked.Read(nameList.data(), nameList.size());
  const std::vector<std::string> lines = SplitLines(AsciiLowerCase(nameList));
  if (lines.size() > static_cast<std::size_t>(kMaxSkinEntries))
    return false;
  const std::size_t count = lines.size();
  if (unpacked.Remaining() < 4 * count)
    return false;

  std::vector<std::int32_t> sizes(count);
  std::vector<std::size_t> offsets(count);
  std::size_t total = 0;
  for (std::size_t i = 0; i < count; ++i) {
    sizes[i] = static_cast<std::int32_t>(ReadU32(unpacked));
    if (sizes[i] < 0)
      return false;
    offsets[i] = total;
    total += static_cast<std::size_t>(sizes[i]);
  }
  if (total > unpacked.Remaining())
    return false;

  names_.Assign(lines);
  count_ = static_cast<int>(count);
  sizes_ = std::move(sizes);
  offsets_ = std::move(offsets);
  data_.CopyFrom(unpacked, unpacked.Remaining());
  data_.Rewind();
  return true;
}

void TSkinReader::CopyEntry(int index, TMemoryStream& output) const {
  const auto bytes = data_.View().subspan(offsets_[index], static_cast<std::size_t>(sizes_[index]));
  output.Write(bytes.data(), bytes.size());
  output.Rewind();
}

void TSkinReader::ExtractEntry(std::string_view name, TMemoryStream& output) const {
  output.Clear();
  const std::string wanted = AsciiLowerCase(name);
  for (int i = 0; i < count_; ++i) {
    if (names_[i] == wanted) {
      CopyEntry(i, output);
      return;
    }
  }
}

void TSkinReader::ExtractEntryLike(std::string_view fragment, TMemoryStream& output,
                                   std::string& entryName) const {
  output.Clear();
  for (int i = 0; i < count_; ++i) {
    if (names_[i].find(fragment) != std::string::npos) {
      CopyEntry(i, output);
      entryName = names_[i];
      return;
    }
  }
}

} // namespace tw
