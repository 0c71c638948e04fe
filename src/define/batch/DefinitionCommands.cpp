// zotra-batch definition IN [OUT]: reads a contest definition with the reader
// and writes it with the writer to OUT, or to standard output.
// zotra-batch categories NAME: the category choice the editor offers for a
// contest name, one entry a line; the status is 1 without a category file.
#include "batch/BatchCommand.h"

#include "common/Files.h"
#include "common/Text.h"
#include "define/CategoryData.h"
#include "define/ContestDefinition.h"

#include <QDir>
#include <QFileInfo>

namespace zotra {
namespace {

const char kUsage[] = "definition IN [OUT]";
const char kCategoriesUsage[] = "categories CONTEST-NAME";

QString InFolder(const BatchContext& context, const QString& name) {
  return QFileInfo(name).isAbsolute() ? name : QDir(context.folder).filePath(name);
}

int RunDefinition(BatchContext& context) {
  if (context.args.isEmpty() || context.args.size() > 2) return UsageError(context, QString::fromUtf8(kUsage));
  const QString in = ResolvePath(InFolder(context, context.args.at(0)));
  ContestDefinition definition;
  const DefinitionReadResult read = ReadDefinition(in, &definition);
  if (!read.found) {
    context.dialogs.Tell(QStringLiteral("定義ファイルが見つかりません: ") + in);
    return 1;
  }
  if (read.versionMismatch) {
    context.dialogs.Tell(QStringLiteral("コンテスト定義体のバージョンが違います"));
    return 1;
  }
  if (context.args.size() == 1) {
    PrintBytes(EncodeCp932(DefinitionText(definition)));
    return 0;
  }
  const QString out = InFolder(context, context.args.at(1));
  if (!WriteDefinition(definition, out)) {
    context.dialogs.Tell(QStringLiteral("定義ファイルに書き込めません: ") + out);
    return 1;
  }
  return 0;
}

int RunCategories(BatchContext& context) {
  if (context.args.size() != 1) return UsageError(context, QString::fromUtf8(kCategoriesUsage));
  for (const CategoryEntry& e : BuildCategoryList(context.folder, context.args.at(0), context.dialogs)) {
    PrintLine(e.text);
  }
  // Without a category file (told) there is no list: not a list without a match.
  const bool found = CategoryFileValid(ResolveInFolder(context.folder, kCategoryWorkFile)) ||
                     CategoryFileValid(ResolveInFolder(context.folder, kCategoryBaseFile));
  return found ? 0 : 1;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("definition", zotra::kUsage, zotra::RunDefinition);
ZOTRA_BATCH_COMMAND("categories", zotra::kCategoriesUsage, zotra::RunCategories);
