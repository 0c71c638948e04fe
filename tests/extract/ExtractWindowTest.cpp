// The window of zotrah in-process, headless, with scripted dialogs: its
// controls, the rules of the area-code options, a run with its progress, and
// a run stopped half-way.
//
// With ZOTRA_SHOT_FOLDER set, the tests also save pictures of the window
// there ("extract-before.png", "extract-options.png", "extract-during.png",
// "extract-after.png").
#include "ExtractFixture.h"
#include "extract/ExtractWindow.h"

#include "common/Frame.h"
#include "common/ListFile.h"
#include "common/Text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace zotra;
using namespace zotra::test;

namespace {

template <typename T>
T* Child(QWidget& w, const QString& name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name.toStdString();
  return c;
}

void SaveShot(QWidget& w, const QString& name) {
  const QString folder = qEnvironmentVariable("ZOTRA_SHOT_FOLDER");
  if (!folder.isEmpty()) w.grab().save(QDir(folder).filePath(name), "PNG");
}

// A logbook of `blocks` thousand QSOs inside the contest, written as one
// block repeated.
void BigLogbook(const ExtractFolder& f, int blocks) {
  QList<Q> block;
  for (int i = 0; i < 1000; ++i) {
    const int minute = 12 * 60 + i % 600;
    block << Q{QString("JA%1A%2%3").arg(i % 10).arg(QChar('A' + i % 26)).arg(QChar('A' + i / 26 % 26)), "25/06/07",
               QString("%1:%2U").arg(minute / 60, 2, 10, QChar('0')).arg(minute % 60, 2, 10, QChar('0'))};
  }
  f.Logbook(block);
  QByteArray bytes = FileBytes(f.Hdb());
  const QByteArray body = bytes.mid(16);
  const int count = blocks * 1000;
  bytes[8] = char(count & 0xFF);
  bytes[9] = char((count >> 8) & 0xFF);
  bytes[10] = char((count >> 16) & 0xFF);
  bytes.truncate(16);
  for (int b = 0; b < blocks; ++b) bytes += body;
  QFile file(f.Hdb());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

struct WindowRun {
  ExtractFolder f;
  QTemporaryDir logs;
  QString startLog;
  ScriptedDialogs dialogs;
  Frame frame;
  std::unique_ptr<ExtractWindow> window;

  explicit WindowRun(const QStringList& answers = {})
      : startLog(QDir(logs.path()).filePath("started.log")),
        dialogs({}, answers),
        frame(Program::Extract, f.program.Path(), "/ZOTRAW.CFG") {
    qputenv("ZOTRA_START_LOG", startLog.toUtf8());
    dialogs.SetDefaultTitle("ZOTRAH");
  }
  ~WindowRun() { qunsetenv("ZOTRA_START_LOG"); }

  bool Open() {
    window = OpenExtractWindow(frame, dialogs, f.program.File("ZOTRAW.CFG"), f.program.File("ZOTRAW.TST"));
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
  QString Text(const char* name) { return Child<QLabel>(*window, name)->text(); }
  QPushButton* Button(const char* name) { return Child<QPushButton>(*window, name); }
  QCheckBox* Check(const QString& name) { return Child<QCheckBox>(*window, name); }
  QRadioButton* Option(const QString& name) { return Child<QRadioButton>(*window, name); }
  QGroupBox* Box(const char* name) { return Child<QGroupBox>(*window, name); }
  void ChooseKeyRegion(int index) {
    QComboBox* combo = Child<QComboBox>(*window, "Combo1");
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
};

}  // namespace

TEST(ExtractWindow, ControlsAsTheOperatorSeesThem) {
  WindowRun r;
  ASSERT_TRUE(r.Open());
  ExtractWindow& w = *r.window;
  EXPECT_EQ(w.windowTitle(), U8("ﾃﾞｰﾀの選択   Ver ") + ProgramVersion());
  EXPECT_EQ(r.Button("Command1")->text(), U8("実行する"));
  EXPECT_EQ(r.Button("Command2")->text(), U8("実行しない"));
  EXPECT_EQ(r.Text("Label5"), r.f.Hdb());
  EXPECT_EQ(r.Check("Check3")->text(), U8("下記編集機能を使用する"));
  EXPECT_EQ(r.Check("Check5")->text(), U8("Qth 欄は Jcc 欄から変換して使用"));
  EXPECT_EQ(r.Check("Check6")->text(), U8("10.1GHz 帯以上の場合 Rmk に使用バンドを印刷"));
  EXPECT_FALSE(r.Check("Check6")->isHidden());
  for (int g = 0; g < 2; ++g) {
    const QStringList levels = {U8("都道府県に揃えます"), U8("市郡レベルに揃えます"), U8("町村レベルまで使用"), U8("変更しない")};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Option(QString("Option%1_%2").arg(i + 3).arg(g))->text(), levels.at(i));
    EXPECT_TRUE(r.Option(QString("Option6_%1").arg(g))->isChecked());
    EXPECT_EQ(r.Check(QString("Check1_%1").arg(g))->text(), U8("区は市に"));
    EXPECT_EQ(r.Check(QString("Check4_%1").arg(g))->text(), U8("東京の区は市扱い"));
    EXPECT_EQ(r.Check(QString("Check2_%1").arg(g))->text(), U8("県名は消す"));
  }
  EXPECT_EQ(r.Option("Option1")->text(), U8("01 北海道"));
  EXPECT_EQ(r.Option("Option2")->text(), U8("支庁に変換"));
  QComboBox* combo = Child<QComboBox>(w, "Combo1");
  ASSERT_EQ(combo->count(), 51);
  EXPECT_EQ(combo->itemText(0), U8("全都道府県"));
  EXPECT_EQ(combo->itemText(10), U8("東京都"));
  EXPECT_EQ(combo->itemText(50), U8("南鳥島"));
  // The editing is off until Check3 is set.
  EXPECT_FALSE(r.Box("Frame2")->isEnabled());
  r.Check("Check3")->setChecked(true);
  EXPECT_TRUE(r.Box("Frame2")->isEnabled());
  r.Check("Check3")->setChecked(false);
  SaveShot(w, "extract-before.png");

  // Without any band line in the definition Check6 is not offered.
  WindowRun bare;
  bare.f.Definition(Replace(BaseDefinition(), "\"SelFreq\"", {}));
  ASSERT_TRUE(bare.Open());
  EXPECT_TRUE(bare.Check("Check6")->isHidden());
}

TEST(ExtractWindow, KeyRegionLevelsAndTheHokkaidoChoice) {
  WindowRun r;
  ASSERT_TRUE(r.Open());
  ExtractWindow& w = *r.window;
  r.Check("Check3")->setChecked(true);
  // All regions: one group; Hokkaido is offered at prefecture level.
  EXPECT_FALSE(r.Box("Group_1")->isEnabled());
  EXPECT_FALSE(r.Box("Hokkaido")->isEnabled());
  r.Option("Option3_0")->click();
  EXPECT_TRUE(r.Box("Hokkaido")->isEnabled());
  r.Option("Option2")->click();
  r.Check("Check2_0")->click();
  ExtractOptions o = w.Options();
  EXPECT_TRUE(o.editAreas);
  EXPECT_EQ(o.area.groups[kKeyGroup].level, AreaLevel::Prefecture);
  EXPECT_TRUE(o.area.groups[kKeyGroup].dropPrefectureName);
  EXPECT_EQ(o.area.hokkaido, HokkaidoChoice::Subprefecture);

  // A key region: both groups, each back to "変更しない" without its boxes.
  r.ChooseKeyRegion(10);
  EXPECT_TRUE(r.Box("Group_1")->isEnabled());
  EXPECT_EQ(r.Box("Group_0")->title(), U8("キー地域: 東京都"));
  EXPECT_TRUE(r.Option("Option6_0")->isChecked());
  EXPECT_FALSE(r.Check("Check2_0")->isChecked());
  // Hokkaido lies among the other regions now.
  r.Option("Option3_0")->click();
  EXPECT_FALSE(r.Box("Hokkaido")->isEnabled());
  r.Option("Option4_1")->click();
  r.Check("Check1_1")->click();
  r.Check("Check4_0")->click();
  EXPECT_FALSE(r.Box("Hokkaido")->isEnabled());
  r.Option("Option3_1")->click();
  EXPECT_TRUE(r.Box("Hokkaido")->isEnabled());
  r.Check("Check5")->click();
  o = w.Options();
  EXPECT_EQ(o.area.keyRegion, 10);
  EXPECT_EQ(o.area.groups[kKeyGroup].level, AreaLevel::Prefecture);
  EXPECT_TRUE(o.area.groups[kKeyGroup].tokyoWardsAsCities);
  EXPECT_EQ(o.area.groups[kOtherGroup].level, AreaLevel::Prefecture);
  EXPECT_TRUE(o.area.groups[kOtherGroup].wardsAsCities);
  EXPECT_TRUE(o.area.qthFromAreaCode);
  SaveShot(w, "extract-options.png");

  // 北海道 as the key region: Hokkaido is in the key group.
  r.ChooseKeyRegion(1);
  EXPECT_FALSE(r.Box("Hokkaido")->isEnabled());
  r.Option("Option3_0")->click();
  EXPECT_TRUE(r.Box("Hokkaido")->isEnabled());
  // Back to all regions: the other group is off again.
  r.ChooseKeyRegion(0);
  EXPECT_FALSE(r.Box("Group_1")->isEnabled());
  EXPECT_EQ(w.Options().area.groups[kKeyGroup].level, AreaLevel::AsLogged);
}

TEST(ExtractWindow, ARunShowsItsProgressAndEndsReadyForAnother) {
  WindowRun r;
  r.f.Logbook({
      {"JA1AAA", "25/06/07", "11:00U"},
      {"JA1AAB", "25/06/07", "13:00U"},
      {"JA1 ABC/1", "25/06/07", "15:30U"},
      {"JA1AAD", "25/06/09", "00:00J"},
  });
  ASSERT_TRUE(r.Open());
  ExtractWindow& w = *r.window;
  r.Check("Check3")->setChecked(true);
  QStringList seen;
  QObject::connect(&w, &ExtractWindow::ProgressShown, [&](const ExtractProgress& p) {
    seen << r.Text("Label1") + "|" + r.Text("Label2");
    if (p.phase != ExtractProgress::Phase::Reading) return;
    // While it reads: the captions of a run, the controls that wait.
    EXPECT_EQ(r.Button("Command1")->text(), U8("ﾃﾞｰﾀ読込み中"));
    EXPECT_EQ(r.Button("Command2")->text(), U8("ﾃﾞｰﾀ選択中止"));
    for (QWidget* c : std::initializer_list<QWidget*>{r.Button("Command1"), r.Box("Frame2"), r.Check("Check3"),
                                                      r.Check("Check5"), r.Check("Check6")}) {
      EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
    }
    EXPECT_TRUE(r.Button("Command2")->isEnabled());
  });
  r.Button("Command1")->click();
  EXPECT_EQ(seen.first(), "1|Wait a moment");
  EXPECT_EQ(r.Text("Label1"), "4");
  EXPECT_EQ(r.Text("Label2"), "2025/06/08 00:30");
  EXPECT_EQ(r.Text("Label3"), "JA1ABC/1");
  EXPECT_EQ(r.Text("Label4"), "2");
  EXPECT_EQ(r.Button("Command1")->text(), U8("再読込する"));
  EXPECT_EQ(r.Button("Command2")->text(), U8("ﾒﾆｭｰに戻る"));
  EXPECT_TRUE(r.Button("Command1")->isEnabled());
  EXPECT_TRUE(r.Check("Check3")->isChecked());
  EXPECT_TRUE(r.Box("Frame2")->isEnabled());
  EXPECT_EQ(r.f.WorkLines().size(), 2);
  EXPECT_TRUE(r.Started().isEmpty());
  // The closing message accounts for every record.
  ASSERT_EQ(r.dialogs.Records().size(), 1);
  EXPECT_EQ(DialogFields(r.dialogs.Records().first()).at(2),
            U8("取り込んだ交信 2 件\n\n取り込まなかった記録\n期間外 2 件\n"
               "　コンテストの期間 2025/06/07 21:00 〜 2025/06/08 20:59 (JST)\n　ログにある交信 2025/06/07 〜 2025/06/09"));
  SaveShot(w, "extract-after.png");

  // A second run overwrites the work file; a run that keeps nothing says so
  // and why. Then back to the menu.
  r.f.Logbook({{"JA1AAB", "25/06/07", "13:00U"}});
  r.Button("Command1")->click();
  EXPECT_EQ(r.f.WorkLines().size(), 1);
  EXPECT_EQ(r.Text("Label4"), "1");
  r.f.Logbook({{"JA1AAB", "25/06/07", "13:00U", "599", "599", "7.025", "RTTY"}});
  r.Button("Command1")->click();
  EXPECT_EQ(r.Text("Label2"), U8("取り込む交信なし"));
  EXPECT_EQ(DialogFields(r.dialogs.Records().last()).mid(2, 2),
            (QStringList{U8("コンテストの交信が見つかりませんでした\n取り込んだ交信 0 件\n\n取り込まなかった記録\n参加モード外 1 件"), "OK"}));
  r.Button("Command2")->click();
  EXPECT_EQ(r.Started(), QStringList{r.f.program.File("zotram") + "\t/"});
}

TEST(ExtractWindow, Command2DuringARunLeavesWithTheQsosWrittenSoFar) {
  WindowRun r;
  BigLogbook(r.f, 150);
  ASSERT_TRUE(r.Open());
  ExtractWindow& w = *r.window;
  int shows = 0;
  bool shot = false;
  QObject::connect(&w, &ExtractWindow::ProgressShown, [&](const ExtractProgress& p) {
    if (p.phase != ExtractProgress::Phase::Reading || p.kept == 0) return;
    if (!shot) {
      SaveShot(w, "extract-during.png");
      shot = true;
    }
    if (++shows == 2) r.Button("Command2")->click();
  });
  r.Button("Command1")->click();
  ASSERT_TRUE(shot);
  EXPECT_EQ(r.Started(), QStringList{r.f.program.File("zotram") + "\t/"});
  EXPECT_FALSE(w.isVisible());
  const QByteArray bytes = r.f.program.ReadBytes("zotra.wk1");
  ASSERT_TRUE(bytes.endsWith("\r\n"));
  const QStringList lines = DecodeCp932(bytes).split("\r\n", Qt::SkipEmptyParts);
  EXPECT_GT(lines.size(), 0);
  EXPECT_LT(lines.size(), 150000);
  for (int i = 0; i < lines.size(); ++i) {
    const QStringList fields = SplitListLine(lines.at(i));
    ASSERT_EQ(fields.size(), 16) << i;
    ASSERT_EQ(fields.at(0), QString::number(i + 1));
  }
}

TEST(ExtractWindow, ClosingDuringARunStopsItToo) {
  WindowRun r;
  BigLogbook(r.f, 100);
  ASSERT_TRUE(r.Open());
  ExtractWindow& w = *r.window;
  QObject::connect(&w, &ExtractWindow::ProgressShown, [&](const ExtractProgress& p) {
    if (p.phase == ExtractProgress::Phase::Reading) w.close();
  });
  const ExtractResult result = w.Run();
  EXPECT_EQ(result.status, ExtractResult::Status::Stopped);
  EXPECT_LT(result.kept, 100000);
  EXPECT_EQ(r.Started(), QStringList{r.f.program.File("zotram") + "\t/"});
}

TEST(ExtractWindow, MissingLibraryEndsTheRunAndGoesBack) {
  WindowRun r;
  r.f.Logbook({{"JA1AAB", "25/06/07", "13:00U"}});
  QFile::remove(r.f.logbook.File("marqen50.dll"));
  ASSERT_TRUE(r.Open());
  EXPECT_EQ(r.window->Run().status, ExtractResult::Status::Fatal);
  ASSERT_EQ(r.dialogs.Records().size(), 1);
  EXPECT_EQ(DialogFields(r.dialogs.Records().first()).at(2),
            r.f.logbook.File("marqen50.dll") + U8("\nが見つからないので実行出来ません"));
  EXPECT_EQ(r.Started(), QStringList{r.f.program.File("zotram") + "\t/"});
  EXPECT_FALSE(r.f.program.Exists("zotra.wk1"));
}
