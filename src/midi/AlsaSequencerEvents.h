#pragma once

// What the ALSA sequencer's events and ports mean to Quavix, apart from the sequencer itself, so the rules
// are tested on machines without one.

#include "MidiInput.h"

#include <alsa/asoundlib.h>

#include <QString>

namespace quavix {

// The source id of a sequencer port.
MidiSourceId AlsaSourceId(int client, int port);

// One event read from the sequencer, as far as Quavix cares.
struct SequencerEvent {
    enum class Kind {
        Ignored,       // controllers, pedals, pitch bend, SysEx, clock, anything else
        NoteOn,        // a key went down, velocity above 0
        NoteOff,       // a key went up, also a note-on with velocity 0
        PortStarted,   // a port appeared
        PortChanged,   // a port changed its name or abilities
        PortExited,    // a port went away
        ClientChanged, // a client renamed itself
        ClientExited,  // a client and all its ports went away
        Subscribed,    // a port was connected to ours
        Unsubscribed,  // a port was disconnected from ours
    };
    Kind What = Kind::Ignored;
    int Client = -1; // the port or client concerned; for notes, the sender
    int Port = -1;
    int Note = 0;
    int Velocity = 0;
};

// Decodes an event delivered to our port (ownClient:ownPort).
SequencerEvent DecodeSequencerEvent(const snd_seq_event_t& event, int ownClient, int ownPort);

// The event types the sequencer is asked to deliver at all; it drops the rest before they reach us, which
// keeps a flood of controller messages out of our queue.
extern const int WantedSequencerEvents[];
extern const int WantedSequencerEventCount;

// A sequencer port as the system describes it.
struct SequencerPort {
    int Client = -1;
    int Port = -1;
    bool KernelClient = false; // a driver's port (a device, the system, Midi Through) rather than a program's
    QString ClientName;
    QString PortName;
    unsigned Capability = 0; // SND_SEQ_PORT_CAP_*
};

// Whether keys may come from the port: it can be read and subscribed to, it is meant to be seen, and it
// is none of our own ports, the system's announcement and timer ports or the kernel's Midi Through loop.
bool IsKeySource(const SequencerPort& port, int ownClient);

// The name the user sees: the port's own name when it already names its device, else both.
QString SourceName(const SequencerPort& port);

} // namespace quavix
