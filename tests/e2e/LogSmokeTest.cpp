// The log program on the demo's 7 MHz band, started with the count the
// sort-and-check program gives it: every QSO in the table, the duplicate
// list beside it, and the multipliers arranged as the batch arranges them.
#include "WindowSmoke.h"

#include "common/Frame.h"
#include "log/LogSession.h"
#include "log/Scoring.h"
#include "log/ui/LogWindow.h"
#include "log/ui/PrintSettingsWindow.h"

#include <QLabel>
#include <QTableView>

using namespace zotra;
using namespace zotra::test;

TEST(DemoWindows, LogProgramShowsTheBand) {
  SmokeRun run;
  run.Extract();
  ASSERT_EQ(run.demo.Batch({"select", "7"}).exitCode, 0);
  ASSERT_EQ(run.demo.Batch({"check"}).exitCode, 0);

  Frame frame(Program::Log, run.demo.Path(), "924");
  auto session = std::make_unique<LogSession>();
  session->announcedCount = AnnouncedCount(frame.CommandLine());
  ASSERT_EQ(LoadLogSession(frame, run.dialogs, session.get()), LogStart::Ready);
  LogWindow window(frame, run.dialogs, std::move(session));
  window.OpenDuplicateListWhenPresent();
  window.show();
  EXPECT_EQ(run.dialogs.Records(), QStringList());
  EXPECT_EQ(Child<QLabel>(window, "Label1")->text(), U8s("7 MHz   924 交信"));
  EXPECT_EQ(window.table()->model()->rowCount(), 924);
  // Nine stations worked twice in the same mode.
  ASSERT_NE(window.duplicateList(), nullptr);
  EXPECT_EQ(Child<QTableView>(*window.duplicateList(), "MSFlexGrid1")->model()->rowCount(), 18);

  window.ArrangeMultipliers();
  // Before the duplicates are made invalid, all 924 QSOs count: 61 multipliers.
  const OutputTotals totals = TotalsOf(window.session().table, window.session().definition);
  EXPECT_EQ(totals.qsos, 924);
  EXPECT_EQ(totals.multipliers[0], 61);
  SaveShot(window, "log.png");
  ExpectOwnHelpOnF1(window, "zotral");
  PrintSettingsWindow print(frame, run.dialogs, window.session());
  print.show();
  SaveShot(print, "log-print.png");
}
