#include "MidiRoom.h"

#include "AlsaMidiInput.h"
#include "FirstPaint.h"
#include "MidiKeyboardLink.h"
#include "MidiNotes.h"
#include "QuizEngine.h"

#include <QAction>
#include <QMenu>

namespace quavix {

TMidiRoom::TMidiRoom(QuizEngine& engine, KeyPresses& presses, MidiInput* input, QMenu* menu, QObject* parent)
    : QObject(parent), engine_(engine), givenInput_(input), keyboard_(engine, presses), menu_(menu) {
    RefreshMenu();
}

TMidiRoom::~TMidiRoom() {
    // The links to the keyboard go with the input, which may outlive the room when it was given.
    if (input_)
        input_->disconnect(this);
}

void TMidiRoom::OpenAfterFirstPaint(QWidget* painted) {
    RunAfterFirstPaint(painted, this, [this] { Open(); });
}

void TMidiRoom::Open() {
    if (opened_)
        return;
    opened_ = true;
    if (!givenInput_)
        ownInput_ = std::make_unique<AlsaMidiInput>();
    input_ = givenInput_ ? givenInput_.data() : ownInput_.get();

    LinkMidiKeyboard(*input_, keyboard_, this,
                     [this](int note, IgnoredBecause why) { TellIgnoredKey(note, why); });
    connect(input_, &MidiInput::SourceConnected, this, &TMidiRoom::SourceConnected);
    connect(input_, &MidiInput::SourcesChanged, this, &TMidiRoom::RefreshMenuSoon);

    // The devices found at once are named together, not one over the other.
    opening_ = true;
    input_->Open();
    opening_ = false;
    if (!connectedWhileOpening_.isEmpty())
        emit notice(tr("MIDI input connected: %1").arg(connectedWhileOpening_.join(QStringLiteral(", "))));
    connectedWhileOpening_.clear();
    RefreshMenuSoon();
}

void TMidiRoom::TellIgnoredKey(int note, IgnoredBecause why) {
    const QString key = QString::fromStdString(MidiNoteName(note));
    if (why == IgnoredBecause::BlackKey) {
        emit notice(tr("MIDI key %1 is a black key: only white keys answer.").arg(key));
        return;
    }
    const MidiNoteRange range = ExactNoteRange(engine_.CurrentSettings().InputMode);
    emit notice(tr("MIDI key %1 lies outside the notes asked here (%2 to %3).")
                    .arg(key, QString::fromStdString(MidiNoteName(range.Lowest)),
                         QString::fromStdString(MidiNoteName(range.Highest))));
}

void TMidiRoom::SourceConnected(const MidiSource& source) {
    if (opening_)
        connectedWhileOpening_.append(source.Name);
    else
        emit notice(tr("MIDI input connected: %1").arg(source.Name));
}

void TMidiRoom::RefreshMenuSoon() {
    // Not at once: the change may come from one of the menu's own items, which must outlive its click.
    if (!menu_ || menuRefreshQueued_)
        return;
    menuRefreshQueued_ = true;
    QMetaObject::invokeMethod(this, &TMidiRoom::RefreshMenu, Qt::QueuedConnection);
}

void TMidiRoom::RefreshMenu() {
    menuRefreshQueued_ = false;
    if (!menu_)
        return;
    menu_->clear();
    const QList<MidiSource> sources = input_ ? input_->Sources() : QList<MidiSource>();
    if (sources.isEmpty()) {
        QAction* none = menu_->addAction(tr("No MIDI input"));
        none->setObjectName(QStringLiteral("miNoMidiInput"));
        none->setEnabled(false);
        return;
    }
    for (const MidiSource& source : sources) {
        QString caption = QString(source.Name).replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (source.Enabled && !source.Connected)
            caption += tr(" (not connected)");
        QAction* item = menu_->addAction(caption);
        item->setObjectName(QStringLiteral("miMidiSource"));
        item->setCheckable(true);
        item->setChecked(source.Enabled);
        const MidiSourceId id = source.Id;
        connect(item, &QAction::triggered, this, [this, id](bool checked) {
            if (input_)
                input_->SetSourceEnabled(id, checked);
        });
    }
}

} // namespace quavix
