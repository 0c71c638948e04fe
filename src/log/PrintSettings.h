// The print settings of the log sheet, as the print settings window
// ("印刷条件の設定") shows them and "ZOTRAW.INI" keeps them: paper, line spacing, special
// font, files only, the mode in the remarks column, headings, subtotals,
// points, invalid QSOs, the paper check. What the output pass takes from them.
#pragma once

#include "common/gui/PrintSurface.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace zotra {

class Frame;

// The two special fonts a data font may be (exact names, as installed).
inline const QString kHamMinchoLight = QStringLiteral("HAM 明朝 Light");
inline const QString kHamMincho = QStringLiteral("ＨＡＭ 明朝");

// Whether a font of that name is installed (FontInstalled, or a stand-in in tests).
using FontTest = std::function<bool(const QString& name)>;

// The settings keys of the print settings ([ZOTRAL]).
namespace printkey {
inline const QString kJarlPaper = QStringLiteral("JARL用紙");
inline const QString kLineSpacing = QStringLiteral("行間");
inline const QString kFont = QStringLiteral("フォント");
inline const QString kFilesOnly = QStringLiteral("電子ログのみ");
inline const QString kModeInRemarks = QStringLiteral("Rmks に Mode");
inline const QString kHeadings = QStringLiteral("見出し印刷");
inline const QString kSubtotals = QStringLiteral("合計印刷");
inline const QString kPoints = QStringLiteral("得点印刷");
inline const QString kInvalid = QStringLiteral("無効交信の印刷");
inline const QString kPaperCheck = QStringLiteral("用紙のチェック");
}  // namespace printkey

// The items of the line spacing list (mm), and what a stored text shows: one
// of the items as it is, anything else "4.8".
QStringList LineSpacingItems();
QString RestoredLineSpacing(const QString& stored);

// The special font the font check box stands for: "HAM 明朝 Light" when it is
// installed, else "ＨＡＭ 明朝" when that is, else none (the box stays off and
// disabled). Its caption: "HAM 明朝 Light を使用", "HAM 明朝  を使用", or
// "HAM 明朝を使用" with none.
struct SpecialFont {
  QString font;
  QString caption = QStringLiteral("HAM 明朝を使用");
  bool Offered() const { return !font.isEmpty(); }
  bool operator==(const SpecialFont&) const = default;
};
SpecialFont OfferedSpecialFont(const FontTest& installed);
// The caption for one special font.
QString SpecialFontCaption(const QString& font);

struct PrintSettings {
  bool jarlPaper = true;                      // option1 "JARL 用紙"; else Option2, blank paper
  QString lineSpacing = QStringLiteral("5.0");  // Combo1
  SpecialFont specialFont;                    // what Check2 stands for
  bool specialFontChecked = false;            // Check2
  bool filesOnlyAllowed = false;              // Check3 enabled (the definition asks for an electronic log)
  bool filesOnly = false;                     // Check3 "紙ログは印刷しない"
  bool modeInRemarks = false;                 // Check4 "Rmks に Mode 印刷"
  bool headings = true;                       // xhed
  bool subtotals = true;                      // xoshiri
  bool points = true;                         // xtokuten
  bool omitInvalid = true;                    // Option3 "印刷しない"; else Option4 "取消線付き印刷"
  bool paperCheck = false;                    // Check1

  // The fonts of the sheet: with "ＨＡＭ 明朝" both become it; with
  // "HAM 明朝 Light" only the data font; otherwise both "ＭＳ 明朝".
  QString DataFont() const;
  QString FrameFont() const;
  // The row pitch on blank paper (the line spacing's value).
  double LineSpacing() const;
  bool operator==(const PrintSettings&) const = default;
};

// Restores the settings from "ZOTRAW.INI" as the window does when it loads.
// filesOnlyAllowed: the definition has an entry ending in "電子ログ]" whose
// value begins with "YES"; without it files-only stays off. Without a stored
// paper, blank paper when the default printer is the PDF entry
// (BlankPaperByDefault), else the JARL form.
PrintSettings LoadPrintSettings(const Frame& frame, bool filesOnlyAllowed, const FontTest& installed);
// The same from any reader of keys (key, default) → value; blankByDefault:
// the paper when none is stored.
PrintSettings RestorePrintSettings(const std::function<QString(const QString&, const QString&)>& read,
                                   bool filesOnlyAllowed, const FontTest& installed, bool blankByDefault);

// The stored values: option pairs as "True"/"False" of the first option,
// check boxes as "1"/"0", files-only as "Yes"/"No", the data font's name.
QList<QPair<QString, QString>> StoredPrintSettings(const PrintSettings& settings);
void SavePrintSettings(const Frame& frame, const PrintSettings& settings);

// What the output pass takes from the settings, with the calibration of the
// printer in use.
struct OutputOptions {
  bool jarlPaper = true;
  double lineSpacing = 5.0;  // blank paper only; JARL paper always 5 mm
  bool filesOnly = false;
  bool modeInRemarks = false;
  bool headings = true;
  bool subtotals = true;
  bool points = true;
  bool omitInvalid = true;
  QString frameFont = kMinchoFont;
  QString dataFont = kMinchoFont;
  Calibration calibration;

  // The row pitch: 5 mm on JARL paper, the line spacing on blank paper.
  double RowPitch() const { return jarlPaper ? 5.0 : lineSpacing; }
};
OutputOptions OutputOptionsFor(const PrintSettings& settings, const Calibration& calibration);

}  // namespace zotra
