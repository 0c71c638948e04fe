#include "OutputPass.h"

#include "LogFiles.h"
#include "LogSheet.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/gui/PrintSurface.h"

namespace zotra {
namespace {

OutputTotals Minus(const OutputTotals& a, const OutputTotals& b) {
  OutputTotals d;
  d.qsos = a.qsos - b.qsos;
  for (size_t i = 0; i < 3; ++i) d.multipliers[i] = a.multipliers[i] - b.multipliers[i];
  d.points = a.points - b.points;
  return d;
}

// The sheets of the pass on the surface, page by page; rowDrawn is told every
// valid row drawn and may stop the drawing (false is then returned). A
// preview shows the preprinted form under the data of JARL paper, light cyan.
bool DrawSheets(PrintSurface& surface, const OutputPassContext& c, const std::function<void(const QString&)>& progress,
                const std::function<bool(int row)>& rowDrawn, OutputPassResult* result, bool preview = false) {
  const LogSession& session = c.session;
  const QsoTable& table = session.table;
  const LogDefinition& definition = session.definition;
  const OutputOptions& options = c.options;
  const PrintedRows printed = PreScan(table, definition, options.omitInvalid);
  const SheetColumns columns = FitColumns(surface, options.frameFont, printed);
  result->sheets = printed.Sheets();
  bool survival = false;
  if (result->sheets > 0 && AsksSurvivalMode(definition)) {
    survival = c.survival ? *c.survival : c.dialogs.Ask(SurvivalQuestion(), Buttons::YesNo) == Button::Yes;
  }

  LogSheetPainter painter(surface, session, options, columns);
  OutputTotals totals;
  size_t next = 0;
  for (int sheet = 1; sheet <= result->sheets; ++sheet) {
    progress(SheetLabel(sheet, result->sheets));
    if (!options.jarlPaper) painter.DrawForm();
    else if (preview) painter.DrawForm(PaletteColor(11));
    if (options.headings) painter.DrawHeading(sheet, result->sheets);
    painter.DrawTimeMark();
    const OutputTotals before = totals;
    for (int k = 1; k <= kRowsPerSheet && next < printed.rows.size(); ++k) {
      const int row = printed.rows[next++];
      if (!table.IsValid(row)) {  // printed struck through, never counted or written
        painter.DrawInvalidRow(k);
        continue;
      }
      painter.DrawRow(k, row, survival && table.Points(row) > 1);
      totals.Add(table, row, definition);
      if (!rowDrawn(row)) return false;
    }
    if (options.subtotals) painter.DrawSubtotals(Minus(totals, before), totals);
    surface.EndPage();
  }
  result->totals = totals;
  return true;
}

}  // namespace

QString PreparingLabel() { return QStringLiteral("印刷準備中"); }

QString SheetLabel(int sheet, int sheets) {
  return QString::number(sheet) + QStringLiteral(" of ") + QString::number(sheets) + QStringLiteral(" 印刷中");
}

QString PointsFileLabel() { return QStringLiteral("得点ファイル作成"); }

QString SurvivalQuestion() { return QStringLiteral("泉州サバイバルモードで印刷しますか"); }

OutputPassResult RunOutputPass(PrintSurface& surface, const OutputPassContext& c) {
  OutputPassResult result;
  const LogSession& session = c.session;
  const LogDefinition& definition = session.definition;
  const OutputOptions& options = c.options;
  auto progress = [&c](const QString& label) {
    if (c.progress) c.progress(label);
  };
  // A stop: the message is told, the document ended (what was printed stays
  // printed), the earlier files kept.
  auto stop = [&](const QString& message) {
    result.error = message;
    c.dialogs.Tell(message, {}, Icon::Critical);
    surface.EndDocument();
    return result;
  };

  progress(PreparingLabel());
  surface.SetCalibration(options.calibration);
  LogFileWriter files(c.folder, session);
  result.files = files.Paths();
  const QString keptAsBefore = QStringLiteral("\nログの出力を中止しました。前回のログファイルと得点ファイルはそのままです");
  if (!files.Begin()) return stop(files.Error() + keptAsBefore);

  if (!DrawSheets(surface, c, progress, [&files](int row) { return files.Add(row); }, &result)) {
    return stop(files.Error() + keptAsBefore);
  }
  const OutputTotals& totals = result.totals;

  if (!surface.EndDocument()) {
    result.paperFailed = true;
    c.dialogs.Tell(surface.ErrorText(), {}, Icon::Critical);
  }
  if (!files.Finish(totals)) return stop(files.Error() + keptAsBefore);

  progress(PointsFileLabel());
  const PointsFileOutcome points = UpdatePointsFile(ResolveInFolder(c.folder, kPointsFileName),
                                                    session.BandSelection(), totals, definition, options.points,
                                                    c.dialogs);
  if (points == PointsFileOutcome::Failed) {
    files.Abort();
    return stop(QStringLiteral("得点ファイルを書き込めなかったため、ログファイルも前回のままにしました"));
  }
  result.pointsFileWritten = points == PointsFileOutcome::Written;
  if (!files.Commit(&c.dialogs)) {
    return stop(files.Error() + QStringLiteral("\nログの出力を中止しました。得点ファイルは書き直しましたが、"
                                               "ログファイルには前回のままのものがあります"));
  }
  result.filesWritten = true;
  return result;
}

int DrawPassSheets(PrintSurface& surface, const OutputPassContext& context) {
  OutputPassResult result;
  surface.SetCalibration(context.options.calibration);
  DrawSheets(surface, context, [](const QString&) {}, [](int) { return true; }, &result, true);
  surface.EndDocument();
  return result.sheets;
}

}  // namespace zotra
