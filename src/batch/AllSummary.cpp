// The totals program's step of the road: the summary step of zotra-batch
// summary, its sheet as a PDF file.
#include "AllSteps.h"

#include "common/Frame.h"
#include "common/gui/PaintSurface.h"
#include "summary/SummaryJob.h"
#include "summary/SummaryStep.h"

namespace zotra {

bool Summarise(Road& road, bool multiplicative, QString* score) {
  SummaryStepOptions options;
  options.mode = multiplicative ? ScoreMode::Multiplicative : ScoreMode::Additive;
  options.jarlPaper = road.jarlPaper;
  const QString pdf = road.PdfPath(SummaryPdfFileName());
  const SummaryStepResult result =
      RunSummaryStep(Frame(Program::Summary, road.folder), road.dialogs, options, [&pdf](QString* pdfFile) {
        *pdfFile = pdf;
        return std::make_unique<PrinterSurface>(pdf);
      });
  *score = result.score;
  if (result.printed) road.documents << pdf;
  road.documents += result.files;
  return result.ok;
}

}  // namespace zotra
