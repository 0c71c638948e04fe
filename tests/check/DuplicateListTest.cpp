// The duplicate check list: pages, columns, marks and every position, on the
// recording surface exactly and in a PDF file as read back by pdftotext.
#include "CheckFixture.h"
#include "check/DuplicateCheck.h"
#include "check/DuplicateList.h"
#include "common/gui/PaintSurface.h"
#include "print/PdfTools.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

namespace {

// n single QSOs with calls JA1A00001, … (compared on seven characters, so
// they are told apart by their last digits only up to the seventh).
QStringList Singles(int n) {
  QStringList keys;
  for (int i = 1; i <= n; ++i) {
    const QString call = QString("J%1").arg(i, 6, 10, QChar('0'));
    keys << BuildKeyLine({QString::number(i), "7", "CW", "2024/06/01", "21:00", call}, Criterion::Date);
  }
  return keys;
}

// Three stations worked twice, one once, in sorted order and marked.
QStringList Groups() {
  return {
      "5JA1ABC  06/01 00000106/01 21:05     7 CW    ",
      "9JA1ABC  06/01 00000406/01 21:40     7 CW    ",
      "5JA1ABD  06/01 00000206/01 21:10     7 CW    ",
      "9JA1ABD  06/01 00000506/01 21:50     7 CW    ",
      "0JA1XYZ  06/01 00000706/01 22:00     7 CW    ",
      "5JH1AAA  06/01 00000306/01 21:20     7 SSB   ",
      "9JH1AAA  06/01 00000606/01 21:30     7 SSB   ",
  };
}

const DuplicateListHeading kHeading{"ALL JA1", "JA1ZZZ", "2024", "7"};

struct Expected {
  double x, y;
  QString text;
};

void ExpectText(const RecordingSurface& s, int page, const Expected& e, double size) {
  for (const PrintCall& c : s.Texts(page)) {
    if (c.text != e.text) continue;
    EXPECT_NEAR(c.x, e.x, 1e-9) << e.text.toStdString();
    EXPECT_NEAR(c.y, e.y, 1e-9) << e.text.toStdString();
    EXPECT_EQ(c.font.name, kMinchoFont);
    EXPECT_EQ(c.font.size, size) << e.text.toStdString();
    return;
  }
  ADD_FAILURE() << "not on page " << page << ": " << e.text.toStdString();
}

}  // namespace

TEST(DuplicateList, HeadingTexts) {
  EXPECT_EQ(ListTitle(kHeading), U("ALL JA1 Contest   重複ﾁｪｯｸﾘｽﾄ"));
  EXPECT_EQ(ListSubtitle(kHeading), U("JA1ZZZ     2024年    7MHz"));
  EXPECT_EQ(ListSubtitle({"X", "JA1ZZZ", "2024", "ALL"}), U("JA1ZZZ     2024年    ALL Band"));
  EXPECT_EQ(PageText(1, 2), "Page 1 of 2");
  EXPECT_EQ(PrintingPageText(3), U("3 Page 印刷中"));
}

TEST(DuplicateList, GroupMarksAlternate) {
  EXPECT_EQ(PrintedTexts(Groups()), (QStringList{
                                        "* JA1ABC  06/01 21:05     7 CW",
                                        "* JA1ABC  06/01 21:40     7 CW",
                                        "+ JA1ABD  06/01 21:10     7 CW",
                                        "+ JA1ABD  06/01 21:50     7 CW",
                                        "  JA1XYZ  06/01 22:00     7 CW",
                                        "* JH1AAA  06/01 21:20     7 SSB",
                                        "* JH1AAA  06/01 21:30     7 SSB",
                                    }));
  // Only the duplicates: the marks run on the same way.
  EXPECT_EQ(LinesToPrint(Groups(), true).size(), 6);
  EXPECT_EQ(PrintedTexts(LinesToPrint(Groups(), true)).at(4), "* JH1AAA  06/01 21:20     7 SSB");
}

TEST(DuplicateList, PageCounts) {
  EXPECT_EQ(PageCount(0), 0);
  EXPECT_EQ(PageCount(1), 1);
  EXPECT_EQ(PageCount(150), 1);
  EXPECT_EQ(PageCount(151), 2);
  EXPECT_EQ(PageCount(301), 3);
  // Duplicates only, and none: nothing to print.
  EXPECT_EQ(PageCount(LinesToPrint(Singles(10), true).size()), 0);
  // A key line of record number 0 is never printed.
  EXPECT_EQ(LinesToPrint({"0JA1ABC  06/01 00000006/01 21:05     7 CW    "}, false).size(), 0);
}

TEST(DuplicateList, PositionsOfEveryPartOfAPage) {
  RecordingSurface s;
  ASSERT_TRUE(PrintDuplicateList(s, kHeading, Groups(), false));
  ASSERT_EQ(s.PageCount(), 1);
  ExpectText(s, 1, {20, 15, U("ALL JA1 Contest   重複ﾁｪｯｸﾘｽﾄ")}, 12);
  ExpectText(s, 1, {30, 25, U("JA1ZZZ     2024年    7MHz")}, 12);
  ExpectText(s, 1, {150, 20, "Page 1 of 1"}, 10);
  ExpectText(s, 1, {15, 39.5, "* JA1ABC  06/01 21:05     7 CW"}, 10);
  ExpectText(s, 1, {15, 44, "* JA1ABC  06/01 21:40     7 CW"}, 10);
  ExpectText(s, 1, {15, 66.5, "* JH1AAA  06/01 21:30     7 SSB"}, 10);
  ExpectText(s, 1, {110, 269, U("複数回交信がある局に * + マークが付いています")}, 10);
  EXPECT_EQ(s.Texts(1).size(), 3 + 7 + 1);
}

TEST(DuplicateList, ThreeColumnsOfFiftyAndASecondPageForLine151) {
  RecordingSurface s;
  std::vector<int> pagesStarted;
  ASSERT_TRUE(PrintDuplicateList(s, kHeading, Singles(151), false, [&](int page) { pagesStarted.push_back(page); }));
  EXPECT_EQ(s.PageCount(), 2);
  EXPECT_EQ(pagesStarted, (std::vector<int>{1, 2}));
  ExpectText(s, 1, {150, 20, "Page 1 of 2"}, 10);
  ExpectText(s, 1, {15, 39.5, "  J000001 06/01 21:00     7 CW"}, 10);
  ExpectText(s, 1, {15, 260, "  J000050 06/01 21:00     7 CW"}, 10);
  ExpectText(s, 1, {75, 39.5, "  J000051 06/01 21:00     7 CW"}, 10);
  ExpectText(s, 1, {135, 39.5, "  J000101 06/01 21:00     7 CW"}, 10);
  ExpectText(s, 1, {135, 260, "  J000150 06/01 21:00     7 CW"}, 10);
  EXPECT_EQ(s.Texts(1).size(), 3 + 150);
  // Page 2: its heading, line 151 in column 1, line 1, and the note.
  ExpectText(s, 2, {20, 15, U("ALL JA1 Contest   重複ﾁｪｯｸﾘｽﾄ")}, 12);
  ExpectText(s, 2, {150, 20, "Page 2 of 2"}, 10);
  ExpectText(s, 2, {15, 39.5, "  J000151 06/01 21:00     7 CW"}, 10);
  ExpectText(s, 2, {110, 269, U("複数回交信がある局に * + マークが付いています")}, 10);
  EXPECT_EQ(s.Texts(2).size(), 3 + 1 + 1);
}

TEST(DuplicateList, AFullPageKeepsTheNoteAndNothingPrintsWithoutLines) {
  RecordingSurface full;
  ASSERT_TRUE(PrintDuplicateList(full, kHeading, Singles(150), false));
  EXPECT_EQ(full.PageCount(), 1);
  EXPECT_NE(full.FindText(kListNote), nullptr);
  EXPECT_EQ(full.FindText(kListNote)->page, 1);

  RecordingSurface none;
  ASSERT_TRUE(PrintDuplicateList(none, kHeading, Singles(5), true));
  EXPECT_EQ(none.PageCount(), 0);
  EXPECT_TRUE(none.Texts().isEmpty());
}

TEST(DuplicateList, RowsOfTheDuplicateWindow) {
  const QList<DuplicateRow> rows = DuplicateRows(Groups());
  ASSERT_EQ(rows.size(), 6);
  EXPECT_EQ(rows.at(0).group, 1);
  EXPECT_EQ(rows.at(1).group, 1);
  EXPECT_EQ(rows.at(2).group, 2);
  EXPECT_EQ(rows.at(5).group, 3);
  const DuplicateRow& r = rows.at(5);
  EXPECT_EQ(QStringList({r.call, r.mode, r.band, r.date, r.time}), (QStringList{"JH1AAA", "SSB", "7", "06/01", "21:30"}));
}

TEST(DuplicateList, KeyFileReadBack) {
  CheckFolder f;
  KeyFile file;
  EXPECT_FALSE(ReadKeyFile(f.t.File("zotra.wk3"), &file));
  f.t.WriteCp932("ZOTRA.WK3", CrLf(QStringList{"\"ALL\""} + Groups()));
  ASSERT_TRUE(ReadKeyFile(f.t.File("zotra.wk3"), &file));
  EXPECT_EQ(file.selection, "ALL");
  EXPECT_EQ(file.keyLines, Groups());
}

// The list as a PDF file, read back: every text within 0.5 mm of its place,
// and a page that shows ink where the lines are.
TEST(DuplicateList, PdfPositionsAndPicture) {
  TempFolder t;
  const QString path = t.File("dup.pdf");
  // The calls J000001 … sort before JA1…; the groups follow the singles.
  const QStringList keys = Singles(200) + Groups();
  {
    PrinterSurface s(path);
    ASSERT_TRUE(PrintDuplicateList(s, kHeading, keys, false)) << s.ErrorText().toStdString();
  }
  const PdfText pdf = ReadPdfText(path);
  ASSERT_EQ(pdf.pages.size(), 2);
  const auto expectWord = [&](const QString& word, int page, double x, double y) {
    const PdfWord* w = pdf.Find(word, page);
    ASSERT_NE(w, nullptr) << word.toStdString();
    EXPECT_NEAR(w->xMin, x, 0.5) << word.toStdString();
    EXPECT_NEAR(w->yMin, y, 0.5) << word.toStdString();
  };
  const PrintFont ten{kMinchoFont, 10};
  const double blanks = MeasureTextWidth(ten, "  ");
  expectWord("ALL", 1, 20, 15);
  expectWord("JA1ZZZ", 1, 30, 25);
  expectWord("Page", 1, 150, 20);
  expectWord("Page", 2, 150, 20);
  // Sorted: the 200 singles (J0…) come before the JA1/JH1 calls.
  expectWord("J000001", 1, 15 + blanks, 39.5);
  expectWord("J000051", 1, 75 + blanks, 39.5);
  expectWord("J000150", 1, 135 + blanks, 260);
  // Page 2: the singles 151 to 200 fill column 1, the groups begin column 2.
  expectWord("J000151", 2, 15 + blanks, 39.5);
  expectWord("*", 2, 75, 39.5);
  expectWord("+", 2, 75, 48.5);
  expectWord(U("複数回交信がある局に"), 2, 110, 269);

  // Ink where column 2 begins on page 2, none where column 3 would be.
  const QImage page = RenderPdfPage(path, 2, 100);
  ASSERT_FALSE(page.isNull());
  const double dotsPerMm = 100 / 25.4;
  const auto dark = [&](double x, double y, double w, double h) {
    int n = 0;
    for (int py = int(y * dotsPerMm); py < int((y + h) * dotsPerMm); ++py) {
      for (int px = int(x * dotsPerMm); px < int((x + w) * dotsPerMm); ++px) n += qGray(page.pixel(px, py)) < 128;
    }
    return n;
  };
  EXPECT_GT(dark(75, 39.5, 50, 4), 40);
  EXPECT_EQ(dark(135, 39.5, 50, 4), 0);
}
