// "zotra.wk1" as the sort-and-check program selects from it: every QSO line,
// however it was damaged, becomes a "zotra.wk2" record of exactly fourteen
// fields, so no record shifts into the next.
#include "FuzzSupport.h"

#include "check/WorkFiles.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteInput(kExtractFileName, data, size);
  const QString& folder = fuzz::ScratchFolder();
  const int extracted = CountExtractedQsos(folder);
  for (const QString& selection : {kAllBands, QStringLiteral("7")}) {
    const SelectionResult result = SelectQsos(folder, selection);
    FUZZ_CHECK(result.found && result.written && result.read == extracted && result.selected <= result.read);
    QStringList lines;
    FUZZ_CHECK(ReadLines(folder + QLatin1Char('/') + kSelectionFileName, &lines));
    FUZZ_CHECK(lines.size() == result.selected + 1);
    for (int i = 1; i < lines.size() && i <= 64; ++i) FUZZ_CHECK(SplitListLine(lines.at(i)).size() == 14);
    FUZZ_CHECK(CountSelectionRecords(folder) <= result.selected);
  }
  return 0;
}
