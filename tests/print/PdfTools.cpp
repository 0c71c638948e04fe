#include "PdfTools.h"

#include "common/gui/PrintSurface.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zotra::test {

namespace {
constexpr double kMmPerPdfPoint = 25.4 / 72.0;
}

const PdfWord* PdfText::Find(const QString& text, int page) const {
  for (const PdfWord& w : words) {
    if (w.text == text && (page == 0 || w.page == page)) return &w;
  }
  return nullptr;
}

QByteArray RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed (poppler-utils installed?): "
                  << process.readAllStandardError().toStdString();
    return {};
  }
  return process.readAllStandardOutput();
}

PdfText ReadPdfText(const QString& pdfPath) {
  PdfText result;
  const QString xml = QString::fromUtf8(RunTool("pdftotext", {"-bbox", pdfPath, "-"}));
  static const QRegularExpression tag(
      R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  for (auto it = tag.globalMatch(xml); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (!m.captured(1).isEmpty()) {
      result.pages.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * kMmPerPdfPoint);
      continue;
    }
    PdfWord w;
    w.page = int(result.pages.size());
    w.xMin = m.captured(3).toDouble() * kMmPerPdfPoint;
    w.yMin = m.captured(4).toDouble() * kMmPerPdfPoint;
    w.xMax = m.captured(5).toDouble() * kMmPerPdfPoint;
    w.yMax = m.captured(6).toDouble() * kMmPerPdfPoint;
    QString text = m.captured(7);
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
    w.text = text;
    result.words.append(w);
  }
  return result;
}

QStringList EmbeddedFonts(const QString& pdfPath) {
  QStringList fonts;
  const QStringList lines = QString::fromUtf8(RunTool("pdffonts", {pdfPath})).split('\n');
  // name, type…, then the columns emb sub uni object ID at the end.
  for (const QString& line : lines.mid(2)) {
    const QStringList f = line.split(' ', Qt::SkipEmptyParts);
    if (f.size() >= 6 && f.at(f.size() - 5) == "yes") fonts.append(f.first());
  }
  return fonts;
}

QImage RenderPdfPage(const QString& pdfPath, int page, int dotsPerInch) {
  QTemporaryDir dir;
  const QString prefix = dir.filePath("page");
  RunTool("pdftoppm", {"-png", "-r", QString::number(dotsPerInch), "-f", QString::number(page), "-l",
                       QString::number(page), "-singlefile", pdfPath, prefix});
  return QImage(prefix + ".png");
}

QStringList DrawSamplePage(PrintSurface& s) {
  const auto U = [](const char* utf8) { return QString::fromUtf8(utf8); };
  s.SetFont(kGothicFont, 12);
  s.Text(12.5, 13, U("ＬＯＧ ＳＨＥＥＴ(ログシート)  ＭＳ ゴシック 12"));
  s.SetFont(kMinchoFont, 16);
  s.Text(65, 25, U("サ マ リ ー シ ー ト  明朝 16"));
  s.SetFont(kMinchoFont, 10);
  s.Text(12.5, 35, U("ＭＳ 明朝 10: 第45回 全日本コンテスト 重複ﾁｪｯｸﾘｽﾄ JA1ABC/1 599 13M"));
  s.SetFont(kGothicFont, 10);
  s.Text(12.5, 41, U("ＭＳ ゴシック 10: 第45回 全日本コンテスト 重複ﾁｪｯｸﾘｽﾄ JA1ABC/1 599 13M"));

  const QStringList names = {U("黒"),  U("青"),   U("緑"),   U("シアン"), U("赤"),     U("マゼンタ"),
                             U("黄"),  U("白"),   U("灰"),   U("明青"),   U("明緑"),   U("明シアン"),
                             U("明赤"), U("明マゼンタ"), U("明黄"), U("明白")};
  for (int i = 0; i < 16; ++i) {
    const double x = 12.5 + (i % 4) * 47;
    const double y = 52 + (i / 4) * 12;
    s.SetPaletteColor(i);
    s.FilledBox(x, y, 10, 8);
    s.SetPaletteColor(0);
    s.Box(x, y, 10, 8);
    s.SetPaletteColor(i == 15 || i == 7 || i == 14 ? 0 : i);
    s.SetFont(kMinchoFont, 10);
    s.Text(x + 12, y + 1, QStringLiteral("%1 ").arg(i) + names.at(i));
  }

  s.SetPaletteColor(0);
  s.SetFont(kMinchoFont, 6);
  double y = 110;
  for (const double dots : {1.0, 2.0, 4.0}) {
    s.SetDrawWidth(dots);
    s.SetLineStyle(LineStyle::Solid);
    s.HorizontalLine(12, y, 191.5);
    s.Text(7, y - 2.5, QStringLiteral("%1").arg(dots));
    s.SetLineStyle(LineStyle::Dotted);
    s.HorizontalLine(12, y + 5, 191.5);
    y += 10;
  }
  // A box of rules as on a log sheet, with a dotted file-number box.
  s.SetDrawWidth(1);
  s.SetLineStyle(LineStyle::Solid);
  s.Box(12, 145, 191.5, 40);
  for (double x : {42.0, 77.0, 109.0, 142.5, 162.5, 172.5, 187.5}) s.VerticalLine(x, 145, 40);
  s.SetLineStyle(LineStyle::Dotted);
  for (int k = 1; k < 8; ++k) s.HorizontalLine(12, 145 + 5 * k, 191.5);
  s.Box(163, 195, 30, 8.5);
  s.SetLineStyle(LineStyle::Solid);
  // Twips, as the duplicate list counts.
  s.SetFont(kMinchoFont, 10);
  s.Text(TwipsToMm(1134), TwipsToMm(215 * 56.7), U("twips 1134, 12190: 20 mm, 215 mm"));
  // Shrinking into a 14 mm column, as the operator column does.
  s.SetFont(kMinchoFont, 8);
  const QString op = U("JA1ZZZ/JH1XYZ");
  s.ShrinkFontWhile(op, [](double w, double size) { return w >= 14 && size > 5; });
  s.Box(172.5, 225, 15, 5);
  s.TextCentred(180, 226, op);
  return names;
}

}  // namespace zotra::test
