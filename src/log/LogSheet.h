// The log sheet of one band on the print surface: 50 QSOs a sheet in the
// columns of the JARL log sheet, on the preprinted form (data only) or on
// blank A4 paper with the form drawn first. Millimetres of the form; the
// printer's offsets and scale are the surface's calibration. Also the test
// print of the position adjustment.
#pragma once

#include "LogSession.h"
#include "PrintSettings.h"
#include "Scoring.h"

#include <QColor>
#include <QString>

#include <array>
#include <vector>

namespace zotra {

class PrintSurface;

inline constexpr int kRowsPerSheet = 50;

// The log sheet's document name in the printer queue, and the PDF file a
// print to the PDF entry suggests: "ログシート_" + the band as the operator
// knows it ("ログシート_3.5.pdf", "ログシート_ALL.pdf").
QString LogSheetDocumentName();
QString LogSheetPdfFileName(const QString& bandSelection);

// The rows an output pass prints, with the longest texts of the columns
// fitted to them (CP932 bytes). With invalid QSOs left out, they are not
// among the rows and not measured.
struct PrintedRows {
  std::vector<int> rows;  // table rows, in table order
  int longestSent = 0;
  int longestReceived = 0;
  std::array<int, 3> longestMulti{};  // 0 for a multiplier that is not used
  std::array<bool, 3> multiUsed{};    // the definition names its kind (even when every cell is empty)

  int Count() const { return static_cast<int>(rows.size()); }
  int Sheets() const { return (Count() + kRowsPerSheet - 1) / kRowsPerSheet; }
};
PrintedRows PreScan(const QsoTable& table, const LogDefinition& definition, bool omitInvalid);

// The exchange and multiplier columns fitted to their longest texts: a run
// of "8"s as long as the longest text, in the frame font, from 10 points down
// in steps of 0.5 (not below 6) until it fits (sent 35 mm, received 32 mm,
// multipliers 18 mm); each run centred in its column.
struct SheetColumns {
  double sentSize = 10, sentX = 96;
  double receivedSize = 10, receivedX = 128;
  double multiSize = 10, multiX = 152;
  std::array<int, 3> multiLongest{};
};
SheetColumns FitColumns(PrintSurface& surface, const QString& frameFont, const PrintedRows& printed);

// The contest name or the organiser holds "泉州" (the name first; the
// organiser only when the name does not and has more than one character),
// and the name has more than one character: the survival question is asked.
bool AsksSurvivalMode(const LogDefinition& definition);

// Draws the parts of one sheet.
class LogSheetPainter {
 public:
  LogSheetPainter(PrintSurface& surface, const LogSession& session, const OutputOptions& options,
                  const SheetColumns& columns);

  // The form on blank paper: heading texts and rules (with headings on),
  // header rules, column headings, row rules, column rules, subtotal boxes
  // (with subtotals on). In another colour: the preprinted form under the
  // data of a preview.
  void DrawForm(const QColor& colour = QColor(Qt::black));
  // The heading fields: year, contest name, call sign, band, sheet number.
  void DrawHeading(int sheet, int sheets);
  // "****" over the heading of the other time basis.
  void DrawTimeMark();
  // Sheet row k (1 … 50) from a valid table row; red in survival mode.
  void DrawRow(int k, int row, bool red);
  // Sheet row k for an invalid QSO printed struck through.
  void DrawInvalidRow(int k);
  // The subtotal row: this sheet's counts and the counts so far.
  void DrawSubtotals(const OutputTotals& sheet, const OutputTotals& soFar);

  // The top of the texts of sheet row k (its rule minus the height of "h").
  double RowTextY(int k);
  double Pitch() const { return pitch_; }

 private:
  PrintSurface& s_;
  const LogSession& session_;
  const OutputOptions& options_;
  const SheetColumns& columns_;
  double pitch_;
};

// The test print: two crosses 150 mm apart and the four lines of
// instructions, "ＭＳ 明朝" 16 points; ends the page.
void DrawTestPrint(PrintSurface& surface);

}  // namespace zotra
