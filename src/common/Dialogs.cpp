#include "Dialogs.h"

#include <QFile>
#include <QProcessEnvironment>

#include <cstdio>

namespace zotra {

QList<Button> ButtonList(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return {Button::Ok};
    case Buttons::OkCancel: return {Button::Ok, Button::Cancel};
    case Buttons::YesNo: return {Button::Yes, Button::No};
    case Buttons::YesNoCancel: return {Button::Yes, Button::No, Button::Cancel};
    case Buttons::RetryCancel: return {Button::Retry, Button::Cancel};
    case Buttons::AbortRetryIgnore: return {Button::Abort, Button::Retry, Button::Ignore};
    case Buttons::Close: return {Button::Close};
  }
  return {Button::Ok};
}

QString ButtonWord(Button button) {
  switch (button) {
    case Button::Ok: return QStringLiteral("OK");
    case Button::Cancel: return QStringLiteral("Cancel");
    case Button::Yes: return QStringLiteral("Yes");
    case Button::No: return QStringLiteral("No");
    case Button::Retry: return QStringLiteral("Retry");
    case Button::Abort: return QStringLiteral("Abort");
    case Button::Ignore: return QStringLiteral("Ignore");
    case Button::Close: return QStringLiteral("Close");
  }
  return QStringLiteral("OK");
}

std::optional<Button> ButtonFromWord(const QString& word) {
  for (Button b : {Button::Ok, Button::Cancel, Button::Yes, Button::No, Button::Retry, Button::Abort,
                   Button::Ignore, Button::Close}) {
    if (word.trimmed().compare(ButtonWord(b), Qt::CaseInsensitive) == 0) return b;
  }
  return std::nullopt;
}

void Dialogs::Tell(const QString& text, const QString& title, Icon icon) {
  Message({title, text, Buttons::Ok, icon, std::nullopt});
}

Button Dialogs::Ask(const QString& text, Buttons buttons, const QString& title, Icon icon,
                    std::optional<Button> defaultButton) {
  return Message({title, text, buttons, icon, defaultButton});
}

QString EscapeLogField(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (c == QLatin1Char('\\')) out += QLatin1String("\\\\");
    else if (c == QLatin1Char('\n')) out += QLatin1String("\\n");
    else if (c == QLatin1Char('\r')) out += QLatin1String("\\r");
    else if (c == QLatin1Char('\t')) out += QLatin1String("\\t");
    else out += c;
  }
  return out;
}

namespace {

Button DefaultButtonOf(const MessageBox& box) {
  const QList<Button> list = ButtonList(box.buttons);
  if (box.defaultButton && list.contains(*box.defaultButton)) return *box.defaultButton;
  return list.first();
}

QString ButtonWords(Buttons buttons) {
  QStringList words;
  for (Button b : ButtonList(buttons)) words << ButtonWord(b);
  return words.join(QLatin1Char('|'));
}

}  // namespace

// ---- scripted ------------------------------------------------------------------

ScriptedDialogs::ScriptedDialogs(QString logPath, QStringList answers)
    : logPath_(std::move(logPath)), answers_(std::move(answers)) {}

std::unique_ptr<ScriptedDialogs> ScriptedDialogs::FromEnvironment() {
  const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  const QString log = env.value(QStringLiteral("ZOTRA_DIALOG_LOG"));
  if (log.isEmpty()) return nullptr;
  const QString answers = env.value(QStringLiteral("ZOTRA_DIALOG_ANSWERS"));
  return std::make_unique<ScriptedDialogs>(
      log, answers.isEmpty() ? QStringList{} : answers.split(QLatin1Char(',')));
}

std::optional<QString> ScriptedDialogs::NextAnswer() {
  int index = used_;
  if (!logPath_.isEmpty()) {
    // The dialogs already in the log, of this program or of the programs before
    // it, have used the answers before this one.
    QFile f(logPath_);
    index = 0;
    if (f.open(QIODevice::ReadOnly)) index = static_cast<int>(f.readAll().count('\n'));
  }
  ++used_;
  if (index < answers_.size() && !answers_.at(index).isEmpty()) return answers_.at(index);
  return std::nullopt;
}

void ScriptedDialogs::Record(const QString& kind, const QString& title, const QString& text,
                             const QString& extra, const QString& answer) {
  const QString line = QStringList{kind, EscapeLogField(title), EscapeLogField(text), EscapeLogField(extra),
                                   EscapeLogField(answer)}
                           .join(QLatin1Char('\t'));
  records_ << line;
  if (logPath_.isEmpty()) return;
  QFile f(logPath_);
  if (f.open(QIODevice::WriteOnly | QIODevice::Append)) {
    f.write(line.toUtf8());
    f.write("\n");
  }
}

Button ScriptedDialogs::Message(const MessageBox& box) {
  Button answer = DefaultButtonOf(box);
  if (const auto word = NextAnswer()) {
    const auto b = ButtonFromWord(*word);
    if (b && ButtonList(box.buttons).contains(*b)) answer = *b;
  }
  Record(QStringLiteral("message"), TitleOf(box), box.text, ButtonWords(box.buttons), ButtonWord(answer));
  return answer;
}

std::optional<QString> ScriptedDialogs::Input(const QString& title, const QString& prompt,
                                              const QString& defaultText) {
  std::optional<QString> answer = defaultText;
  if (const auto word = NextAnswer()) {
    if (word->compare(QLatin1String("Cancel"), Qt::CaseInsensitive) == 0) answer.reset();
    else answer = *word;
  }
  Record(QStringLiteral("input"), title.isEmpty() ? DefaultTitle() : title, prompt, defaultText,
         answer ? *answer : QStringLiteral("Cancel"));
  return answer;
}

std::optional<QString> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
  std::optional<QString> answer;
  if (const auto word = NextAnswer()) {
    if (word->compare(QLatin1String("Cancel"), Qt::CaseInsensitive) != 0) answer = *word;
  }
  Record(QStringLiteral("open"), request.title, request.folder + QLatin1Char('|') + request.fileName,
         request.filter, answer ? *answer : QStringLiteral("Cancel"));
  return answer;
}

std::optional<QString> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
  std::optional<QString> answer;
  if (const auto word = NextAnswer()) {
    if (word->compare(QLatin1String("Cancel"), Qt::CaseInsensitive) != 0) answer = *word;
  }
  Record(QStringLiteral("save"), request.title, request.folder + QLatin1Char('|') + request.fileName,
         request.filter, answer ? *answer : QStringLiteral("Cancel"));
  return answer;
}

int ScriptedDialogs::Choose(const ChoiceRequest& request) {
  const int count = static_cast<int>(request.choices.size());
  int chosen = qBound(0, request.defaultChoice, qMax(0, count - 1));
  const bool box = !request.checkBox.isEmpty() && request.checked;
  if (const auto word = NextAnswer()) {
    QString answer = word->trimmed();
    if (box && answer.endsWith(QLatin1Char('+'))) {
      *request.checked = true;
      answer.chop(1);
    }
    bool isNumber = false;
    const int number = answer.toInt(&isNumber);
    int holding = -1, matches = 0;
    for (int i = 0; i < count; ++i) {
      if (request.choices.at(i) == answer) {
        holding = i;
        matches = 1;
        break;
      }
      if (request.choices.at(i).contains(answer)) {
        holding = i;
        ++matches;
      }
    }
    if (isNumber && number >= 1 && number <= count) chosen = number - 1;
    else if (matches == 1) chosen = holding;
  }
  const QString plus = QStringLiteral("+");
  Record(QStringLiteral("choice"), request.title.isEmpty() ? DefaultTitle() : request.title, request.text,
         request.choices.join(QLatin1Char('|')) + (box ? QLatin1Char('|') + plus + request.checkBox : QString()),
         (count > 0 ? request.choices.at(chosen) : QString()) + (box && *request.checked ? plus : QString()));
  return chosen;
}

// ---- console ---------------------------------------------------------------------

Button ConsoleDialogs::Message(const MessageBox& box) {
  ++messages_;
  QString text = box.text;
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString line = TitleOf(box) + QLatin1String(": ") + text + QLatin1Char('\n');
  std::fputs(line.toUtf8().constData(), stderr);
  std::fflush(stderr);
  return DefaultButtonOf(box);
}

std::optional<QString> ConsoleDialogs::Input(const QString&, const QString&, const QString& defaultText) {
  return defaultText;
}

int ConsoleDialogs::Choose(const ChoiceRequest& request) {
  ++messages_;
  const int chosen = qBound(0, request.defaultChoice, qMax(0, int(request.choices.size()) - 1));
  QString text = request.text;
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString line = (request.title.isEmpty() ? DefaultTitle() : request.title) + QLatin1String(": ") + text +
                       QLatin1String(" [") + request.choices.value(chosen) + QLatin1String("]\n");
  std::fputs(line.toUtf8().constData(), stderr);
  std::fflush(stderr);
  return chosen;
}

std::optional<QString> ConsoleDialogs::OpenFile(const FileDialogRequest&) { return std::nullopt; }
std::optional<QString> ConsoleDialogs::SaveFile(const FileDialogRequest&) { return std::nullopt; }

// ---- current ---------------------------------------------------------------------

namespace {
Dialogs* g_current = nullptr;
}

Dialogs& CurrentDialogs() {
  if (!g_current) {
    static std::unique_ptr<Dialogs> fallback = [] {
      std::unique_ptr<Dialogs> d = ScriptedDialogs::FromEnvironment();
      if (!d) d = std::make_unique<ConsoleDialogs>();
      return d;
    }();
    g_current = fallback.get();
  }
  return *g_current;
}

void SetCurrentDialogs(Dialogs* dialogs) { g_current = dialogs; }

}  // namespace zotra
