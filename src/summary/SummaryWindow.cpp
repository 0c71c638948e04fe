#include "SummaryWindow.h"

#include "CommentWindow.h"
#include "DefinitionEntries.h"
#include "common/ui/PreviewWindow.h"
#include "WindowParts.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PaintSurface.h"
#include "common/ui/PrinterProperties.h"
#include "common/ui/ProgramWindow.h"
#include "menu/Platform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zotra {
namespace {

const PositionKeys kSummaryPosition{QStringLiteral("Form2Top"), QStringLiteral("Form2Left")};
const QString kPaperKey = QStringLiteral("JARL用紙");
const QString kColourKey = QStringLiteral("カラー");
const QString kPaperCheckKey = QStringLiteral("用紙サイズ");

QCheckBox* CheckBox(const QString& name, const QString& caption, const QString& tip = {}) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  if (!tip.isEmpty()) box->setToolTip(tip);
  return box;
}

QString CheckValue(const QCheckBox* box) { return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); }

// The cursor of a long pass, given back however the pass ends.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

SummaryWindow::SummaryWindow(Frame& frame, Dialogs& dialogs, std::function<TotalsSnapshot()> totals, QWidget* parent)
    : QMainWindow(parent), frame_(frame), dialogs_(dialogs), totals_(std::move(totals)) {
  setWindowTitle(QStringLiteral("ｻﾏﾘｰｼｰﾄ印刷"));
  preview_ = std::make_unique<PreviewWindow>(frame);
  chooseComment_ = [this](const QString& current, bool chosenBefore) -> std::optional<QString> {
    CommentWindow window(current, chosenBefore, this);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.Override();
  };
  BuildControls();
  BuildMenus();
  RestoreSettings();
}

SummaryWindow::~SummaryWindow() = default;

void SummaryWindow::BuildControls() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(12, 10, 12, 12);
  layout->setSpacing(10);

  option1_ = new QRadioButton(QStringLiteral("JARL 用紙"));
  option1_->setObjectName(QStringLiteral("Option1"));
  option2_ = new QRadioButton(QStringLiteral("白紙"));
  option2_->setObjectName(QStringLiteral("Option2"));
  check1_ = CheckBox(QStringLiteral("Check1"), QStringLiteral("カラー印刷"), QStringLiteral("白紙印刷時にカラー印刷します"));
  auto* paper = new QHBoxLayout;
  paper->addWidget(option1_);
  paper->addWidget(option2_);
  paper->addWidget(check1_);
  paper->addStretch(1);
  auto* paperBox = new QGroupBox;
  paperBox->setLayout(paper);
  layout->addWidget(paperBox);

  check2_ = CheckBox(QStringLiteral("Check2"), QStringLiteral("用紙チェック"),
                     QStringLiteral("用紙の大きさ方向のチェックをします"));
  check3_ = CheckBox(QStringLiteral("Check3"), QStringLiteral("プレビュー"));
  check4_ = CheckBox(QStringLiteral("Check4"), QStringLiteral("申請者氏名の署名欄への印字"));
  auto* checks = new QVBoxLayout;
  auto* firstRow = new QHBoxLayout;
  firstRow->addWidget(check2_);
  firstRow->addWidget(check3_);
  firstRow->addStretch(1);
  checks->addLayout(firstRow);
  checks->addWidget(check4_);
  layout->addLayout(checks);

  combo1_ = new QComboBox;
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->addItems(PrinterNames());
  combo1_->setCurrentText(printer_.Name());
  combo1_->setMinimumWidth(260);
  command2_ = NamedButton(QStringLiteral("Command2"), QStringLiteral("プロパティ"),
                     QStringLiteral("使用するプリンタのプロパティ画面を開きます"));
  auto* printer = new QHBoxLayout;
  printer->addWidget(combo1_, 1);
  printer->addWidget(command2_);
  auto* printerBox = new QGroupBox(QStringLiteral("使用するプリンタ"));
  printerBox->setLayout(printer);
  layout->addWidget(printerBox);

  command1_ = NamedButton(QStringLiteral("Command1"), QStringLiteral("印刷開始"), QStringLiteral("サマリーシート印刷"));
  command3_ = NamedButton(QStringLiteral("Command3"), QStringLiteral("中止"));
  command1_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(command1_);
  buttons->addWidget(command3_);
  layout->addLayout(buttons);
  setCentralWidget(central);

  connect(option1_, &QRadioButton::clicked, this, &SummaryWindow::PaperChosen);
  connect(option2_, &QRadioButton::clicked, this, &SummaryWindow::PaperChosen);
  connect(check3_, &QCheckBox::clicked, this, &SummaryWindow::PreviewToggled);
  connect(combo1_, &QComboBox::textActivated, this, &SummaryWindow::PrinterChosen);
  connect(command1_, &QPushButton::clicked, this, &SummaryWindow::RunPrintJob);
  connect(command2_, &QPushButton::clicked, this, &SummaryWindow::OpenPrinterProperties);
  connect(command3_, &QPushButton::clicked, this, &SummaryWindow::Leave);
}

void SummaryWindow::BuildMenus() {
  dlg1_ = menuBar()->addMenu(QStringLiteral("電子ログの編集"));
  dlg1_->setObjectName(QStringLiteral("dlg1"));
  vqEdit_ = dlg1_->addAction(QStringLiteral("VQ 形式ログの編集"));
  vqEdit_->setObjectName(QStringLiteral("VQEDIT"));
  jarlEdit_ = dlg1_->addAction(QStringLiteral("JARL 形式ログの編集"));
  jarlEdit_->setObjectName(QStringLiteral("JARL_EDIT"));
  logSend_ = menuBar()->addAction(QStringLiteral("電子ログの送信"));
  logSend_->setObjectName(QStringLiteral("LogSend"));
  for (QAction* a : {dlg1_->menuAction(), vqEdit_, jarlEdit_, logSend_}) a->setEnabled(false);
  connect(vqEdit_, &QAction::triggered, this, [this] { OpenInEditor(outputs_.textSummaryPath); });
  connect(jarlEdit_, &QAction::triggered, this, [this] { OpenInEditor(outputs_.electronicLogPath); });
  connect(logSend_, &QAction::triggered, this, [this] {
    if (submission_) submission_(*this);
  });
}

void SummaryWindow::RestoreSettings() {
  (StoredJarlPaper(frame_) ? option1_ : option2_)->setChecked(true);
  check1_->setChecked(ValInt(frame_.ReadSetting(kColourKey, QStringLiteral("0"))) == 1);
  check2_->setChecked(ValInt(frame_.ReadSetting(kPaperCheckKey, QStringLiteral("1"))) == 1);
  // The log program's "紙ログは印刷しない" (stored as "Yes") turns the preview on.
  const QString filesOnly = frame_.ReadSetting(QStringLiteral("電子ログのみ"), QStringLiteral("NO"));
  check3_->setChecked(Upper(TrimBlanks(filesOnly)) == QLatin1String("YES"));
  PaperChosen();
  PreviewToggled();
  adjustSize();
  // Placed when loaded, so that its place is kept even when never shown.
  RestoreWindowPosition(this, frame_, kSummaryPosition);
}

void SummaryWindow::Open() {
  show();
  raise();
  activateWindow();
}

void SummaryWindow::Leave() {
  hide();
  emit Left();
}

void SummaryWindow::closeEvent(QCloseEvent* event) {
  // Closing through the frame leaves the window as "中止" does.
  event->ignore();
  Leave();
}

void SummaryWindow::SaveSettings() const {
  SaveWindowPosition(this, frame_, kSummaryPosition);
  frame_.WriteSetting(kPaperKey, option1_->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
  frame_.WriteSetting(kColourKey, CheckValue(check1_));
  frame_.WriteSetting(kPaperCheckKey, CheckValue(check2_));
  if (preview_->isVisible()) preview_->SavePlace();
}

void SummaryWindow::PaperChosen() {
  // Colour applies to blank paper only.
  const bool blank = option2_->isChecked();
  check1_->setVisible(blank);
  check1_->setEnabled(blank);
}

void SummaryWindow::PreviewToggled() {
  command1_->setText(check3_->isChecked() ? QStringLiteral("処理開始") : QStringLiteral("印刷開始"));
}

void SummaryWindow::PrinterChosen(const QString& name) { printer_.Select(name); }

void SummaryWindow::OpenPrinterProperties() {
  ShowPrinterProperties(printer_, dialogs_, this, frame_.Folder() + SummaryPdfFileName());
}

void SummaryWindow::SetSubmissionHandler(std::function<void(SummaryWindow&)> handler) {
  submission_ = std::move(handler);
  UpdateMenus();
}

PrintJobSettings SummaryWindow::JobSettings() const {
  PrintJobSettings s;
  s.jarlPaper = option1_->isChecked();
  s.colour = check1_->isChecked();
  s.preview = check3_->isChecked();
  s.signature = check4_->isChecked();
  s.commentOverride = commentOverride_;
  s.today = QDate::currentDate();
  return s;
}

void SummaryWindow::RunPrintJob() {
  const bool preview = check3_->isChecked();
  if (!preview && check2_->isChecked()) {
    const QString problem = PaperCheckMessage(printer_);
    if (!problem.isEmpty()) {
      dialogs_.Tell(problem);
      return;
    }
  }
  // A PDF file has no form under the data: blank paper draws it.
  if (!preview && printer_.IsPdf() && option1_->isChecked()) {
    const Button answer = AskFormForPdf(dialogs_);
    if (answer == Button::Cancel) return;
    if (answer == Button::Yes) {
      option2_->setChecked(true);
      PaperChosen();
    }
  }
  const QString definitionPath = frame_.LocateDefinitionFile();
  const DefinitionEntries definition = DefinitionEntries::FromFile(definitionPath);
  if (IsJagQsoParty(definition.Value(QStringLiteral("CONTESTNAME")))) {
    if (const std::optional<QString> chosen = chooseComment_(commentOverride_, commentChosen_)) {
      commentOverride_ = *chosen;
      commentChosen_ = true;
    }
  }

  const TotalsSnapshot totals = totals_();
  const PrintJobSettings settings = JobSettings();
  {
    WaitCursor wait;
    setEnabled(false);
    std::unique_ptr<PrinterSurface> printerSurface;
    PrintSurface* target = nullptr;
    if (preview) {
      target = &preview_->NewDocument();
    } else {
      printerSurface = printer_.Open(dialogs_, SummaryDocumentName(), frame_.Folder() + SummaryPdfFileName());
      target = printerSurface.get();
    }
    if (!target) {  // the PDF file was not chosen: nothing is printed or written
      setEnabled(true);
      UpdateMenus();
      return;
    }
    const bool printed = PrintSummaryDocument(*target, definition, totals, settings);
    // A preview has no document to fail; a printer or PDF file that failed is told.
    if (!printed && !preview) dialogs_.Tell(target->ErrorText());
    if (printed && !preview && printer_.IsPdf()) dialogs_.Tell(PdfWrittenMessage(printer_.OutputPdfFile()));
    if (preview) preview_->ShowDocument();

    const OutputContext context{frame_,    dialogs_, definitionPath, totals, commentOverride_,
                                ReadSummaryDefinition(definition).club, settings.today};
    outputs_ = RunOutputsAfterPrinting(context);
    jobHasRun_ = true;
    if (preview) command3_->setText(QStringLiteral("終了"));
    setEnabled(true);
  }
  UpdateMenus();
  if (preview) preview_->raise();
}

void SummaryWindow::UpdateMenus() {
  // Enabling the window enables its menus with it: they are set again after it.
  jarlEdit_->setEnabled(!outputs_.electronicLogPath.isEmpty());
  vqEdit_->setEnabled(!outputs_.textSummaryPath.isEmpty());
  dlg1_->menuAction()->setEnabled(jobHasRun_);
  logSend_->setEnabled(submission_ && jobHasRun_);
}

void SummaryWindow::OpenInEditor(const QString& path) {
  if (path.isEmpty()) return;
  if (!FileExists(path)) {
    dialogs_.Tell(path + QStringLiteral(" が見つかりません"));
    return;
  }
  const QString editor = EditorProgram(frame_.ReadSetting(QStringLiteral("EDITOR"), DefaultEditorSetting()));
  if (!StartDetached(editor, {path}, frame_.Folder())) dialogs_.Tell(editor + QStringLiteral(" を起動できません"));
}

}  // namespace zotra
