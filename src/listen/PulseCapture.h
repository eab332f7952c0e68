#pragma once

// Records one PulseAudio source (PipeWire serves the same protocol) with a connection of its own that runs
// on the thread that opened it: a timer takes everything the server has sent every 10 ms and hands it on
// in one piece. The server sends a record stream's audio in whatever pieces its source produces, often a
// millisecond or two; a client thread that wakes for each of them costs more than everything listening
// does with the sound, so this capture wakes only at its own pace, and no other thread touches the
// connection.

#include "AudioInput.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <vector>

struct pa_context;
struct pa_mainloop;
struct pa_stream;

namespace quavix {

class PulseCapture final {
public:
    // Audio is handed on this often: shorter costs wake-ups, longer delays every answer.
    static constexpr int DeliveryMs = 10;
    // How long opening waits for the sound server before it gives up.
    static constexpr int OpenTimeoutMs = 5000;

    explicit PulseCapture(AudioInputSink& sink);
    ~PulseCapture();
    PulseCapture(const PulseCapture&) = delete;
    PulseCapture& operator=(const PulseCapture&) = delete;

    // Records the source named source (empty: the server's default) in format, which the server
    // converts to. False with a reason when the server or the source cannot be reached or refuses.
    bool Open(const QByteArray& source, const SampleFormat& format, QString& error);
    void Close();
    bool IsOpen() const { return stream_ != nullptr; }

private:
    bool Connect(QString& error);
    bool StartRecording(const QByteArray& source, const SampleFormat& format, QString& error);
    // Runs the connection until ready returns true, it fails, or the time is up.
    template <typename Ready> bool RunUntil(Ready ready);
    void Pump();
    bool TakeRecorded();
    QString ServerError() const;

    AudioInputSink& sink_;
    pa_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    QTimer pump_;
    std::vector<char> recorded_;
    char silence_ = 0;
};

} // namespace quavix
