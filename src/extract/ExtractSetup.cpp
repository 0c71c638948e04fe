#include "ExtractSetup.h"

#include "Logbook.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"

namespace zotra {

bool LoadExtractSetup(const Frame& frame, const QString& environmentPath, const QString& definitionPath,
                      Dialogs& dialogs, ExtractSetup* setup) {
  setup->definition = ReadExtractDefinition(definitionPath);
  if (setup->definition.status != ExtractDefinition::Status::Read) {
    dialogs.Tell(setup->definition.StatusMessage());
    return false;
  }
  setup->databasePath = frame.ReadSetting(QStringLiteral("MARQEN"), QStringLiteral("NON"));
  setup->masterPath = frame.ReadSetting(QStringLiteral("MST"), QStringLiteral("NON"));
  if (!CheckLogbookLocations(setup->databasePath, setup->masterPath, dialogs)) return false;
  if (setup->tables.LoadMaster(ResolvePath(setup->masterPath), dialogs) != AreaTables::MasterResult::Loaded) {
    return false;
  }
  setup->tables.LoadHokkaido(frame.Path(QStringLiteral("hokkaido.txt")), dialogs);
  setup->aliases = ReadModeAliases(environmentPath);
  return true;
}

ExtractInput MakeExtractInput(const ExtractSetup& setup, const Frame& frame, const ExtractOptions& options) {
  ExtractInput input;
  input.databasePath = setup.databasePath;
  input.programFolder = frame.Folder();
  input.definition = setup.definition;
  input.aliases = setup.aliases;
  input.options = options;
  input.tables = &setup.tables;
  return input;
}

}  // namespace zotra
