// The menu's window in-process, headless: its controls, which of them are
// usable after the start, and what each button starts.
#include "MenuFixture.h"
#include "common/ui/HelpWindow.h"
#include "common/ui/WindowDialogs.h"
#include "menu/MenuWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QPushButton* PushButton(QWidget& w, const char* name) {
  auto* b = w.findChild<QPushButton*>(name);
  EXPECT_NE(b, nullptr) << name;
  return b;
}

QAction* Action(QWidget& w, const char* name) {
  auto* a = w.findChild<QAction*>(name);
  EXPECT_NE(a, nullptr) << name;
  return a;
}

QLabel* Label(QWidget& w, const char* name) {
  auto* l = w.findChild<QLabel*>(name);
  EXPECT_NE(l, nullptr) << name;
  return l;
}

// A menu started in a folder where everything is found.
struct ReadyMenu {
  MenuFixture m;
  std::unique_ptr<MenuWindow> window;

  explicit ReadyMenu(bool hostFiles = true, const QStringList& answers = {}) {
    m.Environment();
    if (hostFiles) m.HostFiles();
    m.Answers(answers);
    window = std::make_unique<MenuWindow>(m.frame, m.dialogs());
    window->show();
  }
  bool Start() { return window->Start(); }
};

}  // namespace

TEST(MenuWindow, ControlsAsTheOperatorSeesThem) {
  ReadyMenu r;
  ASSERT_TRUE(r.Start());
  MenuWindow& w = *r.window;
  EXPECT_EQ(w.windowTitle(), "ZOTRA   Ver " + ProgramVersion());
  EXPECT_EQ(Label(w, "Label3")->text(), "ZOTRA  Menu");
  EXPECT_EQ(Label(w, "Label1")->text(), "MY.CFG");
  EXPECT_EQ(Label(w, "Label1")->toolTip(), U("使用している環境ファイル名です"));
  EXPECT_EQ(Label(w, "Label4")->text(), r.m.t.Path());

  const QList<QStringList> buttons = {
      {"Command1", U("ｺﾝﾃｽﾄの設定"), U("コンテスト条件自局の定義等を行います")},
      {"Command2", U("ﾃﾞｰﾀの選択"), U("Marqen からデータを抽出します")},
      {"Command3", U("ﾃﾞｰﾀの整理と印刷"), U("デュープチェックとログシートの印刷をします")},
      {"Command4", U("ｻﾏﾘｰｼｰﾄの印刷"), U("サマリーシートを印刷します")},
      {"Command5", U("終了"), U("ZOTRAWを終了します")},
      {"Command7", U("ZOTRAWXL の実行"), U("Excel で データを修正します")},
  };
  for (const QStringList& b : buttons) {
    QPushButton* button = PushButton(w, b.at(0).toUtf8().constData());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), b.at(1));
    EXPECT_EQ(button->toolTip().section('\n', 0, 0), b.at(2));  // a greyed one adds why
  }

  const QList<QStringList> actions = {
      {"MARQEN_SET", U("Marqen.DBS /HDB 設定")}, {"Mst_Set", U("Marqen.Mst 設定")},
      {"CFG_EDIT", U("環境ファイルの編集")},       {"editor_set", U("エディタの指定")},
      {"editor_reset", U("エディタの解除")},       {"JARL_SHOW", U("JARL 形式")},
      {"VQ_SHOW", U("VQ 形式")},                   {"HelpShow", "Help"},
      {"kantan", U("かんたん Help")},
  };
  for (const QStringList& a : actions) {
    QAction* action = Action(w, a.at(0).toUtf8().constData());
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), a.at(1));
  }
  QStringList bar;
  for (QAction* a : w.menuBar()->actions()) bar << a->text();
  EXPECT_EQ(bar, (QStringList{"Option", U("電子ログファイルを見る"), "Help", U("かんたん Help")}));
  EXPECT_EQ(w.findChild<QMenu*>("editor")->title(), U("エディタの選択"));
}

TEST(MenuWindow, DataStepsOffWithoutTheLogbook) {
  ReadyMenu r(false, {"No", "No"});
  ASSERT_TRUE(r.Start());
  MenuWindow& w = *r.window;
  for (const char* name : {"Command2", "Command3", "Command4", "Command7"}) {
    EXPECT_FALSE(PushButton(w, name)->isEnabled()) << name;
  }
  for (const char* name : {"Command1", "Command5"}) EXPECT_TRUE(PushButton(w, name)->isEnabled()) << name;
  for (const char* name : {"MARQEN_SET", "Mst_Set", "CFG_EDIT", "editor_set", "editor_reset"}) {
    EXPECT_TRUE(Action(w, name)->isEnabled()) << name;
  }

  // A greyed step says why and where to mend it; each choice through Option
  // is tested at once, and the steps come alive with the second file.
  EXPECT_TRUE(PushButton(w, "Command2")->toolTip().contains(U("「Marqen.Mst 設定」")));
  r.m.HostFiles();
  WriteProfileString(r.m.Ini(), "ZOTRAM", "MST", "ERR");
  r.m.Answers({r.m.t.File("marqen/MARQEN.HDB"), r.m.t.File("marqen/MARQEN.MST")});
  Action(w, "MARQEN_SET")->trigger();
  EXPECT_EQ(r.m.Setting("MARQEN"), r.m.t.File("marqen/MARQEN.HDB"));
  EXPECT_FALSE(PushButton(w, "Command2")->isEnabled());
  EXPECT_FALSE(PushButton(w, "Command2")->toolTip().contains(U("「Marqen.DBS /HDB 設定」")));
  EXPECT_EQ(Label(w, "LogbookFile")->text(), r.m.t.File("marqen/MARQEN.HDB"));
  Action(w, "Mst_Set")->trigger();
  for (const char* name : {"Command2", "Command3", "Command4"}) {
    EXPECT_TRUE(PushButton(w, name)->isEnabled()) << name;
    EXPECT_EQ(PushButton(w, name)->toolTip().count('\n'), 0) << name;
  }
}

TEST(MenuWindow, LogMenusFollowTheStationFolders) {
  {  // no definition
    ReadyMenu r;
    ASSERT_TRUE(r.Start());
    EXPECT_FALSE(r.window->findChild<QMenu*>("showlog")->menuAction()->isEnabled());
    EXPECT_FALSE(Action(*r.window, "JARL_SHOW")->isEnabled());
    EXPECT_FALSE(Action(*r.window, "VQ_SHOW")->isEnabled());
  }
  {  // the "_JARL" folder only
    ReadyMenu r;
    r.m.t.WriteCp932("ZOTRAW.TST", "\"MyCall\",\"JA1ABC\"\r\n");
    QDir(r.m.t.Path()).mkdir("JA1ABC_JARL");
    ASSERT_TRUE(r.Start());
    EXPECT_TRUE(r.window->findChild<QMenu*>("showlog")->menuAction()->isEnabled());
    EXPECT_TRUE(Action(*r.window, "JARL_SHOW")->isEnabled());
    EXPECT_FALSE(Action(*r.window, "VQ_SHOW")->isEnabled());
  }
}

TEST(MenuWindow, EachStepStartsItsProgramAndTheMenuEnds) {
  const QList<QPair<const char*, QString>> rows = {
      {"Command1", "zotras"}, {"Command2", "zotrah"}, {"Command3", "zotrac"}, {"Command4", "zotrat"}};
  for (const auto& [button, program] : rows) {
    ReadyMenu r;
    r.m.t.WriteBytes("marqen/Marqen50.dll", "lib");
    ASSERT_TRUE(r.Start());
    PushButton(*r.window, button)->click();
    EXPECT_EQ(r.m.Started(), QStringList{r.m.t.File(program) + "\t/MY.CFG"}) << button;
    EXPECT_TRUE(r.m.Dialogs().isEmpty()) << button;
    EXPECT_FALSE(r.window->isVisible()) << button;
    EXPECT_FALSE(r.window->isEnabled()) << button;
    EXPECT_NE(r.m.Setting("FormTop"), "<none>") << button;
  }
}

TEST(MenuWindow, DefinitionEditorNeedsTheLibrary) {
  {  // no library beside the logbook: the message, and the menu ends
    ReadyMenu r;
    ASSERT_TRUE(r.Start());
    PushButton(*r.window, "Command1")->click();
    const QList<QStringList> expected = {
        {"message", "ZOTRAM", U("MARQEN.HDB ファイルのフォルダに MARQEN50.DLL ファイルが見つかりません"), "OK", "OK"}};
    EXPECT_EQ(r.m.Dialogs(), expected);
    EXPECT_TRUE(r.m.Started().isEmpty());
    EXPECT_FALSE(r.window->isVisible());
  }
  {  // no logbook location at all: the same
    ReadyMenu r(false, {"No", "No"});
    ASSERT_TRUE(r.Start());
    r.m.t.WriteBytes("Marqen50.dll", "lib");
    PushButton(*r.window, "Command1")->click();
    ASSERT_EQ(r.m.Dialogs().size(), 3);
    EXPECT_EQ(r.m.Dialogs().last().at(2), U("MARQEN.HDB ファイルのフォルダに MARQEN50.DLL ファイルが見つかりません"));
    EXPECT_TRUE(r.m.Started().isEmpty());
  }
  {  // an older library than the environment file asks for: the warning, then the editor
    ReadyMenu r;
    r.m.Environment({"$7", "%CW", "&2999/12/31"});
    r.m.t.WriteBytes("marqen/MARQEN50.DLL", "lib");
    ASSERT_TRUE(r.Start());
    PushButton(*r.window, "Command1")->click();
    const QString warning = U(
        "警告\n"
        "この ZOTRA では 指定された MARQEN.HDB フォルダ内にある\n"
        "MARQEN50.DLL を使用します\n"
        "使用している MARQEN50.DLL は ZOTRA で想定しているものより古いものです\n"
        "もっと新しいものを使用されることを推奨いたします\n"
        "新しい MARQEN50.DLL は MARQEN の最新版をインストールすると\n"
        "MARQEN{ インストールにフォルダにコピーされます");
    const QList<QStringList> expected = {{"message", U("MARQEN50.dll 警告"), warning, "Close", "Close"}};
    EXPECT_EQ(r.m.Dialogs(), expected);
    EXPECT_EQ(r.m.Started(), QStringList{r.m.t.File("zotras") + "\t/MY.CFG"});
  }
}

TEST(MenuWindow, EndAndOptions) {
  ReadyMenu r;
  WriteProfileString(r.m.Ini(), "ZOTRAM", "EDITOR", "myedit");
  // A page in UTF-8 is read as it declares; a missing page is told.
  r.m.t.WriteBytes("kantan.html", U("<html><head><meta charset=\"utf-8\"><title>かんたん</title></head></html>").toUtf8());
  ASSERT_TRUE(r.Start());
  Action(*r.window, "CFG_EDIT")->trigger();
  Action(*r.window, "kantan")->trigger();
  EXPECT_EQ(r.m.Started(), QStringList{"myedit\t" + r.m.t.File("MY.CFG")});
  ASSERT_NE(r.window->helpWindow(), nullptr);
  EXPECT_EQ(r.window->helpWindow()->windowTitle(), U("かんたん"));
  Action(*r.window, "HelpShow")->trigger();
  EXPECT_EQ(r.m.Dialogs().last().at(2), U("ヘルプファイル ") + r.m.t.File("zotram.html") + U(" が見つかりません"));
  Action(*r.window, "editor_reset")->trigger();
  EXPECT_EQ(r.m.Setting("EDITOR"), "NOTEPAD.EXE");

  // "終了": the position is kept, nothing starts, the help window closes.
  PushButton(*r.window, "Command5")->click();
  EXPECT_FALSE(r.window->isVisible());
  EXPECT_FALSE(r.window->helpWindow()->isVisible());
  EXPECT_EQ(r.m.Started().size(), 1);
  EXPECT_NE(r.m.Setting("FormLeft"), "<none>");
}

TEST(MenuWindow, StartEndsWhenTheOperatorCancels) {
  ReadyMenu r(false, {"Cancel"});
  EXPECT_FALSE(r.Start());
  EXPECT_FALSE(r.window->isVisible());
  EXPECT_TRUE(r.m.Started().isEmpty());
}

TEST(MenuWindow, ActivateRestoresAMinimisedWindow) {
  ReadyMenu r;
  ASSERT_TRUE(r.Start());
  r.window->showMinimized();
  r.window->Activate();
  EXPECT_FALSE(r.window->isMinimized());
  EXPECT_TRUE(r.window->isVisible());
}

// Qt's own texts (file dialogs, standard buttons) come in Japanese.
TEST(MenuWindow, QtTextsInJapanese) {
  ASSERT_TRUE(InstallQtTranslations());
  for (const char* text : {"Look in:", "Files of type:"}) {
    const QString shown = QCoreApplication::translate("QFileDialog", text);
    EXPECT_TRUE(shown.contains(QRegularExpression("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]"))) << text;
  }
}

// A file dialog shows each filter's label as the caller wrote it.
TEST(MenuWindow, FileDialogFilterLabelsStayWhole) {
  EXPECT_EQ(DialogFilters("Marqen Ver4.x(*.DBS), Marqen Ver5.x(*.HDB)|*.DBS;*.HDB|Marqen (*.MST)|*.MST"),
            (QStringList{"Marqen Ver4.x(*.DBS), Marqen Ver5.x(*.HDB) (*.DBS *.HDB)", "Marqen (*.MST)"}));
}
