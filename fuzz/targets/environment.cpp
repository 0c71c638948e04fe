// The environment file: the menu's check (with the microwave band table it
// derives), the editor's band and mode slots, the extraction's mode aliases
// and the library date; then the extraction's reader of the derived table.
#include "FuzzSupport.h"

#include "common/Text.h"
#include "extract/Extraction.h"
#include "menu/Environment.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("ZOTRAW.CFG"), data, size);
  fuzz::RemoveScratchFile(MicrowaveTableName());
  fuzz::SilentDialogs dialogs;
  const EnvironmentCheckResult check = CheckEnvironmentFile(path, fuzz::ScratchFolder(), dialogs);
  // Each validation message is counted; a byte that is no CP932 character,
  // written back to the table as "?", is told besides.
  FUZZ_CHECK(check.messages <= dialogs.messages);

  const BandPlan plan = ReadBandPlan(path);
  FUZZ_CHECK(plan.bands.size() <= kBandSlots && plan.modes.size() <= kModeSlots);
  const ModeAliases aliases = ReadModeAliases(path);
  for (const auto& [alias, mode] : aliases) {
    FUZZ_CHECK(!alias.isEmpty());
    ApplyModeAlias(aliases, alias);
  }
  ApplyModeAlias(aliases, QStringLiteral("usb"));
  const QString date = ReadRequiredLibraryDate(path);
  FUZZ_CHECK(date.size() == 10);

  // The table the check wrote, as the extraction reads it.
  CentimetreBands table(fuzz::ScratchFolder() + QLatin1Char('/') + MicrowaveTableName());
  FUZZ_CHECK(table.Present() == (check.tableLines > 0));
  for (const char* frequency : {"10368.1", "24048", "0", "-5", "1e300", "nan"}) table.BandOf(QString::fromLatin1(frequency));
  return 0;
}
