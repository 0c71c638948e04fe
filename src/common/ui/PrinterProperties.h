// The properties of the current printer, as the "プロパティ" buttons open them.
#pragma once

#include <QString>

class QWidget;

namespace zotra {

class Dialogs;
class PrinterSetup;

// For an installed printer: the page setup dialog (paper and orientation),
// shown only with window dialogs (never under scripted or console dialogs).
// For the PDF entry: asks for the PDF file through dialogs.SaveFile, which
// then serves every following print (suggestedPdfPath as in AskPdfFile).
// False when cancelled or not shown.
bool ShowPrinterProperties(PrinterSetup& setup, Dialogs& dialogs, QWidget* parent,
                           const QString& suggestedPdfPath = {});

}  // namespace zotra
