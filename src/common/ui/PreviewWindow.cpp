#include "PreviewWindow.h"

#include "common/Frame.h"
#include "common/Text.h"
#include "common/gui/PrintSurface.h"
#include "common/ui/PrintPreview.h"
#include "common/ui/ProgramWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>

#include <functional>

namespace zotra {
namespace {

const PositionKeys kPreviewPosition{QStringLiteral("Form3Top"), QStringLiteral("Form3Left")};

}  // namespace

PreviewWindow::PreviewWindow(Frame& frame, QWidget* parent) : QMainWindow(parent), frame_(frame) {
  setWindowTitle(QStringLiteral("ZOTRAW プレビュー"));
  preview_ = new PrintPreviewWidget;
  preview_->Picture()->setObjectName(QStringLiteral("Picture2"));
  setCentralWidget(preview_);

  struct Item {
    const char* name;
    const char* caption;
    std::function<void()> run;
  };
  const Item items[] = {
      {"tojiru", "閉じる　", [this] { close(); }},
      {"hidariue", "左上", [this] { preview_->ScrollToCorner(Qt::TopLeftCorner); }},
      {"migiue", "右上", [this] { preview_->ScrollToCorner(Qt::TopRightCorner); }},
      {"hidarisita", "左下", [this] { preview_->ScrollToCorner(Qt::BottomLeftCorner); }},
      {"migisita", "右下", [this] { preview_->ScrollToCorner(Qt::BottomRightCorner); }},
  };
  for (const Item& item : items) {
    QAction* action = menuBar()->addAction(QString::fromUtf8(item.caption));
    action->setObjectName(QString::fromLatin1(item.name));
    connect(action, &QAction::triggered, this, item.run);
  }
}

PreviewWindow::~PreviewWindow() = default;

RecordingSurface& PreviewWindow::NewDocument() {
  document_ = std::make_unique<RecordingSurface>();
  return *document_;
}

void PreviewWindow::ShowDocument() {
  if (document_) preview_->ShowPage(*document_, 1);
  if (!placed_) RestorePlace();
  show();
  raise();
  activateWindow();
}

void PreviewWindow::RestorePlace() {
  placed_ = true;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const int width = ValInt(frame_.ReadSetting(QStringLiteral("Form3Width"), QString::number(qMin(900, area.width()))));
  const int height =
      ValInt(frame_.ReadSetting(QStringLiteral("Form3Height"), QString::number(qMin(1000, area.height() - 40))));
  resize(qBound(200, width, qMax(200, area.width())), qBound(150, height, qMax(150, area.height())));
  RestoreWindowPosition(this, frame_, kPreviewPosition);
}

void PreviewWindow::SavePlace() const {
  if (!placed_ || isMinimized() || isMaximized() || isFullScreen()) return;
  SaveWindowPosition(this, frame_, kPreviewPosition);
  frame_.WriteSetting(QStringLiteral("Form3Width"), QString::number(width()));
  frame_.WriteSetting(QStringLiteral("Form3Height"), QString::number(height()));
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  SavePlace();
  QMainWindow::closeEvent(event);
}

}  // namespace zotra
