#include "LogSession.h"

#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/ListFile.h"
#include "common/Text.h"

namespace zotra {

LogDefinition ParseLogDefinition(const QString& text) {
  LogDefinition d;
  ListReader reader(text);
  QString field;
  QStringList sentItems, receivedItems;
  while (reader.Next(&field)) {
    const QString key = Upper(field);
    if (key == QLatin1String("MULTI1")) {
      d.multiKinds[0] = reader.NextField();
    } else if (key == QLatin1String("MULTI2")) {
      d.multiKinds[1] = reader.NextField();
    } else if (key == QLatin1String("MULTI3")) {
      d.multiKinds[2] = reader.NextField();
    } else if (key == QStringLiteral("開始")) {
      const QString year = reader.NextField();
      d.yearFull = year.left(4);
      d.yearShort = year.mid(2, 2);
    } else if (key == QLatin1String("MYCALL")) {
      d.myCall = reader.NextField();
    } else if (key == QLatin1String("CONTESTNAME")) {
      d.contestName = NormaliseContestName(reader.NextField());
    } else if (key == QLatin1String("JSTUTC")) {
      d.jst = Upper(reader.NextField()) == QLatin1String("JST");
    } else if (key == QStringLiteral("[主催者]")) {
      d.organiser = reader.NextField();
    } else if (key == QLatin1String("SEND")) {
      sentItems << Upper(TrimBlanks(reader.NextField()));
    } else if (key == QLatin1String("RCV")) {
      receivedItems << Upper(TrimBlanks(reader.NextField()));
    } else if (field.endsWith(QStringLiteral("電子ログ]"))) {
      if (Upper(reader.NextField()).startsWith(QLatin1String("YES"))) d.electronicLog = true;
    }
  }
  d.sentReport = sentItems.isEmpty() || sentItems.contains(QLatin1String("HISRST"));
  d.receivedReport = receivedItems.isEmpty() || receivedItems.contains(QLatin1String("MYRST"));
  return d;
}

LogDefinition ReadLogDefinition(const QString& path) {
  QString text;
  ReadText(path, &text);
  return ParseLogDefinition(text);
}

QString NormaliseContestName(const QString& name) {
  static const QStringList words = {QStringLiteral("CONTEST"),    QStringLiteral("Contest"),
                                    QStringLiteral("Ｃｏｎｔｅｓｔ"), QStringLiteral("ＣＯＮＴＥＳＴ"),
                                    QStringLiteral("コンテスト"),    QStringLiteral("ｺﾝﾃｽﾄ")};
  // Blanks after the word would hide it: "ALL JA Contest " loses the word too.
  QString n = TrimRightBlanks(name);
  for (const QString& w : words) {
    if (n.endsWith(w)) {
      n.chop(w.size());
      break;
    }
  }
  return TrimBlanks(n);
}

int AnnouncedCount(const QString& commandLine) { return ValInt(commandLine); }

QString WorkFileProblems(const WorkFileLoad& load, int rows, int announced) {
  QStringList lines;
  if (announced >= 0 && rows > announced) {
    lines << QStringLiteral("作業ファイルの交信データは %1 件あり、指定された %2 件より多いため、すべて読み込みました")
                 .arg(rows)
                 .arg(announced);
  }
  if (rows > kMaxQsoCount) {
    lines << QStringLiteral("交信データが %1 件あり、%2 件を超えています（交信数の集計は %2 件までです）")
                 .arg(rows)
                 .arg(kMaxQsoCount);
  }
  if (load.shortRecords > 0) {
    lines << QStringLiteral("項目が 14 に足りない行が %1 行あります（足りない項目は空欄にしました）").arg(load.shortRecords);
  }
  if (load.longRecords > 0) {
    lines << QStringLiteral("項目が 14 を超える行が %1 行あります（15 番目からの項目は読み込んでいません）")
                 .arg(load.longRecords);
  }
  if (load.badNumbers > 0) {
    lines << QStringLiteral("交信番号か得点が数字でない欄が %1 箇所あります（0 として扱います。最初は %2 行目です）")
                 .arg(load.badNumbers)
                 .arg(load.firstBadRow);
  }
  return lines.join(QLatin1Char('\n'));
}

bool ConfirmPrinting(const LogSession& session, Dialogs& dialogs) {
  if (Upper(session.BandSelection()) == QLatin1String("ALL") &&
      dialogs.Ask(QStringLiteral("ALL Band での印刷結果は\nサマリーシートに反映されません"), Buttons::OkCancel) !=
          Button::Ok) {
    return false;
  }
  if (session.definition.AnyMultiplierUsed() && !session.arranged &&
      dialogs.Ask(QStringLiteral("マルチ整理ボタンが押されていません"), Buttons::OkCancel) != Button::Ok) {
    return false;
  }
  return true;
}

LogStart LoadLogSession(const Frame& frame, Dialogs& dialogs, LogSession* session) {
  const QString name = frame.Name();
  const QString definitionPath = frame.LocateDefinitionFile(QStringLiteral("non"));
  if (!FileExists(definitionPath)) {
    dialogs.Tell(QStringLiteral("定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください"), name);
    return LogStart::DefinitionMissing;
  }
  session->definition = ReadLogDefinition(definitionPath);

  const QString workPath = frame.Path(kWorkFileName);
  if (!FileExists(workPath)) {
    dialogs.Tell(QStringLiteral("ZOTRAC が実行されていません"), name);
    return LogStart::WorkFileMissing;
  }
  const WorkFileLoad load = ReadWorkFile(workPath, &session->table);
  session->arranged = false;
  if (session->table.IsEmpty()) {
    dialogs.Tell(QStringLiteral("ﾃﾞｰﾀが一件もありません"), QStringLiteral("ZOTRSL"));
    return LogStart::NoRecords;
  }
  const QString problems = WorkFileProblems(load, session->table.RowCount(), session->announcedCount);
  if (!problems.isEmpty()) dialogs.Tell(problems, name, Icon::Warning);
  return LogStart::Ready;
}

}  // namespace zotra
