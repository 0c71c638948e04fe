#include "SummarySheet.h"

#include "DefinitionEntries.h"
#include "common/NumberFormat.h"
#include "common/Text.h"
#include "common/gui/PrintSurface.h"

namespace zotra {
namespace {

struct FormText {
  double x, y, size;
  const char* text;
};

// The texts of the form, in "ＭＳ 明朝" (the heading "コンテスト用" is drawn
// apart, in "ＭＳ ゴシック").
const FormText kFormTexts[] = {
    {65, 17, 16, "サ マ リ ー シ ー ト"},
    {163, 14, 7, "整理№"},
    {25, 33, 10, "バンド"},
    {45, 33, 10, "交信局数"},
    {75, 33, 10, "得 点"},
    {98, 33, 10, "ﾏﾙﾁﾌﾟﾗｲﾔｰ"},
    {123, 30, 10, "コンテストの名称"},
    {121.5, 49, 10, "参加部門および種目など"},
    {123, 55, 8, "ｺｰﾄﾞﾅﾝﾊﾞｰ"},
    {153, 55, 8, "名          称"},
    {123, 77.5, 10, "コールサイン"},
    {123, 95, 10, "運用者のコールサイン"},
    {123, 99, 8, "（シングルオペで上記と異なる場合）"},
    {140, 115, 10, "総得点"},
    {24, 122, 10, "合  計"},
    {90, 122, 10, "×"},
    {117, 122, 10, "×"},
    {134, 122, 10, "＝"},
    {124, 129, 7.5, "↑フィールドデーコンテストの場合は、局数係数を記入"},
    {20, 137, 10, "連絡先：〒"},
    {78, 145, 10, "TEL:"},
    {20, 153, 10, "局免許者の氏名（社団の名称）:"},
    {20, 160, 10, "E-mail:"},
    {20, 169, 10, "局免許者の無線従事者資格:"},
    {139, 141, 10, "登録クラブ対抗"},
    {137.5, 148, 10, "登録クラブ"},
    {137.5, 151.5, 10, " 番    号"},
    {137.5, 159, 10, "登録クラブ"},
    {137.5, 163, 10, " 名    称"},
    {20, 182, 10, "ｺﾝﾃｽﾄ中使用した"},
    {20, 186, 10, "最大空中線電力:"},
    {81, 186, 10, "Ｗ"},
    {89, 181, 10, "□定格出力"},
    {89, 186, 10, "□実測出力"},
    {114, 180, 10, "運用地  :"},
    {115, 184, 6, "(連絡先と同一の場合は記入不要)"},
    {114, 187, 10, "使用電源:"},
    {20, 194, 10, "使用した設備（リグ名称（自作の場合は終段管名称・個数）、空中線）:"},
    {20, 220, 10,
     "意見（マルチオペ、ゲストオペの場合は、運用者のコールサイン（氏名）および無線従事者の資格を記入する）"},
    {40, 265, 10, "年      月      日        局免許者（社団の代表者）の署名"},
    {188.5, 264.5, 12, "○"},
    {189.5, 265.5, 7, "印"},
};

const char* const kFormBandLabels[] = {" 1.9ＭHz", " 3.5ＭHz", "   7ＭHz", "  14ＭHz", "  21ＭHz",
                                       "  28ＭHz", "  50ＭHz", " 144ＭHz", " 430ＭHz", "1200ＭHz",
                                       "2400ＭHz", "5600ＭHz", "10.1ＧHz"};

// Underline rules: start x, y, length.
const double kFormRules[][3] = {
    {36, 141, 93},   {23, 148, 45},   {88, 148, 44},   {72, 156, 59},   {34, 164, 96},   {65, 174, 65},
    {48, 190, 58},   {133, 184, 60},  {133, 191, 60},  {133, 199, 60},  {29, 206, 165},  {29, 212, 165},
    {29, 218, 165},  {29, 232, 165},  {29, 239, 165},  {29, 246, 165},  {133, 269, 54},
};

// The band table: the frame from (19, 30), 89.6 high: a heading row of 8 mm,
// then 17 band rows 4.8 mm apart; the total row below it down to the foot of
// the score boxes.
constexpr double kTableLeft = 19;
constexpr double kTableRight = 116;
constexpr double kTableTop = 30;
constexpr double kTableHeight = 89.6;
constexpr double kRowPitch = 4.8;
constexpr double kFirstRowTop = kTableTop + kTableHeight - 17 * kRowPitch;  // 38
constexpr double kTotalRowBottom = 128;
const double kTableColumns[] = {42, 68, 94};

// The note the pre-printed form carries under the coefficient has 25
// characters; the definition's own note of another length replaces it.
constexpr int kFormNoteLength = 25;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A text at its top-left corner; an empty one draws nothing.
void Put(PrintSurface& s, double x, double y, const QString& text) {
  if (!text.isEmpty()) s.Text(x, y, text);
}

// Text whose bottom is at y.
void TextAbove(PrintSurface& s, double x, double bottom, const QString& text) {
  s.Text(x, bottom - s.TextHeight(), text);
}

// An equipment or comment line: 10 points, shrunk while wider than 155 mm.
void FittedLine(PrintSurface& s, double x, double bottom, const QString& text) {
  if (text.isEmpty()) return;
  s.SetFontSize(10);
  s.ShrinkFontWhile(text, [](double width, double size) { return width > 155 && size >= 8; });
  TextAbove(s, x, bottom, text);
}

void CheckMark(PrintSurface& s, double x, double y) {
  s.SetDrawWidth(4);
  s.Line(x, y, x + 1.5, y + 2);
  s.SetDrawWidth(2);
  s.Line(x + 1.5, y + 2, x + 3, y);
  s.SetDrawWidth(1);
}

// The right edges and the widest fit of the multiplier cells, by the defined
// multipliers: one centred in the column, two and three side by side.
struct MultiplierLayout {
  std::array<double, 3> right = {0, 0, 0};  // 0: not printed
  double widest = 0;
};

MultiplierLayout LayoutMultipliers(const SummaryDefinition& d) {
  MultiplierLayout layout;
  QList<int> defined;
  for (int i = 0; i < 3; ++i) {
    if (d.multiplierDefined[i]) defined.append(i);
  }
  if (defined.size() == 1) {
    layout.right[defined[0]] = 108;
    layout.widest = 15;
  } else if (defined.size() == 2) {
    layout.right[defined[0]] = 101;
    layout.right[defined[1]] = 110;
    layout.widest = 9;
  } else if (defined.size() == 3) {
    layout.right = {98.5, 104.5, 111};
    layout.widest = 6;
  }
  return layout;
}

void DrawBandTable(PrintSurface& s, const SummaryDefinition& d, const TotalsGrid& grid) {
  s.SetFontSize(10);
  // Labels of the rows the form does not print.
  for (int row = TotalsGrid::kFirstFreeRow; row <= TotalsGrid::kLastBandRow; ++row) {
    const QString& label = grid.Cell(row, TotalsGrid::kLabel);
    if (!label.isEmpty()) s.TextRight(38, 31 + 5 * row, label);
  }
  const int count = d.MultiplierCount();
  s.SetLineStyle(LineStyle::Dotted);
  if (count == 2) {
    s.VerticalLine(102, 39, 89);
  } else if (count == 3) {
    s.VerticalLine(99, 39, 89);
    s.VerticalLine(105, 39, 89);
  }
  s.SetLineStyle(LineStyle::Solid);

  const MultiplierLayout multipliers = LayoutMultipliers(d);
  for (int row = TotalsGrid::kFirstBandRow; row <= TotalsGrid::kTotalRow; ++row) {
    const double top = row == TotalsGrid::kTotalRow ? 123.5 : 39 + 4.8 * (row - 1);
    for (int column = TotalsGrid::kCount; column < TotalsGrid::kColumns; ++column) {
      const QString& cell = grid.Cell(row, column);
      if (cell.isEmpty()) continue;
      s.SetFontSize(10);
      if (column == TotalsGrid::kCount) {
        s.TextRight(57, top, cell);
      } else if (column == TotalsGrid::kPoints) {
        s.TextRight(81, top, cell);
      } else {
        const double right = multipliers.right[column - TotalsGrid::kMulti1];
        if (right == 0) continue;
        const double widest = multipliers.widest;
        // Below 5 points a figure is no longer legible: it stays at 5.
        s.ShrinkFontWhile(cell, [widest](double width, double size) { return width > widest && size > 5; });
        s.TextRight(right, top, cell);
      }
    }
  }
}

void DrawScore(PrintSurface& s, const TotalsSnapshot& totals) {
  s.SetFontSize(10);
  if (!totals.coefficientText.isEmpty()) s.TextCentred(125.5, 123, totals.coefficientText);
  const QString score =
      TrimBlanks(FormatNumber(ScoreDigits(totals.scoreText), QStringLiteral("###,###,###,###")));
  if (score.isEmpty()) return;
  s.SetFontSize(15);
  while (s.TextWidth(score) >= 50 && s.FontSize() > 1) s.SetFontSize(s.FontSize() - 1);
  s.TextCentred(162, 122, score);
}

}  // namespace

int SummaryDefinition::MultiplierCount() const {
  return int(multiplierDefined[0]) + int(multiplierDefined[1]) + int(multiplierDefined[2]);
}

SummaryDefinition ReadSummaryDefinition(const DefinitionEntries& e) {
  auto v = [&](const char* key, int n = 1) { return e.Value(U(key), n); };
  auto optional = [&](const char* key) -> std::optional<QString> {
    if (!e.Has(U(key))) return std::nullopt;
    return e.Value(U(key));
  };
  SummaryDefinition d;
  d.contestName = v("CONTESTNAME");
  d.categoryCode = v("[参加部門]", 1);
  d.categoryName = v("[参加部門]", 2);
  d.categoryDetail = v("[参加部門]", 3);
  d.myCall = v("MYCALL");
  d.operators = v("[OPE]");
  d.postalCode = v("[〒]");
  d.address1 = v("[住所]", 1);
  d.address2 = v("[住所]", 2);
  d.phone = v("[電話]");
  d.name = v("[氏名]");
  d.mail = v("[E-MAIL]");
  d.licenceClass = v("[資格]", 1);
  d.power = v("[資格]", 2);
  d.powerKind = optional("[出力]");
  d.place = v("[移動先]");
  d.powerSupply = v("[電源]");
  d.club = TrimBlanks(v("[C-PRINT]")) == QLatin1String("1");
  d.clubNumber = v("[C-NO]");
  d.clubName = v("[C-NAME]");
  d.rig1 = v("[RIG1]");
  d.rig2 = v("[RIG2]");
  d.comments = {v("[IK1]"), v("[IK2]"), v("[IK3]")};
  d.sponsor = optional("[主催者]");
  d.note = optional("[*内容]");
  d.licenceDate = v("[局免許年月日]");
  d.age = v("[年齢]");
  for (int i = 0; i < 3; ++i) d.multiplierDefined[i] = !e.Value(QStringLiteral("MULTI%1").arg(i + 1)).isEmpty();
  return d;
}

int BlankFormColour(bool jarlPaper, bool colour) {
  if (jarlPaper) return 11;
  return colour ? 9 : 0;
}

QString OathText(const QString& sponsor) {
  return U("私は、") + sponsor +
         U("制定のコンテスト規約および電波法令にしたがい運用した結果、ここに提出するサマリーシートおよび"
           "ログシートなどが事実と相違ないものであることを、私の名誉において誓います。");
}

QStringList SplitOath(const QString& oath) {
  const PrintFont font{kMinchoFont, 9};
  int n = 1;
  while (n < oath.size() && MeasureTextWidth(font, oath.left(n)) < 162) ++n;
  return {oath.left(n), oath.mid(n)};
}

QString LicenceAndAgeLine(const QString& licenceDate, const QString& age) {
  QString line;
  if (!licenceDate.isEmpty()) line += U("    局免許年月日 : ") + licenceDate;
  if (!age.isEmpty()) line += U("    年齢 : ") + age;
  return line;
}

void DrawBlankForm(PrintSurface& s, const SummaryDefinition& d, int colour) {
  s.SetPaletteColor(colour);
  s.SetDrawWidth(1);
  s.SetLineStyle(LineStyle::Solid);
  s.SetFont(kGothicFont, 12);
  s.Text(35, 16, U("コンテスト用"));
  s.SetFontName(kMinchoFont);
  for (const FormText& t : kFormTexts) {
    s.SetFontSize(t.size);
    s.Text(t.x, t.y, U(t.text));
  }
  s.SetFontSize(10);
  for (int i = 0; i < 13; ++i) s.Text(24, 38.5 + 4.8 * i, U(kFormBandLabels[i]));
  s.SetFontSize(9);
  const QStringList oath = SplitOath(OathText(d.sponsor.value_or(QString())));
  s.Text(23, 250, oath.at(0));
  s.Text(20, 254, oath.at(1));

  // The file number box.
  s.SetLineStyle(LineStyle::Dotted);
  s.Box(163, 20, 30, 8.5);
  s.SetLineStyle(LineStyle::Solid);

  // The band table: frame, heading, columns, rows, and the total row.
  s.Box(kTableLeft, kTableTop, kTableRight - kTableLeft, kTableHeight);
  for (double x : kTableColumns) s.VerticalLine(x, kTableTop, kTotalRowBottom - kTableTop);
  for (int i = 0; i < 17; ++i) {
    s.HorizontalLine(kTableLeft, kFirstRowTop + kRowPitch * i, kTableRight - kTableLeft);
  }
  const double totalTop = kTableTop + kTableHeight;
  s.Box(kTableLeft, totalTop, kTableRight - kTableLeft, kTotalRowBottom - totalTop);

  s.Box(121.5, 35, 71, 11);   // contest name
  s.Box(121.5, 53, 71, 20);   // category
  s.HorizontalLine(121.5, 60, 71);
  s.VerticalLine(142, 53, 20);
  s.Box(121.5, 81, 71, 10);   // call sign
  s.Box(121.5, 103, 56, 10);  // operator
  s.Box(140, 119, 53, 9);     // total score
  s.Box(121.5, 119, 9, 9);    // coefficient
  for (const auto& r : kFormRules) s.HorizontalLine(r[0], r[1], r[2]);
  s.Box(137, 147, 57, 24);    // registered club
  s.VerticalLine(156, 147, 24);
  s.HorizontalLine(137, 156, 57);
  s.SetPaletteColor(0);
}

void FillInSummary(PrintSurface& s, const SummaryDefinition& d, const TotalsSnapshot& totals,
                   const SummarySheetOptions& options) {
  s.SetPaletteColor(0);
  s.SetDrawWidth(1);
  s.SetLineStyle(LineStyle::Solid);
  s.SetFont(kMinchoFont, 10);

  if (!d.contestName.isEmpty()) {
    double size = 14;
    for (; size > 8; size -= 1) {
      s.SetFontSize(size);
      if (s.TextWidth(d.contestName) < 67) break;
    }
    s.SetFontSize(size);
    s.TextCentred(156, 41 - s.TextHeight() / 2, d.contestName);
  }
  if (!d.categoryCode.isEmpty()) {
    s.SetFontSize(12);
    s.ShrinkFontWhile(d.categoryCode, [](double width, double size) { return width >= 17 && size > 6; });
    s.TextCentred(130, 66, d.categoryCode);
  }
  s.SetFontSize(8);
  Put(s, 144, 61, d.categoryName);
  s.SetFontSize(10);
  Put(s, s.TextWidth(d.categoryDetail) > 40 ? 142 : 150, 66, d.categoryDetail);

  s.SetFontSize(15);
  Put(s, 130, 83, ToWideCallSign(d.myCall));
  Put(s, 127, 106, ToWideCallSign(d.operators));
  s.SetFontSize(12);
  Put(s, 39, 136, d.postalCode);
  Put(s, 58, 136, d.address1);
  Put(s, 25, 143, d.address2);
  s.SetFontSize(11);
  Put(s, 88, 144, d.phone);
  s.SetFontSize(13);
  Put(s, 80, 151, d.name);
  if (options.signature) Put(s, 150, 264, d.name);
  s.SetFontSize(10);
  Put(s, 35, 160, d.mail);
  Put(s, 67, 170, d.licenceClass);
  s.SetFontSize(12);
  Put(s, 59, 185, ToWideCallSign(d.power));
  if (d.powerKind) CheckMark(s, 90, TrimBlanks(*d.powerKind) == U("定格") ? 182 : 186);
  s.SetFontSize(10);
  Put(s, 134, 180, d.place);
  Put(s, 134, 187, d.powerSupply);

  if (d.club) {
    s.SetFontSize(12);
    Put(s, 160, 150, d.clubNumber);
    if (!d.clubName.isEmpty()) {
      s.ShrinkFontWhile(d.clubName, [](double width, double size) { return width >= 30 && size > 8; });
      s.TextCentred(172, 163, d.clubName);
    }
  }

  FittedLine(s, 32, 205, d.rig1);
  FittedLine(s, 32, 211, d.rig2);
  // The licence date and the age go on the third equipment line, which the
  // form leaves free, so that they never print over the second one.
  FittedLine(s, 32, 217, LicenceAndAgeLine(d.licenceDate, d.age));
  FittedLine(s, 30, 231, d.comments[0]);
  FittedLine(s, 30, 238, d.comments[1]);
  if (options.commentOverride.isEmpty()) {
    FittedLine(s, 30, 245, d.comments[2]);
  } else {
    s.SetPaletteColor(12);
    FittedLine(s, 30, 245, options.commentOverride);
    s.SetPaletteColor(0);
  }

  // Another sponsor than the one the pre-printed oath names.
  if (d.sponsor && TrimBlanks(*d.sponsor) != QLatin1String("JARL") && !options.blankForm) {
    s.SetFontSize(8);
    s.Text(34, 251, QStringLiteral("*******"));
    Put(s, 34, 247, *d.sponsor);
  }
  if (d.note && d.note->size() != kFormNoteLength) {
    s.SetFontSize(7);
    s.Text(124, 129, QString(38, QLatin1Char('*')));
    s.SetFontSize(7.5);
    Put(s, 124, 132, *d.note);
  }

  DrawBandTable(s, d, totals.grid);
  DrawScore(s, totals);
  s.SetFontSize(10);
  if (options.signature) {
    const QDate& t = options.today;
    s.Text(35, 265, t.toString(QStringLiteral("yy")) + QString(6, QLatin1Char(' ')) + t.toString(QStringLiteral("MM")) +
                        QString(5, QLatin1Char(' ')) + t.toString(QStringLiteral("dd")));
  }
  s.SetFontSize(7);
  s.Text(145, 270, QStringLiteral("Printed by ZOTRA"));
}

void DrawSummarySheet(PrintSurface& s, const SummaryDefinition& d, const TotalsSnapshot& totals,
                      const SummarySheetOptions& options) {
  if (options.blankForm) DrawBlankForm(s, d, options.formColour);
  FillInSummary(s, d, totals, options);
}

}  // namespace zotra
