// The menu's work without its window: the start (settings migration,
// environment file, host logbook files, environment check, points file,
// station folders), the library date check, starting the working programs
// and the tools around them. Every message goes through the dialogs.
#pragma once

#include "common/Frame.h"

#include <QString>

namespace zotra {

class Dialogs;

// The host logbook's files whose paths the menu keeps.
enum class HostFile { Logbook, Master };

enum class Located { Found, NotFound, Quit };

enum class LibraryState { Missing, Old, Current };

struct LibraryCheck {
  LibraryState state = LibraryState::Missing;
  QString path;      // where the library was looked for
  QString date;      // its creation date, yyyy/mm/dd
  QString required;  // the oldest acceptable date
};

// The settings version the menu writes at every start.
inline constexpr char kSettingsVersion[] = "7.3";

class MenuLauncher {
 public:
  MenuLauncher(const Frame& frame, Dialogs& dialogs);

  // "Ver": a 4.1 settings file gets the definition file name; then "7.3".
  void MigrateSettings() const;

  // The first start steps: the environment file choice and "Cfg". False
  // (after the message) when there is none and the menu must end.
  bool ChooseEnvironment();
  // The rest of the start: logbook and master file, the environment check,
  // the spreadsheet, the points file, the station folders. False when the
  // operator chose to close the menu.
  bool Prepare();

  const QString& EnvironmentName() const { return environmentName_; }
  QString EnvironmentPath() const;

  bool LogbookFound() const { return logbookFound_; }
  bool MasterFound() const { return masterFound_; }
  // The path kept for the logbook database or the master file; empty when
  // none is set.
  QString HostFilePath(HostFile file) const;
  // The data steps (extraction, sort and check, totals, spreadsheet) are
  // usable only when both files are found.
  bool DataStepsEnabled() const { return logbookFound_ && masterFound_; }
  bool SpreadsheetEnabled() const { return spreadsheetEnabled_; }
  // Why a data step or the spreadsheet cannot be used, and what makes it
  // usable; empty when it can.
  QString DataStepsOffReason() const;
  QString SpreadsheetOffReason() const;
  // Tests the kept logbook and master file again (no questions), as after a
  // choice through "Option".
  void RecheckHostFiles();
  const QString& JarlFolder() const { return jarlFolder_; }
  const QString& VqFolder() const { return vqFolder_; }
  bool JarlFolderFound() const { return jarlFolderFound_; }
  bool VqFolderFound() const { return vqFolderFound_; }

  // Finds the logbook database or the master file: at the start the setting
  // is tried first and the operator asked; from the menu the file dialog
  // opens straight away and both files are tested again afterwards. The
  // choice is kept in the settings.
  Located LocateHostFile(HostFile file, bool atStart);

  // The library beside the logbook and its date against the required one.
  LibraryCheck CheckLibrary() const;
  static QString MissingLibraryMessage();
  static QString LibraryWarningTitle();
  static QString LibraryWarningText();

  // Starts a working program with "/" and the environment file name. False
  // (after a message) when it could not be started.
  bool StartStep(Program program) const;

  // The editor in use and starting it with one file.
  QString Editor() const;
  bool OpenWithEditor(const QString& path) const;
  bool EditEnvironmentFile() const;
  void ChooseEditor() const;
  void ResetEditor() const;

  // A file of a station folder, chosen in a file dialog, opened with the
  // editor. False when nothing was opened.
  bool ShowLogFile(bool jarl) const;

  // Opens the spreadsheet workbook. False when it could not be.
  bool OpenSpreadsheet() const;

 private:
  Located FindHostFile(HostFile file, bool atStart);
  void FindStationFolders();
  void EnsurePointsFile() const;

  const Frame& frame_;
  Dialogs& dialogs_;
  QString environmentName_;
  bool logbookFound_ = false;
  bool masterFound_ = false;
  bool spreadsheetEnabled_ = false;
  QString jarlFolder_;
  QString vqFolder_;
  bool jarlFolderFound_ = false;
  bool vqFolderFound_ = false;
};

}  // namespace zotra
