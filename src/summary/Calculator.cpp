#include "Calculator.h"

#include "common/Files.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace zotra {

QString FindCalculator() {
#ifdef Q_OS_WIN
  const QString windows = qEnvironmentVariable("WinDir");
  if (windows.isEmpty()) return {};
  for (const QString& name : {QStringLiteral("calc.exe"), QStringLiteral("system32/calc.exe")}) {
    const QString path = QDir::toNativeSeparators(QDir(windows).filePath(name));
    if (FileExists(path)) return path;
  }
  return {};
#else
  const QStringList calculators = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                   QStringLiteral("galculator"),       QStringLiteral("mate-calc"),
                                   QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
  for (const QString& name : calculators) {
    const QString path = QStandardPaths::findExecutable(name);
    if (!path.isEmpty()) return path;
  }
  return {};
#endif
}

}  // namespace zotra
