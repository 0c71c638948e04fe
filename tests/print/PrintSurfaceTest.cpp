// The print surface with its recording and measuring back ends: coordinates,
// calibration, measures, fonts, colours, lines and pages.
#include "common/gui/Fonts.h"
#include "common/gui/PrintSurface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zotra;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr double kExact = 1e-9;
const double kPointMm = 25.4 / 72;

}  // namespace

TEST(PrintUnits, TwipsCount567ToTheCentimetre) {
  EXPECT_NEAR(TwipsToMm(567), 10, kExact);
  EXPECT_NEAR(TwipsToMm(1134), 20, kExact);
  EXPECT_NEAR(TwipsToMm(6237), 110, kExact);
  EXPECT_NEAR(TwipsToMm((3.5 + 0.45 * 52) * 567), 3.5 * 10 + 4.5 * 52, 1e-9);
  EXPECT_NEAR(MmToTwips(15), 850.5, kExact);
  EXPECT_NEAR(kMmPerDot * 600, 25.4, kExact);
}

TEST(PrintColours, TheSixteenPaletteColours) {
  const QStringList expected = {"#000000", "#000080", "#008000", "#008080", "#800000", "#800080",
                                "#808000", "#c0c0c0", "#808080", "#0000ff", "#00ff00", "#00ffff",
                                "#ff0000", "#ff00ff", "#ffff00", "#ffffff"};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(PaletteColor(i).name(), expected.at(i)) << i;
  EXPECT_EQ(PaletteColor(16), QColor(Qt::black));
  EXPECT_EQ(PaletteColor(-1), QColor(Qt::black));

  RecordingSurface s;
  s.SetPaletteColor(12);
  s.Text(10, 10, "red");
  s.SetColor(QColor(0x12, 0x34, 0x56));
  s.Line(0, 0, 1, 1);
  s.SetColor(QColor());  // an invalid colour prints black
  s.Box(0, 0, 1, 1);
  EXPECT_EQ(s.Calls().at(0).color, QColor(0xFF, 0, 0));
  EXPECT_EQ(s.Calls().at(1).color, QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(s.Calls().at(2).color, QColor(Qt::black));
}

TEST(PrintFonts, TheDocumentsFontNamesPrintWithTheStandIns) {
  InstallFontSubstitutions();
  EXPECT_EQ(EffectiveFontFamily(kMinchoFont), "IPAMincho");
  EXPECT_EQ(EffectiveFontFamily(kGothicFont), "IPAGothic");
  EXPECT_EQ(PaintFont({kMinchoFont, 10}).family(), "IPAMincho");
  EXPECT_EQ(PaintFont({kGothicFont, 12}).family(), "IPAGothic");
  EXPECT_TRUE(FontInstalled("IPAGothic"));
  EXPECT_FALSE(FontInstalled(kMinchoFont));  // only stood in for
  EXPECT_FALSE(FontInstalled(U("ＨＡＭ 明朝")));
  EXPECT_FALSE(FontInstalled(""));
  // Sized in paint units: 20 to the point.
  EXPECT_EQ(PaintFont({kMinchoFont, 7.5}).pixelSize(), 150);
}

TEST(PrintMeasures, WidthsFollowThePointSizeExactly) {
  // IPA fonts: a full-width character is one em, a digit half an em.
  const PrintFont mincho10{kMinchoFont, 10};
  EXPECT_NEAR(MeasureTextWidth(mincho10, U("重")), 10 * kPointMm, 0.005);
  EXPECT_NEAR(MeasureTextWidth(mincho10, QString(20, '8')), 20 * 5 * kPointMm, 0.01);
  EXPECT_NEAR(MeasureTextWidth({kGothicFont, 12}, U("ＬＯＧ")), 3 * 12 * kPointMm, 0.01);
  EXPECT_EQ(MeasureTextWidth(mincho10, ""), 0);
  // No hinting: the width scales linearly with the size.
  const QString text = U("JA1ABC/1 599 13M ｺﾝﾃｽﾄ");
  for (double size : {6.0, 7.5, 9.5, 12.0}) {
    EXPECT_NEAR(MeasureTextWidth({kMinchoFont, size}, text), MeasureTextWidth({kMinchoFont, 24}, text) * size / 24,
                0.005)
        << size;
  }
  // The text box: ascent plus descent, a little more than the em.
  const double height = MeasureTextHeight(mincho10);
  EXPECT_GT(height, 10 * kPointMm);
  EXPECT_LT(height, 13 * kPointMm);
  EXPECT_GT(MeasureTextAscent(mincho10), 0.7 * height);
  EXPECT_LT(MeasureTextAscent(mincho10), height);
}

TEST(PrintMeasures, EveryBackEndMeasuresAlike) {
  RecordingSurface recording;
  MeasuringSurface pictureBox;
  for (PrintSurface* s : {static_cast<PrintSurface*>(&recording), static_cast<PrintSurface*>(&pictureBox)}) {
    s->SetFont(kGothicFont, 8);
  }
  const QString op = U("JA1ZZZ/JH1XYZ");
  EXPECT_EQ(recording.TextWidth(op), pictureBox.TextWidth(op));
  EXPECT_EQ(recording.TextWidth(op), MeasureTextWidth({kGothicFont, 8}, op));
  EXPECT_EQ(recording.TextHeight(), pictureBox.TextHeight());
  // The picture box draws nothing but keeps count of its pages.
  pictureBox.Text(1, 1, op);
  pictureBox.EndPage();
  pictureBox.Line(0, 0, 1, 1);
  EXPECT_TRUE(pictureBox.EndDocument());
  EXPECT_EQ(pictureBox.PageCount(), 2);
}

TEST(PrintSurface, TextIsPlacedByTheTopLeftCornerOfItsBox) {
  RecordingSurface s;
  s.SetFont(kMinchoFont, 12);
  s.Text(110, 17, "2024");
  ASSERT_EQ(s.Calls().size(), 1);
  const PrintCall& c = s.Calls().at(0);
  EXPECT_EQ(c.kind, PrintCall::Kind::Text);
  EXPECT_EQ(c.page, 1);
  EXPECT_EQ(c.text, "2024");
  EXPECT_EQ(c.font, (PrintFont{kMinchoFont, 12}));
  EXPECT_EQ(c.color, QColor(Qt::black));
  EXPECT_NEAR(c.x, 110, kExact);
  EXPECT_NEAR(c.y, 17, kExact);
  EXPECT_NEAR(c.pageX, 110, kExact);
  EXPECT_NEAR(c.pageY, 17, kExact);
  EXPECT_NEAR(c.x2 - c.x, s.TextWidth("2024"), kExact);
  EXPECT_NEAR(c.y2 - c.y, s.TextHeight(), kExact);

  // Standing on a rule: y minus the height of "h" puts the box's bottom on it.
  s.SetFontSize(10);
  s.Text(15, 38 - s.TextHeight(), "12/01");
  EXPECT_NEAR(s.Calls().last().y2, 38, kExact);

  // Centred and right-aligned texts.
  s.TextCentred(167.5, 40, "10");
  EXPECT_NEAR((s.Calls().last().x + s.Calls().last().x2) / 2, 167.5, kExact);
  s.TextRight(57, 39, "1234");
  EXPECT_NEAR(s.Calls().last().x2, 57, kExact);
}

TEST(PrintSurface, CalibrationMovesAndScalesTheFormButNotItsLetters) {
  RecordingSurface s;
  s.SetCalibration({2.5, -1.5, 1.04});
  s.SetFont(kMinchoFont, 10);
  const double printedWidth = MeasureTextWidth({kMinchoFont, 10}, "JA1ABC");
  s.Text(47, 38, "JA1ABC");
  s.SetDrawWidth(2);
  s.SetLineStyle(LineStyle::Dotted);
  s.HorizontalLine(12, 33 + 5, 191.5);
  s.SetLineStyle(LineStyle::Solid);
  s.Box(121.5, 35, 71, 11);

  const PrintCall& text = s.Calls().at(0);
  EXPECT_NEAR(text.pageX, (47 + 2.5) * 1.04, kExact);
  EXPECT_NEAR(text.pageY, (38 - 1.5) * 1.04, kExact);
  // The letters keep their size on paper; in form units they are narrower.
  EXPECT_NEAR(text.pageX2 - text.pageX, printedWidth, kExact);
  EXPECT_NEAR(text.x2 - text.x, printedWidth / 1.04, kExact);
  EXPECT_NEAR(s.TextWidth("JA1ABC"), printedWidth / 1.04, kExact);

  const PrintCall& rule = s.Calls().at(1);
  EXPECT_EQ(rule.kind, PrintCall::Kind::Line);
  EXPECT_EQ(rule.lineStyle, LineStyle::Dotted);
  EXPECT_NEAR(rule.lineWidth, 2 * 25.4 / 600, kExact);  // pens are not scaled
  EXPECT_NEAR(rule.x, 12, kExact);
  EXPECT_NEAR(rule.x2, 203.5, kExact);
  EXPECT_NEAR(rule.pageX, 14.5 * 1.04, kExact);
  EXPECT_NEAR(rule.pageY, 36.5 * 1.04, kExact);
  EXPECT_NEAR(rule.pageX2 - rule.pageX, 191.5 * 1.04, kExact);  // lengths are

  const PrintCall& box = s.Calls().at(2);
  EXPECT_EQ(box.kind, PrintCall::Kind::Box);
  EXPECT_EQ(box.lineStyle, LineStyle::Solid);
  EXPECT_NEAR(box.pageX, 124 * 1.04, kExact);
  EXPECT_NEAR(box.pageY, 33.5 * 1.04, kExact);
  EXPECT_NEAR(box.pageX2 - box.pageX, 71 * 1.04, kExact);
  EXPECT_NEAR(box.pageY2 - box.pageY, 11 * 1.04, kExact);

  // A centred text stays centred on the scaled form.
  s.TextCentred(180.5, 40, "JA1ZZZ");
  const PrintCall& centred = s.Calls().last();
  EXPECT_NEAR((centred.pageX + centred.pageX2) / 2, (180.5 + 2.5) * 1.04, 1e-9);
}

TEST(PrintSurface, TheScaleStaysWithinItsBounds) {
  RecordingSurface s;
  s.SetCalibration({0, 0, 1.5});
  EXPECT_EQ(s.GetCalibration().scale, 1.1);
  s.SetCalibration({0, 0, 0.5});
  EXPECT_EQ(s.GetCalibration().scale, 0.9);
  s.SetCalibration({1, 2, 0.95});
  EXPECT_EQ(s.GetCalibration(), (Calibration{1, 2, 0.95}));
  EXPECT_EQ(Calibration::ClampScale(std::nan("")), 1);
}

TEST(PrintSurface, FontSizesAndShrinking) {
  RecordingSurface s;
  s.SetFontSize(0.2);
  EXPECT_EQ(s.FontSize(), 1);
  s.SetFontSize(7.53);
  EXPECT_DOUBLE_EQ(s.FontSize(), 7.55);
  s.SetFont({kGothicFont, 11, true, false});
  EXPECT_EQ(s.Font(), (PrintFont{kGothicFont, 11, true, false}));

  // A longest sent exchange of 20 bytes: shrink from 10 while 20 "8"s exceed 35 mm.
  s.SetFont(kMinchoFont, 10);
  const QString eights(20, '8');
  EXPECT_GT(s.TextWidth(eights), 35);
  EXPECT_EQ(s.ShrinkFontWhile(eights, [](double w, double size) { return w > 35 && size - 0.5 >= 6; }), 9.5);
  EXPECT_LE(s.TextWidth(eights), 35);

  // Operator: steps of 0.5, not below 5, until narrower than 14 mm.
  s.SetFontSize(8);
  const QString op = U("JA1ZZZ/JH1XYZ/JR1AAA");
  const double size = s.ShrinkFontWhile(op, [](double w, double sz) { return w >= 14 && sz > 5; });
  EXPECT_EQ(size, 5);
  EXPECT_GE(s.TextWidth(op), 14);  // still too wide: the floor holds

  // The same decision with a scale: measured against the form's column.
  s.SetCalibration({0, 0, 1.1});
  s.SetFontSize(10);
  EXPECT_EQ(s.ShrinkFontWhile(eights, [](double w, double) { return w > 35; }), 10);

  // Never below 1 point, whatever the condition.
  EXPECT_EQ(s.ShrinkFontWhile("x", [](double, double) { return true; }), 1);
  EXPECT_EQ(s.ShrinkFontWhile("x", [](double, double) { return true; }, 0), 1);
}

TEST(PrintSurface, PagesBeginWithTheirFirstDrawing) {
  RecordingSurface s;
  EXPECT_EQ(s.PageCount(), 0);
  s.EndPage();  // nothing drawn: no page
  EXPECT_EQ(s.PageCount(), 0);
  s.Text(1, 1, "a");
  EXPECT_TRUE(s.PageOpen());
  s.EndPage();
  s.EndPage();  // a second end adds no blank page
  s.Line(0, 0, 10, 0);
  s.FilledBox(5, 5, 2, 3);
  EXPECT_EQ(s.PageCount(), 2);
  EXPECT_TRUE(s.EndDocument());
  EXPECT_TRUE(s.Finished());
  EXPECT_TRUE(s.EndDocument());  // again: nothing changes

  using K = PrintCall::Kind;
  QList<K> kinds;
  QList<int> pages;
  for (const PrintCall& c : s.Calls()) {
    kinds.append(c.kind);
    pages.append(c.page);
  }
  EXPECT_EQ(kinds, (QList<K>{K::Text, K::EndPage, K::Line, K::FilledBox, K::EndPage, K::EndDocument}));
  EXPECT_EQ(pages, (QList<int>{1, 1, 2, 2, 2, 2}));
  EXPECT_EQ(s.PageCalls(2).size(), 2);
  EXPECT_EQ(s.Texts().size(), 1);
  EXPECT_EQ(s.Texts(2).size(), 0);
  ASSERT_NE(s.FindText("a"), nullptr);
  EXPECT_EQ(s.FindText("b"), nullptr);

  // Drawing after the end of the document is ignored.
  s.Text(1, 1, "late");
  s.EndPage();
  EXPECT_EQ(s.PageCount(), 2);
  EXPECT_EQ(s.Calls().size(), 6);
}

TEST(PrintSurface, AnEmptyDocumentHasNoPage) {
  RecordingSurface s;
  EXPECT_TRUE(s.EndDocument());
  ASSERT_EQ(s.Calls().size(), 1);
  EXPECT_EQ(s.Calls().at(0).kind, PrintCall::Kind::EndDocument);
  EXPECT_EQ(s.Calls().at(0).page, 0);
}

TEST(PrintSurface, PensAndFilledBoxes) {
  RecordingSurface s;
  EXPECT_NEAR(s.LineWidth(), 25.4 / 600, kExact);  // the thinnest rule
  s.SetDrawWidth(4);
  s.Line(90, 182, 91.5, 184);
  s.SetLineWidth(0.3);
  s.SetPaletteColor(11);
  s.FilledBox(10, 20, 30, -5);  // corners as given
  s.SetLineWidth(-1);
  EXPECT_EQ(s.LineWidth(), 0);

  const PrintCall& stroke = s.Calls().at(0);
  EXPECT_NEAR(stroke.lineWidth, 4 * 25.4 / 600, kExact);
  EXPECT_NEAR(stroke.x2, 91.5, kExact);
  EXPECT_NEAR(stroke.y2, 184, kExact);
  const PrintCall& fill = s.Calls().at(1);
  EXPECT_EQ(fill.kind, PrintCall::Kind::FilledBox);
  EXPECT_EQ(fill.color, PaletteColor(11));
  EXPECT_NEAR(fill.y2, 15, kExact);
}
