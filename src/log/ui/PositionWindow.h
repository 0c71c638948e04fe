// The position adjustment window ("印刷位置調整", Form4): the vertical and
// horizontal offsets of the current printer in steps of 0.1 mm within −10 … 10,
// and its scale in steps of 0.01 within 0.9 … 1.1. Saving takes the shown
// values; either way, closing the window sets the printer's row from the
// values in force and writes the whole table back to its file.
#pragma once

#include "log/PrinterPositions.h"

#include <QDialog>

class QLabel;

namespace zotra {

class Dialogs;

class PositionWindow : public QDialog {
  Q_OBJECT
 public:
  PositionWindow(PrinterPositionTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the values of a printer (0, 0, 1 when it has no row) and runs the
  // window modally.
  void Open(const QString& printerName);

  // The shown values.
  double Vertical() const { return vertical_; }
  double Horizontal() const { return horizontal_; }
  double Scale() const { return scale_; }

  // The buttons, also for tests: ↑ −1 / ↓ +1, ← −1 / → +1, Up +1 / Down −1.
  void MoveVertical(int direction);
  void MoveHorizontal(int direction);
  void ChangeScale(int direction);
  void Save();    // "設定値を保存します"
  void Discard(); // "設定値を保存しません"

 protected:
  void done(int result) override;

 private:
  void Show();

  PrinterPositionTable& table_;
  Dialogs& dialogs_;
  QString printer_;
  double vertical_ = 0, horizontal_ = 0, scale_ = 1;
  PrinterPosition inForce_;
  QLabel* label1_ = nullptr;  // vertical
  QLabel* label2_ = nullptr;  // horizontal
  QLabel* label3_ = nullptr;  // scale
};

}  // namespace zotra
