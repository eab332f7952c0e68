#include "RememberedOptions.h"

#include "Settings.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <array>
#include <iterator>

namespace quavix {

namespace {

const std::array<QString, 3> InputNames = {QStringLiteral("buttons"), QStringLiteral("piano"),
                                           QStringLiteral("guitar")};
// In the order of StaffChoices.
const std::array<QString, StaffChoiceCount> StaffNames = {
    QStringLiteral("treble"),    QStringLiteral("bass"),        QStringLiteral("all"),
    QStringLiteral("alto"),      QStringLiteral("alto-treble"), QStringLiteral("tenor"),
    QStringLiteral("tenor-bass")};
// The clefs whose ranges are kept, in the order of Settings::Ranges.
const std::array<const char*, RangedClefCount> RangeKeys = {"range-treble", "range-bass", "range-alto",
                                                            "range-tenor"};
const std::array<QString, 2> RangeNames = {QStringLiteral("single"), QStringLiteral("full")};
// In the order of NoteNamings.
const std::array<QString, NoteNamingCount> NamingNames = {QStringLiteral("letters"), QStringLiteral("german"),
                                                          QStringLiteral("fixed-do")};
// In the order of QuizLengths.
const std::array<QString, std::size(QuizLengths)> LengthNames = {
    QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("until-stopped")};
// In the order of AccidentalChoices.
const std::array<QString, AccidentalChoiceCount> AccidentalNames = {
    QStringLiteral("naturals"), QStringLiteral("sharps-and-flats"), QStringLiteral("key-signature")};
const QString EveryQuizKey = QStringLiteral("each-quiz");
const QString On = QStringLiteral("on");
const QString Off = QStringLiteral("off");

template <std::size_t N> int IndexOf(const std::array<QString, N>& names, const QString& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == text)
            return static_cast<int>(i);
    return -1;
}

std::size_t LengthIndex(int length) {
    const auto found = std::find(std::begin(QuizLengths), std::end(QuizLengths), length);
    return found == std::end(QuizLengths) ? 1 : static_cast<std::size_t>(found - std::begin(QuizLengths));
}

const QString* Find(const std::map<QString, QString>& options, const char* key) {
    const auto found = options.find(QString::fromLatin1(key));
    return found == options.end() ? nullptr : &found->second;
}

// Choosing a key asks notes in it, so the key goes first and the choice of what is asked after it. A key
// that does not exist is left out, and the setting keeps its default.
void RestoreKey(const std::map<QString, QString>& options, Settings& settings) {
    using Option = OptionChoice::Option;
    const AccidentalChoices asked = settings.Accidentals;
    if (const QString* text = Find(options, "key")) {
        bool ok = false;
        const int key = text->toInt(&ok);
        if (ok && IsKey(key))
            settings = Choose(settings, {Option::Key, key});
    }
    if (const QString* text = Find(options, "key-each-quiz"); text && *text == On)
        settings = Choose(settings, {Option::Key, OptionChoice::EveryQuizKey});
    settings.Accidentals = asked;
    if (const QString* text = Find(options, "accidentals"))
        if (const int index = IndexOf(AccidentalNames, *text); index >= 0)
            settings = Choose(settings, {Option::Accidentals, index});
    if (const QString* text = Find(options, "against-key"); text && (*text == On || *text == Off))
        settings.AgainstKey = *text == On;
}

} // namespace

std::map<QString, QString> OptionsToRemember(const Settings& settings) {
    std::map<QString, QString> options = {
        {QStringLiteral("input"), InputNames[std::min<std::size_t>(settings.InputMode, 2)]},
        {QStringLiteral("staff"),
         StaffNames[std::min<std::size_t>(settings.StaffChoice, StaffChoiceCount - 1)]},
        {QStringLiteral("range"), RangeNames[settings.FullRange ? 1 : 0]},
        {QStringLiteral("level"), QString::number(settings.Level)},
        {QStringLiteral("weak-notes"), settings.PractiseWeakNotes ? On : Off},
        {QStringLiteral("keep-progress"), settings.KeepProgress ? On : Off},
        {QStringLiteral("adaptive"), settings.AdaptivePractice ? On : Off},
        {QStringLiteral("quiz-length"), LengthNames[LengthIndex(settings.QuizLength)]},
        {QStringLiteral("sound"), settings.Sound ? On : Off},
        {QStringLiteral("note-names"),
         NamingNames[std::min<std::size_t>(settings.NoteNaming, NoteNamingCount - 1)]},
        {QStringLiteral("listen"), settings.Listen ? On : Off},
        {QStringLiteral("listen-tolerance"), QString::number(settings.ListenToleranceCents)},
        {QStringLiteral("listen-singing"), settings.ListenSinging ? On : Off},
        // The id as the system gives it, in printable form whatever its bytes.
        {QStringLiteral("listen-input"),
         QString::fromLatin1(QByteArray::fromStdString(settings.ListenInput).toPercentEncoding())},
        {QStringLiteral("accidentals"),
         AccidentalNames[std::min<std::size_t>(settings.Accidentals, AccidentalChoiceCount - 1)]},
        // The key chosen is kept also while each quiz takes another, for when the user picks one again.
        {QStringLiteral("key"), QString::number(settings.Key)},
        {QStringLiteral("key-each-quiz"), settings.KeyEachQuiz ? On : Off},
        {QStringLiteral("against-key"), settings.AgainstKey ? On : Off},
    };
    // Written only when chosen, so that a user who never chose a clef or a range keeps what he kept before.
    if (settings.OctaveTreble)
        options[QStringLiteral("octave-treble")] = On;
    // A range is kept as its lowest and highest staff step ("5..24"); a staff's own range is not kept.
    for (int clef = 0; clef < RangedClefCount; ++clef)
        if (const StepRange& range = settings.Ranges[std::size_t(clef)]; !range.Empty())
            options[QString::fromLatin1(RangeKeys[std::size_t(clef)])] =
                QStringLiteral("%1..%2").arg(range.Lowest).arg(range.Highest);
    return options;
}

void RestoreOptions(const std::map<QString, QString>& options, Settings& settings) {
    using Option = OptionChoice::Option;
    // The choices go through the one rule for choosing, which leaves out values it does not know and keeps
    // the guitar on the treble staff in full range, whatever a file says.
    const auto choose = [&](const char* key, Option option, const auto& names) {
        if (const QString* text = Find(options, key))
            if (const int index = IndexOf(names, *text); index >= 0)
                settings = Choose(settings, {option, index});
    };
    choose("input", Option::InputMode, InputNames);
    choose("staff", Option::Staff, StaffNames);
    choose("range", Option::Range, RangeNames);
    choose("note-names", Option::NoteNames, NamingNames);
    const auto chooseNumber = [&](const char* key, Option option) {
        if (const QString* text = Find(options, key)) {
            bool ok = false;
            const int value = text->toInt(&ok);
            if (ok)
                settings = Choose(settings, {option, value});
        }
    };
    chooseNumber("level", Option::Level);
    chooseNumber("listen-tolerance", Option::ListenTolerance);
    const auto restoreSwitch = [&](const char* key, bool& value) {
        if (const QString* text = Find(options, key); text && (*text == On || *text == Off))
            value = *text == On;
    };
    RestoreKey(options, settings);
    restoreSwitch("weak-notes", settings.PractiseWeakNotes);
    restoreSwitch("keep-progress", settings.KeepProgress);
    // Adaptive practice goes through the choice as well, which switches the weak notes off: a file that has
    // both on (written by hand) keeps the older option.
    if (const QString* text = Find(options, "adaptive"); text && *text == On && !settings.PractiseWeakNotes)
        settings = Choose(settings, {Option::AdaptivePractice, 0});
    if (const QString* text = Find(options, "quiz-length"))
        if (const int index = IndexOf(LengthNames, *text); index >= 0)
            settings = Choose(settings, {Option::QuizLength, QuizLengths[index]});
    restoreSwitch("sound", settings.Sound);
    restoreSwitch("octave-treble", settings.OctaveTreble);
    // A range that cannot be asked (too few notes, beyond what a staff can draw) is left out by Choose.
    for (int clef = 0; clef < RangedClefCount; ++clef)
        if (const QString* text = Find(options, RangeKeys[std::size_t(clef)])) {
            const QStringList ends = text->split(QStringLiteral(".."));
            bool lowestOk = false;
            bool highestOk = false;
            if (ends.size() != 2)
                continue;
            const StepRange range{ends[0].toInt(&lowestOk), ends[1].toInt(&highestOk)};
            if (lowestOk && highestOk && !range.Empty())
                settings = Choose(settings, RangeChoice(std::uint8_t(clef), range));
        }
    restoreSwitch("listen", settings.Listen);
    restoreSwitch("listen-singing", settings.ListenSinging);
    if (const QString* text = Find(options, "listen-input"))
        settings.ListenInput = QByteArray::fromPercentEncoding(text->toLatin1()).toStdString();
}

} // namespace quavix
