// The print surface on a full log: a page of a log sheet (the form's rules and
// 50 rows of ten texts, each measured for fitting) into the picture box, the
// recording and a PDF file. A log of 32,767 QSOs prints 656 such pages.
#include "common/gui/PaintSurface.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace zotra;

void DrawLogPage(PrintSurface& s, int sheet) {
  s.SetFont(kMinchoFont, 9);
  s.SetLineStyle(LineStyle::Solid);
  for (double x : {12.0, 42.0, 77.0, 109.0, 142.5, 162.5, 172.5, 187.5, 203.5}) s.VerticalLine(x, 24, 9 + 50 * 5);
  for (int k = 1; k <= 50; ++k) {
    s.SetLineStyle(k % 10 == 0 ? LineStyle::Solid : LineStyle::Dotted);
    s.HorizontalLine(12, 33 + k * 5, 191.5);
    const double y = 33 + k * 5 - s.TextHeight();
    s.SetFont(kMinchoFont, 10);
    s.Text(15, y, QStringLiteral("04/29"));
    s.Text(30, y, QStringLiteral("09:%1").arg(k % 60, 2, 10, QLatin1Char('0')));
    s.SetFontSize(9);
    s.Text(47, y, QStringLiteral("ＪＡ%1ＡＢＣ").arg(sheet % 10));
    s.Text(86, y, QStringLiteral("599 13M"));
    s.Text(116, y, QStringLiteral("599 %1").arg(1000 + k));
    s.Text(145, y, QStringLiteral("13M"));
    s.SetFontSize(10);
    s.TextCentred(167.5, y, QStringLiteral("1"));
    s.SetFontSize(8);
    s.ShrinkFontWhile(QStringLiteral("JA1ZZZ"), [](double w, double size) { return w >= 14 && size > 5; });
    s.TextCentred(180.5, y, QStringLiteral("JA1ZZZ"));
    s.TextCentred(196, y, QStringLiteral("CW"));
  }
  s.EndPage();
}

void BM_LogPageIntoThePictureBox(benchmark::State& state) {
  MeasuringSurface s;
  int sheet = 0;
  for (auto _ : state) DrawLogPage(s, ++sheet);
}
BENCHMARK(BM_LogPageIntoThePictureBox)->Unit(benchmark::kMicrosecond);

void BM_LogPageRecorded(benchmark::State& state) {
  auto s = std::make_unique<RecordingSurface>();
  int sheet = 0;
  for (auto _ : state) {
    DrawLogPage(*s, ++sheet);
    if (sheet % 100 == 0) s = std::make_unique<RecordingSurface>();
  }
}
BENCHMARK(BM_LogPageRecorded)->Unit(benchmark::kMicrosecond);

void BM_LogPageToPdf(benchmark::State& state) {
  QTemporaryDir dir;
  PrinterSurface s(dir.filePath(QStringLiteral("log.pdf")));
  int sheet = 0;
  for (auto _ : state) DrawLogPage(s, ++sheet);
  s.EndDocument();
}
BENCHMARK(BM_LogPageToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
