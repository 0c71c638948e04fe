// The print job of the summary sheet without its window, shared by zotrat
// and zotra-batch: the paper check, the comment choice of the JAG QSO party,
// the sheet's options, the document, and the outputs that follow it.
#pragma once

#include "BandTotals.h"
#include "SummarySheet.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace zotra {

class DefinitionEntries;
class Dialogs;
class Frame;
class PrinterSetup;
class PrintSurface;

// The message when the printer's paper is not A4 portrait, else empty:
// "用紙方向が違います" for the orientation, then "用紙サイズをチェックしてください".
QString PaperCheckMessage(const PrinterSetup& printer);

// The paper the summary-sheet window keeps ("JARL用紙" of [ZOTRAT]): true for
// the JARL form, unless the stored value is "FALSE" (any case). Without a
// stored value: blank paper when the default printer is the PDF entry.
bool StoredJarlPaper(const Frame& frame);

// Whether the contest name (upper-cased, made full-width) names the JAG QSO
// party: it holds "ＪＡＧ", "ＱＳＯ" and "パーティ".
bool IsJagQsoParty(const QString& contestName);

// The choices of the comment window, in order: "ステッカー希望",
// "ステッカー不要", "ステッカー・台紙希望", "下記文字を印刷", "文字を追加しない".
QStringList CommentChoices();
enum CommentChoice { kStickerWanted = 0, kNoSticker = 1, kStickerAndMount = 2, kOwnText = 3, kNoText = 4 };
// The override a choice sets: the caption of choices 0 to 2, the own text for
// choice 3, nothing for choice 4.
QString CommentOverrideFor(int choice, const QString& ownText);
// The choice the window opens with: the one whose caption is the override,
// choice 3 for any other override, choice 4 for no override once the user
// has chosen (so that "文字を追加しない" stays chosen), else choice 0.
int CommentChoiceFor(const QString& override, bool chosenBefore);

// The settings of one print job, as the window's controls hold them.
struct PrintJobSettings {
  bool jarlPaper = true;  // "JARL 用紙"; else "白紙"
  bool colour = false;    // "カラー印刷"
  bool preview = false;   // "プレビュー"
  bool signature = false; // "申請者氏名の署名欄への印字"
  QString commentOverride;
  QDate today;
};

// The sheet's options: the form is drawn on blank paper and in the preview
// of the pre-printed paper (there in light cyan).
SummarySheetOptions SheetOptionsFor(const PrintJobSettings& settings);

// Draws the sheet from the definition and the totals, then ends the document.
// False when the document failed (the surface's ErrorText says why).
bool PrintSummaryDocument(PrintSurface& surface, const DefinitionEntries& definition, const TotalsSnapshot& totals,
                          const PrintJobSettings& settings);

// The document's name in the printer queue, and its PDF file's suggested name.
QString SummaryDocumentName();      // "サマリーシート"
QString SummaryPdfFileName();       // "サマリーシート.pdf"

}  // namespace zotra
