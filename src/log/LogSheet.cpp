#include "LogSheet.h"

#include "common/Text.h"
#include "common/gui/PrintSurface.h"

namespace zotra {
namespace {

const QColor kBlack(Qt::black);
const QColor kRed(255, 0, 0);

// Column rules of the form and the text of a count pair ("12/340").
constexpr double kColumnRules[] = {12, 42, 77, 109, 142.5, 162.5, 172.5, 187.5, 203.5};
constexpr double kFormLeft = 12;
constexpr double kFormWidth = 191.5;

QString Pair(qint64 sheet, qint64 soFar) { return QString::number(sheet) + QLatin1Char('/') + QString::number(soFar); }

}  // namespace

QString LogSheetDocumentName() { return QStringLiteral("ログシート"); }

QString LogSheetPdfFileName(const QString& bandSelection) {
  return QStringLiteral("ログシート_") + bandSelection + QStringLiteral(".pdf");
}

PrintedRows PreScan(const QsoTable& table, const LogDefinition& definition, bool omitInvalid) {
  PrintedRows printed;
  printed.rows.reserve(static_cast<size_t>(table.RowCount()));
  for (int i = 0; i < 3; ++i) printed.multiUsed[static_cast<size_t>(i)] = definition.MultiplierUsed(i + 1);
  for (int r = 1; r <= table.RowCount(); ++r) {
    if (omitInvalid && !table.IsValid(r)) continue;
    printed.rows.push_back(r);
    printed.longestSent = qMax(printed.longestSent, Cp932LengthOf(table.Field(r, col::kSent)));
    printed.longestReceived = qMax(printed.longestReceived, Cp932LengthOf(table.Field(r, col::kReceived)));
    for (int i = 0; i < 3; ++i) {
      if (!definition.MultiplierUsed(i + 1)) continue;
      printed.longestMulti[static_cast<size_t>(i)] =
          qMax(printed.longestMulti[static_cast<size_t>(i)], Cp932LengthOf(table.Field(r, col::kMulti1 + i)));
    }
  }
  return printed;
}

SheetColumns FitColumns(PrintSurface& s, const QString& frameFont, const PrintedRows& printed) {
  SheetColumns c;
  // The size at which a run of n "8"s is no wider than the limit (at least 6
  // points), and the run's width there.
  auto fit = [&s, &frameFont](int n, double limit, double* size) {
    const QString run(n, QLatin1Char('8'));
    s.SetFont(frameFont, 10);
    *size = s.ShrinkFontWhile(run, [limit](double width, double points) { return width > limit && points > 6; });
    return s.TextWidth(run);
  };
  double width = fit(printed.longestSent, 35, &c.sentSize);
  c.sentX = (32 - width) / 2 + 80;
  width = fit(printed.longestReceived, 32, &c.receivedSize);
  c.receivedX = (32 - width) / 2 + 112;

  c.multiLongest = printed.longestMulti;
  // A used multiplier counts even when all its cells are empty: the rows
  // still put its two blanks before the next one.
  int m = 0;
  bool first = true;
  for (size_t i = 0; i < 3; ++i) {
    if (!printed.multiUsed[i]) continue;
    m += (first ? 0 : 2) + printed.longestMulti[i];
    first = false;
  }
  width = fit(m, 18, &c.multiSize);
  c.multiX = width >= 20 ? 141 : (20 - width) / 2 + 142;
  return c;
}

bool AsksSurvivalMode(const LogDefinition& definition) {
  const QString mark = QStringLiteral("泉州");
  if (definition.contestName.size() <= 1) return false;
  if (definition.contestName.contains(mark)) return true;
  return definition.organiser.size() > 1 && definition.organiser.contains(mark);
}

LogSheetPainter::LogSheetPainter(PrintSurface& surface, const LogSession& session, const OutputOptions& options,
                                 const SheetColumns& columns)
    : s_(surface), session_(session), options_(options), columns_(columns), pitch_(options.RowPitch()) {}

double LogSheetPainter::RowTextY(int k) {
  s_.SetFont(options_.dataFont, 10);
  return 33 + k * pitch_ - s_.TextHeight();
}

void LogSheetPainter::DrawForm(const QColor& colour) {
  PrintSurface& s = s_;
  const double p = pitch_;
  s.SetColor(colour);
  s.SetLineStyle(LineStyle::Solid);
  if (options_.headings) {
    s.SetFont(kGothicFont, 12);
    s.Text(12.5, 13, QStringLiteral("ＬＯＧ ＳＨＥＥＴ(ログシート)"));
    s.SetFont(options_.frameFont, 10);
    s.Text(86, 14, QStringLiteral("Year(年)"));
    s.HorizontalLine(104, 18, 25);
    s.HorizontalLine(135, 18, 53);
    s.Text(190, 14, QStringLiteral("Contest"));
    s.SetFontSize(11);
    s.Text(12.5, 20, QStringLiteral("Callsign(ｺｰﾙｻｲﾝ)"));
    s.HorizontalLine(44, 23, 40);
    s.Text(87, 20, QStringLiteral("Band(ﾊﾞﾝﾄﾞ)"));
    s.HorizontalLine(107, 23, 23);
    s.Text(131, 20, QStringLiteral("MHz."));
    s.Text(145, 20, QStringLiteral("Sheet No.(ｼｰﾄﾅﾝﾊﾞｰ)"));
    s.HorizontalLine(185, 23, 20);
  }

  // Header rules and column headings.
  s.HorizontalLine(kFormLeft, 24, kFormWidth);
  s.SetLineStyle(LineStyle::Dotted);
  s.HorizontalLine(kFormLeft, 28.5, kFormWidth);
  s.SetLineStyle(LineStyle::Solid);
  s.HorizontalLine(kFormLeft, 33, kFormWidth);
  s.SetFont(options_.frameFont, 9);
  const struct {
    double x, y;
    const char16_t* text;
  } headings[] = {
      {14, 25, u"Date Time  UTC"}, {14, 29, u"月日 時分  JST"}, {49, 25, u"Station Wkd"}, {50, 29, u"交 信 局"},
      {86, 25, u"Exchange(コンテストナンバー)"}, {83, 29, u"Sent(送信)"}, {113, 29, u"Received(受信)"},
      {148, 25, u"Multi."}, {147, 29, u"マルチ"}, {164, 25, u"Pts."}, {164, 29, u"得点"}, {177, 25, u"Op."},
      {175, 29, u"運用者"},
  };
  for (const auto& h : headings) s.Text(h.x, h.y, QString::fromUtf16(h.text));
  if (options_.modeInRemarks && !options_.filesOnly) {
    s.Text(191, 25, QStringLiteral("Mode"));
  } else {
    s.Text(191, 25, QStringLiteral("Rmks"));
    s.Text(192, 29, QStringLiteral("備考"));
  }

  // Row rules: dotted, every tenth solid and numbered.
  for (int k = 1; k <= kRowsPerSheet; ++k) {
    const double y = 33 + k * p;
    const bool tenth = k % 10 == 0;
    s.SetLineStyle(tenth ? LineStyle::Solid : LineStyle::Dotted);
    s.HorizontalLine(kFormLeft, y, kFormWidth);
    if (tenth) {
      s.SetFont(options_.frameFont, 6);
      s.Text(7, y - 1.5, QString::number(k));
    }
  }
  s.SetLineStyle(LineStyle::Solid);
  const double bottom = 33 + kRowsPerSheet * p;
  for (double x : kColumnRules) s.Line(x, 24, x, bottom);

  if (options_.subtotals) {
    for (double x : {42.0, 77.0, 142.5, 162.5, 172.5}) s.VerticalLine(x, bottom, p);
    s.HorizontalLine(42, 33 + (kRowsPerSheet + 1) * p, 35);
    s.HorizontalLine(142.5, 33 + (kRowsPerSheet + 1) * p, 30);
    s.SetFont(options_.frameFont, 9);
    s.Text(20, 35 + kRowsPerSheet * p, QStringLiteral("Total(合計)"));
    s.Text(120, 35 + kRowsPerSheet * p, QStringLiteral("Total(合計)"));
  }
}

void LogSheetPainter::DrawHeading(int sheet, int sheets) {
  PrintSurface& s = s_;
  const LogDefinition& d = session_.definition;
  s.SetColor(kBlack);
  s.SetFont(options_.frameFont, 12);
  s.Text(110, 17 - s.TextHeight(), d.yearFull);

  s.SetFontSize(10);
  const double width = s.TextWidth(d.contestName);
  s.Text(width > 50 ? 135 : 135 + (50 - width) / 2, 17 - s.TextHeight(), d.contestName);

  s.SetFontSize(12);
  const double y = 22.5 - s.TextHeight();
  s.Text(50, y, ToWideCallSign(d.myCall));
  const QString selection = session_.BandSelection();
  if (Upper(selection) == QLatin1String("SAT")) {
    s.Text(110, y, QStringLiteral("サテライト"));
  } else if (Upper(selection) == QLatin1String("ALL")) {
    s.Text(110, y, QStringLiteral("All Band"));
  } else {
    s.Text(115, y, selection);
  }

  s.SetFontSize(10);
  s.Text(187, 22.5 - s.TextHeight(), QString::number(sheet) + QStringLiteral(" of ") + QString::number(sheets));
}

void LogSheetPainter::DrawTimeMark() {
  s_.SetColor(kBlack);
  s_.SetFont(options_.frameFont, 10);
  s_.Text(31, session_.definition.jst ? 25 : 29.5, QStringLiteral("****"));
}

void LogSheetPainter::DrawRow(int k, int row, bool red) {
  PrintSurface& s = s_;
  const QsoTable& t = session_.table;
  const double y = RowTextY(k);  // leaves the data font at 10 points
  s.SetColor(red ? kRed : kBlack);
  auto text = [&s, y](double x, const QString& value) {
    if (!value.isEmpty()) s.Text(x, y, value);
  };
  // Operator and remarks: centred, from 8 points down to 5 until narrower than 14 mm.
  auto narrow = [&s, y, this](double centre, const QString& value) {
    if (value.isEmpty()) return;
    s.SetFont(options_.frameFont, 8);
    s.ShrinkFontWhile(value, [](double width, double size) { return width >= 14 && size > 5; });
    s.TextCentred(centre, y, value);
  };

  text(15, t.Cell(row, col::kDate).mid(5));
  text(30, t.Cell(row, col::kTime));
  s.SetFontSize(9);
  text(47, ToWideCallSign(t.Cell(row, col::kCall)));

  s.SetFont(options_.frameFont, columns_.sentSize);
  text(columns_.sentX, t.Cell(row, col::kSent));
  s.SetFontSize(columns_.receivedSize);
  text(columns_.receivedX, t.Cell(row, col::kReceived));

  if (options_.points) {
    const QString points = t.Cell(row, col::kPoints);
    if (!points.isEmpty()) {
      s.SetFont(options_.dataFont, 10);
      s.TextCentred(167.5, y, points);
    }
  }

  // The multipliers one after another, each followed by blanks up to its
  // column's longest length plus two.
  s.SetFont(options_.frameFont, columns_.multiSize);
  double x = columns_.multiX;
  for (int i = 0; i < 3; ++i) {
    const int longest = columns_.multiLongest[static_cast<size_t>(i)];
    if (!session_.definition.MultiplierUsed(i + 1)) continue;
    const QString value = t.Cell(row, col::kMulti1 + i);
    text(x, value);
    x += s.TextWidth(value + QString(qMax(0, longest + 2 - Cp932Length(value)), QLatin1Char(' ')));
  }

  narrow(180.5, t.Cell(row, col::kOperator));
  narrow(196, t.Cell(row, col::kRemarks));
  if (options_.modeInRemarks && !options_.filesOnly) {
    s.SetFont(options_.frameFont, 9);
    text(191, t.Cell(row, col::kMode));
  }
  s.SetColor(kBlack);
}

void LogSheetPainter::DrawInvalidRow(int k) {
  const double y = RowTextY(k);
  s_.SetColor(kBlack);
  s_.SetLineStyle(LineStyle::Solid);
  s_.HorizontalLine(15, y, 155);
  s_.SetFont(options_.frameFont, 11);
  s_.Text(187, y, QStringLiteral("無効交信"));
}

void LogSheetPainter::DrawSubtotals(const OutputTotals& sheet, const OutputTotals& soFar) {
  PrintSurface& s = s_;
  s.SetColor(kBlack);
  s.SetFont(options_.dataFont, 7);
  const double y = 37 + kRowsPerSheet * pitch_ - s.TextHeight();
  s.Text(55, y, Pair(sheet.qsos, soFar.qsos));

  if (options_.points) {
    const QString points = Pair(sheet.points, soFar.points);
    s.ShrinkFontWhile(points, [](double width, double) { return width >= 11; });
    s.TextCentred(167, y, points);
  }

  QStringList counts;
  for (int i = 0; i < 3; ++i) {
    if (session_.definition.MultiplierUsed(i + 1)) {
      counts << Pair(sheet.multipliers[static_cast<size_t>(i)], soFar.multipliers[static_cast<size_t>(i)]);
    }
  }
  if (!counts.isEmpty()) {
    const QString multipliers = counts.join(QStringLiteral("  "));
    s.SetFontSize(7);
    s.ShrinkFontWhile(multipliers, [](double width, double) { return width > 18; });
    s.Text(143.5 + (18 - s.TextWidth(multipliers)) / 2, y, multipliers);
  }
}

void DrawTestPrint(PrintSurface& s) {
  s.SetColor(kBlack);
  s.SetLineStyle(LineStyle::Solid);
  s.SetFont(kMinchoFont, 16);
  for (double dy : {0.0, 150.0}) {
    s.HorizontalLine(20, 40 + dy, 100);
    s.VerticalLine(60, 20 + dy, 40);
  }
  const QString lines[] = {
      QStringLiteral("上の ＋ 部分が 用紙上端より 40mm 左端より 60mm に"),
      QStringLiteral("なるように 用紙の位置調整を実行します。"),
      QStringLiteral("上下の線の間隔が 150mm でない場合"),
      QStringLiteral("印字倍率も変更してください。"),
  };
  double y = 90;
  for (const QString& line : lines) {
    s.Text(30, y, line);
    y += s.TextHeight();
  }
  s.EndPage();
}

}  // namespace zotra
