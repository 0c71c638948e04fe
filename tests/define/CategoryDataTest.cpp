// The category and contest-name files: the keyword match, the working file
// made from the base file, the list the editor offers, bad files, and the
// shipped data itself.
#include "define/CategoryData.h"

#include "common/Dialogs.h"
#include "common/Text.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

using namespace zotra;
using zotra::test::CrLf;
using zotra::test::TempFolder;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const QString kMissingBase = U("参加部門基本データファイルが存在しないか\n古いバージョンのものです\nZOTCOD.BSE");

QStringList Texts(const QList<CategoryEntry>& entries) {
  QStringList out;
  for (const CategoryEntry& e : entries) out << e.text;
  return out;
}

void WriteBase(const TempFolder& t, const QStringList& lines, const QString& name = "ZOTCOD.BSE") {
  t.WriteCp932(name, CrLf(lines));
}

}  // namespace

TEST(CategoryMatch, KeywordsAreFoundWholeOrByMostOfTheirCharacters) {
  const QString allJa1 = CategoryMatchName(U("ALL JA1 コンテスト"));
  EXPECT_EQ(allJa1, U("ＡＬＬＪＡ１コンテスト"));
  // The blanks go from the name only: no containment, but 6 of 7 > 5.18.
  EXPECT_FALSE(allJa1.contains(U("ＡＬＬ　ＪＡ１")));
  EXPECT_EQ(CategoryMatch(allJa1, U("ＡＬＬ　ＪＡ１"), ""), 1);

  // A keyword of four characters needs three (3 > 2.96); of three, all three (2 ≤ 2.22).
  EXPECT_EQ(CategoryMatch(U("ＡＢＣＸ"), U("ＡＢＣＤ"), ""), 1);
  EXPECT_EQ(CategoryMatch(U("ＡＢＸ"), U("ＡＢＣ"), ""), 0);
  EXPECT_EQ(CategoryMatch(U("ＡＢＣ"), U("ＡＢＣ"), ""), 1);
  // Each character of the name is used once.
  EXPECT_EQ(CategoryMatch(U("ＡＸＹＺ"), U("ＡＡＡＡ"), ""), 0);

  // Keyword 2 on its own, whole or by characters; both empty: every contest.
  EXPECT_EQ(CategoryMatch(U("全市全郡コンテスト"), U("ＦＯＯ"), U("全市全郡")), 2);
  EXPECT_EQ(CategoryMatch(U("ＡＢＣＸ"), "", U("ＡＢＣＤ")), 2);
  EXPECT_EQ(CategoryMatch(U("なんでも"), "", ""), 9);
  EXPECT_EQ(CategoryMatch("", U("ＡＢ"), ""), 0);

  // Upper case, full width, blanks of either width removed.
  EXPECT_EQ(CategoryMatchName(U("  6m and down　ｺﾝﾃｽﾄ ")), U("６ＭＡＮＤＤＯＷＮコンテスト"));
}

TEST(CategoryFile, TheWorkingFileIsMadeFromTheBaseFile) {
  TempFolder t;
  ScriptedDialogs dialogs("", {});
  WriteBase(t, {"\"TYPE-2\"", "\"XA\",\"S\",\"E\",\"\",\"\""});

  // Missing working file: copied byte for byte.
  EXPECT_TRUE(EnsureCategoryFile(t.Path(), "TYPE", dialogs));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.COD"), t.ReadBytes("ZOTCOD.BSE"));

  // A valid working file is kept, its marker in any case; "COPY" replaces it.
  t.WriteCp932("ZOTRAW.COD", CrLf({"\"type-2\"", "\"MINE\",\"S\",\"E\",\"\",\"\""}));
  EXPECT_TRUE(CategoryFileValid(t.File("ZOTRAW.COD")));
  EXPECT_TRUE(EnsureCategoryFile(t.Path(), "check", dialogs));
  EXPECT_TRUE(t.ReadCp932("ZOTRAW.COD").contains("MINE"));
  EXPECT_TRUE(EnsureCategoryFile(t.Path(), "copy", dialogs));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.COD"), t.ReadBytes("ZOTCOD.BSE"));

  // A working file with another marker is replaced before use.
  t.WriteCp932("ZOTRAW.COD", CrLf({"\"TYPE-1\"", "\"OLD\",\"S\",\"E\",\"\",\"\""}));
  EXPECT_EQ(Texts(BuildCategoryList(t.Path(), "x", dialogs)), QStringList{"XA/S/E"});
  EXPECT_EQ(t.ReadBytes("ZOTRAW.COD"), t.ReadBytes("ZOTCOD.BSE"));
  EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST(CategoryFile, MissingOrOldBaseFileIsToldAndTheListStaysEmpty) {
  for (const QStringList& base : {QStringList{}, QStringList{"\"TYPE-1\"", "\"XA\",\"S\",\"E\",\"\",\"\""},
                                  QStringList{"garbage"}}) {
    TempFolder t;
    if (!base.isEmpty()) WriteBase(t, base);
    ScriptedDialogs dialogs("", {});
    EXPECT_TRUE(BuildCategoryList(t.Path(), "ALL JA", dialogs).isEmpty());
    ASSERT_EQ(dialogs.Records().size(), 1);
    EXPECT_EQ(zotra::test::DialogFields(dialogs.Records().first()).at(2), kMissingBase);
    EXPECT_FALSE(t.Exists("ZOTRAW.COD"));
  }
  // An empty base file, and bytes that are no text.
  for (const QByteArray& bytes : {QByteArray(), QByteArray("\xff\xfe\x00\x81", 4)}) {
    TempFolder t;
    t.WriteBytes("ZOTCOD.BSE", bytes);
    ScriptedDialogs dialogs("", {});
    EXPECT_TRUE(BuildCategoryList(t.Path(), "ALL JA", dialogs).isEmpty());
    EXPECT_EQ(dialogs.Records().size(), 1);
  }
  // A valid working file is used even without a base file.
  TempFolder t;
  WriteBase(t, {"\"TYPE-2\"", "\"XA\",\"S\",\"E\",\"\",\"\""}, "ZOTRAW.COD");
  ScriptedDialogs dialogs("", {});
  EXPECT_EQ(Texts(BuildCategoryList(t.Path(), "", dialogs)), QStringList{"XA/S/E"});
  EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST(CategoryList, EntriesInFileOrderWithTheKeywordThatMatched) {
  TempFolder t;
  WriteBase(t, {"\"TYPE-2\"",
                U("\"CA1\",\"電信部門\",\"シングルオペ オールバンド\",\"ＡＬＬ　ＪＡ１\",\"\""),
                U("\"XMA\",\"電信電話部門\",\"マルチオペ\",\"ALL JA\",\"\""),
                U("\"FD\",\"電信部門\",\"移動\",\"フィールドデー\",\"FIELD DAY\""),
                "",
                U("\"SWL\",\"SWL部門\",\"SWL\",\"\",\"\""),
                // Too few fields: no category.
                U("\"BAD\",\"only two\""),
                "\"XS\",\"P\",\"E\""});
  ScriptedDialogs dialogs("", {});
  EXPECT_EQ(Texts(BuildCategoryList(t.Path(), U("ALL JA1 コンテスト"), dialogs)),
            (QStringList{U("CA1/電信部門/シングルオペ オールバンド/ＡＬＬ　ＪＡ１"), U("XMA/電信電話部門/マルチオペ/ＡＬＬ　ＪＡ"),
                         U("SWL/SWL部門/SWL"), "XS/P/E"}));
  EXPECT_EQ(Texts(BuildCategoryList(t.Path(), "Field Day", dialogs)),
            (QStringList{U("FD/電信部門/移動/ＦＩＥＬＤ　ＤＡＹ"), U("SWL/SWL部門/SWL"), "XS/P/E"}));

  // The choice carries the fields themselves, even with a "/" inside.
  WriteBase(t, {"\"TYPE-2\"", U("\"S-SVU\",\"県内\",\"シングルオペ V/UHF\",\"\",\"\"")}, "ZOTRAW.COD");
  const QList<CategoryEntry> entries = BuildCategoryList(t.Path(), "", dialogs);
  ASSERT_EQ(entries.size(), 1);
  EXPECT_EQ(entries.first().choice, (CategoryChoice{"S-SVU", U("県内"), U("シングルオペ V/UHF")}));
  EXPECT_EQ(SplitCategoryEntry(U("PA/電話部門/オールバンド/ＡＬＬ　ＪＡ")), (CategoryChoice{"PA", U("電話部門"), U("オールバンド")}));
  EXPECT_EQ(SplitCategoryEntry("X"), (CategoryChoice{"X", "", ""}));
}

TEST(CategoryFile, WritingKeepsFiveFieldsALine) {
  TempFolder t;
  ASSERT_TRUE(WriteCategoryRows(t.File("ZOTRAW.COD"), {}));
  EXPECT_EQ(t.ReadBytes("ZOTRAW.COD"), QByteArray("\"TYPE-2\"\r\n"));

  ASSERT_TRUE(WriteCategoryRows(t.File("ZOTRAW.COD"),
                                {{" XA ", U("電信,電話"), "say \"hi\"", U("ＡＬＬ　ＪＡ"), ""}}));
  EXPECT_EQ(t.ReadCp932("ZOTRAW.COD"), U("\"TYPE-2\"\r\n\"XA\",\"電信，電話\",\"say ＂hi＂\",\"ＡＬＬ　ＪＡ\",\"\"\r\n"));
  EXPECT_EQ(ReadCategoryRows(t.File("ZOTRAW.COD")),
            (QList<CategoryRow>{{"XA", U("電信，電話"), U("say ＂hi＂"), U("ＡＬＬ　ＪＡ"), ""}}));
  // A line with too few fields reads with the missing ones empty.
  t.WriteCp932("X.COD", CrLf({"\"TYPE-2\"", "\"A\",\"B\"", ""}));
  EXPECT_EQ(ReadCategoryRows(t.File("X.COD")), (QList<CategoryRow>{{"A", "B", "", "", ""}}));
}

TEST(ContestNames, ReadWriteAndTheLogForm) {
  TempFolder t;
  EXPECT_TRUE(ReadContestNames(t.File("C_NAME.TXT")).isEmpty());
  t.WriteCp932("C_NAME.TXT", CrLf({U("ALL JAコンテスト , r2 "), U("地方コンテスト"), "", "A,B,R1", "X,R9"}));
  const QList<ContestNameRow> rows = ReadContestNames(t.File("C_NAME.TXT"));
  EXPECT_EQ(rows, (QList<ContestNameRow>{{U("ALL JAコンテスト"), "R2"}, {U("地方コンテスト"), ""}, {"A,B", "R1"}, {"X", "R9"}}));
  EXPECT_EQ(ContestLogForm(rows, U("ALL JAコンテスト")), "R2");
  EXPECT_EQ(ContestLogForm(rows, U("ALL JAコンテスト ")), QString());
  EXPECT_EQ(ContestLogForm(rows, "nothing"), QString());

  // A comma inside a name or form is written full-width ("B,C" read back as
  // name "B" and form "C" before).
  ASSERT_TRUE(WriteContestNames(t.File("C_NAME.TXT"), {{"A", "r1"}, {"", "R2"}, {U("地方"), ""}, {"B,C", ""},
                                                        {"D,E", "r2,x"}}));
  EXPECT_EQ(t.ReadCp932("C_NAME.TXT"), U("A,R1\r\n地方\r\nB，C\r\nD，E,R2，X\r\n"));

  EXPECT_TRUE(IsKnownLogForm(""));
  EXPECT_TRUE(IsKnownLogForm(" r1"));
  EXPECT_TRUE(IsKnownLogForm("R2 "));
  EXPECT_FALSE(IsKnownLogForm("R3"));
}

// The shipped files: valid, CP932, and each contest of the name list finds
// its own categories first.
TEST(ShippedData, EveryContestFindsItsOwnCategories) {
  const QString folder = QString(ZOTRA_PROGRAM_DIR);
  const QString base = folder + "/ZOTCOD.BSE";
  ASSERT_TRUE(CategoryFileValid(base));
  QByteArray bytes;
  QFile f(base);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  bytes = f.readAll();
  EXPECT_TRUE(bytes.endsWith("\r\n"));
  EXPECT_FALSE(bytes.contains("\n\n"));
  EXPECT_EQ(EncodeCp932(DecodeCp932(bytes)), bytes);

  const QList<CategoryRow> rows = ReadCategoryRows(base);
  EXPECT_GT(rows.size(), 100);
  for (const CategoryRow& r : rows) {
    EXPECT_FALSE(r.code.isEmpty());
    EXPECT_FALSE(r.section.isEmpty()) << r.code.toStdString();
    EXPECT_FALSE((r.code + r.section + r.event).contains('/')) << r.code.toStdString();
    EXPECT_FALSE(r.keyword1.isEmpty()) << r.code.toStdString();
  }

  const QList<ContestNameRow> names = ReadContestNames(folder + "/C_NAME.TXT");
  ASSERT_GE(names.size(), 10);
  TempFolder t;
  t.WriteBytes("ZOTCOD.BSE", bytes);
  ScriptedDialogs dialogs("", {});
  QMap<QString, QStringList> keywordsOf;
  for (const ContestNameRow& n : names) {
    EXPECT_TRUE(n.form == "R1" || n.form == "R2") << n.name.toStdString();
    const QList<CategoryEntry> entries = BuildCategoryList(t.Path(), n.name, dialogs);
    ASSERT_FALSE(entries.isEmpty()) << n.name.toStdString();
    // One contest's codes are unique.
    const QString ownKeyword = entries.first().text.section('/', 3);
    QSet<QString> codes;
    for (const CategoryEntry& e : entries) {
      if (e.text.section('/', 3) != ownKeyword) continue;
      EXPECT_FALSE(codes.contains(e.choice.code)) << n.name.toStdString() << " " << e.choice.code.toStdString();
      codes.insert(e.choice.code);
    }
    for (const CategoryEntry& e : entries) keywordsOf[n.name] << e.text.section('/', 3);
  }
  EXPECT_TRUE(dialogs.Records().isEmpty());
  // The JARL contests do not offer one another's categories.
  for (const QString& contest : {U("6m AND DOWNコンテスト"), U("フィールドデーコンテスト"), U("全市全郡コンテスト"),
                                 U("ALL ASIAN DXコンテスト 電信部門"), U("JARL QSOパーティ"), U("ALL JAコンテスト")}) {
    keywordsOf[contest].removeDuplicates();
    EXPECT_EQ(keywordsOf[contest].size(), 1) << contest.toStdString() << " " << keywordsOf[contest].join(",").toStdString();
  }
  // The regional contest lists its own categories before those of ALL JA.
  EXPECT_EQ(keywordsOf[U("ALL JA1コンテスト")].first(), U("ＡＬＬ　ＪＡ１"));
  // The categories that ask for an age or a licence date are there.
  QSet<QString> allCodes;
  for (const CategoryRow& r : rows) allCodes.insert(r.code);
  for (const char* code : {"XS", "CS", "SOSV", "SOJR", "XMJ", "PN"}) EXPECT_TRUE(allCodes.contains(code)) << code;
}
