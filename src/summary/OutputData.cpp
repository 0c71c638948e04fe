#include "OutputData.h"

#include "SummaryOutputs.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"

#include <QDir>
#include <QFileInfo>

namespace zotra {

OutputData ReadOutputData(const OutputContext& context) {
  OutputData data;
  data.definition = DefinitionEntries::FromFile(context.definitionPath);
  data.points = ReadPointsFile(context.frame.Path(kPointsFileName));
  data.coefficientText = context.totals.coefficientText;
  data.scoreText = context.totals.scoreText;
  data.commentOverride = context.commentOverride;
  data.club = context.club;
  data.today = context.today;
  return data;
}

QString BandValues::MultiplierSumText() const {
  const qint64 sum = MultiplierSum();
  return sum < 1 ? QString() : QString::number(sum);
}

BandValues LookUpBand(const QList<PointsRecord>& points, const QString& band) {
  BandValues v;
  v.band = band;
  for (const PointsRecord& r : points) {
    if (TrimBlanks(r.band) != band) continue;
    v.record = r;
    v.count = ValInt(r.count);
    v.multi1 = ValInt(r.multi1);
    v.multi2 = ValInt(r.multi2);
    v.multi3 = ValInt(r.multi3);
    v.points = ValInt(r.points);
    break;
  }
  return v;
}

QString BandStem(const QString& band) {
  const int dot = band.indexOf(QLatin1Char('.'));
  return dot < 0 ? band : band.left(dot);
}

QStringList CollectBandLogs(const QString& folder, const QStringList& bands, const QList<PointsRecord>& points,
                            const QString& extension, bool* anyFile) {
  QStringList lines;
  bool any = false;
  for (const QString& band : bands) {
    if (!LookUpBand(points, band).AnyValue()) continue;
    QStringList file;
    if (!ReadLines(ResolveInFolder(folder, BandStem(band) + extension), &file)) continue;
    lines += file;
    any = true;
  }
  if (anyFile) *anyFile = any;
  return lines;
}

QString SafeFileName(const QString& name) {
  static const QString kUnsafe = QStringLiteral("\\/:*?\"<>|");
  QString safe = name;
  for (QChar& c : safe) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f || kUnsafe.contains(c)) c = QLatin1Char('_');
  }
  if (safe.startsWith(QLatin1String(".."))) safe.replace(0, 2, QStringLiteral("__"));
  return safe;
}

QString JapaneseDate(const QDate& date) {
  return date.toString(QStringLiteral("yyyy")) + QStringLiteral("年") + date.toString(QStringLiteral("MM")) +
         QStringLiteral("月") + date.toString(QStringLiteral("dd")) + QStringLiteral("日");
}

QString SlashDate(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

QString FinishedFilePath(const QString& folder, const QString& fileName) {
  const int dot = fileName.lastIndexOf(QLatin1Char('.'));
  const QString stem = dot < 0 ? fileName : fileName.left(dot);
  return ResolveInFolder(folder, FitFileName(folder, stem, fileName.mid(stem.size())));
}

QString WriteFinishedFile(const QString& folder, const QString& fileName, const QStringList& lines,
                          Dialogs& dialogs) {
  EnsureFolder(folder);
  const QString path = FinishedFilePath(folder, fileName);
  if (!WriteLines(path, lines, WriteMode::Safe, &dialogs)) {
    dialogs.Tell(QStringLiteral("ファイル ") + QDir::toNativeSeparators(path) + QStringLiteral(" に書き込めません"),
                 {}, Icon::Critical);
    return {};
  }
  // Matched without case the name keeps its length; cut, it is shorter.
  if (QFileInfo(path).fileName().size() != fileName.size()) {
    dialogs.Tell(QStringLiteral("ファイル名が長すぎるので 短くした名前で書き込みました\n") + QDir::toNativeSeparators(path));
  }
  return path;
}

void DeleteWorkingFiles(const QString& folder) {
  for (const char* name : {"オールログ.txt", "サマリー.TXT", "JARL.TXT", "WORKJ.TMP"}) {
    const QString path = ResolveInFolder(folder, QString::fromUtf8(name));
    if (FileExists(path)) DeleteFile(path);
  }
}

}  // namespace zotra
