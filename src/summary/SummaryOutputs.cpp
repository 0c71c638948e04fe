#include "SummaryOutputs.h"

#include "DefinitionEntries.h"
#include "ElectronicLog.h"
#include "ElectronicLogCheck.h"
#include "OutputData.h"
#include "TextSummary.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"

#include <QDir>

namespace zotra {

int ElectronicLogVersion(const DefinitionEntries& definition) {
  const QString value = Upper(TrimBlanks(definition.Value(QStringLiteral("[JARL電子ログ]"))));
  if (value == QLatin1String("YES") || value == QLatin1String("YES R2")) return 2;
  if (value == QLatin1String("YES R1")) return 1;
  return 0;
}

bool TextSummaryWanted(const DefinitionEntries& definition) {
  return Upper(TrimBlanks(definition.Value(QStringLiteral("[VQ電子ログ]")))) == QLatin1String("YES");
}

QString EnsureStationFolder(const QString& folder, const DefinitionEntries& definition) {
  const QString path = StationFolderPath(folder, definition.Value(QStringLiteral("MYCALL")));
  if (!path.isEmpty()) EnsureFolder(path);
  return path;
}

QStringList FinishedFilePaths(const QString& folder, const QString& definitionPath) {
  OutputData data;
  data.definition = DefinitionEntries::FromFile(definitionPath);
  const QString call = data.Value(QStringLiteral("MYCALL"));
  QStringList paths;
  const QString jarl = StationFolderPath(folder, call, QStringLiteral("_JARL"));
  if (!jarl.isEmpty()) paths << FinishedFilePath(jarl, ElectronicLogFileName(data));
  const QString station = StationFolderPath(folder, call);
  if (!station.isEmpty()) paths << FinishedFilePath(station, TextSummaryFileName(data));
  paths.removeIf([](const QString& path) { return !FileExists(path); });
  return paths;
}

OutputResult RunOutputsAfterPrinting(const OutputContext& context) {
  const DefinitionEntries definition = DefinitionEntries::FromFile(context.definitionPath);
  OutputResult result;
  result.electronicLogVersion = ElectronicLogVersion(definition);
  if (result.electronicLogVersion == 0 && !TextSummaryWanted(definition)) return result;
  const QString problem = StationFolderProblem(definition.Value(QStringLiteral("MYCALL")));
  if (!problem.isEmpty()) {
    context.dialogs.Tell(problem, {}, Icon::Warning);
    return result;
  }
  if (result.electronicLogVersion != 0) {
    result.electronicLogPath = WriteElectronicLog(context, result.electronicLogVersion);
  }
  if (TextSummaryWanted(definition)) result.textSummaryPath = WriteTextSummary(context);
  return result;
}

QStringList ReadBackElectronicLog(const QString& folder, const QString& path, int version,
                                  const DefinitionEntries& definition) {
  QByteArray bytes;
  if (!ReadBytes(path, &bytes)) {
    return {QStringLiteral("電子ログ ") + QDir::toNativeSeparators(path) + QStringLiteral(" を読めません")};
  }
  ElectronicLogCheck check;
  check.version = version;
  check.timeOrder = Upper(TrimBlanks(definition.Value(QStringLiteral("[JARLFORMAT]")))) != QLatin1String("BAND");
  qint64 qsos = 0;
  for (const PointsRecord& r : ReadPointsFile(ResolveInFolder(folder, kPointsFileName))) {
    if (IsBand(r.band)) qsos += qMax(0, ValInt(r.count));
  }
  check.qsoCount = qsos;
  return CheckElectronicLog(bytes, check);
}

}  // namespace zotra
