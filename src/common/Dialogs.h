// Every message, question, input box and file dialog of the suite goes through
// this interface. Windows show real dialogs; tests and scripts use the
// scripted implementation, which records each dialog and answers from a list;
// the headless tool prints messages to standard error.
//
// Scripted mode: when ZOTRA_DIALOG_LOG names a file, every program uses the
// scripted dialogs. Each dialog appends one line (UTF-8) to that file:
//   kind <TAB> title <TAB> text <TAB> buttons <TAB> answer
// where kind is "message", "input", "choice", "open" or "save"; a line break
// inside the text is written as the two characters "\n" and a tab as "\t";
// buttons are the button words joined by "|" (for an input box: its default
// text; for a choice: the choices joined by "|"; for a file dialog: its
// filter). The answers come from ZOTRA_DIALOG_ANSWERS,
// comma-separated: the n-th dialog written to the log file (counting the lines
// already there, so that a chain of programs shares one list) takes the n-th
// answer. A message takes a button word (OK, Cancel, Yes, No, Retry, Abort,
// Ignore, Close); an input box takes its text, or Cancel; a choice takes the
// 1-based number of a choice, its text, or a part of the text that only one
// choice holds ("48"), and records the chosen text; a choice with a check box
// lists it after the choices as "+" and its caption, and an answer that ends
// in "+" ("48+") ticks it, recorded the same way; a file dialog takes a
// path, or Cancel. An empty or missing answer takes the default button (an
// input box: its default text; a choice: its preselected choice; a file
// dialog: Cancel).
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace zotra {

enum class Button { Ok, Cancel, Yes, No, Retry, Abort, Ignore, Close };

// The button sets of the suite's message boxes.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore, Close };

enum class Icon { None, Information, Warning, Critical, Question };

QList<Button> ButtonList(Buttons buttons);
QString ButtonWord(Button button);                       // "OK", "Cancel", ...
std::optional<Button> ButtonFromWord(const QString& word);  // case-insensitive

struct MessageBox {
  QString title;  // empty: the program's name
  QString text;   // line breaks as "\n"
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  std::optional<Button> defaultButton;  // none: the first button
};

struct FileDialogRequest {
  QString title;
  QString folder;          // initial folder
  QString fileName;        // initial file name
  QString filter;          // "Text (*.txt)|*.txt|All (*.*)|*.*" pairs, as the windows list them
  int filterIndex = 1;     // 1-based preselected filter
};

// A choice among a few options shown as option buttons, confirmed by one
// button ("決定").
struct ChoiceRequest {
  QString title;
  QString text;
  QStringList choices;
  int defaultChoice = 0;  // the option selected when the dialog opens
  QString confirm = QStringLiteral("OK");
  // A check box under the options when its caption is set; its state goes in
  // and out through `checked`.
  QString checkBox;
  bool* checked = nullptr;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual Button Message(const MessageBox& box) = 0;
  // An input box; no value when cancelled.
  virtual std::optional<QString> Input(const QString& title, const QString& prompt,
                                       const QString& defaultText) = 0;
  // A file-open dialog; no value when cancelled.
  virtual std::optional<QString> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> SaveFile(const FileDialogRequest& request) = 0;
  // A choice; the index of the chosen option. Dialogs that do not show one
  // take the preselected option.
  virtual int Choose(const ChoiceRequest& request) { return request.defaultChoice; }

  // The title used when a message names none (the program's name).
  void SetDefaultTitle(const QString& title) { defaultTitle_ = title; }
  const QString& DefaultTitle() const { return defaultTitle_; }

  // Shortcuts.
  void Tell(const QString& text, const QString& title = {}, Icon icon = Icon::None);
  Button Ask(const QString& text, Buttons buttons, const QString& title = {},
             Icon icon = Icon::Question, std::optional<Button> defaultButton = {});

 protected:
  QString TitleOf(const MessageBox& box) const { return box.title.isEmpty() ? defaultTitle_ : box.title; }

 private:
  QString defaultTitle_ = QStringLiteral("ZOTRA");
};

// Records every dialog and answers from a list; see the file comment.
class ScriptedDialogs : public Dialogs {
 public:
  // logPath empty: nothing is written, answers are taken in order from the list.
  ScriptedDialogs(QString logPath, QStringList answers);

  // From ZOTRA_DIALOG_LOG and ZOTRA_DIALOG_ANSWERS; null when the log is not set.
  static std::unique_ptr<ScriptedDialogs> FromEnvironment();

  Button Message(const MessageBox& box) override;
  std::optional<QString> Input(const QString& title, const QString& prompt, const QString& defaultText) override;
  std::optional<QString> OpenFile(const FileDialogRequest& request) override;
  std::optional<QString> SaveFile(const FileDialogRequest& request) override;
  int Choose(const ChoiceRequest& request) override;

  // Every dialog so far, one record line each (as written to the log).
  const QStringList& Records() const { return records_; }

 private:
  std::optional<QString> NextAnswer();
  void Record(const QString& kind, const QString& title, const QString& text, const QString& extra,
              const QString& answer);

  QString logPath_;
  QStringList answers_;
  int used_ = 0;
  QStringList records_;
};

// Writes each message to standard error on one line ("title: text") and takes
// the default answer; counts what it showed. Used by the headless tool.
class ConsoleDialogs : public Dialogs {
 public:
  Button Message(const MessageBox& box) override;
  std::optional<QString> Input(const QString& title, const QString& prompt, const QString& defaultText) override;
  std::optional<QString> OpenFile(const FileDialogRequest& request) override;
  std::optional<QString> SaveFile(const FileDialogRequest& request) override;
  int Choose(const ChoiceRequest& request) override;

  int MessageCount() const { return messages_; }

 private:
  int messages_ = 0;
};

// The dialogs of this program run: set once at start (the window program sets
// its window dialogs, or the scripted ones under ZOTRA_DIALOG_LOG).
Dialogs& CurrentDialogs();
void SetCurrentDialogs(Dialogs* dialogs);

// Escapes a text for one field of a scripted log line (line breaks, tabs and
// backslashes).
QString EscapeLogField(const QString& text);

}  // namespace zotra
