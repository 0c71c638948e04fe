// What the window smoke tests share: the demo folder, scripted dialogs, the
// record of programs started, a child widget by its control name, and
// pictures of the windows when ZOTRA_SHOT_FOLDER names a folder.
#pragma once

#include "DemoFolder.h"

#include "common/Dialogs.h"
#include "common/ui/HelpWindow.h"
#include "common/ui/ProgramWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>

#include <gtest/gtest.h>

namespace zotra::test {

template <typename T>
T* Child(QWidget& w, const char* name) {
  T* c = w.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

// In 256 colours: small enough for the README.
inline void SaveShot(QWidget& w, const QString& name) {
  const QString folder = qEnvironmentVariable("ZOTRA_SHOT_FOLDER");
  if (folder.isEmpty()) return;
  QCoreApplication::processEvents();  // the layout settles texts set after show()
  w.grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
      .save(QDir(folder).filePath(name), "PNG");
}

// F1 in the program's window opens the program's own page, as shipped, in
// the help window.
inline void ExpectOwnHelpOnF1(ProgramWindow& window, const QString& stem) {
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F1);
  HelpWindow* help = window.helpWindow();
  ASSERT_NE(help, nullptr) << stem.toStdString();
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(QFileInfo(help->CurrentPage()).fileName(), stem + ".html");
  const QString title = help->browser()->documentTitle();
  EXPECT_TRUE(title.contains(QString::fromUtf8("ヘルプ")) || title.contains("Help")) << title.toStdString();
  EXPECT_EQ(help->windowTitle(), title);
  EXPECT_TRUE(Child<QWidget>(*help, "HelpContents")->isEnabled());  // the way to the short guide
  SaveShot(*help, "help-" + stem + ".png");
}

// The demo folder with scripted dialogs and a record of what is started.
struct SmokeRun {
  DemoFolder demo;
  QTemporaryDir logs;
  QString startLog = QDir(logs.path()).filePath(QStringLiteral("started.log"));
  ScriptedDialogs dialogs{QString(), {}};

  SmokeRun() {
    EXPECT_TRUE(demo.LaidOut());
    qputenv("ZOTRA_START_LOG", startLog.toUtf8());
  }
  ~SmokeRun() { qunsetenv("ZOTRA_START_LOG"); }

  // The programs started so far: program<TAB>arguments.
  QStringList Started() const {
    QFile f(startLog);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }
  // The extraction of the demo contest, as zotra-batch runs it.
  void Extract() const { ASSERT_EQ(demo.Batch(QStringList{"extract"} + DemoExtractOptions()).exitCode, 0); }
};

// The command line each program gets from the menu.
inline const QString kFromMenu = QStringLiteral("/MY.CFG");

}  // namespace zotra::test
