#include "MenuWindow.h"

#include "common/Dialogs.h"
#include "common/gui/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zotra {
namespace {

// A label that shows a long path shortened in the middle, keeping its whole
// text (and showing it as a tool tip).
class PathLabel : public QLabel {
 public:
  using QLabel::QLabel;
  QSize sizeHint() const override {
    QSize s = QLabel::sizeHint();
    s.setWidth(qMin(s.width(), 320));
    return s;
  }
  QSize minimumSizeHint() const override {
    QSize s = QLabel::minimumSizeHint();
    s.setWidth(40);
    return s;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
  }
};

// The button's own tool tip, to which the reason is added while it is greyed.
constexpr char kToolTip[] = "zotraToolTip";

void ShowWhyGreyed(QPushButton* button, bool enabled, const QString& reason) {
  button->setEnabled(enabled);
  const QString tip = button->property(kToolTip).toString();
  button->setToolTip(enabled || reason.isEmpty() ? tip : tip + QLatin1Char('\n') + reason);
}

QPushButton* StepButton(const QFont& base, const QString& name, const QString& caption, const QString& toolTip) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setToolTip(toolTip);
  button->setProperty(kToolTip, toolTip);
  button->setMinimumHeight(40);
  QFont f = base;
  f.setPointSizeF(f.pointSizeF() * 1.2);
  button->setFont(f);
  return button;
}

QLabel* StepNumber(int n) {
  auto* label = new QLabel(QString::number(n));
  label->setAlignment(Qt::AlignCenter);
  label->setFixedWidth(26);
  label->setStyleSheet(QStringLiteral("QLabel { color: white; background: #2f5d8a; border-radius: 13px;"
                                      " font-weight: bold; min-height: 26px; max-height: 26px; }"
                                      "QLabel:disabled { background: #b4bcc4; }"));
  return label;
}

QAction* NamedAction(QObject* parent, const QString& name, const QString& caption) {
  auto* action = new QAction(caption, parent);
  action->setObjectName(name);
  return action;
}

}  // namespace

MenuWindow::MenuWindow(Frame& frame, Dialogs& dialogs, QWidget* parent)
    : ProgramWindow(frame, QStringLiteral("ZOTRA   Ver "), parent), dialogs_(dialogs), launcher_(frame, dialogs) {
  setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
  launcher_.MigrateSettings();
  BuildControls();
  BuildMenus();
}

void MenuWindow::BuildControls() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(18, 14, 18, 12);
  layout->setSpacing(10);

  label3_ = new QLabel(QStringLiteral("ZOTRA  Menu"));
  label3_->setObjectName(QStringLiteral("Label3"));
  label3_->setAlignment(Qt::AlignCenter);
  QFont titleFont = font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 2.0);
  titleFont.setBold(true);
  label3_->setFont(titleFont);
  label3_->setStyleSheet(QStringLiteral("QLabel { color: #2f5d8a; }"));
  layout->addWidget(label3_);

  command1_ = StepButton(font(), QStringLiteral("Command1"), QStringLiteral("ｺﾝﾃｽﾄの設定"),
                         QStringLiteral("コンテスト条件自局の定義等を行います"));
  command2_ = StepButton(font(), QStringLiteral("Command2"), QStringLiteral("ﾃﾞｰﾀの選択"),
                         QStringLiteral("Marqen からデータを抽出します"));
  command3_ = StepButton(font(), QStringLiteral("Command3"), QStringLiteral("ﾃﾞｰﾀの整理と印刷"),
                         QStringLiteral("デュープチェックとログシートの印刷をします"));
  command4_ = StepButton(font(), QStringLiteral("Command4"), QStringLiteral("ｻﾏﾘｰｼｰﾄの印刷"),
                         QStringLiteral("サマリーシートを印刷します"));
  auto* steps = new QGridLayout;
  steps->setHorizontalSpacing(10);
  steps->setVerticalSpacing(8);
  int row = 0;
  for (QPushButton* b : {command1_, command2_, command3_, command4_}) {
    stepNumbers_[row] = StepNumber(row + 1);
    steps->addWidget(stepNumbers_[row], row, 0);
    steps->addWidget(b, row, 1);
    ++row;
  }
  layout->addLayout(steps);

  command7_ = new QPushButton(QStringLiteral("ZOTRAWXL の実行"));
  command7_->setObjectName(QStringLiteral("Command7"));
  command7_->setToolTip(QStringLiteral("Excel で データを修正します"));
  command7_->setProperty(kToolTip, command7_->toolTip());
  command7_->setEnabled(false);
  command5_ = new QPushButton(QStringLiteral("終了"));
  command5_->setObjectName(QStringLiteral("Command5"));
  command5_->setToolTip(QStringLiteral("ZOTRAWを終了します"));
  for (QPushButton* b : {command7_, command5_}) b->setMinimumHeight(30);
  auto* tools = new QHBoxLayout;
  tools->addSpacing(36);
  tools->addWidget(command7_, 1);
  tools->addWidget(command5_, 1);
  layout->addLayout(tools);

  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  layout->addWidget(line);

  auto* info = new QGridLayout;
  info->setHorizontalSpacing(8);
  auto* cfgCaption = new QLabel(QStringLiteral("環境ファイル"));
  label1_ = new QLabel;
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setToolTip(QStringLiteral("使用している環境ファイル名です"));
  QFont bold = font();
  bold.setBold(true);
  label1_->setFont(bold);
  auto* folderCaption = new QLabel(QStringLiteral("フォルダ"));
  label4_ = new PathLabel;
  label4_->setObjectName(QStringLiteral("Label4"));
  QString folder = frame().Folder();
  if (folder.size() > 1) folder.chop(1);
  label4_->setText(folder);
  label4_->setToolTip(folder);
  // The host logbook's files in use: their paths, or that they are missing.
  logbookLabel_ = new PathLabel;
  logbookLabel_->setObjectName(QStringLiteral("LogbookFile"));
  masterLabel_ = new PathLabel;
  masterLabel_->setObjectName(QStringLiteral("MasterFile"));
  info->addWidget(cfgCaption, 0, 0);
  info->addWidget(label1_, 0, 1);
  info->addWidget(new QLabel(QStringLiteral("ログ帳")), 1, 0);
  info->addWidget(logbookLabel_, 1, 1);
  info->addWidget(new QLabel(QStringLiteral("マスター")), 2, 0);
  info->addWidget(masterLabel_, 2, 1);
  info->addWidget(folderCaption, 3, 0);
  info->addWidget(label4_, 3, 1);
  info->setColumnStretch(1, 1);
  layout->addLayout(info);

  setCentralWidget(central);
  setFixedWidth(400);
}

void MenuWindow::BuildMenus() {
  QMenuBar* bar = menuBar();

  QMenu* option = bar->addMenu(QStringLiteral("Option"));
  option->setObjectName(QStringLiteral("Option"));
  QAction* marqenSet = NamedAction(this, QStringLiteral("MARQEN_SET"), QStringLiteral("Marqen.DBS /HDB 設定"));
  QAction* mstSet = NamedAction(this, QStringLiteral("Mst_Set"), QStringLiteral("Marqen.Mst 設定"));
  QAction* cfgEdit = NamedAction(this, QStringLiteral("CFG_EDIT"), QStringLiteral("環境ファイルの編集"));
  option->addAction(marqenSet);
  option->addAction(mstSet);
  option->addAction(cfgEdit);
  QMenu* editor = option->addMenu(QStringLiteral("エディタの選択"));
  editor->setObjectName(QStringLiteral("editor"));
  QAction* editorSet = NamedAction(this, QStringLiteral("editor_set"), QStringLiteral("エディタの指定"));
  QAction* editorReset = NamedAction(this, QStringLiteral("editor_reset"), QStringLiteral("エディタの解除"));
  editor->addAction(editorSet);
  editor->addAction(editorReset);

  showlog_ = bar->addMenu(QStringLiteral("電子ログファイルを見る"));
  showlog_->setObjectName(QStringLiteral("showlog"));
  showlog_->menuAction()->setObjectName(QStringLiteral("showlog"));
  jarlShow_ = NamedAction(this, QStringLiteral("JARL_SHOW"), QStringLiteral("JARL 形式"));
  vqShow_ = NamedAction(this, QStringLiteral("VQ_SHOW"), QStringLiteral("VQ 形式"));
  showlog_->addAction(jarlShow_);
  showlog_->addAction(vqShow_);
  showlog_->menuAction()->setEnabled(false);
  jarlShow_->setEnabled(false);
  vqShow_->setEnabled(false);

  QAction* help = NamedAction(this, QStringLiteral("HelpShow"), QStringLiteral("Help"));
  help->setShortcut(QKeySequence(Qt::Key_F1));
  help->setShortcutContext(Qt::ApplicationShortcut);
  addAction(help);
  bar->addAction(help);
  QAction* kantan = NamedAction(this, QStringLiteral("kantan"), QStringLiteral("かんたん Help"));
  bar->addAction(kantan);

  connect(command1_, &QPushButton::clicked, this, &MenuWindow::DefineContest);
  connect(command2_, &QPushButton::clicked, this, [this] { Launch(Program::Extract); });
  connect(command3_, &QPushButton::clicked, this, [this] { Launch(Program::Check); });
  connect(command4_, &QPushButton::clicked, this, [this] { Launch(Program::Summary); });
  connect(command5_, &QPushButton::clicked, this, [this] { ReturnToMenu(); });
  connect(command7_, &QPushButton::clicked, this, [this] {
    setEnabled(false);
    if (launcher_.OpenSpreadsheet()) {
      ReturnToMenu();
    } else {
      setEnabled(true);
    }
  });
  // A later choice is tested at once: the data steps come alive without a restart.
  connect(marqenSet, &QAction::triggered, this, [this] {
    launcher_.LocateHostFile(HostFile::Logbook, false);
    ApplyState();
  });
  connect(mstSet, &QAction::triggered, this, [this] {
    launcher_.LocateHostFile(HostFile::Master, false);
    ApplyState();
  });
  connect(cfgEdit, &QAction::triggered, this, [this] { launcher_.EditEnvironmentFile(); });
  connect(editorSet, &QAction::triggered, this, [this] { launcher_.ChooseEditor(); });
  connect(editorReset, &QAction::triggered, this, [this] { launcher_.ResetEditor(); });
  connect(jarlShow_, &QAction::triggered, this, [this] { launcher_.ShowLogFile(true); });
  connect(vqShow_, &QAction::triggered, this, [this] { launcher_.ShowLogFile(false); });
  connect(help, &QAction::triggered, this, [this] { ShowHelp(dialogs_); });
  connect(kantan, &QAction::triggered, this, [this] { ShowHelp(dialogs_, QStringLiteral("kantan")); });
}

bool MenuWindow::Start() {
  setCursor(Qt::WaitCursor);
  if (!launcher_.ChooseEnvironment()) {
    ReturnToMenu();
    return false;
  }
  label1_->setText(launcher_.EnvironmentName());
  if (!launcher_.Prepare()) {
    ReturnToMenu();
    return false;
  }
  ApplyState();
  unsetCursor();
  return true;
}

void MenuWindow::ApplyState() {
  const bool data = launcher_.DataStepsEnabled();
  for (QPushButton* b : {command2_, command3_, command4_}) ShowWhyGreyed(b, data, launcher_.DataStepsOffReason());
  ShowWhyGreyed(command7_, launcher_.SpreadsheetEnabled(), launcher_.SpreadsheetOffReason());
  ShowHostFile(logbookLabel_, launcher_.HostFilePath(HostFile::Logbook), launcher_.LogbookFound());
  ShowHostFile(masterLabel_, launcher_.HostFilePath(HostFile::Master), launcher_.MasterFound());
  // A step's number is greyed with its button.
  const QPushButton* steps[] = {command1_, command2_, command3_, command4_};
  for (int i = 0; i < 4; ++i) stepNumbers_[i]->setEnabled(steps[i]->isEnabled());
  jarlShow_->setEnabled(launcher_.JarlFolderFound());
  vqShow_->setEnabled(launcher_.VqFolderFound());
  showlog_->menuAction()->setEnabled(launcher_.JarlFolderFound() || launcher_.VqFolderFound());
}

void MenuWindow::ShowHostFile(QLabel* label, const QString& path, bool found) {
  QString text = QDir::toNativeSeparators(path);
  if (path.isEmpty()) {
    text = QStringLiteral("未設定 (Option で指定します)");
  } else if (!found) {
    text += QStringLiteral("  (見つかりません)");
  }
  label->setText(text);
  label->setToolTip(text);
  label->setStyleSheet(found ? QString() : QStringLiteral("QLabel { color: #b00000; }"));
}

void MenuWindow::Launch(Program program) {
  setEnabled(false);
  if (launcher_.StartStep(program)) {
    ReturnToMenu();
  } else {
    setEnabled(true);
  }
}

void MenuWindow::DefineContest() {
  const LibraryCheck check = launcher_.CheckLibrary();
  if (check.state == LibraryState::Missing) {
    dialogs_.Tell(MenuLauncher::MissingLibraryMessage());
    ReturnToMenu();
    return;
  }
  if (check.state == LibraryState::Old) {
    dialogs_.Message({MenuLauncher::LibraryWarningTitle(), MenuLauncher::LibraryWarningText(), Buttons::Close,
                      Icon::Warning, std::nullopt});
  }
  Launch(Program::Define);
}

void MenuWindow::Activate() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    modal->activateWindow();
  }
}

}  // namespace zotra
