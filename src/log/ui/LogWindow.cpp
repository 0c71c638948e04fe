#include "LogWindow.h"

#include "CellEditor.h"
#include "DataSelectionWindow.h"
#include "DuplicateListWindow.h"
#include "PrintEntry.h"
#include "common/Files.h"
#include "common/Text.h"
#include "common/gui/Fonts.h"
#include "log/DuplicateList.h"
#include "log/Scoring.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zotra {
namespace {

constexpr double kUnit = 115;  // the character unit of the column widths, in twips

// A centred text wider than its narrow column is shown from its start, so that
// "JA1XYZ" in the operator column reads "JA1" rather than "1XY".
class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!(option->displayAlignment & Qt::AlignHCenter)) return;
    if (option->fontMetrics.horizontalAdvance(option->text) + 6 > option->rect.width()) {
      option->displayAlignment = (option->displayAlignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
    }
  }
};

}  // namespace

int TwipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

double ColumnTwips(const QsoTable& table, int column) {
  auto longest = [&](int c) { return qMax(1, table.LongestBytes(c)); };
  switch (column) {
    case col::kRow: return 4 * kUnit;
    case col::kNumber: return 8 * kUnit;
    case col::kBand: return 5 * kUnit;
    case col::kMode: return 4 * kUnit;
    case col::kDate: return 10 * kUnit;
    case col::kTime: return 6 * kUnit;
    case col::kCall: return 10 * kUnit;
    case col::kSent:
    case col::kReceived: return kUnit * longest(column);
    case col::kMulti1: return (table.LongestBytes(column) + 1) * kUnit + 40;
    case col::kMulti2:
    case col::kMulti3: return (table.LongestBytes(column) + 1) * kUnit + 20;
    default: return 3 * kUnit;
  }
}

int StartColumn(const QsoTable& table) {
  for (int c = col::kMulti1; c <= col::kMulti3; ++c) {
    if (table.LongestBytes(c) > 1) return c;
  }
  return col::kMulti1;
}

LogWindow::LogWindow(Frame& frame, Dialogs& dialogs, std::unique_ptr<LogSession> session)
    : ProgramWindow(frame, QStringLiteral("交信データの処理   Ver ")),
      dialogs_(dialogs),
      session_(std::move(session)) {
  setObjectName(QStringLiteral("Form1"));
  AddHelpMenu(dialogs_);
  model_ = new QsoTableModel(&session_->table, this);

  auto makeButton = [this](const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
  };
  back_ = makeButton("Command1", QStringLiteral("前のｽﾃｯﾌﾟ戻る"), QStringLiteral("修正を有効にしたまま前の画面に戻ります"));
  undoButton_ = makeButton("Command2", QStringLiteral("Un Do"), QStringLiteral("変更した値を元に戻します"));
  undoButton_->setEnabled(false);
  arrange_ = makeButton("Command3", QStringLiteral("ﾏﾙﾁ整理"), QStringLiteral("マルチの整理をします"));
  print_ = makeButton("Command4", QStringLiteral("印刷"), QStringLiteral("ログシート印刷画面を開きます"));
  search_ = makeButton("Command6", QStringLiteral("文字列検索"), QString());
  duplicates_ = makeButton("Command7", QStringLiteral("重複交信を一括無効"),
                           QStringLiteral("重複交信表の各局の最初の有効な交信を残して、ほかを無効交信にします"));
  duplicates_->setEnabled(false);

  const int count = session_->table.RowCount();
  const QString selection = session_->BandSelection();
  QString band = selection;
  if (Upper(selection) == QLatin1String("ALL")) {
    band = QStringLiteral("全バンド");
  } else if (CellNumber(selection) != 0) {
    band += QStringLiteral(" MHz");
  }
  info_ = new QLabel(band + QStringLiteral("   ") + QString::number(count) + QStringLiteral(" 交信"), this);
  info_->setObjectName(QStringLiteral("Label1"));

  BuildTable();

  auto* top = new QHBoxLayout;
  top->addWidget(info_);
  top->addStretch();
  top->addWidget(search_);
  top->addWidget(duplicates_);
  top->addWidget(arrange_);
  top->addWidget(undoButton_);
  top->addSpacing(16);
  top->addWidget(print_);
  top->addWidget(back_);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(top);
  layout->addWidget(table_);
  setCentralWidget(central);

  connect(back_, &QPushButton::clicked, this, &LogWindow::GoBack);
  connect(undoButton_, &QPushButton::clicked, this, &LogWindow::UndoLastStep);
  connect(arrange_, &QPushButton::clicked, this, &LogWindow::ArrangeMultipliers);
  connect(print_, &QPushButton::clicked, this, &LogWindow::Print);
  connect(validity_, &QPushButton::clicked, this, &LogWindow::ToggleValidity);
  connect(search_, &QPushButton::clicked, this, &LogWindow::OpenDataSelection);
  connect(duplicates_, &QPushButton::clicked, this, &LogWindow::InvalidateDuplicates);

  selection_ = new DataSelectionWindow(
      session_->table, dialogs_,
      [this](const std::vector<bool>& selected, int column) { ApplySelection(selected, column); }, this);

  // The size kept from the last run; the default shows every column.
  int width = table_->verticalHeader()->width() + table_->verticalScrollBar()->sizeHint().width() + 40;
  for (int c = 1; c < kQsoColumns; ++c) width += table_->columnWidth(c);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  width = qMin(qMax(width, 720), area.width());
  const int height = qMin(640, area.height());
  const int keptWidth = ValInt(frame.ReadSetting(QStringLiteral("Form1Width"), QString::number(width)));
  const int keptHeight = ValInt(frame.ReadSetting(QStringLiteral("Form1Height"), QString::number(height)));
  resize(qBound(320, keptWidth, qMax(320, area.width())), qBound(240, keptHeight, qMax(240, area.height())));
}

LogWindow::~LogWindow() = default;

void LogWindow::BuildTable() {
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("Grid1"));
  table_->setFont(QFont(kGothicFont, 9));
  table_->setModel(model_);
  table_->setItemDelegate(new CellDelegate(table_));
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->setTextElideMode(Qt::ElideNone);  // a narrow column shows what fits
  table_->setCornerButtonEnabled(false);
  table_->horizontalHeader()->setSectionsClickable(false);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  table_->horizontalHeader()->setMinimumSectionSize(4);  // the narrow columns keep their widths
  QHeaderView* rows = table_->verticalHeader();
  rows->setSectionsClickable(false);
  rows->setHighlightSections(false);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  // Column 0, the row number, is the row header.
  table_->setColumnHidden(col::kRow, true);
  SizeColumns();

  editor_ = new CellEditor(table_->viewport());
  editor_->hide();
  editor_->installEventFilter(this);
  connect(editor_, &QLineEdit::textEdited, this, &LogWindow::EditorEdited);
  connect(editor_, &CellEditor::Finished, this, [this] { table_->setFocus(Qt::OtherFocusReason); });
  connect(editor_, &CellEditor::Cancelled, this, &LogWindow::CancelEdit);

  validity_ = new QPushButton(table_->viewport());
  validity_->setObjectName(QStringLiteral("Command5"));
  validity_->setToolTip(QStringLiteral("交信番号を ゼロにすると無効交信になります"));
  validity_->hide();

  table_->installEventFilter(this);
  connect(table_, &QTableView::clicked, this, &LogWindow::CellClicked);
  auto scrolled = [this] {
    if (!editor_->isVisible() && !validity_->isVisible()) return;
    TakeSnapshot();
    HideEditor();
  };
  connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
  connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
  connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, scrolled);

  if (session_->table.RowCount() > 0) {
    table_->setCurrentIndex(model_->IndexOf(1, StartColumn(session_->table)));
  }
}

void LogWindow::SizeColumns() {
  const double dpi = table_->logicalDpiX();
  for (int c = 1; c < kQsoColumns; ++c) table_->setColumnWidth(c, TwipsToPixels(ColumnTwips(session_->table, c), dpi));
  // The row header holds the row number: four units, or the widest number.
  const QString widest = QString::number(qMax(1, session_->table.RowCount()));
  const int numberWidth = table_->fontMetrics().horizontalAdvance(widest) + 8;
  table_->verticalHeader()->setFixedWidth(qMax(TwipsToPixels(ColumnTwips(session_->table, col::kRow), dpi), numberWidth));
}

int LogWindow::CurrentRow() const {
  const QModelIndex i = table_->currentIndex();
  return i.isValid() ? QsoTableModel::RowOf(i) : 0;
}

int LogWindow::CurrentColumn() const {
  const QModelIndex i = table_->currentIndex();
  return i.isValid() ? i.column() : 0;
}

void LogWindow::TakeSnapshot() {
  const int row = CurrentRow();
  if (row < 1) return;
  if (undo_.Snapshot(*model_, row, CurrentColumn())) anyUndoStep_ = true;
  UpdateUndoButton();
}

void LogWindow::HideEditor() {
  editor_->hide();
  validity_->hide();
}

void LogWindow::UpdateUndoButton() {
  undoButton_->setText(UndoCaption(undo_.Count(), anyUndoStep_));
  undoButton_->setEnabled(undo_.Count() > 0);
}

void LogWindow::CellClicked(const QModelIndex& index) {
  if (!index.isValid() || index.column() == col::kRow) return;
  const int row = QsoTableModel::RowOf(index);
  const int column = index.column();
  if (table_->currentIndex() != index) table_->setCurrentIndex(index);
  TakeSnapshot();
  if (column == col::kNumber) {
    editor_->hide();
    const bool valid = session_->table.Number(row) != 0;
    validity_->setText(valid ? QStringLiteral("無効交信") : QStringLiteral("非無効交信"));
    // Beside the QSO number, to the right of the number column.
    const int x = table_->columnViewportPosition(col::kBand);
    const int y = table_->rowViewportPosition(index.row());
    const int h = table_->rowHeight(index.row());
    const int w = qMax(validity_->sizeHint().width(), 72);
    validity_->setGeometry(x, y - 2, w, h + 4);
    validity_->show();
    validity_->raise();
    return;
  }
  validity_->hide();
  editor_->SetColumn(column);
  editor_->setGeometry(table_->visualRect(index));
  editor_->setFont(table_->font());
  editor_->setText(model_->Cell(row, column));
  if (column == col::kPoints) {
    editor_->setCursorPosition(0);  // digits are typed over the old ones
  } else {
    editor_->selectAll();
  }
  editor_->show();
  editor_->raise();
  editor_->setFocus(Qt::MouseFocusReason);
}

void LogWindow::EditorEdited(const QString& text) {
  const UndoEntry& current = undo_.Entry(0);
  if (current.row < 1) return;
  model_->SetCell(current.row, current.column, TrimBlanks(text));
}

void LogWindow::CancelEdit() {
  const UndoEntry& current = undo_.Entry(0);
  if (current.row >= 1) model_->SetCell(current.row, current.column, current.text);
  HideEditor();
  table_->setFocus(Qt::OtherFocusReason);
}

bool LogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window coming to the front leaves the edit open.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      if (watched == editor_ && editor_->isVisible()) {
        TakeSnapshot();
        editor_->hide();
      } else if (watched == table_ && QApplication::focusWidget() != editor_ &&
                 QApplication::focusWidget() != validity_) {
        TakeSnapshot();
        HideEditor();
      }
    }
  } else if (watched == table_ && event->type() == QEvent::KeyPress) {
    // Return or F2 on the table opens the current cell as a click does.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
      CellClicked(table_->currentIndex());
      return true;
    }
    // Moving away from a cell leaves the number button behind.
    validity_->hide();
  }
  return ProgramWindow::eventFilter(watched, event);
}

void LogWindow::ToggleValidity() {
  const int row = CurrentRow();
  if (row < 1) return;
  const QString value = session_->table.Number(row) == 0 ? QStringLiteral("9999") : QStringLiteral("0");
  model_->SetCell(row, col::kNumber, value);
  editor_->setText(value);
  TakeSnapshot();
  validity_->hide();
  // The number stays the current cell, so the next QSO is one key away.
  table_->setCurrentIndex(model_->IndexOf(row, col::kNumber));
  table_->setFocus(Qt::OtherFocusReason);
}

void LogWindow::InvalidateDuplicates() {
  TakeSnapshot();
  HideEditor();
  const std::vector<int> rows = LaterDuplicateRows(duplicateRows_, session_->table);
  if (rows.empty()) {
    dialogs_.Tell(InvalidatedDuplicatesReport(duplicateRows_.size(), 0));
    return;
  }
  QList<UndoCell> before;
  for (int row : rows) {
    before.append({row, col::kNumber, model_->Cell(row, col::kNumber)});
    model_->SetCell(row, col::kNumber, QStringLiteral("0"));
  }
  undo_.PushTogether(*model_, before);
  anyUndoStep_ = true;
  UpdateUndoButton();
  table_->setFocus(Qt::OtherFocusReason);
  dialogs_.Tell(InvalidatedDuplicatesReport(duplicateRows_.size(), static_cast<int>(rows.size())));
}

void LogWindow::GoToQso(int row) {
  if (!session_->table.InTable(row)) return;
  TakeSnapshot();
  HideEditor();
  const QModelIndex index = model_->IndexOf(row, col::kNumber);
  table_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  activateWindow();
  table_->setFocus(Qt::OtherFocusReason);
  CellClicked(index);
}

void LogWindow::UndoLastStep() {
  TakeSnapshot();
  HideEditor();
  const UndoEntry step = undo_.Undo(*model_);
  if (step.row >= 1) {
    const QModelIndex i = model_->IndexOf(step.row, step.column);
    table_->setCurrentIndex(i);
    table_->scrollTo(i);
  }
  UpdateUndoButton();
}

void LogWindow::ArrangeMultipliers() {
  TakeSnapshot();
  HideEditor();
  arrange_->setEnabled(false);
  table_->setUpdatesEnabled(false);
  const QModelIndex current = table_->currentIndex();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (zotra::ArrangeMultipliers(&session_->table, session_->definition) > 0) model_->SetModified(true);
  model_->ColumnsChanged(col::kMulti1, col::kPoints);
  undo_.Refresh(*model_);
  QApplication::restoreOverrideCursor();
  table_->setCurrentIndex(current);
  table_->setUpdatesEnabled(true);
  arrange_->setEnabled(true);
  table_->setFocus(Qt::OtherFocusReason);
  session_->arranged = true;
}

void LogWindow::Print() {
  TakeSnapshot();
  HideEditor();
  OpenPrinting(*this);
}

void LogWindow::OpenDataSelection() {
  TakeSnapshot();
  HideEditor();
  selection_->exec();
}

void LogWindow::ApplySelection(const std::vector<bool>& selected, int column) {
  model_->SetSelection(selected);
  int count = 0;
  for (bool s : selected) count += s ? 1 : 0;
  // The first row found is shown before the report.
  const auto first = std::find(selected.begin(), selected.end(), true);
  if (first != selected.end()) {
    const QModelIndex index = model_->IndexOf(static_cast<int>(first - selected.begin()) + 1, column);
    table_->setCurrentIndex(index);
    table_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  }
  dialogs_.Tell(SelectionReport(count));
}

bool LogWindow::WriteTable() {
  const QString path = frame().Path(kWorkFileName);
  if (!WriteWorkFile(path, session_->table, &dialogs_)) {
    dialogs_.Tell(QStringLiteral("作業ファイル %1 に書き込めません").arg(path), {}, Icon::Critical);
    return false;
  }
  model_->SetModified(false);
  return true;
}

void LogWindow::GoBack() {
  TakeSnapshot();
  HideEditor();
  if (!WriteTable()) return;
  ReturnToMenu();
}

void LogWindow::OpenDuplicateListWhenPresent() {
  const QString path = frame().Path(kDuplicateFileName);
  if (!FileExists(path)) return;
  duplicateRows_ = ReadDuplicateList(path);
  FindInTable(&duplicateRows_, session_->table);
  duplicates_->setEnabled(!duplicateRows_.isEmpty());
  duplicateList_ = new DuplicateListWindow(duplicateRows_, &session_->table, this);
  connect(duplicateList_, &DuplicateListWindow::QsoChosen, this, &LogWindow::GoToQso);
  // Invalid QSOs are shown so in the list as well.
  connect(model_, &QAbstractItemModel::dataChanged, duplicateList_, [list = duplicateList_] {
    if (list) list->grid()->viewport()->update();
  });
  duplicateListPending_ = true;
  if (isVisible()) {
    duplicateListPending_ = false;
    duplicateList_->ShowInCorner();
  }
}

void LogWindow::showEvent(QShowEvent* event) {
  ProgramWindow::showEvent(event);
  if (duplicateListPending_ && duplicateList_) {
    duplicateListPending_ = false;
    QTimer::singleShot(0, duplicateList_.data(), [list = duplicateList_] {
      if (list) list->ShowInCorner();
    });
  }
}

// The exit routine: the window's size beside its position, the print
// settings, then the sort-and-check program with "ZOTRAL" and the count.
void LogWindow::Closing() {
  leaving_ = true;
  if (!isMinimized() && !isMaximized() && !isFullScreen()) {
    frame().WriteSetting(QStringLiteral("Form1Width"), QString::number(width()));
    frame().WriteSetting(QStringLiteral("Form1Height"), QString::number(height()));
  }
  SavePrintSettings(*this);
  if (duplicateList_) duplicateList_->close();
  const QString argument = QStringLiteral("ZOTRAL") + QString::number(session_->table.RowCount());
  if (!frame().StartProgram(Program::Check, {argument})) {
    dialogs_.Tell(QStringLiteral("ZOTRAC を起動できません"), {}, Icon::Critical);
  }
}

// Closing the window by its frame goes back a step as well, so that the
// sort-and-check program always takes over. Edits not yet written are offered
// for writing first: Yes writes them, No goes back without them, Cancel stays.
void LogWindow::closeEvent(QCloseEvent* event) {
  if (leaving_) {
    ProgramWindow::closeEvent(event);
    return;
  }
  TakeSnapshot();
  HideEditor();
  if (model_->IsModified()) {
    const Button answer =
        dialogs_.Ask(QStringLiteral("修正した交信データを保存して前のｽﾃｯﾌﾟに戻りますか\n"
                                    "（いいえ: 保存せずに戻ります　キャンセル: この画面に残ります）"),
                     Buttons::YesNoCancel, {}, Icon::Question, Button::Yes);
    if (answer == Button::Cancel || (answer == Button::Yes && !WriteTable())) {
      event->ignore();
      return;
    }
  }
  ReturnToMenu();
  event->accept();
}

}  // namespace zotra
