// The selection into "zotra.wk2", the saved copies and rebuilding from them,
// and the bands offered by the definition.
#include "CheckFixture.h"
#include "check/CheckDefinition.h"
#include "check/WorkFiles.h"

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

TEST(Selection, OneBandIntoTheSecondWorkFileReportFirst) {
  CheckFolder f;
  f.Extract({
      Wk1("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC", "13M", "599", "10M", "599", "JA1"),
      Wk1("2", "3.5", "CW", "2024/06/01", "21:06", "JH1XYZ"),
      // No reports asked for: the numbers alone, without a blank.
      Wk1("3", "7", "SSB", "2024/06/01", "21:07", "KH0/JA1ABC", "13M", "", "10M", "", "", U("東京都")),
      Wk1("4", "7", "CW", "2024/06/01", "21:08", "JR1AAA/1", "", "599", "", "579", "", ""),
  });
  const SelectionResult r = SelectQsos(f.Folder(), "7");
  EXPECT_TRUE(r.found);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(r.read, 4);
  EXPECT_EQ(r.selected, 3);
  EXPECT_EQ(f.Bytes("zotra.wk2"),
            Cp932Lines({
                "\"7\"",
                "\"1\",\"7\",\"CW\",\"2024/06/01\",\"21:05\",\"JA1ABC\",\"599 13M\",\"599 10M\",\"JA1\",\"\",\"\",\"1\",\"\",\"\"",
                U("\"3\",\"7\",\"SSB\",\"2024/06/01\",\"21:07\",\"KH0/JA1ABC\",\"13M\",\"10M\",\"\",\"\",\"\",\"1\",\"\",\"東京都\""),
                "\"4\",\"7\",\"CW\",\"2024/06/01\",\"21:08\",\"JR1AAA/1\",\"599\",\"579\",\"\",\"\",\"\",\"1\",\"\",\"\"",
            }));
}

TEST(Selection, AllCopiesEveryLineAnUnusedBandOnlyTheSelection) {
  CheckFolder f;
  f.Extract({Wk1("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC"), "",
             Wk1("2", "10125", "CW", "2024/06/01", "21:06", "JH1XYZ")});
  SelectionResult r = SelectQsos(f.Folder(), "ALL");
  EXPECT_EQ(r.read, 2);
  EXPECT_EQ(r.selected, 2);
  EXPECT_EQ(f.Bytes("zotra.wk2"),
            Cp932Lines({"\"ALL\"",
                        "\"1\",\"7\",\"CW\",\"2024/06/01\",\"21:05\",\"JA1ABC\",\"599 13M\",\"599 10M\",\"JA1\",\"\",\"\",\"1\",\"\",\"\"",
                        "\"2\",\"10125\",\"CW\",\"2024/06/01\",\"21:06\",\"JH1XYZ\",\"599 13M\",\"599 10M\",\"JA1\",\"\",\"\",\"1\",\"\",\"\""}));

  r = SelectQsos(f.Folder(), "1200");
  EXPECT_EQ(r.read, 2);
  EXPECT_EQ(r.selected, 0);
  EXPECT_EQ(f.Bytes("zotra.wk2"), Cp932Lines({"\"1200\""}));
  EXPECT_EQ(CountSelectionRecords(f.Folder()), 0);

  // The band must match exactly.
  r = SelectQsos(f.Folder(), "7.0");
  EXPECT_EQ(r.selected, 0);
}

TEST(Selection, ANewSelectionDropsTheKeyFilesOfTheOldOne) {
  CheckFolder f;
  f.Extract({Wk1("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC")});
  f.t.WriteCp932("ZOTRA.WK3", "\"3.5\"\r\n");
  f.t.WriteCp932("ZOTRADUP.WK", "5JA1ABC\r\n");
  ASSERT_TRUE(SelectQsos(f.Folder(), "7").written);
  EXPECT_FALSE(f.t.Exists("ZOTRA.WK3"));
  EXPECT_FALSE(f.t.Exists("ZOTRADUP.WK"));
}

TEST(Selection, ExtractFileFoundWhateverItsSpellingAndMissingIsSaid) {
  CheckFolder f;
  EXPECT_FALSE(SelectQsos(f.Folder(), "7").found);
  EXPECT_FALSE(f.t.Exists("zotra.wk2"));
  EXPECT_EQ(CountExtractedQsos(f.Folder()), 0);
  f.Extract({Wk1("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC")}, "ZOTRA.WK1");
  EXPECT_EQ(CountExtractedQsos(f.Folder()), 1);
  EXPECT_EQ(SelectQsos(f.Folder(), "7").selected, 1);
}

// Short lines, missing quotes and surplus fields are read as far as they go;
// every record of "zotra.wk2" keeps its fourteen fields, so the log program
// never reads one record into the next.
TEST(Selection, DamagedLinesKeepFourteenFields) {
  CheckFolder f;
  f.Extract({
      "\"5\",\"7\",\"CW\"",
      "6,7,CW,2024/06/01,21:00,JA1AAA,13M,599,10M,599,\"JA1\",\"\",\"\",\"1\",\"\",\"\"",
      "\"7\",\"7\",\"CW\",\"2024/06/01\",\"21:00\",\"JA1BBB,13M,599",
      "\"8\",\"7\",\"CW\",\"2024/06/01\",\"21:01\",\"JA1CCC\",\"1\",\"599\",\"2\",\"599\",\"a\",\"b\",\"c\",\"1\",\"\",\"n\",\"x\"",
      "\"9\",\"7\",\"CW\",\"2024/06/01\",\"21:02\",\"JA1DDD\",\"1\",\"599\",\"2\",\"599\",",
      "\"10\",\"7\"",
  });
  const SelectionResult r = SelectQsos(f.Folder(), "7");
  EXPECT_EQ(r.read, 6);
  EXPECT_EQ(r.selected, 6);
  EXPECT_EQ(f.Bytes("zotra.wk2"),
            Cp932Lines({
                "\"7\"",
                "\"5\",\"7\",\"CW\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                "\"6\",\"7\",\"CW\",\"2024/06/01\",\"21:00\",\"JA1AAA\",\"599 13M\",\"599 10M\",\"JA1\",\"\",\"\",\"1\",\"\",\"\"",
                "\"7\",\"7\",\"CW\",\"2024/06/01\",\"21:00\",\"JA1BBB,13M,599\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
                "\"8\",\"7\",\"CW\",\"2024/06/01\",\"21:01\",\"JA1CCC\",\"599 1\",\"599 2\",\"a\",\"b\",\"c\",\"1\",\"\",\"n,x\"",
                "\"9\",\"7\",\"CW\",\"2024/06/01\",\"21:02\",\"JA1DDD\",\"599 1\",\"599 2\",\"\",\"\",\"\",\"\",\"\",\"\"",
                "\"10\",\"7\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
            }));
  EXPECT_EQ(SelectionLine("\"5\",\"7\",\"CW\""), "\"5\",\"7\",\"CW\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"");
  EXPECT_EQ(ExtractBand("\"5\",\"7\",\"CW\""), "7");
  EXPECT_EQ(ExtractBand(""), "");
}

TEST(SavedCopy, NamesOfTheSelections) {
  EXPECT_EQ(SavedCopyName("ALL"), "ALL.SVE");
  EXPECT_EQ(SavedCopyName("1.9"), "1.sve");
  EXPECT_EQ(SavedCopyName("3.5"), "3.sve");
  EXPECT_EQ(SavedCopyName("144"), "144.sve");
  EXPECT_EQ(SavedCopyName("10125"), "10125.sve");
  EXPECT_EQ(SavedCopyName("SAT"), "0.sve");
}

TEST(SavedCopy, ByteCopyOfTheSecondWorkFileAndBackWithQuotedRecordNumbers) {
  CheckFolder f;
  EXPECT_FALSE(SaveSelectionCopy(f.Folder()));
  // As the log program leaves it: a QSO made invalid, one revalidated as 9999.
  const QStringList lines = {Wk2("0", "1.9", "CW", "2024/06/01", "21:05", "JA1ABC"),
                             Wk2("9999", "1.9", "CW", "2024/06/01", "21:06", "JH1XYZ"),
                             Wk2("3", "1.9", "CW", "2024/06/01", "21:07", U("ＪＡ１ＸＸＸ"))};
  f.Selection("1.9", lines);
  const QByteArray wk2 = f.Bytes("zotra.wk2");
  ASSERT_TRUE(SaveSelectionCopy(f.Folder()));
  EXPECT_EQ(f.Bytes("1.sve"), wk2);
  EXPECT_TRUE(SavedCopyAvailable(f.Folder(), "1.9"));
  EXPECT_FALSE(SavedCopyAvailable(f.Folder(), "3.5"));
  EXPECT_FALSE(SavedCopyAvailable(f.Folder(), ""));

  // A bare record number is quoted again; the rest of each line stays.
  f.t.WriteCp932("1.sve", CrLf({"\"1.9\"", "9999,\"1.9\",\"CW\"", lines.at(0), lines.at(2), "42"}));
  f.t.WriteCp932("zotra.wk2", CrLf({"\"7\""}));
  const RebuildResult r = RebuildFromSavedCopy(f.Folder(), "1.9");
  EXPECT_TRUE(r.written);
  EXPECT_EQ(r.records, 4);
  EXPECT_EQ(r.valid, 3);
  EXPECT_EQ(f.Bytes("zotra.wk2"), Cp932Lines({"\"1.9\"", "\"9999\",\"1.9\",\"CW\"", lines.at(0), lines.at(2), "\"42\""}));

  // A copy that holds another selection (both "10" and "10.1" save as
  // "10.sve") is not taken for this one.
  f.Selection("10", {Wk2("1", "10", "CW", "2024/06/01", "21:05", "JA1ABC")}, "10.SVE");
  EXPECT_TRUE(SavedCopyAvailable(f.Folder(), "10"));
  EXPECT_FALSE(SavedCopyAvailable(f.Folder(), "10.1"));
  EXPECT_FALSE(RebuildFromSavedCopy(f.Folder(), "10.1").written);
}

TEST(SavedCopy, AllBandsAndTheSelectionOfAFile) {
  CheckFolder f;
  f.Selection("ALL", {Wk2("1", "7", "CW", "2024/06/01", "21:05", "JA1ABC")}, "ZOTRA.WK2");
  ASSERT_TRUE(SaveSelectionCopy(f.Folder()));
  EXPECT_TRUE(f.t.Exists("ALL.SVE"));
  EXPECT_EQ(SelectionOfFile(f.t.File("ALL.SVE")), std::optional<QString>("ALL"));
  EXPECT_EQ(SelectionOfFile(f.t.File("missing")), std::nullopt);
  f.t.WriteCp932("empty", "\r\n\r\n");
  EXPECT_EQ(SelectionOfFile(f.t.File("empty")), std::nullopt);

  DeleteWorkFiles(f.Folder());
  EXPECT_FALSE(f.t.Exists("ZOTRA.WK2"));
  EXPECT_TRUE(f.t.Exists("ALL.SVE"));
}

TEST(CheckDefinition, BandsInFileOrderWithOneEntryForTheMicrowaveBands) {
  CheckFolder f;
  f.Definition({{"1.9", 1}, {"24000", 2}, {"3.5", 1}, {"14", -1}, {"10125", 1}, {"47000", 1}, {"SAT", 0}, {"7", 3}},
               "JA1ZZZ/1", U("ＡＬＬ ＪＡ１"));
  const CheckDefinition d = ReadCheckDefinition(f.t.File("ZOTRAW.TST"));
  EXPECT_TRUE(d.found);
  EXPECT_EQ(d.bands, (QStringList{"1.9", "10125", "3.5", "SAT", "7"}));
  EXPECT_EQ(d.myCall, "JA1ZZZ/1");
  EXPECT_EQ(d.contestName, U("ＡＬＬ ＪＡ１"));
  EXPECT_EQ(d.year, "2024");

  EXPECT_FALSE(ReadCheckDefinition(f.t.File("none.tst")).found);
  // Keys in any case, as every reader of the definition takes them.
  f.t.WriteCp932("lower.tst", "\"selfreq\",\"7\",1\r\n\"mycall\",\"JA1Q\"\r\n");
  const CheckDefinition lower = ReadCheckDefinition(f.t.File("lower.tst"));
  EXPECT_EQ(lower.bands, QStringList{"7"});
  EXPECT_EQ(lower.myCall, "JA1Q");
}
