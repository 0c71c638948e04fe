// The category and contest-name windows through their grids: the field laid
// over a double-clicked cell, the row menu, saving, reloading, resetting,
// closing with unsaved changes, and the category list of the main window.
#include "EditorFixture.h"
#include "define/CategoryData.h"
#include "define/ui/CategoryWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace zotra;
using namespace zotra::test;

namespace {

const QStringList kSmallBase = {"\"TYPE-2\"", U("\"CA\",\"電信部門\",\"シングルオペ\",\"ＡＬＬ　ＪＡ\",\"\""),
                                U("\"XA\",\"電信電話部門\",\"シングルオペ\",\"ＡＬＬ　ＪＡ\",\"\""),
                                U("\"SWL\",\"SWL\",\"SWL\",\"\",\"\"")};

QPoint CellCentre(QTableWidget* grid, int row, int column) {
  return grid->visualItemRect(grid->item(row, column)).center();
}

// A double click: the first click, then the second one that the window
// system reports as a double click.
void DoubleClickCell(QTableWidget* grid, int row, int column) {
  const QPoint at = CellCentre(grid, row, column);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

// Types over the field open on the grid and presses Enter.
void TypeInto(GridWindow& w, const QString& text) {
  QWidget* editor = w.OpenEditor();
  ASSERT_NE(editor, nullptr);
  QWidget* target = editor;
  if (auto* combo = qobject_cast<QComboBox*>(editor)) target = combo->lineEdit();
  static_cast<QLineEdit*>(target)->selectAll();
  EditorFixture::Enter(target, text);
  QTest::keyClick(editor, Qt::Key_Return);
}

// Shows a window laid out and active, as the operator sees it.
void Show(QWidget* w) {
  w->show();
  QApplication::setActiveWindow(w);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

QAction* Action(GridWindow& w, const char* name) { return w.RowMenu()->findChild<QAction*>(name); }

}  // namespace

TEST(CategoryWindow, EditsThroughTheOverlayAndSaves) {
  EditorFixture e;
  e.t.WriteCp932("ZOTCOD.BSE", CrLf(kSmallBase));
  CategoryWindow w(e.frame, e.dialogs);
  Show(&w);
  QTableWidget* grid = w.Grid();
  EXPECT_EQ(w.windowTitle(), U("参加部門ファイルのカスタマイズ"));
  ASSERT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), U("ｺｰﾄﾞ"));
  EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), U(" 種  目"));
  EXPECT_EQ(w.CellText(1, 2), U("電信電話部門"));
  EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), U("↓ ここをダブルクリックすると行挿入が出来ます"));
  EXPECT_EQ(w.findChild<QPushButton*>("Command1")->toolTip(), U("表示されているデータを破棄して データを再度読み込みます"));

  // The code in Text1, the section in Combo1, the event in Text2, a keyword in Combo2.
  DoubleClickCell(grid, 0, 1);
  ASSERT_EQ(w.OpenEditor(), w.findChild<QLineEdit*>("Text1"));
  TypeInto(w, " CAH ");
  EXPECT_EQ(w.OpenEditor(), nullptr);
  DoubleClickCell(grid, 0, 2);
  auto* sections = w.findChild<QComboBox*>("Combo1");
  ASSERT_EQ(w.OpenEditor(), sections);
  EXPECT_EQ(sections->itemText(0), U("電信電話部門"));
  EXPECT_EQ(sections->toolTip(), U("キー入力も可能です"));
  TypeInto(w, U("電話部門"));
  DoubleClickCell(grid, 0, 3);
  TypeInto(w, U("シングルオペ 100W"));
  DoubleClickCell(grid, 2, 5);
  auto* keywords = w.findChild<QComboBox*>("Combo2");
  ASSERT_EQ(w.OpenEditor(), keywords);
  EXPECT_EQ(keywords->itemText(0), U("ＡＬＬ　ＪＡ"));
  TypeInto(w, U("全市全郡"));
  // Escape leaves a cell as it was; F2 opens a cell from the keyboard.
  grid->setCurrentCell(1, 1);
  QTest::keyClick(grid, Qt::Key_F2);
  static_cast<QLineEdit*>(w.OpenEditor())->setText("XYZ");
  QTest::keyClick(w.OpenEditor(), Qt::Key_Escape);
  EXPECT_EQ(w.CellText(1, 1), "XA");
  EXPECT_TRUE(w.Dirty());

  // Insert by the pointed header cell, copy and paste a row, delete one.
  grid->setCurrentCell(0, 1);
  const int header = grid->horizontalHeader()->sectionViewportPosition(0) + 5;
  QTest::mouseDClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(header, 5));
  ASSERT_EQ(grid->rowCount(), 4);
  EXPECT_EQ(w.CellText(1, 1), QString());
  grid->setCurrentCell(2, 1);
  Action(w, "CopyRow")->trigger();
  grid->setCurrentCell(1, 1);
  Action(w, "PasteRow")->trigger();
  EXPECT_EQ(w.CellText(1, 1), "XA");
  grid->setCurrentCell(2, 1);
  Action(w, "DeleteRow")->trigger();
  EXPECT_TRUE(w.IsDeleted(2));
  EXPECT_EQ(w.CellText(2, 0), U("削除"));
  grid->setCurrentCell(0, 1);
  Action(w, "InsertAbove")->trigger();
  Action(w, "DeleteRow")->trigger();

  QTest::mouseClick(w.findChild<QPushButton*>("Command2"), Qt::LeftButton);
  EXPECT_EQ(e.t.ReadCp932("ZOTRAW.COD"),
            CrLf({"\"TYPE-2\"", U("\"CAH\",\"電話部門\",\"シングルオペ 100W\",\"ＡＬＬ　ＪＡ\",\"\""),
                  U("\"XA\",\"電信電話部門\",\"シングルオペ\",\"ＡＬＬ　ＪＡ\",\"\""),
                  U("\"SWL\",\"SWL\",\"SWL\",\"\",\"全市全郡\"")}));
  EXPECT_FALSE(w.Dirty());
  EXPECT_EQ(grid->rowCount(), 3);
  EXPECT_TRUE(e.Dialogs().isEmpty());
}

TEST(CategoryWindow, AnEmptyGridSavesTheMarkerAlone) {
  EditorFixture e;
  e.t.WriteCp932("ZOTCOD.BSE", CrLf(kSmallBase));
  CategoryWindow w(e.frame, e.dialogs);
  Show(&w);
  for (int r = 0; r < 3; ++r) w.MarkDeleted(r, true);
  QTest::mouseClick(w.findChild<QPushButton*>("Command2"), Qt::LeftButton);
  EXPECT_EQ(e.t.ReadBytes("ZOTRAW.COD"), QByteArray("\"TYPE-2\"\r\n"));
  EXPECT_EQ(w.Grid()->rowCount(), 0);
  // An empty grid still takes a row from the header cell.
  QTest::mouseDClick(w.Grid()->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(w.Grid()->rowCount(), 1);
}

TEST(CategoryWindow, ReloadResetAndCloseAskWhenChanged) {
  EditorFixture e;
  e.t.WriteCp932("ZOTCOD.BSE", CrLf(kSmallBase));
  e.t.WriteCp932("ZOTRAW.COD", CrLf({"\"TYPE-2\"", "\"MINE\",\"S\",\"E\",\"\",\"\""}));
  WriteProfileString(e.Ini(), "ZOTRAS", "Width", "700");
  WriteProfileString(e.Ini(), "ZOTRAS", "Height", "420");
  auto* w = new CategoryWindow(e.frame, e.dialogs);
  Show(w);
  EXPECT_EQ(w->size(), QSize(700, 420));
  ASSERT_EQ(w->Grid()->rowCount(), 1);

  w->InsertRow(1);
  e.Answers({"No"});
  QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);  // 再読込
  EXPECT_EQ(e.MessageTexts().last(), U("修整結果を破棄します"));
  EXPECT_EQ(w->Grid()->rowCount(), 2);
  e.Answers({"Yes"});
  QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_EQ(w->Grid()->rowCount(), 1);

  // "初期ファイル化" asks, then the base file comes back.
  e.Answers({"No"});
  QTest::mouseClick(w->findChild<QPushButton*>("Command3"), Qt::LeftButton);
  EXPECT_EQ(w->CellText(0, 1), "MINE");
  e.Answers({"Yes"});
  QTest::mouseClick(w->findChild<QPushButton*>("Command3"), Qt::LeftButton);
  EXPECT_EQ(w->Grid()->rowCount(), 3);
  EXPECT_EQ(e.t.ReadBytes("ZOTRAW.COD"), e.t.ReadBytes("ZOTCOD.BSE"));

  // Closing with a change asks, "No" preselected and keeping the window.
  w->MarkDeleted(0, true);
  e.Answers({});
  QTest::mouseClick(w->findChild<QPushButton*>("Command4"), Qt::LeftButton);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(e.Dialogs().last().at(2), U("修整結果を保存しなくても良いですか"));
  EXPECT_EQ(e.Dialogs().last().at(4), "No");
  w->resize(760, 500);
  e.Answers({"Yes"});
  w->close();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(e.Setting("ZOTRAS", "Width"), "760");
  EXPECT_EQ(e.Setting("ZOTRAS", "Height"), "500");
  EXPECT_EQ(e.t.ReadBytes("ZOTRAW.COD"), e.t.ReadBytes("ZOTCOD.BSE"));
  delete w;
}

TEST(CategoryWindow, OpenedFromTheEditorAndTheListRebuilt) {
  EditorFixture e;
  e.t.WriteCp932("ZOTCOD.BSE", CrLf(kSmallBase));
  e.Open();
  e.Type("Combo2", U("ALL JAコンテスト"));
  e.Tab(4);
  auto* list = e.Get<QComboBox>("Combo1");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentText(), U("CA/電信部門/シングルオペ/ＡＬＬ　ＪＡ"));
  EXPECT_EQ(e.Edit("Text5")->text(), QString());  // shown, not yet chosen

  OnNextModal([](QWidget* modal) {
    auto* form = static_cast<CategoryWindow*>(modal);
    EXPECT_EQ(form->objectName(), "Form1");
    form->MarkDeleted(0, true);
    QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QTest::mouseClick(form->findChild<QPushButton*>("Command4"), Qt::LeftButton);
  });
  e.Click("Command6");
  EXPECT_EQ(list->count(), 2);
  e.Choose("Combo1", U("SWL/SWL/SWL"));
  EXPECT_EQ(e.Edit("Text5")->text(), "SWL");

  // Another contest: only the categories of every contest.
  e.Tab(0);
  e.Retype("Combo2", U("KCJコンテスト"));
  e.Tab(4);
  EXPECT_EQ(list->count(), 1);
}

TEST(CategoryWindow, NoBaseFileTellsOnceAndTheFieldsStillTakeText) {
  EditorFixture e;
  QFile::remove(e.t.File("ZOTCOD.BSE"));
  e.Open();
  EXPECT_EQ(e.MessageTexts(), QStringList{U("参加部門基本データファイルが存在しないか\n古いバージョンのものです\nZOTCOD.BSE")});
  e.Tab(4);
  EXPECT_EQ(e.Get<QComboBox>("Combo1")->count(), 0);
  e.Type("Text5", "XAM");
  EXPECT_EQ(e.Edit("Text5")->text(), "XAM");
}

TEST(ContestNameWindow, FormsAreCheckedAndSaved) {
  EditorFixture e;
  e.t.WriteCp932("C_NAME.TXT", CrLf({U("ALL JAコンテスト,R2"), U("地方コンテスト")}));
  ContestNameWindow w(e.frame, e.dialogs);
  Show(&w);
  QTableWidget* grid = w.Grid();
  EXPECT_EQ(w.windowTitle(), U("コンテスト名称ファイルの保守"));
  EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), U("JARL 電子ログ形式"));
  ASSERT_EQ(grid->rowCount(), 2);

  // "r1" is accepted without a question.
  DoubleClickCell(grid, 1, 2);
  ASSERT_EQ(w.OpenEditor(), w.findChild<QLineEdit*>("Text1"));
  TypeInto(w, "r1");
  EXPECT_EQ(w.CellText(1, 2), "R1");
  EXPECT_TRUE(e.Dialogs().isEmpty());
  // Another form asks; Cancel (preselected) keeps the old one, OK takes it.
  DoubleClickCell(grid, 0, 2);
  TypeInto(w, "R3");
  EXPECT_EQ(w.CellText(0, 2), "R2");
  ASSERT_EQ(e.Dialogs().size(), 1);
  EXPECT_EQ(e.Dialogs().first(),
            (QStringList{"message", "ZOTRAS", U("JARL 電子ログ形式が既定値( R1 R2 )と異なります"), "OK|Cancel", "Cancel"}));
  e.Answers({"OK"});
  DoubleClickCell(grid, 0, 2);
  TypeInto(w, "R3");
  EXPECT_EQ(w.CellText(0, 2), "R3");

  grid->setCurrentCell(1, 1);
  Action(w, "InsertBelow")->trigger();
  DoubleClickCell(grid, 2, 1);
  TypeInto(w, U(" 新しい,コンテスト "));
  grid->setCurrentCell(0, 1);
  Action(w, "DeleteRow")->trigger();
  EXPECT_EQ(w.findChild<QPushButton*>("Command1")->toolTip(), U("修正地を保存します"));
  QTest::mouseClick(w.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(e.t.ReadCp932("C_NAME.TXT"), CrLf({U("地方コンテスト,R1"), U("新しい，コンテスト")}));
}

TEST(ContestNameWindow, LeavingUnsavedWritesNothingAndTheListIsReloaded) {
  EditorFixture e;
  e.t.WriteCp932("C_NAME.TXT", CrLf({U("ALL JAコンテスト,R2")}));
  const QByteArray before = e.t.ReadBytes("C_NAME.TXT");
  e.Open();
  e.Type("Combo2", U("私のコンテスト"));
  OnNextModal([](QWidget* modal) {
    auto* form = static_cast<ContestNameWindow*>(modal);
    form->InsertRow(1);
    QTest::mouseClick(form->findChild<QPushButton*>("Command2"), Qt::LeftButton);  // 非保存終了
  });
  e.Click("Command7");
  EXPECT_EQ(e.t.ReadBytes("C_NAME.TXT"), before);

  OnNextModal([](QWidget* modal) {
    auto* form = static_cast<ContestNameWindow*>(modal);
    form->InsertRow(1);
    form->EditCell(1, 1);
    TypeInto(*form, U("追加コンテスト"));
    QTest::mouseClick(form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  });
  e.Click("Command7");
  auto* names = e.Get<QComboBox>("Combo2");
  EXPECT_EQ(names->count(), 2);
  EXPECT_EQ(names->itemText(1), U("追加コンテスト"));
  EXPECT_EQ(names->currentText(), U("私のコンテスト"));
  EXPECT_TRUE(e.Dialogs().isEmpty());
}

TEST(ContestNameWindow, MissingOrGarbledFilesGiveAnEmptyOrReadableList) {
  EditorFixture e;
  QFile::remove(e.t.File("C_NAME.TXT"));
  e.Open();
  EXPECT_EQ(e.Get<QComboBox>("Combo2")->count(), 0);
  EXPECT_TRUE(e.Dialogs().isEmpty());

  EditorFixture g;
  g.t.WriteBytes("C_NAME.TXT", QByteArray("\x82\xa0\xff,R2\r\n,,,\r\n\r\n"));
  g.Open();
  auto* names = g.Get<QComboBox>("Combo2");
  ASSERT_EQ(names->count(), 2);
  EXPECT_EQ(names->itemText(1), ",,");
}
