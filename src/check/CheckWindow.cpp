#include "CheckWindow.h"

#include "CountLabel.h"
#include "DuplicateCheckWindow.h"
#include "DuplicateList.h"
#include "WorkFiles.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/Text.h"
#include "common/gui/Printers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace zotra {
namespace {

const QString kStartedByLog = QStringLiteral("ZOTRAL");
const PositionKeys kForm2Keys{QStringLiteral("Form2Top"), QStringLiteral("Form2Left")};

QPushButton* StepButton(const QString& name, const QString& caption, const QString& toolTip) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setToolTip(toolTip);
  button->setMinimumHeight(34);
  button->setMinimumWidth(150);
  return button;
}

}  // namespace

CheckWindow::CheckWindow(Frame& frame, Dialogs& dialogs, CheckDefinition definition, QWidget* parent)
    : ProgramWindow(frame, QStringLiteral("ﾃﾞｰﾀの整理と印刷   Ver "), parent),
      dialogs_(dialogs),
      definition_(std::move(definition)) {
  setObjectName(QStringLiteral("Form1"));
  AddHelpMenu(dialogs_);
  BuildControls();
}

CheckWindow::~CheckWindow() = default;

void CheckWindow::BuildControls() {
  auto* central = new QWidget;
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(14, 12, 14, 12);
  layout->setSpacing(14);

  // The band to take.
  auto* selectionBox = new QGroupBox(QStringLiteral("データの選択"));
  auto* selection = new QVBoxLayout(selectionBox);
  option2_ = new QRadioButton(QStringLiteral("バンド別 (JARL)"));
  option2_->setObjectName(QStringLiteral("Option2"));
  option2_->setToolTip(QStringLiteral("一つのバンドの交信を選びます"));
  option3_ = new QRadioButton(QStringLiteral("ミックスバンド"));
  option3_->setObjectName(QStringLiteral("Option3"));
  option3_->setToolTip(QStringLiteral("全バンドの交信を選びます"));
  list1_ = new QListWidget;
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setToolTip(QStringLiteral("バンド (MHz)"));
  list1_->addItems(definition_.bands);
  for (int i = 0; i < list1_->count(); ++i) list1_->item(i)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  list1_->setMinimumWidth(110);
  list1_->setMaximumWidth(150);
  list1_->setMinimumHeight(160);
  selection->addWidget(option2_);
  selection->addWidget(list1_, 1);
  selection->addWidget(option3_);
  option2_->setChecked(true);
  layout->addWidget(selectionBox);

  // What makes a second QSO with a station count again, and the counters.
  auto* middle = new QVBoxLayout;
  auto* criterionBox = new QGroupBox(QStringLiteral("重複の判定"));
  auto* criterion = new QVBoxLayout(criterionBox);
  const QString captions[3] = {QStringLiteral("日付順"), QStringLiteral("バンド順"), QStringLiteral("モード順")};
  const QString tips[3] = {QStringLiteral("同じ局でも日が違えば別の交信として数えます"),
                           QStringLiteral("同じ局でもバンドが違えば別の交信として数えます"),
                           QStringLiteral("同じ局でもモードが違えば別の交信として数えます")};
  for (int i = 0; i < 3; ++i) {
    option1_[i] = new QRadioButton(captions[i]);
    option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    option1_[i]->setToolTip(tips[i]);
    criterion->addWidget(option1_[i]);
  }
  const int optionIndex = ValInt(frame().ReadSetting(QStringLiteral("Option"), QStringLiteral("0")));
  option1_[CriterionIndex(CriterionFromIndex(optionIndex))]->setChecked(true);
  middle->addWidget(criterionBox);

  auto* countBox = new QGroupBox(QStringLiteral("交信数"));
  auto* counts = new QGridLayout(countBox);
  label1_ = CountLabel(QStringLiteral("Label1"), QStringLiteral("総交信局数"), 80);
  label2_ = CountLabel(QStringLiteral("Label2"), QStringLiteral("選択された局数です"), 80);
  counts->addWidget(new QLabel(QStringLiteral("総交信局数")), 0, 0);
  counts->addWidget(label1_, 0, 1);
  counts->addWidget(new QLabel(QStringLiteral("選択された局数")), 1, 0);
  counts->addWidget(label2_, 1, 1);
  middle->addWidget(countBox);
  middle->addStretch(1);
  layout->addLayout(middle);

  // The steps.
  auto* steps = new QVBoxLayout;
  command1_ = StepButton(QStringLiteral("Command1"), QStringLiteral("新規選択開始"),
                         QStringLiteral("選んだバンドの交信を抽出データから取り出します"));
  command3_ = StepButton(QStringLiteral("Command3"), QStringLiteral("重複交信チェック"),
                         QStringLiteral("コールサイン順に並べて重複交信を調べます"));
  command5_ = StepButton(QStringLiteral("Command5"), QStringLiteral("前回の印刷結果"),
                         QStringLiteral("前回ログ処理をした結果を読み込みます"));
  command4_ = StepButton(QStringLiteral("Command4"), QStringLiteral("マルチ処理・印刷"),
                         QStringLiteral("マルチの整理とログシートの印刷に進みます"));
  command2_ = StepButton(QStringLiteral("Command2"), QStringLiteral("ﾒﾆｭｰに戻る"),
                         QStringLiteral("作業ファイルを消してメニューに戻ります"));
  for (QPushButton* b : {command1_, command3_, command5_, command4_}) steps->addWidget(b);
  steps->addStretch(1);
  steps->addWidget(command2_);
  layout->addLayout(steps);
  setCentralWidget(central);

  status_ = new QLabel;
  status_->setObjectName(QStringLiteral("Status"));
  progress_ = new QProgressBar;
  progress_->setMaximumWidth(180);
  progress_->setTextVisible(false);
  progress_->hide();
  statusBar()->addWidget(status_, 1);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->setSizeGripEnabled(false);

  connect(option2_, &QRadioButton::toggled, this, [this](bool on) {
    list1_->setEnabled(on);
    RefreshButtons();
  });
  connect(list1_, &QListWidget::itemSelectionChanged, this, [this] { RefreshButtons(); });
  connect(list1_, &QListWidget::itemDoubleClicked, this, [this] {
    if (command1_->isEnabled()) NewSelection();
  });
  connect(command1_, &QPushButton::clicked, this, [this] { NewSelection(); });
  connect(command3_, &QPushButton::clicked, this, [this] { CheckDuplicates(); });
  connect(command5_, &QPushButton::clicked, this, [this] { RestorePrevious(); });
  connect(command4_, &QPushButton::clicked, this, [this] { HandOver(); });
  connect(command2_, &QPushButton::clicked, this, [this] { ReturnToMenu(); });
}

void CheckWindow::Start() {
  const QString folder = frame().Folder();
  const QString commandLine = TrimBlanks(frame().CommandLine());
  const bool fromLog = commandLine.startsWith(kStartedByLog, Qt::CaseInsensitive);
  if (fromLog) {
    // Back from the log program: what it left in "zotra.wk2" is kept as the
    // band's saved copy.
    label2_->setText(QString::number(ValInt(commandLine.mid(kStartedByLog.size()))));
    SaveSelectionCopy(folder);
  }
  label1_->setText(QString::number(CountExtractedQsos(folder)));
  if (const std::optional<QString> taken = SelectionOfFile(ResolveInFolder(folder, kSelectionFileName))) {
    TakeUpSelection(*taken);
    if (!fromLog) label2_->setText(QString::number(CountSelectionRecords(folder)));
  }
  list1_->setEnabled(option2_->isChecked());
  RefreshButtons();
}

void CheckWindow::TakeUpSelection(const QString& selection) {
  if (selection == kAllBands) {
    option3_->setChecked(true);
    return;
  }
  const QList<QListWidgetItem*> items = list1_->findItems(selection, Qt::MatchExactly);
  if (items.isEmpty()) return;
  option2_->setChecked(true);
  list1_->setCurrentItem(items.first());
  items.first()->setSelected(true);
}

QString CheckWindow::Selection() const {
  if (option3_->isChecked()) return kAllBands;
  const QList<QListWidgetItem*> chosen = list1_->selectedItems();
  return chosen.isEmpty() ? QString() : chosen.first()->text();
}

Criterion CheckWindow::CurrentCriterion() const {
  for (int i = 0; i < 3; ++i) {
    if (option1_[i]->isChecked()) return CriterionFromIndex(i);
  }
  return Criterion::Date;
}

void CheckWindow::RefreshButtons() {
  if (busy_) return;
  const QString folder = frame().Folder();
  const QString selection = Selection();
  const std::optional<QString> inFile = SelectionOfFile(ResolveInFolder(folder, kSelectionFileName));
  const bool ready = !selection.isEmpty() && inFile && *inFile == selection;
  command1_->setEnabled(!selection.isEmpty());
  command3_->setEnabled(ready);
  command4_->setEnabled(ready);
  command5_->setEnabled(SavedCopyAvailable(folder, selection));
}

void CheckWindow::SetBusy(bool busy, const QString& status) {
  busy_ = busy;
  centralWidget()->setEnabled(!busy);
  status_->setText(status);
  progress_->setVisible(busy);
  progress_->setRange(0, 0);
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    sinceEvents_.start();
    QApplication::processEvents();
  } else {
    QApplication::restoreOverrideCursor();
    RefreshButtons();
  }
}

void CheckWindow::ShowProgress(const QString& status, int done, int total) {
  if (status_->text() != status) status_->setText(status);
  progress_->setRange(0, qMax(total, 0));
  progress_->setValue(qBound(0, done, qMax(total, 0)));
  // Often enough to stay responsive, seldom enough not to slow the pass.
  if (sinceEvents_.elapsed() >= 30) {
    QApplication::processEvents();
    sinceEvents_.restart();
  }
}

void CheckWindow::NewSelection() {
  const QString selection = Selection();
  if (selection.isEmpty() || busy_) return;
  SetBusy(true, QStringLiteral("ﾃﾞｰﾀ選択中です"));
  const int total = label1_->text().toInt();
  const SelectionResult result =
      SelectQsos(frame().Folder(), selection, &dialogs_, [this, total](int read, int selected) {
        label1_->setText(QString::number(read));
        label2_->setText(QString::number(selected));
        ShowProgress(QStringLiteral("ﾃﾞｰﾀ選択中です"), read, qMax(total, read));
      });
  SetBusy(false);
  if (!result.found) {
    dialogs_.Tell(QStringLiteral("MARQEN からﾃﾞｰﾀが抽出されていません"), QStringLiteral("ZOTRAC"));
    return;
  }
  label1_->setText(QString::number(result.read));
  label2_->setText(QString::number(result.selected));
}

CheckResult CheckWindow::RunCheck() {
  SetBusy(true, QStringLiteral("ﾃﾞｰﾀ読込中です"));
  CheckProgress progress;
  progress.step = [this](const QString& status, int done, int total) { ShowProgress(status, done, total); };
  CheckResult result = RunDuplicateCheck(frame().Folder(), CurrentCriterion(), &dialogs_, progress);
  SetBusy(false);
  if (!result.found) {
    dialogs_.Tell(QStringLiteral("zotra.wk2 がありません\n新規選択開始 でデータを選択してください"),
                  QStringLiteral("ZOTRAC"));
  }
  return result;
}

PrinterSetup& CheckWindow::Printer() {
  if (!printer_) printer_ = std::make_unique<PrinterSetup>();
  return *printer_;
}

void CheckWindow::CheckDuplicates() {
  if (busy_) return;
  const CheckResult result = RunCheck();
  if (!result.found) return;
  const DuplicateListHeading heading{definition_.contestName, definition_.myCall, definition_.year,
                                     result.selection};
  DuplicateCheckWindow window(frame().Folder(), dialogs_, Printer(), heading, result, this);
  window.adjustSize();
  if (form2Position_) {
    window.move(*form2Position_);
  } else {
    RestoreWindowPosition(&window, frame(), kForm2Keys);
  }
  window.exec();
  form2Position_ = window.pos();
  RefreshButtons();
}

void CheckWindow::RestorePrevious() {
  if (busy_) return;
  const RebuildResult result = RebuildFromSavedCopy(frame().Folder(), Selection(), &dialogs_);
  if (result.written) label2_->setText(QString::number(result.valid));
  RefreshButtons();
}

bool CheckWindow::HandOver() {
  if (busy_) return false;
  const CheckResult result = RunCheck();
  // Without its work files (told when they could not be written) the log
  // program would start from a wrong duplicate list.
  if (!result.found || !result.written) return false;
  PrepareForLog(frame().Folder(), result);
  // The log program sizes its table by this count: every record of
  // "zotra.wk2", the invalid ones included.
  const QString count = QString::number(result.read);
  label2_->setText(count);
  if (!frame().StartProgram(Program::Log, {count})) {
    dialogs_.Tell(QStringLiteral("プログラム ") + frame().Path(ProgramExecutable(Program::Log)) +
                  QStringLiteral(" を起動できません"));
    return false;
  }
  handingOver_ = true;
  ReturnToMenu();
  return true;
}

void CheckWindow::Closing() {
  frame().WriteSetting(QStringLiteral("Option"), QString::number(CriterionIndex(CurrentCriterion())));
  if (form2Position_) {
    frame().WriteSetting(kForm2Keys.top, QString::number(form2Position_->y()));
    frame().WriteSetting(kForm2Keys.left, QString::number(form2Position_->x()));
  }
  // The log program needs the work files; the menu does not.
  if (!handingOver_) DeleteWorkFiles(frame().Folder());
}

void CheckWindow::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  ProgramWindow::closeEvent(event);
}

std::unique_ptr<CheckWindow> OpenCheckWindow(Frame& frame, Dialogs& dialogs, const QString& definitionPath) {
  const QString title = QStringLiteral("ZOTRAC");
  if (!FileExists(definitionPath)) {
    dialogs.Tell(QStringLiteral("定義ﾌｧｲﾙが存在しない為実行できません\n先に定義ﾌｧｲﾙを作ってください"), title);
    frame.StartMenu();
    return nullptr;
  }
  if (!FileExists(frame.Path(kExtractFileName))) {
    dialogs.Tell(QStringLiteral("MARQEN からﾃﾞｰﾀが抽出されていません"), title);
    frame.StartMenu();
    return nullptr;
  }
  auto window = std::make_unique<CheckWindow>(frame, dialogs, ReadCheckDefinition(definitionPath));
  window->Start();
  return window;
}

}  // namespace zotra
