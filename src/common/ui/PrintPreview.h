// The preview of a printed page: the page picture in a frame with scroll
// bars; dragging the picture with the mouse moves the page (the move cursor
// shows while the button is down); ScrollToCorner jumps to a corner. A preview
// window puts it in its centre and adds its own menu.
#pragma once

#include <QImage>
#include <QPoint>
#include <QScrollArea>

class QLabel;

namespace zotra {

class RecordingSurface;

class PrintPreviewWidget : public QScrollArea {
  Q_OBJECT
 public:
  explicit PrintPreviewWidget(QWidget* parent = nullptr);

  // Shows one page (1 for the first) of a recorded document at the given
  // resolution; 0 takes the screen's, so the page shows at its real size.
  void ShowPage(const RecordingSurface& document, int page = 1, double dotsPerInch = 0);
  void SetImage(const QImage& image);
  const QImage& Image() const { return image_; }
  QLabel* Picture() const { return picture_; }

  void ScrollToCorner(Qt::Corner corner);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* picture_;
  QImage image_;
  bool dragging_ = false;
  QPoint dragStart_;
  QPoint scrollStart_;
};

}  // namespace zotra
