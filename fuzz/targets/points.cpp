// The points file "ZOTRAPOI.DAT" and everything that reads it: the log
// program's update of one band's record, the totals program's sort and merge
// into "ZOTRApoi.dat2", the band grid with its totals and the score, and the
// band lines of the electronic summary sheet (R1.0) and of the text summary.
#include "FuzzSupport.h"

#include "common/ListFile.h"
#include "common/Text.h"
#include "summary/BandTotals.h"
#include "summary/ElectronicLog.h"
#include "summary/OutputData.h"
#include "summary/PointsFile.h"
#include "summary/TextSummary.h"

#include <QDate>

using namespace zotra;

// points_log.cpp: the log program's side (its own PointsRecord).
void UpdateBandRecord(const QString& path, Dialogs& dialogs);

namespace {

const char kDefinition[] =
    "\"ZOTRAW\",\"Ver4.0\"\r\n\"MyCall\",\"JA1ZLO\"\r\n\"ContestName\",\"ALL JA1 CONTEST\"\r\n"
    "\"開始\",\"2024\",\"06\",\"15\",\"21\",\"00\"\r\n\"Multi1\",\"Jcc\"\r\n\"Multi2\",\"\"\r\n\"Multi3\",\"Pfx\"\r\n"
    "\"[*点数]\"\r\n\"1.5\"\r\n\"[JARL電子ログ]\"\r\n\"Yes R1\"\r\n\"[VQ電子ログ]\"\r\n\"Yes\"\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString definitionPath =
      fuzz::WriteInput(QStringLiteral("ZOTRAW.TST"), QString::fromUtf8(kDefinition).toUtf8());
  const QString path = fuzz::WriteInput(kPointsFileName, data, size);
  fuzz::SilentDialogs dialogs;

  // The totals program.
  const QList<PointsRecord> records = ReadPointsFile(path);
  const QList<PointsRecord> sorted = SortPointsRecords(records);
  FUZZ_CHECK(sorted.size() <= records.size());
  ReadSortedPointsFile(fuzz::WriteInput(kSortedPointsFileName, SortedPointsText(sorted).toUtf8()));
  for (ScoreMode mode : {ScoreMode::Additive, ScoreMode::Multiplicative}) {
    const TotalsSnapshot totals = ComputeTotals(fuzz::ScratchFolder(), definitionPath, mode, std::nullopt, dialogs);
    if (!totals.scoreText.isEmpty()) ScoreDigits(totals.scoreText);
  }

  // The electronic log's score lines and the text summary's band lines.
  OutputData output;
  output.definition = DefinitionEntries::FromFile(definitionPath);
  output.points = records;
  output.coefficientText = QStringLiteral("1.5");
  output.scoreText = QStringLiteral("12,345");
  output.today = QDate(2024, 6, 16);
  ElectronicSummaryLines(output, 1);
  TextSummaryLines(output);
  for (const QString& band : ElectronicLogBands(1)) LookUpBand(records, band).MultiplierSumText();

  // The log program replaces one band's record and keeps every other.
  UpdateBandRecord(path, dialogs);
  return 0;
}
