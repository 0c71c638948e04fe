// The suite's counts hold 32767 at most and its score is a decimal of 64
// bits: beyond them every step says so and keeps the true number, never a
// wrapped one.
#include "FaultSupport.h"

#include "check/WorkFiles.h"
#include "summary/ElectronicLog.h"
#include "summary/OutputFixture.h"
#include "summary/TextSummary.h"

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

// "zotra.wk1" with `count` QSOs on 7 MHz.
void ExtractedQsos(const TempFolder& t, int count) {
  QString text;
  text.reserve(count * 110);
  for (int i = 1; i <= count; ++i) {
    text += QStringLiteral("\"%1\",\"7\",\"CW\",\"2024/06/15\",\"21:00\",\"JA1AAA\",\"13M\",\"599\",\"1001M\",\"599\","
                           "\"1001\",\"\",\"\",\"1\",\"\",\"\"\r\n")
                .arg(i);
  }
  t.WriteCp932("zotra.wk1", text);
}

TEST(CountLimit, SelectionBeyond32767IsToldAndCountedWhole) {
  TempFolder t;
  ExtractedQsos(t, 32768);
  RecordedDialogs dialogs;
  const SelectionResult result = SelectQsos(t.Path(), "7", &dialogs);
  EXPECT_EQ(result.read, 32768);
  EXPECT_EQ(result.selected, 32768);
  EXPECT_EQ(CountSelectionRecords(t.Path()), 32768);
  EXPECT_EQ(dialogs.Texts(), QStringList{U("交信数が 32767 件を超えています（総交信局数 32768 件、選択された局数 32768 件）\n"
                                           "件数はそのまま表示します。重複チェックと得点の集計ができるのは 32767 件までです")});
  EXPECT_EQ(CountLimitMessage(32767, 32767), "");
  EXPECT_EQ(CountLimitMessage(40000, 12), U("交信数が 32767 件を超えています（総交信局数 40000 件、選択された局数 12 件）\n"
                                            "件数はそのまま表示します。重複チェックと得点の集計ができるのは 32767 件までです"));
}

TEST(CountLimit, SelectionOf32767IsNotTold) {
  TempFolder t;
  ExtractedQsos(t, 32767);
  RecordedDialogs dialogs;
  EXPECT_EQ(SelectQsos(t.Path(), "ALL", &dialogs).selected, 32767);
  EXPECT_TRUE(dialogs.Texts().isEmpty());
}

// A points file edited by hand with counts far beyond a band's: the score
// lines of R1.0 and the band lines of the text summary add them whole.
TEST(CountLimit, BandLinesAddHugeCountsWithoutWrapping) {
  OutputFolder f;
  f.Points({"\"7\",\" 2147483647\",\" 2147483647\",\" 2147483647\",\" 2147483647\",\" 2147483647\"",
            "\"14\",\" 2147483647\",\" 1\",\" 0\",\" 0\",\" 40000\""});
  const OutputData data = ReadOutputData(f.Context());
  const QStringList r10 = ElectronicSummaryLines(data, 1);
  EXPECT_TRUE(r10.contains("<SCORE BAND=7MHz>2147483647,2147483647,6442450941</SCORE>")) << r10.join('\n').toStdString();
  EXPECT_TRUE(r10.contains("<SCORE BAND=TOTAL>4294967294,2147523647,6442450942</SCORE>"));
  const QStringList text = TextSummaryLines(data);
  EXPECT_TRUE(text.contains(U("  Point   4294967294214752364764424509") + "42")) << text.join('\n').toStdString();
}

TEST(CountLimit, BatchTotalsAndSummaryStopAtAScoreBeyondItsRange) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  ContestDefinition d = SampleDefinition();
  d.multi2 = "Space";
  d.multi3 = "Pfx";
  ASSERT_TRUE(WriteDefinition(d, t.File("ZOTRAW.TST")));
  t.WriteCp932("ZOTRAPOI.DAT", CrLf({PointsLine("7", 32767, 32767, 32767, 32767, 32767)}));
  RunOptions options;
  options.timeoutMs = 120000;
  const ProgramResult totals = RunProgram(t, "zotra-batch", {"totals", "--mode", "mul"}, options);
  EXPECT_EQ(totals.exitCode, 1);
  EXPECT_TRUE(DialogTexts(totals).contains(U("総得点が大きすぎて計算できません\n（計算できるのは 922,337,203,685,477 までです）")));
  const ProgramResult summary = RunProgram(t, "zotra-batch", {"summary", "--mode", "mul", "--pdf", "sheet.pdf"}, options);
  EXPECT_EQ(summary.exitCode, 1);
  EXPECT_FALSE(t.Exists("sheet.pdf"));
  EXPECT_FALSE(t.Exists("JA1ZLO_JARL"));
}

}  // namespace
}  // namespace zotra::test
