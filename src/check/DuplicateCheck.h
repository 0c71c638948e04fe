// The duplicate check: a key line for every valid QSO of "zotra.wk2", sorted
// by call sign (and criterion) and record number, with the QSOs of the same
// station marked; written as "zotra.wk3", and its marked lines as
// "zotradup.wk" for the log program.
//
// A key line has 45 columns (counted from 1), each one character and one
// CP932 byte:
//   1      mark: "0" single, "5" first QSO of a duplicate group, "9" the others
//   2–8    call sign for comparison (see ComparisonCall), cut to 7
//   10–15  criterion: MM/DD, the band right-aligned in 6, or the mode's first 3
//   16–21  record number, six digits
//   22–26  MM/DD   28–32 hh:mm   33–38 band right-aligned   40–42 mode
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zotra {

class Dialogs;

// What makes a second QSO with a station count again: index of the option
// "Option" keeps (0 "日付順", 1 "バンド順", 2 "モード順").
enum class Criterion { Date = 0, Band = 1, Mode = 2, None = 3 };

// The criterion of an "Option" index; anything else is the date.
Criterion CriterionFromIndex(int index);
int CriterionIndex(Criterion criterion);

inline constexpr int kKeyLineLength = 45;
// The sort holds this many key lines; more are still sorted, after a notice.
inline constexpr int kSortCapacity = 32766;
// Lines to print on a page: three columns of fifty.
inline constexpr int kLinesPerColumn = 50;
inline constexpr int kColumnsPerPage = 3;
inline constexpr int kLinesPerPage = kLinesPerColumn * kColumnsPerPage;

// The notice when more lines than the sort holds come in, with their count.
QString TooManyLinesMessage(int count);

// The call sign compared: of a call with "/" its longest part (the later one
// of equally long parts), so JA1ABC/1 and KH0/JA1ABC both compare as JA1ABC;
// without "/" the call itself; cut to 7 characters. A full-width call is
// narrowed first (ＪＡ１ＡＢＣ is JA1ABC); a character that would still take
// two bytes is "?", so that the key line keeps its 45 bytes.
QString ComparisonCall(const QString& callSign);

// The fields of a "zotra.wk2" record the key is built from.
struct KeyRecord {
  QString recordNumber;
  QString band;
  QString mode;
  QString date;  // YYYY/MM/DD
  QString time;  // hh:mm
  QString call;
};

// The record's number; 0 for an invalid QSO.
int RecordNumber(const KeyRecord& record);

// The key line of a valid QSO (mark "0").
QString BuildKeyLine(const KeyRecord& record, Criterion criterion);

// Sorts key lines ascending by their first 21 characters; lines equal there
// keep their order.
void SortKeyLines(QStringList& lines);

struct MarkCounts {
  int stations = 0;    // lines marked "5": stations worked more than once
  int duplicates = 0;  // lines marked "5" or "9": the QSOs of those stations
};

// Marks sorted key lines: neighbours equal in columns 2 to 15 form a group,
// its first line "5", the others "9".
MarkCounts MarkDuplicates(QStringList& lines);

// The key-line columns (from 1), padded with blanks past the line's end.
QString KeyColumns(const QString& line, int firstColumn, int count);
QChar KeyMark(const QString& line);
// The number in columns 16 to 21.
int KeyRecordNumber(const QString& line);

struct CheckProgress {
  // "ﾃﾞｰﾀ読込中です", "ﾃﾞｰﾀｿｰﾄ中です", "重複ﾁｪｯｸ中です", with how far it got.
  std::function<void(const QString& status, int done, int total)> step;
};

struct CheckResult {
  bool found = false;      // "zotra.wk2" was there
  bool written = false;    // "zotra.wk3" (and "zotradup.wk") written
  QString selection;       // line 1 of "zotra.wk2"
  QStringList keyLines;    // sorted and marked
  int read = 0;            // QSO records of "zotra.wk2"
  int invalid = 0;         // of them, record number 0
  MarkCounts counts;

  int Valid() const { return read - invalid; }
  bool HasDuplicates() const { return counts.stations > 0; }
};

// The key lines of the records of a "zotra.wk2" text, sorted and marked
// (the whole check without files). More key lines than the sort holds are
// told once, with their count, and still sorted.
CheckResult CheckSelection(const QString& wk2Text, Criterion criterion, Dialogs* dialogs = nullptr,
                           const CheckProgress& progress = {});

// The check of the folder's "zotra.wk2": writes "zotra.wk3" and, when some
// station was worked more than once, "zotradup.wk" (else it deletes that).
CheckResult RunDuplicateCheck(const QString& folder, Criterion criterion, Dialogs* dialogs = nullptr,
                              const CheckProgress& progress = {});

// The files as the log program finds them: with no duplicate at all neither
// "zotra.wk3" nor "zotradup.wk" remains.
void PrepareForLog(const QString& folder, const CheckResult& result);

// The texts of the files.
QString KeyFileText(const CheckResult& result);
QString DuplicateFileText(const CheckResult& result);

}  // namespace zotra
