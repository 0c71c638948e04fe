// The host logbook as the extraction opens and reads it: both generations,
// every existence check and message, bad databases.
#include "extract/Logbook.h"
#include "hostlog/SampleLogbook.h"

#include "common/Dialogs.h"

#include <QDir>

using namespace zotra;
using namespace zotra::test;

namespace {

// A logbook folder (database and marqen50.dll) and a program folder
// (mqdll2vb.dll), as the extraction finds them.
class LogbookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CopyBuilt(program_, "mqdll2vb.dll");
    CopyBuilt(logbook_, "marqen50.dll");
  }
  QString Hdb() { return logbook_.File("MARQEN.HDB"); }
  QStringList Messages() {
    QStringList out;
    for (const QString& r : dialogs_.Records()) {
      const QStringList f = DialogFields(r);
      out << (f.at(1) == "ZOTRAH" ? f.at(2) : f.at(1) + ": " + f.at(2));
    }
    return out;
  }

  TempFolder program_;
  TempFolder logbook_;
  ScriptedDialogs dialogs_{{}, {}};
  Logbook book_{dialogs_};

 public:
  LogbookTest() { dialogs_.SetDefaultTitle("ZOTRAH"); }
};

}  // namespace

TEST(LogbookMode, TheLastThreeCharactersDecide) {
  EXPECT_EQ(ModeOfPath("/c/marqen/MARQEN.HDB"), LogbookMode::New);
  EXPECT_EQ(ModeOfPath("/c/marqen/marqen.hdb"), LogbookMode::New);
  EXPECT_EQ(ModeOfPath("/c/marqen/MARQEN.DBS"), LogbookMode::Old);
  EXPECT_EQ(ModeOfPath("/c/marqen/HDB/MARQEN"), LogbookMode::Old);
  EXPECT_EQ(ModeOfPath("NON"), LogbookMode::Old);
}

TEST(LogbookMode, StartUpChecksOfTheTwoLocations) {
  TempFolder t;
  t.WriteBytes("MARQEN.HDB", "x");
  t.WriteBytes("MARQEN.MST", "x");
  ScriptedDialogs d({}, {});
  EXPECT_TRUE(CheckLogbookLocations(t.File("marqen.hdb"), t.File("MARQEN.MST"), d));
  EXPECT_FALSE(CheckLogbookLocations("NON", t.File("MARQEN.MST"), d));
  EXPECT_FALSE(CheckLogbookLocations(t.File("MARQEN.HDB"), t.File("NONE.MST"), d));
  ASSERT_EQ(d.Records().size(), 2);
  EXPECT_EQ(DialogFields(d.Records().at(0)).at(2), U8("Marqen.DBS が見つかりません\nNON"));
  EXPECT_EQ(DialogFields(d.Records().at(1)).at(2), U8("Marqen.Mst が見つかりません\n") + t.File("NONE.MST"));
}

TEST_F(LogbookTest, TheCurrentGenerationReadsEveryFieldThroughTheLibraries) {
  const auto entries = SampleEntries();
  WriteHdb(Hdb(), entries);
  ASSERT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Opened);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join("|").toStdString();
  EXPECT_EQ(book_.Mode(), LogbookMode::New);
  ASSERT_EQ(book_.RecordCount(), 5);
  QsoRecord r;
  for (int n = 5; n >= 1; --n) {
    ASSERT_TRUE(book_.Read(n, &r));
    EXPECT_EQ(r.number, n);
    EXPECT_EQ(Texts(r), Texts(entries.at(n - 1))) << n;
  }
  EXPECT_FALSE(book_.Read(0, &r));
  EXPECT_FALSE(book_.Read(6, &r));
  // Bands through FreqPCheck.
  EXPECT_EQ(book_.BandOfFrequency("7.025", 1).band, "7");
  EXPECT_EQ(book_.BandOfFrequency("S145.965", 3).band, "SAT");
  EXPECT_EQ(book_.BandOfFrequency("1294.300", 3).band, "1200");
  const FrequencyBand microwave = book_.BandOfFrequency("10240.050", 4);
  EXPECT_EQ(microwave.band, "");
  EXPECT_TRUE(microwave.unknownCode);
  EXPECT_FALSE(book_.BandOfFrequency("50.530", 5).unknownCode);
  book_.Close();
  EXPECT_EQ(book_.RecordCount(), 0);
  EXPECT_FALSE(book_.Read(1, &r));
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LogbookTest, TheLibrariesAreLoadedFromTheirFoldersByFullPath) {
  WriteHdb(Hdb(), SampleEntries());
  // The copy beside the database is used: a broken one there is not replaced
  // by the good one in the program folder.
  CopyBuilt(program_, "marqen50.dll");
  logbook_.WriteBytes("marqen50.dll", "not a library");
  EXPECT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Fatal);
  EXPECT_EQ(Messages(), QStringList{logbook_.File("marqen50.dll") + U8("\nを読み込めないので実行出来ません")});
}

TEST_F(LogbookTest, AMissingLibraryEndsTheProgramWithItsFullPath) {
  WriteHdb(Hdb(), SampleEntries());
  QFile::remove(logbook_.File("marqen50.dll"));
  EXPECT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Fatal);
  QFile::remove(program_.File("mqdll2vb.dll"));
  EXPECT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Fatal);
  CopyBuilt(logbook_, "marqen50.dll");
  EXPECT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Fatal);
  EXPECT_EQ(Messages(), (QStringList{
                            logbook_.File("marqen50.dll") + U8("\nが見つからないので実行出来ません"),
                            logbook_.File("marqen50.dll") + U8("\nが見つからないので実行出来ません"),
                            program_.File("mqdll2vb.dll") + U8("\nが見つからないので実行出来ません"),
                            program_.File("mqdll2vb.dll") + U8("\nが見つからないので実行出来ません"),
                        }));
  EXPECT_EQ(book_.RecordCount(), 0);
}

TEST_F(LogbookTest, TheLibraryNamesAreFoundWithoutRegardToCase) {
  WriteHdb(Hdb(), SampleEntries());
  QFile::rename(logbook_.File("marqen50.dll"), logbook_.File("Marqen50.DLL"));
  EXPECT_EQ(book_.Open(logbook_.File("MARQEN.hdb"), program_.Path()), Logbook::OpenResult::Opened);
  EXPECT_EQ(book_.RecordCount(), 5);
}

TEST_F(LogbookTest, AMissingDatabaseEndsTheProgram) {
  EXPECT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Fatal);
  EXPECT_EQ(Messages(), QStringList{U8("MARQEN データベースが見つかりません\n他のプログラムが使用中ではないでしょうか？\n"
                                       "ZOTRA は異常終了します")});
}

TEST_F(LogbookTest, AFailingOpenIsToldAndGivesNoQso) {
  logbook_.WriteBytes("MARQEN.HDB", QByteArray("NOTAHDB!\x05\x00\x00", 11) + QByteArray(400, 'Q'));
  EXPECT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Failed);
  EXPECT_EQ(Messages(), QStringList{U8("MARQEN Open 失敗")});
  EXPECT_FALSE(book_.IsOpen());
  EXPECT_EQ(book_.RecordCount(), 0);
  QsoRecord r;
  EXPECT_FALSE(book_.Read(1, &r));
  // A file too short for its header is told as such.
  logbook_.WriteBytes("MARQEN.HDB", "MQHDB5");
  EXPECT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Failed);
  EXPECT_EQ(Messages().last(), U8("MARQEN データベースの先頭 16 バイトが読めません\n") + Hdb());
}

TEST_F(LogbookTest, ADatabaseCutShortReadsTheRecordsItHolds) {
  WriteHdb(Hdb(), SampleEntries());
  Truncate(Hdb(), 16 + 3 * 336 + 10);
  ASSERT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Opened);
  EXPECT_EQ(Messages(), QStringList{U8("MARQEN データベースが途中で切れています\n%1\n"
                                       "見出しの件数 5 件のうち、読める 3 件を読みます")
                                        .arg(Hdb())});
  EXPECT_EQ(book_.RecordCount(), 3);
  QsoRecord r;
  ASSERT_TRUE(book_.Read(3, &r));
  EXPECT_EQ(r[QsoField::CallSign], "JR1YZD");
}

TEST_F(LogbookTest, DamagedRecordsAreSkippedToldOnceAndCounted) {
  WriteHdb(Hdb(), SampleEntries());
  Patch(Hdb(), 16 + 1 * 336, QByteArray(336, '\x00'));
  Patch(Hdb(), 16 + 3 * 336, QByteArray(336, '\xFF'));
  ASSERT_EQ(book_.Open(Hdb(), program_.Path()), Logbook::OpenResult::Opened);
  QsoRecord r;
  QStringList calls;
  for (int n = 1; n <= book_.RecordCount(); ++n) {
    if (book_.Read(n, &r)) calls << r[QsoField::CallSign];
  }
  EXPECT_FALSE(book_.Read(2, &r));  // read again: not told again
  EXPECT_EQ(calls, (QStringList{"JA1ABC", "JR1YZD", "7K4QXS"}));
  EXPECT_EQ(Messages(), QStringList{U8("交信番号 2 のデータが壊れています\nこの交信は読み飛ばします")});
  book_.Close();
  EXPECT_EQ(Messages().last(), U8("壊れているデータが全部で 2 件ありました\n読めたデータだけを使いました"));
}

TEST_F(LogbookTest, APathTheLibraryCannotTakeIsToldAsAFailingOpen) {
  const QString deep = logbook_.File(QString(70, QChar(u'長')) + "/" + QString(70, QChar(u'長')));
  ASSERT_TRUE(QDir().mkpath(deep));
  const QString path = deep + "/MARQEN.HDB";
  WriteHdb(path, SampleEntries());
  QFile::copy(BuiltProgram("marqen50.dll"), deep + "/marqen50.dll");
  EXPECT_EQ(book_.Open(path, program_.Path()), Logbook::OpenResult::Failed);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages().first().startsWith(U8("MARQEN Open 失敗\nデータベースのパスは CP932 で 255 バイトまでです")));
}

// ---- the Ver4 generation ---------------------------------------------------------------

TEST_F(LogbookTest, TheVer4GenerationIsAnnouncedAndReadFromItsFiles) {
  WriteVer4(logbook_.File("MARQEN."), SampleEntries());
  const QString dbs = logbook_.File("MARQEN.DBS");
  ASSERT_EQ(book_.Open(dbs, program_.Path()), Logbook::OpenResult::Opened);
  EXPECT_EQ(Messages(), QStringList{U8("MARQEN Ver4.x モードで動作します")});
  EXPECT_EQ(book_.Mode(), LogbookMode::Old);
  EXPECT_EQ(book_.DatabaseLabel(), dbs);
  EXPECT_FALSE(book_.DatabaseLabelWarning());
  ASSERT_EQ(book_.RecordCount(), 5);
  QsoRecord r;
  ASSERT_TRUE(book_.Read(2, &r));
  EXPECT_EQ(r[QsoField::CallSign], "JA8ZUT/1");
  EXPECT_EQ(r[QsoField::Name], U8("ﾀﾛｳ"));
  EXPECT_EQ(r[QsoField::Qth], U8("港区 芝公園"));
  // Bands by the prefix rules; 10 GHz and up by the centimetre table, as in
  // the current generation; a text no rule places is told.
  EXPECT_EQ(book_.BandOfFrequency("145.030", 2).band, "144");
  EXPECT_TRUE(book_.BandOfFrequency("10240.050", 4).unknownCode);
  EXPECT_EQ(book_.BandOfFrequency("S145.965", 3).band, "SAT");
  EXPECT_EQ(book_.BandOfFrequency("99.999", 3).band, "");
  EXPECT_EQ(Messages().last(), U8("99.999\n交信番号 3 の交信周波数は 無効です"));
  book_.Close();
  // Each run announces the mode again.
  ASSERT_EQ(book_.Open(dbs, program_.Path()), Logbook::OpenResult::Opened);
  EXPECT_EQ(Messages().last(), U8("MARQEN Ver4.x モードで動作します"));
}

TEST_F(LogbookTest, Ver4FilesAreFoundFromAPathWithoutTheirName) {
  // A path whose last three characters dropped leave no "." names the folder:
  // the files are MARQEN.DBS and MARQEN.DBR in it.
  WriteVer4(logbook_.File("MARQEN."), SampleEntries());
  ASSERT_EQ(book_.Open(logbook_.Path() + "/DBS", program_.Path()), Logbook::OpenResult::Opened);
  EXPECT_EQ(book_.DatabaseLabel(), logbook_.Path() + "//MARQEN.DBS");
  EXPECT_EQ(book_.RecordCount(), 5);
}

TEST_F(LogbookTest, MissingVer4FilesAreToldUnderMarqenOpen) {
  const QString base = logbook_.File("MARQEN.");
  EXPECT_EQ(book_.Open(base + "DBS", program_.Path()), Logbook::OpenResult::Failed);
  EXPECT_TRUE(book_.DatabaseLabelWarning());
  EXPECT_EQ(book_.DatabaseLabel(), base + "DBS");
  logbook_.WriteBytes("MARQEN.DBS", "x");
  EXPECT_EQ(book_.Open(base + "DBS", program_.Path()), Logbook::OpenResult::Failed);
  EXPECT_EQ(book_.RecordCount(), 0);
  EXPECT_EQ(Messages(), (QStringList{
                            U8("MARQEN Ver4.x モードで動作します"),
                            "MarqenOpen: " + base + U8("DBS  が　見つかりません\nMARQEN が動いている場合は終了させてください"),
                            U8("MARQEN Ver4.x モードで動作します"),
                            "MarqenOpen: " + base + U8("DBR  が　見つかりません\nMARQEN が動いている場合は終了させてください"),
                        }));
}

TEST_F(LogbookTest, Ver4DamageAndAnUnreadableFrequencyAreTold) {
  WriteVer4(logbook_.File("MARQEN."), SampleEntries());
  const QString dbs = logbook_.File("MARQEN.DBS");
  Patch(dbs, 16 + 22, QByteArray("7.0\x01\xFF    ", 9));     // record 1: frequency spoiled
  Patch(dbs, 16 + 58 + 13, QByteArray(1, char(24)));        // record 2: hour 24
  Patch(dbs, 16 + 3 * 58 + 13, QByteArray(1, char(99)));    // record 4: hour 99
  Truncate(dbs, 16 + 4 * 58);                               // record 5 gone
  ASSERT_EQ(book_.Open(dbs, program_.Path()), Logbook::OpenResult::Opened);
  EXPECT_EQ(book_.RecordCount(), 4);
  QsoRecord r;
  ASSERT_TRUE(book_.Read(1, &r));
  EXPECT_EQ(r[QsoField::Frequency], "7");
  ASSERT_TRUE(book_.Read(1, &r));  // told once per record
  EXPECT_FALSE(book_.Read(2, &r));
  EXPECT_TRUE(book_.Read(3, &r));
  EXPECT_FALSE(book_.Read(4, &r));
  book_.Close();
  EXPECT_EQ(Messages(), (QStringList{
                            U8("MARQEN Ver4.x モードで動作します"),
                            U8("MARQEN データベースが途中で切れています\n%1\n見出しの件数 5 件のうち、読める 4 件を読みます")
                                .arg(dbs),
                            U8("交信番号 1 の交信周波数が変です\n7 MHz と判断しました"),
                            U8("交信番号 2 のデータが壊れています\nこの交信は読み飛ばします"),
                            U8("壊れているデータが全部で 2 件ありました\n読めたデータだけを使いました"),
                        }));
}

TEST_F(LogbookTest, AFileThatIsNoVer4DatabaseIsTold) {
  logbook_.WriteBytes("MARQEN.DBS", QByteArray(200, 'z'));
  logbook_.WriteBytes("MARQEN.DBR", QByteArray(16, '\0'));
  EXPECT_EQ(book_.Open(logbook_.File("MARQEN.DBS"), program_.Path()), Logbook::OpenResult::Failed);
  EXPECT_EQ(Messages().last(),
            "MarqenOpen: " + U8("MARQEN Ver4.x のデータベースとして読めません\n") + logbook_.File("MARQEN.DBS"));
  EXPECT_TRUE(book_.DatabaseLabelWarning());
}

TEST(Ver4Bands, ThePrefixRulesInTheirOrder) {
  const struct {
    const char* text;
    const char* band;
  } cases[] = {
      {"1.9", "1.9"},      {"1.8", "1.9"},      {"3.5", "3.5"},     {"3.79", "3.5"},    {"7.025", "7"},
      {"7", "7"},          {"10.1", "10"},      {"14.025", "14"},   {"18.1", "18"},     {"21.3", "21"},
      {"24", "24"},        {"24.9", "24"},      {"28.5", "28"},     {"29.6", "28"},     {"50.1", "50"},
      {"51", "50"},        {"144.1", "144"},    {"145.0", "144"},   {"146", "14"},      {"430.1", "430"},
      {"435.25", "430"},   {"1295.0", "1200"},  {"2400.1", "2400"}, {"2427", "2400"},   {"5760.1", "5600"},
      {"77500.1", ""},     {"S145.9", "SAT"},   {"", ""},           {"abc", ""},        {"5.3", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Ver4BandOfFrequency(c.text), c.band) << c.text;
  // The point at position 6 (five characters without one): the centimetre table's.
  for (const char* text : {"10240.0", "10240", "24048.1", "47088", "14000"}) {
    bool centimetre = false;
    EXPECT_EQ(Ver4BandOfFrequency(text, &centimetre), "") << text;
    EXPECT_TRUE(centimetre) << text;
  }
}
