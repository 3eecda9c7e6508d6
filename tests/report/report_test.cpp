#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "report/report.h"
#include "runtime/exceptions.h"
#include "support/platform.h"

namespace tw {
namespace {

using Rows = std::vector<std::string>;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
    lines.push_back(text.substr(pos, end - pos));
  EXPECT_EQ(pos, text.size()) << "the last line ends in CR LF";
  return lines;
}

TEST(HtmlReport, FixedTextsHaveTheirLengths) {
  const std::vector<std::string> lines =
      Lines(HtmlReport("L", {"k=", "a=b"}, LinkRule::RemoveQuotes));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0].size(), 55u);
  EXPECT_EQ(lines[1], "<html><head><title>Trailwick - L</title></head>");
  EXPECT_EQ(lines[2].size(), 6u);
  EXPECT_EQ(lines[3].size(), 20u + 1u + 12u);
  EXPECT_EQ(lines[3][0], ' ');
  EXPECT_EQ(lines[4].size(), 1u + 59u);
  EXPECT_EQ(lines[4][0], '\t');
  EXPECT_EQ(lines[5].size(), 54u);
  EXPECT_EQ(lines[6].size(), 56u);
  EXPECT_EQ(lines[7].size(), 31u + 1u + 27u + 37u);
  EXPECT_EQ(lines[8].size(), 31u + 1u + 27u + 1u);
  EXPECT_EQ(lines[9].size(), 8u);
  EXPECT_EQ(lines[11].size(), 14u);
}

// A report from evidence differs from one of the running system's registry in its title alone:
// the TXT report's first line and the page's title name the source, escaped as any text.
TEST(ReportFromEvidence, OnlyTheTitleNamesTheSource) {
  const Rows rows = {"k=v", "a=C:\\x"};
  const std::string source = "offline: NTUSER.DAT, R&D <copy>";
  EXPECT_EQ(ReportTitle("[H] L (CU)", source), "Trailwick - [H] L (CU) - " + source);
  EXPECT_EQ(TextReport(rows, "[H] L (CU)", source),
            "Trailwick - [H] L (CU) - " + source + "\r\n" + TextReport(rows));
  const std::vector<std::string> live = Lines(HtmlReport("L&", rows, LinkRule::RemoveQuotes));
  const std::vector<std::string> offline =
      Lines(HtmlReport("L&", rows, LinkRule::RemoveQuotes, source));
  ASSERT_EQ(offline.size(), live.size());
  EXPECT_EQ(offline[1], "<html><head><title>Trailwick - L&amp; - offline: NTUSER.DAT, R&amp;D "
                        "&lt;copy&gt;</title></head>");
  for (size_t i = 0; i < live.size(); ++i)
    if (i != 1) {
      EXPECT_EQ(offline[i], live[i]) << i;
    }
  // No source: the reports of today.
  EXPECT_EQ(TextReport(rows, "L", ""), TextReport(rows));
  EXPECT_EQ(HtmlReport("L", rows, LinkRule::RemoveQuotes, ""),
            HtmlReport("L", rows, LinkRule::RemoveQuotes));
}

TEST(HtmlReport, LinkPiecesHaveTheirLengths) {
  const std::string line = HtmlRowLine("K=C:\\", LinkRule::RemoveQuotes);
  // row start (31) K, link start (36), target, link middle (18), text, link end (4)
  EXPECT_EQ(line.size(), 31u + 1u + 36u + 11u + 18u + 3u + 4u);
  EXPECT_EQ(line.substr(32, 36).back(), '"');
}

TEST(HtmlReport, RowsGetLinksOnlyForDrivePathsNotStartingWithAt) {
  EXPECT_EQ(HtmlRowLine("Common Desktop=C:\\Documents and Settings\\All Users\\Desktop",
                        LinkRule::RemoveQuotes),
            "<tr><td bgcolor=#FFFFFF nowrap>Common Desktop<td bgcolor=#FFFFFF nowrap><a "
            "href=\"file:///C:\\Documents and Settings\\All Users\\Desktop\" "
            "target=\"newwin\">C:\\Documents and Settings\\All Users\\Desktop</a>");
  EXPECT_EQ(HtmlRowLine("DisplayName=", LinkRule::RemoveQuotes),
            "<tr><td bgcolor=#FFFFFF nowrap>DisplayName<td bgcolor=#FFFFFF nowrap><font "
            "color=#FF0000><b>N/A</b></font>");
  EXPECT_EQ(HtmlRowLine("x=@C:\\a.dll,-1", LinkRule::RemoveQuotes),
            "<tr><td bgcolor=#FFFFFF nowrap>x<td bgcolor=#FFFFFF nowrap>@C:\\a.dll,-1");
  EXPECT_EQ(HtmlRowLine("x=C:/a", LinkRule::RemoveQuotes),
            "<tr><td bgcolor=#FFFFFF nowrap>x<td bgcolor=#FFFFFF nowrap>C:/a");
  EXPECT_NE(HtmlRowLine("x=a @ b:\\c", LinkRule::RemoveQuotes).find("href=\"file:///a @ b:\\c\""),
            std::string::npos);
}

TEST(HtmlReport, TheRunPathRuleRemovesEveryPrefixButKeepsQuotes) {
  EXPECT_EQ(HtmlRowLine("k=UEME_RUNPATH:C:\\WINDOWS\\notepad.exe", LinkRule::RemoveRunPathPrefix),
            "<tr><td bgcolor=#FFFFFF nowrap>k<td bgcolor=#FFFFFF nowrap><a "
            "href=\"file:///C:\\WINDOWS\\notepad.exe\" "
            "target=\"newwin\">UEME_RUNPATH:C:\\WINDOWS\\notepad.exe</a>");
  const std::string twice =
      HtmlRowLine("k=UEME_RUNPATH:C:\\a UEME_RUNPATH:\"D:\\b\"", LinkRule::RemoveRunPathPrefix);
  EXPECT_NE(twice.find("href=\"file:///C:\\a &quot;D:\\b&quot;\""), std::string::npos) << twice;
  // Case-sensitive, and the other rule keeps the prefix.
  EXPECT_NE(HtmlRowLine("k=ueme_runpath:C:\\a", LinkRule::RemoveRunPathPrefix)
                .find("file:///ueme_runpath:C:\\a"),
            std::string::npos);
  EXPECT_NE(HtmlRowLine("k=UEME_RUNPATH:C:\\a", LinkRule::RemoveQuotes)
                .find("file:///UEME_RUNPATH:C:\\a"),
            std::string::npos);
}

TEST(HtmlReport, EscapesRegistryTextEverywhere) {
  const std::string html =
      HtmlReport("<b>\"&", {"<script>=\"C:\\x\"&<y>", "k=<img src=x onerror=alert(1)>"},
                 LinkRule::RemoveRunPathPrefix);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("<img"), std::string::npos);
  EXPECT_EQ(html.find("<b>\""), std::string::npos);
  EXPECT_NE(html.find("<title>Trailwick - &lt;b&gt;&quot;&amp;</title>"), std::string::npos);
  EXPECT_NE(html.find("<font size=\"6\">&lt;b&gt;&quot;&amp;</font>"), std::string::npos);
  EXPECT_NE(html.find("nowrap>&lt;script&gt;<td bgcolor=#FFFFFF nowrap><a "
                      "href=\"file:///&quot;C:\\x&quot;&amp;&lt;y&gt;\" "
                      "target=\"newwin\">&quot;C:\\x&quot;&amp;&lt;y&gt;</a>"),
            std::string::npos)
      << html;
}

TEST(TextReport, EveryRowEndsInCrLf) {
  EXPECT_EQ(TextReport({}), "");
  EXPECT_EQ(TextReport({"a=b", "=c", "d"}), "a=b\r\n=c\r\nd\r\n");
}

TEST(ReportFileName, KeepsCatalogLabels) {
  for (const char* label : {"[C] Regedit Favorites & Last Key (CU)",
                            "[H] User Assist - {0D6D4F41-2994-4BA0-8FEF-620E43CD2812}  (CU)",
                            "[O] Startup - Services (Path) (LM)", "7-Zip", "Notepad++"})
    EXPECT_EQ(ReportFileName(label), label);
}

TEST(ReportFileName, ReplacesWhatWouldLeaveTheFolderOrBreakTheName) {
  EXPECT_EQ(ReportFileName("..\\..\\Windows\\evil"), ".._.._Windows_evil");
  EXPECT_EQ(ReportFileName("a/b:c*d?e\"f<g>h|i"), "a_b_c_d_e_f_g_h_i");
  EXPECT_EQ(ReportFileName(std::string("tab\there\x01") + "\x1f"), "tab_here__");
  EXPECT_EQ(ReportFileName("."), "_");
  EXPECT_EQ(ReportFileName(".."), "_");
  EXPECT_EQ(ReportFileName("..."), "_");
  EXPECT_EQ(ReportFileName("..a"), "..a");
}

TEST(ReportFileName, DeviceNamesGetAPrefix) {
  EXPECT_EQ(ReportFileName("NUL"), "_NUL");
  EXPECT_EQ(ReportFileName("con"), "_con");
  EXPECT_EQ(ReportFileName("Com1.old"), "_Com1.old");
  EXPECT_EQ(ReportFileName("LPT9 "), "_LPT9 ");
  EXPECT_EQ(ReportFileName("COM0"), "COM0");
  EXPECT_EQ(ReportFileName("Console"), "Console");
}

TEST(ReportFormatOf, MapsTheSaveAsEntries) {
  EXPECT_EQ(ReportFormatOf(0), ReportFormat::Text);
  EXPECT_EQ(ReportFormatOf(1), ReportFormat::Html);
  EXPECT_FALSE(ReportFormatOf(-1));
  EXPECT_FALSE(ReportFormatOf(2));
}

class WriteReportTest : public test::PortablePlatformTest {};

TEST_F(WriteReportTest, TheFolderIsNamedAfterTheLocalDateBesideTheExecutable) {
  EXPECT_EQ(ReportFolder({2026, 12, 7}), ExeFolder() + "07-12-2026");
  EXPECT_EQ(ReportFolder({987, 1, 31}), ExeFolder() + "31-01-0987");
  const std::string path =
      WriteReport("[H] Run MRU (CU)", {"a=b"}, ReportFormat::Text, LinkRule::RemoveQuotes);
  EXPECT_EQ(path, ExeFolder() + "07-12-2026\\[H] Run MRU (CU).txt");
  EXPECT_EQ(ReadReport("[H] Run MRU (CU).txt"), "a=b\r\n");
}

TEST_F(WriteReportTest, AFolderOfANewDateIsCreatedOnDemandAndTheOldOneStays) {
  WriteReport("A", {"x=1"}, ReportFormat::Text, LinkRule::RemoveQuotes);
  system.now.day = 8;
  WriteReport("A", {"x=2"}, ReportFormat::Text, LinkRule::RemoveQuotes);
  EXPECT_EQ(test::ReadFileBytes(HostPath(ExeFolder() + "07-12-2026\\A.txt")), "x=1\r\n");
  EXPECT_EQ(test::ReadFileBytes(HostPath(ExeFolder() + "08-12-2026\\A.txt")), "x=2\r\n");
}

TEST_F(WriteReportTest, ASecondSaveReplacesTheFile) {
  WriteReport("A", {"x=1", "y=2"}, ReportFormat::Text, LinkRule::RemoveQuotes);
  WriteReport("A", {"z=3"}, ReportFormat::Text, LinkRule::RemoveQuotes);
  EXPECT_EQ(ReportFiles(), (Rows{"A.txt"}));
  EXPECT_EQ(ReadReport("A.txt"), "z=3\r\n");
}

TEST_F(WriteReportTest, AHostileLabelStaysInTheReportFolder) {
  const std::string path =
      WriteReport("..\\..\\escape", {}, ReportFormat::Html, LinkRule::RemoveQuotes);
  EXPECT_EQ(path, ReportFolderPath() + "\\.._.._escape.html");
  EXPECT_EQ(ReportFiles(), (Rows{".._.._escape.html"}));
  EXPECT_NE(ReadReport(".._.._escape.html").find("<title>Trailwick - ..\\..\\escape</title>"),
            std::string::npos);
}

TEST_F(WriteReportTest, AFileThatCannotBeCreatedRaisesWithThePathAndTheSystemText) {
  // A file where the dated folder should be: the folder can't be made, the report can't be
  // created inside it.
  std::ofstream(HostPath(ReportFolderPath()), std::ios::binary) << "in the way";
  const std::string expected = "Cannot create file \"" + ReportFolderPath() + "\\A.txt\". ";
  try {
    WriteReport("A", {"x=1"}, ReportFormat::Text, LinkRule::RemoveQuotes);
    FAIL() << "no error";
  } catch (const EFCreateError& error) {
    const std::string message = error.Message();
    EXPECT_EQ(message.substr(0, expected.size()), expected);
    EXPECT_GT(message.size(), expected.size()) << "the system's text follows";
    EXPECT_NE(message.back(), '.');
  }
}

// The host file system, except that the disk fills after `room` bytes of a write.
class FillingDisk final : public FileSystem {
public:
  explicit FillingDisk(FileSystem& inner) : inner_(inner) {}
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  void WriteFile(const std::string& path, std::string_view bytes) override {
    inner_.WriteFile(path, bytes.substr(0, room));
    if (bytes.size() > room)
      throw EWriteError("Stream write error");
  }
  std::optional<std::string> MoveReplacing(const std::string& from,
                                           const std::string& to) override {
    return inner_.MoveReplacing(from, to);
  }
  void RemoveFile(const std::string& path) override { inner_.RemoveFile(path); }
  size_t room = 10;

private:
  FileSystem& inner_;
};

TEST_F(WriteReportTest, ADiskThatFillsMidwayLeavesTheEarlierReportIntact) {
  WriteReport("A", {"x=1"}, ReportFormat::Html, LinkRule::RemoveQuotes);
  const std::string earlier = ReadReport("A.html");
  FillingDisk disk(files);
  {
    ScopedSeam<FileSystem> seam(disk);
    EXPECT_THROW(WriteReport("A", {"y=2", "z=3"}, ReportFormat::Html, LinkRule::RemoveQuotes),
                 EWriteError);
  }
  EXPECT_EQ(ReadReport("A.html"), earlier);
  EXPECT_EQ(ReportFiles(), (Rows{"A.html"})) << "nothing left beside it";
  // With room enough the same seam replaces the report.
  disk.room = 1 << 20;
  ScopedSeam<FileSystem> seam(disk);
  WriteReport("A", {"y=2"}, ReportFormat::Text, LinkRule::RemoveQuotes);
  WriteReport("A", {"z=3"}, ReportFormat::Text, LinkRule::RemoveQuotes);
  EXPECT_EQ(ReadReport("A.txt"), "z=3\r\n");
}

TEST_F(WriteReportTest, AReportThatCannotTakeItsPlaceNamesItAndLeavesNothingBeside) {
  // A folder of the report's name cannot be replaced by a file.
  std::filesystem::create_directories(HostPath(ReportFolderPath() + "\\A.txt\\kept"));
  try {
    WriteReport("A", {"x=1"}, ReportFormat::Text, LinkRule::RemoveQuotes);
    FAIL() << "no error";
  } catch (const EFCreateError& error) {
    const std::string expected = "Cannot create file \"" + ReportFolderPath() + "\\A.txt\". ";
    EXPECT_EQ(error.Message().substr(0, expected.size()), expected);
    EXPECT_GT(error.Message().size(), expected.size()) << "the system's text follows";
  }
  EXPECT_EQ(ReportFiles(), (Rows{"A.txt"}));
  EXPECT_TRUE(std::filesystem::exists(HostPath(ReportFolderPath() + "\\A.txt\\kept")));
}

TEST(CreateFileErrorMessage, DropsTrailingBlanksAndDotsOfTheSystemText) {
  EXPECT_EQ(CreateFileErrorMessage("C:\\a b\\c.txt", "Access is denied.\r\n"),
            "Cannot create file \"C:\\a b\\c.txt\". Access is denied");
  EXPECT_EQ(CreateFileErrorMessage("x", "Permission denied"),
            "Cannot create file \"x\". Permission denied");
}

} // namespace
} // namespace tw
