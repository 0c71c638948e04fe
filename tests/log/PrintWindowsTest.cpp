// The print settings, progress and position windows driven headless, and the
// main window's print button and exit routine around them.
#include "LogTestData.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Settings.h"
#include "common/gui/Printers.h"
#include "common/ui/PreviewWindow.h"
#include "log/ui/LogWindow.h"
#include "log/ui/PositionWindow.h"
#include "log/ui/PrintEntry.h"
#include "log/ui/PrintSettingsWindow.h"
#include "log/ui/ProgressWindow.h"
#include "print/PdfTools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

QString ElectronicLogDefinition() { return Definition() + CrLf({U("\"[JARL電子ログ]\""), "\"Yes R2\""}); }

// A window shot for the eye, when ZOTRA_SHOT_DIR names a folder.
void Shot(QWidget* w, const QString& name) {
  const QString folder = qEnvironmentVariable("ZOTRA_SHOT_DIR");
  if (!folder.isEmpty()) w->grab().save(QDir(folder).filePath(name + ".png"));
}

class PrintWindows : public ::testing::Test {
 protected:
  void Open(const QString& workFile, const QString& definition = Definition(), const QStringList& answers = {}) {
    PrepareLogFolder(t_, workFile, definition);
    dialogs_ = std::make_unique<ScriptedDialogs>(QString(), answers);
    dialogs_->SetDefaultTitle("ZOTRAL");
    frame_ = std::make_unique<Frame>(Program::Log, t_.Path(), "1");
    session_ = std::make_unique<LogSession>();
    ASSERT_EQ(LoadLogSession(*frame_, *dialogs_, session_.get()), LogStart::Ready);
    window_ = std::make_unique<PrintSettingsWindow>(*frame_, *dialogs_, *session_, nullptr, [](const QString&) {
      return false;
    });
    window_->Printer().Select(kPdfPrinterName);
    window_->Printer().SetPdfFile(t_.File("sheet.pdf"));
  }
  template <typename T>
  T* Find(const char* name) {
    T* w = window_->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QStringList Dialogs() {
    QStringList out;
    for (const QString& r : dialogs_->Records()) out << DialogFields(r).mid(1, 2).join("|");
    return out;
  }

  TempFolder t_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<Frame> frame_;
  std::unique_ptr<LogSession> session_;
  std::unique_ptr<PrintSettingsWindow> window_;
};

}  // namespace

TEST_F(PrintWindows, CaptionsToolTipsAndEnabling) {
  Open(WorkFile("7", ManyQsos(3)));
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  EXPECT_EQ(window_->windowTitle(), U("印刷条件の設定"));
  const struct {
    const char* name;
    const char* caption;
    const char* toolTip;
  } buttons[] = {
      {"Command1", "印刷開始", "ログシートの印刷をします"},
      {"Command2", "戻る", "前の画面に戻ります"},
      {"Command3", "テスト印刷", "印字位置の修正のためのテスト印字をします"},
      {"Command4", "位置調整", "印字位置修正画面を呼び出します"},
      {"Command5", "プロパティ", "使用するプリンタのプロパティを開きます"},
  };
  for (const auto& b : buttons) {
    QPushButton* w = Find<QPushButton>(b.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->text(), U(b.caption)) << b.name;
    EXPECT_EQ(w->toolTip(), U(b.toolTip)) << b.name;
  }
  EXPECT_EQ(Find<QRadioButton>("Option2")->toolTip(), U("白紙に罫線付きで印刷します"));
  EXPECT_EQ(Find<QComboBox>("Combo1")->toolTip(), U("白紙印刷時の行間隔を設定します"));
  EXPECT_EQ(Find<QCheckBox>("Check3")->text(), U("紙ログは印刷しない"));
  EXPECT_EQ(Find<QCheckBox>("Check3")->toolTip(), U("電子ログファイルのみ作成します"));
  EXPECT_EQ(Find<QCheckBox>("Check4")->toolTip(), U("紙ログの場合 Rmks 欄に交信モードを印刷します"));
  EXPECT_EQ(Find<QCheckBox>("xtokuten")->toolTip(), U("得点欄の印刷を制御します"));
  EXPECT_EQ(Find<QRadioButton>("Option4")->text(), U("取消線付き印刷"));
  EXPECT_EQ(Find<QCheckBox>("Check1")->toolTip(), U("プリンタの用紙サイズ印刷方向のチェック"));
  // No special font installed: the box stays off and disabled.
  EXPECT_EQ(Find<QCheckBox>("Check2")->text(), U("HAM 明朝を使用"));
  EXPECT_FALSE(Find<QCheckBox>("Check2")->isEnabled());
  // No electronic-log entry in the definition: files only is off and disabled.
  EXPECT_FALSE(Find<QCheckBox>("Check3")->isEnabled());
  // The line spacing only for blank paper.
  Find<QRadioButton>("option1")->setChecked(true);
  EXPECT_FALSE(Find<QComboBox>("Combo1")->isEnabled());
  QTest::mouseClick(Find<QRadioButton>("Option2"), Qt::LeftButton);
  EXPECT_TRUE(Find<QComboBox>("Combo1")->isEnabled());
  EXPECT_EQ(Find<QComboBox>("Combo1")->currentText(), "5.0");
  // The current printer's paper.
  EXPECT_EQ(Find<QLabel>("Label1")->text(), "A4");
  EXPECT_EQ(Find<QLabel>("Label2")->text(), U("縦方向        "));
  EXPECT_EQ(Find<QComboBox>("Combo2")->currentText(), kPdfPrinterName);
  Shot(window_.get(), "form2");
}

TEST_F(PrintWindows, FilesOnlyDisablesThePaperControls) {
  Open(WorkFile("7", ManyQsos(3)), ElectronicLogDefinition());
  QCheckBox* check3 = Find<QCheckBox>("Check3");
  ASSERT_TRUE(check3->isEnabled());
  check3->setChecked(true);
  EXPECT_EQ(Find<QPushButton>("Command1")->text(), U("処理開始"));
  for (const char* name : {"option1", "Option2", "Combo1", "Check4", "Command5", "Check2"}) {
    EXPECT_FALSE(window_->findChild<QWidget*>(name)->isEnabled()) << name;
  }
  for (QGroupBox* frame : window_->findChildren<QGroupBox*>()) {
    if (frame->objectName() != "Frame1") {
      EXPECT_FALSE(frame->isEnabled()) << frame->objectName().toStdString();
    }
  }
  check3->setChecked(false);
  EXPECT_EQ(Find<QPushButton>("Command1")->text(), U("印刷開始"));
  EXPECT_TRUE(Find<QCheckBox>("Check4")->isEnabled());
}

TEST_F(PrintWindows, FilesOnlyPassInTheProgressWindow) {
  Open(WorkFile("7", ManyQsos(120)), ElectronicLogDefinition());
  Find<QCheckBox>("Check3")->setChecked(true);
  window_->show();
  EXPECT_TRUE(window_->StartPrinting());
  EXPECT_FALSE(window_->isVisible());  // back to the main window
  ProgressWindow* progress = window_->progressWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->windowTitle(), U("ログシートの印刷"));
  EXPECT_EQ(progress->Labels(), (QStringList{U("印刷準備中"), U("1 of 3 印刷中"), U("2 of 3 印刷中"), U("3 of 3 印刷中"),
                                             U("得点ファイル作成")}));
  EXPECT_TRUE(window_->LastPass().Succeeded());
  EXPECT_EQ(window_->LastPass().totals.qsos, 120);
  EXPECT_EQ(t_.ReadBytes("7.JARL").size(), 120 * 76);
  EXPECT_TRUE(t_.Exists("7.MHz"));
  EXPECT_FALSE(t_.Exists("sheet.pdf"));
  EXPECT_TRUE(Dialogs().isEmpty()) << Dialogs().join("\n").toStdString();
}

TEST_F(PrintWindows, PrintingToPdfWithTheChecks) {
  Open(WorkFile("7", ManyQsos(60)), Definition(), {"", "", "Cancel", "No", "", "Yes"});
  Find<QRadioButton>("option1")->setChecked(true);
  Find<QCheckBox>("Check1")->setChecked(true);
  window_->Printer().SetOrientation(QPageLayout::Landscape);
  window_->Refresh();
  EXPECT_EQ(Find<QLabel>("Label2")->text(), U("横方向"));
  EXPECT_FALSE(window_->StartPrinting());
  window_->Printer().SetOrientation(QPageLayout::Portrait);
  window_->Printer().SetPageSize(QPageSize(QPageSize::Letter));
  window_->Refresh();
  EXPECT_EQ(Find<QLabel>("Label1")->text(), U("A4以外"));
  EXPECT_FALSE(window_->StartPrinting());
  EXPECT_EQ(Dialogs(), (QStringList{U("ZOTRAL|用紙の方向をチェックしてください"), U("ZOTRAL|用紙サイズをチェックしてください")}));
  // The preview shows the two sheets and writes nothing.
  ASSERT_TRUE(window_->ShowPreview());
  EXPECT_EQ(window_->previewWindow()->Pages(), 2);
  window_->previewWindow()->ShowPage(5);
  EXPECT_EQ(window_->previewWindow()->Page(), 2);
  Shot(window_->previewWindow(), "log-preview");
  EXPECT_FALSE(t_.Exists("7.JARL"));
  EXPECT_FALSE(t_.Exists("sheet.pdf"));

  // Without the check the Letter paper prints. The JARL form into a PDF file
  // asks first: Cancel prints nothing, No keeps the form out, Yes (the
  // default) switches to blank paper and draws it.
  Find<QCheckBox>("Check1")->setChecked(false);
  window_->Printer().SetPageSize(QPageSize(QPageSize::A4));
  EXPECT_FALSE(window_->StartPrinting());
  ASSERT_TRUE(window_->StartPrinting());
  EXPECT_TRUE(window_->LastPass().Succeeded());
  EXPECT_EQ(window_->LastPass().sheets, 2);
  EXPECT_TRUE(t_.Exists("7.JARL"));
  EXPECT_EQ(ReadPdfText(t_.File("sheet.pdf")).Find("Multi."), nullptr);
  ASSERT_TRUE(window_->StartPrinting());
  EXPECT_NE(ReadPdfText(t_.File("sheet.pdf")).Find("Multi."), nullptr);
  EXPECT_TRUE(Find<QComboBox>("Combo1")->isEnabled());  // on blank paper now
  // After each print the window says where the PDF file is.
  const QString question = U("ZOTRAL|印刷先は PDF ファイルで、用紙は「JARL 用紙」です。\n"
                             "JARL 用紙には罫線を印刷しないため、PDF はデータだけになります。\n\n"
                             "「白紙」に切り替えて、罫線付きで印刷しますか？\n"
                             "（いいえ: JARL 用紙のまま印刷します）");
  const QString written = U("ZOTRAL|PDF ファイルに書き込みました\n") + QDir::toNativeSeparators(t_.File("sheet.pdf"));
  EXPECT_EQ(Dialogs().mid(2), (QStringList{question, question, written, question, written}));
  EXPECT_EQ(DialogFields(dialogs_->Records().at(5)).mid(3), (QStringList{"Yes|No|Cancel", "Yes"}));
}

TEST_F(PrintWindows, PositionWindowStepsSavesAndDiscards) {
  Open(WorkFile("7", ManyQsos(3)));
  QTimer::singleShot(0, [this] {
    PositionWindow* form4 = window_->positionWindow();
    ASSERT_NE(form4, nullptr);
    EXPECT_EQ(form4->windowTitle(), U("印刷位置調整"));
    EXPECT_EQ(form4->findChild<QLabel*>("Label1")->text(), "00.0");
    EXPECT_EQ(form4->findChild<QLabel*>("Label3")->text(), "1.00");
    EXPECT_EQ(form4->findChild<QLabel*>("Label3")->toolTip(), U("印刷拡大率 （％） です"));
    auto click = [form4](const char* name) {
      QTest::mouseClick(form4->findChild<QPushButton*>(name), Qt::LeftButton);
    };
    for (int i = 0; i < 3; ++i) click("Command1");  // ↑
    click("Command4");                               // →
    click("Command4");
    click("Command5");                               // Up
    EXPECT_EQ(form4->findChild<QLabel*>("Label1")->text(), "-00.3");
    EXPECT_EQ(form4->findChild<QLabel*>("Label2")->text(), "00.2");
    EXPECT_EQ(form4->findChild<QLabel*>("Label3")->text(), "1.01");
    EXPECT_EQ(form4->findChild<QPushButton*>("Command1")->toolTip(), U("印刷位置を上にずらします"));
    Shot(form4, "form4");
    click("Command7");  // save
  });
  window_->OpenPositions();
  EXPECT_EQ(t_.ReadCp932("ZOTRAPRT.DAT").split("\r\n").filter(U("PDF ファイル")),
            QStringList{U("\"PDF ファイル\",0.2,-0.3,1.01")});
  EXPECT_EQ(window_->Positions().CalibrationOf(kPdfPrinterName), (Calibration{0.2, -0.3, 1.01}));

  // Not saved: the file is written back with the values in force.
  t_.WriteCp932("ZOTRAPRT.DAT", CrLf({U("\"PDF ファイル\",1,2,1.5"), "\"Away\",1,1,1"}));
  QTimer::singleShot(0, [this] {
    PositionWindow* form4 = window_->positionWindow();
    EXPECT_EQ(form4->findChild<QLabel*>("Label3")->text(), "1.10");
    QTest::mouseClick(form4->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QTest::mouseClick(form4->findChild<QPushButton*>("Command8"), Qt::LeftButton);
  });
  window_->OpenPositions();
  const QStringList records = t_.ReadCp932("ZOTRAPRT.DAT").split("\r\n");
  EXPECT_EQ(records.filter(U("PDF ファイル")), QStringList{U("\"PDF ファイル\",1,2,1.1")});
  EXPECT_EQ(records.filter("Away"), QStringList{"\"Away\",1,1,1"});
}

TEST_F(PrintWindows, TestPrintUsesTheCalibration) {
  Open(WorkFile("7", ManyQsos(3)));
  t_.WriteCp932("ZOTRAPRT.DAT", CrLf({U("\"PDF ファイル\",5,0,1")}));
  window_->Printer().SetPdfFile(t_.File("test.pdf"));
  ASSERT_TRUE(window_->TestPrint());
  EXPECT_TRUE(t_.Exists("test.pdf"));
  // The PDF entry without a file asks for one; cancelled, nothing prints.
  window_->Printer().SetPdfFile({});
  EXPECT_FALSE(window_->TestPrint());
  EXPECT_EQ(DialogFields(dialogs_->Records().last()).value(1), U("PDF ファイルの保存先"));
}

TEST_F(PrintWindows, SettingsAndPositionsKeptAtExit) {
  Open(WorkFile("7", ManyQsos(3)), ElectronicLogDefinition());
  Find<QRadioButton>("Option2")->setChecked(true);
  Find<QComboBox>("Combo1")->setCurrentText("4.7");
  Find<QCheckBox>("xoshiri")->setChecked(false);
  Find<QRadioButton>("Option4")->setChecked(true);
  Find<QCheckBox>("Check3")->setChecked(true);
  window_->show();
  window_->SaveState();
  const QString ini = t_.File("ZOTRAW.INI");
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAL", U("JARL用紙"), ""), "False");
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAL", U("行間"), ""), "4.7");
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAL", U("合計印刷"), ""), "0");
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAL", U("無効交信の印刷"), ""), "False");
  EXPECT_EQ(ReadProfileString(ini, "ZOTRAL", U("電子ログのみ"), ""), "Yes");
  EXPECT_NE(ReadProfileString(ini, "ZOTRAL", "Form2Top", ""), "");
  // A new window restores them.
  PrintSettingsWindow again(*frame_, *dialogs_, *session_, nullptr, [](const QString&) { return false; });
  EXPECT_EQ(again.Settings(), window_->Settings());
}

TEST(PrintButton, QuestionsThenTheSettingsWindowAndTheExitRoutine) {
  TempFolder t;
  PrepareLogFolder(t, WorkFile("ALL", ManyQsos(3)));
  qputenv("ZOTRA_START_LOG", t.File("started.log").toUtf8());
  ScriptedDialogs dialogs(QString(), {"Cancel", "OK", "Cancel", "OK", "OK"});
  dialogs.SetDefaultTitle("ZOTRAL");
  Frame frame(Program::Log, t.Path(), "3");
  auto session = std::make_unique<LogSession>();
  ASSERT_EQ(LoadLogSession(frame, dialogs, session.get()), LogStart::Ready);
  LogWindow window(frame, dialogs, std::move(session));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  window.Print();  // "ALL": Cancel
  window.Print();  // OK, then not arranged: Cancel
  EXPECT_EQ(window.findChild<PrintSettingsWindow*>(), nullptr);
  QTimer::singleShot(0, [&window] {
    PrintSettingsWindow* form2 = window.findChild<PrintSettingsWindow*>();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isModal());
    form2->reject();
  });
  window.Print();  // OK, OK: the settings window
  QStringList texts;
  for (const QString& r : dialogs.Records()) texts << DialogFields(r).value(2);
  EXPECT_EQ(texts, (QStringList{U("ALL Band での印刷結果は\nサマリーシートに反映されません"),
                                U("ALL Band での印刷結果は\nサマリーシートに反映されません"),
                                U("マルチ整理ボタンが押されていません"),
                                U("ALL Band での印刷結果は\nサマリーシートに反映されません"),
                                U("マルチ整理ボタンが押されていません")}));
  window.GoBack();
  EXPECT_EQ(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", U("JARL用紙"), ""),
            DefaultPrinterName() == kPdfPrinterName ? "False" : "True");
  EXPECT_NE(ReadProfileString(t.File("ZOTRAW.INI"), "ZOTRAL", "Form2Left", ""), "");
  qunsetenv("ZOTRA_START_LOG");
}

TEST(ProgressWindowShot, ShowsItsLabel) {
  ProgressWindow w;
  w.Run([&w] {
    w.SetLabel(U("12 of 656 印刷中"));
    Shot(&w, "form3");
  });
  EXPECT_EQ(w.Labels(), QStringList{U("12 of 656 印刷中")});
  EXPECT_FALSE(w.isVisible());
}
