// A strict reader of the finished JARL electronic log, R2.1 or R1.0, as the
// sponsor's reader takes it: the summary sheet's control tags (the version's
// list, the tags it requires, the values they take), then the log sheet with
// one QSO a line in the published columns (DATE TIME BAND MODE CALLSIGN
// SENT-RST SENT-No RCV-RST RCV-No [Multi [Pts]]), its QSOs counted against
// the summary. It reads the file's bytes (CP932, CR LF) and returns every
// fault it finds, in Japanese, one line each, those of one line headed by the
// line's number ("27 行目: "); a well-formed file gives none. The submission
// window and zotra-batch summary and all read every finished log back with it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace zotra {

struct ElectronicLogCheck {
  int version = 2;                 // 2 R2.1, 1 R1.0
  bool timeOrder = false;          // the QSO lines must stand in date and time order
  std::optional<qint64> qsoCount;  // the summary's QSO count, when known
};

QStringList CheckElectronicLog(const QByteArray& file, const ElectronicLogCheck& check = {});

// The message that lists what the reader found in the file at `path`: a
// heading, at most `shown` of the faults, and how many more there are.
QStringList ElectronicLogFaultLines(const QString& path, const QStringList& faults, int shown = 20);

}  // namespace zotra
