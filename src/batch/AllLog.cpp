// The log program's step of the road, for the band just checked.
#include "AllSteps.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/gui/Fonts.h"
#include "common/gui/PaintSurface.h"
#include "common/gui/Printers.h"
#include "log/DuplicateList.h"
#include "log/LogSession.h"
#include "log/LogSheet.h"
#include "log/OutputPass.h"
#include "log/PrintSettings.h"
#include "log/PrinterPositions.h"
#include "log/Scoring.h"

#include <memory>

namespace zotra {

LoggedBand LogBand(Road& road, const QString& band, bool invalidateDuplicates) {
  LoggedBand out;
  const Frame frame(Program::Log, road.folder);
  LogSession session;
  if (LoadLogSession(frame, road.dialogs, &session) != LogStart::Ready) return out;
  if (invalidateDuplicates) {
    QList<DuplicateListRow> duplicates = ReadDuplicateList(frame.Path(kDuplicateFileName));
    FindInTable(&duplicates, session.table);
    for (int row : LaterDuplicateRows(duplicates, session.table)) {
      session.table.SetCell(row, col::kNumber, QStringLiteral("0"));
    }
  }
  for (int row = 1; row <= session.table.RowCount(); ++row) out.invalid += session.table.IsValid(row) ? 0 : 1;
  ArrangeMultipliers(&session.table, session.definition);
  session.arranged = true;

  PrintSettings settings = LoadPrintSettings(frame, session.definition.electronicLog, FontInstalled);
  if (road.jarlPaper) settings.jarlPaper = *road.jarlPaper;
  // The pass takes files-only from the settings; it is decided here once.
  const bool filesOnly = settings.filesOnlyAllowed && settings.filesOnly;
  settings.filesOnlyAllowed = true;
  settings.filesOnly = filesOnly;

  const PrinterPositionTable positions = PrinterPositionTable::Load(frame.Folder());
  const QString pdf = road.PdfPath(LogSheetPdfFileName(band));
  if (!filesOnly) {
    settings.jarlPaper =
        PaperForPdfFile(settings.jarlPaper, road.jarlPaper.has_value(), pdf, road.dialogs, frame.Name());
  }
  std::unique_ptr<PrintSurface> surface;
  if (filesOnly) surface = std::make_unique<MeasuringSurface>();
  else surface = std::make_unique<PrinterSurface>(pdf);
  const OutputPassContext pass{frame.Folder(), session,
                               OutputOptionsFor(settings, positions.CalibrationOf(kPdfPrinterName)),
                               road.dialogs, {}, false};
  const OutputPassResult result = RunOutputPass(*surface, pass);
  if (!filesOnly && result.sheets > 0 && !result.paperFailed) road.documents << pdf;
  out.qsos = result.totals.qsos;
  out.multipliers = result.totals.multipliers[0] + result.totals.multipliers[1] + result.totals.multipliers[2];
  out.points = result.totals.points;
  // Whatever stopped the pass has been told.
  out.ok = result.Succeeded() && result.pointsFileWritten;
  return out;
}

}  // namespace zotra
