// The older logbook generation ("Ver4.x"), read straight from its two files:
// the "DBS" file (16-byte header with the record count in bytes 8 to 10, then
// 58-byte QSO records) and the "DBR" file (the QTH, remarks and name texts
// that a record points to). The layout is the host logbook's (hostlog/README.md).
#pragma once

#include "QsoRecord.h"

#include <QFile>
#include <QString>

#include <vector>

namespace zotra {

// The band of a frequency text by the Ver4 prefix rules; empty when no rule
// matches. A satellite's text ("S145.965") is "SAT", as the current
// generation has it. A text with its point at position 6 (10 GHz and up)
// is left to the centimetre-band table, as the current generation leaves
// every band above 5600 MHz: *centimetre (when given) is set and the band is empty.
QString Ver4BandOfFrequency(const QString& frequency, bool* centimetre = nullptr);

class Ver4Logbook {
 public:
  enum class Damage {
    None,
    Texts,   // the record's QTH, remarks and name cannot be found: read without them
    Record,  // date, time or zone are not a QSO's: the record cannot be read
  };

  struct ReadResult {
    bool read = false;
    Damage damage = Damage::None;
    // A frequency that could not be decoded: the band the record's band mark
    // gives ("7"), which becomes the record's frequency text.
    QString guessedBand;
  };

  ~Ver4Logbook();

  // Opens both files for reading. False when one cannot be opened or the
  // "DBS" file does not start with the Ver4 header.
  bool Open(const QString& dbsPath, const QString& dbrPath);
  bool IsOpen() const { return dbs_.isOpen(); }
  // The count in the header, and how many whole records the file holds.
  qint32 HeaderCount() const { return headerCount_; }
  qint32 RecordsInFile() const { return recordsInFile_; }

  // Decodes record n (1 ≤ n ≤ the header count and within the file); with
  // `whole` false only its number, date and time (the texts in the "DBR"
  // file are not looked at).
  ReadResult Read(qint32 n, QsoRecord* record, bool whole = true);
  void Close();

 private:
  const char* RecordBytes(qint32 n);
  bool ReadTexts(quint32 offset, QString texts[4]);

  QFile dbs_;
  QFile dbr_;
  qint32 headerCount_ = 0;
  qint32 recordsInFile_ = 0;
  std::vector<char> window_;
  qint32 windowFirst_ = 0;
  qint32 windowRecords_ = 0;
};

}  // namespace zotra
