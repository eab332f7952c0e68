#include "FeedbackText.h"

#include "NoteNameText.h"

#include <QCoreApplication>

namespace quavix {

QString FeedbackText(const NoteMessage& message, NoteNamings naming) {
    switch (message.What) {
    case NoteMessage::Kind::WrongNote:
        return QCoreApplication::translate("quavix::Feedback", "You picked %1, but the note was really %2")
            .arg(NoteNameText(message.Picked, naming), NoteNameText(message.Asked, naming));
    case NoteMessage::Kind::WrongOctave:
        return QCoreApplication::translate("quavix::Feedback",
                                           "You picked the right note but in the wrong octave");
    case NoteMessage::Kind::OutOfTime:
        return QCoreApplication::translate("quavix::Feedback", "Sorry, out of time. This note is %1.")
            .arg(NoteNameText(message.Asked, naming));
    }
    return {};
}

} // namespace quavix
