// The whole extraction, from opening the logbook to the closed "zotra.wk1",
// over a logbook of a million records that holds a contest of 30,000 QSOs.
// Every record is read wherever the contest lies (target: under 500 ms):
//   BM_ContestAtTheEnd   the contest in the last records, as a logbook that
//                        has grown over the years holds it;
//   BM_ContestAtTheStart the contest in the first records (a logbook imported
//                        newest first).
// The QSOs are logged in UTC and converted to the contest's JST; they carry
// area codes with a power letter, names, remarks, the numbers and three
// multipliers. rss_growth_kb: what the process grew by during a run (the
// memory stays flat whatever the logbook's size).
#include "LogbookFiles.h"
#include "Rss.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "extract/Extraction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 1000000;
constexpr int kContest = 30000;
constexpr int kBlock = 1000;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QTemporaryDir& Dir() {
  static QTemporaryDir dir;
  return dir;
}

// A block of a thousand records on one day ("25/06/01"), the contest's
// first day in UTC ("25/06/07", 12:00 to 23:59 UTC, 21:00 to 08:59 JST) or a
// later day ("25/06/20").
QByteArray Block(const QString& date, bool contest) {
  const QString path = QDir(Dir().path()).filePath(QStringLiteral("block.HDB"));
  marqen::HdbWriter w;
  w.Open(path);
  static const char* const kFrequencies[] = {"7.025", "14.050", "21.100", "144.200", "7.090", "S145.800"};
  static const char* const kModes[] = {"CW", "CW", "CW", "FM", "LSB", "FM"};
  for (int i = 0; i < kBlock; ++i) {
    marqen::QsoEntry e;
    auto& f = e.fields;
    f[0] = QString::number(i + 1);
    f[1] = QStringLiteral("J%1%2%3%4").arg(QChar('A' + i % 8)).arg(i % 10).arg(QChar('A' + i % 26)).arg(QChar('A' + i / 26 % 26)) +
           (i % 13 == 0 ? QStringLiteral("/1") : QString());
    f[2] = date;
    const int minutes = contest ? 12 * 60 + i * 720 / kBlock : i * 1440 / kBlock;
    f[3] = QStringLiteral("%1:%2U").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    f[4] = QStringLiteral("599");
    f[5] = i % 3 ? QStringLiteral("599") : QStringLiteral("579");
    f[6] = QString::fromLatin1(kFrequencies[i % 6]);
    f[7] = QString::fromLatin1(kModes[i % 6]);
    f[8] = QStringLiteral("%1 %2").arg(1001 + i % 40).arg(QChar("PLMH"[i % 4]));
    f[9] = i % 3 ? QString() : QStringLiteral("PM95uq");
    f[10] = QStringLiteral("NN");
    f[11] = i % 4 ? QStringLiteral("Taro") : U("山田");
    f[12] = i % 5 ? QString() : U("東京都千代田区");
    f[13] = i % 6 == 5 ? QStringLiteral("%RS-44% sat") : i % 7 ? QString() : QStringLiteral("QSB, \"tnx\"");
    f[15] = QStringLiteral("50");
    w.Add(e);
  }
  w.Close();
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll().mid(16);
}

// A logbook of kRecords records with the contest's kContest QSOs at its end
// or at its start.
QString Logbook(bool contestAtEnd) {
  const QString folder = QDir(Dir().path()).filePath(contestAtEnd ? QStringLiteral("end") : QStringLiteral("start"));
  const QString path = QDir(folder).filePath(QStringLiteral("MARQEN.HDB"));
  if (QFile::exists(path)) return path;
  QDir().mkpath(folder);
  QFile::copy(QStringLiteral(ZOTRA_PROGRAM_DIR "/marqen50.dll"), QDir(folder).filePath(QStringLiteral("marqen50.dll")));
  const QByteArray before = Block(QStringLiteral("25/06/01"), false);
  const QByteArray contest = Block(QStringLiteral("25/06/07"), true);
  const QByteArray after = Block(QStringLiteral("25/06/20"), false);
  QByteArray header("MQHDB500", 8);
  header.append(char(kRecords & 0xFF)).append(char((kRecords >> 8) & 0xFF)).append(char((kRecords >> 16) & 0xFF));
  header.append(char(0)).append(char(336 & 0xFF)).append(char(336 >> 8)).append(2, char(0));
  QFile out(path);
  out.open(QIODevice::WriteOnly);
  out.write(header);
  const int others = (kRecords - kContest) / kBlock;
  if (contestAtEnd) {
    for (int b = 0; b < others; ++b) out.write(before);
    for (int b = 0; b < kContest / kBlock; ++b) out.write(contest);
  } else {
    for (int b = 0; b < kContest / kBlock; ++b) out.write(contest);
    for (int b = 0; b < others; ++b) out.write(after);
  }
  return path;
}

// The program folder: the library, the centimetre table and the input of a run.
zotra::ExtractInput Input(const QString& logbook) {
  const QString folder = QDir(Dir().path()).filePath(QStringLiteral("program"));
  QDir().mkpath(folder);
  QFile::copy(QStringLiteral(ZOTRA_PROGRAM_DIR "/mqdll2vb.dll"), QDir(folder).filePath(QStringLiteral("mqdll2vb.dll")));
  zotra::WriteText(QDir(folder).filePath(U("センチメートル波.txt")), QStringLiteral("10125,10000,10250\r\n"));
  zotra::ExtractInput input;
  input.databasePath = logbook;
  input.programFolder = zotra::WithSeparator(folder);
  zotra::ExtractDefinition& d = input.definition;
  d.status = zotra::ExtractDefinition::Status::Read;
  d.startKey = QStringLiteral("202506072100");
  d.endKey = QStringLiteral("202506082059");
  d.contestJst = true;
  d.convertZone = true;
  for (const char* band : {"7", "14", "21", "144", "SAT"}) d.bands.append({QString::fromLatin1(band), 1});
  d.modes = {{QStringLiteral("CW"), 1}, {QStringLiteral("SSB"), 1}, {QStringLiteral("FM"), 2}};
  d.sent = {{QStringLiteral("HisRst"), 3}, {QStringLiteral("1001M"), 5}};
  d.received = {{QStringLiteral("MyRst"), 3}, {QStringLiteral("Jcc"), 6}};
  d.sentRst = d.receivedRst = true;
  d.multipliers = {QStringLiteral("JCC"), QStringLiteral("SPACE"), QStringLiteral("PFX")};
  d.dropInvalid = true;
  input.aliases = {{QStringLiteral("LSB"), QStringLiteral("SSB")}, {QStringLiteral("USB"), QStringLiteral("SSB")}};
  return input;
}

// The resident memory at the first and the last look of a run.
class MemoryWatch : public zotra::ExtractObserver {
 public:
  bool Progress(const zotra::ExtractProgress& progress) override {
    if (start_ == 0) start_ = RssKb();
    if (progress.phase == zotra::ExtractProgress::Phase::Finished) growth_ = std::max(growth_, RssKb() - start_);
    return true;
  }
  void Restart() { start_ = 0; }
  long Growth() const { return growth_; }

 private:
  long start_ = 0;
  long growth_ = 0;
};

void Extract(benchmark::State& state, bool contestAtEnd) {
  const zotra::ExtractInput input = Input(Logbook(contestAtEnd));
  zotra::ScriptedDialogs dialogs({}, {});
  zotra::ExtractResult result;
  MemoryWatch memory;
  for (auto _ : state) {
    memory.Restart();
    result = zotra::RunExtraction(input, dialogs, &memory);
  }
  if (result.kept != kContest || result.lastRecord != kRecords || !dialogs.Records().isEmpty()) {
    state.SkipWithError(QStringLiteral("%1 QSOs kept, %2 messages").arg(result.kept).arg(dialogs.Records().size()).toUtf8().constData());
    return;
  }
  state.counters["records_per_s"] =
      benchmark::Counter(static_cast<double>(kRecords) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["rss_growth_kb"] = static_cast<double>(memory.Growth());
}

void BM_ContestAtTheEnd(benchmark::State& state) { Extract(state, true); }
BENCHMARK(BM_ContestAtTheEnd)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ContestAtTheStart(benchmark::State& state) { Extract(state, false); }
BENCHMARK(BM_ContestAtTheStart)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
