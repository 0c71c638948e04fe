// Start-up values, the work file read and written back, and what loading
// tells the operator.
#include "LogTestData.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/ListFile.h"
#include "common/Text.h"
#include "log/LogSession.h"
#include "log/QsoTable.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

TEST(CellNumber, NumbersAndWhatIsNotANumber) {
  bool ok = false;
  EXPECT_EQ(CellNumber(u"120", &ok), 120);
  EXPECT_TRUE(ok);
  EXPECT_EQ(CellNumber(u" 7 ", &ok), 7);
  EXPECT_TRUE(ok);
  EXPECT_EQ(CellNumber(u"-3", &ok), -3);
  EXPECT_EQ(CellNumber(u"9999"), 9999);
  // Points of half a point are rounded as whole numbers are kept: halves to even.
  EXPECT_EQ(CellNumber(u"1.5", &ok), 2);
  EXPECT_TRUE(ok);
  EXPECT_EQ(CellNumber(u"2.5"), 2);
  for (const char* bad : {"", " ", "abc", "12a", "1 2", "-", "."}) {
    EXPECT_EQ(CellNumber(QString::fromLatin1(bad), &ok), 0) << bad;
    EXPECT_FALSE(ok) << bad;
  }
}

TEST(LogDefinition, KeysAreReadUpperCasedAndTheYearSplit) {
  const LogDefinition d = ParseLogDefinition(Definition("Jcc", "", "Pfx", U("第40回 ALL JA1 コンテスト")));
  EXPECT_EQ(d.multiKinds[0], "Jcc");
  EXPECT_EQ(d.multiKinds[1], "");
  EXPECT_EQ(d.multiKinds[2], "Pfx");
  EXPECT_TRUE(d.MultiplierUsed(1));
  EXPECT_FALSE(d.MultiplierUsed(2));
  EXPECT_TRUE(d.MultiplierUsed(3));
  EXPECT_EQ(d.myCall, "JA1ZLO");
  EXPECT_EQ(d.contestName, U("第40回 ALL JA1"));
  EXPECT_EQ(d.yearFull, "2026");
  EXPECT_EQ(d.yearShort, "26");
  EXPECT_TRUE(d.jst);
  EXPECT_EQ(d.organiser, U("JARL 東京都支部"));

  // Keys in any case, values on the next line, UTC for anything but JST.
  const LogDefinition e = ParseLogDefinition(
      U("\"mycall\",\"JA1AA\"\r\n\"JSTUTC\",\"Utc\"\r\n\"JstUtc2\",1\r\n\"[主催者]\"\r\n\"CQ誌\"\r\n\"multi2\",\"Space\"\r\n"));
  EXPECT_EQ(e.myCall, "JA1AA");
  EXPECT_FALSE(e.jst);
  EXPECT_EQ(e.organiser, U("CQ誌"));
  EXPECT_TRUE(e.MultiplierUsed(2));
  EXPECT_FALSE(e.AnyMultiplierUsed() && e.MultiplierUsed(1));
}

TEST(LogDefinition, TheSixContestWordsAreRemovedOnce) {
  EXPECT_EQ(NormaliseContestName(U("ALL JA1 コンテスト")), U("ALL JA1"));
  EXPECT_EQ(NormaliseContestName(U("ALL JA1 CONTEST")), U("ALL JA1"));
  EXPECT_EQ(NormaliseContestName(U("ALL JA1 Contest")), U("ALL JA1"));
  EXPECT_EQ(NormaliseContestName(U("ALL JA1 Ｃｏｎｔｅｓｔ")), U("ALL JA1"));
  EXPECT_EQ(NormaliseContestName(U("ALL JA1 ＣＯＮＴＥＳＴ")), U("ALL JA1"));
  EXPECT_EQ(NormaliseContestName(U("ＡＬＬ ＪＡ１ｺﾝﾃｽﾄ")), U("ＡＬＬ ＪＡ１"));
  // Once only, and only at the end.
  EXPECT_EQ(NormaliseContestName(U("ｺﾝﾃｽﾄ ｺﾝﾃｽﾄ")), U("ｺﾝﾃｽﾄ"));
  EXPECT_EQ(NormaliseContestName(U("CONTEST OF JA1")), U("CONTEST OF JA1"));
  EXPECT_EQ(NormaliseContestName(U("  東京UHF  ")), U("東京UHF"));
  // "contest" in lower case is none of the six words.
  EXPECT_EQ(NormaliseContestName(U("Field contest")), U("Field contest"));
  // A blank after the word does not hide it.
  EXPECT_EQ(NormaliseContestName(U("6m AND DOWN コンテスト ")), U("6m AND DOWN"));
  // The ideographic blank is not a blank here.
  EXPECT_EQ(NormaliseContestName(U("関東UHF　コンテスト")), U("関東UHF　"));
}

TEST(WorkFile, AnUneditedTableIsWrittenBackByteForByte) {
  const QString text = WorkFile("7", {Qso(12, "JA1ABC", "599 13M", "13"), Qso(0, "JA1ABC", "599 13M", "13"),
                                      WorkRecord({"15", "7", "SSB", "2026/04/29", "10:01", "JH1XYZ/1", "59 13M",
                                                  U("59 ﾃｽﾄ東京"), U("東京"), "", "", "2", U("JA1ZLO"), U("移動")})});
  QsoTable table;
  const WorkFileLoad load = ParseWorkFile(text, &table);
  EXPECT_EQ(load.shortRecords + load.longRecords + load.badNumbers, 0);
  EXPECT_EQ(table.BandSelection(), "7");
  ASSERT_EQ(table.RowCount(), 3);
  EXPECT_EQ(table.Cell(3, col::kCall), "JH1XYZ/1");
  EXPECT_EQ(table.Cell(3, col::kRow), "3");
  EXPECT_EQ(table.Cell(3, col::kRemarks), U("移動"));
  EXPECT_EQ(table.Cell(4, col::kCall), "");
  EXPECT_FALSE(table.IsValid(2));
  // Longest CP932 bytes of columns 7 to 11: "59 ﾃｽﾄ東京" is 3 + 3 + 4 bytes.
  EXPECT_EQ(table.LongestBytes(col::kSent), 7);
  EXPECT_EQ(table.LongestBytes(col::kReceived), 10);
  EXPECT_EQ(table.LongestBytes(col::kMulti1), 4);
  EXPECT_EQ(table.LongestBytes(col::kMulti2), 0);
  EXPECT_EQ(EncodeCp932(WorkFileText(table)), EncodeCp932(text));

  TempFolder t;
  t.WriteCp932("zotra.wk2", text);
  QsoTable read;
  ReadWorkFile(t.File("zotra.wk2"), &read);
  ASSERT_TRUE(WriteWorkFile(t.File("zotra.wk2"), read));
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), EncodeCp932(text));
}

TEST(WorkFile, BadLinesLoadWithoutShiftingTheRecordsAfterThem) {
  const QString text = CrLf({"\"ALL\"", "\"1\",\"7\",\"CW\"",  // three fields
                             Qso(2, "JA1AAA", "599 11", "11", "1"),
                             Qso(3, "JA1BBB", "599 12", "12", "x") + ",\"extra\",\"more\"",  // 16 fields, bad points
                             "", WorkRecord({"abc", "14", "CW", "", "", "JA2CCC", "", "", "", "", "", "", "", ""})});
  QsoTable table;
  const WorkFileLoad load = ParseWorkFile(text, &table);
  ASSERT_EQ(table.RowCount(), 4);
  EXPECT_EQ(table.BandSelection(), "ALL");
  EXPECT_EQ(table.Cell(1, col::kMode), "CW");
  EXPECT_EQ(table.Cell(1, col::kCall), "");
  EXPECT_EQ(table.Cell(2, col::kCall), "JA1AAA");  // not shifted by the short line
  EXPECT_EQ(table.Cell(3, col::kRemarks), "");
  EXPECT_EQ(table.Cell(4, col::kBand), "14");
  EXPECT_EQ(load.shortRecords, 1);
  EXPECT_EQ(load.longRecords, 1);
  // Row 1: points empty; row 3: points "x"; row 4: number "abc" and points empty.
  EXPECT_EQ(load.badNumbers, 4);
  EXPECT_EQ(load.firstBadRow, 1);
  EXPECT_EQ(table.Number(4), 0);
  EXPECT_EQ(table.Points(3), 0);

  EXPECT_EQ(WorkFileProblems(load, 4, 4),
            U("項目が 14 に足りない行が 1 行あります（足りない項目は空欄にしました）\n"
              "項目が 14 を超える行が 1 行あります（15 番目からの項目は読み込んでいません）\n"
              "交信番号か得点が数字でない欄が 4 箇所あります（0 として扱います。最初は 1 行目です）"));
  EXPECT_EQ(WorkFileProblems(WorkFileLoad{}, 5, 3),
            U("作業ファイルの交信データは 5 件あり、指定された 3 件より多いため、すべて読み込みました"));
  EXPECT_EQ(WorkFileProblems(WorkFileLoad{}, 32768, -1),
            U("交信データが 32768 件あり、32767 件を超えています（交信数の集計は 32767 件までです）"));
  // Fewer records than announced, or none announced: nothing to tell.
  EXPECT_EQ(WorkFileProblems(WorkFileLoad{}, 3, 5), "");
  EXPECT_EQ(WorkFileProblems(WorkFileLoad{}, 32767, -1), "");
}

// The table reads each line by the rules of the list-file reader.
TEST(WorkFile, LinesAreSplitAsTheListReaderSplitsThem) {
  const QStringList lines = {
      "\"1\",\"7\",\"CW\"",  "  \"1\" , 7 ,CW  ,",   "1,,\"\",", "\"a,b\",\"c\"x,d",  "\"open",
      "  ",                  ",",                    "\t\"q\"\t,\tr\t", "\"1\",\"2\",  ",   "a\x1a,b",
      U("\"東京\",ﾃｽﾄ ,\"　\""), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15"};
  for (const QString& line : lines) {
    QsoTable table;
    const WorkFileLoad load = ParseWorkFile("\"7\"\r\n" + line + "\r\n", &table);
    const QStringList expected = SplitListLine(line);
    ASSERT_EQ(table.RowCount(), 1) << line.toStdString();
    for (int f = 0; f < kQsoFields; ++f) EXPECT_EQ(table.Cell(1, f + 1), expected.value(f)) << line.toStdString();
    EXPECT_EQ(load.shortRecords, expected.size() < kQsoFields ? 1 : 0) << line.toStdString();
    EXPECT_EQ(load.longRecords, expected.size() > kQsoFields ? 1 : 0) << line.toStdString();
  }
}

TEST(WorkFile, EmptyAndMissingFiles) {
  QsoTable table;
  EXPECT_EQ(ParseWorkFile("\"7\"\r\n", &table).found, true);
  EXPECT_TRUE(table.IsEmpty());
  EXPECT_EQ(table.BandSelection(), "7");
  EXPECT_EQ(WorkFileText(table), "\"7\"\r\n");
  ParseWorkFile("", &table);
  EXPECT_TRUE(table.IsEmpty());
  EXPECT_FALSE(ReadWorkFile("/nonexistent/zotra.wk2", &table).found);
}

namespace {

struct Loaded {
  LogStart start;
  QStringList dialogs;
  LogSession session;
};

Loaded Load(const TempFolder& t, int announced) {
  Loaded l;
  ScriptedDialogs dialogs({}, {});
  dialogs.SetDefaultTitle("ZOTRAL");
  const Frame frame(Program::Log, t.Path(), QString::number(announced));
  l.session.announcedCount = AnnouncedCount(frame.CommandLine());
  l.start = LoadLogSession(frame, dialogs, &l.session);
  for (const QString& r : dialogs.Records()) l.dialogs << DialogFields(r).mid(1, 2).join("|");
  return l;
}

}  // namespace

TEST(LoadLogSession, EveryStartUpFailureInTheProgramsWords) {
  TempFolder t;
  // No "TST" setting: the definition is looked for as "non".
  t.WriteCp932("ZOTRAW.TST", Definition());
  Loaded l = Load(t, 1);
  EXPECT_EQ(l.start, LogStart::DefinitionMissing);
  EXPECT_EQ(l.dialogs, QStringList{U("ZOTRAL|定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください")});

  PrepareLogFolder(t, WorkFile("7", {}));
  t.WriteCp932("zotra.wk2", "");
  QFile::remove(t.File("zotra.wk2"));
  l = Load(t, 1);
  EXPECT_EQ(l.start, LogStart::WorkFileMissing);
  EXPECT_EQ(l.dialogs, QStringList{U("ZOTRAL|ZOTRAC が実行されていません")});

  t.WriteCp932("ZOTRA.WK2", "\"7\"\r\n");  // the name is matched without case
  l = Load(t, 0);
  EXPECT_EQ(l.start, LogStart::NoRecords);
  EXPECT_EQ(l.dialogs, QStringList{U("ZOTRSL|ﾃﾞｰﾀが一件もありません")});
}

TEST(LoadLogSession, MoreRecordsThanAnnouncedAreAllLoadedAndToldOnce) {
  TempFolder t;
  PrepareLogFolder(t, WorkFile("7", ManyQsos(5) << WorkRecord({"x"})));
  Loaded l = Load(t, 3);
  EXPECT_EQ(l.start, LogStart::Ready);
  EXPECT_EQ(l.session.table.RowCount(), 6);
  EXPECT_EQ(l.session.announcedCount, 3);
  ASSERT_EQ(l.dialogs.size(), 1);
  EXPECT_EQ(l.dialogs.first(),
            U("ZOTRAL|作業ファイルの交信データは 6 件あり、指定された 3 件より多いため、すべて読み込みました\n"
              "項目が 14 に足りない行が 1 行あります（足りない項目は空欄にしました）\n"
              "交信番号か得点が数字でない欄が 2 箇所あります（0 として扱います。最初は 6 行目です）"));
  EXPECT_EQ(l.session.definition.contestName, U("ALL JA1"));

  // As many as announced: only the bad line is told.
  l = Load(t, 6);
  ASSERT_EQ(l.dialogs.size(), 1);
  EXPECT_TRUE(l.dialogs.first().startsWith(U("ZOTRAL|項目が 14 に足りない行が 1 行あります")));
}
