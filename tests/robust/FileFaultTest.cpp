// Every writer of a file the user cannot afford to lose, made to fail in the
// middle of its write (half the bytes written, then a full disk): the writer
// says so, names the file, leaves the previous version byte for byte and
// leaves no temporary file behind.
#include "FaultSupport.h"

#include "check/WorkFiles.h"
#include "common/Files.h"
#include "common/Settings.h"
#include "define/CategoryData.h"
#include "define/ContestDefinition.h"
#include "define/DefinitionSave.h"
#include "summary/OutputFixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// Makes the dialogs the current ones for the frame's own messages.
class CurrentRecordedDialogs : public RecordedDialogs {
 public:
  CurrentRecordedDialogs() { SetCurrentDialogs(this); }
  ~CurrentRecordedDialogs() override { SetCurrentDialogs(nullptr); }
};

TEST(SettingsFault, FailedWriteKeepsTheFileAndIsToldOnce) {
  TempFolder t;
  const QByteArray before = OldVersion("[ZOTRAM]\nCfg=ZOTRAW.CFG\n[ZOTRAL]\n行間=5.0");
  t.WriteBytes("ZOTRAW.INI", before);
  CurrentRecordedDialogs dialogs;
  const Settings settings(t.Path(), Program::Log);
  {
    ScopedWriteFault fault("zotraw.ini");
    EXPECT_FALSE(settings.WriteSetting(U("行間"), "4.6"));
    EXPECT_FALSE(settings.WriteSetting("Form1Top", "120"));  // a program saves several keys on closing
  }
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), before);
  EXPECT_EQ(dialogs.Texts(), QStringList{U("設定ファイル ") + Native(t.File("ZOTRAW.INI")) +
                                         U(" に書き込めません\n以前の設定はそのまま残っています")});
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "ZOTRAW.INI").isEmpty());
  // Once the disk has room again, the key is written and the rest kept.
  EXPECT_TRUE(settings.WriteSetting(U("行間"), "4.6"));
  EXPECT_EQ(t.ReadCp932("ZOTRAW.INI"), CrLf({"[ZOTRAM]", "Cfg=ZOTRAW.CFG", "[ZOTRAL]", U("行間=4.6")}));
}

TEST(SettingsFault, UnreadableFileIsNotReplacedByOneKey) {
  TempFolder t;
  const QByteArray before = OldVersion("[ZOTRAM]\nCfg=ZOTRAW.CFG\nMARQEN=C:\\MARQEN\\MARQEN.HDB");
  t.WriteBytes("ZOTRAW.INI", before);
  qputenv("ZOTRA_READ_FAULT", "ZOTRAW.INI");
  EXPECT_FALSE(WriteProfileString(t.File("ZOTRAW.INI"), "ZOTRAM", "Ver", "7.3"));
  qunsetenv("ZOTRA_READ_FAULT");
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), before);
}

TEST(DefinitionFault, FailedSaveKeepsTheDefinitionAndTheSetting) {
  TempFolder t;
  const QByteArray definition = EncodeCp932(DefinitionText(SampleDefinition()));
  const QByteArray settings = OldVersion("[ZOTRAM]\nTst=OLD.TST");
  t.WriteBytes("ZOTRAW.TST", definition);
  t.WriteBytes("ZOTRAW.INI", settings);
  const Frame frame(Program::Define, t.Path(), "/ZOTRAW.CFG");
  RecordedDialogs dialogs;
  ContestDefinition changed = SampleDefinition();
  changed.contestName = U("6m AND DOWN コンテスト");
  {
    ScopedWriteFault fault("ZOTRAW.TST");
    EXPECT_FALSE(WriteDefinitionFiles(frame, changed, dialogs));
  }
  EXPECT_EQ(t.ReadBytes("ZOTRAW.TST"), definition);
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), settings);  // the setting names the file only once it is there
  EXPECT_EQ(dialogs.Texts(), QStringList{U("コンテスト定義ファイル ") + t.File("ZOTRAW.TST") +
                                         U(" に書き込めません\nフォルダが書き込み禁止になっていないか ディスクに空きがあるか確認してください")});
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "ZOTRAW.TST").isEmpty());
}

TEST(DefinitionFault, PointsFileThatCannotBeEmptiedIsToldAndKept) {
  TempFolder t;
  const QByteArray points = OldVersion("\"7\",\" 120\",\" 25\",\" 0\",\" 0\",\" 240\"");
  t.WriteBytes("ZOTRAPOI.DAT", points);
  t.WriteBytes("7.sve", "\"7\"\r\n");
  {
    ScopedWriteFault fault("ZOTRAPOI.DAT");
    EXPECT_FALSE(ClearAfterSave(t.Path(), true));
  }
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), points);
  EXPECT_FALSE(t.Exists("7.sve"));
  EXPECT_EQ(PointsNotClearedMessage(t.File("ZOTRAPOI.DAT")),
            U("得点ファイル ") + Native(t.File("ZOTRAPOI.DAT")) +
                U(" を空にできませんでした\n前の得点が残っているので 集計の前に確認してください"));
  EXPECT_TRUE(ClearAfterSave(t.Path(), true));
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), QByteArray());
}

// The finished electronic log and text log of an earlier print job, and the
// files of a new one that cannot be written.
TEST(FinishedFilesFault, FailedWritesKeepTheEarlierFilesAndAreNotTakenForDone) {
  OutputFolder f;
  f.Lines("HED.JARL", HeaderRecords());
  f.Lines("7.JARL", {Qso("15", "21:05", "7", "JA1AAA", "1001M", "1001")});
  f.Lines("7.MHz", {"7 MHz text log"});
  f.Points({PointsLine("7", 1, 1, 0, 0, 1)});
  const QByteArray oldLog = OldVersion("<SUMMARYSHEET VERSION=R2.1>\nearlier print job");
  const QByteArray oldText = OldVersion("サマリー\nearlier print job");
  f.t.WriteBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"), oldLog);
  f.t.WriteBytes(U("JA1ZLO/2024_ALL JA1.Txt"), oldText);
  OutputResult result;
  {
    ScopedWriteFault fault("2024_*");
    result = RunOutputsAfterPrinting(f.Context());
  }
  EXPECT_EQ(result.electronicLogVersion, 2);
  EXPECT_TRUE(result.electronicLogPath.isEmpty());
  EXPECT_TRUE(result.textSummaryPath.isEmpty());
  EXPECT_EQ(f.ElectronicLog(), oldLog);
  EXPECT_EQ(f.TextLog(), oldText);
  EXPECT_EQ(f.dialogs.Texts(),
            (QStringList{U("ファイル ") + Native(f.t.File(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"))) + U(" に書き込めません"),
                         U("ファイル ") + Native(f.t.File(U("JA1ZLO/2024_ALL JA1.Txt"))) + U(" に書き込めません")}));
  EXPECT_EQ(f.t.Entries(), (QStringList{"7.JARL", "7.MHz", "HED.JARL", "JA1ZLO", "JA1ZLO_JARL", "ZOTRAPOI.DAT",
                                        "ZOTRAW.CFG", "ZOTRAW.INI", "ZOTRAW.TST"}));
  EXPECT_EQ(QDir(f.t.File("JA1ZLO_JARL")).entryList(QDir::Files), QStringList{U("2024_ALL JA1 コンテスト.txt")});
}

TEST(CategoryFault, FailedSavesKeepTheOperatorsFiles) {
  TempFolder t;
  const QByteArray categories = OldVersion("\"TYPE-2\"\n\"SOSV\",\"電信電話部門\",\"シルバー\",\"\",\"\"");
  const QByteArray names = OldVersion("ALL JA1 コンテスト,R2\n6m AND DOWN コンテスト,R2");
  t.WriteBytes("ZOTRAW.COD", categories);
  t.WriteBytes("ZOTCOD.BSE", categories);
  t.WriteBytes("C_NAME.TXT", names);
  RecordedDialogs dialogs;
  {
    ScopedWriteFault fault("ZOTRAW.COD,C_NAME.TXT");
    EXPECT_FALSE(WriteCategoryRows(t.File("ZOTRAW.COD"), {{"XMAH", U("電信電話部門"), U("マルチオペ"), "", ""}}));
    EXPECT_FALSE(WriteContestNames(t.File("C_NAME.TXT"), {{U("ALL JA8 コンテスト"), "R1"}}));
    EXPECT_FALSE(EnsureCategoryFile(t.Path(), "COPY", dialogs));
  }
  EXPECT_EQ(t.ReadBytes("ZOTRAW.COD"), categories);
  EXPECT_EQ(t.ReadBytes("C_NAME.TXT"), names);
  EXPECT_EQ(dialogs.Texts(), QStringList{U("参加部門ファイル ") + t.File("ZOTRAW.COD") + U(" に書き込めません")});
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "ZOTRAW.COD").isEmpty());
  EXPECT_TRUE(LeftoverTemporaryFiles(t, "C_NAME.TXT").isEmpty());
}

// A plain work file (recreated by each run of its writer) is written in place:
// the failure is reported, what was written is what stands.
TEST(WorkFileFault, SelectionThatCannotBeWrittenIsReported) {
  TempFolder t;
  t.WriteBytes("zotra.wk1", "\"1\",\"7\",\"CW\",\"2024/06/15\",\"21:00\",\"JA1AAA\",\"13M\",\"599\",\"1001M\",\"599\",\"1001\",\"\",\"\",\"1\",\"\",\"\"\r\n");
  ScopedWriteFault fault("zotra.wk2");
  const SelectionResult result = SelectQsos(t.Path(), "ALL");
  EXPECT_TRUE(result.found);
  EXPECT_FALSE(result.written);
}

}  // namespace
}  // namespace zotra::test
