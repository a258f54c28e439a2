#include "coursebeacon.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLocalSocket>
#include <QWidget>

namespace {

QString BeaconName(const QString& settingsPath) {
  const QByteArray hash = QCryptographicHash::hash(settingsPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  return QStringLiteral("pelano-") + QString::fromLatin1(hash);
}

constexpr int kCallMs = 2000;

}  // namespace

CourseBeacon::CourseBeacon(const QString& settingsPath, QObject* parent) : QObject(parent) {
  const QString name = BeaconName(settingsPath);
  // The settings lock is held, so a socket of that name is left from a copy that was killed.
  QLocalServer::removeServer(name);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(name);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* caller = server_.nextPendingConnection()) {
      connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
      caller->disconnectFromServer();
      Q_EMIT ForwardRequested();
    }
  });
}

bool CourseBeacon::CallForward(const QString& settingsPath) {
  QLocalSocket socket;
  socket.connectToServer(BeaconName(settingsPath));
  if (!socket.waitForConnected(kCallMs)) return false;
  socket.waitForDisconnected(kCallMs);
  return true;
}

void BringForward(QWidget* mainWindow) {
  QWidget* target = QApplication::activeModalWidget();
  if (!target) target = mainWindow;
  if (!target) return;
  if (target->isMinimized()) target->showNormal();
  target->raise();
  target->activateWindow();
}
