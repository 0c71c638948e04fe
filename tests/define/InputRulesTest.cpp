// How the editor's fields and boxes take input, through key and mouse events
// on the real widgets: period fields, digit fields, upper case, the focus
// colour, the blue-band limit, the contest-number tables, the points window
// and the JARL log format notice.
#include "EditorFixture.h"
#include "define/ui/InputRules.h"
#include "define/ui/SmallWindows.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace zotra;
using namespace zotra::test;

namespace {

QColor Background(QWidget* w) { return w->palette().color(QPalette::Base); }

}  // namespace

TEST(InputRules, PeriodFieldsTypeOverAdvanceAndPad) {
  EditorFixture e;
  e.Open();
  QLineEdit* year = e.Edit("ymd_0");
  QLineEdit* month = e.Edit("ymd_1");
  year->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Background(year), kFocusColour);
  // Letters and other keys are dropped; the field entered is typed over whole.
  QTest::keyClicks(year, "x-");
  EXPECT_EQ(year->text(), "1998");
  QTest::keyClicks(year, "20");
  EXPECT_EQ(year->text(), "20");
  EXPECT_EQ(QApplication::focusWidget(), year);
  QTest::keyClicks(year, "26");
  EXPECT_EQ(year->text(), "2026");
  // The fourth digit moves on; the field left gets the window's colour back.
  EXPECT_EQ(QApplication::focusWidget(), month);
  EXPECT_NE(Background(year), kFocusColour);
  EXPECT_EQ(Background(month), kFocusColour);

  // Within a field digits type over the next one; Home, End and Delete work.
  QTest::keyClick(month, Qt::Key_Home);
  QTest::keyClick(month, '4');
  EXPECT_EQ(month->text(), "41");
  QTest::keyClick(month, Qt::Key_End);
  QTest::keyClick(month, Qt::Key_Backspace);
  QTest::keyClick(month, Qt::Key_Home);
  QTest::keyClick(month, Qt::Key_Delete);
  EXPECT_EQ(month->text(), "");
  QTest::keyClick(month, '4');
  EXPECT_EQ(month->text(), "4");
  QTest::keyClick(month, Qt::Key_Right);
  EXPECT_EQ(month->text(), "04");
  EXPECT_EQ(QApplication::focusWidget(), e.Edit("ymd_2"));
  // Arrow keys between neighbours; none before the first field.
  QTest::keyClick(e.Edit("ymd_2"), Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), month);
  QTest::keyClick(month, Qt::Key_Left);
  QTest::keyClick(year, Qt::Key_Left);
  EXPECT_EQ(QApplication::focusWidget(), year);
  // A short year is padded to four digits on leaving.
  year->selectAll();
  QTest::keyClick(year, '7');
  QTest::keyClick(year, Qt::Key_Down);
  EXPECT_EQ(year->text(), "0007");

  // A click at the end of a field and four digits: they replace the year and
  // do not run on into the month.
  QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(year->width() - 4, year->height() / 2));
  QTest::qWait(5);
  QTest::keyClicks(year, "2025");
  EXPECT_EQ(year->text(), "2025");
  EXPECT_EQ(month->text(), "04");

  // The last field moves on to "Jst".
  e.Edit("ymd_9")->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(e.Edit("ymd_9"), "30");
  EXPECT_EQ(e.Edit("ymd_9")->text(), "30");
  EXPECT_EQ(QApplication::focusWidget(), e.Get<QRadioButton>("Jst"));
}

TEST(InputRules, DigitFieldsAndUpperCase) {
  EditorFixture e;
  e.Open();
  e.Tab(2);
  e.Click("rjcc");
  QLineEdit* jcc = e.Edit("xlen_0");
  EXPECT_TRUE(jcc->isEnabled());
  EXPECT_EQ(jcc->text(), "6");
  jcc->setFocus(Qt::TabFocusReason);
  jcc->setCursorPosition(0);
  // Backspace and letters are dropped; a digit types over; two at most;
  // Home, End, the arrows, Ctrl+A and Delete work.
  QTest::keyClick(jcc, Qt::Key_End);
  QTest::keyClick(jcc, Qt::Key_Backspace);
  QTest::keyClicks(jcc, "a");
  EXPECT_EQ(jcc->text(), "6");
  EXPECT_EQ(jcc->cursorPosition(), 1);
  QTest::keyClick(jcc, Qt::Key_Left);
  EXPECT_EQ(jcc->cursorPosition(), 0);
  QTest::keyClick(jcc, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(jcc->selectedText(), "6");
  QTest::keyClick(jcc, Qt::Key_Delete);
  EXPECT_EQ(jcc->text(), "");
  QTest::keyClicks(jcc, "1");
  EXPECT_EQ(jcc->text(), "1");
  QTest::keyClicks(jcc, "23");
  EXPECT_EQ(jcc->text(), "12");
  EXPECT_EQ(e.Get<QLabel>("rcvno")->text(), "Jcc(12)");
  // Pasted text that is not digits is refused too.
  jcc->selectAll();
  jcc->insert("x9");
  EXPECT_EQ(jcc->text(), "12");

  // The licensed power takes Backspace.
  e.Tab(5);
  QLineEdit* power = e.Edit("Text3");
  power->setFocus(Qt::TabFocusReason);
  power->setCursorPosition(2);
  QTest::keyClick(power, Qt::Key_Backspace);
  QTest::keyClicks(power, "W5");
  EXPECT_EQ(power->text(), "15");

  // The operators' field upper-cased as typed, the caret kept.
  e.Tab(7);
  QLineEdit* ops = e.Edit("Text21");
  ops->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(ops, "ja1aaa ja1bbb");
  ops->setCursorPosition(3);
  QTest::keyClicks(ops, "x");
  EXPECT_EQ(ops->text(), "JA1XAAA JA1BBB");
  EXPECT_EQ(ops->cursorPosition(), 4);
  // The call sign: a–z only.
  e.Tab(0);
  e.Type("callsign", "jh1xyz/1");
  EXPECT_EQ(e.Edit("callsign")->text(), "JH1XYZ/1");
  // An editable combo box shows the focus colour too.
  auto* name = e.Get<QComboBox>("Combo2");
  name->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Background(name), kFocusColour);
}

TEST(InputRules, NoMoreThanFourBlueBands) {
  QStringList plan = kPlan;
  plan.insert(17, "$24000,24000,24250");  // a fifth extra band
  EditorFixture e(plan);
  DefineWindow& w = e.Open();
  e.Tab(1);
  EXPECT_FALSE(e.Get<QLabel>("Label5")->text().isEmpty());
  for (const char* band : {"band_3", "band_5", "band_7", "band_16"}) e.Click(band);
  EXPECT_TRUE(e.Dialogs().isEmpty());
  e.Click("band_17");
  EXPECT_FALSE(e.Get<QCheckBox>("band_17")->isChecked());
  EXPECT_FALSE(w.Slots().bands().at(17).taken);
  EXPECT_EQ(e.MessageTexts(), QStringList{U("ブルーのバンドは最大４バンドしか選択できません")});
  // A standard band is never limited; freeing a blue one lets another in.
  e.Click("band_2");
  EXPECT_TRUE(e.Get<QCheckBox>("band_2")->isChecked());
  e.Click("band_16");
  e.Click("band_17");
  EXPECT_TRUE(e.Get<QCheckBox>("band_17")->isChecked());
  EXPECT_EQ(w.Slots().bands().at(17).points, 1);
  EXPECT_EQ(w.Slots().bands().at(16).points, -1);
}

TEST(InputRules, ContestNumberTablesAndCaptions) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Tab(2);
  e.Click("srmk2");
  e.Type("Text4", "10H");
  e.Click("srmk1");
  EXPECT_EQ(e.Get<QLabel>("Sendno")->text(), "HisRst(3) Rmk2(0) 10H(3) Rmk1(0)");
  EXPECT_EQ(e.Edit("xlen_7")->text(), "0");
  e.Click("srmk2");
  EXPECT_EQ(e.Get<QLabel>("Sendno")->text(), "HisRst(3) 10H(3) Rmk1(0)");
  EXPECT_FALSE(e.Edit("xlen_7")->isEnabled());
  EXPECT_EQ(e.Edit("xlen_7")->text(), QString());
  e.Retype("Text4", "");
  EXPECT_EQ(e.Get<QLabel>("Sendno")->text(), "HisRst(3) Rmk1(0)");

  for (const char* box : {"rqth", "MyRst", "rjcc", "rgl", "rhisname", "rrmk1"}) e.Click(box);
  EXPECT_EQ(e.Get<QLabel>("rcvno")->text(), "MyRst(3) Qth(28) Jcc(6) GL(6) HisName(12) Rmk1(0)");
  EXPECT_EQ(e.Edit("xlen_2")->text(), "12");
  // A seventh part would not fit the file: refused with a message.
  e.Click("rrmk2");
  EXPECT_FALSE(e.Get<QCheckBox>("rrmk2")->isChecked());
  EXPECT_EQ(e.MessageTexts(), QStringList{U("受信コンテストナンバーの項目は 6 個までです")});
  e.Click("rgl");
  EXPECT_EQ(e.Get<QLabel>("rcvno")->text(), "MyRst(3) Qth(28) Jcc(6) HisName(12) Rmk1(0)");
  e.Click("rrmk2");
  e.Retype("xlen_5", "7");
  EXPECT_EQ(e.Get<QLabel>("rcvno")->text(), "MyRst(3) Qth(28) Jcc(6) HisName(12) Rmk1(0) Rmk2(7)");
  EXPECT_EQ(w.CurrentDefinition().receivedItems,
            (QList<NumberItem>{{"MyRst", "3"}, {"Qth", "28"}, {"Jcc", "6"}, {"HisName", "12"}, {"Rmk1", "0"}, {"Rmk2", "7"}}));
}

TEST(InputRules, TimeBasisButtonsAndMultiplierCounts) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Click("Check5");
  EXPECT_TRUE(e.Get<QCheckBox>("Check5")->isChecked());
  e.Click("Utc");
  EXPECT_EQ(e.Get<QCheckBox>("Check5")->text(), "Jst=>Utc");
  EXPECT_EQ(e.Get<QCheckBox>("Check5")->toolTip(), U("Jst データの時刻を Utc に変換します"));
  EXPECT_FALSE(e.Get<QCheckBox>("Check5")->isChecked());
  e.Click("Jst");
  EXPECT_EQ(e.Get<QCheckBox>("Check5")->toolTip(), U("Utc データの時刻を Jst に変換します"));
  EXPECT_EQ(e.Get<QRadioButton>("Jst")->toolTip(), U("Jst データのみ選択"));

  e.Retype("Text1", "KCJ");
  e.Click("Command4");
  EXPECT_EQ(e.Edit("Text1")->text(), "JARL");
  e.Tab(4);
  e.Retype("Text8", "x");
  e.Type("idouti", U("富士山"));
  e.Type("dengen", U("発電機"));
  e.Click("Command1");
  e.Click("Command5");
  EXPECT_EQ(e.Edit("Text8")->text(), U("↑フィールドデーコンテストの場合は、局種係数を記入"));
  EXPECT_EQ(e.Edit("idouti")->text(), QString());
  EXPECT_EQ(e.Edit("dengen")->text(), QString());

  e.Tab(3);
  EXPECT_FALSE(e.Edit("maesuu")->isEnabled());
  e.Click("edit2");
  e.Retype("maesuu", "2");
  e.Click("space2");
  EXPECT_FALSE(e.Edit("maesuu")->isEnabled());
  EXPECT_EQ(w.CurrentDefinition().multi2, "Space");

  e.Tab(7);
  e.Click("Check3");
  for (const char* r : {"Option6_1", "Option6_2", "Option3_0", "Option3_1"}) EXPECT_FALSE(e.Get<QRadioButton>(r)->isEnabled());
  EXPECT_EQ(w.CurrentDefinition().jarlLog, "No");
}

TEST(PointsWindow, OnlyCheckedBandsAndModesTakePoints) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Tab(1);
  e.Click("band_2");
  e.Click("band_4");
  e.Click("mode_1");
  e.Click("Option5");
  ASSERT_TRUE(e.Get<QPushButton>("Command8")->isEnabled());
  OnNextModal([](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), U("バンド・モード別の配点画面"));
    EXPECT_EQ(modal->findChild<QLabel*>("Label1_2")->text(), "7 MHz");
    EXPECT_EQ(modal->findChild<QLabel*>("Label2_1")->text(), "SSB");
    auto* b7 = modal->findChild<QLineEdit*>("Text1_2");
    auto* b1 = modal->findChild<QLineEdit*>("Text1_0");
    auto* ssb = modal->findChild<QLineEdit*>("Text2_1");
    EXPECT_TRUE(b7->isEnabled());
    EXPECT_EQ(b7->text(), "1");
    EXPECT_FALSE(b1->isEnabled());
    EXPECT_EQ(b1->text(), QString());
    EXPECT_FALSE(modal->findChild<QLineEdit*>("Text2_0")->isEnabled());
    b7->setFocus(Qt::TabFocusReason);
    b7->setCursorPosition(0);
    QTest::keyClicks(b7, "3");  // typed over
    ssb->setFocus(Qt::TabFocusReason);
    ssb->setCursorPosition(1);
    QTest::keyClick(ssb, Qt::Key_Backspace);  // empty: 0 points
    auto* b14 = modal->findChild<QLineEdit*>("Text1_4");
    b14->setCursorPosition(1);
    QTest::keyClicks(b14, "2x");
    QTest::mouseClick(modal->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  });
  e.Click("Command8");
  EXPECT_EQ(w.Slots().bands().at(2).points, 3);
  EXPECT_EQ(w.Slots().bands().at(4).points, 12);
  EXPECT_EQ(w.Slots().bands().at(0).points, -1);
  EXPECT_EQ(w.Slots().modes().at(1).points, 0);
  // Back to one point each.
  e.Click("Option4");
  EXPECT_EQ(w.Slots().bands().at(2).points, 1);
  EXPECT_EQ(w.Slots().bands().at(4).points, 1);
  EXPECT_EQ(w.Slots().modes().at(1).points, 1);
  EXPECT_FALSE(e.Get<QPushButton>("Command8")->isEnabled());
}

TEST(JarlFormatNotice, StandsBesideTheWindowClearOfTheField) {
  const QSize notice(480, 200);
  const QRect screen(0, 0, 1600, 900), field(120, 100, 300, 24);
  EXPECT_EQ(NoticePosition({100, 50, 900, 700}, notice, screen, field), QPoint(1008, 50));  // right
  EXPECT_EQ(NoticePosition({600, 50, 900, 700}, notice, screen, field), QPoint(112, 50));   // left
  // A window filling the screen: a corner clear of the field.
  EXPECT_EQ(NoticePosition(screen, notice, screen, field), QPoint(1120, 700));
  EXPECT_EQ(NoticePosition(screen, notice, screen, {1300, 800, 200, 24}), QPoint(1120, 0));
}

TEST(JarlFormatNotice, OpensForAContestWithoutAFormAndCountsDown) {
  EditorFixture e;
  e.t.WriteCp932("C_NAME.TXT", CrLf({U("ALL JAコンテスト,R2"), U("ALL JA1コンテスト,R1"), U("地方コンテスト")}));
  DefineWindow& w = e.Open();
  e.Choose("Combo2", U("ALL JA1コンテスト"));
  EXPECT_TRUE(e.Get<QRadioButton>("Option6_1")->isChecked());
  EXPECT_EQ(w.Notice(), nullptr);
  e.Choose("Combo2", U("ALL JAコンテスト"));
  EXPECT_TRUE(e.Get<QRadioButton>("Option6_2")->isChecked());

  e.Choose("Combo2", U("地方コンテスト"));
  JarlFormatNotice* notice = w.Notice();
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->windowTitle(), U("JARL 電子ログ形式の選択"));
  EXPECT_EQ(notice->findChild<QLabel*>("Label3")->text(), U("この画面が閉じられるまで 21 秒"));
  EXPECT_TRUE(notice->findChild<QLabel*>("Label1")->text().startsWith(U("現在 JARL 形式の電子ログファイルを作成する設定")));
  EXPECT_EQ(notice->findChild<QLabel*>("Label2")->text(), U("この画面は自動的に閉じます"));
  auto* check = notice->findChild<QCheckBox*>("Check1");
  EXPECT_EQ(check->text(), U("JARL 形式の電子ログを作成する"));
  // The form last chosen (R1, by the contest before) is shown.
  EXPECT_TRUE(notice->findChild<QRadioButton*>("Option1_1")->isChecked());

  notice->Tick();
  EXPECT_EQ(notice->findChild<QLabel*>("Label3")->text(), U("この画面が閉じられるまで 20 秒"));
  // Changes in the notice go to the main window, and its box follows the main window's.
  QTest::mouseClick(notice->findChild<QRadioButton*>("Option1_2"), Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_TRUE(e.Get<QRadioButton>("Option6_2")->isChecked());
  QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_FALSE(e.Get<QCheckBox>("Check3")->isChecked());
  e.Tab(7);
  e.Click("Check3");
  EXPECT_TRUE(check->isChecked());

  // The first typed change after a choice looks the name up again.
  e.Type("Combo2", "X");
  EXPECT_EQ(notice->Remaining(), JarlFormatNotice::kSeconds);
  for (int i = 0; i <= JarlFormatNotice::kSeconds; ++i) notice->Tick();
  EXPECT_EQ(w.Notice(), nullptr);
  e.Type("Combo2", "Y");
  EXPECT_EQ(w.Notice(), nullptr);

  // "閉じる" closes it at once; with the JARL log off it does not open.
  e.Choose("Combo2", U("地方コンテスト"));
  ASSERT_NE(w.Notice(), nullptr);
  QTest::mouseClick(w.Notice()->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_EQ(w.Notice(), nullptr);
  e.Click("Check3");
  e.Choose("Combo2", U("ALL JA1コンテスト"));
  e.Choose("Combo2", U("地方コンテスト"));
  EXPECT_EQ(w.Notice(), nullptr);
  EXPECT_TRUE(e.Dialogs().isEmpty());
}
