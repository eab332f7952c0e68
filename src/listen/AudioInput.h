#pragma once

// The boundary between the listening room and the system's audio inputs. The program knows only this
// header; the layer that speaks to the sound server (Qt Multimedia, libpulse) lives in a module loaded the
// first time listening is asked for, and tests put a double in its place that hands over sample buffers.

#include "SampleConverter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtPlugin>

#include <memory>

namespace quavix {

struct AudioInputDevice {
    QByteArray Id;       // what Open takes; stable while the device stays plugged in
    QString Description; // as the system names it, for a menu
    bool IsDefault = false;
};

// Why an open input stopped delivering.
enum class InputFailure : std::uint8_t {
    Lost = 0,  // the device or the sound server went away
    Error = 1, // the audio layer reported an error reading it
};

// Where an input delivers. Called on the thread that opened the input.
class AudioInputSink {
public:
    virtual ~AudioInputSink() = default;
    // Interleaved frames in the format Open reported; a call may end inside a frame.
    virtual void InputData(const char* data, qint64 size) = 0;
    virtual void InputFailed(InputFailure failure) = 0;
    // Inputs were plugged in or taken away.
    virtual void InputsChanged() = 0;
};

class AudioInput {
public:
    AudioInput() = default;
    virtual ~AudioInput() = default;
    AudioInput(const AudioInput&) = delete;
    AudioInput& operator=(const AudioInput&) = delete;

    virtual void SetSink(AudioInputSink* sink) = 0;
    virtual QList<AudioInputDevice> Devices() = 0;
    // Opens the device with this id (empty: the system's default input), asking for wanted; the input
    // may deliver another format, which delivered tells. False with a reason when there is no such
    // device or it cannot be opened. Opening an input that is open closes it first.
    virtual bool Open(const QByteArray& id, const SampleFormat& wanted, SampleFormat& delivered,
                      QString& error) = 0;
    virtual void Close() = 0;
};

// The module's root object makes inputs through this interface.
class AudioInputFactory {
public:
    virtual ~AudioInputFactory() = default;
    virtual std::unique_ptr<AudioInput> CreateAudioInput() = 0;
};

} // namespace quavix

// Raised whenever AudioInput or its types change shape, so that an old module is refused.
#define QuavixAudioInputFactory_iid "example.tonewright.quavix.AudioInputFactory/1"
Q_DECLARE_INTERFACE(quavix::AudioInputFactory, QuavixAudioInputFactory_iid)
