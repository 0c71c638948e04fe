// zotra-batch env-check: what the menu does with the environment file at its
// start. Chooses the file ("MY.CFG", "MYTST.CFG", "ZOTRAW.CFG"), keeps its
// name as "Cfg" for the other steps, tells every fault of its band lines (one
// line each on standard error) and rewrites the microwave band table.
// Prints the file's name and what became of the table; the status is 1 when
// there is no environment file, the settings could not keep its name, or a
// fault was told.
#include "batch/BatchCommand.h"

#include "common/Frame.h"
#include "menu/Environment.h"

namespace zotra {
namespace {

const char kUsage[] = "env-check";

int RunEnvironmentCheck(BatchContext& context) {
  if (!context.args.isEmpty()) return UsageError(context, QString::fromUtf8(kUsage));
  const QString name = ChooseEnvironmentFile(context.folder);
  if (name.isEmpty()) {
    context.dialogs.Tell(MissingEnvironmentMessage(context.folder), QStringLiteral("ZOTRAM"));
    return 1;
  }
  const Frame frame(Program::Menu, context.folder);
  // Without "Cfg" the other steps do not find the file (the settings told why).
  const bool kept = frame.WriteSetting(QStringLiteral("Cfg"), name);
  const EnvironmentCheckResult result = CheckEnvironmentFile(frame.Path(name), frame.Folder(), context.dialogs);
  PrintLine(name);
  PrintLine(MicrowaveTableName() + QStringLiteral(": ") +
            (result.tableLines > 0 ? QString::number(result.tableLines) + QStringLiteral(" 行") : QStringLiteral("なし")));
  return kept && result.messages == 0 ? 0 : 1;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("env-check", zotra::kUsage, zotra::RunEnvironmentCheck);
