#include <gtest/gtest.h>

#include "readers/history.h"
#include "runtime/exceptions.h"
#include "support/reader_test.h"

namespace tw {
namespace {

using test::Rows;

using HistoryReaderTest = test::ReaderTest;

TEST_F(HistoryReaderTest, RegeditFavoritesEndWithTheLastKey) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadRegeditFavorites),
            (Rows{"Run keys=My "
                  "Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                  "services=My Computer\\HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services",
                  "a=b name=value with = sign", "Counter=",
                  "Regedit Last Key=My Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft"}));
}

TEST_F(HistoryReaderTest, RegeditWithoutFavoritesOrLastKeyStillGivesTheLastKeyRow) {
  EXPECT_EQ(Run(ReadRegeditFavorites), Rows{"Regedit Last Key="});
}

TEST_F(HistoryReaderTest, RegeditLastKeyOfAnotherTypeFailsTheRun) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_"
          "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit]\r\n"
          "\"LastKey\"=dword:00000001\r\n");
  // Raises ERegistryException and leaves no key open.
  EXPECT_EQ(RunFailing<ERegistryException>(ReadRegeditFavorites),
            "Invalid data type for 'LastKey'");
}

TEST_F(HistoryReaderTest, OpenSaveMruWalksOneLevelOfSubKeys) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadOpenSaveMru),
            (Rows{"*\\a=C:\\Documents and Settings\\Examiner\\Desktop\\case-notes.txt",
                  "*\\b=C:\\WINDOWS\\system32\\drivers\\etc\\hosts", "*\\MRUList=ba",
                  "exe\\a=%SystemRoot%\\regedit.exe", "exe\\b=", "exe\\MRUList=ab",
                  "txt\\a=C:\\Documents and Settings\\Examiner\\Desktop\\case-notes.txt",
                  "txt\\MRUList=a"}));
}

TEST_F(HistoryReaderTest, OpenSaveMruWithTwoSubKeysOfThreeValuesGivesSixRows) {
  LoadReg("REGEDIT4\r\n"
          "[HKEY_CURRENT_"
          "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\doc"
          "]\r\n"
          "\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"c\"=\"3\"\r\n"
          "[HKEY_CURRENT_"
          "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU\\jpg"
          "]\r\n"
          "\"x\"=\"4\"\r\n\"y\"=\"5\"\r\n\"z\"=\"6\"\r\n");
  EXPECT_EQ(Run(ReadOpenSaveMru),
            (Rows{"doc\\a=1", "doc\\b=2", "doc\\c=3", "jpg\\x=4", "jpg\\y=5", "jpg\\z=6"}));
}

TEST_F(HistoryReaderTest, MmcRecentFilesShowValuesAsStored) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadMmcRecentFiles),
            (Rows{"File1=C:\\WINDOWS\\system32\\compmgmt.msc",
                  "File2=%SystemRoot%\\system32\\devmgmt.msc", "File3=", "File4=C:\\cut"}));
}

TEST_F(HistoryReaderTest, MuiCacheShowsTextThenNameWithoutTheFirstLangIdRow) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadMuiCache), (Rows{"Notepad=C:\\WINDOWS\\system32\\notepad.exe",
                                     "Viewer=C:\\Program Files\\Tools\\viewer.exe",
                                     "Desktop=@C:\\WINDOWS\\system32\\shell32.dll,-8496",
                                     "=C:\\Tools\\empty.exe", "Notepad=C:\\Tools\\second.exe"}));
}

TEST_F(HistoryReaderTest, MuiCacheRemovesLangIdWhateverItsCase) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache]\r\n"
          "\"x.exe\"=\"X\"\r\n\"LANGID\"=hex:09,04\r\n");
  EXPECT_EQ(Run(ReadMuiCache), Rows{"X=x.exe"});
}

TEST_F(HistoryReaderTest, NetworkRecentListsTheDefaultValueWithAnEmptyName) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadNetworkRecent),
            (Rows{"=\\\\FILESRV\\share", "\\\\FILESRV\\cases=Case share", "\\\\NAS\\evidence="}));
}

TEST_F(HistoryReaderTest, RunMruAndTypedUrlsAsStored) {
  LoadFixture("catalog.reg");
  EXPECT_EQ(Run(ReadRunMru), (Rows{"a=regedit\\1", "b=cmd /k ipconfig /all\\1",
                                   "c=\\\\FILESRV\\share\\1", "MRUList=cab"}));
  EXPECT_EQ(Run(ReadTypedUrls),
            (Rows{"url1=http://www.example.com/",
                  "url2=https://intranet.example.org/login?user=me&next=%2Fhome",
                  "url10=ftp://files.example.net/pub/", "url3=%USERPROFILE%\\Desktop"}));
}

TEST_F(HistoryReaderTest, MissingKeysGiveNoRows) {
  EXPECT_TRUE(Run(ReadOpenSaveMru).empty());
  EXPECT_TRUE(Run(ReadMmcRecentFiles).empty());
  EXPECT_TRUE(Run(ReadMuiCache).empty());
  EXPECT_TRUE(Run(ReadNetworkRecent).empty());
  EXPECT_TRUE(Run(ReadRunMru).empty());
  EXPECT_TRUE(Run(ReadTypedUrls).empty());
}

} // namespace
} // namespace tw
