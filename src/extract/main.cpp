// zotrah: the window program (its windows are still to come).
#include "common/ui/ProgramWindow.h"

int main(int argc, char** argv) {
  return zotra::RunProgram(argc, argv, zotra::Program::Extract, [](zotra::ProgramRun& run) {
    return zotra::MakePlainProgramWindow(run.frame(), QStringLiteral("ﾃﾞｰﾀの選択   Ver "));
  });
}
