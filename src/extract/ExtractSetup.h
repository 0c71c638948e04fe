// What the extraction reads at its start, before its window opens: the
// contest definition, the logbook's locations ("MARQEN", "MST" of the menu's
// section), the master file and the Hokkaido table for the area codes, and
// the mode aliases of the environment file. The window program and
// zotra-batch start the same way.
#pragma once

#include "AreaTables.h"
#include "ExtractDefinition.h"
#include "Extraction.h"
#include "menu/Environment.h"

#include <QString>

namespace zotra {

class Dialogs;
class Frame;

struct ExtractSetup {
  QString databasePath;  // "MARQEN"
  QString masterPath;    // "MST"
  ExtractDefinition definition;
  ModeAliases aliases;
  AreaTables tables;
};

// Reads everything in the order the program starts: the definition (missing:
// "先にコンテストの条件を設定してください"; another version: "コンテスト定義体の
// バージョンが違います"), the two logbook locations, the master file (a version
// it does not know ends the program) and "hokkaido.txt" (missing: told, the
// run goes on). False after the message that ends the program.
bool LoadExtractSetup(const Frame& frame, const QString& environmentPath, const QString& definitionPath,
                      Dialogs& dialogs, ExtractSetup* setup);

// The input of a run in the frame's program folder with the window's options.
ExtractInput MakeExtractInput(const ExtractSetup& setup, const Frame& frame, const ExtractOptions& options);

}  // namespace zotra
