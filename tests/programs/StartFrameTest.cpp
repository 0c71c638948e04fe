// Every program started as the operator (or a careless script) would start it.
#include "common/Settings.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

struct Refusal {
  const char* executable;
  QStringList arguments;
  const char* title;
  const char* message;
};

}  // namespace

// Without the menu's command line each program shows its own words and ends
// before it reads or writes any file.
TEST(StartFrame, ProgramsRefuseToRunWithoutTheMenu) {
  const QList<Refusal> refusals = {
      {"zotras", {}, "ZOTRAS", "必ずメニュープログラムから起動してください"},
      {"zotrah", {}, "ZOTRAH", "必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい"},
      {"zotrah", {"/X"}, "ZOTRAH", "必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい"},
      {"zotrac", {}, "ZOTRAC", "必ず ﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい"},
      {"zotral", {}, "ZOTRAL", "必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい"},
      {"zotrat", {}, "ZOTRAT", "必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい"},
  };
  for (const Refusal& r : refusals) {
    TempFolder t;
    t.InstallProgram(r.executable);
    // A settings file that would lead the program on, were it read.
    t.WriteCp932("ZOTRAW.INI", U("[ZOTRAM]\r\nCfg=ZOTRAW.CFG\r\n"));
    t.WriteCp932("ZOTRAW.CFG", U("$7\r\n"));
    const QStringList before = t.Entries();
    const QByteArray iniBefore = t.ReadBytes("ZOTRAW.INI");
    const ProgramResult result = RunProgram(t, r.executable, r.arguments);
    ASSERT_TRUE(result.finished) << r.executable;
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(result.dialogs.size(), 1) << r.executable;
    EXPECT_EQ(DialogFields(result.dialogs.first()),
              (QStringList{"message", U(r.title), U(r.message), "OK", "OK"}));
    EXPECT_TRUE(result.started.isEmpty()) << r.executable;
    EXPECT_EQ(t.Entries(), before) << r.executable;
    EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), iniBefore);
  }
}

TEST(StartFrame, MissingEnvironmentFileEndsTheProgram) {
  TempFolder t;
  t.InstallProgram("zotras");
  t.WriteCp932("ZOTRAW.INI", U("[ZOTRAM]\r\nCfg=MY.CFG\r\n"));
  const ProgramResult result = RunProgram(t, "zotras", {"/MY.CFG"});
  ASSERT_TRUE(result.finished);
  ASSERT_EQ(result.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(result.dialogs.first()).at(2),
            U("環境ファイル ") + t.Path() + "/MY.CFG" + U(" が見つかりません"));
  EXPECT_TRUE(result.started.isEmpty());
}

TEST(StartFrame, ExtractionReturnsToTheMenuWithoutItsEnvironmentFile) {
  TempFolder t;
  t.InstallProgram("zotrah");
  const ProgramResult result = RunProgram(t, "zotrah", {"/MY.CFG"});
  ASSERT_TRUE(result.finished);
  ASSERT_EQ(result.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(result.dialogs.first()),
            (QStringList{"message", "ZOTRAH",
                         U("環境ﾌｧｲﾙ ") + t.Path() + "/MY.CFG" + U(" が見つからない為実行できません"), "OK", "OK"}));
  EXPECT_EQ(result.started, QStringList{t.File("zotram") + "\t/"});
}

// Started properly, each program opens its window where it was left, keeps the
// position on closing, and restarts the menu as it should.
TEST(StartFrame, WindowsOpenKeepTheirPlaceAndReturnToTheMenu) {
  struct Row {
    const char* executable;
    QStringList arguments;
    const char* section;
    const char* topKey;
    QStringList restart;
  };
  const QList<Row> rows = {
      {"zotram", {}, "ZOTRAM", "FormTop", {}},
      {"zotras", {"/ZOTRAW.CFG"}, "ZOTRAS", "FormTop", {"zotram"}},
      {"zotrah", {"/ZOTRAW.CFG"}, "ZOTRAH", "FormTop", {"zotram\t/"}},
      {"zotrac", {"/ZOTRAW.CFG"}, "ZOTRAC", "Form1Top", {"zotram\t/"}},
      // The log program needs its definition and work file: tests/log.
      {"zotrat", {"/ZOTRAW.CFG"}, "ZOTRAT", "Form1Top", {"zotram\t/ZOTRAW.CFG"}},
  };
  for (const Row& row : rows) {
    TempFolder t;
    t.InstallProgram(row.executable);
    t.WriteCp932("ZOTRAW.CFG", U("$7\r\n%CW\r\n"));
    // The shipped category data, which the definition editor reads at its start.
    QFile::copy(QString(ZOTRA_PROGRAM_DIR) + "/ZOTCOD.BSE", t.File("ZOTCOD.BSE"));
    WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Cfg", "ZOTRAW.CFG");
    WriteProfileString(t.File("ZOTRAW.INI"), row.section, row.topKey, "40");
    // The host logbook's files, which the menu looks for at its start.
    t.WriteBytes("MARQEN.HDB", "db");
    t.WriteBytes("MARQEN.MST", "mst");
    WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "MARQEN", t.File("MARQEN.HDB"));
    WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "MST", t.File("MARQEN.MST"));
    // The sort-and-check program opens its window over a definition and extracted QSOs.
    if (QString(row.executable) == "zotrac") {
      t.WriteCp932("ZOTRAW.TST", "\"SelFreq\",\"7\",1\r\n");
      t.WriteCp932("zotra.wk1", "");
    }
    // The extraction reads the definition, the master file and the Hokkaido table at its start.
    if (QString(row.executable) == "zotrah") {
      t.WriteCp932("ZOTRAW.TST", U("\"ZOTRAW\",\"Ver4.0\"\r\n\"開始\",\"2025\",\"06\",\"07\",\"21\",\"00\"\r\n"
                                   "\"終了\",\"2025\",\"06\",\"08\",\"20\",\"59\"\r\n\"SelFreq\",\"7\",1\r\n"));
      for (const char* name : {"MARQEN.MST", "hokkaido.txt"}) {
        QFile::remove(t.File(name));
        ASSERT_TRUE(QFile::copy(BuiltProgram(name), t.File(name)));
      }
    }
    RunOptions options;
    options.environment["ZOTRA_SCREENSHOT"] = t.File("shot.png");
    const ProgramResult result = RunProgram(t, row.executable, row.arguments, options);
    ASSERT_TRUE(result.finished) << row.executable;
    EXPECT_TRUE(result.dialogs.isEmpty()) << row.executable << " " << result.dialogs.join("\n").toStdString();
    QStringList expectedStarts;
    for (const QString& s : row.restart) expectedStarts << t.Path() + "/" + s;
    EXPECT_EQ(result.started, expectedStarts) << row.executable;
    const QImage shot(t.File("shot.png"));
    EXPECT_FALSE(shot.isNull()) << row.executable;
    EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), row.section, row.topKey, "none"), "40") << row.executable;
    const QString leftKey = QString(row.topKey).replace("Top", "Left");
    EXPECT_NE(ReadProfileString(t.File("ZOTRAW.INI"), row.section, leftKey, "none"), "none") << row.executable;
  }
}
