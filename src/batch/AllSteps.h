// The steps of zotra-batch all, one file per subsystem (the subsystems'
// headers are not meant to meet in one source file). Each step tells its
// problems through the dialogs and adds the documents it wrote.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zotra {

class Dialogs;

struct Road {
  QString folder;                 // the program folder
  QString pdfFolder;              // empty: the program folder
  std::optional<bool> jarlPaper;  // none: the paper each window keeps
  Dialogs& dialogs;
  QStringList documents;          // every document written, in order

  // Where a PDF file of that name goes.
  QString PdfPath(const QString& name) const;
};

// The menu's start (the environment file chosen as "Cfg" and checked, the
// microwave band table rewritten), then the outputs of an earlier road
// cleared as saving the definition clears them. False without an
// environment file.
bool StartAsTheMenu(Road& road);

// The bands of the definition as the check window lists them; none without a
// definition (told).
std::optional<QStringList> ContestBands(Road& road);

struct CheckedBand {
  bool ok = false;
  int selected = 0;    // QSOs of the band in "zotra.wk2"
  int duplicates = 0;  // QSOs in duplicate groups (the check window's "重複交信数")
};

// Selection, duplicate check (criterion: an "Option" index, none for the kept
// one) with its list as a PDF, and the files as the log program finds them.
CheckedBand CheckBand(Road& road, const QString& band, std::optional<int> criterion);

struct LoggedBand {
  bool ok = false;
  qint64 qsos = 0, multipliers = 0, points = 0;
  int invalid = 0;  // invalid QSOs of the band: those made invalid as duplicates
};

// The log program's work on the selected band: with invalidateDuplicates the
// one-step invalidation of the log window (every duplicate group keeps its
// earliest valid QSO), the multipliers arranged, the output pass with the log
// sheet PDF.
LoggedBand LogBand(Road& road, const QString& band, bool invalidateDuplicates);

// The work files of the sort-and-check step deleted, as going back to the menu does.
void LeaveCheckStep(Road& road);

// Totals (additive, or multiplicative), the summary sheet PDF, the electronic
// log and the text summary. The score as the totals window shows it.
bool Summarise(Road& road, bool multiplicative, QString* score);

}  // namespace zotra
