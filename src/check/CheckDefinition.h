// What the sort-and-check step takes from the contest definition: the bands
// to choose from, and the heading of the duplicate check list.
#pragma once

#include <QString>
#include <QStringList>

namespace zotra {

// The band every QSO above 10100 MHz carries in the work files.
inline const QString kMicrowaveBand = QStringLiteral("10125");

struct CheckDefinition {
  bool found = false;
  QStringList bands;    // the band list, in file order
  QString myCall;
  QString contestName;
  QString year;         // of the contest's start
};

// Scans the definition's fields (keys compared in upper case): "SELFREQ"
// band and points (bands with points below 0 are left out; every band above
// 10100 MHz is the one entry "10125", at the place of the first of them),
// "MYCALL", "CONTESTNAME", and the year of "開始".
CheckDefinition ReadCheckDefinition(const QString& path);

// The band list of a definition's bands in file order, as ReadCheckDefinition
// builds it.
QStringList CheckBandList(const QStringList& activeBands);

}  // namespace zotra
