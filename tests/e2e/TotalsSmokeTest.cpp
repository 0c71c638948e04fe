// The totals window on the demo folder after the whole road: the band grid
// from the points file, the totals and the score.
#include "WindowSmoke.h"

#include "common/Frame.h"
#include "summary/SummaryWindow.h"
#include "summary/TotalsWindow.h"

#include <QLineEdit>
#include <QTableWidget>

using namespace zotra;
using namespace zotra::test;

TEST(DemoWindows, TotalsShowTheRoadsResult) {
  SmokeRun run;
  ASSERT_EQ(run.demo.Batch(QStringList{"all"} + DemoExtractOptions()).exitCode, 0);
  Frame frame(Program::Summary, run.demo.Path(), kFromMenu);
  TotalsWindow window(frame, run.dialogs);
  window.Start();
  window.show();
  QTableWidget* grid = Child<QTableWidget>(window, "Grid1");
  ASSERT_NE(grid, nullptr);
  auto row = [grid](int r) {
    QStringList cells;
    for (int c = 0; c < 6; ++c) cells << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return cells;
  };
  // Columns: band, QSOs, points, multipliers 1 to 3 (2 and 3 not used).
  EXPECT_EQ(row(1), QStringList({"1.9MHz", "30", "30", "30", "", ""}));
  EXPECT_EQ(row(3), QStringList({"7MHz", "915", "915", "61", "", ""}));
  EXPECT_EQ(row(10), QStringList({"1200MHz", "30", "60", "30", "", ""}));
  EXPECT_EQ(row(13), QStringList({U8s("10.1GHz"), "6", "18", "6", "", ""}));
  EXPECT_EQ(row(14), QStringList({"SAT   ", "4", "8", "4", "", ""}));
  EXPECT_EQ(row(18), QStringList({U8s(" 合  計 "), "3028", "3074", "558", "", ""}));
  EXPECT_EQ(Child<QLineEdit>(window, "Text2")->text(), "1,715,292");
  SaveShot(window, "totals.png");
  ExpectOwnHelpOnF1(window, "zotrat");
  if (SummaryWindow* summary = window.summaryWindow()) {
    summary->Open();
    SaveShot(*summary, "summary.png");
  }
}
