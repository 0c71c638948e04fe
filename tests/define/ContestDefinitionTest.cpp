#include "define/ContestDefinition.h"

#include "common/Text.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace zotra;
using zotra::test::CrLf;
using zotra::test::TempFolder;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

ContestDefinition FullDefinition() {
  ContestDefinition d = ContestDefinition::EditorDefaults();
  d.myCall = "JA1ZZZ/1";
  d.contestName = U("ALL JA1, コンテスト");
  d.start = {"2026", "06", "13", "21", "00"};
  d.end = {"2026", "06", "14", "20", "59"};
  d.timeBasis = "Jst";
  d.convertOtherBasis = 1;
  d.bands = {{"1.9", -1}, {"3.5", 1}, {"7", 2}, {"14", -1}, {"10125", 1}, {"SAT", -1}};
  d.modes = {{"CW", 1}, {"SSB", 0}, {"FM", 2}, {"AM", -1}};
  d.age = "65";
  d.licenceDate = U("2024年04月01日");
  d.sentItems = {{"HisRst", "3"}, {"Rmk1", "0"}, {"M", "1"}};
  d.receivedItems = {{"MyRst", "3"}, {"Jcc", "6"}, {"Rmk2", "4"}};
  d.multi1 = "Jcc";
  d.multi2 = "Edit";
  d.multi2Front = "1";
  d.multi2Back = "2";
  d.multi3 = "";
  d.organiser = " JARL ";
  d.stationCoefficient = "";
  d.categoryCode = "SOSV";
  d.sectionName = U("電信電話部門");
  d.eventName = U("シングルオペシルバー");
  d.postalCode = "100-0001";
  d.addressFirst = U("東京都千代田区");
  d.addressSecond = U("1-1");
  d.phone = "";
  d.name = U("無線 太郎");
  d.mail = "ja1zzz@example.jp";
  d.licenceClass = U("第一級アマチュア無線技士");
  d.licensedPower = "1000";
  d.portablePlace = "";
  d.powerSource = U("発電機");
  d.rig1 = "IC-7300 100W";
  d.rig2 = "";
  d.opinion1 = U("楽しかった");
  d.opinion2 = "";
  d.opinion3 = "";
  d.operators = "";
  d.printClub = 1;
  d.clubNumber = "1-1-1";
  d.clubName = "";
  d.powerKind = U("実測");
  d.dropInvalid = true;
  d.jarlLog = "Yes R2";
  d.jarlOrder = "Time";
  d.vqLog = "No";
  return d;
}

const QStringList kFullDefinitionLines = {
    U("\"ZOTRAW\",\"Ver4.0\""),
    U("\"[ZOTRA ｺﾝﾃｽﾄ　定義ﾌｧｲﾙ]\""),
    U("\"MyCall\",\"JA1ZZZ/1\""),
    U("\"[ｺﾝﾃｽﾄ情報]\""),
    U("\"ContestName\",\"ALL JA1, コンテスト\""),
    U("\"開始\",\"2026\",\"06\",\"13\",\"21\",\"00\""),
    U("\"終了\",\"2026\",\"06\",\"14\",\"20\",\"59\""),
    U("\"JstUtc\",\"Jst\""),
    U("\"JstUtc2\",1"),
    U("\"[参加周波数]\""),
    U("\"SelFreq\",\"1.9\",-1"),
    U("\"SelFreq\",\"3.5\",1"),
    U("\"SelFreq\",\"7\",2"),
    U("\"SelFreq\",\"14\",-1"),
    U("\"SelFreq\",\"10125\",1"),
    U("\"SelFreq\",\"SAT\",-1"),
    U("\"[参加ﾓｰﾄﾞ]\""),
    U("\"SelMode\",\"CW\",1"),
    U("\"SelMode\",\"SSB\",0"),
    U("\"SelMode\",\"FM\",2"),
    U("\"[年齢]\""),
    U("\"65\""),
    U("\"[局免許年月日]\""),
    U("\"2024年04月01日\""),
    U("\"[送信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]\""),
    U("\"Send\",\"HisRst\",\"3\""),
    U("\"Send\",\"Rmk1\",\"0\""),
    U("\"Send\",\"M\",\"1\""),
    U("\"[受信ｺﾝﾃｽﾄﾅﾝﾊﾞｰ]\""),
    U("\"Rcv\",\"MyRst\",\"3\""),
    U("\"Rcv\",\"Jcc\",\"6\""),
    U("\"Rcv\",\"Rmk2\",\"4\""),
    U("\"[マルチプライヤー]\""),
    U("\"Multi1\",\"Jcc\""),
    U("\"Multi2\",\"Edit\""),
    U("\"1\",\"2\""),
    U("\"Multi3\",\"\""),
    U("\"[マルチプライヤー終了]\""),
    U("\"[主催者]\""),
    U("\"JARL\""),
    U("\"[*内容]\""),
    U("\"↑フィールドデーコンテストの場合は、局種係数を記入\""),
    U("\"[参加部門]\""),
    U("\"SOSV\",\"電信電話部門\",\"シングルオペシルバー\""),
    U("\"[〒]\""),
    U("\"100-0001\""),
    U("\"[住所]\""),
    U("\"東京都千代田区\",\"1-1\""),
    U("\"[氏名]\""),
    U("\"無線 太郎\""),
    U("\"[E-mail]\""),
    U("\"ja1zzz@example.jp\""),
    U("\"[資格]\""),
    U("\"第一級アマチュア無線技士\",\"1000\""),
    U("\"[電源]\""),
    U("\"発電機\""),
    U("\"[Rig1]\""),
    U("\"IC-7300 100W\""),
    U("\"[Ik1]\""),
    U("\"楽しかった\""),
    U("\"[Ik2]\""),
    U("\"\""),
    U("\"[Ik3]\""),
    U("\"\""),
    U("\"[C-Print]\""),
    U("1"),
    U("\"[C-no]\""),
    U("\"1-1-1\""),
    U("\"[出力]\""),
    U("\"実測\""),
    U("\"[VQC]\""),
    U("\"無効削除\""),
    U("\"[JARL電子ログ]\""),
    U("\"Yes R2\""),
    U("\"[JARLFormat]\""),
    U("\"Time\""),
    U("\"[VQ電子ログ]\""),
    U("\"No\""),
};

}  // namespace

TEST(DefinitionWriter, WritesEveryLineByteForByte) {
  TempFolder t;
  ASSERT_TRUE(WriteDefinition(FullDefinition(), t.File("ZOTRAW.TST")));
  const QByteArray bytes = t.ReadBytes("ZOTRAW.TST");
  EXPECT_EQ(bytes, EncodeCp932(CrLf(kFullDefinitionLines)));
  // The title's blank before 定義 is the full-width blank.
  EXPECT_TRUE(bytes.contains(QByteArray("\x81\x40\x92\xE8\x8B\x60")));
  EXPECT_EQ(t.Entries(), QStringList{"ZOTRAW.TST"});
}

TEST(DefinitionWriter, ReadBackAndWrittenAgainIsTheSameFile) {
  TempFolder t;
  ASSERT_TRUE(WriteDefinition(FullDefinition(), t.File("a.tst")));
  ContestDefinition read;
  const DefinitionReadResult r = ReadDefinition(t.File("a.tst"), &read);
  EXPECT_TRUE(r.found);
  EXPECT_FALSE(r.versionMismatch);
  EXPECT_TRUE(r.pointsDistributed);
  ASSERT_TRUE(WriteDefinition(read, t.File("b.tst")));
  EXPECT_EQ(t.ReadBytes("a.tst"), t.ReadBytes("b.tst"));
  EXPECT_EQ(read.contestName, U("ALL JA1, コンテスト"));
  EXPECT_EQ(read.organiser, "JARL");
  EXPECT_EQ(read.start.Key(), "202606132100");
  EXPECT_EQ(read.licenceDate, U("2024年04月01日"));
  EXPECT_EQ(read.multi2Front, "1");
  EXPECT_EQ(read.multi2Back, "2");
  EXPECT_EQ(read.ActiveBands(), (QList<NamedPoints>{{"3.5", 1}, {"7", 2}, {"10125", 1}}));
  EXPECT_EQ(read.modes, (QList<NamedPoints>{{"CW", 1}, {"SSB", 0}, {"FM", 2}}));
}

TEST(DefinitionWriter, EditorDefaultsRoundTrip) {
  TempFolder t;
  ASSERT_TRUE(WriteDefinition(ContestDefinition::EditorDefaults(), t.File("a.tst")));
  ContestDefinition read;
  ReadDefinition(t.File("a.tst"), &read);
  ASSERT_TRUE(WriteDefinition(read, t.File("b.tst")));
  EXPECT_EQ(t.ReadBytes("a.tst"), t.ReadBytes("b.tst"));
  EXPECT_EQ(read, ContestDefinition::EditorDefaults());
}

TEST(DefinitionWriter, EmptyMultiplierKindsAreEmptyTexts) {
  TempFolder t;
  ContestDefinition d;
  ASSERT_TRUE(WriteDefinition(d, t.File("a.tst")));
  const QString text = t.ReadCp932("a.tst");
  EXPECT_TRUE(text.contains(U("\"Multi1\",\"\"\r\n\"Multi2\",\"\"\r\n\"Multi3\",\"\"\r\n")));
  ContestDefinition read;
  read.multi1 = "Pfx";
  read.multi2 = "Space";
  read.multi3 = "LL";
  ReadDefinition(t.File("a.tst"), &read);
  EXPECT_EQ(read.multi1, "");
  EXPECT_EQ(read.multi2, "");
  EXPECT_EQ(read.multi3, "");
}

TEST(DefinitionWriter, QuotesInTextsCannotBreakTheFile) {
  TempFolder t;
  ContestDefinition d;
  d.contestName = U("\"QRP\" Contest, 2026");
  d.rig1 = U("ant \"A\"\r\nrig");
  ASSERT_TRUE(WriteDefinition(d, t.File("a.tst")));
  ContestDefinition read;
  ReadDefinition(t.File("a.tst"), &read);
  EXPECT_EQ(read.contestName, U("＂QRP＂ Contest, 2026"));
  EXPECT_EQ(read.rig1, U("ant ＂A＂rig"));
  EXPECT_EQ(read.multi1, "");
  EXPECT_EQ(read.vqLog, d.vqLog);
}

TEST(DefinitionReader, KeysAndValues) {
  TempFolder t;
  t.WriteCp932("a.tst", CrLf({
                            U("\"ZOTRAW\",\"Ver4.0\""),
                            U("\"MyCall\",\"JA1ABC\""),
                            U("\"Multi1\",\"pfx\""),
                            U("\"Multi3\",\"Jcc\""),
                            U("\"Multi2\",\"EDIT\""),
                            U("\"2\",\"3\""),
                            U("\"JstUtc\",\"UTC\""),
                            U("\"JstUtc2\",\"1\""),
                            U("\"[参加周波数]\""),
                            U("\"SelFreq\",\"7\",-1"),
                            U("\"SelFreq\",\"14\",0"),
                            U("\"SelFreq\",\"21\",-5"),
                            U("\"[参加ﾓｰﾄﾞ]\""),
                            U("\"SelMode\",\"CW\",1"),
                            U("\"SelMode\",\"SSB\",0"),
                            U("\"Rcv\",\"Qth\",\"28\""),
                            U("\"Rcv\",\"MyRst\",\"9\""),
                            U("\"Rcv\",\"Unknown\",\"4\""),
                            U("\"Send\",\"Rmk2\",\"5\""),
                            U("\"Send\",\"HisRst\",\"3\""),
                            U("\"Send\",\"TOKYO\",\"1\""),
                            U("\"[C-Print]\""),
                            U("\"1\""),
                            U("\"[出力]\",\"other\""),
                            U("\"[VQC]\",\"無効\""),
                            U("\"[JARL電子ログ]\""),
                            U("\"yes\""),
                            U("\"[JARLFormat]\""),
                            U("\"band\""),
                            U("\"[VQ電子ログ]\""),
                            U("\"yes\""),
                            U("\"unknown key\",\"[Ope]\""),
                        }));
  ContestDefinition d;
  const DefinitionReadResult r = ReadDefinition(t.File("a.tst"), &d);
  EXPECT_TRUE(r.pointsDistributed);  // a band and a mode at 0 points
  EXPECT_EQ(d.myCall, "JA1ABC");
  EXPECT_EQ(d.multi1, "Pfx");
  EXPECT_EQ(d.multi3, "Jcc");
  EXPECT_EQ(d.multi2, "Edit");
  EXPECT_EQ(d.multi2Front, "2");
  EXPECT_EQ(d.multi2Back, "3");
  EXPECT_EQ(d.timeBasis, "Utc");
  EXPECT_EQ(d.convertOtherBasis, 1);
  // A band switched off is written −1 and read as not taken part in.
  EXPECT_EQ(d.bands, (QList<NamedPoints>{{"7", -1}, {"14", 0}, {"21", -1}}));
  EXPECT_EQ(d.ActiveBands(), (QList<NamedPoints>{{"14", 0}}));
  EXPECT_EQ(d.modes, (QList<NamedPoints>{{"CW", 1}, {"SSB", 0}}));
  EXPECT_EQ(d.receivedItems, (QList<NumberItem>{{"MyRst", "3"}, {"Qth", "28"}}));
  EXPECT_EQ(d.sentItems, (QList<NumberItem>{{"HisRst", "3"}, {"Rmk2", "5"}, {"TOKYO", "5"}}));
  EXPECT_EQ(d.printClub, 1);
  EXPECT_EQ(d.powerKind, U("実測"));
  EXPECT_FALSE(d.dropInvalid);
  EXPECT_EQ(d.jarlLog, "Yes R2");
  EXPECT_EQ(d.jarlOrder, "Band");
  EXPECT_EQ(d.vqLog, "Yes");
  EXPECT_EQ(d.operators, "");  // a key that stands as another key's value is not read
}

TEST(DefinitionReader, JarlLogForms) {
  TempFolder t;
  for (const auto& [value, expected] : QList<QPair<QString, QString>>{
           {"Yes R1", "Yes R1"}, {"YES R2", "Yes R2"}, {"Yes", "Yes R2"}, {"No", "No"}, {"R2", "No"}}) {
    t.WriteCp932("a.tst", CrLf({U("\"[JARL電子ログ]\""), "\"" + value + "\""}));
    ContestDefinition d;
    ReadDefinition(t.File("a.tst"), &d);
    EXPECT_EQ(d.jarlLog, expected) << value.toStdString();
  }
}

TEST(DefinitionReader, AnotherVersionStopsTheReading) {
  TempFolder t;
  t.WriteCp932("a.tst", CrLf({U("\"MyCall\",\"JA1AAA\""), U("\"ZOTRAW\",\"Ver3.0\""), U("\"MyCall\",\"JA1ABC\""),
                              U("\"ContestName\",\"X\"")}));
  ContestDefinition d = ContestDefinition::EditorDefaults();
  const DefinitionReadResult r = ReadDefinition(t.File("a.tst"), &d);
  EXPECT_TRUE(r.found);
  EXPECT_TRUE(r.versionMismatch);
  EXPECT_EQ(d.myCall, "JA1AAA");
  EXPECT_EQ(d.contestName, "");
  EXPECT_EQ(d.formatVersion, "Ver3.0");
}

TEST(DefinitionReader, ValuesOnTheNextLineReadTheSame) {
  TempFolder t;
  t.WriteCp932("a.tst", U("\"[氏名]\"\r\n\"無線 太郎\"\r\n\"[住所]\",\"東京都\"\r\n\"1-1\"\r\n\"MyCall\"\r\n\"JA1ABC\"\r\n"));
  ContestDefinition d;
  ReadDefinition(t.File("a.tst"), &d);
  EXPECT_EQ(d.name, U("無線 太郎"));
  EXPECT_EQ(d.addressFirst, U("東京都"));
  EXPECT_EQ(d.addressSecond, "1-1");
  EXPECT_EQ(d.myCall, "JA1ABC");
}

TEST(DefinitionReader, MissingFileKeepsTheDefaults) {
  TempFolder t;
  ContestDefinition d = ContestDefinition::EditorDefaults();
  const DefinitionReadResult r = ReadDefinition(t.File("none.tst"), &d);
  EXPECT_FALSE(r.found);
  EXPECT_EQ(d, ContestDefinition::EditorDefaults());
  EXPECT_EQ(d.start.Key(), "199801020900");
  EXPECT_EQ(d.end.Key(), "199801032059");
  EXPECT_EQ(d.licensedPower, "10");
}

TEST(DefinitionReader, TruncatedOrGarbledFilesNeverCrash) {
  TempFolder t;
  const QByteArray good = EncodeCp932(CrLf(kFullDefinitionLines));
  // Every prefix of a good file.
  for (int n = 0; n < good.size(); n += 7) {
    t.WriteBytes("a.tst", good.left(n));
    ContestDefinition d;
    ReadDefinition(t.File("a.tst"), &d);
    EXPECT_LE(d.bands.size(), 20);
  }
  QRandomGenerator rng(7);
  for (int round = 0; round < 300; ++round) {
    QByteArray bytes = good;
    for (int i = 0; i < 20; ++i) bytes[rng.bounded(int(bytes.size()))] = static_cast<char>(rng.bounded(256));
    t.WriteBytes("a.tst", bytes);
    ContestDefinition d;
    ReadDefinition(t.File("a.tst"), &d);
    EXPECT_LE(d.modes.size(), 6);
    EXPECT_LE(d.sentItems.size(), 4);
    EXPECT_LE(d.receivedItems.size(), 6);
  }
}

TEST(DefinitionReader, AtMostTwentyBandsAndSixModes) {
  TempFolder t;
  QStringList lines;
  for (int i = 0; i < 25; ++i) lines << QStringLiteral("\"SelFreq\",\"%1\",1").arg(i);
  for (int i = 0; i < 8; ++i) lines << QStringLiteral("\"SelMode\",\"M%1\",1").arg(i);
  t.WriteCp932("a.tst", CrLf(lines));
  ContestDefinition d;
  ReadDefinition(t.File("a.tst"), &d);
  EXPECT_EQ(d.bands.size(), 20);
  EXPECT_EQ(d.modes.size(), 6);
}
