// The host logbook as the extraction reads it: one record at a time, by
// record number, from either generation.
//   "NEW": a database file ending in "HDB", read only through the logbook's
//          own libraries (marqen50.dll beside the database, mqdll2vb.dll in
//          the program folder), loaded by full path.
//   "OLD": the Ver4 pair base + "DBS" / base + "DBR", read from the files.
// Every existence check and every message goes through the dialogs.
#pragma once

#include "HostLibrary.h"
#include "QsoRecord.h"
#include "Ver4Logbook.h"

#include <QSet>
#include <QString>

namespace zotra {

class Dialogs;

enum class LogbookMode { New, Old };

// "NEW" when the last three characters of the path, upper-cased, are "HDB".
LogbookMode ModeOfPath(const QString& databasePath);

// The start-up check of the two locations kept in the settings ("MARQEN" and
// "MST"): false, after "Marqen.DBS が見つかりません" or "Marqen.Mst が見つかりません"
// with the path, when one does not exist (the program ends).
bool CheckLogbookLocations(const QString& databasePath, const QString& masterPath, Dialogs& dialogs);

// The band name of a FreqPCheck code: 0 "1.9" … 14 "5600", 15 "SAT"; empty
// for any other code.
QString BandOfCode(int code);

struct FrequencyBand {
  QString band;          // empty: the band is not known
  // Above the logbook's own bands (FreqPCheck knew no band for the text; a
  // Ver4 text of 10 GHz and up): the caller looks it up in the centimetre-band
  // table (and keeps the text as the note).
  bool unknownCode = false;
};

class Logbook {
 public:
  enum class OpenResult {
    Opened,
    Failed,  // told; the run goes on and finds no QSO
    Fatal,   // told; the program ends
  };

  explicit Logbook(Dialogs& dialogs);
  ~Logbook();
  Logbook(const Logbook&) = delete;
  Logbook& operator=(const Logbook&) = delete;

  // Opens the logbook at the start of a run; programFolder is where
  // mqdll2vb.dll lies. In mode "OLD" first announces "MARQEN Ver4.x モードで動作します".
  OpenResult Open(const QString& databasePath, const QString& programFolder);
  bool IsOpen() const { return open_; }
  LogbookMode Mode() const { return mode_; }
  // The records that can be read: 1 to RecordCount(); 0 when not open.
  qint32 RecordCount() const { return open_ ? count_ : 0; }
  // Reads record n into *record (field texts trimmed). False when n is not a
  // record of the logbook or the record is damaged (the first damaged record
  // is told at once, the rest counted and told on closing).
  bool Read(qint32 number, QsoRecord* record);
  // The same in two steps, so that a record outside the period costs little:
  // ReadTime reads the record's number, date and time (in mode "NEW" the
  // fields 2 and 3), ReadRest, right after it, the whole record (in mode
  // "NEW" MQW_read once more and every field, 0 to 16, in order).
  bool ReadTime(qint32 number, QsoRecord* record);
  bool ReadRest(QsoRecord* record);
  // The band of a record's frequency text: FreqPCheck in mode "NEW", the Ver4
  // prefix rules in mode "OLD" (a text no rule places is told with the record
  // number, and the band stays empty; a text of 10 GHz and up is left to the
  // centimetre-band table in both modes).
  FrequencyBand BandOfFrequency(const QString& frequency, qint32 recordNumber);
  // Ends the run: closes the database (and unloads the libraries).
  void Close();

  // The window's database label in mode "OLD": base + "DBS", shown in red
  // (`DatabaseLabelWarning`) while the files are being looked for and when
  // they are missing.
  const QString& DatabaseLabel() const { return label_; }
  bool DatabaseLabelWarning() const { return labelWarning_; }

 private:
  OpenResult OpenNew(const QString& path, const QString& programFolder);
  OpenResult OpenOld(const QString& path);
  void ClampToReadable(const QString& path, qint32 headerCount, qint32 readable);
  void TellDamaged(qint32 number, const QString& how);
  bool ReadCurrent(qint32 number);
  void ReadFields(int first, int last, QsoRecord* record);
  bool ReadOld(qint32 number, QsoRecord* record, bool whole);

  Dialogs& dialogs_;
  LogbookMode mode_ = LogbookMode::New;
  bool open_ = false;
  qint32 count_ = 0;
  HostLibrary library_;
  Ver4Logbook ver4_;
  QString label_;
  bool labelWarning_ = false;
  QSet<qint32> damaged_;
  QSet<qint32> guessed_;
};

}  // namespace zotra
