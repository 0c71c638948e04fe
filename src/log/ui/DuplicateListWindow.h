// The duplicate list window ("重複交信一覧", Form6): the QSOs of the duplicate
// groups, kept at the top-left corner of the screen above every window and
// shown without taking the focus, so the operator works on beside it.
#pragma once

#include "log/DuplicateList.h"

#include <QWidget>

class QTableView;

namespace zotra {

class DuplicateListWindow : public QWidget {
  Q_OBJECT
 public:
  DuplicateListWindow(const QList<DuplicateListRow>& rows, QWidget* parent = nullptr);

  QTableView* grid() { return grid_; }
  // Shows the window in its place without activating it.
  void ShowInCorner();

 private:
  QTableView* grid_ = nullptr;
};

}  // namespace zotra
