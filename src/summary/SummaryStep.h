// The summary step without windows, one for zotra-batch summary and the end
// of zotra-batch all: the station folder checked, the totals and the score,
// the bands the log program did not finish told, the summary sheet printed
// with the paper and colour the summary-sheet window keeps, the electronic
// log and the text summary written, and the electronic log read back with
// the strict reader.
#pragma once

#include "BandTotals.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace zotra {

class Dialogs;
class Frame;
class PrintSurface;

struct SummaryStepOptions {
  ScoreMode mode = ScoreMode::Additive;
  std::optional<QString> coefficient;  // none: the definition's
  std::optional<bool> jarlPaper;       // none: the paper the window keeps
  bool colour = false;                 // or "カラー" as the window keeps it
  bool signature = false;              // "申請者氏名の署名欄への印字"
  std::optional<QString> comment;      // the third comment line; none: the
                                       // JAG QSO party's "ステッカー希望"
};

struct SummaryStepResult {
  bool ok = false;       // everything asked for was written and passed the reader
  bool printed = false;  // the sheet's document ended well
  QString score;         // the score as the totals window shows it
  QStringList files;     // the finished electronic log and text summary written
};

// The surface the sheet is printed on, opened once the step has checked
// what it can; null (the reason told) when it cannot be opened. *pdfFile:
// the PDF file it writes, empty for a printer (a PDF file has no JARL form
// under the data, PaperForPdfFile).
using SummarySurfaceOpener = std::function<std::unique_ptr<PrintSurface>(QString* pdfFile)>;

SummaryStepResult RunSummaryStep(const Frame& frame, Dialogs& dialogs, const SummaryStepOptions& options,
                                 const SummarySurfaceOpener& openSurface);

}  // namespace zotra
