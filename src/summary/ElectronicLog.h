// The JARL electronic log: the electronic summary sheet (R2.1 or R1.0), then
// the log part the log program wrote ("HED.JARL" and one file per band), in
// one CP932 text file in the station's "_JARL" folder.
//
//   <SUMMARYSHEET VERSION=R2.1>
//   <CONTESTNAME>ALL JA1 コンテスト</CONTESTNAME>
//   ...
//   </SUMMARYSHEET>
//   <LOGSHEET TYPE=ZOTRA7.3.0>
//   DATE(JST)  TIME   MHz   Mode  CALLSIGN ...   (the header of "HED.JARL")
//   2024-06-15 21:00     7  CW    JA1AAA ...      (the QSO lines)
//   </LOGSHEET>
#pragma once

#include "OutputData.h"

#include <QString>
#include <QStringList>

namespace zotra {

// The bands walked for the log part (R2.1) and for the log part and the score
// lines (R1.0), in their order.
const QStringList& ElectronicLogBands(int version);

// A line of one tag: opening tag, value, closing tag.
QString TagLine(const QString& tag, const QString& value);
// The same, with the closing tag on a line of its own when the line would be
// longer than 72 bytes in CP932.
QStringList FittedTagLines(const QString& tag, const QString& value);

// The contest name of "<CONTESTNAME>": the name without its contest word,
// half-width katakana widened, then " コンテスト".
QString ElectronicContestName(const QString& contestName);

// The comments: the first two comment lines joined and trimmed, a blank, and
// the third line or the override when there is one.
QString CommentsValue(const OutputData& data);

// The band label of a score line: "1.9MHz", "10.1GHz", "24GHz", "SATMHz".
QString ScoreBandLabel(const QString& band);

// The summary part, version 2 (R2.1) or 1 (R1.0), line by line.
QStringList ElectronicSummaryLines(const OutputData& data, int version);

// The QSO lines in time order: every line cut to 80 characters, ordered by
// its first 20 characters (blank-padded), lines with equal beginnings in their
// order; only the lines that begin with a digit are kept.
QStringList LinesInTimeOrder(const QStringList& lines);

// The log part: the header of "HED.JARL" (when there is one), then the band
// files of the bands with a value, band after band, or, unless "[JARLFormat]"
// is "BAND", the header followed by the QSO lines of all bands in time order.
// *found: whether there was anything to collect (a header or a band file).
QStringList ElectronicLogPart(const QString& folder, const OutputData& data, int version, bool* found);

// "<LOGSHEET TYPE=ZOTRA" + version + "." + revision + ">".
QString LogSheetLine();

// The name of the finished file: the start year, "_", the contest name as
// entered, ".txt"; characters a file name cannot hold replaced.
QString ElectronicLogFileName(const OutputData& data);

// The whole file, line by line. Without a log part the summary stands alone
// and *withoutLog is set.
QStringList ElectronicLogLines(const QString& folder, const OutputData& data, int version, bool* withoutLog);

}  // namespace zotra
