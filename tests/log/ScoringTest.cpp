// The multiplier arrangement, the totals of an output pass and the points file.
#include "LogTestData.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "log/Scoring.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

// A table of rows (QSO number, multiplier 1, points).
struct Row {
  QString number, multi1, points;
};

QsoTable Table(const QList<Row>& rows) {
  QStringList records;
  for (const Row& r : rows) {
    records << WorkRecord({r.number, "7", "CW", "2026/04/29", "09:00", "JA1ABC", "599 13M", "599 13M", r.multi1, "",
                           "", r.points, "", ""});
  }
  QsoTable table;
  ParseWorkFile(WorkFile("7", records), &table);
  return table;
}

QStringList Column(const QsoTable& table, int column) {
  QStringList out;
  for (int r = 1; r <= table.RowCount(); ++r) out << table.Cell(r, column);
  return out;
}

LogDefinition Multipliers(const QString& m1, const QString& m2 = {}, const QString& m3 = {}) {
  LogDefinition d;
  d.multiKinds = {m1, m2, m3};
  return d;
}

}  // namespace

TEST(MultiplierArrangement, TheFirstValidQsoKeepsTheValue) {
  QsoTable table = Table({{"1", "13", "2"}, {"2", "13", "3"}, {"3", "14", "1"}});
  EXPECT_EQ(ArrangeMultipliers(&table, Multipliers("Jcc")), 1);
  EXPECT_EQ(Column(table, col::kMulti1), (QStringList{"13", "", "14"}));
  EXPECT_EQ(Column(table, col::kPoints), (QStringList{"2", "3", "1"}));  // points unchanged
}

TEST(MultiplierArrangement, AnInvalidFirstOccurrenceLosesItsValueAndPoints) {
  QsoTable table = Table({{"0", "13", "2"}, {"5", "13", "1"}, {"6", "13", "1"}});
  ArrangeMultipliers(&table, Multipliers("Jcc"));
  EXPECT_EQ(Column(table, col::kMulti1), (QStringList{"", "13", ""}));
  EXPECT_EQ(Column(table, col::kPoints), (QStringList{"0", "1", "1"}));
}

TEST(MultiplierArrangement, BlanksAndTheIdeographicBlank) {
  QsoTable table = Table({{"1", "13", "1"},
                          {"2", U("　13"), "1"},   // an ideographic blank before 13: a second 13
                          {"3", "1 3", "1"},       // a half-width blank inside: another value
                          {"4", U("14　"), "1"},   // at the end
                          {"5", U("1　5"), "1"},   // inside: the halves joined
                          {"6", U("　"), "1"},     // the blank alone
                          {"7", U("　1　6"), "1"}, // only the first one goes
                          {"8", " 17 ", "1"},      // blanks around
                          {"9", U(" 　18"), "1"},  // a blank before the ideographic blank
                          {"10", "ab", "1"},
                          {"11", "AB", "1"}});     // compared with case
  ArrangeMultipliers(&table, Multipliers("Jcc"));
  EXPECT_EQ(Column(table, col::kMulti1),
            (QStringList{"13", "", "1 3", "14", "15", "", U("1　6"), "17", "18", "ab", "AB"}));
}

TEST(MultiplierArrangement, OnlyUsedMultipliersAndPositiveNumbersTakePart) {
  QStringList records;
  for (const QStringList& r : QList<QStringList>{{"1", "13", "A", "X"}, {"2", "13", "A", "X"}, {"-4", "13", "B", "Y"},
                                                 {"3", "13", "B", "Y"}, {"0", "", "A", "X"}}) {
    records << WorkRecord({r[0], "7", "CW", "", "", "JA1ABC", "", "", r[1], r[2], r[3], "1", "", ""});
  }
  QsoTable table;
  ParseWorkFile(WorkFile("7", records), &table);
  ArrangeMultipliers(&table, Multipliers("", "Space", "Pfx"));
  EXPECT_EQ(Column(table, col::kMulti1), (QStringList{"13", "13", "13", "13", ""}));  // not used: untouched
  // A negative number neither keeps a value nor loses one.
  EXPECT_EQ(Column(table, col::kMulti2), (QStringList{"A", "", "B", "B", ""}));
  EXPECT_EQ(Column(table, col::kMulti3), (QStringList{"X", "", "Y", "Y", ""}));
  EXPECT_EQ(Column(table, col::kPoints), (QStringList{"1", "1", "1", "1", "0"}));

  // Without any multiplier nothing changes, not even an invalid QSO's points.
  QsoTable plain = Table({{"0", "13", "2"}, {"1", "13", "1"}});
  EXPECT_EQ(ArrangeMultipliers(&plain, Multipliers("")), 0);
  EXPECT_EQ(Column(plain, col::kPoints), (QStringList{"2", "1"}));
  // A second run changes nothing more.
  EXPECT_EQ(ArrangeMultipliers(&table, Multipliers("", "Space", "Pfx")), 0);
}

TEST(OutputTotals, ValidRowsAndUsedMultipliersOnly) {
  QStringList records;
  for (const QStringList& r : QList<QStringList>{{"1", "13", "A", "", "2"}, {"0", "14", "B", "", "5"},
                                                 {"3", "", "C", "", "1.5"}, {"4", "15", "", "", "x"}}) {
    records << WorkRecord({r[0], "7", "CW", "", "", "JA1ABC", "", "", r[1], r[2], r[3], r[4], "", ""});
  }
  QsoTable table;
  ParseWorkFile(WorkFile("7", records), &table);
  OutputTotals totals = TotalsOf(table, Multipliers("Jcc", "", "Pfx"));
  EXPECT_EQ(totals.qsos, 3);
  EXPECT_EQ(totals.multipliers[0], 2);
  EXPECT_EQ(totals.multipliers[1], 0);  // kind 2 not used, though its cells are filled
  EXPECT_EQ(totals.multipliers[2], 0);
  EXPECT_EQ(totals.points, 2 + 2 + 0);
  EXPECT_FALSE(totals.Overflows());
  totals.qsos = 32767;
  EXPECT_FALSE(totals.Overflows());
  totals.points = 32768;
  EXPECT_TRUE(totals.Overflows());
}

namespace {

const QString kOldFile = CrLf({"\"3.5\",\" 40\",\" 12\",\" 0\",\" 0\",\" 40\"",
                               "\"7\",\" 100\",\" 20\",\" 0\",\" 0\",\" 100\""});

OutputTotals Totals(qint64 qsos, qint64 m1, qint64 points) {
  OutputTotals t;
  t.qsos = qsos;
  t.multipliers = {m1, 0, 0};
  t.points = points;
  return t;
}

}  // namespace

TEST(PointsFile, TheNewBandLineStandsFirstByteForByte) {
  TempFolder t;
  t.WriteCp932("ZOTRAPOI.DAT", kOldFile);
  ScriptedDialogs dialogs({}, {});
  EXPECT_EQ(UpdatePointsFile(t.File("ZOTRAPOI.DAT"), "7", Totals(120, 25, 240), Multipliers("Jcc"), true, dialogs),
            PointsFileOutcome::Written);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), QByteArray("\"7\",\" 120\",\" 25\",\" 0\",\" 0\",\" 240\"\r\n"
                                                    "\"3.5\",\" 40\",\" 12\",\" 0\",\" 0\",\" 40\"\r\n"));
  // Points printing off: field 6 is the empty text; a new band goes first.
  EXPECT_EQ(UpdatePointsFile(t.File("ZOTRAPOI.DAT"), "14", Totals(3, 2, 3), Multipliers("Jcc"), false, dialogs),
            PointsFileOutcome::Written);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), QByteArray("\"14\",\" 3\",\" 2\",\" 0\",\" 0\",\"\"\r\n"
                                                    "\"7\",\" 120\",\" 25\",\" 0\",\" 0\",\" 240\"\r\n"
                                                    "\"3.5\",\" 40\",\" 12\",\" 0\",\" 0\",\" 40\"\r\n"));
  EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST(PointsFile, AllBandsLeaveTheFileAsItWas) {
  TempFolder t;
  t.WriteCp932("ZOTRAPOI.DAT", kOldFile);
  ScriptedDialogs dialogs({}, {});
  EXPECT_EQ(UpdatePointsFile(t.File("ZOTRAPOI.DAT"), "ALL", Totals(140, 30, 140), Multipliers("Jcc"), true, dialogs),
            PointsFileOutcome::LeftAsIs);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), EncodeCp932(kOldFile));
  EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST(PointsFile, UnusedMultipliersAndNegativeNumbers) {
  LogDefinition d = Multipliers("", "Space", "");
  OutputTotals totals;
  totals.qsos = 0;
  totals.multipliers = {5, 7, 9};  // counts of unused kinds are written as 0
  totals.points = -3;
  EXPECT_EQ(MakePointsRecord("1200", totals, d, true),
            (PointsRecord{"1200", " 0", " 0", " 7", " 0", "-3"}));
}

TEST(PointsFile, MoreThanThirtyRecordsAndBigTotalsAreKeptAndTold) {
  TempFolder t;
  QStringList lines;
  for (int i = 1; i <= 32; ++i) lines << QStringLiteral("\"B%1\",\" %1\",\" 0\",\" 0\",\" 0\",\" %1\"").arg(i);
  t.WriteCp932("ZOTRApoi.dat", CrLf(lines));
  ScriptedDialogs dialogs({}, {});
  const Frame frame(Program::Log, t.Path());
  LogSession session;
  session.definition = Multipliers("Jcc");
  ParseWorkFile("\"B5\"\r\n", &session.table);
  EXPECT_EQ(UpdatePointsFile(frame, session, Totals(40000, 12, 80000), true, dialogs), PointsFileOutcome::Written);
  // The file keeps its spelling; no record is lost, the band's old one replaced.
  EXPECT_EQ(t.Entries(), QStringList{"ZOTRApoi.dat"});
  QStringList expected{"\"B5\",\" 40000\",\" 12\",\" 0\",\" 0\",\" 80000\""};
  for (const QString& l : lines) {
    if (!l.startsWith("\"B5\"")) expected << l;
  }
  EXPECT_EQ(t.ReadCp932("ZOTRApoi.dat"), CrLf(expected));
  ASSERT_EQ(dialogs.Records().size(), 2);
  EXPECT_EQ(DialogFields(dialogs.Records().at(0)).at(2),
            U("集計値が 32767 を超えています（交信数 40000、ﾏﾙﾁ1 12、ﾏﾙﾁ2 0、ﾏﾙﾁ3 0、得点 80000）\n"
              "得点ファイルには正しい値をそのまま書き込みます"));
  EXPECT_EQ(DialogFields(dialogs.Records().at(1)).at(2),
            U("得点ファイル ") + t.File("ZOTRApoi.dat") + U(" には 32 件の記録があり、30 件を超えています\n"
                                                           "どの記録も消さずに書き直します"));
}

TEST(PointsFile, AMissingFileIsCreatedAndEmptyBandsAreNotWritten) {
  TempFolder t;
  ScriptedDialogs dialogs({}, {});
  const Frame frame(Program::Log, t.Path());
  LogSession session;
  ParseWorkFile("\"SAT\"\r\n", &session.table);
  EXPECT_EQ(UpdatePointsFile(frame, session, Totals(2, 0, 2), true, dialogs), PointsFileOutcome::Written);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), QByteArray("\"SAT\",\" 2\",\" 0\",\" 0\",\" 0\",\" 2\"\r\n"));
  // A record with an empty band is dropped, as a short line is padded.
  t.WriteCp932("ZOTRAPOI.DAT", CrLf({"\"\",\" 1\",\" 0\",\" 0\",\" 0\",\" 1\"", "\"21\",\" 4\""}));
  EXPECT_EQ(UpdatePointsFile(frame, session, Totals(2, 0, 2), true, dialogs), PointsFileOutcome::Written);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"),
            QByteArray("\"SAT\",\" 2\",\" 0\",\" 0\",\" 0\",\" 2\"\r\n\"21\",\" 4\",\"\",\"\",\"\",\"\"\r\n"));
  // A folder in the file's place cannot be written: told, nothing else.
  TempFolder u;
  QDir(u.Path()).mkdir("ZOTRAPOI.DAT");
  EXPECT_EQ(UpdatePointsFile(u.File("ZOTRAPOI.DAT"), "7", Totals(1, 0, 1), {}, true, dialogs),
            PointsFileOutcome::Failed);
  EXPECT_TRUE(DialogFields(dialogs.Records().last()).at(2).startsWith(U("得点ファイル ")));
}
