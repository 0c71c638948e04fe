#include "QsoTableModel.h"

#include <QBrush>

namespace zotra {

QString QsoHeading(int column) {
  static const QStringList headings = {
      QString(),          QStringLiteral("交信番号"), QStringLiteral("Band"), QStringLiteral("Mode"),
      QStringLiteral("月日"), QStringLiteral("時刻"),   QStringLiteral("交信局"), QStringLiteral("送信"),
      QStringLiteral("受信"), QStringLiteral("ﾏﾙﾁ1"),  QStringLiteral("ﾏﾙﾁ2"), QStringLiteral("ﾏﾙﾁ3"),
      QStringLiteral("点"),  QStringLiteral("Op"),    QStringLiteral("Rmk")};
  return headings.value(column);
}

bool QsoColumnCentred(int column) {
  return column == col::kNumber || column == col::kBand || column >= col::kPoints;
}

QsoTableModel::QsoTableModel(QsoTable* table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

int QsoTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_->RowCount();
}

int QsoTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kQsoColumns; }

QVariant QsoTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = RowOf(index);
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole: return table_->Cell(row, column);
    case Qt::ToolTipRole: {
      // The narrow columns show their whole text when the pointer rests on them.
      if (column < col::kSent) return {};
      const QString text = table_->Cell(row, column);
      return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter | (QsoColumnCentred(column) ? Qt::AlignHCenter : Qt::AlignLeft));
    case Qt::ForegroundRole: {
      const Mark mark = MarkOf(row, column);
      if (mark == Mark::Changed) return QBrush(colors::kChanged);
      if (mark == Mark::Restored) return QBrush(colors::kRestored);
      return {};
    }
    case Qt::BackgroundRole: {
      if (column != col::kPoints) return {};
      const int s = SelectionOf(row);
      if (s == 0) return {};
      return QBrush(s > 0 ? colors::kSelected : colors::kUnselected);
    }
    default: return {};
  }
}

QVariant QsoTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (role == Qt::DisplayRole) return QsoHeading(section);
    return {};
  }
  if (role == Qt::DisplayRole) return QString::number(section + 1);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
  return {};
}

Qt::ItemFlags QsoTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

void QsoTableModel::SetCell(int row, int column, const QString& text) {
  if (table_->Cell(row, column) == text) return;
  if (!table_->SetCell(row, column, text)) return;
  modified_ = true;
  const QModelIndex i = IndexOf(row, column);
  emit dataChanged(i, i, {Qt::DisplayRole});
}

void QsoTableModel::ColumnsChanged(int first, int last) {
  if (table_->RowCount() == 0) return;
  emit dataChanged(index(0, first), index(table_->RowCount() - 1, last));
}

void QsoTableModel::SetMark(int row, int column, Mark mark) {
  if (mark == Mark::None) {
    marks_.remove(Key(row, column));
  } else {
    marks_.insert(Key(row, column), mark);
  }
  const QModelIndex i = IndexOf(row, column);
  emit dataChanged(i, i, {Qt::ForegroundRole});
}

QsoTableModel::Mark QsoTableModel::MarkOf(int row, int column) const {
  return marks_.value(Key(row, column), Mark::None);
}

void QsoTableModel::SetSelection(const std::vector<bool>& selected) {
  selection_.assign(static_cast<size_t>(table_->RowCount()), -1);
  for (size_t i = 0; i < selected.size() && i < selection_.size(); ++i) {
    if (selected[i]) selection_[i] = 1;
  }
  if (table_->RowCount() > 0) {
    emit dataChanged(index(0, col::kPoints), index(table_->RowCount() - 1, col::kPoints), {Qt::BackgroundRole});
  }
}

int QsoTableModel::SelectionOf(int row) const {
  const size_t i = static_cast<size_t>(row - 1);
  return row >= 1 && i < selection_.size() ? selection_[i] : 0;
}

}  // namespace zotra
