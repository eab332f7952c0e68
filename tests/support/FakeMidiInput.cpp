#include "FakeMidiInput.h"

#include <algorithm>

using namespace quavix;

void FakeMidiInput::Open() {
    if (status_ != Status::Closed)
        return;
    status_ = openAs;
    if (status_ != Status::Open) {
        sources_.clear();
        emit SourcesChanged();
        return;
    }
    for (MidiSource& source : sources_)
        source.Connected = source.Enabled;
    emit SourcesChanged();
    const std::vector<MidiSource> connected = sources_;
    for (const MidiSource& source : connected)
        if (source.Connected)
            emit SourceConnected(source);
}

QString FakeMidiInput::Problem() const {
    switch (status_) {
    case Status::NoMidi:
        return QStringLiteral("no sequencer here");
    case Status::Refused:
        return QStringLiteral("the sequencer said no");
    default:
        return {};
    }
}

QList<MidiSource> FakeMidiInput::Sources() const {
    return QList<MidiSource>(sources_.begin(), sources_.end());
}

void FakeMidiInput::SetSourceEnabled(MidiSourceId id, bool enabled) {
    MidiSource* source = Find(id);
    if (!source || source->Enabled == enabled)
        return;
    source->Enabled = enabled;
    const bool wasConnected = source->Connected;
    source->Connected = enabled && status_ == Status::Open;
    const MidiSource info = *source;
    emit SourcesChanged();
    if (info.Connected)
        emit SourceConnected(info);
    else if (wasConnected)
        emit SourceStopped(id);
}

MidiSourceId FakeMidiInput::Plug(const QString& name) {
    const MidiSource source{nextId_++, name, true, status_ == Status::Open};
    if (status_ != Status::Closed && status_ != Status::Open)
        return source.Id; // a system without MIDI never sees the device
    sources_.push_back(source);
    emit SourcesChanged();
    if (source.Connected)
        emit SourceConnected(source);
    return source.Id;
}

void FakeMidiInput::Unplug(MidiSourceId id) {
    const auto at =
        std::find_if(sources_.begin(), sources_.end(), [id](const MidiSource& s) { return s.Id == id; });
    if (at == sources_.end())
        return;
    const bool wasConnected = at->Connected;
    sources_.erase(at);
    emit SourcesChanged();
    if (wasConnected)
        emit SourceStopped(id);
}

void FakeMidiInput::Press(MidiSourceId id, int note, std::int64_t timeMs, int velocity) {
    Deliver(id, note, velocity, timeMs);
}

void FakeMidiInput::Release(MidiSourceId id, int note, std::int64_t timeMs) {
    Deliver(id, note, 0, timeMs);
}

MidiSource* FakeMidiInput::Find(MidiSourceId id) {
    for (MidiSource& source : sources_)
        if (source.Id == id)
            return &source;
    return nullptr;
}

void FakeMidiInput::Deliver(MidiSourceId id, int note, int velocity, std::int64_t timeMs) {
    const MidiSource* source = Find(id);
    if (!source || !source->Connected)
        return;
    emit NoteEvent(
        MidiNoteEvent{id, static_cast<std::uint8_t>(note), static_cast<std::uint8_t>(velocity), timeMs});
}
