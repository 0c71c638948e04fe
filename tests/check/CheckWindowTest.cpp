// The windows of zotrac in-process, headless, with scripted dialogs: what
// the operator sees, which buttons are usable when, and what each step leaves
// in the folder and starts.
//
// With ZOTRA_SHOT_FOLDER set, the tests also save pictures of the three
// windows there ("check-main.png", "check-duplicates.png", "check-grid.png").
#include "CheckFixture.h"
#include "check/CheckWindow.h"
#include "check/DuplicateCheckWindow.h"
#include "check/WorkFiles.h"
#include "common/Frame.h"
#include "common/gui/PrintSurface.h"
#include "common/gui/Printers.h"
#include "common/ui/PreviewWindow.h"
#include "print/PdfTools.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

template <typename T>
T* Child(QWidget& w, const char* name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

QString Text(QWidget& w, const char* name) {
  QLabel* l = Child<QLabel>(w, name);
  return l ? l->text() : QString();
}

void SaveShot(QWidget& w, const QString& name) {
  const QString folder = qEnvironmentVariable("ZOTRA_SHOT_FOLDER");
  if (!folder.isEmpty()) w.grab().save(QDir(folder).filePath(name), "PNG");
}

// Runs `inside` on the modal window that `open` opens, then lets it close.
// The check before it processes events too, so the window is waited for.
void WithModal(const std::function<void()>& open, const std::function<void(QDialog&)>& inside) {
  bool seen = false;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || seen) return;
    seen = true;
    poll.stop();
    inside(*dialog);
    dialog->accept();
  });
  poll.start();
  open();
  poll.stop();
  EXPECT_TRUE(seen) << "no modal window opened";
}

// A folder ready for zotrac: environment, definition, extracted QSOs; the
// programs it starts are recorded.
struct CheckRun {
  CheckFolder f;
  QTemporaryDir logs;
  QString startLog;
  ScriptedDialogs dialogs;
  Frame frame;
  std::unique_ptr<CheckWindow> window;

  explicit CheckRun(const QString& commandLine = "/ZOTRAW.CFG", const QStringList& answers = {},
                    bool prepare = true)
      : startLog(QDir(logs.path()).filePath("started.log")),
        dialogs({}, answers),
        frame(Program::Check, f.Folder(), commandLine) {
    qputenv("ZOTRA_START_LOG", startLog.toUtf8());
    dialogs.SetDefaultTitle("ZOTRAC");
    if (!prepare) return;
    f.Definition();
    f.Extract({
        Wk1("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC"),
        Wk1("2", "3.5", "CW", "2024/06/01", "21:06", "JH1XYZ"),
        Wk1("3", "7", "CW", "2024/06/01", "21:07", "JA1ABC/1"),
        Wk1("4", "7", "SSB", "2024/06/01", "21:08", "JR1AAA"),
        Wk1("5", "10125", "FM", "2024/06/01", "21:09", "JA1ABC"),
    });
  }
  ~CheckRun() { qunsetenv("ZOTRA_START_LOG"); }

  bool Open() {
    window = OpenCheckWindow(frame, dialogs, frame.LocateDefinitionFile());
    if (window) window->show();
    return window != nullptr;
  }
  QStringList Started() const {
    QFile file(startLog);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    lines.removeAll(QString());
    return lines;
  }
  QList<QStringList> Dialogs() const {
    QList<QStringList> out;
    for (const QString& r : dialogs.Records()) out << DialogFields(r);
    return out;
  }
  void ChooseBand(const QString& band) {
    QListWidget* list = Child<QListWidget>(*window, "List1");
    const QList<QListWidgetItem*> items = list->findItems(band, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << band.toStdString();
    list->setCurrentItem(items.first());
  }
  bool Enabled(const char* name) { return Child<QPushButton>(*window, name)->isEnabled(); }
  void Click(const char* name) { Child<QPushButton>(*window, name)->click(); }
};

}  // namespace

TEST(CheckWindow, ControlsAsTheOperatorSeesThem) {
  CheckRun r;
  WriteProfileString(r.f.t.File("ZOTRAW.INI"), "ZOTRAC", "Option", "2");
  ASSERT_TRUE(r.Open());
  CheckWindow& w = *r.window;
  EXPECT_EQ(w.windowTitle(), U("ﾃﾞｰﾀの整理と印刷   Ver ") + ProgramVersion());
  const QList<QStringList> buttons = {{"Command1", U("新規選択開始")},
                                      {"Command3", U("重複交信チェック")},
                                      {"Command5", U("前回の印刷結果")},
                                      {"Command4", U("マルチ処理・印刷")},
                                      {"Command2", U("ﾒﾆｭｰに戻る")}};
  for (const QStringList& b : buttons) {
    EXPECT_EQ(Child<QPushButton>(w, b.at(0).toUtf8().constData())->text(), b.at(1));
  }
  EXPECT_EQ(Child<QRadioButton>(w, "Option2")->text(), U("バンド別 (JARL)"));
  EXPECT_EQ(Child<QRadioButton>(w, "Option3")->text(), U("ミックスバンド"));
  EXPECT_EQ(Child<QRadioButton>(w, "Option1_0")->text(), U("日付順"));
  EXPECT_EQ(Child<QRadioButton>(w, "Option1_1")->text(), U("バンド順"));
  EXPECT_EQ(Child<QRadioButton>(w, "Option1_2")->text(), U("モード順"));
  // The criterion kept under "Option".
  EXPECT_TRUE(Child<QRadioButton>(w, "Option1_2")->isChecked());
  EXPECT_EQ(w.CurrentCriterion(), Criterion::Mode);
  EXPECT_EQ(Child<QLabel>(w, "Label1")->toolTip(), U("総交信局数"));
  EXPECT_EQ(Child<QLabel>(w, "Label2")->toolTip(), U("選択された局数です"));

  // The bands of the definition, one entry for everything above 10.1 GHz.
  QStringList bands;
  QListWidget* list = Child<QListWidget>(w, "List1");
  for (int i = 0; i < list->count(); ++i) bands << list->item(i)->text();
  EXPECT_EQ(bands, (QStringList{"3.5", "7", "10125", "SAT"}));

  // Nothing chosen yet, nothing selected yet.
  EXPECT_EQ(Text(w, "Label1"), "5");
  EXPECT_EQ(Text(w, "Label2"), "0");
  EXPECT_EQ(w.Selection(), "");
  for (const char* name : {"Command1", "Command3", "Command4", "Command5"}) EXPECT_FALSE(r.Enabled(name)) << name;
  EXPECT_TRUE(r.Enabled("Command2"));
  SaveShot(w, "check-main.png");
}

TEST(CheckWindow, SelectionThenCheckThenHandOver) {
  CheckRun r;
  ASSERT_TRUE(r.Open());
  CheckWindow& w = *r.window;
  r.ChooseBand("7");
  EXPECT_EQ(w.Selection(), "7");
  EXPECT_TRUE(r.Enabled("Command1"));
  EXPECT_FALSE(r.Enabled("Command3"));

  r.Click("Command1");
  EXPECT_EQ(Text(w, "Label1"), "5");
  EXPECT_EQ(Text(w, "Label2"), "3");
  EXPECT_EQ(SelectionOfFile(r.f.t.File("zotra.wk2")), std::optional<QString>("7"));
  EXPECT_TRUE(r.Enabled("Command3"));
  EXPECT_TRUE(r.Enabled("Command4"));
  EXPECT_FALSE(r.Enabled("Command5"));

  // Another band chosen: the file holds band 7, so the check waits.
  r.ChooseBand("3.5");
  EXPECT_FALSE(r.Enabled("Command3"));
  r.ChooseBand("7");
  EXPECT_TRUE(r.Enabled("Command3"));

  // The check and its window.
  WithModal([&] { r.Click("Command3"); },
            [&](QDialog& d) {
              EXPECT_EQ(d.windowTitle(), U("重複交信チェック"));
              EXPECT_EQ(Text(d, "Label1"), "3");
              EXPECT_EQ(Text(d, "Label2"), "0");
              EXPECT_EQ(Text(d, "Label3"), "3");
              EXPECT_EQ(Text(d, "Label4"), "2");
              EXPECT_EQ(Text(d, "Label5"), "1 Page");
              Child<QRadioButton>(d, "Option2")->setChecked(true);
              EXPECT_EQ(Text(d, "Label5"), "1 Page");
            });
  EXPECT_TRUE(r.f.t.Exists("zotra.wk3"));
  EXPECT_TRUE(r.f.t.Exists("zotradup.wk"));

  // The hand-over: the check once more, then the log program with the count.
  Child<QRadioButton>(w, "Option1_1")->setChecked(true);
  EXPECT_TRUE(w.HandOver());
  EXPECT_EQ(r.Started(), QStringList{r.f.t.File("zotral") + "\t3"});
  EXPECT_EQ(r.f.Setting("ZOTRAC", "Option"), "1");
  EXPECT_NE(r.f.Setting("ZOTRAC", "Form1Top"), "<none>");
  EXPECT_TRUE(r.f.t.Exists("zotra.wk2"));
  EXPECT_TRUE(r.f.t.Exists("zotra.wk3"));
  EXPECT_TRUE(r.f.t.Exists("zotradup.wk"));
  EXPECT_TRUE(r.Dialogs().isEmpty());
}

TEST(CheckWindow, HandOverWithoutDuplicatesLeavesNoKeyFiles) {
  CheckRun r;
  ASSERT_TRUE(r.Open());
  Child<QRadioButton>(*r.window, "Option3")->setChecked(true);
  EXPECT_FALSE(Child<QListWidget>(*r.window, "List1")->isEnabled());
  EXPECT_EQ(r.window->Selection(), "ALL");
  r.Click("Command1");
  EXPECT_EQ(Text(*r.window, "Label2"), "5");
  // As the log program may leave it: the second QSO made invalid.
  r.f.t.WriteCp932("zotra.wk2", CrLf({"\"ALL\"", Wk2("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC"),
                                      Wk2("0", "7", "CW", "2024/06/01", "21:06", "JA1ABC")}));
  r.Click("Command4");
  EXPECT_EQ(r.Started(), QStringList{r.f.t.File("zotral") + "\t2"});
  EXPECT_TRUE(r.f.t.Exists("zotra.wk2"));
  EXPECT_FALSE(r.f.t.Exists("zotra.wk3"));
  EXPECT_FALSE(r.f.t.Exists("zotradup.wk"));
}

TEST(CheckWindow, BackToTheMenuDeletesTheWorkFiles) {
  CheckRun r;
  ASSERT_TRUE(r.Open());
  r.ChooseBand("7");
  r.Click("Command1");
  WithModal([&] { r.Click("Command3"); }, [](QDialog&) {});
  ASSERT_TRUE(r.f.t.Exists("zotra.wk3"));
  r.Click("Command2");
  EXPECT_EQ(r.Started(), QStringList{r.f.t.File("zotram") + "\t/"});
  for (const char* name : {"zotra.wk2", "zotra.wk3", "zotradup.wk"}) EXPECT_FALSE(r.f.t.Exists(name)) << name;
  EXPECT_TRUE(r.f.t.Exists("zotra.wk1"));
  EXPECT_EQ(r.f.Setting("ZOTRAC", "Option"), "0");
  // The duplicate check window's place is kept too.
  EXPECT_NE(r.f.Setting("ZOTRAC", "Form2Top"), "<none>");
  EXPECT_NE(r.f.Setting("ZOTRAC", "Form2Left"), "<none>");
}

TEST(CheckWindow, BackFromTheLogProgramKeepsItsResult) {
  CheckRun r("ZOTRAL12");
  r.f.Selection("7", {Wk2("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC"),
                      Wk2("0", "7", "CW", "2024/06/01", "21:06", "JH1XYZ")});
  const QByteArray edited = r.f.Bytes("zotra.wk2");
  ASSERT_TRUE(r.Open());
  EXPECT_EQ(Text(*r.window, "Label2"), "12");
  EXPECT_EQ(r.f.Bytes("7.sve"), edited);
  // The selection of the file is taken up.
  EXPECT_EQ(r.window->Selection(), "7");
  EXPECT_TRUE(r.Enabled("Command3"));
  EXPECT_TRUE(r.Enabled("Command5"));

  // A new selection replaces it; the saved copy brings it back.
  r.Click("Command1");
  EXPECT_EQ(Text(*r.window, "Label2"), "3");
  r.Click("Command5");
  EXPECT_EQ(r.f.Bytes("zotra.wk2"), edited);
  EXPECT_EQ(Text(*r.window, "Label2"), "1");
  EXPECT_TRUE(r.Enabled("Command4"));
  // The log program still gets every record of the file.
  EXPECT_TRUE(r.window->HandOver());
  EXPECT_EQ(r.Started(), QStringList{r.f.t.File("zotral") + "\t2"});
}

TEST(CheckWindow, StartedWithoutDefinitionOrExtractedData) {
  {
    CheckRun r("/ZOTRAW.CFG", {}, false);
    EXPECT_FALSE(r.Open());
    ASSERT_EQ(r.Dialogs().size(), 1);
    EXPECT_EQ(r.Dialogs().first().mid(1, 2),
              (QStringList{"ZOTRAC", U("定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください")}));
    EXPECT_EQ(r.Started(), QStringList{r.f.t.File("zotram") + "\t/"});
  }
  {
    CheckRun r("/ZOTRAW.CFG", {}, false);
    r.f.Definition();
    EXPECT_FALSE(r.Open());
    ASSERT_EQ(r.Dialogs().size(), 1);
    EXPECT_EQ(r.Dialogs().first().mid(1, 2), (QStringList{"ZOTRAC", U("MARQEN からﾃﾞｰﾀが抽出されていません")}));
    EXPECT_EQ(r.Started(), QStringList{r.f.t.File("zotram") + "\t/"});
  }
}

// The duplicate check window on its own: the paper notices, the PDF, the
// list of duplicates.
TEST(DuplicateCheckWindow, PaperNoticesPrintingAndTheDuplicateList) {
  CheckFolder f;
  f.Selection("7", {Wk2("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC"),
                    Wk2("2", "7", "CW", "2024/06/01", "21:06", "JH1XYZ"),
                    Wk2("3", "7", "CW", "2024/06/01", "21:07", "JA1ABC/1"),
                    Wk2("0", "7", "CW", "2024/06/01", "21:08", "JR1AAA"),
                    Wk2("5", "7", "CW", "2024/06/01", "21:09", "JH1XYZ"),
                    Wk2("6", "7", "CW", "2024/06/01", "21:10", "JA1QQQ")});
  const CheckResult result = RunDuplicateCheck(f.Folder(), Criterion::Date);
  ScriptedDialogs dialogs({}, {});
  PrinterSetup printer;
  ASSERT_TRUE(printer.Select(kPdfPrinterName));
  printer.SetPdfFile(f.t.File("list.pdf"));
  printer.SetOrientation(QPageLayout::Landscape);
  printer.SetPageSize(QPageSize(QPageSize::Letter));
  DuplicateCheckWindow w(f.Folder(), dialogs, printer, {"ALL JA1", "JA1ZZZ", "2024", "7"}, result);
  w.show();

  EXPECT_EQ(Text(w, "Label1"), "6");
  EXPECT_EQ(Text(w, "Label2"), "1");
  EXPECT_EQ(Text(w, "Label3"), "5");
  EXPECT_EQ(Text(w, "Label4"), "4");
  EXPECT_EQ(Text(w, "Label5"), "1 Page");
  EXPECT_EQ(Child<QLabel>(w, "Label2")->toolTip(), U("無効交信は交信番号が ゼロのものです"));
  EXPECT_EQ(Child<QLabel>(w, "Label4")->toolTip(), U("選択数のうちの重複交信数です"));
  EXPECT_EQ(Child<QCheckBox>(w, "Check1")->text(), U("用紙のﾁｪｯｸ"));
  EXPECT_EQ(Child<QRadioButton>(w, "Option1")->text(), U("全部印刷"));
  EXPECT_EQ(Child<QRadioButton>(w, "Option2")->text(), U("重複局のみ印刷"));
  EXPECT_EQ(Child<QPushButton>(w, "Command3")->text(), U("プロパティ"));
  EXPECT_EQ(Child<QPushButton>(w, "Command2")->text(), U("選択画面に戻る"));
  QComboBox* combo = Child<QComboBox>(w, "Combo1");
  EXPECT_EQ(combo->currentText(), kPdfPrinterName);
  EXPECT_EQ(combo->itemText(combo->count() - 1), kPdfPrinterName);
  SaveShot(w, "check-duplicates.png");

  // The preview first: the page as it will print, no file.
  ASSERT_TRUE(w.ShowPreview());
  EXPECT_NE(w.previewWindow()->Document()->FindText(U("  JA1QQQ  06/01 21:10     7 CW")), nullptr);
  EXPECT_FALSE(f.t.Exists("list.pdf"));
  SaveShot(*w.previewWindow(), "check-preview.png");
  // Notices only: the list is printed all the same; the window says where.
  Child<QPushButton>(w, "Command1")->click();
  ASSERT_EQ(dialogs.Records().size(), 3);
  EXPECT_EQ(DialogFields(dialogs.Records().at(0)).at(2), U("用紙の方向をチェックしてください"));
  EXPECT_EQ(DialogFields(dialogs.Records().at(1)).at(2), U("用紙サイズをチェックしてください"));
  EXPECT_EQ(DialogFields(dialogs.Records().at(2)).at(2),
            U("PDF ファイルに書き込みました\n") + QDir::toNativeSeparators(f.t.File("list.pdf")));
  const PdfText pdf = ReadPdfText(f.t.File("list.pdf"));
  ASSERT_EQ(pdf.pages.size(), 1);
  EXPECT_NE(pdf.Find("JA1QQQ"), nullptr);

  // Without the check, no notice; only the duplicates.
  Child<QCheckBox>(w, "Check1")->setChecked(false);
  Child<QRadioButton>(w, "Option2")->setChecked(true);
  Child<QPushButton>(w, "Command1")->click();
  EXPECT_EQ(dialogs.Records().size(), 4);
  EXPECT_EQ(ReadPdfText(f.t.File("list.pdf")).Find("JA1QQQ"), nullptr);

  // The grid of the duplicate QSOs.
  Child<QPushButton>(w, "Command4")->click();
  auto* grid = w.findChild<DuplicateGridWindow*>();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->windowTitle(), U("重複交信表示"));
  QTableWidget* table = Child<QTableWidget>(*grid, "Grid1");
  QStringList header;
  for (int c = 0; c < table->columnCount(); ++c) header << table->horizontalHeaderItem(c)->text();
  EXPECT_EQ(header, (QStringList{"CALL", "Mode", "Band", "Date", "Time"}));
  ASSERT_EQ(table->rowCount(), 4);
  QStringList row;
  for (int c = 0; c < 5; ++c) row << table->item(3, c)->text();
  EXPECT_EQ(row, (QStringList{"JH1XYZ", "CW", "7", "06/01", "21:09"}));
  SaveShot(*grid, "check-grid.png");
  // All five columns, Time included, without scrolling sideways, also beside
  // the scroll bar of many rows in a large font.
  const QFont usual = QApplication::font();
  QApplication::setFont(QFont(usual.family(), 16));
  DuplicateGridWindow longer(result.keyLines + result.keyLines + result.keyLines + result.keyLines);
  QApplication::setFont(usual);
  longer.show();
  QTest::qWait(20);
  EXPECT_EQ(Child<QTableWidget>(longer, "Grid1")->horizontalScrollBar()->maximum(), 0);
}

TEST(DuplicateCheckWindow, NothingToPrint) {
  CheckFolder f;
  f.Selection("7", {Wk2("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC")});
  const CheckResult result = RunDuplicateCheck(f.Folder(), Criterion::Date);
  ScriptedDialogs dialogs({}, {});
  PrinterSetup printer;
  ASSERT_TRUE(printer.Select(kPdfPrinterName));
  DuplicateCheckWindow w(f.Folder(), dialogs, printer, {"X", "JA1ZZZ", "2024", "7"}, result);
  EXPECT_FALSE(Child<QPushButton>(w, "Command4")->isEnabled());
  Child<QRadioButton>(w, "Option2")->setChecked(true);
  EXPECT_EQ(Text(w, "Label5"), "0 Page");
  EXPECT_FALSE(Child<QPushButton>(w, "Command1")->isEnabled());
  EXPECT_FALSE(w.Print());
  ASSERT_EQ(dialogs.Records().size(), 1);
  EXPECT_EQ(DialogFields(dialogs.Records().first()).at(2), U("印刷する交信がありません"));

  // The PDF entry without a file asks for one; a cancel prints nothing.
  Child<QRadioButton>(w, "Option1")->setChecked(true);
  EXPECT_FALSE(w.Print());
  EXPECT_EQ(DialogFields(dialogs.Records().last()).first(), "save");
  EXPECT_TRUE(QDir(f.Folder()).entryList({"*.pdf"}).isEmpty());
}
