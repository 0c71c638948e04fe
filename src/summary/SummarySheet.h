// The summary sheet in the layout of the sponsor's paper form: the form
// itself (drawn on blank paper, or in light cyan under the data in the
// preview of the pre-printed paper) and the data filled into it from the
// contest definition and the band totals. Millimetres from the page's
// top-left corner; "ＭＳ 明朝" unless said otherwise.
#pragma once

#include "BandTotals.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zotra {

class DefinitionEntries;
class PrintSurface;

// The definition entries the sheet prints.
struct SummaryDefinition {
  QString contestName;                                 // "CONTESTNAME"
  QString categoryCode, categoryName, categoryDetail;  // "[参加部門]"
  QString myCall;                                      // "MYCALL"
  QString operators;                                   // "[OPE]"
  QString postalCode;                                  // "[〒]"
  QString address1, address2;                          // "[住所]"
  QString phone;                                       // "[電話]"
  QString name;                                        // "[氏名]"
  QString mail;                                        // "[E-MAIL]"
  QString licenceClass, power;                         // "[資格]"
  std::optional<QString> powerKind;                    // "[出力]" when it stands in the file
  QString place;                                       // "[移動先]"
  QString powerSupply;                                 // "[電源]"
  bool club = false;                                   // "[C-PRINT]" is "1"
  QString clubNumber;                                  // "[C-NO]"
  QString clubName;                                    // "[C-NAME]"
  QString rig1, rig2;                                  // "[RIG1]", "[RIG2]"
  std::array<QString, 3> comments;                     // "[IK1]" to "[IK3]"
  std::optional<QString> sponsor;                      // "[主催者]"
  std::optional<QString> note;                         // "[*内容]"
  QString licenceDate;                                 // "[局免許年月日]"
  QString age;                                         // "[年齢]"
  std::array<bool, 3> multiplierDefined = {false, false, false};  // "MULTI1" to "MULTI3" not empty

  int MultiplierCount() const;
};

SummaryDefinition ReadSummaryDefinition(const DefinitionEntries& definition);

struct SummarySheetOptions {
  bool blankForm = false;   // draw the form itself
  int formColour = 0;       // palette index of the form
  bool signature = false;   // the applicant's name and the date in the signature line
  QString commentOverride;  // replaces the third comment line when not empty
  QDate today;
};

// The form's colour: light cyan (11) under the data of the pre-printed paper,
// else light blue (9) in colour, else black.
int BlankFormColour(bool jarlPaper, bool colour);

// The oath of the form and its two lines: split after the first characters
// whose width in "ＭＳ 明朝" 9 points reaches 162 mm.
QString OathText(const QString& sponsor);
QStringList SplitOath(const QString& oath);

// The extra line of the licence date and the age (either may be missing).
QString LicenceAndAgeLine(const QString& licenceDate, const QString& age);

// Draws the form: texts, the band table, boxes and rules.
void DrawBlankForm(PrintSurface& s, const SummaryDefinition& definition, int colour);

// Fills in the data: the definition's entries, the band table from the totals
// grid, the coefficient, the total score, the signature line, the footer.
void FillInSummary(PrintSurface& s, const SummaryDefinition& definition, const TotalsSnapshot& totals,
                   const SummarySheetOptions& options);

// The page: the form when asked for, then the data. The caller ends the
// document.
void DrawSummarySheet(PrintSurface& s, const SummaryDefinition& definition, const TotalsSnapshot& totals,
                      const SummarySheetOptions& options);

}  // namespace zotra
