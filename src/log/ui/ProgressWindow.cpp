#include "ProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace zotra {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("ログシートの印刷"));
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  label_ = new QLabel;
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setAlignment(Qt::AlignCenter);
  QFont f = label_->font();
  f.setPointSizeF(f.pointSizeF() * 1.4);
  label_->setFont(f);
  label_->setMinimumWidth(260);
  label_->setMinimumHeight(label_->fontMetrics().height() + 16);
  // The picture box: the pages go there when only the log files are made.
  picture_ = new QFrame;
  picture_->setObjectName(QStringLiteral("Picture1"));
  picture_->setFrameShape(QFrame::Panel);
  picture_->setFrameShadow(QFrame::Sunken);
  picture_->setFixedHeight(6);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(10);
  layout->addWidget(label_);
  layout->addWidget(picture_);
}

void ProgressWindow::Run(const std::function<void()>& pass) {
  pass_ = pass;
  labels_.clear();
  label_->clear();
  exec();
}

void ProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!pass_) return;
  // The pass runs once the window is on the screen.
  QTimer::singleShot(0, this, [this] {
    std::function<void()> pass = std::move(pass_);
    pass_ = nullptr;
    running_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pass();
    QApplication::restoreOverrideCursor();
    running_ = false;
    accept();
  });
}

void ProgressWindow::SetLabel(const QString& text) {
  labels_ << text;
  label_->setText(text);
  label_->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString ProgressWindow::Label() const { return label_->text(); }

void ProgressWindow::reject() {
  if (!running_) QDialog::reject();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (running_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace zotra
