#include "MidiKeyboardLink.h"

namespace quavix {

void LinkMidiKeyboard(MidiInput& input, MidiKeyboard& keyboard, QObject* context,
                      std::function<void(int note, IgnoredBecause why)> tell) {
    QObject::connect(&input, &MidiInput::NoteEvent, context,
                     [&keyboard, tell = std::move(tell)](const MidiNoteEvent& event) {
                         if (event.Velocity == 0) {
                             keyboard.NoteOff(event.Source, event.Note);
                             return;
                         }
                         const IgnoredBecause why =
                             keyboard.NoteOn(event.Source, event.Note, event.Velocity, event.TimeMs);
                         if (why != IgnoredBecause::Nothing && tell)
                             tell(event.Note, why);
                     });
    QObject::connect(&input, &MidiInput::SourceStopped, context,
                     [&keyboard](MidiSourceId id) { keyboard.ReleaseSource(id); });
    QObject::connect(&input, &MidiInput::EventsLost, context, [&keyboard] { keyboard.ReleaseAll(); });
}

} // namespace quavix
