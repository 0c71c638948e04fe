#include "BatchPrinter.h"

#include "common/Dialogs.h"
#include "common/gui/Printers.h"

namespace zotra {

bool SelectPrinterByName(PrinterSetup& printer, const QString& name, Dialogs& dialogs, const QString& title) {
  if (printer.Select(name)) return true;
  dialogs.Tell(QStringLiteral("プリンタ %1 が見つかりません\n使用できるプリンタ: %2")
                   .arg(name, PrinterNames().join(QStringLiteral("、"))),
               title);
  return false;
}

}  // namespace zotra
