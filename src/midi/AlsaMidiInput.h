#pragma once

#include "MidiInput.h"

#include <QByteArray>
#include <QSet>

#include <memory>
#include <vector>

class QSocketNotifier;
struct _snd_seq;
struct snd_seq_event;

namespace quavix {

struct SequencerPort;

// MIDI input through the ALSA sequencer. One input port of ours listens to every readable port of the
// system; the system's announcements connect ports that appear and drop those that go, while the program
// runs. Events are read in the owning thread's event loop when the sequencer's descriptors become
// readable, so nothing runs while no key is played.
class AlsaMidiInput final : public MidiInput {
    Q_OBJECT
public:
    struct Options {
        // The sequencer device; where it is missing the system has no MIDI and nothing is loaded.
        QString devicePath = QStringLiteral("/dev/snd/seq");
        // The sequencer as ALSA's configuration names it.
        QByteArray sequencerName = "default";
        // Events read in one go before the event loop gets its turn again, so paints and clicks keep
        // coming during a flood.
        int batchSize = 256;
    };

    AlsaMidiInput();
    explicit AlsaMidiInput(Options options, QObject* parent = nullptr);
    ~AlsaMidiInput() override;

    void Open() override;
    Status State() const override { return status_; }
    QString Problem() const override { return problem_; }
    QList<MidiSource> Sources() const override;
    void SetSourceEnabled(MidiSourceId id, bool enabled) override;

    // Our client and port numbers, -1 until open.
    int OwnClient() const { return ownClient_; }
    int OwnPort() const { return ownPort_; }

private:
    struct Source {
        MidiSource Info;
        int Client;
        int Port;
    };

    void Refuse(const QString& why);
    void ScanPorts();
    bool DescribePort(int client, int port, SequencerPort& described) const;
    void ConsiderPort(int client, int port);
    void RemovePort(int client, int port);
    void RemoveClient(int client);
    void RenameClient(int client);
    void SetConnected(int client, int port, bool connected);
    bool Connect(Source& source);
    Source* Find(int client, int port);
    Source* Find(MidiSourceId id);
    void Drain();
    void Handle(const snd_seq_event& event, std::int64_t timeMs);

    Options options_;
    Status status_ = Status::Closed;
    QString problem_;
    _snd_seq* seq_ = nullptr;
    int ownClient_ = -1;
    int ownPort_ = -1;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
    std::vector<Source> sources_;
    // Names of the sources the user switched off, so a device plugged in again stays off.
    QSet<QString> disabledNames_;
    bool draining_ = false;
    bool drainQueued_ = false;
};

} // namespace quavix
