#include "common/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zotra;

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray b;
  for (int v : values) b.append(static_cast<char>(v));
  return b;
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

// Every character of the Japanese code page, NEC and IBM extensions included,
// comes back as itself after a trip through Unicode. Codes that CP932 holds
// twice (NEC-selected IBM extensions, NEC row 13 duplicates of JIS symbols)
// decode to one character, which is written with its preferred code.
TEST(Cp932Codec, EveryCharacterConvertsBothWays) {
  int characters = 0;
  auto check = [&](const QByteArray& code) {
    const QString decoded = DecodeCp932(code);
    ASSERT_EQ(decoded.size(), 1) << code.toHex().toStdString();
    ASSERT_NE(decoded.at(0).unicode(), 0xFFFD) << code.toHex().toStdString();
    bool lossy = false;
    const QByteArray encoded = EncodeCp932(decoded, &lossy);
    ASSERT_FALSE(lossy) << code.toHex().toStdString();
    ASSERT_EQ(DecodeCp932(encoded), decoded) << code.toHex().toStdString();
    ASSERT_EQ(Cp932Length(decoded), code.size()) << code.toHex().toStdString();
    ++characters;
  };
  for (int b = 0x20; b < 0x7F; ++b) check(Bytes({b}));
  for (int b = 0xA1; b <= 0xDF; ++b) check(Bytes({b}));
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const QByteArray code = Bytes({lead, trail});
      const QString decoded = DecodeCp932(code);
      if (decoded.size() != 1 || decoded.at(0).unicode() == 0xFFFD) continue;  // unassigned
      check(code);
    }
  }
  // ASCII, half-width katakana, JIS X 0208, NEC row 13, NEC-selected and IBM extensions.
  EXPECT_GT(characters, 7900);
}

TEST(Cp932Codec, ExtensionsAndDuplicatesMapAsWindowsDoes) {
  EXPECT_EQ(DecodeCp932(Bytes({0x87, 0x40})), U("①"));
  EXPECT_EQ(EncodeCp932(U("①")), Bytes({0x87, 0x40}));
  EXPECT_EQ(DecodeCp932(Bytes({0xFB, 0xFC})), U("髙"));
  EXPECT_EQ(EncodeCp932(U("髙")), Bytes({0xFB, 0xFC}));
  EXPECT_EQ(EncodeCp932(U("﨑")), Bytes({0xFA, 0xB1}));
  // NEC-selected IBM extension: decodes, and is written as the IBM code.
  EXPECT_EQ(DecodeCp932(Bytes({0xED, 0x40})), U("纊"));
  EXPECT_EQ(EncodeCp932(U("纊")), Bytes({0xFA, 0x5C}));
  // NEC row 13 duplicates of JIS symbols are written with the JIS code.
  EXPECT_EQ(DecodeCp932(Bytes({0x87, 0x9A})), U("∵"));
  EXPECT_EQ(EncodeCp932(U("∵")), Bytes({0x81, 0xE6}));
  EXPECT_EQ(EncodeCp932(U("～")), Bytes({0x81, 0x60}));
  EXPECT_EQ(EncodeCp932(U("－")), Bytes({0x81, 0x7C}));
  EXPECT_EQ(EncodeCp932(U("￢")), Bytes({0x81, 0xCA}));
  EXPECT_EQ(EncodeCp932(U("＼")), Bytes({0x81, 0x5F}));
  EXPECT_EQ(EncodeCp932(U("\\~")), QByteArray("\\~"));
  EXPECT_EQ(DecodeCp932(QByteArray("\\~")), U("\\~"));
  EXPECT_EQ(EncodeCp932(U("ｱ")), Bytes({0xB1}));
  EXPECT_EQ(EncodeCp932(U("　")), Bytes({0x81, 0x40}));
}

TEST(Cp932Codec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  bool lossy = false;
  EXPECT_EQ(EncodeCp932(U("a😀b"), &lossy), QByteArray("a?b"));
  EXPECT_TRUE(lossy);
  lossy = false;
  EXPECT_EQ(EncodeCp932(U("한글"), &lossy), QByteArray("??"));
  EXPECT_TRUE(lossy);
  lossy = false;
  EXPECT_EQ(EncodeCp932(U("JA1ABC 東京"), &lossy), Bytes({'J', 'A', '1', 'A', 'B', 'C', ' ', 0x93, 0x8C, 0x8B, 0x9E}));
  EXPECT_FALSE(lossy);
  EXPECT_FALSE(IsCp932Encodable(U("é")));
  EXPECT_TRUE(IsCp932Encodable(U("ガｶﾞ①")));
}

TEST(Cp932Codec, UndecodableBytesAreReplacedAndReadingGoesOn) {
  EXPECT_EQ(DecodeCp932(Bytes({'A', 0xFD, 'B'})), U("A\uFFFDB"));
  EXPECT_EQ(DecodeCp932(Bytes({'A', 0xA0, 'B'})), U("A\uFFFDB"));
  const QString truncated = DecodeCp932(Bytes({'A', 0x82}));
  EXPECT_TRUE(truncated.startsWith(QLatin1Char('A')));
  EXPECT_EQ(truncated.size(), 2);
  // A lead byte with a trail that cannot follow it spoils only itself.
  const QString badTrail = DecodeCp932(Bytes({0x82, 0x20, 'X'}));
  EXPECT_TRUE(badTrail.endsWith(U(" X"))) << badTrail.toStdString();
  EXPECT_EQ(DecodeCp932(QByteArray()), QString());
}

TEST(Cp932Length, CountsBytes) {
  EXPECT_EQ(Cp932Length(U("JA1ABC")), 6);
  EXPECT_EQ(Cp932Length(U("東京")), 4);
  EXPECT_EQ(Cp932Length(U("ｶﾞ")), 2);
  EXPECT_EQ(Cp932Length(U("ガ")), 2);
  EXPECT_EQ(Cp932Length(U("😀")), 1);  // written as one "?"
  EXPECT_EQ(Cp932Length(QString()), 0);
}

TEST(FixedField, PadsCutsAndKeepsWholeCharacters) {
  EXPECT_EQ(FixedField(U("ABC"), 5), U("ABC  "));
  EXPECT_EQ(FixedField(U("ABCDEFG"), 3), U("ABC"));
  EXPECT_EQ(FixedField(U("東京都"), 6), U("東京都"));
  // 都 would straddle the end: a blank takes its place.
  EXPECT_EQ(FixedField(U("東京都"), 5), U("東京 "));
  EXPECT_EQ(Cp932Length(FixedField(U("東京都"), 5)), 5);
  EXPECT_EQ(FixedField(U("A東"), 2), U("A "));
  EXPECT_EQ(FixedField(U("7"), 7, Align::Right), U("      7"));
  EXPECT_EQ(FixedField(U("東京都"), 5, Align::Right), U("東京 "));
  EXPECT_EQ(FixedField(QString(), 3), U("   "));
  EXPECT_EQ(FixedField(U("ｶﾞ"), 1), U("ｶ"));
  EXPECT_EQ(LeftBytes(U("東京都"), 5), U("東京"));
}

TEST(WidthConversion, WideJoinsVoicingMarks) {
  EXPECT_EQ(ToWide(U("ｶﾞｷﾞ")), U("ガギ"));
  EXPECT_EQ(ToWide(U("ﾊﾟﾋﾟﾌﾟ")), U("パピプ"));
  EXPECT_EQ(ToWide(U("ｳﾞ")), U("ヴ"));
  EXPECT_EQ(ToWide(U("ﾏﾙﾁｵﾍﾟ")), U("マルチオペ"));
  EXPECT_EQ(ToWide(U("ABC abc/1")), U("ＡＢＣ　ａｂｃ／１"));
  EXPECT_EQ(ToWide(U("ﾞ")), U("゛"));  // a mark with no kana before it
  EXPECT_EQ(ToWide(U("Aﾟ")), U("Ａ゜"));
  EXPECT_EQ(ToWide(U("東京")), U("東京"));
  EXPECT_EQ(ToWide(U("ｰ｡｢｣､･")), U("ー。「」、・"));
  for (QChar c : ToWide(U("!\"#$%&'()*+,-./0123456789:;<=>?@AZ[\\]^_`az{|}~ ｱﾝﾞﾟ"))) {
    EXPECT_TRUE(IsCp932Encodable(QString(c))) << int(c.unicode());
  }
}

TEST(WidthConversion, NarrowSplitsVoicedKana) {
  EXPECT_EQ(ToNarrow(U("ＪＡ１ＡＢＣ")), U("JA1ABC"));
  EXPECT_EQ(ToNarrow(U("ガ")), U("ｶﾞ"));
  EXPECT_EQ(ToNarrow(U("　ａ／")), U(" a/"));
  EXPECT_EQ(ToNarrow(U("東京都ｶ")), U("東京都ｶ"));
  EXPECT_EQ(ToNarrow(U("JA1ABC")), U("JA1ABC"));
}

TEST(WidthConversion, CallSignsGoFullWidthUpperCase) {
  EXPECT_EQ(ToWideCallSign(U("ja1abc/1")), U("ＪＡ１ＡＢＣ／１"));
  EXPECT_EQ(ToWideCallSign(U("JA1-ABC")), U("ＪＡ１-ＡＢＣ"));
  EXPECT_EQ(ToWideCallSign(U("ＪＡ１")), U("ＪＡ１"));
  EXPECT_EQ(ToWideCallSign(U("ｱ")), U("ｱ"));
}

TEST(WidthConversion, OnlyHalfwidthKatakanaRunsAreWidened) {
  EXPECT_EQ(WidenHalfwidthKatakana(U("ｵｰﾙJA ｺﾝﾃｽﾄ")), U("オールJA コンテスト"));
  EXPECT_EQ(WidenHalfwidthKatakana(U("ｶﾞｯｺｳ 1")), U("ガッコウ 1"));
  EXPECT_EQ(WidenHalfwidthKatakana(U("ABC abc")), U("ABC abc"));
  EXPECT_TRUE(IsHalfwidthKatakana(U("｡").at(0)));
  EXPECT_FALSE(IsHalfwidthKatakana(U("ア").at(0)));
}

TEST(StringHelpers, TrimRemovesOnlyBlanks) {
  EXPECT_EQ(TrimBlanks(U("  JA1 ABC  ")), U("JA1 ABC"));
  EXPECT_EQ(TrimBlanks(U("\t13\t")), U("\t13\t"));
  EXPECT_EQ(TrimBlanks(U("　13")), U("　13"));
  EXPECT_EQ(TrimLeftBlanks(U("  a ")), U("a "));
  EXPECT_EQ(TrimRightBlanks(U("  a ")), U("  a"));
  EXPECT_EQ(Upper(U("ja1abc/p ｱ ａ")), U("JA1ABC/P ｱ Ａ"));
}

TEST(StringHelpers, ValReadsTheLeadingNumber) {
  EXPECT_EQ(Val(U("123abc")), 123);
  EXPECT_EQ(Val(U(" 1 2")), 12);
  EXPECT_EQ(Val(U("-3.5")), -3.5);
  EXPECT_EQ(Val(U("+7")), 7);
  EXPECT_EQ(Val(U("")), 0);
  EXPECT_EQ(Val(U("abc")), 0);
  EXPECT_EQ(Val(U("1.9")), 1.9);
  EXPECT_EQ(Val(U("10.1GHz")), 10.1);
  EXPECT_EQ(Val(U("&H1F")), 31);
  EXPECT_EQ(Val(U("1e3")), 1000);
  EXPECT_EQ(Val(U("2e")), 2);
  EXPECT_EQ(Val(U("1.2.3")), 1.2);
  EXPECT_EQ(ValInt(U("2.5")), 2);
  EXPECT_EQ(ValInt(U("3.5")), 4);
  EXPECT_EQ(ValInt(U("-1")), -1);
  EXPECT_EQ(ValInt(U("99999999999")), 2147483647);
}

TEST(StringHelpers, NumbersAsTheFilesWriteThem) {
  EXPECT_EQ(StrNumber(120), U(" 120"));
  EXPECT_EQ(StrNumber(0), U(" 0"));
  EXPECT_EQ(StrNumber(-3), U("-3"));
  EXPECT_EQ(ShortestDecimal(1.9), U("1.9"));
  EXPECT_EQ(ShortestDecimal(7.0), U("7"));
  EXPECT_EQ(ShortestDecimal(0.5), U("0.5"));
  EXPECT_EQ(ShortestDecimal(10125), U("10125"));
  EXPECT_EQ(ShortestDecimal(0.1 + 0.2), U("0.3"));
  EXPECT_EQ(ShortestDecimal(-0.0), U("0"));
  EXPECT_EQ(PadLeft(U("13"), 6, QLatin1Char('0')), U("000013"));
  EXPECT_EQ(PadRight(U("ab"), 4), U("ab  "));
}

TEST(StringHelpers, LinesSplitAtEveryLineEnd) {
  EXPECT_EQ(SplitLines(U("a\r\nb\nc\rd\r\n")), (QStringList{U("a"), U("b"), U("c"), U("d")}));
  EXPECT_EQ(SplitLines(U("a\r\n\r\nb")), (QStringList{U("a"), U(""), U("b")}));
  EXPECT_TRUE(SplitLines(QString()).isEmpty());
  EXPECT_EQ(OneLine(U("a\r\nb\nc")), U("abc"));
}
