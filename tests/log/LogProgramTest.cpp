// The log program and its zotra-batch command as whole programs, headless,
// with scripted dialogs and a record of the programs they start.
#include "LogTestData.h"

#include "common/Settings.h"
#include "common/Text.h"
#include "common/gui/Printers.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

ProgramResult RunLog(const TempFolder& t, const QStringList& arguments, bool screenshot = false) {
  RunOptions options;
  if (screenshot) options.environment["ZOTRA_SCREENSHOT"] = t.File("shot.png");
  return RunProgram(t, "zotral", arguments, options);
}

QStringList Messages(const ProgramResult& r) {
  QStringList out;
  for (const QString& d : r.dialogs) out << DialogFields(d).mid(1, 2).join("|");
  return out;
}

}  // namespace

TEST(LogProgram, StartUpFailuresEndInTheMenu) {
  TempFolder t;
  t.InstallProgram("zotral");
  PrepareLogFolder(t, WorkFile("7", ManyQsos(3)));
  // The settings name no definition: "non" is looked for and not found.
  QFile::remove(t.File("ZOTRAW.INI"));
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Cfg", "ZOTRAW.CFG");
  ProgramResult r = RunLog(t, {"3"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRAL|定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください")});
  EXPECT_EQ(r.started, QStringList{t.File("zotram")});

  PrepareLogFolder(t, "");
  QFile::remove(t.File("zotra.wk2"));
  r = RunLog(t, {"3"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRAL|ZOTRAC が実行されていません")});
  EXPECT_EQ(r.started, QStringList{t.File("zotram")});
  EXPECT_FALSE(t.Exists("zotra.wk2"));
}

TEST(LogProgram, NoDataGoesStraightBackToTheSortAndCheckProgram) {
  TempFolder t;
  t.InstallProgram("zotral");
  PrepareLogFolder(t, WorkFile("14", {}));
  const ProgramResult r = RunLog(t, {"0"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRSL|ﾃﾞｰﾀが一件もありません")});
  EXPECT_EQ(r.started, QStringList{t.File("zotrac") + "\tZOTRAL0"});
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), QByteArray("\"14\"\r\n"));
}

TEST(LogProgram, ClosingTheWindowGoesBackAStepWithTheFileUnchanged) {
  TempFolder t;
  t.InstallProgram("zotral");
  const QString work = WorkFile("7", ManyQsos(250));
  PrepareLogFolder(t, work);
  t.WriteCp932("zotradup.wk", CrLf({Key('5', "JA1ABC", "", 1001, "04/29", "09:01", "7", "CW"),
                                    Key('9', "JA1ABC", "", 1007, "04/29", "09:07", "7", "CW")}));
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", "Form1Top", "40");
  const ProgramResult r = RunLog(t, {"250"}, true);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.dialogs.isEmpty()) << r.dialogs.join("\n").toStdString();
  EXPECT_EQ(r.started, QStringList{t.File("zotrac") + "\tZOTRAL250"});
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), EncodeCp932(work));
  EXPECT_FALSE(QImage(t.File("shot.png")).isNull());
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", "Form1Top", ""), "40");
  // The print settings are kept by the exit routine too, as restored.
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", U("JARL用紙"), ""),
            DefaultPrinterName() == kPdfPrinterName ? "False" : "True");
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", U("電子ログのみ"), ""), "No");
  for (const char* key : {"Form1Left", "Form1Width", "Form1Height"}) {
    EXPECT_NE(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", key, ""), "") << key;
  }
}

TEST(LogProgram, MoreRecordsThanAnnouncedAreToldOnceAndAllGoBack) {
  TempFolder t;
  t.InstallProgram("zotral");
  PrepareLogFolder(t, WorkFile("7", ManyQsos(12)));
  const ProgramResult r = RunLog(t, {"10"}, true);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(Messages(r),
            QStringList{U("ZOTRAL|作業ファイルの交信データは 12 件あり、指定された 10 件より多いため、すべて読み込みました")});
  EXPECT_EQ(r.started, QStringList{t.File("zotrac") + "\tZOTRAL12"});
}

TEST(BatchArrange, ArrangesAndWritesBackAsGoingBackDoes) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  PrepareLogFolder(t, WorkFile("7", {Qso(1, "JA1AAA", "599 13M", "13", "2"), Qso(0, "JA1ABA", "599 14M", "14", "3"),
                                     Qso(3, "JA1AB", "599 13M", U("　13"), "1"), Qso(4, "JA1AC", "599 14M", "14", "1")}));
  ProgramResult r = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "arrange"});
  EXPECT_EQ(r.exitCode, 0) << r.dialogs.join("\n").toStdString();
  EXPECT_EQ(r.standardOutput, QByteArray("7\t3\t2\t0\t0\t4\n"));
  const QString arranged =
      WorkFile("7", {Qso(1, "JA1AAA", "599 13M", "13", "2"), Qso(0, "JA1ABA", "599 14M", "", "0"),
                     Qso(3, "JA1AB", "599 13M", "", "1"), Qso(4, "JA1AC", "599 14M", "14", "1")});
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), EncodeCp932(arranged));
  // A second run finds nothing more to do.
  r = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "arrange"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), EncodeCp932(arranged));

  EXPECT_EQ(RunProgram(t, "zotra-batch", {"--folder", t.Path(), "arrange", "x"}).exitCode, 1);
  QFile::remove(t.File("zotra.wk2"));
  r = RunProgram(t, "zotra-batch", {"--folder", t.Path(), "arrange"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Messages(r), QStringList{U("ZOTRAL|ZOTRAC が実行されていません")});
}
