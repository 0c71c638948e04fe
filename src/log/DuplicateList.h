// The duplicate list "zotradup.wk" as the log program shows it: one row per
// key line of a QSO in a duplicate group, the group's first QSO numbered;
// each row's QSO in the table, and the QSOs that make every group keep only
// its earliest valid QSO.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace zotra {

class QsoTable;

struct DuplicateListRow {
  QString group;   // "1", "2", … on the first QSO of a group, else empty
  QString number;  // QSO number (the key's record number as a number)
  QString call;
  QString date;    // MM/DD
  QString time;
  QString band;
  QString mode;
  int row = 0;       // the QSO's table row (0: not found), see FindInTable
  QString identity;  // its call sign, band, mode and date when it was found
  bool operator==(const DuplicateListRow&) const = default;
};

QList<DuplicateListRow> ParseDuplicateList(const QStringList& lines);
// A missing file gives no rows.
QList<DuplicateListRow> ReadDuplicateList(const QString& path);

// Finds each listed QSO in the table as loaded, before any edit: the row with
// the listed QSO number (its last six digits, as the key holds it), date and
// time; each row is found once.
void FindInTable(QList<DuplicateListRow>* list, const QsoTable& table);

// The rows to make invalid so that every duplicate group keeps exactly its
// earliest valid QSO (in table order, the logbook's): the group's other valid
// QSOs, in table order. The groups are those of the check, formed by its
// criterion; a QSO whose call sign, band, mode or date was changed since it
// was found no longer belongs to its group.
std::vector<int> LaterDuplicateRows(const QList<DuplicateListRow>& list, const QsoTable& table);

// What the one-step invalidation tells: of the QSOs in duplicate groups, how
// many it made invalid (or that there was none to make invalid).
QString InvalidatedDuplicatesReport(int inGroups, int invalidated);

}  // namespace zotra
