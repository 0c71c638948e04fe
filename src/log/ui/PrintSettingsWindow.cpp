#include "PrintSettingsWindow.h"

#include "PositionWindow.h"
#include "ProgressWindow.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/gui/Fonts.h"
#include "common/gui/PaintSurface.h"
#include "common/ui/PreviewWindow.h"
#include "common/ui/PrinterProperties.h"
#include "common/ui/ProgramWindow.h"
#include "log/LogSession.h"
#include "log/LogSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zotra {
namespace {

const PositionKeys kForm2Position{QStringLiteral("Form2Top"), QStringLiteral("Form2Left")};
const PositionKeys kForm3Position{QStringLiteral("Form3Top"), QStringLiteral("Form3Left")};
const PositionKeys kForm4Position{QStringLiteral("Form4Top"), QStringLiteral("Form4Left")};

template <typename T>
T* Named(T* widget, const QString& name, const QString& toolTip = {}) {
  widget->setObjectName(name);
  if (!toolTip.isEmpty()) widget->setToolTip(toolTip);
  return widget;
}

QPushButton* NamedButton(const QString& name, const QString& caption, const QString& toolTip) {
  auto* b = Named(new QPushButton(caption), name, toolTip);
  b->setAutoDefault(false);
  b->setMinimumHeight(30);
  return b;
}

}  // namespace

PrintSettingsWindow::PrintSettingsWindow(Frame& frame, Dialogs& dialogs, const LogSession& session, QWidget* parent,
                                         const FontTest& fontInstalled)
    : QDialog(parent),
      frame_(frame),
      dialogs_(dialogs),
      session_(session),
      fontInstalled_(fontInstalled ? fontInstalled : FontTest(FontInstalled)) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("印刷条件の設定"));
  filesOnlyAllowed_ = session.definition.electronicLog;
  BuildControls();
  SetSettings(LoadPrintSettings(frame_, filesOnlyAllowed_, fontInstalled_));
  positions_ = PrinterPositionTable::Load(frame_.Folder());
  adjustSize();
  RestoreWindowPosition(this, frame_, kForm2Position);
}

PrintSettingsWindow::~PrintSettingsWindow() = default;

void PrintSettingsWindow::BuildControls() {
  // Paper: the preprinted JARL form or blank paper with its line spacing.
  paperFrame_ = Named(new QGroupBox(QStringLiteral("用紙")), QStringLiteral("Frame1"));
  option1_ = Named(new QRadioButton(QStringLiteral("JARL 用紙")), QStringLiteral("option1"),
                   QStringLiteral("JARL のログシート用紙に印刷します"));
  option2_ = Named(new QRadioButton(QStringLiteral("白紙")), QStringLiteral("Option2"),
                   QStringLiteral("白紙に罫線付きで印刷します"));
  combo1_ = Named(new QComboBox, QStringLiteral("Combo1"), QStringLiteral("白紙印刷時の行間隔を設定します"));
  combo1_->addItems(LineSpacingItems());
  auto* paper = new QGridLayout(paperFrame_);
  paper->addWidget(option1_, 0, 0, 1, 3);
  paper->addWidget(option2_, 1, 0);
  paper->addWidget(new QLabel(QStringLiteral("行間")), 1, 1, Qt::AlignRight);
  paper->addWidget(combo1_, 1, 2);
  paper->addWidget(new QLabel(QStringLiteral("mm")), 1, 3);
  paper->setColumnStretch(0, 1);

  // What is printed.
  check2_ = Named(new QCheckBox, QStringLiteral("Check2"), QStringLiteral("交信ログの印刷に ＨＡＭ 明朝を使用します"));
  check3_ = Named(new QCheckBox(QStringLiteral("紙ログは印刷しない")), QStringLiteral("Check3"),
                  QStringLiteral("電子ログファイルのみ作成します"));
  check4_ = Named(new QCheckBox(QStringLiteral("Rmks に Mode 印刷")), QStringLiteral("Check4"),
                  QStringLiteral("紙ログの場合 Rmks 欄に交信モードを印刷します"));

  headingFrame_ = Named(new QGroupBox(QStringLiteral("見出し")), QStringLiteral("Frame2"));
  xhed_ = Named(new QCheckBox(QStringLiteral("見出しの印刷")), QStringLiteral("xhed"),
                QStringLiteral("見出し欄の印刷を制御します"));
  xoshiri_ = Named(new QCheckBox(QStringLiteral("小計の印刷")), QStringLiteral("xoshiri"),
                   QStringLiteral("小計欄の印刷を制御します"));
  xtokuten_ = Named(new QCheckBox(QStringLiteral("得点の印刷")), QStringLiteral("xtokuten"),
                    QStringLiteral("得点欄の印刷を制御します"));
  auto* heading = new QVBoxLayout(headingFrame_);
  heading->addWidget(xhed_);
  heading->addWidget(xoshiri_);
  heading->addWidget(xtokuten_);

  invalidFrame_ = Named(new QGroupBox(QStringLiteral("無効交信")), QStringLiteral("Frame3"));
  option3_ = Named(new QRadioButton(QStringLiteral("印刷しない")), QStringLiteral("Option3"),
                   QStringLiteral("無効交信は印刷しません"));
  option4_ = Named(new QRadioButton(QStringLiteral("取消線付き印刷")), QStringLiteral("Option4"),
                   QStringLiteral("無効交信も印刷します"));
  auto* invalid = new QVBoxLayout(invalidFrame_);
  invalid->addWidget(option3_);
  invalid->addWidget(option4_);
  invalid->addStretch(1);

  positionFrame_ = Named(new QGroupBox(QStringLiteral("印字位置")), QStringLiteral("Frame4"));
  command4_ = NamedButton(QStringLiteral("Command4"), QStringLiteral("位置調整"), QStringLiteral("印字位置修正画面を呼び出します"));
  command3_ = NamedButton(QStringLiteral("Command3"), QStringLiteral("テスト印刷"),
                     QStringLiteral("印字位置の修正のためのテスト印字をします"));
  auto* position = new QVBoxLayout(positionFrame_);
  position->addWidget(command4_);
  position->addWidget(command3_);

  printerFrame_ = Named(new QGroupBox(QStringLiteral("使用プリンタ")), QStringLiteral("Frame5"));
  combo2_ = Named(new QComboBox, QStringLiteral("Combo2"), QStringLiteral("印刷するプリンタを選びます"));
  combo2_->addItems(PrinterNames());
  combo2_->setMinimumWidth(220);
  command5_ = NamedButton(QStringLiteral("Command5"), QStringLiteral("プロパティ"),
                     QStringLiteral("使用するプリンタのプロパティを開きます"));
  auto* printer = new QHBoxLayout(printerFrame_);
  printer->addWidget(combo2_, 1);
  printer->addWidget(command5_);

  checkFrame_ = Named(new QGroupBox(QStringLiteral("用紙のチェック")), QStringLiteral("Frame6"));
  check1_ = Named(new QCheckBox(QStringLiteral("チェックをする")), QStringLiteral("Check1"),
                  QStringLiteral("プリンタの用紙サイズ印刷方向のチェック"));
  paperSize_ = Named(new QLabel, QStringLiteral("Label1"), QStringLiteral("使用プリンタの用紙サイズです"));
  orientation_ = Named(new QLabel, QStringLiteral("Label2"), QStringLiteral("使用プリンタの印刷方向です"));
  auto* check = new QHBoxLayout(checkFrame_);
  check->addWidget(check1_);
  check->addStretch(1);
  check->addWidget(paperSize_);
  check->addSpacing(12);
  check->addWidget(orientation_);

  command1_ = NamedButton(QStringLiteral("Command1"), QStringLiteral("印刷開始"), QStringLiteral("ログシートの印刷をします"));
  command2_ = NamedButton(QStringLiteral("Command2"), QStringLiteral("戻る"), QStringLiteral("前の画面に戻ります"));
  command1_->setMinimumWidth(110);
  preview_ = NamedButton(QStringLiteral("Preview"), QStringLiteral("プレビュー"),
                         QStringLiteral("印刷する前にログシートを画面で確かめます"));

  auto* options = new QVBoxLayout;
  options->addWidget(check2_);
  options->addWidget(check4_);
  options->addWidget(check3_);
  options->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(paperFrame_, 3);
  top->addLayout(options, 2);
  auto* middle = new QHBoxLayout;
  middle->addWidget(headingFrame_);
  middle->addWidget(invalidFrame_);
  middle->addWidget(positionFrame_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(preview_);
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 12, 14, 12);
  layout->setSpacing(10);
  layout->addLayout(top);
  layout->addLayout(middle);
  layout->addWidget(printerFrame_);
  layout->addWidget(checkFrame_);
  layout->addLayout(buttons);

  connect(option1_, &QRadioButton::toggled, this, &PrintSettingsWindow::UpdateEnabling);
  connect(check3_, &QCheckBox::toggled, this, &PrintSettingsWindow::UpdateEnabling);
  connect(combo2_, &QComboBox::textActivated, this, &PrintSettingsWindow::ChoosePrinter);
  connect(command5_, &QPushButton::clicked, this, [this] {
    ShowPrinterProperties(printer_, dialogs_, this,
                          ResolveInFolder(frame_.Folder(), LogSheetPdfFileName(session_.BandSelection())));
    UpdatePaper();
  });
  connect(command4_, &QPushButton::clicked, this, &PrintSettingsWindow::OpenPositions);
  connect(command3_, &QPushButton::clicked, this, [this] { TestPrint(); });
  connect(command1_, &QPushButton::clicked, this, [this] { StartPrinting(); });
  connect(preview_, &QPushButton::clicked, this, [this] { ShowPreview(); });
  connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
}

PrintSettings PrintSettingsWindow::Settings() const {
  PrintSettings s;
  s.jarlPaper = option1_->isChecked();
  s.lineSpacing = combo1_->currentText();
  s.specialFont = specialFont_;
  s.specialFontChecked = check2_->isChecked();
  s.filesOnlyAllowed = filesOnlyAllowed_;
  s.filesOnly = check3_->isChecked();
  s.modeInRemarks = check4_->isChecked();
  s.headings = xhed_->isChecked();
  s.subtotals = xoshiri_->isChecked();
  s.points = xtokuten_->isChecked();
  s.omitInvalid = option3_->isChecked();
  s.paperCheck = check1_->isChecked();
  return s;
}

void PrintSettingsWindow::SetSettings(const PrintSettings& s) {
  (s.jarlPaper ? option1_ : option2_)->setChecked(true);
  combo1_->setCurrentIndex(qMax(0, combo1_->findText(RestoredLineSpacing(s.lineSpacing))));
  specialFont_ = s.specialFont;
  check2_->setText(specialFont_.caption);
  check2_->setChecked(specialFont_.Offered() && s.specialFontChecked);
  filesOnlyAllowed_ = s.filesOnlyAllowed;
  check3_->setChecked(filesOnlyAllowed_ && s.filesOnly);
  check4_->setChecked(s.modeInRemarks);
  xhed_->setChecked(s.headings);
  xoshiri_->setChecked(s.subtotals);
  xtokuten_->setChecked(s.points);
  (s.omitInvalid ? option3_ : option4_)->setChecked(true);
  check1_->setChecked(s.paperCheck);
  UpdateEnabling();
}

void PrintSettingsWindow::UpdateEnabling() {
  if (!filesOnlyAllowed_) check3_->setChecked(false);
  check3_->setEnabled(filesOnlyAllowed_);
  const bool paper = !check3_->isChecked();
  check2_->setEnabled(paper && specialFont_.Offered());
  option1_->setEnabled(paper);
  option2_->setEnabled(paper);
  combo1_->setEnabled(paper && option2_->isChecked());
  check4_->setEnabled(paper);
  command5_->setEnabled(paper);
  preview_->setEnabled(paper);
  for (QGroupBox* frame : {headingFrame_, invalidFrame_, positionFrame_, printerFrame_, checkFrame_}) {
    frame->setEnabled(paper);
  }
  command1_->setText(paper ? QStringLiteral("印刷開始") : QStringLiteral("処理開始"));
}

void PrintSettingsWindow::UpdatePaper() {
  paperSize_->setText(printer_.IsA4() ? QStringLiteral("A4") : QStringLiteral("A4以外"));
  orientation_->setText(printer_.IsPortrait() ? QStringLiteral("縦方向        ") : QStringLiteral("横方向"));
  const int index = combo2_->findText(printer_.Name());
  if (index >= 0) combo2_->setCurrentIndex(index);
}

void PrintSettingsWindow::Refresh() {
  positions_ = PrinterPositionTable::Load(frame_.Folder());
  UpdatePaper();
}

void PrintSettingsWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Refresh();
}

void PrintSettingsWindow::ChoosePrinter(const QString& name) {
  printer_.Select(name);
  UpdatePaper();
}

void PrintSettingsWindow::OpenPositions() {
  Refresh();
  if (!positionWindow_) {
    positionWindow_ = new PositionWindow(positions_, dialogs_, this);
    positionWindow_->adjustSize();
    RestoreWindowPosition(positionWindow_, frame_, kForm4Position);
  }
  positionWindow_->Open(printer_.Name());
  Refresh();
}

bool PrintSettingsWindow::TestPrint() {
  Refresh();
  auto surface = printer_.Open(dialogs_, QStringLiteral("テスト印刷"),
                               ResolveInFolder(frame_.Folder(), QStringLiteral("テスト印刷.pdf")));
  if (!surface) return false;
  surface->SetCalibration(positions_.CalibrationOf(printer_.Name()));
  DrawTestPrint(*surface);
  if (!surface->EndDocument()) {
    dialogs_.Tell(surface->ErrorText(), {}, Icon::Critical);
    return false;
  }
  if (printer_.IsPdf()) dialogs_.Tell(PdfWrittenMessage(printer_.OutputPdfFile()));
  return true;
}

OutputPassContext PrintSettingsWindow::PassContext(const PrintSettings& settings) {
  return {frame_.Folder(), session_, OutputOptionsFor(settings, positions_.CalibrationOf(printer_.Name())), dialogs_,
          [this](const QString& label) {
            if (progress_) progress_->SetLabel(label);
          },
          std::nullopt};
}

bool PrintSettingsWindow::ShowPreview() {
  Refresh();
  if (!previewWindow_) {
    previewWindow_ = new PreviewWindow(frame_, QStringLiteral("Preview"), this);
    previewWindow_->setWindowTitle(QStringLiteral("ログシートのプレビュー"));
  }
  if (DrawPassSheets(previewWindow_->NewDocument(), PassContext(Settings())) == 0) {
    dialogs_.Tell(QStringLiteral("印刷する交信がありません"));
    return false;
  }
  previewWindow_->ShowDocument();
  return true;
}

void PrintSettingsWindow::hideEvent(QHideEvent* event) {
  if (previewWindow_) previewWindow_->close();
  QDialog::hideEvent(event);
}

bool PrintSettingsWindow::StartPrinting() {
  PrintSettings settings = Settings();
  const bool filesOnly = settings.filesOnlyAllowed && settings.filesOnly;
  Refresh();
  if (!filesOnly && settings.paperCheck) {
    // The first thing wrong with the paper stops the print.
    const QStringList notices = printer_.PaperNotices();
    if (!notices.isEmpty()) {
      dialogs_.Tell(notices.first());
      return false;
    }
  }
  // A PDF file has no form under the data: blank paper draws it.
  if (!filesOnly && printer_.IsPdf() && settings.jarlPaper) {
    const Button answer = AskFormForPdf(dialogs_);
    if (answer == Button::Cancel) return false;
    if (answer == Button::Yes) {
      option2_->setChecked(true);
      settings = Settings();
    }
  }
  std::unique_ptr<PrintSurface> surface;
  if (filesOnly) {
    surface = std::make_unique<MeasuringSurface>();
  } else {
    surface = printer_.Open(dialogs_, LogSheetDocumentName(),
                            ResolveInFolder(frame_.Folder(), LogSheetPdfFileName(session_.BandSelection())));
    if (!surface) return false;
  }

  if (!progress_) {
    progress_ = new ProgressWindow(this);
    progress_->adjustSize();
    RestoreWindowPosition(progress_, frame_, kForm3Position);
  }
  const OutputPassContext context = PassContext(settings);
  progress_->Run([&] { lastPass_ = RunOutputPass(*surface, context); });
  accept();
  // Where the sheets went, when they went to a PDF file.
  if (!filesOnly && printer_.IsPdf() && lastPass_.sheets > 0 && !lastPass_.paperFailed) {
    dialogs_.Tell(PdfWrittenMessage(printer_.OutputPdfFile()));
  }
  return true;
}

void PrintSettingsWindow::SaveState() const {
  SavePrintSettings(frame_, Settings());
  SaveWindowPosition(this, frame_, kForm2Position);
  if (progress_) SaveWindowPosition(progress_, frame_, kForm3Position);
  if (positionWindow_) SaveWindowPosition(positionWindow_, frame_, kForm4Position);
  if (previewWindow_ && previewWindow_->isVisible()) previewWindow_->SavePlace();
}

}  // namespace zotra
