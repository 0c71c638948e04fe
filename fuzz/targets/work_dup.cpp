// "zotradup.wk" as the log program shows it: one row per key line, groups
// numbered from the lines marked "5".
#include "FuzzSupport.h"

#include "log/DuplicateList.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("zotradup.wk"), data, size);
  const QList<DuplicateListRow> rows = ReadDuplicateList(path);
  int groups = 0;
  for (const DuplicateListRow& row : rows) {
    if (!row.group.isEmpty()) FUZZ_CHECK(row.group.toInt() == ++groups);
    FUZZ_CHECK(row.call.size() <= 7 && row.date.size() <= 5 && row.time.size() <= 5);
  }
  return 0;
}
