#include "SubmissionWindow.h"

#include "DefinitionEntries.h"
#include "ElectronicLogCheck.h"
#include "PointsFile.h"
#include "WindowParts.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zotra {
namespace {

const QString kTestCaption = QStringLiteral("テスト送信");
const QString kTestTip =
    QStringLiteral("ここへ送信すると、電子ログが正しく作成されているかどうかのチェックができます。");
const QString kTypedCaption = QStringLiteral("指定送信先");

const QString kHelpText = QStringLiteral(
    "「Mailer の起動」で、送信先と Subject を記入した新しいメールが開きます。\n"
    "メールの本文に提出書類は記入されません。\n"
    "コンテストログとサマリーシートはクリップボードにコピーされていますので、"
    "本文の欄でマウスの右ボタンをクリックし、「貼り付け」で貼り付けてください。");

QRadioButton* OptionButton(const QString& name, const QString& caption) {
  auto* b = new QRadioButton(caption);
  b->setObjectName(name);
  return b;
}

// The cursor of the mailer's start, given back however it ends.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

SubmissionWindow::SubmissionWindow(const Frame& frame, Dialogs& dialogs, const OutputResult& outputs, QDate today,
                                   QWidget* parent)
    : QDialog(parent), frame_(frame), dialogs_(dialogs), outputs_(outputs), today_(today) {
  setWindowTitle(QStringLiteral("電子ログの送信"));
  setModal(true);
  BuildControls();

  const DefinitionEntries definition = DefinitionEntries::FromFile(frame_.LocateDefinitionFile());
  callSign_ = definition.Value(QStringLiteral("MYCALL"));
  // A month edited by hand ("6") is the file's "06".
  const QString startMonth = PadLeft(TrimBlanks(definition.Value(QStringLiteral("開始"), 2)), 2, QLatin1Char('0'));
  const QString settingsPath = frame_.Path(kMailSettingsFileName);
  QStringList lines;
  if (!ReadLines(settingsPath, &lines)) {
    dialogs_.Tell(QStringLiteral("E-Mail 設定ファイルが見当たりません\n") + QDir::toNativeSeparators(settingsPath));
  }
  destinations_ = ParseDestinations(lines, today_.toString(QStringLiteral("MM")), startMonth);
  LoadDestinations();

  const SubmissionFormats formats = ReadSubmissionFormats(definition);
  option2_[0]->setEnabled(formats.jarl);
  option2_[1]->setEnabled(formats.vq);
  command2_->setEnabled(formats.jarl || formats.vq);

  ChooseDestination(kTestDestination);
  text2_->setText(callSign_);
  label2_->setText(ElectronicLogVersionText(outputs_.electronicLogVersion));
}

SubmissionWindow::~SubmissionWindow() {
  // Closing the window takes the focus from the address box; that is no
  // leaving of the operator's, and the window, half gone by then, must not
  // answer it.
  disconnect(text1_, nullptr, this, nullptr);
}

void SubmissionWindow::BuildControls() {
  auto* destinations = new QVBoxLayout;
  auto* group1 = new QButtonGroup(this);
  for (int i = 0; i <= kTypedDestination; ++i) {
    option1_[i] = OptionButton(QStringLiteral("Option1_%1").arg(i), QString());
    group1->addButton(option1_[i], i);
    destinations->addWidget(option1_[i]);
    connect(option1_[i], &QRadioButton::clicked, this, [this, i] { DestinationChosen(i); });
  }
  destinations->addStretch(1);

  text1_ = new QLineEdit;
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setToolTip(QStringLiteral("ここへコンテストログの送信先を入力することも出来ます"));
  text1_->setMinimumWidth(260);
  auto* typed = new QVBoxLayout;
  typed->addWidget(text1_);
  text2_ = new QLineEdit;
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->setToolTip(QStringLiteral("特殊な Subjectを要求された時に変更します"));
  auto* subject = new QVBoxLayout;
  subject->addWidget(text2_);

  auto* group2 = new QButtonGroup(this);
  option2_[0] = OptionButton(QStringLiteral("Option2_0"), QStringLiteral("JARL 形式 "));
  option2_[1] = OptionButton(QStringLiteral("Option2_1"), QStringLiteral("VQ 形式"));
  label2_ = new QLabel;
  label2_->setObjectName(QStringLiteral("Label2"));
  auto* formats = new QGridLayout;
  formats->addWidget(option2_[0], 0, 0);
  formats->addWidget(label2_, 0, 1);
  formats->addWidget(option2_[1], 1, 0);
  formats->setColumnStretch(2, 1);
  for (int i = 0; i < 2; ++i) {
    group2->addButton(option2_[i], i);
    connect(option2_[i], &QRadioButton::clicked, this, [this, i] { FormatChosen(i); });
  }

  auto* right = new QVBoxLayout;
  right->addWidget(GroupFrame(kTypedCaption, typed));
  right->addWidget(GroupFrame(QStringLiteral("Subject"), subject));
  right->addWidget(GroupFrame(QStringLiteral("送信ファイル形式"), formats));
  right->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addWidget(GroupFrame(QStringLiteral("送信先"), destinations));
  top->addLayout(right, 1);

  label1_ = new QLabel(kHelpText);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setWordWrap(true);

  command2_ = NamedButton(QStringLiteral("Command2"), QStringLiteral("Mailer の起動"));
  command1_ = NamedButton(QStringLiteral("Command1"), QStringLiteral("閉じる"));
  // Enter in the address box only leaves it; it never starts the mailer.
  command2_->setAutoDefault(false);
  command1_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(command2_);
  buttons->addWidget(command1_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 12);
  layout->setSpacing(10);
  layout->addLayout(top);
  layout->addWidget(label1_);
  layout->addLayout(buttons);

  connect(text1_, &QLineEdit::editingFinished, this, &SubmissionWindow::TypedAddressLeft);
  connect(command2_, &QPushButton::clicked, this, &SubmissionWindow::StartMailer);
  connect(command1_, &QPushButton::clicked, this, &QDialog::reject);
  setMinimumWidth(560);
}

void SubmissionWindow::LoadDestinations() {
  for (int i = 0; i <= kLastListedDestination; ++i) {
    QRadioButton* option = option1_[i];
    if (i < destinations_.size()) {
      const Destination& d = destinations_.at(i);
      option->setText(d.caption);
      option->setEnabled(d.enabled);
      option->setToolTip(d.tipIsAddress ? d.address : QString());
    } else {
      // Without a line the contest options are not there; the test option
      // stays, without an address.
      option->setEnabled(i == kTestDestination);
      option->setVisible(i == kTestDestination);
    }
  }
  if (option1_[kTestDestination]->text().isEmpty()) option1_[kTestDestination]->setText(kTestCaption);
  if (option1_[kTestDestination]->toolTip().isEmpty()) option1_[kTestDestination]->setToolTip(kTestTip);
  option1_[kTypedDestination]->setText(kTypedCaption);
  option1_[kTypedDestination]->setEnabled(false);
}

void SubmissionWindow::ChooseDestination(int index) {
  option1_[index]->setChecked(true);
  DestinationChosen(index);
}

void SubmissionWindow::DestinationChosen(int index) {
  if (index == kTypedDestination) {
    text2_->setEnabled(true);  // a special subject can be typed
    return;
  }
  if (option2_[0]->isEnabled()) ChooseFormat(0);
  text2_->setEnabled(false);
  text2_->setText(callSign_);
  text1_->clear();
  option1_[kTypedDestination]->setEnabled(false);
}

void SubmissionWindow::TypedAddressLeft() {
  if (IsUsableAddress(text1_->text())) {
    option1_[kTypedDestination]->setEnabled(true);
    return;
  }
  const bool wasChosen = option1_[kTypedDestination]->isChecked();
  option1_[kTypedDestination]->setEnabled(false);
  if (wasChosen) ChooseDestination(kTestDestination);
}

void SubmissionWindow::ChooseFormat(int index) {
  option2_[index]->setChecked(true);
  FormatChosen(index);
}

void SubmissionWindow::FormatChosen(int index) {
  if (index == 1) {
    if (option1_[kTypedDestination]->isEnabled()) {
      ChooseDestination(kTypedDestination);
    } else {
      text1_->setFocus();
    }
  }
  label2_->setEnabled(option2_[0]->isChecked());
}

int SubmissionWindow::ChosenDestination() const {
  for (int i = 0; i <= kTypedDestination; ++i) {
    if (option1_[i]->isChecked()) return i;
  }
  return kTestDestination;
}

QString SubmissionWindow::DestinationAddress(int index) const {
  if (index == kTypedDestination) return text1_->text();
  return index < destinations_.size() ? destinations_.at(index).address : QString();
}

void SubmissionWindow::StartMailer() {
  const bool typedChosen = option1_[kTypedDestination]->isChecked();
  if (!text1_->text().isEmpty() && !typedChosen) {
    dialogs_.Tell(QStringLiteral("送信先が指定されている場合\n指定送信先 がチェックされている必要があります"));
    return;
  }
  if (typedChosen && text1_->text().isEmpty()) {
    dialogs_.Tell(QStringLiteral("送信先が指定されていません"));
    return;
  }
  QString path;
  if (option2_[0]->isChecked()) {
    path = outputs_.electronicLogPath;
    if (option1_[kTestDestination]->isChecked()) {
      const Button answer = dialogs_.Ask(QStringLiteral("送信先として指定されているのは\nテスト送信用のアドレスです"),
                                         Buttons::OkCancel, {}, Icon::Question, Button::Cancel);
      if (answer != Button::Ok) return;
    }
  } else if (option2_[1]->isChecked()) {
    path = outputs_.textSummaryPath;
  } else {
    dialogs_.Tell(QStringLiteral("送信するファイル形式が指定されていません"));
    return;
  }
  // A file the print job did not write, or that is gone since.
  if (path.isEmpty() || !FileExists(path)) {
    dialogs_.Tell(QStringLiteral("送信するファイルが見つかりません") +
                  (path.isEmpty() ? QString() : QStringLiteral("\n") + QDir::toNativeSeparators(path)));
    return;
  }
  const QString address = DestinationAddress(ChosenDestination());
  if (address.isEmpty()) {
    dialogs_.Tell(QStringLiteral("送信先が指定されていません"));
    return;
  }
  // Nothing half done goes out unasked: bands the log program did not finish,
  // then what the strict reader finds in the electronic log; No by default.
  auto goOn = [this](const QString& question) {
    return dialogs_.Ask(question, Buttons::YesNo, {}, Icon::Warning, Button::No) == Button::Yes;
  };
  const QStringList unfinished = UnprocessedBands(frame_.Folder());
  if (!unfinished.isEmpty() && !goOn(UnprocessedBandsQuestion(unfinished, QStringLiteral("送信")))) return;
  if (option2_[0]->isChecked()) {
    const QStringList faults =
        ReadBackElectronicLog(frame_.Folder(), path, outputs_.electronicLogVersion,
                              DefinitionEntries::FromFile(frame_.LocateDefinitionFile()));
    if (!faults.isEmpty() &&
        !goOn(ElectronicLogFaultLines(path, faults).join(QLatin1Char('\n')) + QStringLiteral("\n\nこのまま送信しますか？"))) {
      return;
    }
  }

  WaitCursor wait;
  command2_->setEnabled(false);
  QString text;
  if (!ClipboardText(path, &text)) {
    dialogs_.Tell(QDir::toNativeSeparators(path) + QStringLiteral(" を読めません"));
  } else {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    if (!OpenMailLink(MailLink(address, text2_->text(), MailText()), frame_.Folder())) {
      dialogs_.Tell(QStringLiteral("メールソフトを起動できません"));
    }
  }
  command2_->setEnabled(true);
}

}  // namespace zotra
