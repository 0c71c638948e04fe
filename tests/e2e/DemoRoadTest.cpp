// The demo station as `make run` lays it out, and its whole road. The
// logbook is demo/DemoLog.cpp's; its contest part is built so that the
// results follow by hand (see the head of that file):
//   base QSOs n: 1.9 30, 3.5 260, 7 900, 14 420, 21 380, 28 160, 50 380,
//                144 260, 430 150, 1200 30, 10125 6, SAT 4 (2,980)
//   duplicates d = #{k < n : k mod 97 = 50}: 3.5 3 (k 50, 147, 244), 7 9,
//                14 4, 21 4, 28 2, 50 4, 144 3, 430 2; the rest 0 (31)
//   other-mode QSOs x = #{k < n : k mod 59 = 30}: 3.5 4 (30, 89, 148, 207),
//                7 15, 14 7, 21 6, 28 3, 50 6, 144 4, 430 3; the rest 0 (48)
//   extracted n + d + x = 3,059; valid QSOs n + x; multipliers min(n, 61);
//   points (n + x) × band points (1200: 2, 10125: 3, SAT: 2).
// Valid 3,028 QSOs, 3,074 points, 30 + 8 × 61 + 30 + 6 + 4 = 558
// multipliers: the score is 3,074 × 558 = 1,715,292.
#include "DemoFolder.h"

#include "common/Settings.h"
#include "common/Text.h"
#include "summary/ElectronicLogCheck.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(DemoStation, LaidOutAsAProgramFolder) {
  DemoFolder demo;
  ASSERT_TRUE(demo.LaidOut());
  const TempFolder& t = demo.folder();
  for (const char* name : {"MY.CFG", "ZOTRAW.TST", "ZOTRAW.COD", "C_NAME.TXT", "ZOTRAPOI.DAT", "mqdll2vb.dll",
                           "hokkaido.txt", "logbook/MARQEN.HDB", "logbook/MARQEN.MST", "logbook/marqen50.dll",
                           "logbook/demo.adi", "JA1ZTR", "JA1ZTR_JARL"}) {
    EXPECT_TRUE(t.Exists(U(name))) << name;
  }
  // The settings name what the programs need; the menu's check has run.
  const QString ini = t.File("ZOTRAW.INI");
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAM", "Cfg", ""), "MY.CFG");
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAM", "MARQEN", ""), t.File("logbook/MARQEN.HDB"));
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAM", "MST", ""), t.File("logbook/MARQEN.MST"));
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAC", "Option", ""), "2");
  EXPECT_EQ(t.ReadBytes(U("センチメートル波.txt")), QByteArray("10125,10000,10250\r\n"));
  // Text files in the suite's form: CP932 with CR LF.
  const QByteArray definition = t.ReadBytes("ZOTRAW.TST");
  EXPECT_TRUE(definition.startsWith("\"ZOTRAW\",\"Ver4.0\"\r\n"));
  EXPECT_TRUE(definition.contains(EncodeCp932(U("\"ContestName\",\"ZOTRAデモコンテスト\"\r\n"))));
  EXPECT_EQ(definition.count("\r\n"), definition.count('\n'));
  // The definition is what the definition writer writes: read and written
  // again it stays the same.
  const ProgramResult again = demo.Batch({"definition", "ZOTRAW.TST"});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.standardOutput, definition);
  // The demo contest's categories follow the shipped ones; its name is known.
  EXPECT_TRUE(t.ReadCp932("ZOTRAW.COD").startsWith(t.ReadCp932("ZOTCOD.BSE")));
  const ProgramResult categories = demo.Batch({"categories", U("ZOTRAデモコンテスト")});
  EXPECT_TRUE(QString::fromUtf8(categories.standardOutput)
                  .contains(U("XMA/電信電話部門/シングルオペ オールバンド/ＺＯＴＲＡデモ\n")));
  EXPECT_TRUE(t.ReadCp932("C_NAME.TXT").endsWith(U("ZOTRAデモコンテスト,R2\r\n")));
}

TEST(DemoStation, LogbookHoldsHalfAYearAndTheContest) {
  DemoFolder demo;
  ASSERT_TRUE(demo.LaidOut());
  // 1,200 QSOs before the contest, 80 after, 17 others in its hours, 3,059 of it.
  const QByteArray header = demo.folder().ReadBytes("logbook/MARQEN.HDB").left(16);
  ASSERT_EQ(header.left(8), QByteArray("MQHDB500"));
  const int count = quint8(header[8]) | quint8(header[9]) << 8 | quint8(header[10]) << 16;
  EXPECT_EQ(count, 1200 + 80 + 17 + 3059);
  // Laid out twice, the logbook is the same, byte for byte.
  DemoFolder other;
  ASSERT_TRUE(other.LaidOut());
  EXPECT_EQ(other.folder().ReadBytes("logbook/demo.adi"), demo.folder().ReadBytes("logbook/demo.adi"));
  EXPECT_EQ(other.folder().ReadBytes("logbook/MARQEN.HDB"), demo.folder().ReadBytes("logbook/MARQEN.HDB"));
}

TEST(DemoStation, WholeRoadGivesTheFiguresWorkedOutByHand) {
  DemoFolder demo;
  ASSERT_TRUE(demo.LaidOut());
  const ProgramResult r = demo.Batch(QStringList{"all", "--pdf-dir", demo.File("pdf")} + DemoExtractOptions());
  ASSERT_EQ(r.exitCode, 0) << r.standardError.toStdString();
  const QStringList lines = QString::fromUtf8(r.standardOutput).split('\n', Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 19);
  // The logbook's everyday QSOs are accounted for; each duplicate is a pair:
  // twice as many QSOs in duplicate groups as made invalid.
  EXPECT_EQ(lines.mid(0, 19),
            QStringList({U("抽出交信数: 3059"), U("期間外 1282 件"), U("参加バンド外 2 件"), U("参加モード外 12 件"),
                         U("無効交信 1 件"), U("バンド\t交信数\t重複交信数\t無効交信数\tマルチ\t得点"),
                         "1.9\t30\t0\t0\t30\t30", "3.5\t264\t6\t3\t61\t264", "7\t915\t18\t9\t61\t915",
                         "14\t427\t8\t4\t61\t427", "21\t386\t8\t4\t61\t386", "28\t163\t4\t2\t61\t163",
                         "50\t386\t8\t4\t61\t386", "144\t264\t6\t3\t61\t264", "430\t153\t4\t2\t61\t153",
                         "1200\t30\t0\t0\t30\t60", "10125\t6\t0\t0\t6\t18", "SAT\t4\t0\t0\t4\t8",
                         U("総得点\t1,715,292")}));
  // 12 duplicate lists, 12 log sheets, the summary sheet, two files.
  EXPECT_EQ(lines.size(), 19 + 12 * 2 + 3);

  const QByteArray elog = demo.folder().ReadBytes(U("JA1ZTR_JARL/2025_ZOTRAデモコンテスト.txt"));
  EXPECT_EQ(CheckElectronicLog(elog, {.timeOrder = true, .qsoCount = 3028}), QStringList());
  const QStringList log = Cp932Lines(elog).filter(QRegularExpression(U("^2025-06-1[45] ")));
  ASSERT_EQ(log.size(), 3028);
  // The first QSO: 7 MHz k = 0 at 21:00, station 4 (s = 125 · 0 + 4): r = 4,
  // prefecture 06; prefix JH (4 · 5 mod 16 = 4), area 7, suffix of 1004
  // B M Q; CW, reports 599 (k mod 17 ≠ 5).
  EXPECT_EQ(log.first(), U("2025-06-14 21:00     7  CW    JH7BMQ     599 10      599 06      06     1 "));
  // The last: 7 MHz k = 899 at 20:59, station (125 · 899 + 4) mod 976 = 139:
  // r = 17, prefecture 19, prefix JK (695 mod 16 = 7), area 2, suffix of 1139
  // B R V; k mod 4 = 3 phone (SSB, k mod 8 ≠ 7), received 57 (its place 923
  // in the band, 923 mod 17 = 5); its multiplier came earlier: "-".
  EXPECT_EQ(log.last(), U("2025-06-15 20:59     7  SSB   JK2BRV     59  10      57  19      -      1 "));

  const QStringList text = Cp932Lines(demo.folder().ReadBytes(U("JA1ZTR/2025_ZOTRAデモ.Txt")));
  EXPECT_TRUE(text.contains(U("  Point      3028   3074    558")));
  EXPECT_TRUE(text.contains(U("      合計得点   1,715,292")));
  // The text log's first QSO: 1.9 MHz k = 0 at 21:01, station 11: r = 11,
  // prefecture 13, prefix JK (55 mod 16 = 7), area 1, suffix of 1011 B M X.
  const int first = text.indexOf(U("          Call Sign: JA1ZTR    Band: 1.9MHz"));
  ASSERT_GT(first, 0);
  EXPECT_EQ(text.at(first + 3), U("06/14 21:01 JK1BMX     599 10        599 13        13      1                   "));
  // Its last: SAT k = 3 at 09:20 (12:00 UTC + 720 + 3 × 20 / 3 minutes),
  // station (233 · 3 + 700) mod 976 = 423: r = 57, subprefecture 111; prefix
  // JG (2115 mod 16 = 3), area 8, a two-letter suffix (423 mod 9 = 0) of 1423
  // C T; FM 59; AO-91 (k odd); two points.
  EXPECT_EQ(text.at(text.size() - 4),
            U("06/15 09:20 JG8CT      59 10         59 111        111     2           AO-91   "));
}

}  // namespace
