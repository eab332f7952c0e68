// The pictures for the baked ratios were drawn while the program was built (artwork/), so here they only
// wrap the constant pixels compiled in from ArtworkData.cpp: no drawing and no copying at run time. An
// image made this way reads the constant data in place and would copy it first if anyone painted on it.
// A screen with another ratio gets its pictures from the drawing code, each the first time it is shown.

#include "Artwork.h"
#include "ArtworkData.h"
#include "ArtworkDrawing.h"
#include "NoteNameText.h"
#include "NoteNames.h"

#include <cmath>
#include <cstddef>
#include <map>
#include <stdexcept>
#include <tuple>

namespace quavix::Artwork {

namespace {

enum class Kind {
    Clef,
    Note,
    Letter,
    DisabledLetter,
    Name,
    DisabledName,
    Icon,
    DisabledIcon,
    Timer,
    Logo,
    Hand,
    Question,
    Sign,
    SignButton,
    DisabledSignButton
};

QImage Wrap(const ArtworkData::Picture& picture, double ratio) {
    QImage image(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                 picture.width * int(sizeof(std::uint32_t)), QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

int CountOf(Kind kind) {
    switch (kind) {
    case Kind::Clef:
        return ClefCount;
    case Kind::Note:
        return NoteCount;
    case Kind::Letter:
    case Kind::DisabledLetter:
        return LetterCount;
    case Kind::Name:
    case Kind::DisabledName:
        return NameCount;
    case Kind::Icon:
    case Kind::DisabledIcon:
        return ToolbarIconCount;
    case Kind::Sign:
    case Kind::SignButton:
    case Kind::DisabledSignButton:
        return SignCount;
    default:
        return 1;
    }
}

const ArtworkData::RatioSet* BakedSet(double ratio) {
    for (const ArtworkData::RatioSet& set : ArtworkData::Sets)
        if (std::abs(set.ratio - ratio) < 1e-6)
            return &set;
    return nullptr;
}

const ArtworkData::Picture& BakedPicture(const ArtworkData::RatioSet& set, Kind kind, int index, int phase) {
    switch (kind) {
    case Kind::Clef:
        return set.clefs[phase * ClefCount + index];
    case Kind::Note:
        return set.notes[phase * NoteCount + index];
    case Kind::Letter:
        return set.letters[index];
    case Kind::DisabledLetter:
        return set.disabledLetters[index];
    case Kind::Name:
        return set.names[index];
    case Kind::DisabledName:
        return set.disabledNames[index];
    case Kind::Icon:
        return set.toolbarIcons[index];
    case Kind::DisabledIcon:
        return set.disabledToolbarIcons[index];
    case Kind::Timer:
        return *set.timer;
    case Kind::Logo:
        return *set.logo;
    case Kind::Question:
        return *set.question;
    default:
        return *set.pointingHand;
    }
}

QImage Draw(Kind kind, int index, double ratio, int top) {
    switch (kind) {
    case Kind::Clef:
        return ArtworkDrawing::Clef(index, PictureGrid(ratio, QPoint(0, top)));
    case Kind::Note:
        return ArtworkDrawing::Note(index, PictureGrid(ratio, QPoint(0, top)));
    case Kind::Sign:
        return ArtworkDrawing::Sign(index, PictureGrid(ratio, QPoint(0, top)));
    case Kind::SignButton:
    case Kind::DisabledSignButton:
        return ArtworkDrawing::SignButton(index, kind == Kind::SignButton, ratio);
    case Kind::Letter:
    case Kind::DisabledLetter:
        return ArtworkDrawing::Letter(index, kind == Kind::Letter, ratio);
    case Kind::Name:
    case Kind::DisabledName:
        return ArtworkDrawing::NoteName(index, kind == Kind::Name, ratio);
    case Kind::Icon:
    case Kind::DisabledIcon:
        return ArtworkDrawing::ToolbarIcon(index, kind == Kind::Icon, ratio);
    case Kind::Timer:
        return ArtworkDrawing::Timer(ratio);
    case Kind::Logo:
        return ArtworkDrawing::Logo(ratio);
    case Kind::Question:
        return ArtworkDrawing::Question(ratio);
    default:
        return ArtworkDrawing::PointingHand(ratio);
    }
}

// Every picture handed out stays alive to the end, so callers may keep references. The key's phase is the
// row phase for baked pictures and the exact place on the device grid (in millionths) for drawn ones.
using Key = std::tuple<Kind, int, double, long long>;

const QImage& Picture(Kind kind, int index, double ratio, int top = 0) {
    if (index < 0 || index >= CountOf(kind))
        throw std::out_of_range("picture index");
    static std::map<Key, QImage> pictures;
    const bool placed = kind == Kind::Clef || kind == Kind::Note || kind == Kind::Sign;
    // Signs are asked only by quizzes with sharps and flats, so they are drawn when first shown, never baked.
    const bool drawnOnly = kind == Kind::Sign || kind == Kind::SignButton || kind == Kind::DisabledSignButton;
    const ArtworkData::RatioSet* set = drawnOnly ? nullptr : BakedSet(ratio);
    if (set) {
        const int phase = placed ? ((top % set->period) + set->period) % set->period : 0;
        const Key key{kind, index, set->ratio, phase};
        auto found = pictures.find(key);
        if (found == pictures.end())
            found = pictures.emplace(key, Wrap(BakedPicture(*set, kind, index, phase), set->ratio)).first;
        return found->second;
    }
    const PixelGrid grid(ratio);
    const Key key{kind, index, ratio, placed ? std::llround(grid.Offset(top) * 1e6) : 0};
    auto found = pictures.find(key);
    if (found == pictures.end())
        found = pictures.emplace(key, Draw(kind, index, ratio, top)).first;
    return found->second;
}

// The picture of the syllable of letter index 0..6 as the program's language writes it: a language that
// writes it with an accent (its translation of the syllable says so) has a picture of its own for it.
int SyllablePicture(int index) {
    struct Accented {
        int index;
        const char16_t* spelling;
        int picture;
    };
    static constexpr Accented accented[] = {{3, u"Ré", AccentedRe}};
    for (const Accented& syllable : accented)
        if (syllable.index == index &&
            NoteNameText(char('A' + index), FixedDo) == QStringView(syllable.spelling))
            return syllable.picture;
    return 1 + index;
}

} // namespace

const QImage& Clef(int index, double ratio, int top) {
    return Picture(Kind::Clef, index, ratio, top);
}

const QImage& Note(int glyph, double ratio, int top) {
    return Picture(Kind::Note, glyph, ratio, top);
}

const QImage& Sign(int index, double ratio, int top) {
    return Picture(Kind::Sign, index, ratio, top);
}

const QImage& SignButton(int index, bool enabled, double ratio) {
    return Picture(enabled ? Kind::SignButton : Kind::DisabledSignButton, index, ratio);
}

const QImage& Letter(int index, bool enabled, double ratio) {
    return Picture(enabled ? Kind::Letter : Kind::DisabledLetter, index, ratio);
}

const QImage& NoteName(int index, std::uint8_t naming, bool enabled, double ratio) {
    if (index < 0 || index >= LetterCount)
        throw std::out_of_range("note name index");
    const Kind kind = enabled ? Kind::Name : Kind::DisabledName;
    if (naming == FixedDo)
        return Picture(kind, SyllablePicture(index), ratio);
    if (naming == GermanNames && index == 1)
        return Picture(kind, 0, ratio);
    return Letter(index, enabled, ratio);
}

const QImage& ToolbarIcon(int index, bool enabled, double ratio) {
    return Picture(enabled ? Kind::Icon : Kind::DisabledIcon, index, ratio);
}

const QImage& Timer(double ratio) {
    return Picture(Kind::Timer, 0, ratio);
}

const QImage& Logo(double ratio) {
    return Picture(Kind::Logo, 0, ratio);
}

const QImage& PointingHand(double ratio) {
    return Picture(Kind::Hand, 0, ratio);
}

const QImage& Question(double ratio) {
    return Picture(Kind::Question, 0, ratio);
}

QImage ProgramIcon(int size) {
    for (int i = 0; i < ArtworkData::ProgramIconCount; ++i)
        if (ArtworkData::ProgramIconSizes[i] == size)
            return Wrap(ArtworkData::ProgramIcons[i], 1.0);
    return ArtworkDrawing::ProgramIcon(size);
}

bool IsBaked(double ratio) {
    return BakedSet(ratio) != nullptr;
}

} // namespace quavix::Artwork
