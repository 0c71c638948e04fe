// zotra-batch all: the whole road of the current contest definition, as an
// operator walks it from the menu, without windows.
//
//   all [--pdf-dir DIR] [--paper jarl|blank] [--criterion date|band|mode]
//       [--mode add|mul] [--keep-duplicates] [extraction options]
//
// 1. The menu's start: the environment file is chosen ("Cfg") and checked,
//    the microwave band table rewritten; a call sign whose station folder
//    would lie outside the program folder stops the road before it. The
//    outputs of an earlier road are cleared as saving the definition clears
//    them (an empty points file, no band files, no ".sve" copies): the road
//    starts over from the logbook.
// 2. The extraction into "zotra.wk1" (the extraction options of ExtractStep.h).
// 3. For every band of the definition, in its order: the selection into
//    "zotra.wk2"; the duplicate check (criterion: --criterion, else the one
//    the check window keeps) with the duplicate check list as a PDF; every
//    duplicate group left with its earliest valid QSO, the others made
//    invalid (QSO number 0) as the log window's "重複交信を一括無効" does,
//    unless --keep-duplicates; the
//    multiplier arrangement; the output pass: the log sheets as a PDF (none
//    when the kept print settings say "紙ログは印刷しない"), the band's log
//    files and its line of the points file. A band without QSOs is listed
//    with zeros and has no output pass.
// 4. The work files of the sort-and-check step are deleted, as going back to
//    the menu deletes them.
// 5. The summary step of zotra-batch summary: the totals (additive, or
//    multiplicative with --mode mul), the summary sheet as a PDF, then the
//    electronic log and the text summary as the definition asks, the
//    electronic log read back with the strict reader (what it finds is told
//    and the status is 1).
//
// Standard output: the count of extracted QSOs, one tab-separated line per
// band (band, valid QSOs, QSOs in duplicate groups as the check window's
// "重複交信数", invalid QSOs as its "無効交信数": those made invalid,
// multipliers, points), the score, then the path of
// every document. PDF files go to --pdf-dir (relative to the current folder,
// created when missing), else to the program folder, under the names the
// windows suggest. Paper: the kept settings of the log and summary windows,
// or --paper for both. The status is 1 as soon as a step fails; the road
// stops there.
#include "AllSteps.h"
#include "BatchCommand.h"

#include "common/Files.h"
#include "extract/batch/ExtractStep.h"

#include <QDir>
#include <QFileInfo>

namespace zotra {
namespace {

const char kUsage[] =
    "all [--pdf-dir DIR] [--paper jarl|blank] [--criterion date|band|mode] [--mode add|mul] [--keep-duplicates] "
    ZOTRA_EXTRACT_OPTIONS_USAGE;

struct AllOptions {
  QString pdfFolder;                 // empty: the program folder
  std::optional<bool> jarlPaper;     // --paper; none: the kept settings
  std::optional<int> criterion;      // an "Option" index; none: the kept one
  bool multiplicative = false;
  bool keepDuplicates = false;
  ExtractArguments extract;
};

bool ParseArguments(QStringList args, AllOptions* out) {
  const QStringList criteria = {QStringLiteral("date"), QStringLiteral("band"), QStringLiteral("mode")};
  while (!args.isEmpty()) {
    const ArgumentTaken taken = TakeExtractArgument(args, &out->extract);
    if (taken == ArgumentTaken::Bad) return false;
    if (taken == ArgumentTaken::Taken) continue;
    const QString option = args.takeFirst();
    if (option == QLatin1String("--keep-duplicates")) {
      out->keepDuplicates = true;
      continue;
    }
    if (args.isEmpty() || args.first().isEmpty()) return false;
    const QString value = args.takeFirst();
    if (option == QLatin1String("--pdf-dir")) {
      out->pdfFolder = QFileInfo(value).absoluteFilePath();
    } else if (option == QLatin1String("--paper") && (value == QLatin1String("jarl") || value == QLatin1String("blank"))) {
      out->jarlPaper = value == QLatin1String("jarl");
    } else if (option == QLatin1String("--criterion") && criteria.contains(value)) {
      out->criterion = criteria.indexOf(value);
    } else if (option == QLatin1String("--mode") && (value == QLatin1String("add") || value == QLatin1String("mul"))) {
      out->multiplicative = value == QLatin1String("mul");
    } else {
      return false;
    }
  }
  return true;
}

int RunRoad(const AllOptions& options, Road& road) {
  if (!options.pdfFolder.isEmpty() && !QDir().mkpath(options.pdfFolder)) {
    road.dialogs.Tell(QStringLiteral("フォルダを作れません: ") + options.pdfFolder);
    return 1;
  }
  const std::optional<QStringList> bands = ContestBands(road);
  if (!bands || !StartAsTheMenu(road)) return 1;

  // The extraction's account as zotra-batch extract gives it.
  ExtractDefinition extractDefinition;
  const std::optional<ExtractResult> extracted =
      RunExtractStep(road.folder, options.extract, road.dialogs, &extractDefinition);
  if (!extracted) return 1;
  PrintLine(QStringLiteral("抽出交信数: ") + QString::number(extracted->kept));
  for (const QString& line : SkipLines(*extracted)) PrintLine(line);
  if (extracted->status != ExtractResult::Status::Finished) return 1;
  if (extracted->kept == 0) {
    road.dialogs.Tell(ExtractAccount(*extracted, extractDefinition), QStringLiteral("ZOTRAH"), Icon::Warning);
    return 1;
  }

  PrintLine(QStringLiteral("バンド\t交信数\t重複交信数\t無効交信数\tマルチ\t得点"));
  for (const QString& band : *bands) {
    const CheckedBand checked = CheckBand(road, band, options.criterion);
    LoggedBand logged;
    if (checked.ok && checked.selected > 0) logged = LogBand(road, band, !options.keepDuplicates);
    PrintLine(QStringList{band, QString::number(logged.qsos), QString::number(checked.duplicates),
                          QString::number(logged.invalid), QString::number(logged.multipliers),
                          QString::number(logged.points)}
                  .join(QLatin1Char('\t')));
    if (!checked.ok || (checked.selected > 0 && !logged.ok)) return 1;
  }
  LeaveCheckStep(road);

  QString score;
  const bool summarised = Summarise(road, options.multiplicative, &score);
  PrintLine(QStringLiteral("総得点\t") + score);
  for (const QString& document : road.documents) PrintLine(QDir::toNativeSeparators(document));
  return summarised ? 0 : 1;
}

int RunAll(BatchContext& context) {
  AllOptions options;
  if (!ParseArguments(context.args, &options)) return UsageError(context, QString::fromUtf8(kUsage));
  Road road{context.folder, options.pdfFolder, options.jarlPaper, context.dialogs, {}};
  return RunRoad(options, road);
}

}  // namespace

QString Road::PdfPath(const QString& name) const {
  return ResolveInFolder(pdfFolder.isEmpty() ? folder : pdfFolder, name);
}

}  // namespace zotra

ZOTRA_BATCH_COMMAND("all", zotra::kUsage, zotra::RunAll);
