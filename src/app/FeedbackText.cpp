#include "FeedbackText.h"

#include <QCoreApplication>

namespace quavix {

namespace {

QString NoteName(char letter) {
    return QString(QLatin1Char(letter));
}

} // namespace

QString FeedbackText(const NoteMessage& message) {
    switch (message.What) {
    case NoteMessage::Kind::WrongNote:
        return QCoreApplication::translate("quavix::Feedback", "You picked %1, but the note was really %2")
            .arg(NoteName(message.Picked), NoteName(message.Asked));
    case NoteMessage::Kind::WrongOctave:
        return QCoreApplication::translate("quavix::Feedback",
                                           "You picked the right note but in the wrong octave");
    case NoteMessage::Kind::OutOfTime:
        return QCoreApplication::translate("quavix::Feedback", "Sorry, out of time. This note is %1.")
            .arg(NoteName(message.Asked));
    }
    return {};
}

} // namespace quavix
