#include "CommentWindow.h"

#include "SummaryJob.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zotra {

CommentWindow::CommentWindow(const QString& currentOverride, bool chosenBefore, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("JAG QSO パーティー"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* frame = new QGroupBox(QStringLiteral("意見欄の追加文字"));
  auto* options = new QVBoxLayout(frame);
  const QStringList captions = CommentChoices();
  for (int i = 0; i < 5; ++i) {
    option1_[i] = new QRadioButton(captions.at(i));
    option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    options->addWidget(option1_[i]);
    connect(option1_[i], &QRadioButton::clicked, this, [this, i] { Chosen(i); });
    if (i == kOwnText) {
      text1_ = new QLineEdit;
      text1_->setObjectName(QStringLiteral("Text1"));
      text1_->setMinimumWidth(280);
      auto* indent = new QHBoxLayout;
      indent->addSpacing(24);
      indent->addWidget(text1_);
      options->addLayout(indent);
    }
  }
  layout->addWidget(frame);
  label1_ = new QLabel;
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
  label1_->setMinimumHeight(label1_->fontMetrics().height() + 4);
  layout->addWidget(label1_);
  auto* close = new QPushButton(QStringLiteral("閉じる"));
  close->setObjectName(QStringLiteral("Command1"));
  close->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  // Typing a text of one's own chooses to print it.
  connect(text1_, &QLineEdit::textEdited, this, [this] {
    option1_[kOwnText]->setChecked(true);
    UpdateLabel();
  });

  const int choice = CommentChoiceFor(currentOverride, chosenBefore);
  option1_[choice]->setChecked(true);
  if (choice == kOwnText) text1_->setText(currentOverride);
  UpdateLabel();
}

int CommentWindow::Choice() const {
  for (int i = 0; i < 5; ++i) {
    if (option1_[i]->isChecked()) return i;
  }
  return kNoText;
}

QString CommentWindow::Override() const { return CommentOverrideFor(Choice(), text1_->text()); }

void CommentWindow::Chosen(int index) {
  if (index != kOwnText) text1_->clear();
  UpdateLabel();
}

void CommentWindow::UpdateLabel() {
  const int choice = Choice();
  const bool replaces = choice < kOwnText || (choice == kOwnText && !text1_->text().isEmpty());
  label1_->setText(replaces ? QStringLiteral("意見欄三行目は此処のデータで置き換わります") : QString());
}

}  // namespace zotra
