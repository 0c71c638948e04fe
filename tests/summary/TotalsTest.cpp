// The points file's sorted copy, the band grid, its totals and the score.
#include "SummaryFixture.h"
#include "summary/BandTotals.h"
#include "summary/DefinitionEntries.h"
#include "summary/PointsFile.h"

#include <gtest/gtest.h>

#include <limits>

using namespace zotra;
using namespace zotra::test;

namespace {

QStringList Row(const TotalsGrid& grid, int row) {
  QStringList cells;
  for (int c = 0; c < TotalsGrid::kColumns; ++c) cells << grid.Cell(row, c);
  return cells;
}

TotalsGrid GridOf(const QStringList& pointsLines, const ContestDefinition& definition = SampleDefinition()) {
  SummaryFolder f;
  f.Points(pointsLines);
  f.Definition(definition);
  RecordedDialogs dialogs;
  const TotalsLoad load = LoadTotals(f.t.Path(), f.t.File("ZOTRAW.TST"), dialogs);
  EXPECT_TRUE(dialogs.Records().isEmpty()) << dialogs.Records().join("\n").toStdString();
  return load.grid;
}

TotalsGrid GridWithTotals(const QString& count, const QString& points, const QString& m1, const QString& m2,
                          const QString& m3) {
  TotalsGrid grid;
  const QStringList cells = {count, points, m1, m2, m3};
  for (int c = 1; c <= 5; ++c) grid.SetCell(TotalsGrid::kTotalRow, c, cells.at(c - 1));
  return grid;
}

QString Score(const TotalsGrid& grid, ScoreMode mode, const QString& coefficient = {}) {
  const std::optional<FixedDecimal> score = ComputeScore(grid, mode, coefficient);
  return score ? ScoreText(*score) : QString("overflow");
}

}  // namespace

TEST(PointsFile, SortedCopyIsByteExact) {
  SummaryFolder f;
  f.Points({PointsLine("7", 120, 25, 0, 0, 240), PointsLine("SAT", 3, 2, 0, 0, 6), PointsLine("1.9", 10, 5, 0, 0, 10),
            PointsLine("21", 0, 0, 0, 0, 0), PointsLine("14", 80, 20, 0, 0, 160)},
           "zotrapoi.dat");  // the same file whatever the case on disk
  bool written = false;
  const QList<PointsRecord> sorted = SortPointsFile(f.t.Path(), &written);
  ASSERT_TRUE(written);
  EXPECT_EQ(sorted.size(), 4);
  EXPECT_EQ(f.t.ReadBytes("ZOTRApoi.dat2"),
            QByteArray("\"1.9\",\" 10\",\" 5\",\" 0\",\" 0\",\" 10\"\r\n"
                       "\"7\",\" 120\",\" 25\",\" 0\",\" 0\",\" 240\"\r\n"
                       "\"14\",\" 80\",\" 20\",\" 0\",\" 0\",\" 160\"\r\n"
                       "\"SAT\",\" 3\",\" 2\",\" 0\",\" 0\",\" 6\"\r\n"));
  EXPECT_EQ(ReadSortedPointsFile(f.t.File("ZOTRApoi.dat2")), sorted);
}

TEST(PointsFile, BandsFrom10100MegahertzMergeIntoTheLowest) {
  const QList<PointsRecord> sorted = SortPointsRecords({
      {"47000", " 1", " 1", " 0", " 0", " 2"},
      {"10000", " 4", " 2", " 0", " 0", " 8"},
      {"24000", " 2", " 1", " 0", " 0", " 4"},
      {"10125", " 3", " 2", " 0", " 0", " 6"},
      {"SAT", " 1", " 1", " 0", " 0", " 2"},
  });
  ASSERT_EQ(sorted.size(), 3);
  EXPECT_EQ(sorted[0], (PointsRecord{"10000", " 4", " 2", " 0", " 0", " 8"}));
  EXPECT_EQ(sorted[1], (PointsRecord{"10125", "6", "4", "0", "0", "12"}));
  EXPECT_EQ(sorted[2].band, "SAT");
  // The merged row keeps the lowest band even when that band had no QSOs.
  const QList<PointsRecord> lowEmpty = SortPointsRecords({{"10125", " 0", " 0", " 0", " 0", " 0"},
                                                          {"24000", " 2", " 1", " 0", " 0", " 4"}});
  ASSERT_EQ(lowEmpty.size(), 1);
  EXPECT_EQ(lowEmpty[0], (PointsRecord{"10125", "2", "1", "0", "0", "4"}));
  EXPECT_EQ(BandSortKey("7"), "000007.0");
  EXPECT_EQ(BandSortKey("sat"), "999999.9");
  EXPECT_EQ(BandSortKey("10125"), "010125.0");
}

TEST(PointsFile, BadInputGivesNoRecordsAndNoCrash) {
  SummaryFolder f;
  // Missing file.
  bool written = false;
  EXPECT_TRUE(SortPointsFile(f.t.Path(), &written).isEmpty());
  EXPECT_TRUE(written);
  EXPECT_EQ(f.t.ReadBytes("ZOTRApoi.dat2"), QByteArray());
  // Empty and garbled files; a band that is no number is no band.
  f.t.WriteBytes("ZOTRAPOI.DAT", QByteArray());
  EXPECT_TRUE(SortPointsFile(f.t.Path()).isEmpty());
  f.t.WriteBytes("ZOTRAPOI.DAT", QByteArray("\x89PNG\r\n\x1a\n\x00\x00\xff\xfe,,,\"\"\"\r\n", 20));
  EXPECT_TRUE(SortPointsFile(f.t.Path()).isEmpty());
  EXPECT_TRUE(SortPointsRecords({{"ALL", " 5", "1", "0", "0", "5"}, {"", "7", "", "", "", ""}}).isEmpty());
  // A short line spoils only itself.
  f.Points({"\"7\",\" 12\"", PointsLine("14", 8, 1, 0, 0, 8)});
  const QList<PointsRecord> sorted = SortPointsFile(f.t.Path());
  ASSERT_EQ(sorted.size(), 2);
  EXPECT_EQ(sorted[0], (PointsRecord{"7", " 12", "", "", "", ""}));
  EXPECT_EQ(sorted[1].band, "14");
}

TEST(BandTotals, OnlySatelliteTakesTheFirstFreeRow) {
  const TotalsGrid grid = GridOf({PointsLine("SAT", 12, 4, 0, 0, 24)});
  EXPECT_EQ(Row(grid, 14), (QStringList{"SAT   ", "12", "24", "4", "", ""}));
  EXPECT_EQ(Row(grid, 18), (QStringList{U(" 合  計 "), "12", "24", "4", "", ""}));
  for (int row = 1; row <= 13; ++row) EXPECT_EQ(grid.Cell(row, 1), "") << row;
}

TEST(BandTotals, MicrowaveBandsAndFixedRows) {
  const TotalsGrid grid = GridOf({PointsLine("10125", 3, 2, 0, 0, 6), PointsLine("24000", 2, 1, 0, 0, 4),
                                  PointsLine("47000", 1, 1, 0, 0, 2), PointsLine("10000", 4, 2, 0, 0, 8),
                                  PointsLine("7", 100, 30, 0, 0, 200), PointsLine("18", 5, 3, 0, 0, 10)});
  EXPECT_EQ(Row(grid, 0), (QStringList{"", U("交信数"), U("得 点"), U("ﾏﾙﾁ1"), U("ﾏﾙﾁ2"), U("ﾏﾙﾁ3")}));
  EXPECT_EQ(Row(grid, 3), (QStringList{"7MHz", "100", "200", "30", "", ""}));
  EXPECT_EQ(Row(grid, 13), (QStringList{"10.1GHz", "6", "12", "4", "", ""}));
  // 10 GHz stays a row of its own, after the 18 MHz row in band order.
  EXPECT_EQ(Row(grid, 14), (QStringList{U("18ＭHz"), "5", "10", "3", "", ""}));
  EXPECT_EQ(Row(grid, 15), (QStringList{U("10.ＧHz"), "4", "8", "2", "", ""}));
  EXPECT_EQ(Row(grid, 18), (QStringList{U(" 合  計 "), "115", "230", "39", "", ""}));
  EXPECT_EQ(BandLabel("1.9"), U("1.9ＭHz"));
  EXPECT_EQ(BandLabel("SAT"), "SAT   ");
}

TEST(BandTotals, ZeroCountsNeverReachTheGridAndExtraBandsRunOut) {
  const TotalsGrid grid =
      GridOf({PointsLine("21", 0, 0, 0, 0, 0), PointsLine("10", 1, 1, 0, 0, 1), PointsLine("18", 1, 1, 0, 0, 1),
              PointsLine("24", 1, 1, 0, 0, 1), PointsLine("75000", 0, 0, 0, 0, 0), PointsLine("SAT", 1, 1, 0, 0, 1),
              PointsLine("10000", 1, 1, 0, 0, 1)});
  EXPECT_EQ(grid.Cell(5, 1), "");
  EXPECT_EQ(grid.Cell(13, 1), "");
  EXPECT_EQ((QStringList{grid.Cell(14, 0), grid.Cell(15, 0), grid.Cell(16, 0), grid.Cell(17, 0)}),
            (QStringList{U("10ＭHz"), U("18ＭHz"), U("24ＭHz"), U("10.ＧHz")}));
  // The satellite record finds no free row: it is not shown.
  EXPECT_EQ(grid.Cell(18, 1), "4");
  TotalsGrid full = grid;
  EXPECT_FALSE(full.Place({"SAT", "1", "1", "0", "0", "1"}));
  EXPECT_TRUE(full.Place({"18", "9", "1", "0", "0", "9"}));  // a band already in a free row
  EXPECT_EQ(full.Cell(15, 1), "9");
}

TEST(BandTotals, NonNumericCellsCountAsZeroAndTotalsAboveZeroOnly) {
  TotalsGrid grid;
  grid.Place({"7", "abc", "3", "-5", "x", " 12"});
  grid.Place({"14", "4", "2", "2", "", "8"});
  EXPECT_TRUE(grid.ComputeTotals().isEmpty());
  EXPECT_EQ(Row(grid, 18), (QStringList{U(" 合  計 "), "4", "20", "5", "", ""}));
}

TEST(BandTotals, TotalsBeyond32767AreToldAndKeptWhole) {
  SummaryFolder f;
  f.Points({PointsLine("7", 30000, 10, 0, 0, 30000), PointsLine("14", 30000, 10, 0, 0, 30000)});
  f.Definition();
  RecordedDialogs dialogs;
  const TotalsLoad load = LoadTotals(f.t.Path(), f.t.File("ZOTRAW.TST"), dialogs);
  EXPECT_EQ(load.grid.Cell(18, 1), "60000");
  EXPECT_EQ(load.grid.Cell(18, 2), "60000");
  ASSERT_EQ(dialogs.Texts().size(), 2);
  EXPECT_EQ(dialogs.Texts().at(0), U("交信数の合計が 32767 を超えています\n"
                                     "合計欄には正しい合計を表示しています。提出先の制限を確認してください"));
  EXPECT_TRUE(dialogs.Texts().at(1).startsWith(U("得点の合計が 32767")));
}

TEST(BandTotals, DefinitionBlanksUnusedMultipliersAndGivesTheCoefficient) {
  ContestDefinition d = SampleDefinition();
  d.multi1 = "";
  d.multi2 = "Space";
  d.multi3 = "";
  d.stationCoefficient = "3";
  SummaryFolder f;
  f.Points({PointsLine("7", 10, 4, 5, 6, 20)});
  f.Definition(d);
  RecordedDialogs dialogs;
  const TotalsLoad load = LoadTotals(f.t.Path(), f.t.File("ZOTRAW.TST"), dialogs);
  EXPECT_EQ(Row(load.grid, 3), (QStringList{"7MHz", "10", "20", "", "5", ""}));
  EXPECT_EQ(Row(load.grid, 18), (QStringList{U(" 合  計 "), "10", "20", "", "5", ""}));
  EXPECT_EQ(load.coefficient, "3");

  // A definition without the multiplier entries leaves every column.
  const TotalsDefinition none = ReadTotalsDefinition(DefinitionEntries(QStringList{"MyCall", "JA1ABC"}));
  EXPECT_EQ(none.multiplierUnused, (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(none.coefficient, "");
}

TEST(Score, ModesAndCoefficient) {
  const TotalsGrid noMultipliers = GridWithTotals("100", "482", "", "", "");
  EXPECT_EQ(Score(noMultipliers, ScoreMode::Additive), "482");
  EXPECT_EQ(Score(noMultipliers, ScoreMode::Multiplicative), "482");
  EXPECT_EQ(Score(noMultipliers, ScoreMode::Additive, "3"), "1,446");

  const TotalsGrid multipliers = GridWithTotals("100", "482", "0", "1", "5");
  EXPECT_EQ(Score(multipliers, ScoreMode::Multiplicative), "2,410");  // × 5
  EXPECT_EQ(Score(multipliers, ScoreMode::Additive), "2,892");        // × 6
  EXPECT_EQ(Score(multipliers, ScoreMode::Additive, "0"), "2,892");
  EXPECT_EQ(Score(multipliers, ScoreMode::Additive, ""), "2,892");
  EXPECT_EQ(Score(multipliers, ScoreMode::Additive, "abc"), "2,892");
  EXPECT_EQ(Score(multipliers, ScoreMode::Additive, "1.5"), "4,338");

  EXPECT_EQ(Score(GridWithTotals("", "", "", "", ""), ScoreMode::Additive), "0");
}

TEST(Score, LargeScoresAreExactAndOverflowIsNeverWrapped) {
  EXPECT_EQ(Score(GridWithTotals("1", "32767", "32767", "32767", ""), ScoreMode::Multiplicative),
            "35,181,150,961,663");
  EXPECT_EQ(Score(GridWithTotals("1", "32767", "32767", "32767", "32767"), ScoreMode::Multiplicative), "overflow");
  EXPECT_EQ(Score(GridWithTotals("1", "32767", "32767", "32767", "32767"), ScoreMode::Additive, "999999999"),
            "overflow");
  EXPECT_EQ(ScoreDigits("35,181,150,961,663"), 35181150961663);
  EXPECT_EQ(ScoreDigits(""), 0);
  EXPECT_EQ(ScoreDigits("99999999999999999999999"), std::numeric_limits<qint64>::max());
  EXPECT_EQ(ScoreOverflowMessage(), U("総得点が大きすぎて計算できません\n（計算できるのは 922,337,203,685,477 までです）"));
}

TEST(Score, BatchComputationFromTheFolder) {
  SummaryFolder f;
  RecordedDialogs dialogs;
  // Missing points file and definition: an empty grid and a score of 0.
  const TotalsSnapshot empty = ComputeTotals(f.t.Path(), f.t.File("ZOTRAW.TST"), ScoreMode::Additive, {}, dialogs);
  EXPECT_EQ(empty.scoreText, "0");
  EXPECT_EQ(Row(empty.grid, 18), (QStringList{U(" 合  計 "), "", "", "", "", ""}));
  EXPECT_TRUE(dialogs.Records().isEmpty());

  ContestDefinition d = SampleDefinition();
  d.stationCoefficient = "2";
  f.Definition(d);
  f.Points({PointsLine("7", 10, 4, 0, 0, 20)});
  EXPECT_EQ(ComputeTotals(f.t.Path(), f.t.File("ZOTRAW.TST"), ScoreMode::Additive, {}, dialogs).scoreText, "160");
  EXPECT_EQ(ComputeTotals(f.t.Path(), f.t.File("ZOTRAW.TST"), ScoreMode::Additive, QString("1"), dialogs).scoreText,
            "80");
}
