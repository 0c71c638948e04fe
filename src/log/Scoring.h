// Multipliers and scoring of one band: the multiplier arrangement ("ﾏﾙﾁ整理"),
// the totals of an output pass and the points file "ZOTRAPOI.DAT" that the
// totals program reads.
#pragma once

#include "LogSession.h"
#include "QsoTable.h"

#include <QList>
#include <QString>

#include <array>

namespace zotra {

class Dialogs;
class Frame;

// ---- multiplier arrangement ----------------------------------------------------

// For each used multiplier (kind not empty) the values of its column are
// cleaned (the blanks around them and the first ideographic blank removed)
// and every value is kept only by the first valid QSO that has it, in table
// order; later QSOs with the same text get the empty text. A QSO whose number
// is 0 loses the value and gets the points "0". Values are compared as texts.
// Returns the number of cells whose text changed.
int ArrangeMultipliers(QsoTable* table, const LogDefinition& definition);

// ---- totals of an output pass --------------------------------------------------

// Counted row by row while the log is printed and written; invalid rows are
// never counted. The counts are kept whole: a count above 32767 is reported
// when the points file is written, never wrapped.
struct OutputTotals {
  qint64 qsos = 0;
  std::array<qint64, 3> multipliers{};  // multipliers 1 to 3
  qint64 points = 0;

  // Adds one table row: nothing for an invalid row; 1 QSO, 1 for each used
  // multiplier whose cell is not empty, and the row's points.
  void Add(const QsoTable& table, int row, const LogDefinition& definition);
  // True when a total does not fit the suite's 16-bit counts.
  bool Overflows() const;
  bool operator==(const OutputTotals&) const = default;
};

// The totals of every row of the table (the rows an output pass counts).
OutputTotals TotalsOf(const QsoTable& table, const LogDefinition& definition);

// ---- points file -----------------------------------------------------------------

inline constexpr int kPointsFileRecords = 30;

// One record of the points file: six texts.
struct PointsRecord {
  QString band, qsos, multi1, multi2, multi3, points;
  bool operator==(const PointsRecord&) const = default;
};

// The records of a points file, one per line (short lines padded with empty
// fields). Every record is kept, also past the thirtieth.
QList<PointsRecord> ParsePointsFile(const QString& text);
// The file text: every field quoted, separated by commas, CR LF; records whose
// band is empty are left out.
QString PointsFileText(const QList<PointsRecord>& records);
// The band's new record: the numbers with a leading blank (" 120"), a
// multiplier count " 0" when the multiplier is not used, the points the empty
// text when points printing is off.
PointsRecord MakePointsRecord(const QString& band, const OutputTotals& totals, const LogDefinition& definition,
                              bool pointsPrinted);

enum class PointsFileOutcome {
  Written,   // the band's record stands first, the other bands follow in their order
  LeftAsIs,  // band selection "ALL": all-band results never reach the summary sheet
  Failed,    // the file could not be written (told)
};

// The points-file step at the end of an output pass: reads the file, drops
// the band's old record, writes the new record first and the other records
// after it (safely: temporary file, then rename). Totals above 32767 and a
// file of more than 30 records are told to the user; nothing is wrapped or
// dropped. A missing file is created.
PointsFileOutcome UpdatePointsFile(const QString& path, const QString& bandSelection, const OutputTotals& totals,
                                   const LogDefinition& definition, bool pointsPrinted, Dialogs& dialogs);
// The same for the points file of the program folder ("ZOTRAPOI.DAT", its name
// matched without regard to case).
PointsFileOutcome UpdatePointsFile(const Frame& frame, const LogSession& session, const OutputTotals& totals,
                                   bool pointsPrinted, Dialogs& dialogs);

}  // namespace zotra
