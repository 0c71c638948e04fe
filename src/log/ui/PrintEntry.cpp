#include "PrintEntry.h"

#include "LogWindow.h"

namespace zotra {

void OpenPrinting(LogWindow& window) {
  if (!ConfirmPrinting(window.session(), window.dialogs())) return;
  // The print settings window opens here.
}

void SavePrintSettings(LogWindow&) {}

}  // namespace zotra
