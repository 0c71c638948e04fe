// The duplicate list window ("重複交信一覧", Form6): the QSOs of the duplicate
// groups, kept at the top-left corner of the screen above every window and
// shown without taking the focus, so the operator works on beside it. A QSO
// that is invalid in the table is shown struck through and grey; a click on a
// row asks for its QSO in the table.
#pragma once

#include "log/DuplicateList.h"

#include <QWidget>

class QTableView;

namespace zotra {

class DuplicateListWindow : public QWidget {
  Q_OBJECT
 public:
  // The rows found in the table (see FindInTable), which outlives the window.
  DuplicateListWindow(const QList<DuplicateListRow>& rows, const QsoTable* table, QWidget* parent = nullptr);

  QTableView* grid() { return grid_; }
  // Shows the window in its place without activating it.
  void ShowInCorner();

 signals:
  // A row was clicked: its QSO's table row.
  void QsoChosen(int row);

 private:
  QTableView* grid_ = nullptr;
};

}  // namespace zotra
