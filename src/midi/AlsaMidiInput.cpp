#include "AlsaMidiInput.h"

#include "AlsaSequencerEvents.h"

#include <QFileInfo>
#include <QSocketNotifier>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>

// alsa-lib declares this one outside its extern "C" block, so C++ would look for a mangled name.
namespace alsa_c {
extern "C" snd_local_error_handler_t snd_lib_error_set_local(snd_local_error_handler_t func);
}

namespace quavix {

namespace {

std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// ALSA prints its complaints to stderr; a system without MIDI is ordinary, so while opening they stay quiet.
void QuietAlsaError(const char*, int, const char*, int, const char*, va_list) {}

class QuietAlsaErrors {
public:
    QuietAlsaErrors() : previous_(alsa_c::snd_lib_error_set_local(&QuietAlsaError)) {}
    ~QuietAlsaErrors() { alsa_c::snd_lib_error_set_local(previous_); }
    QuietAlsaErrors(const QuietAlsaErrors&) = delete;
    QuietAlsaErrors& operator=(const QuietAlsaErrors&) = delete;

private:
    snd_local_error_handler_t previous_;
};

} // namespace

AlsaMidiInput::AlsaMidiInput() : AlsaMidiInput(Options{}) {}

AlsaMidiInput::AlsaMidiInput(Options options, QObject* parent)
    : MidiInput(parent), options_(std::move(options)) {
    options_.batchSize = std::max(1, options_.batchSize);
}

AlsaMidiInput::~AlsaMidiInput() {
    notifiers_.clear();
    if (seq_)
        snd_seq_close(seq_);
}

void AlsaMidiInput::Open() {
    if (status_ != Status::Closed)
        return;
    // Looking first spares a system without MIDI the loading of ALSA's configuration.
    if (!QFileInfo::exists(options_.devicePath)) {
        status_ = Status::NoMidi;
        problem_ = tr("This system has no MIDI sequencer (%1 is missing).").arg(options_.devicePath);
        emit SourcesChanged();
        return;
    }

    QuietAlsaErrors quiet;
    int result =
        snd_seq_open(&seq_, options_.sequencerName.constData(), SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK);
    if (result < 0) {
        seq_ = nullptr;
        Refuse(
            tr("The MIDI sequencer would not open: %1.").arg(QString::fromLocal8Bit(snd_strerror(result))));
        return;
    }
    // ALSA keeps the configuration it read (about 0.7 MiB) for later opens. It is not freed here: freeing
    // it returns nothing measurable to the system and would also unload plug-ins that sound output in
    // another thread may be using.

    snd_seq_set_client_name(seq_, "Quavix");
    ownClient_ = snd_seq_client_id(seq_);
    // Other programs may connect to us too, so a patch bay can route any port into Quavix.
    result =
        snd_seq_create_simple_port(seq_, "Quavix input", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (ownClient_ < 0 || result < 0) {
        Refuse(tr("The MIDI sequencer gave Quavix no input port: %1.")
                   .arg(QString::fromLocal8Bit(snd_strerror(ownClient_ < 0 ? ownClient_ : result))));
        return;
    }
    ownPort_ = result;
    for (int i = 0; i < WantedSequencerEventCount; ++i)
        snd_seq_set_client_event_filter(seq_, WantedSequencerEvents[i]);
    // Without the announcements, keys still work, but devices plugged in later wait for a restart.
    snd_seq_connect_from(seq_, ownPort_, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);

    const int count = snd_seq_poll_descriptors_count(seq_, POLLIN);
    std::vector<pollfd> descriptors(static_cast<std::size_t>(std::max(count, 0)));
    const int filled =
        count > 0 ? snd_seq_poll_descriptors(seq_, descriptors.data(), static_cast<unsigned>(count), POLLIN)
                  : 0;
    for (int i = 0; i < filled; ++i) {
        auto notifier = std::make_unique<QSocketNotifier>(descriptors[static_cast<std::size_t>(i)].fd,
                                                          QSocketNotifier::Read);
        connect(notifier.get(), &QSocketNotifier::activated, this, &AlsaMidiInput::Drain);
        notifiers_.push_back(std::move(notifier));
    }
    if (notifiers_.empty()) {
        Refuse(tr("The MIDI sequencer offers nothing to wait on."));
        return;
    }

    status_ = Status::Open;
    ScanPorts();
    emit SourcesChanged();
}

void AlsaMidiInput::Refuse(const QString& why) {
    notifiers_.clear();
    if (seq_)
        snd_seq_close(seq_);
    seq_ = nullptr;
    ownClient_ = -1;
    ownPort_ = -1;
    status_ = Status::Refused;
    problem_ = why;
    emit SourcesChanged();
}

QList<MidiSource> AlsaMidiInput::Sources() const {
    QList<MidiSource> list;
    list.reserve(static_cast<qsizetype>(sources_.size()));
    for (const Source& source : sources_)
        list.append(source.Info);
    return list;
}

void AlsaMidiInput::SetSourceEnabled(MidiSourceId id, bool enabled) {
    Source* source = Find(id);
    if (!source || source->Info.Enabled == enabled)
        return;
    source->Info.Enabled = enabled;
    if (enabled)
        disabledNames_.remove(source->Info.Name);
    else
        disabledNames_.insert(source->Info.Name);

    if (enabled) {
        const bool connected = Connect(*source);
        const MidiSource info = source->Info;
        emit SourcesChanged();
        if (connected)
            emit SourceConnected(info);
        return;
    }
    const bool wasConnected = source->Info.Connected;
    if (wasConnected)
        snd_seq_disconnect_from(seq_, ownPort_, source->Client, source->Port);
    source->Info.Connected = false;
    emit SourcesChanged();
    if (wasConnected)
        emit SourceStopped(id);
}

void AlsaMidiInput::ScanPorts() {
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    std::vector<std::pair<int, int>> found;
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq_, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq_, port) >= 0)
            found.emplace_back(id, snd_seq_port_info_get_port(port));
    }
    for (const auto& [clientId, portId] : found)
        ConsiderPort(clientId, portId);
}

bool AlsaMidiInput::DescribePort(int client, int port, SequencerPort& described) const {
    snd_seq_client_info_t* clientInfo = nullptr;
    snd_seq_port_info_t* portInfo = nullptr;
    snd_seq_client_info_alloca(&clientInfo);
    snd_seq_port_info_alloca(&portInfo);
    if (snd_seq_get_any_client_info(seq_, client, clientInfo) < 0 ||
        snd_seq_get_any_port_info(seq_, client, port, portInfo) < 0)
        return false;
    described.Client = client;
    described.Port = port;
    described.KernelClient = snd_seq_client_info_get_type(clientInfo) == SND_SEQ_KERNEL_CLIENT;
    described.ClientName = QString::fromUtf8(snd_seq_client_info_get_name(clientInfo));
    described.PortName = QString::fromUtf8(snd_seq_port_info_get_name(portInfo));
    described.Capability = snd_seq_port_info_get_capability(portInfo);
    return true;
}

void AlsaMidiInput::ConsiderPort(int client, int port) {
    SequencerPort described;
    const bool exists = DescribePort(client, port, described);
    Source* known = Find(client, port);
    if (!exists || !IsKeySource(described, ownClient_)) {
        // A port that lost its readable side (or vanished between the announcement and our question).
        if (known)
            RemovePort(client, port);
        return;
    }
    const QString name = SourceName(described);
    if (known) {
        if (known->Info.Name == name)
            return;
        known->Info.Name = name;
        emit SourcesChanged();
        return;
    }
    Source source{MidiSource{AlsaSourceId(client, port), name, !disabledNames_.contains(name), false}, client,
                  port};
    const bool connected = source.Info.Enabled && Connect(source);
    sources_.push_back(source);
    const MidiSource info = sources_.back().Info;
    emit SourcesChanged();
    if (connected)
        emit SourceConnected(info);
}

bool AlsaMidiInput::Connect(Source& source) {
    // A port may refuse (another program holds it exclusively); it stays listed, unconnected. One that a
    // patch bay connected to us already counts as connected.
    const int result = snd_seq_connect_from(seq_, ownPort_, source.Client, source.Port);
    source.Info.Connected = result >= 0 || result == -EBUSY;
    return source.Info.Connected;
}

void AlsaMidiInput::RemovePort(int client, int port) {
    const auto at = std::find_if(sources_.begin(), sources_.end(),
                                 [&](const Source& s) { return s.Client == client && s.Port == port; });
    if (at == sources_.end())
        return;
    const MidiSourceId id = at->Info.Id;
    const bool wasConnected = at->Info.Connected;
    sources_.erase(at);
    emit SourcesChanged();
    if (wasConnected)
        emit SourceStopped(id);
}

void AlsaMidiInput::RemoveClient(int client) {
    std::vector<int> ports;
    for (const Source& source : sources_)
        if (source.Client == client)
            ports.push_back(source.Port);
    for (int port : ports)
        RemovePort(client, port);
}

void AlsaMidiInput::RenameClient(int client) {
    std::vector<int> ports;
    for (const Source& source : sources_)
        if (source.Client == client)
            ports.push_back(source.Port);
    for (int port : ports)
        ConsiderPort(client, port);
}

void AlsaMidiInput::SetConnected(int client, int port, bool connected) {
    Source* source = Find(client, port);
    if (!source || source->Info.Connected == connected)
        return;
    source->Info.Connected = connected;
    const MidiSourceId id = source->Info.Id;
    emit SourcesChanged();
    if (!connected)
        emit SourceStopped(id);
}

AlsaMidiInput::Source* AlsaMidiInput::Find(int client, int port) {
    for (Source& source : sources_)
        if (source.Client == client && source.Port == port)
            return &source;
    return nullptr;
}

AlsaMidiInput::Source* AlsaMidiInput::Find(MidiSourceId id) {
    for (Source& source : sources_)
        if (source.Info.Id == id)
            return &source;
    return nullptr;
}

void AlsaMidiInput::Drain() {
    drainQueued_ = false;
    // A slot reached from here that spins an event loop must not read the sequencer underneath us.
    if (draining_ || !seq_)
        return;
    draining_ = true;
    const std::int64_t timeMs = NowMs();
    bool lost = false;
    for (int i = 0; i < options_.batchSize && seq_; ++i) {
        snd_seq_event_t* event = nullptr;
        const int result = snd_seq_event_input(seq_, &event);
        if (result == -ENOSPC) {
            // Our queue overflowed and the sequencer threw events away.
            lost = true;
            continue;
        }
        if (result < 0 || !event)
            break;
        Handle(*event, timeMs);
    }
    draining_ = false;
    if (lost)
        emit EventsLost();
    // Events already fetched into ALSA's own buffer do not wake the descriptors, so the rest of a flood
    // is read on the event loop's next turn, after whatever else waits there.
    if (seq_ && !drainQueued_ && snd_seq_event_input_pending(seq_, 0) > 0) {
        drainQueued_ = true;
        QMetaObject::invokeMethod(this, &AlsaMidiInput::Drain, Qt::QueuedConnection);
    }
}

void AlsaMidiInput::Handle(const snd_seq_event& event, std::int64_t timeMs) {
    using Kind = SequencerEvent::Kind;
    const SequencerEvent decoded = DecodeSequencerEvent(event, ownClient_, ownPort_);
    switch (decoded.What) {
    case Kind::NoteOn:
    case Kind::NoteOff: {
        // A source the user switched off may still have events on the way, or a patch bay may connect it.
        const Source* source = Find(decoded.Client, decoded.Port);
        if (source && !source->Info.Enabled)
            return;
        emit NoteEvent(MidiNoteEvent{AlsaSourceId(decoded.Client, decoded.Port),
                                     static_cast<std::uint8_t>(decoded.Note),
                                     static_cast<std::uint8_t>(decoded.Velocity), timeMs});
        return;
    }
    case Kind::PortStarted:
    case Kind::PortChanged:
        ConsiderPort(decoded.Client, decoded.Port);
        return;
    case Kind::PortExited:
        RemovePort(decoded.Client, decoded.Port);
        return;
    case Kind::ClientChanged:
        RenameClient(decoded.Client);
        return;
    case Kind::ClientExited:
        RemoveClient(decoded.Client);
        return;
    case Kind::Subscribed:
    case Kind::Unsubscribed:
        SetConnected(decoded.Client, decoded.Port, decoded.What == Kind::Subscribed);
        return;
    case Kind::Ignored:
        return;
    }
}

} // namespace quavix
