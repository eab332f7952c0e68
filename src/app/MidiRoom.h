#pragma once

// MIDI keyboards as a way to answer: the room opens the system's MIDI layer once the window is on screen,
// keeps the Options > MIDI Input menu, names devices as they connect, and turns their keys into answers
// and held keys, which the window passes on to the quiz and the instrument.

#include "MidiInput.h"
#include "MidiKeyboard.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

class QMenu;

namespace quavix {

class QuizEngine;
class QuizFrontEnd;
struct Settings;

class TMidiRoom final : public QObject, private MidiKeyboardFrontEnd {
    Q_OBJECT
public:
    static constexpr int NoticeMs = 4000;

    // input is the MIDI layer to use; null means the system's own, made when it opens. The settings, the
    // engine and its front end outlive the room.
    TMidiRoom(QObject* parent, const Settings& settings, const QuizEngine& engine,
              const QuizFrontEnd& quizFront, MidiInput* input);
    ~TMidiRoom() override;

    // Opens the MIDI layer right after painted is first painted, so the window never waits for it.
    void OpenAfterFirstPaint(QWidget* painted);
    // Opens the MIDI layer now; does nothing the second time.
    void Open();
    // Lists the sources in menu from now on, each with its check mark.
    void ShowSourcesIn(QMenu* menu);
    // Every held key lets go: the answer control is about to change.
    void ReleaseKeys();

    // The MIDI layer, null until it opens.
    MidiInput* Input() const { return input_; }

signals:
    void answered(int answerCode);
    void keyHeld(int step);
    void keyLetGo(int step);
    // A MIDI key went down (velocity above 0) or up, judged or not, for whoever makes it heard. Keys whose
    // release can no longer come are sent up when their source stops or events were lost.
    void keySounded(int note, int velocity);
    // A passing message for the status bar.
    void notice(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TakingAnswers() const override;
    void Answer(int answerCode) override;
    void HoldKey(int step) override;
    void LetGoKey(int step) override;
    void ReportIgnoredKey(int note, MidiKeyProblem problem) override;

    void SourceConnected(const MidiSource& source);
    void SoundKey(const MidiNoteEvent& event);
    // Sends up every sounding key of one source, or of all when the source is not given.
    void SilenceKeys(std::optional<MidiSourceId> source);
    void RefreshMenuSoon();
    void RefreshMenu();

    const Settings& settings_;
    const QuizEngine& engine_;
    const QuizFrontEnd& quizFront_;
    std::unique_ptr<MidiInput> ownInput_;
    // A given input may go before the room, and the painted widget does as the window is taken down.
    QPointer<MidiInput> givenInput_;
    QPointer<MidiInput> input_;
    MidiKeyboard keyboard_;
    QPointer<QWidget> painted_;
    QPointer<QMenu> menu_;
    bool menuRefreshQueued_ = false;
    bool opened_ = false;
    bool opening_ = false;
    QStringList connectedWhileOpening_;
    // The keys sounding now, as (source, note).
    QList<QPair<MidiSourceId, int>> soundingKeys_;
};

} // namespace quavix
