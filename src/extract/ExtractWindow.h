// The main window of the extraction: the logbook and the progress of a run,
// the area-code editing with its options per region group, the frequency
// note, and the two buttons that run the extraction and go back to the menu.
#pragma once

#include "ExtractSetup.h"
#include "Extraction.h"
#include "common/ui/ProgramWindow.h"

#include <QElapsedTimer>

#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zotra {

class ExtractWindow : public ProgramWindow, private ExtractObserver {
  Q_OBJECT
 public:
  ExtractWindow(Frame& frame, Dialogs& dialogs, ExtractSetup setup, QWidget* parent = nullptr);
  ~ExtractWindow() override;

  // The options the controls hold.
  ExtractOptions Options() const;

  // Command1: one run over the logbook. Returns when it has ended; when it
  // was stopped (Command2, Cancel at a conversion error) or the logbook's
  // files are missing, the window has gone back to the menu.
  ExtractResult Run();
  bool Running() const { return running_; }

 signals:
  // Each time the window shows the progress of a run.
  void ProgressShown(const zotra::ExtractProgress& progress);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool Progress(const ExtractProgress& progress) override;
  void BuildControls();
  QGroupBox* BuildGroup(int group);
  void ShowOptions();
  void SetRunning(bool running);
  void ShowDatabase(const QString& label, bool warning);

  Dialogs& dialogs_;
  ExtractSetup setup_;
  AreaOptions area_;
  bool running_ = false;
  bool stopRequested_ = false;
  bool showingOptions_ = false;
  bool check3WasSet_ = false;
  ExtractProgress::Phase shownPhase_ = ExtractProgress::Phase::Finished;
  QElapsedTimer sinceShown_;

  QLabel* label1_ = nullptr;  // record number
  QLabel* label2_ = nullptr;  // date and time of the last kept QSO
  QLabel* label3_ = nullptr;  // its call sign
  QLabel* label4_ = nullptr;  // kept QSOs
  QLabel* label5_ = nullptr;  // the logbook
  QCheckBox* check3_ = nullptr;
  QCheckBox* check5_ = nullptr;
  QCheckBox* check6_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QComboBox* combo1_ = nullptr;
  std::array<QGroupBox*, 2> groupBox_{};
  std::array<QButtonGroup*, 2> levels_{};  // Option3 to Option6 of a group
  std::array<QCheckBox*, 2> check1_{};     // 区は市に
  std::array<QCheckBox*, 2> check4_{};     // 東京の区は市扱い
  std::array<QCheckBox*, 2> check2_{};     // 県名は消す
  QGroupBox* hokkaidoBox_ = nullptr;
  QRadioButton* option1_ = nullptr;        // 01 北海道
  QRadioButton* option2_ = nullptr;        // 支庁に変換
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

// The program's start after the frame's checks: everything the extraction
// reads at its start (a failure is told and the program goes back to the
// menu), then the window. Null when the program ends.
std::unique_ptr<ExtractWindow> OpenExtractWindow(Frame& frame, Dialogs& dialogs, const QString& environmentPath,
                                                 const QString& definitionPath);

}  // namespace zotra
