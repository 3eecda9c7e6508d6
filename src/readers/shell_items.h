#pragma once
// Structured decoding of shell items, the pieces of the ID lists ShellBags, the file dialogs and
// shortcuts keep: one item at a time, or a whole list. Items are told apart by their class type
// byte, and the type-0x00 and delegate items by the signatures they carry. Text stored as UTF-16
// stays UTF-16; 8-bit text keeps its bytes (TextKind says which), so the one conversion to a
// row's code page happens later. Anything that does not fit the item is left undecoded and
// flagged, never guessed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "readers/byte_fields.h"

namespace tw {

enum class ShellItemKind {
  Unknown,              // a class type byte we do not read: "(item 0xNN)"
  Root,                 // 0x1F: a shell folder by its GUID (My Computer, Network, ...)
  Volume,               // 0x2X: a drive ("C:\") or a folder GUID below My Computer
  Directory,            // 0x3X with the directory bit
  File,                 // 0x3X otherwise
  NetworkLocation,      // 0x4X: a domain, server or share ("\\server\share")
  CompressedFolder,     // 0x52: a folder inside a zip file
  Uri,                  // 0x61: an address
  ControlPanelItem,     // 0x71, or a .cpl file entry
  ControlPanelCategory, // 0x01 with the category signature
  PortableDevice,       // a portable (MTP) device's storage
  PortableFolder,       // a folder on a portable (MTP) device
  KnownFolder,          // a property view naming a known folder by GUID
  PropertyView,         // a property view item with a property store
  Delegate,             // a delegate item of a class that holds no item we read
};

// How `name` was stored: decoded UTF-16, or one unit per byte of the writer's code page.
enum class TextKind { Utf16, CodePageBytes };

// Whether everything the item's kind promises was inside its bytes.
enum class ItemCompleteness { Complete, Cut };

struct FileReference {
  std::uint64_t entry = 0; // MFT entry (48 bits)
  std::uint16_t sequence = 0;
};

struct ShellItem {
  ShellItemKind kind = ShellItemKind::Unknown;
  std::uint8_t type = 0; // the class type byte
  std::u16string name;   // long name where the item has one
  TextKind nameKind = TextKind::Utf16;
  std::string shortName;     // a file entry's 8.3 name, bytes as stored
  std::u16string detail;     // second text: a location's description, a device's identifier
  std::string guid;          // "{...}": a root's folder, a delegate's class, a control panel item
  std::uint64_t created = 0; // FILETIMEs, 0 when the item does not carry them
  std::uint64_t modified = 0;
  std::uint64_t accessed = 0;
  std::optional<FileReference> fileReference;
  std::optional<std::uint32_t> fileSize;
  std::optional<std::uint32_t> category; // control panel category number
  ItemCompleteness completeness = ItemCompleteness::Complete;
};

// One item, its 2-byte size included; a size field that disagrees with the span is ignored (the
// span is what is read).
ShellItem DecodeShellItem(Bytes item);

// Why a list stopped.
enum class ListEnd {
  Terminated, // the zero-size terminator
  Cut,        // an item's size runs past the data, or the data ends before the terminator
  Malformed,  // an item's size is too small to hold its type byte
  TooLong,    // more items than any real path has
};

struct ShellItemList {
  std::vector<ShellItem> items; // the items before the damage
  ListEnd end = ListEnd::Terminated;
  std::size_t decodedBytes = 0; // bytes read up to the terminator or the damage
};

ShellItemList DecodeShellItemList(Bytes data);

// The item's name as a path component: its name, a root's or known folder's name by GUID, the
// GUID itself, or "(item 0xNN)".
std::u16string ShellItemDisplayName(const ShellItem& item);

// The names of the control panel categories (0 to 11); empty for others.
std::u16string_view ControlPanelCategoryName(std::uint32_t category);

} // namespace tw
