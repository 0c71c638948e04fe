#include "DataSelection.h"

#include "common/Text.h"

namespace zotra {

CallShape CallShapeOf(const QString& callSign) {
  const int slash = callSign.indexOf(QLatin1Char('/'));
  const QString call = slash < 0 ? callSign : callSign.left(slash);
  if (call.size() == 5) return CallShape::TwoLetter;
  if (call.size() == 6 && call.at(3) == call.at(5)) {
    return call.at(4) == call.at(3) ? CallShape::Triple : CallShape::Sandwich;
  }
  return CallShape::None;
}

QString SearchText(const QString& input) { return TrimBlanks(Upper(input)); }

std::vector<bool> SelectRows(const QsoTable& table, SelectionRule rule, const QString& text) {
  std::vector<bool> selected(static_cast<size_t>(table.RowCount()), false);
  CallShape wanted = CallShape::None;
  switch (rule) {
    case SelectionRule::Text:
    case SelectionRule::CallText: break;
    case SelectionRule::Triple: wanted = CallShape::Triple; break;
    case SelectionRule::Sandwich: wanted = CallShape::Sandwich; break;
    case SelectionRule::TwoLetter: wanted = CallShape::TwoLetter; break;
  }
  for (int r = 1; r <= table.RowCount(); ++r) {
    bool hit = false;
    if (rule == SelectionRule::Text) hit = table.Field(r, col::kReceived).contains(text);
    else if (rule == SelectionRule::CallText) hit = Upper(table.Cell(r, col::kCall)).contains(text);
    else hit = CallShapeOf(table.Cell(r, col::kCall)) == wanted;
    selected[static_cast<size_t>(r - 1)] = hit;
  }
  return selected;
}

int SelectionColumn(SelectionRule rule) { return rule == SelectionRule::Text ? col::kReceived : col::kCall; }

QString SelectionReport(int selected) {
  if (selected == 0) return QStringLiteral("一件も交信データが選択されませんでした");
  return QString::number(selected) + QStringLiteral(" 件のデータが選択されました\n選択されたデータは得点欄で判別できます");
}

}  // namespace zotra
