// The sort-and-check window on the demo folder after the extraction: the
// contest's bands, the selection of 7 MHz, and the hand-over to the log
// program with the count of its QSOs.
#include "WindowSmoke.h"

#include "check/CheckWindow.h"
#include "common/Frame.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace zotra;
using namespace zotra::test;

TEST(DemoWindows, CheckProgramListsTheBandsAndHandsOver) {
  SmokeRun run;
  run.Extract();
  Frame frame(Program::Check, run.demo.Path(), kFromMenu);
  std::unique_ptr<CheckWindow> window = OpenCheckWindow(frame, run.dialogs, frame.Path("ZOTRAW.TST"));
  ASSERT_NE(window, nullptr);
  window->show();
  QListWidget* list = Child<QListWidget>(*window, "List1");
  ASSERT_NE(list, nullptr);
  QStringList bands;
  for (int i = 0; i < list->count(); ++i) bands << list->item(i)->text();
  EXPECT_EQ(bands, QStringList({"1.9", "3.5", "7", "14", "21", "28", "50", "144", "430", "1200", "10125", "SAT"}));
  EXPECT_TRUE(Child<QRadioButton>(*window, "Option1_2")->isChecked());  // モード順, as the demo keeps it
  EXPECT_EQ(Child<QLabel>(*window, "Label1")->text(), "3059");

  list->setCurrentRow(2);
  window->NewSelection();
  EXPECT_EQ(Child<QLabel>(*window, "Label2")->text(), "924");  // 900 + 9 duplicates + 15 in another mode
  EXPECT_TRUE(Child<QPushButton>(*window, "Command4")->isEnabled());
  SaveShot(*window, "check.png");
  ExpectOwnHelpOnF1(*window, "zotrac");
  ASSERT_TRUE(window->HandOver());
  EXPECT_EQ(run.Started(), QStringList{run.demo.File("zotral") + "\t924"});
  EXPECT_TRUE(run.demo.folder().Exists("zotradup.wk"));
}
