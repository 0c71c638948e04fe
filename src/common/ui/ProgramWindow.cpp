#include "ProgramWindow.h"

#include "HelpWindow.h"
#include "WindowDialogs.h"
#include "common/Files.h"
#include "common/gui/Fonts.h"
#include "common/Text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProcessEnvironment>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

namespace zotra {

ProgramRun::ProgramRun(Program program)
    : frame_(program, Frame::ExecutableFolder(), Frame::ProcessCommandLine()) {
  dialogs_ = ScriptedDialogs::FromEnvironment();
  if (!dialogs_) dialogs_ = std::make_unique<WindowDialogs>();
  dialogs_->SetDefaultTitle(ProgramName(program));
  SetCurrentDialogs(dialogs_.get());
  QApplication::setApplicationName(ProgramName(program));
  InstallFontSubstitutions();
  InstallQtTranslations();
}

bool InstallQtTranslations() {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  // A program folder copied to another machine may bring its own
  // "translations" folder; otherwise Qt's installed ones.
  const QStringList folders = {QDir(Frame::ExecutableFolder()).filePath(QStringLiteral("translations")),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
  for (const QString& folder : folders) {
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), folder)) {
      QCoreApplication::installTranslator(translator.release());
      return true;
    }
  }
  return false;
}

ProgramRun::~ProgramRun() { SetCurrentDialogs(nullptr); }

bool ProgramRun::Start() {
  if (!frame_.CheckStartedFromMenu(*dialogs_)) return false;
  environmentFile_ = frame_.LocateEnvironmentFile(*dialogs_);
  if (environmentFile_.isEmpty()) {
    // The extraction goes back to the menu; the others end.
    if (frame_.program() == Program::Extract) frame_.StartMenu();
    return false;
  }
  definitionFile_ = frame_.LocateDefinitionFile();
  return true;
}

int RunProgram(int argc, char** argv, Program program,
               const std::function<std::unique_ptr<QWidget>(ProgramRun&)>& makeWindow) {
  QApplication app(argc, argv);
  ProgramRun run(program);
  if (program != Program::Menu && !run.Start()) return 0;
  std::unique_ptr<QWidget> window = makeWindow(run);
  if (!window) return 0;
  window->show();
  return app.exec();
}

std::unique_ptr<QWidget> MakePlainProgramWindow(Frame& frame, const QString& caption) {
  auto window = std::make_unique<ProgramWindow>(frame, caption);
  window->resize(480, 320);
  return window;
}

QString CaptionWithVersion(const QString& caption) {
  return caption + ProgramVersion();
}

void RestoreWindowPosition(QWidget* window, const Frame& frame, const PositionKeys& keys) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize size = window->frameGeometry().size();
  const double defaultTop = area.top() + (area.height() - size.height()) / 2.0;
  const double defaultLeft = area.left() + (area.width() - size.width()) / 2.0;
  double top = Val(frame.ReadSetting(keys.top, QString::number(defaultTop)));
  double left = Val(frame.ReadSetting(keys.left, QString::number(defaultLeft)));
  // A position from another screen layout is pulled back into view.
  top = qBound<double>(area.top(), top, qMax<double>(area.top(), area.bottom() - 40));
  left = qBound<double>(area.left() - size.width() + 80, left, qMax<double>(area.left(), area.right() - 80));
  window->move(qRound(left), qRound(top));
}

void SaveWindowPosition(const QWidget* window, const Frame& frame, const PositionKeys& keys) {
  if (window->isMinimized() || window->isMaximized() || window->isFullScreen()) return;
  const QPoint p = window->pos();
  frame.WriteSetting(keys.top, QString::number(p.y()));
  frame.WriteSetting(keys.left, QString::number(p.x()));
}

ProgramWindow::ProgramWindow(Frame& frame, const QString& caption, QWidget* parent)
    : QMainWindow(parent), frame_(frame) {
  setWindowTitle(CaptionWithVersion(caption));
}

ProgramWindow::~ProgramWindow() { delete help_; }

HelpWindow* ProgramWindow::helpWindow() const { return help_; }

bool ProgramWindow::ShowHelp(Dialogs& dialogs, const QString& stem) {
  const QString page =
      HelpPagePath(frame_.Folder(), stem.isEmpty() ? ProgramExecutable(frame_.program()) : stem);
  if (!FileExists(page)) {
    dialogs.Tell(QStringLiteral("ヘルプファイル ") + QDir::toNativeSeparators(page) +
                 QStringLiteral(" が見つかりません"));
    return false;
  }
  // One help window for the program; it closes with the program. It opens
  // beside the window, so that the two can be read together.
  if (!help_) {
    help_ = new HelpWindow;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect main = frameGeometry();
    const QSize size = help_->frameGeometry().size();
    const int left = main.right() + 8 + size.width() <= area.right() ? main.right() + 8 : area.right() - size.width();
    const int top = qMin(main.top(), area.bottom() - size.height());
    help_->move(qMax(area.left(), left), qMax(area.top(), top));
  }
  help_->ShowPage(page);
  return true;
}

void ProgramWindow::AddHelpMenu(Dialogs& dialogs) {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("ヘルプ"));
  menu->setObjectName(QStringLiteral("HelpMenu"));
  QAction* page = menu->addAction(QStringLiteral("この画面のヘルプ"));
  page->setObjectName(QStringLiteral("HelpShow"));
  page->setShortcut(QKeySequence(Qt::Key_F1));
  page->setShortcutContext(Qt::ApplicationShortcut);
  QAction* guide = menu->addAction(QStringLiteral("かんたん Help (作業の順番)"));
  guide->setObjectName(QStringLiteral("kantan"));
  connect(page, &QAction::triggered, this, [this, &dialogs] { ShowHelp(dialogs); });
  connect(guide, &QAction::triggered, this, [this, &dialogs] { ShowHelp(dialogs, QStringLiteral("kantan")); });
}

void ProgramWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!placed_) {
    placed_ = true;
    RestoreWindowPosition(this, frame_, MainWindowPositionKeys(frame_.program()));
    TakeScreenshotWhenAsked();
  }
}

void ProgramWindow::TakeScreenshotWhenAsked() {
  const QString path = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ZOTRA_SCREENSHOT"));
  if (path.isEmpty()) return;
  QTimer::singleShot(500, this, [this, path] {
    grab().save(path, "PNG");
    ReturnToMenu();
  });
}

void ProgramWindow::ReturnToMenu() {
  if (leaving_) return;
  leaving_ = true;
  SaveWindowPosition(this, frame_, MainWindowPositionKeys(frame_.program()));
  if (help_) help_->close();
  Closing();
  if (RestartsMenu()) frame_.StartMenu();
  close();
  QApplication::quit();
}

void ProgramWindow::closeEvent(QCloseEvent* event) {
  if (!leaving_) ReturnToMenu();
  event->accept();
}

}  // namespace zotra
