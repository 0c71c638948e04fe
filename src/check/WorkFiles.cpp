#include "WorkFiles.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace zotra {
namespace {

constexpr int kQsoFieldsRead = 10;  // record number … received RST
constexpr int kRestFields = 6;      // multipliers 1 to 3, points, empty, note
constexpr int kProgressEvery = 256;

struct ExtractLine {
  QString fields[kQsoFieldsRead];
  QString rest;
};

ExtractLine ParseExtractLine(const QString& line) {
  ExtractLine parsed;
  ListReader reader(line);
  for (QString& field : parsed.fields) {
    if (!reader.Next(&field)) break;
  }
  parsed.rest = reader.RestOfLine();
  return parsed;
}

// The six fields after the tenth, as they stand when they are six; otherwise
// filled up with empty fields, or the surplus joined into the note.
QString NormalisedRest(const QString& rest) {
  QStringList fields = SplitListLine(rest);
  if (fields.size() == kRestFields) return rest;
  if (fields.size() > kRestFields) {
    const QString note = fields.mid(kRestFields - 1).join(QLatin1Char(','));
    fields = fields.mid(0, kRestFields - 1);
    fields << note;
  }
  while (fields.size() < kRestFields) fields << QString();
  QStringList quoted;
  for (const QString& f : fields) quoted << QuoteField(f);
  return quoted.join(QLatin1Char(','));
}

QString Wk2Line(const ExtractLine& q) {
  // The report comes first, as the log program and the electronic log read
  // the exchange: "599 13M".
  const QString sent = TrimBlanks(q.fields[7] + QLatin1Char(' ') + q.fields[6]);
  const QString received = TrimBlanks(q.fields[9] + QLatin1Char(' ') + q.fields[8]);
  QString out;
  out.reserve(128);
  for (int i = 0; i < 6; ++i) {
    out += QuoteField(q.fields[i]);
    out += QLatin1Char(',');
  }
  out += QuoteField(sent);
  out += QLatin1Char(',');
  out += QuoteField(received);
  out += QLatin1Char(',');
  out += NormalisedRest(q.rest);
  return out;
}

QString FolderFile(const QString& folder, const QString& name) { return ResolveInFolder(folder, name); }

// Lines of a file that are not blank; 0 when it cannot be read.
int CountRecordLines(const QString& path) {
  QString text;
  if (!ReadText(path, &text)) return 0;
  int count = 0;
  for (const QString& line : SplitLines(text)) {
    if (!IsBlankLine(line)) ++count;
  }
  return count;
}

}  // namespace

void TellNotWritten(Dialogs* dialogs, const QString& path) {
  if (!dialogs) return;
  dialogs->Tell(QStringLiteral("ファイル ") + QDir::toNativeSeparators(path) + QStringLiteral(" に書き込めません"), {},
                Icon::Critical);
}

QString CountLimitMessage(int read, int selected) {
  if (read <= kLargestQsoCount && selected <= kLargestQsoCount) return {};
  return QStringLiteral("交信数が %3 件を超えています（総交信局数 %1 件、選択された局数 %2 件）\n"
                        "件数はそのまま表示します。重複チェックと得点の集計ができるのは %3 件までです")
      .arg(read)
      .arg(selected)
      .arg(kLargestQsoCount);
}

QString SelectionLine(const QString& extractLine) { return Wk2Line(ParseExtractLine(extractLine)); }

QString ExtractBand(const QString& extractLine) { return ParseExtractLine(extractLine).fields[1]; }

SelectionResult SelectQsos(const QString& folder, const QString& selection, Dialogs* dialogs,
                           const SelectionProgress& progress) {
  SelectionResult result;
  QString text;
  const QString source = FolderFile(folder, kExtractFileName);
  if (!FileExists(source) || !ReadText(source, &text)) return result;
  result.found = true;

  const bool all = selection == kAllBands;
  QString out = QuoteField(selection) + QLatin1String("\r\n");
  const QStringList lines = SplitLines(text);
  text.clear();
  for (const QString& line : lines) {
    if (IsBlankLine(line)) continue;
    ++result.read;
    const ExtractLine q = ParseExtractLine(line);
    if (all || q.fields[1] == selection) {
      out += Wk2Line(q);
      out += QLatin1String("\r\n");
      ++result.selected;
    }
    if (progress && result.read % kProgressEvery == 0) progress(result.read, result.selected);
  }
  result.written = WriteText(FolderFile(folder, kSelectionFileName), out, WriteMode::Plain, dialogs);
  if (!result.written) TellNotWritten(dialogs, FolderFile(folder, kSelectionFileName));
  const QString limit = CountLimitMessage(result.read, result.selected);
  if (dialogs && !limit.isEmpty()) dialogs->Tell(limit, {}, Icon::Warning);
  // The key and duplicate files of the previous selection no longer fit.
  DeleteFile(FolderFile(folder, kKeyFileName));
  DeleteFile(FolderFile(folder, kDuplicateFileName));
  if (progress) progress(result.read, result.selected);
  return result;
}

int CountExtractedQsos(const QString& folder) { return CountRecordLines(FolderFile(folder, kExtractFileName)); }

int CountSelectionRecords(const QString& folder) {
  // Line 1 is the selection.
  return qMax(0, CountRecordLines(FolderFile(folder, kSelectionFileName)) - 1);
}

std::optional<QString> SelectionOfFile(const QString& path) {
  QFile f(ResolvePath(path));
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  // Only line 1 matters; the file may hold tens of thousands of QSOs.
  while (!f.atEnd()) {
    QByteArray bytes = f.readLine(4096);
    while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
    const QString line = DecodeCp932(bytes);
    if (IsBlankLine(line)) continue;
    QString first, rest;
    bool hasRest = false;
    SplitFirstField(line, &first, &rest, &hasRest);
    return first;
  }
  return std::nullopt;
}

QString SavedCopyName(const QString& selection) {
  if (selection == kAllBands) return QStringLiteral("ALL.SVE");
  const double whole = std::trunc(Val(selection));
  const qint64 number = std::isfinite(whole) && std::fabs(whole) < 1e15 ? static_cast<qint64>(whole) : 0;
  return QString::number(number) + QStringLiteral(".sve");
}

bool SaveSelectionCopy(const QString& folder) {
  const QString wk2 = FolderFile(folder, kSelectionFileName);
  const std::optional<QString> selection = SelectionOfFile(wk2);
  if (!selection) return false;
  QByteArray bytes;
  if (!ReadBytes(wk2, &bytes)) return false;
  return WriteBytes(FolderFile(folder, SavedCopyName(*selection)), bytes, WriteMode::Safe);
}

bool SavedCopyAvailable(const QString& folder, const QString& selection) {
  if (selection.isEmpty()) return false;
  const QString copy = FolderFile(folder, SavedCopyName(selection));
  if (!FileExists(copy)) return false;
  const std::optional<QString> named = SelectionOfFile(copy);
  return named && *named == selection;
}

RebuildResult RebuildFromSavedCopy(const QString& folder, const QString& selection, Dialogs* dialogs) {
  RebuildResult result;
  QStringList lines;
  if (!SavedCopyAvailable(folder, selection) || !ReadLines(FolderFile(folder, SavedCopyName(selection)), &lines)) {
    return result;
  }
  QString out;
  bool headerDone = false;
  for (const QString& line : lines) {
    if (IsBlankLine(line)) continue;
    if (!headerDone) {
      out += line + QLatin1String("\r\n");
      headerDone = true;
      continue;
    }
    QString first, rest;
    bool hasRest = false;
    SplitFirstField(line, &first, &rest, &hasRest);
    out += QuoteField(first);
    if (hasRest) out += QLatin1Char(',') + rest;
    out += QLatin1String("\r\n");
    ++result.records;
    if (Val(first) > 0) ++result.valid;
  }
  result.written = WriteText(FolderFile(folder, kSelectionFileName), out, WriteMode::Plain, dialogs);
  if (!result.written) TellNotWritten(dialogs, FolderFile(folder, kSelectionFileName));
  DeleteFile(FolderFile(folder, kKeyFileName));
  DeleteFile(FolderFile(folder, kDuplicateFileName));
  return result;
}

void DeleteWorkFiles(const QString& folder) {
  for (const QString& name : {kSelectionFileName, kKeyFileName, kDuplicateFileName}) {
    DeleteFile(FolderFile(folder, name));
  }
}

bool IsBlankLine(const QString& line) {
  for (QChar c : line) {
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QChar(0x1A)) return false;
  }
  return true;
}

void SplitFirstField(const QString& line, QString* first, QString* rest, bool* hasRest) {
  const int n = line.size();
  int pos = 0;
  while (pos < n && (line.at(pos) == QLatin1Char(' ') || line.at(pos) == QLatin1Char('\t'))) ++pos;
  if (pos < n && line.at(pos) == QLatin1Char('"')) {
    const int start = ++pos;
    while (pos < n && line.at(pos) != QLatin1Char('"')) ++pos;
    *first = line.mid(start, pos - start);
    // What stands between the closing quote and the comma is not part of it.
    while (pos < n && line.at(pos) != QLatin1Char(',')) ++pos;
  } else {
    const int start = pos;
    while (pos < n && line.at(pos) != QLatin1Char(',')) ++pos;
    *first = TrimRightBlanks(line.mid(start, pos - start));
  }
  *hasRest = pos < n;
  *rest = *hasRest ? line.mid(pos + 1) : QString();
}

}  // namespace zotra
