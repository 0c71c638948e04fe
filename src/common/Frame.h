// The frame every program runs in: its identity, its program folder (where
// every file of the suite lies), its settings, the start-up checks, and
// starting the other programs of the suite.
#pragma once

#include "Program.h"
#include "Settings.h"

#include <QString>
#include <QStringList>

namespace zotra {

class Dialogs;

class Frame {
 public:
  // folder: the program folder; commandLine: the program's arguments joined by
  // one blank (the text the menu and the other programs pass).
  Frame(Program program, const QString& folder, QString commandLine = {});

  // The folder of the running executable.
  static QString ExecutableFolder();
  // The command line of this process: its arguments joined by one blank.
  static QString ProcessCommandLine();

  Program program() const { return program_; }
  QString Name() const { return ProgramName(program_); }
  // The program folder, always with its trailing separator.
  const QString& Folder() const { return folder_; }
  const QString& CommandLine() const { return commandLine_; }

  // A file of the program folder, its name matched without regard to case.
  QString Path(const QString& name) const;

  const Settings& settings() const { return settings_; }
  QString ReadSetting(const QString& key, const QString& defaultValue = {}) const {
    return settings_.ReadSetting(key, defaultValue);
  }
  bool WriteSetting(const QString& key, const QString& value) const {
    return settings_.WriteSetting(key, value);
  }

  // The start-from-menu check: false (after the program's message) when the
  // command line does not satisfy the program's rule.
  bool CheckStartedFromMenu(Dialogs& dialogs) const;

  // The environment file named by "CFG"; empty (after the message
  // "環境ファイル <path> が見つかりません") when it does not exist.
  QString LocateEnvironmentFile(Dialogs& dialogs) const;

  // The definition file named by "TST" (the default name when the key is
  // missing), in the program folder; it need not exist.
  QString LocateDefinitionFile(const QString& defaultName = QStringLiteral("ZOTRAW.TST")) const;

  // Starts another program of the suite from the program folder, detached,
  // with the given arguments. False when it could not be started.
  bool StartProgram(Program program, const QStringList& arguments) const;
  // Restarts the menu as this program does when it closes.
  bool StartMenu() const;

 private:
  Program program_;
  QString folder_;
  QString commandLine_;
  Settings settings_;
};

// The station folder name of a call sign: narrow, upper case; of a call with
// "/", the part after it when the "/" stands in the first half of the text
// (position ≤ length / 2), else the part before it.
QString StationFolderName(const QString& callSign);

// Why a call sign gives no station folder inside the program folder, in the
// words that tell the user; empty when its folder name is fit. A name that is
// empty, "." or ".." (or only dots), or holds a separator, ":" or a character
// no folder name may hold could lead out of the program folder: refused.
QString StationFolderProblem(const QString& callSign);

// The station folder of a call sign: the program folder + its folder name +
// suffix ("_JARL"), matched without regard to case; empty when
// StationFolderProblem finds one. Every reader and writer of the station
// folders takes them from here.
QString StationFolderPath(const QString& folder, const QString& callSign, const QString& suffix = {});

// Starts any program detached, with its arguments, in the given working
// folder (never through a shell). When ZOTRA_START_LOG names a file, the start
// is recorded there as one line (program and arguments, tab-separated, UTF-8)
// instead, so that tests can see what would have started.
bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder);

}  // namespace zotra
