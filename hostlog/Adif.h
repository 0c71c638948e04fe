// ADIF (.adi) files, as any ADIF 2 or 3 producer writes them, and their QSOs
// as records of the host logbook.
#pragma once

#include "LogbookFiles.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace marqen {

struct AdifRecord {
  int number = 0;                  // 1-based, in file order
  QMap<QString, QString> fields;   // names in upper case
  QString Value(const QString& name) const { return fields.value(name); }
};

struct AdifFile {
  QList<AdifRecord> records;
  QStringList problems;  // broken lengths, tags without a length, a last record without <EOR>
};

// Reads the records after the header (<EOH>). A length may count bytes or
// characters (producers differ); the one that ends the value where the next
// tag begins is taken; a length that fits neither takes the text up to the
// next tag, and the problem is listed. Values are UTF-8, or CP932 when they are
// not valid UTF-8.
AdifFile ParseAdif(const QByteArray& bytes);

struct ImportOptions {
  QChar zone = QLatin1Char('U');  // 'J': times are converted to JST
  QString areaField;              // empty: the received exchange (SRX_STRING, else SRX)
};

// One ADIF record as the seventeen field texts (README.md lists the mapping).
// False, with the reason, when the record cannot be a QSO of the logbook.
// What was made of a FREQ or BAND that did not fit is added to *notes: a
// FREQ in kHz taken as such, a FREQ that disagrees with BAND or lies in no
// band, an unknown BAND.
bool EntryFromAdif(const AdifRecord& record, const ImportOptions& options, QsoEntry* entry, QString* reason,
                   QStringList* notes = nullptr);

// The area code of an exchange: its last word that starts with a digit, with
// a power letter (P, L, M or H) behind a code of 2, 3, 4 or 6 digits set apart
// by a blank ("599 13M" gives "13 M"); five digits and a letter stay a town code.
QString AreaCodeOfExchange(const QString& exchange);

// A frequency in MHz as the logbook keeps it: at least three decimals, no
// trailing zeros beyond them ("7.025", "14.000", "10368.100").
QString FrequencyText(double megahertz);

}  // namespace marqen
