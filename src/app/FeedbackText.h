#pragma once

#include "NoteMessage.h"

#include <QString>

namespace quavix {

// The words of the message beside a missed note, in the user's language.
QString FeedbackText(const NoteMessage& message);

} // namespace quavix
