// The summary-sheet window ("ｻﾏﾘｰｼｰﾄ印刷"): the paper (the sponsor's
// pre-printed form or blank paper), colour, paper check, preview, the name in
// the signature line, the printer; the print job, after which the electronic
// log and the text summary are written as the definition asks; the menus
// that open those files and the submission.
#pragma once

#include "BandTotals.h"
#include "SummaryJob.h"
#include "SummaryOutputs.h"
#include "common/gui/Printers.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace zotra {

class Dialogs;
class Frame;
class PreviewWindow;

class SummaryWindow : public QMainWindow {
  Q_OBJECT
 public:
  // totals: the totals window's grid and boxes at the time of a print job.
  SummaryWindow(Frame& frame, Dialogs& dialogs, std::function<TotalsSnapshot()> totals, QWidget* parent = nullptr);
  ~SummaryWindow() override;

  // Shows the window where it was left and gives it the focus.
  void Open();
  // Leaves the window ("中止", or its frame): hidden, the totals window takes over.
  void Leave();

  // Keeps the window's position, the paper, colour and paper-check choices,
  // and the preview window's place, in the settings.
  void SaveSettings() const;

  // The print job of "印刷開始" / "処理開始".
  void RunPrintJob();

  // How the comment window is asked for the JAG QSO party: given the current
  // override and whether a choice was made before, the new override, or none
  // when the window was closed without a choice. The default opens the
  // comment window modally.
  using CommentChooser = std::function<std::optional<QString>(const QString& current, bool chosenBefore)>;
  void SetCommentChooser(CommentChooser chooser) { chooseComment_ = std::move(chooser); }

  // The submission window, opened by "電子ログの送信"; while none is set the
  // menu stays off.
  void SetSubmissionHandler(std::function<void(SummaryWindow&)> handler);

  // Run state for the outputs and the submission.
  const QString& CommentOverride() const { return commentOverride_; }
  const OutputResult& Outputs() const { return outputs_; }
  bool JobHasRun() const { return jobHasRun_; }

  PrinterSetup& Printer() { return printer_; }
  PreviewWindow* previewWindow() const { return preview_.get(); }

 signals:
  void Left();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void RestoreSettings();
  void PaperChosen();
  void PreviewToggled();
  void PrinterChosen(const QString& name);
  void OpenPrinterProperties();
  PrintJobSettings JobSettings() const;
  // "電子ログの編集" and "電子ログの送信" once a job has run; the editor items
  // when their file was written.
  void UpdateMenus();
  void OpenInEditor(const QString& path);

  Frame& frame_;
  Dialogs& dialogs_;
  std::function<TotalsSnapshot()> totals_;
  PrinterSetup printer_;
  std::unique_ptr<PreviewWindow> preview_;
  CommentChooser chooseComment_;
  std::function<void(SummaryWindow&)> submission_;

  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QCheckBox* check2_ = nullptr;
  QCheckBox* check3_ = nullptr;
  QCheckBox* check4_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QMenu* dlg1_ = nullptr;
  QAction* vqEdit_ = nullptr;
  QAction* jarlEdit_ = nullptr;
  QAction* logSend_ = nullptr;

  QString commentOverride_;
  bool commentChosen_ = false;
  OutputResult outputs_;
  bool jobHasRun_ = false;
};

}  // namespace zotra
