// The painting back ends of the print surface: a printer or a PDF file
// (QPrinter), and the preview picture of a recorded page.
#pragma once

#include "PrintSurface.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>

#include <memory>

class QPainter;
class QPrinter;

namespace zotra {

// Sets a printer up to write a PDF file: the paper given (A4 portrait by
// default), no margins, so that the page origin is the paper's corner; the
// fonts are embedded.
void SetUpPdfPrinter(QPrinter& printer, const QString& path, const QPageSize& pageSize = QPageSize(QPageSize::A4),
                     QPageLayout::Orientation orientation = QPageLayout::Portrait);

// Paints one drawing call on a painter whose coordinates are paint units
// (kPaintUnitsPerMm) from the page's origin. minimumPenWidth (paint units)
// keeps thin rules visible on coarse devices: one device dot.
void PaintCall(QPainter& painter, const PrintCall& call, double minimumPenWidth);

// The preview picture of one recorded page (1 for the first) on white paper
// of the recording's page size, at the given resolution.
QImage RenderPage(const RecordingSurface& document, int page, double dotsPerInch);

// Prints on a printer or into a PDF file.
class PrinterSurface : public PrintSurface {
 public:
  // Draws on the printer as it is set up; the printer must outlive the
  // surface. The page origin is the top-left corner of the printable area
  // (for a PDF set up by SetUpPdfPrinter, the paper's corner).
  explicit PrinterSurface(QPrinter& printer);
  // A PDF file (see SetUpPdfPrinter). The file is written when the first page
  // begins; a document without pages writes no file.
  explicit PrinterSurface(const QString& pdfPath, const QPageSize& pageSize = QPageSize(QPageSize::A4),
                          QPageLayout::Orientation orientation = QPageLayout::Portrait);
  // Ends an unfinished document.
  ~PrinterSurface() override;

  QString ErrorText() const override { return error_; }
  QPrinter& Printer() { return *printer_; }

 protected:
  void BeginPage(int page) override;
  void Draw(const PrintCall& call) override;
  bool FinishDocument() override;

 private:
  PrinterSurface(std::unique_ptr<QPrinter> owned, QPrinter* borrowed);
  void Fail();

  std::unique_ptr<QPrinter> owned_;
  QPrinter* printer_;
  std::unique_ptr<QPainter> painter_;
  double minimumPenWidth_ = 0;
  QString error_;
};

}  // namespace zotra
