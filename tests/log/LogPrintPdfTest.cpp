// The printed log sheet read back from its PDF file (texts and rules where the
// form puts them, after offsets and scale), and zotra-batch log as a whole
// program.
#include "../print/PdfTools.h"
#include "LogTestData.h"

#include "common/Settings.h"
#include "common/Text.h"
#include "common/gui/PaintSurface.h"
#include "log/LogSheet.h"
#include "log/Scoring.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

ProgramResult Batch(const TempFolder& t, const QStringList& args) {
  return RunProgram(t, "zotra-batch", QStringList{"--folder", t.Path(), "log"} + args);
}

QStringList Messages(const ProgramResult& r) {
  QStringList out;
  for (const QString& d : r.dialogs) out << DialogFields(d).mid(1, 2).join("|");
  return out;
}

// Whether a rendered page has ink near a point (mm).
bool InkNear(const QImage& page, double dotsPerMm, double x, double y, double reach = 0.3) {
  for (int py = qRound((y - reach) * dotsPerMm); py <= qRound((y + reach) * dotsPerMm); ++py) {
    for (int px = qRound((x - reach) * dotsPerMm); px <= qRound((x + reach) * dotsPerMm); ++px) {
      if (page.valid(px, py) && qGray(page.pixel(px, py)) < 200) return true;
    }
  }
  return false;
}

}  // namespace

TEST(LogSheetPdf, TextsAndRulesWhereTheFormPutsThem) {
  TempFolder t;
  OutputOptions options;
  options.jarlPaper = false;
  options.lineSpacing = 4.8;
  options.calibration = {1.5, -2, 1.02};
  const Calibration& c = options.calibration;
  const LogSession session = MakeSession(WorkFile("7", ManyQsos(55)));
  const QString pdf = t.File("sheet.pdf");
  {
    PrinterSurface surface(pdf);
    const PassRun run = RunPass(surface, t.Path(), session, options);
    ASSERT_TRUE(run.result.Succeeded()) << run.dialogs.join("\n").toStdString();
  }
  const PdfText text = ReadPdfText(pdf);
  ASSERT_EQ(text.pages.size(), 2);
  auto page = [&c](double x, double y) { return c.ToPage(x, y); };

  // Form texts at their corners.
  const struct {
    const char* word;
    double x, y;
  } form[] = {
      {"Year(年)", 86, 14},     {"Contest", 190, 14},   {"Callsign(ｺｰﾙｻｲﾝ)", 12.5, 20}, {"MHz.", 131, 20},
      {"Date", 14, 25},         {"月日", 14, 29},       {"Station", 49, 25},           {"Sent(送信)", 83, 29},
      {"Received(受信)", 113, 29}, {"Multi.", 148, 25}, {"得点", 164, 29},             {"運用者", 175, 29},
      {"Rmks", 191, 25},        {"備考", 192, 29},      {"****", 31, 25},
  };
  for (const auto& f : form) {
    const PdfWord* w = text.Find(U(f.word), 1);
    ASSERT_NE(w, nullptr) << f.word;
    EXPECT_NEAR(w->xMin, page(f.x, f.y).x(), 0.5) << f.word;
    EXPECT_NEAR(w->yMin, page(f.x, f.y).y(), 0.5) << f.word;
  }
  // Data: the heading fields and row 1 (y minus the height of "h"), the sheet number.
  const double h10 = MeasureTextHeight({kMinchoFont, 10}) / c.scale;
  const double h12 = MeasureTextHeight({kMinchoFont, 12}) / c.scale;
  const struct {
    QString word;
    double x, y;
    int page;
  } data[] = {
      {"2026", 110, 17 - h12, 1},
      {U("ＪＡ１ＺＬＯ"), 50, 22.5 - h12, 1},
      {"2", 187, 22.5 - h10, 2},
      {"04/29", 15, 33 + 4.8 - h10, 1},
      {"09:01", 30, 33 + 4.8 - h10, 1},
  };
  for (const auto& d : data) {
    const PdfWord* w = text.Find(d.word, d.page);
    ASSERT_NE(w, nullptr) << d.word.toStdString();
    EXPECT_NEAR(w->xMin, page(d.x, d.y).x(), 0.5) << d.word.toStdString();
    EXPECT_NEAR(w->yMin, page(d.x, d.y).y(), 0.5) << d.word.toStdString();
  }
  ASSERT_NE(text.Find("of", 2), nullptr);

  // Rules on the rendered page: the header rules, a solid tenth row, the
  // column rules, the subtotal box.
  const int dpi = 300;
  const double dpm = dpi / 25.4;
  const QImage image = RenderPdfPage(pdf, 1, dpi);
  ASSERT_FALSE(image.isNull());
  for (double x : {20.0, 100.0, 200.0}) {
    for (double y : {24.0, 33.0, 33 + 10 * 4.8, 33 + 50 * 4.8}) {
      EXPECT_TRUE(InkNear(image, dpm, page(x, y).x(), page(x, y).y())) << x << "," << y;
    }
  }
  for (double x : {12.0, 42.0, 77.0, 109.0, 142.5, 162.5, 172.5, 187.5, 203.5}) {
    EXPECT_TRUE(InkNear(image, dpm, page(x, 100).x(), page(x, 100).y())) << x;
  }
  EXPECT_TRUE(InkNear(image, dpm, page(60, 33 + 51 * 4.8).x(), page(60, 33 + 51 * 4.8).y()));
  // And no ink between the rules where a row has nothing (QSO 41 has no operator).
  EXPECT_FALSE(InkNear(image, dpm, page(180, 33 + 40 * 4.8 + 2.4).x(), page(180, 33 + 40 * 4.8 + 2.4).y(), 1.0));
}

TEST(BatchLog, PdfFilesOnlyAndOptions) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  PrepareLogFolder(t, WorkFile("3.5", ManyQsos(51, "3.5")));
  ProgramResult r = Batch(t, {"--pdf", "log.pdf", "--paper", "blank", "--line-spacing", "4.9", "--arrange"});
  ASSERT_EQ(r.exitCode, 0) << Messages(r).join("\n").toStdString();
  // The multipliers counted after the arrangement, as the library counts them.
  LogSession arranged = MakeSession(WorkFile("3.5", ManyQsos(51, "3.5")));
  ArrangeMultipliers(&arranged.table, arranged.definition);
  const qint64 multipliers = TotalsOf(arranged.table, arranged.definition).multipliers[0];
  ASSERT_LT(multipliers, 51);
  EXPECT_EQ(QString::fromUtf8(r.standardOutput).split('\n'),
            (QStringList{t.File("log.pdf"), t.File("HED.JARL"), t.File("HED2.JARL"), t.File("3.JARL"), t.File("3.MHz"),
                         QString("3.5\t51\t%1\t0\t0\t51").arg(multipliers), ""}));
  EXPECT_EQ(ReadPdfText(t.File("log.pdf")).pages.size(), 2);
  EXPECT_EQ(t.ReadBytes("3.JARL").size(), 51 * 76);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"),
            QString("\"3.5\",\" 51\",\" %1\",\" 0\",\" 0\",\" 51\"\r\n").arg(multipliers).toLatin1());
  EXPECT_FALSE(t.Exists("TempP.tmp"));

  r = Batch(t, {"--files-only", "--no-points"});
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_FALSE(QString::fromUtf8(r.standardOutput).contains(".pdf"));
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), QByteArray("\"3.5\",\" 51\",\" 51\",\" 0\",\" 0\",\"\"\r\n"));

  // A PDF file on the JARL form setting gets the form, and says so; --paper
  // jarl keeps the JARL form.
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", U("JARL用紙"), "True");
  EXPECT_EQ(Messages(Batch(t, {"--pdf", "form.pdf"})), QStringList{U("ZOTRAL|PDF ファイル ") + t.File("form.pdf") +
                                     U(" は JARL 用紙の設定ですが、白紙に罫線付きで出力します（JARL 用紙のままにするには --paper jarl）")});
  EXPECT_NE(ReadPdfText(t.File("form.pdf")).Find("Multi."), nullptr);
  EXPECT_TRUE(Messages(Batch(t, {"--pdf", "jarl.pdf", "--paper", "jarl"})).isEmpty());
  EXPECT_EQ(ReadPdfText(t.File("jarl.pdf")).Find("Multi."), nullptr);

  EXPECT_EQ(Batch(t, {"--paper", "a4"}).exitCode, 1);
  EXPECT_EQ(Batch(t, {"--line-spacing", "4.5"}).exitCode, 1);
  EXPECT_EQ(Batch(t, {"--pdf", "x.pdf", "--files-only"}).exitCode, 1);
}

TEST(BatchLog, AFileErrorFailsWithTheFileNamed) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  PrepareLogFolder(t, WorkFile("7", ManyQsos(5)));
  ASSERT_EQ(Batch(t, {"--files-only"}).exitCode, 0);
  const QByteArray band = t.ReadBytes("7.JARL");
  const QByteArray points = t.ReadBytes("ZOTRAPOI.DAT");
  QFile::remove(t.File("7.MHz"));
  QDir(t.Path()).mkdir("7.MHz");
  t.WriteCp932("zotra.wk2", WorkFile("7", ManyQsos(9)));
  const ProgramResult r = Batch(t, {"--files-only"});
  EXPECT_EQ(r.exitCode, 1);
  ASSERT_EQ(Messages(r).size(), 1);
  EXPECT_TRUE(Messages(r).first().contains(t.File("7.MHz"))) << Messages(r).first().toStdString();
  EXPECT_EQ(t.ReadBytes("7.JARL"), band);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), points);
}

TEST(BatchLog, SurvivalAnswerAndStrikeThrough) {
  TempFolder t;
  t.InstallProgram("zotra-batch");
  QStringList qsos = ManyQsos(4);
  qsos[1].replace("\"1002\"", "\"0\"");
  PrepareLogFolder(t, WorkFile("7", qsos), Definition("Jcc", "", "", U("泉州コンテスト")));
  const ProgramResult r = Batch(t, {"--pdf", "s.pdf", "--survival", "yes", "--invalid", "strike"});
  ASSERT_EQ(r.exitCode, 0) << Messages(r).join("\n").toStdString();
  EXPECT_TRUE(Messages(r).isEmpty());
  EXPECT_NE(ReadPdfText(t.File("s.pdf")).Find(U("無効交信")), nullptr);
  EXPECT_EQ(t.ReadBytes("7.JARL").size(), 3 * 76);
}
