#include "Settings.h"

#include <algorithm>
#include <iterator>

namespace quavix {

namespace {

bool Within(int value, int lowest, int highest) {
    return value >= lowest && value <= highest;
}

} // namespace

Settings Choose(Settings settings, const OptionChoice& choice) {
    using Option = OptionChoice::Option;
    const int value = choice.Value;
    switch (choice.What) {
    case Option::InputMode:
        if (Within(value, NoteButtons, GuitarFrets))
            settings.InputMode = InputModes(value);
        break;
    case Option::Staff:
        if (Within(value, TrebleStaff, AllStaves))
            settings.StaffChoice = StaffChoices(value);
        break;
    case Option::Range:
        if (Within(value, 0, 1))
            settings.FullRange = value == 1;
        break;
    case Option::NoteNames:
        if (Within(value, 0, NoteNamingCount - 1))
            settings.NoteNaming = NoteNamings(value);
        break;
    case Option::Level:
        if (Within(value, MinLevel, MaxLevel))
            settings.Level = value;
        break;
    case Option::Sound:
        settings.Sound = !settings.Sound;
        break;
    case Option::PractiseWeakNotes:
        settings.PractiseWeakNotes = !settings.PractiseWeakNotes;
        settings.AdaptivePractice = settings.AdaptivePractice && !settings.PractiseWeakNotes;
        break;
    case Option::AdaptivePractice:
        settings.AdaptivePractice = !settings.AdaptivePractice;
        settings.PractiseWeakNotes = settings.PractiseWeakNotes && !settings.AdaptivePractice;
        break;
    case Option::QuizLength:
        if (std::find(std::begin(QuizLengths), std::end(QuizLengths), value) != std::end(QuizLengths))
            settings.QuizLength = value;
        break;
    case Option::KeepProgress:
        settings.KeepProgress = !settings.KeepProgress;
        break;
    case Option::Listen:
        settings.Listen = !settings.Listen;
        break;
    case Option::ListenTolerance:
        if (Within(value, LeastListenToleranceCents, MostListenToleranceCents))
            settings.ListenToleranceCents = value;
        break;
    case Option::ListenSinging:
        settings.ListenSinging = !settings.ListenSinging;
        break;
    case Option::Accidentals:
        if (Within(value, NaturalsOnly, AccidentalChoiceCount - 1))
            settings.Accidentals = AccidentalChoices(value);
        break;
    case Option::Key:
        // Choosing a key asks the notes in it.
        if (IsKey(value) || value == OptionChoice::EveryQuizKey) {
            settings.Accidentals = InKey;
            settings.KeyEachQuiz = value == OptionChoice::EveryQuizKey;
            if (!settings.KeyEachQuiz)
                settings.Key = value;
        }
        break;
    case Option::AgainstKey:
        settings.AgainstKey = !settings.AgainstKey;
        break;
    }
    if (settings.InputMode == GuitarFrets) {
        settings.StaffChoice = TrebleStaff;
        settings.FullRange = true;
    }
    return settings;
}

std::uint8_t KeyboardLayoutFor(const Settings& settings) {
    if (!settings.FullRange)
        return 0;
    return static_cast<std::uint8_t>(std::min<int>(settings.StaffChoice, AllStaves) + 1);
}

} // namespace quavix
