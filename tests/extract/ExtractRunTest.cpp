// Whole runs of the extraction over logbooks written by the stand-in's
// writer and read through its libraries: the work file byte for byte against
// hand-checked lines, the record rules' edge cases, every record read in
// whatever order, the account of the records not taken, the area-code editing
// at each level, the conversion-error question, the older logbook generation
// and bad records.
#include "ExtractFixture.h"
#include "SampleAreaTables.h"
#include "extract/ExtractSetup.h"

#include "common/Frame.h"
#include "common/ListFile.h"
#include "common/Text.h"

using namespace zotra;
using namespace zotra::test;

namespace {

struct Extracted {
  ExtractResult result;
  QList<QStringList> dialogs;  // kind, title, text, buttons, answer
  QStringList lines;
  QByteArray bytes;
};

Extracted Extract(const ExtractFolder& f, const ExtractOptions& options = {}, const QStringList& answers = {},
                  const AreaTables* tables = nullptr) {
  ScriptedDialogs dialogs({}, answers);
  dialogs.SetDefaultTitle("ZOTRAH");
  const Frame frame(Program::Extract, f.program.Path());
  ExtractSetup setup;
  Extracted e;
  if (!LoadExtractSetup(frame, f.program.File("ZOTRAW.CFG"), f.program.File("ZOTRAW.TST"), dialogs, &setup)) {
    ADD_FAILURE() << dialogs.Records().join('\n').toStdString();
    return e;
  }
  if (tables) setup.tables = *tables;
  e.result = RunExtraction(MakeExtractInput(setup, frame, options), dialogs);
  for (const QString& r : dialogs.Records()) e.dialogs << DialogFields(r);
  e.bytes = f.program.ReadBytes("zotra.wk1");
  e.lines = f.WorkLines();
  return e;
}

QByteArray Cp932Lines(const QStringList& lines) { return EncodeCp932(CrLf(lines)); }

// The records not taken, as zotra-batch extract prints them.
QString Skipped(const Extracted& e) { return SkipLines(e.result).join(" | "); }

// Every line of a work file: sixteen fields, read back by the list reader.
void ExpectWellFormed(const QByteArray& bytes) {
  if (bytes.isEmpty()) return;
  EXPECT_TRUE(bytes.endsWith("\r\n"));
  for (const QString& line : DecodeCp932(bytes).split("\r\n", Qt::SkipEmptyParts)) {
    EXPECT_EQ(SplitListLine(line).size(), 16) << line.toStdString();
    EXPECT_TRUE(line.startsWith('"') && line.endsWith('"')) << line.toStdString();
  }
}

// The logbook of the hand-checked work files. Times are UTC unless marked J;
// the contest runs from 2025-06-07 21:00 to 2025-06-08 20:59 JST.
QList<Q> HandCheckedLogbook() {
  return {
      // 1: 20:59 JST, a minute before the start.
      {"JA1ABC", "25/06/07", "11:59U"},
      // 2: the start minute; a blank inside the call, a designator, a code
      // with its power letter, a remark with the sent number before "|".
      {"JA1 ABC/1", "25/06/07", "12:00U", "599", "579", "7.025", "CW", "1001 M", "", "taro", U8("千代田区"),
       "1001|qsb", "abcdef"},
      // 3: the next day in JST; USB is SSB; a town; quotes and commas.
      {"JH1XYZ", "25/06/07", "15:30U", "59", "59", "145.000", "USB", "10007A", "QL07", U8("Ken, \"K\""),
       U8("小笠原村"), "\"tnx\" fb, cu\"", U8("ｱｲｳｴｵ")},
      // 4: a satellite.
      {"JR1YZD", "25/06/08", "00:21U", "59", "59", "S145.965", "FM", "1203", "", "", "", "%RS-44(FM)% via sat"},
      // 5: above 10.1 GHz, through the centimetre table.
      {"JH1ABN", "25/06/08", "02:00U", "599", "599", "10240.050", "CW", "1107 P"},
      // 6: marked invalid by the logbook's contest check.
      {"JA2AAA", "25/06/08", "03:00U", "599", "599", "7.010", "CW", "2001", "", "", "", "",
       U8("《VQC無効交信》")},
      // 7: the end minute.
      {"JA3BBB", "25/06/08", "11:59U", "599", "599", "7.010", "CW", "2501"},
      // 8: a minute after the end.
      {"JA4CCC", "25/06/08", "12:00U", "599", "599", "7.010", "CW", "3101"},
      // 9: a band the contest does not take.
      {"JA5DDD", "25/06/08", "05:00U", "599", "599", "1295.000", "CW", "3801"},
      // 10: a mode the contest does not take (logged in JST).
      {"JA6EEE", "25/06/08", "05:00J", "599", "599", "7.010", "RTTY", "4001"},
      // 11: 24 GHz, which the centimetre table does not hold.
      {"JA7FFF", "25/06/08", "01:00U", "599", "599", "24048.100", "CW", "0701"},
  };
}

QStringList HandCheckedDefinition(const QStringList& multipliers) {
  QStringList d = BaseDefinition();
  d = Replace(d, "\"SelFreq\"",
              {"\"SelFreq\",\"7\",1", "\"SelFreq\",\"144\",2", "\"SelFreq\",\"1200\",-1", "\"SelFreq\",\"10125\",3",
               "\"SelFreq\",\"SAT\",1"});
  d = Replace(d, "\"SelMode\"", {"\"SelMode\",\"CW\",1", "\"SelMode\",\"SSB\",1", "\"SelMode\",\"FM\",2"});
  d = Replace(d, "\"Send\"", {"\"Send\",\"HisRst\",\"3\"", "\"Send\",\"Rmk1\",\"0\"", "\"Send\",\"M\",\"1\""});
  d = Replace(d, "\"Rcv\"", {"\"Rcv\",\"MyRst\",\"3\"", "\"Rcv\",\"Jcc\",\"6\"", "\"Rcv\",\"Rmk2\",\"4\""});
  d = Replace(d, "\"Multi", multipliers);
  d = Replace(d, "\"[VQC]\"", {"\"[VQC]\"", U8("\"無効削除\"")});
  return d;
}

}  // namespace

// Worked out by hand from the record rules, field by field.
TEST(ExtractRun, HandCheckedWorkFilesForEveryMultiplierKind) {
  ExtractFolder f;
  f.Logbook(HandCheckedLogbook());

  f.Definition(HandCheckedDefinition({"\"Multi1\",\"Jcc\"", "\"Multi2\",\"Space\"", "\"Multi3\",\"Pfx\""}));
  Extracted e = Extract(f);
  EXPECT_EQ(e.result.status, ExtractResult::Status::Finished);
  EXPECT_EQ(e.result.kept, 5);
  EXPECT_EQ(Skipped(e), U8("期間外 2 件 | 参加バンド外 1 件 | 参加モード外 1 件 | 周波数不明 1 件 | 無効交信 1 件"));
  EXPECT_EQ(e.result.firstDate, "2025/06/07");
  EXPECT_EQ(e.result.lastDate, "2025/06/08");
  EXPECT_TRUE(e.dialogs.isEmpty());
  EXPECT_EQ(e.bytes, Cp932Lines({
      "\"2\",\"7\",\"CW\",\"2025/06/07\",\"21:00\",\"JA1ABC/1\",\"1001 M\",\"599\",\"1001 M ABCD\",\"579\",\"1001\",\"1001\",\"JA1\",\"1\",\"\",\"\"",
      U8("\"3\",\"144\",\"SSB\",\"2025/06/08\",\"00:30\",\"JH1XYZ\",\"M\",\"59\",\"10007A ｱｲｳｴ\",\"59\",\"10007\",\"10007A\",\"JH1\",\"2\",\"\",\"\""),
      "\"4\",\"SAT\",\"FM\",\"2025/06/08\",\"09:21\",\"JR1YZD\",\"M\",\"59\",\"1203\",\"59\",\"1203\",\"1203\",\"JR1\",\"2\",\"\",\"RS-44\"",
      "\"5\",\"10125\",\"CW\",\"2025/06/08\",\"11:00\",\"JH1ABN\",\"M\",\"599\",\"1107 P\",\"599\",\"1107\",\"1107\",\"JH1\",\"3\",\"\",\"\"",
      "\"7\",\"7\",\"CW\",\"2025/06/08\",\"20:59\",\"JA3BBB\",\"M\",\"599\",\"2501\",\"599\",\"2501\",\"2501\",\"JA3\",\"1\",\"\",\"\"",
  }));
  // ｱｲｳｴ are single bytes in the file.
  EXPECT_TRUE(e.bytes.contains(QByteArray("10007A \xB1\xB2\xB3\xB4\"")));

  // With Check6 the frequency of the QSO above 10.1 GHz becomes its note.
  ExtractOptions note;
  note.frequencyNote = true;
  e = Extract(f, note);
  ASSERT_EQ(e.lines.size(), 5);
  EXPECT_EQ(e.lines.at(3),
            "\"5\",\"10125\",\"CW\",\"2025/06/08\",\"11:00\",\"JH1ABN\",\"M\",\"599\",\"1107 P\",\"599\",\"1107\",\"1107\",\"JH1\",\"3\",\"\",\"10240.050\"");
  EXPECT_TRUE(e.lines.at(2).endsWith(",\"RS-44\""));  // the satellite keeps its name

  // "Edit" takes its counts from the line after "Multi2": 4 from the front,
  // 7 from the back (when the text is longer than that).
  f.Definition(HandCheckedDefinition({"\"Multi1\",\"LL\"", "\"Multi2\",\"Edit\"", "\"4\",\"7\"", "\"Multi3\",\"Date\""}));
  e = Extract(f);
  EXPECT_EQ(e.bytes, Cp932Lines({
      "\"2\",\"7\",\"CW\",\"2025/06/07\",\"21:00\",\"JA1ABC/1\",\"1001 M\",\"599\",\"1001 M ABCD\",\"579\",\"C\",\"1001\",\"06/07\",\"1\",\"\",\"\"",
      U8("\"3\",\"144\",\"SSB\",\"2025/06/08\",\"00:30\",\"JH1XYZ\",\"M\",\"59\",\"10007A ｱｲｳｴ\",\"59\",\"Z\",\"000\",\"06/08\",\"2\",\"\",\"\""),
      "\"4\",\"SAT\",\"FM\",\"2025/06/08\",\"09:21\",\"JR1YZD\",\"M\",\"59\",\"1203\",\"59\",\"D\",\"203\",\"06/08\",\"2\",\"\",\"RS-44\"",
      "\"5\",\"10125\",\"CW\",\"2025/06/08\",\"11:00\",\"JH1ABN\",\"M\",\"599\",\"1107 P\",\"599\",\"N\",\"1107 P\",\"06/08\",\"3\",\"\",\"\"",
      "\"7\",\"7\",\"CW\",\"2025/06/08\",\"20:59\",\"JA3BBB\",\"M\",\"599\",\"2501\",\"599\",\"B\",\"2501\",\"06/08\",\"1\",\"\",\"\"",
  }));

  // Grid locator, name (half-width, upper case, without quotes and commas) and QTH.
  f.Definition(HandCheckedDefinition({"\"Multi1\",\"GL\"", "\"Multi2\",\"Name\"", "\"Multi3\",\"Qth\""}));
  e = Extract(f);
  EXPECT_EQ(e.bytes, Cp932Lines({
      U8("\"2\",\"7\",\"CW\",\"2025/06/07\",\"21:00\",\"JA1ABC/1\",\"1001 M\",\"599\",\"1001 M ABCD\",\"579\",\"\",\"TARO\",\"千代田区\",\"1\",\"\",\"\""),
      U8("\"3\",\"144\",\"SSB\",\"2025/06/08\",\"00:30\",\"JH1XYZ\",\"M\",\"59\",\"10007A ｱｲｳｴ\",\"59\",\"QL07\",\"KEN   K\",\"小笠原村\",\"2\",\"\",\"\""),
      "\"4\",\"SAT\",\"FM\",\"2025/06/08\",\"09:21\",\"JR1YZD\",\"M\",\"59\",\"1203\",\"59\",\"\",\"\",\"\",\"2\",\"\",\"RS-44\"",
      "\"5\",\"10125\",\"CW\",\"2025/06/08\",\"11:00\",\"JH1ABN\",\"M\",\"599\",\"1107 P\",\"599\",\"\",\"\",\"\",\"3\",\"\",\"\"",
      "\"7\",\"7\",\"CW\",\"2025/06/08\",\"20:59\",\"JA3BBB\",\"M\",\"599\",\"2501\",\"599\",\"\",\"\",\"\",\"1\",\"\",\"\"",
  }));

  // Without "[VQC]" "無効削除" the invalid QSO is taken like any other.
  f.Definition(Replace(HandCheckedDefinition({}), "\"[VQC]\"", {}));
  e = Extract(f);
  ASSERT_EQ(e.lines.size(), 6);
  EXPECT_TRUE(e.lines.at(4).startsWith("\"6\",\"7\",\"CW\",\"2025/06/08\",\"12:00\",\"JA2AAA\""));
}

TEST(ExtractRun, ZonePeriodAliasCallAndNumbers) {
  ExtractFolder f;
  f.Logbook({
      {"JA1AAA", "25/06/07", "15:30U"},                                                 // 00:30 JST next day
      {"JA1AAB", "25/06/08", "11:59U", "599", "599", "7.025", "CW"},                    // the end minute
      {"JA1 ABC/1", "25/06/08", "12:00J", "59", "57", "144.100", "USB"},              // logged in JST
      {"JA1AAD", "25/06/08", "21:00J"},                                                 // after the end
  });
  Extracted e = Extract(f);
  // Only the report goes into the sent number: the number itself stays empty.
  EXPECT_EQ(e.lines, (QStringList{
                         "\"1\",\"7\",\"CW\",\"2025/06/08\",\"00:30\",\"JA1AAA\",\"\",\"599\",\"\",\"599\",\"\",\"\",\"\",\"1\",\"\",\"\"",
                         "\"2\",\"7\",\"CW\",\"2025/06/08\",\"20:59\",\"JA1AAB\",\"\",\"599\",\"\",\"599\",\"\",\"\",\"\",\"1\",\"\",\"\"",
                         "\"3\",\"144\",\"SSB\",\"2025/06/08\",\"12:00\",\"JA1ABC/1\",\"\",\"59\",\"\",\"57\",\"\",\"\",\"\",\"1\",\"\",\"\"",
                     }));

  // Conversion off: QSOs logged in UTC are not the contest's, even inside the
  // period; they are counted apart from those outside it.
  f.Definition(Replace(BaseDefinition(), "\"JstUtc2\"", {"\"JstUtc2\",0"}));
  e = Extract(f);
  ASSERT_EQ(e.lines.size(), 1);
  EXPECT_TRUE(e.lines.first().startsWith("\"3\","));
  EXPECT_EQ(Skipped(e), U8("期間外 1 件 | 時刻の基準違い 2 件"));

  // A contest in UTC takes the JST QSO converted back, the others as logged;
  // without the reports in the numbers their fields stay empty.
  QStringList utc = Replace(BaseDefinition(), "\"JstUtc\",", {"\"JstUtc\",\"Utc\""});
  utc = Replace(utc, U8("\"開始\""), {U8("\"開始\",\"2025\",\"06\",\"07\",\"12\",\"00\"")});
  utc = Replace(utc, U8("\"終了\""), {U8("\"終了\",\"2025\",\"06\",\"08\",\"11\",\"59\"")});
  utc = Replace(utc, "\"Send\"", {"\"Send\",\"Rmk1\",\"0\""});
  utc = Replace(utc, "\"Rcv\"", {});
  f.Definition(utc);
  e = Extract(f);
  EXPECT_EQ(e.lines, (QStringList{
                         "\"1\",\"7\",\"CW\",\"2025/06/07\",\"15:30\",\"JA1AAA\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\"",
                         "\"2\",\"7\",\"CW\",\"2025/06/08\",\"11:59\",\"JA1AAB\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\"",
                         "\"3\",\"144\",\"SSB\",\"2025/06/08\",\"03:00\",\"JA1ABC/1\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\"",
                     }));
}

TEST(ExtractRun, LeapDayAndPointsAsDecimals) {
  ExtractFolder f;
  QStringList d = Replace(BaseDefinition(), U8("\"開始\""), {U8("\"開始\",\"2024\",\"02\",\"29\",\"00\",\"00\"")});
  d = Replace(d, U8("\"終了\""), {U8("\"終了\",\"2024\",\"02\",\"29\",\"23\",\"59\"")});
  d = Replace(d, "\"SelMode\"", {"\"SelMode\",\"CW\",0.5", "\"SelMode\",\"SSB\",3", "\"SelMode\",\"FM\",0"});
  d = Replace(d, "\"SelFreq\"", {"\"SelFreq\",\"7\",1", "\"SelFreq\",\"144\",1.5"});
  f.Definition(d);
  f.Logbook({
      {"JA1AAA", "24/02/28", "23:59U"},
      {"JA1AAB", "24/02/29", "15:00U"},  // March 1 in JST
      {"JA1AAC", "24/02/29", "10:00J", "59", "59", "144.100", "SSB"},
      {"JA1AAD", "24/02/29", "11:00J", "59", "59", "7.100", "FM"},  // a mode at 0 points is kept
  });
  const Extracted e = Extract(f);
  EXPECT_EQ(e.lines, (QStringList{
                         "\"1\",\"7\",\"CW\",\"2024/02/29\",\"08:59\",\"JA1AAA\",\"\",\"599\",\"\",\"599\",\"\",\"\",\"\",\"0.5\",\"\",\"\"",
                         "\"3\",\"144\",\"SSB\",\"2024/02/29\",\"10:00\",\"JA1AAC\",\"\",\"59\",\"\",\"59\",\"\",\"\",\"\",\"4.5\",\"\",\"\"",
                         "\"4\",\"7\",\"FM\",\"2024/02/29\",\"11:00\",\"JA1AAD\",\"\",\"59\",\"\",\"59\",\"\",\"\",\"\",\"0\",\"\",\"\"",
                     }));
}

// The contest's 1,000 QSOs logged in UTC, one a minute from 21:00 JST, after
// 600 older ones.
QList<Q> ContestAfterOlderQsos() {
  QList<Q> qsos;
  for (int i = 0; i < 600; ++i) qsos << Q{"JA9OLD", "25/06/06", "10:00U"};
  for (int i = 0; i < 1000; ++i) {
    const int minute = 12 * 60 + i;
    qsos << Q{QString("JA1%1%2A").arg(QChar('A' + i % 26)).arg(QChar('A' + i / 26 % 26)),
              minute < 1440 ? "25/06/07" : "25/06/08",
              QString("%1:%2U").arg(minute / 60 % 24, 2, 10, QChar('0')).arg(minute % 60, 2, 10, QChar('0'))};
  }
  return qsos;
}

// Every record is read: a logbook imported newest first, or with an older
// QSO entered after the contest, loses none of the contest's QSOs.
TEST(ExtractRun, EveryRecordIsReadWhateverTheirOrder) {
  ExtractFolder f;
  QList<Q> qsos = ContestAfterOlderQsos();
  f.Logbook(qsos);
  Extracted e = Extract(f);
  ASSERT_EQ(e.result.kept, 1000);
  EXPECT_EQ(Skipped(e), U8("期間外 600 件"));
  EXPECT_TRUE(e.lines.first().startsWith("\"601\",\"7\",\"CW\",\"2025/06/07\",\"21:00\""));
  EXPECT_TRUE(e.lines.last().startsWith("\"1600\",\"7\",\"CW\",\"2025/06/08\",\"13:39\""));
  const QByteArray inTimeOrder = e.bytes;

  // An older QSO entered after the contest: the same file, byte for byte.
  f.Logbook(qsos + QList<Q>{{"JA9LATE", "24/11/03", "05:00J"}});
  e = Extract(f);
  EXPECT_EQ(e.bytes, inTimeOrder);
  EXPECT_EQ(e.result.firstDate, "2024/11/03");
  EXPECT_EQ(e.result.lastDate, "2025/06/08");

  // Newest first: every QSO, in logbook order.
  std::reverse(qsos.begin(), qsos.end());
  f.Logbook(qsos);
  e = Extract(f);
  ASSERT_EQ(e.lines.size(), 1000);
  EXPECT_TRUE(e.lines.first().startsWith("\"1\",\"7\",\"CW\",\"2025/06/08\",\"13:39\""));
  EXPECT_TRUE(e.lines.last().startsWith("\"1000\",\"7\",\"CW\",\"2025/06/07\",\"21:00\""));
  EXPECT_EQ(Skipped(e), U8("期間外 600 件"));
}

namespace {

QList<Q> AreaLogbook() {
  return {
      {"JA1AAA", "25/06/07", "13:00U", "599", "599", "7.025", "CW", "100103 M", "", "", U8("港区")},
      {"JA1BBB", "25/06/07", "13:01U", "599", "599", "7.025", "CW", "10002A", "", "", U8("瑞穂町")},
      {"JA1CCC", "25/06/07", "13:02U", "599", "599", "7.025", "CW", "110109 H", "", "", U8("横浜市港北区")},
      {"JA8DDD", "25/06/07", "13:03U", "599", "599", "7.025", "CW", "0102", "", "", U8("旭川市")},
      {"JA1EEE", "25/06/07", "13:04U", "599", "599", "7.025", "CW", "10002", "", "", U8("西多摩郡")},
      {"JD1FFF", "25/06/07", "13:05U", "599", "599", "7.025", "CW", "10007A", "", "", U8("小笠原村")},
  };
}

// The work lines' received number (field 9) and first multiplier (field 11).
QStringList NumbersAndMultipliers(const QStringList& lines) {
  QStringList out;
  for (const QString& line : lines) {
    const QStringList f = SplitListLine(line);
    out << f.at(0) + " " + f.at(8) + " | " + f.at(10);
  }
  return out;
}

}  // namespace

TEST(ExtractRun, AreaCodesAtEachLevel) {
  ExtractFolder f;
  QStringList d = Replace(BaseDefinition(), "\"Rcv\"", {"\"Rcv\",\"Jcc\",\"6\"", "\"Rcv\",\"Qth\",\"10\""});
  d = Replace(d, "\"Multi1\"", {"\"Multi1\",\"Jcc\""});
  f.Definition(d);
  f.Logbook(AreaLogbook());
  const AreaTables tables = SampleAreaTables();

  // Every region at prefecture level, Hokkaido by subprefecture; Ogasawara
  // answered 南鳥島 (50), once for the record.
  ExtractOptions o;
  o.editAreas = true;
  o.area.groups[kKeyGroup].level = AreaLevel::Prefecture;
  o.area.hokkaido = HokkaidoChoice::Subprefecture;
  Extracted e = Extract(f, o, {"50"}, &tables);
  EXPECT_EQ(e.bytes, Cp932Lines({
      U8("\"1\",\"7\",\"CW\",\"2025/06/07\",\"22:00\",\"JA1AAA\",\"\",\"599\",\"10 M 東京都\",\"\",\"10\",\"\",\"\",\"1\",\"\",\"\""),
      U8("\"2\",\"7\",\"CW\",\"2025/06/07\",\"22:01\",\"JA1BBB\",\"\",\"599\",\"10 東京都\",\"\",\"10\",\"\",\"\",\"1\",\"\",\"\""),
      U8("\"3\",\"7\",\"CW\",\"2025/06/07\",\"22:02\",\"JA1CCC\",\"\",\"599\",\"11 H 神奈川県\",\"\",\"11\",\"\",\"\",\"1\",\"\",\"\""),
      U8("\"4\",\"7\",\"CW\",\"2025/06/07\",\"22:03\",\"JA8DDD\",\"\",\"599\",\"103 上川支庁\",\"\",\"103\",\"\",\"\",\"1\",\"\",\"\""),
      U8("\"5\",\"7\",\"CW\",\"2025/06/07\",\"22:04\",\"JA1EEE\",\"\",\"599\",\"10 東京都\",\"\",\"10\",\"\",\"\",\"1\",\"\",\"\""),
      U8("\"6\",\"7\",\"CW\",\"2025/06/07\",\"22:05\",\"JD1FFF\",\"\",\"599\",\"50 南鳥島\",\"\",\"50\",\"\",\"\",\"1\",\"\",\"\""),
  }));
  ASSERT_EQ(e.dialogs.size(), 1);
  EXPECT_EQ(e.dialogs.first().at(0), "choice");
  EXPECT_TRUE(e.dialogs.first().at(2).endsWith(U8("\n\nJD1FFF  2025/06/07 22:05 (交信番号 6)")));
  EXPECT_EQ(e.dialogs.first().at(4), U8("南鳥島 (50)"));

  // Key region 東京都 at city level, its wards as cities and Tokyo's wards
  // kept; the other regions at city level with wards as cities.
  o = {};
  o.editAreas = true;
  SelectKeyRegion(&o.area, 10);
  o.area.groups[kKeyGroup] = {AreaLevel::CityCounty, true, true, false};
  o.area.groups[kOtherGroup] = {AreaLevel::CityCounty, true, false, false};
  e = Extract(f, o, {}, &tables);
  EXPECT_EQ(NumbersAndMultipliers(e.lines), (QStringList{
                                                U8("1 100103 港区 | 100103"),
                                                U8("2 10002 西多摩郡 | 10002"),
                                                U8("3 1101 H 横浜市 | 1101"),
                                                U8("4 0102 旭川市 | 0102"),
                                                U8("5 10002 西多摩郡 | 10002"),
                                                U8("6 10007 小笠原支庁 | 10007"),
                                            }));
  EXPECT_TRUE(e.dialogs.isEmpty());

  // Town level: a county is no town, which is asked about (OK goes on with
  // the code as logged).
  o = {};
  o.editAreas = true;
  o.area.groups[kKeyGroup].level = AreaLevel::Town;
  e = Extract(f, o, {"OK"}, &tables);
  EXPECT_EQ(NumbersAndMultipliers(e.lines), (QStringList{
                                                U8("1 100103 港区 | 100103"),
                                                U8("2 10002A 瑞穂町 | 10002"),
                                                U8("3 110109 横浜市港北区 | 110109"),
                                                U8("4 0102 旭川市 | 0102"),
                                                U8("5 10002 西多摩郡 | 10002"),
                                                U8("6 10007A 小笠原村 | 10007"),
                                            }));
  ASSERT_EQ(e.dialogs.size(), 1);
  EXPECT_EQ(e.dialogs.first(), (QStringList{"message", U8("変換エラー発生"),
                                            U8("交信番号:5\nCallSing:JA1EEE\n町村コード(名)でない\n10002"),
                                            "OK|Cancel", "OK"}));

  // As logged: the codes and places stay; so they do with the editing off.
  o = {};
  o.editAreas = true;
  const QStringList asLogged = {
      U8("1 100103 港区 | 100103"),     U8("2 10002A 瑞穂町 | 10002"),
      U8("3 110109 横浜市港北区 | 110109"), U8("4 0102 旭川市 | 0102"),
      U8("5 10002 西多摩郡 | 10002"),    U8("6 10007A 小笠原村 | 10007"),
  };
  EXPECT_EQ(NumbersAndMultipliers(Extract(f, o, {}, &tables).lines), asLogged);
  EXPECT_EQ(NumbersAndMultipliers(Extract(f, {}, {}, &tables).lines), asLogged);
}

TEST(ExtractRun, CancelAtAConversionErrorKeepsTheQsosBeforeIt) {
  ExtractFolder f;
  f.Definition(Replace(BaseDefinition(), "\"Rcv\"", {"\"Rcv\",\"Jcc\",\"6\""}));
  f.Logbook(AreaLogbook());
  const AreaTables tables = SampleAreaTables();
  ExtractOptions o;
  o.editAreas = true;
  o.area.groups[kKeyGroup].level = AreaLevel::Town;
  const Extracted e = Extract(f, o, {"Cancel"}, &tables);
  EXPECT_EQ(e.result.status, ExtractResult::Status::Stopped);
  EXPECT_EQ(e.result.kept, 4);
  EXPECT_EQ(e.lines.size(), 4);
  ExpectWellFormed(e.bytes);
  EXPECT_TRUE(e.lines.last().startsWith("\"4\","));
}

TEST(ExtractRun, BadRecordsAreDroppedOrCutAndNeverBreakTheFile) {
  ExtractFolder f;
  f.Definition(Replace(BaseDefinition(), "\"Rcv\"", {"\"Rcv\",\"Qth\",\"28\"", "\"Rcv\",\"Rmk1\",\"0\""}));
  const QString longQth = QString(U8("東")).repeated(24);  // fills its 48 bytes
  const QString longRemark = QString("X").repeated(64);
  f.Logbook({
      {"JA1AAA", "xx/06/07", "13:00U"},                                   // no date
      {"JA1AAB", "25/06/07", "1300U"},                                    // no time
      {"JA1AAC", "25/06/07", "13:00"},                                    // no zone
      {"JA1AAD", "25/06/07", "13:00U", "599", "599", ""},                  // no frequency
      {"JA1AAE", "25/06/07", "13:00U", "599", "599", "7.025", ""},         // no mode
      {"JA1AAF", "25/06/07", "13:00U", "599", "599", "99.999", "CW"},      // between the bands
      {"JA1AAG", "25/06/07", "13:00U", "599", "599", "7.025", "cw"},       // modes compare exactly
      {"JA1AAH", "25/06/07", "13:00U", "599", "599", "7.025", "CW", "", "", "", longQth, longRemark},
      {"", "25/06/07", "13:00U"},                                         // no call sign
  });
  const Extracted e = Extract(f);
  EXPECT_TRUE(e.dialogs.isEmpty());
  ExpectWellFormed(e.bytes);
  ASSERT_EQ(e.lines.size(), 2);
  EXPECT_EQ(Skipped(e), U8("参加モード外 2 件 | 周波数不明 2 件 | 読めない記録 3 件"));
  EXPECT_EQ(SplitListLine(e.lines.at(0)).at(8), QString(U8("東")).repeated(24).left(28));
  EXPECT_EQ(SplitListLine(e.lines.at(1)).at(5), "");
}

TEST(ExtractRun, TheOlderGenerationKeepsTheSameQsos) {
  ExtractFolder f;
  f.Definition(Replace(BaseDefinition(), "\"SelFreq\"",
                       {"\"SelFreq\",\"7\",1", "\"SelFreq\",\"10125\",2", "\"SelFreq\",\"SAT\",1"}));
  const QList<Q> qsos = {
      {"JA1AAA", "25/06/07", "13:00U", "599", "599", "7.025", "CW"},
      {"JA1AAB", "25/06/07", "13:01U", "599", "599", "10240.050", "CW"},
      {"JA1AAC", "25/06/07", "13:02U", "599", "599", "14.025", "CW"},
      {"JA1AAD", "25/06/07", "13:03U", "59", "59", "S145.965", "SSB", "", "", "", "", "%RS-44%"},
      // Outside the centimetre table's 10000 to 10250 MHz in both generations.
      {"JA1AAE", "25/06/07", "13:04U", "599", "599", "10368.100", "CW"},
  };
  f.Logbook(qsos);
  ExtractOptions note;
  note.frequencyNote = true;
  const QByteArray current = Extract(f, note).bytes;
  QList<marqen::QsoEntry> entries;
  for (const Q& q : qsos) entries << q.Entry();
  WriteVer4(f.logbook.File("MARQEN."), entries);
  WriteProfileString(f.program.File("ZOTRAW.INI"), "ZOTRAM", "MARQEN", f.logbook.File("MARQEN.DBS"));
  const Extracted older = Extract(f, note);
  EXPECT_EQ(older.bytes, current);
  ASSERT_EQ(older.lines.size(), 3);
  EXPECT_TRUE(older.lines.at(1).startsWith("\"2\",\"10125\","));
  EXPECT_TRUE(older.lines.at(1).endsWith(",\"10240.050\""));
  EXPECT_EQ(older.lines.at(2),
            "\"4\",\"SAT\",\"SSB\",\"2025/06/07\",\"22:03\",\"JA1AAD\",\"\",\"59\",\"\",\"59\",\"\",\"\",\"\",\"1\",\"\",\"RS-44\"");
  EXPECT_EQ(Skipped(older), U8("参加バンド外 1 件 | 周波数不明 1 件"));
  ASSERT_EQ(older.dialogs.size(), 1);
  EXPECT_EQ(older.dialogs.first().at(2), U8("MARQEN Ver4.x モードで動作します"));
}

TEST(ExtractRun, ALogbookThatCannotBeOpenedGivesAnEmptyWorkFile) {
  ExtractFolder f;
  f.Logbook({{"JA1AAA", "25/06/07", "13:00U"}});
  ASSERT_EQ(Extract(f).lines.size(), 1);
  // Not a database of the logbook: told, and the run finds no QSO.
  f.logbook.WriteBytes("MARQEN.HDB", QByteArray(400, 'x'));
  const Extracted e = Extract(f);
  EXPECT_EQ(e.result.status, ExtractResult::Status::Finished);
  EXPECT_EQ(e.result.kept, 0);
  EXPECT_TRUE(f.program.Exists("zotra.wk1"));
  EXPECT_TRUE(e.bytes.isEmpty());
  ASSERT_EQ(e.dialogs.size(), 1);
  EXPECT_EQ(e.dialogs.first().at(2), U8("MARQEN Open 失敗"));
  // The library beside the database missing ends the program.
  QFile::remove(f.logbook.File("marqen50.dll"));
  EXPECT_EQ(Extract(f).result.status, ExtractResult::Status::Fatal);
}
