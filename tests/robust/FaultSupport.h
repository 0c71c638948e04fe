// What the fault tests share: writes that fail through the file layer's seam
// (ZOTRA_WRITE_FAULT), programs stopped halfway through a write and killed
// (ZOTRA_WRITE_STALL), folders the file system refuses to write, and a small
// full file system where the machine allows one.
#pragma once

#include "support/TestSupport.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace zotra::test {

// While it lives, every write of a file matching the patterns fails in this
// process (half written, then "disk full").
class ScopedWriteFault {
 public:
  explicit ScopedWriteFault(const QString& patterns);
  ~ScopedWriteFault();

 private:
  QByteArray previous_;
  bool had_ = false;
};

// The environment a whole program gets for a failing write.
QMap<QString, QString> FaultEnvironment(const QString& patterns);

// A program of the build's program folder started with the write of files
// matching `patterns` stopped halfway; it is killed (SIGKILL) once the write
// has begun. False when the program ended or never reached the write.
struct KilledRun {
  bool reachedWrite = false;
  bool killed = false;
  QByteArray standardError;
};
KilledRun RunAndKillDuringWrite(const TempFolder& folder, const QString& executable, const QStringList& arguments,
                                const QString& patterns, const QMap<QString, QString>& environment = {});

// The folder made unwritable for the file system: mode 0555, or for root the
// immutable attribute. Writable() tells whether that took hold here; the
// destructor undoes it.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(const QString& path);
  ~UnwritableFolder();
  bool Unwritable() const { return unwritable_; }

 private:
  QString path_;
  bool immutable_ = false;
  bool unwritable_ = false;
};

// The files of the folder that a killed or failed safe write may have left
// beside a file ("NAME.xxxxxx"), and the names of the folder besides them.
QStringList LeftoverTemporaryFiles(const TempFolder& folder, const QString& name);

// The previous version of a file: the lines of a UTF-8 text ("\n" between
// them) in the Japanese code page, each ended by CR LF.
QByteArray OldVersion(const char* utf8);

// The texts of a program's dialogs (the third field of each record).
QStringList DialogTexts(const ProgramResult& result);

}  // namespace zotra::test
