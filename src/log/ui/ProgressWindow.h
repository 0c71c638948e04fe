// The progress window of the output pass (Form3): its label shows
// "印刷準備中", then the sheet being printed ("3 of 12 印刷中"), then
// "得点ファイル作成"; the picture box Picture1 receives the pages when only the
// log files are made. The pass runs as soon as the window is shown, and the
// window closes when it is done; it cannot be closed while it runs.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QFrame;

namespace zotra {

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // Shows the window modally and runs the pass in it; returns when the pass
  // is done and the window closed.
  void Run(const std::function<void()>& pass);

  // Shows a label and lets the window process its events.
  void SetLabel(const QString& text);
  QString Label() const;
  // Every label shown during the last run, in order.
  const QStringList& Labels() const { return labels_; }
  bool Running() const { return running_; }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* label_ = nullptr;
  QFrame* picture_ = nullptr;
  std::function<void()> pass_;
  QStringList labels_;
  bool running_ = false;
};

}  // namespace zotra
