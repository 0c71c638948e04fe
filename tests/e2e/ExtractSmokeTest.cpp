// The extraction's window on the demo folder, as the menu starts it: with the
// area codes brought to prefecture level (Hokkaido by subprefecture) a run
// keeps the contest's 3,059 QSOs, exactly the file zotra-batch extract writes.
#include "WindowSmoke.h"

#include "common/Frame.h"
#include "extract/ExtractWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

using namespace zotra;
using namespace zotra::test;

TEST(DemoWindows, ExtractionRunsOverTheDemoLogbook) {
  SmokeRun run;
  Frame frame(Program::Extract, run.demo.Path(), kFromMenu);
  std::unique_ptr<ExtractWindow> window =
      OpenExtractWindow(frame, run.dialogs, frame.Path("MY.CFG"), frame.Path("ZOTRAW.TST"));
  ASSERT_NE(window, nullptr);
  window->show();
  EXPECT_EQ(Child<QLabel>(*window, "Label5")->text(), run.demo.File("logbook/MARQEN.HDB"));
  Child<QCheckBox>(*window, "Check3")->setChecked(true);
  Child<QRadioButton>(*window, "Option3_0")->click();
  Child<QRadioButton>(*window, "Option2")->click();
  const ExtractResult result = window->Run();
  EXPECT_EQ(result.status, ExtractResult::Status::Finished);
  // The last kept QSO: 7 MHz at the contest's last minute.
  EXPECT_EQ(Child<QLabel>(*window, "Label4")->text(), "3059");
  EXPECT_EQ(Child<QLabel>(*window, "Label3")->text(), "JK2BRV");
  EXPECT_EQ(Child<QLabel>(*window, "Label2")->text(), "2025/06/15 20:59");
  // The Ogasawara station, worked on four bands, asked each time; then the
  // account of every record of the logbook.
  ASSERT_EQ(run.dialogs.Records().size(), 5);
  EXPECT_EQ(DialogFields(run.dialogs.Records().last()).at(2),
            U8s("取り込んだ交信 3059 件\n\n取り込まなかった記録\n期間外 1282 件\n"
              "　コンテストの期間 2025/06/14 21:00 〜 2025/06/15 20:59 (JST)\n　ログにある交信 2025/01/04 〜 2025/06/29\n"
              "参加バンド外 2 件\n参加モード外 12 件\n無効交信 1 件"));
  SaveShot(*window, "extract.png");
  ExpectOwnHelpOnF1(*window, "zotrah");

  const QByteArray fromWindow = run.demo.folder().ReadBytes("zotra.wk1");
  run.Extract();
  EXPECT_EQ(run.demo.folder().ReadBytes("zotra.wk1"), fromWindow);
}
