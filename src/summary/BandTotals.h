// The band totals: the grid of the totals window (19 rows by 6 columns, row 0
// and column 0 captions), its column totals, and the total score formed from
// points and multipliers. The summary sheet, the electronic summary sheet and
// the text summary read the same grid and the two texts of the score and the
// coefficient (TotalsSnapshot).
#pragma once

#include "FixedDecimal.h"
#include "PointsFile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zotra {

class DefinitionEntries;
class Dialogs;

class TotalsGrid {
 public:
  static constexpr int kRows = 19;
  static constexpr int kColumns = 6;
  static constexpr int kFirstBandRow = 1;
  static constexpr int kFirstFreeRow = 14;  // rows 14 to 17 take any other band
  static constexpr int kLastBandRow = 17;
  static constexpr int kTotalRow = 18;
  // Columns.
  static constexpr int kLabel = 0;
  static constexpr int kCount = 1;
  static constexpr int kPoints = 2;
  static constexpr int kMulti1 = 3;  // kMulti1 + 1, kMulti1 + 2: multipliers 2 and 3

  // The captions: "交信数", "得 点", "ﾏﾙﾁ1" … in row 0, the fixed band labels
  // "1.9MHz" … "10.1GHz" in rows 1 to 13, " 合  計 " in row 18.
  TotalsGrid();

  const QString& Cell(int row, int column) const { return cells_[row][column]; }
  void SetCell(int row, int column, const QString& text) { cells_[row][column] = text; }
  // The numeric value of a cell; a text that is no number counts as 0.
  double Number(int row, int column) const;

  // Places one record of the sorted points file: the band's label and unit,
  // the row it takes (its fixed row, else the first free one of rows 14 to
  // 17), the counts into columns 1, 3, 4, 5 and the points into column 2.
  // False when every free row is taken by another band.
  bool Place(const PointsRecord& record);

  // Writes each column's total over rows 1 to 17 into row 18 when it is above
  // zero. Returns the columns whose total passes 32767, the largest count a
  // band can hold (the total is still written whole).
  QList<int> ComputeTotals();

  // Empties the column of an unused multiplier (1 to 3) in rows 1 to 18.
  void BlankMultiplier(int multiplier);

  // Rows 1 to 18, each as its six cell texts.
  QList<QStringList> Rows() const;

 private:
  std::array<std::array<QString, kColumns>, kRows> cells_;
};

// The label and unit of a band of the sorted points file: "SAT" + three
// blanks; "10.1" + "ＧHz" for 10125 (bands of 10000 MHz and above in GHz,
// "###.#"); otherwise the band + "ＭHz".
QString BandLabel(const QString& band);

// The caption of a grid column as a person reads it in a message
// ("交信数", "得点", "マルチ1" …).
QString ColumnName(int column);

enum class ScoreMode { Additive = 0, Multiplicative = 1, Manual = 2 };

// The score of the totals (not for the manual mode): the multipliers of the
// total row added or multiplied (none: 1), times the points total, times the
// coefficient when its numeric value is not zero. No value when the score
// leaves the range of its type.
std::optional<FixedDecimal> ComputeScore(const TotalsGrid& grid, ScoreMode mode, const QString& coefficientText);

// The score box's text: the score with thousands separators and no fraction
// ("##,###,###,###0").
QString ScoreText(const FixedDecimal& score);
// The message when the score leaves the range.
QString ScoreOverflowMessage();

// The digits of a score text as a number ("12,345" gives 12345); 0 when
// there are none, the largest value when there are too many.
qint64 ScoreDigits(const QString& scoreText);

// What the totals window shows and the documents read.
struct TotalsSnapshot {
  TotalsGrid grid;
  QString coefficientText;  // the coefficient box
  QString scoreText;        // the score box, formatted
};

// The definition entries the totals read: "[*点数]" gives the coefficient,
// an empty "MULTI1" to "MULTI3" an unused multiplier.
struct TotalsDefinition {
  QString coefficient;
  std::array<bool, 3> multiplierUnused = {false, false, false};
};
TotalsDefinition ReadTotalsDefinition(const DefinitionEntries& definition);

// The start of the totals: sorts the points file of the folder into the
// sorted copy, fills the grid from it, forms the totals and blanks the unused
// multipliers. Totals above 32767 and a sorted copy that cannot be written are
// told through the dialogs.
struct TotalsLoad {
  TotalsGrid grid;
  QString coefficient;
};
TotalsLoad LoadTotals(const QString& folder, const QString& definitionPath, Dialogs& dialogs);

// The whole computation without a window (zotra-batch): the load, then the
// score in the given mode (additive or multiplicative) with the coefficient
// text (the definition's when none is given). An overflow is told and leaves
// the score text empty.
TotalsSnapshot ComputeTotals(const QString& folder, const QString& definitionPath, ScoreMode mode,
                             const std::optional<QString>& coefficient, Dialogs& dialogs);

}  // namespace zotra
