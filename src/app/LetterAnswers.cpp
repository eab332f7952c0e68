#include "LetterAnswers.h"

#include "ClientArea.h"
#include "QuizEngine.h"
#include "SettingsRoom.h"

namespace quavix {

TLetterAnswers::TLetterAnswers(QuizEngine& engine, TSettingsRoom& settings, TClientArea& client,
                               QObject* parent)
    : QObject(parent), engine_(engine), settings_(settings), client_(client) {}

void TLetterAnswers::NoteButton(int index) {
    engine_.TakeAnswer(NoteButtonAnswer(index, TakeSign()));
}

void TLetterAnswers::Typed(char typed) {
    // While a quiz with sharps and flats runs, + and - say a sign; otherwise they set the level.
    const bool signs = settings_.Current().Accidentals != NaturalsOnly && engine_.State.Running;
    if (signs && TypedSign(typed) != 0) {
        PressSign(TypedSign(typed));
        return;
    }
    if (typed == '+' || typed == '-') {
        if (!engine_.State.Running)
            settings_.Choose(
                {OptionChoice::Option::Level, settings_.Current().Level + (typed == '+' ? 1 : -1)});
        return;
    }
    engine_.TakeAnswer(TypedAnswer(typed, settings_.Current().NoteNaming, TakeSign()));
}

void TLetterAnswers::PressSign(int alteration) {
    sign_.Press(alteration);
    client_.ShowPendingSign(sign_.Pending());
}

int TLetterAnswers::TakeSign() {
    const int alteration = sign_.Take();
    client_.ShowPendingSign(0);
    // A sign left pending from before sharps and flats were switched off says nothing now.
    return settings_.Current().Accidentals != NaturalsOnly ? alteration : 0;
}

} // namespace quavix
