#include "Printers.h"

#include "common/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace zotra {

QStringList PrinterNames() {
  QStringList names = QPrinterInfo::availablePrinterNames();
  names.removeAll(kPdfPrinterName);
  names.append(kPdfPrinterName);
  return names;
}

QString DefaultPrinterName() {
  const QString name = QPrinterInfo::defaultPrinterName();
  return name.isEmpty() ? kPdfPrinterName : name;
}

PrinterSetup::PrinterSetup() {
  if (!Select(DefaultPrinterName())) Select(kPdfPrinterName);
}

PrinterSetup::~PrinterSetup() = default;

void PrinterSetup::MakePdfPrinter() {
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  SetUpPdfPrinter(*printer_, pdfFile_);
}

bool PrinterSetup::Select(const QString& name) {
  if (printer_ && name == name_) return true;
  if (name == kPdfPrinterName) {
    MakePdfPrinter();
  } else {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (name.isEmpty() || info.isNull()) return false;
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // Qt starts every printer on A4 with margins of its own. The paper is the
    // printer's own, so that the paper check sees it, and the page begins at
    // the corner of what the printer can print, where the forms are measured.
    const QPageSize paper = info.defaultPageSize();
    if (paper.isValid()) printer_->setPageSize(paper);
    printer_->setPageMargins(printer_->pageLayout().minimumMargins(), printer_->pageLayout().units());
  }
  name_ = name;
  return true;
}

QPageLayout::Orientation PrinterSetup::Orientation() const { return printer_->pageLayout().orientation(); }

QPageSize PrinterSetup::PageSize() const { return printer_->pageLayout().pageSize(); }

void PrinterSetup::SetOrientation(QPageLayout::Orientation orientation) { printer_->setPageOrientation(orientation); }

void PrinterSetup::SetPageSize(const QPageSize& pageSize) { printer_->setPageSize(pageSize); }

namespace {

QString WithPdfSuffix(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + QStringLiteral(".pdf");
}

}  // namespace

void PrinterSetup::SetPdfFile(const QString& path) {
  pdfFile_ = WithPdfSuffix(path);
  if (!pdfFile_.isEmpty()) lastPdfFolder_ = QFileInfo(pdfFile_).absolutePath();
  if (IsPdf()) printer_->setOutputFileName(pdfFile_);
}

bool PrinterSetup::AskPdfFile(Dialogs& dialogs, const QString& suggestedPath) {
  FileDialogRequest request;
  request.title = QStringLiteral("PDF ファイルの保存先");
  // A suggestion with a folder keeps it; a bare name goes to the last folder used.
  const QString suggestion = suggestedPath.isEmpty() ? pdfFile_ : suggestedPath;
  request.fileName = QFileInfo(suggestion).fileName();
  const bool hasFolder = suggestion.contains(QLatin1Char('/')) || suggestion.contains(QDir::separator());
  request.folder = hasFolder ? QFileInfo(suggestion).absolutePath() : lastPdfFolder_;
  request.filter = QStringLiteral("PDF ファイル (*.pdf)|*.pdf");
  const std::optional<QString> path = dialogs.SaveFile(request);
  if (!path || path->isEmpty()) return false;
  SetPdfFile(*path);
  return true;
}

QStringList PrinterSetup::PaperNotices() const {
  QStringList notices;
  if (!IsPortrait()) notices << QStringLiteral("用紙の方向をチェックしてください");
  if (!IsA4()) notices << QStringLiteral("用紙サイズをチェックしてください");
  return notices;
}

QString PrinterSetup::OutputPdfFile() const { return IsPdf() ? printer_->outputFileName() : QString(); }

QString PdfWrittenMessage(const QString& path) {
  return QStringLiteral("PDF ファイルに書き込みました\n") + QDir::toNativeSeparators(path);
}

std::unique_ptr<PrinterSurface> PrinterSetup::Open(Dialogs& dialogs, const QString& documentName,
                                                   const QString& suggestedPdfPath) {
  if (IsPdf()) {
    if (pdfFile_.isEmpty()) {
      if (!AskPdfFile(dialogs, suggestedPdfPath)) return nullptr;
      printer_->setOutputFileName(pdfFile_);
      pdfFile_.clear();  // asked for this document only
    } else {
      printer_->setOutputFileName(pdfFile_);
    }
  }
  printer_->setDocName(documentName);
  return std::make_unique<PrinterSurface>(*printer_);
}

bool BlankPaperByDefault() { return DefaultPrinterName() == kPdfPrinterName; }

Button AskFormForPdf(Dialogs& dialogs) {
  return dialogs.Ask(QStringLiteral("印刷先は PDF ファイルで、用紙は「JARL 用紙」です。\n"
                                    "JARL 用紙には罫線を印刷しないため、PDF はデータだけになります。\n\n"
                                    "「白紙」に切り替えて、罫線付きで印刷しますか？\n"
                                    "（いいえ: JARL 用紙のまま印刷します）"),
                     Buttons::YesNoCancel, {}, Icon::Question, Button::Yes);
}

bool PaperForPdfFile(bool jarlPaper, bool paperFromCommandLine, const QString& pdfPath, Dialogs& dialogs,
                     const QString& title) {
  if (!jarlPaper || paperFromCommandLine) return jarlPaper;
  dialogs.Tell(QStringLiteral("PDF ファイル ") + QDir::toNativeSeparators(pdfPath) +
                   QStringLiteral(" は JARL 用紙の設定ですが、白紙に罫線付きで出力します"
                                  "（JARL 用紙のままにするには --paper jarl）"),
               title);
  return false;
}

}  // namespace zotra
