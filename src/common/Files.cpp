#include "Files.h"

#include "Dialogs.h"
#include "Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace zotra {
namespace {

QString WithoutTrailingSeparator(const QString& path) {
  QString p = path;
  if (p.size() > 1 && (p.endsWith(QLatin1Char('/')) || p.endsWith(QLatin1Char('\\')))) p.chop(1);
  return p;
}

}  // namespace

bool FileExists(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  if (!info.isFile()) return false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  f.close();
  return true;
}

bool FolderExists(const QString& path) {
  const QString p = WithoutTrailingSeparator(path);
  if (p.isEmpty()) return false;
  return QFileInfo(p).isDir();
}

bool EnsureFolder(const QString& path) {
  const QString p = WithoutTrailingSeparator(path);
  if (p.isEmpty() || QFileInfo::exists(p)) return false;
  QDir().mkpath(p);
  return QFileInfo(p).isDir();
}

bool FolderFound(const QString& path) {
  if (path.isEmpty()) return false;
  return QFileInfo::exists(WithoutTrailingSeparator(path));
}

QString WithSeparator(const QString& folder) {
  if (folder.endsWith(QDir::separator()) || folder.endsWith(QLatin1Char('/'))) return folder;
  return folder + QDir::separator();
}

namespace {

// One name inside one folder, without regard to case.
QString ResolveOne(const QString& folder, const QString& name) {
  const QString exact = WithSeparator(folder) + name;
  if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return exact;
  if (QFileInfo::exists(exact)) return exact;
  const QDir dir(folder);
  const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return WithSeparator(folder) + entry;
  }
  return exact;
}

}  // namespace

QString ResolveInFolder(const QString& folder, const QString& name) {
  QString current = WithoutTrailingSeparator(folder);
  const QStringList parts = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'), Qt::SkipEmptyParts);
  if (parts.isEmpty()) return WithSeparator(current);
  for (const QString& part : parts) current = ResolveOne(current, part);
  return current;
}

QString ResolvePath(const QString& path) {
  if (path.isEmpty() || QFileInfo::exists(path)) return path;
  const QFileInfo info(path);
  return ResolveOne(info.path(), info.fileName());
}

namespace {

// What a safe write adds to the name for its temporary file (".XXXXXX").
constexpr int kTemporarySuffix = 7;

int LongestFileName(const QString& folder) {
#ifdef Q_OS_WIN
  Q_UNUSED(folder);
  return 255;
#else
  const long longest = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
  return longest > 0 ? int(qMin(longest, 4096L)) : 255;
#endif
}

int FileNameLength(const QString& name) {
#ifdef Q_OS_WIN
  return int(name.size());
#else
  return int(QFile::encodeName(name).size());
#endif
}

}  // namespace

QString FitFileName(const QString& folder, const QString& stem, const QString& extension) {
  const int longest = LongestFileName(folder) - kTemporarySuffix;
  QString cut = stem;
  while (!cut.isEmpty() && FileNameLength(cut + extension) > longest) {
    cut.chop(1);
    if (!cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);
  }
  return cut + extension;
}

int DeleteMatching(const QString& folder, const QString& pattern) {
  const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                              QRegularExpression::CaseInsensitiveOption);
  QDir dir(folder);
  int count = 0;
  for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (re.match(entry).hasMatch() && dir.remove(entry)) ++count;
  }
  return count;
}

bool DeleteFile(const QString& path) {
  const QString resolved = ResolvePath(path);
  if (!QFileInfo::exists(resolved)) return true;
  return QFile::remove(resolved);
}

// ---- whole files ---------------------------------------------------------------

bool ReadBytes(const QString& path, QByteArray* bytes) {
  bytes->clear();
  if (path.isEmpty() || ReadFaultFor(path)) return false;
  QFile f(path);
  if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) return false;
  *bytes = f.readAll();
  return f.error() == QFileDevice::NoError;
}

bool ReadText(const QString& path, QString* text) {
  QByteArray bytes;
  const bool ok = ReadBytes(path, &bytes);
  *text = DecodeCp932(bytes);
  return ok;
}

bool ReadLines(const QString& path, QStringList* lines) {
  QString text;
  const bool ok = ReadText(path, &text);
  *lines = SplitLines(text);
  return ok;
}

// ---- write faults ----------------------------------------------------------------

namespace {

bool MatchesPattern(const QString& path, const char* variable) {
  const QString patterns = qEnvironmentVariable(variable);
  if (patterns.isEmpty()) return false;
  const QString name = QFileInfo(path).fileName();
  for (const QString& pattern : patterns.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
                                QRegularExpression::CaseInsensitiveOption);
    if (re.match(name).hasMatch()) return true;
  }
  return false;
}

// Half of the bytes reach the device; a stalled write then waits to be killed.
void WriteHalf(QFileDevice& f, const QByteArray& bytes, WriteFault fault) {
  f.write(bytes.constData(), bytes.size() / 2);
  f.flush();
  if (fault != WriteFault::Stall) return;
  const QString mark = qEnvironmentVariable("ZOTRA_WRITE_STALL_MARK");
  if (!mark.isEmpty()) {
    QFile m(mark);
    if (m.open(QIODevice::WriteOnly)) m.close();
  }
  for (;;) QThread::sleep(1);
}

}  // namespace

bool ReadFaultFor(const QString& path) { return MatchesPattern(path, "ZOTRA_READ_FAULT"); }

WriteFault WriteFaultFor(const QString& path) {
  if (MatchesPattern(path, "ZOTRA_WRITE_STALL")) return WriteFault::Stall;
  if (MatchesPattern(path, "ZOTRA_WRITE_FAULT")) return WriteFault::Fail;
  return WriteFault::None;
}

bool InjectedWriteFault(QFileDevice& file, const QString& path) {
  const WriteFault fault = WriteFaultFor(path);
  if (fault == WriteFault::None) return false;
  WriteHalf(file, QByteArray(), fault);
  return true;
}

bool WriteBytes(const QString& path, const QByteArray& bytes, WriteMode mode) {
  const WriteFault fault = WriteFaultFor(path);
  if (mode == WriteMode::Safe) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (fault != WriteFault::None) {
      WriteHalf(f, bytes, fault);
      f.cancelWriting();  // the temporary file is removed, the old file stays
      return false;
    }
    // The bytes are flushed here and the flush checked: QSaveFile's commit
    // flushes its buffer without looking at the result, so a disk that
    // refuses them there would get the temporary file, empty or cut short,
    // renamed over the old one, and the write reported done.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
      f.cancelWriting();
      return false;
    }
    return f.commit();
  }
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  if (fault != WriteFault::None) {
    WriteHalf(f, bytes, fault);
    return false;
  }
  const bool ok = f.write(bytes) == bytes.size();
  f.close();
  return ok && f.error() == QFileDevice::NoError;
}

void ReportLossyWrite(const QString& path, Dialogs* dialogs) {
  Dialogs& d = dialogs ? *dialogs : CurrentDialogs();
  d.Tell(QStringLiteral("ファイル ") + QFileInfo(path).fileName() +
             QStringLiteral(" に日本語の文字コードで書けない文字がありました\n") +
             QStringLiteral("その文字は ? に置き換えて書き込みました"),
         {}, Icon::Warning);
}

bool WriteText(const QString& path, const QString& text, WriteMode mode, Dialogs* dialogs) {
  bool lossy = false;
  const QByteArray bytes = EncodeCp932(text, &lossy);
  const bool ok = WriteBytes(path, bytes, mode);
  if (ok && lossy) ReportLossyWrite(path, dialogs);
  return ok;
}

bool WriteLines(const QString& path, const QStringList& lines, WriteMode mode, Dialogs* dialogs) {
  QString text;
  qsizetype size = 0;
  for (const QString& l : lines) size += l.size() + 2;
  text.reserve(size);
  for (const QString& l : lines) {
    text += l;
    text += QLatin1String("\r\n");
  }
  return WriteText(path, text, mode, dialogs);
}

// ---- line writer -------------------------------------------------------------------

struct LineWriter::Impl {
  QFile file;
  Dialogs* dialogs = nullptr;
  WriteFault fault = WriteFault::None;
  bool lossy = false;
  bool failed = false;
};

LineWriter::~LineWriter() { Close(); }

bool LineWriter::Open(const QString& path, Dialogs* dialogs) {
  Close();
  impl_ = new Impl;
  impl_->file.setFileName(path);
  impl_->dialogs = dialogs;
  impl_->fault = WriteFaultFor(path);
  if (!impl_->file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    delete impl_;
    impl_ = nullptr;
    return false;
  }
  return true;
}

bool LineWriter::OpenAppend(const QString& path, Dialogs* dialogs) {
  Close();
  impl_ = new Impl;
  impl_->file.setFileName(path);
  impl_->dialogs = dialogs;
  impl_->fault = WriteFaultFor(path);
  if (!impl_->file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    delete impl_;
    impl_ = nullptr;
    return false;
  }
  return true;
}

bool LineWriter::IsOpen() const { return impl_ != nullptr; }

bool LineWriter::Write(const QString& text) {
  if (!impl_ || impl_->failed) return false;
  const QByteArray bytes = EncodeCp932(text, &impl_->lossy);
  if (impl_->fault != WriteFault::None) {
    WriteHalf(impl_->file, bytes, impl_->fault);
    impl_->failed = true;
  } else if (impl_->file.write(bytes) != bytes.size()) {
    impl_->failed = true;
  }
  return !impl_->failed;
}

bool LineWriter::WriteLine(const QString& line) { return Write(line + QLatin1String("\r\n")); }

bool LineWriter::Close() {
  if (!impl_) return true;
  impl_->file.close();
  const bool ok = !impl_->failed && impl_->file.error() == QFileDevice::NoError;
  const bool lossy = impl_->lossy;
  const QString path = impl_->file.fileName();
  Dialogs* dialogs = impl_->dialogs;
  delete impl_;
  impl_ = nullptr;
  if (lossy) ReportLossyWrite(path, dialogs);
  return ok;
}

}  // namespace zotra
