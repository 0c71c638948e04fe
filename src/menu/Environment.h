// The environment file: the operator's band plan, mode list with the
// logbook's mode aliases, and the oldest acceptable date of the host
// logbook's library. Plain CP932 text, one entry per line; the first
// character says what a line is:
//   "$" band             a band of the plan ("$7", "$SAT")
//   "$" band,low,high    a band with its range in MHz ("$10125,10000,10250")
//   "%" mode,alias,...   a mode; the aliases are logbook mode names
//   "&" yyyy/mm/dd       the oldest acceptable library date (11 characters)
// Every other line (and every line of one character) is a comment.
//
// The menu chooses the file and checks it at every start, deriving the
// microwave band table from it; the definition editor takes its band and
// mode choices from it; the extraction takes the mode aliases.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace zotra {

class Dialogs;

// The names an environment file may have, in order of preference.
QStringList EnvironmentFileNames();

// The first of the names that exists as a file in the folder (matched without
// regard to case), as that name is spelled in the list ("MY.CFG"); empty when
// none exists.
QString ChooseEnvironmentFile(const QString& folder);

// The menu's message when no environment file exists.
QString MissingEnvironmentMessage(const QString& folder);

// The microwave band table derived from the environment file.
QString MicrowaveTableName();

// What the check found.
struct EnvironmentCheckResult {
  bool readable = false;   // the environment file could be read
  int messages = 0;        // validation messages shown
  int tableLines = 0;      // lines written to the microwave band table
};

// Validates the band lines of the environment file, telling each fault
// through the dialogs and going on after it, and rewrites the microwave band
// table in the folder: one line band,low,high for every valid three-item band
// line, in file order. With no such line the table is deleted.
EnvironmentCheckResult CheckEnvironmentFile(const QString& environmentPath, const QString& folder,
                                            Dialogs& dialogs);

// The bands of the plan that are not extras (the editor shows extras in blue).
QStringList StandardBandNames();
bool IsStandardBand(const QString& name);

inline constexpr int kBandSlots = 20;
inline constexpr int kModeSlots = 6;

struct PlanBand {
  QString name;
  bool extra = false;  // not a standard band
};

struct BandPlan {
  bool found = false;
  QList<PlanBand> bands;  // at most kBandSlots, in file order
  QStringList modes;      // at most kModeSlots, in file order
};

// The band and mode slots of the definition editor. Each line's first field
// (list-field syntax, so "$10125,10000,10250" gives "10125", and a quoted
// "$10125,10000,10250" as one field gives the same) names the next slot;
// lines beyond the last slot are skipped.
BandPlan ReadBandPlan(const QString& environmentPath);

// alias -> mode pairs from the "%" lines, upper-cased, in file order.
using ModeAliases = QList<QPair<QString, QString>>;
ModeAliases ReadModeAliases(const QString& environmentPath);
// The mode an alias stands for (the mode compared trimmed and upper-cased);
// the mode itself when it is no alias.
QString ApplyModeAlias(const ModeAliases& aliases, const QString& mode);

inline constexpr char kDefaultLibraryDate[] = "2020/01/01";

// The oldest acceptable library date: the last "&" line of exactly 11
// characters gives it; "2020/01/01" without one.
QString ReadRequiredLibraryDate(const QString& environmentPath);

}  // namespace zotra
