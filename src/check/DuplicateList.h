// The duplicate check list: the sorted key lines of "zotra.wk3" on paper,
// three columns of fifty lines per page, every QSO of a station worked more
// than once marked "*" or "+" (neighbouring groups alternate); and the rows
// of the window that shows the duplicates.
//
// Positions are the list's own, in twips (567 to the centimetre) from the
// page's top-left corner: the heading at x 1134 / y 1.5 cm (contest name),
// x 1701 / y 2.5 cm (call sign, year, band) and x 8505 / y 1134 (page); a
// line of column c (1–3) and line l (1–50) at x (1.5 + 6 (c − 1)) cm,
// y (3.5 + 0.45 l) cm; the closing note at x 6237, y (3.5 + 0.45 × 52) cm.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zotra {

class PrintSurface;

// "zotra.wk3" as read back: the selection of line 1 and the key lines.
struct KeyFile {
  QString selection;
  QStringList keyLines;
};

// False when the file is missing.
bool ReadKeyFile(const QString& path, KeyFile* file);

// The key lines that are printed: every valid QSO, or only those of
// duplicate groups (marks "5" and "9").
QStringList LinesToPrint(const QStringList& keyLines, bool duplicatesOnly);

// Pages for that many lines: 150 to a page, rounded up.
int PageCount(int lines);

// The printed texts of key lines, in order: a two-character mark field
// ("* ", "+ " or two blanks), the call sign (key columns 2–8), then date,
// time, band and mode (columns 22–43); blanks at the end dropped.
QStringList PrintedTexts(const QStringList& keyLines);

struct DuplicateListHeading {
  QString contestName;
  QString myCall;
  QString year;
  QString selection;  // a band, or "ALL"
};

QString ListTitle(const DuplicateListHeading& heading);     // "<name> Contest   重複ﾁｪｯｸﾘｽﾄ"
QString ListSubtitle(const DuplicateListHeading& heading);  // "<call>     <year>年    <band>MHz"
QString PageText(int page, int pages);                      // "Page 1 of 2"
inline const QString kListNote = QStringLiteral("複数回交信がある局に * + マークが付いています");
// The PDF file a print of the list suggests: "重複チェックリスト_" + the
// selection ("重複チェックリスト_3.5.pdf", "重複チェックリスト_ALL.pdf").
QString DuplicateListPdfFileName(const QString& selection);
// The window's words while a page prints: "1 Page 印刷中".
QString PrintingPageText(int page);

// Prints the list on the surface and ends the document: the heading on each
// page, the lines, the closing note under the last page's lines. Nothing is
// printed when there is no line. pageStarted (when given) is called before
// each page. Returns the result of ending the document.
bool PrintDuplicateList(PrintSurface& surface, const DuplicateListHeading& heading, const QStringList& keyLines,
                        bool duplicatesOnly, const std::function<void(int page)>& pageStarted = {});

// A row of the window "重複交信表示".
struct DuplicateRow {
  int group = 0;  // 1 for the first station worked more than once, …
  QString call, mode, band, date, time;
};
QList<DuplicateRow> DuplicateRows(const QStringList& keyLines);

}  // namespace zotra
