// The extraction: from the host logbook to the first work file "zotra.wk1".
//
// A run opens the logbook, searches backwards for the first record worth
// reading, and walks forward to the last record. Each record goes through the
// record rules: zone and period, area-code editing, the text clean-up, mode
// and band with their points, the invalid-QSO mark, the sent and received
// numbers, the multipliers, the call sign and the note. A kept QSO is written
// at once as one line of sixteen quoted fields (CP932, CR LF), so a run cut
// short leaves every QSO found so far in the file, and never half a line.
#pragma once

#include "AreaCode.h"
#include "AreaTables.h"
#include "ExtractDefinition.h"
#include "Logbook.h"
#include "QsoRecord.h"
#include "QsoTime.h"
#include "menu/Environment.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>

namespace zotra {

class Dialogs;

inline const QString kExtractFileName = QStringLiteral("zotra.wk1");
// Every band above 10100 MHz is written as this band.
inline const QString kMicrowaveWorkBand = QStringLiteral("10125");

// ---- the centimetre-band table ------------------------------------------------

// "センチメートル波.txt" (lines band,low,high in MHz), read on first use; a
// missing file stays missing for the rest of the run.
class CentimetreBands {
 public:
  explicit CentimetreBands(QString path) : path_(std::move(path)) {}
  // The band of the first line, in file order, whose range holds the
  // frequency; empty when none does or there is no table.
  QString BandOf(const QString& frequency);
  bool Present();

 private:
  void Load();
  struct Row {
    int band, low, high;
  };
  QString path_;
  bool loaded_ = false;
  bool present_ = false;
  QList<Row> rows_;
};

// ---- one QSO of "zotra.wk1" -------------------------------------------------------

struct ExtractedQso {
  qint32 record = 0;
  QString band, mode, date, time, call;
  QString sentNumber, sentRst, receivedNumber, receivedRst;
  std::array<QString, 3> multipliers;
  QString points;
  QString note;
};

// The line of "zotra.wk1": sixteen quoted fields separated by commas, without
// the line end.
QString WorkLineText(const ExtractedQso& qso);

// ---- the options of the window ------------------------------------------------------

struct ExtractOptions {
  bool editAreas = false;      // Check3 "下記編集機能を使用する"
  AreaOptions area;            // the area-code controls and Check5
  bool frequencyNote = false;  // Check6 "10.1GHz 帯以上の場合 Rmk に使用バンドを印刷"
};

// ---- the record rules -----------------------------------------------------------------

// Helpers of the rules, for the window and the tests.
// The call sign without its "/" designator: its longest "/"-separated part
// (of equally long parts the later).
QString CallWithoutDesignator(const QString& call);
// Removes double quotes and commas from a free text: one at the first or last
// position is deleted, one inside is replaced by a blank.
QString WithoutQuotesAndCommas(const QString& text);
// A piece of a remark for the sent or received number: with a width the first
// `width` characters of the trimmed remark; with width 0 the part before the
// first "|" (nothing without one, or when it stands first).
QString RemarkPiece(const QString& remark, int width);
// The satellite's name between the first and the second "%" of a remark,
// cut at a "(".
QString SatelliteName(const QString& remark);

class RecordRules {
 public:
  enum class Outcome { Kept, Skipped, Cancelled };
  // The band of a record's frequency text (the logbook's own rules).
  using BandLookup = std::function<FrequencyBand(const QString& frequency, qint32 record)>;

  RecordRules(const ExtractDefinition& definition, const ModeAliases& aliases, const ExtractOptions& options,
              const AreaTables& tables, CentimetreBands& centimetre, Dialogs& dialogs);

  // The record's date and time in the contest's zone, as the rules take it:
  // false when the record has no date or time, or its zone is not the
  // contest's and may not be converted.
  bool ContestTime(const QsoRecord& record, QsoTime* time) const;

  // Applies the rules to one record (whose texts it changes). Cancelled when
  // the operator ends the run at a conversion error.
  Outcome Apply(QsoRecord& record, const BandLookup& bandOf, ExtractedQso* out);

 private:
  QString SentNumber(const QsoRecord& r) const;
  QString ReceivedNumber(const QsoRecord& r) const;
  QString Multiplier(int slot, const QsoRecord& r, const QString& call, const QsoTime& time,
                     const QString& receivedNumber, const QString& receivedRst) const;
  const PointsSlot* Find(const QList<PointsSlot>& table, const QString& name) const;

  const ExtractDefinition& definition_;
  const ModeAliases& aliases_;
  ExtractOptions options_;
  CentimetreBands& centimetre_;
  Dialogs& dialogs_;
  AreaCodeConverter converter_;
  bool convertJcc_ = false;
  bool convertQth_ = false;
};

// ---- the start-record search --------------------------------------------------------

// The first record to read: from the last record back in steps of 100 until a
// record's time lies before the contest's start (or record 1 is passed), then
// 400 records further back, not below 1. `timeOf` gives a record's time as
// the rules see it (false when it has none; such a record never stops the
// search). `probed` is told each record looked at.
qint32 FindFirstRecord(qint32 count, const QString& startKey,
                       const std::function<bool(qint32 record, QsoTime* time)>& timeOf,
                       const std::function<void(qint32 record)>& probed = {});

// ---- a whole run ----------------------------------------------------------------------

struct ExtractProgress {
  enum class Phase { Searching, Reading, Finished };
  Phase phase = Phase::Searching;
  qint32 record = 0;    // the record being read, or probed
  qint32 lastRecord = 0;
  int kept = 0;
  QString lastDate;     // "YYYY/MM/DD hh:mm" of the last kept QSO
  QString lastCall;
};

// What the window does while a run goes on.
class ExtractObserver {
 public:
  virtual ~ExtractObserver() = default;
  // Called at each change of phase, every few hundred records and after the
  // last one; false stops the run (Command2).
  virtual bool Progress(const ExtractProgress& progress) = 0;
};

struct ExtractInput {
  QString databasePath;   // "MARQEN"
  QString programFolder;  // mqdll2vb.dll, "zotra.wk1", "センチメートル波.txt"
  ExtractDefinition definition;
  ModeAliases aliases;
  ExtractOptions options;
  const AreaTables* tables = nullptr;
};

struct ExtractResult {
  enum class Status {
    Finished,      // every record read (or the logbook could not be opened: none)
    Stopped,       // Command2, or Cancel at a conversion error: back to the menu
    Fatal,         // the logbook's files or libraries are missing: the program ends
    WriteFailed,   // "zotra.wk1" could not be written (told)
  };
  Status status = Status::Finished;
  int kept = 0;
  qint32 firstRecord = 0;  // where reading began (0: nothing read)
  qint32 lastRecord = 0;
};

// The run: opens the logbook, creates "zotra.wk1", searches, reads, writes,
// closes both. `databaseLabel` (when given) is told the logbook label to show.
ExtractResult RunExtraction(const ExtractInput& input, Dialogs& dialogs, ExtractObserver* observer = nullptr,
                            const std::function<void(const QString& label, bool warning)>& databaseLabel = {});

}  // namespace zotra
