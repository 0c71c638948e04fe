#include "UndoStack.h"

namespace zotra {

bool UndoStack::Snapshot(QsoTableModel& model, int row, int column) {
  bool pushed = false;
  UndoEntry& current = entries_[0];
  if (current.row > 0 && model.Cell(current.row, current.column) != current.text) {
    for (int i = kSteps; i >= 1; --i) entries_[static_cast<size_t>(i)] = entries_[static_cast<size_t>(i - 1)];
    count_ = qMin(count_ + 1, kSteps);
    model.SetMark(entries_[1].row, entries_[1].column, QsoTableModel::Mark::Changed);
    pushed = true;
  }
  entries_[0] = {row, column, model.Cell(row, column)};
  return pushed;
}

UndoEntry UndoStack::Undo(QsoTableModel& model) {
  if (count_ == 0) return {};
  const UndoEntry step = entries_[1];
  model.SetCell(step.row, step.column, step.text);
  model.SetMark(step.row, step.column, QsoTableModel::Mark::Restored);
  for (int i = 1; i < count_; ++i) entries_[static_cast<size_t>(i)] = entries_[static_cast<size_t>(i + 1)];
  entries_[static_cast<size_t>(count_)] = {};
  --count_;
  entries_[0] = step;
  return step;
}

void UndoStack::Refresh(const QsoTableModel& model) {
  UndoEntry& current = entries_[0];
  if (current.row > 0) current.text = model.Cell(current.row, current.column);
}

QString UndoCaption(int count, bool anyStepYet) {
  return anyStepYet ? QStringLiteral("UNdo ") + QString::number(count) : QStringLiteral("Un Do");
}

}  // namespace zotra
