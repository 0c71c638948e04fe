// The output pass of the log program: in one walk over the QSO table it
// prints the log sheets (or draws them into the measuring picture box when
// only the files are wanted), writes the log part of the electronic log and
// the text log, counts the totals, and ends with the points file.
#pragma once

#include "LogSession.h"
#include "PrintSettings.h"
#include "Scoring.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zotra {

class Dialogs;
class PrintSurface;

// The labels of the progress window.
QString PreparingLabel();                      // "印刷準備中"
QString SheetLabel(int sheet, int sheets);     // "3 of 12 印刷中"
QString PointsFileLabel();                     // "得点ファイル作成"

// The survival-mode question, asked for a contest of "泉州".
QString SurvivalQuestion();                    // "泉州サバイバルモードで印刷しますか"

struct OutputPassResult {
  bool filesWritten = false;     // the four log files are in place
  bool pointsFileWritten = false;  // the points file was rewritten (not for "ALL")
  bool paperFailed = false;      // the printer or PDF file could not finish (told)
  int sheets = 0;
  OutputTotals totals;
  QStringList files;             // the log files written
  QString error;                 // the message told when the pass stopped

  // Everything the pass should do was done.
  bool Succeeded() const { return filesWritten && !paperFailed && error.isEmpty(); }
};

struct OutputPassContext {
  QString folder;             // the program folder: the log files and the points file
  const LogSession& session;
  OutputOptions options;
  Dialogs& dialogs;
  // Shows a label of the progress window (and lets the window breathe).
  std::function<void(const QString& label)> progress;
  // The answer to the survival-mode question given beforehand (zotra-batch);
  // none: the question is asked through the dialogs.
  std::optional<bool> survival;
};

// Runs the pass on the surface (a printer, a PDF file, or the measuring
// picture box) and ends its document. A file error stops the pass before the
// points file: the message names the file, and the earlier log files and the
// points file stay as they were. A printer or PDF file that cannot finish is
// told; the log files are still written.
OutputPassResult RunOutputPass(PrintSurface& surface, const OutputPassContext& context);

// Only the sheets of the pass, for the preview: drawn on the surface as the
// pass prints them (the survival question asked as it asks it), on JARL
// paper over the form in light cyan; nothing written, counted or kept; the
// document ended. Returns the sheets drawn.
int DrawPassSheets(PrintSurface& surface, const OutputPassContext& context);

}  // namespace zotra
