#include "MidiRoom.h"

#include "AlsaMidiInput.h"
#include "MidiKeyboardLink.h"
#include "QuizEngine.h"
#include "Settings.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace quavix {

TMidiRoom::TMidiRoom(QObject* parent, const Settings& settings, const QuizEngine& engine,
                     const QuizFrontEnd& quizFront, MidiInput* input)
    : QObject(parent), settings_(settings), engine_(engine), quizFront_(quizFront), givenInput_(input),
      keyboard_(*this, settings) {}

TMidiRoom::~TMidiRoom() {
    if (painted_)
        painted_->removeEventFilter(this);
    // The links to the keyboard go with the input, which may outlive the room when it was given.
    if (input_)
        input_->disconnect(this);
}

void TMidiRoom::OpenAfterFirstPaint(QWidget* painted) {
    painted_ = painted;
    painted_->installEventFilter(this);
}

bool TMidiRoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == painted_ && event->type() == QEvent::Paint) {
        painted_->removeEventFilter(this);
        painted_ = nullptr;
        // After the paint has reached the screen, not in the middle of it.
        QMetaObject::invokeMethod(this, &TMidiRoom::Open, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void TMidiRoom::Open() {
    if (opened_)
        return;
    opened_ = true;
    if (!givenInput_)
        ownInput_ = std::make_unique<AlsaMidiInput>();
    input_ = givenInput_ ? givenInput_.data() : ownInput_.get();

    LinkMidiKeyboard(*input_, keyboard_, this);
    connect(input_, &MidiInput::SourceConnected, this, &TMidiRoom::SourceConnected);
    connect(input_, &MidiInput::SourcesChanged, this, &TMidiRoom::RefreshMenuSoon);
    connect(input_, &MidiInput::NoteEvent, this, &TMidiRoom::SoundKey);
    connect(input_, &MidiInput::SourceStopped, this, [this](MidiSourceId id) { SilenceKeys(id); });
    connect(input_, &MidiInput::EventsLost, this, [this] { SilenceKeys(std::nullopt); });

    // The devices found at once are named together, not one over the other.
    opening_ = true;
    input_->Open();
    opening_ = false;
    if (!connectedWhileOpening_.isEmpty())
        emit notice(tr("MIDI input connected: %1").arg(connectedWhileOpening_.join(QStringLiteral(", "))));
    connectedWhileOpening_.clear();
    RefreshMenuSoon();
}

void TMidiRoom::ShowSourcesIn(QMenu* menu) {
    menu_ = menu;
    RefreshMenu();
}

void TMidiRoom::ReleaseKeys() {
    keyboard_.ReleaseAll();
}

bool TMidiRoom::TakingAnswers() const {
    // A modal box or an open menu keeps every other answer from the window, so it keeps these too.
    return engine_.State.Running && !quizFront_.PopUpShowing() && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

void TMidiRoom::Answer(int answerCode) {
    emit answered(answerCode);
}

void TMidiRoom::HoldKey(int step) {
    emit keyHeld(step);
}

void TMidiRoom::LetGoKey(int step) {
    emit keyLetGo(step);
}

void TMidiRoom::ReportIgnoredKey(int note, MidiKeyProblem problem) {
    const QString key = QString::fromStdString(MidiNoteName(note));
    if (problem == MidiKeyProblem::BlackKey) {
        emit notice(tr("MIDI key %1 is a black key: only white keys answer.").arg(key));
        return;
    }
    const MidiNoteRange range = ExactNoteRange(settings_.InputMode);
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

void TMidiRoom::SoundKey(const MidiNoteEvent& event) {
    const QPair<MidiSourceId, int> key(event.Source, event.Note);
    if (event.Velocity > 0) {
        // A key struck again before its release was seen sounds anew; it is still one key held.
        if (!soundingKeys_.contains(key))
            soundingKeys_.append(key);
        emit keySounded(event.Note, event.Velocity);
    } else if (soundingKeys_.removeOne(key)) {
        emit keySounded(event.Note, 0);
    }
}

void TMidiRoom::SilenceKeys(std::optional<MidiSourceId> source) {
    const QList<QPair<MidiSourceId, int>> sounding = soundingKeys_;
    for (const auto& key : sounding) {
        if (source && key.first != *source)
            continue;
        soundingKeys_.removeOne(key);
        emit keySounded(key.second, 0);
    }
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
