// From an ADIF file to the finished electronic log: data/road.adi, 22 QSOs
// written by hand, imported with marqen-import into the demo station's
// folder and taken through zotra-batch all. The demo contest: JST, 2025-06-14
// 21:00 to 2025-06-15 20:59 (12:00 to 11:59 UTC), CW SSB FM one point, 1200
// two, 10125 three, SAT two; received report + area code; multiplier the area
// code at prefecture level (Hokkaido by subprefecture); a duplicate is the
// same station in the same mode on the band (the demo keeps "モード順").
//
// The records as worked out by hand (JST):
//   1 JA1AAA  06-14 20:59  before the start                 dropped
//   2 JA1ABC  21:00  7 CW  100101 → 10                      mult 10
//   3 JA8XYZ  21:01  7 CW  010101 → 0101 → 106 (Sapporo)    mult 106
//   4 JA1ABC/1 21:03 7 CW  1202 → 12; JA1ABC in CW again    duplicate: made invalid
//   5 JH3DEF  21:05  7 SSB(LSB) 2501 → 25                   mult 25
//   6 ja1abc  21:06  7 SSB  another mode, not a duplicate   10 again: no mult
//   7 JD1BCD  21:10  7 CW  10007 → Ogasawara, answered 48   mult 48
//   8 JA7QRS  FT8                                           dropped (mode)
//   9 JE1GHI  21:20  7 CW  1202 → 12 (record 4 is invalid)  mult 12
//  10 JA6ABC  21:30  7 LSB → SSB, "40" as logged            mult 40
//  11 JA1ABC  22:00  3.5 CW → 10                            mult 10
//  12 JA8XYZ  22:05  3.5 CW 01010 → 108                     mult 108
//  13 JA8XYZ  22:10  3.5 CW again                           duplicate: made invalid
//  14 JA1ZZZ  18 MHz                                        dropped (band)
//  15 JA5EFG  06-15 00:00  3.5 CW 3801 → 38                 mult 38
//  16 JA2KLM  11:00  430 FM 2001 → 20                       mult 20
//  17 JA6STU  12:00  SAT FM (S145.950, SO-50) → 40          mult 40, 2 points
//  18 JA1ABC  13:00  1200 CW → 10                           mult 10, 2 points
//  19 JA9VQC  《VQC無効交信》                               dropped ([VQC] 無効削除)
//  20 JA4NOP  15:00  10125 SSB (10240.1 MHz) 3101 → 31      mult 31, 3 points
//  21 JA0WXY  20:59  7 CW 0901 → 09 (the end is inclusive)  mult 09
//  22 JA1ABC  21:00  after the end                          dropped
// Extracted 17. Band 7: 9 QSOs, 2 in a duplicate group, 1 of them made
// invalid, 8 valid, 7 mults, 8 points;
// 3.5: 4, 1, 3, 3 mults, 3 points; 430: 1, 1, 1; 1200: 1, 1, 2; 10125: 1, 1, 3;
// SAT: 1, 1, 2. Totals: 15 QSOs, 19 points, 14 mults; score 19 × 14 = 266.
#include "DemoFolder.h"

#include "common/Text.h"
#include "summary/ElectronicLogCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

const char kRoadAdif[] = ZOTRA_SOURCE_DIR "/tests/e2e/data/road.adi";

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList OutputLines(const ProgramResult& r) {
  return QString::fromUtf8(r.standardOutput).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The lines of the band table and the score, as `all` prints them.
QStringList Table(const QStringList& bands, const QString& score) {
  return QStringList{U("バンド\t交信数\t重複交信数\t無効交信数\tマルチ\t得点")} + bands + QStringList{U("総得点\t") + score};
}

struct Road {
  DemoFolder demo;
  ProgramResult result;

  explicit Road(const QStringList& options = {}) {
    EXPECT_TRUE(demo.LaidOut());
    EXPECT_TRUE(demo.ImportLogbook(QString::fromUtf8(kRoadAdif)));
    result = demo.Batch(QStringList{"all", "--pdf-dir", demo.File("pdf")} + DemoExtractOptions() + options);
  }
  QByteArray ElectronicLog() const { return demo.folder().ReadBytes(U("JA1ZTR_JARL/2025_ZOTRAデモコンテスト.txt")); }
  QByteArray TextLog() const { return demo.folder().ReadBytes(U("JA1ZTR/2025_ZOTRAデモ.Txt")); }
};

TEST(RoadFromAdif, HandCheckedCountsAndScore) {
  Road road;
  ASSERT_EQ(road.result.exitCode, 0) << road.result.standardError.toStdString();
  const QStringList lines = OutputLines(road.result);
  ASSERT_GE(lines.size(), 19);
  EXPECT_EQ(lines.mid(0, 5), (QStringList{U("抽出交信数: 17"), U("期間外 2 件"), U("参加バンド外 1 件"),
                                          U("参加モード外 1 件"), U("無効交信 1 件")}));
  EXPECT_EQ(lines.mid(5, 14), Table({"1.9\t0\t0\t0\t0\t0", "3.5\t3\t2\t1\t3\t3", "7\t8\t2\t1\t7\t8", "14\t0\t0\t0\t0\t0",
                                     "21\t0\t0\t0\t0\t0", "28\t0\t0\t0\t0\t0", "50\t0\t0\t0\t0\t0",
                                     "144\t0\t0\t0\t0\t0", "430\t1\t0\t0\t1\t1", "1200\t1\t0\t0\t1\t2",
                                     "10125\t1\t0\t0\t1\t3", "SAT\t1\t0\t0\t1\t2"},
                                    "266"));
  // The documents: a duplicate list and a log sheet per band with QSOs, the
  // summary sheet, the electronic log and the text summary; all of them there.
  const QStringList documents = lines.mid(19);
  ASSERT_EQ(documents.size(), 6 * 2 + 3);
  EXPECT_EQ(documents.at(0), road.demo.File(U("pdf/重複チェックリスト_3.5.pdf")));
  EXPECT_EQ(documents.at(1), road.demo.File(U("pdf/ログシート_3.5.pdf")));
  EXPECT_EQ(documents.at(12), road.demo.File(U("pdf/サマリーシート.pdf")));
  EXPECT_EQ(documents.at(13), road.demo.File(U("JA1ZTR_JARL/2025_ZOTRAデモコンテスト.txt")));
  EXPECT_EQ(documents.at(14), road.demo.File(U("JA1ZTR/2025_ZOTRAデモ.Txt")));
  for (const QString& d : documents) EXPECT_GT(QFileInfo(d).size(), 0) << d.toStdString();
  // The points file as the totals read it: the last band written first.
  EXPECT_EQ(road.demo.folder().ReadBytes("ZOTRAPOI.DAT"),
            EncodeCp932(U("\"SAT\",\" 1\",\" 1\",\" 0\",\" 0\",\" 2\"\r\n\"10125\",\" 1\",\" 1\",\" 0\",\" 0\",\" 3\"\r\n"
                          "\"1200\",\" 1\",\" 1\",\" 0\",\" 0\",\" 2\"\r\n\"430\",\" 1\",\" 1\",\" 0\",\" 0\",\" 1\"\r\n"
                          "\"7\",\" 8\",\" 7\",\" 0\",\" 0\",\" 8\"\r\n\"3.5\",\" 3\",\" 3\",\" 0\",\" 0\",\" 3\"\r\n")));
  // Back at the menu: the check step's work files are gone, the extraction's stays.
  EXPECT_FALSE(road.demo.folder().Exists("zotra.wk2"));
  EXPECT_FALSE(road.demo.folder().Exists("zotra.wk3"));
  EXPECT_TRUE(road.demo.folder().Exists("zotra.wk1"));
}

TEST(RoadFromAdif, ElectronicLogByteForByte) {
  Road road;
  ASSERT_EQ(road.result.exitCode, 0);
  const QByteArray file = road.ElectronicLog();
  EXPECT_EQ(CheckElectronicLog(file, {.timeOrder = true, .qsoCount = 15}), QStringList());
  const QStringList lines = Cp932Lines(file);
  ASSERT_GT(lines.size(), 20);
  EXPECT_EQ(lines.first(), U("<SUMMARYSHEET VERSION=R2.1>"));
  EXPECT_TRUE(lines.contains(U("<CONTESTNAME>ZOTRAデモ コンテスト</CONTESTNAME>")));
  EXPECT_TRUE(lines.contains(U("<CALLSIGN>JA1ZTR</CALLSIGN>")));
  EXPECT_TRUE(lines.contains(U("<TOTALSCORE>266</TOTALSCORE>")));
  EXPECT_EQ(lines.last(), U("</LOGSHEET>"));

  // The log part: the heading lines, then the 15 valid QSOs in time order.
  const int heading = lines.indexOf(QRegularExpression(U("^<LOGSHEET TYPE=ZOTRA.*>$")));
  ASSERT_GT(heading, 0);
  const QStringList log = lines.mid(heading + 3, lines.size() - heading - 4);
  ASSERT_EQ(log.size(), 15);
  // Fields: date 11, time 6, band 7 (right-aligned with two blanks after),
  // mode 6, call 11, report 4, number 8, report 4, number 8, multiplier 7, points 2.
  EXPECT_EQ(log.first(), U("2025-06-14 21:00     7  CW    JA1ABC     599 10      599 10      10     1 "));
  EXPECT_EQ(log.at(3), U("2025-06-14 21:06     7  SSB   JA1ABC     59  10      59  10      -      1 "));
  EXPECT_EQ(log.at(11), U("2025-06-15 12:00   SAT  FM    JA6STU     59  10      59  40      40     2 "));
  EXPECT_EQ(log.at(13), U("2025-06-15 15:00 10125  SSB   JA4NOP     59  10      59  31      31     3 "));
  EXPECT_EQ(log.last(), U("2025-06-15 20:59     7  CW    JA0WXY     599 10      599 09      09     1 "));
  // Neither duplicate made invalid is in the log.
  EXPECT_FALSE(file.contains("JA1ABC/1"));
  EXPECT_FALSE(file.contains("22:10"));
}

TEST(RoadFromAdif, TextSummaryAndLogByteForByte) {
  Road road;
  ASSERT_EQ(road.result.exitCode, 0);
  const QStringList lines = Cp932Lines(road.TextLog());
  ASSERT_GT(lines.size(), 40);
  EXPECT_EQ(lines.first(), U("サマリー"));
  // Band lines: label (10), count, points, multipliers (7 each); every band
  // but the WARC ones, also without QSOs.
  const int table = lines.indexOf(U("バンド       局数   得点 マルチ"));
  ASSERT_GT(table, 0);
  EXPECT_EQ(lines.mid(table + 1, 15),
            QStringList({" 1.9 MHz                       ", " 3.5 MHz        3      3      3",
                         "   7 MHz        8      8      7", "  14 MHz                       ",
                         "  21 MHz                       ", "  28 MHz                       ",
                         "  50 MHz                       ", " 144 MHz                       ",
                         " 430 MHz        1      1      1", "1200 MHz        1      2      1",
                         "2400 MHz                       ", "5600 MHz                       ",
                         "10.1 GHz        1      3      1", " SAT MHz        1      2      1",
                         "  Point        15     19     14"}));
  EXPECT_EQ(lines.at(table + 17), U("      合計得点   266"));

  // The band logs follow in band order (3.5, 7, 430, 1200, 10125, SAT).
  // Records: date 6, time 6, call 11, sent 14, received 14, multipliers 8,
  // points 4, operator 8, remarks 8.
  const int first = lines.indexOf(U("          Call Sign: JA1ZTR    Band: 3.5MHz"));
  ASSERT_GT(first, 0);
  EXPECT_EQ(lines.at(first - 1), U("LOG SHEET          2025 年     ZOTRAデモ コンテスト"));
  EXPECT_EQ(lines.at(first + 3), U("06/14 22:00 JA1ABC     599 10        599 10        10      1                   "));
  EXPECT_EQ(lines.at(first + 6), QString(79, QLatin1Char('-')));
  EXPECT_EQ(lines.at(first + 7), U(" Total      3                                      3       3                   "));
  const int sat = lines.indexOf(U("          Call Sign: JA1ZTR    Band: SATMHz"));
  ASSERT_GT(sat, first);
  EXPECT_EQ(lines.at(sat + 3), U("06/15 12:00 JA6STU     59 10         59 40         40      2           SO-50   "));
  EXPECT_EQ(lines.at(sat + 5), U(" Total      1                                      1       2                   "));
  EXPECT_EQ(sat + 6, lines.size() - 1);
  EXPECT_EQ(lines.last(), QString(79, QLatin1Char('=')));
}

TEST(RoadFromAdif, KeptDuplicatesCountAndTakeTheirMultiplier) {
  // Kept valid, record 4 comes before record 9 and takes "12" from it; the
  // multipliers stay 14, the points become 21: 21 × 14 = 294.
  Road road({"--keep-duplicates"});
  ASSERT_EQ(road.result.exitCode, 0);
  const QStringList lines = OutputLines(road.result);
  EXPECT_EQ(lines.at(6), U("1.9\t0\t0\t0\t0\t0"));
  EXPECT_EQ(lines.at(7), U("3.5\t4\t2\t0\t3\t4"));  // in duplicate groups, none made invalid
  EXPECT_EQ(lines.at(8), U("7\t9\t2\t0\t7\t9"));
  EXPECT_EQ(lines.at(18), U("総得点\t294"));
  EXPECT_TRUE(road.ElectronicLog().contains("JA1ABC/1   599 10      599 12      12     1 "));
}

TEST(RoadFromAdif, StartsOverAndLeavesNothingOfAnEarlierRoad) {
  // The demo's logbook first (every band), then the hand-checked one: the
  // second road's files hold none of the first road's bands.
  DemoFolder demo;
  ASSERT_TRUE(demo.LaidOut());
  ASSERT_EQ(demo.Batch(QStringList{"all"} + DemoExtractOptions()).exitCode, 0);
  EXPECT_TRUE(demo.folder().Exists("14.JARL"));
  ASSERT_TRUE(demo.ImportLogbook(QString::fromUtf8(kRoadAdif)));
  const ProgramResult second = demo.Batch(QStringList{"all"} + DemoExtractOptions());
  ASSERT_EQ(second.exitCode, 0);
  EXPECT_FALSE(demo.folder().Exists("14.JARL"));
  EXPECT_FALSE(demo.folder().Exists("14.MHz"));
  const QStringList log = Cp932Lines(demo.folder().ReadBytes(U("JA1ZTR_JARL/2025_ZOTRAデモコンテスト.txt")));
  EXPECT_EQ(log.filter(QRegularExpression(U("^2025-06-1"))).size(), 15);
  EXPECT_TRUE(log.contains(U("<TOTALSCORE>266</TOTALSCORE>")));
  // Without --pdf-dir the PDF files lie in the program folder.
  EXPECT_TRUE(demo.folder().Exists(U("サマリーシート.pdf")));
  EXPECT_TRUE(demo.folder().Exists(U("ログシート_7.pdf")));
}

TEST(RoadFailures, EachStopsWithItsMessageAndStatus) {
  DemoFolder demo;
  ASSERT_TRUE(demo.LaidOut());
  // An option the road does not know.
  ProgramResult r = demo.Batch({"all", "--paper", "a3"});
  EXPECT_EQ(r.exitCode, 1);
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_TRUE(DialogFields(r.dialogs.first()).at(2).startsWith(U("使い方: zotra-batch [--folder DIR] all ")));

  // A logbook without a QSO of the contest.
  demo.folder().WriteBytes("none.adi", "<CALL:6>JA1ABC <QSO_DATE:8>20250101 <TIME_ON:4>1200 <FREQ:5>7.010 "
                                       "<MODE:2>CW <EOR>\n");
  ASSERT_TRUE(demo.ImportLogbook(demo.File("none.adi")));
  r = demo.Batch({"all"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(OutputLines(r), (QStringList{U("抽出交信数: 0"), U("期間外 1 件")}));
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_TRUE(DialogFields(r.dialogs.first()).at(2).startsWith(U("コンテストの交信が見つかりませんでした\n")));

  // The logbook gone: the extraction's own message, nothing written after it.
  QFile::remove(demo.File("logbook/MARQEN.HDB"));
  r = demo.Batch({"all"});
  EXPECT_EQ(r.exitCode, 1);
  ASSERT_FALSE(r.dialogs.isEmpty());
  EXPECT_TRUE(DialogFields(r.dialogs.first()).at(2).startsWith(U("Marqen.DBS が見つかりません")));
  EXPECT_FALSE(demo.folder().Exists(U("サマリーシート.pdf")));

  // A call sign whose station folder would lie two folders above the program
  // folder: refused before anything is touched.
  const QByteArray definition = demo.folder().ReadBytes("ZOTRAW.TST");
  demo.folder().WriteBytes("ZOTRAW.TST", QByteArray(definition).replace("\"JA1ZTR\"", "\"A/../../EVIL\""));
  const QByteArray settings = demo.folder().ReadBytes("ZOTRAW.INI");
  r = demo.Batch({"all"});
  EXPECT_EQ(r.exitCode, 1);
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_TRUE(DialogFields(r.dialogs.first()).at(2).startsWith(U("コールサイン A/../../EVIL からは局のフォルダが作れません\n")));
  EXPECT_FALSE(QFileInfo::exists(demo.Path() + "/../../EVIL"));
  EXPECT_FALSE(QFileInfo::exists(demo.Path() + "/../../EVIL_JARL"));
  EXPECT_EQ(demo.folder().ReadBytes("ZOTRAW.INI"), settings);
  demo.folder().WriteBytes("ZOTRAW.TST", definition);

  // No definition: told before anything is touched.
  QFile::remove(demo.File("ZOTRAW.TST"));
  demo.folder().WriteBytes("ZOTRAPOI.DAT", "\"7\",\" 1\",\" 1\",\" 0\",\" 0\",\" 1\"\r\n");
  r = demo.Batch({"all"});
  EXPECT_EQ(r.exitCode, 1);
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(r.dialogs.first()).at(2), U("定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください"));
  EXPECT_EQ(demo.folder().ReadBytes("ZOTRAPOI.DAT"), QByteArray("\"7\",\" 1\",\" 1\",\" 0\",\" 0\",\" 1\"\r\n"));
}

// A score beyond the range of its decimal: the road stops, as zotra-batch
// summary does, and no electronic log with a score of 0 is written.
TEST(RoadFailures, AScoreBeyondItsRangeWritesNothing) {
  DemoFolder demo;
  ASSERT_TRUE(demo.LaidOut());
  ASSERT_TRUE(demo.ImportLogbook(QString::fromUtf8(kRoadAdif)));
  const QByteArray definition = demo.folder().ReadBytes("ZOTRAW.TST");
  const QByteArray note = EncodeCp932(U("\"[*内容]\""));
  demo.folder().WriteBytes("ZOTRAW.TST", QByteArray(definition).replace(
                                             note, EncodeCp932(U("\"[*点数]\"\r\n\"9999999999999\"\r\n")) + note));
  const ProgramResult r = demo.Batch(QStringList{"all"} + DemoExtractOptions());
  EXPECT_EQ(r.exitCode, 1);
  QStringList texts;
  for (const QString& d : r.dialogs) texts << DialogFields(d).at(2);
  EXPECT_TRUE(texts.contains(U("総得点が大きすぎて計算できません\n（計算できるのは 922,337,203,685,477 までです）")))
      << texts.join('\n').toStdString();
  EXPECT_FALSE(demo.folder().Exists(U("JA1ZTR_JARL/2025_ZOTRAデモコンテスト.txt")));
  EXPECT_FALSE(demo.folder().Exists(U("サマリーシート.pdf")));
}

}  // namespace
