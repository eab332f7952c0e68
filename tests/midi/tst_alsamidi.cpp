// The ALSA sequencer backend: what it does where there is no sequencer or it refuses, how it reads the
// sequencer's events and which ports it listens to; and, where the machine has a sequencer, a program's
// virtual keyboard played through it.
#include "AlsaMidiInput.h"
#include "AlsaSequencerEvents.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

using namespace quavix;
using Kind = SequencerEvent::Kind;

Q_DECLARE_METATYPE(quavix::SequencerEvent::Kind)

namespace {

constexpr int OwnClient = 130;
constexpr int OwnPort = 0;

snd_seq_event_t Event(int type, int client = 24, int port = 0) {
    snd_seq_event_t event{};
    event.type = static_cast<snd_seq_event_type_t>(type);
    event.source.client = static_cast<unsigned char>(client);
    event.source.port = static_cast<unsigned char>(port);
    event.dest.client = OwnClient;
    event.dest.port = OwnPort;
    return event;
}

snd_seq_event_t Note(int type, int note, int velocity) {
    snd_seq_event_t event = Event(type);
    event.data.note.channel = 3;
    event.data.note.note = static_cast<unsigned char>(note);
    event.data.note.velocity = static_cast<unsigned char>(velocity);
    return event;
}

snd_seq_event_t Announcement(int type, int client, int port) {
    snd_seq_event_t event = Event(type, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);
    event.data.addr.client = static_cast<unsigned char>(client);
    event.data.addr.port = static_cast<unsigned char>(port);
    return event;
}

snd_seq_event_t Connection(int type, int sender, int destClient, int destPort) {
    snd_seq_event_t event = Event(type, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);
    event.data.connect.sender.client = static_cast<unsigned char>(sender);
    event.data.connect.sender.port = 0;
    event.data.connect.dest.client = static_cast<unsigned char>(destClient);
    event.data.connect.dest.port = static_cast<unsigned char>(destPort);
    return event;
}

// A program with a keyboard port, speaking to the real sequencer.
class VirtualKeyboard {
public:
    VirtualKeyboard() {
        if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
            seq_ = nullptr;
            return;
        }
        snd_seq_set_client_name(seq_, "Quavix test keyboard");
        port_ = snd_seq_create_simple_port(seq_, "Quavix test keyboard",
                                           SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                           SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    }
    ~VirtualKeyboard() { Close(); }
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    bool Ok() const { return seq_ && port_ >= 0; }
    MidiSourceId Id() const { return AlsaSourceId(snd_seq_client_id(seq_), port_); }
    void Close() {
        if (seq_)
            snd_seq_close(seq_);
        seq_ = nullptr;
    }
    // Sends to every subscriber, straight away.
    void Send(snd_seq_event_t event) {
        snd_seq_ev_set_source(&event, port_);
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        snd_seq_event_output_direct(seq_, &event);
    }
    void NoteOn(int note, int velocity) {
        snd_seq_event_t event{};
        snd_seq_ev_set_noteon(&event, 0, note, velocity);
        Send(event);
    }
    void Controller(int controller, int value) {
        snd_seq_event_t event{};
        snd_seq_ev_set_controller(&event, 0, controller, value);
        Send(event);
    }

private:
    snd_seq_t* seq_ = nullptr;
    int port_ = -1;
};

bool Listed(const MidiInput& input, MidiSourceId id, bool* connected = nullptr) {
    for (const MidiSource& source : input.Sources()) {
        if (source.Id == id) {
            if (connected)
                *connected = source.Connected;
            return true;
        }
    }
    return false;
}

} // namespace

class TestAlsaMidi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void noSequencer();
    void refusingSequencer();
    void decode_data();
    void decode();
    void keySources_data();
    void keySources();
    void sourceNames();
    void realSequencer();
};

void TestAlsaMidi::initTestCase() {
    qRegisterMetaType<MidiNoteEvent>();
    qRegisterMetaType<MidiSource>();
    qRegisterMetaType<MidiSourceId>();
}

// A server or a container has no /dev/snd/seq: an ordinary state, told once, with nothing to list.
void TestAlsaMidi::noSequencer() {
    AlsaMidiInput::Options options;
    options.devicePath = QStringLiteral("/nonexistent/snd/seq");
    AlsaMidiInput input(options);
    QSignalSpy changed(&input, &MidiInput::SourcesChanged);
    QSignalSpy connected(&input, &MidiInput::SourceConnected);
    QCOMPARE(input.State(), MidiInput::Status::Closed);
    input.Open();
    QCOMPARE(input.State(), MidiInput::Status::NoMidi);
    QVERIFY(input.Problem().contains(options.devicePath));
    QVERIFY(input.Sources().isEmpty());
    QCOMPARE(changed.count(), 1);
    input.Open();
    input.SetSourceEnabled(AlsaSourceId(24, 0), false);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(connected.count(), 0);
    QCOMPARE(input.OwnClient(), -1);
}

// The device is there, but the sequencer cannot be opened (here: a name ALSA does not know).
void TestAlsaMidi::refusingSequencer() {
    AlsaMidiInput::Options options;
    options.devicePath = QCoreApplication::applicationFilePath();
    options.sequencerName = "quavix_no_such_sequencer";
    AlsaMidiInput input(options);
    QSignalSpy changed(&input, &MidiInput::SourcesChanged);
    input.Open();
    QCOMPARE(input.State(), MidiInput::Status::Refused);
    QVERIFY(!input.Problem().isEmpty());
    QVERIFY(input.Sources().isEmpty());
    QCOMPARE(changed.count(), 1);
    input.Open();
    QCOMPARE(input.State(), MidiInput::Status::Refused);
}

void TestAlsaMidi::decode_data() {
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("client");
    QTest::addColumn<int>("note");
    QTest::addColumn<int>("velocity");
    auto row = [](const char* name, const snd_seq_event_t& event, Kind kind, int client, int note = 0,
                  int velocity = 0) {
        QTest::newRow(name) << QByteArray(reinterpret_cast<const char*>(&event), sizeof event) << kind
                            << client << note << velocity;
    };
    row("note on", Note(SND_SEQ_EVENT_NOTEON, 60, 100), Kind::NoteOn, 24, 60, 100);
    row("note on with velocity 0 is a release", Note(SND_SEQ_EVENT_NOTEON, 60, 0), Kind::NoteOff, 24, 60);
    row("note off keeps no release velocity", Note(SND_SEQ_EVENT_NOTEOFF, 61, 64), Kind::NoteOff, 24, 61);
    row("note number out of range", Note(SND_SEQ_EVENT_NOTEON, 200, 100), Kind::Ignored, -1, 200, 100);
    row("sustain pedal", Event(SND_SEQ_EVENT_CONTROLLER), Kind::Ignored, -1);
    row("pitch bend", Event(SND_SEQ_EVENT_PITCHBEND), Kind::Ignored, -1);
    row("SysEx", Event(SND_SEQ_EVENT_SYSEX), Kind::Ignored, -1);
    row("clock", Event(SND_SEQ_EVENT_CLOCK), Kind::Ignored, -1);
    row("key pressure", Note(SND_SEQ_EVENT_KEYPRESS, 60, 20), Kind::Ignored, -1, 60, 20);
    row("scheduled note", Note(SND_SEQ_EVENT_NOTE, 60, 100), Kind::Ignored, -1, 60, 100);
    row("port appears", Announcement(SND_SEQ_EVENT_PORT_START, 28, 1), Kind::PortStarted, 28);
    row("port changes", Announcement(SND_SEQ_EVENT_PORT_CHANGE, 28, 1), Kind::PortChanged, 28);
    row("port goes", Announcement(SND_SEQ_EVENT_PORT_EXIT, 28, 1), Kind::PortExited, 28);
    row("client renamed", Announcement(SND_SEQ_EVENT_CLIENT_CHANGE, 28, 0), Kind::ClientChanged, 28);
    row("client goes", Announcement(SND_SEQ_EVENT_CLIENT_EXIT, 28, 0), Kind::ClientExited, 28);
    row("connected to us", Connection(SND_SEQ_EVENT_PORT_SUBSCRIBED, 28, OwnClient, OwnPort),
        Kind::Subscribed, 28);
    row("disconnected from us", Connection(SND_SEQ_EVENT_PORT_UNSUBSCRIBED, 28, OwnClient, OwnPort),
        Kind::Unsubscribed, 28);
    row("connection between others", Connection(SND_SEQ_EVENT_PORT_SUBSCRIBED, 28, 129, 0), Kind::Ignored,
        -1);
    row("connection to our other port", Connection(SND_SEQ_EVENT_PORT_UNSUBSCRIBED, 28, OwnClient, 1),
        Kind::Ignored, -1);
}

void TestAlsaMidi::decode() {
    QFETCH(QByteArray, raw);
    QFETCH(Kind, kind);
    QFETCH(int, client);
    QFETCH(int, note);
    QFETCH(int, velocity);
    snd_seq_event_t event;
    std::memcpy(&event, raw.constData(), sizeof event);
    const SequencerEvent decoded = DecodeSequencerEvent(event, OwnClient, OwnPort);
    QCOMPARE(decoded.What, kind);
    if (kind == Kind::Ignored)
        return;
    QCOMPARE(decoded.Client, client);
    if (kind == Kind::NoteOn || kind == Kind::NoteOff) {
        QCOMPARE(decoded.Note, note);
        QCOMPARE(decoded.Velocity, kind == Kind::NoteOn ? velocity : 0);
    }
    // The sequencer is asked for exactly the events that mean something.
    const int* wanted = WantedSequencerEvents;
    QVERIFY(std::find(wanted, wanted + WantedSequencerEventCount, event.type) !=
            wanted + WantedSequencerEventCount);
}

void TestAlsaMidi::keySources_data() {
    QTest::addColumn<int>("client");
    QTest::addColumn<bool>("kernel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<unsigned>("caps");
    QTest::addColumn<bool>("source");
    constexpr unsigned readable = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;
    constexpr unsigned both = readable | SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    QTest::newRow("USB keyboard") << 24 << true << "USB Keystation 61" << both << true;
    QTest::newRow("program's keyboard") << 128 << false << "Virtual Keys" << readable << true;
    QTest::newRow("synthesizer input only")
        << 129 << false << "Synth" << unsigned(SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE) << false;
    QTest::newRow("readable, no subscriptions")
        << 128 << false << "Odd" << unsigned(SND_SEQ_PORT_CAP_READ) << false;
    QTest::newRow("private port") << 128 << false << "Private" << (readable | SND_SEQ_PORT_CAP_NO_EXPORT)
                                  << false;
    QTest::newRow("ourselves") << OwnClient << false << "Quavix" << both << false;
    QTest::newRow("system announcements") << 0 << true << "System" << readable << false;
    QTest::newRow("Midi Through") << 14 << true << "Midi Through" << both << false;
    QTest::newRow("a program called Midi Through") << 131 << false << "Midi Through" << both << true;
}

void TestAlsaMidi::keySources() {
    QFETCH(int, client);
    QFETCH(bool, kernel);
    QFETCH(QString, name);
    QFETCH(unsigned, caps);
    QFETCH(bool, source);
    SequencerPort port;
    port.Client = client;
    port.Port = 0;
    port.KernelClient = kernel;
    port.ClientName = name;
    port.PortName = name + QStringLiteral(" Port-0");
    port.Capability = caps;
    QCOMPARE(IsKeySource(port, OwnClient), source);
}

void TestAlsaMidi::sourceNames() {
    SequencerPort port;
    port.ClientName = QStringLiteral("USB Keystation 61");
    port.PortName = QStringLiteral("USB Keystation 61 MIDI 1");
    QCOMPARE(SourceName(port), port.PortName);
    port.PortName = QStringLiteral("MIDI 1");
    QCOMPARE(SourceName(port), QStringLiteral("USB Keystation 61: MIDI 1"));
    port.PortName.clear();
    QCOMPARE(SourceName(port), port.ClientName);
    // Two ports of one device never share an id, nor do two devices.
    QVERIFY(AlsaSourceId(24, 0) != AlsaSourceId(24, 1));
    QVERIFY(AlsaSourceId(24, 1) != AlsaSourceId(25, 1));
}

// A program's keyboard appears, is connected without being asked, plays through the real sequencer, is
// switched off and on, and goes away.
void TestAlsaMidi::realSequencer() {
    if (!QFileInfo::exists(QStringLiteral("/dev/snd/seq")))
        QSKIP("This machine has no ALSA sequencer (/dev/snd/seq is missing; the snd-seq kernel module is not "
              "loaded or no sound devices are passed to this container).");

    AlsaMidiInput input;
    QSignalSpy notes(&input, &MidiInput::NoteEvent);
    QSignalSpy connected(&input, &MidiInput::SourceConnected);
    QSignalSpy stopped(&input, &MidiInput::SourceStopped);
    input.Open();
    QCOMPARE(input.State(), MidiInput::Status::Open);
    QVERIFY(input.OwnClient() > 0);
    for (const MidiSource& source : input.Sources())
        QVERIFY2(!source.Name.startsWith(QLatin1String("Midi Through")), qPrintable(source.Name));

    auto keyboard = std::make_unique<VirtualKeyboard>();
    QVERIFY(keyboard->Ok());
    const MidiSourceId id = keyboard->Id();
    bool isConnected = false;
    QTRY_VERIFY(Listed(input, id, &isConnected) && isConnected);
    QCOMPARE(connected.count(), 1);
    QCOMPARE(connected.first().first().value<MidiSource>().Name, QStringLiteral("Quavix test keyboard"));

    keyboard->NoteOn(60, 100);
    keyboard->NoteOn(60, 0);
    QTRY_COMPARE(notes.count(), 2);
    const auto on = notes.at(0).at(0).value<MidiNoteEvent>();
    const auto off = notes.at(1).at(0).value<MidiNoteEvent>();
    QCOMPARE(on.Source, id);
    QCOMPARE(int(on.Note), 60);
    QCOMPARE(int(on.Velocity), 100);
    QCOMPARE(int(off.Velocity), 0);

    // A sustain pedal's flood never reaches us; the note behind it does.
    for (int i = 0; i < 5000; ++i)
        keyboard->Controller(64, i % 128);
    keyboard->NoteOn(62, 90);
    QTRY_COMPARE(notes.count(), 3);
    QCOMPARE(int(notes.at(2).at(0).value<MidiNoteEvent>().Note), 62);

    input.SetSourceEnabled(id, false);
    QCOMPARE(stopped.count(), 1);
    keyboard->NoteOn(64, 90);
    QTest::qWait(100);
    QCOMPARE(notes.count(), 3);
    input.SetSourceEnabled(id, true);
    keyboard->NoteOn(65, 90);
    QTRY_COMPARE(notes.count(), 4);

    // The device goes in the middle of a note.
    keyboard->NoteOn(67, 90);
    QTRY_COMPARE(notes.count(), 5);
    keyboard.reset();
    QTRY_VERIFY(!Listed(input, id));
    QCOMPARE(stopped.count(), 2);
    QCOMPARE(stopped.last().first().value<MidiSourceId>(), id);
}

QTEST_GUILESS_MAIN(TestAlsaMidi)
#include "tst_alsamidi.moc"
