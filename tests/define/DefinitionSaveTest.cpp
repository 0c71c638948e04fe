// The questions for the Silver, Junior and Newcomer categories with every
// answer rule, the checks before writing in their order, the files written,
// and the clearing after a save.
#include "define/DefinitionSave.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Settings.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QDir>

#include <gtest/gtest.h>

using namespace zotra;
using zotra::test::DialogFields;
using zotra::test::TempFolder;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// kind and text of every dialog, with the answer it got.
QStringList Shown(const ScriptedDialogs& d) {
  QStringList out;
  for (const QString& r : d.Records()) {
    const QStringList f = DialogFields(r);
    out << f.at(0) + "|" + f.at(2) + "|" + f.at(4);
  }
  return out;
}

const QString kSilverPrompt = U("シルバー部門の年齢を  二桁または 三桁の半角数字で入れてください 000 でキャンセルです");
const QString kJuniorPrompt = U("ジュニア部門の年齢を  二桁の半角数字で入れてください 00 でキャンセルです");
const QString kDatePrompt = U("ニューカマー局の局免許年月日を 八桁 の半角数字で入れてください yyyymmdd でキャンセルです");
const QString kBadAge = U("入力年齢 が不正です");
const QString kCancel = U("000 が入力されました、キャンセルでいいですか？");

}  // namespace

TEST(SilverAge, SixtyToOneHundredTwentyAccepted) {
  ScriptedDialogs d("", {"59", "OK", "121", "OK", "60"});
  EXPECT_EQ(AskSilverAge(d), "60");
  EXPECT_EQ(Shown(d), (QStringList{"input|" + kSilverPrompt + "|59", "message|" + kBadAge + "|OK",
                                   "input|" + kSilverPrompt + "|121", "message|" + kBadAge + "|OK",
                                   "input|" + kSilverPrompt + "|60"}));
  const QStringList first = DialogFields(d.Records().first());
  EXPECT_EQ(first.at(1), U("シルバー 年齢の設定"));
  EXPECT_EQ(first.at(3), "00");  // the default text

  ScriptedDialogs upper("", {"120"});
  EXPECT_EQ(AskSilverAge(upper), "120");

  // "000" and "00" ask first; No asks again, Yes cancels.
  ScriptedDialogs cancel("", {"000", "No", "00", "Yes"});
  EXPECT_EQ(AskSilverAge(cancel), QString());
  EXPECT_EQ(Shown(cancel).at(1), "message|" + kCancel + "|No");
  EXPECT_EQ(Shown(cancel).size(), 4);

  // Length and digits: Retry asks again, Cancel gives up.
  ScriptedDialogs bad("", {"6", "Retry", "6a", "Retry", "1234", "Cancel"});
  EXPECT_EQ(AskSilverAge(bad), QString());
  EXPECT_EQ(Shown(bad), (QStringList{"input|" + kSilverPrompt + "|6",
                                     U("message|入力された文字が ２・３ 桁ではありません|Retry"),
                                     "input|" + kSilverPrompt + "|6a",
                                     U("message|入力データに半角数字以外が入っています|Retry"),
                                     "input|" + kSilverPrompt + "|1234",
                                     U("message|入力された文字が ２・３ 桁ではありません|Cancel")}));
  // The input box's own Cancel.
  ScriptedDialogs box("", {"Cancel"});
  EXPECT_EQ(AskSilverAge(box), QString());
  EXPECT_EQ(box.Records().size(), 1);
}

TEST(JuniorAge, OneToTwentyOneAccepted) {
  ScriptedDialogs d("", {"22", "OK", "00", "No", "000", "Retry", "21"});
  EXPECT_EQ(AskJuniorAge(d), "21");
  EXPECT_EQ(Shown(d), (QStringList{"input|" + kJuniorPrompt + "|22", "message|" + kBadAge + "|OK",
                                   "input|" + kJuniorPrompt + "|00", "message|" + kCancel + "|No",
                                   "input|" + kJuniorPrompt + "|000",
                                   U("message|入力された文字が ２ 桁ではありません|Retry"),
                                   "input|" + kJuniorPrompt + "|21"}));
  EXPECT_EQ(DialogFields(d.Records().first()).at(1), U("ジュニア 年齢の設定"));
  ScriptedDialogs one("", {"01"});
  EXPECT_EQ(AskJuniorAge(one), "01");
  ScriptedDialogs cancel("", {"00", "Yes"});
  EXPECT_EQ(AskJuniorAge(cancel), QString());
}

TEST(LicenceDate, WithinFiveYearsAndARealDate) {
  const QString old = QString::number(2026 - 6);
  ScriptedDialogs d("", {old + "0401", "OK", "20241301", "OK", "20240231", "OK", "20240400", "OK", "20240401"});
  EXPECT_EQ(AskLicenceDate(d, 2026), U("2024年04月01日"));
  const QStringList shown = Shown(d);
  EXPECT_EQ(shown.at(1), U("message|年号の数値が不正です ") + old + "|OK");
  EXPECT_EQ(shown.at(3), U("message|年号の 月 の値が不正です 13|OK"));
  EXPECT_EQ(shown.at(5), U("message|年号の 日 の値が不正です 31|OK"));
  EXPECT_EQ(shown.at(7), U("message|年号の 日 の値が不正です 00|OK"));
  EXPECT_EQ(shown.at(8), "input|" + kDatePrompt + "|20240401");
  EXPECT_EQ(DialogFields(d.Records().first()).at(1), U("ニューカマー局の 局免許年月日の設定"));
  EXPECT_EQ(DialogFields(d.Records().first()).at(3), "yyyymmdd");

  // Five years back and this year are in; next year is not.
  ScriptedDialogs edge("", {"20270101", "OK", "20210101"});
  EXPECT_EQ(AskLicenceDate(edge, 2026), U("2021年01月01日"));

  ScriptedDialogs length("", {"2024041", "Retry", "2024O401", "Cancel"});
  EXPECT_EQ(AskLicenceDate(length, 2026), QString());
  EXPECT_EQ(DialogFields(length.Records().at(1)),
            (QStringList{"message", U("ニューカマー 局免許日の設定"), U("入力された文字が 八 桁ではありません"), "Retry|Cancel",
                         "Retry"}));
  EXPECT_EQ(DialogFields(length.Records().at(3)).at(2), U("入力データに数字以外が入っています"));

  ScriptedDialogs cancel("", {"yyyymmdd", "No", "yyyymmdd", "Yes"});
  EXPECT_EQ(AskLicenceDate(cancel, 2026), QString());
  EXPECT_EQ(DialogFields(cancel.Records().at(1)).at(2), U("yyyymmdd が入力されました、キャンセルでいいですか？"));
}

TEST(SaveChecks, InTheirOrderWithTheirResults) {
  const int year = 2026;
  struct Case {
    QString code, event, operators;
    QStringList answers;
    int result;
    QString lastMessage;
  };
  const QList<Case> cases = {
      {"sosv", "", "", {"Cancel"}, kNoAge, U("シルバー部門で年齢設定がされていないので設定保存できません")},
      {"XS", "", "", {"65"}, kSaveChecked, QString()},
      {"xmj", U("マルチオペ ジュニア"), "JA1A JA1B", {"00", "Yes"}, kNoAge,
       U("ジュニア部門で年齢設定がされていないので設定保存できません")},
      {"PN", "", "", {"yyyymmdd", "Yes"}, kNoLicenceDate,
       U("ニューカマー部門で局免許年月日が設定されていないので設定保存できません")},
      {"XMA", U("ﾏﾙﾁｵﾍﾟ ｵｰﾙﾊﾞﾝﾄﾞ"), "", {}, kNoOperators, U("マルチオペレータの場合\n運用者のコールサインは必須です")},
      {"XMA", U("マルチオペ オールバンド"), "  ", {}, kNoOperators, U("マルチオペレータの場合\n運用者のコールサインは必須です")},
      {"XPMJ", U("移動局 マルチオペ ジュニア"), "", {}, kNoJuniorOperators,
       U("マルチオペレータ ジュニア部の場合\n運用者のコールサインと年齢は必須です")},
      {"XMA", U("マルチオペ"), "JA1A", {}, kSaveChecked, QString()},
  };
  for (const Case& c : cases) {
    ScriptedDialogs d("", c.answers);
    ContestDefinition def;
    def.categoryCode = c.code;
    def.eventName = c.event;
    def.operators = c.operators;
    def.age = "99";
    def.licenceDate = "old";
    EXPECT_EQ(CheckBeforeWriting(&def, d, year), c.result) << c.code.toStdString();
    EXPECT_EQ(def.categoryCode, c.code.toUpper());
    const QString last = d.Records().isEmpty() ? QString() : DialogFields(d.Records().last()).at(2);
    if (c.result < 0) {
      EXPECT_EQ(last, c.lastMessage) << c.code.toStdString();
    }
    if (c.result == kSaveChecked && c.code == "XS") {
      EXPECT_EQ(def.age, "65");
    }
    // Categories without a question keep neither an age nor a date.
    if (c.code == "XMA") {
      EXPECT_EQ(def.age, QString());
      EXPECT_EQ(def.licenceDate, QString());
    }
  }
}

TEST(SaveFiles, DefinitionSettingAndStationFolders) {
  TempFolder t;
  Frame frame(Program::Define, t.Path(), "/ZOTRAW.CFG");
  WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Tst", "OLD.TST");
  ScriptedDialogs d("", {});
  ContestDefinition def = ContestDefinition::EditorDefaults();
  def.myCall = "kh0/ja1abc";
  ASSERT_TRUE(WriteDefinitionFiles(frame, def, d));
  ASSERT_TRUE(WriteDefinition(def, t.File("expected.tst")));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.TST"), t.ReadBytes("expected.tst"));
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Tst", ""), "ZOTRAW.TST");
  EXPECT_TRUE(QDir(t.File("JA1ABC")).exists());
  EXPECT_TRUE(QDir(t.File("JA1ABC_JARL")).exists());
  EXPECT_TRUE(d.Records().isEmpty());

  // A definition file spelled another way is the one replaced.
  TempFolder lower;
  lower.WriteBytes("zotraw.tst", "old");
  Frame lowerFrame(Program::Define, lower.Path(), "/");
  def.myCall = "JA1ABC/1";
  ASSERT_TRUE(WriteDefinitionFiles(lowerFrame, def, d));
  EXPECT_TRUE(lower.Entries().contains("zotraw.tst"));
  EXPECT_FALSE(lower.Entries().contains("ZOTRAW.TST"));
  EXPECT_NE(lower.ReadBytes("zotraw.tst"), QByteArray("old"));
  EXPECT_TRUE(QDir(lower.File("JA1ABC")).exists());

  // A file that cannot be written: told with its name, nothing else done.
  TempFolder blocked;
  QDir(blocked.Path()).mkdir("ZOTRAW.TST");
  Frame blockedFrame(Program::Define, blocked.Path(), "/");
  ScriptedDialogs told("", {});
  EXPECT_FALSE(WriteDefinitionFiles(blockedFrame, def, told));
  ASSERT_EQ(told.Records().size(), 1);
  EXPECT_TRUE(DialogFields(told.Records().first()).at(2).startsWith(U("コンテスト定義ファイル ") + blocked.Path()));
  EXPECT_FALSE(blocked.Exists("ZOTRAW.INI"));
  EXPECT_FALSE(QDir(blocked.File("JA1ABC")).exists());

  // A call sign whose station folder would lie outside the program folder:
  // refused before anything is written.
  TempFolder outer;
  ASSERT_TRUE(QDir(outer.Path()).mkpath("a/prog"));
  Frame innerFrame(Program::Define, outer.File("a/prog"), "/");
  for (const char* call : {"A/../../EVIL", "..", "KH0/JA1ABC/P", "/"}) {
    ScriptedDialogs refused("", {});
    def.myCall = call;
    EXPECT_FALSE(WriteDefinitionFiles(innerFrame, def, refused)) << call;
    ASSERT_EQ(refused.Records().size(), 1);
    EXPECT_TRUE(DialogFields(refused.Records().first()).at(2).startsWith(U("コールサイン ") + call + U(" からは局のフォルダが作れません\n")));
  }
  EXPECT_EQ(outer.Entries(), QStringList{"a"});
  EXPECT_TRUE(QDir(outer.File("a/prog")).isEmpty());
}

TEST(ClearAfterSave, PointsAndOutputsOnlyWhenAsked) {
  const QStringList outputs = {"7.MHz", "14.mhz", U("オールログ.txt"), U("サマリー.TXT"), U("提出.txt"), "JARL.Txt",
                               "HED.JARL", "7.jarl"};
  const QStringList kept = {"ZOTRAW.TST", "zotra.wk1", "7.txt", "JARL.log"};
  for (const bool clear : {false, true}) {
    TempFolder t;
    t.WriteBytes("ZOTRApoi.dat", "\"7\",12\r\n");
    for (const QString& f : outputs + kept) t.WriteBytes(f, "x");
    QDir(t.Path()).mkdir("LogData");
    t.WriteBytes(U("LogData/提出.txt"), "x");
    t.WriteBytes("LogData/jarl.txt", "x");
    t.WriteBytes("LogData/other.txt", "x");
    t.WriteBytes("zotra.wk2.sve", "x");
    t.WriteBytes("B.SVE", "x");
    ClearAfterSave(t.Path(), clear);
    // The ".sve" copies go in either case.
    EXPECT_FALSE(t.Exists("zotra.wk2.sve"));
    EXPECT_FALSE(t.Exists("B.SVE"));
    for (const QString& f : kept) EXPECT_TRUE(t.Exists(f)) << f.toStdString();
    EXPECT_TRUE(t.Exists("LogData/other.txt"));
    for (const QString& f : outputs) EXPECT_EQ(t.Exists(f), !clear) << f.toStdString();
    EXPECT_EQ(t.Exists(U("LogData/提出.txt")), !clear);
    EXPECT_EQ(t.Exists("LogData/jarl.txt"), !clear);
    // The points file keeps its spelling and is emptied, not doubled.
    EXPECT_EQ(t.ReadBytes("ZOTRApoi.dat"), clear ? QByteArray() : QByteArray("\"7\",12\r\n"));
    EXPECT_FALSE(t.Entries().contains("ZOTRAPOI.DAT"));
  }
  // Without a points file, one is made.
  TempFolder fresh;
  ClearAfterSave(fresh.Path(), true);
  EXPECT_TRUE(fresh.Exists("ZOTRAPOI.DAT"));
  EXPECT_EQ(fresh.ReadBytes("ZOTRAPOI.DAT"), QByteArray());
}
