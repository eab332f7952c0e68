#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>

namespace quavix {

// Names one source of MIDI events (a port of a keyboard, a controller or a program) for as long as it
// exists; a device plugged in again may come back under another id.
using MidiSourceId = std::uint32_t;

struct MidiSource {
    MidiSourceId Id = 0;
    QString Name;
    bool Enabled = true;    // the user wants its keys (its check mark)
    bool Connected = false; // its events reach us
};

struct MidiNoteEvent {
    MidiSourceId Source = 0;
    std::uint8_t Note = 0;
    std::uint8_t Velocity = 0; // 0: the key went up
    std::int64_t TimeMs = 0;   // arrival, on a clock that never goes back
};

// The MIDI layer of the system as Quavix sees it: the sources there are, and the keys they play. A backend
// per platform implements it; tests feed it by hand. Everything runs in the thread that owns the object.
class MidiInput : public QObject {
    Q_OBJECT
public:
    enum class Status {
        Closed,  // not opened yet
        Open,    // listening; the list may still be empty
        NoMidi,  // the system has no MIDI layer (no sequencer device): an ordinary state
        Refused, // the MIDI layer is there but would not let us listen
    };

    using QObject::QObject;
    ~MidiInput() override;
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    // Starts listening and connects every source. Does nothing when called again.
    virtual void Open() = 0;
    virtual Status State() const = 0;
    // Why the state is NoMidi or Refused, in words for the user; empty otherwise.
    virtual QString Problem() const = 0;
    virtual QList<MidiSource> Sources() const = 0;
    // Connects or drops a source at the user's wish. A device that comes back keeps the user's choice.
    virtual void SetSourceEnabled(MidiSourceId id, bool enabled) = 0;

signals:
    // A key went down (Velocity above 0) or up on an enabled source.
    void NoteEvent(const quavix::MidiNoteEvent& event);
    // A source was connected: it appeared, or the user switched it on.
    void SourceConnected(const quavix::MidiSource& source);
    // No more events come from a source (it vanished, was switched off or disconnected), so a key it
    // holds will never see its release.
    void SourceStopped(quavix::MidiSourceId id);
    // The list of sources, a name or a check mark changed.
    void SourcesChanged();
    // The system dropped events because they came faster than they were read: releases may be among them.
    void EventsLost();
};

} // namespace quavix
