// The log program's side of the points-file target: the update of one
// band's record, kept apart because its record type has the totals
// program's name.
#include "FuzzSupport.h"

#include "common/Files.h"
#include "log/Scoring.h"

using namespace zotra;

void UpdateBandRecord(const QString& path, Dialogs& dialogs) {
  LogDefinition definition;
  definition.multiKinds = {QStringLiteral("Jcc"), QString(), QStringLiteral("Pfx")};
  OutputTotals totals;
  totals.qsos = 120;
  totals.multipliers = {25, 0, 3};
  totals.points = 240;
  QString text;
  ReadText(path, &text);
  const QList<PointsRecord> before = ParsePointsFile(text);
  FUZZ_CHECK(UpdatePointsFile(path, QStringLiteral("7"), totals, definition, true, dialogs) ==
             PointsFileOutcome::Written);
  ReadText(path, &text);
  const QList<PointsRecord> after = ParsePointsFile(text);
  FUZZ_CHECK(!after.isEmpty() && after.first().band == QStringLiteral("7") && after.first().qsos == QStringLiteral(" 120"));
  // Every other band's record is still there.
  int others = 0;
  for (const PointsRecord& r : before) others += !r.band.isEmpty() && r.band != QStringLiteral("7") ? 1 : 0;
  FUZZ_CHECK(after.size() == others + 1);
}
