// The names on the note buttons in each naming: the German H and the syllables of fixed do, drawn in the
// letters' style at every ratio, enabled and disabled, whole within the button's picture; and the names
// with their octave that the results chart writes. (Tested with the other pictures: that the baked names are
// the drawn ones and carry real detail at ratios above 1.)

#include "Artwork.h"
#include "ArtworkDrawing.h"
#include "NoteNameText.h"
#include "NoteNames.h"

#include <QtTest>

#include <set>

using namespace quavix;

namespace {

constexpr double Ratios[] = {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}; // 1.75 is not baked: drawn when asked for

bool Opaque(const QImage& picture, int x, int y) {
    return qAlpha(picture.pixel(x, y)) == 255;
}

QByteArray Pixels(const QImage& picture) {
    return QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes());
}

// The device columns holding ink: the first and the last, and how many separate runs they make.
struct InkColumns {
    int first = -1;
    int last = -1;
    int runs = 0;
};

InkColumns ColumnsOf(const QImage& picture) {
    InkColumns ink;
    bool inRun = false;
    for (int x = 0; x < picture.width(); ++x) {
        bool any = false;
        for (int y = 0; y < picture.height() && !any; ++y)
            any = Opaque(picture, x, y);
        if (any) {
            if (ink.first < 0)
                ink.first = x;
            ink.last = x;
            ink.runs += inRun ? 0 : 1;
        }
        inRun = any;
    }
    return ink;
}

} // namespace

class TestNoteNamePictures : public QObject {
    Q_OBJECT

private slots:
    void hStandsForBInGermanOnly();
    void eachNamingShowsSevenDifferentNames_data();
    void eachNamingShowsSevenDifferentNames();
    void disabledIsTheSameShapeInGrey();
    void namesStayWithinTheButtonPicture_data();
    void namesStayWithinTheButtonPicture();
    void theAccentSitsOverTheE_data();
    void theAccentSitsOverTheE();
    void pitchNamesKeepTheirOctave_data();
    void pitchNamesKeepTheirOctave();
};

void TestNoteNamePictures::hStandsForBInGermanOnly() {
    for (double ratio : Ratios) {
        const QImage& h = Artwork::NoteName(1, GermanNames, true, ratio);
        QVERIFY(h != Artwork::Letter(1, true, ratio));
        QCOMPARE(h.devicePixelRatio(), ratio);
        QCOMPARE(Artwork::NoteName(1, LetterNames, true, ratio), Artwork::Letter(1, true, ratio));
        // The other six notes keep their letters.
        for (int i : {0, 2, 3, 4, 5, 6})
            QCOMPARE(Artwork::NoteName(i, GermanNames, false, ratio), Artwork::Letter(i, false, ratio));
        // An H is two stems joined in the middle: ink in the middle row right across, none in the middle of
        // the top and bottom rows.
        const int middleY = h.height() / 2;
        const int middleX = h.width() / 2;
        QVERIFY(Opaque(h, middleX, middleY));
        QVERIFY(!Opaque(h, middleX, int(5 * ratio)));
        QVERIFY(!Opaque(h, middleX, int(19 * ratio)));
    }
}

void TestNoteNamePictures::eachNamingShowsSevenDifferentNames_data() {
    QTest::addColumn<int>("naming");
    QTest::newRow("letters") << int(LetterNames);
    QTest::newRow("German") << int(GermanNames);
    QTest::newRow("fixed do") << int(FixedDo);
}

void TestNoteNamePictures::eachNamingShowsSevenDifferentNames() {
    QFETCH(int, naming);
    for (double ratio : Ratios)
        for (bool enabled : {true, false}) {
            std::set<QByteArray> seen;
            for (int i = 0; i < Artwork::LetterCount; ++i) {
                const QImage& name = Artwork::NoteName(i, std::uint8_t(naming), enabled, ratio);
                QCOMPARE(name.format(), QImage::Format_ARGB32);
                seen.insert(Pixels(name));
            }
            QCOMPARE(int(seen.size()), Artwork::LetterCount);
        }
}

void TestNoteNamePictures::disabledIsTheSameShapeInGrey() {
    for (double ratio : Ratios)
        for (std::uint8_t naming : {LetterNames, GermanNames, FixedDo})
            for (int i = 0; i < Artwork::LetterCount; ++i) {
                const QImage& enabled = Artwork::NoteName(i, naming, true, ratio);
                const QImage& disabled = Artwork::NoteName(i, naming, false, ratio);
                QCOMPARE(disabled.size(), enabled.size());
                QVERIFY(disabled != enabled);
                for (int y = 0; y < enabled.height(); ++y)
                    for (int x = 0; x < enabled.width(); ++x) {
                        QCOMPARE(Opaque(disabled, x, y), Opaque(enabled, x, y));
                        const QRgb pixel = disabled.pixel(x, y);
                        if (qAlpha(pixel) == 255)
                            QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) &&
                                    qGray(pixel) >= 0x77);
                        else
                            QCOMPARE(pixel, QRgb(0)); // transparent pixels carry no colour
                    }
            }
}

void TestNoteNamePictures::namesStayWithinTheButtonPicture_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("letters");
    const int lettersOf[] = {2, 2, 2, 2, 2, 2, 3}; // La Si Do Re Mi Fa Sol
    for (double ratio : Ratios)
        for (int i = 0; i < Artwork::LetterCount; ++i)
            QTest::addRow("%s at %g", NoteName(char('A' + i), FixedDo).data(), ratio)
                << ratio << i << lettersOf[i];
}

// A syllable too wide for the picture would be cut off at its edge; letters run together are hard to read.
void TestNoteNamePictures::namesStayWithinTheButtonPicture() {
    QFETCH(double, ratio);
    QFETCH(int, index);
    QFETCH(int, letters);
    const QImage& name = Artwork::NoteName(index, FixedDo, true, ratio);
    QCOMPARE(name.size(), QSize(qRound(24 * ratio), qRound(24 * ratio)));
    const InkColumns ink = ColumnsOf(name);
    // At least one logical pixel free at either side, and centred to within a logical pixel.
    QVERIFY2(ink.first >= int(ratio) && ink.last < name.width() - int(ratio),
             qPrintable(QString("ink from %1 to %2").arg(ink.first).arg(ink.last)));
    QVERIFY(std::abs((ink.first + ink.last + 1) - name.width()) <= 2 * std::ceil(ratio));
    // Each letter stands apart from the next. (The i's dot sits over its stem.)
    QCOMPARE(ink.runs, letters);
    // The capitals reach from the cap line to the baseline, like the letters A to G.
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < name.height(); ++y)
        for (int x = 0; x < name.width(); ++x)
            if (Opaque(name, x, y)) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    // (At 1.25 and 1.5 the lines fall inside a device pixel, which then takes a soft edge.)
    QVERIFY2(top >= std::floor(3 * ratio) && top <= std::ceil(3 * ratio), qPrintable(QString::number(top)));
    QVERIFY2(bottom >= std::floor(21 * ratio) - 1 && bottom <= std::ceil(21 * ratio) - 1,
             qPrintable(QString::number(bottom)));
}

void TestNoteNamePictures::theAccentSitsOverTheE_data() {
    QTest::addColumn<double>("ratio");
    for (double ratio : Ratios)
        QTest::addRow("%g", ratio) << ratio;
}

// Ré is Re with an accent: the same ink up to the top of the e, and above it a mark of its own over the
// e, standing clear of it and of the R, as heavy as a stroke and never thinner than a device pixel.
void TestNoteNamePictures::theAccentSitsOverTheE() {
    QFETCH(double, ratio);
    for (bool enabled : {true, false}) {
        const QImage plain = ArtworkDrawing::NoteName(1 + 3, enabled, ratio);
        const QImage accented = ArtworkDrawing::NoteName(Artwork::AccentedRe, enabled, ratio);
        QCOMPARE(accented.size(), plain.size());
        // The e's top is at row 8: from there down nothing changes.
        const int eTop = int(std::floor(8 * ratio));
        for (int y = eTop; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                QCOMPARE(accented.pixel(x, y), plain.pixel(x, y));
        // Above it, the accent: ink where Re has none, in the columns of the e, right of the R's stem.
        const InkColumns e = ColumnsOf(plain.copy(0, eTop, plain.width(), plain.height() - eTop));
        int inked = 0;
        int lowest = -1;
        for (int y = 0; y < eTop; ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (Opaque(accented, x, y) && !Opaque(plain, x, y)) {
                    ++inked;
                    lowest = std::max(lowest, y);
                    QVERIFY2(x > plain.width() / 2 && x <= e.last,
                             qPrintable(QString("ink at %1,%2").arg(x).arg(y)));
                }
        // A stroke's weight over four logical rows: about 3 x 4 logical pixels of ink.
        QVERIFY2(inked >= int(8 * ratio * ratio), qPrintable(QString::number(inked)));
        // At least one clear device row between the accent and the e.
        int eInk = eTop;
        while (eInk < plain.height() && !Opaque(plain, e.last - int(4.5 * ratio), eInk))
            ++eInk;
        QVERIFY2(lowest < eInk - 1,
                 qPrintable(QString("accent to row %1, e from row %2").arg(lowest).arg(eInk)));
    }
}

void TestNoteNamePictures::pitchNamesKeepTheirOctave_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("naming");
    QTest::addColumn<QString>("name");
    QTest::newRow("B below middle C") << 11 << int(LetterNames) << "B3";
    QTest::newRow("German H below middle C") << 11 << int(GermanNames) << "H3";
    QTest::newRow("Si below middle C") << 11 << int(FixedDo) << "Si3";
    QTest::newRow("middle C in German") << 12 << int(GermanNames) << "C4";
    QTest::newRow("Do, middle C") << 12 << int(FixedDo) << "Do4";
    QTest::newRow("Sol, high in the treble") << 23 << int(FixedDo) << "Sol5";
    QTest::newRow("Mi, lowest") << 0 << int(FixedDo) << "Mi2";
}

void TestNoteNamePictures::pitchNamesKeepTheirOctave() {
    QFETCH(int, step);
    QFETCH(int, naming);
    QFETCH(QString, name);
    QCOMPARE(PitchNameText(step, NoteNamings(naming)), name);
}

QTEST_APPLESS_MAIN(TestNoteNamePictures)
#include "tst_notenamepictures.moc"
