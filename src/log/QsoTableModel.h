// The QSO table as an item model for the main window's table view, with the
// display-only marks: the red text of a changed cell, the green text of a
// cell put back by undo, and the selection colour of the points column.
//
// Model rows are table rows − 1 (the view's heading row is its header);
// model columns are the table's columns 0 to 14.
#pragma once

#include "QsoTable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>

#include <vector>

namespace zotra {

// The headings of columns 1 to 14 ("交信番号", "Band", …); column 0 has none.
QString QsoHeading(int column);
// Columns 1, 2 and 12 to 14 are centred, the others left-aligned.
bool QsoColumnCentred(int column);

// The colours of the standard sixteen-colour palette the window uses.
namespace colors {
inline const QColor kChanged = QColor(255, 0, 0);       // red: a changed cell
inline const QColor kRestored = QColor(0, 128, 0);      // green: a cell put back by undo
inline const QColor kSelected = QColor(0, 255, 255);    // light cyan: a selected row
inline const QColor kUnselected = QColor(255, 255, 192);  // pale yellow: a row not selected
}  // namespace colors

class QsoTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum class Mark { None, Changed, Restored };

  explicit QsoTableModel(QsoTable* table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  const QsoTable& table() const { return *table_; }
  // Table coordinates (rows from 1).
  QModelIndex IndexOf(int row, int column) const { return index(row - 1, column); }
  static int RowOf(const QModelIndex& index) { return index.row() + 1; }

  QString Cell(int row, int column) const { return table_->Cell(row, column); }
  // Changes a cell (and tells the view); a change of text marks the table modified.
  void SetCell(int row, int column, const QString& text);
  // After the table was changed directly (the multiplier arrangement): the
  // view reads columns first … last again.
  void ColumnsChanged(int first, int last);
  // True once any cell's text was changed in this run.
  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  void SetMark(int row, int column, Mark mark);
  Mark MarkOf(int row, int column) const;

  // The selection marks of the points column: every row coloured, selected
  // rows light cyan, the others pale yellow (index row − 1).
  void SetSelection(const std::vector<bool>& selected);
  // 0: no selection run yet; 1 selected; -1 not selected.
  int SelectionOf(int row) const;

 private:
  static quint64 Key(int row, int column) { return (static_cast<quint64>(row) << 8) | static_cast<quint64>(column); }
  QsoTable* table_;
  QHash<quint64, Mark> marks_;
  std::vector<signed char> selection_;
  bool modified_ = false;
};

}  // namespace zotra
