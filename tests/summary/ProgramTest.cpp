// zotrat and its zotra-batch commands as whole programs, headless.
#include "SummaryFixture.h"
#include "common/gui/Printers.h"
#include "print/PdfTools.h"

#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

class ProgramFolder : public SummaryFolder {
 public:
  ProgramFolder() {
    Definition();
    Points({PointsLine("7", 120, 25, 0, 0, 240), PointsLine("14", 80, 20, 0, 0, 160), PointsLine("SAT", 3, 2, 0, 0, 6)});
  }
  ProgramResult Batch(const QStringList& arguments) const {
    t.InstallProgram("zotra-batch");
    return RunProgram(t, "zotra-batch", QStringList{"--folder", t.Path()} + arguments);
  }
};

QStringList Lines(const QByteArray& output) {
  QStringList lines = QString::fromUtf8(output).split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

TEST(SummaryProgram, StartsFromTheMenuAndReturnsToIt) {
  ProgramFolder f;
  f.t.InstallProgram("zotrat");
  RunOptions options;
  options.environment["ZOTRA_SCREENSHOT"] = f.t.File("totals.png");
  const ProgramResult result = RunProgram(f.t, "zotrat", {"/ZOTRAW.CFG"}, options);
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.dialogs.isEmpty()) << result.dialogs.join("\n").toStdString();
  EXPECT_EQ(result.started, QStringList{f.t.File("zotram") + "\t/ZOTRAW.CFG"});
  EXPECT_FALSE(QImage(f.t.File("totals.png")).isNull());
  EXPECT_TRUE(f.t.Exists("ZOTRApoi.dat2"));
  EXPECT_TRUE(QFileInfo(f.t.File("JA1ZLO")).isDir());
  for (const char* key : {"Form1Top", "Form1Left", "Form2Top", "Form2Left"}) EXPECT_NE(f.Setting(key), "<none>") << key;
  EXPECT_EQ(f.Setting(U("JARL用紙")), DefaultPrinterName() == kPdfPrinterName ? "False" : "True");
  EXPECT_EQ(f.Setting(U("カラー")), "0");
  EXPECT_EQ(f.Setting(U("用紙サイズ")), "1");
}

TEST(SummaryBatch, TotalsPrintsTheGridAndTheScore) {
  ProgramFolder f;
  ProgramResult result = f.Batch({"totals"});
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0);
  const QStringList lines = Lines(result.standardOutput);
  ASSERT_EQ(lines.size(), 19);
  EXPECT_EQ(lines[0], "1.9MHz\t\t\t\t\t");
  EXPECT_EQ(lines[2], "7MHz\t120\t240\t25\t\t");
  EXPECT_EQ(lines[3], "14MHz\t80\t160\t20\t\t");
  EXPECT_EQ(lines[13], "SAT   \t3\t6\t2\t\t");
  EXPECT_EQ(lines[17], U(" 合  計 \t203\t406\t47\t\t"));
  EXPECT_EQ(lines[18], "19,082");
  EXPECT_EQ(f.t.ReadBytes("ZOTRApoi.dat2"),
            QByteArray("\"7\",\" 120\",\" 25\",\" 0\",\" 0\",\" 240\"\r\n"
                       "\"14\",\" 80\",\" 20\",\" 0\",\" 0\",\" 160\"\r\n"
                       "\"SAT\",\" 3\",\" 2\",\" 0\",\" 0\",\" 6\"\r\n"));

  result = f.Batch({"totals", "--mode", "mul", "--coefficient", "3"});
  EXPECT_EQ(Lines(result.standardOutput).last(), "57,246");
  result = f.Batch({"totals", "--mode", "hand"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.standardOutput.isEmpty());
  ASSERT_EQ(result.dialogs.size(), 1);
  EXPECT_TRUE(DialogFields(result.dialogs[0]).at(2).contains("totals [--mode add|mul] [--coefficient N]"));
}

TEST(SummaryBatch, TotalsOfAnEmptyFolder) {
  SummaryFolder f;
  f.t.InstallProgram("zotra-batch");
  const ProgramResult result = RunProgram(f.t, "zotra-batch", {"--folder", f.t.Path(), "totals"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.dialogs.isEmpty());
  const QStringList lines = Lines(result.standardOutput);
  ASSERT_EQ(lines.size(), 19);
  EXPECT_EQ(lines[17], U(" 合  計 \t\t\t\t\t"));
  EXPECT_EQ(lines[18], "0");
}

TEST(SummaryBatch, SummaryIntoAPdfFile) {
  ProgramFolder f;
  const ProgramResult result =
      f.Batch({"summary", "--paper", "blank", "--color", "--sign", "--pdf", "sheet.pdf", "--coefficient", "2"});
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.exitCode, 0) << result.dialogs.join("\n").toStdString();
  // The sheet, then the electronic log and the text summary the definition
  // asks for (the log program has left no log part: told).
  EXPECT_EQ(Lines(result.standardOutput),
            (QStringList{f.t.File("sheet.pdf"), f.t.File(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")),
                         f.t.File(U("JA1ZLO/2024_ALL JA1.Txt"))}));
  EXPECT_TRUE(f.t.ReadBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")).startsWith("<SUMMARYSHEET VERSION=R2.1>\r\n"));
  EXPECT_TRUE(f.t.Exists(U("JA1ZLO/2024_ALL JA1.Txt")));
  ASSERT_EQ(result.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(result.dialogs[0]).at(2),
            U("ログシートの印刷を行わない場合\n正しい電子ログファイルは作成されません"));
  const PdfText text = ReadPdfText(f.t.File("sheet.pdf"));
  ASSERT_NE(text.Find(U("コンテスト用")), nullptr);
  ASSERT_NE(text.Find("38,164"), nullptr);  // 406 × 47 × 2
  EXPECT_EQ(text.Find(U("ステッカー希望")), nullptr);  // not the JAG QSO party
  const PdfWord* date = text.Find("24");
  EXPECT_EQ(date, nullptr);  // --sign prints today's date, not the contest's
}

TEST(SummaryBatch, JagQsoPartyTakesTheCommentOption) {
  ProgramFolder f;
  ContestDefinition d = SampleDefinition();
  d.contestName = U("JAG QSO パーティ");
  f.Definition(d);
  WriteProfileString(f.Ini(), "ZOTRAT", U("JARL用紙"), "True");
  ProgramResult result = f.Batch({"summary", "--pdf", "a.pdf"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_NE(ReadPdfText(f.t.File("a.pdf")).Find(U("ステッカー希望")), nullptr);
  // On the kept JARL form setting the PDF file gets the form (told).
  EXPECT_NE(ReadPdfText(f.t.File("a.pdf")).Find(U("コンテスト用")), nullptr);
  EXPECT_TRUE(DialogFields(result.dialogs.value(0)).value(2).endsWith(U("（JARL 用紙のままにするには --paper jarl）")));
  result = f.Batch({"summary", "--pdf", "b.pdf", "--comment", U("ステッカー不要")});
  EXPECT_NE(ReadPdfText(f.t.File("b.pdf")).Find(U("ステッカー不要")), nullptr);
  result = f.Batch({"summary", "--paper", "a3"});
  EXPECT_EQ(result.exitCode, 1);
}
