#include "RememberedOptions.h"

#include "Settings.h"

#include <QStringList>

#include <array>

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
const QString On = QStringLiteral("on");
const QString Off = QStringLiteral("off");

template <std::size_t N> int IndexOf(const std::array<QString, N>& names, const QString& text) {
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == text)
            return static_cast<int>(i);
    return -1;
}

const QString* Find(const std::map<QString, QString>& options, const char* key) {
    const auto found = options.find(QString::fromLatin1(key));
    return found == options.end() ? nullptr : &found->second;
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
        {QStringLiteral("sound"), settings.Sound ? On : Off},
        {QStringLiteral("note-names"),
         NamingNames[std::min<std::size_t>(settings.NoteNaming, NoteNamingCount - 1)]},
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
    if (const QString* text = Find(options, "level")) {
        bool ok = false;
        const int value = text->toInt(&ok);
        if (ok)
            settings = Choose(settings, {Option::Level, value});
    }
    const auto restoreSwitch = [&](const char* key, bool& value) {
        if (const QString* text = Find(options, key); text && (*text == On || *text == Off))
            value = *text == On;
    };
    restoreSwitch("weak-notes", settings.PractiseWeakNotes);
    restoreSwitch("keep-progress", settings.KeepProgress);
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
}

} // namespace quavix
