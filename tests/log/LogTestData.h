// Work files and definitions for the log program's tests.
#pragma once

#include "log/LogSession.h"
#include "log/OutputPass.h"
#include "support/TestSupport.h"

#include <QString>
#include <QStringList>

namespace zotra::test {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// One work-file record as the sort-and-check program writes it: fourteen
// quoted fields.
inline QString WorkRecord(const QStringList& fields) {
  QStringList quoted;
  for (const QString& f : fields) quoted << QLatin1Char('"') + f + QLatin1Char('"');
  return quoted.join(QLatin1Char(','));
}

// A QSO record with the usual fields: number, call, received exchange,
// multiplier 1, points.
inline QString Qso(int number, const QString& call, const QString& received, const QString& multi1,
                   const QString& points = QStringLiteral("1"), const QString& band = QStringLiteral("7")) {
  return WorkRecord({QString::number(number), band, QStringLiteral("CW"), QStringLiteral("2026/04/29"),
                     QStringLiteral("09:%1").arg(number % 60, 2, 10, QLatin1Char('0')), call,
                     QStringLiteral("599 13M"), received, multi1, QString(), QString(), points, QString(),
                     QString()});
}

// A work file: the band selection line, then the records, CR LF.
inline QString WorkFile(const QString& selection, const QStringList& records) {
  return CrLf(QStringList{QLatin1Char('"') + selection + QLatin1Char('"')} + records);
}

// n QSOs of a band with realistic variety: every seventh call worked twice,
// multiplier 1 a prefecture number, multiplier 2 a district, multiplier 3 a
// letter; Japanese remarks now and then.
QStringList ManyQsos(int n, const QString& band = QStringLiteral("7"));

// A key line of the duplicate list: mark, call in 2–8, criterion in 10–15,
// record number 16–21, MM/DD 22–26, time 28–32, band right-aligned in 33–38,
// mode 40–42, blanks to 45.
inline QString Key(char mark, const QString& call, const QString& criterion, int number, const QString& date,
                   const QString& time, const QString& band, const QString& mode) {
  return QString(QChar(mark)) + call.leftJustified(7) + ' ' + criterion.leftJustified(6) +
         QStringLiteral("%1").arg(number, 6, 10, QChar('0')) + date + ' ' + time + band.rightJustified(6) + ' ' +
         mode.leftJustified(3) + "   ";
}

// A contest definition with the keys the log program reads.
inline QString Definition(const QString& multi1 = QStringLiteral("Jcc"), const QString& multi2 = QString(),
                          const QString& multi3 = QString(),
                          const QString& contestName = QStringLiteral("ALL JA1 コンテスト")) {
  return CrLf({QStringLiteral("\"ZOTRAW\",\"Ver4.0\""), U("\"[ZOTRA ｺﾝﾃｽﾄ　定義ﾌｧｲﾙ]\""),
               QStringLiteral("\"MyCall\",\"JA1ZLO\""), U("\"[ｺﾝﾃｽﾄ情報]\""),
               QStringLiteral("\"ContestName\",\"%1\"").arg(contestName),
               U("\"開始\",\"2026\",\"04\",\"29\",\"09\",\"00\""), U("\"終了\",\"2026\",\"04\",\"29\",\"21\",\"00\""),
               QStringLiteral("\"JstUtc\",\"Jst\""), QStringLiteral("\"JstUtc2\",0"), U("\"[参加周波数]\""),
               QStringLiteral("\"SelFreq\",\"7\",1"), U("\"[マルチプライヤー]\""),
               QStringLiteral("\"Multi1\",\"%1\"").arg(multi1), QStringLiteral("\"Multi2\",\"%1\"").arg(multi2),
               QStringLiteral("\"Multi3\",\"%1\"").arg(multi3), U("\"[マルチプライヤー終了]\""),
               U("\"[主催者]\""), U("\"JARL 東京都支部\"")});
}

// A program folder ready for the log program: environment file, settings
// naming it and the definition "ZOTRAW.TST", the definition and the work file.
void PrepareLogFolder(const TempFolder& folder, const QString& workFile, const QString& definition = Definition());

// A log session as the program loads it, from the texts of a work file and a
// definition.
LogSession MakeSession(const QString& workFile, const QString& definition = Definition());

// One output pass into a folder, on a surface, with scripted answers.
struct PassRun {
  OutputPassResult result;
  QStringList dialogs;  // title|text of each dialog
  QStringList labels;   // the progress labels
};
PassRun RunPass(PrintSurface& surface, const QString& folder, const LogSession& session, const OutputOptions& options,
                const QStringList& answers = {});

}  // namespace zotra::test
