// The main window of the log program ("交信データの処理"): the QSO table of
// one band, its one-cell editor with undo, invalidation, the multiplier
// arrangement, the data selection, the duplicate list, printing and the way
// back to the sort-and-check program.
#pragma once

#include "common/ui/ProgramWindow.h"
#include "log/LogSession.h"
#include "log/QsoTableModel.h"
#include "log/ui/DuplicateListWindow.h"
#include "log/UndoStack.h"

#include <QPointer>

#include <memory>

class QLabel;
class QPushButton;
class QTableView;

namespace zotra {

class CellEditor;
class DataSelectionWindow;

// The width in pixels of a width in twips (1440 to the inch) at a DPI.
int TwipsToPixels(double twips, double dpi);
// The widths in twips of the table's columns 0 to 14: multiples of the
// character unit 115; columns 7 to 11 from the longest texts found loading.
double ColumnTwips(const QsoTable& table, int column);
// The column of the first current cell: the first multiplier column whose
// longest value has more than one byte, else multiplier 1.
int StartColumn(const QsoTable& table);

class LogWindow : public ProgramWindow {
  Q_OBJECT
 public:
  LogWindow(Frame& frame, Dialogs& dialogs, std::unique_ptr<LogSession> session);
  ~LogWindow() override;

  LogSession& session() { return *session_; }
  QsoTableModel& model() { return *model_; }
  Dialogs& dialogs() { return dialogs_; }
  QTableView* table() { return table_; }
  const UndoStack& undo() const { return undo_; }
  DuplicateListWindow* duplicateList() { return duplicateList_; }

  // Opens the duplicate list when "zotradup.wk" exists (at start-up).
  void OpenDuplicateListWhenPresent();

  // The buttons' actions, also for scripts and tests.
  void GoBack();             // Command1 "前のｽﾃｯﾌﾟ戻る"
  void UndoLastStep();       // Command2
  void ArrangeMultipliers(); // Command3 "ﾏﾙﾁ整理"
  void Print();              // Command4 "印刷"
  void ToggleValidity();     // Command5
  void OpenDataSelection();  // Command6 "文字列検索"
  // Command7 "重複交信を一括無効": every duplicate group keeps its earliest
  // valid QSO, the others are made invalid in one undo step.
  void InvalidateDuplicates();
  // Applies a data selection (what Form5's "実行" does), shows the first row
  // found (in `column`) and reports it.
  void ApplySelection(const std::vector<bool>& selected, int column = col::kReceived);
  // Makes the QSO number of a row the current cell, in view, with the
  // invalidation button beside it (a row of the duplicate list chosen).
  void GoToQso(int row);

  // Writes the table to "zotra.wk2"; false (after a message) when it failed.
  bool WriteTable();

 protected:
  void Closing() override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildTable();
  void SizeColumns();
  void CellClicked(const QModelIndex& index);
  void TakeSnapshot();
  void HideEditor();
  void EditorEdited(const QString& text);
  void CancelEdit();
  void UpdateUndoButton();
  int CurrentRow() const;
  int CurrentColumn() const;

  Dialogs& dialogs_;
  std::unique_ptr<LogSession> session_;
  QsoTableModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  CellEditor* editor_ = nullptr;
  QPushButton* back_ = nullptr;       // Command1
  QPushButton* undoButton_ = nullptr; // Command2
  QPushButton* arrange_ = nullptr;    // Command3
  QPushButton* print_ = nullptr;      // Command4
  QPushButton* validity_ = nullptr;   // Command5
  QPushButton* search_ = nullptr;     // Command6
  QPushButton* duplicates_ = nullptr; // Command7
  QLabel* info_ = nullptr;
  DataSelectionWindow* selection_ = nullptr;
  QPointer<DuplicateListWindow> duplicateList_;
  QList<DuplicateListRow> duplicateRows_;  // the rows of "zotradup.wk", found in the table
  UndoStack undo_;
  bool anyUndoStep_ = false;
  bool leaving_ = false;
  bool duplicateListPending_ = false;
};

}  // namespace zotra
