// The log program's side of the "zotra.wk2" target: the QSO table, written
// back field for field, the multiplier arrangement and the totals.
#include "FuzzSupport.h"

#include "log/LogSession.h"
#include "log/QsoTable.h"
#include "log/Scoring.h"

using namespace zotra;

namespace {

QString AsWritten(QStringView field) {
  QString f = field.toString();
  f.replace(QLatin1Char('"'), QChar(0xFF02));
  f.remove(QLatin1Char('\r'));
  f.remove(QLatin1Char('\n'));
  return f;
}

}  // namespace

void LoadAsTheLogProgram(const QString& text) {
  QsoTable table;
  const WorkFileLoad load = ParseWorkFile(text, &table);
  WorkFileProblems(load, table.RowCount(), table.RowCount() / 2);
  // Written back without edits, the table reads back cell for cell.
  QsoTable again;
  ParseWorkFile(WorkFileText(table), &again);
  FUZZ_CHECK(again.RowCount() == table.RowCount());
  FUZZ_CHECK(again.BandSelection() == AsWritten(table.BandSelection()));
  for (int r = 1; r <= table.RowCount(); ++r) {
    for (int c = 1; c <= kQsoFields; ++c) FUZZ_CHECK(again.Cell(r, c) == AsWritten(table.Field(r, c)));
  }

  LogDefinition definition;
  definition.multiKinds = {QStringLiteral("Pfx"), QString(), QStringLiteral("Jcc")};
  const OutputTotals before = TotalsOf(table, definition);
  ArrangeMultipliers(&table, definition);
  const OutputTotals after = TotalsOf(table, definition);
  FUZZ_CHECK(after.qsos == before.qsos && after.multipliers[0] <= before.multipliers[0]);
  after.Overflows();
  MakePointsRecord(table.BandSelection(), after, definition, true);

}
