// The demo station laid out by demo/lay-out in a temporary folder, as
// `make run` lays it out (the programs stay in the build's program folder and
// run with --folder), for the tests of the whole road and of each window.
#pragma once

#include "support/TestSupport.h"

#include <QString>
#include <QStringList>

namespace zotra::test {

inline QString U8s(const char* utf8) { return QString::fromUtf8(utf8); }

class DemoFolder {
 public:
  DemoFolder();

  const TempFolder& folder() const { return t_; }
  QString Path() const { return t_.Path(); }
  QString File(const QString& name) const { return t_.File(name); }
  bool LaidOut() const { return laidOut_; }

  // The logbook made anew from an ADIF file (marqen-import --area-field CNTY).
  bool ImportLogbook(const QString& adif) const;
  // zotra-batch with --folder and the arguments, from the build's program folder.
  ProgramResult Batch(const QStringList& arguments) const;

 private:
  TempFolder t_;
  bool laidOut_ = false;
};

// The extraction options of the demo contest: area codes at prefecture level,
// Hokkaido by subprefecture.
QStringList DemoExtractOptions();

// The lines of a CP932 file with CR LF, each without its line end.
QStringList Cp932Lines(const QByteArray& bytes);

}  // namespace zotra::test
