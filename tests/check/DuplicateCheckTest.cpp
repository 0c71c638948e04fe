// Key building, the sort and the duplicate marks: "zotra.wk3" and
// "zotradup.wk" byte for byte against lines written out by hand.
#include "CheckFixture.h"
#include "check/DuplicateCheck.h"
#include "check/WorkFiles.h"

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

// The QSOs of band 7 (wk2 order = logbook order).
QStringList Band7() {
  return {
      Wk2("101", "7", "CW", "2024/06/01", "21:05", "JA1ABC"),
      Wk2("102", "7", "CW", "2024/06/01", "21:10", "JH1XYZ"),
      Wk2("103", "7", "SSB", "2024/06/01", "21:20", "JA1ABC/1"),
      Wk2("0", "7", "CW", "2024/06/01", "21:25", "JR1AAA"),
      Wk2("105", "7", "CW", "2024/06/02", "08:00", "KH0/JA1ABC"),
      Wk2("106", "7", "CW", "2024/06/02", "08:05", "JA1VERYLONG"),
      Wk2("107", "7", "CW", "2024/06/02", "08:06", "JA1VERYL"),
  };
}

}  // namespace

TEST(KeyLine, ColumnsOfEveryCriterion) {
  const KeyRecord r{"105", "7", "SSB", "2024/06/02", "08:00", "KH0/JA1ABC"};
  //                         1        10   16    22    28   33    40
  EXPECT_EQ(BuildKeyLine(r, Criterion::Date), "0JA1ABC  06/02 00010506/02 08:00     7 SSB   ");
  EXPECT_EQ(BuildKeyLine(r, Criterion::Band), "0JA1ABC       700010506/02 08:00     7 SSB   ");
  EXPECT_EQ(BuildKeyLine(r, Criterion::Mode), "0JA1ABC  SSB   00010506/02 08:00     7 SSB   ");
  EXPECT_EQ(BuildKeyLine(r, Criterion::None), "0JA1ABC        00010506/02 08:00     7 SSB   ");
  const KeyRecord micro{"12345", "10125", "FM", "2024/12/31", "23:59", "JA1VERYLONG/P"};
  EXPECT_EQ(BuildKeyLine(micro, Criterion::Band), "0JA1VERY  1012501234512/31 23:59 10125 FM    ");
  // A full-width call sign or mode is narrowed; what stays wide is no part of
  // a key: every line is 45 characters and 45 bytes.
  const KeyRecord wide{"7", "7", U("ＣＷ"), "2024/06/02", "08:00", U("ＪＡ１ＸＸＸ／１")};
  EXPECT_EQ(BuildKeyLine(wide, Criterion::Mode), "0JA1XXX  CW    00000706/02 08:00     7 CW    ");
  const QString kanji = BuildKeyLine({"7", "7", U("電信"), "", "", U("山田JA1ABC")}, Criterion::Date);
  EXPECT_EQ(kanji, "0??JA1AB       000007                7 ??    ");
  EXPECT_EQ(Cp932Length(kanji), kKeyLineLength);
  // A damaged record gives a key line of full length all the same.
  EXPECT_EQ(BuildKeyLine({"7", "", "", "", "", ""}, Criterion::Date).size(), kKeyLineLength);
  EXPECT_EQ(RecordNumber({"0", "7", "CW", "", "", ""}), 0);
  EXPECT_EQ(RecordNumber({"", "7", "CW", "", "", ""}), 0);
  EXPECT_EQ(RecordNumber({"9999", "7", "CW", "", "", ""}), 9999);
}

TEST(KeyLine, CallSignCompared) {
  EXPECT_EQ(ComparisonCall("JA1ABC/1"), "JA1ABC");
  EXPECT_EQ(ComparisonCall("KH0/JA1ABC"), "JA1ABC");
  EXPECT_EQ(ComparisonCall("JA1ABC"), "JA1ABC");
  EXPECT_EQ(ComparisonCall("JA1VERYLONG"), "JA1VERY");
  // Equally long parts: the one after the "/".
  EXPECT_EQ(ComparisonCall("ABC/XYZ"), "XYZ");
  // More than one "/": the longest part.
  EXPECT_EQ(ComparisonCall("KH0/JA1ABC/P"), "JA1ABC");
  EXPECT_EQ(ComparisonCall("JA1ABC/1/QRP"), "JA1ABC");
  EXPECT_EQ(ComparisonCall(" JA1ABC / 1 "), "JA1ABC");
  EXPECT_EQ(ComparisonCall("/"), "");
}

TEST(DuplicateCheck, ByDateTheKeyFileAndTheDuplicateFile) {
  CheckFolder f;
  f.Selection("7", Band7());
  const CheckResult r = RunDuplicateCheck(f.Folder(), Criterion::Date);
  ASSERT_TRUE(r.found);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(r.selection, "7");
  EXPECT_EQ(r.read, 7);
  EXPECT_EQ(r.invalid, 1);
  EXPECT_EQ(r.Valid(), 6);
  EXPECT_EQ(r.counts.stations, 2);
  EXPECT_EQ(r.counts.duplicates, 4);
  // JA1ABC/1 and JA1ABC on 06/01 are one station; KH0/JA1ABC on 06/02 is
  // another day; two long calls agree in their first seven characters.
  const QStringList keys = {
      "5JA1ABC  06/01 00010106/01 21:05     7 CW    ",
      "9JA1ABC  06/01 00010306/01 21:20     7 SSB   ",
      "0JA1ABC  06/02 00010506/02 08:00     7 CW    ",
      "5JA1VERY 06/02 00010606/02 08:05     7 CW    ",
      "9JA1VERY 06/02 00010706/02 08:06     7 CW    ",
      "0JH1XYZ  06/01 00010206/01 21:10     7 CW    ",
  };
  EXPECT_EQ(f.Bytes("zotra.wk3"), Cp932Lines(QStringList{"\"7\""} + keys));
  EXPECT_EQ(f.Bytes("zotradup.wk"), Cp932Lines({keys.at(0), keys.at(1), keys.at(3), keys.at(4)}));
}

TEST(DuplicateCheck, ByModeADifferentModeCountsAgain) {
  CheckFolder f;
  f.Selection("7", Band7());
  const CheckResult r = RunDuplicateCheck(f.Folder(), Criterion::Mode);
  EXPECT_EQ(r.counts.stations, 2);
  EXPECT_EQ(f.Bytes("zotra.wk3"), Cp932Lines({
                                      "\"7\"",
                                      "5JA1ABC  CW    00010106/01 21:05     7 CW    ",
                                      "9JA1ABC  CW    00010506/02 08:00     7 CW    ",
                                      "0JA1ABC  SSB   00010306/01 21:20     7 SSB   ",
                                      "5JA1VERY CW    00010606/02 08:05     7 CW    ",
                                      "9JA1VERY CW    00010706/02 08:06     7 CW    ",
                                      "0JH1XYZ  CW    00010206/01 21:10     7 CW    ",
                                  }));
}

TEST(DuplicateCheck, ByBandTheSameCallOnAnotherBandIsTwoSingles) {
  CheckFolder f;
  f.Selection("ALL", {Wk2("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC"),
                      Wk2("2", "14", "CW", "2024/06/01", "21:06", "JA1ABC")});
  CheckResult r = RunDuplicateCheck(f.Folder(), Criterion::Band);
  EXPECT_FALSE(r.HasDuplicates());
  EXPECT_EQ(f.Bytes("zotra.wk3"), Cp932Lines({
                                      "\"ALL\"",
                                      "0JA1ABC       700000106/01 21:05     7 CW    ",
                                      "0JA1ABC      1400000206/01 21:06    14 CW    ",
                                  }));
  // No duplicate: no duplicate file, and for the log program no key file.
  EXPECT_FALSE(f.t.Exists("zotradup.wk"));
  PrepareForLog(f.Folder(), r);
  EXPECT_FALSE(f.t.Exists("zotra.wk3"));
  EXPECT_TRUE(f.t.Exists("zotra.wk2"));

  // By mode the same two QSOs are a pair.
  f.t.WriteCp932("zotradup.wk", "stale\r\n");
  r = RunDuplicateCheck(f.Folder(), Criterion::Mode);
  EXPECT_EQ(r.counts.stations, 1);
  EXPECT_EQ(r.counts.duplicates, 2);
  EXPECT_EQ(f.Bytes("zotradup.wk"), Cp932Lines({
                                        "5JA1ABC  CW    00000106/01 21:05     7 CW    ",
                                        "9JA1ABC  CW    00000206/01 21:06    14 CW    ",
                                    }));
  PrepareForLog(f.Folder(), r);
  EXPECT_TRUE(f.t.Exists("zotra.wk3"));
  EXPECT_TRUE(f.t.Exists("zotradup.wk"));
}

TEST(DuplicateCheck, ThreeQsosMarkedInRecordOrder) {
  CheckFolder f;
  f.Selection("3.5", {Wk2("30", "3.5", "CW", "2024/06/01", "23:00", "JA1ABC"),
                      Wk2("10", "3.5", "CW", "2024/06/01", "21:00", "JA1ABC/1"),
                      Wk2("20", "3.5", "CW", "2024/06/01", "22:00", "KH0/JA1ABC")});
  const CheckResult r = RunDuplicateCheck(f.Folder(), Criterion::Date);
  EXPECT_EQ(r.counts.stations, 1);
  EXPECT_EQ(r.counts.duplicates, 3);
  EXPECT_EQ(r.keyLines, (QStringList{
                            "5JA1ABC  06/01 00001006/01 21:00   3.5 CW    ",
                            "9JA1ABC  06/01 00002006/01 22:00   3.5 CW    ",
                            "9JA1ABC  06/01 00003006/01 23:00   3.5 CW    ",
                        }));
}

TEST(DuplicateCheck, MissingAndEmptySelections) {
  CheckFolder f;
  EXPECT_FALSE(RunDuplicateCheck(f.Folder(), Criterion::Date).found);
  EXPECT_FALSE(f.t.Exists("zotra.wk3"));

  f.Selection("1200", {});
  const CheckResult r = RunDuplicateCheck(f.Folder(), Criterion::Date);
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.read, 0);
  EXPECT_EQ(f.Bytes("zotra.wk3"), Cp932Lines({"\"1200\""}));

  // Damaged lines: read as far as they go, a line without a record number is invalid.
  f.t.WriteCp932("zotra.wk2", CrLf({"\"7\"", "\"5\",\"7\",\"CW\"", ",", "\"", Wk2("6", "7", "CW", "2024/06/01", "21:00", "JA1A")}));
  const CheckResult damaged = CheckSelection(f.t.ReadCp932("zotra.wk2"), Criterion::Date);
  EXPECT_EQ(damaged.read, 4);
  EXPECT_EQ(damaged.invalid, 2);
  EXPECT_EQ(damaged.keyLines, (QStringList{"0              000005" "           " "     7 CW    ",
                                           "0JA1A    06/01 00000606/01 21:00     7 CW    "}));
}

TEST(Marking, NeighboursEqualInColumnsTwoToFifteen) {
  QStringList lines = {"0JA1ABC  06/01 000001", "0JA1ABC  06/01 000002X", "0JA1ABC  06/02 000003",
                       "0JA1ABC  06/02 000004", "0JA1ABD  06/02 000005", "0JA1ABD"};
  const MarkCounts counts = MarkDuplicates(lines);
  EXPECT_EQ(counts.stations, 2);
  EXPECT_EQ(counts.duplicates, 4);
  EXPECT_EQ(lines, (QStringList{"5JA1ABC  06/01 000001", "9JA1ABC  06/01 000002X", "5JA1ABC  06/02 000003",
                                "9JA1ABC  06/02 000004", "0JA1ABD  06/02 000005", "0JA1ABD"}));
  // A short line compares as if padded with blanks.
  QStringList shortLines = {"0JA1ABD", "0JA1ABD       ", "0JA1ABE"};
  EXPECT_EQ(MarkDuplicates(shortLines).stations, 1);
  EXPECT_EQ(shortLines.at(0), "5JA1ABD");
}

TEST(Sort, FirstTwentyOneCharactersThenFileOrder) {
  QStringList lines = {"0JH1XYZ  06/01 000002b", "0JA1ABC  06/01 000001z", "0JA1ABC  06/01 000001a",
                       "0JA1AB", "0JA1ABC  06/01 000001m"};
  SortKeyLines(lines);
  EXPECT_EQ(lines, (QStringList{"0JA1AB", "0JA1ABC  06/01 000001z", "0JA1ABC  06/01 000001a",
                                "0JA1ABC  06/01 000001m", "0JH1XYZ  06/01 000002b"}));
}

// More lines than the sort holds: one notice with the count, and still every
// line in its place, even past the 90,000 lines a five-digit index suffix
// could number.
TEST(Sort, TooManyLinesToldOnceAndNothingLost) {
  QString text = "\"7\"\r\n";
  const int count = 95000;
  QStringList expected;
  for (int i = 0; i < count; ++i) {
    // One station, one record number: only the file order tells them apart.
    const QString date = QString("2024/%1/%2").arg(1 + i / 1440 / 28, 2, 10, QChar('0')).arg(1 + i / 1440 % 28, 2, 10, QChar('0'));
    const QString time = QString("%1:%2").arg(i / 60 % 24, 2, 10, QChar('0')).arg(i % 60, 2, 10, QChar('0'));
    text += Wk2("7", "7", "CW", date, time, "JA1ABC") + "\r\n";
    expected << (QString(i == 0 ? "5" : "9") + "JA1ABC       7000007" + date.mid(5) + " " + time + "     7 CW    ");
  }
  ScriptedDialogs dialogs({}, {});
  const CheckResult r = CheckSelection(text, Criterion::Band, &dialogs);
  ASSERT_EQ(dialogs.Records().size(), 1);
  EXPECT_EQ(DialogFields(dialogs.Records().first()).mid(1, 2),
            (QStringList{"ZOTRAC", U("ﾃﾞｰﾀ件数が多すぎます\n95000 件 (上限 32766 件)")}));
  EXPECT_EQ(r.read, count);
  ASSERT_EQ(r.keyLines.size(), count);
  EXPECT_EQ(r.keyLines, expected);
  EXPECT_EQ(r.counts.stations, 1);
  EXPECT_EQ(r.counts.duplicates, count);
}

TEST(Sort, TheLimitItself) {
  auto linesOf = [](int n) {
    QString text = "\"7\"\r\n";
    for (int i = 0; i < n; ++i) text += Wk2(QString::number(n - i), "7", "CW", "2024/06/01", "21:00", "JA1ABC") + "\r\n";
    return text;
  };
  ScriptedDialogs dialogs({}, {});
  const CheckResult atLimit = CheckSelection(linesOf(kSortCapacity), Criterion::Date, &dialogs);
  EXPECT_TRUE(dialogs.Records().isEmpty());
  EXPECT_EQ(atLimit.keyLines.first().mid(15, 6), "000001");
  EXPECT_EQ(atLimit.keyLines.last().mid(15, 6), "032766");
  CheckSelection(linesOf(kSortCapacity + 1), Criterion::Date, &dialogs);
  ASSERT_EQ(dialogs.Records().size(), 1);
  EXPECT_EQ(DialogFields(dialogs.Records().first()).at(2), U("ﾃﾞｰﾀ件数が多すぎます\n32767 件 (上限 32766 件)"));
}

TEST(KeyColumns, ReadPastTheEndAsBlanks) {
  EXPECT_EQ(KeyColumns("5JA1ABC", 2, 7), "JA1ABC ");
  EXPECT_EQ(KeyColumns("5JA1ABC", 40, 3), "   ");
  EXPECT_EQ(KeyMark(""), QChar(' '));
  EXPECT_EQ(KeyRecordNumber("5JA1ABC  06/01 000123"), 123);
  EXPECT_EQ(KeyRecordNumber("5JA1ABC"), 0);
  EXPECT_EQ(CriterionFromIndex(1), Criterion::Band);
  EXPECT_EQ(CriterionFromIndex(7), Criterion::Date);
  EXPECT_EQ(CriterionIndex(Criterion::Mode), 2);
}
