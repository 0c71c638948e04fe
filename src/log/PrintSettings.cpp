#include "PrintSettings.h"

#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/Printers.h"

namespace zotra {

QStringList LineSpacingItems() {
  return {QStringLiteral("5.0"), QStringLiteral("4.9"), QStringLiteral("4.8"), QStringLiteral("4.7"),
          QStringLiteral("4.6")};
}

QString RestoredLineSpacing(const QString& stored) {
  return LineSpacingItems().contains(stored) ? stored : QStringLiteral("4.8");
}

QString SpecialFontCaption(const QString& font) {
  if (font == kHamMinchoLight) return QStringLiteral("HAM 明朝 Light を使用");
  if (font == kHamMincho) return QStringLiteral("HAM 明朝  を使用");
  return QStringLiteral("HAM 明朝を使用");
}

SpecialFont OfferedSpecialFont(const FontTest& installed) {
  SpecialFont offered;
  for (const QString& font : {kHamMinchoLight, kHamMincho}) {
    if (installed(font)) {
      offered.font = font;
      break;
    }
  }
  offered.caption = SpecialFontCaption(offered.font);
  return offered;
}

QString PrintSettings::DataFont() const {
  return specialFontChecked && specialFont.Offered() ? specialFont.font : kMinchoFont;
}

QString PrintSettings::FrameFont() const {
  return specialFontChecked && specialFont.font == kHamMincho ? kHamMincho : kMinchoFont;
}

double PrintSettings::LineSpacing() const { return Val(RestoredLineSpacing(lineSpacing)); }

PrintSettings RestorePrintSettings(const std::function<QString(const QString&, const QString&)>& read,
                                   bool filesOnlyAllowed, const FontTest& installed, bool blankByDefault) {
  PrintSettings s;
  const QString paper = blankByDefault ? QStringLiteral("False") : QStringLiteral("TRUE");
  s.jarlPaper = Upper(read(printkey::kJarlPaper, paper)) != QLatin1String("FALSE");
  s.lineSpacing = RestoredLineSpacing(read(printkey::kLineSpacing, QStringLiteral("5.0")));

  // A stored special font that is installed checks the box with its own
  // caption; anything else leaves the data font "ＭＳ 明朝".
  s.specialFont = OfferedSpecialFont(installed);
  const QString font = read(printkey::kFont, kMinchoFont);
  if ((font == kHamMinchoLight || font == kHamMincho) && installed(font)) {
    s.specialFont.font = font;
    s.specialFont.caption = SpecialFontCaption(font);
    s.specialFontChecked = true;
  }

  s.filesOnlyAllowed = filesOnlyAllowed;
  s.filesOnly = filesOnlyAllowed && Upper(read(printkey::kFilesOnly, QStringLiteral("NO"))) == QLatin1String("YES");
  s.modeInRemarks = ValInt(read(printkey::kModeInRemarks, QStringLiteral("0"))) == 1;
  s.headings = read(printkey::kHeadings, QStringLiteral("1")) == QLatin1String("1");
  s.subtotals = read(printkey::kSubtotals, QStringLiteral("1")) == QLatin1String("1");
  s.points = read(printkey::kPoints, QStringLiteral("1")) == QLatin1String("1");
  s.omitInvalid = Upper(read(printkey::kInvalid, QStringLiteral("TRUE"))) != QLatin1String("FALSE");
  s.paperCheck = read(printkey::kPaperCheck, QStringLiteral("0")) != QLatin1String("0");
  return s;
}

PrintSettings LoadPrintSettings(const Frame& frame, bool filesOnlyAllowed, const FontTest& installed) {
  return RestorePrintSettings(
      [&frame](const QString& key, const QString& defaultValue) { return frame.ReadSetting(key, defaultValue); },
      filesOnlyAllowed, installed, BlankPaperByDefault());
}

QList<QPair<QString, QString>> StoredPrintSettings(const PrintSettings& s) {
  auto word = [](bool first) { return first ? QStringLiteral("True") : QStringLiteral("False"); };
  auto check = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
  return {
      {printkey::kJarlPaper, word(s.jarlPaper)},
      {printkey::kLineSpacing, RestoredLineSpacing(s.lineSpacing)},
      {printkey::kFont, s.DataFont()},
      {printkey::kFilesOnly, s.filesOnlyAllowed && s.filesOnly ? QStringLiteral("Yes") : QStringLiteral("No")},
      {printkey::kModeInRemarks, check(s.modeInRemarks)},
      {printkey::kHeadings, check(s.headings)},
      {printkey::kSubtotals, check(s.subtotals)},
      {printkey::kPoints, check(s.points)},
      {printkey::kInvalid, word(s.omitInvalid)},
      {printkey::kPaperCheck, check(s.paperCheck)},
  };
}

void SavePrintSettings(const Frame& frame, const PrintSettings& settings) {
  for (const auto& [key, value] : StoredPrintSettings(settings)) frame.WriteSetting(key, value);
}

OutputOptions OutputOptionsFor(const PrintSettings& settings, const Calibration& calibration) {
  OutputOptions o;
  o.jarlPaper = settings.jarlPaper;
  o.lineSpacing = settings.LineSpacing();
  o.filesOnly = settings.filesOnlyAllowed && settings.filesOnly;
  o.modeInRemarks = settings.modeInRemarks;
  o.headings = settings.headings;
  o.subtotals = settings.subtotals;
  o.points = settings.points;
  o.omitInvalid = settings.omitInvalid;
  o.frameFont = settings.FrameFont();
  o.dataFont = settings.DataFont();
  o.calibration = calibration;
  return o;
}

}  // namespace zotra
