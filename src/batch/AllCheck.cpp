// The sort-and-check step of the road, band by band.
#include "AllSteps.h"

#include "check/CheckDefinition.h"
#include "check/DuplicateCheck.h"
#include "check/DuplicateList.h"
#include "check/WorkFiles.h"
#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PaintSurface.h"

namespace zotra {
namespace {

const QString kTitle = QStringLiteral("ZOTRAC");

CheckDefinition ReadDefinition(const Road& road) {
  return ReadCheckDefinition(Frame(Program::Check, road.folder).LocateDefinitionFile());
}

// The duplicate check list of all valid QSOs, as the check window prints it.
bool PrintList(Road& road, const QString& band, const CheckResult& check) {
  if (LinesToPrint(check.keyLines, false).isEmpty()) return true;
  const CheckDefinition definition = ReadDefinition(road);
  const DuplicateListHeading heading{definition.contestName, definition.myCall, definition.year, check.selection};
  const QString pdf = road.PdfPath(DuplicateListPdfFileName(band));
  PrinterSurface surface(pdf);
  if (!PrintDuplicateList(surface, heading, check.keyLines, false)) {
    road.dialogs.Tell(surface.ErrorText(), kTitle);
    return false;
  }
  road.documents << pdf;
  return true;
}

}  // namespace

std::optional<QStringList> ContestBands(Road& road) {
  const CheckDefinition definition = ReadDefinition(road);
  if (!definition.found) {
    road.dialogs.Tell(QStringLiteral("定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください"), kTitle);
    return std::nullopt;
  }
  return definition.bands;
}

CheckedBand CheckBand(Road& road, const QString& band, std::optional<int> criterion) {
  CheckedBand out;
  const SelectionResult selection = SelectQsos(road.folder, band, &road.dialogs);
  if (!selection.found || !selection.written) {
    road.dialogs.Tell(QStringLiteral("作業ファイル ") + kSelectionFileName + QStringLiteral(" に書き込めません"), kTitle);
    return out;
  }
  out.selected = selection.selected;
  if (selection.selected == 0) {
    out.ok = true;
    return out;
  }
  const Frame frame(Program::Check, road.folder);
  const int index = criterion.value_or(ValInt(frame.ReadSetting(QStringLiteral("Option"), QStringLiteral("0"))));
  const CheckResult check = RunDuplicateCheck(road.folder, CriterionFromIndex(index), &road.dialogs);
  if (!check.written) {
    road.dialogs.Tell(QStringLiteral("作業ファイル ") + kKeyFileName + QStringLiteral(" に書き込めません"), kTitle);
    return out;
  }
  out.duplicates = check.counts.duplicates;
  if (!PrintList(road, band, check)) return out;
  PrepareForLog(road.folder, check);
  out.ok = true;
  return out;
}

void LeaveCheckStep(Road& road) { DeleteWorkFiles(road.folder); }

}  // namespace zotra
