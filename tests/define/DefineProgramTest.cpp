// zotras as a whole program, started as the menu starts it, headless with
// scripted dialogs: it opens, keeps its settings, and goes back to the menu.
#include "common/Settings.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void Prepare(const TempFolder& t, bool withBase) {
  t.InstallProgram("zotras");
  t.WriteCp932("ZOTRAW.CFG", U("$7\r\n$14\r\n$SAT\r\n%CW\r\n%SSB\r\n"));
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Cfg", "ZOTRAW.CFG");
  for (const char* name : {"ZOTCOD.BSE", "C_NAME.TXT"}) {
    if (!withBase && QString(name) == "ZOTCOD.BSE") continue;
    ASSERT_TRUE(QFile::copy(QString(ZOTRA_PROGRAM_DIR) + "/" + name, t.File(name)));
  }
}

}  // namespace

TEST(DefineProgram, OpensAndReturnsToTheMenu) {
  TempFolder t;
  Prepare(t, true);
  // A definition whose points differ by band.
  t.WriteCp932("ZOTRAW.TST", U("\"ZOTRAW\",\"Ver4.0\"\r\n\"MyCall\",\"JA1ZZZ\"\r\n\"[参加周波数]\"\r\n"
                               "\"SelFreq\",\"7\",2\r\n\"SelFreq\",\"14\",-1\r\n"));
  RunOptions options;
  options.environment["ZOTRA_SCREENSHOT"] = t.File("shot.png");
  const ProgramResult result = RunProgram(t, "zotras", {"/ZOTRAW.CFG"}, options);
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.dialogs.isEmpty()) << result.dialogs.join("\n").toStdString();
  EXPECT_EQ(result.started, QStringList{t.File("zotram")});
  EXPECT_FALSE(QImage(t.File("shot.png")).isNull());
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAS", U("得点配分"), ""), U("設定"));
  EXPECT_NE(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAS", "FormTop", ""), "");
  // Leaving without saving writes no definition and makes no folders.
  EXPECT_TRUE(t.ReadCp932("ZOTRAW.TST").contains(U("\"SelFreq\",\"7\",2")));
  EXPECT_FALSE(t.Exists("JA1ZZZ"));
  // The working category file was made from the base file.
  EXPECT_EQ(t.ReadBytes("ZOTRAW.COD"), t.ReadBytes("ZOTCOD.BSE"));
}

TEST(DefineProgram, MissingCategoryDataIsToldAndTheEditorStillOpens) {
  TempFolder t;
  Prepare(t, false);
  RunOptions options;
  options.environment["ZOTRA_SCREENSHOT"] = t.File("shot.png");
  const ProgramResult result = RunProgram(t, "zotras", {"/ZOTRAW.CFG"}, options);
  ASSERT_TRUE(result.finished);
  ASSERT_EQ(result.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(result.dialogs.first()),
            (QStringList{"message", "ZOTRAS", U("参加部門基本データファイルが存在しないか\n古いバージョンのものです\nZOTCOD.BSE"),
                         "OK", "OK"}));
  EXPECT_FALSE(QImage(t.File("shot.png")).isNull());
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAS", U("得点配分"), ""), U("固定"));
  EXPECT_EQ(result.started, QStringList{t.File("zotram")});
}

TEST(DefineProgram, BatchListsTheCategoriesOfAContest) {
  TempFolder t;
  Prepare(t, true);
  t.InstallProgram("zotra-batch");
  const ProgramResult result =
      RunProgram(t, "zotra-batch", {"--folder", t.Path(), "categories", U("フィールドデーコンテスト")});
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0);
  const QStringList lines = QString::fromUtf8(result.standardOutput).split('\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  for (const QString& line : lines) EXPECT_TRUE(line.endsWith(U("/フィールドデー"))) << line.toStdString();
  EXPECT_EQ(lines.first(), U("CPA/電信部門/移動局 シングルオペ オールバンド/フィールドデー"));
}
