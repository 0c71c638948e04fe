#include "PrinterProperties.h"

#include "WindowDialogs.h"
#include "common/gui/Printers.h"

#include <QPageSetupDialog>

namespace zotra {

bool ShowPrinterProperties(PrinterSetup& setup, Dialogs& dialogs, QWidget* parent, const QString& suggestedPdfPath) {
  if (setup.IsPdf()) return setup.AskPdfFile(dialogs, suggestedPdfPath);
  if (!dynamic_cast<WindowDialogs*>(&dialogs)) return false;
  QPageSetupDialog dialog(&setup.Printer(), parent);
  dialog.setWindowTitle(setup.Name() + QStringLiteral(" のプロパティ"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zotra
