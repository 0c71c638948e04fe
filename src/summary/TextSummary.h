// The plain-text summary and log ("VQ 形式"): the summary sheet as text, then
// the text log sheets of all bands the log program wrote ("<band>.MHz"), in
// one CP932 file in the station folder.
#pragma once

#include "OutputData.h"

#include <QString>
#include <QStringList>

namespace zotra {

// The bands of the band table, in their order.
const QStringList& TextSummaryBands();

// The label of a band line, blank-padded on the left to 10 characters:
// "   7 MHz  ", "10.1 GHz  ".
QString TextBandLabel(const QString& band);

// The summary, line by line.
QStringList TextSummaryLines(const OutputData& data);

// The name of the finished file: the start year, "_", the contest name
// without its contest word, ".Txt"; characters a file name cannot hold
// replaced.
QString TextSummaryFileName(const OutputData& data);

// The whole file: the summary, then the band log sheets of the bands with a
// value, in the order of the band table.
QStringList TextSummaryFileLines(const QString& folder, const OutputData& data);

}  // namespace zotra
