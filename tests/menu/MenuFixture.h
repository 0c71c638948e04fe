// A program folder for the menu, its scripted dialogs and the record of the
// programs it starts, for tests that run the menu in-process.
#pragma once

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "common/Settings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace zotra::test {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Scripted dialogs whose answers a test can replace while the menu holds on
// to them.
class SwitchableDialogs : public Dialogs {
 public:
  void Answers(const QStringList& answers) {
    current_ = std::make_unique<ScriptedDialogs>(QString(), answers);
    current_->SetDefaultTitle("ZOTRAM");
  }
  const QStringList& Records() const { return current_->Records(); }
  Button Message(const MessageBox& box) override { return current_->Message(box); }
  std::optional<QString> Input(const QString& title, const QString& prompt, const QString& text) override {
    return current_->Input(title, prompt, text);
  }
  std::optional<QString> OpenFile(const FileDialogRequest& request) override { return current_->OpenFile(request); }
  std::optional<QString> SaveFile(const FileDialogRequest& request) override { return current_->SaveFile(request); }

 private:
  std::unique_ptr<ScriptedDialogs> current_;
};

class MenuFixture {
 public:
  MenuFixture() {
    startLog_ = QDir(logs_.path()).filePath("started.log");
    qputenv("ZOTRA_START_LOG", startLog_.toUtf8());
    Answers({});
  }
  ~MenuFixture() { qunsetenv("ZOTRA_START_LOG"); }

  TempFolder t;
  Frame frame{Program::Menu, t.Path()};

  zotra::Dialogs& dialogs() { return dialogs_; }
  // The answers from now on (the dialogs so far are forgotten).
  void Answers(const QStringList& answers) { dialogs_.Answers(answers); }
  // Every dialog so far, split into its fields.
  QList<QStringList> Dialogs() const {
    QList<QStringList> out;
    for (const QString& r : dialogs_.Records()) out << DialogFields(r);
    return out;
  }
  QStringList Started() const {
    QFile f(startLog_);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    lines.removeAll(QString());
    return lines;
  }
  // "MY.CFG" with a plain band plan, or the lines given.
  void Environment(const QStringList& lines = {"$7", "$14", "$24000,24000,24250", "%CW", "%SSB,LSB,USB"},
                   const QString& name = "MY.CFG") const {
    t.WriteCp932(name, CrLf(lines));
  }
  // The host logbook's database and master file in "marqen/", kept in the settings.
  void HostFiles(const QString& database = "MARQEN.HDB") const {
    t.WriteBytes("marqen/" + database, "db");
    t.WriteBytes("marqen/MARQEN.MST", "mst");
    WriteProfileString(Ini(), "ZOTRAM", "MARQEN", t.File("marqen/" + database));
    WriteProfileString(Ini(), "ZOTRAM", "MST", t.File("marqen/MARQEN.MST"));
  }
  QString Ini() const { return t.File("ZOTRAW.INI"); }
  QString Setting(const QString& key) const { return ReadProfileString(Ini(), "ZOTRAM", key, "<none>"); }

 private:
  QTemporaryDir logs_;
  QString startLog_;
  SwitchableDialogs dialogs_;
};

}  // namespace zotra::test
