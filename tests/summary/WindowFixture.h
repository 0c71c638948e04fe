// What the window tests of zotrat share: finding a control by its name,
// pictures of windows under ZOTRA_SHOTS, and programs started only recorded.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace zotra::test {

template <typename T>
T* Child(QWidget& w, const QString& name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name.toStdString();
  return c;
}

// With ZOTRA_SHOTS naming a folder, saves a picture of the widget there (run
// under xvfb-run to look at it).
inline void Shot(QWidget& w, const QString& name) {
  const QString folder = qEnvironmentVariable("ZOTRA_SHOTS");
  if (folder.isEmpty()) return;
  QTest::qWait(200);
  w.grab().save(folder + "/" + name + ".png");
}

// While it lives, programs (and documents and links) are not started but
// recorded under ZOTRA_START_LOG, one line each.
class StartLog {
 public:
  StartLog() {
    path_ = QDir(dir_.path()).filePath("started.log");
    qputenv("ZOTRA_START_LOG", path_.toUtf8());
  }
  ~StartLog() { qunsetenv("ZOTRA_START_LOG"); }
  QStringList Started() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    lines.removeAll(QString());
    return lines;
  }

 private:
  QTemporaryDir dir_;
  QString path_;
};

}  // namespace zotra::test
