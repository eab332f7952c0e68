#pragma once

// Listening as a way to answer: the room switches the microphone on and off as the Listen option says,
// keeps the Options > Listening menu (the input, the tolerance, singing), shows the listening meter in
// the status bar, tells the input's problems there, and turns the notes heard into answers. Nothing of it
// is loaded or opened until Listen is first switched on. While Quavix sounds a note itself, listening
// waits, so the program never takes its own sound for the user's.

#include "HeardNoteAnswers.h"
#include "Listener.h"
#include "Settings.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;

namespace quavix {

class KeyPresses;
class QuizEngine;
class TClientArea;
class TCommands;
class THintsAndKeys;
class TSoundRoom;
class TListenMeter;
class TSettingsRoom;

class TListenRoom final : public QObject {
    Q_OBJECT
public:
    static constexpr int NoticeMs = 6000;
    // How long listening still waits after Quavix's own note is let go, while its sound dies away.
    static constexpr int DyingSoundMs = 500;
    // The tolerances offered in the menu, in cents.
    static constexpr int Tolerances[] = {25, 35, 50, 65, 80};

    // The window's parts the room works with: the meter shows in the client area's status bar, notices
    // go through the hints, the Options > Listening menu is the commands'.
    struct Parts {
        QuizEngine& Engine;
        KeyPresses& Presses;
        TSettingsRoom& Settings;
        TSoundRoom& Sound;
        TClientArea& Client;
        TCommands& Commands;
        THintsAndKeys& Hints;
    };
    // factory makes the audio inputs; empty means the listening module beside the executable. The parts
    // outlive the room.
    TListenRoom(const Parts& parts, AudioInputFactoryFunction factory, QObject* parent);
    ~TListenRoom() override;

    void FollowSettings(const Settings& now, const Settings& before);

    // For tests and benchmarks: the switch, made the first time Listen is switched on (null before).
    Listener* CurrentListener() const { return listener_.get(); }
    TListenMeter* Meter() const { return meter_; }
    void SetDyingSoundMs(int ms) { dyingSound_.setInterval(ms); }

private:
    void BuildMenu();
    void ShowMarks(const Settings& settings);
    void SwitchOn();
    void SwitchOff();
    void Heard(const HeardNote& note);
    void ShowState();
    void ProblemChanged(ListenProblem problem);
    void OwnSoundChanged(bool sounding);
    void RefreshDevicesSoon();
    void RefreshDevices();
    QByteArray InputToOpen(const QList<AudioInputDevice>& devices) const;
    void PlaceMeter();
    void ReserveRoom(int pixels);
    void Tell(const QString& text);

    Parts parts_;
    AudioInputFactoryFunction factory_;
    std::unique_ptr<Listener> listener_;
    HeardNoteAnswers answers_;
    TListenMeter* meter_ = nullptr;
    QPointer<QMenu> inputMenu_;
    std::vector<QAction*> toleranceItems_;
    QAction* singingItem_ = nullptr;
    QByteArray chosenId_; // the input chosen, as the settings keep it; empty for the system's default
    QByteArray deviceId_; // the input listened to; empty for the system's default
    QString problemNotice_; // the last problem told, taken down once it is over
    QTimer dyingSound_;
    bool devicesQueued_ = false;
};

} // namespace quavix
