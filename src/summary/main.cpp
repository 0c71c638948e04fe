// zotrat: the totals and the summary sheet, the last program of a contest.
// Started by the menu with "/" and the environment file's name, it restarts
// the menu with the same command line when it closes.
#include "SubmissionWindow.h"
#include "SummaryWindow.h"
#include "TotalsWindow.h"

#include "common/ui/ProgramWindow.h"

int main(int argc, char** argv) {
  return zotra::RunProgram(argc, argv, zotra::Program::Summary, [](zotra::ProgramRun& run) {
    auto window = std::make_unique<zotra::TotalsWindow>(run.frame(), run.dialogs());
    window->Start();
    window->summaryWindow()->SetSubmissionHandler([&run](zotra::SummaryWindow& summary) {
      zotra::SubmissionWindow submission(run.frame(), run.dialogs(), summary.Outputs(), QDate::currentDate(),
                                         &summary);
      submission.exec();
    });
    return window;
  });
}
