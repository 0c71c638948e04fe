// The two libraries, loaded by full path and driven through their five
// operations, over databases written by the stand-in's writer.
#include "HostFormat.h"
#include "MarqenApi.h"
#include "extract/HostLibrary.h"
#include "hostlog/SampleLogbook.h"

#include "common/Text.h"

#include <QDir>

using namespace zotra;
using namespace zotra::test;

namespace {

// The libraries of the program folder, bound.
class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QString failed;
    ASSERT_TRUE(lib_.Load(BuiltProgram("marqen50.dll"), BuiltProgram("mqdll2vb.dll"), &failed))
        << failed.toStdString();
  }
  // Field texts of the current record, trimmed, decoded.
  QStringList Fields() {
    QStringList out;
    for (int i = 0; i < 17; ++i) {
      int length = 0;
      const char* bytes = lib_.Field(i, &length);
      out << TrimBlanks(DecodeCp932(QByteArray(bytes, length)));
    }
    return out;
  }
  QByteArray Base(const QString& hdbPath) { return EncodeCp932(hdbPath.left(hdbPath.size() - 4)); }

  TempFolder folder_;
  HostLibrary lib_;
};

}  // namespace

TEST(MarqenApi, TheWorkAreaTheExtractionGivesIsTheOneTheLibrariesAskFor) {
  EXPECT_EQ(HostLibrary::kWorkAreaBytes, static_cast<int>(marqen::kMarqenWorkAreaBytes));
  EXPECT_EQ(HostLibrary::kBufferBytes, marqen::kResultBufferBytes);
}

TEST_F(LibraryTest, EveryFieldTextComesBackUnchanged) {
  const auto entries = SampleEntries();
  const QString path = folder_.File("MARQEN.HDB");
  WriteHdb(path, entries);
  // The header: the count in bytes 8 to 10, the record length in 12 and 13.
  const QByteArray bytes = folder_.ReadBytes("MARQEN.HDB");
  EXPECT_EQ(bytes.left(8), QByteArray("MQHDB500"));
  EXPECT_EQ(bytes.mid(8, 3), QByteArray::fromHex("050000"));
  EXPECT_EQ(bytes.mid(12, 2), QByteArray::fromHex("5001"));
  EXPECT_EQ(bytes.size(), 16 + 5 * 336);

  ASSERT_EQ(lib_.Open(Base(path)), 0);
  // Backwards, as the start-record search reads.
  for (int n = 5; n >= 1; --n) {
    ASSERT_EQ(lib_.Read(n), HostLibrary::kRead) << n;
    EXPECT_EQ(Fields(), Texts(entries.at(n - 1))) << n;
  }
  // A field that fills its width has no NUL and still ends where it should.
  ASSERT_EQ(lib_.Read(5), HostLibrary::kRead);
  int length = 0;
  lib_.Field(12, &length);
  EXPECT_EQ(length, 48);
  lib_.Close();
}

TEST_F(LibraryTest, NothingOpenOrCurrentGivesEmptyTexts) {
  const QString path = folder_.File("MARQEN.HDB");
  WriteHdb(path, SampleEntries());
  int length = -1;
  lib_.Field(1, &length);
  EXPECT_EQ(length, 0);  // not open
  ASSERT_EQ(lib_.Open(Base(path)), 0);
  lib_.Field(1, &length);
  EXPECT_EQ(length, 0);  // open, nothing read yet
  EXPECT_EQ(lib_.Read(0), HostLibrary::kNoSuchRecord);
  EXPECT_EQ(lib_.Read(6), HostLibrary::kNoSuchRecord);
  EXPECT_EQ(lib_.Read(-1), HostLibrary::kNoSuchRecord);
  lib_.Field(1, &length);
  EXPECT_EQ(length, 0);
  ASSERT_EQ(lib_.Read(1), HostLibrary::kRead);
  lib_.Field(17, &length);
  EXPECT_EQ(length, 0);  // no such field
  lib_.Field(-1, &length);
  EXPECT_EQ(length, 0);
  lib_.Close();
  lib_.Field(1, &length);
  EXPECT_EQ(length, 0);  // closed
}

TEST_F(LibraryTest, OpenFindsTheDatabaseWhateverItsCaseAndFolderName) {
  QDir(folder_.Path()).mkpath(U8("ハム/ログ"));
  const QString path = folder_.File(U8("ハム/ログ/marqen.hdb"));
  WriteHdb(path, SampleEntries());
  // The path goes to the library in the Japanese code page, without extension.
  ASSERT_EQ(lib_.Open(EncodeCp932(folder_.File(U8("ハム/ログ/marqen")))), 0);
  ASSERT_EQ(lib_.Read(2), HostLibrary::kRead);
  EXPECT_EQ(Fields().at(1), "JA8ZUT/1");
}

TEST_F(LibraryTest, OpenRefusesWhatIsNoDatabase) {
  EXPECT_EQ(lib_.Open(EncodeCp932(folder_.File("NONE"))), 2);
  folder_.WriteBytes("SHORT.HDB", "MQHDB500\x05");
  EXPECT_EQ(lib_.Open(EncodeCp932(folder_.File("SHORT"))), 3);
  folder_.WriteBytes("OTHER.HDB", QByteArray(16 + 336, 'x'));
  EXPECT_EQ(lib_.Open(EncodeCp932(folder_.File("OTHER"))), 3);
  // A record length other than this layout's.
  QByteArray header("MQHDB500\x01\x00\x00\x00\x00\x02\x00\x00", 16);
  folder_.WriteBytes("WIDE.HDB", header + QByteArray(512, 'Q'));
  EXPECT_EQ(lib_.Open(EncodeCp932(folder_.File("WIDE"))), 3);
}

TEST_F(LibraryTest, AFileCutShortReadsTheRecordsItHolds) {
  const QString path = folder_.File("CUT.HDB");
  WriteHdb(path, SampleEntries());
  Truncate(path, 16 + 3 * 336 + 100);  // three whole records and a piece
  ASSERT_EQ(lib_.Open(Base(path)), 0);
  EXPECT_EQ(lib_.Read(3), HostLibrary::kRead);
  EXPECT_EQ(Fields().at(1), "JR1YZD");
  EXPECT_EQ(lib_.Read(4), HostLibrary::kNoSuchRecord);
  EXPECT_EQ(lib_.Read(5), HostLibrary::kNoSuchRecord);
}

TEST_F(LibraryTest, DamagedRecordsReadAsEmptyAndTheOthersStillRead) {
  const QString path = folder_.File("BAD.HDB");
  WriteHdb(path, SampleEntries());
  Patch(path, 16 + 1 * 336, QByteArray(336, '\xFF'));  // record 2: garbage
  // Record 3: control bytes inside its call sign.
  Patch(path, 16 + 2 * 336 + 9, QByteArray("JR\x01\x1F" "YZD", 7));
  ASSERT_EQ(lib_.Open(Base(path)), 0);
  EXPECT_EQ(lib_.Read(2), HostLibrary::kDamaged);
  int length = -1;
  lib_.Field(1, &length);
  EXPECT_EQ(length, 0);
  ASSERT_EQ(lib_.Read(3), HostLibrary::kRead);
  EXPECT_EQ(Fields().at(1), "JR  YZD");
  ASSERT_EQ(lib_.Read(1), HostLibrary::kRead);
  EXPECT_EQ(Fields().at(1), "JA1ABC");
}

TEST_F(LibraryTest, TwoWorkAreasKeepTheirOwnState) {
  // The state lives in the caller's work area, not in the libraries: two
  // logbooks open at once read independently.
  const QString a = folder_.File("A.HDB");
  const QString b = folder_.File("B.HDB");
  auto entries = SampleEntries();
  WriteHdb(a, entries);
  std::reverse(entries.begin(), entries.end());
  WriteHdb(b, entries);
  HostLibrary other;
  QString failed;
  ASSERT_TRUE(other.Load(BuiltProgram("marqen50.dll"), BuiltProgram("mqdll2vb.dll"), &failed));
  ASSERT_EQ(lib_.Open(Base(a)), 0);
  ASSERT_EQ(other.Open(Base(b)), 0);
  ASSERT_EQ(lib_.Read(1), HostLibrary::kRead);
  ASSERT_EQ(other.Read(1), HostLibrary::kRead);
  int length = 0;
  const char* text = lib_.Field(1, &length);
  EXPECT_EQ(QByteArray(text, length), "JA1ABC");
  text = other.Field(1, &length);
  EXPECT_EQ(QByteArray(text, length), "7K4QXS");
  // Closing one leaves the other reading.
  other.Unload();
  ASSERT_EQ(lib_.Read(2), HostLibrary::kRead);
  text = lib_.Field(1, &length);
  EXPECT_EQ(QByteArray(text, length), "JA8ZUT/1");
}

TEST_F(LibraryTest, FreqPCheckPlacesFrequenciesByTheJapaneseBandEdges) {
  const struct {
    const char* text;
    int code;
  } cases[] = {
      {"1.810", 0},   {"1.9125", 0},  {"1.913", -1},  {"1.9", 0},      {"3.500", 1},     {"3.805", 1},
      {"3.806", -1},  {"7", 2},       {"7.025", 2},   {" 7.200 ", 2},  {"7.201", -1},    {"10.125", 3},
      {"14.350", 4},  {"18", 5},      {"18.100", 5},  {"21.450", 6},   {"24.940", 7},    {"28.000", 8},
      {"29.700", 8},  {"50.530", 9},  {"54.000", 9},  {"144", 10},     {"145.999", 10},  {"146.001", -1},
      {"435.250", 11}, {"1200", 12},  {"1294.300", 12}, {"2400.100", 13}, {"5760.000", 14}, {"S145.965", 15},
      {"s435", 15},   {"10240.050", -1}, {"5.000", -1}, {"70.200", -1},  {"", -1},          {"7,025", -1},
      {"7.0.1", -1},  {"abc", -1},    {".", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(lib_.FrequencyCode(c.text), c.code) << c.text;
}
