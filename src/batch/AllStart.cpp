// The start of the road: what the menu does, and a clean slate for the outputs.
#include "AllSteps.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "define/DefinitionSave.h"
#include "menu/Environment.h"

namespace zotra {

bool StartAsTheMenu(Road& road) {
  const QString name = ChooseEnvironmentFile(road.folder);
  if (name.isEmpty()) {
    road.dialogs.Tell(MissingEnvironmentMessage(road.folder), QStringLiteral("ZOTRAM"));
    return false;
  }
  const Frame menu(Program::Menu, road.folder);
  menu.WriteSetting(QStringLiteral("Cfg"), name);
  // Faults of band lines are told and the road goes on, as the menu goes on.
  CheckEnvironmentFile(menu.Path(name), menu.Folder(), road.dialogs);
  ClearAfterSave(road.folder, true);
  return true;
}

}  // namespace zotra
