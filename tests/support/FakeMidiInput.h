#pragma once

#include "MidiInput.h"

#include <vector>

// A MIDI layer played by hand: devices are plugged and unplugged, keys pressed and released, exactly as the
// real backend reports them (a switched-off source sends nothing, and a source stops when it goes).
class FakeMidiInput final : public quavix::MidiInput {
    Q_OBJECT
public:
    // What opening finds.
    Status openAs = Status::Open;

    void Open() override;
    Status State() const override { return status_; }
    QString Problem() const override;
    QList<quavix::MidiSource> Sources() const override;
    void SetSourceEnabled(quavix::MidiSourceId id, bool enabled) override;

    // A device appears; it is connected at once when the input is open, else when it opens.
    quavix::MidiSourceId Plug(const QString& name);
    void Unplug(quavix::MidiSourceId id);
    void Press(quavix::MidiSourceId id, int note, std::int64_t timeMs, int velocity = 64);
    void Release(quavix::MidiSourceId id, int note, std::int64_t timeMs = 0);
    void LoseEvents() { emit EventsLost(); }

private:
    quavix::MidiSource* Find(quavix::MidiSourceId id);
    void Deliver(quavix::MidiSourceId id, int note, int velocity, std::int64_t timeMs);

    Status status_ = Status::Closed;
    std::vector<quavix::MidiSource> sources_;
    quavix::MidiSourceId nextId_ = 1;
};
