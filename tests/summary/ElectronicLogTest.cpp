// The JARL electronic log, byte for byte, from hand-built inputs: the summary
// part of both versions, the log part by band and in time order, the station
// folder, the file name, and what happens when inputs are missing or the file
// cannot be written.
#include "OutputFixture.h"
#include "summary/ElectronicLog.h"
#include "summary/ElectronicLogCheck.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

const QString kOath = U("<OATH>私は、JARL 制定のコンテスト規約及び電波法令にしたがい運用した結果、ここに提出する"
                        "サマリーシートおよびログシートなどが事実と相違ないものであることを、私の名誉において誓います。");

// The QSOs of the sample log: 1.9 MHz, 7 MHz and 14 MHz; three of them in
// the same minute.
const QString k19a = Qso("15", "21:05", "1.9", "JA1AAA", "10M", "10");
const QString k7a = Qso("15", "21:05", "7", "JA2BBB", "20H", "20");
const QString k7b = Qso("15", "21:30", "7", "JA3CCC", "25M", "25");
const QString k7c = Qso("16", "06:00", "7", "JA4DDD", "31P", "-");
const QString k14a = Qso("15", "21:05", "14", "JA5EEE", "33L", "33");
const QString k14b = Qso("15", "21:10", "14", "JA6FFF", "40M", "40");

// The sample: header, three band files, a band with a file but no value (21),
// a band with a value but no file (28), the points file with the newest band
// first.
class SampleLog : public OutputFolder {
 public:
  SampleLog() {
    Lines("HED.JARL", HeaderRecords());
    Lines("1.JARL", {k19a});
    Lines("7.JARL", {k7a, k7b, k7c});
    Lines("14.JARL", {k14a, k14b});
    Lines("21.JARL", {Qso("15", "22:00", "21", "JA7GGG", "07M", "07")});
    Points({PointsLine("14", 2, 2, 0, 0, 2), PointsLine("7", 3, 3, 0, 0, 3), PointsLine("1.9", 1, 1, 0, 0, 1),
            PointsLine("21", 0, 0, 0, 0, 0), PointsLine("28", 5, 5, 0, 0, 5)});
  }
};

// The summary part of the sample definition, R2.1.
QStringList SampleSummary21() {
  return {"<SUMMARYSHEET VERSION=R2.1>",
          U("<CONTESTNAME>ALL JA1 コンテスト</CONTESTNAME>"),
          "<CATEGORYCODE>C1MA</CATEGORYCODE>",
          "<CALLSIGN>JA1ZLO/1</CALLSIGN>",
          "<TOTALSCORE>21200</TOTALSCORE>",
          U("<ADDRESS>170-8073 東京都豊島区巣鴨1-14-2 JARL会館</ADDRESS>"),
          "<TEL>03-5395-3106</TEL>",
          U("<NAME>日本 太郎</NAME>"),
          "<EMAIL>ja1zlo@example.jp</EMAIL>",
          "<POWER>100</POWER>",
          U("<OPPLACE>千葉県館山市</OPPLACE>"),
          U("<POWERSUPPLY>発動発電機</POWERSUPPLY>"),
          U("<COMMENTS>楽しいコンテストでした。 コンディションが良かった また参加します"),
          "</COMMENTS>",
          "<REGCLUBNUMBER>10-1-1</REGCLUBNUMBER>",
          kOath,
          "</OATH>",
          U("<DATE>2024年06月20日</DATE>"),
          U("<SIGNATURE>日本 太郎</SIGNATURE>"),
          "</SUMMARYSHEET>"};
}

QString LogSheet() { return "<LOGSHEET TYPE=ZOTRA" + ProgramVersion() + ".0>"; }

}  // namespace

TEST(ElectronicLog, R21InTimeOrderByteForByte) {
  SampleLog f;
  f.Lines(U("オールログ.txt"), {"left over from an earlier run"});
  const QString path = WriteElectronicLog(f.Context(), 2);
  EXPECT_EQ(QDir::cleanPath(path), f.t.File(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")));
  // After the header: same minute sorted by the band field's first blanks
  // (7 and 14 keep their file order, 1.9 after them), then by time.
  const QStringList expected = SampleSummary21() + QStringList{LogSheet()} + HeaderRecords() +
                               QStringList{k7a, k14a, k19a, k14b, k7b, k7c, "</LOGSHEET>"};
  EXPECT_EQ(f.ElectronicLog(), Cp932Lines(expected));
  EXPECT_TRUE(f.dialogs.Records().isEmpty()) << f.dialogs.Records().join("\n").toStdString();
  // Nothing but the finished file is left behind.
  EXPECT_FALSE(f.t.Exists(U("オールログ.txt")));
  EXPECT_EQ(QDir(f.t.File("JA1ZLO_JARL")).entryList(QDir::Files), QStringList{U("2024_ALL JA1 コンテスト.txt")});

  // The bytes themselves: CP932 and CR LF.
  const QByteArray bytes = f.ElectronicLog();
  EXPECT_TRUE(bytes.startsWith("<SUMMARYSHEET VERSION=R2.1>\r\n<CONTESTNAME>ALL JA1 \x83\x52\x83\x93\x83\x65\x83\x58\x83\x67"
                               "</CONTESTNAME>\r\n"));
  EXPECT_TRUE(bytes.endsWith("</LOGSHEET>\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));

  // The sponsor's reader takes it without a complaint.
  EXPECT_EQ(CheckElectronicLog(bytes, {.timeOrder = true, .qsoCount = 6}), QStringList());
}

TEST(ElectronicLog, R21ByBand) {
  SampleLog f;
  ContestDefinition d = SampleDefinition();
  d.jarlOrder = "Band";
  f.Definition(d);
  WriteElectronicLog(f.Context(), 2);
  const QStringList expected = SampleSummary21() + QStringList{LogSheet()} + HeaderRecords() +
                               QStringList{k19a, k7a, k7b, k7c, k14a, k14b, "</LOGSHEET>"};
  EXPECT_EQ(f.ElectronicLog(), Cp932Lines(expected));
  EXPECT_EQ(CheckElectronicLog(f.ElectronicLog()), QStringList());
}

TEST(ElectronicLog, R10WithScoreLines) {
  OutputFolder f;
  ContestDefinition d = SampleDefinition();
  d.jarlLog = "Yes R1";
  d.operators = "JA1XYZ";
  d.age = "65";
  d.licenceDate = U("2001年04月01日");
  f.Definition(d);
  f.totals.coefficientText = "2";
  f.totals.scoreText = "266";
  f.Lines("HED.JARL", HeaderRecords());
  const QString sat = Qso("15", "21:20", "SAT", "JA8HHH", "101M", "101");
  const QString micro = Qso("15", "21:15", "10125", "JA9III", "09L", "09");
  const QString six = Qso("15", "21:25", "50", "JA0JJJ", "10M", "");
  f.Lines("SAT.JARL", {sat});
  f.Lines("10125.JARL", {micro});
  f.Lines("50.JARL", {six});
  f.Lines("7.JARL", {k7a});
  f.Points({PointsLine("SAT", 3, 2, 0, 0, 6), PointsLine("10125", 4, 1, 1, 0, 8), PointsLine("50", 2, 0, 0, 0, 2),
            PointsLine("7", 3, 3, 0, 0, 3)});
  WriteElectronicLog(f.Context(), 1);
  const QStringList expected = {
      "<SUMMARYSHEET VERSION=R1.0>",
      U("<CONTESTNAME>ALL JA1 コンテスト</CONTESTNAME>"),
      "<CATEGORYCODE>C1MA</CATEGORYCODE>",
      U("<CATEGORYNAME>電信部門 シングルオペ オールバンド</CATEGORYNAME>"),
      "<CALLSIGN>JA1ZLO/1</CALLSIGN>",
      "<OPCALLSIGN>JA1XYZ</OPCALLSIGN>",
      "<SCORE BAND=7MHz>3,3,3</SCORE>",
      "<SCORE BAND=50MHz>2,2,</SCORE>",
      "<SCORE BAND=10.1GHz>4,8,2</SCORE>",
      "<SCORE BAND=SATMHz>3,6,2</SCORE>",
      "<SCORE BAND=TOTAL>12,19,7</SCORE>",
      "<FDCOEFF>2</FDCOEFF>",
      "<TOTALSCORE>266</TOTALSCORE>",
      U("<ADDRESS>170-8073 東京都豊島区巣鴨1-14-2 JARL会館</ADDRESS>"),
      "<TEL>03-5395-3106</TEL>",
      U("<NAME>日本 太郎</NAME>"),
      "<EMAIL>ja1zlo@example.jp</EMAIL>",
      U("<LICENSECLASS>第一級アマチュア無線技士</LICENSECLASS>"),
      "<POWER>100</POWER>",
      U("<POWERTYPE>定格出力</POWERTYPE>"),
      U("<OPPLACE>千葉県館山市</OPPLACE>"),
      U("<POWERSUPPLY>発動発電機</POWERSUPPLY>"),
      "<EQUIPMENT>IC-7610 100W IC-9700</EQUIPMENT>",
      U("<COMMENTS>楽しいコンテストでした。 コンディションが良かった また参加します"),
      "</COMMENTS>",
      "<REGCLUBNUMBER>10-1-1</REGCLUBNUMBER>",
      U("<REGCLUBNAME>JARL東京クラブ</REGCLUBNAME>"),
      kOath,
      "</OATH>",
      U("<DATE>2024年06月20日</DATE>"),
      U("<SIGNATURE>日本 太郎</SIGNATURE>"),
      "</SUMMARYSHEET>",
      LogSheet()};
  EXPECT_EQ(f.ElectronicLog(), Cp932Lines(expected + HeaderRecords() + QStringList{k7a, micro, sat, six, "</LOGSHEET>"}));
}

TEST(ElectronicLog, ContestNameWidenedAndEntriesLeftEmpty) {
  OutputFolder f;
  ContestDefinition d = SampleDefinition();
  d.contestName = U("ﾏｲｸﾛｳｪｰﾌﾞ ﾌｨｰﾙﾄﾞﾃﾞｰ ﾁｬﾚﾝｼﾞ ﾃﾞｲﾄﾞﾘｰﾑ CONTEST");
  d.addressFirst = U("ﾄｳｷｮｳﾄ ﾄｼﾏｸ");
  d.addressSecond = "";
  d.name = U("ﾆｯﾎﾟﾝ ﾀﾛｳ");
  d.phone = d.mail = d.operators = d.portablePlace = d.powerSource = d.licensedPower = "";
  d.opinion1 = d.opinion2 = "";
  d.opinion3 = U("ｸﾗﾌﾞ局");
  d.age = "17";
  d.licenceDate = U("2023年12月01日");
  d.printClub = 0;
  d.organiser = U("ﾃｽﾄ ｸﾗﾌﾞ");
  f.Definition(d);
  f.club = false;
  f.comment = U("ステッカー希望");
  const QString path = WriteElectronicLog(f.Context(), 2);
  const QString name = U("2024_ﾏｲｸﾛｳｪｰﾌﾞ ﾌｨｰﾙﾄﾞﾃﾞｰ ﾁｬﾚﾝｼﾞ ﾃﾞｲﾄﾞﾘｰﾑ CONTEST.txt");
  EXPECT_EQ(QFileInfo(path).fileName(), name);
  const QStringList expected = {
      "<SUMMARYSHEET VERSION=R2.1>",
      // 66 bytes of name: the closing tag moves to its own line.
      U("<CONTESTNAME>マイクロウェーブ フィールドデー チャレンジ デイドリーム コンテスト"),
      "</CONTESTNAME>",
      "<CATEGORYCODE>C1MA</CATEGORYCODE>",
      "<CALLSIGN>JA1ZLO/1</CALLSIGN>",
      "<TOTALSCORE>21200</TOTALSCORE>",
      U("<ADDRESS>170-8073 トウキョウト トシマク </ADDRESS>"),
      "<TEL></TEL>",
      U("<NAME>ニッポン タロウ</NAME>"),
      "<EMAIL></EMAIL>",
      "<POWER></POWER>",
      U("<LICENSEDATE>2023年12月01日</LICENSEDATE>"),
      "<AGE>17</AGE>",
      U("<COMMENTS> ステッカー希望</COMMENTS>"),
      U("<OATH>私は、テスト クラブ 制定のコンテスト規約及び電波法令にしたがい運用した結果、ここに提出する"
        "サマリーシートおよびログシートなどが事実と相違ないものであることを、私の名誉において誓います。"),
      "</OATH>",
      U("<DATE>2024年06月20日</DATE>"),
      U("<SIGNATURE>ﾆｯﾎﾟﾝ ﾀﾛｳ</SIGNATURE>"),
      "</SUMMARYSHEET>"};
  EXPECT_EQ(f.ElectronicLog(name), Cp932Lines(expected));
  // Neither a header nor a band file: the summary stands alone, and is told.
  EXPECT_EQ(f.dialogs.Texts(), QStringList{U("ログシートの印刷を行わない場合\n正しい電子ログファイルは作成されません")});
}

TEST(ElectronicLog, FittedLinesAndValues) {
  EXPECT_EQ(FittedTagLines("AGE", "17"), QStringList{"<AGE>17</AGE>"});
  // 72 bytes stay on one line; 73 do not.
  const QString fits = QString(72 - 10 - 11, QLatin1Char('x'));
  EXPECT_EQ(FittedTagLines("COMMENTS", fits), QStringList{"<COMMENTS>" + fits + "</COMMENTS>"});
  EXPECT_EQ(FittedTagLines("COMMENTS", fits + "x"), (QStringList{"<COMMENTS>" + fits + "x", "</COMMENTS>"}));
  // A double-byte character counts two.
  EXPECT_EQ(FittedTagLines("COMMENTS", fits.left(fits.size() - 2) + U("あ")).size(), 1);
  EXPECT_EQ(FittedTagLines("COMMENTS", fits.left(fits.size() - 1) + U("あ")).size(), 2);

  for (const char* name : {"ALL JA1 CONTEST", "ALL JA1 Contest", "ALL JA1 Ｃｏｎｔｅｓｔ", "ALL JA1 ＣＯＮＴＥＳＴ",
                           "ALL JA1コンテスト", "ALL JA1 ｺﾝﾃｽﾄ", " ALL JA1 "}) {
    EXPECT_EQ(ElectronicContestName(U(name)), U("ALL JA1 コンテスト")) << name;
  }
  EXPECT_EQ(ElectronicContestName(U("ｵｰﾙJA1 contest")), U("オールJA1 contest コンテスト"));

  EXPECT_EQ(ScoreBandLabel("1.9"), "1.9MHz");
  EXPECT_EQ(ScoreBandLabel("1200"), "1200MHz");
  EXPECT_EQ(ScoreBandLabel("10000"), "10.1GHz");
  EXPECT_EQ(ScoreBandLabel("24000"), "24GHz");
  EXPECT_EQ(ScoreBandLabel("47000"), "47GHz");
  EXPECT_EQ(ScoreBandLabel("135000"), "135GHz");
  EXPECT_EQ(ScoreBandLabel("76000"), "76000");
  EXPECT_EQ(ScoreBandLabel("SAT"), "SATMHz");
}

TEST(ElectronicLog, StationFolderFromTheCallSign) {
  for (const auto& [call, folder] : QList<QPair<QString, QString>>{
           {"KH0/JA1ABC", "JA1ABC"}, {"JA1ABC/1", "JA1ABC"}, {"ja1abc/qrp", "JA1ABC"}, {U("ＪＡ１ＡＢＣ"), "JA1ABC"}}) {
    OutputFolder f;
    ContestDefinition d = SampleDefinition();
    d.myCall = call;
    f.Definition(d);
    const QString jarl = WriteElectronicLog(f.Context(), 2);
    const QString text = WriteTextSummary(f.Context());
    EXPECT_EQ(QDir::cleanPath(jarl), f.t.File(folder + U("_JARL/2024_ALL JA1 コンテスト.txt"))) << call.toStdString();
    EXPECT_EQ(QDir::cleanPath(text), f.t.File(folder + U("/2024_ALL JA1.Txt"))) << call.toStdString();
    // The call inside the file stays as entered.
    EXPECT_TRUE(DecodeCp932(f.t.ReadBytes(folder + U("_JARL/2024_ALL JA1 コンテスト.txt"))).contains("<CALLSIGN>" + call + "</CALLSIGN>"));
  }
}

TEST(ElectronicLog, ALongContestNameIsShortenedToFitTheFileSystem) {
  OutputFolder f;
  ContestDefinition d = SampleDefinition();
  d.contestName = QString(245, QChar(0x9577)) + U("コンテスト");  // 250 characters
  f.Definition(d);
  const QStringList paths = {WriteElectronicLog(f.Context(), 2), WriteTextSummary(f.Context())};
  // The sample has no log part (told first).
  QStringList told{U("ログシートの印刷を行わない場合\n正しい電子ログファイルは作成されません")};
  for (const QString& path : paths) {
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(QFileInfo(path).isFile());
    // The year, the start of the name and the extension stay.
    const QString name = QFileInfo(path).fileName();
    EXPECT_TRUE(name.startsWith(U("2024_長長")));
    EXPECT_LE(QFile::encodeName(name).size(), 255);
    told << U("ファイル名が長すぎるので 短くした名前で書き込みました\n") + QDir::toNativeSeparators(path);
  }
  EXPECT_TRUE(paths[0].endsWith(".txt"));
  EXPECT_TRUE(paths[1].endsWith(".Txt"));
  EXPECT_EQ(f.dialogs.Texts(), told);
  // A second run replaces the same files.
  EXPECT_EQ(WriteElectronicLog(f.Context(), 2), paths[0]);
  EXPECT_EQ(QDir(f.t.File("JA1ZLO_JARL")).entryList(QDir::Files).size(), 1);
}

TEST(ElectronicLog, FileNameCharactersAContestNameCannotLeaveTheFolderBy) {
  OutputFolder f;
  ContestDefinition d = SampleDefinition();
  d.contestName = U("../QRP 7/14: *CW?* <A|B> CONTEST");
  f.Definition(d);
  const QString path = WriteElectronicLog(f.Context(), 2);
  const QString text = WriteTextSummary(f.Context());
  EXPECT_EQ(QDir::cleanPath(path), f.t.File(U("JA1ZLO_JARL/2024_.._QRP 7_14_ _CW__ _A_B_ CONTEST.txt")));
  EXPECT_EQ(QDir::cleanPath(text), f.t.File(U("JA1ZLO/2024_.._QRP 7_14_ _CW__ _A_B_.Txt")));
  // Inside the files the name stays as entered.
  EXPECT_TRUE(DecodeCp932(f.t.ReadBytes(U("JA1ZLO_JARL/2024_.._QRP 7_14_ _CW__ _A_B_ CONTEST.txt")))
                  .contains(U("<CONTESTNAME>../QRP 7/14: *CW?* <A|B> コンテスト</CONTESTNAME>")));
  EXPECT_EQ(SafeFileName("..\\x\t\"y\".txt"), "___x__y_.txt");
  EXPECT_EQ(SafeFileName(U("2024_ＡＬＬ ＪＡ.txt")), U("2024_ＡＬＬ ＪＡ.txt"));
}

TEST(ElectronicLog, MissingInputs) {
  // Band files missing, the header too: the bands with a file still come.
  {
    OutputFolder f;
    f.Lines("7.JARL", {k7b, k7a});
    f.Points({PointsLine("7", 2, 2, 0, 0, 2), PointsLine("14", 2, 2, 0, 0, 2)});
    WriteElectronicLog(f.Context(), 2);
    EXPECT_EQ(f.ElectronicLog(), Cp932Lines(SampleSummary21() + QStringList{LogSheet(), k7a, k7b, "</LOGSHEET>"}));
    EXPECT_TRUE(f.dialogs.Records().isEmpty());
  }
  // An empty points file: only the header.
  {
    OutputFolder f;
    f.Lines("HED.JARL", HeaderRecords());
    f.Lines("7.JARL", {k7a});
    f.Points({});
    WriteElectronicLog(f.Context(), 2);
    EXPECT_EQ(f.ElectronicLog(), Cp932Lines(SampleSummary21() + QStringList{LogSheet()} + HeaderRecords() +
                                            QStringList{"</LOGSHEET>"}));
  }
  // No call sign, so no station folder: no finished file, told once.
  {
    OutputFolder f;
    ContestDefinition d = SampleDefinition();
    d.myCall = "";
    f.Definition(d);
    const OutputResult result = RunOutputsAfterPrinting(f.Context());
    EXPECT_EQ(result.electronicLogPath, "");
    EXPECT_EQ(result.textSummaryPath, "");
    EXPECT_EQ(f.dialogs.Texts(), QStringList{U("コールサインが設定されていないので 局のフォルダが作れません\n"
                                               "コンテストの設定でコールサインを入れてください")});
    EXPECT_EQ(f.t.Entries(), (QStringList{"ZOTRAW.CFG", "ZOTRAW.INI", "ZOTRAW.TST"}));
  }
}

TEST(ElectronicLog, AWriteErrorIsToldAndLeavesNoHalfFile) {
  // The station's folder cannot be made: a file stands in its place.
  {
    OutputFolder f;
    f.t.WriteBytes("JA1ZLO_JARL", "not a folder");
    EXPECT_EQ(WriteElectronicLog(f.Context(), 2), "");
    const QString expected = QDir::toNativeSeparators(f.t.File(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")));
    EXPECT_EQ(f.dialogs.Texts().last(), U("ファイル ") + expected + U(" に書き込めません"));
    EXPECT_EQ(f.t.ReadBytes("JA1ZLO_JARL"), "not a folder");
  }
  // The file cannot replace what stands under its name: nothing else is left
  // in the folder, no temporary file either.
  {
    OutputFolder f;
    ASSERT_TRUE(QDir(f.t.Path()).mkpath(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")));
    EXPECT_EQ(WriteElectronicLog(f.Context(), 2), "");
    EXPECT_TRUE(f.dialogs.Texts().last().endsWith(U(" に書き込めません")));
    EXPECT_EQ(QDir(f.t.File("JA1ZLO_JARL")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{U("2024_ALL JA1 コンテスト.txt")});
    EXPECT_TRUE(QFileInfo(f.t.File(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"))).isDir());
  }
  // A finished file of another spelling is replaced, not doubled.
  {
    OutputFolder f;
    f.t.WriteBytes(U("JA1ZLO_JARL/2024_all ja1 コンテスト.TXT"), "old");
    const QString path = WriteElectronicLog(f.Context(), 2);
    EXPECT_EQ(QFileInfo(path).fileName(), U("2024_all ja1 コンテスト.TXT"));
    EXPECT_EQ(QDir(f.t.File("JA1ZLO_JARL")).entryList(QDir::Files).size(), 1);
    EXPECT_NE(f.t.ReadBytes(U("JA1ZLO_JARL/2024_all ja1 コンテスト.TXT")), "old");
  }
}

TEST(ElectronicLog, TimeOrderOfTheLogLines) {
  // Ordered by the first 20 characters only; equal beginnings keep their
  // order; lines are cut to 80 characters; lines without a leading digit go.
  const QString longLine = "2024-06-15 21:00 " + QString(70, QLatin1Char('x'));
  const QString b = "2024-06-15 21:01    b";
  const QString a = "2024-06-15 21:01    a";
  const QStringList lines = {"DATE(JST)", b, a, longLine, "----", "2024-06-15 20:59", " 2024-06-15 20:00",
                             "2024-06-15 21:01"};
  EXPECT_EQ(LinesInTimeOrder(lines),
            (QStringList{"2024-06-15 20:59", longLine.left(80), b, a, "2024-06-15 21:01"}));

  // A log beyond the 32766 lines of a 16-bit count keeps every line.
  QStringList many;
  for (int i = 0; i < 40000; ++i) {
    many << QStringLiteral("2024-06-%1 %2:%3 %4")
                .arg(15 + i % 2)
                .arg(i % 24, 2, 10, QLatin1Char('0'))
                .arg(i % 60, 2, 10, QLatin1Char('0'))
                .arg(i);
  }
  const QStringList sorted = LinesInTimeOrder(many);
  ASSERT_EQ(sorted.size(), 40000);
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                             [](const QString& x, const QString& y) {
                               return x.left(20).leftJustified(20) < y.left(20).leftJustified(20);
                             }));
}

TEST(ElectronicLog, StrictReaderComplainsAboutBadFiles) {
  SampleLog f;
  WriteElectronicLog(f.Context(), 2);
  const QByteArray good = f.ElectronicLog();
  ASSERT_EQ(CheckElectronicLog(good), QStringList());
  auto faults = [&](QByteArray bad, const ElectronicLogCheck& check = {}) { return CheckElectronicLog(bad, check); };
  QByteArray lf = good;
  lf.replace(lf.indexOf("\r\n"), 2, "\n");
  EXPECT_EQ(faults(lf).first(), U("1 行目: CR LF でない改行があります"));
  QByteArray r10 = good;
  r10.replace("<TEL>", "<EQUIPMENT>").replace("</TEL>", "</EQUIPMENT>");
  EXPECT_EQ(faults(r10), QStringList{U("7 行目: <EQUIPMENT> は R2.1 のタグではありません（廃止されたタグです）")});
  QByteArray noName = good;
  noName.replace(EncodeCp932(U("<NAME>日本 太郎</NAME>\r\n")), "");
  EXPECT_EQ(faults(noName), QStringList{U("<NAME> がありません")});
  QByteArray wideCall = good;
  wideCall.replace("JA2BBB", EncodeCp932(U("ＪＡ２ＢＢＢ")));
  EXPECT_TRUE(faults(wideCall).first().startsWith(U("24 行目: 半角でない文字がある交信の行です: ")));
  QByteArray broken = good;
  broken.replace("</OATH>", "</OAT>");
  EXPECT_EQ(faults(broken).first(), U("17 行目: <OATH> の閉じタグが合いません"));
  QByteArray unsorted = good;
  unsorted.replace("21:05", "23:59");
  EXPECT_EQ(faults(unsorted, {.timeOrder = true}), QStringList{U("27 行目: 上の行より前の日時の交信です")});
  // The QSOs against the summary's count, and R1.0's own total line.
  EXPECT_EQ(faults(good, {.qsoCount = 7}), QStringList{U("ログシートの交信 6 件が サマリーの交信数 7 と合いません")});
  EXPECT_EQ(faults(good, {.version = 1}).first(), U("1 行目: ファイルが <SUMMARYSHEET VERSION=R1.0> で始まっていません"));
  OutputFolder r1;
  ContestDefinition d = SampleDefinition();
  d.jarlLog = "Yes R1";
  r1.Definition(d);
  r1.Lines("7.JARL", {k7a, k7b});
  r1.Points({PointsLine("7", 3, 3, 0, 0, 3)});
  WriteElectronicLog(r1.Context(), 1);
  EXPECT_EQ(faults(r1.ElectronicLog(), {.version = 1}),
            QStringList{U("ログシートの交信 2 件が <SCORE BAND=TOTAL> の交信数 3 と合いません")});
}
