#pragma once

// What must hold of the main window after any event, as the window fuzz checks it: the quiz state within
// its bounds, at most one pop-up, every command enabled and checked as the situation says, the level
// slider, the window's height for the answer control, and no marker on the instrument unless something
// holds a key. The command rules are written out here as the user sees them, apart from the program's own
// table, so that a wrong entry there shows.

#include "InstrumentView.h"
#include "MainQX25.h"
#include "PopUpMessage.h"
#include "QuizLength.h"
#include "StaffPlan.h"

#include <QAbstractSlider>
#include <QAction>
#include <QMenuBar>

#include <functional>
#include <map>

class WindowInvariants {
public:
    // Empty when all is well, else what is wrong. markerAllowed: a mouse button or a MIDI key is down.
    QString Problem(quavix::TFormQX25& form, bool markerAllowed) {
        using namespace quavix;
        const QuizEngine& engine = form.Engine();
        const QuizState& s = engine.State;
        const Settings& settings = engine.CurrentSettings();
        // A quiz of any length scores up to 10 a note; one without end has no best score.
        const int length = engine.QuizLength();
        if (s.Score < 0 || (length != UntilStopped && s.Score > MaxScoreFor(length)))
            return QString("score %1").arg(s.Score);
        if (s.NotesLeft < 0 || s.NotesLeft > NotesInLap(length))
            return QString("notes left %1").arg(s.NotesLeft);
        if (s.SecondsLeft < -1 || s.SecondsLeft > CountdownStart)
            return QString("seconds left %1").arg(s.SecondsLeft);
        if (settings.Level < MinLevel || settings.Level > MaxLevel)
            return QString("level %1").arg(settings.Level);
        // The usual staves draw from the level's pool; other clefs and ranges from at least two notes of
        // the table, which the level grows inside the range.
        const bool poolFits = UsesClefSet(settings)
                                  ? s.PoolSize >= 2 && s.PoolSize <= int(std::size(engine.Table))
                                  : s.PoolSize == QuizEngine::PoolSizeFor(settings.Level, settings.InputMode);
        if (s.Running && (s.CurrentNote < 0 || s.CurrentNote >= s.PoolSize || !poolFits))
            return QString("note %1 of a pool of %2").arg(s.CurrentNote).arg(s.PoolSize);
        if (!s.Running && (s.SecondsLeft != -1 || engine.CountdownRunning()))
            return "a countdown outside a quiz";

        int popUps = 0;
        for (const TMsgPanel* panel : form.findChildren<TMsgPanel*>())
            popUps += panel->isVisibleTo(&form) ? 1 : 0;
        const bool listed = form.findChild<TPopUpList*>()->Showing();
        if (popUps > 1 || (popUps == 1) != listed)
            return QString("%1 pop-ups shown, the list knows of %2").arg(popUps).arg(listed);

        const QString command = CommandProblem(form, s.Running, settings);
        if (!command.isEmpty())
            return command;
        const auto* slider = form.findChild<QAbstractSlider*>("trkLevel");
        if (!slider || slider->isEnabled() != !s.Running || slider->value() != settings.Level)
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
        const quavix::Settings& settings = form.Engine().CurrentSettings();
        return shown != PlainInstrument(settings, true) && shown != PlainInstrument(settings, false);
    }

private:
    // The commands as the user finds them: when each can be used, and when it carries a mark. During a
    // quiz the pool must not change (no other staff, no move into or out of the guitar); the range is the
    // piano's; the marks show the settings, the range's only while an instrument shows.
    QString CommandProblem(quavix::TFormQX25& form, bool running, const quavix::Settings& settings) {
        using namespace quavix;
        const bool guitar = settings.InputMode == GuitarFrets;
        const bool instrument = settings.InputMode != NoteButtons;
        struct Rule {
            const char* name;
            bool enabled;
            bool checked;
        };
        const Rule rules[] = {
            {"actNoteButtons", !(running && guitar), settings.InputMode == NoteButtons},
            {"actPianoKeys", !(running && guitar), settings.InputMode == PianoKeys},
            {"actGuitar", !running || guitar, guitar},
            {"actTrebleNotes", !running && !guitar, settings.StaffChoice == TrebleStaff},
            {"actBassNotes", !running && !guitar, settings.StaffChoice == BassStaff},
            {"actAllNotes", !running && !guitar, settings.StaffChoice == AllStaves},
            {"actSingleOctave", settings.InputMode == PianoKeys, instrument && !settings.FullRange},
            {"actFullRange", settings.InputMode == PianoKeys, instrument && settings.FullRange},
            {"actBeginQuiz", !running, false},
            {"actEndQuiz", running, false},
        };
        for (const Rule& rule : rules) {
            const QAction* action = form.findChild<QAction*>(rule.name);
            if (!action || action->isEnabled() != rule.enabled || action->isChecked() != rule.checked)
                return QString("command %1 enabled %2 checked %3")
                    .arg(rule.name)
                    .arg(action && action->isEnabled())
                    .arg(action && action->isChecked());
        }
        return {};
    }

    QImage PlainInstrument(const quavix::Settings& settings, bool rich) {
        const int key = settings.InputMode * 100 + quavix::KeyboardLayoutFor(settings) * 10 + (rich ? 1 : 0);
        auto found = plain_.find(key);
        if (found != plain_.end())
            return found->second;
        quavix::Canvas canvas(QSize(quavix::InstrumentView::Width, quavix::InstrumentView::Height));
        quavix::InstrumentView view(canvas, settings);
        view.SetRichColour(rich);
        view.pbxInstrumentPaint();
        return plain_.emplace(key, canvas.Image().convertToFormat(QImage::Format_RGB32)).first->second;
    }

    std::map<int, QImage> plain_;
};
