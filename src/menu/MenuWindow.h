// The menu's window: the four steps of a contest, the options around them,
// and the environment file in use.
#pragma once

#include "Launcher.h"
#include "common/ui/ProgramWindow.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace zotra {

class Dialogs;

class MenuWindow : public ProgramWindow {
  Q_OBJECT
 public:
  MenuWindow(Frame& frame, Dialogs& dialogs, QWidget* parent = nullptr);

  // The start after the window is shown: environment file, host logbook
  // files, checks, enabled commands. False when the menu must end (its
  // closing routine has then run).
  bool Start();

  MenuLauncher& launcher() { return launcher_; }

  // Brings the window (and a dialog open in it) to the front: a second
  // start of the menu asks for this.
  void Activate();

 private:
  void BuildControls();
  void BuildMenus();
  void ApplyState();
  static void ShowHostFile(QLabel* label, const QString& path, bool found);
  // Starts a working program and ends the menu; stays when the start failed.
  void Launch(Program program);
  void DefineContest();

  Dialogs& dialogs_;
  MenuLauncher launcher_;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* command5_ = nullptr;
  QPushButton* command7_ = nullptr;
  QLabel* stepNumbers_[4] = {};
  QLabel* label1_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* logbookLabel_ = nullptr;
  QLabel* masterLabel_ = nullptr;
  QMenu* showlog_ = nullptr;
  QAction* jarlShow_ = nullptr;
  QAction* vqShow_ = nullptr;
};

}  // namespace zotra
