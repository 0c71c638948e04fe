// A strict reader of the JARL electronic log, version R2.1, as the sponsor
// publishes it: the summary sheet's control tags (the R2.1 list, the tags it
// requires, the values they take), then the log sheet with one QSO a line in
// the published columns (DATE TIME BAND MODE CALLSIGN SENT-RST SENT-No
// RCV-RST RCV-No [Multi [Pts]]). It reads the file's bytes as the sponsor's
// reader does (CP932, CR LF) and returns every complaint, one line each; a
// well-formed file gives none.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace zotra::test {

struct JarlCheckOptions {
  bool timeOrder = false;  // the QSO lines must stand in date and time order
};

QStringList CheckJarlR21(const QByteArray& file, const JarlCheckOptions& options = {});

}  // namespace zotra::test
