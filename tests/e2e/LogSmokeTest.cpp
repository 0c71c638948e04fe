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
#include <QPushButton>
#include <QTableView>
#include <QTest>

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

// The operator's road on the demo, band by band through the log window: the
// duplicates made invalid with one press, restored with one UNdo and made
// invalid again; the multipliers arranged; the log files made through the
// print settings window. The electronic log is then byte for byte the one
// of zotra-batch all.
TEST(DemoWindows, OnePressPerBandGivesTheElectronicLogOfTheBatch) {
  DemoFolder batch;
  ASSERT_TRUE(batch.LaidOut());
  ASSERT_EQ(batch.Batch(QStringList{"all"} + DemoExtractOptions()).exitCode, 0);

  SmokeRun run;
  run.Extract();
  const QStringList bands = {"1.9", "3.5", "7", "14", "21", "28", "50", "144", "430", "1200", "10125", "SAT"};
  const QList<int> duplicates = {0, 3, 9, 4, 4, 2, 4, 3, 2, 0, 0, 0};  // worked out in DemoRoadTest.cpp
  for (int b = 0; b < bands.size(); ++b) {
    ASSERT_EQ(run.demo.Batch({"select", bands[b]}).exitCode, 0);
    ASSERT_EQ(run.demo.Batch({"check"}).exitCode, 0);
    Frame frame(Program::Log, run.demo.Path(), "0");
    auto session = std::make_unique<LogSession>();
    ASSERT_EQ(LoadLogSession(frame, run.dialogs, session.get()), LogStart::Ready);
    LogWindow window(frame, run.dialogs, std::move(session));
    window.OpenDuplicateListWhenPresent();
    window.show();
    QsoTable& table = window.session().table;
    const QString loaded = WorkFileText(table);
    auto* button = Child<QPushButton>(window, "Command7");
    EXPECT_EQ(button->isEnabled(), duplicates[b] > 0) << bands[b].toStdString();
    if (duplicates[b] > 0) {
      QTest::qWait(20);
      QTableView* list = window.duplicateList()->grid();
      if (bands[b] == "7") {  // its last duplicate reached from the list, in pictures before and after
        list->scrollToBottom();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(17, 1)).center());
        SaveShot(window, "log-7-before.png");
      }
      button->click();
      const QString invalidated = WorkFileText(table);
      EXPECT_EQ(TotalsOf(table, window.session().definition).qsos, table.RowCount() - duplicates[b]);
      if (bands[b] == "7") {
        // The current cell on the call sign, so the red "0" shows.
        window.table()->setCurrentIndex(window.table()->currentIndex().siblingAtColumn(col::kCall));
        SaveShot(window, "log-7-after.png");
        SaveShot(*window.duplicateList(), "duplicate-list-7-after.png");
      }
      window.UndoLastStep();
      EXPECT_EQ(WorkFileText(table), loaded);
      button->click();
      EXPECT_EQ(WorkFileText(table), invalidated);
    }
    window.ArrangeMultipliers();
    PrintSettingsWindow print(frame, run.dialogs, window.session(), &window);
    PrintSettings settings = print.Settings();
    settings.filesOnly = true;
    print.SetSettings(settings);
    ASSERT_TRUE(print.StartPrinting());
    ASSERT_TRUE(print.LastPass().Succeeded()) << bands[b].toStdString();
  }
  ASSERT_EQ(run.demo.Batch({"summary"}).exitCode, 0);
  const QString elog = U8s("JA1ZTR_JARL/2025_ZOTRAデモコンテスト.txt");
  ASSERT_TRUE(run.demo.folder().Exists(elog));
  EXPECT_EQ(run.demo.folder().ReadBytes(elog), batch.folder().ReadBytes(elog));
}
