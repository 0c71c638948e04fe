// zotra-batch select BAND|ALL: the QSOs of one band (or all) from "zotra.wk1"
// into "zotra.wk2", as "新規選択開始" does.
//
// zotra-batch check [--criterion date|band|mode] [--pdf FILE | --printer NAME] [--duplicates-only]:
// the duplicate check of "zotra.wk2" as "マルチ処理・印刷" runs it before the
// log program starts: "zotra.wk3" and "zotradup.wk" are left when some
// station was worked more than once, neither when none was. The criterion
// defaults to the one the window keeps ("Option"). --pdf prints the duplicate
// check list into FILE (relative to the current folder), --printer on the
// printer NAME (after the window's paper notices; the PDF entry writes
// "重複チェックリスト_<band>.pdf" in the program folder), all valid QSOs or,
// with --duplicates-only, those of duplicate groups. The counts go to
// standard output.
#include "batch/BatchCommand.h"
#include "batch/BatchPrinter.h"

#include "check/CheckDefinition.h"
#include "check/DuplicateCheck.h"
#include "check/DuplicateList.h"
#include "check/WorkFiles.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PaintSurface.h"
#include "common/gui/Printers.h"

#include <QFileInfo>

#include <memory>
#include <optional>

namespace zotra {
namespace {

const char kSelectUsage[] = "select BAND|ALL";
const char kCheckUsage[] = "check [--criterion date|band|mode] [--pdf FILE | --printer NAME] [--duplicates-only]";
const QString kTitle = QStringLiteral("ZOTRAC");

int RunSelect(BatchContext& context) {
  if (context.args.size() != 1 || context.args.first().isEmpty()) {
    return UsageError(context, QString::fromUtf8(kSelectUsage));
  }
  const QString selection = context.args.first();
  const Frame frame(Program::Check, context.folder);
  const CheckDefinition definition = ReadCheckDefinition(frame.LocateDefinitionFile());
  if (definition.found && selection != kAllBands && !definition.bands.contains(selection)) {
    QString text = QStringLiteral("バンド ") + selection + QStringLiteral(" は定義ﾌｧｲﾙのバンドにありません");
    if (Val(selection) > 10100) text += QStringLiteral("\n10.1GHz を超えるバンドは ") + kMicrowaveBand + QStringLiteral(" です");
    context.dialogs.Tell(text, kTitle);
  }
  const SelectionResult result = SelectQsos(context.folder, selection, &context.dialogs);
  if (!result.found) {
    context.dialogs.Tell(QStringLiteral("MARQEN からﾃﾞｰﾀが抽出されていません"), kTitle);
    return 1;
  }
  PrintLine(QStringLiteral("総交信局数: ") + QString::number(result.read));
  PrintLine(QStringLiteral("選択された局数: ") + QString::number(result.selected));
  return result.written ? 0 : 1;
}

bool ParseCriterion(const QString& word, Criterion* criterion) {
  const QString w = word.toLower();
  if (w == QLatin1String("date")) *criterion = Criterion::Date;
  else if (w == QLatin1String("band")) *criterion = Criterion::Band;
  else if (w == QLatin1String("mode")) *criterion = Criterion::Mode;
  else return false;
  return true;
}

int RunCheck(BatchContext& context) {
  const QString usage = QString::fromUtf8(kCheckUsage);
  const Frame frame(Program::Check, context.folder);
  Criterion criterion = CriterionFromIndex(ValInt(frame.ReadSetting(QStringLiteral("Option"), QStringLiteral("0"))));
  QString pdf;
  QString printerName;
  bool duplicatesOnly = false;
  QStringList args = context.args;
  while (!args.isEmpty()) {
    const QString option = args.takeFirst();
    if (option == QLatin1String("--criterion") && !args.isEmpty()) {
      if (!ParseCriterion(args.takeFirst(), &criterion)) return UsageError(context, usage);
    } else if (option == QLatin1String("--pdf") && !args.isEmpty() && !args.first().isEmpty()) {
      pdf = QFileInfo(args.takeFirst()).absoluteFilePath();
    } else if (option == QLatin1String("--printer") && !args.isEmpty()) {
      printerName = args.takeFirst();
    } else if (option == QLatin1String("--duplicates-only")) {
      duplicatesOnly = true;
    } else {
      return UsageError(context, usage);
    }
  }
  if (!pdf.isEmpty() && !printerName.isEmpty()) return UsageError(context, usage);
  std::optional<PrinterSetup> printer;
  if (!printerName.isEmpty()) {
    printer.emplace();
    if (!SelectPrinterByName(*printer, printerName, context.dialogs, kTitle)) return 1;
  }

  const CheckResult result = RunDuplicateCheck(context.folder, criterion, &context.dialogs);
  if (!result.found) {
    context.dialogs.Tell(QStringLiteral("zotra.wk2 がありません\n先に select でデータを選択してください"), kTitle);
    return 1;
  }
  const int lines = LinesToPrint(result.keyLines, duplicatesOnly).size();
  int status = result.written ? 0 : 1;
  if (!pdf.isEmpty() || printer) {
    if (lines == 0) {
      context.dialogs.Tell(QStringLiteral("印刷する交信がありません"), kTitle);
    } else {
      const CheckDefinition definition = ReadCheckDefinition(frame.LocateDefinitionFile());
      const DuplicateListHeading heading{definition.contestName, definition.myCall, definition.year,
                                         result.selection};
      std::unique_ptr<PrinterSurface> surface;
      if (!pdf.isEmpty()) {
        surface = std::make_unique<PrinterSurface>(pdf);
      } else {
        // The window's paper notices: printing goes on.
        for (const QString& notice : printer->PaperNotices()) context.dialogs.Tell(notice, kTitle);
        if (printer->IsPdf()) printer->SetPdfFile(frame.Path(DuplicateListPdfFileName(result.selection)));
        surface = printer->Open(context.dialogs, DuplicateListDocumentName());
      }
      if (!PrintDuplicateList(*surface, heading, result.keyLines, duplicatesOnly)) {
        context.dialogs.Tell(surface->ErrorText(), kTitle);
        status = 1;
      }
    }
  }
  PrepareForLog(context.folder, result);

  PrintLine(QStringLiteral("読込交信数: ") + QString::number(result.read));
  PrintLine(QStringLiteral("無効交信数: ") + QString::number(result.invalid));
  PrintLine(QStringLiteral("読込数－削除数: ") + QString::number(result.Valid()));
  PrintLine(QStringLiteral("重複局数: ") + QString::number(result.counts.stations));
  PrintLine(QStringLiteral("重複交信数: ") + QString::number(result.counts.duplicates));
  PrintLine(QStringLiteral("印刷ページ数: ") + QString::number(PageCount(lines)) + QStringLiteral(" Page"));
  return status;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("select", zotra::kSelectUsage, zotra::RunSelect);
ZOTRA_BATCH_COMMAND("check", zotra::kCheckUsage, zotra::RunCheck);
