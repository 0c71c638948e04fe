// The importer and the dump tool, run as a user runs them, on a contest log of
// several hundred QSOs: the dump of the imported logbook matches the ADIF
// record for record, worked out on its own by the script that wrote the log
// (data/make_contest_log.py).
#include "hostlog/SampleLogbook.h"

#include <QDir>
#include <QProcess>

using namespace zotra::test;

namespace {

struct ToolRun {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs a tool of the program folder (the dump finds the libraries beside itself).
ToolRun Tool(const QString& name, const QStringList& arguments) {
  QProcess p;
  p.start(BuiltProgram(name), arguments);
  ToolRun r;
  if (!p.waitForFinished(60000)) return r;
  r.exitCode = p.exitCode();
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

QString Data(const char* name) { return QDir(QStringLiteral(HOSTLOG_TEST_DATA)).filePath(QString::fromLatin1(name)); }

QStringList Lines(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QStringList DataLines(const char* name) { return Lines(QString::fromUtf8(FileBytes(Data(name)))); }

QStringList Prefixed(const QStringList& lines, const char* tool) {
  QStringList out;
  for (const QString& l : lines) out << QString::fromLatin1(tool) + QLatin1String(": ") + l;
  return out;
}

}  // namespace

TEST(Tools, AContestLogImportsRecordForRecord) {
  TempFolder t;
  const QString hdb = t.File("MARQEN.HDB");
  const ToolRun import = Tool("marqen-import", {"--ver4", Data("contest.adi"), hdb});
  ASSERT_EQ(import.exitCode, 0) << import.err.toStdString();
  EXPECT_EQ(import.out, U8("440 件の交信を %1 に書きました (読み飛ばし 0 件)\n").arg(hdb));
  // Every text that had to change is reported with its record.
  EXPECT_EQ(Lines(import.err), Prefixed(DataLines("contest.notes.txt"), "marqen-import"));

  const ToolRun dump = Tool("marqen-dump", {hdb});
  ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
  const QStringList expected = DataLines("contest.expected.tsv");
  const QStringList got = Lines(dump.out);
  ASSERT_EQ(got.size(), expected.size());
  for (int i = 0; i < got.size(); ++i) ASSERT_EQ(got.at(i), expected.at(i)) << "record " << i + 1;

  const ToolRun old = Tool("marqen-dump", {t.File("MARQEN.DBS")});
  ASSERT_EQ(old.exitCode, 0) << old.err.toStdString();
  const QStringList expected4 = DataLines("contest.expected-ver4.tsv");
  const QStringList got4 = Lines(old.out);
  ASSERT_EQ(got4.size(), expected4.size());
  for (int i = 0; i < got4.size(); ++i) ASSERT_EQ(got4.at(i), expected4.at(i)) << "record " << i + 1;
}

TEST(Tools, JstTimesAndTheAreaFieldByName) {
  TempFolder t;
  t.WriteBytes("log.adi",
               "<CALL:6>JA1ABC <QSO_DATE:8>20250607 <TIME_ON:4>1530 <FREQ:5>7.025 <MODE:2>CW <STATE:2>13 <EOR>\n");
  const ToolRun import = Tool("marqen-import", {"--zone", "J", "--area-field", "STATE", t.File("log.adi"),
                                            t.File("J.HDB")});
  ASSERT_EQ(import.exitCode, 0) << import.err.toStdString();
  const ToolRun dump = Tool("marqen-dump", {t.File("J.HDB")});
  EXPECT_EQ(dump.out, "1\tJA1ABC\t25/06/08\t00:30J\t\t\t7.025\tCW\t13\t\tNN\t\t\t\t\t\t\n");
}

TEST(Tools, ABrokenAdifFileIsReportedAndWhatCanBeReadIsWritten) {
  TempFolder t;
  t.WriteBytes("broken.adi",
               "<ADIF_VER:5>3.1.4<EOH>\n"
               "<CALL:6>JA1ABC <QSO_DATE:8>20250607 <TIME_ON:4>0601 <FREQ:3>7.025 <EOR>\n"
               "<QSO_DATE:8>20250607 <TIME_ON:4>0602 <FREQ:5>7.025 <EOR>\n"
               "<CALL:6>JA1ABD <QSO_DATE:8>20250607 <TIME_ON:4>0603 <FREQ:5>7.025 <NAME:99>Ta");
  const QString out = t.File("B.DBS");  // a Ver4 pair only
  const ToolRun import = Tool("marqen-import", {t.File("broken.adi"), out});
  ASSERT_EQ(import.exitCode, 0);
  EXPECT_EQ(import.out, U8("2 件の交信を %1 に書きました (読み飛ばし 1 件)\n").arg(out));
  EXPECT_EQ(Lines(import.err),
            Prefixed({U8("記録 1: FREQ の長さ 3 が値と合いません (次のタグまでを値にしました)"),
                      U8("記録 3: NAME の長さ 99 が値と合いません (次のタグまでを値にしました)"),
                      U8("記録 3: <EOR> がないまま終わっています (この記録も読みました)"),
                      U8("記録 2: 読み飛ばしました (CALL がありません)")},
                     "marqen-import"));
  EXPECT_FALSE(t.Exists("B.HDB"));
  const ToolRun dump = Tool("marqen-dump", {out});
  EXPECT_EQ(Lines(dump.out).size(), 2);
  EXPECT_TRUE(dump.out.contains("JA1ABD\t25/06/07\t06:03U"));
}

TEST(Tools, UsageAndUnreadableFiles) {
  TempFolder t;
  EXPECT_EQ(Tool("marqen-import", {}).exitCode, 2);
  EXPECT_EQ(Tool("marqen-import", {"--zone", "X", "a.adi", "b.HDB"}).exitCode, 2);
  const ToolRun wrongName = Tool("marqen-import", {"a.adi", t.File("b.txt")});
  EXPECT_EQ(wrongName.exitCode, 2);
  EXPECT_TRUE(wrongName.err.contains(U8("出力ファイルの名前は .HDB か .DBS で終わるものにしてください")));
  const ToolRun missing = Tool("marqen-import", {t.File("none.adi"), t.File("b.HDB")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, U8("marqen-import: ADIF ファイルが読めません: %1\n").arg(t.File("none.adi")));
  EXPECT_EQ(Tool("marqen-dump", {}).exitCode, 2);
}

TEST(Tools, TheDumpOfADamagedDatabaseSaysWhatItCouldNotRead) {
  TempFolder t;
  const QString hdb = t.File("D.HDB");
  WriteHdb(hdb, SampleEntries());
  Patch(hdb, 16 + 336, QByteArray(1, 'x'));  // record 2 loses its mark
  Truncate(hdb, 16 + 4 * 336 - 1);            // record 4 is cut, record 5 gone
  const ToolRun dump = Tool("marqen-dump", {hdb});
  EXPECT_EQ(dump.exitCode, 1);
  const QStringList lines = Lines(dump.out);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines.at(0).startsWith("1\tJA1ABC\t"));
  EXPECT_TRUE(lines.at(1).startsWith("3\tJR1YZD\t"));
  EXPECT_EQ(Lines(dump.err),
            Prefixed({U8("記録 2 は壊れています"),
                      U8("記録 4 から先が読めません (見出しの件数 5 件、ファイルが途中で切れています)")},
                     "marqen-dump"));
  // Kanji and half-width katakana come out as UTF-8.
  const ToolRun whole = Tool("marqen-dump", {[&] {
                           const QString p = t.File("W.HDB");
                           WriteHdb(p, SampleEntries());
                           return p;
                         }()});
  EXPECT_TRUE(whole.out.contains(U8("\tﾀﾛｳ\t港区 芝公園\tﾃｽﾄ 移動\t")));
}
