#include "PaintSurface.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include <cups/cups.h>

#include <cmath>

namespace zotra {

void SetUpPdfPrinter(QPrinter& printer, const QString& path, const QPageSize& pageSize,
                     QPageLayout::Orientation orientation) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setFullPage(true);
  printer.setPageLayout(QPageLayout(pageSize, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  printer.setFontEmbeddingEnabled(true);
  printer.setCreator(QStringLiteral("ZOTRA"));
  printer.setDocName(QFileInfo(path).completeBaseName());
}

// ---- painting ------------------------------------------------------------------

namespace {

QPen PenOf(const PrintCall& call, double minimumPenWidth) {
  const double width = std::max(call.lineWidth * kPaintUnitsPerMm, minimumPenWidth);
  QPen pen(call.color, width);
  pen.setJoinStyle(Qt::MiterJoin);
  if (call.lineStyle == LineStyle::Dotted) {
    // The pattern counts in pen widths; the dots keep their length in mm.
    const double widthMm = width / kPaintUnitsPerMm;
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({kDotLengthMm / widthMm, kDotGapMm / widthMm});
  } else {
    pen.setCapStyle(Qt::RoundCap);
  }
  return pen;
}

QPointF From(const PrintCall& call) { return {call.pageX * kPaintUnitsPerMm, call.pageY * kPaintUnitsPerMm}; }
QPointF To(const PrintCall& call) { return {call.pageX2 * kPaintUnitsPerMm, call.pageY2 * kPaintUnitsPerMm}; }

// Paint units per device dot, and the painter's scale from paint units to dots.
double PrepareScale(QPainter& painter, double dotsPerInchX, double dotsPerInchY) {
  painter.resetTransform();
  painter.scale(dotsPerInchX / 1440.0, dotsPerInchY / 1440.0);
  return 1440.0 / std::min(dotsPerInchX, dotsPerInchY);
}

}  // namespace

void PaintCall(QPainter& painter, const PrintCall& call, double minimumPenWidth) {
  switch (call.kind) {
    case PrintCall::Kind::Text:
      painter.setFont(PaintFont(call.font));
      painter.setPen(call.color);
      painter.drawText(QPointF(call.pageX * kPaintUnitsPerMm, (call.pageY + MeasureTextAscent(call.font)) * kPaintUnitsPerMm),
                       call.text);
      break;
    case PrintCall::Kind::Line:
      painter.setPen(PenOf(call, minimumPenWidth));
      painter.drawLine(From(call), To(call));
      break;
    case PrintCall::Kind::Box:
      painter.setPen(PenOf(call, minimumPenWidth));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(QRectF(From(call), To(call)).normalized());
      break;
    case PrintCall::Kind::FilledBox:
      painter.fillRect(QRectF(From(call), To(call)).normalized(), call.color);
      break;
    case PrintCall::Kind::EndPage:
    case PrintCall::Kind::EndDocument:
      break;
  }
}

QImage RenderPage(const RecordingSurface& document, int page, double dotsPerInch) {
  const QSizeF size = document.PageSize() * (dotsPerInch / 25.4);
  QImage image(std::max(1, qRound(size.width())), std::max(1, qRound(size.height())), QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
  image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  const double minimumPen = PrepareScale(painter, dotsPerInch, dotsPerInch);
  for (const PrintCall& call : document.PageCalls(page)) PaintCall(painter, call, minimumPen);
  return image;
}

// ---- printer -------------------------------------------------------------------

namespace {

std::unique_ptr<QPrinter> MakePdfPrinter(const QString& path, const QPageSize& pageSize,
                                         QPageLayout::Orientation orientation) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SetUpPdfPrinter(*printer, path, pageSize, orientation);
  return printer;
}

QSizeF PageSizeOf(QPrinter& printer) { return printer.pageRect(QPrinter::Millimeter).size(); }

}  // namespace

PrinterSurface::PrinterSurface(std::unique_ptr<QPrinter> owned, QPrinter* borrowed)
    : PrintSurface(PageSizeOf(owned ? *owned : *borrowed)),
      owned_(std::move(owned)),
      printer_(owned_ ? owned_.get() : borrowed) {}

PrinterSurface::PrinterSurface(QPrinter& printer) : PrinterSurface(nullptr, &printer) {}

PrinterSurface::PrinterSurface(const QString& pdfPath, const QPageSize& pageSize, QPageLayout::Orientation orientation)
    : PrinterSurface(MakePdfPrinter(pdfPath, pageSize, orientation), nullptr) {}

PrinterSurface::~PrinterSurface() { EndDocument(); }

void PrinterSurface::Fail() {
  if (!error_.isEmpty()) return;
  if (printer_->outputFormat() == QPrinter::PdfFormat) {
    error_ = QStringLiteral("PDF ファイル %1 に書き込めません").arg(QDir::toNativeSeparators(printer_->outputFileName()));
  } else {
    error_ = QStringLiteral("プリンタ %1 に印刷できません").arg(printer_->printerName());
  }
}

void PrinterSurface::BeginPage(int page) {
  if (!error_.isEmpty()) return;
  if (page == 1) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_)) {
      painter_.reset();
      Fail();
      return;
    }
  } else if (!printer_->newPage()) {
    Fail();
    return;
  }
  painter_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  minimumPenWidth_ = PrepareScale(*painter_, printer_->logicalDpiX(), printer_->logicalDpiY());
}

void PrinterSurface::Draw(const PrintCall& call) {
  if (painter_ && error_.isEmpty()) PaintCall(*painter_, call, minimumPenWidth_);
}

bool PrinterSurface::FinishDocument() {
  if (painter_) {
    if (!painter_->end()) Fail();
    painter_.reset();
    if (printer_->printerState() == QPrinter::Error) Fail();
    // Qt hands the document to the print queue and keeps the queue's answer
    // to itself: a job the queue refused must not pass for printed.
    if (printer_->outputFormat() == QPrinter::NativeFormat && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) Fail();
  }
  return error_.isEmpty();
}

}  // namespace zotra
