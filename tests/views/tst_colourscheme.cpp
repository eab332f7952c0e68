// The colour scheme follows the screen's depth, and uses only colours its screen can show: the sixteen basic
// colours on 16 colours, four more on 256. The rich scheme keeps the colours the controls are designed with.
#include "ColourScheme.h"

#include <QTest>

#include <algorithm>
#include <vector>

using namespace quavix;

namespace {

constexpr QRgb TwentyColours[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                                  0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
                                  0x00FFFF, 0xFFFFFF, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4};

// Whether every colour is among the first `count` of the twenty.
bool AllAmong(const std::vector<QRgb>& colours, int count) {
    return std::all_of(colours.begin(), colours.end(), [count](QRgb colour) {
        return std::find(TwentyColours, TwentyColours + count, colour) != TwentyColours + count;
    });
}

} // namespace

class ColourSchemeTest : public QObject {
    Q_OBJECT

private slots:
    void schemeByDepth_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("colours"); // what the scheme may use: 0 any, else that many of the twenty
        QTest::newRow("32 bits") << 32 << 0;
        QTest::newRow("9 bits, the fewest for rich") << 9 << 0;
        QTest::newRow("256 colours") << 8 << 20;
        QTest::newRow("7 bits") << 7 << 16;
        QTest::newRow("monochrome") << 1 << 16;
    }

    void schemeByDepth() {
        QFETCH(int, depth);
        QFETCH(int, colours);
        const ColourScheme s = ColourSchemeForDepth(depth);
        const std::vector<QRgb> used = {s.BackgroundColour, s.ClosePanelColour,    s.SliderThumbColour,
                                        s.MaxScoreColour,   s.NotesHotTrackColour, s.OptionsHotTrackColour};
        QCOMPARE(s.RichColour && s.Gradient && s.GradientEndColour.has_value(), colours == 0);
        QCOMPARE(s.HotTrack && s.RecolourControls, colours != 16);
        if (colours == 0)
            QVERIFY(used ==
                    (std::vector<QRgb>{DesignColours::Window, DesignColours::Window,
                                       DesignColours::SliderThumb, DesignColours::MaxScore,
                                       DesignColours::NotesHotTrack, DesignColours::OptionsHotTrack}));
        else
            QVERIFY(AllAmong(used, colours));
        // The light under the pointer and the best score stand out from the window.
        QVERIFY(!s.HotTrack || (s.NotesHotTrackColour != s.BackgroundColour &&
                                s.OptionsHotTrackColour != s.BackgroundColour));
        QVERIFY(s.MaxScoreColour != s.BackgroundColour);
    }

    // The plain colours are also what a 256-colour screen shows.
    void plainColoursShowOn256Colours() {
        QVERIFY(AllAmong({PopUpColour(false), CloseHoverColour(false), AboutBackColour(false),
                          OpenCellColour(false), FretCellColour(false), DotFillColour(false),
                          DotOutlineColour(false), StringColour(false), BandColour(false), EdgeColour(false)},
                         20));
    }
};

QTEST_APPLESS_MAIN(ColourSchemeTest)
#include "tst_colourscheme.moc"
