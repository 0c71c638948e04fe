// "zotradup.wk" as the log program shows it: one row per key line, groups
// numbered from the lines marked "5"; its QSOs found in a table and the
// one-step invalidation's rows.
#include "FuzzSupport.h"

#include "log/DuplicateList.h"
#include "log/QsoTable.h"

#include <set>

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("zotradup.wk"), data, size);
  const QList<DuplicateListRow> rows = ReadDuplicateList(path);
  int groups = 0;
  for (const DuplicateListRow& row : rows) {
    if (!row.group.isEmpty()) FUZZ_CHECK(row.group.toInt() == ++groups);
    FUZZ_CHECK(row.call.size() <= 7 && row.date.size() <= 5 && row.time.size() <= 5);
  }
  // Each row of the table found at most once; the rows to make invalid are
  // valid rows of the table, in order, never the first of all that were found.
  static const QString work = QStringLiteral(
      "\"7\"\r\n\"12\",\"7\",\"CW\",\"2026/04/29\",\"09:12\",\"JA1ABC\",\"\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\"\r\n"
      "\"34\",\"7\",\"CW\",\"2026/04/29\",\"09:34\",\"JA1ABC\",\"\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\"\r\n"
      "\"9999\",\"7\",\"CW\",\"2026/04/29\",\"09:39\",\"JH1XYZ\",\"\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\"\r\n");
  QsoTable table;
  ParseWorkFile(work, &table);
  QList<DuplicateListRow> found = rows;
  FindInTable(&found, table);
  std::set<int> seen;
  for (const DuplicateListRow& row : found) {
    FUZZ_CHECK(row.row == 0 || (table.InTable(row.row) && seen.insert(row.row).second));
  }
  const std::vector<int> later = LaterDuplicateRows(found, table);
  for (size_t i = 0; i < later.size(); ++i) {
    FUZZ_CHECK(table.IsValid(later[i]) && seen.count(later[i]) == 1 && later[i] != *seen.begin());
    FUZZ_CHECK(i == 0 || later[i - 1] < later[i]);
  }
  return 0;
}
