#include "DuplicateListWindow.h"

#include "LogWindow.h"
#include "common/gui/Fonts.h"

#include "log/QsoTable.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace zotra {
namespace {

class DuplicateListModel : public QAbstractTableModel {
 public:
  DuplicateListModel(QList<DuplicateListRow> rows, const QsoTable* table, QObject* parent)
      : QAbstractTableModel(parent), rows_(std::move(rows)), table_(table) {}
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_.size(); }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 7; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const DuplicateListRow& r = rows_.at(index.row());
    const bool invalid = table_ && table_->InTable(r.row) && !table_->IsValid(r.row);
    if (role == Qt::ForegroundRole && invalid) return QColor(Qt::gray);
    if (role == Qt::FontRole && invalid) {
      QFont font(kGothicFont, 9);
      font.setStrikeOut(true);
      return font;
    }
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
      case 0: return r.group;
      case 1: return r.number;
      case 2: return r.call;
      case 3: return r.date;
      case 4: return r.time;
      case 5: return r.band;
      case 6: return r.mode;
    }
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList headings = {QString(),           QStringLiteral("交信番号"), QStringLiteral("Call"),
                                         QStringLiteral("月/日"), QStringLiteral("時刻"),    QStringLiteral("バンド"),
                                         QStringLiteral("モード")};
    return headings.value(section);
  }

  int TableRow(int listRow) const { return rows_.value(listRow).row; }

 private:
  QList<DuplicateListRow> rows_;
  const QsoTable* table_;
};

}  // namespace

DuplicateListWindow::DuplicateListWindow(const QList<DuplicateListRow>& rows, const QsoTable* table, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("Form6"));
  setWindowTitle(QStringLiteral("重複交信一覧"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(QFont(kGothicFont, 9));

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
  auto* model = new DuplicateListModel(rows, table, grid_);
  grid_->setModel(model);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setToolTip(QStringLiteral("クリックすると交信データの表でその交信を表示します"));
  connect(grid_, &QTableView::clicked, this, [this, model](const QModelIndex& index) {
    const int row = model->TableRow(index.row());
    if (row > 0) emit QsoChosen(row);
  });
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
  const double dpi = logicalDpiX();
  const double twips[] = {400, 800, 900, 720, 720, 720, 720};
  for (int c = 0; c < 7; ++c) grid_->setColumnWidth(c, TwipsToPixels(twips[c], dpi));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);
  resize(300, 200);
}

void DuplicateListWindow::ShowInCorner() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  move(area.topLeft());
  // The focus stays where the operator works, whatever the window system does.
  QWidget* keep = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
  show();
  if (keep && keep != this && keep->isVisible()) keep->activateWindow();
}

}  // namespace zotra
