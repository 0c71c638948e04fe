#include "PrintEntry.h"

#include "LogWindow.h"
#include "PrintSettingsWindow.h"
#include "common/gui/Fonts.h"
#include "log/PrintSettings.h"

namespace zotra {

PrintSettingsWindow& PrintSettingsOf(LogWindow& window) {
  if (auto* existing = window.findChild<PrintSettingsWindow*>(QString(), Qt::FindDirectChildrenOnly)) return *existing;
  return *new PrintSettingsWindow(window.frame(), window.dialogs(), window.session(), &window);
}

void OpenPrinting(LogWindow& window) {
  if (!ConfirmPrinting(window.session(), window.dialogs())) return;
  PrintSettingsOf(window).exec();
}

void SavePrintSettings(LogWindow& window) {
  if (auto* form2 = window.findChild<PrintSettingsWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
    form2->SaveState();
    return;
  }
  SavePrintSettings(window.frame(), LoadPrintSettings(window.frame(), window.session().definition.electronicLog,
                                                      FontInstalled));
}

}  // namespace zotra
