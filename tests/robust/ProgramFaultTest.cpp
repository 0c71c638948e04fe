// Whole programs whose writes fail: the message names the file, the previous
// version stays byte for byte, and the program does not end as if it had
// written it.
#include "FaultSupport.h"

#include "define/ContestDefinition.h"
#include "summary/OutputFixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

ProgramResult Batch(const TempFolder& t, const QStringList& args, const QMap<QString, QString>& environment = {}) {
  RunOptions options;
  options.environment = environment;
  options.timeoutMs = 120000;
  return RunProgram(t, "zotra-batch", QStringList{"--folder", t.Path()} + args, options);
}

TEST(ProgramFault, SettingThatCannotBeWritten) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  const QByteArray before = EncodeCp932(CrLf({"[ZOTRAM]", "Cfg=MY.CFG", "EDITOR=notepad.exe"}));
  t.WriteBytes("ZOTRAW.INI", before);
  const ProgramResult r = Batch(t, {"setting", "ZOTRAM", "EDITOR", "/usr/bin/mousepad"}, FaultEnvironment("ZOTRAW.INI"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(DialogTexts(r), QStringList{U("設定ファイル ") + QDir::toNativeSeparators(t.File("ZOTRAW.INI")) +
                                        U(" に書き込めません\n以前の設定はそのまま残っています")});
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), before);
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "ZOTRAW.INI").isEmpty());
}

TEST(ProgramFault, SettingInAFolderTheFileSystemRefuses) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  const QByteArray before = EncodeCp932(CrLf({"[ZOTRAM]", "Cfg=MY.CFG"}));
  t.WriteBytes("ZOTRAW.INI", before);
  ProgramResult r;
  {
    UnwritableFolder folder(t.Path());
    if (!folder.Unwritable()) GTEST_SKIP() << "this machine lets every folder be written";
    r = Batch(t, {"setting", "ZOTRAM", "Cfg", "ZOTRAW.CFG"});
  }
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(DialogTexts(r), QStringList{U("設定ファイル ") + QDir::toNativeSeparators(t.File("ZOTRAW.INI")) +
                                        U(" に書き込めません\n以前の設定はそのまま残っています")});
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), before);
}

TEST(ProgramFault, DefinitionThatCannotBeWritten) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  const QByteArray before = EncodeCp932(DefinitionText(SampleDefinition()));
  t.WriteBytes("ZOTRAW.TST", before);
  ContestDefinition changed = SampleDefinition();
  changed.myCall = "JA1ZZZ";
  ASSERT_TRUE(WriteDefinition(changed, t.File("in.tst")));
  const ProgramResult r = Batch(t, {"definition", "in.tst", "ZOTRAW.TST"}, FaultEnvironment("ZOTRAW.TST"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(DialogTexts(r), QStringList{U("定義ファイルに書き込めません: ") + t.File("ZOTRAW.TST")});
  EXPECT_EQ(t.ReadBytes("ZOTRAW.TST"), before);
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "ZOTRAW.TST").isEmpty());
}

TEST(ProgramFault, HandCorrectionsThatCannotBeWrittenBack) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  t.WriteCp932("ZOTRAW.INI", CrLf({"[ZOTRAM]", "Tst=ZOTRAW.TST"}));
  ASSERT_TRUE(WriteDefinition(SampleDefinition(), t.File("ZOTRAW.TST")));
  const QByteArray before = EncodeCp932(
      CrLf({"\"7\"", "\"1\",\"7\",\"CW\",\"2024/06/15\",\"21:00\",\"JA1AAA\",\"599 13M\",\"599 1001M\",\"1001\",\"\",\"\",\"1\",\"\",\"\"",
            "\"2\",\"7\",\"CW\",\"2024/06/15\",\"21:01\",\"JA1BBB\",\"599 13M\",\"599 1001M\",\"1001\",\"\",\"\",\"1\",\"\",\"\""}));
  t.WriteBytes("zotra.wk2", before);
  const ProgramResult r = Batch(t, {"arrange"}, FaultEnvironment("zotra.wk2"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.standardOutput, QByteArray());
  EXPECT_EQ(DialogTexts(r), QStringList{U("作業ファイル ") + t.File("zotra.wk2") + U(" に書き込めません")});
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), before);
}

// The print job of the summary sheet: the document is printed, the
// electronic log and the text log cannot be written.
TEST(ProgramFault, FinishedFilesThatCannotBeWritten) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  ASSERT_TRUE(WriteDefinition(SampleDefinition(), t.File("ZOTRAW.TST")));
  t.WriteCp932("ZOTRAPOI.DAT", CrLf({PointsLine("7", 1, 1, 0, 0, 1)}));
  t.WriteCp932("HED.JARL", CrLf(HeaderRecords()));
  t.WriteCp932("7.JARL", CrLf({Qso("15", "21:05", "7", "JA1AAA", "1001M", "1001")}));
  const QByteArray oldLog = EncodeCp932(CrLf({"<SUMMARYSHEET VERSION=R2.1>", "earlier print job"}));
  const QByteArray oldText = EncodeCp932(CrLf({U("サマリー"), "earlier print job"}));
  t.WriteBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"), oldLog);
  t.WriteBytes(U("JA1ZLO/2024_ALL JA1.Txt"), oldText);

  const ProgramResult r = Batch(t, {"summary", "--pdf", "sheet.pdf"}, FaultEnvironment("2024_*"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.standardOutput, (t.File("sheet.pdf") + "\n").toUtf8());  // the paper, and no finished file
  EXPECT_EQ(DialogTexts(r),
            (QStringList{U("ファイル ") + QDir::toNativeSeparators(t.File(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"))) +
                             U(" に書き込めません"),
                         U("ファイル ") + QDir::toNativeSeparators(t.File(U("JA1ZLO/2024_ALL JA1.Txt"))) +
                             U(" に書き込めません")}));
  EXPECT_EQ(t.ReadBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")), oldLog);
  EXPECT_EQ(t.ReadBytes(U("JA1ZLO/2024_ALL JA1.Txt")), oldText);

  // With room on the disk the same job writes both and ends well.
  const ProgramResult again = Batch(t, {"summary", "--pdf", "sheet.pdf"});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_NE(t.ReadBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")), oldLog);
}

}  // namespace
}  // namespace zotra::test
