#pragma once

// A private PulseAudio server for the tests that drive the real audio path: scripts/sound-server.sh starts
// it with a null sink whose monitor is the default input, so a note played into the sink is what the
// microphone hears. The server stops with this object.

#include "SyntheticTones.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <vector>

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
    // Starts the server for a test of the listening module; empty once it runs, else why such a test cannot
    // run here.
    QString StartForListening() {
#ifdef QUAVIX_LISTEN_MODULE
        return Start();
#else
        return QStringLiteral("built without Qt Multimedia or libpulse, so there is no listening module");
#endif
    }
    void Stop() {
        if (!address_.isEmpty())
            RunProgram(Script(), {"stop", folder_.path()});
        address_.clear();
    }

    // Plays mono samples at 48 kHz into the sink, as 16-bit sound through pacat; the process ends once they
    // have played. False when pacat could not start. A fifth of a second is kept ahead in the server: a
    // player only 10 ms ahead runs dry whenever a busy machine keeps it waiting, and the sink then plays the
    // note in pieces with silence between them, which is heard as no note at all.
    bool Play(QProcess& pacat, const std::vector<float>& samples) const {
        QByteArray bytes;
        bytes.reserve(qsizetype(samples.size() * 2));
        for (float s : samples) {
            const auto v = static_cast<qint16>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
            bytes.append(reinterpret_cast<const char*>(&v), 2);
        }
        pacat.start(QStringLiteral("pacat"), {"--server=" + address_, "--playback", "--raw", "--format=s16le",
                                              "--channels=1", "--rate=48000", "--latency-msec=200"});
        if (!pacat.waitForStarted())
            return false;
        pacat.write(bytes);
        pacat.closeWriteChannel();
        return true;
    }

    // Plays a note of the pitch (MIDI, cents as the fraction) after `lead` seconds of silence.
    bool PlayNote(QProcess& pacat, double pitch, double seconds, double lead, double amplitude = 0.3) const {
        constexpr int Rate = 48000;
        std::vector<float> sound(static_cast<std::size_t>(lead * Rate), 0.0f);
        tones::Tone tone;
        tone.Pitch = pitch;
        tone.Seconds = seconds;
        tone.Amplitude = amplitude;
        tones::Add(sound, sound.size(), tone, Rate);
        return Play(pacat, sound);
    }

    // The server's address, for pacat and pactl.
    const QString& Address() const {
        return address_;
    }
    // A file of the server's own folder, such as its server.pid.
    QString FilePath(const QString& name) const {
        return folder_.filePath(name);
    }

private:
    static QString Script() {
        return QStringLiteral(QUAVIX_SOURCE_DIR "/scripts/sound-server.sh");
    }

    QTemporaryDir folder_;
    QString address_;
};
