#include "DefinitionSave.h"

#include "EditorModel.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "summary/OutputData.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zotra {
namespace {

const QString kCancelQuestion = QStringLiteral("000 が入力されました、キャンセルでいいですか？");
const QString kNotDigits = QStringLiteral("入力データに半角数字以外が入っています");
const QString kBadAge = QStringLiteral("入力年齢 が不正です");

// The age question of the Silver and the Junior categories: an empty text
// when the operator cancels.
QString AskAge(Dialogs& dialogs, bool silver) {
  const QString title = silver ? QStringLiteral("シルバー 年齢の設定") : QStringLiteral("ジュニア 年齢の設定");
  const QString prompt =
      silver ? QStringLiteral("シルバー部門の年齢を  二桁または 三桁の半角数字で入れてください 000 でキャンセルです")
             : QStringLiteral("ジュニア部門の年齢を  二桁の半角数字で入れてください 00 でキャンセルです");
  for (;;) {
    const std::optional<QString> answer = dialogs.Input(title, prompt, QStringLiteral("00"));
    // The input box's own cancel button cancels as "000" would.
    if (!answer) return {};
    const QString age = TrimBlanks(*answer);
    const bool cancel = age == QLatin1String("00") || (silver && age == QLatin1String("000"));
    if (cancel) {
      if (dialogs.Ask(kCancelQuestion, Buttons::YesNo) == Button::Yes) return {};
      continue;
    }
    const bool lengthOk = silver ? (age.size() == 2 || age.size() == 3) : age.size() == 2;
    if (!lengthOk) {
      const QString text = silver ? QStringLiteral("入力された文字が ２・３ 桁ではありません")
                                  : QStringLiteral("入力された文字が ２ 桁ではありません");
      if (dialogs.Ask(text, Buttons::RetryCancel, {}, Icon::Warning) == Button::Retry) continue;
      return {};
    }
    if (!IsDigits(age)) {
      if (dialogs.Ask(kNotDigits, Buttons::RetryCancel, {}, Icon::Warning) == Button::Retry) continue;
      return {};
    }
    const int value = age.toInt();
    if (silver ? (value >= 60 && value <= 120) : (value >= 1 && value <= 21)) return age;
    dialogs.Tell(kBadAge, {}, Icon::Warning);
  }
}

}  // namespace

QString AskSilverAge(Dialogs& dialogs) { return AskAge(dialogs, true); }
QString AskJuniorAge(Dialogs& dialogs) { return AskAge(dialogs, false); }

QString AskLicenceDate(Dialogs& dialogs, int currentYear) {
  const QString title = QStringLiteral("ニューカマー局の 局免許年月日の設定");
  const QString prompt =
      QStringLiteral("ニューカマー局の局免許年月日を 八桁 の半角数字で入れてください yyyymmdd でキャンセルです");
  const QString placeholder = QStringLiteral("yyyymmdd");
  for (;;) {
    const std::optional<QString> answer = dialogs.Input(title, prompt, placeholder);
    if (!answer) return {};
    const QString date = TrimBlanks(*answer);
    if (date == placeholder) {
      if (dialogs.Ask(QStringLiteral("yyyymmdd が入力されました、キャンセルでいいですか？"), Buttons::YesNo) ==
          Button::Yes) {
        return {};
      }
      continue;
    }
    if (date.size() != 8) {
      if (dialogs.Ask(QStringLiteral("入力された文字が 八 桁ではありません"), Buttons::RetryCancel,
                      QStringLiteral("ニューカマー 局免許日の設定"), Icon::Warning) == Button::Retry) {
        continue;
      }
      return {};
    }
    if (!IsDigits(date)) {
      if (dialogs.Ask(QStringLiteral("入力データに数字以外が入っています"), Buttons::RetryCancel, {},
                      Icon::Warning) == Button::Retry) {
        continue;
      }
      return {};
    }
    const QString year = date.left(4);
    const QString month = date.mid(4, 2);
    const QString day = date.mid(6, 2);
    if (year.toInt() < currentYear - 5 || year.toInt() > currentYear) {
      dialogs.Tell(QStringLiteral("年号の数値が不正です ") + year, {}, Icon::Warning);
      continue;
    }
    if (month.toInt() < 1 || month.toInt() > 12) {
      dialogs.Tell(QStringLiteral("年号の 月 の値が不正です ") + month, {}, Icon::Warning);
      continue;
    }
    // A day the month does not have (0231) is refused like one above 31.
    if (day.toInt() < 1 || day.toInt() > 31 || !QDate(year.toInt(), month.toInt(), day.toInt()).isValid()) {
      dialogs.Tell(QStringLiteral("年号の 日 の値が不正です ") + day, {}, Icon::Warning);
      continue;
    }
    return year + QStringLiteral("年") + month + QStringLiteral("月") + day + QStringLiteral("日");
  }
}

bool IsSilverCategory(const QString& code) {
  const QString c = TrimBlanks(code);
  return c == QLatin1String("XS") || c == QLatin1String("CS") || c == QLatin1String("SOSV");
}

bool IsJuniorCategory(const QString& code) {
  const QString c = TrimBlanks(code);
  return c == QLatin1String("SOJR") || c == QLatin1String("XMJ");
}

bool IsNewcomerCategory(const QString& code) { return TrimBlanks(code) == QLatin1String("PN"); }

int CheckBeforeWriting(ContestDefinition* d, Dialogs& dialogs, int currentYear) {
  d->categoryCode = Upper(d->categoryCode);
  d->age.clear();
  d->licenceDate.clear();
  if (IsSilverCategory(d->categoryCode)) {
    d->age = AskSilverAge(dialogs);
    if (d->age.isEmpty()) {
      dialogs.Tell(QStringLiteral("シルバー部門で年齢設定がされていないので設定保存できません"), {}, Icon::Warning);
      return kNoAge;
    }
  }
  if (IsJuniorCategory(d->categoryCode)) {
    d->age = AskJuniorAge(dialogs);
    if (d->age.isEmpty()) {
      dialogs.Tell(QStringLiteral("ジュニア部門で年齢設定がされていないので設定保存できません"), {}, Icon::Warning);
      return kNoAge;
    }
  }
  if (IsNewcomerCategory(d->categoryCode)) {
    d->licenceDate = AskLicenceDate(dialogs, currentYear);
    if (d->licenceDate.isEmpty()) {
      dialogs.Tell(QStringLiteral("ニューカマー部門で局免許年月日が設定されていないので設定保存できません"), {},
                   Icon::Warning);
      return kNoLicenceDate;
    }
  }
  const QString event = ToWide(d->eventName);
  if (event.contains(QStringLiteral("マルチオペ")) && TrimBlanks(d->operators).isEmpty()) {
    if (event.contains(QStringLiteral("ジュニア"))) {
      dialogs.Tell(QStringLiteral("マルチオペレータ ジュニア部の場合\n運用者のコールサインと年齢は必須です"), {},
                   Icon::Warning);
      return kNoJuniorOperators;
    }
    dialogs.Tell(QStringLiteral("マルチオペレータの場合\n運用者のコールサインは必須です"), {}, Icon::Warning);
    return kNoOperators;
  }
  return kSaveChecked;
}

bool WriteDefinitionFiles(const Frame& frame, const ContestDefinition& definition, Dialogs& dialogs) {
  const QString problem = StationFolderProblem(definition.myCall);
  if (!problem.isEmpty()) {
    dialogs.Tell(problem, {}, Icon::Warning);
    return false;
  }
  // The file first: the setting names it only once it is there.
  const QString path = frame.Path(kDefinitionFileName);
  if (!WriteDefinition(definition, path)) {
    dialogs.Tell(QStringLiteral("コンテスト定義ファイル ") + path + QStringLiteral(" に書き込めません\n") +
                     QStringLiteral("フォルダが書き込み禁止になっていないか ディスクに空きがあるか確認してください"),
                 {}, Icon::Critical);
    return false;
  }
  // The settings tell the user themselves when they cannot be written.
  if (!frame.WriteSetting(QStringLiteral("Tst"), kDefinitionFileName)) return false;
  EnsureStationFolders(frame.Folder(), definition.myCall);
  return true;
}

void EnsureStationFolders(const QString& folder, const QString& callSign) {
  for (const QString& suffix : {QString(), QStringLiteral("_JARL")}) {
    const QString path = StationFolderPath(folder, callSign, suffix);
    if (!path.isEmpty()) EnsureFolder(path);
  }
}

QStringList ResultsToClear(const QString& folder) {
  QStringList bands;
  for (const PointsRecord& r : ReadPointsFile(ResolveInFolder(folder, kPointsFileName))) {
    if (IsBand(TrimBlanks(r.band))) bands << TrimBlanks(r.band);
  }
  bands = SortedBands(bands);
  QStringList stems;
  QStringList results;
  for (const QString& band : bands) {
    stems << Upper(BandStem(band));
    results << BandCaption(band);
  }
  const QStringList files = QDir(folder).entryList({QStringLiteral("*.JARL"), QStringLiteral("*.MHz")},
                                                   QDir::Files, QDir::Name);
  for (const QString& file : files) {
    const QString stem = Upper(file.left(file.lastIndexOf(QLatin1Char('.'))));
    if (stem == QLatin1String("HED") || stem == QLatin1String("HED2") || stems.contains(stem)) continue;
    results << file;
  }
  return results;
}

ClearChoice AskBeforeClearing(const QString& folder, Dialogs& dialogs) {
  const QStringList results = ResultsToClear(folder);
  if (results.isEmpty()) return ClearChoice::Clear;
  const Button answer = dialogs.Ask(
      QStringLiteral("保存すると 次のバンドの処理結果が消去されます\n") + results.join(QStringLiteral(", ")) +
          QStringLiteral("\n（得点ファイルの行とログファイル）\n\n"
                         "はい: 消去して保存します\n"
                         "　　前回の電子ログとテキストサマリーは名前を変えて残します\n"
                         "いいえ: 処理結果を残したまま保存します\n"
                         "キャンセル: 保存しません"),
      Buttons::YesNoCancel, {}, Icon::Warning, Button::Cancel);
  if (answer == Button::Yes) return ClearChoice::Clear;
  return answer == Button::No ? ClearChoice::Keep : ClearChoice::Cancel;
}

bool ClearAfterSave(const QString& folder, bool clearPoints) {
  bool cleared = true;
  if (clearPoints) {
    cleared = WriteBytes(ResolveInFolder(folder, QStringLiteral("ZOTRAPOI.DAT")), QByteArray(), WriteMode::Safe);
    for (const QString& pattern : {QStringLiteral("*.MHz"), QStringLiteral("オールログ.txt"), QStringLiteral("サマリー.txt"),
                                   QStringLiteral("提出.txt"), QStringLiteral("JARL.Txt"), QStringLiteral("*.JARL")}) {
      DeleteMatching(folder, pattern);
    }
    const QString logData = ResolveInFolder(folder, QStringLiteral("LogData"));
    if (FolderExists(logData)) {
      DeleteMatching(logData, QStringLiteral("提出.txt"));
      DeleteMatching(logData, QStringLiteral("JARL.Txt"));
    }
  }
  DeleteMatching(folder, QStringLiteral("*.sve"));
  return cleared;
}

void SetFinishedFilesAside(const QStringList& paths, const QDateTime& now, Dialogs& dialogs) {
  const QString stamp = now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
  for (const QString& path : paths) {
    const QFileInfo info(path);
    QString aside;
    for (int n = 1; aside.isEmpty() || QFileInfo::exists(aside); ++n) {
      const QString suffix = QLatin1Char('.') + stamp + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
                             QStringLiteral(".old");
      aside = info.dir().filePath(FitFileName(info.path(), info.fileName(), suffix));
    }
    if (!QFile::rename(path, aside)) {
      dialogs.Tell(QStringLiteral("前回の ") + QDir::toNativeSeparators(path) +
                       QStringLiteral(" の名前を変えられませんでした\n今の処理結果のものではないので 提出しないでください"),
                   {}, Icon::Warning);
    }
  }
}

QString PointsNotClearedMessage(const QString& path) {
  return QStringLiteral("得点ファイル ") + QDir::toNativeSeparators(path) +
         QStringLiteral(" を空にできませんでした\n前の得点が残っているので 集計の前に確認してください");
}

}  // namespace zotra
