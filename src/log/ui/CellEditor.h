// The one-cell editor ("Text1") laid over the current cell of the QSO table,
// with the input rules of its column: the call sign in upper case, the points
// digits only and typed over, the input method free only for the operator and
// the remarks.
#pragma once

#include <QLineEdit>

namespace zotra {

class CellEditor : public QLineEdit {
  Q_OBJECT
 public:
  explicit CellEditor(QWidget* parent = nullptr);

  // The column being edited (sets the input rules).
  void SetColumn(int column);
  int Column() const { return column_; }

 signals:
  // Return or Enter: the edit is done.
  void Finished();
  // Escape: the cell takes back the text it had when it was selected.
  void Cancelled();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int column_ = 0;
};

}  // namespace zotra
