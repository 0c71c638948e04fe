// The Ver4 pair as the writer lays it out and the extraction's reader decodes
// it, and the shipped master file and Hokkaido table.
#include "HostFormat.h"
#include "extract/AreaTables.h"
#include "extract/Ver4Logbook.h"
#include "hostlog/SampleLogbook.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Text.h"

using namespace zotra;
using namespace zotra::test;

namespace {

struct Ver4Folder {
  TempFolder folder;
  QString base = folder.File("MARQEN.");
  Ver4Logbook book;
  bool Open() { return book.Open(base + "DBS", base + "DBR"); }
  QsoRecord Read(int n, Ver4Logbook::ReadResult* result = nullptr) {
    QsoRecord r;
    const auto res = book.Read(n, &r);
    if (result) *result = res;
    EXPECT_TRUE(res.read) << n;
    return r;
  }
};

}  // namespace

TEST(Ver4, TheDecodeRulesGiveTheFieldTexts) {
  Ver4Folder v;
  WriteVer4(v.base, SampleEntries());
  ASSERT_TRUE(v.Open());
  EXPECT_EQ(v.book.HeaderCount(), 5);
  EXPECT_EQ(v.book.RecordsInFile(), 5);
  const auto entries = SampleEntries();
  // Everything but the call sign and the fields the pair does not keep.
  for (int n = 1; n <= 5; ++n) {
    const QsoRecord r = v.Read(n);
    for (int f : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
      EXPECT_EQ(r.fields[f], entries.at(n - 1).fields[f]) << n << " field " << f;
    }
    EXPECT_EQ(r[QsoField::Number], QString::number(n));
    EXPECT_EQ(r[QsoField::Extra15], "");
    EXPECT_EQ(r[QsoField::Extra16], "");
  }
  // The call sign, padded to six characters, the designator behind it.
  EXPECT_EQ(v.Read(1)[QsoField::CallSign], "JA1ABC");
  EXPECT_EQ(v.Read(2)[QsoField::CallSign], "JA8ZUT/1");
  EXPECT_EQ(v.Read(5)[QsoField::Date], "99/12/31");
  EXPECT_EQ(v.Read(2)[QsoField::Time], "15:30J");
  EXPECT_EQ(v.Read(1)[QsoField::Time], "06:01U");
}

TEST(Ver4, ShortCallsArePaddedAndAFrontDesignatorComesBackInFront) {
  Ver4Folder v;
  WriteVer4(v.base, {Entry({"1", "JA1AB", "25/06/07", "06:01U", "599", "599", "7.025", "CW"}),
                     Entry({"2", "JA1AB/P", "25/06/07", "06:02U", "599", "599", "7.025", "CW"}),
                     Entry({"3", "KH0/JA1ABC", "25/06/07", "06:03U", "599", "599", "7.025", "CW", "", "", "",
                            "", "", "CQ WW"})});
  ASSERT_TRUE(v.Open());
  EXPECT_EQ(v.Read(1)[QsoField::CallSign], "JA1AB ");
  EXPECT_EQ(v.Read(2)[QsoField::CallSign], "JA1AB /P");
  // The writer marked the front designator with "$DX" in remarks 2.
  const QsoRecord dx = v.Read(3);
  EXPECT_EQ(dx[QsoField::CallSign], "KH0/JA1ABC");
  EXPECT_EQ(dx[QsoField::Remarks1], "CQ WW");
  EXPECT_EQ(dx[QsoField::Remarks2], "$DX");
}

TEST(Ver4, TheYearByteCountsFrom1900BelowAnd1872From128) {
  Ver4Folder v;
  WriteVer4(v.base, {Entry({"1", "JA1ABC", "99/01/02", "00:00J", "", "", "7"}),
                     Entry({"2", "JA1ABC", "00/01/02", "00:00J", "", "", "7"}),
                     Entry({"3", "JA1ABC", "49/12/31", "23:59U", "", "", "7"})});
  const QByteArray dbs = v.folder.ReadBytes("MARQEN.DBS");
  EXPECT_EQ(static_cast<unsigned char>(dbs.at(16 + 10)), 99);
  EXPECT_EQ(static_cast<unsigned char>(dbs.at(16 + 58 + 10)), 128);
  EXPECT_EQ(static_cast<unsigned char>(dbs.at(16 + 116 + 10)), 177);  // 2049
  EXPECT_EQ(static_cast<unsigned char>(dbs.at(16 + 116 + 15)), 1);    // UTC
  // A byte of 100 written by an older writer is 2000 as well.
  Patch(v.base + "DBS", 16 + 10, QByteArray(1, char(100)));
  ASSERT_TRUE(v.Open());
  EXPECT_EQ(v.Read(1)[QsoField::Date], "00/01/02");
  EXPECT_EQ(v.Read(2)[QsoField::Date], "00/01/02");
  EXPECT_EQ(v.Read(3)[QsoField::Date], "49/12/31");
  EXPECT_EQ(v.Read(3)[QsoField::Time], "23:59U");
}

TEST(Ver4, AFrequencyThatCannotBeDecodedTakesTheBandOfItsMark) {
  Ver4Folder v;
  WriteVer4(v.base, SampleEntries());
  Patch(v.base + "DBS", 16 + 22, QByteArray("7.\xFF\x01x    ", 9));  // record 1: 7.025 spoiled
  ASSERT_TRUE(v.Open());
  Ver4Logbook::ReadResult result;
  const QsoRecord r = v.Read(1, &result);
  EXPECT_EQ(result.guessedBand, "7");
  EXPECT_EQ(r[QsoField::Frequency], "7");
  // No band mark either: the record cannot be read.
  Patch(v.base + "DBS", 16 + 31, QByteArray(1, '\xFF'));
  ASSERT_TRUE(v.Open());
  QsoRecord none;
  EXPECT_FALSE(v.book.Read(1, &none).read);
  EXPECT_EQ(v.book.Read(1, &none).damage, Ver4Logbook::Damage::Record);
}

TEST(Ver4, DamagedRecordsAndTextsAreToldApart) {
  Ver4Folder v;
  WriteVer4(v.base, SampleEntries());
  Patch(v.base + "DBS", 16 + 58 + 11, QByteArray(1, char(13)));   // record 2: month 13
  Patch(v.base + "DBS", 16 + 116 + 54, QByteArray("\xFF\xFF\xFF\x0F", 4));  // record 3: texts far away
  Truncate(v.base + "DBS", 16 + 4 * 58 + 20);  // record 5 cut off
  ASSERT_TRUE(v.Open());
  EXPECT_EQ(v.book.HeaderCount(), 5);
  EXPECT_EQ(v.book.RecordsInFile(), 4);
  QsoRecord r;
  EXPECT_EQ(v.book.Read(2, &r).damage, Ver4Logbook::Damage::Record);
  EXPECT_FALSE(v.book.Read(2, &r).read);
  const auto texts = v.book.Read(3, &r);
  EXPECT_TRUE(texts.read);
  EXPECT_EQ(texts.damage, Ver4Logbook::Damage::Texts);
  EXPECT_EQ(r[QsoField::CallSign], "JR1YZD");
  EXPECT_EQ(r[QsoField::Remarks1], "");
  EXPECT_FALSE(v.book.Read(5, &r).read);
  EXPECT_TRUE(v.book.Read(4, &r).read);
}

TEST(Ver4, AFileWithoutTheHeaderIsNotOpened) {
  Ver4Folder v;
  v.folder.WriteBytes("MARQEN.DBS", QByteArray(100, 'x'));
  v.folder.WriteBytes("MARQEN.DBR", QByteArray(16, '\0'));
  EXPECT_FALSE(v.Open());
  v.folder.WriteBytes("MARQEN.DBS", "MQDBS4");
  EXPECT_FALSE(v.Open());
}

TEST(Ver4, TheWriterNotesWhatThePairCannotHold) {
  Ver4Folder v;
  marqen::Ver4Writer w;
  ASSERT_TRUE(w.Open(v.base));
  QList<marqen::WriteNote> notes;
  EXPECT_TRUE(w.Add(Entry({"1", "JA1ABCD", "25/06/07", "06:01U", "599", "599", "10368.1005", "OLIVIA", "", "",
                           "", "長い名前長い名前長い名前長い名前長い名前長い", "", "", "", "", ""}),
                    &notes));
  QStringList texts;
  for (const auto& n : notes) texts << n.text;
  EXPECT_EQ(texts, (QStringList{U8("呼出符号 を 6 バイトに切りました (\"JA1ABC\")"),
                                U8("周波数 を 9 バイトに切りました (\"10368.100\")"),
                                U8("モード を 5 バイトに切りました (\"OLIVI\")"),
                                U8("名前 を 20 文字に切りました (\"長い名前長い名前長い名前長い名前長い名前\")")}));
  notes.clear();
  EXPECT_FALSE(w.Add(Entry({"2", "JA1ABC", "25/13/07", "06:01U"}), &notes));
  ASSERT_EQ(notes.size(), 1);
  EXPECT_EQ(notes.first().text, U8("日付か時刻が読めないため書けません"));
  ASSERT_TRUE(w.Close());
  EXPECT_EQ(v.folder.ReadBytes("MARQEN.DBS").mid(8, 3), QByteArray::fromHex("010000"));
}

// ---- the shipped data ---------------------------------------------------------------

TEST(ShippedData, TheMasterFileHoldsTheListWithTheCitiesOfTheWards) {
  ScriptedDialogs dialogs({}, {});
  AreaTables tables;
  ASSERT_EQ(tables.LoadMaster(BuiltProgram("MARQEN.MST"), dialogs), AreaTables::MasterResult::Loaded);
  EXPECT_TRUE(dialogs.Records().isEmpty());
  EXPECT_EQ(tables.MasterVersion(), 56);
  // 772 cities, 379 counties, 194 wards, and 20 cities of wards (Tokyo's wards have none).
  EXPECT_EQ(tables.Master().size(), 772 + 379 + 194 + 20);
  EXPECT_EQ(tables.MasterName("0101"), U8("札幌市"));
  EXPECT_EQ(tables.MasterName("010101"), U8("札幌市中央区"));
  EXPECT_EQ(tables.MasterName("1001"), "");
  EXPECT_EQ(tables.MasterName("100101"), U8("千代田区"));
  EXPECT_EQ(tables.MasterName("10007"), U8("小笠原支庁"));
  EXPECT_EQ(tables.MasterName("2501"), U8("大阪市"));
  EXPECT_EQ(tables.MasterName("4021"), U8("北九州市"));
  EXPECT_TRUE(tables.CityHasWards("1001"));
  EXPECT_TRUE(tables.CityHasWards("0101"));
  EXPECT_FALSE(tables.CityHasWards("1002"));
  // Names are kept half-width: 保土ケ谷 has a katakana ケ.
  EXPECT_EQ(tables.MasterCode(U8("横浜市保土ｹ谷区")), "110106");
  // The file: header with the count and the version, the code-first variant.
  const QByteArray mst = FileBytes(BuiltProgram("MARQEN.MST"));
  EXPECT_EQ(mst.left(8), "MQMASTER");
  const int records = static_cast<unsigned char>(mst.at(8)) | (static_cast<unsigned char>(mst.at(9)) << 8);
  EXPECT_EQ(mst.size(), 290 + records * 56);
  EXPECT_EQ(mst.at(11), 56);
  EXPECT_EQ(mst.at(177), 1);
}

TEST(ShippedData, TheHokkaidoTableHasEveryCityCountyAndWardAndSapporo) {
  QStringList lines;
  ASSERT_TRUE(ReadLines(BuiltProgram("hokkaido.txt"), &lines));
  EXPECT_EQ(lines.size(), 112 + 1);
  EXPECT_EQ(lines.first(), "0101,106");
  EXPECT_TRUE(lines.contains("010101,106"));
  EXPECT_TRUE(lines.contains("0104,114"));   // 函館市, 渡島
  EXPECT_TRUE(lines.contains("01001,110"));  // 阿寒郡, 釧路
  EXPECT_TRUE(FileBytes(BuiltProgram("hokkaido.txt")).endsWith("\r\n"));
  ScriptedDialogs dialogs({}, {});
  AreaTables tables;
  ASSERT_TRUE(tables.LoadHokkaido(BuiltProgram("hokkaido.txt"), dialogs));
  EXPECT_EQ(tables.HokkaidoSubprefecture("0102"), "103");  // 旭川市, 上川
}
