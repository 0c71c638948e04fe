// The environment file: which file is used, the check of its band lines with
// the microwave band table, the band plan, mode aliases and library date.
#include "common/Dialogs.h"
#include "common/Text.h"
#include "menu/Environment.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const QString kTable = QString::fromUtf8("センチメートル波.txt");

QString RestartLine() { return U("修正後このプログラムを再起動してください"); }

QString CodeMessage(const QString& line, int code) {
  return U("ファイルの 下記の行の記述が不正です\n") + line + U("\n修正が必要です,数値の大小関係 Code=") +
         QString::number(code) + "\n" + RestartLine();
}

QString ItemsMessage(const QString& line, int count) {
  return U("ファイルの 下記の行の記述が不正です\n") + line + U("\n修正が必要です,項目数がおかしいです ") +
         QString::number(count) + "\n" + RestartLine();
}

const QString kSatMessage =
    QString::fromUtf8("環境ファイルの $SAT 行の記述が不正です\n修正が必要です\nOption の 環境ファイルの編集で修正可能です");
const QString kLimitMessage = QString::fromUtf8(
    "環境ファイルの 10.1GHz 超え周波数設定データと SAT 設定行 4行を超えています\n修正が必要です\nZORAW.cgf ファイルです");

// Runs the check on the lines and returns the texts of the messages shown.
struct Check {
  TempFolder folder;
  ScriptedDialogs dialogs{QString(), {}};
  EnvironmentCheckResult result;

  QStringList Run(const QStringList& lines) {
    folder.WriteCp932("ZOTRAW.CFG", CrLf(lines));
    return RunOnFile();
  }
  QStringList RunOnFile() {
    dialogs.SetDefaultTitle("ZOTRAM");
    result = CheckEnvironmentFile(folder.File("ZOTRAW.CFG"), folder.Path(), dialogs);
    QStringList texts;
    for (const QString& r : dialogs.Records()) {
      const QStringList f = DialogFields(r);
      EXPECT_EQ(f.at(0), "message");
      EXPECT_EQ(f.at(1), "ZOTRAM");
      EXPECT_EQ(f.at(3), "OK");
      texts << f.at(2);
    }
    return texts;
  }
  QByteArray Table() const { return folder.ReadBytes(kTable); }
  bool HasTable() const { return folder.Exists(kTable); }
};

}  // namespace

TEST(EnvironmentChoice, FirstOfMyMytstZotraw) {
  TempFolder t;
  EXPECT_EQ(ChooseEnvironmentFile(t.Path()), QString());
  t.WriteCp932("ZOTRAW.CFG", "$7\r\n");
  EXPECT_EQ(ChooseEnvironmentFile(t.Path()), "ZOTRAW.CFG");
  t.WriteCp932("mytst.cfg", "$7\r\n");
  EXPECT_EQ(ChooseEnvironmentFile(t.Path()), "MYTST.CFG");
  // A folder of that name is no environment file.
  QDir(t.Path()).mkdir("MY.CFG");
  EXPECT_EQ(ChooseEnvironmentFile(t.Path()), "MYTST.CFG");
  QDir(t.Path()).rmdir("MY.CFG");
  t.WriteCp932("My.Cfg", "$7\r\n");
  EXPECT_EQ(ChooseEnvironmentFile(t.Path()), "MY.CFG");

  EXPECT_EQ(MissingEnvironmentMessage("/opt/zotra"),
            U("環境ﾌｧｲﾙ /opt/zotra/ZOTRAW.CFG が見つからない為実行できません"));
  EXPECT_EQ(MissingEnvironmentMessage("/opt/zotra/"),
            U("環境ﾌｧｲﾙ /opt/zotra/ZOTRAW.CFG が見つからない為実行できません"));
}

TEST(EnvironmentCheck, ValidRangesGoToTheMicrowaveTable) {
  Check c;
  EXPECT_EQ(c.Run({"$7", "$24000,24000,24250", "$10125,9000,10250", "%CW"}), QStringList());
  EXPECT_EQ(c.Table(), QByteArray("24000,24000,24250\r\n10125,9000,10250\r\n"));
  EXPECT_EQ(c.result.tableLines, 2);
  EXPECT_EQ(c.result.messages, 0);
}

TEST(EnvironmentCheck, RangeCodes) {
  Check c;
  // band > high is false for 24000 against 24000: 1 (band < low) + 4 (low >= high).
  const QStringList texts = c.Run({"$24000,24250,24000", "$5000,6000,7000", "$8000,6000,7000",
                                   "$7000,7000,7000", "$24000,24000,24250"});
  EXPECT_EQ(texts, (QStringList{CodeMessage("$24000,24250,24000", 5), CodeMessage("$5000,6000,7000", 1),
                                CodeMessage("$8000,6000,7000", 2), CodeMessage("$7000,7000,7000", 4)}));
  // The faulty lines stay out of the table, the good one is kept.
  EXPECT_EQ(c.Table(), QByteArray("24000,24000,24250\r\n"));
}

TEST(EnvironmentCheck, ItemCounts) {
  Check c;
  const QStringList texts = c.Run({"$7,1", "$10125,10000,10250,1", "$1,2,3,4,5", "$2400"});
  EXPECT_EQ(texts, (QStringList{ItemsMessage("$7,1", 1), ItemsMessage("$10125,10000,10250,1", 3),
                                ItemsMessage("$1,2,3,4,5", 4)}));
  EXPECT_FALSE(c.HasTable());
}

TEST(EnvironmentCheck, SatelliteLines) {
  Check c;
  EXPECT_EQ(c.Run({"$SAT2", "$SAT", "$SAT,1,2"}), (QStringList{kSatMessage, kSatMessage}));
}

TEST(EnvironmentCheck, MoreThanFourExtraLinesToldOnceAtTheFifth) {
  Check c;
  QStringList lines = {"$24000,24000,24250", "$47000,47000,47200", "$SAT", "$77500,77000,78000",
                       "$135000,134000,136000"};
  // Many more after the fifth: the message still comes once.
  for (int i = 0; i < 40; ++i) lines << QString("$%1,%1,%2").arg(200000 + i).arg(200001 + i);
  lines << "$5,6";  // a later fault is still told
  const QStringList texts = c.Run(lines);
  ASSERT_EQ(texts.size(), 2);
  EXPECT_EQ(texts.at(0), kLimitMessage);
  EXPECT_EQ(texts.at(1), ItemsMessage("$5,6", 1));
  EXPECT_EQ(c.result.tableLines, 44);

  // Four are allowed; the fifth (a faulty one counts too) brings the message after its own.
  Check d;
  EXPECT_EQ(d.Run({"$SAT", "$SAT", "$20000", "$30000", "$40000,1,2"}),
            (QStringList{CodeMessage("$40000,1,2", 2), kLimitMessage}));
  Check e;
  EXPECT_EQ(e.Run({"$SAT", "$20000", "$30000", "$40000"}), QStringList());
}

TEST(EnvironmentCheck, OnlyOneItemLinesLeaveNoTable) {
  Check c;
  c.folder.WriteCp932(kTable, "old,1,2\r\n");
  EXPECT_EQ(c.Run({"$7", "$14", "$SAT", "%CW"}), QStringList());
  EXPECT_FALSE(c.HasTable());
}

TEST(EnvironmentCheck, CommentsAndShortLinesAreIgnored) {
  Check c;
  EXPECT_EQ(c.Run({"$", "x$7,1", " $7,1", "; $7,1", "%SSB,LSB,USB", "&2024/04/01", "", "$sat2"}), QStringList());
}

TEST(EnvironmentCheck, BadInputNeverStopsTheCheck) {
  {  // no lines at all
    Check c;
    c.folder.WriteBytes("ZOTRAW.CFG", QByteArray());
    EXPECT_EQ(c.RunOnFile(), QStringList());
    EXPECT_TRUE(c.result.readable);
    EXPECT_FALSE(c.HasTable());
  }
  {  // bytes that are no CP932, binary garbage, a NUL
    Check c;
    QByteArray bytes("$\x80\xff\xfe,1,2\r\n");
    bytes.append('\0');
    bytes.append("\x01\x02$7\r\n$10125,10000,10250\r\n");
    for (int i = 0; i < 256; ++i) bytes.append(char(i));
    c.folder.WriteBytes("ZOTRAW.CFG", bytes);
    const QStringList texts = c.RunOnFile();
    ASSERT_GE(texts.size(), 1);
    EXPECT_TRUE(texts.first().startsWith(U("ファイルの 下記の行の記述が不正です\n$")));
    EXPECT_TRUE(c.Table().startsWith("10125,10000,10250\r\n"));
  }
  {  // a very long line is quoted shortened
    Check c;
    const QString line = "$" + QString("9,").repeated(50000) + "9";
    const QStringList texts = c.Run({line});
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts.first(), ItemsMessage(line.left(200) + U("…"), 50000));
  }
  {  // a missing file: nothing told, no table
    Check c;
    c.folder.WriteCp932(kTable, "old,1,2\r\n");
    EXPECT_EQ(c.RunOnFile(), QStringList());
    EXPECT_FALSE(c.result.readable);
    EXPECT_FALSE(c.HasTable());
  }
  {  // lines ended by LF only or CR only read the same
    Check c;
    c.folder.WriteBytes("ZOTRAW.CFG", "$7\n$24000,24000,24250\r$SAT2\n");
    EXPECT_EQ(c.RunOnFile(), QStringList{kSatMessage});
    EXPECT_EQ(c.Table(), QByteArray("24000,24000,24250\r\n"));
  }
}

TEST(EnvironmentCheck, TableThatCannotBeWrittenIsTold) {
  Check c;
  QDir(c.folder.Path()).mkdir(kTable);  // a folder stands where the table goes
  const QStringList texts = c.Run({"$24000,24000,24250"});
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts.first().endsWith(U(" に書き込めません")));
}

TEST(BandPlan, SlotsFromTheFirstFieldOfEachLine) {
  TempFolder t;
  t.WriteCp932("MY.CFG", CrLf({"; バンド, $99", "$1.9", "$10", "$10125,10000,10250", "\"$24000,24000,24250\"",
                               "\"$5,6\"", "$SAT", "$", "%CW", "%SSB,LSB,USB", "& $7", "x,%RTTY"}));
  const BandPlan plan = ReadBandPlan(t.File("MY.CFG"));
  EXPECT_TRUE(plan.found);
  QStringList names;
  QList<bool> extra;
  for (const PlanBand& b : plan.bands) {
    names << b.name;
    extra << b.extra;
  }
  EXPECT_EQ(names, (QStringList{"1.9", "10", "10125", "24000", "5,6", "SAT"}));
  EXPECT_EQ(extra, (QList<bool>{false, true, false, true, true, true}));
  EXPECT_EQ(plan.modes, (QStringList{"CW", "SSB"}));
}

TEST(BandPlan, TwentyBandsAndSixModesAtMost) {
  TempFolder t;
  QStringList lines;
  for (int i = 1; i <= 25; ++i) lines << QString("$%1").arg(i * 1000);
  for (int i = 1; i <= 8; ++i) lines << QString("%M%1").arg(i);
  t.WriteCp932("ZOTRAW.CFG", CrLf(lines));
  const BandPlan plan = ReadBandPlan(t.File("ZOTRAW.CFG"));
  ASSERT_EQ(plan.bands.size(), kBandSlots);
  EXPECT_EQ(plan.bands.last().name, "20000");
  EXPECT_EQ(plan.modes, (QStringList{"M1", "M2", "M3", "M4", "M5", "M6"}));

  const BandPlan missing = ReadBandPlan(t.File("NONE.CFG"));
  EXPECT_FALSE(missing.found);
  EXPECT_TRUE(missing.bands.isEmpty());
}

TEST(BandPlan, StandardBands) {
  for (const char* b : {"1.9", "3.5", "7", "14", "21", "28", "50", "144", "430", "1200", "2400", "5600", "10125"}) {
    EXPECT_TRUE(IsStandardBand(b)) << b;
  }
  for (const char* b : {"10", "18", "24", "SAT", "24000", "", "7.0"}) EXPECT_FALSE(IsStandardBand(b)) << b;
}

TEST(ModeAliases, PairsFromModeLines) {
  TempFolder t;
  t.WriteCp932("ZOTRAW.CFG", CrLf({"%CW", "%ssb,lsb,usb", "%RTTY, BPSK ,,", "; %FM,NFM", "$7,%AM,X"}));
  const ModeAliases aliases = ReadModeAliases(t.File("ZOTRAW.CFG"));
  const ModeAliases expected = {{"LSB", "SSB"}, {"USB", "SSB"}, {"BPSK", "RTTY"}};
  EXPECT_EQ(aliases, expected);
  EXPECT_EQ(ApplyModeAlias(aliases, "USB"), "SSB");
  EXPECT_EQ(ApplyModeAlias(aliases, "usb "), "SSB");
  EXPECT_EQ(ApplyModeAlias(aliases, "FM"), "FM");
  EXPECT_EQ(ApplyModeAlias(aliases, ""), "");
}

TEST(LibraryDate, FromElevenCharacterAmpersandLines) {
  TempFolder t;
  t.WriteCp932("A.CFG", CrLf({"$7", "%CW"}));
  EXPECT_EQ(ReadRequiredLibraryDate(t.File("A.CFG")), "2020/01/01");
  t.WriteCp932("B.CFG", CrLf({"&2024/04/01", "&2024/4/1"}));
  EXPECT_EQ(ReadRequiredLibraryDate(t.File("B.CFG")), "2024/04/01");
  t.WriteCp932("C.CFG", CrLf({"&2021/01/01", "&2024/4/1", "&2022/02/02"}));
  EXPECT_EQ(ReadRequiredLibraryDate(t.File("C.CFG")), "2022/02/02");
  t.WriteCp932("D.CFG", CrLf({"&2024/4/1", "& 2024/04/01"}));
  EXPECT_EQ(ReadRequiredLibraryDate(t.File("D.CFG")), "2020/01/01");
  EXPECT_EQ(ReadRequiredLibraryDate(t.File("NONE.CFG")), "2020/01/01");
}

// The file that ships is one a new user can use as it stands.
TEST(ShippedEnvironment, UsableAsItStands) {
  TempFolder t;
  t.WriteBytes("ZOTRAW.CFG", [] {
    QFile f(BuiltProgram("ZOTRAW.CFG"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }());
  const QByteArray bytes = t.ReadBytes("ZOTRAW.CFG");
  EXPECT_GT(bytes.count("\n"), 10);
  EXPECT_EQ(bytes.count("\r\n"), bytes.count("\n"));
  EXPECT_EQ(DecodeCp932(bytes).count(QChar(0xFFFD)), 0);

  ScriptedDialogs dialogs(QString(), {});
  const EnvironmentCheckResult result = CheckEnvironmentFile(t.File("ZOTRAW.CFG"), t.Path(), dialogs);
  EXPECT_EQ(result.messages, 0) << dialogs.Records().join("\n").toStdString();
  EXPECT_EQ(t.ReadBytes(kTable), QByteArray("10125,10000,10250\r\n"));

  const BandPlan plan = ReadBandPlan(t.File("ZOTRAW.CFG"));
  QStringList names;
  for (const PlanBand& b : plan.bands) names << b.name;
  for (const QString& b : StandardBandNames()) EXPECT_TRUE(names.contains(b)) << b.toStdString();
  for (const char* b : {"10", "18", "24", "SAT"}) EXPECT_TRUE(names.contains(b)) << b;
  EXPECT_EQ(plan.modes, (QStringList{"CW", "SSB", "FM", "AM", "RTTY", "FT8"}));
  EXPECT_EQ(ApplyModeAlias(ReadModeAliases(t.File("ZOTRAW.CFG")), "LSB"), "SSB");
  EXPECT_EQ(ReadRequiredLibraryDate(t.File("ZOTRAW.CFG")), "2020/01/01");
}
