// The summary sheet as drawn: every position asserted on the recording
// surface, in the form's millimetres.
#include "SummaryFixture.h"
#include "common/gui/PrintSurface.h"
#include "summary/DefinitionEntries.h"
#include "summary/SummaryJob.h"
#include "summary/SummarySheet.h"

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

constexpr double kExact = 1e-6;

TotalsSnapshot SampleTotals() {
  TotalsSnapshot totals;
  totals.grid.Place({"3.5", " 30", " 12", " 0", " 0", " 60"});
  totals.grid.Place({"7", " 120", " 25", " 0", " 0", " 240"});
  totals.grid.Place({"18", " 5", " 3", " 0", " 0", " 10"});
  totals.grid.Place({"SAT", " 3", " 2", " 0", " 0", " 6"});
  totals.grid.ComputeTotals();
  for (int m = 2; m <= 3; ++m) totals.grid.BlankMultiplier(m);
  totals.coefficientText = "";
  totals.scoreText = "8,904";
  return totals;
}

SummaryDefinition DefinitionOf(const ContestDefinition& d) {
  SummaryFolder f;
  f.Definition(d);
  return ReadSummaryDefinition(DefinitionEntries::FromFile(f.t.File("ZOTRAW.TST")));
}

struct Sheet {
  RecordingSurface s;
  explicit Sheet(const ContestDefinition& d = SampleDefinition(), SummarySheetOptions o = {},
                 const TotalsSnapshot& totals = SampleTotals()) {
    if (!o.today.isValid()) o.today = QDate(2024, 6, 20);
    DrawSummarySheet(s, DefinitionOf(d), totals, o);
    s.EndDocument();
  }
  const PrintCall* Text(const QString& text) const { return s.FindText(text); }
  QList<const PrintCall*> All(const QString& text) const {
    QList<const PrintCall*> out;
    for (const PrintCall& c : s.Calls()) {
      if (c.kind == PrintCall::Kind::Text && c.text == text) out << &c;
    }
    return out;
  }
  const PrintCall* Shape(PrintCall::Kind kind, double x, double y, double x2, double y2) const {
    for (const PrintCall& c : s.Calls()) {
      if (c.kind == kind && qAbs(c.x - x) < 1e-6 && qAbs(c.y - y) < 1e-6 && qAbs(c.x2 - x2) < 1e-6 &&
          qAbs(c.y2 - y2) < 1e-6) {
        return &c;
      }
    }
    return nullptr;
  }
};

#define EXPECT_AT(sheet, text, ex, ey)                     \
  do {                                                     \
    const PrintCall* c_ = (sheet).Text(text);              \
    ASSERT_NE(c_, nullptr) << (text).toStdString();        \
    EXPECT_NEAR(c_->x, ex, kExact) << (text).toStdString(); \
    EXPECT_NEAR(c_->y, ey, kExact) << (text).toStdString(); \
  } while (0)

}  // namespace

TEST(SummarySheet, DataOfTheDefinitionWhereTheFormWantsIt) {
  Sheet sheet;
  EXPECT_AT(sheet, QString("170-8073"), 39, 136);
  EXPECT_AT(sheet, U("東京都豊島区巣鴨1-14-2"), 58, 136);
  EXPECT_AT(sheet, U("JARL会館"), 25, 143);
  EXPECT_AT(sheet, QString("03-5395-3106"), 88, 144);
  EXPECT_AT(sheet, U("日本 太郎"), 80, 151);
  EXPECT_AT(sheet, QString("ja1zlo@example.jp"), 35, 160);
  EXPECT_AT(sheet, U("第一級アマチュア無線技士"), 67, 170);
  EXPECT_AT(sheet, U("１００"), 59, 185);
  EXPECT_AT(sheet, U("千葉県館山市"), 134, 180);
  EXPECT_AT(sheet, U("発動発電機"), 134, 187);
  EXPECT_AT(sheet, QString("10-1-1"), 160, 150);
  EXPECT_AT(sheet, U("ＪＡ１ＺＬＯ／１"), 130, 83);
  EXPECT_AT(sheet, U("電信部門"), 144, 61);
  EXPECT_AT(sheet, QString("Printed by ZOTRA"), 145, 270);
  EXPECT_EQ(sheet.Text("Printed by ZOTRA")->font.size, 7);
  EXPECT_EQ(sheet.Text(U("ＪＡ１ＺＬＯ／１"))->font.size, 15);
  EXPECT_EQ(sheet.Text(U("日本 太郎"))->font.size, 13);
  EXPECT_EQ(sheet.Text(QString("03-5395-3106"))->font.size, 11);

  // A detail wider than 40 mm starts further left.
  const PrintCall* detail = sheet.Text(U("シングルオペ オールバンド"));
  ASSERT_NE(detail, nullptr);
  EXPECT_GT(detail->x2 - detail->x, 40);
  EXPECT_NEAR(detail->x, 142, kExact);
  EXPECT_NEAR(detail->y, 66, kExact);

  // Centred texts.
  const PrintCall* name = sheet.Text(U("ALL JA1 コンテスト"));
  ASSERT_NE(name, nullptr);
  EXPECT_NEAR((name->x + name->x2) / 2, 156, kExact);
  EXPECT_NEAR((name->y + name->y2) / 2, 41, kExact);
  EXPECT_EQ(name->font.size, 14);
  const PrintCall* code = sheet.Text("C1MA");
  ASSERT_NE(code, nullptr);
  EXPECT_NEAR((code->x + code->x2) / 2, 130, kExact);
  EXPECT_NEAR(code->y, 66, kExact);
  const PrintCall* club = sheet.Text(U("JARL東京クラブ"));
  ASSERT_NE(club, nullptr);
  EXPECT_NEAR((club->x + club->x2) / 2, 172, kExact);
  EXPECT_NEAR(club->y, 163, kExact);

  // Lines placed by their bottom.
  const QList<QPair<QString, QPointF>> bottoms = {
      {"IC-7610 100W", {32, 205}},
      {"IC-9700", {32, 211}},
      {U("楽しいコンテストでした。"), {30, 231}},
      {U("コンディションが良かった"), {30, 238}},
      {U("また参加します"), {30, 245}},
  };
  for (const auto& [text, at] : bottoms) {
    const PrintCall* c = sheet.Text(text);
    ASSERT_NE(c, nullptr) << text.toStdString();
    EXPECT_NEAR(c->x, at.x(), kExact) << text.toStdString();
    EXPECT_NEAR(c->y2, at.y(), kExact) << text.toStdString();
    EXPECT_EQ(c->color, QColor(Qt::black));
  }

  // Data are black; pre-printed paper gets no form.
  for (const PrintCall& c : sheet.s.Calls()) {
    if (c.kind == PrintCall::Kind::Text) {
      EXPECT_EQ(c.color, QColor(Qt::black)) << c.text.toStdString();
    }
  }
  EXPECT_EQ(sheet.Text(U("コンテスト用")), nullptr);
  EXPECT_EQ(sheet.s.PageCount(), 1);
}

TEST(SummarySheet, BandTableFromTheGrid) {
  ContestDefinition d = SampleDefinition();
  TotalsSnapshot totals = SampleTotals();
  totals.coefficientText = "4";
  Sheet sheet(d, {}, totals);
  auto cell = [&](const QString& text, double right, double top) {
    bool found = false;
    for (const PrintCall* c : sheet.All(text)) {
      if (qAbs(c->x2 - right) < kExact && qAbs(c->y - top) < kExact) found = true;
    }
    EXPECT_TRUE(found) << text.toStdString() << " right " << right << " top " << top;
  };
  cell("30", 57, 39 + 4.8);   // 3.5 MHz, row 2
  cell("60", 81, 39 + 4.8);
  cell("12", 108, 39 + 4.8);  // one multiplier
  cell("120", 57, 39 + 4.8 * 2);
  cell("158", 57, 123.5);     // the total row
  cell("316", 81, 123.5);
  cell("42", 108, 123.5);
  // Labels of the rows the form leaves free.
  const PrintCall* warc = sheet.Text(U("18ＭHz"));
  ASSERT_NE(warc, nullptr);
  EXPECT_NEAR(warc->x2, 38, kExact);
  EXPECT_NEAR(warc->y, 31 + 5 * 14, kExact);
  const PrintCall* sat = sheet.Text("SAT   ");
  ASSERT_NE(sat, nullptr);
  EXPECT_NEAR(sat->y, 31 + 5 * 15, kExact);
  EXPECT_EQ(sheet.Text("3.5MHz"), nullptr);  // pre-printed
  // Coefficient and score.
  const PrintCall* coefficient = sheet.Text("4");
  ASSERT_NE(coefficient, nullptr);
  EXPECT_NEAR((coefficient->x + coefficient->x2) / 2, 125.5, kExact);
  EXPECT_NEAR(coefficient->y, 123, kExact);
  const PrintCall* score = sheet.Text("8,904");
  ASSERT_NE(score, nullptr);
  EXPECT_NEAR((score->x + score->x2) / 2, 162, kExact);
  EXPECT_NEAR(score->y, 122, kExact);
  EXPECT_EQ(score->font.size, 15);
  // No dividers with one multiplier.
  for (const PrintCall& c : sheet.s.Calls()) EXPECT_NE(c.lineStyle, LineStyle::Dotted);
}

TEST(SummarySheet, MultiplierColumnsByTheDefinedMultipliers) {
  TotalsSnapshot totals;
  totals.grid.Place({"7", "10", "1", "2", "3", "10"});
  totals.grid.ComputeTotals();
  struct Case {
    QString m1, m2, m3;
    QList<double> rights;  // of multipliers 1, 2, 3 (0: not printed)
    QList<double> dividers;
  };
  const QList<Case> cases = {
      {"Jcc", "Space", "Pfx", {98.5, 104.5, 111}, {99, 105}},
      {"Jcc", "", "Pfx", {101, 0, 110}, {102}},
      {"", "Edit", "Pfx", {0, 101, 110}, {102}},
      {"", "", "GL", {0, 0, 108}, {}},
  };
  for (const Case& k : cases) {
    ContestDefinition d = SampleDefinition();
    d.multi1 = k.m1;
    d.multi2 = k.m2;
    d.multi3 = k.m3;
    Sheet sheet(d, {}, totals);
    for (int m = 0; m < 3; ++m) {
      const QString value = QString::number(m + 1);
      const PrintCall* c = nullptr;
      for (const PrintCall* t : sheet.All(value)) {
        if (qAbs(t->y - 39 - 4.8 * 2) < kExact) c = t;
      }
      if (k.rights[m] == 0) {
        EXPECT_EQ(c, nullptr) << k.m1.toStdString() << k.m2.toStdString() << k.m3.toStdString() << " " << m;
      } else {
        ASSERT_NE(c, nullptr) << m;
        EXPECT_NEAR(c->x2, k.rights[m], kExact) << m;
      }
    }
    QList<double> dividers;
    for (const PrintCall& c : sheet.s.Calls()) {
      if (c.kind == PrintCall::Kind::Line && c.lineStyle == LineStyle::Dotted) {
        dividers << c.x;
        EXPECT_NEAR(c.y, 39, kExact);
        EXPECT_NEAR(c.y2, 128, kExact);
      }
    }
    EXPECT_EQ(dividers, k.dividers);
  }

  // A figure too wide for a third of the column shrinks, but not below 5 points.
  TotalsSnapshot wide;
  wide.grid.Place({"7", "10", "1234", "99999999", "3", "10"});
  ContestDefinition three = SampleDefinition();
  three.multi2 = "Space";
  three.multi3 = "Pfx";
  Sheet sheet(three, {}, wide);
  const PrintCall* narrow = sheet.Text("1234");
  ASSERT_NE(narrow, nullptr);
  EXPECT_LT(narrow->font.size, 10);
  EXPECT_LE(narrow->x2 - narrow->x, 6);
  EXPECT_GT(narrow->font.size, 5);
  EXPECT_EQ(sheet.Text("99999999")->font.size, 5);
}

TEST(SummarySheet, SponsorNoteAndCategoryRules) {
  {  // The sponsor the form names, the form's own note: nothing over them.
    Sheet sheet;
    EXPECT_EQ(sheet.Text("*******"), nullptr);
    EXPECT_EQ(sheet.Text(QString(38, '*')), nullptr);
  }
  ContestDefinition d = SampleDefinition();
  d.organiser = U("関西アマチュア無線連盟");
  d.markMeaning = U("↑係数");
  d.categoryCode = "XMOPEN-ALLBAND-2024";
  Sheet sheet(d);
  EXPECT_AT(sheet, QString("*******"), 34, 251);
  EXPECT_AT(sheet, U("関西アマチュア無線連盟"), 34, 247);
  EXPECT_EQ(sheet.Text("*******")->font.size, 8);
  EXPECT_AT(sheet, QString(38, '*'), 124, 129);
  EXPECT_EQ(sheet.Text(QString(38, '*'))->font.size, 7);
  EXPECT_AT(sheet, U("↑係数"), 124, 132);
  EXPECT_EQ(sheet.Text(U("↑係数"))->font.size, 7.5);
  // A code wider than 17 mm shrinks in half points down to 6.
  const PrintCall* code = sheet.Text("XMOPEN-ALLBAND-2024");
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->font.size, 6);
  EXPECT_NEAR((code->x + code->x2) / 2, 130, kExact);

  // On blank paper the form's oath already names the sponsor.
  SummarySheetOptions blank;
  blank.blankForm = true;
  Sheet onBlank(d, blank);
  EXPECT_EQ(onBlank.Text("*******"), nullptr);
  const PrintCall* oath = onBlank.Text(SplitOath(OathText(U("関西アマチュア無線連盟"))).at(0));
  ASSERT_NE(oath, nullptr);
  EXPECT_NEAR(oath->x, 23, kExact);
  EXPECT_NEAR(oath->y, 250, kExact);
}

TEST(SummarySheet, CommentOverrideSignatureClubAndLicenceLine) {
  ContestDefinition d = SampleDefinition();
  d.opinion3 = "";
  d.printClub = 0;
  d.licenceDate = U("2023年04月01日");
  d.age = "15";
  SummarySheetOptions options;
  options.commentOverride = U("ステッカー希望");
  Sheet sheet(d, options);
  const PrintCall* override = sheet.Text(U("ステッカー希望"));
  ASSERT_NE(override, nullptr);
  EXPECT_EQ(override->color, PaletteColor(12));
  EXPECT_NEAR(override->x, 30, kExact);
  EXPECT_NEAR(override->y2, 245, kExact);
  // Check4 off: neither the name in the signature line nor the date.
  EXPECT_EQ(sheet.All(U("日本 太郎")).size(), 1);
  for (const PrintCall& c : sheet.s.Calls()) EXPECT_FALSE(c.kind == PrintCall::Kind::Text && qAbs(c.y - 265) < kExact);
  // The club flag off: no club entries.
  EXPECT_EQ(sheet.Text("10-1-1"), nullptr);
  EXPECT_EQ(sheet.Text(U("JARL東京クラブ")), nullptr);
  // The licence date and age on the third equipment line.
  const QString line = U("    局免許年月日 : 2023年04月01日    年齢 : 15");
  EXPECT_EQ(LicenceAndAgeLine(U("2023年04月01日"), "15"), line);
  EXPECT_EQ(LicenceAndAgeLine("", "15"), U("    年齢 : 15"));
  const PrintCall* licence = sheet.Text(line);
  ASSERT_NE(licence, nullptr);
  EXPECT_NEAR(licence->x, 32, kExact);
  EXPECT_NEAR(licence->y2, 217, kExact);

  options.signature = true;
  Sheet signed_(SampleDefinition(), options);
  const QList<const PrintCall*> names = signed_.All(U("日本 太郎"));
  ASSERT_EQ(names.size(), 2);
  EXPECT_NEAR(names[1]->x, 150, kExact);
  EXPECT_NEAR(names[1]->y, 264, kExact);
  EXPECT_EQ(names[1]->font.size, 13);
  EXPECT_AT(signed_, QString("24      06     20"), 35, 265);
  // The override wins over a third comment line of the definition.
  EXPECT_EQ(signed_.Text(U("また参加します")), nullptr);
}

TEST(SummarySheet, PowerCheckMark) {
  Sheet rated;
  ASSERT_NE(rated.Shape(PrintCall::Kind::Line, 90, 182, 91.5, 184), nullptr);
  const PrintCall* second = rated.Shape(PrintCall::Kind::Line, 91.5, 184, 93, 182);
  ASSERT_NE(second, nullptr);
  EXPECT_NEAR(rated.Shape(PrintCall::Kind::Line, 90, 182, 91.5, 184)->lineWidth, 4 * kMmPerDot, kExact);
  EXPECT_NEAR(second->lineWidth, 2 * kMmPerDot, kExact);
  ContestDefinition d = SampleDefinition();
  d.powerKind = U("実測");
  Sheet measured(d);
  EXPECT_NE(measured.Shape(PrintCall::Kind::Line, 90, 186, 91.5, 188), nullptr);
  EXPECT_EQ(measured.Shape(PrintCall::Kind::Line, 90, 182, 91.5, 184), nullptr);
}

TEST(SummarySheet, BlankFormColoursAndLayout) {
  auto formColour = [](const PrintJobSettings& settings) {
    const SummarySheetOptions o = SheetOptionsFor(settings);
    return o.blankForm ? o.formColour : -1;
  };
  PrintJobSettings s;
  s.jarlPaper = true;
  EXPECT_EQ(formColour(s), -1);  // the form is on the paper
  s.preview = true;
  EXPECT_EQ(formColour(s), 11);  // the preview draws it in light cyan
  s.colour = true;
  EXPECT_EQ(formColour(s), 11);
  s.jarlPaper = false;
  EXPECT_EQ(formColour(s), 9);
  s.colour = false;
  EXPECT_EQ(formColour(s), 0);

  SummarySheetOptions options;
  options.blankForm = true;
  options.formColour = 11;
  Sheet sheet(SampleDefinition(), options);
  // The form is drawn first, the data over it in black.
  const QList<PrintCall> calls = sheet.s.Calls();
  int firstData = -1;
  for (int i = 0; i < calls.size(); ++i) {
    if (calls[i].kind == PrintCall::Kind::Text && calls[i].text == U("ALL JA1 コンテスト")) firstData = i;
  }
  ASSERT_GT(firstData, 0);
  for (int i = 0; i < firstData; ++i) {
    if (calls[i].kind == PrintCall::Kind::EndPage) continue;
    EXPECT_EQ(calls[i].color, PaletteColor(11)) << i << " " << calls[i].text.toStdString();
  }
  const PrintCall* heading = sheet.Text(U("コンテスト用"));
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->font.name, kGothicFont);
  EXPECT_EQ(heading->font.size, 12);
  EXPECT_AT(sheet, U("コンテスト用"), 35, 16);
  EXPECT_AT(sheet, U("サ マ リ ー シ ー ト"), 65, 17);
  EXPECT_AT(sheet, U("整理№"), 163, 14);
  EXPECT_AT(sheet, U(" 1.9ＭHz"), 24, 38.5);
  EXPECT_AT(sheet, U("10.1ＧHz"), 24, 38.5 + 4.8 * 12);
  EXPECT_AT(sheet, U("ﾏﾙﾁﾌﾟﾗｲﾔｰ"), 98, 33);
  EXPECT_AT(sheet, QString("TEL:"), 78, 145);
  EXPECT_AT(sheet, U("○"), 188.5, 264.5);
  EXPECT_AT(sheet, U("印"), 189.5, 265.5);
  EXPECT_AT(sheet, U("(連絡先と同一の場合は記入不要)"), 115, 184);
  EXPECT_EQ(sheet.Text(U("(連絡先と同一の場合は記入不要)"))->font.size, 6);
  EXPECT_EQ(sheet.Text(U("ﾏﾙﾁﾌﾟﾗｲﾔｰ"))->font.name, kMinchoFont);

  const PrintCall* fileNumber = sheet.Shape(PrintCall::Kind::Box, 163, 20, 193, 28.5);
  ASSERT_NE(fileNumber, nullptr);
  EXPECT_EQ(fileNumber->lineStyle, LineStyle::Dotted);
  EXPECT_NE(sheet.Shape(PrintCall::Kind::Box, 19, 30, 116, 119.6), nullptr);  // the band table
  EXPECT_NE(sheet.Shape(PrintCall::Kind::Box, 140, 119, 193, 128), nullptr);  // total score
  EXPECT_NE(sheet.Shape(PrintCall::Kind::Box, 121.5, 119, 130.5, 128), nullptr);  // coefficient
  EXPECT_NE(sheet.Shape(PrintCall::Kind::Box, 137, 147, 194, 171), nullptr);  // registered club
  EXPECT_NE(sheet.Shape(PrintCall::Kind::Line, 133, 269, 187, 269), nullptr);  // signature rule
  EXPECT_NE(sheet.Shape(PrintCall::Kind::Line, 29, 218, 194, 218), nullptr);
  // Row rules 4.8 apart.
  for (int i = 0; i < 17; ++i) {
    EXPECT_NE(sheet.Shape(PrintCall::Kind::Line, 19, 38 + 4.8 * i, 116, 38 + 4.8 * i), nullptr) << i;
  }
  // The text fits inside the frame it heads.
  EXPECT_LT(sheet.Text(U("ﾏﾙﾁﾌﾟﾗｲﾔｰ"))->x2, 116);
}

TEST(SummarySheet, OathSplitAndScoreFit) {
  const QString oath = OathText("JARL");
  EXPECT_TRUE(oath.startsWith(U("私は、JARL制定のコンテスト規約")));
  const QStringList lines = SplitOath(oath);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines.join(""), oath);
  const PrintFont font{kMinchoFont, 9};
  EXPECT_GE(MeasureTextWidth(font, lines[0]), 162);
  EXPECT_LT(MeasureTextWidth(font, lines[0].chopped(1)), 162);
  EXPECT_EQ(SplitOath(U("私は、")), (QStringList{U("私は、"), ""}));

  TotalsSnapshot totals = SampleTotals();
  totals.scoreText = "922,337,203,685,477";
  Sheet sheet(SampleDefinition(), {}, totals);
  const PrintCall* score = sheet.Text("922,337,203,685,477");
  ASSERT_NE(score, nullptr);
  EXPECT_LT(score->x2 - score->x, 50);
  EXPECT_LT(score->font.size, 15);
  EXPECT_EQ(std::fmod(score->font.size, 1.0), 0);
  // A score typed by hand without separators is printed with them.
  totals.scoreText = "12345";
  EXPECT_NE(Sheet(SampleDefinition(), {}, totals).Text("12,345"), nullptr);
  totals.scoreText = "0";
  Sheet zero(SampleDefinition(), {}, totals);
  for (const PrintCall& c : zero.s.Calls()) EXPECT_FALSE(c.kind == PrintCall::Kind::Text && c.y == 122);
}

TEST(SummarySheet, MissingEntriesLeaveTheirPlacesEmpty) {
  SummaryFolder f;
  f.t.WriteCp932("ZOTRAW.TST", U("\"ZOTRAW\",\"Ver4.0\"\r\n\"MyCall\",\"JA1ABC\"\r\n"));
  const SummaryDefinition d = ReadSummaryDefinition(DefinitionEntries::FromFile(f.t.File("ZOTRAW.TST")));
  EXPECT_EQ(d.MultiplierCount(), 0);
  EXPECT_FALSE(d.sponsor.has_value());
  EXPECT_FALSE(d.powerKind.has_value());
  RecordingSurface s;
  FillInSummary(s, d, SampleTotals(), {});
  QStringList texts;
  for (const PrintCall& c : s.Texts()) texts << c.text;
  // The call sign, the band table without multipliers, the score, the footer.
  EXPECT_EQ(texts, (QStringList{U("ＪＡ１ＡＢＣ"), U("18ＭHz"), "SAT   ", "30", "60", "120", "240", "5", "10", "3",
                                "6", "158", "316", "8,904", "Printed by ZOTRA"}));
  for (const PrintCall& c : s.Calls()) EXPECT_NE(c.kind, PrintCall::Kind::Line);
}
