// zotrac: band selection, sort and duplicate check, the duplicate check list,
// and the hand-over to the log program.
#include "CheckWindow.h"

#include "common/ui/ProgramWindow.h"

int main(int argc, char** argv) {
  return zotra::RunProgram(argc, argv, zotra::Program::Check, [](zotra::ProgramRun& run) -> std::unique_ptr<QWidget> {
    return zotra::OpenCheckWindow(run.frame(), run.dialogs(), run.DefinitionFile());
  });
}
