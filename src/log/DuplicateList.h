// The duplicate list "zotradup.wk" as the log program shows it: one row per
// key line of a QSO in a duplicate group, the group's first QSO numbered.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zotra {

struct DuplicateListRow {
  QString group;   // "1", "2", … on the first QSO of a group, else empty
  QString number;  // QSO number (the key's record number as a number)
  QString call;
  QString date;    // MM/DD
  QString time;
  QString band;
  QString mode;
  bool operator==(const DuplicateListRow&) const = default;
};

QList<DuplicateListRow> ParseDuplicateList(const QStringList& lines);
// A missing file gives no rows.
QList<DuplicateListRow> ReadDuplicateList(const QString& path);

}  // namespace zotra
