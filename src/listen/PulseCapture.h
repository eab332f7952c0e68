#pragma once

// Records one PulseAudio source (PipeWire serves the same protocol) with a connection of its own that runs
// on the thread that opened it: a timer takes everything the server has sent every 10 ms and hands it on
// in one piece. The server sends a record stream's audio in whatever pieces its source produces, often a
// millisecond or two; a client thread that wakes for each of them costs more than everything listening
// does with the sound, so this capture wakes only at its own pace, and no other thread touches the
// connection. Opening asks the server and goes on in the same timer, so the thread never waits for it: a
// server that takes the connection and then never answers cannot hold up the window.

#include "AudioInput.h"

#include <QByteArray>
#include <QElapsedTimer>
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
    // While opening, the connection is looked at this often, so that the few exchanges with the server
    // take milliseconds rather than a delivery period each.
    static constexpr int OpeningPumpMs = 1;

    explicit PulseCapture(AudioInputSink& sink);
    ~PulseCapture();
    PulseCapture(const PulseCapture&) = delete;
    PulseCapture& operator=(const PulseCapture&) = delete;

    // Starts recording the source named source (empty: the server's default) in format, which the server
    // converts to, and returns at once: the timer carries the opening on, and the sink hears InputOpened or
    // InputFailed(NotOpened). False with a reason when the format cannot be recorded or no connection can
    // even be started.
    bool Open(const QByteArray& source, const SampleFormat& format, QString& error);
    void Close();
    bool IsOpening() const { return stage_ == Stage::Connecting || stage_ == Stage::Starting; }
    bool IsOpen() const { return stage_ == Stage::Recording; }

private:
    enum class Stage : std::uint8_t { Closed, Connecting, Starting, Recording };

    static void SoundArrived(pa_stream* stream, std::size_t waiting, void* capture);
    bool StartRecording();
    int TakeIn();
    bool KeepsPace() const;
    void Pump();
    void Advance();
    void FailOpening();
    bool TakeRecorded();

    AudioInputSink& sink_;
    Stage stage_ = Stage::Closed;
    QByteArray source_;
    SampleFormat format_;
    pa_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    QTimer pump_;
    // Since the connection was last found with nothing more to read, and the bytes taken since.
    QElapsedTimer sinceEmpty_;
    qint64 takenSinceEmpty_ = 0;
    qint64 bytesPerSecond_ = 1;
    std::size_t waiting_ = 0; // bytes the stream holds that have not been taken yet
    int pumpsSinceEmpty_ = 0;
    std::vector<char> recorded_;
    char silence_ = 0;
};

} // namespace quavix
