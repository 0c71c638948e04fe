// The main window driven as the operator drives it: mouse clicks on the table
// and the buttons, keys into the one-cell editor, headless.
#include "LogTestData.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "log/ui/LogWindow.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

// A log window over a program folder, with scripted dialogs and a start log.
class LogWindowTest : public ::testing::Test {
 protected:
  void Open(const QString& workFile, const QString& definition = Definition(), const QStringList& answers = {}) {
    PrepareLogFolder(t_, workFile, definition);
    Reopen(answers);
  }

  void Reopen(const QStringList& answers = {}) {
    window_.reset();
    qputenv("ZOTRA_START_LOG", t_.File("started.log").toUtf8());
    dialogs_ = std::make_unique<ScriptedDialogs>(QString(), answers);
    dialogs_->SetDefaultTitle("ZOTRAL");
    frame_ = std::make_unique<Frame>(Program::Log, t_.Path(), "3");
    auto session = std::make_unique<LogSession>();
    session->announcedCount = -1;
    ASSERT_EQ(LoadLogSession(*frame_, *dialogs_, session.get()), LogStart::Ready);
    window_ = std::make_unique<LogWindow>(*frame_, *dialogs_, std::move(session));
    window_->OpenDuplicateListWhenPresent();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QTest::qWait(20);
  }

  void TearDown() override {
    window_.reset();
    qunsetenv("ZOTRA_START_LOG");
  }

  QTableView* Table() { return window_->table(); }
  QLineEdit* Editor() { return window_->findChild<QLineEdit*>("Text1"); }
  QPushButton* Button(const char* name) { return window_->findChild<QPushButton*>(name); }
  QString Cell(int row, int column) { return window_->model().Cell(row, column); }

  void Click(int row, int column) {
    const QModelIndex i = window_->model().IndexOf(row, column);
    Table()->scrollTo(i);
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, Table()->visualRect(i).center());
    QTest::qWait(5);
  }
  void ClickButton(const char* name) {
    QPushButton* b = Button(name);
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    QTest::qWait(5);
  }
  // The dialogs so far: title|text each.
  QStringList Dialogs() {
    QStringList out;
    for (const QString& r : dialogs_->Records()) out << DialogFields(r).mid(1, 2).join("|");
    return out;
  }
  QStringList Started() {
    QFile f(t_.File("started.log"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
  }

  TempFolder t_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<Frame> frame_;
  std::unique_ptr<LogWindow> window_;
};

QStringList ThreeQsos() {
  return {Qso(12, "JA1AAA", "599 13M", "13", "120"), Qso(13, "JA1ABA", "599 14M", "14"),
          Qso(14, "JA1AB", "599 13M", "13")};
}

}  // namespace

TEST_F(LogWindowTest, HeadingsWidthsAlignmentsAndTheStartingCell) {
  QStringList records = ThreeQsos();
  records << WorkRecord({"15", "7", "CW", "2026/04/29", "09:20", "JA1ABC", "599 13M", U("599 東京都"), "1", "ab",
                         "", "1", "", ""});
  Open(WorkFile("7", records));
  EXPECT_EQ(window_->windowTitle(), U("交信データの処理   Ver ") + ProgramVersion());
  EXPECT_EQ(window_->objectName(), "Form1");
  EXPECT_EQ(Table()->objectName(), "Grid1");
  const QStringList headings = {"",      U("交信番号"), "Band",    "Mode",    U("月日"), U("時刻"), U("交信局"), U("送信"),
                                U("受信"), U("ﾏﾙﾁ1"),   U("ﾏﾙﾁ2"), U("ﾏﾙﾁ3"), U("点"),   "Op",      "Rmk"};
  for (int c = 0; c < 15; ++c) {
    EXPECT_EQ(window_->model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headings[c]) << c;
  }
  // Widths in character units of 115 twips at the screen's DPI.
  const double dpi = Table()->logicalDpiX();
  const QList<double> units = {0, 8, 5, 4, 10, 6, 10};
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(Table()->columnWidth(c), TwipsToPixels(units[c] * 115, dpi)) << c;
  EXPECT_EQ(Table()->columnWidth(col::kSent), TwipsToPixels(7 * 115, dpi));       // "599 13M"
  EXPECT_EQ(Table()->columnWidth(col::kReceived), TwipsToPixels(10 * 115, dpi));  // "599 東京都"
  EXPECT_EQ(Table()->columnWidth(col::kMulti1), TwipsToPixels(3 * 115 + 40, dpi));
  EXPECT_EQ(Table()->columnWidth(col::kMulti2), TwipsToPixels(3 * 115 + 20, dpi));
  EXPECT_EQ(Table()->columnWidth(col::kMulti3), TwipsToPixels(1 * 115 + 20, dpi));
  for (int c = 12; c <= 14; ++c) EXPECT_EQ(Table()->columnWidth(c), TwipsToPixels(3 * 115, dpi));
  EXPECT_TRUE(Table()->isColumnHidden(0));  // the row number is the row header
  EXPECT_EQ(window_->model().headerData(3, Qt::Vertical, Qt::DisplayRole).toString(), "4");
  for (int c = 1; c <= 14; ++c) {
    const auto align = window_->model().data(window_->model().IndexOf(1, c), Qt::TextAlignmentRole).value<Qt::Alignment>();
    const bool centred = c == 1 || c == 2 || c >= 12;
    EXPECT_EQ(bool(align & Qt::AlignHCenter), centred) << c;
  }
  // Multiplier 1 holds two-byte values: the first current cell is row 1 there.
  EXPECT_EQ(Table()->currentIndex(), window_->model().IndexOf(1, col::kMulti1));
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_EQ(Editor()->text(), U("初期値"));
  EXPECT_EQ(Button("Command2")->text(), "Un Do");
  EXPECT_FALSE(Button("Command2")->isEnabled());
  EXPECT_EQ(Button("Command1")->text(), U("前のｽﾃｯﾌﾟ戻る"));
  EXPECT_EQ(Button("Command3")->toolTip(), U("マルチの整理をします"));
  EXPECT_EQ(Button("Command4")->toolTip(), U("ログシート印刷画面を開きます"));
  EXPECT_EQ(Button("Command6")->text(), U("文字列検索"));

  // Single-byte multiplier 1 values and a longer multiplier 2: the start is column 10.
  QsoTable table;
  ParseWorkFile(WorkFile("7", {WorkRecord({"1", "7", "CW", "", "", "JA1A", "", "", "1", "ab", "", "1", "", ""})}), &table);
  EXPECT_EQ(StartColumn(table), col::kMulti2);
  ParseWorkFile(WorkFile("7", {WorkRecord({"1", "7", "CW", "", "", "JA1A", "", "", "1", "", "", "1", "", ""})}), &table);
  EXPECT_EQ(StartColumn(table), col::kMulti1);
}

TEST_F(LogWindowTest, TheEditorLiesOverTheCellAndEditsAtOnce) {
  Open(WorkFile("7", ThreeQsos()));
  Click(2, col::kCall);
  ASSERT_TRUE(Editor()->isVisible());
  EXPECT_EQ(Editor()->geometry(), Table()->visualRect(window_->model().IndexOf(2, col::kCall)));
  EXPECT_EQ(Editor()->text(), "JA1ABA");
  EXPECT_TRUE(Editor()->hasFocus());
  EXPECT_FALSE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
  // Letters typed into the call sign come out in upper case, straight into the cell.
  QTest::keyClicks(Editor(), "jh1xyz/p");
  EXPECT_EQ(Editor()->text(), "JH1XYZ/P");
  EXPECT_EQ(Cell(2, col::kCall), "JH1XYZ/P");
  // Blanks around the text do not reach the cell.
  QTest::keyClick(Editor(), Qt::Key_Space);
  EXPECT_EQ(Cell(2, col::kCall), "JH1XYZ/P");
  // The operator and the remarks leave the input method free.
  Click(2, col::kRemarks);
  EXPECT_TRUE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
  Click(2, col::kOperator);
  EXPECT_TRUE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
  Click(2, col::kMulti1);
  EXPECT_FALSE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
  // The first click on another cell made the change an undo step.
  EXPECT_EQ(window_->undo().Count(), 1);
  EXPECT_EQ(window_->model().MarkOf(2, col::kCall), QsoTableModel::Mark::Changed);
  EXPECT_EQ(window_->model().data(window_->model().IndexOf(2, col::kCall), Qt::ForegroundRole).value<QBrush>().color(),
            QColor(255, 0, 0));
  // Escape gives the cell back the text it had when it was clicked.
  QTest::keyClicks(Editor(), "99");
  EXPECT_EQ(Cell(2, col::kMulti1), "99");
  QTest::keyClick(Editor(), Qt::Key_Escape);
  EXPECT_EQ(Cell(2, col::kMulti1), "14");
  EXPECT_FALSE(Editor()->isVisible());
}

TEST_F(LogWindowTest, PointsTakeDigitsOnlyTypedOver) {
  Open(WorkFile("7", ThreeQsos()));
  Click(1, col::kPoints);
  EXPECT_EQ(Editor()->text(), "120");
  QTest::keyClick(Editor(), Qt::Key_A);
  QTest::keyClicks(Editor(), "x-. ");
  QTest::keyClick(Editor(), Qt::Key_Backspace);
  EXPECT_EQ(Cell(1, col::kPoints), "120");
  QTest::keyClick(Editor(), Qt::Key_9);
  EXPECT_EQ(Cell(1, col::kPoints), "920");
  QTest::keyClicks(Editor(), "87");
  EXPECT_EQ(Cell(1, col::kPoints), "987");
  // Past the end a digit is added.
  QTest::keyClick(Editor(), Qt::Key_5);
  EXPECT_EQ(Cell(1, col::kPoints), "9875");
  // Delete shortens the value, so a smaller number can be typed.
  QTest::keyClick(Editor(), Qt::Key_Home);
  QTest::keyClick(Editor(), Qt::Key_Delete);
  QTest::keyClick(Editor(), Qt::Key_Delete);
  QTest::keyClick(Editor(), Qt::Key_Delete);
  EXPECT_EQ(Cell(1, col::kPoints), "5");
  // Ctrl+A and a digit: the value replaced.
  QTest::keyClick(Editor(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Editor(), Qt::Key_3);
  EXPECT_EQ(Cell(1, col::kPoints), "3");
  EXPECT_FALSE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_EQ(Editor()->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(LogWindowTest, UnchangedClicksAddNoStepAndThreeUndosGoNewestFirst) {
  Open(WorkFile("7", ThreeQsos()));
  Click(1, col::kCall);
  Click(2, col::kCall);
  Click(3, col::kMulti1);
  EXPECT_EQ(window_->undo().Count(), 0);
  EXPECT_EQ(Button("Command2")->text(), "Un Do");
  EXPECT_FALSE(Button("Command2")->isEnabled());

  Click(1, col::kCall);
  QTest::keyClicks(Editor(), "JA1AAB");
  Click(2, col::kMulti1);
  QTest::keyClicks(Editor(), "15");
  Click(3, col::kRemarks);
  // Japanese comes through the input method.
  QInputMethodEvent commit;
  commit.setCommitString(U("移動"));
  QApplication::sendEvent(Editor(), &commit);
  EXPECT_EQ(Cell(3, col::kRemarks), U("移動"));
  Click(3, col::kMode);  // leaving the third cell makes the third step
  EXPECT_EQ(window_->undo().Count(), 3);
  EXPECT_EQ(Button("Command2")->text(), "UNdo 3");
  EXPECT_TRUE(Button("Command2")->isEnabled());

  ClickButton("Command2");
  EXPECT_EQ(Cell(3, col::kRemarks), "");
  EXPECT_EQ(Cell(2, col::kMulti1), "15");
  EXPECT_EQ(Table()->currentIndex(), window_->model().IndexOf(3, col::kRemarks));
  EXPECT_EQ(window_->model().MarkOf(3, col::kRemarks), QsoTableModel::Mark::Restored);
  EXPECT_EQ(window_->model().data(window_->model().IndexOf(3, col::kRemarks), Qt::ForegroundRole).value<QBrush>().color(),
            QColor(0, 128, 0));
  EXPECT_EQ(Button("Command2")->text(), "UNdo 2");
  ClickButton("Command2");
  EXPECT_EQ(Cell(2, col::kMulti1), "14");
  EXPECT_EQ(Cell(1, col::kCall), "JA1AAB");
  ClickButton("Command2");
  EXPECT_EQ(Cell(1, col::kCall), "JA1AAA");
  EXPECT_EQ(Button("Command2")->text(), "UNdo 0");
  EXPECT_FALSE(Button("Command2")->isEnabled());
  // Clicking around after the undos adds nothing.
  Click(1, col::kCall);
  Click(2, col::kCall);
  EXPECT_EQ(window_->undo().Count(), 0);
}

TEST_F(LogWindowTest, InvalidatingAndRevalidatingAQso) {
  Open(WorkFile("7", ThreeQsos()));
  QPushButton* command5 = Button("Command5");
  Click(2, col::kCall);
  EXPECT_FALSE(command5->isVisible());
  Click(2, col::kNumber);
  EXPECT_FALSE(Editor()->isVisible());
  ASSERT_TRUE(command5->isVisible());
  EXPECT_EQ(command5->text(), U("無効交信"));
  EXPECT_EQ(command5->toolTip(), U("交信番号を ゼロにすると無効交信になります"));
  const QRect cell = Table()->visualRect(window_->model().IndexOf(2, col::kNumber));
  EXPECT_EQ(command5->x(), Table()->columnViewportPosition(col::kBand));  // right of columns 0 and 1
  EXPECT_NEAR(command5->geometry().center().y(), cell.center().y(), 2);

  ClickButton("Command5");
  EXPECT_EQ(Cell(2, col::kNumber), "0");
  EXPECT_FALSE(command5->isVisible());
  EXPECT_EQ(Table()->currentIndex(), window_->model().IndexOf(2, col::kNumber));
  EXPECT_EQ(window_->undo().Count(), 1);
  EXPECT_EQ(window_->model().MarkOf(2, col::kNumber), QsoTableModel::Mark::Changed);
  Click(2, col::kNumber);
  EXPECT_EQ(command5->text(), U("非無効交信"));
  ClickButton("Command5");
  EXPECT_EQ(Cell(2, col::kNumber), "9999");  // valid again, not the old number
  EXPECT_EQ(window_->undo().Count(), 2);
  ClickButton("Command2");
  EXPECT_EQ(Cell(2, col::kNumber), "0");
}

TEST_F(LogWindowTest, TheArrangementButtonAndThePrintQuestions) {
  QStringList records = ThreeQsos();
  records << Qso(0, "JA1ZZZ", "599 20M", "20", "3") << Qso(16, "JA1YYY", "599 20M", U("　20"));
  Open(WorkFile("7", records), Definition(), {"Cancel", "OK"});
  // Not arranged yet: the print button asks first.
  ClickButton("Command4");
  EXPECT_EQ(Dialogs(), QStringList{U("ZOTRAL|マルチ整理ボタンが押されていません")});
  Click(1, col::kMulti1);
  ClickButton("Command3");
  EXPECT_TRUE(window_->session().arranged);
  EXPECT_FALSE(Editor()->isVisible());
  QStringList m1;
  for (int r = 1; r <= 5; ++r) m1 << Cell(r, col::kMulti1);
  EXPECT_EQ(m1, (QStringList{"13", "14", "", "", "20"}));
  EXPECT_EQ(Cell(4, col::kPoints), "0");
  EXPECT_TRUE(Button("Command3")->isEnabled());
  EXPECT_EQ(Table()->currentIndex(), window_->model().IndexOf(1, col::kMulti1));
  // The arrangement is not an edit: clicking on adds no undo step.
  Click(3, col::kMulti1);
  EXPECT_EQ(window_->undo().Count(), 0);
  // The print settings window opens (modally) and is left at once.
  auto leavePrintSettings = [] {
    QTimer::singleShot(0, [] {
      auto* form2 = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(form2, nullptr);
      EXPECT_EQ(form2->objectName(), "Form2");
      form2->reject();
    });
  };
  leavePrintSettings();
  ClickButton("Command4");
  EXPECT_EQ(Dialogs().size(), 1);  // arranged: no question

  // All bands: the other question; multipliers not used: none.
  Open(WorkFile("ALL", ThreeQsos()), Definition(""), {"OK"});
  leavePrintSettings();
  ClickButton("Command4");
  EXPECT_EQ(Dialogs(), QStringList{U("ZOTRAL|ALL Band での印刷結果は\nサマリーシートに反映されません")});
}

TEST_F(LogWindowTest, TheDataSelectionWindowMarksThePointsColumn) {
  QStringList records = ThreeQsos();
  records << Qso(15, "JA13MX", "599 14M", "14") << Qso(16, "JA1AAA/1", "599 113M", "113");
  Open(WorkFile("7", records));
  // Drives Form5 once it is open: choose the rule, type, press a button.
  auto drive = [this](const char* option, const QString& text, const char* button) {
    QTimer::singleShot(50, [=] {
      QWidget* form = QApplication::activeModalWidget();
      ASSERT_NE(form, nullptr);
      EXPECT_EQ(form->objectName(), "Form5");
      EXPECT_EQ(form->windowTitle(), U("データ抽出設定"));
      auto* radio = form->findChild<QRadioButton*>(option);
      QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, radio->height() / 2));
      auto* edit = form->findChild<QLineEdit*>("Text1");
      if (!text.isNull()) {
        EXPECT_TRUE(edit->isEnabled());
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
      } else {
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_EQ(edit->text(), "");
      }
      auto* b = form->findChild<QPushButton*>(button);
      QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
      // A string search without text keeps the window open.
      if (form->isVisible()) {
        auto* cancel = form->findChild<QPushButton*>("Command2");
        QTest::mouseClick(cancel, Qt::LeftButton, {}, cancel->rect().center());
      }
    });
    ClickButton("Command6");
  };
  auto colours = [this] {
    QStringList out;
    for (int r = 1; r <= 5; ++r) {
      const QVariant v = window_->model().data(window_->model().IndexOf(r, col::kPoints), Qt::BackgroundRole);
      out << (v.isValid() ? v.value<QBrush>().color().name() : QString("none"));
    }
    return out;
  };
  EXPECT_EQ(colours(), QStringList(5, "none"));
  // The received exchange is searched, not the call sign ("JA13MX").
  drive("Option1", " 13m", "Command1");
  const QString cyan = "#00ffff";
  const QString yellow = "#ffffc0";
  EXPECT_EQ(colours(), (QStringList{cyan, yellow, cyan, yellow, cyan}));
  EXPECT_EQ(Table()->currentIndex(), window_->model().IndexOf(1, col::kReceived));  // the first found
  // The call sign searched instead.
  drive("OptionCall", "13m", "Command1");
  EXPECT_EQ(colours(), (QStringList{yellow, yellow, yellow, cyan, yellow}));
  EXPECT_EQ(Table()->currentIndex(), window_->model().IndexOf(4, col::kCall));
  drive("Option2", QString(), "Command1");
  EXPECT_EQ(colours(), (QStringList{cyan, yellow, yellow, yellow, cyan}));  // JA1AAA/1 judged as JA1AAA
  drive("Option3", QString(), "Command1");
  EXPECT_EQ(colours(), (QStringList{yellow, cyan, yellow, yellow, yellow}));
  drive("Option4", QString(), "Command1");
  EXPECT_EQ(colours(), (QStringList{yellow, yellow, cyan, yellow, yellow}));
  drive("Option1", "", "Command1");
  drive("Option1", "ZZZ", "Command1");
  EXPECT_EQ(colours(), QStringList(5, yellow));
  drive("Option1", "14", "Command2");  // cancelled: nothing changes
  EXPECT_EQ(colours(), QStringList(5, yellow));
  EXPECT_EQ(Dialogs(), (QStringList{U("ZOTRAL|3 件のデータが選択されました\n選択されたデータは得点欄で判別できます"),
                                    U("ZOTRAL|1 件のデータが選択されました\n選択されたデータは得点欄で判別できます"),
                                    U("ZOTRAL|2 件のデータが選択されました\n選択されたデータは得点欄で判別できます"),
                                    U("ZOTRAL|1 件のデータが選択されました\n選択されたデータは得点欄で判別できます"),
                                    U("ZOTRAL|1 件のデータが選択されました\n選択されたデータは得点欄で判別できます"),
                                    U("ZOTRAL|文字列検索が選択されましたが\n検索文字列が設定されていません"),
                                    U("ZOTRAL|一件も交信データが選択されませんでした")}));
}

TEST_F(LogWindowTest, TheDuplicateListStaysInTheCornerWithoutTakingTheFocus) {
  t_.WriteCp932("zotradup.wk", CrLf({Key('5', "JA1ABC", "", 12, "04/29", "09:15", "7", "CW"),
                                     Key('9', "JA1ABC", "", 34, "04/29", "10:02", "7", "CW"),
                                     Key('5', "JH1XYZ", "", 7, "04/29", "08:00", "7", "SSB"),
                                     Key('9', "JH1XYZ", "", 9, "04/29", "08:05", "7", "SSB")}));
  Open(WorkFile("7", ThreeQsos()));
  QTest::qWait(50);
  DuplicateListWindow* list = window_->duplicateList();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->objectName(), "Form6");
  EXPECT_EQ(list->windowTitle(), U("重複交信一覧"));
  EXPECT_EQ(list->size(), QSize(300, 200));
  EXPECT_EQ(list->pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
  EXPECT_TRUE(list->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(list->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(QApplication::activeWindow(), window_.get());
  QAbstractItemModel* m = list->grid()->model();
  ASSERT_EQ(m->rowCount(), 4);
  EXPECT_EQ(m->columnCount(), 7);
  EXPECT_EQ(list->grid()->objectName(), "MSFlexGrid1");
  EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), U("交信番号"));
  EXPECT_EQ(m->headerData(6, Qt::Horizontal).toString(), U("モード"));
  QStringList groups, numbers;
  for (int r = 0; r < 4; ++r) {
    groups << m->index(r, 0).data().toString();
    numbers << m->index(r, 1).data().toString();
  }
  EXPECT_EQ(groups, (QStringList{"1", "", "2", ""}));
  EXPECT_EQ(numbers, (QStringList{"12", "34", "7", "9"}));
  // The operator edits on in the main window while it stays open.
  Click(1, col::kCall);
  EXPECT_TRUE(Editor()->hasFocus());
  EXPECT_TRUE(list->isVisible());

  // Without the file no window opens.
  QFile::remove(t_.File("zotradup.wk"));
  Reopen();
  EXPECT_EQ(window_->duplicateList(), nullptr);
}

// A look at both windows as they stand on the screen, with a few hundred QSOs
// (saved when ZOTRA_LOG_SCREENSHOT names a PNG file).
TEST_F(LogWindowTest, AFewHundredQsosBesideTheDuplicateList) {
  const QStringList records = ManyQsos(300);
  QsoTable table;
  ParseWorkFile(WorkFile("7", records), &table);
  QStringList keys;
  for (int r = 7; r <= 300; r += 7) {
    for (int k : {r - 6, r}) {
      keys << Key(k == r ? '9' : '5', table.Cell(k, col::kCall), "", table.Cell(k, col::kNumber).toInt(), "04/29",
                  table.Cell(k, col::kTime), "7", table.Cell(k, col::kMode));
    }
  }
  t_.WriteCp932("zotradup.wk", CrLf(keys));
  Open(WorkFile("7", records));
  window_->resize(760, 560);
  window_->move(200, 120);
  QTest::qWait(50);
  Click(5, col::kCall);
  DuplicateListWindow* list = window_->duplicateList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->grid()->model()->rowCount(), 84);
  EXPECT_EQ(list->grid()->model()->index(82, 0).data().toString(), "42");

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QImage shot(screen.size().expandedTo(QSize(960, 700)), QImage::Format_RGB32);
  shot.fill(QColor(0, 96, 128));
  QPainter p(&shot);
  p.drawPixmap(window_->geometry().topLeft(), window_->grab());
  p.drawPixmap(list->geometry().topLeft(), list->grab());
  p.end();
  EXPECT_FALSE(shot.isNull());
  if (!qEnvironmentVariableIsEmpty("ZOTRA_LOG_SCREENSHOT")) shot.save(qEnvironmentVariable("ZOTRA_LOG_SCREENSHOT"));

  // One press: the second QSO of each of the 42 stations, struck through in
  // the list; one UNdo.
  const QString before = WorkFileText(window_->session().table);
  ClickButton("Command7");
  EXPECT_EQ(Dialogs(), QStringList{U("ZOTRAL|重複交信 84 件のうち 42 件を無効交信にしました\n"
                                     "各局の最初の有効な交信が残ります（UNdo で元に戻せます）")});
  EXPECT_EQ(Cell(1, col::kNumber) + "|" + Cell(7, col::kNumber), "1001|0");
  EXPECT_TRUE(list->grid()->model()->index(1, 1).data(Qt::FontRole).value<QFont>().strikeOut());
  ClickButton("Command2");
  EXPECT_EQ(WorkFileText(window_->session().table), before);
  // A row of the list takes the operator to its QSO, the number button beside it.
  QTableView* grid = list->grid();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(81, 2)).center());
  EXPECT_EQ(Table()->currentIndex(), window_->model().IndexOf(287, col::kNumber));
  EXPECT_TRUE(Table()->viewport()->rect().contains(Table()->visualRect(Table()->currentIndex())));
  EXPECT_TRUE(Button("Command5")->isVisible());
}

TEST_F(LogWindowTest, GoingBackWritesTheTableAndStartsTheSortAndCheckProgram) {
  const QString original = WorkFile("7", ThreeQsos());
  Open(original);
  window_->resize(700, 450);
  Click(3, col::kCall);
  QTest::keyClicks(Editor(), "JA1AC");
  ClickButton("Command1");
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(Started(), QStringList{t_.File("zotrac") + "\tZOTRAL3"});
  QStringList records = ThreeQsos();
  records[2] = Qso(14, "JA1AC", "599 13M", "13");
  const QString expected = WorkFile("7", records);
  EXPECT_EQ(t_.ReadBytes("zotra.wk2"), EncodeCp932(expected));
  EXPECT_EQ(ReadProfileString(t_.File("ZOTRAW.INI"), "ZOTRAL", "Form1Width", ""), "700");
  EXPECT_EQ(ReadProfileString(t_.File("ZOTRAW.INI"), "ZOTRAL", "Form1Height", ""), "450");
  EXPECT_NE(ReadProfileString(t_.File("ZOTRAW.INI"), "ZOTRAL", "Form1Top", ""), "");

  // What was written reads back to the same table, and unedited goes back byte for byte.
  Reopen();
  EXPECT_EQ(Cell(3, col::kCall), "JA1AC");
  EXPECT_EQ(window_->size(), QSize(700, 450));
  ClickButton("Command1");
  EXPECT_EQ(t_.ReadBytes("zotra.wk2"), EncodeCp932(expected));
}

TEST_F(LogWindowTest, ClosingByTheFrameOffersToKeepTheEdits) {
  const QString original = WorkFile("7", ThreeQsos());
  // Unchanged: back a step without a question and without writing.
  Open(original);
  window_->close();
  EXPECT_TRUE(Dialogs().isEmpty());
  EXPECT_EQ(Started().size(), 1);
  EXPECT_EQ(t_.ReadBytes("zotra.wk2"), EncodeCp932(original));

  // Changed: Cancel stays, No goes back without the edit, Yes writes it.
  QFile::remove(t_.File("started.log"));
  Reopen({"Cancel", "No"});
  Click(1, col::kMulti1);
  QTest::keyClicks(Editor(), "77");
  window_->close();
  EXPECT_TRUE(window_->isVisible());
  EXPECT_TRUE(Started().isEmpty());
  ASSERT_EQ(Dialogs().size(), 1);
  EXPECT_EQ(Dialogs().first(), U("ZOTRAL|修正した交信データを保存して前のｽﾃｯﾌﾟに戻りますか\n"
                                 "（いいえ: 保存せずに戻ります　キャンセル: この画面に残ります）"));
  window_->close();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(Started(), QStringList{t_.File("zotrac") + "\tZOTRAL3"});
  EXPECT_EQ(t_.ReadBytes("zotra.wk2"), EncodeCp932(original));

  Reopen({"Yes"});
  Click(1, col::kMulti1);
  QTest::keyClicks(Editor(), "77");
  window_->close();
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(Cell(1, col::kMulti1), "77");
  EXPECT_TRUE(t_.ReadCp932("zotra.wk2").contains("\"77\""));
}

TEST_F(LogWindowTest, ThirtyTwoThousandRowsStayUsable) {
  Open(WorkFile("7", ManyQsos(32766)));
  EXPECT_EQ(window_->model().rowCount(), 32766);
  EXPECT_EQ(window_->model().headerData(32765, Qt::Vertical, Qt::DisplayRole).toString(), "32766");
  Table()->scrollToBottom();
  QTest::qWait(10);
  Click(32766, col::kCall);
  ASSERT_TRUE(Editor()->isVisible());
  QTest::keyClicks(Editor(), "ja9zz");
  Click(32765, col::kCall);
  EXPECT_EQ(Cell(32766, col::kCall), "JA9ZZ");
  EXPECT_EQ(window_->undo().Count(), 1);
  // The row header is wide enough for the largest row number.
  EXPECT_GE(Table()->verticalHeader()->width(), Table()->fontMetrics().horizontalAdvance("32766"));
  ClickButton("Command3");
  EXPECT_TRUE(window_->session().arranged);
}
