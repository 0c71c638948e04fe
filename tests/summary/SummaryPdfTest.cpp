// The summary sheet printed into a PDF file and read back with the poppler
// tools: texts where the form wants them, the form's colour on the page.
#include "SummaryFixture.h"
#include "common/gui/PaintSurface.h"
#include "print/PdfTools.h"
#include "summary/DefinitionEntries.h"
#include "summary/SummaryJob.h"

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

TotalsSnapshot Totals() {
  TotalsSnapshot totals;
  totals.grid.Place({"7", " 120", " 25", " 0", " 0", " 240"});
  totals.grid.Place({"14", " 80", " 20", " 0", " 0", " 160"});
  totals.grid.ComputeTotals();
  totals.grid.BlankMultiplier(2);
  totals.grid.BlankMultiplier(3);
  totals.scoreText = "18,000";
  return totals;
}

struct Printed {
  SummaryFolder f;
  QString pdf;
  RecordingSurface recording;

  explicit Printed(const PrintJobSettings& settings) {
    f.Definition();
    pdf = f.t.File("sheet.pdf");
    const DefinitionEntries definition = DefinitionEntries::FromFile(f.t.File("ZOTRAW.TST"));
    PrinterSurface surface(pdf);
    EXPECT_TRUE(PrintSummaryDocument(surface, definition, Totals(), settings));
    EXPECT_TRUE(PrintSummaryDocument(recording, definition, Totals(), settings));
  }
};

PrintJobSettings JobSettings(bool jarlPaper, bool colour) {
  PrintJobSettings s;
  s.jarlPaper = jarlPaper;
  s.colour = colour;
  s.signature = true;
  s.today = QDate(2024, 6, 20);
  return s;
}

// Pixels whose colour is near the palette colour.
int CountColour(const QImage& image, const QColor& colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor p = image.pixelColor(x, y);
      if (qAbs(p.red() - colour.red()) < 60 && qAbs(p.green() - colour.green()) < 60 &&
          qAbs(p.blue() - colour.blue()) < 60) {
        ++n;
      }
    }
  }
  return n;
}

}  // namespace

TEST(SummaryPdf, TextsWithinHalfAMillimetreOfTheForm) {
  Printed p(JobSettings(false, true));
  const PdfText text = ReadPdfText(p.pdf);
  ASSERT_EQ(text.pages.size(), 1);
  EXPECT_NEAR(text.pages[0].width(), 210, 0.5);
  EXPECT_NEAR(text.pages[0].height(), 297, 0.5);
  // Where the form and the data put them (form millimetres, no calibration).
  const QList<std::tuple<QString, double, double>> expected = {
      {U("コンテスト用"), 35, 16},
      {U("整理№"), 163, 14},
      {U("コンテストの名称"), 123, 30},
      {U("参加部門および種目など"), 121.5, 49},
      {U("コールサイン"), 123, 77.5},
      {U("総得点"), 140, 115},
      {U("連絡先：〒"), 20, 137},
      {"TEL:", 78, 145},
      {"E-mail:", 20, 160},
      {U("登録クラブ対抗"), 139, 141},
      {U("使用電源:"), 114, 187},
      {"170-8073", 39, 136},
      {U("JARL会館"), 25, 143},
      {"03-5395-3106", 88, 144},
      {"ja1zlo@example.jp", 35, 160},
      {U("第一級アマチュア無線技士"), 67, 170},
      {U("千葉県館山市"), 134, 180},
      {"10-1-1", 160, 150},
      {U("ＪＡ１ＺＬＯ／１"), 130, 83},
      {U("電信部門"), 144, 61},
      {"Printed", 145, 270},
  };
  for (const auto& [word, x, y] : expected) {
    const PdfWord* w = text.Find(word);
    ASSERT_NE(w, nullptr) << word.toStdString();
    EXPECT_NEAR(w->xMin, x, 0.5) << word.toStdString();
    EXPECT_NEAR(w->yMin, y, 0.5) << word.toStdString();
  }
  // Centred and right-aligned texts where the recording put them.
  for (const QString& word : {QString("C1MA"), QString("18,000"), QString("240"), QString("400"), QString("45")}) {
    const PdfWord* w = text.Find(word);
    const PrintCall* c = p.recording.FindText(word);
    ASSERT_NE(w, nullptr) << word.toStdString();
    ASSERT_NE(c, nullptr) << word.toStdString();
    EXPECT_NEAR(w->xMin, c->pageX, 0.5) << word.toStdString();
    EXPECT_NEAR(w->xMax, c->pageX2, 0.5) << word.toStdString();
    EXPECT_NEAR(w->yMin, c->pageY, 0.5) << word.toStdString();
  }
  EXPECT_NEAR(text.Find("18,000")->xMin + text.Find("18,000")->xMax, 2 * 162, 1.0);
  EXPECT_NEAR(text.Find("400")->xMax, 81, 0.5);  // the points total
  EXPECT_NEAR(text.Find("400")->yMin, 123.5, 0.5);
}

TEST(SummaryPdf, FormColourOnThePage) {
  const QColor lightBlue = PaletteColor(9);
  Printed colour(JobSettings(false, true));
  const QImage colourPage = RenderPdfPage(colour.pdf, 1, 60);
  ASSERT_FALSE(colourPage.isNull());
  EXPECT_GT(CountColour(colourPage, lightBlue), 2000);

  Printed black(JobSettings(false, false));
  const QImage blackPage = RenderPdfPage(black.pdf, 1, 60);
  EXPECT_EQ(CountColour(blackPage, lightBlue), 0);
  EXPECT_GT(CountColour(blackPage, Qt::black), 2000);

  // Pre-printed paper: the data alone, far less ink than the whole form.
  Printed jarl(JobSettings(true, true));
  const QImage jarlPage = RenderPdfPage(jarl.pdf, 1, 60);
  EXPECT_EQ(CountColour(jarlPage, lightBlue), 0);
  EXPECT_LT(CountColour(jarlPage, Qt::black) * 3, CountColour(blackPage, Qt::black));
  EXPECT_EQ(ReadPdfText(jarl.pdf).Find(U("コンテスト用")), nullptr);

  // The preview of the pre-printed paper: the form in light cyan under the data.
  PrintJobSettings preview = JobSettings(true, false);
  preview.preview = true;
  Printed previewed(preview);
  const QImage picture = RenderPage(previewed.recording, 1, 60);
  EXPECT_GT(CountColour(picture, PaletteColor(11)), 500);
}
