// zotra-batch's first commands: settings and the definition.
#include "common/Settings.h"
#include "common/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

ProgramResult Batch(const TempFolder& t, QStringList args) {
  return RunProgram(t, "zotra-batch", QStringList{"--folder", t.Path()} + args);
}

}  // namespace

TEST(BatchSetting, ReadsAndWritesAsTheProgramWould) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  EXPECT_EQ(Batch(t, {"setting", "ZOTRAM", "Cfg", "MY.CFG"}).exitCode, 0);
  const ProgramResult read = Batch(t, {"setting", "ZOTRAS", "CFG"});
  EXPECT_EQ(read.exitCode, 0);
  EXPECT_EQ(read.standardOutput, QByteArray("MY.CFG\n"));
  EXPECT_EQ(Batch(t, {"setting", "zotras", U("得点配分"), U("設定")}).exitCode, 0);
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAS", U("得点配分"), ""), U("設定"));
  EXPECT_EQ(Batch(t, {"setting", "ZOTRAL", "Missing"}).standardOutput, QByteArray("\n"));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), EncodeCp932(U("[ZOTRAM]\r\nCfg=MY.CFG\r\n[ZOTRAS]\r\n得点配分=設定\r\n")));
}

TEST(BatchSetting, BadArgumentsFailWithAMessage) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  const ProgramResult unknown = Batch(t, {"setting", "ZOTRAX", "Cfg"});
  EXPECT_EQ(unknown.exitCode, 1);
  ASSERT_EQ(unknown.dialogs.size(), 1);
  EXPECT_TRUE(unknown.dialogs.first().contains("ZOTRAX"));
  EXPECT_EQ(Batch(t, {"setting", "ZOTRAM"}).exitCode, 1);
  EXPECT_EQ(Batch(t, {"nothing"}).exitCode, 1);
  EXPECT_EQ(RunProgram(t, "zotra-batch", {"--folder", t.File("missing"), "setting", "ZOTRAM", "Cfg"}).exitCode, 1);
}

TEST(BatchDefinition, ReadsAndWritesTheSameBytes) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  const QString text = CrLf({U("\"ZOTRAW\",\"Ver4.0\""), U("\"MyCall\",\"JA1ABC\""), U("\"ContestName\",\"ALL JA1, 2026\""),
                             U("\"SelFreq\",\"7\",1"), U("\"Multi1\",\"jcc\"")});
  t.WriteCp932("in.tst", text);
  ASSERT_EQ(Batch(t, {"definition", "in.tst", "out.tst"}).exitCode, 0);
  const QString written = t.ReadCp932("out.tst");
  EXPECT_TRUE(written.startsWith(U("\"ZOTRAW\",\"Ver4.0\"\r\n\"[ZOTRA ｺﾝﾃｽﾄ　定義ﾌｧｲﾙ]\"\r\n\"MyCall\",\"JA1ABC\"\r\n")));
  EXPECT_TRUE(written.contains(U("\"ContestName\",\"ALL JA1, 2026\"\r\n")));
  EXPECT_TRUE(written.contains(U("\"Multi1\",\"Jcc\"\r\n")));
  // What the writer wrote goes through unchanged, to a file or to standard output.
  ASSERT_EQ(Batch(t, {"definition", "out.tst", "again.tst"}).exitCode, 0);
  EXPECT_EQ(t.ReadBytes("again.tst"), t.ReadBytes("out.tst"));
  const ProgramResult toStdout = Batch(t, {"definition", "OUT.TST"});
  EXPECT_EQ(toStdout.exitCode, 0);
  EXPECT_EQ(toStdout.standardOutput, t.ReadBytes("out.tst"));
}

TEST(BatchDefinition, MissingOrForeignFilesFail) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  const ProgramResult missing = Batch(t, {"definition", "none.tst"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.standardOutput.isEmpty());
  t.WriteCp932("old.tst", CrLf({U("\"ZOTRAW\",\"Ver3.0\"")}));
  const ProgramResult old = Batch(t, {"definition", "old.tst", "x.tst"});
  EXPECT_EQ(old.exitCode, 1);
  ASSERT_EQ(old.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(old.dialogs.first()).at(2), U("コンテスト定義体のバージョンが違います"));
  EXPECT_FALSE(t.Exists("x.tst"));
  // No category file: told, and no list is no success.
  const ProgramResult categories = Batch(t, {"categories", "ALL JA"});
  EXPECT_EQ(categories.exitCode, 1);
  EXPECT_EQ(categories.dialogs.size(), 1);
}

TEST(BatchMessages, OneLinePerMessageOnStandardError) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  RunOptions options;
  options.environment["ZOTRA_DIALOG_LOG"] = "";
  const ProgramResult r = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "definition", "none.tst"}, options);
  EXPECT_EQ(r.exitCode, 1);
  const QStringList lines = QString::fromUtf8(r.standardError).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 1) << r.standardError.toStdString();
  EXPECT_TRUE(lines.first().startsWith(U("zotra-batch: 定義ファイルが見つかりません: ")));
}
