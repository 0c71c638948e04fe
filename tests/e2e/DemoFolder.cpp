#include "DemoFolder.h"

#include "common/Text.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

bool Run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  const bool ok = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
                  process.exitCode() == 0;
  if (output) *output = process.readAllStandardOutput();
  EXPECT_TRUE(ok) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
  return ok;
}

}  // namespace

DemoFolder::DemoFolder() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZOTRA_TEXTCONV"), QStringLiteral(ZOTRA_TEXTCONV));
  env.insert(QStringLiteral("ZOTRA_DEMO_LOG"), QStringLiteral(ZOTRA_DEMO_LOG));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  laidOut_ = Run(QStringLiteral("bash"),
                 {QStringLiteral(ZOTRA_DEMO_LAYOUT), QStringLiteral("--without-programs"),
                  QStringLiteral(ZOTRA_PROGRAM_DIR), t_.Path()},
                 nullptr, env);
}

bool DemoFolder::ImportLogbook(const QString& adif) const {
  return Run(BuiltProgram(QStringLiteral("marqen-import")),
             {QStringLiteral("--area-field"), QStringLiteral("CNTY"), adif, File(QStringLiteral("logbook/MARQEN.HDB"))});
}

ProgramResult DemoFolder::Batch(const QStringList& arguments) const {
  if (!t_.Exists(QStringLiteral("zotra-batch"))) t_.InstallProgram(QStringLiteral("zotra-batch"));
  return RunProgram(t_, QStringLiteral("zotra-batch"), QStringList{QStringLiteral("--folder"), Path()} + arguments);
}

QStringList DemoExtractOptions() {
  return {QStringLiteral("--key"), QStringLiteral("prefecture"), QStringLiteral("--hokkaido"),
          QStringLiteral("subprefecture")};
}

QStringList Cp932Lines(const QByteArray& bytes) {
  QStringList lines = DecodeCp932(bytes).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace zotra::test
