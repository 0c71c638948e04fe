#include "DuplicateList.h"

#include "common/Files.h"
#include "common/Text.h"

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

}  // namespace zotra
