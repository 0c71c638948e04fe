// The submission window ("電子ログの送信"): the destination (the test address,
// the contest destinations of "Emailad.txt" in their months, or a typed
// address), the subject, the file (JARL electronic log or text log); "Mailer
// の起動" puts the file on the clipboard and opens a new mail to the
// destination.
#pragma once

#include "SummaryOutputs.h"
#include "Submission.h"

#include <QDate>
#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zotra {

class Dialogs;
class Frame;

class SubmissionWindow : public QDialog {
  Q_OBJECT
 public:
  // outputs: the files of the last print job and the electronic log's
  // version; today: the month that decides which destinations are offered.
  SubmissionWindow(const Frame& frame, Dialogs& dialogs, const OutputResult& outputs, QDate today,
                   QWidget* parent = nullptr);
  ~SubmissionWindow() override;

  // "Mailer の起動".
  void StartMailer();

 private:
  void BuildControls();
  void LoadDestinations();
  // A destination chosen (clicked, or chosen by the window itself).
  void ChooseDestination(int index);
  void DestinationChosen(int index);
  // Leaving the typed address.
  void TypedAddressLeft();
  void ChooseFormat(int index);
  void FormatChosen(int index);
  int ChosenDestination() const;
  QString DestinationAddress(int index) const;

  const Frame& frame_;
  Dialogs& dialogs_;
  OutputResult outputs_;
  QDate today_;
  QString callSign_;
  QList<Destination> destinations_;

  std::array<QRadioButton*, kTypedDestination + 1> option1_ = {};
  std::array<QRadioButton*, 2> option2_ = {};
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
};

}  // namespace zotra
