// Reading printed PDF files back with the poppler tools, for the tests.
#pragma once

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace zotra {
class PrintSurface;
}

namespace zotra::test {

// A word as pdftotext -bbox finds it; coordinates in mm from the page's
// top-left corner.
struct PdfWord {
  int page = 0;  // 1 for the first
  QString text;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PdfText {
  QList<QSizeF> pages;  // page sizes in mm
  QList<PdfWord> words;
  // The first word equal to text (ASSERTs in the caller: check for null).
  const PdfWord* Find(const QString& text, int page = 0) const;
};

// Runs a tool and returns its standard output; empty (with a test failure)
// when it fails.
QByteArray RunTool(const QString& program, const QStringList& arguments);

PdfText ReadPdfText(const QString& pdfPath);
// The fonts listed by pdffonts: name and whether it is embedded.
QStringList EmbeddedFonts(const QString& pdfPath);
// One page rendered by pdftoppm at the given resolution.
QImage RenderPdfPage(const QString& pdfPath, int page, int dotsPerInch);

// A page for the eye: both fonts, the sixteen colours (returns their names
// as printed), solid and dotted rules of three widths, boxes, a twips
// position and a text shrunk into a 14 mm column.
QStringList DrawSamplePage(PrintSurface& s);

}  // namespace zotra::test
