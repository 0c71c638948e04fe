#include "PositionWindow.h"

#include "common/Dialogs.h"
#include "common/Text.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zotra {
namespace {

QPushButton* NamedButton(const QString& name, const QString& caption, const QString& toolTip) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  b->setToolTip(toolTip);
  b->setAutoDefault(false);
  b->setMinimumHeight(28);
  return b;
}

QLabel* ValueLabel(const QString& name, const QString& toolTip) {
  auto* l = new QLabel;
  l->setObjectName(name);
  l->setToolTip(toolTip);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setMinimumWidth(72);
  QFont f = l->font();
  f.setPointSizeF(f.pointSizeF() * 1.3);
  l->setFont(f);
  return l;
}

}  // namespace

PositionWindow::PositionWindow(PrinterPositionTable& table, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), table_(table), dialogs_(dialogs) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("印刷位置調整"));

  label1_ = ValueLabel(QStringLiteral("Label1"), QStringLiteral("上下方向の位置修正値です"));
  label2_ = ValueLabel(QStringLiteral("Label2"), QStringLiteral("左右方向の位置修正値です"));
  label3_ = ValueLabel(QStringLiteral("Label3"), QStringLiteral("印刷拡大率 （％） です"));
  QPushButton* up = NamedButton(QStringLiteral("Command1"), QStringLiteral("↑"), QStringLiteral("印刷位置を上にずらします"));
  QPushButton* down = NamedButton(QStringLiteral("Command2"), QStringLiteral("↓"), QStringLiteral("印刷位置を下にずらします"));
  QPushButton* left = NamedButton(QStringLiteral("Command3"), QStringLiteral("←"), QStringLiteral("印刷位置を左にずらします"));
  QPushButton* right = NamedButton(QStringLiteral("Command4"), QStringLiteral("→"), QStringLiteral("印刷位置を右にずらします"));
  QPushButton* wider = NamedButton(QStringLiteral("Command5"), QStringLiteral("Up"), QStringLiteral("罫線間隔を広げます"));
  QPushButton* narrower = NamedButton(QStringLiteral("Command6"), QStringLiteral("Down"), QStringLiteral("罫線間隔を狭めます"));
  QPushButton* save = NamedButton(QStringLiteral("Command7"), QStringLiteral("保存"), QStringLiteral("設定値を保存します"));
  QPushButton* discard = NamedButton(QStringLiteral("Command8"), QStringLiteral("中止"), QStringLiteral("設定値を保存しません"));

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  const struct {
    const char16_t* caption;
    const char16_t* unit;
    QLabel* value;
    QPushButton* first;
    QPushButton* second;
  } rows[] = {
      {u"上下方向", u"mm", label1_, up, down},
      {u"左右方向", u"mm", label2_, left, right},
      {u"印刷倍率", u"", label3_, wider, narrower},
  };
  int r = 0;
  for (const auto& row : rows) {
    grid->addWidget(new QLabel(QString::fromUtf16(row.caption)), r, 0);
    grid->addWidget(row.value, r, 1);
    grid->addWidget(new QLabel(QString::fromUtf16(row.unit)), r, 2);
    grid->addWidget(row.first, r, 3);
    grid->addWidget(row.second, r, 4);
    ++r;
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(save);
  buttons->addWidget(discard);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 12, 14, 12);
  layout->setSpacing(12);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  connect(up, &QPushButton::clicked, this, [this] { MoveVertical(-1); });
  connect(down, &QPushButton::clicked, this, [this] { MoveVertical(1); });
  connect(left, &QPushButton::clicked, this, [this] { MoveHorizontal(-1); });
  connect(right, &QPushButton::clicked, this, [this] { MoveHorizontal(1); });
  connect(wider, &QPushButton::clicked, this, [this] { ChangeScale(1); });
  connect(narrower, &QPushButton::clicked, this, [this] { ChangeScale(-1); });
  connect(save, &QPushButton::clicked, this, &PositionWindow::Save);
  connect(discard, &QPushButton::clicked, this, &PositionWindow::Discard);
}

void PositionWindow::Open(const QString& printerName) {
  printer_ = printerName;
  const PrinterPosition* row = table_.Find(printerName);
  inForce_ = row ? *row : PrinterPosition{printerName, 0, 0, 1};
  vertical_ = inForce_.vertical;
  horizontal_ = inForce_.horizontal;
  scale_ = inForce_.scale;
  Show();
  exec();
}

void PositionWindow::Show() {
  label1_->setText(OffsetText(vertical_));
  label2_->setText(OffsetText(horizontal_));
  label3_->setText(ScaleText(scale_));
}

void PositionWindow::MoveVertical(int direction) {
  vertical_ = StepOffset(vertical_, direction);
  Show();
}

void PositionWindow::MoveHorizontal(int direction) {
  horizontal_ = StepOffset(horizontal_, direction);
  Show();
}

void PositionWindow::ChangeScale(int direction) {
  scale_ = StepScale(scale_, direction);
  Show();
}

void PositionWindow::Save() {
  // The values as the labels show them.
  inForce_ = PrinterPosition{printer_, Val(label2_->text()), Val(label1_->text()), Val(label3_->text())};
  accept();
}

void PositionWindow::Discard() { reject(); }

void PositionWindow::done(int result) {
  table_.Set(printer_, inForce_.horizontal, inForce_.vertical, inForce_.scale);
  if (!table_.Save()) {
    dialogs_.Tell(QStringLiteral("プリンタ設定ファイル %1 に書き込めません").arg(QDir::toNativeSeparators(table_.FilePath())),
                  {}, Icon::Critical);
  }
  QDialog::done(result);
}

}  // namespace zotra
