// The host logbook's master file "MARQEN.MST" as the extraction loads it, and
// the conversions that look codes and names up in it.
#include "FuzzSupport.h"

#include "extract/AreaCode.h"
#include "extract/AreaTables.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("MARQEN.MST"), data, size);
  fuzz::SilentDialogs dialogs;
  AreaTables tables;
  if (tables.LoadMaster(path, dialogs) != AreaTables::MasterResult::Loaded) {
    FUZZ_CHECK(tables.Master().isEmpty() && dialogs.messages == 1);
    return 0;
  }
  FUZZ_CHECK(tables.MasterVersion() == 55 || tables.MasterVersion() == 56);
  FUZZ_CHECK(static_cast<std::size_t>(tables.Master().size()) * 55 <= size);
  int looked = 0;
  for (const MasterEntry& e : tables.Master()) {
    FUZZ_CHECK(e.code.size() <= 6 && e.level >= QLatin1Char('4') && e.level <= QLatin1Char('8'));
    if (++looked > 64) break;
    if (!e.name.isEmpty()) FUZZ_CHECK(!tables.MasterCode(e.name).isEmpty() || e.code.isEmpty());
    QString name;
    tables.LongestMasterName(e.name + QStringLiteral("１丁目"), &name);
  }
  // Codes and names of the loaded table through the conversion at each level.
  for (AreaLevel level : {AreaLevel::Prefecture, AreaLevel::CityCounty, AreaLevel::Town}) {
    AreaOptions options;
    options.groups[kKeyGroup] = {level, true, false, true};
    options.groups[kOtherGroup] = {level, false, true, false};
    options.keyRegion = 10;
    options.qthFromAreaCode = level == AreaLevel::Town;
    AreaCodeConverter converter(tables, options, dialogs);
    int n = 0;
    for (const MasterEntry& e : tables.Master()) {
      if (++n > 16) break;
      converter.BeginRecord();
      converter.ConvertAreaCode(e.code + QStringLiteral(" M"));
      converter.ConvertQth(e.name + QStringLiteral(" GL:PM95"), e.code);
    }
  }
  return 0;
}
