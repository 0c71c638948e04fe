// The data selection window ("データ抽出設定", Form5): a search text in the
// received exchange or in the call sign, or the shape of the worked call sign.
#pragma once

#include "log/DataSelection.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QRadioButton;

namespace zotra {

class Dialogs;
class QsoTable;

class DataSelectionWindow : public QDialog {
  Q_OBJECT
 public:
  // apply: marks the rows, shows the first in the column searched and tells
  // the count.
  using Apply = std::function<void(const std::vector<bool>& selected, int column)>;
  DataSelectionWindow(const QsoTable& table, Dialogs& dialogs, Apply apply, QWidget* parent = nullptr);

  // "実行": runs the selection and hides the window; a string search without
  // text only tells so and leaves the window open.
  void Run();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RuleChosen();
  SelectionRule Rule() const;

  const QsoTable& table_;
  Dialogs& dialogs_;
  Apply apply_;
  QRadioButton* text_ = nullptr;      // Option1
  QRadioButton* triple_ = nullptr;    // Option2
  QRadioButton* sandwich_ = nullptr;  // Option3
  QRadioButton* twoLetter_ = nullptr; // Option4
  QLineEdit* search_ = nullptr;       // Text1
  QRadioButton* inReceived_ = nullptr;  // the text searched in the received exchange
  QRadioButton* inCall_ = nullptr;      // or in the call sign
};

}  // namespace zotra
