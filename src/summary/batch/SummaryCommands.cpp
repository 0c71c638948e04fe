// zotra-batch totals and summary: what zotrat does without its windows.
//
//   totals [--mode add|mul] [--coefficient N]
//     Sorts the points file into "ZOTRApoi.dat2", prints the grid's rows 1 to
//     18 (six cell texts each, tab-separated) and then the score as the score
//     box shows it.
//   summary [--paper jarl|blank] [--color] [--sign] [--comment TEXT] [--pdf FILE | --printer NAME]
//           [--mode add|mul] [--coefficient N]
//     The summary step zotra-batch all ends with (summary/SummaryStep.h):
//     prints the summary sheet as "印刷開始" does, on the paper and in the
//     colour the window keeps unless --paper or --color say otherwise (to the
//     PDF file, else to the printer NAME or the default printer; a printer
//     that is the PDF entry writes "サマリーシート.pdf" in the program folder; a PDF file
//     on the JARL form setting is drawn on blank paper with the form, told,
//     unless --paper jarl asks for the JARL form), then writes
//     the electronic log and the text summary as the definition asks, and
//     prints the path of each file written. Bands the log program did not
//     finish are told ("14MHz が未処理です") and the step goes on; the
//     electronic log is read back with the strict reader, whose findings are
//     told one line each. The status is 1 when the score is beyond its range,
//     the station folder would lie outside the program folder, a file could
//     not be written, or the reader found a fault. --comment sets the third
//     comment line (the JAG QSO party's comment window; without it that
//     contest takes "ステッカー希望").
#include "batch/BatchCommand.h"
#include "batch/BatchPrinter.h"

#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PaintSurface.h"
#include "common/gui/Printers.h"
#include "summary/BandTotals.h"
#include "summary/SummaryJob.h"
#include "summary/SummaryStep.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace zotra {
namespace {

const char kTotalsUsage[] = "totals [--mode add|mul] [--coefficient N]";
const char kSummaryUsage[] =
    "summary [--paper jarl|blank] [--color] [--sign] [--comment TEXT] [--pdf FILE | --printer NAME] "
    "[--mode add|mul] [--coefficient N]";

struct TotalsOptions {
  ScoreMode mode = ScoreMode::Additive;
  std::optional<QString> coefficient;
};

// Takes the totals' options out of the arguments; false on a bad one.
bool TakeTotalsOption(QStringList& args, const QString& option, TotalsOptions* out) {
  if (option == QLatin1String("--mode") && !args.isEmpty()) {
    const QString mode = args.takeFirst();
    if (mode == QLatin1String("add")) {
      out->mode = ScoreMode::Additive;
    } else if (mode == QLatin1String("mul")) {
      out->mode = ScoreMode::Multiplicative;
    } else {
      return false;
    }
    return true;
  }
  if (option == QLatin1String("--coefficient") && !args.isEmpty()) {
    out->coefficient = args.takeFirst();
    return true;
  }
  return false;
}

TotalsSnapshot Totals(const BatchContext& context, const TotalsOptions& options) {
  const Frame frame(Program::Summary, context.folder);
  return ComputeTotals(frame.Folder(), frame.LocateDefinitionFile(), options.mode, options.coefficient,
                       context.dialogs);
}

int RunTotals(BatchContext& context) {
  QStringList args = context.args;
  TotalsOptions options;
  while (!args.isEmpty()) {
    if (!TakeTotalsOption(args, args.takeFirst(), &options)) return UsageError(context, QString::fromUtf8(kTotalsUsage));
  }
  const TotalsSnapshot totals = Totals(context, options);
  for (const QStringList& row : totals.grid.Rows()) PrintLine(row.join(QLatin1Char('\t')));
  PrintLine(totals.scoreText);
  // A score beyond the range of its decimal has been told and is not shown.
  return totals.scoreText.isEmpty() ? 1 : 0;
}

int RunSummary(BatchContext& context) {
  const QString usage = QString::fromUtf8(kSummaryUsage);
  QStringList args = context.args;
  TotalsOptions totalsOptions;
  SummaryStepOptions options;
  QString pdf;
  QString printerName;
  while (!args.isEmpty()) {
    const QString option = args.takeFirst();
    if (option == QLatin1String("--paper") && !args.isEmpty()) {
      const QString paper = args.takeFirst();
      if (paper != QLatin1String("jarl") && paper != QLatin1String("blank")) return UsageError(context, usage);
      options.jarlPaper = paper == QLatin1String("jarl");
    } else if (option == QLatin1String("--color")) {
      options.colour = true;
    } else if (option == QLatin1String("--sign")) {
      options.signature = true;
    } else if (option == QLatin1String("--comment") && !args.isEmpty()) {
      options.comment = args.takeFirst();
    } else if (option == QLatin1String("--pdf") && !args.isEmpty()) {
      pdf = args.takeFirst();
      if (QFileInfo(pdf).isRelative()) pdf = QDir(context.folder).filePath(pdf);
    } else if (option == QLatin1String("--printer") && !args.isEmpty()) {
      printerName = args.takeFirst();
    } else if (!TakeTotalsOption(args, option, &totalsOptions)) {
      return UsageError(context, usage);
    }
  }
  if (!pdf.isEmpty() && !printerName.isEmpty()) return UsageError(context, usage);
  PrinterSetup printer;
  if (!printerName.isEmpty() &&
      !SelectPrinterByName(printer, printerName, context.dialogs, ProgramName(Program::Summary))) {
    return 1;
  }
  options.mode = totalsOptions.mode;
  options.coefficient = totalsOptions.coefficient;

  const Frame frame(Program::Summary, context.folder);
  const SummaryStepResult result =
      RunSummaryStep(frame, context.dialogs, options, [&](QString* pdfFile) -> std::unique_ptr<PrintSurface> {
        if (!pdf.isEmpty()) {
          *pdfFile = pdf;
          return std::make_unique<PrinterSurface>(pdf);
        }
        if (printer.IsPdf()) {
          printer.SetPdfFile(frame.Folder() + SummaryPdfFileName());
          pdf = *pdfFile = printer.PdfFile();
        }
        const QString problem = PaperCheckMessage(printer);
        if (!problem.isEmpty()) {
          context.dialogs.Tell(problem, ProgramName(Program::Summary));
          return nullptr;
        }
        return printer.Open(context.dialogs, SummaryDocumentName());
      });
  if (result.printed && !pdf.isEmpty()) PrintLine(pdf);
  for (const QString& file : result.files) PrintLine(file);
  return result.ok ? 0 : 1;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("totals", zotra::kTotalsUsage, zotra::RunTotals);
ZOTRA_BATCH_COMMAND("summary", zotra::kSummaryUsage, zotra::RunSummary);
