// The two maintenance windows of the definition editor: the category file
// ("参加部門ファイルのカスタマイズ") and the contest-name file ("コンテスト名称ファイルの保守").
// Both show their file in a grid edited through a field laid over the cell
// that was double-clicked, with a row menu to insert, delete, copy and paste
// rows.
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace zotra {

class Dialogs;
class Frame;

class GridWindow : public QDialog {
  Q_OBJECT
 public:
  QTableWidget* Grid() const { return grid_; }
  QMenu* RowMenu() const { return rowMenu_; }
  bool Dirty() const { return dirty_; }

  // A data cell's text (columns from 1; column 0 marks rows).
  QString CellText(int row, int column) const;
  bool IsDeleted(int row) const;
  // The field laid over a cell, as a double click opens it (column ≥ 1).
  void EditCell(int row, int column);
  // The field open over a cell, else null.
  QWidget* OpenEditor() const { return editor_; }

  // The row menu's work on the current row.
  void InsertRow(int at);
  void MarkDeleted(int row, bool deleted);
  void CopyRow(int row);
  void PasteRow(int row);

 protected:
  GridWindow(Dialogs& dialogs, const QStringList& headers, QWidget* parent);

  // The field that edits a column (a line edit or an editable combo box).
  virtual QWidget* EditorFor(int column) = 0;
  // A typed cell text about to be kept: false keeps the old one; *after may
  // be changed.
  virtual bool AcceptCell(int row, int column, const QString& before, QString* after);
  // Called when the window closes (size to keep, ...).
  virtual void Leaving() {}

  void SetRows(const QList<QStringList>& rows);
  // The rows not marked deleted, their cells trimmed.
  QList<QStringList> KeptRows() const;
  void SetDirty(bool dirty) { dirty_ = dirty; }
  // Closes without the question about unsaved changes.
  void CloseWithoutAsking();
  void CommitEditor();

  // Closing by the frame, Escape or a close button: asks first when the grid
  // holds unsaved changes.
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  Dialogs& dialogs_;
  QTableWidget* grid_ = nullptr;
  QMenu* rowMenu_ = nullptr;

 private:
  void ShowMarker(int row);
  void CancelEditor();
  int CurrentRow() const;

  int columns_ = 0;
  bool dirty_ = false;
  bool closeConfirmed_ = false;
  QWidget* editor_ = nullptr;
  int editRow_ = -1;
  int editColumn_ = -1;
  QStringList copied_;
};

// "参加部門ファイルのカスタマイズ": the working category file "ZOTRAW.COD".
class CategoryWindow : public GridWindow {
  Q_OBJECT
 public:
  CategoryWindow(const Frame& frame, Dialogs& dialogs, QWidget* parent = nullptr);

  // "再読込": the grid again from the file (asks first when changed).
  void Reload();
  // "上書保存": the marker line and the rows not marked deleted.
  bool SaveFile();
  // "初期ファイル化": the working file replaced by the base file (asks first).
  void ResetToBase();

 protected:
  QWidget* EditorFor(int column) override;
  void Leaving() override;

 private:
  void Load();
  const Frame& frame_;
  QLineEdit* text1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QComboBox* combo2_ = nullptr;
};

// "コンテスト名称ファイルの保守": "C_NAME.TXT", contest names and their
// electronic-log form.
class ContestNameWindow : public GridWindow {
  Q_OBJECT
 public:
  ContestNameWindow(const Frame& frame, Dialogs& dialogs, QWidget* parent = nullptr);

  // "保存終了": writes the rows not marked deleted and closes; false (the
  // window stays) when the file cannot be written.
  bool SaveAndClose();
  // "非保存終了".
  void CloseUnsaved();

 protected:
  QWidget* EditorFor(int column) override;
  bool AcceptCell(int row, int column, const QString& before, QString* after) override;

 private:
  const Frame& frame_;
  QLineEdit* text1_ = nullptr;
};

}  // namespace zotra
