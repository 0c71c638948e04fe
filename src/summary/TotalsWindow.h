// The totals window of zotrat: the band grid as the log program left it in
// the points file, how the total score is formed (multipliers added or
// multiplied, or the score typed by hand), the station coefficient, and the
// way to the summary-sheet window.
#pragma once

#include "BandTotals.h"
#include "common/ui/ProgramWindow.h"

#include <memory>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace zotra {

class Dialogs;
class SummaryWindow;

class TotalsWindow : public ProgramWindow {
  Q_OBJECT
 public:
  TotalsWindow(Frame& frame, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TotalsWindow() override;

  // The start: the points file sorted into its copy, the grid, the totals,
  // the definition's coefficient and multipliers, the score, the station
  // folder, the calculator.
  void Start();

  // The grid and the two boxes, as the summary sheet and the electronic
  // outputs read them.
  TotalsSnapshot Snapshot() const;
  ScoreMode Mode() const;
  // Forms the score anew ("再計算", a choice of mode, a new coefficient).
  void Recompute();

  SummaryWindow* summaryWindow() const { return summary_.get(); }
  // The calculator "電卓起動" starts; empty when there is none.
  const QString& Calculator() const { return calculator_; }

 protected:
  void Closing() override;

 private:
  void BuildControls();
  void ShowGrid();
  void ScoreForMode(bool coefficientChanged);
  void OpenSummaryWindow();
  void SummaryWindowLeft();
  void StartCalculator();

  Dialogs& dialogs_;
  TotalsGrid grid_;
  QTableWidget* grid1_ = nullptr;
  QRadioButton* option1_[3] = {};
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QString calculator_;
  bool started_ = false;
  std::unique_ptr<SummaryWindow> summary_;
};

}  // namespace zotra
