#include "DuplicateCheck.h"

#include "WorkFiles.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace zotra {
namespace {

constexpr int kSortColumns = 21;      // mark, call, criterion, record number
constexpr int kCompareFrom = 2;       // call sign …
constexpr int kCompareColumns = 14;   // … through the criterion (columns 2–15)
constexpr int kProgressEvery = 256;

// Puts text into the key line from a column (counted from 1) on, never past
// the line's end.
void Place(QString& line, int column, const QString& text) {
  const int start = column - 1;
  const int count = std::min<int>(text.size(), line.size() - start);
  for (int i = 0; i < count; ++i) line[start + i] = text.at(i);
}

QString RightAligned6(const QString& text) { return text.size() > 6 ? text.left(6) : PadLeft(text, 6); }

// Columns of a line as a view when the line reaches that far; otherwise a
// padded copy kept in *storage.
QStringView Columns(const QString& line, int firstColumn, int count, QString* storage) {
  const int start = firstColumn - 1;
  if (line.size() >= start + count) return QStringView(line).mid(start, count);
  *storage = KeyColumns(line, firstColumn, count);
  return QStringView(*storage);
}

bool IsBlankLine(const QString& line) {
  for (QChar c : line) {
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QChar(0x1A)) return false;
  }
  return true;
}

KeyRecord ParseRecord(const QString& line) {
  KeyRecord r;
  ListReader reader(line);
  QString* fields[] = {&r.recordNumber, &r.band, &r.mode, &r.date, &r.time, &r.call};
  for (QString* f : fields) {
    if (!reader.Next(f)) break;
  }
  return r;
}

}  // namespace

Criterion CriterionFromIndex(int index) {
  switch (index) {
    case 1: return Criterion::Band;
    case 2: return Criterion::Mode;
    default: return Criterion::Date;
  }
}

int CriterionIndex(Criterion criterion) {
  switch (criterion) {
    case Criterion::Band: return 1;
    case Criterion::Mode: return 2;
    default: return 0;
  }
}

QString TooManyLinesMessage(int count) {
  return QStringLiteral("ﾃﾞｰﾀ件数が多すぎます\n") + QString::number(count) + QStringLiteral(" 件 (上限 ") +
         QString::number(kSortCapacity) + QStringLiteral(" 件)");
}

QString ComparisonCall(const QString& callSign) {
  const QString call = TrimBlanks(callSign);
  if (!call.contains(QLatin1Char('/'))) return call.left(7);
  QString longest;
  for (const QString& part : call.split(QLatin1Char('/'))) {
    const QString p = TrimBlanks(part);
    if (p.size() >= longest.size()) longest = p;
  }
  return longest.left(7);
}

int RecordNumber(const KeyRecord& record) { return ValInt(record.recordNumber); }

QString BuildKeyLine(const KeyRecord& record, Criterion criterion) {
  QString line(kKeyLineLength, QLatin1Char(' '));
  line[0] = QLatin1Char('0');
  Place(line, 2, ComparisonCall(record.call));
  const QString monthDay = record.date.mid(5, 5);
  const QString mode = record.mode.left(3);
  const QString band = RightAligned6(record.band);
  switch (criterion) {
    case Criterion::Date: Place(line, 10, monthDay); break;
    case Criterion::Band: Place(line, 10, band); break;
    case Criterion::Mode: Place(line, 10, mode); break;
    case Criterion::None: break;
  }
  Place(line, 16, PadLeft(QString::number(RecordNumber(record)), 6, QLatin1Char('0')).right(6));
  Place(line, 22, monthDay);
  Place(line, 28, record.time.left(5));
  Place(line, 33, band);
  Place(line, 40, mode);
  return line;
}

void SortKeyLines(QStringList& lines) {
  const int n = lines.size();
  std::vector<QStringView> keys(n);
  std::vector<QString> padded(n);
  for (int i = 0; i < n; ++i) keys[i] = Columns(lines.at(i), 1, kSortColumns, &padded[i]);
  // The index breaks every tie, so lines equal in their first 21 characters
  // keep their order, however many there are.
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) { return keys[a].compare(keys[b]) < 0; });
  QStringList sorted;
  sorted.reserve(n);
  for (int i : order) sorted.append(lines.at(i));
  lines.swap(sorted);
}

MarkCounts MarkDuplicates(QStringList& lines) {
  QString a, b;
  for (int k = 0; k + 1 < lines.size(); ++k) {
    if (Columns(lines.at(k), kCompareFrom, kCompareColumns, &a) !=
        Columns(lines.at(k + 1), kCompareFrom, kCompareColumns, &b)) {
      continue;
    }
    QString& first = lines[k];
    if (first.isEmpty()) first = QStringLiteral("0");
    first[0] = first.at(0) == QLatin1Char('0') ? QLatin1Char('5') : QLatin1Char('9');
    QString& next = lines[k + 1];
    if (next.isEmpty()) next = QStringLiteral("0");
    next[0] = QLatin1Char('9');
  }
  MarkCounts counts;
  for (const QString& line : lines) {
    const QChar mark = KeyMark(line);
    if (mark == QLatin1Char('5')) ++counts.stations;
    if (mark == QLatin1Char('5') || mark == QLatin1Char('9')) ++counts.duplicates;
  }
  return counts;
}

QString KeyColumns(const QString& line, int firstColumn, int count) {
  return PadRight(line.mid(firstColumn - 1, count), count);
}

QChar KeyMark(const QString& line) { return line.isEmpty() ? QLatin1Char(' ') : line.at(0); }

int KeyRecordNumber(const QString& line) { return ValInt(KeyColumns(line, 16, 6)); }

CheckResult CheckSelection(const QString& wk2Text, Criterion criterion, Dialogs* dialogs,
                           const CheckProgress& progress) {
  CheckResult result;
  result.found = true;
  const QStringList lines = SplitLines(wk2Text);
  const int total = lines.size();
  bool selectionRead = false;
  for (int i = 0; i < total; ++i) {
    const QString& line = lines.at(i);
    if (IsBlankLine(line)) continue;
    if (!selectionRead) {
      QString rest;
      bool hasRest = false;
      SplitFirstField(line, &result.selection, &rest, &hasRest);
      selectionRead = true;
      continue;
    }
    ++result.read;
    const KeyRecord record = ParseRecord(line);
    if (RecordNumber(record) == 0) {
      ++result.invalid;
    } else {
      result.keyLines.append(BuildKeyLine(record, criterion));
    }
    if (progress.step && result.read % kProgressEvery == 0) {
      progress.step(QStringLiteral("ﾃﾞｰﾀ読込中です"), i, total);
    }
  }
  if (result.keyLines.size() > kSortCapacity && dialogs) {
    dialogs->Tell(TooManyLinesMessage(result.keyLines.size()), QStringLiteral("ZOTRAC"));
  }
  if (progress.step) progress.step(QStringLiteral("ﾃﾞｰﾀｿｰﾄ中です"), 0, 1);
  SortKeyLines(result.keyLines);
  if (progress.step) progress.step(QStringLiteral("重複ﾁｪｯｸ中です"), 0, 1);
  result.counts = MarkDuplicates(result.keyLines);
  return result;
}

CheckResult RunDuplicateCheck(const QString& folder, Criterion criterion, Dialogs* dialogs,
                              const CheckProgress& progress) {
  QString text;
  const QString wk2 = ResolveInFolder(folder, kSelectionFileName);
  if (!FileExists(wk2) || !ReadText(wk2, &text)) return {};
  CheckResult result = CheckSelection(text, criterion, dialogs, progress);
  text.clear();
  bool ok = WriteText(ResolveInFolder(folder, kKeyFileName), KeyFileText(result), WriteMode::Plain, dialogs);
  const QString duplicates = ResolveInFolder(folder, kDuplicateFileName);
  if (result.HasDuplicates()) {
    ok = WriteText(duplicates, DuplicateFileText(result), WriteMode::Plain, dialogs) && ok;
  } else {
    DeleteFile(duplicates);
  }
  result.written = ok;
  return result;
}

void PrepareForLog(const QString& folder, const CheckResult& result) {
  if (result.HasDuplicates()) return;
  DeleteFile(ResolveInFolder(folder, kDuplicateFileName));
  DeleteFile(ResolveInFolder(folder, kKeyFileName));
}

QString KeyFileText(const CheckResult& result) {
  QString out;
  out.reserve((result.keyLines.size() + 1) * (kKeyLineLength + 2));
  out += QuoteField(result.selection);
  out += QLatin1String("\r\n");
  for (const QString& line : result.keyLines) {
    out += line;
    out += QLatin1String("\r\n");
  }
  return out;
}

QString DuplicateFileText(const CheckResult& result) {
  QString out;
  for (const QString& line : result.keyLines) {
    if (KeyMark(line) == QLatin1Char('0')) continue;
    out += line;
    out += QLatin1String("\r\n");
  }
  return out;
}

}  // namespace zotra
