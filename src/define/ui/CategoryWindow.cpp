#include "CategoryWindow.h"

#include "InputRules.h"
#include "define/CategoryData.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zotra {
namespace {

const QString kDeletedMark = QStringLiteral("削除");
const QColor kMarkerBackground{228, 228, 228};
const QColor kDeletedText{150, 150, 150};

QPushButton* MakeButton(const QString& name, const QString& caption, const QString& toolTip) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  b->setToolTip(toolTip);
  b->setAutoDefault(false);
  b->setMinimumWidth(96);
  return b;
}

QString EditorText(QWidget* editor) {
  if (auto* e = qobject_cast<QLineEdit*>(editor)) return e->text();
  if (auto* c = qobject_cast<QComboBox*>(editor)) return c->currentText();
  return {};
}

void SetEditorText(QWidget* editor, const QString& text) {
  if (auto* e = qobject_cast<QLineEdit*>(editor)) {
    e->setText(text);
    e->selectAll();
  } else if (auto* c = qobject_cast<QComboBox*>(editor)) {
    c->setEditText(text);
    c->lineEdit()->selectAll();
  }
}

QAction* MenuAction(QMenu* menu, const QString& name, const QString& caption) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  return a;
}

}  // namespace

// ---- the grid shared by both windows ---------------------------------------------------

GridWindow::GridWindow(Dialogs& dialogs, const QStringList& headers, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), columns_(int(headers.size())) {
  setModal(true);
  grid_ = new QTableWidget(0, columns_ + 1);
  grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
  grid_->setHorizontalHeaderLabels(QStringList{QString()} + headers);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 10);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  grid_->setColumnWidth(0, 44);
  grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->horizontalHeader()->setToolTip(QStringLiteral("左端の見出しをダブルクリックすると行を挿入します"));
  grid_->setToolTip(QStringLiteral("セルをダブルクリック (または F2) すると編集できます 右クリックで行の操作ができます"));

  rowMenu_ = new QMenu(this);
  rowMenu_->setObjectName(QStringLiteral("RowMenu"));
  QAction* above = MenuAction(rowMenu_, QStringLiteral("InsertAbove"), QStringLiteral("行上挿入"));
  QAction* below = MenuAction(rowMenu_, QStringLiteral("InsertBelow"), QStringLiteral("行下挿入"));
  rowMenu_->addSeparator();
  QAction* remove = MenuAction(rowMenu_, QStringLiteral("DeleteRow"), QStringLiteral("行削除"));
  QAction* restore = MenuAction(rowMenu_, QStringLiteral("UndeleteRow"), QStringLiteral("削除取消"));
  rowMenu_->addSeparator();
  QAction* copy = MenuAction(rowMenu_, QStringLiteral("CopyRow"), QStringLiteral("行コピー"));
  QAction* paste = MenuAction(rowMenu_, QStringLiteral("PasteRow"), QStringLiteral("貼り付け"));
  connect(above, &QAction::triggered, this, [this] { InsertRow(qMax(CurrentRow(), 0)); });
  connect(below, &QAction::triggered, this,
          [this] { InsertRow(CurrentRow() < 0 ? grid_->rowCount() : CurrentRow() + 1); });
  connect(remove, &QAction::triggered, this, [this] { MarkDeleted(CurrentRow(), true); });
  connect(restore, &QAction::triggered, this, [this] { MarkDeleted(CurrentRow(), false); });
  connect(copy, &QAction::triggered, this, [this] { CopyRow(CurrentRow()); });
  connect(paste, &QAction::triggered, this, [this] { PasteRow(CurrentRow()); });
  connect(rowMenu_, &QMenu::aboutToShow, this, [=, this] {
    const int row = CurrentRow();
    remove->setEnabled(row >= 0 && !IsDeleted(row));
    restore->setEnabled(row >= 0 && IsDeleted(row));
    copy->setEnabled(row >= 0);
    paste->setEnabled(row >= 0 && !copied_.isEmpty());
  });

  grid_->installEventFilter(this);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
    if (column == 0) {
      grid_->setCurrentCell(row, 0);
      rowMenu_->popup(QCursor::pos());
    } else {
      EditCell(row, column);
    }
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int section) {
    if (section == 0) InsertRow(CurrentRow() < 0 ? grid_->rowCount() : CurrentRow() + 1);
  });
  connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    CommitEditor();
    const int row = grid_->rowAt(pos.y());
    if (row >= 0) grid_->setCurrentCell(row, qMax(grid_->columnAt(pos.x()), 1));
    rowMenu_->popup(grid_->viewport()->mapToGlobal(pos));
  });
}

int GridWindow::CurrentRow() const { return grid_->currentRow(); }

QString GridWindow::CellText(int row, int column) const {
  const QTableWidgetItem* item = grid_->item(row, column);
  return item ? item->text() : QString();
}

bool GridWindow::IsDeleted(int row) const { return CellText(row, 0) == kDeletedMark; }

void GridWindow::ShowMarker(int row) {
  QTableWidgetItem* marker = grid_->item(row, 0);
  if (!marker) {
    marker = new QTableWidgetItem;
    marker->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    marker->setBackground(kMarkerBackground);
    marker->setTextAlignment(Qt::AlignCenter);
    grid_->setItem(row, 0, marker);
  }
  const bool deleted = marker->text() == kDeletedMark;
  if (!deleted) marker->setText(QString::number(row + 1));
  for (int c = 1; c <= columns_; ++c) {
    if (QTableWidgetItem* item = grid_->item(row, c)) {
      item->setForeground(deleted ? QBrush(kDeletedText) : QBrush());
      QFont f = item->font();
      f.setStrikeOut(deleted);
      item->setFont(f);
    }
  }
}

void GridWindow::SetRows(const QList<QStringList>& rows) {
  CancelEditor();
  grid_->clearContents();
  grid_->setRowCount(int(rows.size()));
  for (int r = 0; r < rows.size(); ++r) {
    for (int c = 1; c <= columns_; ++c) {
      grid_->setItem(r, c, new QTableWidgetItem(c - 1 < rows.at(r).size() ? rows.at(r).at(c - 1) : QString()));
    }
    ShowMarker(r);
  }
  dirty_ = false;
}

QList<QStringList> GridWindow::KeptRows() const {
  QList<QStringList> rows;
  for (int r = 0; r < grid_->rowCount(); ++r) {
    if (IsDeleted(r)) continue;
    QStringList cells;
    for (int c = 1; c <= columns_; ++c) cells << TrimBlanks(CellText(r, c));
    rows << cells;
  }
  return rows;
}

void GridWindow::InsertRow(int at) {
  CommitEditor();
  at = qBound(0, at, grid_->rowCount());
  grid_->insertRow(at);
  for (int c = 1; c <= columns_; ++c) grid_->setItem(at, c, new QTableWidgetItem);
  for (int r = at; r < grid_->rowCount(); ++r) ShowMarker(r);
  grid_->setCurrentCell(at, 1);
  dirty_ = true;
}

void GridWindow::MarkDeleted(int row, bool deleted) {
  if (row < 0 || row >= grid_->rowCount()) return;
  CommitEditor();
  grid_->item(row, 0)->setText(deleted ? kDeletedMark : QString());
  ShowMarker(row);
  dirty_ = true;
}

void GridWindow::CopyRow(int row) {
  if (row < 0 || row >= grid_->rowCount()) return;
  CommitEditor();
  copied_.clear();
  for (int c = 1; c <= columns_; ++c) copied_ << CellText(row, c);
}

void GridWindow::PasteRow(int row) {
  if (row < 0 || row >= grid_->rowCount() || copied_.isEmpty()) return;
  CommitEditor();
  for (int c = 1; c <= columns_; ++c) grid_->item(row, c)->setText(copied_.value(c - 1));
  dirty_ = true;
}

void GridWindow::EditCell(int row, int column) {
  CommitEditor();
  if (row < 0 || row >= grid_->rowCount() || column < 1 || column > columns_) return;
  QWidget* editor = EditorFor(column);
  if (!editor) return;
  grid_->setCurrentCell(row, column);
  grid_->scrollToItem(grid_->item(row, column));
  editRow_ = row;
  editColumn_ = column;
  editor_ = editor;
  SetEditorText(editor, CellText(row, column));
  editor->setGeometry(grid_->visualItemRect(grid_->item(row, column)).adjusted(0, 0, 0, 2));
  editor->show();
  editor->raise();
  editor->setFocus(Qt::OtherFocusReason);
}

void GridWindow::CommitEditor() {
  if (!editor_) return;
  QWidget* editor = editor_;
  editor_ = nullptr;
  const QString before = CellText(editRow_, editColumn_);
  QString after = EditorText(editor);
  editor->hide();
  if (after != before && editRow_ < grid_->rowCount() && AcceptCell(editRow_, editColumn_, before, &after)) {
    grid_->item(editRow_, editColumn_)->setText(after);
    dirty_ = true;
  }
  grid_->setFocus(Qt::OtherFocusReason);
}

void GridWindow::CancelEditor() {
  if (!editor_) return;
  QWidget* editor = editor_;
  editor_ = nullptr;
  editor->hide();
  grid_->setFocus(Qt::OtherFocusReason);
}

bool GridWindow::AcceptCell(int, int, const QString&, QString*) { return true; }

bool GridWindow::eventFilter(QObject* watched, QEvent* event) {
  // F2 or Enter on a cell opens its field, as a double click does.
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter) && grid_->currentColumn() >= 1) {
      EditCell(grid_->currentRow(), grid_->currentColumn());
      return true;
    }
  }
  if (editor_ && (watched == editor_ || watched->parent() == editor_)) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        CommitEditor();
        return true;
      }
      if (key == Qt::Key_Escape) {
        CancelEditor();
        return true;
      }
    } else if (event->type() == QEvent::FocusOut && watched == editor_) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) CommitEditor();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void GridWindow::reject() {
  CommitEditor();
  if (!closeConfirmed_ && dirty_ &&
      dialogs_.Ask(QStringLiteral("修整結果を保存しなくても良いですか"), Buttons::YesNo, {}, Icon::Question,
                   Button::No) != Button::Yes) {
    return;
  }
  closeConfirmed_ = true;
  Leaving();
  QDialog::reject();
}

void GridWindow::CloseWithoutAsking() {
  closeConfirmed_ = true;
  reject();
}

// ---- the category file ----------------------------------------------------------------

CategoryWindow::CategoryWindow(const Frame& frame, Dialogs& dialogs, QWidget* parent)
    : GridWindow(dialogs,
                 {QStringLiteral("ｺｰﾄﾞ"), QStringLiteral(" 部 門"), QStringLiteral(" 種  目"),
                  QStringLiteral("ｺﾝﾃｽﾄ 名"), QStringLiteral("ｺﾝﾃｽﾄ 名")},
                 parent),
      frame_(frame) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("参加部門ファイルのカスタマイズ"));
  grid_->setColumnWidth(1, 80);
  grid_->setColumnWidth(2, 120);
  grid_->setColumnWidth(3, 260);
  grid_->setColumnWidth(4, 150);

  // The fields laid over a cell.
  text1_ = new QLineEdit(grid_->viewport());
  text1_->setObjectName(QStringLiteral("Text1"));
  combo1_ = new QComboBox(grid_->viewport());
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setEditable(true);
  combo1_->addItems({QStringLiteral("電信電話部門"), QStringLiteral("電信部門")});
  combo1_->setToolTip(QStringLiteral("キー入力も可能です"));
  text2_ = new QLineEdit(grid_->viewport());
  text2_->setObjectName(QStringLiteral("Text2"));
  combo2_ = new QComboBox(grid_->viewport());
  combo2_->setObjectName(QStringLiteral("Combo2"));
  combo2_->setEditable(true);
  combo2_->setToolTip(QStringLiteral("コンテスト名に含まれる言葉です キー入力も可能です"));
  for (QWidget* w : {static_cast<QWidget*>(text1_), static_cast<QWidget*>(combo1_), static_cast<QWidget*>(text2_),
                     static_cast<QWidget*>(combo2_)}) {
    w->hide();
    w->installEventFilter(this);
    UseFocusColour(w);
  }
  for (QComboBox* c : {combo1_, combo2_}) {
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->installEventFilter(this);
  }

  auto* layout = new QVBoxLayout(this);
  auto* pointer = new QLabel(QStringLiteral("↓ ここをダブルクリックすると行挿入が出来ます"));
  pointer->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(pointer);
  layout->addWidget(grid_, 1);
  auto* hint = new QLabel(QStringLiteral(
      "セルをダブルクリックすると編集できます。左端の列のダブルクリックか右クリックで 行の挿入・削除・コピー・貼り付けができます。"
      "ｺﾝﾃｽﾄ名 はコンテスト名に含まれる言葉で、両方とも空の部門はどのコンテストにも表示されます。"));
  hint->setWordWrap(true);
  layout->addWidget(hint);

  auto* reload = MakeButton(QStringLiteral("Command1"), QStringLiteral("再読込"),
                        QStringLiteral("表示されているデータを破棄して データを再度読み込みます"));
  auto* save = MakeButton(QStringLiteral("Command2"), QStringLiteral("上書保存"), QStringLiteral("データをファイルに出力します"));
  auto* reset = MakeButton(QStringLiteral("Command3"), QStringLiteral("初期ファイル化"),
                       QStringLiteral("ファイルの内容を ZOTRA の初期値に戻します"));
  auto* close = MakeButton(QStringLiteral("Command4"), QStringLiteral("閉じる"), QStringLiteral("この画面を閉じます"));
  connect(reload, &QPushButton::clicked, this, &CategoryWindow::Reload);
  connect(save, &QPushButton::clicked, this, &CategoryWindow::SaveFile);
  connect(reset, &QPushButton::clicked, this, &CategoryWindow::ResetToBase);
  connect(close, &QPushButton::clicked, this, &CategoryWindow::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(reload);
  buttons->addWidget(save);
  buttons->addWidget(reset);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);

  const int width = ValInt(frame_.ReadSetting(QStringLiteral("Width"), QStringLiteral("820")));
  const int height = ValInt(frame_.ReadSetting(QStringLiteral("Height"), QStringLiteral("540")));
  resize(qMax(width, 400), qMax(height, 300));

  EnsureCategoryFile(frame_.Folder(), QStringLiteral("check"), dialogs_);
  Load();
}

void CategoryWindow::Load() {
  const QString path = frame_.Path(kCategoryWorkFile);
  QList<QStringList> rows;
  if (CategoryFileValid(path)) {
    for (const CategoryRow& r : ReadCategoryRows(path)) rows << QStringList{r.code, r.section, r.event, r.keyword1, r.keyword2};
  }
  SetRows(rows);
}

void CategoryWindow::Reload() {
  CommitEditor();
  if (Dirty() && dialogs_.Ask(QStringLiteral("修整結果を破棄します"), Buttons::YesNo) != Button::Yes) return;
  EnsureCategoryFile(frame_.Folder(), QStringLiteral("check"), dialogs_);
  Load();
}

bool CategoryWindow::SaveFile() {
  CommitEditor();
  QList<CategoryRow> rows;
  for (const QStringList& cells : KeptRows()) rows.append({cells.value(0), cells.value(1), cells.value(2), cells.value(3), cells.value(4)});
  const QString path = frame_.Path(kCategoryWorkFile);
  if (!WriteCategoryRows(path, rows)) {
    dialogs_.Tell(QStringLiteral("参加部門ファイル ") + path + QStringLiteral(" に書き込めません"), {}, Icon::Critical);
    return false;
  }
  Load();
  return true;
}

void CategoryWindow::ResetToBase() {
  CommitEditor();
  if (dialogs_.Ask(QStringLiteral("参加部門ファイルの内容を ZOTRA の初期値に戻します\nよろしいですか"), Buttons::YesNo,
                   {}, Icon::Question, Button::No) != Button::Yes) {
    return;
  }
  EnsureCategoryFile(frame_.Folder(), QStringLiteral("COPY"), dialogs_);
  Load();
}

QWidget* CategoryWindow::EditorFor(int column) {
  switch (column) {
    case 1: return text1_;
    case 2: return combo1_;
    case 3: return text2_;
    case 4:
    case 5: {
      // The keywords the grid already uses, for choosing.
      QStringList keywords;
      QSet<QString> seen;
      for (int r = 0; r < grid_->rowCount(); ++r) {
        for (int c : {4, 5}) {
          const QString k = TrimBlanks(CellText(r, c));
          if (!k.isEmpty() && !seen.contains(k)) {
            seen.insert(k);
            keywords << k;
          }
        }
      }
      combo2_->clear();
      combo2_->addItems(keywords);
      return combo2_;
    }
    default: return nullptr;
  }
}

void CategoryWindow::Leaving() {
  if (isMinimized() || isMaximized() || isFullScreen()) return;
  frame_.WriteSetting(QStringLiteral("Width"), QString::number(width()));
  frame_.WriteSetting(QStringLiteral("Height"), QString::number(height()));
}

// ---- the contest-name file --------------------------------------------------------------

ContestNameWindow::ContestNameWindow(const Frame& frame, Dialogs& dialogs, QWidget* parent)
    : GridWindow(dialogs, {QStringLiteral("コンテスト名称"), QStringLiteral("JARL 電子ログ形式")}, parent),
      frame_(frame) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("コンテスト名称ファイルの保守"));
  grid_->setColumnWidth(1, 340);

  text1_ = new QLineEdit(grid_->viewport());
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->hide();
  text1_->installEventFilter(this);
  UseFocusColour(text1_);

  auto* layout = new QVBoxLayout(this);
  auto* pointer = new QLabel(QStringLiteral("↓ ここをダブルクリックすると行挿入が出来ます"));
  pointer->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(pointer);
  layout->addWidget(grid_, 1);
  auto* hint = new QLabel(QStringLiteral("JARL 電子ログ形式は R1 か R2 です (JARL 本部主催のコンテストは R2)。"
                                         "空のときは コンテスト名を選んだときに形式の確認画面が開きます。"));
  hint->setWordWrap(true);
  layout->addWidget(hint);
  auto* save = MakeButton(QStringLiteral("Command1"), QStringLiteral("保存終了"), QStringLiteral("修正地を保存します"));
  auto* leave = MakeButton(QStringLiteral("Command2"), QStringLiteral("非保存終了"), QStringLiteral("修正値を保存しません"));
  connect(save, &QPushButton::clicked, this, &ContestNameWindow::SaveAndClose);
  connect(leave, &QPushButton::clicked, this, &ContestNameWindow::CloseUnsaved);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(leave);
  layout->addLayout(buttons);
  resize(560, 480);

  QList<QStringList> rows;
  for (const ContestNameRow& r : ReadContestNames(frame_.Path(kContestNameFile))) rows << QStringList{r.name, r.form};
  SetRows(rows);
}

bool ContestNameWindow::SaveAndClose() {
  CommitEditor();
  QList<ContestNameRow> rows;
  for (const QStringList& cells : KeptRows()) rows.append({cells.value(0), cells.value(1)});
  const QString path = frame_.Path(kContestNameFile);
  if (!WriteContestNames(path, rows)) {
    dialogs_.Tell(QStringLiteral("コンテスト名称ファイル ") + path + QStringLiteral(" に書き込めません"), {},
                  Icon::Critical);
    return false;
  }
  SetDirty(false);
  CloseWithoutAsking();
  return true;
}

void ContestNameWindow::CloseUnsaved() { CloseWithoutAsking(); }

QWidget* ContestNameWindow::EditorFor(int column) { return column == 1 || column == 2 ? text1_ : nullptr; }

bool ContestNameWindow::AcceptCell(int, int column, const QString&, QString* after) {
  if (column != 2) return true;
  if (IsKnownLogForm(*after)) {
    *after = Upper(TrimBlanks(*after));
    return true;
  }
  return dialogs_.Ask(QStringLiteral("JARL 電子ログ形式が既定値( R1 R2 )と異なります"), Buttons::OkCancel, {},
                      Icon::Warning, Button::Cancel) == Button::Ok;
}

}  // namespace zotra
