// Where the main window hands over to printing. The print button calls
// OpenPrinting; the way back a step calls SavePrintSettings as part of its
// exit routine.
#pragma once

namespace zotra {

class LogWindow;
class PrintSettingsWindow;

// The print button ("印刷"): the two questions (band selection "ALL",
// multipliers not arranged), then the print settings window over the main
// window, modally. The window is made once and kept for the run, so that it
// opens as it was left.
void OpenPrinting(LogWindow& window);

// The print settings window of the main window (made on first use).
PrintSettingsWindow& PrintSettingsOf(LogWindow& window);

// Keeps the print settings and the print windows' positions ("Form2Top" …
// "Form4Left") when the program leaves. Settings never shown are kept as
// they were restored (so a files-only choice the definition no longer allows
// is stored as "No").
void SavePrintSettings(LogWindow& window);

}  // namespace zotra
