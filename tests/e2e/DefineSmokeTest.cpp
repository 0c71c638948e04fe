// The definition editor on the demo folder, as the menu starts it: every tab
// filled from the demo's definition, which it would save unchanged.
#include "WindowSmoke.h"

#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "define/ContestDefinition.h"
#include "define/ui/DefineWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

using namespace zotra;
using namespace zotra::test;

TEST(DemoWindows, DefinitionEditorShowsTheDemoContest) {
  SmokeRun run;
  Frame frame(Program::Define, run.demo.Path(), kFromMenu);
  DefineWindow window(frame, run.dialogs, frame.Path("MY.CFG"), frame.Path("ZOTRAW.TST"));
  window.Start();
  window.show();
  EXPECT_EQ(run.dialogs.Records(), QStringList());
  EXPECT_EQ(Child<QLineEdit>(window, "callsign")->text(), "JA1ZTR");
  EXPECT_EQ(Child<QComboBox>(window, "Combo2")->currentText(), U8s("ZOTRAデモコンテスト"));
  EXPECT_TRUE(Child<QCheckBox>(window, "band_2")->isChecked());   // 7
  EXPECT_FALSE(Child<QCheckBox>(window, "band_3")->isChecked());  // 10
  EXPECT_TRUE(Child<QCheckBox>(window, "band_16")->isChecked());  // SAT
  EXPECT_TRUE(Child<QRadioButton>(window, "Option5")->isChecked());  // points by band and mode
  EXPECT_EQ(Child<QLineEdit>(window, "Text5")->text(), "XMA");
  SaveShot(window, "define.png");
  ExpectOwnHelpOnF1(window, "zotras");
  // The category tab offers the demo's categories for its contest.
  QTabBar* tabs = Child<QTabBar>(window, "TabStrip1");
  ASSERT_NE(tabs, nullptr);
  tabs->setCurrentIndex(4);
  QComboBox* categories = Child<QComboBox>(window, "Combo1");
  ASSERT_NE(categories, nullptr);
  EXPECT_GE(categories->findText(U8s("XMA/電信電話部門/シングルオペ オールバンド/ＺＯＴＲＡデモ")), 0);
  // Saved as it stands, the definition would not change by a byte.
  EXPECT_EQ(EncodeCp932(DefinitionText(window.CurrentDefinition())), run.demo.folder().ReadBytes("ZOTRAW.TST"));
}
