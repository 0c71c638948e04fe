// Where the main window hands over to printing. The print button calls
// OpenPrinting; the way back a step calls SavePrintSettings as part of its
// exit routine. Both are the printing windows' to fill.
#pragma once

namespace zotra {

class LogWindow;

// The print button ("印刷"): the two questions (band selection "ALL",
// multipliers not arranged), then the print settings window over the main
// window. The output pass counts its rows with OutputTotals and ends with
// UpdatePointsFile (log/Scoring.h).
void OpenPrinting(LogWindow& window);

// Keeps the print settings and the print windows' positions ("Form2Top" …),
// when the program leaves.
void SavePrintSettings(LogWindow& window);

}  // namespace zotra
