// The work files of the sort-and-check step: the selection of one band (or of
// all bands) from the extracted QSOs "zotra.wk1" into "zotra.wk2", the saved
// copies of "zotra.wk2" per band (".sve"), and rebuilding from such a copy.
//
// "zotra.wk2": line 1 the selection in double quotes ("7", "ALL"); then one
// QSO per line, fourteen quoted fields: record number, band, mode, date,
// time, call sign, sent (report, blank, number), received (report, blank,
// number), and the six fields after the tenth of the "zotra.wk1" line as they
// stand (multipliers 1 to 3, points, an empty field, note).
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zotra {

class Dialogs;

inline const QString kAllBands = QStringLiteral("ALL");
inline const QString kExtractFileName = QStringLiteral("zotra.wk1");
inline const QString kSelectionFileName = QStringLiteral("zotra.wk2");
inline const QString kKeyFileName = QStringLiteral("zotra.wk3");
inline const QString kDuplicateFileName = QStringLiteral("zotradup.wk");

// Called now and then during a long pass, so that a window can show how far
// it got and process its events.
using SelectionProgress = std::function<void(int read, int selected)>;

// One "zotra.wk1" line in the "zotra.wk2" layout. The first ten fields are
// read as list fields, the rest of the line is kept as it stands; a line
// whose rest does not hold the six fields of a QSO gets them filled up (or
// the surplus joined into the last), so that every record keeps fourteen
// fields and no record ever shifts into the next.
QString SelectionLine(const QString& extractLine);

// The band field (the second) of a "zotra.wk1" line.
QString ExtractBand(const QString& extractLine);

struct SelectionResult {
  bool found = false;  // "zotra.wk1" exists
  bool written = false;
  int read = 0;        // lines of "zotra.wk1"
  int selected = 0;    // lines copied into "zotra.wk2"
};

// Copies the QSOs of the selection (a band, or "ALL") from "zotra.wk1" into a
// new "zotra.wk2", and removes the key and duplicate files of the previous
// selection. Empty lines are not counted. A file that cannot be written and
// counts beyond 32767 are told through the dialogs (when given).
SelectionResult SelectQsos(const QString& folder, const QString& selection, Dialogs* dialogs = nullptr,
                           const SelectionProgress& progress = {});

// The largest count of QSOs the suite keeps (its counts are 16-bit).
inline constexpr int kLargestQsoCount = 32767;

// The notice when the QSOs read from "zotra.wk1" or selected from them are
// more than the suite counts; empty otherwise. SelectQsos tells it.
QString CountLimitMessage(int read, int selected);

// Tells (when dialogs are given) that a work file could not be written.
void TellNotWritten(Dialogs* dialogs, const QString& path);

// Lines of "zotra.wk1" (empty lines not counted); 0 when it is missing.
int CountExtractedQsos(const QString& folder);

// QSO records of "zotra.wk2" (its lines after the first); 0 when it is missing.
int CountSelectionRecords(const QString& folder);

// The selection that line 1 of a work file or saved copy names; none when the
// file is missing or empty.
std::optional<QString> SelectionOfFile(const QString& path);

// "ALL.SVE" for "ALL"; otherwise the whole-number part of the band's value
// followed by ".sve" ("1.9" gives "1.sve", "144" gives "144.sve", "SAT" gives
// "0.sve").
QString SavedCopyName(const QString& selection);

// Copies "zotra.wk2" byte for byte to the saved copy of the selection its
// line 1 names. False when there is no "zotra.wk2" or the copy failed.
bool SaveSelectionCopy(const QString& folder);

// True when the saved copy of the selection exists and names that selection.
bool SavedCopyAvailable(const QString& folder, const QString& selection);

struct RebuildResult {
  bool written = false;
  int records = 0;  // QSO lines of the rebuilt file
  int valid = 0;    // of them, those whose record number is above 0
};

// Rewrites "zotra.wk2" from the saved copy of the selection: line 1 as it is,
// every further line with its first field quoted again and the rest of the
// line unchanged.
RebuildResult RebuildFromSavedCopy(const QString& folder, const QString& selection, Dialogs* dialogs = nullptr);

// The work files of this step ("zotra.wk2", "zotra.wk3", "zotradup.wk"),
// deleted when the operator goes back to the menu.
void DeleteWorkFiles(const QString& folder);

// True for a line that holds nothing but blanks, tabs or the end-of-file
// mark: no record, and not counted.
bool IsBlankLine(const QString& line);

// Splits a list-file line after its first field: the field's text and the
// rest after the comma that ends it (hasRest false when no comma follows).
void SplitFirstField(const QString& line, QString* first, QString* rest, bool* hasRest);

}  // namespace zotra
