// The text unit runs for every field of every QSO: encoding, byte lengths,
// fixed-width fields and list-file reading of a 32,767-line work file.
#include "common/ListFile.h"
#include "common/Text.h"

#include <benchmark/benchmark.h>

namespace {

QString WorkFileText(int lines) {
  QString text;
  for (int i = 1; i <= lines; ++i) {
    text += QStringLiteral("\"%1\",\"7\",\"CW\",\"2026/04/29\",\"09:15\",\"JA1ABC/1\",\"599 13M\",\"599 1001\","
                           "\"1001\",\"\",\"\",\"1\",\"\",\"ﾃｽﾄ東京\"\r\n")
                .arg(i);
  }
  return text;
}

void BM_EncodeWorkFile(benchmark::State& state) {
  const QString text = WorkFileText(32767);
  for (auto _ : state) benchmark::DoNotOptimize(zotra::EncodeCp932(text));
}
BENCHMARK(BM_EncodeWorkFile)->Unit(benchmark::kMillisecond);

void BM_DecodeWorkFile(benchmark::State& state) {
  const QByteArray bytes = zotra::EncodeCp932(WorkFileText(32767));
  for (auto _ : state) benchmark::DoNotOptimize(zotra::DecodeCp932(bytes));
}
BENCHMARK(BM_DecodeWorkFile)->Unit(benchmark::kMillisecond);

void BM_ReadWorkFileFields(benchmark::State& state) {
  const QString text = WorkFileText(32767);
  for (auto _ : state) {
    zotra::ListReader reader(text);
    QString field;
    int n = 0;
    while (reader.Next(&field)) ++n;
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_ReadWorkFileFields)->Unit(benchmark::kMillisecond);

void BM_FixedFields(benchmark::State& state) {
  const QString call = QStringLiteral("JA1ABC/1");
  const QString name = QStringLiteral("東京都千代田区");
  for (auto _ : state) {
    for (int i = 0; i < 32767; ++i) {
      benchmark::DoNotOptimize(zotra::FixedField(call, 11));
      benchmark::DoNotOptimize(zotra::FixedField(name, 8));
    }
  }
}
BENCHMARK(BM_FixedFields)->Unit(benchmark::kMillisecond);

void BM_WidenKatakana(benchmark::State& state) {
  const QString text = QStringLiteral("ｵｰﾙJAｺﾝﾃｽﾄ ｼﾝｸﾞﾙｵﾍﾟ");
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(zotra::WidenHalfwidthKatakana(text));
  }
}
BENCHMARK(BM_WidenKatakana)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
