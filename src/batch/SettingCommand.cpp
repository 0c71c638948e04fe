// zotra-batch setting PROGRAM KEY [VALUE]: what a program reads for a key
// (the default empty), or writes a value as that program would.
#include "BatchCommand.h"

#include "common/Frame.h"

namespace zotra {
namespace {

const char kUsage[] = "setting PROGRAM KEY [VALUE]";

int RunSetting(BatchContext& context) {
  if (context.args.size() < 2 || context.args.size() > 3) return UsageError(context, QString::fromUtf8(kUsage));
  Program program;
  if (!ProgramFromName(context.args.at(0), &program)) {
    context.dialogs.Tell(QStringLiteral("不明なプログラムです: ") + context.args.at(0));
    return 1;
  }
  const Frame frame(program, context.folder);
  const QString& key = context.args.at(1);
  if (context.args.size() == 2) {
    PrintLine(frame.ReadSetting(key, QString()));
    return 0;
  }
  // A failed write has been told by the settings themselves.
  if (!frame.WriteSetting(key, context.args.at(2))) return 1;
  return 0;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("setting", zotra::kUsage, zotra::RunSetting);
