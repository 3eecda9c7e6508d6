#include "readers/shell_items.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "readers/binary_traces.h"

namespace tw {
namespace {

// Longer lists than this are taken for corrupt: real paths are a few dozen items deep.
constexpr std::size_t kMaxListItems = 512;
// Delegate items hold items of their own; real ones nest once.
constexpr int kMaxNesting = 4;

constexpr std::uint32_t kFileEntryExtension = 0xBEEF0004;
constexpr std::uint32_t kFileTimesExtension = 0xBEEF0026;
constexpr std::string_view kDelegateGuid = "{5E591A74-DF96-48D3-8D67-1733BCEE28BA}";
// Delegate data that is one shell item: "CFSF" (a file entry below the user's files) and the
// Windows 10 form holding a drive item (removable drives at the navigation pane's top).
constexpr std::uint32_t kFileSystemDelegate = 0x46534643;
constexpr std::uint32_t kEmbeddedItemDelegate = 0xF5A6B710;
constexpr std::uint32_t kControlPanelCategory = 0x39DE2184;
constexpr std::uint32_t kControlPanelFile = 0xFFFFFF38;
constexpr std::uint32_t kPortableStorage = 0x10312005;
constexpr std::uint32_t kPortableFolder = 0x07192006;
constexpr std::uint32_t kKnownFolderView = 0x23FEBBEE;
constexpr std::array<std::uint32_t, 4> kPropertyViews = {0x10141981, 0x3B93AFBB, 0xBEEBEE00,
                                                         0x23A3DFD5};

// Serialized property storage ("1SPS") and the property that holds an item's display name.
constexpr std::uint32_t kPropertyStorageVersion = 0x53505331;
constexpr std::string_view kStorageProperties = "{B725F130-47EF-101A-A5F1-02608C9EEBAC}";
constexpr std::uint32_t kItemNameDisplay = 10;
constexpr std::uint16_t kVtLpwstr = 0x1F;

std::uint64_t FatAt(Bytes d, std::size_t at) {
  return Fits(d, at, 4) ? FileTimeFromFat(Le16(d, at), Le16(d, at + 2)) : 0;
}

void SetBytesName(ShellItem& item, std::string_view text) {
  item.name = WidenBytes(text);
  item.nameKind = TextKind::CodePageBytes;
}

// The display name in a property store laid between `at` and `end`; none when it holds none.
std::optional<std::u16string> StoredDisplayName(Bytes d, std::size_t at, std::size_t end) {
  if (end > d.size())
    return std::nullopt;
  const Bytes store = d.subspan(0, end);
  while (Fits(store, at, 24)) {
    const std::uint32_t storageSize = Le32(store, at);
    if (storageSize < 24 || !Fits(store, at, storageSize) ||
        Le32(store, at + 4) != kPropertyStorageVersion)
      return std::nullopt;
    const std::string fmtid = GuidAt(store, at + 8);
    const Bytes storage = store.subspan(0, at + storageSize);
    for (std::size_t v = at + 24; Fits(storage, v, 4);) {
      const std::uint32_t valueSize = Le32(storage, v);
      if (valueSize == 0 || !Fits(storage, v, valueSize))
        break;
      // Only numbered properties of the storage set carry the display name; named ones
      // (another set) store a name where the number would be.
      if (fmtid == kStorageProperties && valueSize >= 17 &&
          Le32(storage, v + 4) == kItemNameDisplay && Le16(storage, v + 9) == kVtLpwstr) {
        const std::uint32_t characters = Le32(storage, v + 13);
        if (characters <= (valueSize - 17) / 2)
          return Utf16At(storage, v + 17, std::size_t{characters} * 2);
      }
      v += valueSize;
    }
    at += storageSize;
  }
  return std::nullopt;
}

// Times of the 0xBEEF0026 block (Windows 10 roots and folders below My Computer): the file
// attributes, then creation, last access and last write.
void ReadTimesBlock(Bytes d, std::size_t at, ShellItem& item) {
  while (Fits(d, at, 8)) {
    const std::uint16_t size = Le16(d, at);
    if (size < 8 || !Fits(d, at, size))
      return;
    if (Le32(d, at + 4) == kFileTimesExtension && size >= 36) {
      item.created = Le64(d, at + 12);
      item.accessed = Le64(d, at + 20);
      item.modified = Le64(d, at + 28);
      return;
    }
    at += size;
  }
}

ShellItem DecodeAt(Bytes d, int depth);

// The file entry's fields, then its 0xBEEF0004 block after the primary name: long name,
// creation and access times, MFT reference.
void ReadFileEntry(Bytes d, ShellItem& item) {
  item.kind = (item.type & 0x01) ? ShellItemKind::Directory : ShellItemKind::File;
  if (!Fits(d, 0, 14)) {
    item.completeness = ItemCompleteness::Cut;
    return;
  }
  item.fileSize = Le32(d, 4);
  item.modified = FatAt(d, 8);
  std::size_t nameEnd = 0;
  if (item.type & 0x04) {
    auto name = Utf16ZAt(d, 14, &nameEnd);
    if (!name) {
      item.completeness = ItemCompleteness::Cut;
      return;
    }
    item.name = std::move(*name);
  } else {
    auto name = BytesZAt(d, 14, &nameEnd);
    if (!name) {
      item.completeness = ItemCompleteness::Cut;
      return;
    }
    item.shortName = *name;
    SetBytesName(item, *name);
  }
  for (std::size_t p = nameEnd + (nameEnd & 1) + 4; Fits(d, p, 4); p += 2) {
    if (Le32(d, p) != kFileEntryExtension)
      continue;
    const std::size_t ext = p - 4;
    const std::uint16_t version = Le16(d, ext + 2);
    const std::size_t end = std::min<std::size_t>(d.size(), ext + Le16(d, ext));
    const Bytes block = d.subspan(0, end);
    item.created = FatAt(block, ext + 8);
    item.accessed = FatAt(block, ext + 12);
    std::size_t nameAt = ext + 18;
    if (version >= 7) {
      if (Fits(block, ext + 20, 8)) {
        const std::uint64_t reference = Le64(block, ext + 20);
        // Sequence 0 is no NTFS reference (FAT and exFAT volumes leave other numbers here).
        if (reference >> 48 != 0)
          item.fileReference = FileReference{reference & 0xFFFFFFFFFFFFull,
                                             static_cast<std::uint16_t>(reference >> 48)};
      }
      nameAt += 18;
    }
    if (version >= 3)
      nameAt += 2;
    if (version >= 8)
      nameAt += 4;
    if (version >= 9)
      nameAt += 4;
    if (version >= 3) {
      auto longName = Utf16ZAt(block, nameAt);
      if (!longName)
        item.completeness = ItemCompleteness::Cut;
      else if (!longName->empty()) {
        item.name = std::move(*longName);
        item.nameKind = TextKind::Utf16;
      }
    }
    return;
  }
}

// A delegate item: its data, the delegate GUID, then the class of the item it stands for.
// None when the item has not that shape.
std::optional<ShellItem> ReadDelegate(Bytes d, std::uint8_t type, int depth) {
  if (!Fits(d, 4, 2))
    return std::nullopt;
  const std::size_t dataEnd = 6 + std::size_t{Le16(d, 4)};
  if (!Fits(d, dataEnd, 32) || GuidAt(d, dataEnd) != kDelegateGuid)
    return std::nullopt;
  ShellItem item;
  item.type = type;
  item.kind = ShellItemKind::Delegate;
  item.guid = GuidAt(d, dataEnd + 16);
  const std::uint32_t signature = dataEnd >= 10 ? Le32(d, 6) : 0;
  // A file entry below the user's files: its extension block follows the two GUIDs, so the
  // inner item is read to the outer one's end.
  if (signature == kFileSystemDelegate && dataEnd >= 12) {
    ShellItem inner = DecodeAt(d.subspan(10), depth + 1);
    if (inner.guid.empty())
      inner.guid = item.guid;
    return inner;
  }
  if (signature == kEmbeddedItemDelegate && dataEnd >= 12) {
    const std::size_t innerSize = Le16(d, 10);
    if (innerSize >= 3 && 10 + innerSize <= dataEnd) {
      ShellItem inner = DecodeAt(d.subspan(10, innerSize), depth + 1);
      if (inner.guid.empty())
        inner.guid = item.guid;
      return inner;
    }
    item.completeness = ItemCompleteness::Cut;
    return item;
  }
  if (dataEnd >= 14)
    if (auto name = StoredDisplayName(d, 14 + Le16(d, 12), dataEnd))
      item.name = std::move(*name);
  return item;
}

void ReadRootOrFolderGuid(Bytes d, ShellItem& item) {
  if (!Fits(d, 4, 16)) {
    item.completeness = ItemCompleteness::Cut;
    return;
  }
  item.guid = GuidAt(d, 4);
  ReadTimesBlock(d, 20, item);
}

void ReadVolume(Bytes d, ShellItem& item) {
  item.kind = ShellItemKind::Volume;
  const auto isLetter = [](std::uint8_t c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; };
  if (Fits(d, 3, 2) && isLetter(d[3]) && d[4] == ':') {
    if (const auto drive = BytesZAt(d, 3)) {
      SetBytesName(item, *drive);
    } else {
      SetBytesName(item,
                   std::string_view(reinterpret_cast<const char*>(d.data() + 3), d.size() - 3));
      item.completeness = ItemCompleteness::Cut;
    }
    return;
  }
  // Without a drive name the item is a folder below My Computer named by GUID.
  item.kind = ShellItemKind::Root;
  ReadRootOrFolderGuid(d, item);
}

void ReadNetworkLocation(Bytes d, ShellItem& item) {
  item.kind = ShellItemKind::NetworkLocation;
  std::size_t end = 0;
  const auto location = Fits(d, 5, 1) ? BytesZAt(d, 5, &end) : std::nullopt;
  if (!location) {
    item.completeness = ItemCompleteness::Cut;
    return;
  }
  SetBytesName(item, *location);
  if (d[4] & 0x80) {
    if (const auto description = BytesZAt(d, end))
      item.detail = WidenBytes(*description);
    else
      item.completeness = ItemCompleteness::Cut;
  }
}

// Strings stored as a character count (the terminator included) and the UTF-16 text.
std::optional<std::u16string> CountedUtf16(Bytes d, std::size_t& at) {
  if (!Fits(d, at, 4))
    return std::nullopt;
  const std::size_t bytes = std::size_t{Le32(d, at)} * 2;
  auto text = Utf16At(d, at + 4, bytes);
  if (text)
    at += 4 + bytes;
  return text;
}

void ReadCompressedFolder(Bytes d, ShellItem& item) {
  item.kind = ShellItemKind::CompressedFolder;
  std::size_t at = 46;
  std::array<std::u16string, 3> texts;
  for (std::u16string& text : texts) {
    auto next = CountedUtf16(d, at);
    if (!next) {
      item.completeness = ItemCompleteness::Cut;
      break;
    }
    text = std::move(*next);
  }
  // The third string is the folder's full path inside the archive; the first its name.
  item.name = !texts[2].empty() ? texts[2] : texts[0];
}

void ReadUri(Bytes d, ShellItem& item) {
  item.kind = ShellItemKind::Uri;
  if (!Fits(d, 4, 2)) {
    item.completeness = ItemCompleteness::Cut;
    return;
  }
  const std::size_t dataSize = Le16(d, 4);
  const std::size_t at = 4 + (dataSize == 0 ? 2 : dataSize) + 2;
  if (d[3] & 0x80) {
    if (auto uri = Utf16ZAt(d, at))
      item.name = std::move(*uri);
    else
      item.completeness = ItemCompleteness::Cut;
  } else if (auto uri = BytesZAt(d, at)) {
    SetBytesName(item, *uri);
  } else {
    item.completeness = ItemCompleteness::Cut;
  }
}

void ReadPortableStorage(Bytes d, ShellItem& item) {
  item.kind = ShellItemKind::PortableDevice;
  if (!Fits(d, 38, 16)) {
    item.completeness = ItemCompleteness::Cut;
    return;
  }
  const std::size_t nameBytes = std::size_t{Le32(d, 38)} * 2;
  const std::size_t idBytes = std::size_t{Le32(d, 42)} * 2;
  auto name = Utf16At(d, 54, nameBytes);
  auto identifier = name ? Utf16At(d, 54 + nameBytes, idBytes) : std::nullopt;
  if (name)
    item.name = std::move(*name);
  if (identifier)
    item.detail = std::move(*identifier);
  else
    item.completeness = ItemCompleteness::Cut;
}

void ReadPortableFolder(Bytes d, ShellItem& item) {
  item.kind = ShellItemKind::PortableFolder;
  if (!Fits(d, 62, 12)) {
    item.completeness = ItemCompleteness::Cut;
    return;
  }
  item.modified = Le64(d, 26);
  item.created = Le64(d, 34);
  const std::size_t nameBytes = std::size_t{Le32(d, 62)} * 2;
  const std::size_t secondBytes = std::size_t{Le32(d, 66)} * 2;
  const std::size_t idBytes = std::size_t{Le32(d, 70)} * 2;
  auto name = Utf16At(d, 74, nameBytes);
  auto identifier = name && secondBytes <= d.size()
                        ? Utf16At(d, 74 + nameBytes + secondBytes, idBytes)
                        : std::nullopt;
  if (name)
    item.name = std::move(*name);
  if (identifier)
    item.detail = std::move(*identifier);
  else
    item.completeness = ItemCompleteness::Cut;
}

// Type 0x00 items say what they are by a signature: at offset 4 (a .cpl file), or at 6 after
// the data size (portable devices and the property views).
void ReadSignedItem(Bytes d, ShellItem& item) {
  if (Fits(d, 4, 4) && Le32(d, 4) == kControlPanelFile) {
    item.kind = ShellItemKind::ControlPanelItem;
    if (!Fits(d, 24, 2)) {
      item.completeness = ItemCompleteness::Cut;
      return;
    }
    const auto path = Utf16ZAt(d, 24);
    const auto name = Utf16ZAt(d, 24 + std::size_t{Le16(d, 20)} * 2);
    if (path)
      item.detail = *path;
    if (name)
      item.name = *name;
    if (!path || !name)
      item.completeness = ItemCompleteness::Cut;
    return;
  }
  if (!Fits(d, 6, 4))
    return;
  const std::uint32_t signature = Le32(d, 6);
  if (signature == kPortableStorage)
    return ReadPortableStorage(d, item);
  if (signature == kPortableFolder)
    return ReadPortableFolder(d, item);
  if (signature == kKnownFolderView) {
    item.kind = ShellItemKind::KnownFolder;
    if (Fits(d, 12, 2) && Le16(d, 12) == 16 && Fits(d, 14, 16))
      item.guid = GuidAt(d, 14);
    else
      item.completeness = ItemCompleteness::Cut;
    return;
  }
  for (const std::uint32_t view : kPropertyViews)
    if (signature == view) {
      item.kind = ShellItemKind::PropertyView;
      const std::size_t dataEnd = std::min<std::size_t>(d.size(), 6 + std::size_t{Le16(d, 4)});
      if (Fits(d, 12, 2))
        if (auto name = StoredDisplayName(d, 14 + Le16(d, 12), dataEnd))
          item.name = std::move(*name);
      return;
    }
}

ShellItem DecodeAt(Bytes d, int depth) {
  ShellItem item;
  if (d.size() < 3)
    return item;
  item.type = d[2];
  if (depth > kMaxNesting)
    return item;
  const std::uint8_t type = item.type;
  if (type == 0x1F || type == 0x2E || type == 0x74) {
    if (auto delegate = ReadDelegate(d, type, depth))
      return *delegate;
  }
  // Windows 7's file dialogs wrote a "CFSF" item whose data size is not the delegate's shape.
  if (type == 0x74 && Fits(d, 6, 6) && Le32(d, 6) == kFileSystemDelegate) {
    return DecodeAt(d.subspan(10), depth + 1);
  }
  if (type == 0x1F) {
    item.kind = ShellItemKind::Root;
    ReadRootOrFolderGuid(d, item);
  } else if ((type & 0x70) == 0x20) {
    ReadVolume(d, item);
  } else if ((type & 0x70) == 0x30) {
    ReadFileEntry(d, item);
  } else if ((type & 0x70) == 0x40) {
    ReadNetworkLocation(d, item);
  } else if (type == 0x52) {
    ReadCompressedFolder(d, item);
  } else if (type == 0x61) {
    ReadUri(d, item);
  } else if (type == 0x71) {
    item.kind = ShellItemKind::ControlPanelItem;
    if (Fits(d, 14, 16))
      item.guid = GuidAt(d, 14);
    else
      item.completeness = ItemCompleteness::Cut;
  } else if (type == 0x01 && Fits(d, 4, 8) && Le32(d, 4) == kControlPanelCategory) {
    item.kind = ShellItemKind::ControlPanelCategory;
    item.category = Le32(d, 8);
    item.name = std::u16string(ControlPanelCategoryName(*item.category));
  } else if (type == 0x00) {
    ReadSignedItem(d, item);
  }
  return item;
}

std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

} // namespace

ShellItem DecodeShellItem(Bytes item) {
  return DecodeAt(item, 0);
}

ShellItemList DecodeShellItemList(Bytes data) {
  ShellItemList list;
  std::size_t at = 0;
  for (;;) {
    list.decodedBytes = at;
    if (!Fits(data, at, 2)) {
      list.end = ListEnd::Cut;
      return list;
    }
    const std::uint16_t size = Le16(data, at);
    if (size == 0) {
      list.decodedBytes = at + 2;
      list.end = ListEnd::Terminated;
      return list;
    }
    if (size < 3) {
      list.end = ListEnd::Malformed;
      return list;
    }
    if (!Fits(data, at, size)) {
      list.end = ListEnd::Cut;
      return list;
    }
    if (list.items.size() >= kMaxListItems) {
      list.end = ListEnd::TooLong;
      return list;
    }
    list.items.push_back(DecodeShellItem(data.subspan(at, size)));
    at += size;
  }
}

std::u16string ShellItemDisplayName(const ShellItem& item) {
  if (!item.name.empty())
    return item.name;
  const bool namedByGuid =
      item.kind == ShellItemKind::Root || item.kind == ShellItemKind::KnownFolder ||
      item.kind == ShellItemKind::Delegate || item.kind == ShellItemKind::ControlPanelItem;
  if (namedByGuid && !item.guid.empty()) {
    const std::string_view known = KnownFolderName(item.guid);
    return Widen(known.empty() ? std::string_view(item.guid) : known);
  }
  char text[16];
  std::snprintf(text, sizeof text, "(item 0x%02X)", item.type);
  return Widen(text);
}

std::u16string_view ControlPanelCategoryName(std::uint32_t category) {
  constexpr std::array<std::u16string_view, 12> kNames = {
      u"All Control Panel Items",
      u"Appearance and Personalization",
      u"Hardware and Sound",
      u"Network and Internet",
      u"Sounds, Speech, and Audio Devices",
      u"System and Security",
      u"Clock, Language, and Region",
      u"Ease of Access",
      u"Programs",
      u"User Accounts",
      u"Security Center",
      u"Mobile PC",
  };
  return category < kNames.size() ? kNames[category] : std::u16string_view();
}

} // namespace tw
