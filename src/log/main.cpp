// zotral: the log program. Started by the sort-and-check program with the
// number of QSO records of "zotra.wk2"; goes back to it with "ZOTRAL" and the
// count.
#include "common/ui/ProgramWindow.h"
#include "log/LogSession.h"
#include "log/ui/LogWindow.h"

int main(int argc, char** argv) {
  using namespace zotra;
  return RunProgram(argc, argv, Program::Log, [](ProgramRun& run) -> std::unique_ptr<QWidget> {
    Frame& frame = run.frame();
    auto session = std::make_unique<LogSession>();
    session->announcedCount = AnnouncedCount(frame.CommandLine());
    switch (LoadLogSession(frame, run.dialogs(), session.get())) {
      case LogStart::Ready: break;
      case LogStart::NoRecords:
        // Nothing to work on: straight back to the sort-and-check program.
        frame.StartProgram(Program::Check, {QStringLiteral("ZOTRAL0")});
        return nullptr;
      case LogStart::DefinitionMissing:
      case LogStart::WorkFileMissing:
        // The operator is not left without a program: the menu takes over.
        frame.StartMenu();
        return nullptr;
    }
    auto window = std::make_unique<LogWindow>(frame, run.dialogs(), std::move(session));
    window->OpenDuplicateListWhenPresent();
    return window;
  });
}
