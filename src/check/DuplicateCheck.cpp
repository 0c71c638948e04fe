#include "DuplicateCheck.h"

#include "WorkFiles.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zotra {
namespace {

constexpr int kSortColumns = 21;      // mark, call, criterion, record number
constexpr int kCompareFrom = 2;       // call sign …
constexpr int kCompareColumns = 14;   // … through the criterion (columns 2–15)
constexpr int kProgressEvery = 256;

// Columns of a line as a view when the line reaches that far; otherwise a
// padded copy kept in *storage.
QStringView Columns(const QString& line, int firstColumn, int count, QString* storage) {
  const int start = firstColumn - 1;
  if (line.size() >= start + count) return QStringView(line).mid(start, count);
  *storage = KeyColumns(line, firstColumn, count);
  return QStringView(*storage);
}

QStringView TrimmedBlanks(QStringView text) {
  while (!text.isEmpty() && text.front() == QLatin1Char(' ')) text = text.sliced(1);
  while (!text.isEmpty() && text.back() == QLatin1Char(' ')) text.chop(1);
  return text;
}

// The longest blank-trimmed part between "/" (the later of equal ones).
QStringView ComparisonCallView(QStringView call) {
  call = TrimmedBlanks(call);
  if (!call.contains(QLatin1Char('/'))) return call;
  QStringView longest;
  qsizetype start = 0;
  while (start <= call.size()) {
    qsizetype end = call.indexOf(QLatin1Char('/'), start);
    if (end < 0) end = call.size();
    const QStringView part = TrimmedBlanks(call.sliced(start, end - start));
    if (part.size() >= longest.size()) longest = part;
    start = end + 1;
  }
  return longest;
}

// A text as it stands in a key line, where every column is one character
// and one CP932 byte: full-width letters, digits and kana narrowed
// (ＪＡ１ＸＸＸ is JA1XXX); a character that still takes two bytes becomes
// "?". Plain ASCII is the text itself; anything else is made in *storage.
QStringView KeyText(QStringView text, QString* storage) {
  if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) return text;
  *storage = ToNarrow(text.toString());
  for (QChar& c : *storage) {
    if (Cp932CharLength(c) != 1) c = QLatin1Char('?');
  }
  return QStringView(*storage);
}

// Copies text into the key line from a column (counted from 1) on, at most
// `width` characters and never past the line's end.
void Put(QChar* line, int column, QStringView text, int width) {
  const int count = std::min<int>({int(text.size()), width, kKeyLineLength - (column - 1)});
  for (int i = 0; i < count; ++i) line[column - 1 + i] = text[i];
}

void PutRight6(QChar* line, int column, QStringView text) {
  if (text.size() > 6) text = text.first(6);
  Put(line, column + 6 - int(text.size()), text, int(text.size()));
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
  QString narrow;
  return ComparisonCallView(KeyText(callSign, &narrow)).left(7).toString();
}

int RecordNumber(const KeyRecord& record) {
  // Plain digits, the usual case, without the general reading.
  const QString& text = record.recordNumber;
  if (!text.isEmpty() && text.size() <= 9) {
    int value = 0;
    bool digits = true;
    for (QChar c : text) {
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
        digits = false;
        break;
      }
      value = value * 10 + (c.unicode() - '0');
    }
    if (digits) return value;
  }
  return ValInt(text);
}

QString BuildKeyLine(const KeyRecord& record, Criterion criterion) {
  QString line(kKeyLineLength, QLatin1Char(' '));
  QChar* out = line.data();
  out[0] = QLatin1Char('0');
  QString callText, dateText, timeText, bandText, modeText;
  // The call is narrowed before it is compared and cut: "ＪＡ１ＸＸＸ/1" is JA1XXX.
  Put(out, 2, ComparisonCallView(KeyText(record.call, &callText)), 7);
  const QStringView date = KeyText(record.date, &dateText);
  const QStringView monthDay = date.size() > 5 ? date.sliced(5).first(std::min<qsizetype>(5, date.size() - 5))
                                               : QStringView();
  const QStringView fullMode = KeyText(record.mode, &modeText);
  const QStringView mode = fullMode.first(std::min<qsizetype>(3, fullMode.size()));
  const QStringView band = KeyText(record.band, &bandText);
  switch (criterion) {
    case Criterion::Date: Put(out, 10, monthDay, 5); break;
    case Criterion::Band: PutRight6(out, 10, band); break;
    case Criterion::Mode: Put(out, 10, mode, 3); break;
    case Criterion::None: break;
  }
  const int number = RecordNumber(record);
  if (number >= 0 && number <= 999999) {
    int n = number;
    for (int i = 5; i >= 0; --i, n /= 10) out[15 + i] = QChar(u'0' + n % 10);
  } else {
    Put(out, 16, PadLeft(QString::number(number), 6, QLatin1Char('0')).right(6), 6);
  }
  Put(out, 22, monthDay, 5);
  Put(out, 28, KeyText(record.time, &timeText), 5);
  PutRight6(out, 33, band);
  Put(out, 40, mode, 3);
  return line;
}

void SortKeyLines(QStringList& lines) {
  // Each line's first 21 characters (blank-padded), high byte first, then
  // its index: comparing these bytes orders by the characters, and the index
  // breaks every tie, so lines equal in their first 21 characters keep their
  // order, however many there are.
  struct Entry {
    unsigned char bytes[kSortColumns * 2 + 4];
  };
  const int n = lines.size();
  std::vector<Entry> entries(n);
  for (int i = 0; i < n; ++i) {
    const QString& line = lines.at(i);
    unsigned char* b = entries[i].bytes;
    for (int c = 0; c < kSortColumns; ++c) {
      const char16_t u = c < line.size() ? line.at(c).unicode() : u' ';
      *b++ = static_cast<unsigned char>(u >> 8);
      *b++ = static_cast<unsigned char>(u & 0xFF);
    }
    for (int shift = 24; shift >= 0; shift -= 8) *b++ = static_cast<unsigned char>(unsigned(i) >> shift);
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return std::memcmp(a.bytes, b.bytes, sizeof a.bytes) < 0; });
  QStringList sorted;
  sorted.reserve(n);
  for (const Entry& e : entries) {
    const unsigned char* b = e.bytes + kSortColumns * 2;
    const int index = int((unsigned(b[0]) << 24) | (unsigned(b[1]) << 16) | (unsigned(b[2]) << 8) | unsigned(b[3]));
    sorted.append(lines.at(index));
  }
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
  const QString keys = ResolveInFolder(folder, kKeyFileName);
  bool ok = WriteText(keys, KeyFileText(result), WriteMode::Plain, dialogs);
  if (!ok) TellNotWritten(dialogs, keys);
  const QString duplicates = ResolveInFolder(folder, kDuplicateFileName);
  if (result.HasDuplicates()) {
    if (!WriteText(duplicates, DuplicateFileText(result), WriteMode::Plain, dialogs)) {
      TellNotWritten(dialogs, duplicates);
      ok = false;
    }
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
