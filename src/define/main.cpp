// zotras: the contest definition editor, started by the menu.
#include "define/ui/DefineWindow.h"

#include "common/ui/ProgramWindow.h"

int main(int argc, char** argv) {
  return zotra::RunProgram(argc, argv, zotra::Program::Define, [](zotra::ProgramRun& run) -> std::unique_ptr<QWidget> {
    auto window = std::make_unique<zotra::DefineWindow>(run.frame(), run.dialogs(), run.EnvironmentFile(),
                                                        run.DefinitionFile());
    window->Start();
    return window;
  });
}
