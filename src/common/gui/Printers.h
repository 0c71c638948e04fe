// The printers a document can go to: the installed printers and, always, a
// PDF file, so that a user without a printer still gets paper-ready output.
// The current choice with its paper (for the paper checks) and the start of a
// document on it.
#pragma once

#include "PaintSurface.h"
#include "common/Dialogs.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <memory>

class QPrinter;

namespace zotra {

// The printer-list entry of the PDF file. Printer queue names hold no blanks,
// so it never clashes with an installed printer.
inline const QString kPdfPrinterName = QStringLiteral("PDF ファイル");

// The names of the installed printers, then kPdfPrinterName.
QStringList PrinterNames();
// The system's default printer; kPdfPrinterName when there is none.
QString DefaultPrinterName();

// What a window tells once a document was written to a PDF file: where.
QString PdfWrittenMessage(const QString& path);

class PrinterSetup {
 public:
  // The default printer.
  PrinterSetup();
  ~PrinterSetup();
  PrinterSetup(const PrinterSetup&) = delete;
  PrinterSetup& operator=(const PrinterSetup&) = delete;

  // Makes the printer of that name (an entry of PrinterNames()) the current
  // one; false, and nothing changes, when there is no such printer.
  bool Select(const QString& name);
  const QString& Name() const { return name_; }
  bool IsPdf() const { return name_ == kPdfPrinterName; }

  // The current paper, for the checks "用紙の方向をチェックしてください" and
  // "用紙サイズをチェックしてください". The PDF entry starts with A4 portrait.
  QPageLayout::Orientation Orientation() const;
  bool IsPortrait() const { return Orientation() == QPageLayout::Portrait; }
  QPageSize PageSize() const;
  bool IsA4() const { return PageSize().id() == QPageSize::A4; }
  // What the paper checks find, in that order: "用紙の方向をチェックしてください"
  // when the paper is not portrait, "用紙サイズをチェックしてください" when it is
  // not A4. Empty when the paper is right.
  QStringList PaperNotices() const;
  void SetOrientation(QPageLayout::Orientation orientation);
  void SetPageSize(const QPageSize& pageSize);

  // The PDF file that printing to the PDF entry writes. When none is set,
  // Open asks for one each time. zotra-batch --pdf and tests set it directly;
  // the properties of the PDF entry set it from a file dialog. A name without
  // a suffix gets ".pdf".
  void SetPdfFile(const QString& path);
  const QString& PdfFile() const { return pdfFile_; }
  // Asks through Dialogs::SaveFile (title "PDF ファイルの保存先", suggesting
  // suggestedPath or the last folder used) and sets the PDF file; false when
  // cancelled.
  bool AskPdfFile(Dialogs& dialogs, const QString& suggestedPath = {});

  // The PDF file the last document started on the PDF entry went to (empty
  // for a printer).
  QString OutputPdfFile() const;

  // The printer as currently set up (for the properties dialog).
  QPrinter& Printer() { return *printer_; }

  // Starts a document on the current printer, named documentName in the
  // printer's queue. For the PDF entry without a PDF file it first asks for
  // one (see AskPdfFile), which then serves this document only; null when
  // that is cancelled. The setup must outlive the surface and stay unchanged
  // while it prints.
  std::unique_ptr<PrinterSurface> Open(Dialogs& dialogs, const QString& documentName,
                                       const QString& suggestedPdfPath = {});

 private:
  void MakePdfPrinter();

  QString name_;
  std::unique_ptr<QPrinter> printer_;
  QString pdfFile_;
  QString lastPdfFolder_;
};

// A PDF file has no preprinted form under the data: on the "JARL 用紙"
// setting its pages hold the data alone. So a program folder without a
// paper setting starts on blank paper when the default printer is the PDF
// entry (on the JARL form otherwise).
bool BlankPaperByDefault();

// Asked before a print on the JARL form into a PDF file. Yes (the default):
// blank paper with the form drawn instead; No: the JARL form as chosen;
// Cancel: nothing is printed.
Button AskFormForPdf(Dialogs& dialogs);

// zotra-batch asks nothing: a PDF file on the JARL form setting is drawn on
// blank paper with the form, and one message names the file and says so.
// The JARL form stays when the command line asked for it (--paper jarl).
// Gives the paper to print on: true for the JARL form.
bool PaperForPdfFile(bool jarlPaper, bool paperFromCommandLine, const QString& pdfPath, Dialogs& dialogs,
                     const QString& title);

}  // namespace zotra
