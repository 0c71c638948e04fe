// zotra-batch totals and summary: what zotrat does without its windows.
//
//   totals [--mode add|mul] [--coefficient N]
//     Sorts the points file into "ZOTRApoi.dat2", prints the grid's rows 1 to
//     18 (six cell texts each, tab-separated) and then the score as the score
//     box shows it.
//   summary [--paper jarl|blank] [--color] [--sign] [--comment TEXT] [--pdf FILE]
//           [--mode add|mul] [--coefficient N]
//     Prints the summary sheet as "印刷開始" does (to the PDF file, else to the
//     default printer; a default printer that is the PDF entry writes
//     "サマリーシート.pdf" in the program folder), then writes the electronic
//     log and the text summary as the definition asks, and prints the path of
//     each file written. The paper: --paper, else the one the summary-sheet
//     window keeps; a PDF file on the JARL form setting is drawn on blank
//     paper with the form (told) unless --paper jarl asks for the JARL form.
//     --comment sets the third comment line (the JAG QSO
//     party's comment window; without it that contest takes "ステッカー希望").
#include "batch/BatchCommand.h"

#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PaintSurface.h"
#include "common/gui/Printers.h"
#include "summary/BandTotals.h"
#include "summary/DefinitionEntries.h"
#include "summary/SummaryJob.h"
#include "summary/SummaryOutputs.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace zotra {
namespace {

const char kTotalsUsage[] = "totals [--mode add|mul] [--coefficient N]";
const char kSummaryUsage[] =
    "summary [--paper jarl|blank] [--color] [--sign] [--comment TEXT] [--pdf FILE] [--mode add|mul] "
    "[--coefficient N]";

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
  PrintJobSettings settings;
  std::optional<QString> comment;
  std::optional<bool> jarlPaper;
  QString pdf;
  while (!args.isEmpty()) {
    const QString option = args.takeFirst();
    if (option == QLatin1String("--paper") && !args.isEmpty()) {
      const QString paper = args.takeFirst();
      if (paper != QLatin1String("jarl") && paper != QLatin1String("blank")) return UsageError(context, usage);
      jarlPaper = paper == QLatin1String("jarl");
    } else if (option == QLatin1String("--color")) {
      settings.colour = true;
    } else if (option == QLatin1String("--sign")) {
      settings.signature = true;
    } else if (option == QLatin1String("--comment") && !args.isEmpty()) {
      comment = args.takeFirst();
    } else if (option == QLatin1String("--pdf") && !args.isEmpty()) {
      pdf = args.takeFirst();
      if (QFileInfo(pdf).isRelative()) pdf = QDir(context.folder).filePath(pdf);
    } else if (!TakeTotalsOption(args, option, &totalsOptions)) {
      return UsageError(context, usage);
    }
  }

  const Frame frame(Program::Summary, context.folder);
  const QString definitionPath = frame.LocateDefinitionFile();
  const DefinitionEntries definition = DefinitionEntries::FromFile(definitionPath);
  const TotalsSnapshot totals = Totals(context, totalsOptions);
  // A score beyond the range of its decimal has been told; no sheet or file
  // is made with a score that is not the contest's.
  if (totals.scoreText.isEmpty()) return 1;
  EnsureStationFolder(frame.Folder(), definition);
  if (comment) {
    settings.commentOverride = *comment;
  } else if (IsJagQsoParty(definition.Value(QStringLiteral("CONTESTNAME")))) {
    settings.commentOverride = CommentOverrideFor(kStickerWanted, {});
  }
  settings.today = QDate::currentDate();

  PrinterSetup printer;
  std::unique_ptr<PrinterSurface> surface;
  if (!pdf.isEmpty()) {
    surface = std::make_unique<PrinterSurface>(pdf);
  } else {
    if (printer.IsPdf()) {
      printer.SetPdfFile(frame.Folder() + SummaryPdfFileName());
      pdf = printer.PdfFile();
    }
    const QString problem = PaperCheckMessage(printer);
    if (!problem.isEmpty()) {
      context.dialogs.Tell(problem, ProgramName(Program::Summary));
      return 1;
    }
    surface = printer.Open(context.dialogs, SummaryDocumentName());
    if (!surface) return 1;
  }
  settings.jarlPaper = jarlPaper.value_or(StoredJarlPaper(frame));
  if (!pdf.isEmpty()) {
    settings.jarlPaper = PaperForPdfFile(settings.jarlPaper, jarlPaper.has_value(), pdf, context.dialogs,
                                         ProgramName(Program::Summary));
  }
  if (!PrintSummaryDocument(*surface, definition, totals, settings)) {
    context.dialogs.Tell(surface->ErrorText(), ProgramName(Program::Summary));
    return 1;
  }
  if (!pdf.isEmpty()) PrintLine(pdf);

  const OutputContext outputs{frame,    context.dialogs,        definitionPath, totals, settings.commentOverride,
                              ReadSummaryDefinition(definition).club, settings.today};
  const OutputResult result = RunOutputsAfterPrinting(outputs);
  if (!result.electronicLogPath.isEmpty()) PrintLine(result.electronicLogPath);
  if (!result.textSummaryPath.isEmpty()) PrintLine(result.textSummaryPath);
  // A file the definition asks for that could not be written has been told;
  // the command does not end as a success then.
  const bool electronicLogMissing = result.electronicLogVersion != 0 && result.electronicLogPath.isEmpty();
  const bool textSummaryMissing = TextSummaryWanted(definition) && result.textSummaryPath.isEmpty();
  return electronicLogMissing || textSummaryMissing ? 1 : 0;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("totals", zotra::kTotalsUsage, zotra::RunTotals);
ZOTRA_BATCH_COMMAND("summary", zotra::kSummaryUsage, zotra::RunSummary);
