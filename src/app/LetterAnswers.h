#pragma once

#include "Answer.h"

#include <QObject>

namespace quavix {

class QuizEngine;
class TClientArea;
class TSettingsRoom;

// The note buttons and the typed keys as answers: a letter, with the sharp or flat said before it by its
// button or typed, goes to the engine's one answer call. Outside a quiz + and - set the level instead.
class TLetterAnswers final : public QObject {
    Q_OBJECT

public:
    TLetterAnswers(QuizEngine& engine, TSettingsRoom& settings, TClientArea& client, QObject* parent);

    // A note button, 0 (A) to 6 (G).
    void NoteButton(int index);
    // A typed character: the level keys outside a quiz, otherwise an answer or the sign before one.
    void Typed(char typed);
    // A sharp (+1) or flat (-1) said before the next letter; said again, it is taken back.
    void PressSign(int alteration);

private:
    int TakeSign();

    QuizEngine& engine_;
    TSettingsRoom& settings_;
    TClientArea& client_;
    PendingSign sign_;
};

} // namespace quavix
