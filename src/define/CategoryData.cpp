#include "CategoryData.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

namespace zotra {
namespace {

// One leading and one trailing double quote off a field.
QString Unquote(QString field) {
  if (field.startsWith(QLatin1Char('"'))) field.remove(0, 1);
  if (field.endsWith(QLatin1Char('"'))) field.chop(1);
  return field;
}

// The fields of one category line; the number of items it had.
int ParseCategoryLine(const QString& line, CategoryRow* row) {
  const QStringList items = line.split(QLatin1Char(','));
  auto item = [&items](int i) { return i < items.size() ? Unquote(items.at(i)) : QString(); };
  *row = {item(0), item(1), item(2), item(3), item(4)};
  return int(items.size());
}

// A text that must stay one field of a comma-separated line: its commas
// become the full-width "，".
QString CommasFullWidth(QString text) { return text.replace(QLatin1Char(','), QChar(0xFF0C)); }

QString CategoryField(const QString& text) { return QuoteField(CommasFullWidth(TrimBlanks(text))); }

// The category file to read: the working file, or the base file when the
// working file could not be made valid.
QString UsableCategoryFile(const QString& folder) {
  const QString work = ResolveInFolder(folder, kCategoryWorkFile);
  if (CategoryFileValid(work)) return work;
  const QString base = ResolveInFolder(folder, kCategoryBaseFile);
  if (CategoryFileValid(base)) return base;
  return {};
}

}  // namespace

bool CategoryFileValid(const QString& path) {
  if (!FileExists(path)) return false;
  ListReader reader = ListReader::FromFile(path);
  QString first;
  return reader.Next(&first) && Upper(TrimBlanks(first)) == kCategoryMarker;
}

QString MissingCategoryBaseMessage() {
  return QStringLiteral("参加部門基本データファイルが存在しないか\n古いバージョンのものです\n") + kCategoryBaseFile;
}

bool EnsureCategoryFile(const QString& folder, const QString& mode, Dialogs& dialogs) {
  const QString work = ResolveInFolder(folder, kCategoryWorkFile);
  if (Upper(mode) != QLatin1String("COPY") && CategoryFileValid(work)) return true;
  const QString base = ResolveInFolder(folder, kCategoryBaseFile);
  QByteArray bytes;
  if (!CategoryFileValid(base) || !ReadBytes(base, &bytes)) {
    dialogs.Tell(MissingCategoryBaseMessage());
    return false;
  }
  if (!WriteBytes(work, bytes, WriteMode::Safe)) {
    dialogs.Tell(QStringLiteral("参加部門ファイル ") + work + QStringLiteral(" に書き込めません"));
    return false;
  }
  return true;
}

QList<CategoryRow> ReadCategoryRows(const QString& path) {
  QStringList lines;
  ReadLines(path, &lines);
  QList<CategoryRow> rows;
  for (int i = 1; i < lines.size(); ++i) {
    if (TrimBlanks(lines.at(i)).isEmpty()) continue;
    CategoryRow row;
    ParseCategoryLine(lines.at(i), &row);
    rows.append(row);
  }
  return rows;
}

bool WriteCategoryRows(const QString& path, const QList<CategoryRow>& rows) {
  QStringList lines{QuoteField(kCategoryMarker)};
  for (const CategoryRow& r : rows) {
    lines << QStringList{CategoryField(r.code), CategoryField(r.section), CategoryField(r.event),
                         CategoryField(r.keyword1), CategoryField(r.keyword2)}
                 .join(QLatin1Char(','));
  }
  return WriteLines(path, lines, WriteMode::Safe);
}

QString CategoryMatchName(const QString& name) {
  QString n = ToWide(Upper(TrimBlanks(name)));
  n.remove(kIdeographicBlank);
  return n;
}

namespace {

// More than 0.74 of the keyword's characters (blanks not counted as found)
// occur in the name, each occurrence used once.
bool MostlyFound(const QString& name, const QString& keyword) {
  if (keyword.isEmpty()) return false;
  QString rest = name;
  int found = 0;
  for (const QChar c : keyword) {
    if (c == kIdeographicBlank) continue;
    const qsizetype at = rest.indexOf(c);
    if (at < 0) continue;
    ++found;
    rest[at] = kIdeographicBlank;
  }
  return found > 0.74 * keyword.size();
}

}  // namespace

int CategoryMatch(const QString& name, const QString& keyword1, const QString& keyword2) {
  if (keyword1.isEmpty() && keyword2.isEmpty()) return 9;
  if (!keyword1.isEmpty() && name.contains(keyword1)) return 1;
  if (!keyword2.isEmpty() && name.contains(keyword2)) return 2;
  if (MostlyFound(name, keyword1)) return 1;
  if (MostlyFound(name, keyword2)) return 2;
  return 0;
}

QList<CategoryEntry> BuildCategoryList(const QString& folder, const QString& contestName, Dialogs& dialogs) {
  EnsureCategoryFile(folder, QStringLiteral("TYPE"), dialogs);
  const QString path = UsableCategoryFile(folder);
  if (path.isEmpty()) return {};
  QStringList lines;
  ReadLines(path, &lines);
  const QString name = CategoryMatchName(contestName);
  QList<CategoryEntry> entries;
  for (int i = 1; i < lines.size(); ++i) {
    CategoryRow row;
    // A line without code, section and event is no category.
    if (ParseCategoryLine(lines.at(i), &row) < 3) continue;
    const QString keyword1 = ToWide(row.keyword1);
    const QString keyword2 = ToWide(row.keyword2);
    const QString entry = row.code + QLatin1Char('/') + row.section + QLatin1Char('/') + row.event;
    const CategoryChoice choice{row.code, row.section, row.event};
    switch (CategoryMatch(name, keyword1, keyword2)) {
      case 1: entries.append({entry + QLatin1Char('/') + keyword1, choice}); break;
      case 2: entries.append({entry + QLatin1Char('/') + keyword2, choice}); break;
      case 9: entries.append({entry, choice}); break;
      default: break;
    }
  }
  return entries;
}

CategoryChoice SplitCategoryEntry(const QString& entry) {
  const QStringList parts = entry.split(QLatin1Char('/'));
  auto part = [&parts](int i) { return i < parts.size() ? parts.at(i) : QString(); };
  return {part(0), part(1), part(2)};
}

QList<ContestNameRow> ReadContestNames(const QString& path) {
  QList<ContestNameRow> rows;
  QStringList lines;
  if (!ReadLines(path, &lines)) return rows;
  for (const QString& line : lines) {
    if (TrimBlanks(line).isEmpty()) continue;
    // A name that holds a comma keeps it: the form follows the last one.
    const qsizetype comma = line.lastIndexOf(QLatin1Char(','));
    if (comma < 0) rows.append({TrimBlanks(line), QString()});
    else rows.append({TrimBlanks(line.left(comma)), Upper(TrimBlanks(line.mid(comma + 1)))});
  }
  return rows;
}

bool WriteContestNames(const QString& path, const QList<ContestNameRow>& rows) {
  QStringList lines;
  for (const ContestNameRow& r : rows) {
    if (r.name.isEmpty()) continue;
    // A comma typed into a name or form would split the line wrongly.
    const QString name = CommasFullWidth(r.name);
    lines << (r.form.isEmpty() ? name : name + QLatin1Char(',') + CommasFullWidth(Upper(r.form)));
  }
  return WriteLines(path, lines, WriteMode::Safe);
}

QString ContestLogForm(const QList<ContestNameRow>& rows, const QString& contestName) {
  for (const ContestNameRow& r : rows) {
    if (r.name == contestName) return r.form;
  }
  return {};
}

bool IsKnownLogForm(const QString& form) {
  const QString f = Upper(TrimBlanks(form));
  return f.isEmpty() || f == QLatin1String("R1") || f == QLatin1String("R2");
}

}  // namespace zotra
