// The menu as a whole program, and its batch command: one menu per folder,
// the start that ends, and the environment check without windows.
#include "MenuFixture.h"
#include "menu/SingleInstance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

const QString kSecondStart = QString::fromUtf8("ZOTRAM が多重起動されました");

bool Listening(const QString& key) {
  QLocalSocket probe;
  probe.connectToServer(key);
  const bool up = probe.waitForConnected(200);
  probe.abort();
  return up;
}

}  // namespace

TEST(SingleInstance, SecondClaimReachesTheFirst) {
  TempFolder t;
  SingleInstance first(t.Path());
  ASSERT_TRUE(first.Claim());
  QSignalSpy raised(&first, &SingleInstance::ActivationRequested);

  // The same folder spelled another way is the same menu.
  SingleInstance second(t.Path() + "/./");
  EXPECT_EQ(second.Key(), first.Key());
  EXPECT_FALSE(second.Claim());
  EXPECT_TRUE(second.AskRunningToActivate());
  EXPECT_TRUE(raised.wait(5000));
  EXPECT_EQ(raised.count(), 1);

  // Another folder has its own menu.
  TempFolder other;
  SingleInstance elsewhere(other.Path());
  EXPECT_NE(elsewhere.Key(), first.Key());
  EXPECT_TRUE(elsewhere.Claim());
}

TEST(SingleInstance, ANameLeftBehindIsTakenOver) {
  TempFolder t;
  const QString key = SingleInstance::KeyFor(t.Path());
  {
    SingleInstance gone(t.Path());
    ASSERT_TRUE(gone.Claim());
  }
  // A socket file without a server behind it, as a crashed menu leaves it.
  QFile stale(QDir::tempPath() + "/" + key);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  SingleInstance next(t.Path());
  EXPECT_TRUE(next.Claim());
  EXPECT_TRUE(Listening(key));
  SingleInstance after(t.Path());
  EXPECT_FALSE(after.Claim());
}

TEST(MenuProgram, SecondStartShowsTheMessageAndEnds) {
  TempFolder t;
  t.InstallProgram("zotram");
  t.WriteCp932("MY.CFG", CrLf({"$7", "%CW"}));
  t.WriteBytes("marqen/MARQEN.HDB", "db");
  t.WriteBytes("marqen/MARQEN.MST", "mst");
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "MARQEN", t.File("marqen/MARQEN.HDB"));
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "MST", t.File("marqen/MARQEN.MST"));

  // The first menu, left running.
  QProcess first;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("ZOTRA_DIALOG_LOG", t.File("first-dialogs.log"));
  env.insert("ZOTRA_START_LOG", t.File("first-started.log"));
  first.setProcessEnvironment(env);
  first.start(t.File("zotram"), {});
  ASSERT_TRUE(first.waitForStarted(10000));
  const QString key = SingleInstance::KeyFor(t.Path());
  QDeadlineTimer deadline(20000);
  while (!Listening(key) && !deadline.hasExpired()) QThread::msleep(50);
  ASSERT_TRUE(Listening(key));

  const ProgramResult second = RunProgram(t, "zotram", {});
  EXPECT_TRUE(second.finished);
  EXPECT_EQ(second.exitCode, 0);
  ASSERT_EQ(second.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(second.dialogs.first()), (QStringList{"message", "ZOTRAM", kSecondStart, "OK", "OK"}));
  EXPECT_TRUE(second.started.isEmpty());

  // The first one goes on running and still answers.
  EXPECT_EQ(first.state(), QProcess::Running);
  EXPECT_TRUE(Listening(key));
  first.kill();
  first.waitForFinished(5000);
  QLocalServer::removeServer(key);  // what the killed menu could not remove itself
  EXPECT_FALSE(t.Exists("first-dialogs.log"));  // it never had to ask anything
}

TEST(MenuProgram, NoEnvironmentFileEndsTheStart) {
  TempFolder t;
  t.InstallProgram("zotram");
  const ProgramResult result = RunProgram(t, "zotram", {});
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0);
  ASSERT_EQ(result.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(result.dialogs.first()),
            (QStringList{"message", "ZOTRAM", U("環境ﾌｧｲﾙ ") + t.Path() + U("/ZOTRAW.CFG が見つからない為実行できません"),
                         "OK", "OK"}));
  EXPECT_TRUE(result.started.isEmpty());
  EXPECT_FALSE(t.Exists("ZOTRAPOI.dat"));
}

TEST(MenuProgram, MissingLogbookAnsweredNoStillOpensTheMenu) {
  TempFolder t;
  t.InstallProgram("zotram");
  t.WriteCp932("ZOTRAW.CFG", CrLf({"$7", "$SAT2", "%CW"}));
  RunOptions options;
  options.answers = {"No", "No"};
  options.environment["ZOTRA_SCREENSHOT"] = t.File("shot.png");
  const ProgramResult result = RunProgram(t, "zotram", {}, options);
  ASSERT_TRUE(result.finished);
  ASSERT_EQ(result.dialogs.size(), 3);
  EXPECT_EQ(DialogFields(result.dialogs.at(0)).at(2), U("MARQEN ﾌｧｲﾙが見つかりません\n探して指定しますか？"));
  EXPECT_EQ(DialogFields(result.dialogs.at(1)).at(2), U("MARQEN.Mst ﾌｧｲﾙが見つかりません\n探して指定しますか？"));
  // The environment check comes after both questions.
  EXPECT_TRUE(DialogFields(result.dialogs.at(2)).at(2).startsWith(U("環境ファイルの $SAT 行の記述が不正です")));
  EXPECT_FALSE(QImage(t.File("shot.png")).isNull());
  EXPECT_TRUE(result.started.isEmpty());
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Cfg", ""), "ZOTRAW.CFG");
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Ver", ""), "7.3");
  EXPECT_TRUE(t.Exists("ZOTRAPOI.dat"));
}

TEST(MenuBatch, EnvironmentCheckWithoutWindows) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  t.WriteCp932("MY.CFG", CrLf({"$7", "$24000,24250,24000", "$10125,9000,10250", "$SAT2"}));
  RunOptions console;
  console.environment["ZOTRA_DIALOG_LOG"] = "";  // messages to standard error
  const ProgramResult result = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "env-check"}, console);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(QString::fromUtf8(result.standardOutput), U("MY.CFG\nセンチメートル波.txt: 1 行\n"));
  const QStringList errors = QString::fromUtf8(result.standardError).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(errors.size(), 2);
  EXPECT_EQ(errors.at(0), U("zotra-batch: ファイルの 下記の行の記述が不正です $24000,24250,24000 "
                            "修正が必要です,数値の大小関係 Code=5 修正後このプログラムを再起動してください"));
  EXPECT_TRUE(errors.at(1).startsWith(U("zotra-batch: 環境ファイルの $SAT 行の記述が不正です")));
  EXPECT_EQ(t.ReadBytes(U("センチメートル波.txt")), QByteArray("10125,9000,10250\r\n"));
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Cfg", ""), "MY.CFG");

  // A clean file: nothing told, status 0, no table.
  t.WriteCp932("MY.CFG", CrLf({"$7", "%CW"}));
  const ProgramResult clean = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "env-check"});
  EXPECT_EQ(clean.exitCode, 0);
  EXPECT_TRUE(clean.dialogs.isEmpty());
  EXPECT_EQ(QString::fromUtf8(clean.standardOutput), U("MY.CFG\nセンチメートル波.txt: なし\n"));
  EXPECT_FALSE(t.Exists(U("センチメートル波.txt")));

  // Settings that cannot be written: the other steps would not find the
  // file, so the check does not end well.
  RunOptions full;
  full.environment["ZOTRA_WRITE_FAULT"] = "ZOTRAW.INI";
  const ProgramResult unwritten = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "env-check"}, full);
  EXPECT_EQ(unwritten.exitCode, 1);
  ASSERT_EQ(unwritten.dialogs.size(), 1);
  EXPECT_TRUE(DialogFields(unwritten.dialogs.first()).at(2).startsWith(U("設定ファイル ")));
}

TEST(MenuBatch, NoEnvironmentFile) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  const ProgramResult result = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "env-check"});
  EXPECT_EQ(result.exitCode, 1);
  ASSERT_EQ(result.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(result.dialogs.first()).at(2),
            U("環境ﾌｧｲﾙ ") + t.Path() + U("/ZOTRAW.CFG が見つからない為実行できません"));
  EXPECT_EQ(RunProgram(t, "zotra-batch", {"--folder", t.Path(), "env-check", "extra"}).exitCode, 1);
}
