// "zotra.wk2" as its two readers take it: the duplicate check (key lines,
// sort, marks) and the log program's QSO table, which must write back every
// record it read field for field; then the multiplier arrangement and the
// totals of the table, and the rebuild from a saved copy.
#include "FuzzSupport.h"

#include "check/DuplicateCheck.h"
#include "check/WorkFiles.h"
#include "common/Text.h"

using namespace zotra;

// work_wk2_log.cpp: the log program's side (its header names the duplicate
// file as the sort-and-check program's does).
void LoadAsTheLogProgram(const QString& text);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = fuzz::InputText(data, size);

  for (Criterion criterion : {Criterion::Date, Criterion::Band, Criterion::Mode, Criterion::None}) {
    const CheckResult check = CheckSelection(text, criterion);
    FUZZ_CHECK(check.keyLines.size() == check.Valid());
    FUZZ_CHECK(check.counts.duplicates >= 2 * check.counts.stations);
    for (int i = 0; i < check.keyLines.size(); ++i) {
      FUZZ_CHECK(check.keyLines.at(i).size() == kKeyLineLength);
      if (i > 0) FUZZ_CHECK(KeyColumns(check.keyLines.at(i - 1), 2, 20) <= KeyColumns(check.keyLines.at(i), 2, 20));
    }
    DuplicateFileText(check);
  }

  LoadAsTheLogProgram(text);

  // The saved copy of the selection rebuilds "zotra.wk2".
  const QString& folder = fuzz::ScratchFolder();
  const std::optional<QString> selection = SelectionOfFile(fuzz::WriteInput(kSelectionFileName, data, size));
  if (selection && !selection->isEmpty()) {
    FUZZ_CHECK(SaveSelectionCopy(folder));
    const RebuildResult rebuilt = RebuildFromSavedCopy(folder, *selection);
    FUZZ_CHECK(rebuilt.written && rebuilt.valid <= rebuilt.records);
    fuzz::RemoveScratchFile(SavedCopyName(*selection));
  }
  return 0;
}
