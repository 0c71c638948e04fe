// The plain-text summary and log, byte for byte: the summary's lines, the
// band table with its labels and the WARC bands, the total line, the personal
// lines and their conditions, the comment block, the band log sheets.
#include "OutputFixture.h"
#include "summary/TextSummary.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

// A text log sheet of one band, as the log program writes it.
QStringList TextLog(const QString& band, const QString& call) {
  return {QString(80, QLatin1Char('=')),
          U("LOG SHEET          2024 年     ALL JA1 コンテスト"),
          "          Call Sign: JA1ZLO/1    Band: " + band + "MHz",
          U("0615  21:05 ") + call.leftJustified(11) + "599 13M"};
}

QString Blanks(int n) { return QString(n, QLatin1Char(' ')); }

// The lines from the personal data to the end, for the sample definition.
QStringList SampleTail(const QString& third) {
  return {U("住所： 170-8073 東京都豊島区巣鴨1-14-2 JARL会館"),
          U("電話番号： 03-5395-3106"),
          U("氏名： 日本 太郎"),
          U("E-Mail： ja1zlo@example.jp"),
          U("無線従事者の資格： 第一級アマチュア無線技士"),
          U("コンテスト中使用した最大空中線電力： 100 W"),
          U("定格出力"),
          U("運用場所： 千葉県館山市"),
          U("使用電源： 発動発電機"),
          U("登録クラブ番号： 10-1-1"),
          U("登録クラブ名： JARL東京クラブ"),
          U("意見"),
          U("楽しいコンテストでした。"),
          U("コンディションが良かった"),
          third,
          "",
          "",
          U("私は、JARL 制定のコンテスト規約及び電波法令にしたがい"),
          U("運用した結果、ここに提出するサマリーシートおよびログシートなどが"),
          U("事実と相違ないものであることを、私の名誉において誓います。"),
          "",
          U("2024/06/20      氏名： 日本 太郎"),
          "",
          ""};
}

}  // namespace

TEST(TextSummary, WholeFileByteForByte) {
  OutputFolder f;
  f.totals.coefficientText = "2";
  f.comment = U("ステッカー希望");
  // 18 MHz holds only multipliers: its line and its log sheet still come.
  // 21 MHz has no value: its line shows zeros, its sheet stays out. 14 MHz
  // has no sheet.
  f.Points({PointsLine("14", 2, 2, 0, 0, 2), PointsLine("7", 3, 3, 0, 0, 3), PointsLine("1.9", 1, 1, 0, 0, 1),
            PointsLine("21", 0, 0, 0, 0, 0), PointsLine("28", 5, 5, 0, 0, 5), PointsLine("18", 0, 2, 0, 0, 0)});
  f.Lines("1.MHz", TextLog("1.9", "JA1AAA"));
  f.Lines("7.MHz", TextLog("7", "JA2BBB"));
  f.Lines("18.MHz", TextLog("18", "JA3CCC"));
  f.Lines("21.MHz", TextLog("21", "JA4DDD"));
  f.Lines(U("サマリー.TXT"), {"left over"});
  const QString path = WriteTextSummary(f.Context());
  EXPECT_EQ(QDir::cleanPath(path), f.t.File(U("JA1ZLO/2024_ALL JA1.Txt")));
  const QStringList expected =
      QStringList{U("サマリー"),
                  "",
                  U("ALL JA1 コンテスト"),
                  "",
                  U("参加部門： C1MA 電信部門 シングルオペ オールバンド"),
                  "",
                  U("コールサイン： JA1ZLO/1"),
                  "",
                  U("バンド       局数   得点 マルチ"),
                  " 1.9 MHz        1      1      1",
                  " 3.5 MHz  " + Blanks(21),
                  "   7 MHz        3      3      3",
                  "  14 MHz        2      2      2",
                  "  21 MHz        0      0       ",
                  "  28 MHz        5      5      5",
                  "  50 MHz  " + Blanks(21),
                  " 144 MHz  " + Blanks(21),
                  " 430 MHz  " + Blanks(21),
                  "1200 MHz  " + Blanks(21),
                  "2400 MHz  " + Blanks(21),
                  "5600 MHz  " + Blanks(21),
                  "  18 MHz        0      0      2",
                  "10.1 GHz  " + Blanks(21),
                  " SAT MHz  " + Blanks(21),
                  U("  Point        11     11     13    局係数 : 2"),
                  "",
                  U("      合計得点   21,200"),
                  "",
                  ""} +
      SampleTail(U("ステッカー希望")) + TextLog("1.9", "JA1AAA") + TextLog("7", "JA2BBB") + TextLog("18", "JA3CCC");
  EXPECT_EQ(f.TextLog(), Cp932Lines(expected));
  EXPECT_TRUE(f.dialogs.Records().isEmpty());
  EXPECT_FALSE(f.t.Exists(U("サマリー.TXT")));
  EXPECT_TRUE(f.TextLog().startsWith("\x83\x54\x83\x7d\x83\x8a\x81\x5b\r\n\r\n"));  // サマリー
}

TEST(TextSummary, ConditionalLines) {
  OutputFolder f;
  ContestDefinition d = SampleDefinition();
  d.operators = "JA1XYZ JA1XYW";
  d.portablePlace = "";
  d.phone = "";
  d.mail = "";
  d.printClub = 0;
  d.opinion1 = d.opinion2 = d.opinion3 = "";
  d.contestName = U("ｵｰﾙJA1 CONTEST");
  f.Definition(d);
  f.club = false;
  f.totals.scoreText = "1,234,567,890";
  f.Points({PointsLine("7", 120, 0, 0, 0, 240), PointsLine("10125", 4, 1, 1, 0, 8)});
  WriteTextSummary(f.Context());
  const QString text = DecodeCp932(f.t.ReadBytes(U("JA1ZLO/2024_ｵｰﾙJA1.Txt")));
  QStringList lines = SplitLines(text);
  EXPECT_EQ(lines.mid(2, 1), QStringList{U("ｵｰﾙJA1 コンテスト")});
  EXPECT_EQ(lines.mid(8, 2), (QStringList{U("オペレータ： JA1XYZ JA1XYW"), ""}));
  // No WARC activity: no 10, 18 or 24 MHz line; a zero multiplier sum stays
  // blank; no coefficient, nothing after the total.
  EXPECT_EQ(lines.mid(10, 17), (QStringList{U("バンド       局数   得点 マルチ"),
                                            " 1.9 MHz  " + Blanks(21),
                                            " 3.5 MHz  " + Blanks(21),
                                            "   7 MHz      120    240       ",
                                            "  14 MHz  " + Blanks(21),
                                            "  21 MHz  " + Blanks(21),
                                            "  28 MHz  " + Blanks(21),
                                            "  50 MHz  " + Blanks(21),
                                            " 144 MHz  " + Blanks(21),
                                            " 430 MHz  " + Blanks(21),
                                            "1200 MHz  " + Blanks(21),
                                            "2400 MHz  " + Blanks(21),
                                            "5600 MHz  " + Blanks(21),
                                            "10.1 GHz        4      8      2",
                                            " SAT MHz  " + Blanks(21),
                                            "  Point       124    248      2",
                                            ""}));
  EXPECT_EQ(lines.at(27), U("      合計得点   1,234,567,890"));
  // No telephone, mail, place (nor its power supply), club or comments.
  EXPECT_EQ(lines.mid(30), (QStringList{U("住所： 170-8073 東京都豊島区巣鴨1-14-2 JARL会館"), U("氏名： 日本 太郎"),
                                        U("無線従事者の資格： 第一級アマチュア無線技士"),
                                        U("コンテスト中使用した最大空中線電力： 100 W"), U("定格出力"), "",
                                        U("私は、JARL 制定のコンテスト規約及び電波法令にしたがい"),
                                        U("運用した結果、ここに提出するサマリーシートおよびログシートなどが"),
                                        U("事実と相違ないものであることを、私の名誉において誓います。"), "",
                                        U("2024/06/20      氏名： 日本 太郎"), "", ""}));
}

TEST(TextSummary, ThirdCommentLineAndMissingPointsFile) {
  OutputFolder f;
  ContestDefinition d = SampleDefinition();
  d.opinion3 = "";
  f.Definition(d);
  f.comment = U("QSL 不要");
  WriteTextSummary(f.Context());
  const QStringList lines = SplitLines(DecodeCp932(f.TextLog()));
  // No points file: every band line empty, the WARC bands left out.
  EXPECT_EQ(lines.at(8), U("バンド       局数   得点 マルチ"));
  EXPECT_EQ(lines.at(9), " 1.9 MHz  " + Blanks(21));
  EXPECT_EQ(lines.at(23), "  Point         0      0      0");
  EXPECT_EQ(lines.mid(38, 4), (QStringList{U("登録クラブ名： JARL東京クラブ"), U("意見"),
                                           U("楽しいコンテストでした。"), U("コンディションが良かった")}));
  EXPECT_EQ(lines.at(42), U("QSL 不要"));
}

TEST(TextSummary, BandLabels) {
  EXPECT_EQ(TextBandLabel("1.9"), " 1.9 MHz  ");
  EXPECT_EQ(TextBandLabel("1200"), "1200 MHz  ");
  EXPECT_EQ(TextBandLabel("10125"), "10.1 GHz  ");
  EXPECT_EQ(TextBandLabel("24000"), "  24 GHz  ");
  EXPECT_EQ(TextBandLabel("47000"), "  47 GHz  ");
  EXPECT_EQ(TextBandLabel("135000"), " 135 GHz  ");
  EXPECT_EQ(TextBandLabel("SAT"), " SAT MHz  ");
}
