// The output pass of the log program over a full band (32,766 QSOs, 656
// sheets): files only (the measuring picture box), and to a PDF file.
#include "common/Dialogs.h"
#include "common/gui/PaintSurface.h"
#include "log/LogSession.h"
#include "log/OutputPass.h"
#include "log/Scoring.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kQsos = 32766;

// A band as a big contest leaves it: prefectures, cities and prefixes
// repeating, a few remarks, every hundredth QSO invalid.
zotra::LogSession FullBand() {
  QString text = QStringLiteral("\"7\"\r\n");
  for (int i = 1; i <= kQsos; ++i) {
    const int station = i % 7 == 0 ? i - 6 : i;
    text += QStringLiteral("\"%1\",\"7\",\"CW\",\"2026/04/29\",\"%2:%3\",\"JA%4ABC/1\",\"599 13M\",\"599 %5M\","
                           "\"%6\",\"%7\",\"\",\"%8\",\"JA1XYZ\",\"%9\"\r\n")
                .arg(i % 100 == 0 ? 0 : i)
                .arg(9 + i / 60 % 12, 2, 10, QLatin1Char('0'))
                .arg(i % 60, 2, 10, QLatin1Char('0'))
                .arg(station % 10)
                .arg(station % 47 + 1)
                .arg(QStringLiteral("%1").arg(station % 47 + 1, 2, 10, QLatin1Char('0')))
                .arg(1000 + station % 600)
                .arg(i % 3 == 0 ? 2 : 1)
                .arg(i % 11 == 0 ? QStringLiteral("移動") : QString());
  }
  zotra::LogSession session;
  session.definition.multiKinds = {QStringLiteral("Jcc"), QStringLiteral("Space"), QString()};
  session.definition.myCall = QStringLiteral("JA1ZLO");
  session.definition.contestName = QStringLiteral("ALL JA1");
  session.definition.yearFull = QStringLiteral("2026");
  session.definition.jst = true;
  zotra::ParseWorkFile(text, &session.table);
  zotra::ArrangeMultipliers(&session.table, session.definition);
  return session;
}

void RunPass(benchmark::State& state, bool pdf) {
  const zotra::LogSession session = FullBand();
  QTemporaryDir dir;
  zotra::ScriptedDialogs dialogs(QString(), {});
  zotra::OutputOptions options;
  options.jarlPaper = false;
  options.filesOnly = !pdf;
  options.omitInvalid = false;
  const zotra::OutputPassContext context{dir.path(), session, options, dialogs, {}, false};
  for (auto _ : state) {
    std::unique_ptr<zotra::PrintSurface> surface;
    if (pdf) {
      surface = std::make_unique<zotra::PrinterSurface>(dir.filePath(QStringLiteral("sheet.pdf")));
    } else {
      surface = std::make_unique<zotra::MeasuringSurface>();
    }
    const zotra::OutputPassResult result = zotra::RunOutputPass(*surface, context);
    if (!result.Succeeded() || result.sheets != 656) state.SkipWithError("the pass failed");
  }
  if (pdf) state.counters["pdf_MB"] = QFileInfo(dir.filePath(QStringLiteral("sheet.pdf"))).size() / 1e6;
}

void BM_OutputPassFilesOnly(benchmark::State& state) { RunPass(state, false); }
BENCHMARK(BM_OutputPassFilesOnly)->Unit(benchmark::kMillisecond);

void BM_OutputPassToPdf(benchmark::State& state) { RunPass(state, true); }
BENCHMARK(BM_OutputPassToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
