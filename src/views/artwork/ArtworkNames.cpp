// The note names that are not plain letters, on the 24 x 24 note buttons: the German H and the syllables
// of fixed do, with and without accents. They share the letters' ink, cap height (rows 3 to 20) and soft
// curved edges. Two or three letters must fit where one stood, so the syllables are a condensed upper and
// lower case with 3-pixel strokes instead of the letters' 4, their straight strokes on whole pixels.

#include "ArtworkDrawing.h"
#include "ArtworkTools.h"
#include "PictureSet.h"

#include <QPainterPathStroker>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace quavix::ArtworkDrawing {

using namespace Tools;

namespace {

constexpr int IconSize = 24;
constexpr double Stroke = 3.0;
constexpr double CapTop = 3.0;
constexpr double XHeightTop = 8.0;
constexpr double Baseline = 21.0;
constexpr double Gap = 1.0; // between the letters of a syllable

QPainterPath Box(double l, double t, double r, double b) {
    QPainterPath path;
    path.addRect(QRectF(QPointF(l, t), QPointF(r, b)));
    return path;
}

// The outline of a centre line drawn with the syllables' stroke.
QPainterPath Stroked(const QPainterPath& centre, Qt::PenCapStyle cap = Qt::FlatCap,
                     Qt::PenJoinStyle join = Qt::MiterJoin) {
    QPainterPathStroker stroker;
    stroker.setWidth(Stroke);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(join);
    stroker.setMiterLimit(8);
    return stroker.createStroke(centre);
}

// A ring around the centre line of an ellipse.
QPainterPath Ring(double cx, double cy, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx + Stroke / 2, ry + Stroke / 2);
    QPainterPath counter;
    counter.addEllipse(QPointF(cx, cy), rx - Stroke / 2, ry - Stroke / 2);
    return path.subtracted(counter);
}

// One letter: its outline from x 0 and the width it takes.
struct Glyph {
    QPainterPath outline;
    double width;
};

constexpr double Half = Stroke / 2;
constexpr double CapMiddle = (CapTop + Baseline) / 2;
constexpr double SmallMiddle = (XHeightTop + Baseline) / 2;
constexpr double SmallRadius = (Baseline - XHeightTop) / 2 - Half; // of the small letters' centre lines

Glyph CapitalD() {
    QPainterPath centre;
    centre.moveTo(Half, CapTop + Half);
    centre.lineTo(3.5, CapTop + Half);
    centre.cubicTo(6.4, CapTop + Half, 7.5, 7.5, 7.5, CapMiddle);
    centre.cubicTo(7.5, 16.5, 6.4, Baseline - Half, 3.5, Baseline - Half);
    centre.lineTo(Half, Baseline - Half);
    centre.closeSubpath();
    return {Stroked(centre), 9};
}

Glyph CapitalR() {
    QPainterPath centre;
    centre.moveTo(Half, Baseline);
    centre.lineTo(Half, CapTop + Half);
    centre.lineTo(4, CapTop + Half);
    centre.cubicTo(6.4, CapTop + Half, 7.3, 5.8, 7.3, 8.1);
    centre.cubicTo(7.3, 10.4, 6.4, 12, 4, 12);
    centre.lineTo(Half, 12);
    QPainterPath leg;
    leg.moveTo(4, 12);
    leg.lineTo(7.6, Baseline + 1);
    return {Stroked(centre).united(Stroked(leg)), 9};
}

Glyph CapitalM() {
    // Thinner diagonals than stems, as bold faces draw them, so the notches between them stay open.
    constexpr double width = 13;
    QPainterPath centre;
    centre.moveTo(1.2, CapTop);
    centre.lineTo(width / 2, 14.5);
    centre.lineTo(width - 1.2, CapTop);
    QPainterPathStroker diagonals;
    diagonals.setWidth(2.2);
    diagonals.setJoinStyle(Qt::MiterJoin);
    diagonals.setCapStyle(Qt::FlatCap);
    return {Box(0, CapTop, Stroke, Baseline)
                .united(Box(width - Stroke, CapTop, width, Baseline))
                .united(diagonals.createStroke(centre)),
            width};
}

Glyph CapitalF() {
    return {
        Box(0, CapTop, Stroke, Baseline).united(Box(0, CapTop, 8, CapTop + Stroke)).united(Box(0, 11, 7, 14)),
        8};
}

Glyph CapitalS() {
    QPainterPath centre;
    centre.moveTo(7.4, 6.4);
    centre.cubicTo(6.9, 5.0, 5.8, CapTop + Half, 4.2, CapTop + Half);
    centre.cubicTo(2.4, CapTop + Half, Half, 5.6, Half, 7.9);
    centre.cubicTo(Half, 10.2, 3.0, 11.0, 4.4, 11.7);
    centre.cubicTo(6.0, 12.4, 7.5, 13.4, 7.5, 15.9);
    centre.cubicTo(7.5, 18.3, 6.0, Baseline - Half, 4.2, Baseline - Half);
    centre.cubicTo(3.0, Baseline - Half, 2.1, 19.0, 1.7, 17.9);
    return {Stroked(centre), 9};
}

Glyph CapitalL() {
    return {Box(0, CapTop, Stroke, Baseline).united(Box(0, Baseline - Stroke, 8, Baseline)), 8};
}

Glyph SmallO(double width = 9) {
    return {Ring(width / 2, SmallMiddle, width / 2 - Half, SmallRadius), width};
}

Glyph SmallE() {
    constexpr double width = 9;
    const QRectF oval(QPointF(Half, XHeightTop + Half), QPointF(width - Half, Baseline - Half));
    QPainterPath centre;
    centre.arcMoveTo(oval, 0);
    centre.arcTo(oval, 0, 318);
    // The bar is thinner than the strokes, so the small eye above it stays open.
    return {Stroked(centre).united(Box(Half, 14, width - 0.5, 16)), width};
}

Glyph SmallI() {
    QPainterPath dot;
    dot.addEllipse(QPointF(Half, CapTop + 1.6), 1.6, 1.6);
    return {Box(0, XHeightTop, Stroke, Baseline).united(dot), Stroke};
}

Glyph SmallL() {
    return {Box(0, CapTop, Stroke, Baseline), Stroke};
}

Glyph SmallA() {
    constexpr double width = 10;
    return {Ring(4.5, SmallMiddle, 4.5 - Half, SmallRadius)
                .united(Box(width - Stroke, XHeightTop, width, Baseline)),
            width};
}

// The glyph with an acute accent above it, as on the é of Ré: a stroke of the syllables' weight leaning
// right, over the glyph's middle and clear of its top by a pixel, its ends cut level on whole pixels.
Glyph WithAcute(Glyph glyph) {
    const double middle = glyph.width / 2;
    QPainterPath accent;
    accent.moveTo(middle - 2.0, XHeightTop - 1);
    accent.lineTo(middle + 1.0, XHeightTop - 1);
    accent.lineTo(middle + 3.9, CapTop);
    accent.lineTo(middle + 0.9, CapTop);
    accent.closeSubpath();
    glyph.outline = glyph.outline.united(accent);
    return glyph;
}

// The glyphs of the syllable for letter index 0..6 (A..G): La Si Do Re Mi Fa Sol.
std::vector<Glyph> Syllable(int letter) {
    switch (letter) {
    case 0:
        return {CapitalL(), SmallA()};
    case 1:
        return {CapitalS(), SmallI()};
    case 2:
        return {CapitalD(), SmallO()};
    case 3:
        return {CapitalR(), SmallE()};
    case 4:
        return {CapitalM(), SmallI()};
    case 5:
        return {CapitalF(), SmallA()};
    default: // three letters: a narrower o
        return {CapitalS(), SmallO(8), SmallL()};
    }
}

// The glyphs side by side, centred in the picture on a whole pixel, so the straight strokes stay crisp.
QPainterPath Word(const std::vector<Glyph>& glyphs) {
    double width = -Gap;
    for (const Glyph& glyph : glyphs)
        width += glyph.width + Gap;
    double x = std::floor((IconSize - width) / 2 + 0.5);
    QPainterPath word;
    for (const Glyph& glyph : glyphs) {
        word = word.united(glyph.outline.translated(x, 0));
        x += glyph.width + Gap;
    }
    // Strokes that end on the baseline or cap line end flat on it.
    return word.intersected(Box(0, CapTop, IconSize, Baseline));
}

// The German H in the bold style of the letters A to G: 4-pixel stems and the E's middle bar.
QPainterPath LetterH() {
    return Box(5, 3, 9, 21).united(Box(15, 3, 19, 21)).united(Box(5, 10.4, 19, 13.6));
}

} // namespace

QImage NoteName(int index, bool enabled, double ratio) {
    if (index < 0 || index >= Artwork::NameCount)
        throw std::out_of_range("note name index");
    // In the same inks as the letters.
    if (index == 0)
        return NoteButtonPicture(LetterH(), enabled, ratio);
    if (index == Artwork::AccentedRe)
        return NoteButtonPicture(Word({CapitalR(), WithAcute(SmallE())}), enabled, ratio);
    return NoteButtonPicture(Word(Syllable(index - 1)), enabled, ratio);
}

} // namespace quavix::ArtworkDrawing
