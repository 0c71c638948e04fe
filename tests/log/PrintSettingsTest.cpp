// The print settings as kept in "ZOTRAW.INI", the special fonts, the printer
// position table and its file, and the position adjustment steps.
#include "LogTestData.h"

#include "common/Frame.h"
#include "common/Settings.h"
#include "common/gui/Printers.h"
#include "log/PrintSettings.h"
#include "log/PrinterPositions.h"

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

FontTest Installed(const QStringList& fonts) {
  return [fonts](const QString& name) { return fonts.contains(name); };
}

PrintSettings Restore(const QMap<QString, QString>& stored, bool filesOnlyAllowed = true,
                      const QStringList& fonts = {}, bool blankByDefault = false) {
  return RestorePrintSettings(
      [&stored](const QString& key, const QString& defaultValue) { return stored.value(key, defaultValue); },
      filesOnlyAllowed, Installed(fonts), blankByDefault);
}

}  // namespace

TEST(PrintSettings, DefaultsAndStoredValues) {
  const PrintSettings d = Restore({});
  EXPECT_TRUE(d.jarlPaper);
  EXPECT_EQ(d.lineSpacing, "5.0");
  EXPECT_FALSE(d.filesOnly);
  EXPECT_FALSE(d.modeInRemarks);
  EXPECT_TRUE(d.headings && d.subtotals && d.points && d.omitInvalid);
  EXPECT_FALSE(d.paperCheck);
  EXPECT_FALSE(d.specialFont.Offered());
  EXPECT_EQ(d.specialFont.caption, U("HAM 明朝を使用"));
  EXPECT_EQ(StoredPrintSettings(d),
            (QList<QPair<QString, QString>>{{U("JARL用紙"), "True"}, {U("行間"), "5.0"}, {U("フォント"), U("ＭＳ 明朝")},
                                            {U("電子ログのみ"), "No"}, {U("Rmks に Mode"), "0"}, {U("見出し印刷"), "1"},
                                            {U("合計印刷"), "1"}, {U("得点印刷"), "1"}, {U("無効交信の印刷"), "True"},
                                            {U("用紙のチェック"), "0"}}));

  const PrintSettings s = Restore({{U("JARL用紙"), "false"}, {U("行間"), "4.6"}, {U("電子ログのみ"), "yes"},
                                   {U("Rmks に Mode"), "1"}, {U("見出し印刷"), "0"}, {U("合計印刷"), "x"},
                                   {U("得点印刷"), "0"}, {U("無効交信の印刷"), "FALSE"}, {U("用紙のチェック"), "1"}});
  EXPECT_FALSE(s.jarlPaper);
  EXPECT_EQ(s.LineSpacing(), 4.6);
  EXPECT_TRUE(s.filesOnly);
  EXPECT_TRUE(s.modeInRemarks);
  EXPECT_FALSE(s.headings || s.subtotals || s.points || s.omitInvalid);
  EXPECT_TRUE(s.paperCheck);
  EXPECT_EQ(Restore({{U("用紙のチェック"), "2"}}).paperCheck, true);  // anything but "0"
  EXPECT_EQ(Restore({{U("JARL用紙"), "no"}}).jarlPaper, true);       // anything but "FALSE"
  // A fresh folder with the PDF entry as the default printer: blank paper.
  EXPECT_FALSE(Restore({}, true, {}, true).jarlPaper);
  EXPECT_TRUE(Restore({{U("JARL用紙"), "True"}}, true, {}, true).jarlPaper);

  // Restored and stored again, nothing changes.
  EXPECT_EQ(Restore(QMap<QString, QString>([&] {
              QMap<QString, QString> m;
              for (const auto& [k, v] : StoredPrintSettings(s)) m[k] = v;
              return m;
            }())),
            s);
}

TEST(PrintSettings, LineSpacingShowsOnlyItsItems) {
  EXPECT_EQ(Restore({{U("行間"), "5.0"}}).lineSpacing, "5.0");
  EXPECT_EQ(Restore({{U("行間"), "4.5"}}).lineSpacing, "4.8");
  EXPECT_EQ(Restore({{U("行間"), "5"}}).lineSpacing, "4.8");
  EXPECT_EQ(Restore({{U("行間"), ""}}).lineSpacing, "4.8");
  EXPECT_EQ(LineSpacingItems(), (QStringList{"5.0", "4.9", "4.8", "4.7", "4.6"}));
}

TEST(PrintSettings, FilesOnlyNeedsAnElectronicLogEntry) {
  const PrintSettings s = Restore({{U("電子ログのみ"), "Yes"}}, false);
  EXPECT_FALSE(s.filesOnly);
  EXPECT_EQ(StoredPrintSettings(s).at(3), (QPair<QString, QString>{U("電子ログのみ"), "No"}));
  EXPECT_FALSE(OutputOptionsFor(s, {}).filesOnly);

  EXPECT_FALSE(ParseLogDefinition(Definition()).electronicLog);
  QString definition = Definition();
  EXPECT_TRUE(ParseLogDefinition(definition + CrLf({U("\"[JARL電子ログ]\""), "\"Yes R2\""})).electronicLog);
  EXPECT_TRUE(ParseLogDefinition(definition + CrLf({U("\"[VQ電子ログ]\""), "\"yes\""})).electronicLog);
  EXPECT_FALSE(ParseLogDefinition(definition + CrLf({U("\"[JARL電子ログ]\""), "\"No\""})).electronicLog);

  // Stored at exit as the window holds it: "No".
  TempFolder t;
  PrepareLogFolder(t, WorkFile("7", ManyQsos(1)));
  const Frame frame(Program::Log, t.Path(), "1");
  frame.WriteSetting(U("電子ログのみ"), "Yes");
  SavePrintSettings(frame, LoadPrintSettings(frame, false, Installed({})));
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", U("電子ログのみ"), ""), "No");
}

TEST(PrintSettings, SpecialFonts) {
  EXPECT_FALSE(OfferedSpecialFont(Installed({})).Offered());
  const SpecialFont light = OfferedSpecialFont(Installed({kHamMinchoLight, kHamMincho}));
  EXPECT_EQ(light.font, kHamMinchoLight);
  EXPECT_EQ(light.caption, U("HAM 明朝 Light を使用"));
  const SpecialFont ham = OfferedSpecialFont(Installed({kHamMincho}));
  EXPECT_EQ(ham.caption, U("HAM 明朝  を使用"));

  // "HAM 明朝 Light": the data font only; "ＨＡＭ 明朝": both fonts.
  PrintSettings s = Restore({{U("フォント"), kHamMinchoLight}}, true, {kHamMinchoLight});
  EXPECT_TRUE(s.specialFontChecked);
  EXPECT_EQ(s.DataFont(), kHamMinchoLight);
  EXPECT_EQ(s.FrameFont(), kMinchoFont);
  s = Restore({{U("フォント"), kHamMincho}}, true, {kHamMinchoLight, kHamMincho});
  EXPECT_EQ(s.specialFont.caption, U("HAM 明朝  を使用"));
  EXPECT_EQ(s.DataFont(), kHamMincho);
  EXPECT_EQ(s.FrameFont(), kHamMincho);
  EXPECT_EQ(StoredPrintSettings(s).at(2).second, kHamMincho);
  // A stored font that is not installed (or any other name) leaves "ＭＳ 明朝".
  s = Restore({{U("フォント"), kHamMincho}}, true, {kHamMinchoLight});
  EXPECT_FALSE(s.specialFontChecked);
  EXPECT_EQ(s.DataFont(), kMinchoFont);
  EXPECT_EQ(s.specialFont.font, kHamMinchoLight);
  EXPECT_FALSE(Restore({{U("フォント"), "IPAMincho"}}, true, {"IPAMincho"}).specialFontChecked);
}

TEST(PrinterPositions, TableFromPrintersAndFile) {
  const QList<InstalledPrinter> printers = {{"Canon_LBP", "Canon LBP6030"}, {"OldFax", "WPSUNI"}, {kPdfPrinterName, ""}};
  const QString file = CrLf({"\"Canon_LBP\",1.5,-0.3,1.2", "\"OldFax\",3,3,1", U("\"PDF ファイル\",0,0,0.5"),
                             "\"Epson_Away\",-2,1.1,0.98"});
  PrinterPositionTable table = PrinterPositionTable::Build(printers, file);
  // A "WPSUNI" printer has no row and prints with 0, 0, 1.
  ASSERT_EQ(table.Rows().size(), 2);
  EXPECT_EQ(table.Find("OldFax"), nullptr);
  EXPECT_EQ(table.CalibrationOf("OldFax"), (Calibration{0, 0, 1}));
  EXPECT_FALSE(table.Set("OldFax", 1, 1, 1));
  // Scales outside 0.9 … 1.1 are clamped.
  EXPECT_EQ(*table.Find("Canon_LBP"), (PrinterPosition{"Canon_LBP", 1.5, -0.3, 1.1}));
  EXPECT_EQ(table.Find(kPdfPrinterName)->scale, 0.9);
  EXPECT_EQ(table.CalibrationOf("Unknown"), (Calibration{0, 0, 1}));

  // Written back: the rows in table order, then the printers that are away.
  ASSERT_TRUE(table.Set("Canon_LBP", 2.0, -10.0, 1.0));
  EXPECT_EQ(table.FileText(), CrLf({"\"Canon_LBP\",2,-10,1", U("\"PDF ファイル\",0,0,0.9"), "\"OldFax\",3,3,1",
                                    "\"Epson_Away\",-2,1.1,0.98"}));
  EXPECT_EQ(PrinterPositionTable::Build(printers, {}).Rows().first(), (PrinterPosition{"Canon_LBP", 0, 0, 1}));

  // An unquoted name may hold a double quote, which the file writes as "＂":
  // a later record of that written name replaces it, so the table reads back
  // from its own file as it was.
  const QString edited = CrLf({"Away\",1,1,1", U("\"Away＂\",2,2,1")});
  const PrinterPositionTable away = PrinterPositionTable::Build(printers, edited);
  EXPECT_EQ(away.Absent(), QList<PrinterPosition>{(PrinterPosition{U("Away＂"), 2, 2, 1})});
  EXPECT_EQ(PrinterPositionTable::Build(printers, away.FileText()).FileText(), away.FileText());
}

TEST(PrinterPositions, FileChoiceAndWritingBack) {
  TempFolder t;
  EXPECT_EQ(PrinterFilePath(t.Path()), t.File("ZOTRAPRT.DAT"));
  t.WriteCp932("zotraprt.dat", CrLf({U("\"PDF ファイル\",1,2,1.05")}));
  EXPECT_EQ(PrinterFilePath(t.Path()), t.File("zotraprt.dat"));
  t.WriteCp932("VQ___PRT.DAT", CrLf({U("\"PDF ファイル\",-1,-2,0.95")}));
  EXPECT_EQ(PrinterFilePath(t.Path()), t.File("VQ___PRT.DAT"));

  PrinterPositionTable table = PrinterPositionTable::Load(t.Path());
  EXPECT_EQ(table.CalibrationOf(kPdfPrinterName), (Calibration{-1, -2, 0.95}));
  table.Set(kPdfPrinterName, 0.5, 0.25, 1.01);
  ASSERT_TRUE(table.Save());
  EXPECT_EQ(t.ReadCp932("VQ___PRT.DAT").split("\r\n").filter(U("PDF ファイル")),
            QStringList{U("\"PDF ファイル\",0.5,0.25,1.01")});
  EXPECT_EQ(t.ReadCp932("zotraprt.dat"), CrLf({U("\"PDF ファイル\",1,2,1.05")}));
}

TEST(PrinterPositions, AdjustmentStepsStopAtTheirLimits) {
  // ↑ at −9.9 gives −10.0; a further press changes nothing.
  double v = StepOffset(-9.9, -1);
  EXPECT_EQ(v, -10.0);
  EXPECT_EQ(OffsetText(v), "-10.0");
  EXPECT_EQ(StepOffset(v, -1), -10.0);
  EXPECT_EQ(StepOffset(v, 1), -9.9);
  EXPECT_EQ(StepOffset(9.95, 1), 10.05);  // below 10 still moves
  EXPECT_EQ(StepOffset(10.0, 1), 10.0);
  double h = 0;
  for (int i = 0; i < 3; ++i) h = StepOffset(h, 1);
  EXPECT_EQ(h, 0.3);
  EXPECT_EQ(OffsetText(h), "00.3");
  EXPECT_EQ(OffsetText(-0.3), "-00.3");
  EXPECT_EQ(OffsetText(0), "00.0");
  EXPECT_EQ(OffsetText(5), "05.0");

  double s = 1.09;
  s = StepScale(s, 1);
  EXPECT_EQ(s, 1.1);
  EXPECT_EQ(StepScale(s, 1), 1.1);
  EXPECT_EQ(StepScale(0.9, -1), 0.9);
  EXPECT_EQ(StepScale(0.9, 1), 0.91);
  EXPECT_EQ(ScaleText(1), "1.00");
  EXPECT_EQ(ScaleText(0.91), "0.91");
}
