#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QWidget;

namespace quavix {

// Lets one copy of the program run per user. The copy that takes the lock "QX25" listens on a local socket
// beside it; a later copy finds the lock taken, sends InstanceMessage to the running copy and ends.
// The lock and the socket live in the per-user runtime folder and go away with the copy that made them;
// a lock left by a copy that died is recognised as stale and taken over.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    static constexpr char InstanceMessage[] = "Check for Quavix 2.5 instance";

    // key names the lock and the socket; folder is where they live (the runtime folder when empty).
    explicit SingleInstance(const QString& key = QStringLiteral("QX25"), const QString& folder = {});
    ~SingleInstance() override;

    // True when this copy now holds the lock. Needs no application object, so a later copy can find out
    // and end before anything else is set up.
    bool TryLock();
    bool HoldsLock() const { return lock_ && lock_->isLocked(); }

    // Starts listening for later copies; needs an application object and the lock.
    bool Listen();

    // Sends InstanceMessage to the running copy and returns whether it went out. Never waits longer than
    // timeoutMs for any one step, and needs no application object.
    bool SignalRunningCopy(int timeoutMs = 250) const;

    QString LockFilePath() const { return lockFilePath_; }
    QString ServerName() const { return serverName_; }

signals:
    // A later copy has started. Queued through the event loop, so it arrives between other events.
    void InstanceMessageArrived();

private:
    void AcceptConnections();

    QString lockFilePath_;
    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

// What the running copy does when a later copy starts: ask for the keyboard focus for the main window,
// unless it is already the active window. The focus goes to the window's focused control, or to the window.
// A minimised window is not restored and no window is raised; a hidden window, or one behind a modal
// dialog, is left alone.
void AppMessageHook(QWidget* mainWindow);

} // namespace quavix
