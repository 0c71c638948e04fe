// One run of the log program: the values read at start-up (command line,
// contest definition) and the QSO table loaded from "zotra.wk2".
#pragma once

#include "QsoTable.h"

#include <QString>

#include <array>

namespace zotra {

class Dialogs;
class Frame;

inline const QString kWorkFileName = QStringLiteral("zotra.wk2");
inline const QString kDuplicateFileName = QStringLiteral("zotradup.wk");
inline const QString kPointsFileName = QStringLiteral("ZOTRAPOI.DAT");

// The keys of the contest definition the log program takes.
struct LogDefinition {
  std::array<QString, 3> multiKinds;  // "MULTI1" … "MULTI3"; empty: not used
  QString myCall;                     // "MYCALL"
  QString contestName;                // "CONTESTNAME", normalised
  QString yearFull;                   // "開始": characters 1 to 4 of its value
  QString yearShort;                  // characters 3 to 4
  bool jst = false;                   // "JSTUTC" upper-cased is "JST"
  QString organiser;                  // "[主催者]"
  // The exchanges carry a signal report in front: a "Send" item "HisRst",
  // a "Rcv" item "MyRst". A definition without any "Send" (or "Rcv") item
  // keeps the usual report in front.
  bool sentReport = true;
  bool receivedReport = true;
  // An entry ending in "電子ログ]" whose value begins with "YES": an electronic
  // log is wanted, so the log may be made without paper.
  bool electronicLog = false;

  // i = 1, 2, 3.
  bool MultiplierUsed(int i) const { return i >= 1 && i <= 3 && !multiKinds[static_cast<size_t>(i - 1)].isEmpty(); }
  bool AnyMultiplierUsed() const { return MultiplierUsed(1) || MultiplierUsed(2) || MultiplierUsed(3); }
};

// Scans a definition file field by field; every field is upper-cased and
// compared with the keys in the order above; the field after a key is its
// value. A missing file gives the empty values.
LogDefinition ReadLogDefinition(const QString& path);
LogDefinition ParseLogDefinition(const QString& text);

// The contest name as headings use it: one of "CONTEST", "Contest",
// "Ｃｏｎｔｅｓｔ", "ＣＯＮＴＥＳＴ", "コンテスト", "ｺﾝﾃｽﾄ" at its end (tested
// in that order) is removed once, then the blanks around it.
QString NormaliseContestName(const QString& name);

// The record count the sort-and-check program announces on the command line
// (its numeric value; 0 for none).
int AnnouncedCount(const QString& commandLine);

struct LogSession {
  int announcedCount = -1;  // from the command line; -1: none announced (zotra-batch)
  LogDefinition definition;
  QsoTable table;
  bool arranged = false;    // the multiplier arrangement has run

  const QString& BandSelection() const { return table.BandSelection(); }
};

enum class LogStart {
  Ready,              // the table holds at least one QSO
  DefinitionMissing,  // told; the program ends
  WorkFileMissing,    // told; the program ends
  NoRecords,          // told ("ﾃﾞｰﾀが一件もありません"); the program goes back a step
};

// Reads the definition (the file named by "TST", default "non") and the work
// file into the session, telling the user what stops the start and, once,
// what was found wrong in the work file.
LogStart LoadLogSession(const Frame& frame, Dialogs& dialogs, LogSession* session);

// The two questions of the print button: for the band selection "ALL" (its
// results never reach the summary sheet) and, when multipliers are used, for
// an arrangement that has not run. False when the operator cancels.
bool ConfirmPrinting(const LogSession& session, Dialogs& dialogs);

// The one message about a loaded work file (more records than announced or
// than the suite counts, short or long lines, numbers that are not numbers);
// empty when all is well.
QString WorkFileProblems(const WorkFileLoad& load, int rows, int announced);

}  // namespace zotra
