#pragma once

// A private PulseAudio server for the tests that drive the real audio path: scripts/sound-server.sh starts
// it with a null sink whose monitor is the default input, so a note played into the sink is what the
// microphone hears. The server stops with this object.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs a program to its end (at most 20 s) and gives what it printed; ok tells whether it ended well.
inline QString RunProgram(const QString& program, const QStringList& arguments, bool* ok = nullptr) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(20000) && process.exitCode() == 0;
    if (ok != nullptr)
        *ok = finished;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class PrivateSoundServer {
public:
    PrivateSoundServer() = default;
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;
    ~PrivateSoundServer() { Stop(); }

    // Starts the server and points this process's PulseAudio clients at it, before Qt Multimedia first
    // speaks to one. Returns why it could not, empty once it runs.
    QString Start() {
        if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
            QStandardPaths::findExecutable("pacat").isEmpty())
            return QStringLiteral(
                "PulseAudio (pulseaudio, pacat) is not installed: the real audio path cannot be driven");
        bool ok = false;
        address_ = RunProgram(Script(), {"start", folder_.path()}, &ok);
        if (!ok) {
            address_.clear();
            return QStringLiteral("no private PulseAudio server could be started here");
        }
        qputenv("PULSE_SERVER", address_.toUtf8());
        return {};
    }
    void Stop() {
        if (!address_.isEmpty())
            RunProgram(Script(), {"stop", folder_.path()});
        address_.clear();
    }

    // The server's address, for pacat and pactl.
    const QString& Address() const { return address_; }
    // A file of the server's own folder, such as its server.pid.
    QString FilePath(const QString& name) const { return folder_.filePath(name); }

private:
    static QString Script() { return QStringLiteral(QUAVIX_SOURCE_DIR "/scripts/sound-server.sh"); }

    QTemporaryDir folder_;
    QString address_;
};
