// Opening evidence while the window shows: a drop switches a live window to offline and
// replaces an offline set, a file that is no hive (or a damaged one) is refused with its name and
// the reason while the window keeps what it showed, the hives' recovery is told once in a notice
// the user can turn off for the session, a further window shows the same set, and characters
// the window's code page lacks become "?" in rows and reports alike.

#include <gtest/gtest.h>

#include "evidence_support.h"
#include "registry/source_errors.h"
#include "report/report.h"

namespace tw {
namespace {

class EvidenceSessionTest : public test::EvidenceTest {
protected:
  // The message of the error a drop raises; "opened" when it raises none.
  std::string DropError(const std::vector<std::string>& files) {
    try {
      form.FilesDropped(files);
    } catch (const SourceError& e) {
      return e.what();
    }
    return "opened";
  }
};

TEST_F(EvidenceSessionTest, ADropSwitchesALiveWindowToTheDroppedHives) {
  LoadReg("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\r\n"
          "\"url1\"=\"http://examiner.example/\"\r\n");
  WriteDatabase("[Typed addresses]\r\nCheck=HKCU|Software\\Microsoft\\Internet Explorer\\TypedURLs"
                "\r\n[Machine]\r\nCheck=HKLM|SYSTEM\\Select\r\n");
  form.FormCreate(form);
  EXPECT_EQ(form.Caption(), "Trailwick ( XQV )");
  Select(form.ZList, 6);
  ASSERT_EQ(form.Preview.Rows(), std::vector<std::string>{"url1=http://examiner.example/"});
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 1/2 items");

  form.FilesDropped({RealHive("NTUSER.DAT")});
  EXPECT_EQ(form.Caption(), "Trailwick ( XQV ) - offline: NTUSER.DAT");
  // Nothing of the running system's registry stays on show.
  EXPECT_EQ(form.ZList.ItemIndex(), -1);
  EXPECT_EQ(form.Preview.RowCount(), 0);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 0");
  EXPECT_EQ(form.Label3.Caption(), "WKS List : 1/2 items");
  Select(form.ZList, 6);
  EXPECT_EQ(form.Preview.RowCount(), 2);
  EXPECT_EQ(form.Preview.Rows()[0], "url1=http://199.73.28.114:53/");
  EXPECT_FALSE(form.Button5.Enabled());

  // A second drop replaces the set: the user's hive is gone, the machine's is there.
  form.FilesDropped({RealHive("SYSTEM")});
  EXPECT_EQ(form.Caption(), "Trailwick ( XQV ) - offline: SYSTEM");
  Select(form.ZList, 6);
  EXPECT_EQ(form.Preview.RowCount(), 0);
  Select(form.WList, 14);
  EXPECT_EQ(form.Preview3.Rows(),
            std::vector<std::string>{"Disk&Ven_HP&Prod_v100w&Rev_1024\\AA951D0000007252&0=HP "
                                     "v100w USB Device, Installed 2011-04-01 04:52:38, First "
                                     "Installed 2011-04-01 04:52:38, Volume "
                                     "{eba74da6-5bb2-11e0-95d1-000c2971073c}, Drive E:"});
  EXPECT_EQ(form.NMList.Items().ToVector(), std::vector<std::string>{"Machine"});
}

TEST_F(EvidenceSessionTest, AFileThatIsNoHiveOrIsDamagedIsRefusedAndTheWindowKeepsWhatItShowed) {
  const std::string ntuser = RealHive("NTUSER.DAT");
  form.UseEvidence(Open({"--hive", ntuser}));
  form.FormCreate(form);
  Select(form.ZList, 6);
  const std::vector<std::string> shown = form.Preview.Rows();
  const OfflineSet* set = form.Evidence();

  const std::string notes = EvidenceFile("notes.txt", "case notes\r\n");
  EXPECT_EQ(DropError({notes}), notes + ": not a hive (no registry hive signature)");
  const std::string truncated =
      EvidenceFile("cut/NTUSER.DAT", test::ReadFileBytes(ntuser).substr(0, 100000));
  EXPECT_EQ(DropError({truncated}), truncated + ": damaged (truncated: 100000 of 737280 bytes)");
  // One bad file among good ones refuses the whole drop.
  EXPECT_EQ(DropError({RealHive("SYSTEM"), notes}),
            notes + ": not a hive (no registry hive signature)");
  // A hive of a kind the window does not mount.
  const std::string amcache = RealHive("amcache.hve");
  EXPECT_EQ(DropError({amcache}),
            amcache + ": an amcache hive, which the window shows no item of (trailwick-cli reads it)");

  EXPECT_EQ(form.Evidence(), set);
  EXPECT_EQ(form.Caption(), "Trailwick ( XQV ) - offline: NTUSER.DAT");
  EXPECT_EQ(form.ZList.ItemIndex(), 6);
  EXPECT_EQ(form.Preview.Rows(), shown);
  EXPECT_EQ(form.Total.Caption(), "Total Items : 2");
}

TEST_F(EvidenceSessionTest, RecoveryIsToldOnceASetOpensUntilTheUserTurnsItOff) {
  form.FormCreate(form);
  // Clean hives: nothing to tell.
  form.FilesDropped({RealHive("NTUSER.DAT"), RealHive("SYSTEM")});
  EXPECT_TRUE(dialogs.questions.empty());

  // A dirty hive dropped with its logs is brought up to date from them.
  const std::vector<std::string> dirty = {RealHive("transactions_NTUSER.DAT"),
                                          RealHive("transactions_ntuser.dat.log1"),
                                          RealHive("transactions_ntuser.dat.log2")};
  form.FilesDropped(dirty);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0],
            "The hives were read as follows:\r\n\r\n"
            "transactions_NTUSER.DAT: recovered (23 log entries from "
            "transactions_ntuser.dat.log1, sequence 566 -> 589)\r\n"
            "\r\nShow this notice again when hives are opened in this session?");
  EXPECT_EQ(form.Caption(), "Trailwick ( XQV ) - offline: transactions_NTUSER.DAT");

  // Without its logs the same hive is dirty; the notice says so, and is asked to stay away.
  dialogs.answer = Answer::No;
  const std::string alone =
      EvidenceFile("alone/transactions_NTUSER.DAT", test::ReadFileBytes(dirty[0]));
  form.FilesDropped({alone, RealHive("SYSTEM")});
  ASSERT_EQ(dialogs.questions.size(), 2u);
  EXPECT_NE(dialogs.questions[1].find("transactions_NTUSER.DAT: dirty: no transaction logs found "
                                      "beside it; the newest changes may be missing\r\n"
                                      "SYSTEM: clean\r\n"),
            std::string::npos)
      << dialogs.questions[1];
  form.FilesDropped(dirty);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EvidenceSessionTest, WithoutRecoveryTheHiveIsReadAsItIsAndTheNoticeSaysSo) {
  const std::string dirty = RealHive("transactions_NTUSER.DAT");
  RealHive("transactions_ntuser.dat.log1");
  form.UseEvidence(Open({"--hive", dirty, "--no-recover"}));
  form.TellRecovery();
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_NE(dialogs.questions[0].find("transactions_NTUSER.DAT: dirty: not recovered"),
            std::string::npos)
      << dialogs.questions[0];
}

TEST_F(EvidenceSessionTest, AFurtherWindowShowsTheSameSetAndSharesTheNotice) {
  form.UseEvidence(Open({"--hive", RealHive("NTUSER.DAT")}));
  form.FormCreate(form);
  form.Icon.DblClick();
  ASSERT_EQ(forms.forms.size(), 1u);
  TWKSForm& further = *forms.forms[0];
  EXPECT_EQ(further.Evidence(), form.Evidence());
  EXPECT_EQ(further.Caption(), "Trailwick ( XQV ) - offline: NTUSER.DAT");
  EXPECT_FALSE(further.Button5.Enabled());
  Select(further.ZList, 6);
  EXPECT_EQ(further.Preview.RowCount(), 2);

  dialogs.answer = Answer::No;
  further.FilesDropped({RealHive("transactions_NTUSER.DAT")});
  ASSERT_EQ(dialogs.questions.size(), 1u);
  form.FilesDropped({RealHive("transactions_NTUSER.DAT")});
  EXPECT_EQ(dialogs.questions.size(), 1u);
}

TEST_F(EvidenceSessionTest, CharactersTheCodePageLacksBecomeQuestionMarksInRowsAndReports) {
  const std::vector<std::uint8_t> image = test::OmegaUserHive();
  const std::string hive = EvidenceFile(
      "NTUSER.DAT", std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
  form.FilesDropped({hive});
  Select(form.ZList, 6);
  // Code page 1252 has the e with acute (E9) and lacks the omega.
  EXPECT_EQ(form.Preview.Rows(), std::vector<std::string>{"?mega=?\xe9"});
  form.cmbSave.SetItemIndex(0);
  form.Save1.Click();
  const std::filesystem::path out = evidence.Host() / "cli";
  const test::CliOutput cli =
      test::RunCommandLine({"export", "--hive", hive, "6", "--format", "txt", "--codepage", "1252",
                            "--out", out.string()});
  ASSERT_EQ(cli.code, 0) << cli.err;
  const std::string report = ReadReport("[H] Typed URLs (CU).txt");
  EXPECT_EQ(report, "Trailwick - [H] Typed URLs (CU) - offline: NTUSER.DAT\r\n?mega=?\xe9\r\n");
  EXPECT_EQ(report, test::ReadFileBytes((out / "[H] Typed URLs (CU).txt").string()));
}

} // namespace
} // namespace tw
