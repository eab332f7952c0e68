#include "RememberedOptions.h"

#include "QuizEngine.h"

#include <array>

namespace quavix {

namespace {

const std::array<QString, 3> InputNames = {QStringLiteral("buttons"), QStringLiteral("piano"),
                                           QStringLiteral("guitar")};
const std::array<QString, 3> StaffNames = {QStringLiteral("treble"), QStringLiteral("bass"),
                                           QStringLiteral("all")};
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

std::map<QString, QString> OptionsToRemember(const Settings& settings, int level) {
    return {
        {QStringLiteral("input"), InputNames[std::min<std::size_t>(settings.InputMode, 2)]},
        {QStringLiteral("staff"), StaffNames[std::min<std::size_t>(settings.StaffChoice, 2)]},
        {QStringLiteral("range"), settings.FullRange ? QStringLiteral("full") : QStringLiteral("single")},
        {QStringLiteral("level"), QString::number(level)},
        {QStringLiteral("weak-notes"), settings.PractiseWeakNotes ? On : Off},
        {QStringLiteral("keep-progress"), settings.KeepProgress ? On : Off},
        {QStringLiteral("sound"), settings.Sound ? On : Off},
        {QStringLiteral("note-names"),
         NamingNames[std::min<std::size_t>(settings.NoteNaming, NoteNamingCount - 1)]},
    };
}

void RestoreOptions(const std::map<QString, QString>& options, Settings& settings, int& level) {
    if (const QString* input = Find(options, "input"); input && IndexOf(InputNames, *input) >= 0)
        settings.InputMode = static_cast<std::uint8_t>(IndexOf(InputNames, *input));
    if (const QString* staff = Find(options, "staff"); staff && IndexOf(StaffNames, *staff) >= 0)
        settings.StaffChoice = static_cast<std::uint8_t>(IndexOf(StaffNames, *staff));
    if (const QString* range = Find(options, "range"); range && (*range == "full" || *range == "single"))
        settings.FullRange = *range == "full";
    if (const QString* text = Find(options, "level")) {
        bool ok = false;
        const int value = text->toInt(&ok);
        if (ok && value >= MinLevel && value <= MaxLevel)
            level = value;
    }
    if (const QString* weak = Find(options, "weak-notes"); weak && (*weak == On || *weak == Off))
        settings.PractiseWeakNotes = *weak == On;
    if (const QString* keep = Find(options, "keep-progress"); keep && (*keep == On || *keep == Off))
        settings.KeepProgress = *keep == On;
    if (const QString* sound = Find(options, "sound"); sound && (*sound == On || *sound == Off))
        settings.Sound = *sound == On;
    if (const QString* naming = Find(options, "note-names"); naming && IndexOf(NamingNames, *naming) >= 0)
        settings.NoteNaming = static_cast<std::uint8_t>(IndexOf(NamingNames, *naming));
    // The guitar's notes are all written on the treble staff and answered exactly, whatever a file says.
    if (settings.InputMode == GuitarFrets) {
        settings.StaffChoice = TrebleStaff;
        settings.FullRange = true;
    }
}

} // namespace quavix
