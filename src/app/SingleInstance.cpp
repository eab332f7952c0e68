#include "SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace quavix {

namespace {

// A later copy that connects and then says nothing must not keep its connection for ever.
constexpr int ConnectionLifetimeMs = 2000;

QString DefaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

} // namespace

SingleInstance::SingleInstance(const QString& key, const QString& folder) {
    const QString dir = folder.isEmpty() ? DefaultFolder() : folder;
    lockFilePath_ = QDir(dir).filePath(key + QStringLiteral(".lock"));
#ifdef Q_OS_WIN
    // Pipe names are global: the user's name keeps two users' copies apart.
    serverName_ = key + QLatin1Char('-') + qEnvironmentVariable("USERNAME");
#else
    // A full path keeps the socket in the user's own folder instead of the shared temporary one.
    serverName_ = QDir(dir).filePath(key + QStringLiteral(".socket"));
#endif
}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close(); // removes the socket file
    // The lock file goes with lock_.
}

bool SingleInstance::TryLock() {
    if (HoldsLock())
        return true;
    lock_ = std::make_unique<QLockFile>(lockFilePath_);
    // The lock is held for the whole run, so its age says nothing: only a dead owner makes it stale.
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

bool SingleInstance::Listen() {
    if (!HoldsLock())
        return false;
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
    }
    if (server_->isListening())
        return true;
    // We hold the lock, so a socket already there was left by a copy that died.
    QLocalServer::removeServer(serverName_);
    return server_->listen(serverName_);
}

void SingleInstance::AcceptConnections() {
    static const QByteArray message(InstanceMessage);
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(ConnectionLifetimeMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Read no more than the message: whatever else a stranger sends is not kept.
            QByteArray received = socket->property("received").toByteArray();
            received += socket->read(message.size() - received.size());
            if (received.size() < message.size() && message.startsWith(received)) {
                socket->setProperty("received", received);
                return;
            }
            socket->abort();
            socket->deleteLater();
            if (received == message)
                emit InstanceMessageArrived();
        });
    }
}

bool SingleInstance::SignalRunningCopy(int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(InstanceMessage);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return sent;
}

void AppMessageHook(QWidget* mainWindow) {
    if (!mainWindow || !mainWindow->isVisible() || !mainWindow->isEnabled())
        return;
    // Behind a modal dialog the window cannot take the focus; the dialog keeps it.
    if (QApplication::activeModalWidget())
        return;
    if (mainWindow->isActiveWindow())
        return;
    QWidget* target = mainWindow->focusWidget();
    (target ? target : mainWindow)->setFocus(Qt::ActiveWindowFocusReason);
    // Asking a window manager to activate a minimised window would restore it, which is not ours to do.
    if (!mainWindow->isMinimized())
        mainWindow->activateWindow();
}

} // namespace quavix
