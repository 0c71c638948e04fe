// "zotra.wk3" as the duplicate check list reads it: the selection, the key
// lines to print, their printed texts and pages, and the rows of the window
// that shows the duplicates.
#include "FuzzSupport.h"

#include "check/DuplicateCheck.h"
#include "check/DuplicateList.h"
#include "check/WorkFiles.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(kKeyFileName, data, size);
  KeyFile file;
  FUZZ_CHECK(ReadKeyFile(path, &file));
  for (bool duplicatesOnly : {false, true}) {
    const QStringList lines = LinesToPrint(file.keyLines, duplicatesOnly);
    const QStringList texts = PrintedTexts(lines);
    FUZZ_CHECK(texts.size() == lines.size());
    const int pages = PageCount(lines.size());
    FUZZ_CHECK(pages * kLinesPerPage >= lines.size() && (pages == 0 || (pages - 1) * kLinesPerPage < lines.size()));
  }
  const QList<DuplicateRow> rows = DuplicateRows(file.keyLines);
  FUZZ_CHECK(rows.size() <= file.keyLines.size());
  for (const QString& line : file.keyLines.mid(0, 64)) {
    KeyRecordNumber(line);
    KeyColumns(line, 33, 6);
  }
  DuplicateListHeading heading{QStringLiteral("ALL JA"), QStringLiteral("JA1ZLO"), QStringLiteral("2024"), file.selection};
  ListTitle(heading);
  ListSubtitle(heading);
  return 0;
}
