#include "ListenRoom.h"

#include "ClientArea.h"
#include "Commands.h"
#include "HintsAndKeys.h"
#include "ListenMeter.h"
#include "SettingsRoom.h"
#include "SoundRoom.h"
#include "StatusBar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <algorithm>

namespace quavix {

namespace {

constexpr int MeterMargin = 4;

} // namespace

TListenRoom::TListenRoom(const Parts& parts, AudioInputFactoryFunction factory, QObject* parent)
    : QObject(parent), parts_(parts), factory_(std::move(factory)), answers_(parts.Engine, parts.Presses) {
    meter_ = new TListenMeter(parts_.Client.HintBar());
    meter_->setAccessibleName(tr("Listening level"));
    meter_->setProperty("hint", tr("Listening: the bars show how loud the microphone hears you"));
    meter_->setProperty("helpContext", TCommands::ListeningHelpContext);
    meter_->hide();
    dyingSound_.setSingleShot(true);
    dyingSound_.setInterval(DyingSoundMs);
    connect(&dyingSound_, &QTimer::timeout, this, [this] {
        if (listener_ != nullptr)
            listener_->SetPaused(false);
        ShowState();
    });
    connect(&parts_.Sound.Player(), &SoundPlayer::soundingChanged, this, &TListenRoom::OwnSoundChanged);
    BuildMenu();
}

TListenRoom::~TListenRoom() {
    // The note held goes up while the presses still hear it.
    if (listener_ != nullptr)
        listener_->disconnect(this);
    answers_.LetGo();
}

void TListenRoom::BuildMenu() {
    QMenu* menu = parts_.Commands.mnuListening;
    inputMenu_ = menu->addMenu(tr("&Input"));
    inputMenu_->setObjectName(QStringLiteral("mnuListenInput"));
    // The inputs are known once listening has been switched on; with only one there is nothing to choose.
    inputMenu_->menuAction()->setVisible(false);
    menu->addSeparator();
    QMenu* tolerance = menu->addMenu(tr("&Tolerance"));
    tolerance->setObjectName(QStringLiteral("mnuListenTolerance"));
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int cents : Tolerances) {
        QAction* item = tolerance->addAction(tr("%1 cents").arg(cents));
        item->setObjectName(QStringLiteral("actListenTolerance%1").arg(cents));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, cents] {
            parts_.Settings.Choose({OptionChoice::Option::ListenTolerance, cents});
        });
        toleranceItems_.push_back(item);
    }
    menu->addSeparator();
    singingItem_ = menu->addAction(tr("&Singing: Any Octave"));
    singingItem_->setObjectName(QStringLiteral("actListenSinging"));
    singingItem_->setCheckable(true);
    connect(singingItem_, &QAction::triggered, this, [this] {
        parts_.Settings.Choose({OptionChoice::Option::ListenSinging, 0});
    });
}

void TListenRoom::ShowMarks(const Settings& settings) {
    for (std::size_t i = 0; i < toleranceItems_.size(); ++i)
        toleranceItems_[i]->setChecked(Tolerances[i] == settings.ListenToleranceCents);
    singingItem_->setChecked(settings.ListenSinging);
}

void TListenRoom::FollowSettings(const Settings& now, const Settings&) {
    ShowMarks(now);
    const QByteArray chosen = QByteArray::fromStdString(now.ListenInput);
    const bool inputChanged = chosen != chosenId_;
    chosenId_ = chosen;
    const bool on = listener_ != nullptr && listener_->IsWanted();
    if (now.Listen != on) {
        if (now.Listen)
            SwitchOn();
        else
            SwitchOff();
    } else if (on && inputChanged) {
        deviceId_ = InputToOpen(listener_->Devices());
        listener_->SwitchOn(deviceId_);
        RefreshDevicesSoon();
    }
    // Singing and the note buttons take a note in any octave, so a doubt about its octave need not delay it;
    // a note creeping into tune is told early only once its pitch answers within the tolerance.
    if (listener_ != nullptr) {
        listener_->SetOctaveMatters(OctaveRuleFor(now) != OctaveRule::AnyOctave);
        listener_->SetToleranceCents(now.ListenToleranceCents);
    }
}

QByteArray TListenRoom::InputToOpen(const QList<AudioInputDevice>& devices) const {
    // The input chosen when it is plugged in; otherwise the system's default, without a word, since the
    // choice still stands for when that input comes back.
    const auto chosen = [this](const AudioInputDevice& device) { return device.Id == chosenId_; };
    if (chosenId_.isEmpty() || std::none_of(devices.begin(), devices.end(), chosen))
        return {};
    return chosenId_;
}

void TListenRoom::SwitchOn() {
    if (listener_ == nullptr) {
        listener_ = std::make_unique<Listener>(factory_);
        connect(listener_.get(), &Listener::NoteHeard, this, &TListenRoom::Heard);
        connect(listener_.get(), &Listener::LevelChanged, meter_,
                [this](const InputLevel& level) { meter_->ShowLevel(level.RmsDb); });
        connect(listener_.get(), &Listener::ProblemChanged, this,
                [this](ListenProblem problem) { ProblemChanged(problem); });
        connect(listener_.get(), &Listener::DevicesChanged, this, &TListenRoom::RefreshDevicesSoon);
        connect(listener_.get(), &Listener::ListeningChanged, this, &TListenRoom::ShowState);
    }
    PlaceMeter();
    meter_->show();
    listener_->SetPaused(parts_.Sound.Player().IsSounding() || dyingSound_.isActive());
    deviceId_ = InputToOpen(listener_->Devices());
    listener_->SwitchOn(deviceId_);
    ShowState();
    RefreshDevicesSoon();
}

void TListenRoom::SwitchOff() {
    if (listener_ != nullptr)
        listener_->SwitchOff();
    answers_.LetGo();
    meter_->hide();
    ReserveRoom(0);
}

void TListenRoom::Tell(const QString& text) {
    parts_.Hints.ShowNotice(text, NoticeMs);
}

void TListenRoom::ReserveRoom(int pixels) {
    if (auto* bar = qobject_cast<ui::TStatusBar*>(parts_.Client.HintBar()))
        bar->SetRightReserve(pixels);
}

void TListenRoom::PlaceMeter() {
    const QSize size = meter_->sizeHint();
    const QRect bar = parts_.Client.HintBar()->rect();
    meter_->move(bar.right() - MeterMargin - size.width(),
                 bar.top() + (bar.height() - size.height()) / 2 + 1);
    ReserveRoom(size.width() + 2 * MeterMargin);
}

void TListenRoom::Heard(const HeardNote& note) {
    answers_.Hear(note);
}

void TListenRoom::ShowState() {
    // A problem strikes the microphone through; until sound can arrive, or while Quavix's own note
    // sounds, it is hollow; otherwise it hears.
    if (listener_ == nullptr)
        return;
    if (listener_->CurrentProblem() != ListenProblem::None)
        meter_->SetState(TListenMeter::State::Problem);
    else if (!listener_->IsListening() || listener_->IsPaused())
        meter_->SetState(TListenMeter::State::Waiting);
    else
        meter_->SetState(TListenMeter::State::Listening);
}

void TListenRoom::ProblemChanged(ListenProblem problem) {
    ShowState();
    QString text;
    switch (problem) {
    case ListenProblem::None:
        // The sound is back: a problem still named in the status bar would contradict the meter.
        parts_.Hints.WithdrawNotice(problemNotice_);
        return;
    case ListenProblem::ModuleMissing:
        text = tr("Listening is not available: its module or Qt Multimedia is not installed.");
        break;
    case ListenProblem::NoInput:
        text = tr("No microphone found. Quavix listens as soon as one is plugged in.");
        break;
    case ListenProblem::OpenFailed:
        text = tr("The microphone could not be opened: another program may be using it.");
        break;
    case ListenProblem::InputLost:
        text = tr("The microphone was unplugged. Quavix listens again when it is back.");
        break;
    case ListenProblem::Unreadable:
        text = tr("The microphone delivers sound in a form Quavix cannot read.");
        break;
    case ListenProblem::Silent:
        text = tr("The microphone hears only silence: is it muted or turned down?");
        break;
    case ListenProblem::Clipping:
        text = tr("The microphone is too loud: turn its input level down.");
        break;
    case ListenProblem::Stalled:
        text = tr("The microphone has stopped sending sound.");
        break;
    }
    problemNotice_ = text;
    Tell(text);
    // Without the module listening can never start: the option goes off, as sound's does. Later, not
    // while the rooms are still following the change that switched it on.
    if (problem == ListenProblem::ModuleMissing)
        QMetaObject::invokeMethod(
            this,
            [this] {
                Settings next = parts_.Settings.Current();
                next.Listen = false;
                parts_.Settings.Apply(next);
            },
            Qt::QueuedConnection);
}

void TListenRoom::OwnSoundChanged(bool sounding) {
    // Listening waits from the first note Quavix sounds until its last has died away.
    if (sounding) {
        dyingSound_.stop();
        if (listener_ != nullptr)
            listener_->SetPaused(true);
        ShowState();
        return;
    }
    dyingSound_.start();
}

void TListenRoom::RefreshDevicesSoon() {
    // Not at once: the change may come from one of the menu's own items, which must outlive its click.
    if (devicesQueued_)
        return;
    devicesQueued_ = true;
    QMetaObject::invokeMethod(this, &TListenRoom::RefreshDevices, Qt::QueuedConnection);
}

void TListenRoom::RefreshDevices() {
    devicesQueued_ = false;
    if (!inputMenu_ || listener_ == nullptr || !listener_->IsWanted())
        return;
    inputMenu_->clear();
    const QList<AudioInputDevice> devices = listener_->Devices();
    // The input chosen went away while others remain: listening goes on with the system's default rather
    // than waiting for that one alone; plugged in again, it is listened to again.
    if (const QByteArray toOpen = InputToOpen(devices); !devices.isEmpty() && toOpen != deviceId_) {
        deviceId_ = toOpen;
        listener_->SwitchOn(deviceId_);
    }
    inputMenu_->menuAction()->setVisible(devices.size() > 1);
    auto* group = new QActionGroup(inputMenu_);
    for (const AudioInputDevice& device : devices) {
        QString caption = QString(device.Description).replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (device.IsDefault)
            caption += tr(" (system default)");
        QAction* item = inputMenu_->addAction(caption);
        item->setObjectName(QStringLiteral("miListenInput"));
        item->setCheckable(true);
        item->setChecked(deviceId_.isEmpty() ? device.IsDefault : device.Id == deviceId_);
        group->addAction(item);
        const QByteArray id = device.Id;
        connect(item, &QAction::triggered, this, [this, id] {
            Settings next = parts_.Settings.Current();
            next.ListenInput = id.toStdString();
            parts_.Settings.Apply(next);
        });
    }
}

} // namespace quavix
