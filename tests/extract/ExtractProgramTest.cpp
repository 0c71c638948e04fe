// zotrah and zotra-batch extract as whole programs, headless: every start-up
// failure with its message and the way back to the menu, and the batch
// command with its options.
#include "ExtractFixture.h"

#include "common/Text.h"

#include <QImage>

using namespace zotra;
using namespace zotra::test;

namespace {

struct ProgramFolder : ExtractFolder {
  ProgramFolder() {
    for (const char* program : {"zotrah", "zotra-batch"}) this->program.InstallProgram(program);
  }
  ProgramResult Zotrah(const QStringList& answers = {}) const {
    RunOptions options;
    options.answers = answers;
    options.environment["ZOTRA_SCREENSHOT"] = program.File("shot.png");
    return RunProgram(program, "zotrah", {"/ZOTRAW.CFG"}, options);
  }
  ProgramResult Batch(const QStringList& arguments, const QStringList& answers = {}) const {
    RunOptions options;
    options.answers = answers;
    return RunProgram(program, "zotra-batch", QStringList{"--folder", program.Path(), "extract"} + arguments, options);
  }
  QString Menu() const { return program.File("zotram") + "\t/"; }
};

QStringList Texts(const ProgramResult& r) {
  QStringList out;
  for (const QString& d : r.dialogs) {
    const QStringList f = DialogFields(d);
    out << f.at(1) + ": " + f.at(2);
  }
  return out;
}

}  // namespace

TEST(ExtractProgram, StartUpFailuresTellAndGoBackToTheMenu) {
  const QString missingMaster = U8("ZOTRAH: MARQEN.MST の指定が間違っているか\nZOTRA で認識できないバージョンです\n\n");
  struct Case {
    const char* what;
    std::function<void(ProgramFolder&)> spoil;
    std::function<QString(const ProgramFolder&)> message;
  };
  const QList<Case> cases = {
      {"no definition", [](ProgramFolder& f) { QFile::remove(f.program.File("ZOTRAW.TST")); },
       [](const ProgramFolder&) { return U8("ZOTRAH: 先にコンテストの条件を設定してください"); }},
      {"another version", [](ProgramFolder& f) { f.Definition(Replace(BaseDefinition(), "\"ZOTRAW\"", {"\"ZOTRAW\",\"Ver3.5\""})); },
       [](const ProgramFolder&) { return U8("ZOTRAH: コンテスト定義体のバージョンが違います"); }},
      {"no logbook setting",
       [](ProgramFolder& f) { WriteProfileString(f.program.File("ZOTRAW.INI"), "ZOTRAM", "MARQEN", "NON"); },
       [](const ProgramFolder&) { return U8("ZOTRAH: Marqen.DBS が見つかりません\nNON"); }},
      {"no master file", [](ProgramFolder& f) { QFile::remove(f.program.File("MARQEN.MST")); },
       [](const ProgramFolder& f) { return U8("ZOTRAH: Marqen.Mst が見つかりません\n") + f.program.File("MARQEN.MST"); }},
      {"a master file of another version", [](ProgramFolder& f) { f.program.WriteBytes("MARQEN.MST", QByteArray(400, '\x07')); },
       [missingMaster](const ProgramFolder& f) { return missingMaster + f.program.File("MARQEN.MST"); }},
  };
  for (const Case& c : cases) {
    ProgramFolder f;
    c.spoil(f);
    const ProgramResult r = f.Zotrah();
    ASSERT_TRUE(r.finished) << c.what;
    EXPECT_EQ(Texts(r), QStringList{c.message(f)}) << c.what;
    EXPECT_EQ(r.started, QStringList{f.Menu()}) << c.what;
    EXPECT_FALSE(f.program.Exists("shot.png")) << c.what;
    EXPECT_FALSE(f.program.Exists("zotra.wk1")) << c.what;
  }
}

TEST(ExtractProgram, WithoutTheHokkaidoTableTheWindowStillOpens) {
  ProgramFolder f;
  QFile::remove(f.program.File("hokkaido.txt"));
  const ProgramResult r = f.Zotrah();
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(Texts(r), QStringList{U8("ZOTRAH: 北海道テーブルが見当たりません")});
  EXPECT_FALSE(QImage(f.program.File("shot.png")).isNull());
  EXPECT_EQ(r.started, QStringList{f.Menu()});
}

TEST(ExtractProgram, BatchExtractsAndPrintsTheCount) {
  ProgramFolder f;
  f.Definition(Replace(BaseDefinition(), "\"SelFreq\"", {"\"SelFreq\",\"7\",1", "\"SelFreq\",\"10125\",1"}));
  f.Logbook({
      {"JA1AAA", "25/06/07", "13:00U", "599", "599", "7.025", "CW", "100103 M", "", "", U8("港区")},
      {"JA8BBB", "25/06/07", "13:01U", "599", "599", "10240.050", "CW", "0102", "", "", U8("旭川市")},
      {"JD1CCC", "25/06/07", "13:02U", "599", "599", "7.025", "CW", "10007", "", "", U8("小笠原支庁")},
      {"JA1DDD", "25/06/07", "10:00U"},
  });
  ProgramResult r = f.Batch({});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(QString::fromUtf8(r.standardOutput), U8("抽出交信数: 3\n期間外 1 件\n"));
  EXPECT_TRUE(r.dialogs.isEmpty());
  EXPECT_EQ(f.WorkLines().size(), 3);

  // Area codes at prefecture level with the subprefectures of Hokkaido, the
  // Ogasawara answer, the frequency note.
  f.Definition(Replace(Replace(BaseDefinition(), "\"SelFreq\"", {"\"SelFreq\",\"7\",1", "\"SelFreq\",\"10125\",1"}),
                       "\"Rcv\"", {"\"Rcv\",\"Jcc\",\"6\"", "\"Rcv\",\"Qth\",\"8\""}));
  r = f.Batch({"--key", "prefecture", "--hokkaido", "subprefecture", "--ogasawara", "49", "--frequency-note"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(QString::fromUtf8(r.standardOutput), U8("抽出交信数: 3\n期間外 1 件\n"));
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_EQ(DialogFields(r.dialogs.first()).at(4), U8("沖の鳥島 (49)"));
  const QStringList lines = f.WorkLines();
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines.at(0), U8("\"1\",\"7\",\"CW\",\"2025/06/07\",\"22:00\",\"JA1AAA\",\"\",\"599\",\"10 M 東京都\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\""));
  EXPECT_EQ(lines.at(1), U8("\"2\",\"10125\",\"CW\",\"2025/06/07\",\"22:01\",\"JA8BBB\",\"\",\"599\",\"103 上川支庁\",\"\",\"\",\"\",\"\",\"1\",\"\",\"10240.050\""));
  EXPECT_EQ(lines.at(2), U8("\"3\",\"7\",\"CW\",\"2025/06/07\",\"22:02\",\"JD1CCC\",\"\",\"599\",\"49 沖の鳥島\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\""));

  // Key region 東京都 at city level with its wards as cities; the others at prefecture level.
  // Tokyo's wards belong to no city of the master file: the QTH is told and
  // kept (the tool answers OK).
  r = f.Batch({"--key-region", U8("東京都"), "--key", "city,wards", "--other", "prefecture,drop-prefecture"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(Texts(r), QStringList{U8("変換エラー発生: 交信番号:1\nCallSing:JA1AAA\nMARQEN.MST 検索エラー\n1001")});
  EXPECT_EQ(f.WorkLines().at(0).section(',', 8, 8), U8("\"1001 M 港区\""));
  EXPECT_EQ(f.WorkLines().at(1).section(',', 8, 8), "\"01\"");  // 北海道 without its name
  EXPECT_EQ(f.WorkLines().at(2).section(',', 8, 8), U8("\"10007 小笠原支庁\""));

  // Nothing taken: the reasons, why on standard error, status 1.
  f.Definition(Replace(BaseDefinition(), "\"JstUtc2\"", {"\"JstUtc2\",0"}));
  r = f.Batch({});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(QString::fromUtf8(r.standardOutput), U8("抽出交信数: 0\n期間外 1 件\n時刻の基準違い 3 件\n"));
  ASSERT_EQ(r.dialogs.size(), 1);
  EXPECT_TRUE(DialogFields(r.dialogs.first()).at(2).startsWith(U8("コンテストの交信が見つかりませんでした\n")));
}

TEST(ExtractProgram, BatchRefusesBadOptionsAndStopsOnCancel) {
  ProgramFolder f;
  for (const QStringList& bad : {QStringList{"--key", "county"}, QStringList{"--key-region", "51"},
                                 QStringList{"--ogasawara", "47"}, QStringList{"--unknown"}, QStringList{"--key"}}) {
    const ProgramResult r = f.Batch(bad);
    EXPECT_EQ(r.exitCode, 1) << bad.join(' ').toStdString();
    EXPECT_FALSE(f.program.Exists("zotra.wk1"));
  }
  ProgramResult r = f.Batch({"--other", "city"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Texts(r), QStringList{U8("ZOTRAH: --other はキー地域 (--key-region) を選んだときだけ使えます")});

  // A conversion error answered with Cancel ends the run; the QSOs before it stay.
  f.Definition(Replace(BaseDefinition(), "\"Rcv\"", {"\"Rcv\",\"Jcc\",\"6\""}));
  f.Logbook({
      {"JA1AAA", "25/06/07", "13:00U", "599", "599", "7.025", "CW", "100103"},
      {"JA1BBB", "25/06/07", "13:01U", "599", "599", "7.025", "CW", "10002"},
      {"JA1CCC", "25/06/07", "13:02U", "599", "599", "7.025", "CW", "1002"},
  });
  r = f.Batch({"--key", "town"}, {"Cancel"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(QString::fromUtf8(r.standardOutput), U8("抽出交信数: 1\n"));
  EXPECT_EQ(Texts(r), QStringList{U8("変換エラー発生: 交信番号:2\nCallSing:JA1BBB\n町村コード(名)でない\n10002")});
  EXPECT_EQ(f.program.ReadBytes("zotra.wk1"),
            QByteArray("\"1\",\"7\",\"CW\",\"2025/06/07\",\"22:00\",\"JA1AAA\",\"\",\"599\",\"100103\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\"\r\n"));
}
