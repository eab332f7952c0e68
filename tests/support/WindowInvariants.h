#pragma once

// What must hold of the main window after any event, as the window fuzz checks it: the quiz state within
// its bounds, at most one pop-up (and the window knowing it), every command enabled and checked as the
// situation says, the level slider, the window's height for the answer control, and no marker on the
// instrument unless something holds a key.

#include "CommandStates.h"
#include "InstrumentView.h"
#include "MainQX25.h"
#include "PopUpMessage.h"

#include <QAbstractSlider>
#include <QAction>
#include <QMenuBar>

#include <map>

class WindowInvariants {
public:
    // Empty when all is well, else what is wrong. markerAllowed: a mouse button or a MIDI key is down.
    QString Problem(quavix::TFormQX25& form, bool markerAllowed) {
        using namespace quavix;
        const QuizEngine& engine = form.Engine();
        const QuizState& s = engine.State;
        const Settings& settings = engine.CurrentSettings();
        if (s.Score < 0 || s.Score > MaxScore)
            return QString("score %1").arg(s.Score);
        if (s.NotesLeft < 0 || s.NotesLeft > NotesPerQuiz)
            return QString("notes left %1").arg(s.NotesLeft);
        if (s.SecondsLeft < -1 || s.SecondsLeft > CountdownStart)
            return QString("seconds left %1").arg(s.SecondsLeft);
        if (s.Level < MinLevel || s.Level > MaxLevel)
            return QString("level %1").arg(s.Level);
        if (s.Running && (s.CurrentNote < 0 || s.CurrentNote >= s.PoolSize ||
                          s.PoolSize != QuizEngine::PoolSizeFor(s.Level, settings.InputMode)))
            return QString("note %1 of a pool of %2").arg(s.CurrentNote).arg(s.PoolSize);
        if (!s.Running && (s.SecondsLeft != -1 || engine.CountdownRunning()))
            return "a countdown outside a quiz";

        int popUps = 0;
        for (const TMsgPanel* panel : form.findChildren<TMsgPanel*>())
            popUps += panel->isVisibleTo(&form) ? 1 : 0;
        if (popUps > 1 || (popUps == 1) != form.PopUpShowing())
            return QString("%1 pop-ups shown, PopUpShowing %2").arg(popUps).arg(form.PopUpShowing());

        const CommandStates states = CommandStatesFor(s.Running, settings.InputMode);
        const CheckMarks marks = CheckMarksFor(settings.InputMode, settings.StaffChoice, settings.FullRange);
        const struct {
            const char* name;
            bool enabled;
            bool checked;
        } commands[] = {
            {"actNoteButtons", states.NoteButtons, marks.NoteButtons},
            {"actPianoKeys", states.PianoKeys, marks.PianoKeys},
            {"actGuitar", states.Guitar, marks.Guitar},
            {"actTrebleNotes", states.TrebleNotes, marks.TrebleNotes},
            {"actBassNotes", states.BassNotes, marks.BassNotes},
            {"actAllNotes", states.AllNotes, marks.AllNotes},
            {"actSingleOctave", states.SingleOctave, marks.SingleOctave},
            {"actFullRange", states.FullRange, marks.FullRange},
            {"actBeginQuiz", states.BeginQuiz, false},
            {"actEndQuiz", states.EndQuiz, false},
        };
        for (const auto& command : commands) {
            const QAction* action = form.findChild<QAction*>(command.name);
            if (!action || action->isEnabled() != command.enabled || action->isChecked() != command.checked)
                return QString("command %1 enabled %2 checked %3")
                    .arg(command.name)
                    .arg(action && action->isEnabled())
                    .arg(action && action->isChecked());
        }
        const auto* slider = form.findChild<QAbstractSlider*>("trkLevel");
        if (!slider || slider->isEnabled() != states.LevelSlider || slider->value() != s.Level)
            return "level slider";

        const int height = settings.InputMode == NoteButtons ? 380 : 447;
        const QWidget* client = form.findChild<QWidget*>("ClientArea");
        if (!client || client->height() != height || form.height() != form.menuBar()->height() + height)
            return QString("window %1 high in mode %2").arg(form.height()).arg(settings.InputMode);

        if (!markerAllowed && InstrumentMarked(form))
            return "a marker on the instrument with no key held";
        return {};
    }

    // Whether the instrument on screen shows anything beyond its plain drawing: a marker.
    bool InstrumentMarked(quavix::TFormQX25& form) {
        auto* instrument = form.findChild<QWidget*>("pbxInstrument");
        if (!instrument || !instrument->isVisibleTo(&form))
            return false;
        const QImage shown = instrument->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return shown != PlainInstrument(form.Engine().CurrentSettings());
    }

private:
    QImage PlainInstrument(const quavix::Settings& settings) {
        const int key = settings.InputMode * 100 + quavix::KeyboardLayoutFor(settings) * 10 +
                        (settings.RichColour ? 1 : 0);
        auto found = plain_.find(key);
        if (found != plain_.end())
            return found->second;
        quavix::Canvas canvas(QSize(quavix::InstrumentView::Width, quavix::InstrumentView::Height));
        quavix::InstrumentView view(canvas, settings);
        view.pbxInstrumentPaint();
        return plain_.emplace(key, canvas.Image().convertToFormat(QImage::Format_RGB32)).first->second;
    }

    std::map<int, QImage> plain_;
};
