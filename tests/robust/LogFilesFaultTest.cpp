// The log program's files that must not be lost besides the points file:
// the band files of the electronic log and the text log ("HED.JARL",
// "HED2.JARL", band + ".JARL", band + ".MHz"), written by the output pass, and
// the printer settings file with every printer's calibration. A write that
// fails, a program killed during the pass: the earlier files stay byte for
// byte, the points file too, and the message names the file.
#include "FaultSupport.h"

#include "common/Dialogs.h"
#include "log/LogTestData.h"
#include "log/PrinterPositions.h"
#include "log/ui/PositionWindow.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

// A folder after an earlier output pass of band 7, ready for the next one.
class EarlierPass {
 public:
  EarlierPass() {
    t.InstallProgram("zotra-batch");
    PrepareLogFolder(t, WorkFile("7", ManyQsos(60)));
    for (const char* name : {"HED.JARL", "HED2.JARL", "7.JARL", "7.MHz"}) {
      const QByteArray bytes = QByteArray("earlier ") + name + "\r\n";
      t.WriteBytes(name, bytes);
      before[name] = bytes;
    }
    before["ZOTRAPOI.DAT"] = OldVersion("\"7\",\" 50\",\" 20\",\" 0\",\" 0\",\" 50\"\n\"3.5\",\" 10\",\" 5\",\" 0\",\" 0\",\" 10\"");
    t.WriteBytes("ZOTRAPOI.DAT", before["ZOTRAPOI.DAT"]);
  }
  // `zotra-batch log --files-only` with the writes of `pattern` failing.
  ProgramResult LogWithFailingWrite(const char* pattern) {
    RunOptions options;
    options.environment = FaultEnvironment(pattern);
    options.timeoutMs = 120000;
    return RunProgram(t, "zotra-batch", {"log", "--files-only"}, options);
  }
  void ExpectEarlierFiles() const {
    for (auto it = before.begin(); it != before.end(); ++it) {
      EXPECT_EQ(t.ReadBytes(it.key()), it.value()) << it.key().toStdString();
    }
    for (const QString& name : t.Entries()) {
      EXPECT_FALSE(name.contains(".JARL.") || name.contains(".MHz.") || name == "TempP.tmp") << name.toStdString();
    }
  }

  TempFolder t;
  QMap<QString, QByteArray> before;
};

TEST(LogFilesFault, BandFileThatCannotBeWrittenStopsThePassBeforeThePointsFile) {
  EarlierPass f;
  const ProgramResult r = f.LogWithFailingWrite("7.JARL");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(DialogTexts(r), QStringList{U("ファイル ") + QDir::toNativeSeparators(f.t.File("7.JARL")) +
                                        U(" に書き込めません\nログの出力を中止しました。前回のログファイルと得点ファイルはそのままです")});
  f.ExpectEarlierFiles();
}

TEST(LogFilesFault, TextLogThatCannotBeWritten) {
  EarlierPass f;
  const ProgramResult r = f.LogWithFailingWrite("7.MHz");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(DialogTexts(r).value(0).startsWith(U("ファイル ") + QDir::toNativeSeparators(f.t.File("7.MHz"))));
  f.ExpectEarlierFiles();
}

TEST(LogFilesFault, KilledDuringThePassLeavesTheEarlierFiles) {
  EarlierPass f;
  const KilledRun run = RunAndKillDuringWrite(f.t, "zotra-batch", {"--folder", f.t.Path(), "log", "--files-only"}, "7.MHz");
  EXPECT_TRUE(run.reachedWrite) << run.standardError.toStdString();
  EXPECT_TRUE(run.killed);
  f.ExpectEarlierFiles();
}

TEST(LogFilesFault, KilledWhileThePointsFileIsWrittenLeavesEveryFile) {
  EarlierPass f;
  const KilledRun run =
      RunAndKillDuringWrite(f.t, "zotra-batch", {"--folder", f.t.Path(), "log", "--files-only"}, "ZOTRAPOI.DAT");
  EXPECT_TRUE(run.reachedWrite);
  EXPECT_TRUE(run.killed);
  f.ExpectEarlierFiles();
}

TEST(LogFilesFault, PointsFileThatCannotBeWrittenKeepsTheBandFilesToo) {
  EarlierPass f;
  const ProgramResult r = f.LogWithFailingWrite("ZOTRAPOI.DAT");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(DialogTexts(r), (QStringList{U("得点ファイル ") + f.t.File("ZOTRAPOI.DAT") + U(" に書き込めません"),
                                         U("得点ファイルを書き込めなかったため、ログファイルも前回のままにしました")}));
  f.ExpectEarlierFiles();
}

class PrinterFileFault : public ::testing::Test {
 protected:
  PrinterFileFault() { t.WriteBytes("ZOTRAPRT.DAT", before); }
  // The position window closed with "設定値を保存します", as the operator
  // leaves it; its table loaded from the folder.
  void SaveInTheWindow() {
    table = PrinterPositionTable::Load(t.Path());
    PositionWindow window(table, dialogs);
    window.Save();
  }
  QStringList Texts() const {
    QStringList texts;
    for (const QString& r : dialogs.Records()) texts << DialogFields(r).value(2);
    return texts;
  }

  TempFolder t;
  const QByteArray before = OldVersion("\"Canon LBP\",1.5,-2.3,1.05\n\"Away\",-1,1,0.95");
  PrinterPositionTable table;
  ScriptedDialogs dialogs{QString(), {}};
};

TEST_F(PrinterFileFault, FailedWriteKeepsEveryCalibration) {
  {
    ScopedWriteFault fault("ZOTRAPRT.DAT");
    SaveInTheWindow();
  }
  EXPECT_EQ(t.ReadBytes("ZOTRAPRT.DAT"), before);
  EXPECT_EQ(Texts(), QStringList{U("プリンタ設定ファイル ") + QDir::toNativeSeparators(t.File("ZOTRAPRT.DAT")) +
                                 U(" に書き込めません")});
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "ZOTRAPRT.DAT").isEmpty());
}

TEST_F(PrinterFileFault, UnreadableFileIsNotReplacedByTheDefaults) {
  qputenv("ZOTRA_READ_FAULT", "ZOTRAPRT.DAT");
  SaveInTheWindow();
  qunsetenv("ZOTRA_READ_FAULT");
  EXPECT_EQ(t.ReadBytes("ZOTRAPRT.DAT"), before);
  EXPECT_EQ(Texts(), QStringList{U("プリンタ設定ファイル ") + QDir::toNativeSeparators(t.File("ZOTRAPRT.DAT")) +
                                 U(" に書き込めません")});
  // Readable again, the window writes the table: the calibrations kept.
  SaveInTheWindow();
  EXPECT_TRUE(t.ReadCp932("ZOTRAPRT.DAT").contains("\"Away\",-1,1,0.95"));
}

}  // namespace
}  // namespace zotra::test
