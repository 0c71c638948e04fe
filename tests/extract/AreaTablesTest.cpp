// The region table, the Hokkaido table and the master file in its versions.
#include "extract/AreaTables.h"
#include "hostlog/SampleLogbook.h"

#include "common/Dialogs.h"

using namespace zotra;
using namespace zotra::test;

namespace {

QList<marqen::MasterRecord> SampleMaster() {
  return {
      {"01", U8("北海道"), '2', "01"},
      {"101", U8("宗谷"), '3', "01"},
      {"0101", U8("札幌市"), '4', "01"},
      {"010101", U8("札幌市中央区"), '6', "01"},
      {"100101", U8("千代田区"), '6', "10"},
      {"10002", U8("西多摩郡"), '5', "10"},
      {"10002A", U8("瑞穂町"), '7', "10"},
      {"110106", U8("横浜市保土ケ谷区"), '6', "11"},  // full-width ケ
      {"1302", U8("ＡＢＣ市"), '4', "13"},            // full-width letters
      {"4601", U8("鹿児島市鹿児島市鹿児島市鹿児島市鹿"), '4', "46"},  // 17 characters: 34 bytes, no NUL
      {"4602", U8("屋久島"), '8', "46"},
  };
}

QStringList Entries(const AreaTables& t) {
  QStringList out;
  for (const MasterEntry& e : t.Master()) out << e.code + "," + e.name + "," + e.level;
  return out;
}

const QStringList kExpected = {
    U8("0101,札幌市,4"),   U8("010101,札幌市中央区,6"), U8("100101,千代田区,6"), U8("10002,西多摩郡,5"),
    U8("10002A,瑞穂町,7"), U8("110106,横浜市保土ｹ谷区,6"), U8("1302,ABC市,4"),
    U8("4601,鹿児島市鹿児島市鹿児島市鹿児島市鹿,4"), U8("4602,屋久島,8"),
};

}  // namespace

TEST(RegionTable, NamesNumbersAndCodes) {
  EXPECT_EQ(RegionName(1), U8("北海道"));
  EXPECT_EQ(RegionName(10), U8("東京都"));
  EXPECT_EQ(RegionName(47), U8("沖縄県"));
  EXPECT_EQ(RegionName(48), U8("小笠原"));
  EXPECT_EQ(RegionName(49), U8("沖の鳥島"));
  EXPECT_EQ(RegionName(50), U8("南鳥島"));
  EXPECT_EQ(RegionName(51), "");
  EXPECT_EQ(RegionName(100), "");
  EXPECT_EQ(RegionName(101), U8("宗谷支庁"));
  EXPECT_EQ(RegionName(104), U8("網走支庁"));
  EXPECT_EQ(RegionName(113), U8("桧山支庁"));
  EXPECT_EQ(RegionName(114), U8("渡島支庁"));
  EXPECT_EQ(RegionName(115), "");
  EXPECT_EQ(RegionName(0), "");
  EXPECT_EQ(RegionNumber(U8("和歌山県")), 26);
  EXPECT_EQ(RegionNumber(U8("十勝支庁")), 109);
  EXPECT_EQ(RegionNumber(U8("東京")), 0);
  EXPECT_EQ(RegionCode(1), "01");
  EXPECT_EQ(RegionCode(48), "48");
  EXPECT_EQ(RegionCode(101), "101");
  const QStringList choices = KeyRegionChoices();
  ASSERT_EQ(choices.size(), 51);
  EXPECT_EQ(choices.first(), U8("全都道府県"));
  EXPECT_EQ(choices.at(10), U8("東京都"));
  EXPECT_EQ(choices.last(), U8("南鳥島"));
}

TEST(MasterFile, EveryVersionGivesTheSameTable) {
  for (const auto version : {marqen::MasterVersion::Records55, marqen::MasterVersion::Records56,
                             marqen::MasterVersion::Records56CodeFirst}) {
    TempFolder t;
    ASSERT_TRUE(marqen::WriteMaster(t.File("MARQEN.MST"), SampleMaster(), version));
    ScriptedDialogs d({}, {});
    AreaTables tables;
    ASSERT_EQ(tables.LoadMaster(t.File("MARQEN.MST"), d), AreaTables::MasterResult::Loaded);
    EXPECT_TRUE(d.Records().isEmpty());
    EXPECT_EQ(tables.MasterVersion(), version == marqen::MasterVersion::Records55 ? 55 : 56);
    // Levels "4" to "8" only; names half-width and cut at 34 bytes.
    EXPECT_EQ(Entries(tables), kExpected) << int(version);
    EXPECT_TRUE(tables.CityHasWards("0101"));
    EXPECT_TRUE(tables.CityHasWards("1001"));
    EXPECT_TRUE(tables.CityHasWards("1101"));
    EXPECT_FALSE(tables.CityHasWards("1302"));
  }
}

TEST(MasterFile, LookupsByCodeNameAndLeadingName) {
  TempFolder t;
  ASSERT_TRUE(marqen::WriteMaster(t.File("M.MST"), SampleMaster(), marqen::MasterVersion::Records56));
  ScriptedDialogs d({}, {});
  AreaTables tables;
  ASSERT_EQ(tables.LoadMaster(t.File("M.MST"), d), AreaTables::MasterResult::Loaded);
  EXPECT_EQ(tables.MasterName("010101"), U8("札幌市中央区"));
  EXPECT_EQ(tables.MasterName("01"), "");  // a prefecture is not kept
  EXPECT_EQ(tables.MasterCode(U8("瑞穂町")), "10002A");
  QString name;
  EXPECT_EQ(tables.LongestMasterName(U8("札幌市中央区北一条"), &name), "010101");
  EXPECT_EQ(name, U8("札幌市中央区"));
  EXPECT_EQ(tables.LongestMasterName(U8("札幌市手稲区")), "0101");
  EXPECT_EQ(tables.LongestMasterName(U8("東京都")), "");
  EXPECT_EQ(tables.LongestMasterName(""), "");
}

TEST(MasterFile, AnUnknownVersionEndsTheProgram) {
  TempFolder t;
  ASSERT_TRUE(marqen::WriteMaster(t.File("MARQEN.MST"), SampleMaster(), marqen::MasterVersion::Records55));
  Patch(t.File("MARQEN.MST"), 11, QByteArray(1, char(57)));
  t.WriteBytes("EMPTY.MST", {});
  for (const char* name : {"MARQEN.MST", "EMPTY.MST", "NONE.MST"}) {
    ScriptedDialogs d({}, {});
    d.SetDefaultTitle("ZOTRAH");
    AreaTables tables;
    EXPECT_EQ(tables.LoadMaster(t.File(name), d), AreaTables::MasterResult::UnknownVersion) << name;
    ASSERT_EQ(d.Records().size(), 1);
    EXPECT_EQ(DialogFields(d.Records().first()),
              (QStringList{"message", "ZOTRAH",
                           U8("MARQEN.MST の指定が間違っているか\nZOTRA で認識できないバージョンです\n\n") + t.File(name),
                           "OK", "OK"}));
  }
}

TEST(MasterFile, AFileOfTheWrongSizeUsesItsWholeRecords) {
  TempFolder t;
  const QString path = t.File("MARQEN.MST");
  ASSERT_TRUE(marqen::WriteMaster(path, SampleMaster(), marqen::MasterVersion::Records56CodeFirst));
  Truncate(path, 290 + 5 * 56 + 30);  // five records and a piece
  ScriptedDialogs d({}, {});
  AreaTables tables;
  ASSERT_EQ(tables.LoadMaster(path, d), AreaTables::MasterResult::Loaded);
  ASSERT_EQ(d.Records().size(), 1);
  EXPECT_EQ(DialogFields(d.Records().first()).at(2),
            U8("MARQEN.MST の大きさが正しくありません\n%1\n読める 5 件を使います").arg(path));
  EXPECT_EQ(Entries(tables), kExpected.mid(0, 3));
  // Cut on a record boundary: the header's count tells.
  Truncate(path, 290 + 4 * 56);
  ScriptedDialogs d2({}, {});
  ASSERT_EQ(tables.LoadMaster(path, d2), AreaTables::MasterResult::Loaded);
  EXPECT_EQ(d2.Records().size(), 1);
  EXPECT_EQ(tables.Master().size(), 2);
  // Only the header: no records, still told.
  Truncate(path, 200);
  ScriptedDialogs d3({}, {});
  ASSERT_EQ(tables.LoadMaster(path, d3), AreaTables::MasterResult::Loaded);
  EXPECT_EQ(d3.Records().size(), 1);
  EXPECT_TRUE(tables.Master().isEmpty());
}

TEST(MasterFile, GarbageRecordsAreLeftOut) {
  TempFolder t;
  const QString path = t.File("MARQEN.MST");
  QByteArray bytes(290, '\0');
  bytes[11] = 55;
  QByteArray junk;
  for (int i = 0; i < 55 * 40; ++i) junk.append(static_cast<char>((i * 131 + 7) % 256));
  t.WriteBytes("MARQEN.MST", bytes + junk);
  ScriptedDialogs d({}, {});
  AreaTables tables;
  EXPECT_EQ(tables.LoadMaster(path, d), AreaTables::MasterResult::Loaded);
  for (const MasterEntry& e : tables.Master()) {
    EXPECT_GE(e.level, QLatin1Char('4'));
    EXPECT_LE(e.level, QLatin1Char('8'));
  }
}

TEST(HokkaidoTable, ReadsCodesAndToldWhenMissing) {
  TempFolder t;
  t.WriteCp932("hokkaido.txt", "0101,106\r\n0102, 103\r\nbad line\r\n\r\n01001,110");
  ScriptedDialogs d({}, {});
  AreaTables tables;
  ASSERT_TRUE(tables.LoadHokkaido(t.File("hokkaido.txt"), d));
  EXPECT_EQ(tables.HokkaidoSubprefecture("0101"), "106");
  EXPECT_EQ(tables.HokkaidoSubprefecture("0102"), "103");
  EXPECT_EQ(tables.HokkaidoSubprefecture("01001"), "110");
  EXPECT_EQ(tables.HokkaidoSubprefecture("0199"), "");
  EXPECT_TRUE(d.Records().isEmpty());
  EXPECT_FALSE(tables.LoadHokkaido(t.File("none.txt"), d));
  ASSERT_EQ(d.Records().size(), 1);
  EXPECT_EQ(DialogFields(d.Records().first()).at(2), U8("北海道テーブルが見当たりません"));
  EXPECT_EQ(tables.HokkaidoSubprefecture("0101"), "");
}
