#pragma once
// Builders of binary registry data for tests: little-endian fields, shell item ID lists,
// UserAssist usage records, SAM records, and the ".reg" hex text that stores them.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tw::test::binary {

using Buffer = std::vector<std::uint8_t>;

inline void Put16(Buffer& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Buffer& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void Put64(Buffer& b, std::uint64_t v) {
  Put32(b, static_cast<std::uint32_t>(v));
  Put32(b, static_cast<std::uint32_t>(v >> 32));
}
inline void PutUtf16Z(Buffer& b, std::string_view text) {
  for (const char c : text)
    Put16(b, static_cast<std::uint8_t>(c));
  Put16(b, 0);
}
// ASCII text as UTF-16LE, without a terminator.
inline Buffer Utf16(std::string_view text) {
  Buffer b;
  for (const char c : text)
    Put16(b, static_cast<std::uint8_t>(c));
  return b;
}
// "0a1b..." as its bytes.
inline Buffer FromHex(std::string_view hex) {
  Buffer b;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    b.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  return b;
}
inline void PutAsciiZ(Buffer& b, std::string_view text) {
  b.insert(b.end(), text.begin(), text.end());
  b.push_back(0);
}

// An item: its size, then its body; the size counts itself.
inline Buffer Item(const Buffer& body) {
  Buffer item;
  Put16(item, static_cast<unsigned>(body.size() + 2));
  std::ranges::copy(body, std::back_inserter(item));
  return item;
}

inline Buffer RootItem(std::uint8_t sortIndex, const Buffer& guid) {
  Buffer body{0x1F, sortIndex};
  body.insert(body.end(), guid.begin(), guid.end());
  return Item(body);
}

// {20D04FE0-3AEA-1069-A2D8-08002B30309D} in its stored byte order.
inline const Buffer kMyComputer = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                   0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

inline Buffer DriveItem(std::string_view drive) {
  Buffer body{0x2F};
  PutAsciiZ(body, drive);
  body.resize(0x17, 0);
  return Item(body);
}

// The body of a file entry (0x31 a folder, 0x32 a file) up to its extension blocks.
inline Buffer FileEntryBody(std::uint8_t type, std::string_view shortName) {
  Buffer body{type, 0x00};
  Put32(body, 0);          // size
  Put32(body, 0x5A215A21); // DOS date and time
  Put16(body, 0x10);       // attributes
  PutAsciiZ(body, shortName);
  if (body.size() % 2 != 0)
    body.push_back(0);
  return body;
}

// A 0xBEEF0004 extension block with the long name: version 9 (Windows 8 on) or 8 (Windows 7),
// which lacks one 4-byte field before the name.
inline Buffer LongNameBlock(std::string_view longName, unsigned version = 9) {
  Buffer ext;
  Put16(ext, 0);
  Put16(ext, version);
  Put32(ext, 0xBEEF0004);
  Put32(ext, 0);
  Put32(ext, 0);
  Put16(ext, 0x2E);
  ext.resize(ext.size() + 18 + 2 + 4 + (version >= 9 ? 4 : 0), 0);
  PutUtf16Z(ext, longName);
  Put16(ext, 0x14);
  ext[0] = static_cast<std::uint8_t>(ext.size());
  ext[1] = static_cast<std::uint8_t>(ext.size() >> 8);
  return ext;
}

// A file entry with a short name and, when `longName` is given, an extension block.
inline Buffer FileItem(std::string_view shortName, std::string_view longName = {},
                       std::uint8_t type = 0x31, unsigned version = 9) {
  Buffer body = FileEntryBody(type, shortName);
  if (!longName.empty()) {
    const Buffer ext = LongNameBlock(longName, version);
    body.insert(body.end(), ext.begin(), ext.end());
  }
  return Item(body);
}

inline Buffer NetworkItem(std::string_view location) {
  Buffer body{0x41, 0x82, 0x00};
  PutAsciiZ(body, location);
  PutAsciiZ(body, "");
  return Item(body);
}

// A network location as Windows writes it: class (0x42 a server, 0xC3 a share), flags saying a
// description follows, the location and the description.
inline Buffer NetworkLocationItem(std::uint8_t type, std::string_view location,
                                  std::string_view description) {
  Buffer body{type, 0x01, 0x81};
  PutAsciiZ(body, location);
  PutAsciiZ(body, description);
  body.push_back(0);
  return Item(body);
}

// "{01234567-89AB-CDEF-0123-456789ABCDEF}" in its stored byte order.
inline Buffer GuidBytes(std::string_view text) {
  const auto hex = [&](std::size_t at, int digits) {
    std::uint32_t v = 0;
    for (int i = 0; i < digits; ++i) {
      const char c = text[at + static_cast<std::size_t>(i)];
      v = v * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return v;
  };
  Buffer b;
  Put32(b, hex(1, 8));
  Put16(b, hex(10, 4));
  Put16(b, hex(15, 4));
  for (const std::size_t at : {20u, 22u, 25u, 27u, 29u, 31u, 33u, 35u})
    b.push_back(static_cast<std::uint8_t>(hex(at, 2)));
  return b;
}

// A known folder below My Computer (Windows 8 and later: This PC\Downloads and the like).
inline Buffer KnownFolderItem(std::string_view guid) {
  Buffer body{0x2E, 0x80};
  const Buffer bytes = GuidBytes(guid);
  body.insert(body.end(), bytes.begin(), bytes.end());
  return Item(body);
}

// A folder below the user's files as Windows 7 and later store it: a delegate item whose data
// is "CFSF" and a file entry without its extension blocks, then the delegate's and the folder's
// class GUIDs, then the long name's extension block.
inline Buffer DelegateFolderItem(std::string_view shortName, std::string_view longName) {
  const Buffer entry = Item(FileEntryBody(0x31, shortName));
  Buffer body{0x74, 0x00};
  Put16(body, static_cast<unsigned>(4 + entry.size() + 2));
  body.insert(body.end(), {'C', 'F', 'S', 'F'});
  body.insert(body.end(), entry.begin(), entry.end());
  Put16(body, 0);
  for (const char* guid :
       {"{5E591A74-DF96-48D3-8D67-1733BCEE28BA}", "{F3364BA0-65B9-11CE-A9BA-00AA004AE837}"}) {
    const Buffer bytes = GuidBytes(guid);
    body.insert(body.end(), bytes.begin(), bytes.end());
  }
  const Buffer ext = LongNameBlock(longName);
  body.insert(body.end(), ext.begin(), ext.end());
  return Item(body);
}

// Windows 10's item for a removable drive at the navigation pane's top: a root-typed delegate
// whose data is a signature and the drive's own item, then the delegate GUID and the class
// (removable drives).
inline Buffer RemovableDriveItem(char letter) {
  const std::string drive = std::string(1, letter) + ":\\";
  Buffer data;
  Put32(data, 0xF5A6B710);
  const Buffer inner = DriveItem(drive);
  data.insert(data.end(), inner.begin(), inner.end());
  data.resize(data.size() + 16, 0);
  Buffer body{0x1F, 0x00};
  Put16(body, static_cast<unsigned>(data.size()));
  body.insert(body.end(), data.begin(), data.end());
  for (const char* guid :
       {"{5E591A74-DF96-48D3-8D67-1733BCEE28BA}", "{F5FB2C77-0E2F-4A16-A381-3E560C68BC83}"}) {
    const Buffer bytes = GuidBytes(guid);
    body.insert(body.end(), bytes.begin(), bytes.end());
  }
  return Item(body);
}

// A type-0x00 property view naming a known folder by GUID (signature 0x23FEBBEE).
inline Buffer KnownFolderViewItem(std::string_view guid) {
  Buffer body{0x00, 0x00};
  Put16(body, 0x1A);
  Put32(body, 0x23FEBBEE);
  Put16(body, 0);  // no property store
  Put16(body, 16); // identifier size
  const Buffer bytes = GuidBytes(guid);
  body.insert(body.end(), bytes.begin(), bytes.end());
  Put16(body, 0);
  return Item(body);
}

// A property store of one storage set with one string property (VT_LPWSTR).
inline Buffer PropertyStore(std::string_view fmtid, std::uint32_t id, std::string_view text) {
  Buffer value;
  Put32(value, 0); // size, set below
  Put32(value, id);
  value.push_back(0);
  Put16(value, 0x1F);
  Put16(value, 0);
  Put32(value, static_cast<std::uint32_t>(text.size() + 1));
  PutUtf16Z(value, text);
  value[0] = static_cast<std::uint8_t>(value.size());
  Buffer storage;
  Put32(storage, static_cast<std::uint32_t>(4 + 4 + 16 + value.size() + 4));
  Put32(storage, 0x53505331); // "1SPS"
  const Buffer guid = GuidBytes(fmtid);
  storage.insert(storage.end(), guid.begin(), guid.end());
  storage.insert(storage.end(), value.begin(), value.end());
  Put32(storage, 0); // end of the values
  Put32(storage, 0); // end of the storages
  return storage;
}

// A type-0x00 property view whose property store holds the item's display name.
inline Buffer PropertyViewItem(std::uint32_t signature, std::string_view displayName) {
  const Buffer store = PropertyStore("{B725F130-47EF-101A-A5F1-02608C9EEBAC}", 10, displayName);
  Buffer body{0x00, 0x00};
  Put16(body, static_cast<unsigned>(8 + store.size()));
  Put32(body, signature);
  Put16(body, static_cast<unsigned>(store.size()));
  Put16(body, 0); // no identifier
  body.insert(body.end(), store.begin(), store.end());
  Put16(body, 0);
  return Item(body);
}

inline Buffer List(std::initializer_list<Buffer> items) {
  Buffer list;
  for (const Buffer& item : items)
    list.insert(list.end(), item.begin(), item.end());
  Put16(list, 0);
  return list;
}

inline Buffer UserAssistRecordBytes(std::uint32_t runs, std::uint32_t focus, std::uint32_t ms,
                                    std::uint64_t lastRun) {
  Buffer r;
  Put32(r, 0);
  Put32(r, runs);
  Put32(r, focus);
  Put32(r, ms);
  r.resize(60, 0xBF); // the unread middle must not leak into any field
  Put64(r, lastRun);
  Put32(r, 0);
  return r;
}

// The data as a ".reg" binary value: hex:aa,bb,...
inline std::string RegHex(const Buffer& data) {
  std::string text = "hex:";
  for (std::size_t i = 0; i < data.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", data[i]);
    if (i != 0)
      text += ',';
    text += byte;
  }
  return text;
}

inline Buffer Utf16Z(std::string_view text) {
  Buffer b;
  PutUtf16Z(b, text);
  return b;
}

inline Buffer MruListEx(std::initializer_list<std::uint32_t> entries) {
  Buffer b;
  for (const std::uint32_t e : entries)
    Put32(b, e);
  Put32(b, 0xFFFFFFFFu);
  return b;
}

// A V record: the table of (offset, length, unknown) from 0, its texts from 0xCC.
inline Buffer VRecord(const std::vector<std::pair<std::size_t, std::string>>& texts) {
  Buffer v(0xCC, 0);
  for (const auto& [entry, text] : texts) {
    const auto offset = static_cast<std::uint32_t>(v.size() - 0xCC);
    for (const char c : text)
      Put16(v, static_cast<std::uint8_t>(c));
    const auto length = static_cast<std::uint32_t>(text.size() * 2);
    for (int i = 0; i < 4; ++i) {
      v[entry + i] = static_cast<std::uint8_t>(offset >> (8 * i));
      v[entry + 4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    while (v.size() % 4 != 0)
      v.push_back(0);
  }
  return v;
}

inline Buffer Sid(std::uint8_t authority, std::initializer_list<std::uint32_t> subAuthorities) {
  Buffer sid{1, static_cast<std::uint8_t>(subAuthorities.size()), 0, 0, 0, 0, 0, authority};
  for (const std::uint32_t s : subAuthorities)
    Put32(sid, s);
  return sid;
}

// An alias's C value: the header's offsets count from 0x34, where a security descriptor, the
// name, the description and the member SIDs follow.
inline Buffer AliasC(std::uint32_t rid, std::string_view name, std::string_view description,
                     const std::vector<Buffer>& members) {
  Buffer data(0x20, 0xAB); // a stand-in for the security descriptor
  const auto put = [&](std::string_view text) {
    const auto offset = static_cast<std::uint32_t>(data.size());
    for (const char c : text)
      Put16(data, static_cast<std::uint8_t>(c));
    while (data.size() % 4 != 0)
      data.push_back(0);
    return std::pair{offset, static_cast<std::uint32_t>(text.size() * 2)};
  };
  const auto [nameAt, nameSize] = put(name);
  const auto [descriptionAt, descriptionSize] = put(description);
  const auto membersAt = static_cast<std::uint32_t>(data.size());
  for (const Buffer& sid : members)
    data.insert(data.end(), sid.begin(), sid.end());
  Buffer c;
  for (const std::uint32_t v :
       {rid, 0u, 0x20u, 0x00010002u, nameAt, nameSize, 0u, descriptionAt, descriptionSize, 0u,
        membersAt, static_cast<std::uint32_t>(data.size() - membersAt),
        static_cast<std::uint32_t>(members.size())})
    Put32(c, v);
  c.insert(c.end(), data.begin(), data.end());
  return c;
}

} // namespace tw::test::binary
