#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace zotra {
namespace {

constexpr int kConnectMs = 1000;
const char kActivate[] = "activate\n";

QString UserName() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
  return user;
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent) : QObject(parent), key_(KeyFor(folder)) {
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

SingleInstance::~SingleInstance() { server_.close(); }

QString SingleInstance::KeyFor(const QString& folder) {
  QString canonical = QFileInfo(folder).canonicalFilePath();
  if (canonical.isEmpty()) canonical = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
#ifdef Q_OS_WIN
  canonical = canonical.toLower();
#endif
  const QByteArray hash =
      QCryptographicHash::hash((UserName() + QLatin1Char('|') + canonical).toUtf8(), QCryptographicHash::Sha1);
  return QStringLiteral("zotram-") + QString::fromLatin1(hash.toHex().left(20));
}

bool SingleInstance::Claim() {
  if (server_.listen(key_)) return true;
  if (server_.serverError() == QAbstractSocket::AddressInUseError) {
    QLocalSocket probe;
    probe.connectToServer(key_);
    if (probe.waitForConnected(kConnectMs)) {
      probe.disconnectFromServer();
      return false;
    }
    // A menu that ended without closing its socket left the name behind.
    QLocalServer::removeServer(key_);
    if (server_.listen(key_)) return true;
  }
  // Without a socket the menu still runs; it only cannot be found by a second start.
  return true;
}

bool SingleInstance::AskRunningToActivate() const {
  QLocalSocket socket;
  socket.connectToServer(key_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  socket.write(kActivate);
  const bool sent = socket.waitForBytesWritten(kConnectMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kConnectMs);
  return sent;
}

void SingleInstance::OnConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->readAll().contains("activate")) emit ActivationRequested();
    });
  }
}

}  // namespace zotra
