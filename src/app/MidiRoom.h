#pragma once

// MIDI keyboards as a way to answer: the room opens the system's MIDI layer once the window is on screen,
// keeps the Options > MIDI Input menu, names devices as they connect, and plays their keys through the
// MIDI keyboard into the quiz and the press protocol.

#include "MidiInput.h"
#include "MidiKeyboard.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class QMenu;
class QWidget;

namespace quavix {

class KeyPresses;
class QuizEngine;

class TMidiRoom final : public QObject {
    Q_OBJECT
public:
    static constexpr int NoticeMs = 4000;

    // input is the MIDI layer to use; null means the system's own, made when it opens. menu lists the
    // sources, each with its check mark. The engine, the presses and the menu outlive the room.
    TMidiRoom(QuizEngine& engine, KeyPresses& presses, MidiInput* input, QMenu* menu, QObject* parent);
    ~TMidiRoom() override;

    // Opens the MIDI layer right after painted is first painted, so the window never waits for it.
    void OpenAfterFirstPaint(QWidget* painted);
    // Opens the MIDI layer now; does nothing the second time.
    void Open();

signals:
    // A passing message for the status bar.
    void notice(const QString& text);

private:
    void TellIgnoredKey(int note, IgnoredBecause why);
    void SourceConnected(const MidiSource& source);
    void RefreshMenuSoon();
    void RefreshMenu();

    const QuizEngine& engine_;
    std::unique_ptr<MidiInput> ownInput_;
    // A given input may go before the room.
    QPointer<MidiInput> givenInput_;
    QPointer<MidiInput> input_;
    MidiKeyboard keyboard_;
    QPointer<QMenu> menu_;
    bool menuRefreshQueued_ = false;
    bool opened_ = false;
    bool opening_ = false;
    QStringList connectedWhileOpening_;
};

} // namespace quavix
