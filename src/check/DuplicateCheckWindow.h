// The window "重複交信チェック" after the duplicate check: its counts, the
// printer and what to print, the duplicate check list on paper or in a
// preview, and the window "重複交信表示" with the duplicate QSOs.
#pragma once

#include "CheckDefinition.h"
#include "DuplicateCheck.h"
#include "DuplicateList.h"
#include "common/Frame.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zotra {

class Dialogs;
class PreviewWindow;
class PrinterSetup;

class DuplicateCheckWindow : public QDialog {
  Q_OBJECT
 public:
  // folder: where a PDF file is suggested; printer: the program's printer
  // choice, kept from one opening to the next.
  DuplicateCheckWindow(const QString& folder, Dialogs& dialogs, PrinterSetup& printer,
                       const DuplicateListHeading& heading, const CheckResult& result, QWidget* parent = nullptr);

  // Lines and pages to print with the current choice of "全部印刷" /
  // "重複局のみ印刷".
  int PrintLines() const;
  int Pages() const;
  bool DuplicatesOnly() const;

  // Command1: prints the list (after the paper check when asked for).
  bool Print();
  // Command4: the window "重複交信表示" (shown, not modal).
  QDialog* ShowDuplicates();
  // "プレビュー": the list as "印刷" would print it, in the preview window.
  // False when there is nothing to print.
  bool ShowPreview();
  PreviewWindow* previewWindow() const { return previewWindow_; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildControls();
  void UpdatePages();
  void ChoosePrinter(const QString& name);

  QString folder_;
  Frame frame_;  // the preview's place is kept in the settings
  Dialogs& dialogs_;
  PrinterSetup& printer_;
  DuplicateListHeading heading_;
  QStringList keyLines_;
  QLabel* pages_ = nullptr;
  QLabel* status_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* preview_ = nullptr;
  PreviewWindow* previewWindow_ = nullptr;
  int counts_[4] = {};
};

// The window "重複交信表示": one row per QSO of a station worked more than
// once, each station's rows shaded alike.
class DuplicateGridWindow : public QDialog {
  Q_OBJECT
 public:
  DuplicateGridWindow(const QStringList& keyLines, QWidget* parent = nullptr);
};

}  // namespace zotra
