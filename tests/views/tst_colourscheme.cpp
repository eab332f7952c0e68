// The colour scheme follows the screen's depth, and each scheme uses only colours its screen can show: a
// screen of 16 colours has the sixteen basic ones, a screen of 256 also the four more every such screen
// keeps for the system. The rich scheme keeps the colours the controls are designed with.
#include "ColourScheme.h"

#include <QTest>

#include <algorithm>
#include <vector>

using namespace quavix;

namespace {

const std::vector<QRgb> SixteenColours = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::vector<QRgb> TwentyColours() {
    std::vector<QRgb> colours = SixteenColours;
    colours.insert(colours.end(), {0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4});
    return colours;
}

bool AllAmong(const std::vector<QRgb>& colours, const std::vector<QRgb>& palette) {
    return std::all_of(colours.begin(), colours.end(), [&](QRgb colour) {
        return std::find(palette.begin(), palette.end(), colour) != palette.end();
    });
}

std::vector<QRgb> ColoursOf(const ColourScheme& s) {
    return {s.BackgroundColour, s.ClosePanelColour,    s.SliderThumbColour,
            s.MaxScoreColour,   s.NotesHotTrackColour, s.OptionsHotTrackColour};
}

} // namespace

class ColourSchemeTest : public QObject {
    Q_OBJECT

private slots:
    void schemeByDepth_data();
    void schemeByDepth();
    void plainColoursShowOn256Colours();
};

void ColourSchemeTest::schemeByDepth_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("32 bits") << 32 << "rich";
    QTest::newRow("9 bits, the fewest for rich") << 9 << "rich";
    QTest::newRow("256 colours") << 8 << "256";
    QTest::newRow("7 bits") << 7 << "low";
    QTest::newRow("16 colours") << 4 << "low";
    QTest::newRow("monochrome") << 1 << "low";
}

void ColourSchemeTest::schemeByDepth() {
    QFETCH(int, depth);
    QFETCH(QString, scheme);
    const ColourScheme s = ColourSchemeForDepth(depth);
    QCOMPARE(s.RichColour, scheme == "rich");
    QCOMPARE(s.Gradient, scheme == "rich");
    QCOMPARE(s.GradientEndColour.has_value(), scheme == "rich");
    QCOMPARE(s.HotTrack, scheme != "low");
    QCOMPARE(s.RecolourControls, scheme != "low");
    if (scheme == "rich") {
        // As designed, and the Close panel one with the window.
        QCOMPARE(s.BackgroundColour, DesignColours::Window);
        QCOMPARE(s.ClosePanelColour, s.BackgroundColour);
        QCOMPARE(s.SliderThumbColour, DesignColours::SliderThumb);
        QCOMPARE(s.MaxScoreColour, DesignColours::MaxScore);
        QCOMPARE(s.NotesHotTrackColour, DesignColours::NotesHotTrack);
        QCOMPARE(s.OptionsHotTrackColour, DesignColours::OptionsHotTrack);
    } else {
        QVERIFY(AllAmong(ColoursOf(s), scheme == "256" ? TwentyColours() : SixteenColours));
    }
    // Where the pointer lights a button, the light shows against the window.
    if (s.HotTrack) {
        QVERIFY(s.NotesHotTrackColour != s.BackgroundColour);
        QVERIFY(s.OptionsHotTrackColour != s.BackgroundColour);
    }
    // The best score stands out from the window in every scheme.
    QVERIFY(s.MaxScoreColour != s.BackgroundColour);
}

// The plain colours are also what a 256-colour screen shows.
void ColourSchemeTest::plainColoursShowOn256Colours() {
    const std::vector<QRgb> plain = {PopUpColour(false),      CloseHoverColour(false), AboutBackColour(false),
                                     OpenCellColour(false),   FretCellColour(false),   DotFillColour(false),
                                     DotOutlineColour(false), StringColour(false),     BandColour(false),
                                     EdgeColour(false)};
    QVERIFY(AllAmong(plain, TwentyColours()));
}

QTEST_APPLESS_MAIN(ColourSchemeTest)
#include "tst_colourscheme.moc"
