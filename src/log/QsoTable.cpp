#include "QsoTable.h"

#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <cmath>

namespace zotra {

qint64 CellNumber(QStringView text, bool* numeric) {
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
  const double v = std::nearbyint(text.mid(begin, end - begin).toDouble());  // halves to even
  if (v >= 9.0e18) return static_cast<qint64>(9.0e18);
  if (v <= -9.0e18) return static_cast<qint64>(-9.0e18);
  return static_cast<qint64>(v);
}

int Cp932LengthOf(QStringView text) {
  int total = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++total;  // written as one "?"
      ++i;
      continue;
    }
    total += Cp932CharLength(text.at(i));
  }
  return total;
}

QStringView QsoTable::Field(int row, int column) const {
  const Slice& s = rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
  if (s.length == kChanged) return changed_[s.offset];
  return QStringView(text_).mid(s.offset, s.length);
}

QString QsoTable::Cell(int row, int column) const {
  if (!InTable(row) || column < 0 || column >= kQsoColumns) return {};
  if (column == col::kRow) return QString::number(row);
  const Slice& s = rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
  if (s.length == kChanged) return changed_[s.offset];
  return text_.mid(s.offset, s.length);
}

bool QsoTable::SetCell(int row, int column, const QString& text) {
  if (!InTable(row) || column < 1 || column >= kQsoColumns) return false;
  Slice& s = rows_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
  s.offset = static_cast<quint32>(changed_.size());
  s.length = kChanged;
  changed_.push_back(text);
  return true;
}

void QsoTable::AppendRecord(const QStringList& fields) {
  Row row;
  for (int f = 0; f < kQsoFields; ++f) {
    row[static_cast<size_t>(f)] = {static_cast<quint32>(changed_.size()), kChanged};
    changed_.push_back(fields.value(f));
  }
  rows_.push_back(row);
}

void QsoTable::Clear() {
  rows_.clear();
  changed_.clear();
  text_.clear();
  longest_.fill(0);
}

int QsoTable::LongestBytes(int column) const {
  return column >= 0 && column < kQsoColumns ? longest_[static_cast<size_t>(column)] : 0;
}

void QsoTable::MeasureLongestBytes() {
  longest_.fill(0);
  for (int r = 1; r <= RowCount(); ++r) {
    for (int c = col::kSent; c <= col::kMulti3; ++c) {
      const int n = Cp932LengthOf(Field(r, c));
      if (n > longest_[static_cast<size_t>(c)]) longest_[static_cast<size_t>(c)] = n;
    }
  }
}

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The fields of the line text[begin, end) by the rules of the list-file
// reader (SplitListLine), as slices of the text: a quoted field ends at its
// closing quote and what follows up to the comma is ignored; an unquoted field
// ends at a comma, its trailing blanks removed; a comma at the end of the line
// leaves one empty field. Returns the number of fields; the first fourteen
// are stored.
template <typename Store>
int SplitFields(const QString& text, int begin, int end, Store store) {
  int count = 0;
  int pos = begin;
  auto add = [&](int from, int to) {
    store(count, from, to);
    ++count;
  };
  while (pos < end) {
    if (text.at(pos) == QChar(0x1A)) break;  // an end-of-file mark
    while (pos < end && IsBlank(text.at(pos))) ++pos;
    if (pos < end && text.at(pos) == QLatin1Char('"')) {
      const int start = ++pos;
      while (pos < end && text.at(pos) != QLatin1Char('"')) ++pos;
      add(start, pos);
      while (pos < end && text.at(pos) != QLatin1Char(',')) ++pos;
    } else {
      const int start = pos;
      while (pos < end && text.at(pos) != QLatin1Char(',')) ++pos;
      int stop = pos;
      while (stop > start && IsBlank(text.at(stop - 1))) --stop;
      add(start, stop);
    }
    if (pos < end) {
      ++pos;  // the comma
      int p = pos;
      while (p < end && IsBlank(text.at(p))) ++p;
      if (p >= end) {
        add(p, p);
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
  table->text_ = text;
  table->rows_.reserve(static_cast<size_t>(text.count(QLatin1Char('\n'))) + 1);
  bool selectionRead = false;
  int start = 0;
  const int n = text.size();
  while (start < n) {
    int end = start;
    while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n')) ++end;
    const int lineStart = start;
    const int lineEnd = end;
    start = end;
    if (start < n && text.at(start) == QLatin1Char('\r')) ++start;
    if (start < n && text.at(start) == QLatin1Char('\n')) ++start;
    if (lineEnd == lineStart) continue;

    QsoTable::Row row{};
    for (QsoTable::Slice& s : row) s.offset = static_cast<quint32>(lineStart);  // empty fields
    int firstFrom = 0;
    int firstTo = 0;
    const int fields = SplitFields(text, lineStart, lineEnd, [&](int f, int from, int to) {
      if (f == 0) {
        firstFrom = from;
        firstTo = to;
      }
      if (f < kQsoFields) row[static_cast<size_t>(f)] = {static_cast<quint32>(from), static_cast<quint32>(to - from)};
    });
    if (fields == 0) continue;
    if (!selectionRead) {
      selectionRead = true;
      table->SetBandSelection(text.mid(firstFrom, firstTo - firstFrom));
      continue;
    }
    if (fields < kQsoFields) ++load.shortRecords;
    if (fields > kQsoFields) ++load.longRecords;
    table->rows_.push_back(row);
    const int r = table->RowCount();
    bool numberOk = false;
    bool pointsOk = false;
    CellNumber(table->Field(r, col::kNumber), &numberOk);
    CellNumber(table->Field(r, col::kPoints), &pointsOk);
    if (!numberOk || !pointsOk) {
      load.badNumbers += (numberOk ? 0 : 1) + (pointsOk ? 0 : 1);
      if (load.firstBadRow == 0) load.firstBadRow = r;
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
  // The records ListWriter writes (every field quoted, a double quote inside
  // written as "＂"), built in one piece: a full band has 450,000 fields.
  QString out;
  out.reserve(table.RowCount() * 96 + 16);
  out += QuoteField(table.BandSelection());
  out += QLatin1String("\r\n");
  for (int row = 1; row <= table.RowCount(); ++row) {
    for (int c = 1; c <= kQsoFields; ++c) {
      if (c > 1) out += QLatin1Char(',');
      const QStringView field = table.Field(row, c);
      if (field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n'))) {
        out += QuoteField(field.toString());
      } else {
        out += QLatin1Char('"');
        out += field;
        out += QLatin1Char('"');
      }
    }
    out += QLatin1String("\r\n");
  }
  return out;
}

bool WriteWorkFile(const QString& path, const QsoTable& table, Dialogs* dialogs) {
  return WriteText(path, WorkFileText(table), WriteMode::Safe, dialogs);
}

}  // namespace zotra
