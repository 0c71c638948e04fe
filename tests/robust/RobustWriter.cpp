// robust-writer: one write of a file that must not be lost, done by the
// suite's own code in a process of its own, so that the tests can make it
// fail or kill it halfway. Not part of the suite.
//   robust-writer points FOLDER          the log program's update of band 7
//   robust-writer categories FOLDER      the category window's save
//   robust-writer contest-names FOLDER   the contest-name window's save
#include "common/Dialogs.h"
#include "common/Files.h"
#include "define/CategoryData.h"
#include "log/LogSession.h"
#include "log/Scoring.h"

#include <QCoreApplication>
#include <QDir>

using namespace zotra;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() != 2) return 2;
  ConsoleDialogs dialogs;
  const QString folder = args.at(1);
  if (args.at(0) == QLatin1String("points")) {
    LogDefinition definition;
    definition.multiKinds = {QStringLiteral("Jcc"), QString(), QString()};
    OutputTotals totals;
    totals.qsos = 120;
    totals.multipliers = {25, 0, 0};
    totals.points = 240;
    const PointsFileOutcome outcome = UpdatePointsFile(ResolveInFolder(folder, kPointsFileName), QStringLiteral("7"),
                                                       totals, definition, true, dialogs);
    return outcome == PointsFileOutcome::Written ? 0 : 1;
  }
  if (args.at(0) == QLatin1String("categories")) {
    const QList<CategoryRow> rows = {{QStringLiteral("XMAH"), QStringLiteral("電信電話部門"),
                                      QStringLiteral("マルチオペ"), QStringLiteral("ALL JA"), QString()}};
    return WriteCategoryRows(ResolveInFolder(folder, kCategoryWorkFile), rows) ? 0 : 1;
  }
  if (args.at(0) == QLatin1String("contest-names")) {
    const QList<ContestNameRow> rows = {{QStringLiteral("ALL JA1 コンテスト"), QStringLiteral("R2")}};
    return WriteContestNames(ResolveInFolder(folder, kContestNameFile), rows) ? 0 : 1;
  }
  return 2;
}
