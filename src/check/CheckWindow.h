// The main window of the sort-and-check program: the band (or all bands) to
// take, what makes a QSO count again, the counters, and the steps: new
// selection, duplicate check with its list, the previous result, the hand-over
// to the log program and the way back to the menu.
#pragma once

#include "CheckDefinition.h"
#include "DuplicateCheck.h"
#include "common/ui/ProgramWindow.h"

#include <QElapsedTimer>
#include <QPoint>

#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace zotra {

class Dialogs;
class PrinterSetup;

class CheckWindow : public ProgramWindow {
  Q_OBJECT
 public:
  CheckWindow(Frame& frame, Dialogs& dialogs, CheckDefinition definition, QWidget* parent = nullptr);
  ~CheckWindow() override;

  // Takes up the command line (the log program's "ZOTRAL" and count) and the
  // selection "zotra.wk2" holds, and sets the buttons.
  void Start();

  // The selection: "ALL", the band chosen in the list, or empty.
  QString Selection() const;
  Criterion CurrentCriterion() const;

  // The steps, as the buttons run them.
  void NewSelection();     // Command1
  void CheckDuplicates();  // Command3: the check, then the window "重複交信チェック" (modal)
  void RestorePrevious();  // Command5
  bool HandOver();         // Command4: false when the log program could not be started

  bool Busy() const { return busy_; }

 protected:
  void Closing() override;
  bool RestartsMenu() const override { return !handingOver_; }
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void RefreshButtons();
  void SetBusy(bool busy, const QString& status = {});
  void ShowProgress(const QString& status, int done, int total);
  void TakeUpSelection(const QString& selection);
  CheckResult RunCheck();
  PrinterSetup& Printer();

  Dialogs& dialogs_;
  CheckDefinition definition_;
  bool busy_ = false;
  bool handingOver_ = false;
  std::optional<QPoint> form2Position_;
  std::unique_ptr<PrinterSetup> printer_;
  QElapsedTimer sinceEvents_;

  QRadioButton* option2_ = nullptr;  // バンド別 (JARL)
  QRadioButton* option3_ = nullptr;  // ミックスバンド
  QListWidget* list1_ = nullptr;
  QRadioButton* option1_[3] = {};    // 日付順, バンド順, モード順
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* command5_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

// The program's start after the frame's checks: the definition and
// "zotra.wk1" must be there (else the message, and back to the menu); then
// the window, started. Null when the program ends.
std::unique_ptr<CheckWindow> OpenCheckWindow(Frame& frame, Dialogs& dialogs, const QString& definitionPath);

}  // namespace zotra
