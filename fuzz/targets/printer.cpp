// The printer settings file ("VQ___PRT.DAT" / "ZOTRAPRT.DAT") as the log
// program reads it into its position table: one row per installed printer,
// offsets and a scale within 0.9 … 1.1; the table written back (rows, then
// the printers not installed now) reads back to the same table.
#include "FuzzSupport.h"

#include "log/PrinterPositions.h"

#include <cmath>

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QList<InstalledPrinter> printers = {{QStringLiteral("Canon LBP"), QStringLiteral("Canon LBP6030")},
                                            {QStringLiteral("PDF ファイル"), QString()},
                                            {QStringLiteral("Old"), QStringLiteral("wpsuni")}};
  const PrinterPositionTable table = PrinterPositionTable::Build(printers, fuzz::InputText(data, size));
  FUZZ_CHECK(table.Rows().size() == 2);  // the printer with the excluded driver has none
  for (const QList<PrinterPosition>* list : {&table.Rows(), &table.Absent()}) {
    for (const PrinterPosition& p : *list) {
      FUZZ_CHECK(p.scale >= 0.9 && p.scale <= 1.1);
      FUZZ_CHECK(!std::isnan(p.horizontal) && !std::isnan(p.vertical));
    }
  }
  const PrinterPositionTable again = PrinterPositionTable::Build(printers, table.FileText());
  FUZZ_CHECK(again.FileText() == table.FileText());
  table.CalibrationOf(QStringLiteral("Canon LBP"));

  // The table saved into the folder and loaded from it as the program does.
  PrinterPositionTable saved = table;
  saved.SetFilePath(fuzz::ScratchFolder() + QStringLiteral("/ZOTRAPRT.DAT"));
  FUZZ_CHECK(saved.Save());
  StepOffset(table.Rows().first().horizontal, -1);
  StepScale(table.Rows().first().scale, 1);
  OffsetText(table.Rows().first().vertical);
  ScaleText(table.Rows().first().scale);
  return 0;
}
