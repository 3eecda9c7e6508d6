#pragma once
// TSkinReader: opens a skin file image (the u32 decompressed length and the LZHUF stream),
// checks its format version and splits the decompressed archive into named entries.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/strings.h"
#include "skin/model/memory_stream.h"

namespace tw {

inline constexpr int kMaxSkinEntries = 1001;
// Declared archive lengths above this are damage, not skins.
inline constexpr std::uint32_t kMaxSkinArchiveLength = 64u * 1024 * 1024;

inline constexpr const char* kOlderSkinMessage =
    "This is Older Skin File\rPlease update to new version !";

// Bytes of the version block that each known format version carries after the header; 0 for
// an unknown version (-1 is returned then).
int SkinVersionBlockSize(std::uint32_t version);

class TSkinReader {
public:
  // Loads a skin file image from the start of the stream. False when the version is unknown
  // (the user is told the skin is too old) or the archive is damaged: a name list over 1001
  // entries, negative sizes, sizes or a name list past the data, or an absurd declared length.
  bool LoadSkin(TMemoryStream& archive);

  // The entry's bytes, rewound; empty when no entry has that name (compared lowercased).
  void ExtractEntry(std::string_view name, TMemoryStream& output) const;
  // The first entry whose lowercased name contains the fragment; entryName receives its full
  // name and stays unchanged when nothing matches.
  void ExtractEntryLike(std::string_view fragment, TMemoryStream& output,
                        std::string& entryName) const;

  const TStringList& Names() const { return names_; }
  int Count() const { return count_; }
  const std::vector<std::int32_t>& Sizes() const { return sizes_; }
  const TMemoryStream& Data() const { return data_; }
  std::uint32_t Version() const { return version_; }
  std::int32_t NameListLength() const { return nameListLength_; }

private:
  void CopyEntry(int index, TMemoryStream& output) const;
  void Reset();

  TStringList names_;
  int count_ = 0;
  std::vector<std::int32_t> sizes_;
  std::vector<std::size_t> offsets_;
  TMemoryStream data_;
  std::uint32_t version_ = 0;
  std::int32_t nameListLength_ = 0;
};

} // namespace tw
