// The comment window of the JAG QSO party ("JAG QSO パーティー"): what the
// third comment line of the summary sheet says instead of the definition's.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace zotra {

class CommentWindow : public QDialog {
  Q_OBJECT
 public:
  // Opens with the choice that matches the current override.
  CommentWindow(const QString& currentOverride, bool chosenBefore, QWidget* parent = nullptr);

  int Choice() const;
  // The override "閉じる" sets: the caption of the first three choices, the
  // text for "下記文字を印刷", nothing for "文字を追加しない".
  QString Override() const;

 private:
  void Chosen(int index);
  void UpdateLabel();

  QRadioButton* option1_[5] = {};
  QLineEdit* text1_ = nullptr;
  QLabel* label1_ = nullptr;
};

}  // namespace zotra
