// The preview window ("ZOTRAW プレビュー"): the page of the last print job in
// a frame with scroll bars; the menu closes it or jumps to a corner of the
// page, and dragging the picture moves the page. Its place and size are kept
// in the settings.
#pragma once

#include <QMainWindow>

#include <memory>

namespace zotra {

class Frame;
class PrintPreviewWidget;
class RecordingSurface;

class PreviewWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit PreviewWindow(Frame& frame, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  // A new document to draw the page into (the one shown so far is dropped).
  RecordingSurface& NewDocument();
  // Shows the window with the first page of the document.
  void ShowDocument();
  const RecordingSurface* Document() const { return document_.get(); }
  PrintPreviewWidget* Preview() const { return preview_; }

  // Keeps the place and size ("Form3Left", "Form3Top", "Form3Width",
  // "Form3Height") when the window has been shown in its normal state.
  void SavePlace() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void RestorePlace();

  Frame& frame_;
  PrintPreviewWidget* preview_ = nullptr;
  std::unique_ptr<RecordingSurface> document_;
  bool placed_ = false;
};

}  // namespace zotra
