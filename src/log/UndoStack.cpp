#include "UndoStack.h"

namespace zotra {

void UndoStack::Push(QsoTableModel& model, const UndoEntry& step) {
  for (int i = kSteps; i >= 2; --i) entries_[static_cast<size_t>(i)] = std::move(entries_[static_cast<size_t>(i - 1)]);
  entries_[1] = step;
  count_ = qMin(count_ + 1, kSteps);
  model.SetMark(step.row, step.column, QsoTableModel::Mark::Changed);
  for (const UndoCell& c : step.together) model.SetMark(c.row, c.column, QsoTableModel::Mark::Changed);
}

bool UndoStack::Snapshot(QsoTableModel& model, int row, int column) {
  bool pushed = false;
  const UndoEntry& current = entries_[0];
  if (current.row > 0 && model.Cell(current.row, current.column) != current.text) {
    Push(model, current);
    pushed = true;
  }
  entries_[0] = {{row, column, model.Cell(row, column)}, {}};
  return pushed;
}

void UndoStack::PushTogether(QsoTableModel& model, const QList<UndoCell>& before) {
  if (before.isEmpty()) return;
  Push(model, {before.first(), before.mid(1)});
  Refresh(model);
}

UndoEntry UndoStack::Undo(QsoTableModel& model) {
  if (count_ == 0) return {};
  const UndoEntry step = entries_[1];
  for (const UndoCell& c : QList<UndoCell>{step} + step.together) {
    model.SetCell(c.row, c.column, c.text);
    model.SetMark(c.row, c.column, QsoTableModel::Mark::Restored);
  }
  for (int i = 1; i < count_; ++i) entries_[static_cast<size_t>(i)] = entries_[static_cast<size_t>(i + 1)];
  entries_[static_cast<size_t>(count_)] = {};
  --count_;
  entries_[0] = {step, {}};
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
