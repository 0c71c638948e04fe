// The entry categories and contest names the definition editor offers.
//
// Category files (CP932, CR LF): the base file "ZOTCOD.BSE" ships with the
// suite and is never written; the working file "ZOTRAW.COD" is the copy the
// operator may change. Line 1 is the version marker "TYPE-2"; every further
// line holds five quoted fields: code, section (部門), event (種目), contest
// keyword 1 and 2. A category whose keywords are both empty belongs to every
// contest.
//
// Contest-name file "C_NAME.TXT": one contest a line, its name optionally
// followed by "," and the electronic-log form "R1" or "R2".
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zotra {

class Dialogs;

inline const QString kCategoryBaseFile = QStringLiteral("ZOTCOD.BSE");
inline const QString kCategoryWorkFile = QStringLiteral("ZOTRAW.COD");
inline const QString kCategoryMarker = QStringLiteral("TYPE-2");
inline const QString kContestNameFile = QStringLiteral("C_NAME.TXT");

struct CategoryRow {
  QString code, section, event, keyword1, keyword2;
  bool operator==(const CategoryRow&) const = default;
};

// True when the file exists and its first field is "TYPE-2" (without regard to case).
bool CategoryFileValid(const QString& path);

// Makes sure the working file is valid. Unless the mode is "COPY" (any
// case), a valid working file is kept; otherwise the base file, when valid,
// replaces it. Without a valid base file the user is told; false then.
bool EnsureCategoryFile(const QString& folder, const QString& mode, Dialogs& dialogs);
QString MissingCategoryBaseMessage();

// The categories of a category file after its marker line. Every line that
// is not empty gives a row (missing fields empty); one leading and one
// trailing double quote are taken off each field.
QList<CategoryRow> ReadCategoryRows(const QString& path);
// The marker line, then one line per row with its five fields trimmed and
// quoted (a comma or a double quote inside a field is written full-width,
// so that every line keeps its five fields).
bool WriteCategoryRows(const QString& path, const QList<CategoryRow>& rows);

// The contest name as the keywords are compared with it: trimmed, upper case,
// full-width, every full-width blank removed.
QString CategoryMatchName(const QString& name);

// How a category belongs to a contest (normalised name, full-width keywords):
// 9 when both keywords are empty; 1 or 2 when that keyword is in the name, or
// when more than 0.74 of its length in characters is found in the name (each
// found character used once, blanks not counted); 0 when it does not belong.
int CategoryMatch(const QString& normalisedName, const QString& keyword1, const QString& keyword2);

// The code, section and event a category entry puts into the editor.
struct CategoryChoice {
  QString code, section, event;
  bool operator==(const CategoryChoice&) const = default;
};

struct CategoryEntry {
  QString text;           // code/section/event/keyword, or code/section/event
  CategoryChoice choice;  // the fields themselves, whatever they hold
};

// The entries of the category choice for a contest name, in file order:
// code/section/event/keyword, or code/section/event for a category of every
// contest. Makes sure of the working file first (mode "TYPE").
QList<CategoryEntry> BuildCategoryList(const QString& folder, const QString& contestName, Dialogs& dialogs);

// The code, section and event of an entry text (its first three parts).
CategoryChoice SplitCategoryEntry(const QString& entry);

struct ContestNameRow {
  QString name;
  QString form;  // "R1", "R2", another text, or empty
  bool operator==(const ContestNameRow&) const = default;
};

// The rows of "C_NAME.TXT" in file order: a line "name,form" gives the
// trimmed name and the upper-cased trimmed form, a line without a comma the
// name and an empty form; empty lines are skipped. A missing file gives none.
QList<ContestNameRow> ReadContestNames(const QString& path);
// Rewrites the file: each row with a name, followed by "," and the
// upper-cased form when it has one. A comma inside a name or form is written
// as the full-width "，", so that the line reads back as that name and form.
bool WriteContestNames(const QString& path, const QList<ContestNameRow>& rows);

// The form of the row whose name equals the contest name exactly; empty when
// no row does.
QString ContestLogForm(const QList<ContestNameRow>& rows, const QString& contestName);

// A form the electronic log knows: empty, "R1" or "R2" (upper-cased, trimmed).
bool IsKnownLogForm(const QString& form);

}  // namespace zotra
