// The log program's start on a full band: reading "zotra.wk2" with 32,766
// QSOs into the QSO table and arranging three multipliers.
#include "common/Files.h"
#include "common/Text.h"
#include "log/LogSession.h"
#include "log/Scoring.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kQsos = 32766;

// A work file as the sort-and-check program writes it: prefectures, cities
// and prefixes repeating as they do in a big contest log.
QString WorkFileText() {
  QString text = QStringLiteral("\"ALL\"\r\n");
  for (int i = 1; i <= kQsos; ++i) {
    const int station = i % 7 == 0 ? i - 6 : i;
    text += QStringLiteral("\"%1\",\"7\",\"CW\",\"2026/04/29\",\"09:15\",\"JA%2ABC/1\",\"599 13M\",\"599 %3M\","
                           "\"%4\",\"%5\",\"%6\",\"1\",\"\",\"ﾃｽﾄ東京\"\r\n")
                .arg(i)
                .arg(station % 10)
                .arg(station % 47 + 1)
                .arg(QStringLiteral("%1").arg(station % 47 + 1, 2, 10, QLatin1Char('0')))
                .arg(1000 + station % 600)
                .arg(QStringLiteral("JA%1").arg(station % 10));
  }
  return text;
}

void BM_LoadAndArrangeThreeMultipliers(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("zotra.wk2"));
  zotra::WriteText(path, WorkFileText());
  zotra::LogDefinition definition;
  definition.multiKinds = {QStringLiteral("Jcc"), QStringLiteral("Space"), QStringLiteral("Pfx")};
  for (auto _ : state) {
    zotra::QsoTable table;
    zotra::ReadWorkFile(path, &table);
    benchmark::DoNotOptimize(zotra::ArrangeMultipliers(&table, definition));
    if (table.RowCount() != kQsos) state.SkipWithError("rows missing");
  }
}
BENCHMARK(BM_LoadAndArrangeThreeMultipliers)->Unit(benchmark::kMillisecond);

void BM_TotalsOfAFullBand(benchmark::State& state) {
  zotra::QsoTable table;
  zotra::ParseWorkFile(WorkFileText(), &table);
  zotra::LogDefinition definition;
  definition.multiKinds = {QStringLiteral("Jcc"), QStringLiteral("Space"), QStringLiteral("Pfx")};
  for (auto _ : state) benchmark::DoNotOptimize(zotra::TotalsOf(table, definition));
}
BENCHMARK(BM_TotalsOfAFullBand)->Unit(benchmark::kMillisecond);

void BM_WriteBackAFullBand(benchmark::State& state) {
  QTemporaryDir dir;
  zotra::QsoTable table;
  zotra::ParseWorkFile(WorkFileText(), &table);
  const QString path = dir.filePath(QStringLiteral("zotra.wk2"));
  for (auto _ : state) benchmark::DoNotOptimize(zotra::WriteWorkFile(path, table));
}
BENCHMARK(BM_WriteBackAFullBand)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
