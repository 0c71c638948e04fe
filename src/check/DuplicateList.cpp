#include "DuplicateList.h"

#include "DuplicateCheck.h"
#include "WorkFiles.h"
#include "common/Files.h"
#include "common/Text.h"
#include "common/gui/PrintSurface.h"

namespace zotra {
namespace {

constexpr double kCm = 567;  // twips

double LineX(int column) { return TwipsToMm((1.5 + 6 * (column - 1)) * kCm); }
double LineY(int line) { return TwipsToMm((3.5 + 0.45 * line) * kCm); }

bool IsDuplicateMark(QChar mark) { return mark == QLatin1Char('5') || mark == QLatin1Char('9'); }

}  // namespace

bool ReadKeyFile(const QString& path, KeyFile* file) {
  *file = {};
  QStringList lines;
  const QString resolved = ResolvePath(path);
  if (!FileExists(resolved) || !ReadLines(resolved, &lines)) return false;
  bool selectionRead = false;
  for (const QString& line : lines) {
    if (IsBlankLine(line)) continue;
    if (!selectionRead) {
      QString rest;
      bool hasRest = false;
      SplitFirstField(line, &file->selection, &rest, &hasRest);
      selectionRead = true;
    } else {
      file->keyLines << line;
    }
  }
  return true;
}

QStringList LinesToPrint(const QStringList& keyLines, bool duplicatesOnly) {
  QStringList out;
  for (const QString& line : keyLines) {
    if (KeyRecordNumber(line) == 0) continue;
    if (duplicatesOnly && !IsDuplicateMark(KeyMark(line))) continue;
    out << line;
  }
  return out;
}

int PageCount(int lines) { return lines <= 0 ? 0 : (lines + kLinesPerPage - 1) / kLinesPerPage; }

QStringList PrintedTexts(const QStringList& keyLines) {
  QStringList out;
  QString symbol;  // of the previous group
  for (const QString& line : keyLines) {
    QString field = QStringLiteral("  ");
    const QChar mark = KeyMark(line);
    if (mark == QLatin1Char('5')) symbol = symbol != QLatin1String("*") ? QStringLiteral("*") : QStringLiteral("+");
    if (IsDuplicateMark(mark)) field = (symbol.isEmpty() ? QStringLiteral("*") : symbol) + QLatin1Char(' ');
    // A blank after the call, so that a call of seven characters does not
    // run into the date.
    out << TrimRightBlanks(field + KeyColumns(line, 2, 7) + QLatin1Char(' ') + KeyColumns(line, 22, 22));
  }
  return out;
}

QString ListTitle(const DuplicateListHeading& heading) {
  return heading.contestName + QStringLiteral(" Contest   重複ﾁｪｯｸﾘｽﾄ");
}

QString ListSubtitle(const DuplicateListHeading& heading) {
  const QString band =
      heading.selection == kAllBands ? QStringLiteral("ALL Band") : heading.selection + QStringLiteral("MHz");
  return heading.myCall + QStringLiteral("     ") + heading.year + QStringLiteral("年    ") + band;
}

QString PageText(int page, int pages) {
  return QStringLiteral("Page ") + QString::number(page) + QStringLiteral(" of ") + QString::number(pages);
}

QString DuplicateListPdfFileName(const QString& selection) {
  return QStringLiteral("重複チェックリスト_") + selection + QStringLiteral(".pdf");
}

QString PrintingPageText(int page) { return QString::number(page) + QStringLiteral(" Page 印刷中"); }

bool PrintDuplicateList(PrintSurface& s, const DuplicateListHeading& heading, const QStringList& keyLines,
                        bool duplicatesOnly, const std::function<void(int page)>& pageStarted) {
  const QStringList lines = LinesToPrint(keyLines, duplicatesOnly);
  const QStringList texts = PrintedTexts(lines);
  const int pages = PageCount(texts.size());
  for (int i = 0; i < texts.size(); ++i) {
    const int page = i / kLinesPerPage + 1;
    const int onPage = i % kLinesPerPage;
    if (onPage == 0) {
      // A page begins only when a line needs it, so the note never stands
      // alone on a page of its own.
      if (page > 1) s.EndPage();
      if (pageStarted) pageStarted(page);
      s.SetFont(kMinchoFont, 12);
      s.Text(TwipsToMm(1134), TwipsToMm(1.5 * kCm), ListTitle(heading));
      s.Text(TwipsToMm(1701), TwipsToMm(2.5 * kCm), ListSubtitle(heading));
      s.SetFontSize(10);
      s.Text(TwipsToMm(8505), TwipsToMm(1134), PageText(page, pages));
    }
    s.Text(LineX(onPage / kLinesPerColumn + 1), LineY(onPage % kLinesPerColumn + 1), texts.at(i));
  }
  if (!texts.isEmpty()) s.Text(TwipsToMm(6237), LineY(52), kListNote);
  return s.EndDocument();
}

QList<DuplicateRow> DuplicateRows(const QStringList& keyLines) {
  QList<DuplicateRow> rows;
  int group = 0;
  for (const QString& line : keyLines) {
    const QChar mark = KeyMark(line);
    if (!IsDuplicateMark(mark)) continue;
    if (mark == QLatin1Char('5') || group == 0) ++group;
    rows.append({group, TrimBlanks(KeyColumns(line, 2, 7)), TrimBlanks(KeyColumns(line, 40, 3)),
                 TrimBlanks(KeyColumns(line, 33, 6)), TrimBlanks(KeyColumns(line, 22, 5)),
                 TrimBlanks(KeyColumns(line, 28, 5))});
  }
  return rows;
}

}  // namespace zotra
