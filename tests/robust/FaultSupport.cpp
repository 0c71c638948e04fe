#include "FaultSupport.h"

#include "common/Text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

namespace zotra::test {

ScopedWriteFault::ScopedWriteFault(const QString& patterns) {
  had_ = qEnvironmentVariableIsSet("ZOTRA_WRITE_FAULT");
  previous_ = qgetenv("ZOTRA_WRITE_FAULT");
  qputenv("ZOTRA_WRITE_FAULT", patterns.toUtf8());
}

ScopedWriteFault::~ScopedWriteFault() {
  if (had_) qputenv("ZOTRA_WRITE_FAULT", previous_);
  else qunsetenv("ZOTRA_WRITE_FAULT");
}

QMap<QString, QString> FaultEnvironment(const QString& patterns) {
  return {{QStringLiteral("ZOTRA_WRITE_FAULT"), patterns}};
}

KilledRun RunAndKillDuringWrite(const TempFolder& folder, const QString& executable, const QStringList& arguments,
                                const QString& patterns, const QMap<QString, QString>& environment) {
  KilledRun run;
  QTemporaryDir scratch;
  const QString mark = QDir(scratch.path()).filePath(QStringLiteral("stalled"));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("ZOTRA_DIALOG_LOG"), QDir(scratch.path()).filePath(QStringLiteral("dialogs.log")));
  env.insert(QStringLiteral("ZOTRA_START_LOG"), QDir(scratch.path()).filePath(QStringLiteral("started.log")));
  env.insert(QStringLiteral("ZOTRA_WRITE_STALL"), patterns);
  env.insert(QStringLiteral("ZOTRA_WRITE_STALL_MARK"), mark);
  for (auto it = environment.begin(); it != environment.end(); ++it) env.insert(it.key(), it.value());
  QProcess process;
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(folder.Path());
  process.start(QFileInfo(executable).isAbsolute() ? executable : BuiltProgram(executable), arguments);
  if (!process.waitForStarted(10000)) return run;
  QElapsedTimer clock;
  clock.start();
  while (!QFileInfo::exists(mark) && process.state() == QProcess::Running && clock.elapsed() < 60000) {
    QThread::msleep(20);
  }
  run.reachedWrite = QFileInfo::exists(mark);
  if (process.state() == QProcess::Running) {
    process.kill();
    process.waitForFinished(10000);
    run.killed = process.exitStatus() == QProcess::CrashExit;
  }
  run.standardError = process.readAllStandardError();
  return run;
}

UnwritableFolder::UnwritableFolder(const QString& path) : path_(path) {
  if (geteuid() == 0) {
    // Root writes through any mode; the immutable attribute stops it where
    // the file system and the machine allow setting it.
    immutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
  } else {
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                     QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
  }
  // Whether it took hold: a file can no longer be created there.
  QFile probe(QDir(path_).filePath(QStringLiteral(".probe")));
  unwritable_ = !probe.open(QIODevice::WriteOnly);
  if (!unwritable_) {
    probe.close();
    probe.remove();
  }
}

UnwritableFolder::~UnwritableFolder() {
  if (immutable_) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
  QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList LeftoverTemporaryFiles(const TempFolder& folder, const QString& name) {
  QStringList left;
  for (const QString& entry : folder.Entries()) {
    if (entry != name && entry.startsWith(name + QLatin1Char('.'))) left << entry;
  }
  return left;
}

QByteArray OldVersion(const char* utf8) { return EncodeCp932(CrLf(QString::fromUtf8(utf8).split(QLatin1Char('\n')))); }

QStringList DialogTexts(const ProgramResult& result) {
  QStringList texts;
  for (const QString& record : result.dialogs) texts << DialogFields(record).value(2);
  return texts;
}

}  // namespace zotra::test
