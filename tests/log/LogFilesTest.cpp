// The log part of the electronic log and the text log, byte for byte: the
// records, the file names by band, the heading files, the scratch file, and
// what a file error leaves behind.
#include "LogTestData.h"

#include "common/Text.h"
#include "common/gui/PrintSurface.h"
#include "log/LogFiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

// A QSO with every field given (the common ones filled in).
QString Record(const QString& number, const QString& band, const QString& sent, const QString& received,
               const QString& m1, const QString& m2, const QString& m3, const QString& points,
               const QString& op = {}, const QString& remarks = {}, const QString& call = QStringLiteral("JA1ABC")) {
  return WorkRecord({number, band, "CW", "2026/04/29", "09:01", call, sent, received, m1, m2, m3, points, op, remarks});
}

QByteArray Bytes(const QStringList& lines) { return EncodeCp932(CrLf(lines)); }

const QString kEquals(79, QLatin1Char('='));
const QString kDashes(79, QLatin1Char('-'));

OutputOptions FilesOnly() {
  OutputOptions o;
  o.filesOnly = true;
  return o;
}

// A pass in files-only mode over a folder; the folder's files afterwards.
struct Pass {
  TempFolder t;
  PassRun run;
  void Run(const QString& workFile, const QString& definition = Definition(), const OutputOptions& options = FilesOnly(),
           const QStringList& answers = {}) {
    const LogSession session = MakeSession(workFile, definition);
    MeasuringSurface surface;
    run = RunPass(surface, t.Path(), session, options, answers);
  }
};

}  // namespace

TEST(ElectronicLog, HeadingFilesAreTheSameForEveryBand) {
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 14M", "14", "", "", "1")}));
  ASSERT_TRUE(p.run.result.filesWritten) << p.run.dialogs.join("\n").toStdString();
  EXPECT_EQ(p.t.ReadBytes("HED.JARL"),
            "DATE(JST)  TIME   MHz   Mode  CALLSIGN   SENTNo      RCVNo       Multi  PT\r\n" + QByteArray(74, '-') + "\r\n");
  EXPECT_EQ(p.t.ReadBytes("HED2.JARL"),
            QByteArray("DATE(JST)  TIME   BAND  MODE  CALLSIGN   SENTNo      RCVNo       Multi  PTS\r\n"));
  EXPECT_FALSE(p.t.Exists("TempP.tmp"));
}

TEST(ElectronicLog, RecordsFieldByField) {
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 14M", "14", "", "", "1"),
                       // no multiplier: "-"; points 10 fill the field, 100 are cut to "10"
                       Record("2", "7", "599 13 M", "59 1", "", "", "", "10"),
                       Record("3", "7", "599 13M", "599 14M", "", "JA1", "", "100")}),
        Definition("Jcc", "Pfx"));
  ASSERT_TRUE(p.run.result.filesWritten);
  EXPECT_EQ(p.t.ReadBytes("7.JARL"),
            Bytes({"2026-04-29 09:01     7  CW    JA1ABC     599 13M     599 14M     14     1 ",
                   "2026-04-29 09:01     7  CW    JA1ABC     599 13M     59  1       -      10",
                   "2026-04-29 09:01     7  CW    JA1ABC     599 13M     599 14M     JA1    10"}));
  EXPECT_EQ(p.t.ReadBytes("7.JARL").size(), 3 * 76);
}

TEST(ElectronicLog, BandFieldAndFileNamesByBand) {
  struct Case {
    QString selection, band, field, stem;
  } cases[] = {
      {"3.5", "3.5", "  3.5  ", "3"},     {"1.9", "1.9", "  1.9  ", "1"},      {"10.1", "10.1", "10000  ", "10"},
      {"7", "7", "    7  ", "7"},         {"1200", "1200", " 1200  ", "1200"}, {"10125", "10125", "10125  ", "10125"},
      {"SAT", "SAT", "  SAT  ", "SAT"},   {"ALL", "14", "   14  ", "ALL"},
  };
  for (const Case& c : cases) {
    Pass p;
    p.Run(WorkFile(c.selection, {Record("1", c.band, "599 13M", "599 14M", "14", "", "", "1")}));
    ASSERT_TRUE(p.run.result.filesWritten) << c.selection.toStdString();
    EXPECT_EQ(ElectronicLogBand(c.band), c.field);
    const QByteArray band = p.t.ReadBytes(c.stem + ".JARL");
    EXPECT_EQ(band.mid(17, 7), c.field.toLatin1()) << c.selection.toStdString();
    EXPECT_TRUE(p.t.Exists(c.stem + ".MHz")) << c.selection.toStdString();
    EXPECT_EQ(p.t.Entries().filter(".JARL").size(), 3) << p.t.Entries().join(" ").toStdString();
  }
}

TEST(ElectronicLog, ExchangesSplitIntoReportAndNumber) {
  EXPECT_EQ(SplitExchange("599 13 M", true).report, "599");
  EXPECT_EQ(SplitExchange("599 13 M", true).number, "13M");
  EXPECT_EQ(SplitExchange("59 1305", true).report, "59");
  EXPECT_EQ(SplitExchange("59 1305", true).number, "1305");
  EXPECT_EQ(SplitExchange("599", true).number, "");
  // A contest without a report item: the whole exchange is the number.
  EXPECT_EQ(SplitExchange("1305 M", false).report, "");
  EXPECT_EQ(SplitExchange("1305 M", false).number, "1305M");

  // The definition decides: a received part without "MyRst" carries no report.
  QString definition = Definition();
  definition += CrLf({"\"Send\",\"HisRst\",\"3\"", "\"Send\",\"13M\",\"3\"", "\"Rcv\",\"Jcc\",\"6\""});
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "1305 M", "1305", "", "", "1")}), definition);
  EXPECT_EQ(p.t.ReadBytes("7.JARL"),
            Bytes({"2026-04-29 09:01     7  CW    JA1ABC     599 13M         1305M   1305   1 "}));
  EXPECT_TRUE(ParseLogDefinition(Definition()).receivedReport);
}

TEST(TextLog, WholeFileOfOneBand) {
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 14M", "14", "", "", "1", "JA1XYZ", U("移動")),
                       Record("2", "7", "599 13M", "599 15M", "", "", "", "1")}));
  ASSERT_TRUE(p.run.result.filesWritten);
  EXPECT_EQ(p.t.ReadBytes("7.MHz"),
            Bytes({kEquals, U("LOG SHEET          2026 年     ALL JA1 コンテスト"),
                   "          Call Sign: JA1ZLO    Band: 7MHz",
                   U("月日  JST   Stn WKD    Sent          Rcv           Multi   Pts  Op     Rmk     "), kDashes,
                   U("04/29 09:01 JA1ABC     599 13M       599 14M       14      1   JA1XYZ  移動    "),
                   U("04/29 09:01 JA1ABC     599 13M       599 15M               1                   "), kDashes,
                   U(" Total      2                                      1       2                   "), kEquals}));
  for (const QString& line : SplitLines(p.t.ReadCp932("7.MHz")).mid(3)) EXPECT_EQ(Cp932Length(line), 79);
}

TEST(TextLog, TotalsUseTheirPicturesAndUtcHeading) {
  QString definition = Definition("", "", "");
  definition.replace("\"JstUtc\",\"Jst\"", "\"JstUtc\",\"Utc\"");
  Pass p;
  // No multiplier at all: the total's multiplier field stays blank.
  p.Run(WorkFile("ALL", {Record("1", "14", "599 13M", "599 14M", "", "", "", "0")}), definition);
  const QStringList lines = SplitLines(p.t.ReadCp932("ALL.MHz"));
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[2], "          Call Sign: JA1ZLO    Band: All Band");
  EXPECT_EQ(lines[3].mid(4, 6), "UTC   ");  // after "月日" and two blanks
  EXPECT_EQ(lines[7], " Total      1" + QString(66, ' '));
  EXPECT_EQ(TextLogTotalRecord({}).mid(12, 11), "0          ");

  // A points total of five digits keeps every digit.
  OutputTotals big;
  big.qsos = 32767;
  big.multipliers = {40, 3, 0};
  big.points = 12345;
  EXPECT_EQ(TextLogTotalRecord(big),
            " Total      32767                                  43      12345               ");
}

TEST(ElectronicLog, InvalidQsosAreInNoFileAndNoTotalEvenStruckThrough) {
  OutputOptions strike = FilesOnly();
  strike.omitInvalid = false;
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 14M", "14", "", "", "1"),
                       Record("0", "7", "599 13M", "599 15M", "15", "", "", "5"),
                       Record("3", "7", "599 13M", "599 16M", "16", "", "", "2")}),
        Definition(), strike);
  ASSERT_TRUE(p.run.result.filesWritten);
  EXPECT_EQ(p.t.ReadBytes("7.JARL").size(), 2 * 76);
  EXPECT_FALSE(p.t.ReadCp932("7.JARL").contains("15M"));
  EXPECT_FALSE(p.t.ReadCp932("7.MHz").contains("15M"));
  EXPECT_EQ(p.run.result.totals.qsos, 2);
  EXPECT_EQ(p.run.result.totals.points, 3);
  EXPECT_EQ(p.t.ReadBytes("ZOTRAPOI.DAT"), QByteArray("\"7\",\" 2\",\" 2\",\" 0\",\" 0\",\" 3\"\r\n"));
}

TEST(ElectronicLog, FieldsAreCutAtWholeCharacters) {
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 14M", U("東京都千代田"), "", "", "1", U("ｵﾍﾟﾚｰﾀｰ"),
                              U("東京都千代田区"), U("JA1ABC/X東京"))}));
  ASSERT_TRUE(p.run.result.filesWritten);
  const QByteArray jarl = p.t.ReadBytes("7.JARL");
  ASSERT_EQ(jarl.size(), 76);
  // Multiplier field (7 bytes): a blank where "千" would straddle its end.
  EXPECT_EQ(DecodeCp932(jarl.mid(65, 7)), U("東京都 "));
  EXPECT_EQ(DecodeCp932(jarl.mid(30, 11)), U("JA1ABC/X東 "));
  const QStringList lines = SplitLines(p.t.ReadCp932("7.MHz"));
  EXPECT_EQ(lines[5].mid(12, 10), U("JA1ABC/X東 "));
  EXPECT_EQ(lines[5].right(12), U("ｵﾍﾟﾚｰﾀｰ 東京都千"));
  EXPECT_EQ(Cp932Length(lines[5]), 79);
}

TEST(ElectronicLog, CharactersOutsideTheCodePageAreToldOncePerFile) {
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 14M", "14", "", "", "1", "", QString::fromUtf8("\xF0\x9F\x98\x80"))}));
  ASSERT_TRUE(p.run.result.filesWritten);
  EXPECT_EQ(p.t.ReadBytes("7.MHz").count('?'), 1);
  ASSERT_EQ(p.run.dialogs.size(), 1) << p.run.dialogs.join("\n").toStdString();
  EXPECT_TRUE(p.run.dialogs.first().contains("7.MHz"));
}

TEST(ElectronicLog, AFileErrorStopsThePassAndKeepsTheEarlierFiles) {
  Pass p;
  const QString work = WorkFile("7", {Record("1", "7", "599 13M", "599 14M", "14", "", "", "1")});
  p.Run(work);
  ASSERT_TRUE(p.run.result.filesWritten);
  const QByteArray band = p.t.ReadBytes("7.JARL");
  const QByteArray points = p.t.ReadBytes("ZOTRAPOI.DAT");
  p.t.WriteBytes("HED2.JARL", "old\r\n");

  // A folder where the text log goes stands in for a file that cannot be written.
  QFile::remove(p.t.File("7.MHz"));
  QDir(p.t.Path()).mkdir("7.MHz");
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 99M", "99", "", "", "5")}));
  EXPECT_FALSE(p.run.result.filesWritten);
  EXPECT_FALSE(p.run.result.Succeeded());
  ASSERT_EQ(p.run.dialogs.size(), 1);
  EXPECT_TRUE(p.run.dialogs.first().startsWith(
      U("ZOTRAL|ファイル %1 に書き込めません").arg(QDir::toNativeSeparators(p.t.File("7.MHz")))))
      << p.run.dialogs.first().toStdString();
  EXPECT_TRUE(p.run.dialogs.first().endsWith(U("前回のログファイルと得点ファイルはそのままです")));
  EXPECT_EQ(p.t.ReadBytes("7.JARL"), band);
  EXPECT_EQ(p.t.ReadBytes("ZOTRAPOI.DAT"), points);
  EXPECT_EQ(p.t.ReadBytes("HED2.JARL"), QByteArray("old\r\n"));
  // Nothing of the stopped pass is left behind.
  EXPECT_EQ(p.t.Entries(), (QStringList{"7.JARL", "7.MHz", "HED.JARL", "HED2.JARL", "ZOTRAPOI.DAT"}));

  // The scratch file blocked: stopped before anything, named.
  QDir(p.t.Path()).rmdir("7.MHz");
  QDir(p.t.Path()).mkdir("TempP.tmp");
  p.Run(work);
  EXPECT_FALSE(p.run.result.filesWritten);
  ASSERT_EQ(p.run.dialogs.size(), 1);
  EXPECT_TRUE(p.run.dialogs.first().contains(QDir::toNativeSeparators(p.t.File("TempP.tmp"))));
  EXPECT_EQ(p.t.ReadBytes("7.JARL"), band);
}

TEST(ElectronicLog, APointsFileThatCannotBeWrittenKeepsTheLogFilesToo) {
  Pass p;
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 14M", "14", "", "", "1")}));
  const QByteArray band = p.t.ReadBytes("7.JARL");
  QFile::remove(p.t.File("ZOTRAPOI.DAT"));
  QDir(p.t.Path()).mkdir("ZOTRAPOI.DAT");
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 99M", "99", "", "", "5")}));
  EXPECT_FALSE(p.run.result.filesWritten);
  EXPECT_EQ(p.t.ReadBytes("7.JARL"), band);
  ASSERT_EQ(p.run.dialogs.size(), 2);
  EXPECT_TRUE(p.run.dialogs[0].contains(U("得点ファイル"))) << p.run.dialogs[0].toStdString();
  EXPECT_EQ(p.run.dialogs[1], U("ZOTRAL|得点ファイルを書き込めなかったため、ログファイルも前回のままにしました"));
}

TEST(ElectronicLog, AnotherBandKeepsItsFilesAndPointsLine) {
  Pass p;
  p.Run(WorkFile("3.5", {Record("1", "3.5", "599 13M", "599 14M", "14", "", "", "1")}));
  const QByteArray other = p.t.ReadBytes("3.JARL");
  p.Run(WorkFile("7", {Record("1", "7", "599 13M", "599 15M", "15", "", "", "2")}));
  EXPECT_EQ(p.t.ReadBytes("3.JARL"), other);
  EXPECT_EQ(p.t.ReadBytes("ZOTRAPOI.DAT"),
            QByteArray("\"7\",\" 1\",\" 1\",\" 0\",\" 0\",\" 2\"\r\n\"3.5\",\" 1\",\" 1\",\" 0\",\" 0\",\" 1\"\r\n"));
  // "ALL" leaves the points file alone but writes its own files.
  p.Run(WorkFile("ALL", {Record("1", "7", "599 13M", "599 15M", "15", "", "", "2")}));
  EXPECT_TRUE(p.t.Exists("ALL.JARL"));
  EXPECT_EQ(p.t.ReadBytes("ZOTRAPOI.DAT").count('\n'), 2);
}
