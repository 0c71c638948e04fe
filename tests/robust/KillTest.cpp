// A program killed in the middle of writing a file that must not be lost:
// the file holds its previous version byte for byte, never the half-written
// new one, and the next run of the suite reads it as before.
#include "FaultSupport.h"

#include "define/ContestDefinition.h"
#include "summary/OutputFixture.h"

#include <gtest/gtest.h>

namespace zotra::test {
namespace {

void ExpectKilledDuringWrite(const KilledRun& run) {
  EXPECT_TRUE(run.reachedWrite) << run.standardError.toStdString();
  EXPECT_TRUE(run.killed);
}

TEST(KilledDuringWrite, Settings) {
  TempFolder t;
  const QByteArray before = EncodeCp932(CrLf({"[ZOTRAM]", "Cfg=MY.CFG", "MARQEN=/home/op/MARQEN.HDB", "[ZOTRAL]", U("行間=4.6")}));
  t.WriteBytes("ZOTRAW.INI", before);
  ExpectKilledDuringWrite(
      RunAndKillDuringWrite(t, "zotra-batch", {"--folder", t.Path(), "setting", "ZOTRAM", "Cfg", "ZOTRAW.CFG"}, "ZOTRAW.INI"));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.INI"), before);
  // The next program reads the settings as they were.
  RunOptions options;
  t.InstallProgram("zotra-batch");
  EXPECT_EQ(RunProgram(t, "zotra-batch", {"setting", "ZOTRAL", U("行間")}, options).standardOutput, QByteArray("4.6\n"));
}

TEST(KilledDuringWrite, Definition) {
  TempFolder t;
  const QByteArray before = EncodeCp932(DefinitionText(SampleDefinition()));
  t.WriteBytes("ZOTRAW.TST", before);
  ContestDefinition changed = SampleDefinition();
  changed.bands = {{"7", 1}, {"14", 1}, {"21", 1}, {"28", 1}};
  ASSERT_TRUE(WriteDefinition(changed, t.File("in.tst")));
  ExpectKilledDuringWrite(
      RunAndKillDuringWrite(t, "zotra-batch", {"--folder", t.Path(), "definition", "in.tst", "ZOTRAW.TST"}, "ZOTRAW.TST"));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.TST"), before);
}

TEST(KilledDuringWrite, PointsFile) {
  TempFolder t;
  const QByteArray before = EncodeCp932(CrLf({PointsLine("3.5", 10, 5, 0, 0, 10), PointsLine("14", 3, 3, 0, 0, 3)}));
  t.WriteBytes("ZOTRAPOI.DAT", before);
  ExpectKilledDuringWrite(RunAndKillDuringWrite(t, ROBUST_WRITER, {"points", t.Path()}, "ZOTRAPOI.DAT"));
  EXPECT_EQ(t.ReadBytes("ZOTRAPOI.DAT"), before);
}

TEST(KilledDuringWrite, HandCorrectionsWrittenBack) {
  TempFolder t;
  t.WriteCp932("ZOTRAW.INI", CrLf({"[ZOTRAM]", "Tst=ZOTRAW.TST"}));
  ASSERT_TRUE(WriteDefinition(SampleDefinition(), t.File("ZOTRAW.TST")));
  const QByteArray before = EncodeCp932(CrLf(
      {"\"7\"", "\"1\",\"7\",\"CW\",\"2024/06/15\",\"21:00\",\"JA1AAA\",\"599 13M\",\"599 1001M\",\"1001\",\"\",\"\",\"1\",\"\",\"\"",
       "\"2\",\"7\",\"CW\",\"2024/06/15\",\"21:01\",\"JA1BBB\",\"599 13M\",\"599 1001M\",\"1001\",\"\",\"\",\"1\",\"\",\"\""}));
  t.WriteBytes("zotra.wk2", before);
  ExpectKilledDuringWrite(RunAndKillDuringWrite(t, "zotra-batch", {"--folder", t.Path(), "arrange"}, "zotra.wk2"));
  EXPECT_EQ(t.ReadBytes("zotra.wk2"), before);
}

TEST(KilledDuringWrite, ElectronicLog) {
  TempFolder t;
  ASSERT_TRUE(WriteDefinition(SampleDefinition(), t.File("ZOTRAW.TST")));
  t.WriteCp932("ZOTRAPOI.DAT", CrLf({PointsLine("7", 1, 1, 0, 0, 1)}));
  t.WriteCp932("HED.JARL", CrLf(HeaderRecords()));
  t.WriteCp932("7.JARL", CrLf({Qso("15", "21:05", "7", "JA1AAA", "1001M", "1001")}));
  const QByteArray before = EncodeCp932(CrLf({"<SUMMARYSHEET VERSION=R2.1>", "earlier print job"}));
  t.WriteBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt"), before);
  ExpectKilledDuringWrite(RunAndKillDuringWrite(
      t, "zotra-batch", {"--folder", t.Path(), "summary", "--pdf", "sheet.pdf"}, U("2024_ALL JA1 コンテスト.txt")));
  EXPECT_EQ(t.ReadBytes(U("JA1ZLO_JARL/2024_ALL JA1 コンテスト.txt")), before);
}

TEST(KilledDuringWrite, TextLog) {
  TempFolder t;
  ASSERT_TRUE(WriteDefinition(SampleDefinition(), t.File("ZOTRAW.TST")));
  t.WriteCp932("ZOTRAPOI.DAT", CrLf({PointsLine("7", 1, 1, 0, 0, 1)}));
  t.WriteCp932("7.MHz", CrLf({"7 MHz text log"}));
  const QByteArray before = EncodeCp932(CrLf({U("サマリー"), "earlier print job"}));
  t.WriteBytes(U("JA1ZLO/2024_ALL JA1.Txt"), before);
  ExpectKilledDuringWrite(RunAndKillDuringWrite(
      t, "zotra-batch", {"--folder", t.Path(), "summary", "--pdf", "sheet.pdf"}, U("2024_ALL JA1.Txt")));
  EXPECT_EQ(t.ReadBytes(U("JA1ZLO/2024_ALL JA1.Txt")), before);
}

TEST(KilledDuringWrite, CategoryAndContestNameFiles) {
  TempFolder t;
  const QByteArray categories = EncodeCp932(CrLf({"\"TYPE-2\"", U("\"SOSV\",\"電信電話部門\",\"シルバー\",\"\",\"\"")}));
  const QByteArray names = EncodeCp932(CrLf({U("ALL JA1 コンテスト,R2")}));
  t.WriteBytes("ZOTRAW.COD", categories);
  t.WriteBytes("C_NAME.TXT", names);
  ExpectKilledDuringWrite(RunAndKillDuringWrite(t, ROBUST_WRITER, {"categories", t.Path()}, "ZOTRAW.COD"));
  ExpectKilledDuringWrite(RunAndKillDuringWrite(t, ROBUST_WRITER, {"contest-names", t.Path()}, "C_NAME.TXT"));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.COD"), categories);
  EXPECT_EQ(t.ReadBytes("C_NAME.TXT"), names);
}

}  // namespace
}  // namespace zotra::test
