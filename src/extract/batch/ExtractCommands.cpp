// zotra-batch extract [OPTIONS]: the extraction as "実行する" runs it, from the
// logbook the settings name ("MARQEN" of the menu's section) into
// "zotra.wk1". The count of QSOs kept goes to standard output, then one line
// "<reason> N 件" for each reason that dropped records. The options are the
// window's (see ExtractStep.h). A conversion error is printed and the run
// goes on, as OK does. A run that keeps no QSO says why on standard error
// and ends with status 1.
#include "ExtractStep.h"

#include "batch/BatchCommand.h"

namespace zotra {
namespace {

const char kUsage[] = "extract " ZOTRA_EXTRACT_OPTIONS_USAGE;

int RunExtract(BatchContext& context) {
  ExtractArguments arguments;
  QStringList args = context.args;
  while (!args.isEmpty()) {
    if (TakeExtractArgument(args, &arguments) != ArgumentTaken::Taken) return UsageError(context, QString::fromUtf8(kUsage));
  }
  ExtractDefinition definition;
  const std::optional<ExtractResult> result = RunExtractStep(context.folder, arguments, context.dialogs, &definition);
  if (!result) return 1;
  PrintLine(QStringLiteral("抽出交信数: ") + QString::number(result->kept));
  for (const QString& line : SkipLines(*result)) PrintLine(line);
  if (result->status != ExtractResult::Status::Finished) return 1;
  if (result->kept == 0) {
    context.dialogs.Tell(ExtractAccount(*result, definition), QStringLiteral("ZOTRAH"), Icon::Warning);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("extract", zotra::kUsage, zotra::RunExtract);
