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
    Lost = 0,      // the device or the sound server went away
    Error = 1,     // the audio layer reported an error reading it
    NotOpened = 2, // opening was refused, or the server went away before the input started
};

// Where an input delivers. Called on the thread that opened the input, from its event loop, never from
// within Open or Close.
class AudioInputSink {
public:
    virtual ~AudioInputSink() = default;
    // The input opened by the last Open has started: sound can arrive from now on.
    virtual void InputOpened() = 0;
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
    // The inputs there are. Empty while KnowsDevices is false: the list is asked of the sound server only
    // once it has answered an Open, and the sink hears InputsChanged when it is known.
    virtual QList<AudioInputDevice> Devices() = 0;
    virtual bool KnowsDevices() const { return true; }
    // Starts opening the device with this id (empty: the system's default input), asking for wanted; the
    // input may deliver another format, which delivered tells. Returns at once, without waiting for the
    // sound server: the sink then hears InputOpened, or InputFailed(NotOpened). An open the server never
    // answers stays pending until Close, so its owner decides how long to wait. False with a reason when
    // there is no such device or it cannot be asked for at all. Opening an input that is open or opening
    // closes it first.
    virtual bool Open(const QByteArray& id, const SampleFormat& wanted, SampleFormat& delivered,
                      QString& error) = 0;
    // Closes the input, or gives up a pending open: the sink hears nothing more of it.
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
#define QuavixAudioInputFactory_iid "example.tonewright.quavix.AudioInputFactory/2"
Q_DECLARE_INTERFACE(quavix::AudioInputFactory, QuavixAudioInputFactory_iid)
