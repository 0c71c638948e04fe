#include "TotalsWindow.h"

#include "Calculator.h"
#include "DefinitionEntries.h"
#include "SummaryOutputs.h"
#include "SummaryWindow.h"
#include "WindowParts.h"
#include "common/Dialogs.h"
#include "common/Files.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zotra {
namespace {

// Column widths of the grid, in twips.
constexpr int kColumnTwips[TotalsGrid::kColumns] = {1000, 800, 800, 800, 800, 800};

// A box that takes digits only: every other character is dropped, and each
// digit overwrites the character at the caret (typing over "0" replaces it).
// Backspace, Delete and the keys that move the caret work as usual.
class DigitBox : public QLineEdit {
 public:
  DigitBox() {
    // Pasted or dropped text keeps its digits only.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
      QString digits;
      for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) digits.append(c);
      }
      if (digits == text) return;
      const int caret = cursorPosition() - int(text.size() - digits.size());
      setText(digits);
      setCursorPosition(qMax(0, caret));
    });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0) >= QLatin1Char('0') && typed.at(0) <= QLatin1Char('9')) {
      if (!isReadOnly() && !hasSelectedText() && cursorPosition() < text().size()) {
        setSelection(cursorPosition(), 1);
      }
      QLineEdit::keyPressEvent(event);
      return;
    }
    switch (event->key()) {
      case Qt::Key_Backspace:
      case Qt::Key_Delete:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        QLineEdit::keyPressEvent(event);
        return;
      default:
        break;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    event->accept();  // any other key is discarded
  }
};

}  // namespace

TotalsWindow::TotalsWindow(Frame& frame, Dialogs& dialogs, QWidget* parent)
    : ProgramWindow(frame, QStringLiteral("得点集計・修正  Ver "), parent), dialogs_(dialogs) {
  AddHelpMenu(dialogs_);
  BuildControls();
  ShowGrid();
  // The summary-sheet window is loaded now and shown by "印刷".
  summary_ = std::make_unique<SummaryWindow>(frame, dialogs, [this] { return Snapshot(); });
  connect(summary_.get(), &SummaryWindow::Left, this, &TotalsWindow::SummaryWindowLeft);
}

TotalsWindow::~TotalsWindow() = default;

void TotalsWindow::BuildControls() {
  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(12, 10, 12, 12);
  layout->setSpacing(12);

  grid1_ = new QTableWidget(TotalsGrid::kRows, TotalsGrid::kColumns);
  grid1_->setObjectName(QStringLiteral("Grid1"));
  grid1_->horizontalHeader()->hide();
  grid1_->verticalHeader()->hide();
  grid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid1_->setSelectionMode(QAbstractItemView::NoSelection);
  grid1_->setFocusPolicy(Qt::NoFocus);
  grid1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const double pixelsPerTwip = logicalDpiX() / 1440.0;
  int width = 0;
  for (int c = 0; c < TotalsGrid::kColumns; ++c) {
    const int w = qRound((kColumnTwips[c] + 17) * pixelsPerTwip);
    grid1_->setColumnWidth(c, w);
    width += w;
  }
  const int rowHeight = qMax(qRound(246 * pixelsPerTwip), grid1_->fontMetrics().height() + 6);
  for (int r = 0; r < TotalsGrid::kRows; ++r) grid1_->setRowHeight(r, rowHeight);
  // Room for every cell, so that no scroll bar appears.
  grid1_->setFixedSize(width + 2 * grid1_->frameWidth(), rowHeight * TotalsGrid::kRows + 2 * grid1_->frameWidth());
  auto* gridLayout = new QVBoxLayout;
  gridLayout->addWidget(grid1_);
  layout->addWidget(GroupFrame(QStringLiteral("交信結果"), gridLayout));

  auto* side = new QVBoxLayout;
  side->setSpacing(10);
  const QStringList captions = {QStringLiteral("マルチは加算"), QStringLiteral("マルチは積算"),
                                QStringLiteral("得点手計算")};
  const QStringList tips = {QStringLiteral("総得点=得点の和*(マルチ1+マルチ2+マルチ3）"),
                            QStringLiteral("総得点=得点の和*マルチ1*マルチ2*マルチ3"),
                            QStringLiteral("得点は手計算で入力")};
  auto* options = new QVBoxLayout;
  for (int i = 0; i < 3; ++i) {
    option1_[i] = new QRadioButton(captions.at(i));
    option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    option1_[i]->setToolTip(tips.at(i));
    options->addWidget(option1_[i]);
    connect(option1_[i], &QRadioButton::clicked, this, [this] { ScoreForMode(false); });
  }
  option1_[0]->setChecked(true);
  side->addWidget(GroupFrame(QString(), options));

  text1_ = new DigitBox;
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setToolTip(QStringLiteral("局種係数(変更可能）"));
  text1_->setAlignment(Qt::AlignRight);
  text1_->setMaxLength(9);
  auto* coefficient = new QVBoxLayout;
  coefficient->addWidget(text1_);
  side->addWidget(GroupFrame(QStringLiteral("係数"), coefficient));
  connect(text1_, &QLineEdit::textChanged, this, [this] {
    if (started_) ScoreForMode(true);
  });

  text2_ = new DigitBox;
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->setToolTip(QStringLiteral("得点(変更可能です）"));
  text2_->setAlignment(Qt::AlignRight);
  text2_->setMaxLength(19);
  text2_->setReadOnly(true);
  QFont scoreFont = text2_->font();
  scoreFont.setPointSizeF(scoreFont.pointSizeF() * 1.6);
  scoreFont.setBold(true);
  text2_->setFont(scoreFont);
  auto* score = new QVBoxLayout;
  score->addWidget(text2_);
  side->addWidget(GroupFrame(QStringLiteral("総得点"), score));

  command3_ = NamedButton(QStringLiteral("Command3"), QStringLiteral("再計算"), QStringLiteral("得点の再計算をします"));
  command4_ = NamedButton(QStringLiteral("Command4"), QStringLiteral("電卓起動"));
  command1_ = NamedButton(QStringLiteral("Command1"), QStringLiteral("印刷"),
                     QStringLiteral("サマリーシートの印刷画面を表示します"));
  command2_ = NamedButton(QStringLiteral("Command2"), QStringLiteral("閉じる"));
  auto* buttons = new QGridLayout;
  buttons->addWidget(command3_, 0, 0);
  buttons->addWidget(command4_, 0, 1);
  buttons->addWidget(command1_, 1, 0);
  buttons->addWidget(command2_, 1, 1);
  side->addStretch(1);
  side->addLayout(buttons);
  layout->addLayout(side);
  setCentralWidget(central);

  connect(command3_, &QPushButton::clicked, this, [this] { ScoreForMode(false); });
  connect(command4_, &QPushButton::clicked, this, &TotalsWindow::StartCalculator);
  connect(command1_, &QPushButton::clicked, this, &TotalsWindow::OpenSummaryWindow);
  connect(command2_, &QPushButton::clicked, this, &TotalsWindow::ReturnToMenu);
}

void TotalsWindow::ShowGrid() {
  QFont bold = grid1_->font();
  bold.setBold(true);
  for (int r = 0; r < TotalsGrid::kRows; ++r) {
    for (int c = 0; c < TotalsGrid::kColumns; ++c) {
      auto* item = new QTableWidgetItem(grid_.Cell(r, c));
      const bool caption = r == 0 || c == 0;
      item->setTextAlignment(caption ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
      if (caption) item->setBackground(palette().button());
      if (r == TotalsGrid::kTotalRow) item->setFont(bold);
      grid1_->setItem(r, c, item);
    }
  }
}

void TotalsWindow::Start() {
  const QString definitionPath = frame().LocateDefinitionFile();
  const TotalsLoad load = LoadTotals(frame().Folder(), definitionPath, dialogs_);
  grid_ = load.grid;
  ShowGrid();
  text1_->setText(load.coefficient);
  started_ = true;
  ScoreForMode(false);

  // The station folder, where the text summary is written.
  EnsureStationFolder(frame().Folder(), DefinitionEntries::FromFile(definitionPath));

  calculator_ = FindCalculator();
  command4_->setEnabled(!calculator_.isEmpty());
  if (calculator_.isEmpty()) command4_->setToolTip(QStringLiteral("電卓が見つかりません"));
}

ScoreMode TotalsWindow::Mode() const {
  if (option1_[2]->isChecked()) return ScoreMode::Manual;
  return option1_[1]->isChecked() ? ScoreMode::Multiplicative : ScoreMode::Additive;
}

void TotalsWindow::Recompute() { ScoreForMode(false); }

void TotalsWindow::ScoreForMode(bool coefficientChanged) {
  if (Mode() == ScoreMode::Manual) {
    // A new coefficient leaves a score typed by hand as it is.
    if (coefficientChanged) return;
    text2_->setReadOnly(false);
    text2_->setText(QStringLiteral("0"));
    text2_->setFocus();
    text2_->setCursorPosition(0);
    return;
  }
  text2_->setReadOnly(true);
  const std::optional<FixedDecimal> score = ComputeScore(grid_, Mode(), text1_->text());
  if (!score) {
    text2_->clear();
    dialogs_.Tell(ScoreOverflowMessage());
    return;
  }
  text2_->setText(ScoreText(*score));
}

TotalsSnapshot TotalsWindow::Snapshot() const { return {grid_, text1_->text(), text2_->text()}; }

void TotalsWindow::OpenSummaryWindow() {
  setEnabled(false);
  summary_->Open();
}

void TotalsWindow::SummaryWindowLeft() {
  setEnabled(true);
  raise();
  activateWindow();
}

void TotalsWindow::StartCalculator() {
  if (calculator_.isEmpty()) return;
  if (!StartDetached(calculator_, {}, frame().Folder())) {
    dialogs_.Tell(calculator_ + QStringLiteral(" を起動できません"));
  }
}

void TotalsWindow::Closing() {
  setEnabled(false);
  summary_->SaveSettings();
}

}  // namespace zotra
