#include "QsoTable.h"

#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <cmath>

namespace zotra {

qint64 CellNumber(const QString& text, bool* numeric) {
  if (numeric) *numeric = false;
  int begin = 0;
  int end = text.size();
  while (begin < end && text.at(begin) == QLatin1Char(' ')) ++begin;
  while (end > begin && text.at(end - 1) == QLatin1Char(' ')) --end;
  int i = begin;
  if (i < end && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) ++i;
  int digits = 0;
  bool point = false;
  for (; i < end; ++i) {
    const QChar c = text.at(i);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      ++digits;
    } else if (c == QLatin1Char('.') && !point) {
      point = true;
    } else {
      return 0;
    }
  }
  if (digits == 0) return 0;
  if (numeric) *numeric = true;
  // Whole numbers, the usual case, without going through floating point.
  if (!point && end - begin <= 18) return text.mid(begin, end - begin).toLongLong();
  const double v = std::nearbyint(text.mid(begin, end - begin).toDouble());  // halves to even
  if (v >= 9.0e18) return static_cast<qint64>(9.0e18);
  if (v <= -9.0e18) return static_cast<qint64>(-9.0e18);
  return static_cast<qint64>(v);
}

QString QsoTable::Cell(int row, int column) const {
  if (row < 1 || row > RowCount() || column < 0 || column >= kQsoColumns) return {};
  if (column == col::kRow) return QString::number(row);
  return rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
}

bool QsoTable::SetCell(int row, int column, const QString& text) {
  if (row < 1 || row > RowCount() || column < 1 || column >= kQsoColumns) return false;
  rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)] = text;
  return true;
}

void QsoTable::AppendRecord(const QsoRecord& record) { rows_.push_back(record); }

void QsoTable::Clear() {
  rows_.clear();
  longest_.fill(0);
}

int QsoTable::LongestBytes(int column) const {
  return column >= 0 && column < kQsoColumns ? longest_[static_cast<size_t>(column)] : 0;
}

void QsoTable::MeasureLongestBytes() {
  longest_.fill(0);
  for (const QsoRecord& r : rows_) {
    for (int c = col::kSent; c <= col::kMulti3; ++c) {
      const int n = Cp932Length(r[static_cast<size_t>(c - 1)]);
      if (n > longest_[static_cast<size_t>(c)]) longest_[static_cast<size_t>(c)] = n;
    }
  }
}

WorkFileLoad ParseWorkFile(const QString& text, QsoTable* table) {
  WorkFileLoad load;
  load.found = true;
  table->Clear();
  table->SetBandSelection({});
  bool selectionRead = false;
  int start = 0;
  const int n = text.size();
  while (start < n) {
    int end = start;
    while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n')) ++end;
    const QString line = text.mid(start, end - start);
    start = end;
    if (start < n && text.at(start) == QLatin1Char('\r')) ++start;
    if (start < n && text.at(start) == QLatin1Char('\n')) ++start;
    if (line.isEmpty() || line == QStringLiteral("\x1a")) continue;

    const QStringList fields = SplitListLine(line);
    if (!selectionRead) {
      selectionRead = true;
      table->SetBandSelection(fields.value(0));
      continue;
    }
    if (fields.isEmpty()) continue;
    QsoRecord record;
    for (int f = 0; f < kQsoFields && f < fields.size(); ++f) record[static_cast<size_t>(f)] = fields.at(f);
    if (fields.size() < kQsoFields) ++load.shortRecords;
    if (fields.size() > kQsoFields) ++load.longRecords;
    table->AppendRecord(record);
    const int row = table->RowCount();
    bool numberOk = false;
    bool pointsOk = false;
    CellNumber(record[col::kNumber - 1], &numberOk);
    CellNumber(record[col::kPoints - 1], &pointsOk);
    if (!numberOk || !pointsOk) {
      load.badNumbers += (numberOk ? 0 : 1) + (pointsOk ? 0 : 1);
      if (load.firstBadRow == 0) load.firstBadRow = row;
    }
  }
  table->MeasureLongestBytes();
  return load;
}

WorkFileLoad ReadWorkFile(const QString& path, QsoTable* table) {
  QString text;
  if (!ReadText(path, &text)) {
    table->Clear();
    return {};
  }
  return ParseWorkFile(text, table);
}

QString WorkFileText(const QsoTable& table) {
  ListWriter writer;
  writer.Text(table.BandSelection()).EndRecord();
  for (int row = 1; row <= table.RowCount(); ++row) {
    for (const QString& field : table.Record(row)) writer.Text(field);
    writer.EndRecord();
  }
  return writer.Result();
}

bool WriteWorkFile(const QString& path, const QsoTable& table, Dialogs* dialogs) {
  return WriteText(path, WorkFileText(table), WriteMode::Safe, dialogs);
}

}  // namespace zotra
