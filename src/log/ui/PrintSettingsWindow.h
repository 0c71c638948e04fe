// The print settings window ("印刷条件の設定", Form2): paper and line spacing,
// the special font, files only, the mode in the remarks column, headings,
// subtotals and points, invalid QSOs, the position adjustment and the test
// print, the printer with its properties, the paper check, the preview of the
// sheets, and "印刷開始", which runs the output pass in the progress window.
#pragma once

#include "common/gui/Printers.h"
#include "log/OutputPass.h"
#include "log/PrintSettings.h"
#include "log/PrinterPositions.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zotra {

class Dialogs;
class Frame;
class PositionWindow;
class PreviewWindow;
class ProgressWindow;
struct LogSession;

class PrintSettingsWindow : public QDialog {
  Q_OBJECT
 public:
  PrintSettingsWindow(Frame& frame, Dialogs& dialogs, const LogSession& session, QWidget* parent = nullptr,
                      const FontTest& fontInstalled = {});
  ~PrintSettingsWindow() override;

  // The settings as the controls hold them, and back.
  PrintSettings Settings() const;
  void SetSettings(const PrintSettings& settings);

  PrinterSetup& Printer() { return printer_; }
  const PrinterPositionTable& Positions() const { return positions_; }

  // The buttons' actions, also for tests.
  // "印刷開始": the paper checks, then the output pass in the progress
  // window; the window then closes. False when nothing ran (a paper check
  // failed, the PDF file was not chosen).
  bool StartPrinting();
  bool TestPrint();        // "テスト印刷"
  // "プレビュー": the sheets as "印刷開始" would print them, in the preview
  // window; nothing is written. False when there is no sheet.
  bool ShowPreview();
  void OpenPositions();    // "位置調整": the position adjustment window, modally
  void ChoosePrinter(const QString& name);

  // Rebuilds the printer position table and shows the current printer's
  // paper, as on every activation of the window.
  void Refresh();

  // The result of the last output pass.
  const OutputPassResult& LastPass() const { return lastPass_; }
  ProgressWindow* progressWindow() const { return progress_; }
  PositionWindow* positionWindow() const { return positionWindow_; }
  PreviewWindow* previewWindow() const { return previewWindow_; }

  // Keeps the settings and the positions of the print windows ("Form2Top" …
  // "Form4Left"), as the exit routine does.
  void SaveState() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  OutputPassContext PassContext(const PrintSettings& settings);
  void BuildControls();
  void UpdateEnabling();
  void UpdatePaper();

  Frame& frame_;
  Dialogs& dialogs_;
  const LogSession& session_;
  FontTest fontInstalled_;
  PrinterSetup printer_;
  PrinterPositionTable positions_;
  SpecialFont specialFont_;
  bool filesOnlyAllowed_ = false;
  OutputPassResult lastPass_;
  ProgressWindow* progress_ = nullptr;
  PositionWindow* positionWindow_ = nullptr;
  PreviewWindow* previewWindow_ = nullptr;

  QRadioButton* option1_ = nullptr;  // JARL paper
  QRadioButton* option2_ = nullptr;  // blank paper
  QComboBox* combo1_ = nullptr;      // line spacing
  QCheckBox* check1_ = nullptr;      // paper check
  QCheckBox* check2_ = nullptr;      // special font
  QCheckBox* check3_ = nullptr;      // files only
  QCheckBox* check4_ = nullptr;      // mode in remarks
  QCheckBox* xhed_ = nullptr;
  QCheckBox* xoshiri_ = nullptr;
  QCheckBox* xtokuten_ = nullptr;
  QRadioButton* option3_ = nullptr;  // invalid QSOs left out
  QRadioButton* option4_ = nullptr;  // struck through
  QComboBox* combo2_ = nullptr;      // printer
  QPushButton* command1_ = nullptr;  // 印刷開始
  QPushButton* command2_ = nullptr;  // back
  QPushButton* command3_ = nullptr;  // test print
  QPushButton* command4_ = nullptr;  // position adjustment
  QPushButton* command5_ = nullptr;  // properties
  QPushButton* preview_ = nullptr;
  QGroupBox* paperFrame_ = nullptr;
  QGroupBox* headingFrame_ = nullptr;
  QGroupBox* invalidFrame_ = nullptr;
  QGroupBox* positionFrame_ = nullptr;
  QGroupBox* printerFrame_ = nullptr;
  QGroupBox* checkFrame_ = nullptr;
  QLabel* paperSize_ = nullptr;
  QLabel* orientation_ = nullptr;
};

}  // namespace zotra
