#include "FeedbackText.h"

#include "NoteNameText.h"

#include <QCoreApplication>

namespace quavix {

QString FeedbackText(const NoteMessage& message, NoteNamings naming) {
    switch (message.What) {
    case NoteMessage::Kind::WrongNote:
        return QCoreApplication::translate("quavix::Feedback", "You picked %1, but the note was really %2")
            .arg(SpelledNameText(message.Picked, message.PickedAlteration, naming),
                 SpelledNameText(message.Asked, message.AskedAlteration, naming));
    case NoteMessage::Kind::WrongOctave:
        return QCoreApplication::translate("quavix::Feedback",
                                           "You picked the right note but in the wrong octave");
    case NoteMessage::Kind::OutOfTime:
        return QCoreApplication::translate("quavix::Feedback", "Sorry, out of time. This note is %1.")
            .arg(SpelledNameText(message.Asked, message.AskedAlteration, naming));
    }
    return {};
}

} // namespace quavix
