#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "support/binary_values.h"

namespace tw {
namespace {

using namespace test::binary;

TEST(FileTime, FormatsUtcWithLeapDaysAndMarksTheEmptyStamp) {
  EXPECT_EQ(FormatFileTime(116444736000000000ull), "1970-01-01 00:00:00");
  EXPECT_EQ(FormatFileTime(132274943990000000ull), "2020-02-29 23:59:59");
  EXPECT_EQ(FormatFileTime(133485015070000000ull + 9'999'999), "2023-12-31 13:05:07");
  EXPECT_EQ(FormatFileTime(1), "1601-01-01 00:00:00");
  EXPECT_EQ(FormatFileTime(0), "(never)");
  EXPECT_EQ(FormatFileTime(~0ull), "(undecodable: 8 bytes)");
}

TEST(SystemTime, FormatsTheFieldsAndRefusesShortOrImpossibleStamps) {
  Buffer st;
  for (const unsigned v : {2019u, 7u, 3u, 17u, 8u, 9u, 10u, 500u})
    Put16(st, v);
  EXPECT_EQ(FormatSystemTime(st), "2019-07-17 08:09:10");
  EXPECT_FALSE(FormatSystemTime(Bytes(st).first(15)));
  st[2] = 13; // month 13
  EXPECT_FALSE(FormatSystemTime(st));
}

TEST(UserAssistRecord, DecodesCountsFocusTimeAndLastRun) {
  const Buffer r = UserAssistRecordBytes(14, 3, 3'723'999, 132274943990000000ull);
  ASSERT_EQ(r.size(), kUserAssistRecordSize);
  EXPECT_EQ(DescribeUserAssistRecord(r),
            "Run Count 14, Focus Count 3, Focus Time 01:02:03, Last Run 2020-02-29 23:59:59");
  EXPECT_EQ(DescribeUserAssistRecord(UserAssistRecordBytes(0, 0, 0, 0)),
            "Run Count 0, Focus Count 0, Focus Time 00:00:00, Last Run (never)");
}

TEST(UserAssistRecord, OtherSizesAreUndecodable) {
  const Buffer r = UserAssistRecordBytes(1, 1, 1, 1);
  EXPECT_EQ(DescribeUserAssistRecord(Bytes(r).first(71)), "(undecodable: 71 bytes)");
  EXPECT_EQ(DescribeUserAssistRecord(Bytes(r).first(16)), "(undecodable: 16 bytes)");
  Buffer longer = r;
  longer.push_back(0);
  EXPECT_EQ(DescribeUserAssistRecord(longer), "(undecodable: 73 bytes)");
  EXPECT_EQ(DescribeUserAssistRecord({}), "(undecodable: 0 bytes)");
}

TEST(KnownFolders, ALeadingGuidBecomesTheFolderNameInAnyCase) {
  EXPECT_EQ(ReplaceKnownFolderPrefix("{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}\\cmd.exe"),
            "System32\\cmd.exe");
  EXPECT_EQ(ReplaceKnownFolderPrefix("{7c5a40ef-a0fb-4bfc-874a-c0f2e0b9fa8e}\\App\\a.exe"),
            "Program Files (x86)\\App\\a.exe");
  // Unknown GUIDs, GUIDs that do not lead and short names stay as they are.
  EXPECT_EQ(ReplaceKnownFolderPrefix("{00000000-0000-0000-0000-000000000000}\\x"),
            "{00000000-0000-0000-0000-000000000000}\\x");
  EXPECT_EQ(ReplaceKnownFolderPrefix("C:\\{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}"),
            "C:\\{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}");
  EXPECT_EQ(ReplaceKnownFolderPrefix("{1AC14E77"), "{1AC14E77");
  EXPECT_EQ(ReplaceKnownFolderPrefix("Microsoft.Windows.Explorer"), "Microsoft.Windows.Explorer");
}

TEST(MruListEx, GivesTheEntriesUpToTheTerminatorIgnoringAPartialTail) {
  Buffer b;
  for (const std::uint32_t v : {3u, 0u, 17u, 0xFFFFFFFFu, 9u})
    Put32(b, v);
  EXPECT_EQ(DecodeMruListEx(b), (std::vector<std::uint32_t>{3, 0, 17}));
  Buffer unterminated;
  Put32(unterminated, 2);
  Put32(unterminated, 1);
  unterminated.push_back(7);
  EXPECT_EQ(DecodeMruListEx(unterminated), (std::vector<std::uint32_t>{2, 1}));
  EXPECT_TRUE(DecodeMruListEx({}).empty());
}

TEST(Utf16String, StopsAtTheTerminatorAndNeedsOne) {
  Buffer b;
  PutUtf16Z(b, "report.docx");
  b.push_back(0x55);
  std::size_t consumed = 0;
  EXPECT_EQ(DecodeUtf16String(b, &consumed), "report.docx");
  EXPECT_EQ(consumed, 24u);
  EXPECT_FALSE(DecodeUtf16String(Bytes(b).first(22)));
  EXPECT_FALSE(DecodeUtf16String(Bytes(b).first(1)));
}

TEST(ItemIdList, DecodesRootDriveAndFileItemsToAPath) {
  const Buffer list = List({RootItem(0x50, kMyComputer), DriveItem("C:\\"), FileItem("USERS"),
                            FileItem("QUARTE~1.XLS", "Quarterly report 2023.xlsx")});
  EXPECT_EQ(DecodeItemIdList(list), "C:\\USERS\\Quarterly report 2023.xlsx");
  EXPECT_EQ(DecodeItemIdList(List({RootItem(0x50, kMyComputer)})), "My Computer");
  EXPECT_EQ(DecodeItemIdList(List({})), "");
  // Windows 10's dialogs record This PC's Downloads, not the Downloads known folder.
  EXPECT_EQ(DecodeItemIdList(List({RootItem(0x50, kMyComputer),
                                   KnownFolderItem("{088E3905-0323-4B02-9826-5D99428E115F}"),
                                   FileItem("TAX202~1.PDF", "Tax 2023.pdf", 0x32)})),
            "My Computer\\Downloads\\Tax 2023.pdf");
}

TEST(ItemIdList, DelegateItemsGiveTheNameOfTheFileEntryTheyHold) {
  const Buffer userFiles = GuidBytes("{59031A47-3F72-44A7-89C5-5595FE6B30EE}");
  EXPECT_EQ(
      DecodeItemIdList(List({RootItem(0x44, userFiles), DelegateFolderItem("DOWNLO~1", "Downloads"),
                             FileItem("CHROME~1.EXE", "ChromeSetup.exe", 0x32)})),
      "User Files\\Downloads\\ChromeSetup.exe");
  // Data of another kind: the delegate is named by the class it stands for.
  Buffer other = DelegateFolderItem("DOWNLO~1", "Downloads");
  other[6] = 'X';
  EXPECT_EQ(DecodeItemIdList(List({other})), "{F3364BA0-65B9-11CE-A9BA-00AA004AE837}");
  // Without the delegate GUID after its data the item is no delegate either.
  Buffer broken = DelegateFolderItem("DOWNLO~1", "Downloads");
  broken[6] = 'X';
  broken[4] ^= 0x40;
  EXPECT_EQ(DecodeItemIdList(List({broken})), "(item 0x74)");
}

// A Windows 10 user's class hive: a removable drive at the navigation pane's top was shown as
// "{B710002F-...}" (the delegate's data read as a root's GUID) instead of its drive letter.
TEST(ItemIdList, ADriveHeldByARootDelegateStartsThePathAtItsLetter) {
  const Buffer stored = {
      0x55, 0x00, 0x1f, 0x00, 0x2f, 0x00, 0x10, 0xb7, 0xa6, 0xf5, 0x19, 0x00, 0x2f, 0x44, 0x3a,
      0x5c, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x74, 0x1a, 0x59, 0x5e, 0x96, 0xdf, 0xd3,
      0x48, 0x8d, 0x67, 0x17, 0x33, 0xbc, 0xee, 0x28, 0xba, 0x77, 0x2c, 0xfb, 0xf5, 0x2f, 0x0e,
      0x16, 0x4a, 0xa3, 0x81, 0x3e, 0x56, 0x0c, 0x68, 0xbc, 0x83};
  Buffer list = stored;
  const Buffer coda = FileItem("CODA", "CODA");
  list.insert(list.end(), coda.begin(), coda.end());
  Put16(list, 0);
  EXPECT_EQ(DecodeItemIdList(list), "D:\\CODA");
  EXPECT_EQ(DecodeItemIdList(List({RootItem(0x50, kMyComputer), DriveItem("C:\\"),
                                   RemovableDriveItem('E'), FileItem("PHOTOS")})),
            "E:\\PHOTOS");
}

// Type 0x00 items below the Desktop were all "(item 0x00)": the property views name a known
// folder by GUID or keep the display name in a property store.
TEST(ItemIdList, PropertyViewItemsGiveTheirKnownFolderOrStoredName) {
  EXPECT_EQ(DecodeItemIdList(List({KnownFolderViewItem("{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"),
                                   FileItem("NOTES")})),
            "Desktop\\NOTES");
  EXPECT_EQ(DecodeItemIdList(List({PropertyViewItem(0xBEEBEE00, "Desktop Background")})),
            "Desktop Background");
  // A view whose store holds no display name stays unnamed.
  Buffer unnamed = PropertyViewItem(0x10141981, "x");
  unnamed[unnamed.size() - 27] = 11; // another property number
  EXPECT_EQ(DecodeItemIdList(List({unnamed})), "(item 0x00)");
}

TEST(ItemIdList, NetworkUnknownAndUnlistedRootItemsAreNamedAsSuch) {
  EXPECT_EQ(DecodeItemIdList(List({NetworkItem("\\\\fileserver"),
                                   NetworkItem("\\\\fileserver\\share"), FileItem("DOCS")})),
            "\\\\fileserver\\share\\DOCS");
  Buffer guid(16, 0x11);
  EXPECT_EQ(DecodeItemIdList(List({RootItem(0x48, guid), Item({0x71, 0x00, 0x01})})),
            "{11111111-1111-1111-1111-111111111111}\\(item 0x71)");
}

TEST(ItemIdList, BrokenListsAreUndecodableWithoutReadingPastTheEnd) {
  const Buffer good =
      List({RootItem(0x50, kMyComputer), DriveItem("D:\\"), FileItem("A", "A long name"),
            DelegateFolderItem("B", "B long"), NetworkItem("\\\\s\\x")});
  // Every truncation: a size past the end or a missing terminator.
  for (std::size_t n = 0; n < good.size(); ++n) {
    const Buffer cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_EQ(DecodeItemIdList(cut), "(undecodable: " + std::to_string(n) + " bytes)") << n;
  }
  // Sizes that would never advance.
  EXPECT_EQ(DecodeItemIdList(Buffer{0x01, 0x00, 0x00, 0x00}), "(undecodable: 4 bytes)");
  EXPECT_EQ(DecodeItemIdList(Buffer{0x02, 0x00, 0x02, 0x00, 0x00, 0x00}), "(undecodable: 6 bytes)");
  // A list that never ends within the limit.
  Buffer endless;
  for (int i = 0; i < 600; ++i) {
    const Buffer item = Item({0x71, 0x00});
    endless.insert(endless.end(), item.begin(), item.end());
  }
  Put16(endless, 0);
  EXPECT_EQ(DecodeItemIdList(endless), Undecodable(endless.size()));
}

TEST(LastVisitedEntry, SplitsTheProgramFromItsFolder) {
  Buffer entry;
  PutUtf16Z(entry, "notepad.exe");
  const Buffer list = List({RootItem(0x50, kMyComputer), DriveItem("C:\\"), FileItem("TEMP")});
  entry.insert(entry.end(), list.begin(), list.end());
  const ProgramAndFolder decoded = DecodeLastVisitedEntry(entry);
  EXPECT_EQ(decoded.program, "notepad.exe");
  EXPECT_EQ(decoded.folder, "C:\\TEMP");
  EXPECT_EQ(DecodeLastVisitedEntry(Buffer{'n', 0, 'o'}).program, "(undecodable: 3 bytes)");
}

} // namespace
} // namespace tw
