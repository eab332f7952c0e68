#include "Settings.h"

#include "StaffPlan.h"

#include <algorithm>
#include <iterator>

namespace quavix {

namespace {

bool Within(int value, int lowest, int highest) {
    return value >= lowest && value <= highest;
}

constexpr int RangeBias = 128; // steps are packed as bytes, from -128 up

Settings ChooseRange(Settings settings, int value) {
    const int clef = value & 0xFF;
    const StepRange range{((value >> 8) & 0xFF) - RangeBias, ((value >> 16) & 0xFF) - RangeBias};
    if (clef >= RangedClefCount)
        return settings;
    StepRange& kept = settings.Ranges[static_cast<std::size_t>(clef)];
    if (range.Empty() || range == DefaultRange(std::uint8_t(clef)))
        kept = StepRange{};
    else if (CheckRange(range, WidestRange(std::uint8_t(clef))) == RangeProblem::None)
        kept = range;
    return settings;
}

} // namespace

OptionChoice RangeChoice(std::uint8_t clef, const StepRange& range) {
    auto packed = [](int step) { return std::clamp(step + RangeBias, 0, 0xFF); };
    const StepRange stored = range.Empty() ? StepRange{1, 0} : range;
    return {OptionChoice::Option::NoteRange,
            clef | packed(stored.Lowest) << 8 | packed(stored.Highest) << 16};
}

Settings Choose(Settings settings, const OptionChoice& choice) {
    using Option = OptionChoice::Option;
    const int value = choice.Value;
    switch (choice.What) {
    case Option::InputMode:
        if (Within(value, NoteButtons, GuitarFrets))
            settings.InputMode = InputModes(value);
        break;
    case Option::Staff:
        if (Within(value, TrebleStaff, StaffChoiceCount - 1))
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
    case Option::OctaveTreble:
        if (Within(value, 0, 1))
            settings.OctaveTreble = value == 1;
        break;
    case Option::NoteRange:
        settings = ChooseRange(settings, value);
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
    // The clefs and ranges past treble and bass take the widest keyboard the window holds.
    if (UsesClefSet(settings))
        return AllStaves + 1;
    return static_cast<std::uint8_t>(std::min<int>(settings.StaffChoice, AllStaves) + 1);
}

} // namespace quavix
