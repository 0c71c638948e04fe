#include "SmallWindows.h"

#include "InputRules.h"
#include "define/EditorModel.h"

#include "common/Text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace zotra {
namespace {

QPushButton* MakeButton(const QString& name, const QString& caption, const QString& toolTip = {}) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  if (!toolTip.isEmpty()) b->setToolTip(toolTip);
  b->setAutoDefault(false);
  return b;
}

QLabel* WrappedText(const QString& text) {
  auto* l = new QLabel(text);
  l->setWordWrap(true);
  return l;
}

// A points box: digits typed over, usable only for a band or mode taken part in.
QLineEdit* PointsBox(const QString& name, bool usable, int points) {
  auto* box = new QLineEdit;
  box->setObjectName(name);
  box->setFixedWidth(48);
  box->setAlignment(Qt::AlignRight);
  MakeDigitField(box, 4, true);
  UseFocusColour(box);
  box->setEnabled(usable);
  box->setText(usable ? QString::number(qMax(points, 0)) : QString());
  return box;
}

}  // namespace

// ---- points per band and mode -----------------------------------------------------

PointsWindow::PointsWindow(EditorSlots* editorSlots, QWidget* parent) : QDialog(parent), slots_(editorSlots) {
  setObjectName(QStringLiteral("PointsWindow"));
  setWindowTitle(QStringLiteral("バンド・モード別の配点画面"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);

  auto* hint = WrappedText(QStringLiteral("参加するバンドとモードの得点を入れてください。"
                                          "1 交信の得点は バンドの得点 × モードの得点 です。"));
  layout->addWidget(hint);

  auto* bandFrame = new QGroupBox(QStringLiteral("バンド別得点"));
  bandFrame->setObjectName(QStringLiteral("Frame1"));
  auto* bandGrid = new QGridLayout(bandFrame);
  int shown = 0;
  for (int i = 0; i < slots_->bands().size(); ++i) {
    const BandSlot& slot = slots_->bands().at(i);
    auto* label = new QLabel(slot.name + QStringLiteral(" MHz"));
    if (slot.name == QLatin1String("SAT")) label->setText(slot.name);
    label->setObjectName(QStringLiteral("Label1_%1").arg(i));
    auto* box = PointsBox(QStringLiteral("Text1_%1").arg(i), slot.taken, slot.points);
    connect(box, &QLineEdit::textChanged, this, [this, i, box](const QString& text) {
      slots_->bands()[i].points = box->isEnabled() ? ValInt(text) : -1;
    });
    const bool named = !slot.name.isEmpty();
    label->setVisible(named);
    box->setVisible(named);
    const int row = shown % 10, column = (shown / 10) * 2;
    bandGrid->addWidget(label, row, column, Qt::AlignRight);
    bandGrid->addWidget(box, row, column + 1);
    if (named) ++shown;
  }
  bandGrid->setColumnMinimumWidth(2, 70);

  auto* modeFrame = new QGroupBox(QStringLiteral("モード別得点"));
  modeFrame->setObjectName(QStringLiteral("Frame2"));
  auto* modeGrid = new QGridLayout(modeFrame);
  for (int i = 0; i < slots_->modes().size(); ++i) {
    const ModeSlot& slot = slots_->modes().at(i);
    auto* label = new QLabel(slot.name);
    label->setObjectName(QStringLiteral("Label2_%1").arg(i));
    auto* box = PointsBox(QStringLiteral("Text2_%1").arg(i), slot.used, slot.points);
    connect(box, &QLineEdit::textChanged, this, [this, i, box](const QString& text) {
      slots_->modes()[i].points = box->isEnabled() ? ValInt(text) : 0;
    });
    label->setVisible(!slot.name.isEmpty());
    box->setVisible(!slot.name.isEmpty());
    modeGrid->addWidget(label, i, 0, Qt::AlignRight);
    modeGrid->addWidget(box, i, 1);
  }
  modeGrid->setRowStretch(kEditorModeSlots, 1);

  auto* frames = new QHBoxLayout;
  frames->addWidget(bandFrame, 2);
  frames->addWidget(modeFrame, 1);
  layout->addLayout(frames);

  auto* close = MakeButton(QStringLiteral("Command1"), QStringLiteral("閉じる"), QStringLiteral("この画面を閉じます"));
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);
}

// ---- operating-day multiplier on several bands ---------------------------------------

DateMultiplierWarning::DateMultiplierWarning(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DateWarning"));
  setWindowTitle(QStringLiteral("日数マルチの確認"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* first = WrappedText(QStringLiteral(
      "マルチバンドで日数マルチが指定されました、このまま処理を続けると、サマリーシートの日数マルチは各バンドごとの QRV "
      "日数の和になってしまいます。"));
  first->setObjectName(QStringLiteral("Label1"));
  auto* second = WrappedText(QStringLiteral(
      "通常日数マルチが設定されるコンテストの場合は日数マルチは、全バンドを通しての QRV "
      "日数となります、その場合は日数マルチをマルチプライヤーの項目で指定するのでは無く、サマリーシートの局種係数で指定する事を"
      "強くお勧めします。"));
  second->setObjectName(QStringLiteral("Label2"));
  QFont bold = first->font();
  bold.setBold(true);
  first->setFont(bold);
  layout->addWidget(first);
  layout->addSpacing(6);
  layout->addWidget(second);

  auto* back = MakeButton(QStringLiteral("Command1"), QStringLiteral("戻る"), QStringLiteral("再度コンテストの設定を行います"));
  auto* force = MakeButton(QStringLiteral("Command2"), QStringLiteral("設定強行"), QStringLiteral("に数マルチの設定はそのままです"));
  back->setDefault(true);
  connect(back, &QPushButton::clicked, this, &QDialog::reject);
  connect(force, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(back);
  buttons->addWidget(force);
  layout->addLayout(buttons);
  setFixedWidth(460);
}

// ---- JARL electronic-log form ---------------------------------------------------------

JarlFormatNotice::JarlFormatNotice(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("JarlFormatNotice"));
  setWindowTitle(QStringLiteral("JARL 電子ログ形式の選択"));
  // It stays beside the main window without taking the focus from the field
  // being typed in.
  setModal(false);
  setAttribute(Qt::WA_ShowWithoutActivating);
  auto* layout = new QVBoxLayout(this);

  check_ = new QCheckBox(QStringLiteral("JARL 形式の電子ログを作成する"));
  check_->setObjectName(QStringLiteral("Check1"));
  r1_ = new QRadioButton(QStringLiteral("R 1.0 形式"));
  r1_->setObjectName(QStringLiteral("Option1_1"));
  r2_ = new QRadioButton(QStringLiteral("R 2.1 形式"));
  r2_->setObjectName(QStringLiteral("Option1_2"));
  auto* group = new QButtonGroup(this);
  group->addButton(r1_);
  group->addButton(r2_);
  auto* choice = new QHBoxLayout;
  choice->addWidget(check_);
  choice->addSpacing(16);
  choice->addWidget(r1_);
  choice->addWidget(r2_);
  choice->addStretch();
  layout->addLayout(choice);

  auto* text = WrappedText(QStringLiteral(
      "現在 JARL 形式の電子ログファイルを作成する設定になっていますが、JARL 形式の電子ログには R1 形式と R2 形式があります。"
      " JARL 本部主催のコンテストの電子ログ形式は R2 形式です、JARL 地方本部やその他の主催コンテストの場合は "
      "ファイル形式の確認をお願いします"));
  text->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(text);
  auto* closing = new QLabel(QStringLiteral("この画面は自動的に閉じます"));
  closing->setObjectName(QStringLiteral("Label2"));
  countdown_ = new QLabel;
  countdown_->setObjectName(QStringLiteral("Label3"));
  auto* close = MakeButton(QStringLiteral("Command1"), QStringLiteral("閉じる"), QStringLiteral("この画面を閉じます"));
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(closing);
  bottom->addSpacing(12);
  bottom->addWidget(countdown_);
  bottom->addStretch();
  bottom->addWidget(close);
  layout->addLayout(bottom);
  setFixedWidth(480);

  connect(check_, &QCheckBox::toggled, this, [this](bool on) {
    r1_->setEnabled(on);
    r2_->setEnabled(on);
    emit JarlLogChanged(on);
  });
  connect(r1_, &QRadioButton::toggled, this, [this](bool on) { emit FormChanged(on); });

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, &JarlFormatNotice::Tick);
  ShowRemaining();
}

void JarlFormatNotice::Show(bool jarlLog, bool formR1) {
  {
    const QSignalBlocker b1(check_), b2(r1_), b3(r2_);
    check_->setChecked(jarlLog);
    r1_->setChecked(formR1);
    r2_->setChecked(!formR1);
    r1_->setEnabled(jarlLog);
    r2_->setEnabled(jarlLog);
  }
  Restart();
  show();
  raise();
}

void JarlFormatNotice::SetJarlLog(bool on) {
  const QSignalBlocker block(check_);
  check_->setChecked(on);
  r1_->setEnabled(on);
  r2_->setEnabled(on);
}

void JarlFormatNotice::Restart() {
  remaining_ = kSeconds;
  ShowRemaining();
  timer_->start();
}

void JarlFormatNotice::Tick() {
  --remaining_;
  if (remaining_ < 0) {
    timer_->stop();
    close();
    return;
  }
  ShowRemaining();
}

void JarlFormatNotice::hideEvent(QHideEvent* event) {
  timer_->stop();
  QDialog::hideEvent(event);
}

void JarlFormatNotice::ShowRemaining() {
  countdown_->setText(QStringLiteral("この画面が閉じられるまで ") + QString::number(remaining_) + QStringLiteral(" 秒"));
}

QPoint NoticePosition(const QRect& window, const QSize& notice, const QRect& screen, const QRect& field) {
  constexpr int kGap = 8;
  const int w = notice.width(), h = notice.height();
  const int x = qBound(screen.left(), window.left(), qMax(screen.left(), screen.right() + 1 - w));
  const int y = qBound(screen.top(), window.top(), qMax(screen.top(), screen.bottom() + 1 - h));
  const QPoint beside[] = {{window.right() + 1 + kGap, y}, {window.left() - kGap - w, y},
                           {x, window.bottom() + 1 + kGap}, {x, window.top() - kGap - h}};
  for (const QPoint& p : beside) {
    if (screen.contains(QRect(p, notice))) return p;
  }
  const QPoint corners[] = {{screen.right() + 1 - w, screen.bottom() + 1 - h}, {screen.right() + 1 - w, screen.top()},
                            {screen.left(), screen.bottom() + 1 - h}, {screen.left(), screen.top()}};
  for (const QPoint& p : corners) {
    if (!QRect(p, notice).intersects(field)) return p;
  }
  return corners[0];
}

}  // namespace zotra
