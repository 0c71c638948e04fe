#include "DataSelectionWindow.h"

#include "common/Dialogs.h"
#include "log/QsoTable.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zotra {

DataSelectionWindow::DataSelectionWindow(const QsoTable& table, Dialogs& dialogs, Apply apply, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs), apply_(std::move(apply)) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("データ抽出設定"));

  auto* frame = new QGroupBox(QStringLiteral("指定データの抽出"), this);
  text_ = new QRadioButton(QStringLiteral("文字列"), frame);
  text_->setObjectName(QStringLiteral("Option1"));
  text_->setToolTip(QStringLiteral("受信コンテストナンバーから指定された文字列を検索します"));
  auto* textFrame = new QGroupBox(QStringLiteral("指定文字列"), frame);
  search_ = new QLineEdit(textFrame);
  search_->setObjectName(QStringLiteral("Text1"));
  search_->setToolTip(QStringLiteral("検索する文字列を指定します"));
  search_->installEventFilter(this);
  inReceived_ = new QRadioButton(QStringLiteral("受信ナンバー"), textFrame);
  inReceived_->setObjectName(QStringLiteral("OptionReceived"));
  inReceived_->setToolTip(QStringLiteral("受信コンテストナンバーから検索します"));
  inCall_ = new QRadioButton(QStringLiteral("コールサイン"), textFrame);
  inCall_->setObjectName(QStringLiteral("OptionCall"));
  inCall_->setToolTip(QStringLiteral("交信相手のコールサインから検索します"));
  auto* where = new QButtonGroup(this);
  where->addButton(inReceived_);
  where->addButton(inCall_);
  inReceived_->setChecked(true);
  triple_ = new QRadioButton(QStringLiteral("トリプルコール"), frame);
  triple_->setObjectName(QStringLiteral("Option2"));
  triple_->setToolTip(QStringLiteral("交信相手からトリプルコールを探します"));
  sandwich_ = new QRadioButton(QStringLiteral("サンドイッチコール"), frame);
  sandwich_->setObjectName(QStringLiteral("Option3"));
  sandwich_->setToolTip(QStringLiteral("交信相手からサンドイッチコールを探します"));
  twoLetter_ = new QRadioButton(QStringLiteral("二文字コール"), frame);
  twoLetter_->setObjectName(QStringLiteral("Option4"));
  twoLetter_->setToolTip(QStringLiteral("交信相手から二文字コールを探します"));

  auto* textLayout = new QVBoxLayout(textFrame);
  textLayout->addWidget(search_);
  auto* whereLayout = new QHBoxLayout;
  whereLayout->addWidget(inReceived_);
  whereLayout->addWidget(inCall_);
  whereLayout->addStretch();
  textLayout->addLayout(whereLayout);
  auto* frameLayout = new QVBoxLayout(frame);
  frameLayout->addWidget(text_);
  frameLayout->addWidget(textFrame);
  frameLayout->addWidget(triple_);
  frameLayout->addWidget(sandwich_);
  frameLayout->addWidget(twoLetter_);

  auto* run = new QPushButton(QStringLiteral("実行"), this);
  run->setObjectName(QStringLiteral("Command1"));
  run->setToolTip(QStringLiteral("検索を実行します"));
  run->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("中止"), this);
  cancel->setObjectName(QStringLiteral("Command2"));
  cancel->setToolTip(QStringLiteral("この画面を閉じます"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(run);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(buttons);

  for (QRadioButton* b : {text_, triple_, sandwich_, twoLetter_}) {
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) RuleChosen();
    });
  }
  connect(run, &QPushButton::clicked, this, &DataSelectionWindow::Run);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  text_->setChecked(true);
}

SelectionRule DataSelectionWindow::Rule() const {
  if (triple_->isChecked()) return SelectionRule::Triple;
  if (sandwich_->isChecked()) return SelectionRule::Sandwich;
  if (twoLetter_->isChecked()) return SelectionRule::TwoLetter;
  return inCall_->isChecked() ? SelectionRule::CallText : SelectionRule::Text;
}

void DataSelectionWindow::RuleChosen() {
  const bool text = text_->isChecked();
  inReceived_->setEnabled(text);
  inCall_->setEnabled(text);
  if (text) {
    search_->setEnabled(true);
    search_->setFocus();
  } else {
    search_->clear();
    search_->setEnabled(false);
  }
}

bool DataSelectionWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == search_ && event->type() == QEvent::FocusOut) search_->setText(search_->text().toUpper());
  return QDialog::eventFilter(watched, event);
}

void DataSelectionWindow::Run() {
  const SelectionRule rule = Rule();
  QString text;
  if (rule == SelectionRule::Text || rule == SelectionRule::CallText) {
    text = SearchText(search_->text());
    if (text.isEmpty()) {
      dialogs_.Tell(QStringLiteral("文字列検索が選択されましたが\n検索文字列が設定されていません"));
      return;
    }
  }
  const std::vector<bool> selected = SelectRows(table_, rule, text);
  accept();
  apply_(selected, SelectionColumn(rule));
}

}  // namespace zotra
