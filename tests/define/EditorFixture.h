// A program folder for the definition editor run in-process: its band plan,
// the shipped category and contest-name files, scripted dialogs whose
// answers a test can set at any time, and helpers that drive the window's
// real widgets with key and mouse events.
#pragma once

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Settings.h"
#include "define/ui/DefineWindow.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace zotra::test {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The band plan of most tests: the shipped environment file's bands and modes.
inline const QStringList kPlan = {
    "$1.9", "$3.5", "$7",   "$10",  "$14",  "$18",  "$21",  "$24",  "$28", "$50", "$144", "$430",
    "$1200", "$2400", "$5600", "$10125,10000,10250", "$SAT", "%CW", "%SSB,LSB,USB", "%FM", "%AM", "%RTTY", "%FT8"};

// Scripted dialogs that take new answers whenever the test gives them and
// keep every record.
class AnsweringDialogs : public Dialogs {
 public:
  AnsweringDialogs() { Answers({}); }
  void Answers(const QStringList& answers) {
    if (current_) done_ += current_->Records();
    current_ = std::make_unique<ScriptedDialogs>(QString(), answers);
    current_->SetDefaultTitle(QStringLiteral("ZOTRAS"));
  }
  QStringList Records() const { return done_ + current_->Records(); }
  Button Message(const MessageBox& box) override { return current_->Message(box); }
  std::optional<QString> Input(const QString& title, const QString& prompt, const QString& text) override {
    return current_->Input(title, prompt, text);
  }
  std::optional<QString> OpenFile(const FileDialogRequest& r) override { return current_->OpenFile(r); }
  std::optional<QString> SaveFile(const FileDialogRequest& r) override { return current_->SaveFile(r); }

 private:
  std::unique_ptr<ScriptedDialogs> current_;
  QStringList done_;
};

class EditorFixture {
 public:
  explicit EditorFixture(const QStringList& plan = kPlan) {
    startLog_ = QDir(logs_.path()).filePath("started.log");
    qputenv("ZOTRA_START_LOG", startLog_.toUtf8());
    t.WriteCp932("ZOTRAW.CFG", CrLf(plan));
    WriteProfileString(Ini(), "ZOTRAM", "Cfg", "ZOTRAW.CFG");
    Ship("ZOTCOD.BSE");
    Ship("C_NAME.TXT");
    SetCurrentDialogs(&dialogs);
  }
  ~EditorFixture() {
    window.reset();
    SetCurrentDialogs(nullptr);
    qunsetenv("ZOTRA_START_LOG");
  }

  // A shipped data file, copied from the built program folder.
  void Ship(const QString& name) const {
    QFile::remove(t.File(name));
    ASSERT_TRUE(QFile::copy(QString(ZOTRA_PROGRAM_DIR) + "/" + name, t.File(name))) << name.toStdString();
  }

  DefineWindow& Open() {
    window = std::make_unique<DefineWindow>(frame, dialogs, t.File("ZOTRAW.CFG"), frame.LocateDefinitionFile());
    window->Start();
    window->show();
    QApplication::setActiveWindow(window.get());
    return *window;
  }

  template <class T>
  T* Get(const QString& name) const {
    T* w = window->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QLineEdit* Edit(const QString& name) const { return Get<QLineEdit>(name); }

  // Shows a tab as a click on the tab strip does.
  void Tab(int index) const {
    auto* bar = Get<QTabBar>("TabStrip1");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  }
  void Click(const QString& name) const {
    auto* b = Get<QAbstractButton>(name);
    ASSERT_TRUE(b->isVisible()) << name.toStdString();
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
  }
  // Text typed into a widget: ASCII as key presses, anything else as the
  // input method commits it.
  static void Enter(QWidget* w, const QString& text) {
    bool ascii = true;
    for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
      QTest::keyClicks(w, text);
      return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) w = combo->lineEdit();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
  }
  // Gives a field the focus and types into it, as the operator would.
  void Type(const QString& name, const QString& text) const {
    QWidget* w = window->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name.toStdString();
    w->setFocus(Qt::TabFocusReason);
    Enter(w, text);
  }
  // Replaces a field's text: the old text selected and typed over.
  void Retype(const QString& name, const QString& text) const {
    QWidget* w = window->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name.toStdString();
    auto* combo = qobject_cast<QComboBox*>(w);
    QLineEdit* e = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(w);
    ASSERT_NE(e, nullptr) << name.toStdString();
    w->setFocus(Qt::TabFocusReason);
    e->selectAll();
    if (text.isEmpty()) QTest::keyClick(e, Qt::Key_Backspace);
    else Enter(e, text);
  }
  // Keys typed wherever the focus is.
  static void TypeAtFocus(const QString& text) {
    for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
  }
  // Picks an entry of a combo box's list with the arrow keys.
  void Choose(const QString& comboName, const QString& text) const {
    auto* combo = Get<QComboBox>(comboName);
    const int target = combo->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    combo->setFocus(Qt::TabFocusReason);
    // A text typed over the entry: away and back.
    if (combo->currentIndex() == target && combo->currentText() != text) {
      QTest::keyClick(combo, target > 0 ? Qt::Key_Up : Qt::Key_Down);
    }
    for (int guard = 0; combo->currentIndex() < target && guard < 1000; ++guard) QTest::keyClick(combo, Qt::Key_Down);
    for (int guard = 0; combo->currentIndex() > target && guard < 1000; ++guard) QTest::keyClick(combo, Qt::Key_Up);
    ASSERT_EQ(combo->currentText(), text);
  }

  void Answers(const QStringList& answers) { dialogs.Answers(answers); }
  // Every dialog so far, split into its fields (kind, title, text, buttons, answer).
  QList<QStringList> Dialogs() const {
    QList<QStringList> out;
    for (const QString& r : dialogs.Records()) out << DialogFields(r);
    return out;
  }
  QStringList MessageTexts() const {
    QStringList out;
    for (const QStringList& d : Dialogs()) out << d.value(2);
    return out;
  }
  QStringList Started() const {
    QFile f(startLog_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    lines.removeAll(QString());
    return lines;
  }
  QString Ini() const { return t.File("ZOTRAW.INI"); }
  QString Setting(const QString& section, const QString& key) const {
    return ReadProfileString(Ini(), section, key, "<none>");
  }

  TempFolder t;
  AnsweringDialogs dialogs;
  Frame frame{Program::Define, t.Path(), "/ZOTRAW.CFG"};
  std::unique_ptr<DefineWindow> window;

 private:
  QTemporaryDir logs_;
  QString startLog_;
};

// Runs `act` on the next modal window once it is open (a window opened with
// exec() blocks the test until `act` closes it).
inline void OnNextModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && ++*tries < 500) return;
    timer->stop();
    timer->deleteLater();
    if (modal) act(modal);
  });
  timer->start(10);
}

}  // namespace zotra::test
