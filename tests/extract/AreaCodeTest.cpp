// The area-code conversion: the code rules of each level with every option,
// the region groups, the QTH conversion, the Ogasawara question, the errors.
#include "extract/AreaCode.h"
#include "SampleAreaTables.h"
#include "hostlog/SampleLogbook.h"

#include "common/Dialogs.h"

using namespace zotra;
using namespace zotra::test;

namespace {

AreaOptions AllRegions(AreaLevel level, bool wards = false, bool tokyo = false) {
  AreaOptions o;
  o.groups[kKeyGroup] = {level, wards, tokyo, false};
  return o;
}

struct Conversion {
  AreaTables tables = SampleAreaTables();
  ScriptedDialogs dialogs;
  AreaCodeConverter converter;
  explicit Conversion(const AreaOptions& options, QStringList answers = {})
      : dialogs({}, answers), converter(tables, options, dialogs) {}
  // One record's area code: the result and the record's error number.
  std::pair<QString, int> Area(const QString& field) {
    converter.BeginRecord();
    const QString out = converter.ConvertAreaCode(field);
    return {out, converter.ErrorNumber()};
  }
  std::pair<QString, int> Qth(const QString& qth, const QString& area = {}) {
    converter.BeginRecord();
    const QString out = converter.ConvertQth(qth, area);
    return {out, converter.ErrorNumber()};
  }
};

using Result = std::pair<QString, int>;

}  // namespace

TEST(AreaCode, TokyoWardsAtCityLevel) {
  // Key region 東京都, city/county level.
  AreaOptions both;
  both.keyRegion = 10;
  both.groups[kKeyGroup] = {AreaLevel::CityCounty, true, true, false};
  EXPECT_EQ(Conversion(both).Area("100101"), Result("100101", 0));
  AreaOptions wardsOnly = both;
  wardsOnly.groups[kKeyGroup].tokyoWardsAsCities = false;
  EXPECT_EQ(Conversion(wardsOnly).Area("100101"), Result("1001", 0));
  // Wards of other cities become their city either way.
  EXPECT_EQ(Conversion(both).Area("110106"), Result("110106", 0));  // other group: as logged
  AreaOptions all = AllRegions(AreaLevel::CityCounty, true, true);
  EXPECT_EQ(Conversion(all).Area("110106"), Result("1101", 0));
  EXPECT_EQ(Conversion(all).Area("100103"), Result("100103", 0));
}

TEST(AreaCode, WardsStayWardsWithoutWardsAsCities) {
  // A contest that counts wards: the ward codes stay, a bare city that has
  // wards is not enough.
  Conversion c(AllRegions(AreaLevel::CityCounty));
  EXPECT_EQ(c.Area("110106"), Result("110106", 0));
  EXPECT_EQ(c.Area("100101"), Result("100101", 0));
  EXPECT_EQ(c.Area("1101"), Result("1101", kAreaNotWard));
  EXPECT_EQ(c.converter.ErrorMessage(), U8("区コード(名)でない"));
  EXPECT_EQ(c.converter.ErrorCode(), "1101");
  EXPECT_EQ(c.Area("1102"), Result("1102", 0));
  EXPECT_EQ(c.Area("10002"), Result("10002", 0));
  EXPECT_EQ(c.Area("10002A"), Result("10002", 0));  // a town becomes its county
}

TEST(AreaCode, PrefectureLevelAndHokkaido) {
  AreaOptions whole = AllRegions(AreaLevel::Prefecture);
  Conversion c(whole);
  EXPECT_EQ(c.Area("1001"), Result("10", 0));
  EXPECT_EQ(c.Area("100101"), Result("10", 0));
  EXPECT_EQ(c.Area("1101 ﾖｺﾊﾏ"), Result(U8("11 ﾖｺﾊﾏ"), 0));
  EXPECT_EQ(c.Area("0102"), Result("01", 0));
  EXPECT_EQ(c.Area("101"), Result("01", 0));

  AreaOptions sub = whole;
  sub.hokkaido = HokkaidoChoice::Subprefecture;
  Conversion s(sub);
  EXPECT_EQ(s.Area("0102"), Result("103", 0));
  EXPECT_EQ(s.Area("010101"), Result("106", 0));  // a ward: its city
  EXPECT_EQ(s.Area("01001A"), Result("110", 0));  // a town: its county
  EXPECT_EQ(s.Area("01001"), Result("110", 0));
  EXPECT_EQ(s.Area("101"), Result("101", 0));
  EXPECT_EQ(s.Area("0199"), Result("0199", kAreaLookupFailed));
  EXPECT_EQ(s.converter.ErrorMessage(), U8("MARQEN.MST 検索エラー"));
  EXPECT_EQ(s.Area("1001"), Result("10", 0));
}

TEST(AreaCode, OgasawaraIsAsked) {
  AreaOptions o = AllRegions(AreaLevel::Prefecture);
  Conversion c(o, {U8("東京都 (10)"), "4", "", "49+"});
  c.converter.BeginRecord(U8("JD1ABC  2025/06/07 22:05 (交信番号 6)"));
  EXPECT_EQ(c.converter.ConvertAreaCode("10007A"), "10");
  EXPECT_EQ(c.Area("10007"), Result("50", 0));
  // No answer: the choice made last is offered again.
  EXPECT_EQ(c.Area("10007A ｶﾞｲﾄﾞ"), Result(U8("50 ｶﾞｲﾄﾞ"), 0));
  ASSERT_EQ(c.dialogs.Records().size(), 3);
  EXPECT_EQ(DialogFields(c.dialogs.Records().first()),
            (QStringList{"choice", U8("小笠原諸島の取り扱い"),
                         U8("小笠原諸島との交信データが見つかりました、どのナンバーにするかを選択してください。\n\n"
                            "JD1ABC  2025/06/07 22:05 (交信番号 6)"),
                         U8("東京都 (10)|小笠原 (48)|沖の鳥島 (49)|南鳥島 (50)|+残りの小笠原諸島との交信にもこの番号を使う"),
                         U8("東京都 (10)")}));
  EXPECT_EQ(DialogFields(c.dialogs.Records().at(2)).at(4), U8("南鳥島 (50)"));
  // An answer for the rest of the run: asked no more.
  EXPECT_EQ(c.Area("10007"), Result("49", 0));
  EXPECT_EQ(c.Area("10007A"), Result("49", 0));
  EXPECT_EQ(c.dialogs.Records().size(), 4);
  EXPECT_EQ(DialogFields(c.dialogs.Records().last()).at(4), U8("沖の鳥島 (49)+"));
  // The first question offers 小笠原 (48); other codes of Tokyo ask nothing.
  Conversion fresh(o);
  EXPECT_EQ(fresh.Area("10007"), Result("48", 0));
  EXPECT_EQ(fresh.Area("10002A"), Result("10", 0));
  EXPECT_EQ(fresh.dialogs.Records().size(), 1);
  // At other levels Ogasawara is a county and a town like any other.
  EXPECT_EQ(Conversion(AllRegions(AreaLevel::CityCounty)).Area("10007A"), Result("10007", 0));
}

TEST(AreaCode, TownLevel) {
  Conversion c(AllRegions(AreaLevel::Town));
  EXPECT_EQ(c.Area("10002A"), Result("10002A", 0));
  EXPECT_EQ(c.Area("1002"), Result("1002", 0));
  EXPECT_EQ(c.Area("110106"), Result("110106", 0));
  EXPECT_EQ(c.Area("1101"), Result("1101", kAreaNotWard));
  EXPECT_EQ(c.Area("10002"), Result("10002", kAreaNotTown));
  EXPECT_EQ(c.converter.ErrorMessage(), U8("町村コード(名)でない"));
  EXPECT_EQ(c.Area("13"), Result("13", kAreaBadLevel));
  EXPECT_EQ(c.converter.ErrorMessage(), U8("コードのレベルがおかしい"));
  EXPECT_EQ(c.Area("1234567"), Result("1234567", kAreaBadLevel));
  Conversion w(AllRegions(AreaLevel::Town, true));
  EXPECT_EQ(w.Area("110106"), Result("1101", 0));
  EXPECT_EQ(w.Area("100101"), Result("1001", 0));
  EXPECT_EQ(w.Area("1101"), Result("1101", 0));
  Conversion tokyo(AllRegions(AreaLevel::Town, true, true));
  EXPECT_EQ(tokyo.Area("100101"), Result("100101", 0));
}

TEST(AreaCode, ErrorsOfPrefectureAndCityLevels) {
  Conversion p(AllRegions(AreaLevel::Prefecture));
  EXPECT_EQ(p.Area(""), Result("", kAreaNoPrefecture));
  EXPECT_EQ(p.converter.ErrorMessage(), U8("都道府県コード(名)取得エラー"));
  // A code that is no area code is told like any other, never taken for Hokkaido.
  EXPECT_EQ(p.Area("XYZ"), Result("XYZ", kAreaNoPrefecture));
  EXPECT_EQ(p.Area("99 M"), Result("99 M", kAreaNoPrefecture));
  EXPECT_EQ(p.Area("123"), Result("123", kAreaNoPrefecture));
  Conversion c(AllRegions(AreaLevel::CityCounty));
  EXPECT_EQ(c.Area("13 M"), Result("13 M", kAreaAboveCity));
  EXPECT_EQ(c.converter.ErrorMessage(), U8("市郡より上位のコードです"));
  EXPECT_EQ(c.converter.ErrorCode(), "13");
  EXPECT_EQ(c.Area("101"), Result("101", kAreaAboveCity));
  // Each record starts without an error; within one the first is kept.
  EXPECT_EQ(c.Area("1002"), Result("1002", 0));
  c.converter.BeginRecord();
  c.converter.ConvertAreaCode("13");
  c.converter.ConvertQth(U8("どこにもない町"), "");
  EXPECT_EQ(c.converter.ErrorNumber(), kAreaAboveCity);
  EXPECT_EQ(c.converter.ErrorCode(), "13");
}

TEST(AreaCode, TheAreaFieldIsNormalisedAndItsTextKept) {
  Conversion c(AllRegions(AreaLevel::CityCounty, true));
  EXPECT_EQ(c.Area(U8("１００１０３　ｍ")), Result("1001 M", 0));
  EXPECT_EQ(c.Area("  110106 hodogaya  ku "), Result("1101 HODOGAYA  KU", 0));
  EXPECT_EQ(Conversion(AllRegions(AreaLevel::AsLogged)).Area(" 1001x p"), Result("1001X P", 0));
}

TEST(AreaCode, RegionGroups) {
  AreaOptions o;
  SelectKeyRegion(&o, 10);
  o.groups[kKeyGroup].level = AreaLevel::CityCounty;
  o.groups[kOtherGroup].level = AreaLevel::Prefecture;
  Conversion c(o);
  EXPECT_EQ(c.converter.GroupOf("1002"), kKeyGroup);
  EXPECT_EQ(c.converter.GroupOf("1101"), kOtherGroup);
  EXPECT_EQ(c.converter.GroupOf("101"), kOtherGroup);
  EXPECT_EQ(c.Area("10002A"), Result("10002", 0));
  EXPECT_EQ(c.Area("110106"), Result("11", 0));
  EXPECT_EQ(c.Area("0102"), Result("01", 0));
  // Hokkaido as key region holds the subprefecture codes too.
  AreaOptions h;
  SelectKeyRegion(&h, 1);
  Conversion k(h);
  EXPECT_EQ(k.converter.GroupOf("101"), kKeyGroup);
  EXPECT_EQ(k.converter.GroupOf("0102"), kKeyGroup);
  EXPECT_EQ(k.converter.GroupOf("1001"), kOtherGroup);
  // With every region key, everything is in the key group.
  Conversion all(AreaOptions{});
  EXPECT_EQ(all.converter.GroupOf("4601"), kKeyGroup);
  EXPECT_EQ(all.converter.GroupOf("101"), kKeyGroup);
}

TEST(AreaCode, QthConversion) {
  Conversion c(AllRegions(AreaLevel::CityCounty, true));
  // The longest leading master name, converted, and the text after the blank kept.
  EXPECT_EQ(c.Qth(U8("横浜市保土ケ谷区 常盤台")), Result(U8("横浜市 常盤台"), 0));
  EXPECT_EQ(c.Qth(U8("横浜市港北区日吉 1-2")), Result(U8("横浜市 1-2"), 0));
  // A grid locator after "GL:" is cut before the lookup.
  EXPECT_EQ(c.Qth(U8("八王子市 高尾 GL:PM95tp")), Result(U8("八王子市 高尾"), 0));
  EXPECT_EQ(c.Qth(U8("八王子市GL:PM95")), Result(U8("八王子市"), 0));
  // A region name gives its number.
  EXPECT_EQ(Conversion(AllRegions(AreaLevel::AsLogged)).Qth(U8("東京都 千代田")), Result(U8("東京都 千代田"), 0));

  Conversion p(AllRegions(AreaLevel::Prefecture));
  EXPECT_EQ(p.Qth(U8("横浜市保土ケ谷区 常盤台")), Result(U8("神奈川県 常盤台"), 0));
  EXPECT_EQ(p.Qth(U8("札幌市中央区")), Result(U8("北海道"), 0));
  AreaOptions sub = AllRegions(AreaLevel::Prefecture);
  sub.hokkaido = HokkaidoChoice::Subprefecture;
  EXPECT_EQ(Conversion(sub).Qth(U8("旭川市 ｶﾑｲ")), Result(U8("上川支庁 ｶﾑｲ"), 0));
}

TEST(AreaCode, QthErrors) {
  Conversion c(AllRegions(AreaLevel::CityCounty, true));
  EXPECT_EQ(c.Qth(""), Result("", kAreaBadInput));
  EXPECT_EQ(c.converter.ErrorMessage(), U8("引用したデータがおかしい"));
  EXPECT_EQ(c.Qth("   "), Result("   ", kAreaBadInput));
  EXPECT_EQ(c.Qth(U8("どこにもない町 1")), Result(U8("どこにもない町 1"), kAreaLookupFailed));
  EXPECT_EQ(c.converter.ErrorCode(), U8("どこにもない町"));
  // A Tokyo ward becomes "1001", which has no name of its own.
  EXPECT_EQ(c.Qth(U8("港区 芝")), Result(U8("港区 芝"), kAreaLookupFailed));
  EXPECT_EQ(c.converter.ErrorCode(), "1001");
}

TEST(AreaCode, QthFromTheAreaCodeField) {
  AreaOptions o = AllRegions(AreaLevel::AsLogged);
  o.qthFromAreaCode = true;
  Conversion c(o);
  EXPECT_EQ(c.Qth(U8("無視される"), "100103 ｼﾊﾞ"), Result(U8("港区 ｼﾊﾞ"), 0));
  EXPECT_EQ(c.Qth("", "13"), Result(U8("埼玉県"), 0));
  EXPECT_EQ(c.Qth("", "101"), Result(U8("宗谷支庁"), 0));
  EXPECT_EQ(c.Qth("", ""), Result("", kAreaBadInput));
  EXPECT_EQ(c.Qth("", "1234567"), Result("1234567", kAreaBadInput));
  EXPECT_EQ(c.Qth("", "77"), Result("77", kAreaLookupFailed));
  EXPECT_EQ(c.Qth("", "9999"), Result("9999", kAreaLookupFailed));
  // The code's own entry, never another city of the same name.
  AreaOptions p = AllRegions(AreaLevel::Prefecture);
  p.qthFromAreaCode = true;
  Conversion pc(p);
  EXPECT_EQ(pc.Qth("", "3509 M"), Result(U8("広島県 M"), 0));
  EXPECT_EQ(pc.Qth("", "0719"), Result(U8("福島県"), 0));
  EXPECT_EQ(pc.Qth("", "1007"), Result(U8("東京都"), 0));
  EXPECT_EQ(pc.Qth("", U8("八王子市")), Result(U8("東京都"), 0));
  // A name in the area-code field turns into its code.
  EXPECT_EQ(c.converter.CodeOrName(U8("東京都")), "10");
  EXPECT_EQ(c.converter.CodeOrName(U8("八王子市")), "1002");
  EXPECT_EQ(c.converter.CodeOrName("1002"), U8("八王子市"));
  EXPECT_EQ(c.converter.CodeOrName("113"), U8("桧山支庁"));
}

TEST(AreaCode, PrefectureNamesAreDropped) {
  AreaOptions o = AllRegions(AreaLevel::Prefecture);
  o.groups[kKeyGroup].dropPrefectureName = true;
  EXPECT_EQ(Conversion(o).Qth(U8("横浜市保土ケ谷区 常盤台")), Result(U8("常盤台"), 0));
  // With a key region, only its name is dropped in the key group.
  AreaOptions key;
  SelectKeyRegion(&key, 11);
  key.groups[kKeyGroup] = {AreaLevel::Prefecture, false, false, true};
  key.groups[kOtherGroup] = {AreaLevel::Prefecture, false, false, true};
  Conversion k(key);
  EXPECT_EQ(k.Qth(U8("横須賀市 ｸﾘﾊﾏ")), Result(U8("ｸﾘﾊﾏ"), 0));
  EXPECT_EQ(k.Qth(U8("川越市 ｶﾜｺﾞｴ")), Result(U8("ｶﾜｺﾞｴ"), 0));
  AreaOptions keep = key;
  keep.groups[kOtherGroup].dropPrefectureName = false;
  EXPECT_EQ(Conversion(keep).Qth(U8("川越市")), Result(U8("埼玉県"), 0));
}

TEST(AreaOptions, TheWindowRules) {
  AreaOptions o;
  o.groups[kKeyGroup] = {AreaLevel::Town, true, true, true};
  o.groups[kOtherGroup] = {AreaLevel::Prefecture, true, false, true};
  SelectKeyRegion(&o, 0);
  EXPECT_EQ(o.groups[kKeyGroup].level, AreaLevel::AsLogged);
  EXPECT_FALSE(o.groups[kKeyGroup].wardsAsCities);
  EXPECT_FALSE(o.groups[kKeyGroup].dropPrefectureName);
  EXPECT_EQ(o.groups[kOtherGroup].level, AreaLevel::Prefecture);  // disabled, untouched
  EXPECT_FALSE(OtherRegionsEnabled(o));
  EXPECT_FALSE(HokkaidoChoiceOffered(o));
  o.groups[kKeyGroup].level = AreaLevel::Prefecture;
  EXPECT_TRUE(HokkaidoChoiceOffered(o));

  SelectKeyRegion(&o, 13);
  EXPECT_TRUE(OtherRegionsEnabled(o));
  EXPECT_EQ(o.groups[kKeyGroup].level, AreaLevel::AsLogged);
  EXPECT_EQ(o.groups[kOtherGroup].level, AreaLevel::AsLogged);
  EXPECT_FALSE(o.groups[kOtherGroup].wardsAsCities);
  o.groups[kKeyGroup].level = AreaLevel::Prefecture;
  EXPECT_FALSE(HokkaidoChoiceOffered(o));  // Hokkaido is among the others
  o.groups[kOtherGroup].level = AreaLevel::Prefecture;
  EXPECT_TRUE(HokkaidoChoiceOffered(o));
  SelectKeyRegion(&o, 1);
  o.groups[kKeyGroup].level = AreaLevel::Prefecture;
  EXPECT_TRUE(HokkaidoChoiceOffered(o));
}

TEST(AreaCode, ErrorTexts) {
  EXPECT_EQ(AreaErrorText(0), "");
  EXPECT_EQ(AreaErrorText(5), "");
  EXPECT_EQ(AreaErrorText(kAreaLookupFailed), U8("MARQEN.MST 検索エラー"));
  EXPECT_EQ(AreaErrorText(kAreaBadLevel), U8("コードのレベルがおかしい"));
}
