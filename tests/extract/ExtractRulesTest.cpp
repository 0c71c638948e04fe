// The parts of the extraction that need no logbook: the definition's keys,
// the date and time of a record with the zone conversion, the text helpers
// of the record rules, the work line.
#include "extract/ExtractDefinition.h"
#include "extract/Extraction.h"
#include "extract/QsoTime.h"
#include "hostlog/SampleLogbook.h"

#include <QFile>

using namespace zotra;
using namespace zotra::test;

namespace {

ExtractDefinition Read(const QStringList& lines) {
  TempFolder t;
  t.WriteCp932("ZOTRAW.TST", CrLf(lines));
  return ReadExtractDefinition(t.File("ZOTRAW.TST"));
}

QString Slots(const QList<PointsSlot>& table) {
  QStringList out;
  for (const PointsSlot& s : table) out << s.name + "=" + QString::number(s.value);
  return out.join(' ');
}

QString Slots(const QList<NumberSlot>& table) {
  QStringList out;
  for (const NumberSlot& s : table) out << s.item + "=" + QString::number(s.width);
  return out.join(' ');
}

QsoTime Time(const char* date, const char* time) {
  QsoTime t;
  EXPECT_TRUE(ParseQsoTime(QString::fromLatin1(date), QString::fromLatin1(time), &t)) << date << " " << time;
  return t;
}

QString Shown(const QsoTime& t) { return t.Date() + " " + t.Time() + QChar(t.zone); }

}  // namespace

TEST(ExtractDefinition, TakesItsKeysFieldByFieldAndReadsPastTheRest) {
  const ExtractDefinition d = Read({
      U8("\"ZOTRAW\",\"Ver4.0\""),
      // Free texts that read like keys are values of the keys before them.
      U8("\"MyCall\",\"Send\""),
      U8("\"ContestName\",\"[VQC]\""),
      U8("\"開始\",\"2025\",\"06\",\"07\",\"21\",\"00\""),
      U8("\"終了\",\"2025\",\"06\",\"08\",\"20\",\"59\""),
      U8("\"JstUtc\",\"Utc\""),
      U8("\"JstUtc2\",1"),
      U8("\"SelFreq\",\"7\",1"),
      U8("\"SelFreq\",\"1200\",-1"),
      U8("\"SelFreq\",\" 144 \",2"),
      U8("\"SelFreq\",\"10125\",0"),
      U8("\"SelMode\",\"CW\",1"),
      U8("\"SelMode\",\"SSB\",-1"),
      U8("\"SelMode\",\"FM\",1.5"),
      U8("\"Send\",\"hisrst\",\"3\""),
      U8("\"Send\",\"Rmk1\",\"0\""),
      U8("\"Send\",\"M\",\"1\""),
      U8("\"Rcv\",\"MyRst\",\"3\""),
      U8("\"Rcv\",\"Jcc\",\"6\""),
      U8("\"Multi1\",\"Pfx\""),
      // The two counts of "Edit" stand on their own line.
      U8("\"Multi2\",\"Edit\""),
      U8("\"2\",\"1\""),
      U8("\"Multi3\",\"jcc\""),
      U8("\"[Ik1]\""),
      U8("\"Multi1\""),
      U8("\"[VQC]\""),
      U8("\"無効削除\""),
  });
  ASSERT_EQ(d.status, ExtractDefinition::Status::Read);
  EXPECT_EQ(d.startKey, "202506072100");
  EXPECT_EQ(d.endKey, "202506082059");
  EXPECT_FALSE(d.contestJst);
  EXPECT_TRUE(d.convertZone);
  EXPECT_EQ(Slots(d.bands), "7=1 144=2 10125=0");
  EXPECT_EQ(Slots(d.modes), "CW=1 FM=1.5");
  EXPECT_EQ(Slots(d.sent), "hisrst=3 Rmk1=0 M=1");
  EXPECT_EQ(Slots(d.received), "MyRst=3 Jcc=6");
  EXPECT_TRUE(d.sentRst);
  EXPECT_TRUE(d.receivedRst);
  EXPECT_EQ(d.multipliers[0], "PFX");
  EXPECT_EQ(d.multipliers[1], "EDIT");
  EXPECT_EQ(d.multipliers[2], "JCC");
  EXPECT_EQ(d.editSkip, 2);
  EXPECT_EQ(d.editDrop, 1);
  EXPECT_TRUE(d.dropInvalid);
  EXPECT_TRUE(d.anyBandLine);
}

TEST(ExtractDefinition, FlagsAndSlotsHaveTheirLimits) {
  QStringList lines = {U8("\"ZOTRAW\",\"Ver4.0\""), U8("\"JstUtc\",\"Jst\""), U8("\"JstUtc2\",0")};
  for (int i = 0; i < 22; ++i) lines << QString("\"SelFreq\",\"B%1\",1").arg(i);
  for (int i = 0; i < 7; ++i) lines << QString("\"SelMode\",\"M%1\",1").arg(i);
  for (int i = 0; i < 7; ++i) lines << QString("\"Send\",\"S%1\",\"1\"").arg(i) << QString("\"Rcv\",\"R%1\",\"1\"").arg(i);
  lines << U8("\"Multi2\",\"Space\"") << U8("\"[VQC]\",\"\"");
  const ExtractDefinition d = Read(lines);
  EXPECT_TRUE(d.contestJst);
  EXPECT_FALSE(d.convertZone);
  EXPECT_EQ(d.bands.size(), 20);
  EXPECT_EQ(d.bands.last().name, "B19");
  EXPECT_EQ(d.modes.size(), 6);
  EXPECT_EQ(d.sent.size(), 6);
  EXPECT_EQ(d.received.size(), 6);
  EXPECT_FALSE(d.sentRst);
  EXPECT_FALSE(d.receivedRst);
  EXPECT_EQ(d.multipliers[1], "SPACE");
  EXPECT_EQ(d.editSkip, 0);
  EXPECT_FALSE(d.dropInvalid);
}

TEST(ExtractDefinition, MissingFileAndOtherVersions) {
  TempFolder t;
  ExtractDefinition d = ReadExtractDefinition(t.File("ZOTRAW.TST"));
  EXPECT_EQ(d.status, ExtractDefinition::Status::Missing);
  EXPECT_EQ(d.StatusMessage(), U8("先にコンテストの条件を設定してください"));
  d = Read({U8("\"ZOTRAW\",\"Ver3.0\""), U8("\"SelFreq\",\"7\",1")});
  EXPECT_EQ(d.status, ExtractDefinition::Status::WrongVersion);
  EXPECT_EQ(d.StatusMessage(), U8("コンテスト定義体のバージョンが違います"));
  EXPECT_TRUE(d.bands.isEmpty());
  // A file without the format tag is not taken either.
  EXPECT_EQ(Read({U8("\"SelFreq\",\"7\",1")}).status, ExtractDefinition::Status::WrongVersion);
}

TEST(ExtractDefinition, APeriodEditedByHandIsReadOrTold) {
  const auto period = [](const char* start, const char* end) {
    return Read({U8("\"ZOTRAW\",\"Ver4.0\""), U8("\"開始\",") + QString(start), U8("\"終了\",") + QString(end)});
  };
  ExtractDefinition d = period("\"2025\",\"6\",\"14\",\"21\",\"0\"", "\" 2025\",\"06\",\"15\",\"8\",\"59 \"");
  EXPECT_EQ(d.status, ExtractDefinition::Status::Read);
  EXPECT_EQ(d.startKey, "202506142100");
  EXPECT_EQ(d.endKey, "202506150859");
  d = period("\"2025\",\"6\",\"31\",\"21\",\"0\"", "\"2025\",\"07\",\"01\",\"20\",\"59\"");
  EXPECT_EQ(d.status, ExtractDefinition::Status::BadPeriod);
  EXPECT_EQ(d.StatusMessage(), U8("コンテストの期間が正しくありません\n開始 2025/6/31 21:0\n終了 2025/07/01 20:59\n"
                                  "コンテストの条件の設定で期間を入れ直してください"));
  EXPECT_EQ(period("\"2025\",\"06\",\"14\",\"21\",\"00\"", "\"2025\",\"06\",\"14\",\"20\",\"59\"").status,
            ExtractDefinition::Status::BadPeriod);
  EXPECT_EQ(period("\"2025\",\"06\",\"14\",\"2l\",\"00\"", "\"2025\",\"06\",\"15\",\"20\",\"59\"").status,
            ExtractDefinition::Status::BadPeriod);
  EXPECT_EQ(Read({U8("\"ZOTRAW\",\"Ver4.0\"")}).status, ExtractDefinition::Status::BadPeriod);
}

TEST(QsoTime, DatesAndTimesAsTheLogbookWritesThem) {
  EXPECT_EQ(Shown(Time("25/06/07", "06:01U")), "2025/06/07 06:01U");
  EXPECT_EQ(Time("25/06/07", "06:01U").Key(), "202506070601");
  EXPECT_EQ(Shown(Time("49/12/31", "23:59J")), "2049/12/31 23:59J");
  EXPECT_EQ(Shown(Time("50/01/01", "00:00J")), "1950/01/01 00:00J");
  EXPECT_EQ(Shown(Time("24/02/29", "12:00J")), "2024/02/29 12:00J");
  QsoTime t;
  for (const auto& [date, time] : std::initializer_list<std::pair<const char*, const char*>>{
           {"25/06/07", "06:01"},   // no zone letter
           {"25/06/07", "06:01X"},  // an unknown one
           {"25/13/07", "06:01J"},  {"25/06/31", "06:01J"}, {"25/02/29", "06:01J"}, {"25/06/00", "06:01J"},
           {"25/06/07", "24:00J"},  {"25/06/07", "12:60J"}, {"2025/06/07", "06:01J"}, {"", "06:01J"},
           {"25/06/07", ""},        {"ab/cd/ef", "gh:ijJ"},
       }) {
    EXPECT_FALSE(ParseQsoTime(QString::fromLatin1(date), QString::fromLatin1(time), &t)) << date << " " << time;
  }
}

TEST(QsoTime, ZoneConversionAcrossDaysMonthsAndYears) {
  const struct {
    const char* date;
    const char* time;
    bool jst;
    const char* expected;
  } cases[] = {
      {"25/06/07", "15:30U", true, "2025/06/08 00:30J"},
      {"25/06/07", "14:59U", true, "2025/06/07 23:59J"},
      {"24/02/28", "23:59U", true, "2024/02/29 08:59J"},  // leap year
      {"25/02/28", "23:59U", true, "2025/03/01 08:59J"},
      {"24/02/29", "15:00U", true, "2024/03/01 00:00J"},
      {"25/04/30", "20:00U", true, "2025/05/01 05:00J"},
      {"25/12/31", "15:00U", true, "2026/01/01 00:00J"},
      {"25/06/08", "00:30J", false, "2025/06/07 15:30U"},
      {"25/06/08", "09:00J", false, "2025/06/08 00:00U"},
      {"24/03/01", "08:59J", false, "2024/02/29 23:59U"},
      {"25/03/01", "08:59J", false, "2025/02/28 23:59U"},
      {"25/05/01", "05:00J", false, "2025/04/30 20:00U"},
      {"26/01/01", "03:00J", false, "2025/12/31 18:00U"},
      {"25/06/07", "12:00J", true, "2025/06/07 12:00J"},  // already in the zone
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(ToZone(Time(c.date, c.time), c.jst)), c.expected) << c.date << " " << c.time;
}

TEST(RuleHelpers, QuotesAndCommasOfFreeTexts) {
  EXPECT_EQ(WithoutQuotesAndCommas("\"ok\" tnx, cu\""), "ok  tnx  cu");
  EXPECT_EQ(WithoutQuotesAndCommas(",a,b,"), "a b");
  EXPECT_EQ(WithoutQuotesAndCommas("\"\"x"), "x");
  EXPECT_EQ(WithoutQuotesAndCommas("\""), "");
  EXPECT_EQ(WithoutQuotesAndCommas("a,\""), "a ");
  EXPECT_EQ(WithoutQuotesAndCommas(U8("山田,太郎")), U8("山田 太郎"));
  EXPECT_EQ(WithoutQuotesAndCommas("plain"), "plain");
}

TEST(RuleHelpers, RemarkPiecesSatellitesAndDesignators) {
  EXPECT_EQ(RemarkPiece("  1001M|QSB ", 0), "1001M");
  EXPECT_EQ(RemarkPiece("1001M QSB", 0), "");
  EXPECT_EQ(RemarkPiece("|1001M", 0), "");
  EXPECT_EQ(RemarkPiece("  1001M|QSB ", 3), "100");
  EXPECT_EQ(RemarkPiece("AB", 5), "AB");
  EXPECT_EQ(SatelliteName("%RS-44% SAT"), "RS-44");
  EXPECT_EQ(SatelliteName("VIA %AO-91(FM)% QSB"), "AO-91");
  EXPECT_EQ(SatelliteName("%%"), "");
  EXPECT_EQ(SatelliteName("%RS-44"), "");
  EXPECT_EQ(SatelliteName("NONE"), "");
  EXPECT_EQ(CallWithoutDesignator("JA1ABC/1"), "JA1ABC");
  EXPECT_EQ(CallWithoutDesignator("KH0/JA1ABC"), "JA1ABC");
  EXPECT_EQ(CallWithoutDesignator("KH0/JA1ABC/P"), "JA1ABC");
  EXPECT_EQ(CallWithoutDesignator("JA1ABC"), "JA1ABC");
}

TEST(WorkLine, SixteenQuotedFields) {
  ExtractedQso q;
  q.record = 12;
  q.band = "10125";
  q.mode = "CW";
  q.date = "2025/06/08";
  q.time = "00:30";
  q.call = "JA1ABC/1";
  q.sentNumber = "1001 M";
  q.sentRst = "599";
  q.receivedNumber = U8("10 東京");
  q.receivedRst = "579";
  q.multipliers = {"JA1", "", "1001"};
  q.points = "0.5";
  q.note = "10240.050";
  EXPECT_EQ(WorkLineText(q), U8("\"12\",\"10125\",\"CW\",\"2025/06/08\",\"00:30\",\"JA1ABC/1\",\"1001 M\",\"599\","
                                "\"10 東京\",\"579\",\"JA1\",\"\",\"1001\",\"0.5\",\"\",\"10240.050\""));
  // A quote that slipped into a field can never end it early.
  q.call = "JA\"1";
  EXPECT_TRUE(WorkLineText(q).contains(U8("\"JA＂1\"")));
}

TEST(CentimetreBands, FirstMatchingLineAndAMissingTable) {
  TempFolder t;
  t.WriteCp932("cm.txt", "10125,10000,10250\r\n24000,23999.6,24250.4\r\n10000,10000,10500\r\nbad line\r\n");
  CentimetreBands table(t.File("cm.txt"));
  EXPECT_EQ(table.BandOf("10240.050"), "10125");
  EXPECT_EQ(table.BandOf("10250"), "10125");
  EXPECT_EQ(table.BandOf("10400"), "10000");
  EXPECT_EQ(table.BandOf("24000"), "24000");
  EXPECT_EQ(table.BandOf("24250.4"), "");  // 24250.4 is rounded to 24250
  EXPECT_EQ(table.BandOf("47088"), "");
  EXPECT_TRUE(table.Present());
  CentimetreBands missing(t.File("none.txt"));
  EXPECT_EQ(missing.BandOf("10240"), "");
  EXPECT_FALSE(missing.Present());
  // Read once: a table written later is not seen in the same run.
  t.WriteCp932("none.txt", "10125,10000,10250\r\n");
  EXPECT_EQ(missing.BandOf("10240"), "");
}
