// The definition editor's window in-process, headless, driven through its
// real widgets with key and mouse events and answered by scripted dialogs.
#include "EditorFixture.h"
#include "define/DefinitionSave.h"
#include "define/ui/InputRules.h"
#include "define/ui/SmallWindows.h"

#include "common/Text.h"

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

using namespace zotra;
using namespace zotra::test;

namespace {

QString Year() { return QString::number(QDate::currentDate().year()); }

// A definition with everything a real entry needs, as the writer writes it.
ContestDefinition AllJaEntry() {
  ContestDefinition d = ContestDefinition::EditorDefaults();
  d.myCall = "JA1ZZZ";
  d.contestName = U("ALL JAコンテスト");
  d.start = {"2026", "04", "25", "21", "00"};
  d.end = {"2026", "04", "26", "20", "59"};
  for (const char* b : {"1.9", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "144", "430", "1200", "2400",
                           "5600", "10125", "SAT"}) {
    d.bands.append({b, QString(b) == "7" || QString(b) == "14" || QString(b) == "21" ? 1 : -1});
  }
  d.modes = {{"CW", 1}, {"SSB", 1}, {"FM", -1}, {"AM", -1}, {"RTTY", -1}, {"FT8", -1}};
  d.sentItems = {{"HisRst", "3"}, {"Rmk1", "3"}, {"M", "1"}};
  d.receivedItems = {{"MyRst", "3"}, {"Rmk1", "4"}};
  d.multi1 = "";
  d.multi2 = "Edit";
  d.multi2Front = "0";
  d.multi2Back = "1";
  d.multi3 = "";
  d.categoryCode = "XAM";
  d.sectionName = U("電信電話部門");
  d.eventName = U("シングルオペ オールバンド 100W以下");
  d.postalCode = "170-8073";
  d.addressFirst = U("東京都豊島区南大塚");
  d.addressSecond = "3-43-1";
  d.phone = "03-0000-0000";
  d.name = U("無線 太郎");
  d.mail = "ja1zzz@example.jp";
  d.licenceClass = U("第一級アマチュア無線技士");
  d.licensedPower = "100";
  d.rig1 = "IC-7300 100W  3ele YAGI";
  d.opinion1 = U("楽しかったです");
  d.jarlLog = "Yes R2";
  d.jarlOrder = "Time";
  d.vqLog = "Yes";
  return d;
}

QByteArray WriterBytes(const ContestDefinition& d) {
  TempFolder t;
  EXPECT_TRUE(WriteDefinition(d, t.File("x.tst")));
  return t.ReadBytes("x.tst");
}

}  // namespace

TEST(DefineWindow, StartShowsTheEnvironmentDefaultsAndNameList) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  EXPECT_EQ(w.windowTitle(), U("コンテストの設定 Ver ") + ProgramVersion());
  auto* bar = e.Get<QTabBar>("TabStrip1");
  ASSERT_EQ(bar->count(), 8);
  const QStringList tabs = {U("コンテスト名称"), U("バンド･モード"),   U("コンテストナンバー"), U("マルチプライヤ"),
                            U("参加部門"),       U("個人情報"),         U("空中線・Rig・意見"),  U("電子ログ・その他")};
  const QStringList frames = {"callname", "modeband", "contestno", "Multi", "bumon", "kojin", "rigant", "sonota"};
  const QStringList frameCaptions = {U("コンテスト名称･期間・主催者"), U("交信モード・周波数等"), U("コンテストナンバー"),
                                     U("マルチプライヤー"), U("参加部門等"), U("個人情報"), U("空中線・Rig・意見"), U("その他")};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(bar->tabText(i), tabs.at(i));
    EXPECT_EQ(e.Get<QGroupBox>(frames.at(i))->title(), frameCaptions.at(i));
  }
  // Only the first tab's frame is shown.
  EXPECT_EQ(bar->currentIndex(), 0);
  EXPECT_TRUE(e.Get<QGroupBox>("callname")->isVisible());
  EXPECT_FALSE(e.Get<QGroupBox>("modeband")->isVisible());

  // Band and mode boxes from the environment file; extras in blue; unused slots hidden.
  e.Tab(1);
  EXPECT_TRUE(e.Get<QGroupBox>("modeband")->isVisible());
  EXPECT_EQ(e.Get<QCheckBox>("band_0")->text(), "1.9");
  EXPECT_EQ(e.Get<QCheckBox>("band_16")->text(), "SAT");
  EXPECT_FALSE(e.Get<QCheckBox>("band_17")->isVisible());
  EXPECT_EQ(e.Get<QCheckBox>("band_3")->palette().color(QPalette::WindowText), kExtraBandColour);  // 10
  EXPECT_EQ(e.Get<QCheckBox>("band_16")->palette().color(QPalette::WindowText), kExtraBandColour);  // SAT
  EXPECT_NE(e.Get<QCheckBox>("band_2")->palette().color(QPalette::WindowText), kExtraBandColour);  // 7
  EXPECT_EQ(e.Get<QCheckBox>("mode_5")->text(), "FT8");
  EXPECT_TRUE(e.Get<QRadioButton>("Option4")->isChecked());
  EXPECT_FALSE(e.Get<QPushButton>("Command8")->isEnabled());

  // Defaults.
  const QStringList period = {"1998", "01", "02", "09", "00", "1998", "01", "03", "20", "59"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(e.Edit(QString("ymd_%1").arg(i))->text(), period.at(i));
  EXPECT_EQ(e.Edit("Text3")->text(), "10");
  EXPECT_EQ(e.Edit("Text1")->text(), "JARL");
  EXPECT_EQ(e.Edit("Text14")->text(), U("第四級アマチュア無線技士"));
  EXPECT_EQ(e.Edit("Text8")->text(), U("↑フィールドデーコンテストの場合は、局種係数を記入"));
  EXPECT_EQ(e.Get<QLabel>("Sendno")->text(), "HisRst(3)");
  EXPECT_TRUE(e.Get<QCheckBox>("Check1")->isChecked());
  EXPECT_EQ(e.Get<QCheckBox>("Check5")->text(), "Utc=>Jst");

  // The contest-name list in file order.
  auto* names = e.Get<QComboBox>("Combo2");
  ASSERT_EQ(names->count(), 11);
  EXPECT_EQ(names->itemText(0), U("ALL JAコンテスト"));
  EXPECT_EQ(names->currentText(), QString());
  EXPECT_TRUE(e.Dialogs().isEmpty());
  // The working category file was made from the base file.
  EXPECT_EQ(e.t.ReadBytes("ZOTRAW.COD"), e.t.ReadBytes("ZOTCOD.BSE"));
}

// A real entry typed and clicked in, saved: the file is exactly what the
// writer makes of the same entries.
TEST(DefineWindow, SavingWritesWhatTheWriterWrites) {
  EditorFixture e;
  e.t.WriteBytes("ZOTRApoi.dat", "\"7\",12\r\n");
  e.t.WriteBytes("HED.JARL", "x");
  e.t.WriteBytes("zotra.wk2.sve", "x");
  DefineWindow& w = e.Open();

  e.Type("callsign", "ja1zzz");
  e.Choose("Combo2", U("ALL JAコンテスト"));
  e.Edit("ymd_0")->setFocus(Qt::TabFocusReason);
  EditorFixture::TypeAtFocus("2026042521002026042620");  // auto-advance through the fields
  EditorFixture::TypeAtFocus("59");
  EXPECT_EQ(QApplication::focusWidget(), e.Get<QRadioButton>("Jst"));

  e.Tab(1);
  for (const char* box : {"band_2", "band_4", "band_6", "mode_0", "mode_1"}) e.Click(box);

  e.Tab(2);
  e.Click("srmk1");
  e.Retype("xlen_6", "3");
  e.Type("Text4", "M");
  e.Click("MyRst");
  e.Click("rrmk1");
  e.Retype("xlen_4", "4");
  EXPECT_EQ(e.Get<QLabel>("Sendno")->text(), "HisRst(3) Rmk1(3) M(1)");
  EXPECT_EQ(e.Get<QLabel>("rcvno")->text(), "MyRst(3) Rmk1(4)");

  e.Tab(3);
  e.Click("edit2");
  EXPECT_TRUE(e.Edit("maesuu")->isEnabled());
  e.Retype("atosuu", "1");

  e.Tab(4);
  e.Choose("Combo1", U("XAM/電信電話部門/シングルオペ オールバンド 100W以下/ＡＬＬ　ＪＡ"));
  EXPECT_EQ(e.Edit("Text5")->text(), "XAM");
  EXPECT_EQ(e.Edit("Text6")->text(), U("電信電話部門"));
  EXPECT_EQ(e.Edit("Text7")->text(), U("シングルオペ オールバンド 100W以下"));

  e.Tab(5);
  e.Type("Text11", "170-8073");
  e.Type("Text12", U("東京都豊島区南大塚"));
  e.Type("Text13", "3-43-1");
  e.Type("Text10", "03-0000-0000");
  e.Type("Text9", U("無線 太郎"));
  e.Type("Text20", "ja1zzz@example.jp");
  e.Retype("Text14", U("第一級アマチュア無線技士"));
  e.Edit("Text3")->setFocus(Qt::TabFocusReason);
  e.Edit("Text3")->setCursorPosition(2);
  QTest::keyClicks(e.Edit("Text3"), "0");
  EXPECT_EQ(e.Edit("Text3")->text(), "100");

  e.Tab(6);
  e.Type("Text15", "IC-7300 100W  3ele YAGI");
  e.Type("Text17", U("楽しかったです"));

  e.Click("Command2");
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(e.Dialogs(), QList<QStringList>{});
  EXPECT_EQ(e.t.ReadBytes("ZOTRAW.TST"), WriterBytes(AllJaEntry()));
  EXPECT_EQ(e.Setting("ZOTRAM", "Tst"), "ZOTRAW.TST");
  EXPECT_EQ(e.Setting("ZOTRAS", U("得点配分")), U("固定"));
  EXPECT_TRUE(QDir(e.t.File("JA1ZZZ")).exists());
  EXPECT_TRUE(QDir(e.t.File("JA1ZZZ_JARL")).exists());
  // Points file emptied, outputs and ".sve" copies gone, the menu restarted.
  EXPECT_EQ(e.t.ReadBytes("ZOTRApoi.dat"), QByteArray());
  EXPECT_FALSE(e.t.Exists("HED.JARL"));
  EXPECT_FALSE(e.t.Exists("zotra.wk2.sve"));
  EXPECT_EQ(e.Started(), QStringList{e.t.File("zotram")});
}

// Loading a definition and saving it unchanged writes the same bytes; a band
// in slot 18 or 19 is restored, points above 1 choose "得点配分".
TEST(DefineWindow, LoadedDefinitionSavesUnchanged) {
  QStringList plan = kPlan;
  plan.insert(17, "$24000,24000,24250");
  plan.insert(18, "$47000,47000,47200");
  plan.insert(19, "$77000,75500,81000");
  EditorFixture e(plan);
  ContestDefinition d = AllJaEntry();
  d.bands.clear();
  for (const char* b : {"1.9", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "144", "430", "1200", "2400",
                           "5600", "10125", "SAT", "24000", "47000", "77000"}) {
    d.bands.append({b, QString(b) == "7" ? 2 : QString(b) == "77000" || QString(b) == "47000" ? 1 : -1});
  }
  d.modes = {{"CW", 1}, {"SSB", 3}, {"FM", -1}, {"AM", -1}, {"RTTY", -1}, {"FT8", -1}};
  d.convertOtherBasis = 1;
  d.timeBasis = "Utc";
  d.multi1 = "Jcc";
  d.multi2 = "Space";
  d.multi3 = "Manual";
  d.jarlLog = "Yes R1";
  d.jarlOrder = "Band";
  d.vqLog = "No";
  d.dropInvalid = true;
  d.powerKind = U("実測");
  d.printClub = 1;
  d.clubNumber = "1-2-3";
  d.clubName = U("テストクラブ");
  d.operators = "JA1AAA JA1BBB";
  d.stationCoefficient = "2";
  d.portablePlace = U("富士山");
  d.powerSource = U("発動発電機");
  ASSERT_TRUE(WriteDefinition(d, e.t.File("ZOTRAW.TST")));
  const QByteArray before = e.t.ReadBytes("ZOTRAW.TST");

  DefineWindow& w = e.Open();
  EXPECT_TRUE(w.Slots().bands().at(18).taken);
  EXPECT_TRUE(w.Slots().bands().at(19).taken);
  EXPECT_TRUE(e.Get<QRadioButton>("Option5")->isChecked());
  EXPECT_TRUE(e.Get<QPushButton>("Command8")->isEnabled());
  EXPECT_TRUE(e.Get<QRadioButton>("Utc")->isChecked());
  EXPECT_EQ(e.Get<QCheckBox>("Check5")->text(), "Jst=>Utc");
  EXPECT_TRUE(e.Get<QCheckBox>("Check5")->isChecked());
  EXPECT_TRUE(e.Get<QRadioButton>("Option6_1")->isChecked());
  EXPECT_TRUE(e.Get<QRadioButton>("Option3_0")->isChecked());
  EXPECT_EQ(e.Edit("xlen_6")->text(), "3");
  EXPECT_EQ(e.Edit("Text4")->text(), "M");
  EXPECT_EQ(DefinitionText(w.CurrentDefinition()), DefinitionText(d));

  e.Click("Command2");
  EXPECT_EQ(e.t.ReadBytes("ZOTRAW.TST"), before);
  EXPECT_EQ(e.Setting("ZOTRAS", U("得点配分")), U("設定"));
}

TEST(DefineWindow, ContestNameWithAnUnsuitableCharacterWarnsAndIsSaved) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Type("callsign", "JA1ZZZ");
  e.Type("Combo2", "ALL JA. TEST, 2026");
  e.Edit("Text1")->setFocus(Qt::TabFocusReason);
  // "," and "." are both there: the later one in the list is named.
  ASSERT_EQ(e.MessageTexts(), QStringList{UnsuitableContestNameMessage('.')});
  EXPECT_EQ(e.Dialogs().first().at(1), "ZOTRAS");
  EXPECT_EQ(e.Get<QComboBox>("Combo2")->currentText(), "ALL JA. TEST, 2026");
  e.Click("Command2");
  EXPECT_FALSE(w.isVisible());
  ContestDefinition saved;
  ASSERT_TRUE(ReadDefinition(e.t.File("ZOTRAW.TST"), &saved).found);
  EXPECT_EQ(saved.contestName, "ALL JA. TEST, 2026");
}

TEST(DefineWindow, NoCallSignNoSave) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Type("callsign", "   ");
  e.Tab(3);
  e.Click("Command2");
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(e.MessageTexts(), QStringList{U("コールサインが設定されていません")});
  EXPECT_EQ(e.Get<QTabBar>("TabStrip1")->currentIndex(), 0);
  EXPECT_FALSE(e.t.Exists("ZOTRAW.TST"));
  EXPECT_TRUE(e.Get<QPushButton>("Command2")->isEnabled());
}

TEST(DefineWindow, SilverCodeInLowerCaseAsksTheAge) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Type("callsign", "JA1ZZZ");
  e.Tab(4);
  e.Type("Text5", "sosv");
  e.Answers({"59", "OK", "121", "OK", "Cancel"});
  e.Click("Command2");
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(e.Edit("Text5")->text(), "SOSV");
  EXPECT_EQ(e.MessageTexts(),
            (QStringList{U("シルバー部門の年齢を  二桁または 三桁の半角数字で入れてください 000 でキャンセルです"),
                         U("入力年齢 が不正です"),
                         U("シルバー部門の年齢を  二桁または 三桁の半角数字で入れてください 000 でキャンセルです"),
                         U("入力年齢 が不正です"),
                         U("シルバー部門の年齢を  二桁または 三桁の半角数字で入れてください 000 でキャンセルです"),
                         U("シルバー部門で年齢設定がされていないので設定保存できません")}));
  EXPECT_FALSE(e.t.Exists("ZOTRAW.TST"));

  e.Answers({"60"});
  e.Click("Command2");
  EXPECT_FALSE(w.isVisible());
  ContestDefinition saved;
  ReadDefinition(e.t.File("ZOTRAW.TST"), &saved);
  EXPECT_EQ(saved.age, "60");
  EXPECT_EQ(saved.categoryCode, "SOSV");
  EXPECT_TRUE(e.t.ReadCp932("ZOTRAW.TST").contains(U("\"[年齢]\"\r\n\"60\"\r\n")));
}

TEST(DefineWindow, JuniorAndNewcomerAnswers) {
  {
    EditorFixture e;
    DefineWindow& w = e.Open();
    e.Type("callsign", "JA1ZZZ");
    e.Tab(4);
    e.Type("Text5", "SOJR");
    e.Answers({"22", "OK", "00", "No", "21"});
    e.Click("Command2");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(e.MessageTexts().contains(U("000 が入力されました、キャンセルでいいですか？")));
    ContestDefinition saved;
    ReadDefinition(e.t.File("ZOTRAW.TST"), &saved);
    EXPECT_EQ(saved.age, "21");
  }
  {
    EditorFixture e;
    DefineWindow& w = e.Open();
    e.Type("callsign", "JA1ZZZ");
    e.Tab(4);
    e.Type("Text5", "pn");
    const QString old = QString::number(Year().toInt() - 6);
    e.Answers({old + "0401", "OK", Year() + "0102"});
    e.Click("Command2");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(e.MessageTexts().contains(U("年号の数値が不正です ") + old));
    ContestDefinition saved;
    ReadDefinition(e.t.File("ZOTRAW.TST"), &saved);
    EXPECT_EQ(saved.licenceDate, Year() + U("年01月02日"));
    EXPECT_EQ(saved.age, QString());
  }
}

TEST(DefineWindow, HalfWidthMultiOperatorNeedsTheOperators) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Type("callsign", "JA1ZZZ");
  e.Tab(4);
  e.Type("Text7", U("ﾏﾙﾁｵﾍﾟ ｵｰﾙﾊﾞﾝﾄﾞ"));
  e.Click("Command2");
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(e.MessageTexts(), QStringList{U("マルチオペレータの場合\n運用者のコールサインは必須です")});
  EXPECT_FALSE(e.t.Exists("ZOTRAW.TST"));

  e.Tab(7);
  e.Type("Text21", "ja1aaa ja1bbb");
  EXPECT_EQ(e.Edit("Text21")->text(), "JA1AAA JA1BBB");
  e.Click("Command2");
  EXPECT_FALSE(w.isVisible());
}

TEST(DefineWindow, DateMultiplierOnTwoBandsWarnsFirst) {
  EditorFixture e;
  DefineWindow& w = e.Open();
  e.Type("callsign", "JA1ZZZ");
  e.Tab(1);
  e.Click("band_2");
  e.Click("band_4");
  e.Tab(3);
  e.Click("date3");

  QString shownText;
  OnNextModal([&shownText](QWidget* modal) {
    shownText = modal->findChild<QLabel*>("Label1")->text();
    EXPECT_EQ(modal->findChild<QPushButton*>("Command2")->toolTip(), U("に数マルチの設定はそのままです"));
    QTest::mouseClick(modal->findChild<QPushButton*>("Command1"), Qt::LeftButton);  // 戻る
  });
  e.Click("Command2");
  EXPECT_TRUE(shownText.startsWith(U("マルチバンドで日数マルチが指定されました")));
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(e.t.Exists("ZOTRAW.TST"));
  EXPECT_TRUE(e.Dialogs().isEmpty());

  OnNextModal([](QWidget* modal) { QTest::mouseClick(modal->findChild<QPushButton*>("Command2"), Qt::LeftButton); });
  e.Click("Command2");
  EXPECT_FALSE(w.isVisible());
  ContestDefinition saved;
  ReadDefinition(e.t.File("ZOTRAW.TST"), &saved);
  EXPECT_EQ(saved.multi3, "Date");

  // One band: no warning.
  EditorFixture one;
  DefineWindow& w1 = one.Open();
  one.Type("callsign", "JA1ZZZ");
  one.Tab(1);
  one.Click("band_2");
  one.Tab(3);
  one.Click("date1");
  one.Click("Command2");
  EXPECT_FALSE(w1.isVisible());
}

TEST(DefineWindow, WithoutCheck1ThePointsAndOutputsStay) {
  EditorFixture e;
  e.t.WriteBytes("ZOTRAPOI.DAT", "\"7\",12\r\n");
  e.t.WriteBytes("7.MHz", "x");
  e.t.WriteBytes("HED.JARL", "x");
  e.t.WriteBytes("zotra.wk1.sve", "x");
  e.Open();
  e.Type("callsign", "JA1ZZZ");
  e.Click("Check1");
  EXPECT_FALSE(e.Get<QCheckBox>("Check1")->isChecked());
  e.Click("Command2");
  EXPECT_EQ(e.t.ReadBytes("ZOTRAPOI.DAT"), QByteArray("\"7\",12\r\n"));
  EXPECT_TRUE(e.t.Exists("7.MHz"));
  EXPECT_TRUE(e.t.Exists("HED.JARL"));
  EXPECT_FALSE(e.t.Exists("zotra.wk1.sve"));
}

TEST(DefineWindow, AFailedSaveKeepsTheWindowAndEveryEntry) {
  EditorFixture e;
  QDir(e.t.Path()).mkdir("ZOTRAW.TST");  // no file can be written under that name
  e.t.WriteBytes("ZOTRAPOI.DAT", "keep");
  e.t.WriteBytes("a.sve", "keep");
  DefineWindow& w = e.Open();
  e.Type("callsign", "JA1ZZZ");
  e.Type("Combo2", "TEST");
  e.Tab(5);
  e.Type("Text9", U("無線 太郎"));
  const ContestDefinition entered = w.CurrentDefinition();
  e.Click("Command2");
  EXPECT_TRUE(w.isVisible());
  ASSERT_EQ(e.MessageTexts().size(), 1);
  EXPECT_TRUE(e.MessageTexts().first().startsWith(U("コンテスト定義ファイル ") + e.t.File("ZOTRAW.TST") + U(" に書き込めません")));
  EXPECT_EQ(w.CurrentDefinition(), entered);
  EXPECT_TRUE(e.Get<QPushButton>("Command2")->isEnabled());
  EXPECT_TRUE(e.Get<QPushButton>("Command3")->isEnabled());
  EXPECT_TRUE(w.findChild<QStackedWidget*>()->isVisible());
  EXPECT_EQ(e.t.ReadBytes("ZOTRAPOI.DAT"), QByteArray("keep"));
  EXPECT_TRUE(e.t.Exists("a.sve"));
  EXPECT_TRUE(e.Started().isEmpty());
}

TEST(DefineWindow, LeavingWithoutSavingReturnsToTheMenu) {
  for (const bool byFrame : {false, true}) {
    EditorFixture e;
    e.t.WriteBytes("a.sve", "keep");
    DefineWindow& w = e.Open();
    e.Type("callsign", "JA1ZZZ");
    e.Tab(1);
    e.Click("Option5");
    if (byFrame) w.close();
    else e.Click("Command3");
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(e.t.Exists("ZOTRAW.TST"));
    EXPECT_TRUE(e.t.Exists("a.sve"));
    EXPECT_EQ(e.Setting("ZOTRAS", U("得点配分")), U("設定"));
    EXPECT_NE(e.Setting("ZOTRAS", "FormTop"), "<none>");
    EXPECT_EQ(e.Started(), QStringList{e.t.File("zotram")});
  }
}
