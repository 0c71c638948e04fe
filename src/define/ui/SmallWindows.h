// The definition editor's small windows: the points per band and mode, the
// warning about the operating-day multiplier on several bands, and the
// notice about the JARL electronic-log form.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace zotra {

class EditorSlots;

// "バンド・モード別の配点画面": one box per band and mode slot with a name;
// only the boxes of checked bands and modes can be used. A change sets the
// slot's points at once (an empty box gives 0).
class PointsWindow : public QDialog {
  Q_OBJECT
 public:
  PointsWindow(EditorSlots* editorSlots, QWidget* parent = nullptr);

 private:
  EditorSlots* slots_;
};

// The warning shown before saving when several bands count the operating
// day as a multiplier. Accepted: "設定強行" (save as it is); rejected: "戻る".
class DateMultiplierWarning : public QDialog {
  Q_OBJECT
 public:
  explicit DateMultiplierWarning(QWidget* parent = nullptr);
};

// "JARL 電子ログ形式の選択": shows the JARL log switch and its form, copied
// from the main window and copied back on every change; closes by itself
// after 21 seconds, counting down once a second.
class JarlFormatNotice : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kSeconds = 21;

  explicit JarlFormatNotice(QWidget* parent = nullptr);

  // The main window's state (no signal is sent back).
  void Show(bool jarlLog, bool formR1);
  void SetJarlLog(bool on);
  // Starts the count again from 21.
  void Restart();
  int Remaining() const { return remaining_; }
  // One second passed: the countdown text, or the window closes below zero.
  void Tick();

 signals:
  void JarlLogChanged(bool on);
  void FormChanged(bool r1);

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowRemaining();
  QCheckBox* check_ = nullptr;
  QRadioButton* r1_ = nullptr;
  QRadioButton* r2_ = nullptr;
  QLabel* countdown_ = nullptr;
  QTimer* timer_ = nullptr;
  int remaining_ = kSeconds;
};

// Where the notice goes (its top-left corner): beside the main window, to
// its right, left, below or above, the first place on the screen; with no
// room outside the window, in a corner of the screen that does not cover the
// field being edited.
QPoint NoticePosition(const QRect& window, const QSize& notice, const QRect& screen, const QRect& field);

}  // namespace zotra
