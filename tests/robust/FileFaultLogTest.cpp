// The log program's writers of files that must not be lost, made to fail in
// the middle of their write: the points file and the QSO table written back
// with the operator's corrections (kept apart from FileFaultTest.cpp because
// the log program's headers name their files as the totals program's do).
#include "FaultSupport.h"

#include "log/LogSession.h"
#include "log/QsoTable.h"
#include "log/Scoring.h"
#include "summary/SummaryFixture.h"

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

class PointsFault : public ::testing::Test {
 protected:
  PointsFault() {
    definition.multiKinds = {"Jcc", "", ""};
    totals.qsos = 120;
    totals.multipliers = {25, 0, 0};
    totals.points = 240;
    t.WriteBytes("ZOTRAPOI.DAT", before);
  }
  PointsFileOutcome Update() {
    return UpdatePointsFile(t.File("ZOTRAPOI.DAT"), "7", totals, definition, true, dialogs);
  }

  TempFolder t;
  const QByteArray before = OldVersion("\"3.5\",\" 10\",\" 5\",\" 0\",\" 0\",\" 10\"\n\"14\",\" 3\",\" 3\",\" 0\",\" 0\",\" 3\"");
  LogDefinition definition;
  OutputTotals totals;
  RecordedDialogs dialogs;
};

TEST_F(PointsFault, FailedWriteKeepsEveryBand) {
  {
    ScopedWriteFault fault("zotrapoi.dat");
    EXPECT_EQ(Update(), PointsFileOutcome::Failed);
  }
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), before);
  EXPECT_EQ(dialogs.Texts(), QStringList{U("得点ファイル ") + t.File("ZOTRAPOI.DAT") + U(" に書き込めません")});
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "ZOTRAPOI.DAT").isEmpty());
}

TEST_F(PointsFault, UnreadableFileIsNotOverwritten) {
  qputenv("ZOTRA_READ_FAULT", "ZOTRAPOI.DAT");
  EXPECT_EQ(Update(), PointsFileOutcome::Failed);
  qunsetenv("ZOTRA_READ_FAULT");
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), before);
  EXPECT_EQ(dialogs.Texts(), QStringList{U("得点ファイル ") + t.File("ZOTRAPOI.DAT") +
                                         U(" を読めません\n他のバンドの記録を消さないよう 書き込みませんでした")});
  // Readable again, the band is added in front of the others.
  EXPECT_EQ(Update(), PointsFileOutcome::Written);
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), OldVersion("\"7\",\" 120\",\" 25\",\" 0\",\" 0\",\" 240\"\n"
                                                    "\"3.5\",\" 10\",\" 5\",\" 0\",\" 0\",\" 10\"\n"
                                                    "\"14\",\" 3\",\" 3\",\" 0\",\" 0\",\" 3\""));
}

TEST(WorkFileFault, HandCorrectionsWrittenBackKeepTheOldFileWhenTheWriteFails) {
  TempFolder t;
  const QByteArray before =
      OldVersion("\"7\"\n\"1\",\"7\",\"CW\",\"2024/06/15\",\"21:00\",\"JA1AAA\",\"599 13M\",\"599 1001M\",\"1001\",\"\",\"\",\"1\",\"\",\"\"");
  t.WriteBytes("zotra.wk2", before);
  QsoTable table;
  ReadWorkFile(t.File("zotra.wk2"), &table);
  table.SetCell(1, col::kMulti1, "1002");
  {
    ScopedWriteFault fault("zotra.wk2");
    EXPECT_FALSE(WriteWorkFile(t.File("zotra.wk2"), table));
  }
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), before);
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "zotra.wk2").isEmpty());
}

}  // namespace
}  // namespace zotra::test
