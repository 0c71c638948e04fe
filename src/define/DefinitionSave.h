// Saving a contest definition: the questions for the Silver, Junior and
// Newcomer categories, the checks before writing, the file and the station
// folders, and the clearing of the earlier outputs.
#pragma once

#include "define/ContestDefinition.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zotra {

class Dialogs;
class Frame;

// The Silver age: two or three digits from 60 to 120; empty when cancelled.
QString AskSilverAge(Dialogs& dialogs);
// The Junior age: two digits from 01 to 21; empty when cancelled.
QString AskJuniorAge(Dialogs& dialogs);
// The Newcomer's licence date as "yyyy年mm月dd日", the year from five years
// before currentYear to currentYear; empty when cancelled.
QString AskLicenceDate(Dialogs& dialogs, int currentYear);

bool IsSilverCategory(const QString& code);
bool IsJuniorCategory(const QString& code);
bool IsNewcomerCategory(const QString& code);

// Results of the checks before writing.
enum SaveCheck {
  kSaveChecked = 0,
  kNoAge = -1,             // Silver or Junior without an age
  kNoLicenceDate = -2,     // Newcomer without a licence date
  kNoOperators = -3,       // multi-operator without the operators' call signs
  kNoJuniorOperators = -4, // multi-operator Junior without them
};

// The checks in their order: the category code upper-cased in place, the
// age or licence date asked for the categories that need one (else both
// empty), the operators of a multi-operator entry. Tells the user why a
// check fails and returns its negative result.
int CheckBeforeWriting(ContestDefinition* definition, Dialogs& dialogs, int currentYear);

// Writes the definition as "ZOTRAW.TST" in the program folder, points the
// setting "Tst" at it, and creates the two station folders. False (after
// telling the user why) when the file was not written; the old file is then
// left as it was. A call sign whose station folder would lie outside the
// program folder is refused before anything is written.
bool WriteDefinitionFiles(const Frame& frame, const ContestDefinition& definition, Dialogs& dialogs);

// The station folders of a call sign: program folder + name, and the same +
// "_JARL"; none for a call sign that gives no folder inside the program folder.
void EnsureStationFolders(const QString& folder, const QString& callSign);

// What a save that empties the points file would clear of the log program's
// work: the bands of the points file's records ("1.9MHz", "7MHz", in band
// order), then the band log files (".JARL", ".MHz") of no band among them, by
// their names.
QStringList ResultsToClear(const QString& folder);

// Whether a save empties the points file: asked when results would go
// (はい clear, いいえ keep them, キャンセル no save; Cancel by default); Clear
// without a question when there are none.
enum class ClearChoice { Clear, Keep, Cancel };
ClearChoice AskBeforeClearing(const QString& folder, Dialogs& dialogs);

// After a save: with clearPoints, an empty points file and the earlier
// outputs deleted (errors of the deleting ignored); the ".sve" copies deleted
// in any case. False when the points file could not be emptied.
bool ClearAfterSave(const QString& folder, bool clearPoints);

// The finished files of the results just cleared (FinishedFilePaths of the
// definition as it was) set aside: each renamed to its name + "." + the time
// ("20250620-153000") + ".old", so that it cannot pass for the current one;
// nothing is deleted. A file that cannot be renamed is told.
void SetFinishedFilesAside(const QStringList& paths, const QDateTime& now, Dialogs& dialogs);

// The message when the points file could not be emptied.
QString PointsNotClearedMessage(const QString& path);

}  // namespace zotra
