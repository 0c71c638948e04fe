#include "DuplicateCheckWindow.h"

#include "CountLabel.h"
#include "WorkFiles.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/gui/Fonts.h"
#include "common/gui/Printers.h"
#include "common/ui/PreviewWindow.h"
#include "common/ui/PrinterProperties.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zotra {
namespace {

QPushButton* NamedButton(const QString& name, const QString& caption, const QString& toolTip = {}) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  if (!toolTip.isEmpty()) button->setToolTip(toolTip);
  button->setMinimumHeight(30);
  return button;
}

}  // namespace

DuplicateCheckWindow::DuplicateCheckWindow(const QString& folder, Dialogs& dialogs, PrinterSetup& printer,
                                           const DuplicateListHeading& heading, const CheckResult& result,
                                           QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      frame_(Program::Check, folder),
      dialogs_(dialogs),
      printer_(printer),
      heading_(heading),
      keyLines_(result.keyLines),
      counts_{result.read, result.invalid, result.Valid(), result.counts.duplicates} {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("重複交信チェック"));
  BuildControls();
  UpdatePages();
}

void DuplicateCheckWindow::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 12, 14, 12);
  layout->setSpacing(10);

  auto* countsBox = new QGroupBox(QStringLiteral("チェック結果"));
  auto* counts = new QGridLayout(countsBox);
  counts->setHorizontalSpacing(12);
  const struct {
    const char* name;
    QString caption;
    QString toolTip;
  } rows[] = {
      {"Label1", QStringLiteral("読込交信数"), QStringLiteral("読込交信数です")},
      {"Label2", QStringLiteral("無効交信数"), QStringLiteral("無効交信は交信番号が ゼロのものです")},
      {"Label3", QStringLiteral("読込数－削除数"), QStringLiteral("読込数－削除数")},
      {"Label4", QStringLiteral("重複交信数"), QStringLiteral("選択数のうちの重複交信数です")},
  };
  int row = 0;
  for (const auto& r : rows) {
    auto* caption = new QLabel(r.caption);
    caption->setToolTip(r.toolTip);
    QLabel* value = CountLabel(QString::fromLatin1(r.name), r.toolTip, 90);
    value->setText(QString::number(counts_[row]));
    counts->addWidget(caption, row, 0);
    counts->addWidget(value, row, 1);
    ++row;
  }
  auto* pagesCaption = new QLabel(QStringLiteral("印刷ページ数"));
  pagesCaption->setToolTip(QStringLiteral("印刷ページ数です"));
  pages_ = CountLabel(QStringLiteral("Label5"), QStringLiteral("印刷ページ数です"), 90);
  counts->addWidget(pagesCaption, row, 0);
  counts->addWidget(pages_, row, 1);
  counts->setColumnStretch(2, 1);
  layout->addWidget(countsBox);

  auto* printBox = new QGroupBox(QStringLiteral("重複チェックリストの印刷"));
  auto* print = new QVBoxLayout(printBox);
  auto* printerRow = new QHBoxLayout;
  printerRow->addWidget(new QLabel(QStringLiteral("プリンタ")));
  combo1_ = new QComboBox;
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setToolTip(QStringLiteral("印刷するプリンタを選びます"));
  combo1_->addItems(PrinterNames());
  combo1_->setCurrentIndex(qMax(0, combo1_->findText(printer_.Name())));
  combo1_->setMinimumWidth(200);
  printerRow->addWidget(combo1_, 1);
  command3_ = NamedButton(QStringLiteral("Command3"), QStringLiteral("プロパティ"),
                     QStringLiteral("プリンタの用紙と向きを設定します"));
  printerRow->addWidget(command3_);
  print->addLayout(printerRow);
  check1_ = new QCheckBox(QStringLiteral("用紙のﾁｪｯｸ"));
  check1_->setObjectName(QStringLiteral("Check1"));
  check1_->setToolTip(QStringLiteral("印刷の前に用紙の向きとサイズを確かめます"));
  check1_->setChecked(true);
  print->addWidget(check1_);
  auto* what = new QHBoxLayout;
  option1_ = new QRadioButton(QStringLiteral("全部印刷"));
  option1_->setObjectName(QStringLiteral("Option1"));
  option1_->setToolTip(QStringLiteral("全交信を印刷します"));
  option2_ = new QRadioButton(QStringLiteral("重複局のみ印刷"));
  option2_->setObjectName(QStringLiteral("Option2"));
  option2_->setToolTip(QStringLiteral("重複している局の交信だけを印刷します"));
  option1_->setChecked(true);
  what->addWidget(option1_);
  what->addWidget(option2_);
  what->addStretch(1);
  print->addLayout(what);
  layout->addWidget(printBox);

  auto* buttons = new QHBoxLayout;
  command4_ = NamedButton(QStringLiteral("Command4"), QStringLiteral("重複交信表示"),
                     QStringLiteral("重複している交信を一覧で表示します"));
  command4_->setEnabled(counts_[3] > 0);
  command1_ = NamedButton(QStringLiteral("Command1"), QStringLiteral("印刷"), QStringLiteral("重複チェックリストを印刷します"));
  command2_ = NamedButton(QStringLiteral("Command2"), QStringLiteral("選択画面に戻る"));
  preview_ = NamedButton(QStringLiteral("Preview"), QStringLiteral("プレビュー"),
                         QStringLiteral("印刷する前に重複チェックリストを画面で確かめます"));
  buttons->addWidget(command4_);
  buttons->addStretch(1);
  buttons->addWidget(preview_);
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);
  layout->addLayout(buttons);

  status_ = new QLabel;
  status_->setObjectName(QStringLiteral("Label6"));
  status_->setMinimumHeight(status_->fontMetrics().height() + 4);
  layout->addWidget(status_);

  connect(combo1_, &QComboBox::currentTextChanged, this, &DuplicateCheckWindow::ChoosePrinter);
  connect(command3_, &QPushButton::clicked, this, [this] {
    ShowPrinterProperties(printer_, dialogs_, this);
  });
  connect(option1_, &QRadioButton::toggled, this, &DuplicateCheckWindow::UpdatePages);
  connect(command1_, &QPushButton::clicked, this, [this] { Print(); });
  connect(preview_, &QPushButton::clicked, this, [this] { ShowPreview(); });
  connect(command4_, &QPushButton::clicked, this, [this] { ShowDuplicates(); });
  connect(command2_, &QPushButton::clicked, this, &QDialog::accept);
  command1_->setDefault(true);
}

void DuplicateCheckWindow::ChoosePrinter(const QString& name) {
  if (!printer_.Select(name)) combo1_->setCurrentIndex(qMax(0, combo1_->findText(printer_.Name())));
}

bool DuplicateCheckWindow::DuplicatesOnly() const { return option2_->isChecked(); }

int DuplicateCheckWindow::PrintLines() const { return LinesToPrint(keyLines_, DuplicatesOnly()).size(); }

int DuplicateCheckWindow::Pages() const { return PageCount(PrintLines()); }

void DuplicateCheckWindow::UpdatePages() {
  pages_->setText(QString::number(Pages()) + QStringLiteral(" Page"));
  command1_->setEnabled(PrintLines() > 0);
  preview_->setEnabled(PrintLines() > 0);
}

bool DuplicateCheckWindow::Print() {
  if (PrintLines() == 0) {
    dialogs_.Tell(QStringLiteral("印刷する交信がありません"));
    return false;
  }
  if (check1_->isChecked()) {
    // Notices only: the operator may know better, so printing goes on.
    for (const QString& notice : printer_.PaperNotices()) dialogs_.Tell(notice);
  }
  auto surface = printer_.Open(dialogs_, DuplicateListDocumentName(),
                               ResolveInFolder(folder_, DuplicateListPdfFileName(heading_.selection)));
  if (!surface) return false;
  setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = PrintDuplicateList(*surface, heading_, keyLines_, DuplicatesOnly(), [this](int page) {
    status_->setText(PrintingPageText(page));
    QApplication::processEvents();
  });
  QApplication::restoreOverrideCursor();
  setEnabled(true);
  status_->clear();
  if (!ok) dialogs_.Tell(surface->ErrorText());
  else if (printer_.IsPdf()) dialogs_.Tell(PdfWrittenMessage(printer_.OutputPdfFile()));
  return ok;
}

bool DuplicateCheckWindow::ShowPreview() {
  if (PrintLines() == 0) {
    dialogs_.Tell(QStringLiteral("印刷する交信がありません"));
    return false;
  }
  if (!previewWindow_) {
    previewWindow_ = new PreviewWindow(frame_, QStringLiteral("Preview"), this);
    previewWindow_->setWindowTitle(QStringLiteral("重複チェックリストのプレビュー"));
  }
  PrintDuplicateList(previewWindow_->NewDocument(), heading_, keyLines_, DuplicatesOnly());
  previewWindow_->ShowDocument();
  return true;
}

void DuplicateCheckWindow::hideEvent(QHideEvent* event) {
  if (previewWindow_) previewWindow_->close();
  QDialog::hideEvent(event);
}

QDialog* DuplicateCheckWindow::ShowDuplicates() {
  auto* grid = new DuplicateGridWindow(keyLines_, this);
  grid->setAttribute(Qt::WA_DeleteOnClose);
  grid->show();
  return grid;
}

DuplicateGridWindow::DuplicateGridWindow(const QStringList& keyLines, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("重複交信表示"));
  auto* layout = new QVBoxLayout(this);
  const QList<DuplicateRow> rows = DuplicateRows(keyLines);
  auto* grid = new QTableWidget(rows.size(), 5);
  grid->setObjectName(QStringLiteral("Grid1"));
  grid->setHorizontalHeaderLabels({QStringLiteral("CALL"), QStringLiteral("Mode"), QStringLiteral("Band"),
                                   QStringLiteral("Date"), QStringLiteral("Time")});
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->verticalHeader()->setVisible(false);
  QFont fixed(kGothicFont);
  fixed.setPointSizeF(font().pointSizeF());
  grid->setFont(fixed);
  const QColor shades[] = {QColor(255, 255, 224), QColor(224, 240, 255)};
  for (int r = 0; r < rows.size(); ++r) {
    const DuplicateRow& d = rows.at(r);
    const QString cells[] = {d.call, d.mode, d.band, d.date, d.time};
    for (int c = 0; c < 5; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setBackground(shades[(d.group - 1) % 2]);
      if (c == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid->setItem(r, c, item);
    }
  }
  grid->resizeColumnsToContents();
  // Wide enough for all five columns, Time included, without scrolling.
  int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < 5; ++c) {
    grid->setColumnWidth(c, qMax(grid->columnWidth(c) + 12, 64));
    width += grid->columnWidth(c);
  }
  grid->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(grid);
  auto* close = new QPushButton(QStringLiteral("閉じる"));
  close->setObjectName(QStringLiteral("Command1"));
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  const QMargins margins = layout->contentsMargins();
  resize(qMax(380, width + margins.left() + margins.right()), 420);
}

}  // namespace zotra
