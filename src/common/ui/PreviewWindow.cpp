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

PreviewWindow::PreviewWindow(Frame& frame, const QString& placeKey, QWidget* parent)
    : QMainWindow(parent), frame_(frame), placeKey_(placeKey) {
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
      {"maepage", "前のページ", [this] { ShowPage(page_ - 1); }},
      {"tugipage", "次のページ", [this] { ShowPage(page_ + 1); }},
  };
  for (const Item& item : items) {
    QAction* action = menuBar()->addAction(QString::fromUtf8(item.caption));
    action->setObjectName(QString::fromLatin1(item.name));
    connect(action, &QAction::triggered, this, item.run);
  }
  previous_ = findChild<QAction*>(QStringLiteral("maepage"));
  next_ = findChild<QAction*>(QStringLiteral("tugipage"));
  previous_->setShortcut(QKeySequence::MoveToPreviousPage);
  next_->setShortcut(QKeySequence::MoveToNextPage);
  pageLabel_ = new QLabel;
  pageLabel_->setObjectName(QStringLiteral("PageLabel"));
  pageLabel_->setContentsMargins(8, 0, 8, 0);
  menuBar()->setCornerWidget(pageLabel_);
}

PreviewWindow::~PreviewWindow() = default;

RecordingSurface& PreviewWindow::NewDocument() {
  document_ = std::make_unique<RecordingSurface>();
  return *document_;
}

int PreviewWindow::Pages() const { return document_ ? document_->PageCount() : 0; }

void PreviewWindow::ShowPage(int page) {
  const int pages = Pages();
  page_ = qBound(1, page, qMax(1, pages));
  if (document_) preview_->ShowPage(*document_, page_);
  // Page turning only for a document of more than one page.
  const bool several = pages > 1;
  previous_->setVisible(several);
  next_->setVisible(several);
  previous_->setEnabled(page_ > 1);
  next_->setEnabled(page_ < pages);
  pageLabel_->setVisible(several);
  pageLabel_->setText(QStringLiteral("%1 / %2 ページ").arg(page_).arg(pages));
}

void PreviewWindow::ShowDocument() {
  ShowPage(1);
  if (!placed_) RestorePlace();
  show();
  raise();
  activateWindow();
}

void PreviewWindow::RestorePlace() {
  placed_ = true;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const int width =
      ValInt(frame_.ReadSetting(placeKey_ + QStringLiteral("Width"), QString::number(qMin(900, area.width()))));
  const int height = ValInt(
      frame_.ReadSetting(placeKey_ + QStringLiteral("Height"), QString::number(qMin(1000, area.height() - 40))));
  resize(qBound(200, width, qMax(200, area.width())), qBound(150, height, qMax(150, area.height())));
  RestoreWindowPosition(this, frame_, PositionKeysOf());
}

PositionKeys PreviewWindow::PositionKeysOf() const {
  return {placeKey_ + QStringLiteral("Top"), placeKey_ + QStringLiteral("Left")};
}

void PreviewWindow::SavePlace() const {
  if (!placed_ || isMinimized() || isMaximized() || isFullScreen()) return;
  SaveWindowPosition(this, frame_, PositionKeysOf());
  frame_.WriteSetting(placeKey_ + QStringLiteral("Width"), QString::number(width()));
  frame_.WriteSetting(placeKey_ + QStringLiteral("Height"), QString::number(height()));
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  SavePlace();
  QMainWindow::closeEvent(event);
}

}  // namespace zotra
