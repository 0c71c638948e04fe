// "hokkaido.txt" (lines "code,number") as the extraction loads it, and the
// prefecture-level conversion that looks Hokkaido codes up in it.
#include "FuzzSupport.h"

#include "extract/AreaCode.h"
#include "extract/AreaTables.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("hokkaido.txt"), data, size);
  fuzz::SilentDialogs dialogs;
  AreaTables tables;
  FUZZ_CHECK(tables.LoadHokkaido(path, dialogs) && dialogs.messages == 0);
  AreaOptions options;
  options.groups[kKeyGroup].level = AreaLevel::Prefecture;
  options.groups[kOtherGroup].level = AreaLevel::Prefecture;
  options.hokkaido = HokkaidoChoice::Subprefecture;
  AreaCodeConverter converter(tables, options, dialogs);
  for (const char* code : {"0101", "01001", "010101", "01001A", "101", "01", "0", "", "1001"}) {
    converter.BeginRecord();
    converter.ConvertAreaCode(QString::fromLatin1(code));
  }
  return 0;
}
