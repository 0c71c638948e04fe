#include "DuplicateList.h"

#include "QsoTable.h"
#include "common/Files.h"
#include "common/Text.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace zotra {

QList<DuplicateListRow> ParseDuplicateList(const QStringList& lines) {
  QList<DuplicateListRow> rows;
  int group = 0;
  for (const QString& line : lines) {
    if (line.isEmpty() || line == QStringLiteral("\x1a")) continue;
    DuplicateListRow row;
    // A line marked "5" opens a new group.
    if (line.startsWith(QLatin1Char('5'))) row.group = QString::number(++group);
    // Columns of the key line, counted from 1: call 2–8, record number 16–21,
    // date 22–26, time 28–32, band 33–38 (right-aligned), mode from 40.
    // Six digits; a damaged line may hold a text such as "9E9999" there,
    // whose value no integer holds.
    const double number = Val(line.mid(15, 6));
    row.number = QString::number(std::isfinite(number) ? static_cast<qint64>(qBound(-1e15, number, 1e15)) : 0);
    row.call = TrimRightBlanks(line.mid(1, 7));
    row.date = line.mid(21, 5);
    row.time = line.mid(27, 5);
    row.band = TrimBlanks(line.mid(32, 6));
    row.mode = TrimRightBlanks(line.mid(39, 42));
    rows << row;
  }
  return rows;
}

QList<DuplicateListRow> ReadDuplicateList(const QString& path) {
  QStringList lines;
  if (!ReadLines(path, &lines)) return {};
  return ParseDuplicateList(lines);
}

namespace {

// The six digits of a key's record number.
qint64 KeyNumber(qint64 number) { return number >= 0 ? number % 1000000 : number; }

QString Identity(const QsoTable& table, int row) {
  return QStringList{table.Cell(row, col::kCall), table.Cell(row, col::kBand), table.Cell(row, col::kMode),
                     table.Cell(row, col::kDate)}
      .join(QLatin1Char('\n'));
}

}  // namespace

void FindInTable(QList<DuplicateListRow>* list, const QsoTable& table) {
  QHash<qint64, std::vector<int>> byNumber;  // the rows of a number, in table order
  for (int r = 1; r <= table.RowCount(); ++r) byNumber[KeyNumber(table.Number(r))].push_back(r);
  std::vector<bool> taken(static_cast<size_t>(table.RowCount()) + 1, false);
  for (DuplicateListRow& listed : *list) {
    listed.row = 0;
    for (int r : byNumber.value(KeyNumber(CellNumber(listed.number)))) {
      if (taken[static_cast<size_t>(r)]) continue;
      if (TrimRightBlanks(table.Cell(r, col::kDate).mid(5, 5)) != TrimRightBlanks(listed.date) ||
          TrimRightBlanks(table.Cell(r, col::kTime).left(5)) != TrimRightBlanks(listed.time)) {
        continue;
      }
      listed.row = r;
      listed.identity = Identity(table, r);
      taken[static_cast<size_t>(r)] = true;
      break;
    }
  }
}

std::vector<int> LaterDuplicateRows(const QList<DuplicateListRow>& list, const QsoTable& table) {
  std::vector<int> later;
  std::vector<int> group;
  auto close = [&] {
    std::sort(group.begin(), group.end());
    bool kept = false;
    for (int r : group) {
      if (!table.IsValid(r)) continue;
      if (kept) later.push_back(r);
      kept = true;
    }
    group.clear();
  };
  bool inGroup = false;
  for (const DuplicateListRow& listed : list) {
    if (!listed.group.isEmpty()) {
      close();
      inGroup = true;
    }
    if (inGroup && table.InTable(listed.row) && Identity(table, listed.row) == listed.identity) {
      group.push_back(listed.row);
    }
  }
  close();
  std::sort(later.begin(), later.end());
  return later;
}

QString InvalidatedDuplicatesReport(int inGroups, int invalidated) {
  if (invalidated == 0) return QStringLiteral("無効交信にする重複交信はありません");
  return QStringLiteral("重複交信 %1 件のうち %2 件を無効交信にしました\n"
                        "各局の最初の有効な交信が残ります（UNdo で元に戻せます）")
      .arg(inGroups)
      .arg(invalidated);
}

}  // namespace zotra
