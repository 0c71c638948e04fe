// The printed output itself: PDF files read back with the poppler tools, and
// the preview picture.
#include "PdfTools.h"
#include "common/gui/PaintSurface.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Where a text was asked to go and how wide the surface measured it (page mm).
struct Placed {
  QString text;
  double x, y, width;
};

// Prints texts in both fonts and several sizes; returns where each should be.
QList<Placed> PrintTexts(PrintSurface& s) {
  struct Item {
    QString font;
    double size;
    double x, y;
    QString text;
  };
  const QList<Item> items = {
      {kMinchoFont, 12, 20, 15, U("ＱＳＯパーティ")},
      {kMinchoFont, 10, 150, 20, "Page"},
      {kMinchoFont, 10, 26.5, 35.45, "JA1ABC"},
      {kMinchoFont, 7.5, 100, 60, U("599013M")},
      {kGothicFont, 12, 12.5, 80, U("ＬＯＧＳＨＥＥＴ(ログシート)")},
      {kGothicFont, 16, 65, 120, U("サマリーシート")},
      {kMinchoFont, 6, 7, 250, "50"},
      {kGothicFont, 9, 180, 260, U("ﾏﾙﾁﾌﾟﾗｲﾔｰ")},
  };
  QList<Placed> placed;
  for (const Item& i : items) {
    s.SetFont(i.font, i.size);
    s.Text(i.x, i.y, i.text);
    const QPointF at = s.GetCalibration().ToPage(i.x, i.y);
    placed.append({i.text, at.x(), at.y(), s.TextWidth(i.text) * s.GetCalibration().scale});
  }
  return placed;
}

void ExpectTextsWhereAsked(const PdfText& pdf, const QList<Placed>& placed, int page = 1) {
  for (const Placed& p : placed) {
    const PdfWord* w = pdf.Find(p.text, page);
    ASSERT_NE(w, nullptr) << p.text.toStdString();
    EXPECT_NEAR(w->xMin, p.x, 0.1) << p.text.toStdString();
    EXPECT_NEAR(w->yMin, p.y, 0.5) << p.text.toStdString();
    // The surface's width is the printed one.
    EXPECT_NEAR(w->xMax - w->xMin, p.width, 0.05) << p.text.toStdString();
  }
}

// Dark pixels (grey below the threshold) of a rendered page inside a rectangle
// given in mm.
int DarkPixels(const QImage& image, double dotsPerMm, QRectF mm, int threshold = 128) {
  const QRect r(QPoint(qRound(mm.left() * dotsPerMm), qRound(mm.top() * dotsPerMm)),
                QPoint(qRound(mm.right() * dotsPerMm), qRound(mm.bottom() * dotsPerMm)));
  int dark = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) {
      if (qGray(image.pixel(x, y)) < threshold) ++dark;
    }
  }
  return dark;
}

}  // namespace

TEST(PdfOutput, TextsLandWhereTheyWereAskedWithTheMeasuredWidth) {
  TempFolder t;
  const QString path = t.File("texts.pdf");
  PrinterSurface s(path);
  EXPECT_EQ(s.PageSize(), QSizeF(210, 297));
  const QList<Placed> placed = PrintTexts(s);
  ASSERT_TRUE(s.EndDocument()) << s.ErrorText().toStdString();

  const PdfText pdf = ReadPdfText(path);
  ASSERT_EQ(pdf.pages.size(), 1);
  EXPECT_NEAR(pdf.pages.at(0).width(), 210, 0.5);
  EXPECT_NEAR(pdf.pages.at(0).height(), 297, 0.5);
  ExpectTextsWhereAsked(pdf, placed);

  // Both fonts embedded, under the stand-ins' names.
  const QStringList fonts = EmbeddedFonts(path);
  EXPECT_TRUE(fonts.contains("IPAMincho")) << fonts.join(' ').toStdString();
  EXPECT_TRUE(fonts.contains("IPAGothic")) << fonts.join(' ').toStdString();
}

TEST(PdfOutput, CalibrationMovesEverythingOnThePage) {
  TempFolder t;
  const QString path = t.File("calibrated.pdf");
  PrinterSurface s(path);
  s.SetCalibration({-3.5, 6.2, 1.08});
  const QList<Placed> placed = PrintTexts(s);
  // A cross as the test print draws it: a rule from (20, 40) 100 mm to the
  // right and one from (60, 20) 40 mm down, drawn 0.5 mm wide to be seen.
  s.SetLineWidth(0.5);
  s.HorizontalLine(20, 40, 100);
  s.VerticalLine(60, 20, 40);
  ASSERT_TRUE(s.EndDocument());

  const PdfText pdf = ReadPdfText(path);
  ExpectTextsWhereAsked(pdf, placed);
  EXPECT_NEAR(placed.at(2).x, (26.5 - 3.5) * 1.08, 1e-9);

  // The rules, found on a rendering at 5 dots per mm.
  const double dpm = 5;
  const QImage page = RenderPdfPage(path, 1, 127);
  ASSERT_FALSE(page.isNull());
  const double y = (40 + 6.2) * 1.08;
  const double x = (60 - 3.5) * 1.08;
  const double left = (20 - 3.5) * 1.08, right = (120 - 3.5) * 1.08;
  const double top = (20 + 6.2) * 1.08, bottom = (60 + 6.2) * 1.08;
  // Ink all along the horizontal rule, none 1 mm above or below it.
  EXPECT_GT(DarkPixels(page, dpm, QRectF(QPointF(left + 0.5, y - 0.2), QPointF(right - 0.5, y + 0.2))),
            (right - left - 1) * dpm);
  EXPECT_EQ(DarkPixels(page, dpm, QRectF(QPointF(70, y - 1.4), QPointF(100, y - 0.8))), 0);
  EXPECT_EQ(DarkPixels(page, dpm, QRectF(QPointF(70, y + 0.8), QPointF(100, y + 1.4))), 0);
  // The rules end where the scale puts them.
  EXPECT_GT(DarkPixels(page, dpm, QRectF(QPointF(x - 0.2, top + 0.5), QPointF(x + 0.2, bottom - 0.5))),
            (bottom - top - 1) * dpm);
  EXPECT_EQ(DarkPixels(page, dpm, QRectF(QPointF(x - 1, bottom + 0.6), QPointF(x + 1, bottom + 3))), 0);
  EXPECT_EQ(DarkPixels(page, dpm, QRectF(QPointF(right + 0.6, y - 1), QPointF(right + 3, y + 1))), 0);
}

TEST(PdfOutput, PagesAndAnEmptyDocument) {
  TempFolder t;
  {
    PrinterSurface s(t.File("three.pdf"));
    for (int page = 1; page <= 3; ++page) {
      s.Text(20, 20, QStringLiteral("Page%1").arg(page));
      s.EndPage();
    }
    s.EndPage();
    // The destructor ends the document.
  }
  const PdfText pdf = ReadPdfText(t.File("three.pdf"));
  ASSERT_EQ(pdf.pages.size(), 3);
  ASSERT_NE(pdf.Find("Page3", 3), nullptr);

  // Nothing printed: no file.
  PrinterSurface empty(t.File("none.pdf"));
  EXPECT_TRUE(empty.EndDocument());
  EXPECT_FALSE(t.Exists("none.pdf"));
}

TEST(PdfOutput, AFileThatCannotBeWrittenIsReported) {
  TempFolder t;
  const QString path = t.File("missing/folder/out.pdf");
  PrinterSurface s(path);
  s.Text(10, 10, "x");
  EXPECT_FALSE(s.EndDocument());
  EXPECT_EQ(s.ErrorText(), U("PDF ファイル %1 に書き込めません").arg(QDir::toNativeSeparators(path)));
}

TEST(PreviewPicture, DrawsThePageAtTheResolutionAsked) {
  RecordingSurface s;
  s.SetPaletteColor(12);
  s.FilledBox(10, 10, 10, 10);
  s.SetPaletteColor(0);
  s.HorizontalLine(20, 100, 150);  // the thinnest rule: still one pixel
  s.SetLineStyle(LineStyle::Dotted);
  s.SetLineWidth(0.2);
  s.HorizontalLine(20, 120, 150);
  s.SetFont(kMinchoFont, 20);
  s.Text(30, 150, U("重複"));
  s.EndPage();
  s.Text(10, 10, "page 2");

  const QImage image = RenderPage(s, 1, 254);
  EXPECT_EQ(image.size(), QSize(2100, 2970));
  EXPECT_EQ(image.pixel(150, 150), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(250, 150), qRgb(255, 255, 255));
  // The solid rule is unbroken, the dotted one alternates ink and paper.
  EXPECT_GE(DarkPixels(image, 10, QRectF(QPointF(25, 99.9), QPointF(165, 100.1)), 230), 1400);
  int inkRuns = 0;
  bool ink = false;
  for (int x = 250; x < 1650; ++x) {
    const bool dark = qGray(image.pixel(x, 1200)) < 128;
    if (dark && !ink) ++inkRuns;
    ink = dark;
  }
  EXPECT_NEAR(inkRuns, 140 / (kDotLengthMm + kDotGapMm), 10);
  // The text within its box.
  const double w = s.Texts(1).at(0).pageX2 - 30;
  const double h = s.Texts(1).at(0).pageY2 - 150;
  EXPECT_GT(DarkPixels(image, 10, QRectF(30, 150, w, h)), 1000);
  EXPECT_EQ(DarkPixels(image, 10, QRectF(30 + w + 0.5, 150, 5, h)), 0);
  EXPECT_EQ(DarkPixels(image, 10, QRectF(30, 150 + h + 0.2, w, 3)), 0);

  const QImage second = RenderPage(s, 2, 50);
  EXPECT_EQ(second.size(), QSize(413, 585));
  EXPECT_EQ(qGray(second.pixel(100, 100)), 255);  // nothing of page 1
}

// A page for the eye: both fonts, the sixteen colours, rules and boxes.
// ZOTRA_PRINT_SAMPLE=<file.pdf> keeps it.
TEST(PdfOutput, SamplePage) {
  TempFolder t;
  const QString keep = qEnvironmentVariable("ZOTRA_PRINT_SAMPLE");
  const QString path = keep.isEmpty() ? t.File("sample.pdf") : keep;
  PrinterSurface s(path);
  const QStringList names = DrawSamplePage(s);
  ASSERT_TRUE(s.EndDocument());

  const PdfText pdf = ReadPdfText(path);
  ASSERT_EQ(pdf.pages.size(), 1);
  for (const QString& name : names) EXPECT_NE(pdf.Find(name), nullptr) << name.toStdString();
  const PdfWord* opWord = pdf.Find(U("JA1ZZZ/JH1XYZ"));
  ASSERT_NE(opWord, nullptr);
  EXPECT_LT(opWord->xMax - opWord->xMin, 14);
  EXPECT_NEAR((opWord->xMin + opWord->xMax) / 2, 180, 0.05);
}
