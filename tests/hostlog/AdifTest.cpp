// ADIF as producers write it, and one record as the logbook's field texts.
#include "Adif.h"
#include "hostlog/SampleLogbook.h"

#include "common/Text.h"

using namespace zotra::test;
using marqen::AdifFile;
using marqen::AdifRecord;
using marqen::ParseAdif;

namespace {

AdifRecord Record(std::initializer_list<std::pair<const char*, const char*>> fields) {
  AdifRecord r;
  r.number = 1;
  for (const auto& [k, v] : fields) r.fields.insert(QString::fromLatin1(k), U8(v));
  return r;
}

}  // namespace

TEST(Adif, HeaderTagsAndTypesAsProducersWriteThem) {
  const AdifFile f = ParseAdif(
      "Log of JA1ZTR <ADIF_VER:5>3.1.4\r\n<programid:4>TEST\r\n<EOH>\r\n"
      "<CALL:6>JA1ABC <qso_date:8:D>20250607 <Time_On:4>0601 <APP_N1MM_ID:3>abc <eor>\r\n"
      "<CALL:5>JA1AB<QSO_DATE:8>20250607<TIME_ON:6>060230<EOR>");
  EXPECT_TRUE(f.problems.isEmpty()) << f.problems.join("; ").toStdString();
  ASSERT_EQ(f.records.size(), 2);
  EXPECT_EQ(f.records.at(0).Value("CALL"), "JA1ABC");
  EXPECT_EQ(f.records.at(0).Value("QSO_DATE"), "20250607");
  EXPECT_EQ(f.records.at(0).Value("TIME_ON"), "0601");
  EXPECT_EQ(f.records.at(0).Value("APP_N1MM_ID"), "abc");
  EXPECT_FALSE(f.records.at(0).fields.contains("PROGRAMID"));
  EXPECT_EQ(f.records.at(1).Value("CALL"), "JA1AB");
  EXPECT_EQ(f.records.at(1).number, 2);
  // A file without a header starts with its records.
  EXPECT_EQ(ParseAdif("<CALL:4>JA1A<EOR>").records.size(), 1);
}

TEST(Adif, LengthsInBytesOrInCharacters) {
  // 山田 is 6 bytes in UTF-8 and 2 characters.
  const AdifFile f = ParseAdif(U8("<NAME:6>山田 <QTH:2>港区 <CALL:6>JA1ABC <EOR>"
                                  "<NAME:2>佐藤<CALL:6>JA1ABD<EOR>")
                                   .toUtf8());
  EXPECT_TRUE(f.problems.isEmpty()) << f.problems.join("; ").toStdString();
  ASSERT_EQ(f.records.size(), 2);
  EXPECT_EQ(f.records.at(0).Value("NAME"), U8("山田"));
  EXPECT_EQ(f.records.at(0).Value("QTH"), U8("港区"));
  EXPECT_EQ(f.records.at(1).Value("NAME"), U8("佐藤"));
  EXPECT_EQ(f.records.at(1).Value("CALL"), "JA1ABD");
}

TEST(Adif, ShiftJisValuesAreReadToo) {
  const QByteArray bytes = "<NAME:4>" + zotra::EncodeCp932(U8("山田")) + "<QTH:3>" + zotra::EncodeCp932(U8("ﾃｽﾄ")) +
                           "<EOR>";
  const AdifFile f = ParseAdif(bytes);
  ASSERT_EQ(f.records.size(), 1);
  EXPECT_EQ(f.records.at(0).Value("NAME"), U8("山田"));
  EXPECT_EQ(f.records.at(0).Value("QTH"), U8("ﾃｽﾄ"));
}

TEST(Adif, BrokenLengthsAndTagsAreReportedAndTheRestIsRead) {
  const AdifFile f = ParseAdif(
      "<EOH>"
      "<CALL:3>JA1ABC <QSO_DATE:8>20250607 <EOR>\n"          // too short
      "<CALL:40>JA1ABD <QSO_DATE:8>20250607 <EOR>\n"         // too long
      "<CALL:x>JA1ABE <NAME>Taro <CALL:6>JA1ABF <EOR>\n"      // no number, no length
      "<CALL:6>JA1ABG <NAME:999>Hanako");                     // beyond the end, no <EOR>
  ASSERT_EQ(f.records.size(), 4);
  EXPECT_EQ(f.records.at(0).Value("CALL"), "JA1ABC");
  EXPECT_EQ(f.records.at(0).Value("QSO_DATE"), "20250607");
  EXPECT_EQ(f.records.at(1).Value("CALL"), "JA1ABD");
  EXPECT_EQ(f.records.at(1).Value("QSO_DATE"), "20250607");
  EXPECT_EQ(f.records.at(2).Value("CALL"), "JA1ABF");
  EXPECT_EQ(f.records.at(3).Value("NAME"), "Hanako");
  EXPECT_EQ(f.problems,
            (QStringList{U8("記録 1: CALL の長さ 3 が値と合いません (次のタグまでを値にしました)"),
                         U8("記録 2: CALL の長さ 40 が値と合いません (次のタグまでを値にしました)"),
                         U8("記録 3: タグ <CALL:x> の長さが読めないため無視しました"),
                         U8("記録 3: タグ <NAME> の長さが読めないため無視しました"),
                         U8("記録 4: NAME の長さ 999 が値と合いません (次のタグまでを値にしました)"),
                         U8("記録 4: <EOR> がないまま終わっています (この記録も読みました)")}));
  // An unclosed tag ends the reading.
  const AdifFile cut = ParseAdif("<CALL:6>JA1ABC<EOR><CALL:6");
  EXPECT_EQ(cut.records.size(), 1);
  EXPECT_EQ(cut.problems, QStringList{U8("記録 2: 閉じていないタグがあります")});
}

TEST(Adif, AGarbageFileNeverCrashes) {
  QByteArray junk;
  for (int i = 0; i < 4096; ++i) junk.append(static_cast<char>((i * 7919) % 256));
  junk += "<:5>abc<EOR:>< CALL : 2 >AB<EOR";
  const AdifFile f = ParseAdif(junk);
  EXPECT_FALSE(f.problems.isEmpty());
  EXPECT_EQ(ParseAdif({}).records.size(), 0);
}

TEST(AdifEntry, MapsEveryField) {
  marqen::QsoEntry e;
  QString reason;
  ASSERT_TRUE(marqen::EntryFromAdif(
      Record({{"CALL", "ja8zut/1"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "153012"}, {"FREQ", "7.02500"},
              {"BAND", "40m"}, {"MODE", "SSB"}, {"SUBMODE", "LSB"}, {"RST_SENT", "59"}, {"RST_RCVD", "57"},
              {"SRX_STRING", "57 100109M"}, {"GRIDSQUARE", "PM95uq"}, {"QSL_SENT", "Y"}, {"QSL_SENT_VIA", "B"},
              {"NAME", "北島"}, {"QTH", "港区"}, {"COMMENT", "two\r\nlines"}, {"NOTES", "note\tx"},
              {"TX_PWR", "50"}, {"OPERATOR", "ja1ztr"}}),
      {}, &e, &reason));
  EXPECT_EQ(Texts(e), (QStringList{"", "JA8ZUT/1", "25/06/07", "15:30U", "59", "57", "7.025", "SSB", "100109 M",
                                    "PM95uq", "YNB", U8("北島"), U8("港区"), "two  lines", "note x", "50",
                                    "JA1ZTR"}));
}

TEST(AdifEntry, JstTimesCrossMidnightAndMonthEnds) {
  marqen::QsoEntry e;
  QString reason;
  marqen::ImportOptions jst;
  jst.zone = QLatin1Char('J');
  ASSERT_TRUE(marqen::EntryFromAdif(
      Record({{"CALL", "JA1ABC"}, {"QSO_DATE", "20240228"}, {"TIME_ON", "2359"}, {"FREQ", "14.0"}}), jst, &e,
      &reason));
  EXPECT_EQ(e.fields[2], "24/02/29");
  EXPECT_EQ(e.fields[3], "08:59J");
  ASSERT_TRUE(marqen::EntryFromAdif(
      Record({{"CALL", "JA1ABC"}, {"QSO_DATE", "20251231"}, {"TIME_ON", "1530"}, {"FREQ", "14.0"}}), jst, &e,
      &reason));
  EXPECT_EQ(e.fields[2], "26/01/01");
  EXPECT_EQ(e.fields[3], "00:30J");
  EXPECT_EQ(e.fields[6], "14.000");
}

TEST(AdifEntry, ModesSatellitesAndBands) {
  marqen::QsoEntry e;
  QString reason;
  const auto entry = [&](std::initializer_list<std::pair<const char*, const char*>> extra) {
    AdifRecord r = Record({{"CALL", "JA1ABC"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "0601"}});
    for (const auto& [k, v] : extra) r.fields.insert(QString::fromLatin1(k), U8(v));
    EXPECT_TRUE(marqen::EntryFromAdif(r, {}, &e, &reason)) << reason.toStdString();
    return e;
  };
  EXPECT_EQ(entry({{"FREQ", "7.074"}, {"MODE", "MFSK"}, {"SUBMODE", "FT4"}}).fields[7], "FT4");
  EXPECT_EQ(entry({{"FREQ", "7.074"}, {"MODE", "ft8"}}).fields[7], "FT8");
  EXPECT_EQ(entry({{"FREQ", "7.1"}, {"MODE", "CW"}, {"SUBMODE", "PCW"}}).fields[7], "CW");
  const auto sat = entry({{"FREQ", "435.2500"}, {"MODE", "FM"}, {"SAT_NAME", "AO-91"}, {"COMMENT", "hi"}});
  EXPECT_EQ(sat.fields[6], "S435.250");
  EXPECT_EQ(sat.fields[13], "%AO-91% hi");
  EXPECT_EQ(entry({{"FREQ", "145.9"}, {"PROP_MODE", "SAT"}}).fields[13], "%SAT%");
  EXPECT_EQ(entry({{"BAND", "23cm"}}).fields[6], "1260.000");
  EXPECT_EQ(entry({{"FREQ", "junk"}, {"BAND", "6m"}}).fields[6], "50.000");
  EXPECT_EQ(entry({{"FREQ", "10368.1"}}).fields[6], "10368.100");
  EXPECT_EQ(entry({{"FREQ", "7.0251234"}}).fields[6], "7.025123");
  // FREQ against BAND: kHz taken as such, a disagreement kept and told.
  const auto told = [&](std::initializer_list<std::pair<const char*, const char*>> fields) {
    AdifRecord r = Record({{"CALL", "JA1ABC"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "0601"}});
    for (const auto& [k, v] : fields) r.fields.insert(QString::fromLatin1(k), U8(v));
    QStringList notes;
    EXPECT_TRUE(marqen::EntryFromAdif(r, {}, &e, &reason, &notes));
    return e.fields[6] + " " + notes.join('|');
  };
  EXPECT_EQ(told({{"FREQ", "7025"}, {"BAND", "40m"}}), U8("7.025 FREQ 7025 を kHz とみなして 7.025 MHz にしました (BAND 40m)"));
  EXPECT_EQ(told({{"FREQ", "14.025"}, {"BAND", "40M"}}), U8("14.025 FREQ 14.025 MHz と BAND 40M が合いません (FREQ を使いました)"));
  EXPECT_EQ(told({{"FREQ", "10368.1"}, {"BAND", "3cm"}}), "10368.100 ");
  EXPECT_EQ(told({{"FREQ", "5.357"}, {"BAND", "60m"}}), U8("5.357 BAND \"60m\" は知らないバンドです (FREQ を使いました)"));
  EXPECT_EQ(told({{"FREQ", "7025"}}), U8("7025.000 FREQ 7025 MHz はどのバンドにもありません"));
  EXPECT_EQ(told({{"FREQ", "junk"}, {"BAND", "6m"}}), U8("50.000 FREQ \"junk\" が周波数ではないので BAND 6m の 50.000 MHz にしました"));
  // The area code from the field the user names.
  marqen::ImportOptions state;
  state.areaField = "state";
  AdifRecord r = Record({{"CALL", "JA1ABC"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "0601"}, {"FREQ", "7"},
                         {"STATE", "13"}, {"SRX_STRING", "599 1001M"}});
  ASSERT_TRUE(marqen::EntryFromAdif(r, state, &e, &reason));
  EXPECT_EQ(e.fields[8], "13");
  ASSERT_TRUE(marqen::EntryFromAdif(r, {}, &e, &reason));
  EXPECT_EQ(e.fields[8], "1001 M");
}

TEST(AdifEntry, RecordsThatCannotBeQsosSayWhy) {
  marqen::QsoEntry e;
  QString reason;
  const struct {
    AdifRecord record;
    const char* reason;
  } cases[] = {
      {Record({{"QSO_DATE", "20250607"}, {"TIME_ON", "0601"}, {"FREQ", "7"}}), "CALL がありません"},
      {Record({{"CALL", "JA1A"}, {"QSO_DATE", "20251307"}, {"TIME_ON", "0601"}, {"FREQ", "7"}}),
       "QSO_DATE \"20251307\" が日付ではありません"},
      {Record({{"CALL", "JA1A"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "2460"}, {"FREQ", "7"}}),
       "TIME_ON \"2460\" が時刻ではありません"},
      {Record({{"CALL", "JA1A"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "0601"}}), "FREQ も BAND もありません"},
      {Record({{"CALL", "JA1A"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "0601"}, {"FREQ", "x"}}),
       "FREQ \"x\" が周波数ではなく、BAND もありません"},
      {Record({{"CALL", "JA1A"}, {"QSO_DATE", "20250607"}, {"TIME_ON", "0601"}, {"BAND", "60m"}}),
       "BAND \"60m\" は知らないバンドです"},
      {Record({{"CALL", "JA1A"}, {"QSO_DATE", "20500101"}, {"TIME_ON", "0601"}, {"FREQ", "7"}}),
       "年 2050 は記録できません (1950〜2049 年)"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(marqen::EntryFromAdif(c.record, {}, &e, &reason));
    EXPECT_EQ(reason, U8(c.reason));
  }
}

TEST(AdifEntry, TheAreaCodeOfAnExchange) {
  EXPECT_EQ(marqen::AreaCodeOfExchange("599 13M"), "13 M");
  EXPECT_EQ(marqen::AreaCodeOfExchange("59 1001h"), "1001 H");
  EXPECT_EQ(marqen::AreaCodeOfExchange("599 100110P"), "100110 P");
  EXPECT_EQ(marqen::AreaCodeOfExchange("599 101L"), "101 L");
  EXPECT_EQ(marqen::AreaCodeOfExchange("599 10007A"), "10007A");  // a town code
  EXPECT_EQ(marqen::AreaCodeOfExchange("599 01030M"), "01030M");  // five digits: could be a town
  EXPECT_EQ(marqen::AreaCodeOfExchange("1001"), "1001");
  EXPECT_EQ(marqen::AreaCodeOfExchange("599 1001 TOKYO"), "1001");
  EXPECT_EQ(marqen::AreaCodeOfExchange("TOKYO"), "");
  EXPECT_EQ(marqen::AreaCodeOfExchange(""), "");
}
