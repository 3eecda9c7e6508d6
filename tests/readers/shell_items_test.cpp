#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "readers/shell_items.h"
#include "runtime/ansi_text.h"
#include "runtime/code_page.h"
#include "support/binary_values.h"

namespace tw {
namespace {

using namespace test::binary;

std::string Text(const std::u16string& text) {
  return AnsiFromUtf16(text);
}

std::string Name(const ShellItem& item) {
  return AnsiFromUtf16(ShellItemDisplayName(item));
}

// Items of a Windows 10 user's class hive (BagMRU values), as stored.
const Buffer kUsersFolder = FromHex(
    "78003100000000007b4c914c1100557365727300640009000400efbe3d4ba6457b4c914c2e00000089050000000001"
    "0000000000000000003a0000000000c380230055007300650072007300000040007300680065006c006c0033003200"
    "2e0064006c006c002c002d0032003100380031003300000014000000");
const Buffer kOneDriveRoot =
    FromHex("3a001f42665c8d01334507439b53224de2ed1fe6260001002600efbe110000"
            "007e60e005adc5d301ce8db900b1c5d301ce8db900b1c5d30114000000");
const Buffer kSystemAndSecurity = FromHex("0c0001008421de39050000000000");
const Buffer kSystemApplet =
    FromHex("1e00718000000000000000000000e4c006bb93d2754f8a90cb05b6477eee0000");
const Buffer kDropboxDelegate = FromHex(
    "820074001c004346534616003100000000007c4cce00100044726f70626f78000000741a595e96dfd3488d67173"
    "3bcee28bac5cdfadf9f6756418947c5c76bc0b67f400009000400efbe7c4cce007c4cce002e000000d020020000"
    "000300000000000000000000000000000074392300440072006f00700062006f007800000042000000");

TEST(ShellItemFileEntry, GivesLongNameTimesAndMftReference) {
  const ShellItem users = DecodeShellItem(kUsersFolder);
  EXPECT_EQ(users.kind, ShellItemKind::Directory);
  EXPECT_EQ(users.completeness, ItemCompleteness::Complete);
  EXPECT_EQ(Text(users.name), "Users");
  EXPECT_EQ(users.nameKind, TextKind::Utf16);
  EXPECT_EQ(users.shortName, "Users");
  EXPECT_EQ(FormatFileTime(users.modified), "2018-03-27 09:36:34");
  EXPECT_EQ(FormatFileTime(users.accessed), "2018-03-27 09:36:34");
  EXPECT_EQ(FormatFileTime(users.created), "2017-09-29 08:45:12");
  ASSERT_TRUE(users.fileReference);
  EXPECT_EQ(users.fileReference->entry, 1417u);
  EXPECT_EQ(users.fileReference->sequence, 1u);
}

TEST(ShellItemFileEntry, ReadsEachExtensionVersionAndFallsBackToTheShortName) {
  for (const unsigned version : {8u, 9u}) {
    const ShellItem file =
        DecodeShellItem(FileItem("QUARTE~1.XLS", "Quarterly report.xlsx", 0x32, version));
    EXPECT_EQ(file.kind, ShellItemKind::File);
    EXPECT_EQ(Text(file.name), "Quarterly report.xlsx") << version;
    EXPECT_EQ(file.shortName, "QUARTE~1.XLS");
    EXPECT_EQ(FormatFileTime(file.modified), "2025-01-01 11:17:02");
    // The builder's zero reference: sequence 0 is no NTFS reference.
    EXPECT_FALSE(file.fileReference);
  }
  const ShellItem bare = DecodeShellItem(FileItem("TEMP"));
  EXPECT_EQ(Text(bare.name), "TEMP");
  EXPECT_EQ(bare.nameKind, TextKind::CodePageBytes);
  EXPECT_EQ(bare.created, 0u);
  // Bytes of the writer's code page are kept one per unit, not converted.
  const ShellItem accented = DecodeShellItem(FileItem("R\xC9SUM\xC9"));
  EXPECT_EQ(accented.name, (std::u16string{u'R', 0xC9, u'S', u'U', u'M', 0xC9}));
}

TEST(ShellItemFileEntry, AUnicodePrimaryNameIsUtf16) {
  Buffer body{0x36, 0x00};
  Put32(body, 1234);
  Put32(body, 0);
  Put16(body, 0x20);
  PutUtf16Z(body, "notes.txt");
  const ShellItem item = DecodeShellItem(Item(body));
  EXPECT_EQ(item.kind, ShellItemKind::File);
  EXPECT_EQ(Text(item.name), "notes.txt");
  EXPECT_EQ(item.nameKind, TextKind::Utf16);
  EXPECT_EQ(item.fileSize, 1234u);
  EXPECT_TRUE(item.shortName.empty());
}

TEST(ShellItemRoots, NameTheFolderByGuidWithItsTimes) {
  const ShellItem root = DecodeShellItem(kOneDriveRoot);
  EXPECT_EQ(root.kind, ShellItemKind::Root);
  EXPECT_EQ(root.guid, "{018D5C66-4533-4307-9B53-224DE2ED1FE6}");
  EXPECT_EQ(Name(root), "OneDrive");
  EXPECT_EQ(FormatFileTime(root.created), "2018-03-27 09:21:44");
  EXPECT_EQ(FormatFileTime(root.modified), "2018-03-27 09:50:13");
  EXPECT_EQ(FormatFileTime(root.accessed), "2018-03-27 09:50:13");
  const ShellItem unknown = DecodeShellItem(RootItem(0x48, Buffer(16, 0x11)));
  EXPECT_EQ(Name(unknown), "{11111111-1111-1111-1111-111111111111}");
  EXPECT_EQ(unknown.created, 0u);
  const ShellItem folder =
      DecodeShellItem(KnownFolderItem("{088E3905-0323-4B02-9826-5D99428E115F}"));
  EXPECT_EQ(folder.kind, ShellItemKind::Root);
  EXPECT_EQ(Name(folder), "Downloads");
}

// This PC's Desktop: a GUID whose second byte happens to be ':' is no drive "\x80:".
const Buffer kDesktopBelowThisPc = FromHex("3a002e803accbfb42cdb4c42b0297fe99a87c641260001002600efb"
                                           "e11000000f07734a3acc5d301c29808c8acc5d3017a4afac7acc5d3"
                                           "0114000000");

TEST(ShellItemVolumes, DriveLettersAndRemovableDrivesHeldByDelegates) {
  const ShellItem desktop = DecodeShellItem(kDesktopBelowThisPc);
  EXPECT_EQ(desktop.kind, ShellItemKind::Root);
  EXPECT_EQ(Name(desktop), "Desktop");
  EXPECT_NE(desktop.created, 0u);
  const ShellItem drive = DecodeShellItem(DriveItem("C:\\"));
  EXPECT_EQ(drive.kind, ShellItemKind::Volume);
  EXPECT_EQ(Text(drive.name), "C:\\");
  const ShellItem removable = DecodeShellItem(RemovableDriveItem('F'));
  EXPECT_EQ(removable.kind, ShellItemKind::Volume);
  EXPECT_EQ(Text(removable.name), "F:\\");
  EXPECT_EQ(removable.guid, "{F5FB2C77-0E2F-4A16-A381-3E560C68BC83}");
}

TEST(ShellItemDelegates, AFileEntryBelowTheUsersFilesKeepsItsTimesAndClass) {
  const ShellItem dropbox = DecodeShellItem(kDropboxDelegate);
  EXPECT_EQ(dropbox.kind, ShellItemKind::Directory);
  EXPECT_EQ(Text(dropbox.name), "Dropbox");
  EXPECT_EQ(dropbox.guid, "{DFFACDC5-679F-4156-8947-C5C76BC0B67F}");
  EXPECT_EQ(FormatFileTime(dropbox.modified), "2018-03-28 00:06:28");
  EXPECT_EQ(FormatFileTime(dropbox.created), "2018-03-28 00:06:28");
  EXPECT_EQ(FormatFileTime(dropbox.accessed), "2018-03-28 00:06:28");
  ASSERT_TRUE(dropbox.fileReference);
  EXPECT_EQ(dropbox.fileReference->entry, 139472u);
  EXPECT_EQ(dropbox.fileReference->sequence, 3u);
}

TEST(ShellItemNetwork, LocationAndDescription) {
  const ShellItem share =
      DecodeShellItem(NetworkLocationItem(0xC3, "\\\\FILESERVER\\projects", "Microsoft Network"));
  EXPECT_EQ(share.kind, ShellItemKind::NetworkLocation);
  EXPECT_EQ(Text(share.name), "\\\\FILESERVER\\projects");
  EXPECT_EQ(share.nameKind, TextKind::CodePageBytes);
  EXPECT_EQ(Text(share.detail), "Microsoft Network");
  EXPECT_TRUE(DecodeShellItem(NetworkItem("\\\\host")).detail.empty());
}

TEST(ShellItemControlPanel, CategoriesAppletsAndCplFiles) {
  const ShellItem category = DecodeShellItem(kSystemAndSecurity);
  EXPECT_EQ(category.kind, ShellItemKind::ControlPanelCategory);
  EXPECT_EQ(category.category, 5u);
  EXPECT_EQ(Name(category), "System and Security");
  const ShellItem applet = DecodeShellItem(kSystemApplet);
  EXPECT_EQ(applet.kind, ShellItemKind::ControlPanelItem);
  EXPECT_EQ(applet.guid, "{BB06C0E4-D293-4F75-8A90-CB05B6477EEE}");
  // A .cpl file: its path, then its name a given number of characters after the path's start.
  Buffer cpl{0x00, 0x00};
  Put32(cpl, 0xFFFFFF38);
  cpl.resize(cpl.size() + 12, 0);
  const std::string path = "C:\\Windows\\system32\\joy.cpl";
  Put16(cpl, static_cast<unsigned>(path.size() + 1));
  Put16(cpl, 0);
  PutUtf16Z(cpl, path);
  PutUtf16Z(cpl, "Game Controllers");
  PutUtf16Z(cpl, "");
  const ShellItem file = DecodeShellItem(Item(cpl));
  EXPECT_EQ(file.kind, ShellItemKind::ControlPanelItem);
  EXPECT_EQ(Text(file.name), "Game Controllers");
  EXPECT_EQ(Text(file.detail), path);
}

// A portable device's storage: signature 0x10312005, the string lengths at 38, then the
// name, the device identifier and the file system.
Buffer PortableStorageItem(std::string_view name, std::string_view identifier) {
  Buffer body{0x00, 0x00};
  Put16(body, 0);
  Put32(body, 0x10312005);
  body.resize(36, 0);
  Put32(body, static_cast<std::uint32_t>(name.size() + 1));
  Put32(body, static_cast<std::uint32_t>(identifier.size() + 1));
  Put32(body, 5);
  Put32(body, 0);
  PutUtf16Z(body, name);
  PutUtf16Z(body, identifier);
  PutUtf16Z(body, "FAT");
  return Item(body);
}

// A folder on a portable device: signature 0x07192006, two FILETIMEs, string lengths at 62.
Buffer PortableFolderItem(std::string_view name, std::string_view identifier,
                          std::uint64_t modified, std::uint64_t created) {
  Buffer body{0x00, 0x00};
  Put16(body, 0);
  Put32(body, 0x07192006);
  body.resize(24, 0);
  Put64(body, modified);
  Put64(body, created);
  body.resize(60, 0);
  Put32(body, static_cast<std::uint32_t>(name.size() + 1));
  Put32(body, static_cast<std::uint32_t>(name.size() + 1));
  Put32(body, static_cast<std::uint32_t>(identifier.size() + 1));
  PutUtf16Z(body, name);
  PutUtf16Z(body, name);
  PutUtf16Z(body, identifier);
  return Item(body);
}

TEST(ShellItemPortableDevices, StorageAndFolderNamesIdentifiersAndTimes) {
  const ShellItem storage =
      DecodeShellItem(PortableStorageItem("Phone", "\\\\?\\usb#vid_0781&pid_7400#0781005b"));
  EXPECT_EQ(storage.kind, ShellItemKind::PortableDevice);
  EXPECT_EQ(Text(storage.name), "Phone");
  EXPECT_EQ(Text(storage.detail), "\\\\?\\usb#vid_0781&pid_7400#0781005b");
  const ShellItem folder =
      DecodeShellItem(PortableFolderItem("DCIM", "o1A2B", 132274943990000000ull, 1));
  EXPECT_EQ(folder.kind, ShellItemKind::PortableFolder);
  EXPECT_EQ(Text(folder.name), "DCIM");
  EXPECT_EQ(Text(folder.detail), "o1A2B");
  EXPECT_EQ(FormatFileTime(folder.modified), "2020-02-29 23:59:59");
  EXPECT_EQ(folder.created, 1u);
  // Cut inside the identifier: the name stays, the item says it was cut.
  const Buffer whole = PortableStorageItem("Phone", "\\\\?\\usb#vid");
  const ShellItem cut = DecodeShellItem(Bytes(whole).first(whole.size() - 12));
  EXPECT_EQ(Text(cut.name), "Phone");
  EXPECT_EQ(cut.completeness, ItemCompleteness::Cut);
}

TEST(ShellItemOthers, CompressedFoldersAndUris) {
  Buffer zip{0x52, 0x67};
  zip.resize(44, 0);
  for (const char* text : {"photos", "", "archive.zip\\photos"}) {
    Put32(zip, static_cast<std::uint32_t>(std::string_view(text).size() + 1));
    PutUtf16Z(zip, text);
  }
  const ShellItem folder = DecodeShellItem(Item(zip));
  EXPECT_EQ(folder.kind, ShellItemKind::CompressedFolder);
  EXPECT_EQ(Text(folder.name), "archive.zip\\photos");
  EXPECT_EQ(folder.completeness, ItemCompleteness::Complete);

  Buffer uri{0x61, 0x80};
  Put16(uri, 0);
  Put16(uri, 0);
  PutUtf16Z(uri, "https://example.org/a");
  const ShellItem address = DecodeShellItem(Item(uri));
  EXPECT_EQ(address.kind, ShellItemKind::Uri);
  EXPECT_EQ(Text(address.name), "https://example.org/a");
  Buffer narrow{0x61, 0x00};
  Put16(narrow, 0);
  Put16(narrow, 0);
  PutAsciiZ(narrow, "ftp://host/");
  EXPECT_EQ(Text(DecodeShellItem(Item(narrow)).name), "ftp://host/");
}

TEST(ShellItemDamage, CutItemsKeepWhatWasReadAndSaySo) {
  // A file entry cut inside its long name keeps the short one.
  const Buffer file = FileItem("QUARTE~1.XLS", "Quarterly report.xlsx");
  const ShellItem cut = DecodeShellItem(Bytes(file).first(file.size() - 10));
  EXPECT_EQ(cut.completeness, ItemCompleteness::Cut);
  EXPECT_EQ(Text(cut.name), "QUARTE~1.XLS");
  // Every prefix of every kind decodes without reading past it (ASan checks the reads); none
  // claims more text than the whole item has.
  const std::vector<Buffer> items = {kUsersFolder,
                                     kOneDriveRoot,
                                     kSystemAndSecurity,
                                     kSystemApplet,
                                     kDropboxDelegate,
                                     RemovableDriveItem('E'),
                                     PortableStorageItem("P", "id"),
                                     PortableFolderItem("F", "i", 1, 2),
                                     NetworkLocationItem(0x42, "\\\\S", "d"),
                                     KnownFolderViewItem("{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"),
                                     PropertyViewItem(0xBEEBEE00, "Desktop Background")};
  for (const Buffer& item : items) {
    const std::size_t whole = ShellItemDisplayName(DecodeShellItem(item)).size();
    for (std::size_t n = 0; n < item.size(); ++n) {
      const ShellItem part = DecodeShellItem(Bytes(item).first(n));
      EXPECT_LE(part.name.size(), whole) << n;
    }
  }
  // A drive item cut before its name's terminator keeps the letter.
  const ShellItem drive = DecodeShellItem(Bytes(DriveItem("E:\\")).first(5));
  EXPECT_EQ(drive.kind, ShellItemKind::Volume);
  EXPECT_EQ(Text(drive.name), "E:");
  EXPECT_EQ(drive.completeness, ItemCompleteness::Cut);
  EXPECT_EQ(Name(DecodeShellItem(Bytes(kSystemApplet).first(20))), "(item 0x71)");
  EXPECT_EQ(DecodeShellItem(Bytes(kSystemApplet).first(20)).completeness, ItemCompleteness::Cut);
}

TEST(ShellItemLists, StopAtTheDamageKeepingTheItemsBefore) {
  const Buffer good = List({RootItem(0x50, kMyComputer), DriveItem("C:\\"), FileItem("USERS")});
  ShellItemList list = DecodeShellItemList(good);
  EXPECT_EQ(list.end, ListEnd::Terminated);
  EXPECT_EQ(list.items.size(), 3u);
  EXPECT_EQ(list.decodedBytes, good.size());
  // The last item's size runs past the data.
  list = DecodeShellItemList(Bytes(good).first(good.size() - 6));
  EXPECT_EQ(list.end, ListEnd::Cut);
  EXPECT_EQ(list.items.size(), 2u);
  // No terminator.
  list = DecodeShellItemList(Bytes(good).first(good.size() - 2));
  EXPECT_EQ(list.end, ListEnd::Cut);
  EXPECT_EQ(list.items.size(), 3u);
  // A size too small for a type byte.
  Buffer malformed = List({DriveItem("D:\\")});
  malformed.insert(malformed.end() - 2, {0x02, 0x00});
  list = DecodeShellItemList(malformed);
  EXPECT_EQ(list.end, ListEnd::Malformed);
  EXPECT_EQ(list.items.size(), 1u);
  // Far more items than any path.
  Buffer endless;
  for (int i = 0; i < 600; ++i)
    endless.insert(endless.end(), {0x03, 0x00, 0x71});
  Put16(endless, 0);
  list = DecodeShellItemList(endless);
  EXPECT_EQ(list.end, ListEnd::TooLong);
  EXPECT_EQ(list.items.size(), 512u);
}

} // namespace
} // namespace tw
