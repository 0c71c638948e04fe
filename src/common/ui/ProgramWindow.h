// What every program with windows shares: the start of the program (dialogs,
// fonts, the start-from-menu check, the environment and definition files),
// window positions kept in the settings, and the main window that returns to
// the menu when it closes.
#pragma once

#include "common/Dialogs.h"
#include "common/Frame.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

namespace zotra {

class HelpWindow;

// Loads Qt's own Japanese texts (file dialogs, standard buttons, the edit
// menu of text boxes) and makes Japanese the default locale. False when the
// translations are not installed; the program then runs with Qt's English.
bool InstallQtTranslations();

// The running program: built after the QApplication.
class ProgramRun {
 public:
  explicit ProgramRun(Program program);
  ~ProgramRun();

  Frame& frame() { return frame_; }
  Dialogs& dialogs() { return *dialogs_; }

  // The start of every program but the menu: the start-from-menu check, then
  // the environment file and the definition file. False (after the message)
  // when the program must end.
  bool Start();

  const QString& EnvironmentFile() const { return environmentFile_; }
  const QString& DefinitionFile() const { return definitionFile_; }

 private:
  Frame frame_;
  std::unique_ptr<Dialogs> dialogs_;
  QString environmentFile_;
  QString definitionFile_;
};

// Runs a program with windows: the application, the start checks (every
// program but the menu), then the window that makeWindow builds (none: the
// program ends) until it closes. Returns the exit status.
int RunProgram(int argc, char** argv, Program program,
               const std::function<std::unique_ptr<QWidget>(ProgramRun&)>& makeWindow);

// The caption with the program's version after it: the caption ends with its
// own separator ("コンテストの設定 Ver " gives "コンテストの設定 Ver 7.3").
QString CaptionWithVersion(const QString& caption);

// Moves the window to the position kept under the keys; the default centres it
// on the screen.
void RestoreWindowPosition(QWidget* window, const Frame& frame, const PositionKeys& keys);
// Keeps the position under the keys when the window is in its normal state.
void SaveWindowPosition(const QWidget* window, const Frame& frame, const PositionKeys& keys);

// The main window of a program. On closing it runs the program's closing
// routine: keep the window position, then `Closing()` (the program's own
// settings), then restart the menu unless `RestartsMenu()` says otherwise.
class ProgramWindow : public QMainWindow {
  Q_OBJECT
 public:
  // caption: the window caption up to the version ("ZOTRA   Ver ").
  ProgramWindow(Frame& frame, const QString& caption, QWidget* parent = nullptr);
  ~ProgramWindow() override;

  Frame& frame() { return frame_; }

  // Shows a help page of the program folder in the help window: the
  // program's own page ("zotras.html" for the definition editor) unless
  // another is named ("kantan"). False, after a message, when it is missing.
  bool ShowHelp(Dialogs& dialogs, const QString& stem = {});
  HelpWindow* helpWindow() const;

  // The closing routine, also used by buttons that leave the program.
  void ReturnToMenu();

 protected:
  virtual void Closing() {}
  // The menu "ヘルプ": the program's page, also on F1 in every window of the
  // program, and the short guide.
  void AddHelpMenu(Dialogs& dialogs);
  // The menu starts nothing when it closes; the log program hands back to the
  // sort-and-check program itself.
  virtual bool RestartsMenu() const {
    return frame_.program() != Program::Menu && frame_.program() != Program::Log;
  }
  void showEvent(QShowEvent* event) override;
  // Under ZOTRA_SCREENSHOT (a PNG path) the window saves a picture of itself
  // once it is shown and runs its closing routine: a look at every window
  // without a person at the screen.
  void TakeScreenshotWhenAsked();
  void closeEvent(QCloseEvent* event) override;

 private:
  Frame& frame_;
  QPointer<HelpWindow> help_;
  bool placed_ = false;
  bool leaving_ = false;
};

// A main window with nothing in it yet, for a program whose windows are still
// to come: it keeps its position and returns to the menu like every other.
std::unique_ptr<QWidget> MakePlainProgramWindow(Frame& frame, const QString& caption);

}  // namespace zotra
