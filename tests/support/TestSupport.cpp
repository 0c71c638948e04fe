#include "TestSupport.h"

#include "common/Files.h"
#include "common/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace zotra::test {

TempFolder::TempFolder() { EXPECT_TRUE(dir_.isValid()); }

QString TempFolder::File(const QString& name) const { return QDir(dir_.path()).filePath(name); }

void TempFolder::WriteCp932(const QString& name, const QString& text) const {
  WriteBytes(name, EncodeCp932(text));
}

void TempFolder::WriteBytes(const QString& name, const QByteArray& bytes) const {
  QFile f(File(name));
  QDir().mkpath(QFileInfo(f).path());
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
  f.write(bytes);
}

QByteArray TempFolder::ReadBytes(const QString& name) const {
  QFile f(File(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QString TempFolder::ReadCp932(const QString& name) const { return DecodeCp932(ReadBytes(name)); }

bool TempFolder::Exists(const QString& name) const { return QFileInfo::exists(File(name)); }

QStringList TempFolder::Entries() const {
  QStringList e = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  e.sort();
  return e;
}

QString BuiltProgram(const QString& executable) {
  return QDir(QStringLiteral(ZOTRA_PROGRAM_DIR)).filePath(executable);
}

void TempFolder::InstallProgram(const QString& executable) const {
  const QString from = BuiltProgram(executable);
  const QString to = File(executable);
  QFile::remove(to);
  ASSERT_TRUE(QFile::copy(from, to)) << "cannot copy " << from.toStdString();
  QFile::setPermissions(to, QFile::permissions(from));
}

QString CrLf(const QStringList& lines) {
  QString out;
  for (const QString& l : lines) out += l + QLatin1String("\r\n");
  return out;
}

QStringList DialogFields(const QString& record) {
  QStringList fields = record.split(QLatin1Char('\t'));
  for (QString& f : fields) {
    QString out;
    for (int i = 0; i < f.size(); ++i) {
      if (f.at(i) == QLatin1Char('\\') && i + 1 < f.size()) {
        const QChar n = f.at(++i);
        out += n == QLatin1Char('n') ? QChar('\n') : n == QLatin1Char('t') ? QChar('\t') : n == QLatin1Char('r') ? QChar('\r') : n;
      } else {
        out += f.at(i);
      }
    }
    f = out;
  }
  return fields;
}

namespace {

QStringList ReadUtf8Lines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

ProgramResult RunProgram(const TempFolder& folder, const QString& executable, const QStringList& arguments,
                         const RunOptions& options) {
  QTemporaryDir logs;
  const QString dialogLog = QDir(logs.path()).filePath(QStringLiteral("dialogs.log"));
  const QString startLog = QDir(logs.path()).filePath(QStringLiteral("started.log"));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("ZOTRA_DIALOG_LOG"), dialogLog);
  env.insert(QStringLiteral("ZOTRA_DIALOG_ANSWERS"), options.answers.join(QLatin1Char(',')));
  env.insert(QStringLiteral("ZOTRA_START_LOG"), startLog);
  for (auto it = options.environment.begin(); it != options.environment.end(); ++it) env.insert(it.key(), it.value());

  QProcess process;
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(folder.Path());
  process.start(folder.File(executable), arguments);
  ProgramResult result;
  if (!process.waitForStarted(10000)) return result;
  result.finished = process.waitForFinished(options.timeoutMs);
  if (!result.finished) {
    process.kill();
    process.waitForFinished(5000);
  }
  result.exitCode = process.exitCode();
  result.standardOutput = process.readAllStandardOutput();
  result.standardError = process.readAllStandardError();
  result.dialogs = ReadUtf8Lines(dialogLog);
  result.started = ReadUtf8Lines(startLog);
  return result;
}

}  // namespace zotra::test
