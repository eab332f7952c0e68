#include "AlsaSequencerEvents.h"

#include <iterator>

namespace quavix {

MidiSourceId AlsaSourceId(int client, int port) {
    return (static_cast<MidiSourceId>(client & 0xFF) << 8) | static_cast<MidiSourceId>(port & 0xFF);
}

const int WantedSequencerEvents[] = {
    SND_SEQ_EVENT_NOTEON,      SND_SEQ_EVENT_NOTEOFF,         SND_SEQ_EVENT_PORT_START,
    SND_SEQ_EVENT_PORT_CHANGE, SND_SEQ_EVENT_PORT_EXIT,       SND_SEQ_EVENT_CLIENT_CHANGE,
    SND_SEQ_EVENT_CLIENT_EXIT, SND_SEQ_EVENT_PORT_SUBSCRIBED, SND_SEQ_EVENT_PORT_UNSUBSCRIBED,
};
const int WantedSequencerEventCount = static_cast<int>(std::size(WantedSequencerEvents));

SequencerEvent DecodeSequencerEvent(const snd_seq_event_t& event, int ownClient, int ownPort) {
    using Kind = SequencerEvent::Kind;
    SequencerEvent decoded;
    switch (event.type) {
    case SND_SEQ_EVENT_NOTEON:
    case SND_SEQ_EVENT_NOTEOFF:
        // Many keyboards send a release as a note-on with velocity 0 (it saves bytes under running status).
        decoded.What =
            event.type == SND_SEQ_EVENT_NOTEON && event.data.note.velocity > 0 ? Kind::NoteOn : Kind::NoteOff;
        decoded.Client = event.source.client;
        decoded.Port = event.source.port;
        decoded.Note = event.data.note.note;
        decoded.Velocity = decoded.What == Kind::NoteOn ? event.data.note.velocity : 0;
        // Note numbers are 7 bits on the wire; anything else did not come from a keyboard.
        if (decoded.Note > 127)
            decoded.What = Kind::Ignored;
        return decoded;
    case SND_SEQ_EVENT_PORT_START:
    case SND_SEQ_EVENT_PORT_CHANGE:
    case SND_SEQ_EVENT_PORT_EXIT:
        decoded.What = event.type == SND_SEQ_EVENT_PORT_START    ? Kind::PortStarted
                       : event.type == SND_SEQ_EVENT_PORT_CHANGE ? Kind::PortChanged
                                                                 : Kind::PortExited;
        decoded.Client = event.data.addr.client;
        decoded.Port = event.data.addr.port;
        return decoded;
    case SND_SEQ_EVENT_CLIENT_CHANGE:
    case SND_SEQ_EVENT_CLIENT_EXIT:
        decoded.What = event.type == SND_SEQ_EVENT_CLIENT_CHANGE ? Kind::ClientChanged : Kind::ClientExited;
        decoded.Client = event.data.addr.client;
        return decoded;
    case SND_SEQ_EVENT_PORT_SUBSCRIBED:
    case SND_SEQ_EVENT_PORT_UNSUBSCRIBED:
        // The system announces every connection between any two ports; only those into ours matter.
        if (event.data.connect.dest.client != ownClient || event.data.connect.dest.port != ownPort)
            return decoded;
        decoded.What = event.type == SND_SEQ_EVENT_PORT_SUBSCRIBED ? Kind::Subscribed : Kind::Unsubscribed;
        decoded.Client = event.data.connect.sender.client;
        decoded.Port = event.data.connect.sender.port;
        return decoded;
    default:
        return decoded;
    }
}

bool IsKeySource(const SequencerPort& port, int ownClient) {
    constexpr unsigned readable = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;
    if ((port.Capability & readable) != readable || (port.Capability & SND_SEQ_PORT_CAP_NO_EXPORT) != 0)
        return false;
    if (port.Client == ownClient || port.Client == SND_SEQ_CLIENT_SYSTEM)
        return false;
    // Midi Through plays back whatever any program sends into it, often a music player's output by
    // default; listening to it would answer with notes nobody pressed. A user who routes a keyboard
    // through it can still connect it to our port with any patch bay.
    if (port.KernelClient && port.ClientName == QLatin1String("Midi Through"))
        return false;
    return true;
}

QString SourceName(const SequencerPort& port) {
    if (port.PortName.isEmpty())
        return port.ClientName;
    if (port.ClientName.isEmpty() || port.PortName.startsWith(port.ClientName))
        return port.PortName;
    return port.ClientName + QLatin1String(": ") + port.PortName;
}

} // namespace quavix
