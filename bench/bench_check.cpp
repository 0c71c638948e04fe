// The duplicate check of a full band: key building, sort and marking of
// 32,766 QSOs (the target: under 50 ms), the same from the text of
// "zotra.wk2", and the whole pass with its files.
#include "check/DuplicateCheck.h"
#include "check/WorkFiles.h"
#include "common/Files.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kQsos = zotra::kSortCapacity;

// A contest's worth of QSOs: a few thousand stations, many worked on two
// bands or days, some portable, some invalid.
QList<zotra::KeyRecord> Records() {
  std::mt19937 random(7);
  const QStringList bands = {"1.9", "3.5", "7", "14", "21", "28", "50", "144", "430", "1200", "10125"};
  const QStringList modes = {"CW", "SSB", "FM", "RTTY"};
  QList<zotra::KeyRecord> records;
  records.reserve(kQsos);
  for (int i = 1; i <= kQsos; ++i) {
    const int station = int(random() % 6000);
    QString call = QStringLiteral("J%1%2").arg(QChar('A' + station % 26)).arg(station, 4, 10, QChar('0'));
    if (station % 17 == 0) call += QStringLiteral("/1");
    if (station % 23 == 0) call = QStringLiteral("KH0/") + call;
    records.append({QString::number(i % 500 == 0 ? 0 : i), bands.at(random() % bands.size()),
                    modes.at(random() % modes.size()), QStringLiteral("2026/04/%1").arg(28 + random() % 2),
                    QStringLiteral("%1:%2").arg(random() % 24, 2, 10, QChar('0')).arg(random() % 60, 2, 10, QChar('0')),
                    call});
  }
  return records;
}

QString SelectionText(const QList<zotra::KeyRecord>& records) {
  QString text = QStringLiteral("\"ALL\"\r\n");
  for (const zotra::KeyRecord& r : records) {
    text += QStringLiteral("\"%1\",\"%2\",\"%3\",\"%4\",\"%5\",\"%6\",\"599 13M\",\"599 10M\",\"JA1\",\"\",\"\",\"1\",\"\",\"\"\r\n")
                .arg(r.recordNumber, r.band, r.mode, r.date, r.time, r.call);
  }
  return text;
}

void BM_KeyBuildSortMark(benchmark::State& state) {
  const QList<zotra::KeyRecord> records = Records();
  for (auto _ : state) {
    QStringList keys;
    keys.reserve(records.size());
    for (const zotra::KeyRecord& r : records) {
      if (zotra::RecordNumber(r) != 0) keys.append(zotra::BuildKeyLine(r, zotra::Criterion::Band));
    }
    zotra::SortKeyLines(keys);
    benchmark::DoNotOptimize(zotra::MarkDuplicates(keys));
  }
}
BENCHMARK(BM_KeyBuildSortMark)->Unit(benchmark::kMillisecond);

void BM_CheckSelectionText(benchmark::State& state) {
  const QString text = SelectionText(Records());
  for (auto _ : state) benchmark::DoNotOptimize(zotra::CheckSelection(text, zotra::Criterion::Date));
}
BENCHMARK(BM_CheckSelectionText)->Unit(benchmark::kMillisecond);

void BM_DuplicateCheckWithFiles(benchmark::State& state) {
  QTemporaryDir folder;
  zotra::WriteText(folder.filePath(zotra::kSelectionFileName), SelectionText(Records()));
  for (auto _ : state) {
    benchmark::DoNotOptimize(zotra::RunDuplicateCheck(folder.path(), zotra::Criterion::Date));
  }
}
BENCHMARK(BM_DuplicateCheckWithFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
