#include "Artwork.h"
#include "ArtworkDrawing.h"

#include <QtTest>

#include <algorithm>
#include <set>
#include <vector>

using namespace quavix;

namespace {

struct Named {
    QString name;
    QImage picture;
    QSize size;
};

std::vector<Named> AllPictures() {
    std::vector<Named> all;
    for (int i = 0; i < Artwork::ClefCount; ++i)
        all.push_back({QString("clef %1").arg(i),
                       Artwork::Clef(i),
                       {29, i == Artwork::OctaveTreblePicture ? 84 : 72}}); // the 8 hangs below
    for (int i = 0; i < Artwork::NoteCount; ++i)
        all.push_back({QString("note %1").arg(i), Artwork::Note(i), {20, 68}});
    for (int i = 0; i < Artwork::LetterCount; ++i) {
        all.push_back({QString("letter %1").arg(i), Artwork::Letter(i, true), {24, 24}});
        all.push_back({QString("letter %1 disabled").arg(i), Artwork::Letter(i, false), {24, 24}});
    }
    for (int i = 0; i < Artwork::ToolbarIconCount; ++i) {
        all.push_back({QString("icon %1").arg(i), Artwork::ToolbarIcon(i, true), {24, 24}});
        all.push_back({QString("icon %1 disabled").arg(i), Artwork::ToolbarIcon(i, false), {24, 24}});
    }
    all.push_back({"timer", Artwork::Timer(), {80, 134}});
    all.push_back({"logo", Artwork::Logo(), {96, 96}});
    for (int size : {64, 32, 16})
        all.push_back({QString("program icon %1").arg(size), Artwork::ProgramIcon(size), {size, size}});
    all.push_back({"pointing hand", Artwork::PointingHand(), {32, 32}});
    all.push_back({"question", Artwork::Question(), {32, 32}});
    return all;
}

bool Opaque(const QImage& picture, int x, int y) {
    return qAlpha(picture.pixel(x, y)) == 255;
}
QRgb Colour(const QImage& picture, int x, int y) {
    return picture.pixel(x, y) & 0xFFFFFF;
}

bool Contains(const QImage& picture, QRgb colour) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (Opaque(picture, x, y) && Colour(picture, x, y) == colour)
                return true;
    return false;
}

bool SameMask(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (Opaque(a, x, y) != Opaque(b, x, y))
                return false;
    return true;
}

constexpr int StaffRows[] = {14, 24, 34, 44, 54};
bool IsStaffRow(int y) {
    return std::find(std::begin(StaffRows), std::end(StaffRows), y) != std::end(StaffRows);
}

// Rows and columns of a clef's own ink, leaving out its staff lines.
QRect ClefInk(const QImage& clef, int fromColumn = 0, int toColumn = 28) {
    QRect box;
    for (int y = 0; y < clef.height(); ++y)
        for (int x = fromColumn; x <= toColumn; ++x)
            if (!IsStaffRow(y) && Opaque(clef, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void everyPictureKeepsTheRules_data() {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QSize>("size");
        for (const Named& named : AllPictures())
            QTest::newRow(qPrintable(named.name)) << named.picture << named.size;
    }
    void everyPictureKeepsTheRules() {
        QFETCH(QImage, picture);
        QFETCH(QSize, size);
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.format(), QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb pixel = picture.pixel(x, y);
                QVERIFY2(qAlpha(pixel) == 0 || qAlpha(pixel) == 255,
                         qPrintable(QString("alpha at %1,%2").arg(x).arg(y)));
                QVERIFY2((pixel & 0xFFFFFF) != 0x00FF00 || qAlpha(pixel) == 0,
                         qPrintable(QString("colour key green at %1,%2").arg(x).arg(y)));
                opaque += qAlpha(pixel) == 255;
            }
        }
        QVERIFY(opaque > 0);
    }

    // The program carries the pictures as drawn while it was built: the build step ran, from the drawing
    // code as it is now.
    void buildDrewThePictures() { QCOMPARE(Artwork::Clef(1), ArtworkDrawing::Clef(1)); }

    void clefsCarryBlackStaffLines() {
        for (int index = 0; index < Artwork::ClefCount; ++index) {
            const QImage& clef = Artwork::Clef(index);
            for (int row : StaffRows)
                for (int x = 0; x < 29; ++x)
                    QVERIFY2(Opaque(clef, x, row) && Colour(clef, x, row) == 0x000000,
                             qPrintable(QString("clef %1 at %2,%3").arg(index).arg(x).arg(row)));
            // Rows between the lines are never filled across, which would read as an extra line.
            for (int y = 0; y < 72; ++y) {
                if (IsStaffRow(y))
                    continue;
                int run = 0;
                for (int x = 0; x < 29; ++x)
                    run += Opaque(clef, x, y);
                QVERIFY(run < 29);
            }
        }
    }

    void greyClefsAreTheBlackClefsInGrey() {
        for (int black = 0; black < 2; ++black) {
            const QImage& dark = Artwork::Clef(black);
            const QImage& grey = Artwork::Clef(black + 2);
            QVERIFY(SameMask(dark, grey));
            int solid = 0;
            for (int y = 0; y < 72; ++y) {
                for (int x = 0; x < 29; ++x) {
                    if (IsStaffRow(y) || !Opaque(dark, x, y))
                        continue;
                    if (Colour(dark, x, y) == 0x000000) {
                        QCOMPARE(Colour(grey, x, y), Artwork::NoteGrey);
                        ++solid;
                    }
                    QVERIFY(qGray(Colour(grey, x, y)) >= qGray(Artwork::NoteGrey));
                }
            }
            QVERIFY(solid > 100);
        }
    }

    void bassClefShape() {
        const QImage& clef = Artwork::Clef(0);
        const QRect body = ClefInk(clef, 0, 22);
        QCOMPARE(body.top(), 15);
        QCOMPARE(body.bottom(), 45);
        // The round head sits on the second line: ink just above and below it at the left.
        QVERIFY(Opaque(clef, 5, 23) && Opaque(clef, 5, 25));
        // Nothing of the body reaches the dots' columns, and the dots fill columns 23 to 28 in the
        // spaces either side of the line, one above and one below, mirror images of each other.
        const QRect dots = ClefInk(clef, 23, 28);
        QCOMPARE(dots.left(), 23);
        QCOMPARE(dots.right(), 28);
        QCOMPARE(ClefInk(clef, 22, 22), QRect());
        for (int y = 0; y < 72; ++y) {
            if (IsStaffRow(y))
                continue;
            for (int x = 23; x <= 28; ++x) {
                const bool inDot = (y >= 15 && y <= 23) || (y >= 25 && y <= 33);
                if (!inDot)
                    QVERIFY2(!Opaque(clef, x, y), qPrintable(QString("stray ink at %1,%2").arg(x).arg(y)));
                else if (y < 24)
                    QCOMPARE(Opaque(clef, x, y), Opaque(clef, x, 48 - y));
            }
        }
        QVERIFY(Opaque(clef, 25, 19) && Opaque(clef, 25, 29));
    }

    void trebleClefShape() {
        const QImage& clef = Artwork::Clef(1);
        const QRect ink = ClefInk(clef);
        QCOMPARE(ink.top(), 1);
        QCOMPARE(ink.bottom(), 71);
        // The bowl winds round the second line from the bottom: ink on both sides of it just above and
        // just below, and at its centre an inner curl.
        for (int y : {43, 45}) {
            bool left = false;
            bool right = false;
            for (int x = 0; x < 7; ++x)
                left = left || Opaque(clef, x, y);
            for (int x = 22; x < 29; ++x)
                right = right || Opaque(clef, x, y);
            QVERIFY2(left && right, qPrintable(QString("row %1").arg(y)));
        }
        // The bowl's outer edge is (roughly) centred on the line at row 44.
        int top = 72;
        int bottom = 0;
        for (int y = 28; y < 62; ++y)
            for (int x = 20; x < 29; ++x)
                if (!IsStaffRow(y) && Opaque(clef, x, y)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        QVERIFY(std::abs((top + bottom) / 2 - 44) <= 2);
    }

    void notePictures_data() {
        QTest::addColumn<int>("glyph");
        QTest::addColumn<bool>("stemUp");
        QTest::addColumn<int>("stemTop");
        QTest::addColumn<int>("stemBottom");
        QTest::addColumn<int>("headTop");
        QTest::addColumn<int>("headBottom");
        QTest::addColumn<QList<int>>("ledgers");
        QTest::newRow("0 stem up") << 0 << true << 1 << 36 << 31 << 41 << QList<int>{};
        QTest::newRow("1 ledger through") << 1 << true << 1 << 36 << 31 << 41 << QList<int>{36};
        QTest::newRow("2 stem down") << 2 << false << 7 << 41 << 1 << 11 << QList<int>{};
        QTest::newRow("3 ledger through, down") << 3 << false << 6 << 41 << 1 << 11 << QList<int>{6};
        QTest::newRow("4 ledger above") << 4 << true << 3 << 41 << 37 << 46 << QList<int>{36};
        QTest::newRow("5 two ledgers") << 5 << true << 4 << 46 << 41 << 51 << QList<int>{36, 46};
        QTest::newRow("6 two ledgers above") << 6 << true << 9 << 51 << 47 << 56 << QList<int>{36, 46};
        QTest::newRow("7 three ledgers") << 7 << true << 11 << 56 << 51 << 61 << QList<int>{36, 46, 56};
        QTest::newRow("8 three ledgers above") << 8 << true << 13 << 61 << 57 << 66 << QList<int>{36, 46, 56};
        QTest::newRow("9 ledger below") << 9 << false << 6 << 44 << 1 << 10 << QList<int>{11};
    }
    void notePictures() {
        QFETCH(int, glyph);
        QFETCH(bool, stemUp);
        QFETCH(int, stemTop);
        QFETCH(int, stemBottom);
        QFETCH(int, headTop);
        QFETCH(int, headBottom);
        QFETCH(QList<int>, ledgers);
        const QImage& note = Artwork::Note(glyph);
        const int stemColumn = stemUp ? 15 : 4;
        const int greyColumn = stemColumn + 1;
        const int greyTop = stemUp ? stemTop : headBottom + 1;
        const int greyBottom = stemUp ? headTop - 1 : stemBottom;

        for (int row : ledgers)
            for (int x = 0; x < 20; ++x)
                QVERIFY2(Opaque(note, x, row) && Colour(note, x, row) == 0x000000,
                         qPrintable(QString("ledger %1 at %2").arg(row).arg(x)));
        for (int y = stemTop; y <= stemBottom; ++y)
            QVERIFY2(Opaque(note, stemColumn, y) && Colour(note, stemColumn, y) == 0x000000,
                     qPrintable(QString("stem row %1").arg(y)));
        // The stem stops where the table says: above an up stem, below a down stem, nothing.
        QVERIFY(!Opaque(note, stemColumn, stemUp ? stemTop - 1 : stemBottom + 1));
        for (int y = greyTop; y <= greyBottom; ++y) {
            if (!ledgers.contains(y))
                QVERIFY2(Opaque(note, greyColumn, y) && Colour(note, greyColumn, y) == Artwork::NoteGrey,
                         qPrintable(QString("grey column row %1").arg(y)));
        }

        // Whatever is left is the head: exactly the head rows and columns 4 to 16, black and grey only.
        QRect head;
        for (int y = 0; y < 68; ++y) {
            if (ledgers.contains(y))
                continue;
            for (int x = 0; x < 20; ++x) {
                if (!Opaque(note, x, y))
                    continue;
                const QRgb colour = Colour(note, x, y);
                QVERIFY(colour == 0x000000 || colour == Artwork::NoteGrey);
                const bool stem = x == stemColumn && y >= stemTop && y <= stemBottom;
                const bool grey = x == greyColumn && y >= greyTop && y <= greyBottom;
                if (!stem && !grey)
                    head |= QRect(x, y, 1, 1);
            }
        }
        QCOMPARE(head.top(), headTop);
        QCOMPARE(head.bottom(), headBottom);
        QCOMPARE(head.left(), 4);
        QCOMPARE(head.right(), 16);
        // A half note is hollow.
        const int middle = (headTop + headBottom) / 2;
        QVERIFY(!Opaque(note, 10, middle - 1));
        if (!ledgers.contains(middle))
            QVERIFY(!Opaque(note, 10, middle));
    }

    void notesSitWhereTheStaffExpects() {
        // Drawn at (x, y), the head centre of the line notes lands on y + 36 or y + 6 and the first
        // ledger line on y + 36, y + 6 or y + 11: the staff view and the note table rely on these.
        auto centreRow = [](const QImage& note) {
            int top = -1;
            int bottom = -1;
            for (int y = 0; y < 68; ++y)
                if (Opaque(note, 10, y) && !Opaque(note, 0, y)) {
                    if (top < 0)
                        top = y;
                    bottom = y;
                }
            return (top + bottom) / 2.0;
        };
        QCOMPARE(centreRow(Artwork::Note(0)), 36.0);
        QCOMPARE(centreRow(Artwork::Note(2)), 6.0);
        for (int glyph : {1, 4, 5, 6, 7, 8})
            QVERIFY(Opaque(Artwork::Note(glyph), 0, 36) && !Opaque(Artwork::Note(glyph), 0, 35));
        QVERIFY(Opaque(Artwork::Note(3), 0, 6));
        QVERIFY(Opaque(Artwork::Note(9), 19, 11));
    }

    void letters() {
        std::set<QByteArray> seen;
        for (int i = 0; i < Artwork::LetterCount; ++i) {
            const QImage& enabled = Artwork::Letter(i, true);
            const QImage& disabled = Artwork::Letter(i, false);
            QVERIFY(SameMask(enabled, disabled));
            QRect ink;
            int black = 0;
            int edges = 0;
            for (int y = 0; y < 24; ++y) {
                for (int x = 0; x < 24; ++x) {
                    if (!Opaque(enabled, x, y))
                        continue;
                    ink |= QRect(x, y, 1, 1);
                    const QRgb on = Colour(enabled, x, y);
                    const QRgb off = Colour(disabled, x, y);
                    QVERIFY(qRed(on) == qGreen(on) && qGreen(on) == qBlue(on));
                    QVERIFY(qRed(off) == qGreen(off) && qGreen(off) == qBlue(off));
                    QVERIFY(qGray(off) >= 0x77);
                    if (on == 0x000000) {
                        ++black;
                        QCOMPARE(off, QRgb(0x777777));
                    } else {
                        ++edges;
                        QVERIFY(qGray(off) > 0x77);
                    }
                }
            }
            // Bold, filling most of the square, black with a soft edge.
            QVERIFY2(ink.height() >= 18 && ink.width() >= 13, qPrintable(QString("letter %1").arg(i)));
            QVERIFY(black > 2 * edges);
            QVERIFY(edges > 0 || i == 4 || i == 5); // E and F are all straight lines
            seen.insert(
                QByteArray(reinterpret_cast<const char*>(enabled.constBits()), enabled.sizeInBytes()));
        }
        QCOMPARE(int(seen.size()), Artwork::LetterCount);
    }

    void disabledIconsAreFlatGreyCopies() {
        for (int i = 0; i < Artwork::ToolbarIconCount; ++i) {
            const QImage& enabled = Artwork::ToolbarIcon(i, true);
            const QImage& disabled = Artwork::ToolbarIcon(i, false);
            QVERIFY(SameMask(enabled, disabled));
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x) {
                    const QRgb c = Colour(disabled, x, y);
                    QVERIFY(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
                }
        }
    }

    void iconColours() {
        const QImage& guitar = Artwork::ToolbarIcon(2, true);
        for (QRgb colour : {0xF6D982u, 0xEFC963u, 0xE0A822u, 0x4E5260u, 0x2F383Eu})
            QVERIFY2(Contains(guitar, colour), qPrintable(QString::number(colour, 16)));
        // Neck to the upper left, body to the lower right.
        QVERIFY(Colour(guitar, 3, 3) == 0x2F383E || Colour(guitar, 4, 4) == 0x2F383E);
        QVERIFY(Contains(Artwork::ToolbarIcon(8, true), 0xC2C2C2) &&
                Contains(Artwork::ToolbarIcon(8, true), 0x00FFFF));
        QVERIFY(Contains(Artwork::ToolbarIcon(9, true), 0xC2C2C2) &&
                Contains(Artwork::ToolbarIcon(9, true), 0xFFC460));
        QVERIFY(Contains(Artwork::ToolbarIcon(9, true), 0xFEB04C) &&
                Contains(Artwork::ToolbarIcon(9, true), 0xFFD49D));
        // The keyboard range icons keep to their rows.
        for (auto [index, top, bottom] : {std::tuple{6, 4, 18}, std::tuple{7, 4, 19}}) {
            QRect ink;
            const QImage& icon = Artwork::ToolbarIcon(index, true);
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x)
                    if (Opaque(icon, x, y))
                        ink |= QRect(x, y, 1, 1);
            QCOMPARE(ink.top(), top);
            QCOMPARE(ink.bottom(), bottom);
        }
    }

    void timerLeavesTheCountdownReadable() {
        const QImage& timer = Artwork::Timer();
        for (QRgb colour :
             {0xA55A10u, 0xD69439u, 0xCE8442u, 0xD6D6CEu, 0xFFE700u, 0xFFFF9Cu, 0xFFB500u, 0xFFCE00u})
            QVERIFY2(Contains(timer, colour), qPrintable(QString::number(colour, 16)));
        QVERIFY(!Opaque(timer, 0, 60) && !Opaque(timer, 79, 60) && !Opaque(timer, 20, 67));
        // The black countdown number slides over x 19..58 and y 35..130 of the panel, the picture
        // being at (0, 8): nothing dark may lie under it.
        for (int y = 35 - 8; y <= 130 - 8; ++y)
            for (int x = 19; x <= 58; ++x)
                if (Opaque(timer, x, y))
                    QVERIFY2(qGray(Colour(timer, x, y)) >= 150, qPrintable(QString("%1,%2").arg(x).arg(y)));
    }

    void logoAndProgramIcon() {
        const QImage& logo = Artwork::Logo();
        // The outer ring is the dialog's colour in the original artwork: transparent here.
        for (int i = 0; i < 96; ++i)
            QVERIFY(!Opaque(logo, i, 0) && !Opaque(logo, i, 95) && !Opaque(logo, 0, i) &&
                    !Opaque(logo, 95, i));
        QVERIFY(Contains(logo, 0xFFFFFF) && Contains(logo, 0x000000));
        bool red = false;
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x) {
                const QRgb c = Colour(logo, x, y);
                red = red || (Opaque(logo, x, y) && qRed(c) > 180 && qGreen(c) < 60 && qBlue(c) < 60);
            }
        QVERIFY(red);
        QVERIFY(qGray(Colour(logo, 48, 3)) < 0xC0); // the thin grey frame
        QCOMPARE(Artwork::ProgramIcon(32).size(), QSize(32, 32));
    }

    void pointingHand() {
        const QImage& hand = Artwork::PointingHand();
        const QPoint hot = Artwork::PointingHandHotSpot;
        QVERIFY(Opaque(hand, hot.x(), hot.y()));
        QCOMPARE(Colour(hand, hot.x(), hot.y()), QRgb(0x000000));
        // The fingertip is the top of the picture's ink.
        for (int y = 0; y < hot.y(); ++y)
            for (int x = 0; x < 32; ++x)
                QVERIFY(!Opaque(hand, x, y));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (Opaque(hand, x, y))
                    QVERIFY(Colour(hand, x, y) == 0x000000 || Colour(hand, x, y) == 0xFFFFFF);
        QVERIFY(Contains(hand, 0xFFFFFF));
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
