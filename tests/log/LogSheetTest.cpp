// The log sheet on the recording surface: sheets of fifty, the heading
// fields, the rows and their columns, invalid QSOs, subtotals, the survival
// colouring, the blank-paper form, the calibration, and the test print.
#include "LogTestData.h"

#include "common/Text.h"
#include "common/gui/PrintSurface.h"
#include "log/LogSheet.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zotra;
using namespace zotra::test;

namespace {

constexpr double kEps = 1e-6;

QString Record(const QString& number, const QString& sent, const QString& received, const QString& m1,
               const QString& points, const QString& op = {}, const QString& remarks = {},
               const QString& call = QStringLiteral("JA1ABC")) {
  return WorkRecord({number, "7", "CW", "2026/04/29", "09:01", call, sent, received, m1, "", "", points, op, remarks});
}

double H(const QString& font, double size) { return MeasureTextHeight({font, size}); }

struct Sheet {
  TempFolder t;
  RecordingSurface s;
  PassRun run;
  Sheet(const QString& workFile, const OutputOptions& options = {}, const QString& definition = Definition(),
        const QStringList& answers = {}) {
    run = RunPass(s, t.Path(), MakeSession(workFile, definition), options, answers);
    texts = s.Texts();
  }
  QList<PrintCall> texts;  // every text call, kept for the pointers below
  QList<PrintCall> Calls(int page, PrintCall::Kind kind) const {
    QList<PrintCall> out;
    for (const PrintCall& c : s.PageCalls(page)) {
      if (c.kind == kind) out << c;
    }
    return out;
  }
  // The texts of a page drawn at x.
  QList<PrintCall> At(int page, double x) const {
    QList<PrintCall> out;
    for (const PrintCall& c : s.Texts(page)) {
      if (std::abs(c.x - x) < kEps) out << c;
    }
    return out;
  }
  const PrintCall* Text(int page, const QString& text) const {
    for (const PrintCall& c : texts) {
      if (c.page == page && c.text == text) return &c;
    }
    return nullptr;
  }
};

OutputOptions Blank(double spacing = 5.0) {
  OutputOptions o;
  o.jarlPaper = false;
  o.lineSpacing = spacing;
  return o;
}

}  // namespace

TEST(LogSheet, FiftyOneQsosGiveTwoSheets) {
  Sheet sheet(WorkFile("7", ManyQsos(51)));
  EXPECT_EQ(sheet.run.result.sheets, 2);
  EXPECT_EQ(sheet.s.PageCount(), 2);
  EXPECT_EQ(sheet.run.labels, (QStringList{U("印刷準備中"), U("1 of 2 印刷中"), U("2 of 2 印刷中"), U("得点ファイル作成")}));
  const PrintCall* number = sheet.Text(2, "2 of 2");
  ASSERT_NE(number, nullptr);
  EXPECT_NEAR(number->x, 187, kEps);
  EXPECT_NEAR(number->y, 22.5 - H(kMinchoFont, 10), kEps);
  EXPECT_EQ(sheet.At(1, 15).size(), 50);  // dates
  ASSERT_EQ(sheet.At(2, 15).size(), 1);
  EXPECT_NEAR(sheet.At(2, 15).first().y, 33 + 5 - H(kMinchoFont, 10), kEps);
  // Subtotals: this sheet, then so far.
  ASSERT_EQ(sheet.At(1, 55).size(), 1);
  EXPECT_EQ(sheet.At(1, 55).first().text, "50/50");
  EXPECT_EQ(sheet.At(2, 55).first().text, "1/51");
  EXPECT_NEAR(sheet.At(2, 55).first().y, 37 + 50 * 5 - H(kMinchoFont, 7), kEps);
  EXPECT_EQ(sheet.At(2, 55).first().font.size, 7);
}

TEST(LogSheet, HeadingFieldsAndTimeMark) {
  Sheet sheet(WorkFile("7", ManyQsos(3)));
  const double h12 = H(kMinchoFont, 12);
  const PrintCall* year = sheet.Text(1, "2026");
  ASSERT_NE(year, nullptr);
  EXPECT_NEAR(year->x, 110, kEps);
  EXPECT_NEAR(year->y, 17 - h12, kEps);
  const PrintCall* name = sheet.Text(1, "ALL JA1");
  ASSERT_NE(name, nullptr);  // narrower than 50 mm: centred from 135
  EXPECT_NEAR(name->x + (name->x2 - name->x) / 2, 160, kEps);
  const PrintCall* call = sheet.Text(1, U("ＪＡ１ＺＬＯ"));
  ASSERT_NE(call, nullptr);
  EXPECT_NEAR(call->x, 50, kEps);
  EXPECT_NEAR(call->y, 22.5 - h12, kEps);
  const PrintCall* band = sheet.Text(1, "7");
  ASSERT_NE(band, nullptr);
  EXPECT_NEAR(band->x, 115, kEps);
  const PrintCall* mark = sheet.Text(1, "****");
  ASSERT_NE(mark, nullptr);
  EXPECT_NEAR(mark->x, 31, kEps);
  EXPECT_NEAR(mark->y, 25, kEps);  // JST crosses out "UTC"

  // UTC, "SAT", a long contest name, no headings.
  QString definition = Definition("Jcc", "", "", U("第１回 全日本 サテライト通信 記念 長距離 コンテスト"));
  definition.replace("\"JstUtc\",\"Jst\"", "\"JstUtc\",\"Utc\"");
  Sheet sat(WorkFile("SAT", ManyQsos(3, "SAT")), {}, definition);
  EXPECT_NEAR(sat.Text(1, "****")->y, 29.5, kEps);
  ASSERT_NE(sat.Text(1, U("サテライト")), nullptr);
  EXPECT_NEAR(sat.Text(1, U("サテライト"))->x, 110, kEps);
  ASSERT_NE(sat.Text(1, U("第１回 全日本 サテライト通信 記念 長距離")), nullptr);
  EXPECT_NEAR(sat.Text(1, U("第１回 全日本 サテライト通信 記念 長距離"))->x, 135, kEps);
  Sheet all(WorkFile("ALL", ManyQsos(3)));
  EXPECT_NEAR(all.Text(1, "All Band")->x, 110, kEps);
  OutputOptions bare;
  bare.headings = false;
  Sheet none(WorkFile("7", ManyQsos(3)), bare);
  EXPECT_EQ(none.Text(1, "2026"), nullptr);
  EXPECT_EQ(none.Text(1, "1 of 1"), nullptr);
  EXPECT_NE(none.Text(1, "****"), nullptr);
}

TEST(LogSheet, RowColumnsAndTheirFonts) {
  QString definition = Definition("Jcc", "Pfx", "Space");
  const QString work = WorkFile("7", {WorkRecord({"1", "7", "SSB", "2026/04/29", "09:01", "ja1abc/1", "59 13M",
                                                   "59 1305M", "1305", "JA1", "M", "2", "JA1XYZ/ABCDEFGHIJ", U("移動")}),
                                       WorkRecord({"2", "7", "SSB", "2026/04/29", "09:02", "JA2ABC", "59 13M",
                                                   "59 20M", "20", "", "M", "1", "", ""})});
  OutputOptions options;
  options.modeInRemarks = true;
  Sheet sheet(work, options, definition);
  const double y = 33 + 5 - H(kMinchoFont, 10);
  auto text = [&](const QString& t) {
    const PrintCall* c = sheet.Text(1, t);
    EXPECT_NE(c, nullptr) << t.toStdString();
    return c ? *c : PrintCall{};
  };
  EXPECT_NEAR(text("04/29").x, 15, kEps);
  EXPECT_NEAR(text("04/29").y, y, kEps);
  EXPECT_NEAR(text("09:01").x, 30, kEps);
  EXPECT_NEAR(text(U("ＪＡ１ＡＢＣ／１")).x, 47, kEps);
  EXPECT_EQ(text(U("ＪＡ１ＡＢＣ／１")).font.size, 9);
  const PrintCall points = text("2");
  EXPECT_NEAR((points.x + points.x2) / 2, 167.5, kEps);
  EXPECT_EQ(text("SSB").font.size, 9);
  EXPECT_NEAR(text("SSB").x, 191, kEps);
  // The operator shrinks until narrower than 14 mm, not below 5 points.
  const PrintCall op = text("JA1XYZ/ABCDEFGHIJ");
  EXPECT_NEAR((op.x + op.x2) / 2, 180.5, kEps);
  EXPECT_TRUE(op.x2 - op.x < 14 || op.font.size == 5);
  EXPECT_NEAR((text(U("移動")).x + text(U("移動")).x2) / 2, 196, kEps);
  EXPECT_EQ(text(U("移動")).font.size, 8);

  // Multipliers one after another: each followed by blanks up to its
  // longest length plus two (1305: 4 + 2, JA1: 3 + 2).
  const PrintCall m1 = text("1305");
  const PrintCall m2 = text("JA1");
  const PrintCall m3 = sheet.Text(1, "M") ? *sheet.Text(1, "M") : PrintCall{};
  PrintFont f{kMinchoFont, m1.font.size};
  EXPECT_NEAR(m2.x, m1.x + MeasureTextWidth(f, "1305  "), kEps);
  EXPECT_NEAR(m3.x, m2.x + MeasureTextWidth(f, "JA1  "), kEps);
  // M = 4 + 2 + 3 + 2 + 1 = 12 "8"s fitted into 18 mm, centred in 20 mm from 142.
  const double run = MeasureTextWidth(f, QString(12, '8'));
  EXPECT_LE(run, 18);
  EXPECT_NEAR(m1.x, (20 - run) / 2 + 142, kEps);
  // Row 2: multiplier 2 is empty, multiplier 3 still starts after its blanks.
  // (Half-width digits and blanks are equally wide, so both "M"s line up.)
  const QList<PrintCall> ms = sheet.At(1, m1.x + MeasureTextWidth(f, "20    ") + MeasureTextWidth(f, "     "));
  ASSERT_EQ(ms.size(), 2);
  EXPECT_EQ(ms[1].text, "M");
  EXPECT_NEAR(ms[1].y, 33 + 2 * 5 - H(kMinchoFont, 10), kEps);
  // The subtotal of three multipliers, joined by two blanks.
  EXPECT_NE(sheet.Text(1, "2/2  1/1  2/2"), nullptr);
  EXPECT_NE(sheet.Text(1, "3/3"), nullptr);  // points
}

// A used multiplier empty in every row still takes its two blanks in the
// fitting (0 + 2 + 12 + 2 + 3), so the last one ends before the points.
TEST(LogSheet, AnEmptyUsedMultiplierCountsInTheColumnFitting) {
  Sheet sheet(WorkFile("7", {WorkRecord({"1", "7", "CW", "2026/04/29", "09:01", "JA1ABC", "599 13", "599 13", "",
                                         "ABCDEFGHIJKL", "JA1", "1", "", ""})}),
              {}, Definition("Jcc", "Space", "Pfx"));
  ASSERT_NE(sheet.Text(1, "JA1"), nullptr);
  EXPECT_LE(sheet.Text(1, "JA1")->x2, 162.5);
}

TEST(LogSheet, TwentyBytesOfSentExchangeShrinkTheFont) {
  const QString sent = "599 1234567890123456";  // 20 bytes
  ASSERT_EQ(Cp932Length(sent), 20);
  Sheet sheet(WorkFile("7", {Record("1", sent, "599 1M", "1", "1")}));
  const PrintCall* c = sheet.Text(1, sent);
  ASSERT_NE(c, nullptr);
  const double size = c->font.size;
  const double width = MeasureTextWidth({kMinchoFont, size}, QString(20, '8'));
  EXPECT_LE(width, 35);
  EXPECT_LT(size, 10);
  EXPECT_GT(MeasureTextWidth({kMinchoFont, size + 0.5}, QString(20, '8')), 35);
  EXPECT_NEAR(c->x, (32 - width) / 2 + 80, kEps);
  // A short received exchange keeps 10 points and is centred in its column.
  const PrintCall* r = sheet.Text(1, "599 1M");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->font.size, 10);
  EXPECT_NEAR(r->x, (32 - MeasureTextWidth({kMinchoFont, 10}, "888888")) / 2 + 112, kEps);
}

TEST(LogSheet, InvalidQsosLeftOutOrStruckThrough) {
  const QString work = WorkFile("7", {Record("1", "599 13M", "599 1M", "1", "1"), Record("0", "599 13M", "599 2M", "2", "3"),
                                      Record("3", "599 13M", "599 3M", "3", "1")});
  const double h = H(kMinchoFont, 10);
  Sheet omit(work);
  QList<PrintCall> dates = omit.At(1, 15);
  ASSERT_EQ(dates.size(), 2);
  EXPECT_NEAR(dates[1].y, 33 + 2 * 5 - h, kEps);  // the third QSO on sheet row 2
  EXPECT_EQ(omit.Text(1, U("無効交信")), nullptr);
  EXPECT_EQ(omit.At(1, 55).first().text, "2/2");

  OutputOptions strike;
  strike.omitInvalid = false;
  Sheet struck(work, strike);
  dates = struck.At(1, 15);
  ASSERT_EQ(dates.size(), 2);
  EXPECT_NEAR(dates[1].y, 33 + 3 * 5 - h, kEps);
  const PrintCall* mark = struck.Text(1, U("無効交信"));
  ASSERT_NE(mark, nullptr);
  EXPECT_NEAR(mark->x, 187, kEps);
  EXPECT_NEAR(mark->y, 33 + 2 * 5 - h, kEps);
  EXPECT_EQ(mark->font.size, 11);
  const QList<PrintCall> lines = struck.Calls(1, PrintCall::Kind::Line);  // JARL paper: only the strike
  ASSERT_EQ(lines.size(), 1);
  EXPECT_NEAR(lines[0].x, 15, kEps);
  EXPECT_NEAR(lines[0].x2, 170, kEps);
  EXPECT_NEAR(lines[0].y, 33 + 2 * 5 - h, kEps);
  EXPECT_EQ(struck.Text(1, "599 2M"), nullptr);
  EXPECT_EQ(struck.At(1, 55).first().text, "2/2");
  EXPECT_NE(struck.Text(1, "2/2"), nullptr);  // points 1 + 1
}

TEST(LogSheet, SurvivalModeIsAskedForSenshuAndColoursRows) {
  const QString definition = Definition("Jcc", "", "", U("泉州 コンテスト"));
  const QString work = WorkFile("7", {Record("1", "599 13M", "599 1M", "1", "1"), Record("2", "599 13M", "599 2M", "2", "3")});
  Sheet no(work, {}, definition, {"No"});
  EXPECT_EQ(no.run.dialogs, QStringList{U("ZOTRAL|泉州サバイバルモードで印刷しますか")});
  for (const PrintCall& c : no.s.Texts()) EXPECT_EQ(c.color, QColor(Qt::black)) << c.text.toStdString();

  Sheet yes(work, {}, definition, {"Yes"});
  EXPECT_EQ(yes.Text(1, "599 1M")->color, QColor(Qt::black));
  EXPECT_EQ(yes.Text(1, "599 2M")->color, QColor(255, 0, 0));
  EXPECT_EQ(yes.Text(1, "2/2")->color, QColor(Qt::black));

  // The organiser is looked at when the name does not hold it.
  QString byOrganiser = Definition();
  byOrganiser.replace(U("JARL 東京都支部"), U("泉州コンテスト委員会"));
  Sheet organiser(work, {}, byOrganiser);
  EXPECT_EQ(organiser.run.dialogs.size(), 1);
  Sheet other(work);
  EXPECT_TRUE(other.run.dialogs.isEmpty());
}

TEST(LogSheet, JarlPaperDrawsNoFormAndKeepsFiveMillimetres) {
  Sheet jarl(WorkFile("7", ManyQsos(12)), [] {
    OutputOptions o;
    o.lineSpacing = 4.6;
    return o;
  }());
  EXPECT_TRUE(jarl.Calls(1, PrintCall::Kind::Line).isEmpty());
  EXPECT_EQ(jarl.Text(1, U("ＬＯＧ ＳＨＥＥＴ(ログシート)")), nullptr);
  EXPECT_NEAR(jarl.At(1, 15)[11].y, 33 + 12 * 5 - H(kMinchoFont, 10), kEps);

  Sheet blank(WorkFile("7", ManyQsos(12)), Blank(4.6));
  EXPECT_NEAR(blank.At(1, 15)[11].y, 33 + 12 * 4.6 - H(kMinchoFont, 10), kEps);
  EXPECT_NEAR(blank.At(1, 55).first().y, 37 + 50 * 4.6 - H(kMinchoFont, 7), kEps);
}

TEST(LogSheet, BlankPaperForm) {
  Sheet sheet(WorkFile("7", ManyQsos(3)), Blank(4.8));
  const double p = 4.8;
  const QList<PrintCall> lines = sheet.Calls(1, PrintCall::Kind::Line);
  auto hasLine = [&](double x, double y, double x2, double y2, LineStyle style = LineStyle::Solid) {
    for (const PrintCall& c : lines) {
      if (std::abs(c.x - x) < kEps && std::abs(c.y - y) < kEps && std::abs(c.x2 - x2) < kEps &&
          std::abs(c.y2 - y2) < kEps && c.lineStyle == style) {
        return true;
      }
    }
    return false;
  };
  // Heading rules, header rules, row rules, column rules, subtotal boxes.
  EXPECT_TRUE(hasLine(104, 18, 129, 18));
  EXPECT_TRUE(hasLine(135, 18, 188, 18));
  EXPECT_TRUE(hasLine(44, 23, 84, 23));
  EXPECT_TRUE(hasLine(107, 23, 130, 23));
  EXPECT_TRUE(hasLine(185, 23, 205, 23));
  EXPECT_TRUE(hasLine(12, 24, 203.5, 24));
  EXPECT_TRUE(hasLine(12, 28.5, 203.5, 28.5, LineStyle::Dotted));
  EXPECT_TRUE(hasLine(12, 33, 203.5, 33));
  EXPECT_TRUE(hasLine(12, 33 + p, 203.5, 33 + p, LineStyle::Dotted));
  EXPECT_TRUE(hasLine(12, 33 + 10 * p, 203.5, 33 + 10 * p));
  EXPECT_TRUE(hasLine(12, 33 + 50 * p, 203.5, 33 + 50 * p));
  for (double x : {12.0, 42.0, 77.0, 109.0, 142.5, 162.5, 172.5, 187.5, 203.5}) {
    EXPECT_TRUE(hasLine(x, 24, x, 33 + 50 * p)) << x;
  }
  for (double x : {42.0, 77.0, 142.5, 162.5, 172.5}) EXPECT_TRUE(hasLine(x, 33 + 50 * p, x, 33 + 51 * p)) << x;
  EXPECT_TRUE(hasLine(42, 33 + 51 * p, 77, 33 + 51 * p));
  EXPECT_TRUE(hasLine(142.5, 33 + 51 * p, 172.5, 33 + 51 * p));
  EXPECT_EQ(lines.size(), 5 + 3 + 50 + 9 + 5 + 2);

  const struct {
    double x, y;
    const char* text;
    double size;
  } texts[] = {
      {12.5, 13, "ＬＯＧ ＳＨＥＥＴ(ログシート)", 12}, {86, 14, "Year(年)", 10}, {190, 14, "Contest", 10},
      {12.5, 20, "Callsign(ｺｰﾙｻｲﾝ)", 11},            {87, 20, "Band(ﾊﾞﾝﾄﾞ)", 11}, {131, 20, "MHz.", 11},
      {145, 20, "Sheet No.(ｼｰﾄﾅﾝﾊﾞｰ)", 11},          {14, 25, "Date Time  UTC", 9}, {14, 29, "月日 時分  JST", 9},
      {49, 25, "Station Wkd", 9},                    {50, 29, "交 信 局", 9},     {86, 25, "Exchange(コンテストナンバー)", 9},
      {83, 29, "Sent(送信)", 9},                     {113, 29, "Received(受信)", 9}, {148, 25, "Multi.", 9},
      {147, 29, "マルチ", 9},                        {164, 25, "Pts.", 9},        {164, 29, "得点", 9},
      {177, 25, "Op.", 9},                           {175, 29, "運用者", 9},      {191, 25, "Rmks", 9},
      {192, 29, "備考", 9},                          {7, 33 + 10 * p - 1.5, "10", 6}, {7, 33 + 50 * p - 1.5, "50", 6},
      {20, 35 + 50 * p, "Total(合計)", 9},
  };
  for (const auto& e : texts) {
    const PrintCall* c = sheet.Text(1, U(e.text));
    ASSERT_NE(c, nullptr) << e.text;
    EXPECT_NEAR(c->x, e.x, kEps) << e.text;
    EXPECT_NEAR(c->y, e.y, kEps) << e.text;
    EXPECT_EQ(c->font.size, e.size) << e.text;
  }
  EXPECT_EQ(sheet.Text(1, U("ＬＯＧ ＳＨＥＥＴ(ログシート)"))->font.name, kGothicFont);
  EXPECT_EQ(sheet.At(1, 120).size(), 1);  // the second "Total(合計)"

  // Without headings and subtotals: the form's heading and subtotal boxes go.
  OutputOptions bare = Blank(4.8);
  bare.headings = false;
  bare.subtotals = false;
  bare.modeInRemarks = true;
  Sheet plain(WorkFile("7", ManyQsos(3)), bare);
  EXPECT_EQ(plain.Calls(1, PrintCall::Kind::Line).size(), 3 + 50 + 9);
  EXPECT_EQ(plain.Text(1, "Contest"), nullptr);
  EXPECT_EQ(plain.Text(1, U("Total(合計)")), nullptr);
  EXPECT_NE(plain.Text(1, "Mode"), nullptr);
  EXPECT_EQ(plain.Text(1, U("備考")), nullptr);
}

TEST(LogSheet, OffsetsAndScaleMoveEverything) {
  OutputOptions o = Blank(5.0);
  o.calibration = {1.5, -2, 1.05};
  Sheet sheet(WorkFile("7", ManyQsos(3)), o);
  const PrintCall* year = sheet.Text(1, "2026");
  ASSERT_NE(year, nullptr);
  EXPECT_NEAR(year->pageX, (110 + 1.5) * 1.05, kEps);
  EXPECT_NEAR(year->pageY, (year->y - 2) * 1.05, kEps);
  const PrintCall rule = sheet.Calls(1, PrintCall::Kind::Line).first();
  EXPECT_NEAR(rule.pageX2 - rule.pageX, (rule.x2 - rule.x) * 1.05, kEps);
}

TEST(LogSheet, NothingToPrintWritesTheFilesWithoutAPage) {
  Sheet sheet(WorkFile("7", {Record("0", "599 13M", "599 1M", "1", "1")}));
  EXPECT_EQ(sheet.run.result.sheets, 0);
  EXPECT_EQ(sheet.s.PageCount(), 0);
  EXPECT_TRUE(sheet.run.result.filesWritten);
  EXPECT_EQ(sheet.t.ReadBytes("7.JARL"), QByteArray());
}

TEST(TestPrint, CrossesAndInstructions) {
  RecordingSurface s;
  s.SetCalibration({2, 3, 1});
  DrawTestPrint(s);
  const QList<PrintCall> calls = s.PageCalls(1);
  ASSERT_EQ(calls.size(), 8);
  const double expected[4][4] = {{20, 40, 120, 40}, {60, 20, 60, 60}, {20, 190, 120, 190}, {60, 170, 60, 210}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(calls[i].kind, PrintCall::Kind::Line);
    EXPECT_NEAR(calls[i].x, expected[i][0], kEps);
    EXPECT_NEAR(calls[i].y, expected[i][1], kEps);
    EXPECT_NEAR(calls[i].x2, expected[i][2], kEps);
    EXPECT_NEAR(calls[i].y2, expected[i][3], kEps);
  }
  EXPECT_NEAR(calls[0].pageX, 22, kEps);
  const QList<PrintCall> texts = s.Texts(1);
  ASSERT_EQ(texts.size(), 4);
  EXPECT_EQ(texts[0].text, U("上の ＋ 部分が 用紙上端より 40mm 左端より 60mm に"));
  EXPECT_EQ(texts[3].text, U("印字倍率も変更してください。"));
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(texts[i].x, 30, kEps);
    EXPECT_NEAR(texts[i].y, 90 + i * H(kMinchoFont, 16), kEps);
    EXPECT_EQ(texts[i].font, (PrintFont{kMinchoFont, 16}));
  }
  EXPECT_EQ(s.Calls().last().kind, PrintCall::Kind::EndPage);
}
