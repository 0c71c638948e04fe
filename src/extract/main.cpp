// zotrah: the extraction of the contest's QSOs from the host logbook into
// "zotra.wk1".
#include "ExtractWindow.h"

#include "common/ui/ProgramWindow.h"

int main(int argc, char** argv) {
  return zotra::RunProgram(argc, argv, zotra::Program::Extract, [](zotra::ProgramRun& run) -> std::unique_ptr<QWidget> {
    return zotra::OpenExtractWindow(run.frame(), run.dialogs(), run.EnvironmentFile(), run.DefinitionFile());
  });
}
