// The extraction: from the host logbook to the first work file "zotra.wk1".
//
// A run opens the logbook and reads every record of it, from the first to the
// last, whatever their order. Each record goes through the record rules: zone
// and period, area-code editing, the text clean-up, mode and band with their
// points, the invalid-QSO mark, the sent and received numbers, the
// multipliers, the call sign and the note. A kept QSO is written at once as
// one line of sixteen quoted fields (CP932, CR LF), so a run cut short leaves
// every QSO found so far in the file, and never half a line. Every record not
// taken is counted under the reason the rules dropped it for.
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
#include <optional>

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

// ---- why a record is not taken ------------------------------------------------------

// In the order the account lists them.
enum class SkipReason {
  OutsidePeriod,     // "期間外"
  BandNotTaken,      // "参加バンド外"
  ModeNotTaken,      // "参加モード外"
  UnknownFrequency,  // "周波数不明": the frequency lies in no band
  OtherZone,         // "時刻の基準違い": logged in the other zone, not converted
  Unreadable,        // "読めない記録": damaged, or no date or time
  MarkedInvalid,     // "無効交信": marked by the logbook's contest check, with "無効削除"
};
inline constexpr int kSkipReasons = 7;

QString SkipReasonText(SkipReason reason);

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

  // Rules 1 and 2, which need only the record's date and time: its time in
  // the contest's zone (converted when the convert flag is on), or why the
  // record is not the contest's: no date or time, logged in the other zone
  // (a QSO that converted would lie in the period), outside the period.
  // *logged (when given) gets the time as logged, when there is one.
  std::optional<SkipReason> ContestTime(const QsoRecord& record, QsoTime* time, QsoTime* logged = nullptr) const;

  // The other rules, for a record whose time is the contest's (its texts are
  // changed). Skipped with the reason in *reason; Cancelled when the operator
  // ends the run at a conversion error.
  Outcome Apply(QsoRecord& record, const QsoTime& time, const BandLookup& bandOf, ExtractedQso* out,
                SkipReason* reason = nullptr);
  // All the rules.
  Outcome Apply(QsoRecord& record, const BandLookup& bandOf, ExtractedQso* out, SkipReason* reason = nullptr);

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
  qint64 start_ = 0, end_ = 0;  // the period's keys as numbers
};

// ---- a whole run ----------------------------------------------------------------------

struct ExtractProgress {
  enum class Phase { Reading, Finished };
  Phase phase = Phase::Reading;
  qint32 record = 0;    // the record being read
  qint32 lastRecord = 0;
  int kept = 0;
  QString lastDate;     // "YYYY/MM/DD hh:mm" of the last kept QSO
  QString lastCall;
};

// What the window does while a run goes on.
class ExtractObserver {
 public:
  virtual ~ExtractObserver() = default;
  // Called before the first record, every few hundred records and after the
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
  qint32 lastRecord = 0;   // the logbook's record count (0: nothing could be read)
  // The records not taken, by reason (index: SkipReason).
  std::array<int, kSkipReasons> skipped{};
  // The dates of the logbook's first and last QSO in time, "YYYY/MM/DD" as
  // logged; empty when no record had a date and time.
  QString firstDate, lastDate;

  int Skipped(SkipReason reason) const { return skipped[static_cast<std::size_t>(reason)]; }
};

// "<reason> N 件" for every reason that dropped a record, in the order of
// SkipReason.
QStringList SkipLines(const ExtractResult& result);

// The message at the end of a run: the QSOs taken, and each reason with its
// count, the period and the logbook's dates beside "期間外", a hint beside
// "時刻の基準違い".
QString ExtractAccount(const ExtractResult& result, const ExtractDefinition& definition);

// The run: opens the logbook, creates "zotra.wk1", reads every record, writes,
// closes both. `databaseLabel` (when given) is told the logbook label to show.
ExtractResult RunExtraction(const ExtractInput& input, Dialogs& dialogs, ExtractObserver* observer = nullptr,
                            const std::function<void(const QString& label, bool warning)>& databaseLabel = {});

}  // namespace zotra
