// The points file "ZOTRAPOI.DAT" (one record per band, written by the log
// program) and its sorted copy "ZOTRApoi.dat2", which the totals read.
//
// The sorted copy: one line per band with a count above zero, six quoted
// fields ("7"," 120"," 25"," 0"," 0"," 240"), in ascending band order with
// "SAT" last; every band of 10100 MHz and above is merged into the lowest of
// them; the band is written as the shortest decimal of its value.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zotra {

inline const QString kPointsFileName = QStringLiteral("ZOTRAPOI.DAT");
inline const QString kSortedPointsFileName = QStringLiteral("ZOTRApoi.dat2");

struct PointsRecord {
  QString band;
  QString count;
  QString multi1;
  QString multi2;
  QString multi3;
  QString points;

  bool operator==(const PointsRecord&) const = default;
};

// Reads a points file: each line one record of up to six list fields (those
// missing are empty); empty lines are skipped. A missing file gives no
// records (and *found false).
QList<PointsRecord> ReadPointsFile(const QString& path, bool* found = nullptr);

// The sort key of a band: "999999.9" for "SAT", otherwise its value formatted
// "000000.0" (7 gives "000007.0", 10125 gives "010125.0").
QString BandSortKey(const QString& band);

// A band is "SAT" or a number above zero.
bool IsBand(const QString& band);
// The bands, each once, in ascending band order with "SAT" last.
QStringList SortedBands(const QStringList& bands);
// The band as the messages name it: "7MHz", "1.9MHz", "SAT".
QString BandCaption(const QString& band);

// The bands with QSOs in "zotra.wk1" but no record in the points file: the
// log program never took them through its output pass, so the summary and
// the electronic log would go without them. A record "ALL" (a selection of
// all bands) counts for every band. In band order.
QStringList UnprocessedBands(const QString& folder);
// One line per band: "14MHz が未処理です".
QStringList UnprocessedBandLines(const QStringList& bands);
// Those lines, what they mean, then "このまま" + action + "しますか？".
QString UnprocessedBandsQuestion(const QStringList& bands, const QString& action);

// The records of the sorted copy: sorted by key (a stable sort, so equal keys
// keep their order), the bands of 10100 MHz and above merged into the first
// of them (their numbers added), the band written back from its key, and only
// the records with a count above zero kept. A band that is neither "SAT" nor a
// number above zero is not a band and is left out.
QList<PointsRecord> SortPointsRecords(const QList<PointsRecord>& records);

// The text of the sorted copy (CR LF line ends).
QString SortedPointsText(const QList<PointsRecord>& sorted);

// Sorts the points file of the folder into the sorted copy beside it (both
// names matched without case) and returns the records as written. False in
// *written when the copy could not be written.
QList<PointsRecord> SortPointsFile(const QString& folder, bool* written = nullptr);

// Reads the sorted copy as a stream of list fields, six to a record.
QList<PointsRecord> ReadSortedPointsFile(const QString& path);

}  // namespace zotra
