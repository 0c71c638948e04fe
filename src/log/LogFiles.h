// The log part of the JARL electronic log and the text log of one band, written
// by the output pass: "HED.JARL" (heading and dash records), "HED2.JARL" (one
// heading line), the band file (band part + ".JARL", one record per valid QSO)
// and the text log (band part + ".MHz"), built through the scratch file
// "TempP.tmp". Every file is CP932 with CR LF; every record is a row of
// fixed-width fields, cut at whole characters.
//
// The totals program reads "HED.JARL" and the band files by these formats.
#pragma once

#include "LogSession.h"
#include "Scoring.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace zotra {

class Dialogs;

inline const QString kHeadingFileName = QStringLiteral("HED.JARL");
inline const QString kHeadingLineFileName = QStringLiteral("HED2.JARL");
inline const QString kScratchFileName = QStringLiteral("TempP.tmp");

// Field widths in CP932 bytes: the electronic-log record (74 bytes before
// CR LF) and the text-log record (79 bytes before CR LF).
inline constexpr int kElectronicLogWidths[] = {11, 6, 7, 6, 11, 4, 8, 4, 8, 7, 2};
inline constexpr int kTextLogWidths[] = {6, 6, 11, 14, 14, 8, 4, 8, 8};

// A record from its fields: each cut or padded to its width.
QString FixedRecord(const QStringList& fields, const int* widths, int count);
QString ElectronicLogRecord(const QStringList& fields);
QString TextLogRecord(const QStringList& fields);

// The band part of a band selection: the text before its first "." ("3.5"
// gives "3", "10.1" gives "10"; "7", "10125", "SAT", "ALL" stay whole).
QString BandPart(const QString& bandSelection);
QString BandFileName(const QString& bandSelection);  // band part + ".JARL"
QString TextLogFileName(const QString& bandSelection);  // band part + ".MHz"

// The band field of the electronic log: "1.9" and "3.5" as they are, any
// other band with a "." as its part before the "." followed by "000"
// ("10.1" gives "10000"); then two blanks, right-aligned in 7 characters.
QString ElectronicLogBand(const QString& band);

// A sent or received exchange split for the electronic log. With a report in
// front, the report is characters 1 to 3 trimmed and the number the rest,
// trimmed, without blanks ("599 13 M" gives "599" and "13M"). Without one (the
// contest has no report item), the report is blank and the whole exchange,
// without blanks, is the number.
struct ExchangeParts {
  QString report;
  QString number;
};
ExchangeParts SplitExchange(const QString& exchange, bool withReport);

// The fixed records of the files.
QString ElectronicLogHeadingRecord();  // "DATE(JST)  TIME  " …
QString ElectronicLogDashRecord();
QString HeadingLine();                 // the line of "HED2.JARL"
QString TextLogEqualsRecord();
QString TextLogHeadingRecord(bool jst);
QString TextLogDashRecord();
// " Total", the QSO count by "######0", the multipliers' sum by "###", the
// points by "####".
QString TextLogTotalRecord(const OutputTotals& totals);

// The records of one QSO row (valid rows only; the caller skips the others).
QString ElectronicLogRecordOf(const QsoTable& table, int row, const LogDefinition& definition);
QString TextLogRecordOf(const QsoTable& table, int row);

// The two heading lines the text log puts after its first line.
QStringList TextLogHeadingLines(const LogDefinition& definition, const QString& bandSelection);

// Writes the four files of one output pass. Nothing of the earlier files is
// replaced until the whole pass has succeeded: the files are written to
// temporary files beside them (and the text log's records to "TempP.tmp")
// and put in place by Commit. Any file error stops the pass: Error() names
// the file, and the earlier files stay as they were.
class LogFileWriter {
 public:
  LogFileWriter(const QString& folder, const LogSession& session);
  ~LogFileWriter();
  LogFileWriter(const LogFileWriter&) = delete;
  LogFileWriter& operator=(const LogFileWriter&) = delete;

  // Set-up before the first row: the scratch file with its three records,
  // "HED.JARL", "HED2.JARL" and the band file opened. False on a file error.
  bool Begin();
  // One valid QSO row: its text-log record to the scratch file, its
  // electronic-log record to the band file.
  bool Add(int row);
  // Completion: the scratch file's dash, total and "=" records, then the
  // text log from it; the scratch file is deleted; every file is flushed, so
  // that a disk that refuses their last bytes stops the pass here.
  bool Finish(const OutputTotals& totals);
  // Puts the four files in place. False (with Error()) when one could not be
  // put in place.
  bool Commit(Dialogs* dialogs);
  // Drops everything written (temporary and scratch files).
  void Abort();

  // What failed, for the user: "ファイル <path> に書き込めません" and the
  // system's reason.
  const QString& Error() const { return error_; }
  // The full paths of the four files, in the order above.
  QStringList Paths() const;

 private:
  struct Impl;
  bool Fail(const QString& path);
  std::unique_ptr<Impl> impl_;
  QString error_;
};

}  // namespace zotra
