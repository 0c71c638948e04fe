// What the electronic log and the text summary are made from, and the pieces
// both share: the band list walked against the points file, the band log
// files of the log program, the contest name as headings write it, and the
// finished files in the station folders.
#pragma once

#include "DefinitionEntries.h"
#include "PointsFile.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace zotra {

class Dialogs;
struct OutputContext;

// The definition, the points file "ZOTRAPOI.DAT" as the log program wrote it,
// the two boxes of the totals window and the run state of the print job.
struct OutputData {
  DefinitionEntries definition;
  QList<PointsRecord> points;
  QString coefficientText;  // the coefficient box
  QString scoreText;        // the score box, formatted ("21,200")
  QString commentOverride;  // replaces the third comment line when not empty
  bool club = false;        // registered-club fields are written
  QDate today;

  // The definition's n-th value of a key (1 for the first).
  QString Value(const QString& key, int n = 1) const { return definition.Value(key, n); }
};

OutputData ReadOutputData(const OutputContext& context);

// One band of a band list with its record of the points file: the first
// record whose band is that text; all numbers 0 and texts empty when none.
struct BandValues {
  QString band;
  PointsRecord record;  // the texts as read
  int count = 0;
  int multi1 = 0;
  int multi2 = 0;
  int multi3 = 0;
  int points = 0;

  bool AnyValue() const { return count != 0 || multi1 != 0 || multi2 != 0 || multi3 != 0 || points != 0; }
  // Added in 64 bits: a hand-edited points file may hold any int.
  qint64 MultiplierSum() const { return qint64(multi1) + multi2 + multi3; }
  // The sum as the files write it: empty when below 1.
  QString MultiplierSumText() const;
};
BandValues LookUpBand(const QList<PointsRecord>& points, const QString& band);

// The stem of a band's log files: the band up to its first "." ("1.9" gives
// "1", "3.5" gives "3", "10125" and "SAT" stay whole).
QString BandStem(const QString& band);

// The lines of the band log files (stem + extension, ".JARL" or ".MHz") of
// every band of the list that has a value in the points file, in list order.
// A band file that does not exist is skipped. *anyFile: whether any file was
// taken.
QStringList CollectBandLogs(const QString& folder, const QStringList& bands, const QList<PointsRecord>& points,
                            const QString& extension, bool* anyFile = nullptr);

// A file name that stays inside its folder and can be written everywhere:
// "\", "/", ":", "*", "?", the double quote, "<", ">", "|" and control
// characters become "_", and so does a leading "..". Everything else stays.
QString SafeFileName(const QString& name);

// The dates as the files write them: "2024年06月16日" and "2024/06/16".
QString JapaneseDate(const QDate& date);
QString SlashDate(const QDate& date);

// Where a finished file of that name lies in the folder: the name cut to
// what the file system takes (FitFileName: the year and the beginning of the
// name stay, and the extension), matched without case against the files
// already there.
QString FinishedFilePath(const QString& folder, const QString& fileName);

// Writes a finished file safely (a temporary file renamed over the old one)
// at FinishedFilePath, the folder created when missing; a name that had to
// be cut is told with the path written. On failure the user is told, the old
// file stays as it was, and the empty text is returned; otherwise the path
// written.
QString WriteFinishedFile(const QString& folder, const QString& fileName, const QStringList& lines,
                          Dialogs& dialogs);

// Deletes the working files the assembly once kept in the program folder
// ("オールログ.txt", "サマリー.TXT", "JARL.TXT", "WORKJ.TMP") when an earlier
// run left them.
void DeleteWorkingFiles(const QString& folder);

}  // namespace zotra
