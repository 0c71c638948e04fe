// A preview window (for the summary sheet "ZOTRAW プレビュー"): the pages of
// the last print job in a frame with scroll bars; the menu closes it or jumps
// to a corner of the page and, for a document of more than one page, turns
// the pages (so do Page Up and Page Down); dragging the picture moves the
// page. Its place and size are kept in the settings.
#pragma once

#include "common/Program.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;

namespace zotra {

class Frame;
class PrintPreviewWidget;
class RecordingSurface;

class PreviewWindow : public QMainWindow {
  Q_OBJECT
 public:
  // placeKey: the stem of the settings keys of its place and size
  // (placeKey + "Left", "Top", "Width", "Height").
  explicit PreviewWindow(Frame& frame, const QString& placeKey = QStringLiteral("Form3"), QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // A new document to draw the pages into (the one shown so far is dropped).
  RecordingSurface& NewDocument();
  // Shows the window with the first page of the document.
  void ShowDocument();
  const RecordingSurface* Document() const { return document_.get(); }
  PrintPreviewWidget* Preview() const { return preview_; }

  // The page shown (1 for the first) and the number of pages.
  int Page() const { return page_; }
  int Pages() const;
  // Shows another page of the document (kept within the pages).
  void ShowPage(int page);

  // Keeps the place and size when the window has been shown in its normal state.
  void SavePlace() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void RestorePlace();
  PositionKeys PositionKeysOf() const;

  Frame& frame_;
  QString placeKey_;
  PrintPreviewWidget* preview_ = nullptr;
  QAction* previous_ = nullptr;
  QAction* next_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  std::unique_ptr<RecordingSurface> document_;
  int page_ = 1;
  bool placed_ = false;
};

}  // namespace zotra
