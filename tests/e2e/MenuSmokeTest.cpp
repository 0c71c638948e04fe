// The menu on the demo folder: every step usable, the environment file in
// use, the station's log folders, and the extraction started with "/MY.CFG".
#include "WindowSmoke.h"

#include "common/Frame.h"
#include "menu/MenuWindow.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace zotra;
using namespace zotra::test;

TEST(DemoWindows, MenuOffersEveryStep) {
  SmokeRun run;
  Frame frame(Program::Menu, run.demo.Path());
  MenuWindow window(frame, run.dialogs);
  window.show();
  ASSERT_TRUE(window.Start());
  EXPECT_EQ(run.dialogs.Records(), QStringList());
  for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5"}) {
    EXPECT_TRUE(Child<QPushButton>(window, name)->isEnabled()) << name;
  }
  EXPECT_EQ(Child<QLabel>(window, "Label1")->text(), "MY.CFG");
  QMenu* showlog = Child<QMenu>(window, "showlog");
  ASSERT_NE(showlog, nullptr);
  EXPECT_TRUE(showlog->menuAction()->isEnabled());  // the station folders are there
  SaveShot(window, "menu.png");
  ExpectOwnHelpOnF1(window, "zotram");

  Child<QPushButton>(window, "Command2")->click();
  EXPECT_EQ(run.Started(), QStringList{run.demo.File("zotrah") + "\t" + kFromMenu});
}
