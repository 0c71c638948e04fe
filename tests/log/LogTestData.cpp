#include "LogTestData.h"

#include "common/Dialogs.h"
#include "common/Settings.h"

namespace zotra::test {

QStringList ManyQsos(int n, const QString& band) {
  static const char* const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  QStringList records;
  for (int i = 1; i <= n; ++i) {
    // Every seventh QSO works the station of six QSOs before again.
    const int station = i % 7 == 0 ? i - 6 : i;
    const QString call = QStringLiteral("J%1%2%3%4%5")
                             .arg(QChar(letters[station % 4 == 0 ? 0 : (station % 3) + 4]))  // JA, JE, JF, JG
                             .arg(station % 10)
                             .arg(QChar(letters[(station / 26 / 26) % 26]))
                             .arg(QChar(letters[(station / 26) % 26]))
                             .arg(QChar(letters[station % 26]));
    const int prefecture = station % 47 + 1;
    const QString pref = QStringLiteral("%1").arg(prefecture, 2, 10, QLatin1Char('0'));
    const QString remark = i % 11 == 0 ? U("移動") : QString();
    records << WorkRecord({QString::number(1000 + i), band, i % 5 == 0 ? QStringLiteral("SSB") : QStringLiteral("CW"),
                           QStringLiteral("2026/04/29"),
                           QStringLiteral("%1:%2").arg(9 + i / 60 % 12, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')),
                           call, QStringLiteral("599 13M"), QStringLiteral("599 %1M").arg(pref), pref,
                           QStringLiteral("%1").arg(prefecture % 9), QString(QChar(letters[station % 26])),
                           QStringLiteral("1"), i % 13 == 0 ? QStringLiteral("JA1XYZ") : QString(), remark});
  }
  return records;
}

void PrepareLogFolder(const TempFolder& folder, const QString& workFile, const QString& definition) {
  folder.WriteCp932(QStringLiteral("ZOTRAW.CFG"), QStringLiteral("$7\r\n%CW\r\n"));
  WriteProfileString(folder.File(QStringLiteral("ZOTRAW.INI")), QStringLiteral("ZOTRAM"), QStringLiteral("Cfg"),
                     QStringLiteral("ZOTRAW.CFG"));
  WriteProfileString(folder.File(QStringLiteral("ZOTRAW.INI")), QStringLiteral("ZOTRAM"), QStringLiteral("Tst"),
                     QStringLiteral("ZOTRAW.TST"));
  folder.WriteCp932(QStringLiteral("ZOTRAW.TST"), definition);
  folder.WriteCp932(QStringLiteral("zotra.wk2"), workFile);
}

LogSession MakeSession(const QString& workFile, const QString& definition) {
  LogSession session;
  session.definition = ParseLogDefinition(definition);
  ParseWorkFile(workFile, &session.table);
  return session;
}

PassRun RunPass(PrintSurface& surface, const QString& folder, const LogSession& session, const OutputOptions& options,
                const QStringList& answers) {
  ScriptedDialogs dialogs(QString(), answers);
  dialogs.SetDefaultTitle(QStringLiteral("ZOTRAL"));
  PassRun run;
  OutputPassContext context{folder, session, options, dialogs,
                            [&run](const QString& label) { run.labels << label; }, std::nullopt};
  run.result = RunOutputPass(surface, context);
  for (const QString& r : dialogs.Records()) run.dialogs << DialogFields(r).mid(1, 2).join(QLatin1Char('|'));
  return run;
}

}  // namespace zotra::test
