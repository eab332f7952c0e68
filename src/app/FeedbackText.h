#pragma once

#include "NoteMessage.h"
#include "NoteNames.h"

#include <QString>

#include <cstdint>

namespace quavix {

// The words of the message beside a missed note, in the user's language and naming the notes in the
// user's naming (NoteNamings).
QString FeedbackText(const NoteMessage& message, NoteNamings naming);

} // namespace quavix
