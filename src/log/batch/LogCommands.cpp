// zotra-batch arrange: the multiplier arrangement of the log program on
// "zotra.wk2", written back as the way back a step writes it. Prints one line:
// band selection, QSOs, multipliers 1 to 3 and points, tab-separated.
#include "batch/BatchCommand.h"

#include "common/Frame.h"
#include "log/LogSession.h"
#include "log/Scoring.h"

namespace zotra {
namespace {

const char kArrangeUsage[] = "arrange";

int RunArrange(BatchContext& context) {
  if (!context.args.isEmpty()) return UsageError(context, QString::fromUtf8(kArrangeUsage));
  const Frame frame(Program::Log, context.folder);
  LogSession session;
  if (LoadLogSession(frame, context.dialogs, &session) != LogStart::Ready) return 1;
  ArrangeMultipliers(&session.table, session.definition);
  const QString path = frame.Path(kWorkFileName);
  if (!WriteWorkFile(path, session.table, &context.dialogs)) {
    context.dialogs.Tell(QStringLiteral("作業ファイル %1 に書き込めません").arg(path));
    return 1;
  }
  const OutputTotals totals = TotalsOf(session.table, session.definition);
  PrintLine(QStringList{session.BandSelection(), QString::number(totals.qsos),
                        QString::number(totals.multipliers[0]), QString::number(totals.multipliers[1]),
                        QString::number(totals.multipliers[2]), QString::number(totals.points)}
                .join(QLatin1Char('\t')));
  return 0;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("arrange", zotra::kArrangeUsage, zotra::RunArrange);
