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
  if (!point && digits <= 18) {
    qint64 v = 0;
    bool negative = false;
    for (int k = begin; k < end; ++k) {
      const QChar c = text.at(k);
      if (c == QLatin1Char('-')) negative = true;
      else if (c != QLatin1Char('+')) v = v * 10 + (c.unicode() - '0');
    }
    return negative ? -v : v;
  }
  const double v = std::nearbyint(QStringView(text).mid(begin, end - begin).toDouble());  // halves to even
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

void QsoTable::AppendRecord(QsoRecord record) { rows_.push_back(std::move(record)); }

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

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The fields of the line text[begin, end) by the rules of the list-file
// reader (SplitListLine), without copying the line first: a quoted field ends
// at its closing quote and what follows up to the comma is ignored; an
// unquoted field ends at a comma, its trailing blanks removed; a comma at the
// end of the line leaves one empty field.
int SplitFields(const QString& text, int begin, int end, QsoRecord* record, QString* first) {
  int count = 0;
  int pos = begin;
  auto store = [&](QString field) {
    if (count == 0 && first) *first = field;
    if (count < kQsoFields) (*record)[static_cast<size_t>(count)] = std::move(field);
    ++count;
  };
  while (pos < end) {
    if (text.at(pos) == QChar(0x1A)) break;  // an end-of-file mark
    while (pos < end && IsBlank(text.at(pos))) ++pos;
    if (pos < end && text.at(pos) == QLatin1Char('"')) {
      const int start = ++pos;
      while (pos < end && text.at(pos) != QLatin1Char('"')) ++pos;
      store(text.mid(start, pos - start));
      while (pos < end && text.at(pos) != QLatin1Char(',')) ++pos;
    } else {
      const int start = pos;
      while (pos < end && text.at(pos) != QLatin1Char(',')) ++pos;
      int stop = pos;
      while (stop > start && IsBlank(text.at(stop - 1))) --stop;
      store(text.mid(start, stop - start));
    }
    if (pos < end) {
      ++pos;  // the comma
      int p = pos;
      while (p < end && IsBlank(text.at(p))) ++p;
      if (p >= end) {
        store(QString());
        break;
      }
    }
  }
  return count;
}

}  // namespace

WorkFileLoad ParseWorkFile(const QString& text, QsoTable* table) {
  WorkFileLoad load;
  load.found = true;
  table->Clear();
  table->SetBandSelection({});
  bool selectionRead = false;
  int start = 0;
  const int n = text.size();
  table->Reserve(static_cast<int>(text.count(QLatin1Char('\n'))) + 1);
  while (start < n) {
    int end = start;
    while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n')) ++end;
    const int lineStart = start;
    const int lineEnd = end;
    start = end;
    if (start < n && text.at(start) == QLatin1Char('\r')) ++start;
    if (start < n && text.at(start) == QLatin1Char('\n')) ++start;
    if (lineEnd == lineStart) continue;

    QsoRecord record;
    QString first;
    const int fields = SplitFields(text, lineStart, lineEnd, &record, &first);
    if (fields == 0) continue;
    if (!selectionRead) {
      selectionRead = true;
      table->SetBandSelection(first);
      continue;
    }
    if (fields < kQsoFields) ++load.shortRecords;
    if (fields > kQsoFields) ++load.longRecords;
    bool numberOk = false;
    bool pointsOk = false;
    CellNumber(record[col::kNumber - 1], &numberOk);
    CellNumber(record[col::kPoints - 1], &pointsOk);
    table->AppendRecord(std::move(record));
    if (!numberOk || !pointsOk) {
      load.badNumbers += (numberOk ? 0 : 1) + (pointsOk ? 0 : 1);
      if (load.firstBadRow == 0) load.firstBadRow = table->RowCount();
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
