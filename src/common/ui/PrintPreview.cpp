#include "PrintPreview.h"

#include "common/gui/PaintSurface.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>

namespace zotra {

PrintPreviewWidget::PrintPreviewWidget(QWidget* parent) : QScrollArea(parent), picture_(new QLabel) {
  picture_->setObjectName(QStringLiteral("picture"));
  picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture_->installEventFilter(this);
  setWidget(picture_);
  setWidgetResizable(false);
  setAlignment(Qt::AlignCenter);
  setBackgroundRole(QPalette::Dark);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void PrintPreviewWidget::ShowPage(const RecordingSurface& document, int page, double dotsPerInch) {
  if (dotsPerInch <= 0) dotsPerInch = logicalDpiX();
  SetImage(RenderPage(document, page, dotsPerInch));
}

void PrintPreviewWidget::SetImage(const QImage& image) {
  image_ = image;
  picture_->setPixmap(QPixmap::fromImage(image));
  picture_->resize(image.size());
}

void PrintPreviewWidget::ScrollToCorner(Qt::Corner corner) {
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  const bool left = corner == Qt::TopLeftCorner || corner == Qt::BottomLeftCorner;
  const bool top = corner == Qt::TopLeftCorner || corner == Qt::TopRightCorner;
  h->setValue(left ? h->minimum() : h->maximum());
  v->setValue(top ? v->minimum() : v->maximum());
}

bool PrintPreviewWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != picture_) return QScrollArea::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (e->button() != Qt::LeftButton) break;
      dragging_ = true;
      dragStart_ = e->globalPosition().toPoint();
      scrollStart_ = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
      picture_->setCursor(Qt::SizeAllCursor);
      return true;
    }
    case QEvent::MouseMove: {
      if (!dragging_) break;
      const QPoint moved = static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragStart_;
      horizontalScrollBar()->setValue(scrollStart_.x() - moved.x());
      verticalScrollBar()->setValue(scrollStart_.y() - moved.y());
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (!dragging_ || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
      dragging_ = false;
      picture_->unsetCursor();
      return true;
    default:
      break;
  }
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace zotra
