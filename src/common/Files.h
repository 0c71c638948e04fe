// Files and folders: existence tests, case-insensitive names, whole-file text
// reading and writing in CP932 with CR LF, safe replacement of files that must
// not be lost, and deleting by pattern.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QFileDevice;

namespace zotra {

class Dialogs;

// True when the file can be opened for reading and closed again: a missing
// file, a folder, an unreadable file or an empty path give false.
bool FileExists(const QString& path);

// True when the path names a folder (one trailing separator is ignored).
bool FolderExists(const QString& path);

// Creates the folder (one trailing separator removed) when it does not exist.
// Returns true when it was created now; false when it existed already or could
// not be created. Callers may ignore the result.
bool EnsureFolder(const QString& path);

// True when a directory search for the path finds an entry (file or folder);
// false for an empty path.
bool FolderFound(const QString& path);

// The path with the separator of the platform at its end.
QString WithSeparator(const QString& folder);

// The file of that name in the folder, matched without regard to case. When no
// entry matches, the path is the folder plus the name as spelled, so that a new
// file takes the spelling its writer uses. The name may hold sub-folders
// ("LogData/提出.txt"); each part is matched the same way.
QString ResolveInFolder(const QString& folder, const QString& name);

// A full path whose last part is matched without regard to case in its folder.
QString ResolvePath(const QString& path);

// A file name the folder's file system takes: stem + extension, the stem cut
// at its end (whole characters) when the name is longer than the longest
// name there (counted as the file system counts it: bytes of the file name
// encoding, or UTF-16 units on Windows), with room for the temporary name of
// a safe write. The name itself when it fits.
QString FitFileName(const QString& folder, const QString& stem, const QString& extension);

// Deletes the files of the folder whose names match the wildcard pattern
// ("*.sve", "*.MHz") without regard to case. Returns how many were deleted.
int DeleteMatching(const QString& folder, const QString& pattern);

// Deletes one file when present (the name resolved without case). True when
// the file is gone afterwards.
bool DeleteFile(const QString& path);

// ---- whole-file reading and writing ------------------------------------------

// Reads a file's bytes; false when it cannot be read.
bool ReadBytes(const QString& path, QByteArray* bytes);

// Reads a CP932 text file whole. A missing or unreadable file gives false and
// an empty text. Undecodable bytes become U+FFFD.
bool ReadText(const QString& path, QString* text);

// Reads a CP932 text file as lines (CR LF, LF or CR end a line).
bool ReadLines(const QString& path, QStringList* lines);

enum class WriteMode {
  Plain,  // the file is truncated and written
  Safe,   // written to a temporary file in the same folder, then renamed over
};

// Writes text as CP932. Characters CP932 cannot hold are written as "?"; the
// user is told once for the file through the dialogs (when given). The caller
// supplies the line ends.
bool WriteText(const QString& path, const QString& text, WriteMode mode = WriteMode::Plain,
               Dialogs* dialogs = nullptr);

// Writes lines, each ended by CR LF.
bool WriteLines(const QString& path, const QStringList& lines, WriteMode mode = WriteMode::Plain,
                Dialogs* dialogs = nullptr);

// Writes bytes; Safe mode replaces the file only when everything was written.
bool WriteBytes(const QString& path, const QByteArray& bytes, WriteMode mode = WriteMode::Plain);

// Tells the user once that a file holds characters that were written as "?".
void ReportLossyWrite(const QString& path, Dialogs* dialogs);

// ---- write faults, for tests ----------------------------------------------
//
// Tests make a write fail the way a full disk does, or stop it halfway, in
// their own process or in a whole program they start, through variables:
//   ZOTRA_WRITE_FAULT=patterns  a write of a file whose name matches one of
//       the comma-separated wildcard patterns (without regard to case) puts
//       half of its bytes into the file it writes (for a safe write: the
//       temporary file), then fails with "No space left on device".
//   ZOTRA_WRITE_STALL=patterns  such a write puts half of its bytes there,
//       flushes them, creates the file ZOTRA_WRITE_STALL_MARK (when set) and
//       waits until the process is killed.
//   ZOTRA_READ_FAULT=patterns  reading such a file fails as reading a file
//       that is there but cannot be read does.
enum class WriteFault { None, Fail, Stall };
WriteFault WriteFaultFor(const QString& path);
bool ReadFaultFor(const QString& path);

// For a writer that keeps its own file open until it commits it: puts the
// fault the tests ask for on `path` into effect on that file before the
// commit. True when the write must fail; a stalled write never returns.
bool InjectedWriteFault(QFileDevice& file, const QString& path);

// A text file written line by line (CP932, CR LF), for long passes that show
// progress and may be cut short: what was written stays in the file.
class LineWriter {
 public:
  LineWriter() = default;
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Creates (truncates) the file. False when it cannot be created.
  bool Open(const QString& path, Dialogs* dialogs = nullptr);
  // Appends to the file, creating it when missing.
  bool OpenAppend(const QString& path, Dialogs* dialogs = nullptr);
  bool IsOpen() const;
  // Writes the text and CR LF.
  bool WriteLine(const QString& line);
  // Writes the text as it is (no line end).
  bool Write(const QString& text);
  // Closes the file; tells the user once when characters were lost.
  bool Close();

 private:
  struct Impl;
  Impl* impl_ = nullptr;
};

}  // namespace zotra
