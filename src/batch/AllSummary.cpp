// The totals program's step of the road.
#include "AllSteps.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PaintSurface.h"
#include "common/gui/Printers.h"
#include "summary/BandTotals.h"
#include "summary/DefinitionEntries.h"
#include "summary/SummaryJob.h"
#include "summary/SummaryOutputs.h"
#include "summary/SummarySheet.h"

namespace zotra {

bool Summarise(Road& road, bool multiplicative, QString* score) {
  const Frame frame(Program::Summary, road.folder);
  const QString definitionPath = frame.LocateDefinitionFile();
  const DefinitionEntries definition = DefinitionEntries::FromFile(definitionPath);
  const TotalsSnapshot totals =
      ComputeTotals(frame.Folder(), definitionPath, multiplicative ? ScoreMode::Multiplicative : ScoreMode::Additive,
                    {}, road.dialogs);
  *score = totals.scoreText;
  EnsureStationFolder(frame.Folder(), definition);

  // The paper and colour the summary-sheet window keeps.
  PrintJobSettings settings;
  const QString pdf = road.PdfPath(SummaryPdfFileName());
  settings.jarlPaper = PaperForPdfFile(road.jarlPaper.value_or(StoredJarlPaper(frame)), road.jarlPaper.has_value(),
                                       pdf, road.dialogs, ProgramName(Program::Summary));
  settings.colour = ValInt(frame.ReadSetting(QStringLiteral("カラー"), QStringLiteral("0"))) == 1;
  if (IsJagQsoParty(definition.Value(QStringLiteral("CONTESTNAME")))) {
    settings.commentOverride = CommentOverrideFor(kStickerWanted, {});
  }
  settings.today = QDate::currentDate();

  {
    PrinterSurface surface(pdf);
    if (!PrintSummaryDocument(surface, definition, totals, settings)) {
      road.dialogs.Tell(surface.ErrorText(), ProgramName(Program::Summary));
      return false;
    }
  }
  road.documents << pdf;

  const OutputContext outputs{frame,  road.dialogs,
                              definitionPath,
                              totals, settings.commentOverride,
                              ReadSummaryDefinition(definition).club,
                              settings.today};
  const OutputResult result = RunOutputsAfterPrinting(outputs);
  if (!result.electronicLogPath.isEmpty()) road.documents << result.electronicLogPath;
  if (!result.textSummaryPath.isEmpty()) road.documents << result.textSummaryPath;
  // A file the definition asks for that could not be written has been told.
  return (ElectronicLogVersion(definition) == 0 || !result.electronicLogPath.isEmpty()) &&
         (!TextSummaryWanted(definition) || !result.textSummaryPath.isEmpty());
}

}  // namespace zotra
