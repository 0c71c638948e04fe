// Writers of the host logbook's files: the current database, the Ver4 pair and
// the master file. Used by the importer, the data build and the tests; the
// libraries and the extraction only read.
#pragma once

#include "HostFormat.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace marqen {

// The seventeen field texts of one QSO, numbered as MqwString numbers them.
struct QsoEntry {
  std::array<QString, 17> fields;
};

// Field numbers.
enum QsoFieldNumber {
  kNumberField = 0, kCallField = 1, kDateField = 2, kTimeField = 3, kHisRstField = 4, kMyRstField = 5,
  kFrequencyField = 6, kModeField = 7, kAreaField = 8, kGridField = 9, kQslField = 10, kNameField = 11,
  kQthField = 12, kRemarks1Field = 13, kRemarks2Field = 14, kPowerField = 15, kOperatorField = 16,
};

// The Japanese name of a field, for the writers' notes ("呼出符号", "名前", …).
QString FieldLabel(int field);

// A text the writer had to change: cut to its room, or with characters that
// the Japanese code page cannot hold written as "?".
struct WriteNote {
  int field = 0;
  QString text;  // what happened, in words
};

// The current database: header, then fixed records (README.md).
class HdbWriter {
 public:
  ~HdbWriter();
  bool Open(const QString& path);
  // Adds one record; what had to change is appended to *notes.
  bool Add(const QsoEntry& entry, QList<WriteNote>* notes = nullptr);
  // Writes the record count into the header and closes the file.
  bool Close();
  qint32 Count() const { return count_; }
  QString ErrorText() const { return file_.errorString(); }

 private:
  QFile file_;
  qint32 count_ = 0;
};

// The Ver4 pair: base + "DBS" (header, 58-byte records) and base + "DBR" (the
// variable texts). The base ends in "." ("…/MARQEN.").
class Ver4Writer {
 public:
  ~Ver4Writer();
  bool Open(const QString& base);
  // Adds one record. False (with a note) when its date or time cannot be held.
  bool Add(const QsoEntry& entry, QList<WriteNote>* notes = nullptr);
  bool Close();
  qint32 Count() const { return count_; }

 private:
  QFile dbs_;
  QFile dbr_;
  qint32 count_ = 0;
};

// A record of the master file.
struct MasterRecord {
  QString code;    // "1001", "100110", "01001", "10007A"
  QString name;    // "千代田区"
  char level = '4';  // "2" prefecture … "8", README.md
  QString region;  // two-digit prefecture number
};

enum class MasterVersion { Records55, Records56, Records56CodeFirst };

bool WriteMaster(const QString& path, const QList<MasterRecord>& records, MasterVersion version);

// The master records of the public area-number list (code, name, prefecture,
// level per line, tab-separated, a heading line first): every row, plus a city
// record for each city that the list gives only through its wards.
QList<MasterRecord> MasterRecordsFromList(const QString& listText, QStringList* problems);

// "hokkaido.txt" lines ("code,number") from the Hokkaido list (code,
// subprefecture, … per line, tab-separated, a heading line first), plus the
// city of the Sapporo wards.
QStringList HokkaidoLinesFromList(const QString& listText, QStringList* problems);

}  // namespace marqen
