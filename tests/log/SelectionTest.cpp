// The data selection, the duplicate list and the undo stack, as logic.
#include "LogTestData.h"

#include "log/DataSelection.h"
#include "log/DuplicateList.h"
#include "log/QsoTableModel.h"
#include "log/UndoStack.h"

#include <gtest/gtest.h>

using namespace zotra;
using namespace zotra::test;

TEST(DataSelection, CallShapes) {
  EXPECT_EQ(CallShapeOf("JA1AAA"), CallShape::Triple);
  EXPECT_EQ(CallShapeOf("JA1ABA"), CallShape::Sandwich);
  EXPECT_EQ(CallShapeOf("JA1AB"), CallShape::TwoLetter);
  EXPECT_EQ(CallShapeOf("JA1AAA/1"), CallShape::Triple);  // judged without the suffix
  EXPECT_EQ(CallShapeOf("JA1AB/QRP"), CallShape::TwoLetter);
  EXPECT_EQ(CallShapeOf("JA1ABC"), CallShape::None);
  EXPECT_EQ(CallShapeOf("JA1AAB"), CallShape::None);
  EXPECT_EQ(CallShapeOf("7K1XXX"), CallShape::Triple);
  EXPECT_EQ(CallShapeOf("KH0/JA1AAA"), CallShape::None);  // "KH0" before the "/"
  EXPECT_EQ(CallShapeOf(""), CallShape::None);
}

TEST(DataSelection, StringSearchLooksAtTheReceivedExchangeOnly) {
  QsoTable table;
  ParseWorkFile(WorkFile("7", {Qso(1, "JA1AAA", "599 13M", "13"), Qso(2, "JA1ABA", "599 1001", "1001"),
                               Qso(3, "JA1AB", "599 13m", "13"), Qso(4, "JA13MX", "599 14", "14"),
                               Qso(5, "JA1ABC", "599 113M", "113")}),
               &table);
  EXPECT_EQ(SearchText(" 13m "), "13M");
  EXPECT_EQ(SelectRows(table, SelectionRule::Text, "13M"), (std::vector<bool>{true, false, false, false, true}));
  EXPECT_EQ(SelectRows(table, SelectionRule::Triple), (std::vector<bool>{true, false, false, false, false}));
  EXPECT_EQ(SelectRows(table, SelectionRule::Sandwich), (std::vector<bool>{false, true, false, false, false}));
  EXPECT_EQ(SelectRows(table, SelectionRule::TwoLetter), (std::vector<bool>{false, false, true, false, false}));
  // Or in the call sign, lower case there too.
  table.SetCell(3, col::kCall, "ja13ab");
  EXPECT_EQ(SelectRows(table, SelectionRule::CallText, "13"), (std::vector<bool>{false, false, true, true, false}));
  EXPECT_EQ(SelectionReport(2), U("2 件のデータが選択されました\n選択されたデータは得点欄で判別できます"));
  EXPECT_EQ(SelectionReport(0), U("一件も交信データが選択されませんでした"));
}

namespace zotra {
void PrintTo(const DuplicateListRow& r, std::ostream* os) {
  *os << QStringList{r.group, r.number, r.call, r.date, r.time, r.band, r.mode}.join('|').toStdString();
}
}  // namespace zotra


TEST(DuplicateList, GroupsAreNumberedFromTheKeyLines) {
  const QStringList lines = {
      Key('5', "JA1ABC", "", 12, "04/29", "09:15", "7", "CW"),
      Key('9', "JA1ABC", "", 34, "04/29", "10:02", "7", "CW"),
      Key('9', "JA1ABC", "", 40, "04/29", "11:30", "7", "CW").trimmed(),  // a line may end early
      Key('5', "JH1XYZ", "SSB", 7, "04/30", "08:00", "10125", "SSB"),
      Key('9', "JH1XYZ", "SSB", 9, "04/30", "08:05", "10125", "SSB"),
  };
  ASSERT_EQ(lines.first().size(), 45);
  const QList<DuplicateListRow> rows = ParseDuplicateList(lines);
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[0], (DuplicateListRow{"1", "12", "JA1ABC", "04/29", "09:15", "7", "CW", 0, {}}));
  EXPECT_EQ(rows[1], (DuplicateListRow{"", "34", "JA1ABC", "04/29", "10:02", "7", "CW", 0, {}}));
  EXPECT_EQ(rows[2].mode, "CW");
  EXPECT_EQ(rows[3], (DuplicateListRow{"2", "7", "JH1XYZ", "04/30", "08:00", "10125", "SSB", 0, {}}));
  EXPECT_EQ(rows[4].group, "");
  // Short or empty lines do no harm.
  EXPECT_EQ(ParseDuplicateList({"", "5JA1", "9"}).size(), 2);
  EXPECT_TRUE(ReadDuplicateList("/nonexistent/zotradup.wk").isEmpty());
}

TEST(DuplicateList, EachGroupKeepsItsEarliestValidQso) {
  // JA1ABC thrice (records 12, 34, 40), JH1XYZ twice, both 9999 after an
  // earlier revalidation: told apart by their times.
  QsoTable table;
  ParseWorkFile(WorkFile("7", {Qso(12, "JA1ABC", "599 13", "13"), Qso(9999, "JH1XYZ", "599 14", "14"),
                               Qso(34, "JA1ABC", "599 13", "13"), Qso(5, "JA1AAA", "599 15", "15"),
                               Qso(40, "JA1ABC/1", "599 13", "13"), Qso(9999, "JH1XYZ", "599 14", "14")}),
                &table);
  table.SetCell(6, col::kTime, "10:05");
  QList<DuplicateListRow> list = ParseDuplicateList(
      {Key('5', "JA1ABC", "CW", 12, "04/29", "09:12", "7", "CW"), Key('9', "JA1ABC", "CW", 34, "04/29", "09:34", "7", "CW"),
       Key('9', "JA1ABC", "CW", 40, "04/29", "09:40", "7", "CW"), Key('5', "JH1XYZ", "CW", 9999, "04/29", "09:39", "7", "CW"),
       Key('9', "JH1XYZ", "CW", 9999, "04/29", "10:05", "7", "CW"), Key('9', "JH1XYZ", "CW", 77, "04/29", "10:07", "7", "CW")});
  FindInTable(&list, table);
  QList<int> rows;
  for (const DuplicateListRow& r : list) rows << r.row;
  EXPECT_EQ(rows, (QList<int>{1, 3, 5, 2, 6, 0}));  // a QSO not in the table is not found
  EXPECT_EQ(LaterDuplicateRows(list, table), (std::vector<int>{3, 5, 6}));
  // The first made invalid by hand: the next valid one is kept. A call sign
  // corrected since the check leaves its group.
  table.SetCell(1, col::kNumber, "0");
  table.SetCell(6, col::kCall, "JH1XYX");
  EXPECT_EQ(LaterDuplicateRows(list, table), (std::vector<int>{5}));
  EXPECT_EQ(InvalidatedDuplicatesReport(5, 1),
            U("重複交信 5 件のうち 1 件を無効交信にしました\n各局の最初の有効な交信が残ります（UNdo で元に戻せます）"));
  EXPECT_EQ(InvalidatedDuplicatesReport(5, 0), U("無効交信にする重複交信はありません"));
}

TEST(UndoStack, StepsNewestFirstAtMostOneHundred) {
  QsoTable table;
  ParseWorkFile(WorkFile("7", {Qso(1, "JA1AAA", "599 13M", "13"), Qso(2, "JA1ABA", "599 14M", "14")}), &table);
  QsoTableModel model(&table);
  UndoStack undo;
  EXPECT_FALSE(undo.Snapshot(model, 1, col::kCall));
  EXPECT_FALSE(undo.Snapshot(model, 1, col::kCall));  // unchanged: no step
  model.SetCell(1, col::kCall, "JA1AAB");
  EXPECT_TRUE(undo.Snapshot(model, 2, col::kCall));
  EXPECT_EQ(model.MarkOf(1, col::kCall), QsoTableModel::Mark::Changed);
  model.SetCell(2, col::kCall, "JA1ABB");
  EXPECT_TRUE(undo.Snapshot(model, 2, col::kMulti1));
  EXPECT_EQ(undo.Count(), 2);
  EXPECT_EQ(UndoCaption(2, true), "UNdo 2");
  EXPECT_EQ(UndoCaption(0, false), "Un Do");

  UndoEntry step = undo.Undo(model);
  EXPECT_EQ(step.row, 2);
  EXPECT_EQ(model.Cell(2, col::kCall), "JA1ABA");
  EXPECT_EQ(model.MarkOf(2, col::kCall), QsoTableModel::Mark::Restored);
  // The cell put back is the one selected now: no step for it.
  EXPECT_FALSE(undo.Snapshot(model, 2, col::kCall));
  step = undo.Undo(model);
  EXPECT_EQ(model.Cell(1, col::kCall), "JA1AAA");
  EXPECT_EQ(undo.Count(), 0);
  EXPECT_EQ(undo.Undo(model).row, 0);

  // 101 changes keep the newest 100.
  for (int i = 1; i <= 102; ++i) {
    model.SetCell(1, col::kPoints, QString::number(i));
    undo.Snapshot(model, 1, col::kPoints);
  }
  EXPECT_EQ(undo.Count(), 100);
  EXPECT_EQ(undo.Entry(1).text, "101");
  EXPECT_EQ(undo.Entry(100).text, "2");

  // Cells changed together are one step; the cell selected among them makes
  // no step of its own.
  undo.Snapshot(model, 1, col::kNumber);
  model.SetCell(1, col::kNumber, "0");
  model.SetCell(2, col::kNumber, "0");
  undo.PushTogether(model, {{1, col::kNumber, "1"}, {2, col::kNumber, "2"}});
  EXPECT_FALSE(undo.Snapshot(model, 1, col::kCall));
  EXPECT_EQ(undo.Undo(model).row, 1);
  EXPECT_EQ(model.Cell(1, col::kNumber) + model.Cell(2, col::kNumber), "12");
  EXPECT_EQ(undo.Entry(1).text, "101");
}
