// Helpers shared by the tests: temporary program folders, CP932 files written
// from UTF-8 literals, and whole programs run headless with scripted dialogs.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>

// Readable failure output for Qt texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{';
  for (const QString& s : l) *os << '"' << s.toStdString() << "\" ";
  *os << '}';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << b.toHex(' ').toStdString(); }

namespace zotra::test {

// A temporary program folder, removed at the end of the test.
class TempFolder {
 public:
  TempFolder();
  QString Path() const { return dir_.path(); }
  // Full path of a file in the folder.
  QString File(const QString& name) const;
  // Writes text as CP932; line ends as given.
  void WriteCp932(const QString& name, const QString& text) const;
  void WriteBytes(const QString& name, const QByteArray& bytes) const;
  QByteArray ReadBytes(const QString& name) const;
  // Reads a CP932 file as text.
  QString ReadCp932(const QString& name) const;
  bool Exists(const QString& name) const;
  // Names of the entries of the folder, sorted.
  QStringList Entries() const;
  // Copies a built program (and whatever it needs beside it) into the folder.
  void InstallProgram(const QString& executable) const;

 private:
  QTemporaryDir dir_;
};

// Lines joined with CR LF, with a final CR LF.
QString CrLf(const QStringList& lines);

struct ProgramResult {
  int exitCode = -1;
  bool finished = false;        // ended within the time allowed
  QStringList dialogs;          // scripted dialog records (see Dialogs.h)
  QStringList started;          // programs it started (program<TAB>arguments)
  QByteArray standardOutput;
  QByteArray standardError;
};

struct RunOptions {
  QStringList answers;               // ZOTRA_DIALOG_ANSWERS
  QMap<QString, QString> environment;  // further variables
  int timeoutMs = 30000;
};

// Runs a program of the folder (installed with InstallProgram) headless.
ProgramResult RunProgram(const TempFolder& folder, const QString& executable, const QStringList& arguments,
                         const RunOptions& options = {});

// A scripted dialog record's fields: kind, title, text, buttons, answer.
QStringList DialogFields(const QString& record);

// The path of a built program in the build's program folder.
QString BuiltProgram(const QString& executable);

}  // namespace zotra::test
