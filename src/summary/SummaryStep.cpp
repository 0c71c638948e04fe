#include "SummaryStep.h"

#include "DefinitionEntries.h"
#include "ElectronicLogCheck.h"
#include "PointsFile.h"
#include "SummaryJob.h"
#include "SummaryOutputs.h"
#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PrintSurface.h"
#include "common/gui/Printers.h"

#include <QDate>

namespace zotra {

SummaryStepResult RunSummaryStep(const Frame& frame, Dialogs& dialogs, const SummaryStepOptions& options,
                                 const SummarySurfaceOpener& openSurface) {
  SummaryStepResult result;
  const QString definitionPath = frame.LocateDefinitionFile();
  const DefinitionEntries definition = DefinitionEntries::FromFile(definitionPath);
  // Nothing is written for a station whose folders would lie outside the
  // program folder.
  const QString problem = StationFolderProblem(definition.Value(QStringLiteral("MYCALL")));
  if (!problem.isEmpty()) {
    dialogs.Tell(problem);
    return result;
  }
  const TotalsSnapshot totals =
      ComputeTotals(frame.Folder(), definitionPath, options.mode, options.coefficient, dialogs);
  result.score = totals.scoreText;
  // A score beyond the range of its decimal has been told; no sheet or file
  // is made with a score that is not the contest's.
  if (totals.scoreText.isEmpty()) return result;
  // Bands the log program did not finish are told, and the step goes on.
  for (const QString& line : UnprocessedBandLines(UnprocessedBands(frame.Folder()))) dialogs.Tell(line);
  EnsureStationFolder(frame.Folder(), definition);

  // The paper and colour the summary-sheet window keeps, unless given.
  PrintJobSettings settings;
  settings.jarlPaper = options.jarlPaper.value_or(StoredJarlPaper(frame));
  settings.colour = options.colour || ValInt(frame.ReadSetting(QStringLiteral("カラー"), QStringLiteral("0"))) == 1;
  settings.signature = options.signature;
  if (options.comment) {
    settings.commentOverride = *options.comment;
  } else if (IsJagQsoParty(definition.Value(QStringLiteral("CONTESTNAME")))) {
    settings.commentOverride = CommentOverrideFor(kStickerWanted, {});
  }
  settings.today = QDate::currentDate();

  QString pdfFile;
  const std::unique_ptr<PrintSurface> surface = openSurface(&pdfFile);
  if (!surface) return result;
  if (!pdfFile.isEmpty()) {
    settings.jarlPaper = PaperForPdfFile(settings.jarlPaper, options.jarlPaper.has_value(), pdfFile, dialogs,
                                         ProgramName(Program::Summary));
  }
  if (!PrintSummaryDocument(*surface, definition, totals, settings)) {
    dialogs.Tell(surface->ErrorText(), ProgramName(Program::Summary));
    return result;
  }
  result.printed = true;

  const OutputContext context{frame,  dialogs, definitionPath, totals, settings.commentOverride,
                              ReadSummaryDefinition(definition).club, settings.today};
  const OutputResult outputs = RunOutputsAfterPrinting(context);
  for (const QString& path : {outputs.electronicLogPath, outputs.textSummaryPath}) {
    if (!path.isEmpty()) result.files << path;
  }
  // A file the definition asks for that could not be written has been told.
  const bool written = (outputs.electronicLogVersion == 0 || !outputs.electronicLogPath.isEmpty()) &&
                       (!TextSummaryWanted(definition) || !outputs.textSummaryPath.isEmpty());
  // The electronic log read back as the sponsor's reader reads it: what it
  // finds is told, one line each, and the step does not end well.
  QStringList faults;
  if (!outputs.electronicLogPath.isEmpty()) {
    faults = ReadBackElectronicLog(frame.Folder(), outputs.electronicLogPath, outputs.electronicLogVersion, definition);
    if (!faults.isEmpty()) {
      for (const QString& line : ElectronicLogFaultLines(outputs.electronicLogPath, faults)) dialogs.Tell(line);
    }
  }
  result.ok = written && faults.isEmpty();
  return result;
}

}  // namespace zotra
