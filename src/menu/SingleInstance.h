// One menu per program folder: the first menu listens on a local socket named
// after its folder; a second start finds it there, asks it to bring its
// window to the front, and ends.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace zotra {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
  ~SingleInstance() override;

  // The socket name for a program folder (the same folder, however spelled,
  // gives the same name; each user has his own).
  static QString KeyFor(const QString& folder);

  // True when no other menu of this folder runs; this one then answers the
  // later starts. False when another one runs.
  bool Claim();

  // Asks the running menu to bring its window to the front. False when no
  // menu could be reached.
  bool AskRunningToActivate() const;

  const QString& Key() const { return key_; }

 signals:
  // A later start asked this menu to show itself.
  void ActivationRequested();

 private:
  void OnConnection();
  QString key_;
  QLocalServer server_;
};

}  // namespace zotra
