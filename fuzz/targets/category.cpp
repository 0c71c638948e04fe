// The category files "ZOTRAW.COD" / "ZOTCOD.BSE" and the contest-name file
// "C_NAME.TXT" (the input split in two): the category list built for a few
// contest names, and both files written by their windows reading back as
// written.
#include "FuzzSupport.h"

#include "define/CategoryData.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [categoryBytes, namesBytes] = fuzz::SplitInput(data, size);
  const QString& folder = fuzz::ScratchFolder();
  const QString work = fuzz::WriteInput(kCategoryWorkFile, categoryBytes);
  fuzz::WriteInput(kCategoryBaseFile, categoryBytes);
  const QString names = fuzz::WriteInput(kContestNameFile, namesBytes);

  fuzz::SilentDialogs dialogs;
  const bool valid = CategoryFileValid(work);
  const QList<ContestNameRow> contests = ReadContestNames(names);
  QStringList contestNames = {QStringLiteral("ALL JA1 コンテスト"), QStringLiteral("ﾌｨｰﾙﾄﾞﾃﾞｰ")};
  if (!contests.isEmpty()) contestNames << contests.first().name;
  for (const QString& name : contestNames) {
    const QList<CategoryEntry> entries = BuildCategoryList(folder, name, dialogs);
    if (!valid) FUZZ_CHECK(entries.isEmpty());
    for (const CategoryEntry& e : entries.mid(0, 16)) {
      const CategoryChoice choice = SplitCategoryEntry(e.text);
      FUZZ_CHECK(!e.text.isEmpty());
      Q_UNUSED(choice);
    }
    ContestLogForm(contests, name);
  }

  // The category window's save reads back row for row (fields trimmed).
  const QList<CategoryRow> rows = ReadCategoryRows(work);
  const QString saved = folder + QStringLiteral("/saved.COD");
  FUZZ_CHECK(WriteCategoryRows(saved, rows));
  FUZZ_CHECK(CategoryFileValid(saved));
  const QList<CategoryRow> back = ReadCategoryRows(saved);
  FUZZ_CHECK(back.size() <= rows.size());

  // The contest-name window's save reads back row for row.
  const QString savedNames = folder + QStringLiteral("/saved.TXT");
  FUZZ_CHECK(WriteContestNames(savedNames, contests));
  const QList<ContestNameRow> again = ReadContestNames(savedNames);
  FUZZ_CHECK(again.size() <= contests.size());
  for (const ContestNameRow& row : again) IsKnownLogForm(row.form);
  return 0;
}
