// zotrat's windows in-process, headless: the totals window, the summary-sheet
// window with its print job, the comment window and the preview window.
// With ZOTRA_SHOTS naming a folder, the windows are also saved as pictures
// there (run under xvfb-run to look at them).
#include "SummaryFixture.h"
#include "WindowFixture.h"
#include "common/gui/PrintSurface.h"
#include "common/ui/PrintPreview.h"
#include "print/PdfTools.h"
#include "summary/CommentWindow.h"
#include "common/ui/PreviewWindow.h"
#include "summary/SummaryWindow.h"
#include "summary/TotalsWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

// A folder with two bands, two multipliers and the sample definition; the
// window started as zotrat starts it. Programs started are only recorded.
class TotalsFixture {
 public:
  explicit TotalsFixture(ContestDefinition d = SampleDefinition(), const QString& path = {}) {
    if (!path.isNull()) {
      oldPath_ = qgetenv("PATH");
      qputenv("PATH", path.toUtf8());
    }
    d.multi2 = "Space";
    f.Definition(d);
    f.Points({PointsLine("7", 120, 25, 5, 0, 240), PointsLine("14", 80, 20, 3, 0, 160)});
    // The log program's header of the log part, so that the electronic log
    // has one.
    f.t.WriteCp932("HED.JARL", "DATE(JST)  TIME   MHz   Mode  CALLSIGN   SENTNo      RCVNo       Multi  PT\r\n");
    window = std::make_unique<TotalsWindow>(f.frame, dialogs);
    window->Start();
    window->show();
  }
  ~TotalsFixture() {
    window.reset();
    if (!oldPath_.isNull()) qputenv("PATH", oldPath_);
  }
  QStringList Started() const { return startLog_.Started(); }
  QLineEdit* Text(const char* name) { return Child<QLineEdit>(*window, name); }
  QRadioButton* Option(int i) { return Child<QRadioButton>(*window, QString("Option1_%1").arg(i)); }
  SummaryWindow& Summary() { return *window->summaryWindow(); }

  SummaryFolder f;
  RecordedDialogs dialogs;
  std::unique_ptr<TotalsWindow> window;

 private:
  StartLog startLog_;
  QByteArray oldPath_;
};

}  // namespace

TEST(TotalsWindow, ControlsAsTheOperatorSeesThem) {
  TotalsFixture t;
  TotalsWindow& w = *t.window;
  EXPECT_EQ(w.windowTitle(), U("得点集計・修正  Ver ") + ProgramVersion());
  const QList<QStringList> options = {
      {U("マルチは加算"), U("総得点=得点の和*(マルチ1+マルチ2+マルチ3）")},
      {U("マルチは積算"), U("総得点=得点の和*マルチ1*マルチ2*マルチ3")},
      {U("得点手計算"), U("得点は手計算で入力")},
  };
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(t.Option(i)->text(), options[i][0]);
    EXPECT_EQ(t.Option(i)->toolTip(), options[i][1]);
  }
  EXPECT_TRUE(t.Option(0)->isChecked());
  EXPECT_EQ(t.Text("Text1")->toolTip(), U("局種係数(変更可能）"));
  EXPECT_EQ(t.Text("Text2")->toolTip(), U("得点(変更可能です）"));
  const QList<QStringList> buttons = {
      {"Command1", U("印刷"), U("サマリーシートの印刷画面を表示します")},
      {"Command2", U("閉じる"), ""},
      {"Command3", U("再計算"), U("得点の再計算をします")},
  };
  for (const QStringList& b : buttons) {
    QPushButton* button = Child<QPushButton>(w, b[0]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), b[1]);
    EXPECT_EQ(button->toolTip(), b[2]);
  }
  EXPECT_EQ(Child<QPushButton>(w, "Command4")->text(), U("電卓起動"));
  QStringList frames;
  for (QGroupBox* box : w.findChildren<QGroupBox*>()) frames << box->title();
  EXPECT_TRUE(frames.contains(U("交信結果")) && frames.contains(U("係数")) && frames.contains(U("総得点")));

  // The grid shows every cell without scroll bars.
  QTableWidget* grid = Child<QTableWidget>(w, "Grid1");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->rowCount(), 19);
  EXPECT_EQ(grid->columnCount(), 6);
  EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(grid->verticalScrollBar()->maximum(), 0);
  EXPECT_GE(grid->viewport()->height(), grid->rowHeight(0) * 19);
  EXPECT_EQ(grid->item(0, 2)->text(), U("得 点"));
  EXPECT_EQ(grid->item(0, 2)->textAlignment(), int(Qt::AlignCenter));
  EXPECT_EQ(grid->item(3, 0)->text(), "7MHz");
  EXPECT_EQ(grid->item(3, 1)->text(), "120");
  EXPECT_EQ(grid->item(3, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
  EXPECT_EQ(grid->item(18, 0)->text(), U(" 合  計 "));
  EXPECT_EQ(grid->item(18, 2)->text(), "400");
  EXPECT_EQ(grid->item(18, 4)->text(), "8");
  EXPECT_EQ(grid->item(18, 5)->text(), "");
  EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
  Shot(w, "totals");

  // The start wrote the sorted copy and made the station folder.
  EXPECT_TRUE(t.f.t.Exists("ZOTRApoi.dat2"));
  EXPECT_TRUE(QFileInfo(t.f.t.File("JA1ZLO")).isDir());
  EXPECT_TRUE(t.dialogs.Records().isEmpty());
}

TEST(TotalsWindow, ScoreModesCoefficientAndTheScoreTypedByHand) {
  TotalsFixture t;
  QLineEdit* text1 = t.Text("Text1");
  QLineEdit* text2 = t.Text("Text2");
  EXPECT_EQ(text2->text(), "21,200");  // (45 + 8) × 400
  EXPECT_TRUE(text2->isReadOnly());
  t.Option(1)->click();
  EXPECT_EQ(text2->text(), "144,000");  // 45 × 8 × 400
  EXPECT_EQ(t.window->Mode(), ScoreMode::Multiplicative);

  // The coefficient takes digits only and rescales at once.
  text1->setFocus();
  QTest::keyClicks(text1, "2x.");
  EXPECT_EQ(text1->text(), "2");
  EXPECT_EQ(text2->text(), "288,000");
  // Digits overwrite the character at the caret.
  text1->setCursorPosition(0);
  QTest::keyClick(text1, '3');
  EXPECT_EQ(text1->text(), "3");
  EXPECT_EQ(text2->text(), "432,000");
  QTest::keyClick(text1, Qt::Key_Backspace);
  EXPECT_EQ(text1->text(), "");
  EXPECT_EQ(text2->text(), "144,000");

  // By hand: "0", unlocked, focused; digits only, typed over the "0".
  t.Option(2)->click();
  EXPECT_EQ(text2->text(), "0");
  EXPECT_FALSE(text2->isReadOnly());
  EXPECT_EQ(t.window->focusWidget(), text2);
  QTest::keyClicks(text2, "5a3,2");
  EXPECT_EQ(text2->text(), "532");
  // A new coefficient leaves the typed score alone.
  text1->setText("4");
  EXPECT_EQ(text2->text(), "532");
  EXPECT_EQ(t.window->Snapshot().scoreText, "532");
  EXPECT_EQ(t.window->Snapshot().coefficientText, "4");
  // Switching back recomputes; so does "再計算".
  t.Option(0)->click();
  EXPECT_EQ(text2->text(), "84,800");
  EXPECT_TRUE(text2->isReadOnly());
  text2->setText("1");
  Child<QPushButton>(*t.window, "Command3")->click();
  EXPECT_EQ(text2->text(), "84,800");
  EXPECT_TRUE(t.dialogs.Records().isEmpty());
}

TEST(TotalsWindow, CalculatorFoundOnTheSearchPathOrTheButtonIsOff) {
  QTemporaryDir bin;
  const QString calculator = QDir(bin.path()).filePath("galculator");
  {
    QFile file(calculator);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
  }
  QFile::setPermissions(calculator, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  {
    TotalsFixture t(SampleDefinition(), bin.path());
    QPushButton* command4 = Child<QPushButton>(*t.window, "Command4");
    EXPECT_TRUE(command4->isEnabled());
    EXPECT_EQ(t.window->Calculator(), calculator);
    command4->click();
    EXPECT_EQ(t.Started(), QStringList{calculator});
  }
  QTemporaryDir empty;
  TotalsFixture t(SampleDefinition(), empty.path());
  EXPECT_FALSE(Child<QPushButton>(*t.window, "Command4")->isEnabled());
  EXPECT_TRUE(t.window->Calculator().isEmpty());
}

TEST(TotalsWindow, SummaryWindowTakesOverAndGivesBack) {
  TotalsFixture t;
  SummaryWindow& s = t.Summary();
  EXPECT_FALSE(s.isVisible());  // loaded, not shown
  Child<QPushButton>(*t.window, "Command1")->click();
  EXPECT_TRUE(s.isVisible());
  EXPECT_FALSE(t.window->isEnabled());
  Child<QPushButton>(s, "Command3")->click();
  EXPECT_FALSE(s.isVisible());
  EXPECT_TRUE(t.window->isEnabled());
  // Closing through the frame does the same.
  Child<QPushButton>(*t.window, "Command1")->click();
  s.close();
  EXPECT_FALSE(s.isVisible());
  EXPECT_TRUE(t.window->isEnabled());
}

TEST(TotalsWindow, ExitKeepsPlacesAndSettingsAndRestartsTheMenu) {
  TotalsFixture t;
  Child<QPushButton>(*t.window, "Command1")->click();
  t.Summary().move(140, 120);
  Child<QRadioButton>(t.Summary(), "Option2")->click();
  Child<QCheckBox>(t.Summary(), "Check1")->setChecked(true);
  Child<QCheckBox>(t.Summary(), "Check2")->setChecked(false);
  Child<QPushButton>(t.Summary(), "Command3")->click();
  Child<QPushButton>(*t.window, "Command2")->click();
  EXPECT_EQ(t.Started(), QStringList{t.f.t.File("zotram") + "\t/ZOTRAW.CFG"});
  EXPECT_NE(t.f.Setting("Form1Top"), "<none>");
  EXPECT_NE(t.f.Setting("Form1Left"), "<none>");
  EXPECT_EQ(t.f.Setting("Form2Left"), QString::number(t.Summary().pos().x()));
  EXPECT_EQ(t.f.Setting("Form2Top"), QString::number(t.Summary().pos().y()));
  EXPECT_EQ(t.f.Setting(U("JARL用紙")), "False");
  EXPECT_EQ(t.f.Setting(U("カラー")), "1");
  EXPECT_EQ(t.f.Setting(U("用紙サイズ")), "0");
}

TEST(SummaryWindow, ControlsAndTheirSettings) {
  TotalsFixture t;
  SummaryWindow& s = t.Summary();
  EXPECT_EQ(s.windowTitle(), U("ｻﾏﾘｰｼｰﾄ印刷"));
  Child<QRadioButton>(s, "Option1")->click();
  EXPECT_EQ(Child<QRadioButton>(s, "Option1")->text(), U("JARL 用紙"));
  EXPECT_EQ(Child<QRadioButton>(s, "Option2")->text(), U("白紙"));
  QCheckBox* check1 = Child<QCheckBox>(s, "Check1");
  EXPECT_EQ(check1->text(), U("カラー印刷"));
  EXPECT_EQ(check1->toolTip(), U("白紙印刷時にカラー印刷します"));
  EXPECT_FALSE(check1->isEnabled());
  EXPECT_TRUE(check1->isHidden());
  EXPECT_EQ(Child<QCheckBox>(s, "Check2")->toolTip(), U("用紙の大きさ方向のチェックをします"));
  EXPECT_TRUE(Child<QCheckBox>(s, "Check2")->isChecked());
  EXPECT_EQ(Child<QCheckBox>(s, "Check3")->text(), U("プレビュー"));
  EXPECT_EQ(Child<QCheckBox>(s, "Check4")->text(), U("申請者氏名の署名欄への印字"));
  EXPECT_FALSE(Child<QCheckBox>(s, "Check4")->isChecked());
  QPushButton* command1 = Child<QPushButton>(s, "Command1");
  EXPECT_EQ(command1->text(), U("印刷開始"));
  EXPECT_EQ(command1->toolTip(), U("サマリーシート印刷"));
  EXPECT_EQ(Child<QPushButton>(s, "Command2")->toolTip(), U("使用するプリンタのプロパティ画面を開きます"));
  EXPECT_EQ(Child<QPushButton>(s, "Command3")->text(), U("中止"));
  QComboBox* combo = Child<QComboBox>(s, "Combo1");
  EXPECT_TRUE(combo->findText(kPdfPrinterName) >= 0);
  EXPECT_EQ(combo->currentText(), DefaultPrinterName());
  QStringList bar;
  for (QAction* a : s.menuBar()->actions()) bar << a->text();
  EXPECT_EQ(bar, (QStringList{U("電子ログの編集"), U("電子ログの送信")}));
  EXPECT_EQ(Child<QAction>(s, "VQEDIT")->text(), U("VQ 形式ログの編集"));
  EXPECT_EQ(Child<QAction>(s, "JARL_EDIT")->text(), U("JARL 形式ログの編集"));
  for (const char* name : {"VQEDIT", "JARL_EDIT", "LogSend"}) EXPECT_FALSE(Child<QAction>(s, name)->isEnabled());
  EXPECT_FALSE(Child<QMenu>(s, "dlg1")->menuAction()->isEnabled());

  Child<QRadioButton>(s, "Option2")->click();
  EXPECT_TRUE(check1->isEnabled());
  EXPECT_FALSE(check1->isHidden());
  Child<QCheckBox>(s, "Check3")->click();
  EXPECT_EQ(command1->text(), U("処理開始"));
  Child<QCheckBox>(s, "Check3")->click();
  EXPECT_EQ(command1->text(), U("印刷開始"));
  Child<QRadioButton>(s, "Option2")->click();
  Child<QCheckBox>(s, "Check4")->setChecked(true);
  t.Summary().Open();
  Shot(s, "summary");
}

TEST(SummaryWindow, StoredChoicesComeBack) {
  SummaryFolder f;
  WriteProfileString(f.Ini(), "ZOTRAT", U("JARL用紙"), "false");
  WriteProfileString(f.Ini(), "ZOTRAT", U("カラー"), "1");
  WriteProfileString(f.Ini(), "ZOTRAT", U("用紙サイズ"), "0");
  WriteProfileString(f.Ini(), "ZOTRAL", U("電子ログのみ"), "Yes");
  RecordedDialogs dialogs;
  SummaryWindow s(f.frame, dialogs, [] { return TotalsSnapshot(); });
  EXPECT_TRUE(Child<QRadioButton>(s, "Option2")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(s, "Check1")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(s, "Check2")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(s, "Check3")->isChecked());
  EXPECT_EQ(Child<QPushButton>(s, "Command1")->text(), U("処理開始"));
}

TEST(SummaryWindow, PreviewJobDrawsTheFormUnderTheData) {
  TotalsFixture t;
  SummaryWindow& s = t.Summary();
  Child<QPushButton>(*t.window, "Command1")->click();
  Child<QRadioButton>(s, "Option1")->click();
  Child<QCheckBox>(s, "Check3")->click();
  Child<QPushButton>(s, "Command1")->click();
  PreviewWindow* preview = s.previewWindow();
  ASSERT_TRUE(preview->isVisible());
  ASSERT_NE(preview->Document(), nullptr);
  const PrintCall* form = preview->Document()->FindText(U("コンテスト用"));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->color, PaletteColor(11));
  const PrintCall* score = preview->Document()->FindText("21,200");
  ASSERT_NE(score, nullptr);
  EXPECT_EQ(score->color, QColor(Qt::black));
  EXPECT_FALSE(preview->Preview()->Image().isNull());
  EXPECT_EQ(Child<QPushButton>(s, "Command3")->text(), U("終了"));
  EXPECT_TRUE(s.isEnabled());
  EXPECT_TRUE(s.JobHasRun());
  EXPECT_EQ(s.Outputs().electronicLogVersion, 2);
  EXPECT_TRUE(Child<QMenu>(s, "dlg1")->menuAction()->isEnabled());
  // Both files are written, and the editor items open them; the submission
  // waits for its window.
  EXPECT_TRUE(t.dialogs.Records().isEmpty());
  EXPECT_EQ(QDir::cleanPath(s.Outputs().electronicLogPath), t.f.t.File(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")));
  EXPECT_EQ(QDir::cleanPath(s.Outputs().textSummaryPath), t.f.t.File(U("JA1ZLO/2024_ALL JA1.Txt")));
  ASSERT_TRUE(Child<QAction>(s, "JARL_EDIT")->isEnabled());
  ASSERT_TRUE(Child<QAction>(s, "VQEDIT")->isEnabled());
  Child<QAction>(s, "JARL_EDIT")->trigger();
  Child<QAction>(s, "VQEDIT")->trigger();
  ASSERT_EQ(t.Started().size(), 2);
  EXPECT_TRUE(t.Started()[0].endsWith("\t" + s.Outputs().electronicLogPath));
  EXPECT_TRUE(t.Started()[1].endsWith("\t" + s.Outputs().textSummaryPath));
  EXPECT_FALSE(Child<QAction>(s, "LogSend")->isEnabled());
  int opened = 0;
  s.SetSubmissionHandler([&](SummaryWindow&) { ++opened; });
  ASSERT_TRUE(Child<QAction>(s, "LogSend")->isEnabled());
  Child<QAction>(s, "LogSend")->trigger();
  EXPECT_EQ(opened, 1);

  // The preview window: its menu, the corners, its place kept on closing.
  EXPECT_EQ(preview->windowTitle(), U("ZOTRAW プレビュー"));
  QStringList menu;
  for (QAction* a : preview->menuBar()->actions()) {
    if (a->isVisible()) menu << a->objectName() + "=" + a->text();  // page turning only for several pages
  }
  EXPECT_EQ(menu, (QStringList{U("tojiru=閉じる　"), U("hidariue=左上"), U("migiue=右上"), U("hidarisita=左下"),
                               U("migisita=右下")}));
  EXPECT_NE(preview->findChild<QLabel*>("Picture2"), nullptr);
  preview->resize(400, 360);
  QTest::qWait(50);
  PrintPreviewWidget* widget = preview->Preview();
  Child<QAction>(*preview, "migisita")->trigger();
  EXPECT_EQ(widget->horizontalScrollBar()->value(), widget->horizontalScrollBar()->maximum());
  EXPECT_EQ(widget->verticalScrollBar()->value(), widget->verticalScrollBar()->maximum());
  EXPECT_GT(widget->verticalScrollBar()->maximum(), 0);
  Child<QAction>(*preview, "hidariue")->trigger();
  EXPECT_EQ(widget->verticalScrollBar()->value(), 0);
  Child<QAction>(*preview, "tojiru")->trigger();
  EXPECT_FALSE(preview->isVisible());
  EXPECT_EQ(t.f.Setting("Form3Width"), QString::number(preview->width()));
  EXPECT_EQ(t.f.Setting("Form3Height"), QString::number(preview->height()));
  EXPECT_EQ(t.f.Setting("Form3Left"), QString::number(preview->pos().x()));
}

TEST(SummaryWindow, PrintsIntoThePdfFileAfterThePaperCheck) {
  TotalsFixture t;
  SummaryWindow& s = t.Summary();
  ASSERT_TRUE(s.Printer().Select(kPdfPrinterName));
  // A job cancelled at the PDF file's question leaves the menus off.
  s.SetSubmissionHandler([](SummaryWindow&) {});
  Child<QRadioButton>(s, "Option2")->click();
  s.RunPrintJob();
  EXPECT_FALSE(Child<QMenu>(s, "dlg1")->menuAction()->isEnabled() || Child<QAction>(s, "LogSend")->isEnabled());
  const QString pdf = t.f.t.File("out.pdf");
  s.Printer().SetPdfFile(pdf);

  s.Printer().SetOrientation(QPageLayout::Landscape);
  s.RunPrintJob();
  s.Printer().SetOrientation(QPageLayout::Portrait);
  s.Printer().SetPageSize(QPageSize(QPageSize::A5));
  s.RunPrintJob();
  EXPECT_EQ(t.dialogs.Texts().mid(1), (QStringList{U("用紙方向が違います"), U("用紙サイズをチェックしてください")}));
  EXPECT_FALSE(QFileInfo::exists(pdf));
  EXPECT_FALSE(s.JobHasRun());

  // The JARL form into a PDF file asks; Yes (the default) draws the form on
  // blank paper.
  s.Printer().SetPageSize(QPageSize(QPageSize::A4));
  Child<QRadioButton>(s, "Option1")->click();
  s.RunPrintJob();
  ASSERT_TRUE(QFileInfo::exists(pdf));
  ASSERT_EQ(t.dialogs.Records().size(), 5);
  EXPECT_TRUE(t.dialogs.Texts().at(3).startsWith(U("印刷先は PDF ファイルで、用紙は「JARL 用紙」です。")));
  EXPECT_EQ(t.dialogs.Texts().at(4), U("PDF ファイルに書き込みました\n") + QDir::toNativeSeparators(pdf));
  EXPECT_TRUE(Child<QRadioButton>(s, "Option2")->isChecked());
  EXPECT_NE(ReadPdfText(pdf).Find(U("コンテスト用")), nullptr);
  EXPECT_EQ(Child<QPushButton>(s, "Command3")->text(), U("中止"));

  // Without the paper check the landscape printer prints.
  Child<QCheckBox>(s, "Check2")->setChecked(false);
  s.Printer().SetOrientation(QPageLayout::Landscape);
  QFile::remove(pdf);
  s.RunPrintJob();
  EXPECT_TRUE(QFileInfo::exists(pdf));

  // A PDF file that cannot be written is told, not taken for printed.
  s.Printer().SetPdfFile(t.f.t.File("no such folder/out.pdf"));
  s.RunPrintJob();
  ASSERT_EQ(t.dialogs.Records().size(), 7);
  EXPECT_FALSE(t.dialogs.Texts().last().isEmpty());
  EXPECT_FALSE(t.dialogs.Texts().last().startsWith(U("PDF ファイルに書き込みました")));
}

TEST(SummaryWindow, JagQsoPartyAsksForTheThirdCommentLine) {
  ContestDefinition d = SampleDefinition();
  d.contestName = U("ｊａｇ ｑｓｏ ﾊﾟｰﾃｨｰ");
  TotalsFixture t(d);
  SummaryWindow& s = t.Summary();
  Child<QCheckBox>(s, "Check3")->setChecked(true);
  QList<QPair<QString, bool>> asked;
  s.SetCommentChooser([&](const QString& current, bool chosenBefore) -> std::optional<QString> {
    asked.append({current, chosenBefore});
    return U("ステッカー不要");
  });
  s.RunPrintJob();
  s.RunPrintJob();
  EXPECT_EQ(asked, (QList<QPair<QString, bool>>{{"", false}, {U("ステッカー不要"), true}}));
  EXPECT_EQ(s.CommentOverride(), U("ステッカー不要"));
  const PrintCall* line = s.previewWindow()->Document()->FindText(U("ステッカー不要"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->color, PaletteColor(12));

  // The real window, answered as a person would.
  TotalsFixture real(d);
  SummaryWindow& s2 = real.Summary();
  Child<QCheckBox>(s2, "Check3")->setChecked(true);
  QTimer::singleShot(0, [] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(modal->windowTitle(), U("JAG QSO パーティー"));
    Shot(*modal, "comment");
    Child<QRadioButton>(*modal, "Option1_2")->click();
    Child<QPushButton>(*modal, "Command1")->click();
  });
  s2.RunPrintJob();
  EXPECT_EQ(s2.CommentOverride(), U("ステッカー・台紙希望"));
  Shot(*s2.previewWindow(), "preview");
}

TEST(SummaryWindow, OtherContestsAskNothing) {
  TotalsFixture t;
  SummaryWindow& s = t.Summary();
  Child<QCheckBox>(s, "Check3")->setChecked(true);
  int asked = 0;
  s.SetCommentChooser([&](const QString&, bool) -> std::optional<QString> {
    ++asked;
    return QString();
  });
  s.RunPrintJob();
  EXPECT_EQ(asked, 0);
}

TEST(CommentWindow, ChoicesAndTheOverride) {
  CommentWindow w("", false);
  EXPECT_EQ(w.windowTitle(), U("JAG QSO パーティー"));
  EXPECT_EQ(Child<QGroupBox>(w, "")->title(), U("意見欄の追加文字"));
  EXPECT_TRUE(Child<QRadioButton>(w, "Option1_0")->isChecked());
  QLabel* label = Child<QLabel>(w, "Label1");
  EXPECT_EQ(label->text(), U("意見欄三行目は此処のデータで置き換わります"));
  EXPECT_EQ(w.Override(), U("ステッカー希望"));

  Child<QRadioButton>(w, "Option1_4")->click();
  EXPECT_EQ(label->text(), "");
  EXPECT_EQ(w.Override(), "");
  Child<QRadioButton>(w, "Option1_3")->click();
  EXPECT_EQ(label->text(), "");  // nothing to print yet
  QTest::keyClicks(Child<QLineEdit>(w, "Text1"), "QSL OK");
  EXPECT_EQ(label->text(), U("意見欄三行目は此処のデータで置き換わります"));
  EXPECT_EQ(w.Override(), "QSL OK");
  Child<QRadioButton>(w, "Option1_1")->click();
  EXPECT_EQ(Child<QLineEdit>(w, "Text1")->text(), "");
  EXPECT_EQ(w.Override(), U("ステッカー不要"));

  CommentWindow mount(U("ステッカー・台紙希望"), true);
  EXPECT_TRUE(Child<QRadioButton>(mount, "Option1_2")->isChecked());
  CommentWindow own(U("自由な文"), true);
  EXPECT_TRUE(Child<QRadioButton>(own, "Option1_3")->isChecked());
  EXPECT_EQ(Child<QLineEdit>(own, "Text1")->text(), U("自由な文"));
  CommentWindow none("", true);
  EXPECT_TRUE(Child<QRadioButton>(none, "Option1_4")->isChecked());
}
