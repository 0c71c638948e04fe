// The undo stack of the cell editor: 100 steps. Entry 0 is the snapshot of
// the cell selected last (its row, column and text at that moment); entries
// 1 … Count() are the undoable changes, newest first.
#pragma once

#include "QsoTableModel.h"

#include <QList>
#include <QString>

#include <array>

namespace zotra {

struct UndoCell {
  int row = 0;  // 0: no cell
  int column = 0;
  QString text;
};

// A step: its cell, and the further cells changed with it in one action
// (the one-step invalidation of the duplicates).
struct UndoEntry : UndoCell {
  QList<UndoCell> together;
};

class UndoStack {
 public:
  static constexpr int kSteps = 100;

  // The snapshot, taken on every cell click, when the editor or the table
  // loses the focus, when the table scrolls and after an invalidation: when
  // the cell of entry 0 no longer holds entry 0's text, that change becomes
  // the newest step (the oldest of 100 is dropped) and the cell's text turns
  // red. Then entry 0 = the cell (row, column) with its current text.
  // Returns true when a step was added.
  bool Snapshot(QsoTableModel& model, int row, int column);

  // Makes one step of cells changed together (each with its text before the
  // change; the first is the step's cell) and colours their texts red.
  // Entry 0 takes its cell's text again. Nothing for no cells.
  void PushTogether(QsoTableModel& model, const QList<UndoCell>& before);

  // Puts the newest step's texts back into its cells and colours them green;
  // the step's cell becomes entry 0. Returns the step (row 0 when there was
  // no step).
  UndoEntry Undo(QsoTableModel& model);

  // Takes entry 0's text again from its cell without adding a step (after
  // changes that are not undoable, such as the multiplier arrangement).
  void Refresh(const QsoTableModel& model);

  int Count() const { return count_; }
  const UndoEntry& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }

 private:
  // The newest step (the oldest of 100 dropped); its cells' texts turn red.
  void Push(QsoTableModel& model, const UndoEntry& step);

  std::array<UndoEntry, kSteps + 1> entries_;
  int count_ = 0;
};

// The caption of the undo button: "Un Do" before the first step, then
// "UNdo " followed by the step count.
QString UndoCaption(int count, bool anyStepYet);

}  // namespace zotra
