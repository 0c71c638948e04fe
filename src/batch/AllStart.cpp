// The start of the road: what the menu does, and a clean slate for the outputs.
#include "AllSteps.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "define/DefinitionSave.h"
#include "menu/Environment.h"

namespace zotra {

bool StartAsTheMenu(Road& road) {
  const Frame menu(Program::Menu, road.folder);
  // A station whose folders would lie outside the program folder is refused
  // before anything is written.
  ContestDefinition definition;
  ReadDefinition(menu.LocateDefinitionFile(), &definition);
  const QString problem = StationFolderProblem(definition.myCall);
  if (!problem.isEmpty()) {
    road.dialogs.Tell(problem);
    return false;
  }
  const QString name = ChooseEnvironmentFile(road.folder);
  if (name.isEmpty()) {
    road.dialogs.Tell(MissingEnvironmentMessage(road.folder), QStringLiteral("ZOTRAM"));
    return false;
  }
  // The other steps find the environment file by "Cfg" (the settings told
  // why it could not be kept).
  if (!menu.WriteSetting(QStringLiteral("Cfg"), name)) return false;
  // Faults of band lines are told and the road goes on, as the menu goes on.
  CheckEnvironmentFile(menu.Path(name), menu.Folder(), road.dialogs);
  ClearAfterSave(road.folder, true);
  return true;
}

}  // namespace zotra
