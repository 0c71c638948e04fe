// The printer of the printing commands (check, log, summary): --printer NAME
// sends the document to that print queue instead of the default printer or
// a PDF file.
#pragma once

#include <QString>

namespace zotra {

class Dialogs;
class PrinterSetup;

// Makes the named printer the current one. A name that is none of the
// printers is told, with the printers there are, and gives false.
bool SelectPrinterByName(PrinterSetup& printer, const QString& name, Dialogs& dialogs, const QString& title);

}  // namespace zotra
