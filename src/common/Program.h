// The six programs of the suite and what distinguishes them in the shared
// frame: names, captions, start-up rules, where their settings go, and how
// each returns to the menu.
#pragma once

#include <QString>
#include <QStringList>

namespace zotra {

enum class Program { Menu, Define, Extract, Check, Log, Summary };

// "ZOTRAM", "ZOTRAS", "ZOTRAH", "ZOTRAC", "ZOTRAL", "ZOTRAT": the program's
// name, its settings section and the default title of its messages.
QString ProgramName(Program program);
// Executable file name in the program folder ("zotram", …).
QString ProgramExecutable(Program program);
// "ZOTRAM" etc. (any case) or the executable name; false when unknown.
bool ProgramFromName(const QString& name, Program* program);

// The version shown after each window caption: major "." minor.
QString ProgramVersion();

// How a program refuses to start without the menu: the condition on the
// command line and the message.
struct StartRule {
  bool required = true;     // the menu needs no command line
  int minimumLength = 1;    // shortest accepted command line
  QString message;          // shown (OK) before the program ends
};
StartRule StartRuleOf(Program program);

// The settings keys of the main window's position.
struct PositionKeys {
  QString top;
  QString left;
};
PositionKeys MainWindowPositionKeys(Program program);

// The command-line arguments with which a program restarts the menu when it
// closes; `ownCommandLine` is passed on by the programs that pass theirs.
QStringList MenuRestartArguments(Program program, const QString& ownCommandLine);

}  // namespace zotra
