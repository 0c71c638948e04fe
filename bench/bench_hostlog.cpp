// Reading the host logbook: every record of a logbook of a million QSOs,
// all seventeen fields each, through the libraries' operations (the target:
// at least a million records a second on one core), and through the
// extraction's reader, which also makes the field texts. The memory of the
// process must not grow with the logbook: rss_growth_kb stays near zero for
// both sizes.
#include "LogbookFiles.h"
#include "Rss.h"
#include "common/Dialogs.h"
#include "common/Text.h"
#include "extract/HostLibrary.h"
#include "extract/Logbook.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBlock = 1000;

// A logbook of `records` QSOs: a block of a thousand varied records written
// by the stand-in's writer, repeated. Kept for the run.
QString Logbook(int records) {
  static QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("L%1/MARQEN.HDB").arg(records));
  if (QFile::exists(path)) return path;
  QDir().mkpath(QFileInfo(path).path());
  QFile::copy(QStringLiteral(ZOTRA_PROGRAM_DIR "/marqen50.dll"), QFileInfo(path).path() + "/marqen50.dll");
  const QString blockPath = QDir(dir.path()).filePath(QStringLiteral("block.HDB"));
  {
    marqen::HdbWriter w;
    w.Open(blockPath);
    for (int i = 0; i < kBlock; ++i) {
      marqen::QsoEntry e;
      auto& f = e.fields;
      f[0] = QString::number(i + 1);
      f[1] = QStringLiteral("JA%1A%2").arg(i % 10).arg(QChar('A' + i % 26)) + (i % 17 == 0 ? "/1" : "");
      f[2] = QStringLiteral("25/06/%1").arg(7 + i % 2, 2, 10, QLatin1Char('0'));
      f[3] = QStringLiteral("%1:%2U").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
      f[4] = QStringLiteral("599");
      f[5] = QStringLiteral("599");
      f[6] = QStringLiteral("7.0%1").arg(i % 90 + 10);
      f[7] = QStringLiteral("CW");
      f[8] = QStringLiteral("%1 M").arg(1001 + i % 30);
      f[9] = i % 3 ? QString() : QStringLiteral("PM95uq");
      f[10] = QStringLiteral("NN");
      f[11] = i % 4 ? QStringLiteral("Taro") : QString::fromUtf8("山田");
      f[12] = i % 5 ? QString() : QString::fromUtf8("東京都千代田区");
      f[13] = i % 7 ? QString() : QStringLiteral("QSB");
      f[15] = QStringLiteral("50");
      w.Add(e);
    }
    w.Close();
  }
  QFile blockFile(blockPath);
  blockFile.open(QIODevice::ReadOnly);
  QByteArray header = blockFile.read(16);
  const QByteArray body = blockFile.readAll();
  header[8] = char(records & 0xFF);
  header[9] = char((records >> 8) & 0xFF);
  header[10] = char((records >> 16) & 0xFF);
  QFile out(path);
  out.open(QIODevice::WriteOnly);
  out.write(header);
  for (int written = 0; written < records; written += kBlock) {
    out.write(body.constData(), qint64(std::min(kBlock, records - written)) * 336);
  }
  return path;
}

void BM_ReadThroughLibraries(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const QString path = Logbook(records);
  zotra::HostLibrary lib;
  QString failed;
  if (!lib.Load(QFileInfo(path).path() + "/marqen50.dll", QStringLiteral(ZOTRA_PROGRAM_DIR "/mqdll2vb.dll"),
                &failed)) {
    state.SkipWithError("the libraries cannot be loaded");
    return;
  }
  long growth = 0;
  for (auto _ : state) {
    lib.Open(zotra::EncodeCp932(path.left(path.size() - 4)));
    const long before = RssKb();
    long bytes = 0;
    for (int n = 1; n <= records; ++n) {
      lib.Read(n);
      for (int f = 0; f < 17; ++f) {
        int length = 0;
        lib.Field(f, &length);
        bytes += length;
      }
    }
    growth = std::max(growth, RssKb() - before);
    benchmark::DoNotOptimize(bytes);
    lib.Close();
  }
  state.SetItemsProcessed(state.iterations() * records);
  state.counters["rss_growth_kb"] = static_cast<double>(growth);
}
BENCHMARK(BM_ReadThroughLibraries)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadRecords(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const QString path = Logbook(records);
  zotra::ConsoleDialogs dialogs;
  zotra::Logbook book(dialogs);
  long growth = 0;
  for (auto _ : state) {
    if (book.Open(path, QStringLiteral(ZOTRA_PROGRAM_DIR)) != zotra::Logbook::OpenResult::Opened) {
      state.SkipWithError("the logbook cannot be opened");
      return;
    }
    zotra::QsoRecord record;
    const long before = RssKb();
    long chars = 0;
    for (int n = 1; n <= book.RecordCount(); ++n) {
      book.Read(n, &record);
      chars += record[zotra::QsoField::CallSign].size();
    }
    growth = std::max(growth, RssKb() - before);
    benchmark::DoNotOptimize(chars);
    book.Close();
  }
  state.SetItemsProcessed(state.iterations() * records);
  state.counters["rss_growth_kb"] = static_cast<double>(growth);
}
BENCHMARK(BM_ReadRecords)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
