// zotra-batch arrange and log: what zotral does without its windows.
//
//   arrange
//     The multiplier arrangement on "zotra.wk2", written back as the way back
//     a step writes it. Prints one line: band selection, QSOs, multipliers 1
//     to 3 and points, tab-separated.
//   log [--arrange] [--pdf FILE | --printer NAME | --files-only] [--paper jarl|blank] [--line-spacing N]
//       [--invalid omit|strike] [--no-heading] [--no-subtotal] [--no-points]
//       [--mode-in-remarks] [--survival yes|no]
//     The output pass of "印刷開始": the log sheets, "HED.JARL", "HED2.JARL",
//     the band's ".JARL" and ".MHz" files, then the points file. Starts from
//     the print settings zotral keeps, changed by the options; --arrange
//     arranges the multipliers first (in memory: "zotra.wk2" is not
//     rewritten). The sheets go to the PDF file, or nowhere with --files-only
//     (or with the kept "紙ログは印刷しない"), else to the printer NAME or the
//     default printer (the PDF entry writes "ログシート_<band>.pdf" in the
//     program folder), with the printer's offsets and scale. A PDF file on the
//     JARL form setting is drawn on blank paper with the form (told), unless
//     --paper jarl asks for the JARL form. The survival-mode question takes
//     the answer of --survival, else No. Prints the PDF file, the four log
//     files, then the totals line as arrange does. Settings are never written.
#include "batch/BatchCommand.h"
#include "batch/BatchPrinter.h"

#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/Fonts.h"
#include "common/gui/PaintSurface.h"
#include "common/gui/Printers.h"
#include "log/LogSession.h"
#include "log/LogSheet.h"
#include "log/OutputPass.h"
#include "log/PrintSettings.h"
#include "log/PrinterPositions.h"
#include "log/Scoring.h"

#include <QDir>
#include <QFileInfo>

namespace zotra {
namespace {

const char kArrangeUsage[] = "arrange";
const char kLogUsage[] =
    "log [--arrange] [--pdf FILE | --printer NAME | --files-only] [--paper jarl|blank] [--line-spacing N] "
    "[--invalid omit|strike] [--no-heading] [--no-subtotal] [--no-points] [--mode-in-remarks] [--survival yes|no]";

QString TotalsLine(const QString& band, const OutputTotals& totals) {
  return QStringList{band, QString::number(totals.qsos), QString::number(totals.multipliers[0]),
                     QString::number(totals.multipliers[1]), QString::number(totals.multipliers[2]),
                     QString::number(totals.points)}
      .join(QLatin1Char('\t'));
}

int RunArrange(BatchContext& context) {
  if (!context.args.isEmpty()) return UsageError(context, QString::fromUtf8(kArrangeUsage));
  const Frame frame(Program::Log, context.folder);
  LogSession session;
  if (LoadLogSession(frame, context.dialogs, &session) != LogStart::Ready) return 1;
  ArrangeMultipliers(&session.table, session.definition);
  const QString path = frame.Path(kWorkFileName);
  if (!WriteWorkFile(path, session.table, &context.dialogs)) {
    context.dialogs.Tell(QStringLiteral("作業ファイル %1 に書き込めません").arg(path));
    return 1;
  }
  PrintLine(TotalsLine(session.BandSelection(), TotalsOf(session.table, session.definition)));
  return 0;
}

int RunLog(BatchContext& context) {
  const QString usage = QString::fromUtf8(kLogUsage);
  const Frame frame(Program::Log, context.folder);
  LogSession session;
  if (LoadLogSession(frame, context.dialogs, &session) != LogStart::Ready) return 1;
  PrintSettings settings = LoadPrintSettings(frame, session.definition.electronicLog, FontInstalled);

  QStringList args = context.args;
  bool arrange = false;
  bool filesOnly = settings.filesOnlyAllowed && settings.filesOnly;
  bool survival = false;
  bool paperGiven = false;
  QString pdf;
  QString namedPrinter;
  auto choice = [&args](const QStringList& words, QString* out) {
    if (args.isEmpty() || !words.contains(args.first())) return false;
    *out = args.takeFirst();
    return true;
  };
  while (!args.isEmpty()) {
    const QString option = args.takeFirst();
    QString word;
    if (option == QLatin1String("--arrange")) {
      arrange = true;
    } else if (option == QLatin1String("--pdf") && !args.isEmpty()) {
      pdf = args.takeFirst();
      if (QFileInfo(pdf).isRelative()) pdf = QDir(context.folder).filePath(pdf);
      filesOnly = false;
    } else if (option == QLatin1String("--printer") && !args.isEmpty()) {
      namedPrinter = args.takeFirst();
      filesOnly = false;
    } else if (option == QLatin1String("--files-only")) {
      filesOnly = true;
    } else if (option == QLatin1String("--paper") && choice({"jarl", "blank"}, &word)) {
      settings.jarlPaper = word == QLatin1String("jarl");
      paperGiven = true;
    } else if (option == QLatin1String("--line-spacing") && !args.isEmpty()) {
      settings.lineSpacing = args.takeFirst();
      if (!LineSpacingItems().contains(settings.lineSpacing)) return UsageError(context, usage);
    } else if (option == QLatin1String("--invalid") && choice({"omit", "strike"}, &word)) {
      settings.omitInvalid = word == QLatin1String("omit");
    } else if (option == QLatin1String("--no-heading")) {
      settings.headings = false;
    } else if (option == QLatin1String("--no-subtotal")) {
      settings.subtotals = false;
    } else if (option == QLatin1String("--no-points")) {
      settings.points = false;
    } else if (option == QLatin1String("--mode-in-remarks")) {
      settings.modeInRemarks = true;
    } else if (option == QLatin1String("--survival") && choice({"yes", "no"}, &word)) {
      survival = word == QLatin1String("yes");
    } else {
      return UsageError(context, usage);
    }
  }
  if (int(!pdf.isEmpty()) + int(!namedPrinter.isEmpty()) + int(filesOnly) > 1) return UsageError(context, usage);
  if (arrange) {
    ArrangeMultipliers(&session.table, session.definition);
    session.arranged = true;
  }
  // The pass takes files-only from the settings; the batch decides it here.
  settings.filesOnlyAllowed = true;
  settings.filesOnly = filesOnly;

  const PrinterPositionTable positions = PrinterPositionTable::Load(frame.Folder());
  PrinterSetup printer;
  if (!namedPrinter.isEmpty() && !SelectPrinterByName(printer, namedPrinter, context.dialogs, frame.Name())) return 1;
  std::unique_ptr<PrintSurface> surface;
  QString printerName = printer.Name();
  if (filesOnly) {
    surface = std::make_unique<MeasuringSurface>();
  } else if (!pdf.isEmpty()) {
    surface = std::make_unique<PrinterSurface>(pdf);
    printerName = kPdfPrinterName;
  } else {
    if (printer.IsPdf()) {
      printer.SetPdfFile(frame.Path(LogSheetPdfFileName(session.BandSelection())));
      pdf = printer.PdfFile();
    }
    // The first thing wrong with the paper stops the print.
    const QStringList notices = settings.paperCheck ? printer.PaperNotices() : QStringList();
    if (!notices.isEmpty()) {
      context.dialogs.Tell(notices.first(), frame.Name());
      return 1;
    }
    surface = printer.Open(context.dialogs, LogSheetDocumentName());
    if (!surface) return 1;
  }

  if (!pdf.isEmpty()) {
    settings.jarlPaper = PaperForPdfFile(settings.jarlPaper, paperGiven, pdf, context.dialogs, frame.Name());
  }
  OutputPassContext pass{frame.Folder(), session, OutputOptionsFor(settings, positions.CalibrationOf(printerName)),
                         context.dialogs, {}, survival};
  const OutputPassResult result = RunOutputPass(*surface, pass);
  if (!pdf.isEmpty() && !result.paperFailed && result.sheets > 0) PrintLine(QDir::toNativeSeparators(pdf));
  if (result.filesWritten) {
    for (const QString& file : result.files) PrintLine(QDir::toNativeSeparators(file));
  }
  PrintLine(TotalsLine(session.BandSelection(), result.totals));
  return result.Succeeded() ? 0 : 1;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("arrange", zotra::kArrangeUsage, zotra::RunArrange);
ZOTRA_BATCH_COMMAND("log", zotra::kLogUsage, zotra::RunLog);
