#include "common/Dialogs.h"
#include "support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace zotra;
using zotra::test::DialogFields;
using zotra::test::TempFolder;

namespace {
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

TEST(ScriptedDialogs, AnswersInOrderAndRecordsEachDialog) {
  ScriptedDialogs d({}, {"No", "Retry", "", "60"});
  d.SetDefaultTitle("ZOTRAS");
  EXPECT_EQ(d.Ask(U("保存しますか？"), Buttons::YesNo), Button::No);
  EXPECT_EQ(d.Ask(U("入力された文字が ２・３ 桁ではありません"), Buttons::RetryCancel), Button::Retry);
  // An empty answer takes the default button.
  EXPECT_EQ(d.Message({U("題"), U("行1\n行2"), Buttons::OkCancel, Icon::None, Button::Cancel}), Button::Cancel);
  EXPECT_EQ(d.Input(U("シルバー 年齢の設定"), U("年齢"), "00"), std::optional<QString>("60"));
  // No answer left: the default.
  EXPECT_EQ(d.Input(U("t"), U("p"), "00"), std::optional<QString>("00"));
  d.Tell(U("終わり"));

  ASSERT_EQ(d.Records().size(), 6);
  EXPECT_EQ(DialogFields(d.Records().at(0)), (QStringList{"message", "ZOTRAS", U("保存しますか？"), "Yes|No", "No"}));
  EXPECT_EQ(DialogFields(d.Records().at(2)), (QStringList{"message", U("題"), U("行1\n行2"), "OK|Cancel", "Cancel"}));
  EXPECT_EQ(d.Records().at(2).split('\t').at(2), U("行1\\n行2"));
  EXPECT_EQ(DialogFields(d.Records().at(3)), (QStringList{"input", U("シルバー 年齢の設定"), U("年齢"), "00", "60"}));
}

TEST(ScriptedDialogs, AnAnswerThatIsNotAButtonTakesTheDefault) {
  ScriptedDialogs d({}, {"Yes", "Cancel"});
  EXPECT_EQ(d.Ask("?", Buttons::Ok), Button::Ok);
  EXPECT_EQ(d.Input("t", "p", "x"), std::nullopt);
}

TEST(ScriptedDialogs, FileDialogsTakeAPathOrCancel) {
  ScriptedDialogs d({}, {"/tmp/MARQEN.HDB", "Cancel"});
  FileDialogRequest r{U("Marqen ﾌｧｲﾙを定義します"), "/c/marqen", "MARQEN.HDB", "Marqen (*.HDB)|*.HDB", 1};
  EXPECT_EQ(d.OpenFile(r), std::optional<QString>("/tmp/MARQEN.HDB"));
  EXPECT_EQ(d.OpenFile(r), std::nullopt);
  EXPECT_EQ(d.SaveFile(r), std::nullopt);
  EXPECT_EQ(DialogFields(d.Records().at(0)).at(0), "open");
}

TEST(ScriptedDialogs, ProgramsOfOneRunShareTheAnswerList) {
  TempFolder t;
  const QString log = t.File("dialogs.log");
  {
    ScriptedDialogs first(log, {"Yes", "No", "Retry"});
    EXPECT_EQ(first.Ask("a", Buttons::YesNo), Button::Yes);
  }
  // The next program starts where the first one stopped.
  ScriptedDialogs second(log, {"Yes", "No", "Retry"});
  EXPECT_EQ(second.Ask("b", Buttons::YesNo), Button::No);
  EXPECT_EQ(second.Ask("c", Buttons::RetryCancel), Button::Retry);
  EXPECT_EQ(second.Ask("d", Buttons::YesNo), Button::Yes);  // none left: default
  QFile f(log);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().count('\n'), 4);
}

TEST(ScriptedDialogs, EnvironmentChoosesThem) {
  TempFolder t;
  qputenv("ZOTRA_DIALOG_LOG", t.File("d.log").toUtf8());
  qputenv("ZOTRA_DIALOG_ANSWERS", "Cancel,OK");
  auto d = ScriptedDialogs::FromEnvironment();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Ask("x", Buttons::OkCancel), Button::Cancel);
  qunsetenv("ZOTRA_DIALOG_LOG");
  qunsetenv("ZOTRA_DIALOG_ANSWERS");
  EXPECT_FALSE(ScriptedDialogs::FromEnvironment());
}

TEST(Buttons, WordsAndSets) {
  EXPECT_EQ(ButtonFromWord("ok"), Button::Ok);
  EXPECT_EQ(ButtonFromWord(" Retry "), Button::Retry);
  EXPECT_EQ(ButtonFromWord("maybe"), std::nullopt);
  EXPECT_EQ(ButtonList(Buttons::YesNoCancel), (QList<Button>{Button::Yes, Button::No, Button::Cancel}));
  EXPECT_EQ(EscapeLogField("a\tb\\c\r\n"), "a\\tb\\\\c\\r\\n");
}

TEST(ScriptedDialogs, AChoiceTakesANumberATextOrAPartOfOne) {
  ChoiceRequest r;
  r.title = U("小笠原諸島の取り扱い");
  r.text = U("どのナンバーにするかを選択してください。");
  r.choices = QStringList{U("東京都 (10)"), U("小笠原 (48)"), U("沖の鳥島 (49)"), U("南鳥島 (50)")};
  r.defaultChoice = 1;
  r.confirm = U("決定");
  ScriptedDialogs d({}, {"3", U("南鳥島 (50)"), "(10)", "", U("島"), "7"});
  EXPECT_EQ(d.Choose(r), 2);
  EXPECT_EQ(d.Choose(r), 3);
  EXPECT_EQ(d.Choose(r), 0);
  EXPECT_EQ(d.Choose(r), 1);  // empty: the preselected choice
  EXPECT_EQ(d.Choose(r), 1);  // a part that two choices hold
  EXPECT_EQ(d.Choose(r), 1);  // no such number
  EXPECT_EQ(DialogFields(d.Records().at(0)),
            (QStringList{"choice", U("小笠原諸島の取り扱い"), U("どのナンバーにするかを選択してください。"),
                         U("東京都 (10)|小笠原 (48)|沖の鳥島 (49)|南鳥島 (50)"), U("沖の鳥島 (49)")}));
  // A check box is listed with "+", ticked by an answer ending in "+".
  bool rest = false;
  r.checkBox = U("残りにも使う");
  r.checked = &rest;
  ScriptedDialogs boxed({}, {"49+"});
  EXPECT_EQ(boxed.Choose(r), 2);
  EXPECT_TRUE(rest);
  EXPECT_EQ(DialogFields(boxed.Records().at(0)).mid(3),
            (QStringList{U("東京都 (10)|小笠原 (48)|沖の鳥島 (49)|南鳥島 (50)|+残りにも使う"), U("沖の鳥島 (49)+")}));
  // Dialogs that show no choice take the preselected one.
  ConsoleDialogs console;
  EXPECT_EQ(console.Choose(r), 1);
}
