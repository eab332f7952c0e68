#include "NoteNameText.h"

#include "AnswerRecord.h"
#include "KeySignatures.h"
#include "NoteNames.h"
#include "NoteTable.h"

#include <QCoreApplication>

#include <string>

namespace quavix {

namespace {

// Listed here only so the translation tools find them; NoteName gives the same syllables at run time.
[[maybe_unused]] constexpr const char* Syllables[] = {
    QT_TRANSLATE_NOOP("quavix::NoteNames", "Do"),  QT_TRANSLATE_NOOP("quavix::NoteNames", "Re"),
    QT_TRANSLATE_NOOP("quavix::NoteNames", "Mi"),  QT_TRANSLATE_NOOP("quavix::NoteNames", "Fa"),
    QT_TRANSLATE_NOOP("quavix::NoteNames", "Sol"), QT_TRANSLATE_NOOP("quavix::NoteNames", "La"),
    QT_TRANSLATE_NOOP("quavix::NoteNames", "Si")};

} // namespace

QString NoteNameText(char letter, NoteNamings naming) {
    const std::string name(NoteName(letter, naming));
    if (naming != FixedDo)
        return QString::fromStdString(name);
    return QCoreApplication::translate("quavix::NoteNames", name.c_str());
}

QString SpelledNameText(char letter, int alteration, NoteNamings naming) {
    // The syllable as the language writes it, then the sign.
    const std::string syllable =
        naming == FixedDo ? NoteNameText(letter, naming).toStdString() : std::string();
    return QString::fromStdString(SpelledName(letter, alteration, naming, syllable));
}

QString KeyNameText(int fifths, NoteNamings naming) {
    const KeyTonics tonics = TonicsOf(fifths);
    return QCoreApplication::translate("quavix::NoteNames", "%1 major / %2 minor")
        .arg(SpelledNameText(tonics.Major, tonics.MajorAlteration, naming),
             SpelledNameText(tonics.Minor, tonics.MinorAlteration, naming));
}

QString PitchNameText(int step, NoteNamings naming) {
    // The octave's digit follows the letter.
    return NoteNameText(StepLetter(step), naming) + QString::fromStdString(PitchName(step).substr(1));
}

NoteNamings NoteNamingFor(const QLocale& locale) {
    // The name is the language code with the territory after it ("de_AT"), or "C".
    return NoteNamingForLanguage(locale.name().toStdString());
}

} // namespace quavix
