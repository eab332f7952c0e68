#include "MidiKeyboardLink.h"

namespace quavix {

void LinkMidiKeyboard(MidiInput& input, MidiKeyboard& keyboard, QObject* context) {
    QObject::connect(&input, &MidiInput::NoteEvent, context, [&keyboard](const MidiNoteEvent& event) {
        if (event.Velocity > 0)
            keyboard.NoteOn(event.Source, event.Note, event.TimeMs);
        else
            keyboard.NoteOff(event.Source, event.Note);
    });
    QObject::connect(&input, &MidiInput::SourceStopped, context,
                     [&keyboard](MidiSourceId id) { keyboard.ReleaseSource(id); });
    QObject::connect(&input, &MidiInput::EventsLost, context, [&keyboard] { keyboard.ReleaseAll(); });
}

} // namespace quavix
