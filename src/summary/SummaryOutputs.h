// The files a print job of the summary sheet writes after the document has
// ended: the JARL electronic log (summary sheet and log part) and the plain-text
// summary with all band logs. The print job of the window and zotra-batch
// summary both call RunOutputsAfterPrinting; which files it writes follows the
// contest definition.
#pragma once

#include "BandTotals.h"

#include <QDate>
#include <QString>

namespace zotra {

class DefinitionEntries;
class Dialogs;
class Frame;

// What the writers read: the program folder and its settings, the contest
// definition, the totals as the totals window shows them, and the run state of
// the summary-sheet window.
struct OutputContext {
  const Frame& frame;
  Dialogs& dialogs;
  QString definitionPath;
  TotalsSnapshot totals;    // grid, coefficient text, score text
  QString commentOverride;  // replaces the third comment line when not empty
  bool club = false;        // registered-club fields printed ("[C-PRINT]" is "1")
  QDate today;
};

// "[JARL電子ログ]", first value upper-cased: "YES" or "YES R2" gives 2 (R2.1),
// "YES R1" gives 1 (R1.0), anything else 0 (none).
int ElectronicLogVersion(const DefinitionEntries& definition);
// "[VQ電子ログ]" upper-cased is "YES".
bool TextSummaryWanted(const DefinitionEntries& definition);

// Makes sure the station folder exists (the program folder + the folder name
// of the definition's "MYCALL"), creating it when missing; its path, or the
// empty text when the call sign gives no folder inside the program folder
// (the print job tells why).
QString EnsureStationFolder(const QString& folder, const DefinitionEntries& definition);

// Where the finished files of the definition file lie, those that exist:
// the electronic log in the station's "_JARL" folder, the text summary in the
// station folder.
QStringList FinishedFilePaths(const QString& folder, const QString& definitionPath);

// The writers. Each returns the path of the finished file, or the empty text
// when it wrote none (the menus that open the files stay off then).
// version: 1 for R1.0, 2 for R2.1.
QString WriteElectronicLog(const OutputContext& context, int version);
QString WriteTextSummary(const OutputContext& context);

struct OutputResult {
  int electronicLogVersion = 0;  // 0 none, 1 R1.0, 2 R2.1 (the submission reads it)
  QString electronicLogPath;     // the finished JARL electronic log, or empty
  QString textSummaryPath;       // the finished text summary and log, or empty
};

// After the document: the electronic log when the definition asks for one,
// then the text summary when it asks for one. A call sign that gives no
// station folder inside the program folder is told once and nothing written.
OutputResult RunOutputsAfterPrinting(const OutputContext& context);

// The finished electronic log at `path` read back with the strict reader of
// its version (1 R1.0, 2 R2.1): in time order unless "[JARLFormat]" is
// "BAND", its QSOs counted against those of the points file. What it finds;
// nothing for a well-formed file.
QStringList ReadBackElectronicLog(const QString& folder, const QString& path, int version,
                                  const DefinitionEntries& definition);

}  // namespace zotra
