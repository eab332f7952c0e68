#include "ColourScheme.h"

#include <QTest>

using namespace quavix;

class ColourSchemeTest : public QObject {
    Q_OBJECT

private slots:
    void schemeByDepth_data();
    void schemeByDepth();
};

void ColourSchemeTest::schemeByDepth_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("scheme");
    QTest::newRow("32 bits") << 32 << "rich";
    QTest::newRow("24 bits") << 24 << "rich";
    QTest::newRow("16 bits") << 16 << "rich";
    QTest::newRow("9 bits") << 9 << "rich";
    QTest::newRow("256 colours") << 8 << "256";
    QTest::newRow("16 colours") << 4 << "low";
    QTest::newRow("monochrome") << 1 << "low";
    QTest::newRow("unknown") << 0 << "low";
}

void ColourSchemeTest::schemeByDepth() {
    QFETCH(int, depth);
    QFETCH(QString, scheme);
    const ColourScheme s = ColourSchemeForDepth(depth);
    if (scheme == "rich") {
        QVERIFY(s.RichColour && s.HotTrack && s.Gradient && s.RecolourControls);
        QCOMPARE(s.BackgroundColour, QRgb(0xF0F0F0));
        QCOMPARE(s.ClosePanelColour, QRgb(0xF0F0F0));
        QCOMPARE(s.SliderThumbColour, QRgb(0x88C0FF));
        QCOMPARE(s.MaxScoreColour, QRgb(0xC80000));
        QCOMPARE(s.NotesHotTrackColour, QRgb(0xC0C0F0));
        QCOMPARE(s.OptionsHotTrackColour, QRgb(0xF0C0C0));
        QCOMPARE(s.GradientEndColour, std::optional<QRgb>(0xD6D6D6));
    } else if (scheme == "256") {
        QVERIFY(!s.RichColour && s.HotTrack && !s.Gradient && s.RecolourControls);
        QCOMPARE(s.BackgroundColour, QRgb(0xC0C0C0));
        QCOMPARE(s.SliderThumbColour, QRgb(0x00FFFF));
        QCOMPARE(s.MaxScoreColour, QRgb(0xFF0000));
        QCOMPARE(s.NotesHotTrackColour, QRgb(0xC0DCC0));
        QCOMPARE(s.OptionsHotTrackColour, QRgb(0xC0DCC0));
        QVERIFY(!s.GradientEndColour);
    } else {
        QVERIFY(!s.RichColour && !s.HotTrack && !s.Gradient && !s.RecolourControls);
        QCOMPARE(s.BackgroundColour, QRgb(0xC0C0C0));
        QCOMPARE(s.ClosePanelColour, QRgb(0xC0C0C0));
        QCOMPARE(s.SliderThumbColour, QRgb(0xC0C0C0));
        QCOMPARE(s.MaxScoreColour, QRgb(0x000000));
        QVERIFY(!s.GradientEndColour);
    }
}

QTEST_APPLESS_MAIN(ColourSchemeTest)
#include "tst_colourscheme.moc"
