#include "SummaryJob.h"

#include "DefinitionEntries.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PrintSurface.h"
#include "common/gui/Printers.h"

namespace zotra {

QString PaperCheckMessage(const PrinterSetup& printer) {
  if (!printer.IsPortrait()) return QStringLiteral("用紙方向が違います");
  if (!printer.IsA4()) return QStringLiteral("用紙サイズをチェックしてください");
  return {};
}

bool StoredJarlPaper(const Frame& frame) {
  const QString fresh = BlankPaperByDefault() ? QStringLiteral("False") : QStringLiteral("5");
  return Upper(frame.ReadSetting(QStringLiteral("JARL用紙"), fresh)) != QLatin1String("FALSE");
}

bool IsJagQsoParty(const QString& contestName) {
  const QString wide = ToWide(Upper(contestName));
  return wide.contains(QStringLiteral("ＪＡＧ")) && wide.contains(QStringLiteral("ＱＳＯ")) &&
         wide.contains(QStringLiteral("パーティ"));
}

QStringList CommentChoices() {
  return {QStringLiteral("ステッカー希望"), QStringLiteral("ステッカー不要"), QStringLiteral("ステッカー・台紙希望"),
          QStringLiteral("下記文字を印刷"), QStringLiteral("文字を追加しない")};
}

QString CommentOverrideFor(int choice, const QString& ownText) {
  if (choice >= kStickerWanted && choice <= kStickerAndMount) return CommentChoices().at(choice);
  if (choice == kOwnText) return ownText;
  return {};
}

int CommentChoiceFor(const QString& override, bool chosenBefore) {
  if (override.isEmpty()) return chosenBefore ? kNoText : kStickerWanted;
  const QStringList choices = CommentChoices();
  for (int i = kStickerWanted; i <= kStickerAndMount; ++i) {
    if (choices.at(i) == override) return i;
  }
  return kOwnText;
}

SummarySheetOptions SheetOptionsFor(const PrintJobSettings& settings) {
  SummarySheetOptions options;
  options.blankForm = !settings.jarlPaper || settings.preview;
  options.formColour = BlankFormColour(settings.jarlPaper, settings.colour);
  options.signature = settings.signature;
  options.commentOverride = settings.commentOverride;
  options.today = settings.today.isValid() ? settings.today : QDate::currentDate();
  return options;
}

bool PrintSummaryDocument(PrintSurface& surface, const DefinitionEntries& definition, const TotalsSnapshot& totals,
                          const PrintJobSettings& settings) {
  DrawSummarySheet(surface, ReadSummaryDefinition(definition), totals, SheetOptionsFor(settings));
  return surface.EndDocument();
}

QString SummaryDocumentName() { return QStringLiteral("サマリーシート"); }
QString SummaryPdfFileName() { return QStringLiteral("サマリーシート.pdf"); }

}  // namespace zotra
