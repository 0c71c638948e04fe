// zotram: the menu, the only program the operator starts. One menu runs per
// program folder; it starts the working programs and ends.
#include "MenuWindow.h"
#include "SingleInstance.h"

#include "common/ui/ProgramWindow.h"

int main(int argc, char** argv) {
  return zotra::RunProgram(argc, argv, zotra::Program::Menu, [](zotra::ProgramRun& run) -> std::unique_ptr<QWidget> {
    auto instance = std::make_unique<zotra::SingleInstance>(run.frame().Folder());
    if (!instance->Claim()) {
      run.dialogs().Tell(QStringLiteral("ZOTRAM が多重起動されました"));
      instance->AskRunningToActivate();
      return nullptr;
    }
    auto window = std::make_unique<zotra::MenuWindow>(run.frame(), run.dialogs());
    zotra::SingleInstance* guard = instance.release();
    guard->setParent(window.get());
    QObject::connect(guard, &zotra::SingleInstance::ActivationRequested, window.get(), &zotra::MenuWindow::Activate);
    window->show();
    if (!window->Start()) return nullptr;
    return window;
  });
}
