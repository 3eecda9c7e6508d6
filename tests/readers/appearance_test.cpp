#include <gtest/gtest.h>

#include "readers/appearance.h"
#include "runtime/exceptions.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using test::Rows;

Rows Labels(const Rows& rows) {
  Rows labels;
  for (const std::string& row : rows)
    labels.push_back(row.substr(0, row.find('=') + 1));
  return labels;
}

class AppearanceTest : public test::ReaderTest {};

TEST_F(AppearanceTest, CursorSchemesListEachSchemeWithItsFiles) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(
      Run(ReadCursorSchemes),
      (Rows{"Windows Black=%SYSTEMROOT%\\Cursors\\arrow_r.cur,%SYSTEMROOT%\\Cursors\\help_r.cur",
            "Magnified=C:\\WINDOWS\\Cursors\\arrow_m.cur,C:\\WINDOWS\\Cursors\\help_m.cur",
            "Broken Scheme="}));
}

TEST_F(AppearanceTest, WithoutSchemesThereAreNoRows) {
  EXPECT_TRUE(Run(ReadCursorSchemes).empty());
}

TEST_F(AppearanceTest, CursorsAlwaysGiveSixteenRowsInOrder) {
  EXPECT_EQ(Run(ReadCursors),
            (Rows{"[ Current Scheme ]=", "Normal Select=", "Help Select=", "Working in Background=",
                  "Busy=", "Precision Select=", "Text Select=", "Handwriting=", "Unavailable=",
                  "Vertical Resize=", "Horizontal Resize=", "Diagonal Resize 1=",
                  "Diagonal Resize 2=", "Move=", "Alternate Select=", "Link Select="}));
}

TEST_F(AppearanceTest, CursorsShowTheSchemeAndFilesAsStored) {
  LoadFixture("catalog.reg");
  const Rows rows = Run(ReadCursors);
  ASSERT_EQ(rows.size(), 16u);
  EXPECT_EQ(rows[0], "[ Current Scheme ]=Magnified");
  EXPECT_EQ(rows[1], "Normal Select=C:\\WINDOWS\\Cursors\\arrow_m.cur");
  EXPECT_EQ(rows[2], "Help Select=");
  EXPECT_EQ(rows[4], "Busy=%SystemRoot%\\Cursors\\busy_m.cur");
  EXPECT_EQ(rows[6], "Text Select=");
  EXPECT_EQ(rows[15], "Link Select=C:\\WINDOWS\\Cursors\\hand_m.cur");
}

TEST_F(AppearanceTest, ACursorValueThatIsNotTextEndsTheRun) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Control Panel\\Cursors]\r\n"
          "\"Arrow\"=\"a.cur\"\r\n\"No\"=dword:00000001\r\n");
  EXPECT_EQ(RunFailing<ERegistryException>(ReadCursors), "Invalid data type for 'No'");
}

TEST_F(AppearanceTest, DesktopGivesTenRowsOnAnEmptyProfile) {
  EXPECT_EQ(Run(ReadDesktop),
            (Rows{"Wallpaper=", "Wallpaper - Original=", "Wallpaper - Converted=",
                  "Paint Desktop Version=False", "Screen Saver is Active=False",
                  "Screen Saver is Secure=False", "Screen Saver Time Out= Second(s)",
                  "Wallpaper Style=", "Icon Size=", "Icon BPP="}));
}

TEST_F(AppearanceTest, DesktopShowsItsSettings) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(
      Run(ReadDesktop),
      (Rows{"Wallpaper=C:\\Documents and Settings\\Examiner\\Local Settings\\Application "
            "Data\\Microsoft\\Wallpaper1.bmp",
            "Wallpaper - Original=C:\\Documents and Settings\\Examiner\\My Documents\\My "
            "Pictures\\beach.jpg",
            "Wallpaper - Converted=", "Paint Desktop Version=False", "Screen Saver is Active=True",
            "Screen Saver is Secure=False", "Screen Saver Time Out=600 Second(s)",
            "Wallpaper Style=Stretch", "Icon Size=32", "Icon BPP="}));
}

TEST_F(AppearanceTest, DesktopFlagsAreTrueOnlyForTheTextOne) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
          "\"PaintDesktopVersion\"=\"1\"\r\n\"ScreenSaveActive\"=dword:00000001\r\n"
          "\"ScreenSaverIsSecure\"=\" 1\"\r\n");
  const Rows rows = Run(ReadDesktop);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[3], "Paint Desktop Version=True");
  EXPECT_EQ(rows[4], "Screen Saver is Active=False");
  EXPECT_EQ(rows[5], "Screen Saver is Secure=False");
}

struct WallpaperCase {
  const char* name;
  const char* style; // .reg data of WallpaperStyle, or null when missing
  const char* tile;  // .reg data of TileWallpaper, or null when missing
  const char* label;
};

void PrintTo(const WallpaperCase& c, std::ostream* os) {
  *os << c.name;
}

class WallpaperStyleTest : public test::ReaderTest,
                           public testing::WithParamInterface<WallpaperCase> {};

TEST_P(WallpaperStyleTest, ComesFromTheExactPairOfTexts) {
  const WallpaperCase& c = GetParam();
  std::string reg = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n";
  if (c.style)
    reg += std::string("\"WallpaperStyle\"=") + c.style + "\r\n";
  if (c.tile)
    reg += std::string("\"TileWallpaper\"=") + c.tile + "\r\n";
  LoadReg(reg);
  EXPECT_EQ(Run(ReadDesktop)[7], std::string("Wallpaper Style=") + c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, WallpaperStyleTest,
    testing::Values(WallpaperCase{"Style0Tile1", "\"0\"", "\"1\"", "Tile"},
                    WallpaperCase{"Style0Tile0", "\"0\"", "\"0\"", "Center"},
                    WallpaperCase{"Style2Tile0", "\"2\"", "\"0\"", "Stretch"},
                    WallpaperCase{"Style2Tile1", "\"2\"", "\"1\"", ""},
                    WallpaperCase{"Style1Tile0", "\"1\"", "\"0\"", ""},
                    WallpaperCase{"Style10Tile0", "\"10\"", "\"0\"", ""},
                    WallpaperCase{"StyleNumber", "dword:0", "\"1\"", ""},
                    WallpaperCase{"Expandable", "hex(2):30,00", "hex(2):31,00", "Tile"},
                    WallpaperCase{"StyleWithBlank", "\" 0\"", "\"1\"", ""},
                    WallpaperCase{"TileMissing", "\"0\"", nullptr, ""},
                    WallpaperCase{"BothMissing", nullptr, nullptr, ""}),
    [](const testing::TestParamInfo<WallpaperCase>& info) { return std::string(info.param.name); });

TEST_F(AppearanceTest, SoundsAlwaysGiveFiftyRowsInOrder) {
  const Rows rows = Run(ReadSounds);
  ASSERT_EQ(rows.size(), 50u);
  EXPECT_EQ(rows, Labels(rows)) << "every value is empty";
  EXPECT_EQ(rows[0], "Windows - Asterisk=");
  EXPECT_EQ(rows[22], "Windows - Select=");
  EXPECT_EQ(rows[28], "NetMeeting - Person Joins=");
  EXPECT_EQ(rows[32], "Windows Explorer - Blocked Pop-up Window=");
  EXPECT_EQ(rows[40], "Microsoft Developer - Breakpoint Hit=");
  EXPECT_EQ(rows[49], "Windows Messenger - New Message=");
}

TEST_F(AppearanceTest, SoundsReadTheCurrentSchemeWhateverTheCaseOfItsKey) {
  LoadFixture("catalog.reg");
  const Rows rows = Run(ReadSounds);
  ASSERT_EQ(rows.size(), 50u);
  EXPECT_EQ(rows[0], "Windows - Asterisk=ding.wav");
  EXPECT_EQ(rows[3], "Windows - Critical Stop=");
  EXPECT_EQ(rows[4], "Windows - Default Beep=C:\\WINDOWS\\Media\\Windows XP Ding.wav");
  EXPECT_EQ(rows[22], "Windows - Select=select.wav");
  EXPECT_EQ(rows[27], "Windows - Windows Logon=%SystemRoot%\\Media\\Windows XP Startup.wav");
  EXPECT_EQ(rows[28], "NetMeeting - Person Joins=joins.wav");
  EXPECT_EQ(rows[39], "Windows Explorer - Start Navigation=start.wav");
  EXPECT_EQ(rows[42], "Microsoft Developer - Build Error=");
  EXPECT_EQ(rows[49], "Windows Messenger - New Message=C:\\Program Files\\Messenger\\newemail.wav");
}

TEST_F(AppearanceTest, ASoundThatIsNotTextEndsTheRun) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\Explorer\\EmptyRecycleBin\\."
          "Current]\r\n@=hex:00\r\n");
  EXPECT_EQ(RunFailing<ERegistryException>(ReadSounds), "Invalid data type for ''");
}

} // namespace
} // namespace tw
