// zotrac and its batch commands as whole programs, started as the menu, the
// log program or a script would start them.
#include "CheckFixture.h"

#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QStringList Extracted() {
  return {
      Wk1("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC"),
      Wk1("2", "3.5", "CW", "2024/06/01", "21:06", "JH1XYZ"),
      Wk1("3", "7", "CW", "2024/06/01", "21:07", "JA1ABC/1"),
      Wk1("4", "7", "SSB", "2024/06/01", "21:08", "JR1AAA"),
  };
}

ProgramResult Batch(const CheckFolder& f, const QStringList& arguments, const RunOptions& options = {}) {
  return RunProgram(f.t, "zotra-batch", QStringList{"--folder", f.Folder()} + arguments, options);
}

// The titles and texts of the messages a run showed.
QStringList Messages(const ProgramResult& r) {
  QStringList out;
  for (const QString& d : r.dialogs) out << DialogFields(d).at(1) + ": " + DialogFields(d).at(2);
  return out;
}

}  // namespace

TEST(CheckProgram, RefusesWithoutDefinitionOrExtractedData) {
  CheckFolder f;
  f.t.InstallProgram("zotrac");
  ProgramResult r = RunProgram(f.t, "zotrac", {"/ZOTRAW.CFG"});
  ASSERT_TRUE(r.finished);
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(r.dialogs.first()),
            (QStringList{"message", "ZOTRAC", U("定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください"),
                         "OK", "OK"}));
  EXPECT_EQ(r.started, QStringList{f.t.File("zotram") + "\t/"});

  f.Definition();
  r = RunProgram(f.t, "zotrac", {"/ZOTRAW.CFG"});
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(r.dialogs.first()).at(2), U("MARQEN からﾃﾞｰﾀが抽出されていません"));
  EXPECT_EQ(r.started, QStringList{f.t.File("zotram") + "\t/"});
}

// Started by the log program: its result becomes the band's saved copy; the
// window opens (and, for the picture, closes again back to the menu).
TEST(CheckProgram, StartedByTheLogProgram) {
  CheckFolder f;
  f.t.InstallProgram("zotrac");
  f.Definition();
  f.Extract(Extracted());
  f.Selection("3.5", {Wk2("2", "3.5", "CW", "2024/06/01", "21:06", "JH1XYZ")}, "ZOTRA.WK2");
  const QByteArray wk2 = f.Bytes("ZOTRA.WK2");
  RunOptions options;
  options.environment["ZOTRA_SCREENSHOT"] = f.t.File("shot.png");
  const ProgramResult r = RunProgram(f.t, "zotrac", {"zotral1"}, options);
  ASSERT_TRUE(r.finished);
  EXPECT_TRUE(r.dialogs.isEmpty()) << r.dialogs.join('\n').toStdString();
  EXPECT_EQ(f.Bytes("3.sve"), wk2);
  EXPECT_FALSE(QImage(f.t.File("shot.png")).isNull());
  EXPECT_EQ(r.started, QStringList{f.t.File("zotram") + "\t/"});
  EXPECT_FALSE(f.t.Exists("ZOTRA.WK2"));
}

TEST(CheckBatch, SelectAndCheckLeaveWhatTheLogProgramReads) {
  CheckFolder f;
  f.t.InstallProgram("zotra-batch");
  f.Definition();
  f.Extract(Extracted());

  ProgramResult r = Batch(f, {"select", "7"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(QString::fromUtf8(r.standardOutput), U("総交信局数: 4\n選択された局数: 3\n"));
  EXPECT_EQ(f.Bytes("zotra.wk2").left(5), QByteArray("\"7\"\r\n"));

  r = Batch(f, {"check", "--criterion", "mode", "--pdf", f.t.File("dup.pdf")});
  EXPECT_EQ(r.exitCode, 0) << Messages(r).join('\n').toStdString();
  EXPECT_EQ(QString::fromUtf8(r.standardOutput),
            U("読込交信数: 3\n無効交信数: 0\n読込数－削除数: 3\n重複局数: 1\n重複交信数: 2\n印刷ページ数: 1 Page\n"));
  EXPECT_EQ(f.Bytes("zotradup.wk"), Cp932Lines({"5JA1ABC  CW    00000106/01 21:05     7 CW    ",
                                                "9JA1ABC  CW    00000306/01 21:07     7 CW    "}));
  EXPECT_TRUE(f.t.Exists("zotra.wk3"));
  EXPECT_TRUE(QFileInfo(f.t.File("dup.pdf")).size() > 0);
  // The criterion given is not kept: the window's choice stays.
  EXPECT_EQ(f.Setting("ZOTRAC", "Option"), "<none>");

  // Only duplicates, and there are none: no page, no file; and no key files
  // for the log program.
  f.Extract({Wk1("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC")});
  Batch(f, {"select", "7"});
  r = Batch(f, {"check", "--pdf", f.t.File("none.pdf"), "--duplicates-only"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(QString::fromUtf8(r.standardOutput).endsWith(U("印刷ページ数: 0 Page\n")));
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRAC: 印刷する交信がありません")});
  EXPECT_FALSE(f.t.Exists("none.pdf"));
  EXPECT_FALSE(f.t.Exists("zotra.wk3"));
  EXPECT_FALSE(f.t.Exists("zotradup.wk"));
}

TEST(CheckBatch, MistakesAreTold) {
  CheckFolder f;
  f.t.InstallProgram("zotra-batch");
  ProgramResult r = Batch(f, {"select"});
  EXPECT_EQ(r.exitCode, 1);
  r = Batch(f, {"select", "7"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRAC: MARQEN からﾃﾞｰﾀが抽出されていません")});
  r = Batch(f, {"check"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRAC: zotra.wk2 がありません\n先に select でデータを選択してください")});
  r = Batch(f, {"check", "--criterion", "call"});
  EXPECT_EQ(r.exitCode, 1);
  r = Batch(f, {"check", "--pdf"});
  EXPECT_EQ(r.exitCode, 1);

  // A band the definition does not offer is selected all the same, with a word.
  f.Definition();
  f.Extract({Wk1("1", "10125", "CW", "2024/06/01", "21:05", "JA1ABC")});
  r = Batch(f, {"select", "24000"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRAC: バンド 24000 は定義ﾌｧｲﾙのバンドにありません\n"
                                       "10.1GHz を超えるバンドは 10125 です")});
  EXPECT_TRUE(QString::fromUtf8(r.standardOutput).endsWith(U("選択された局数: 0\n")));
}
