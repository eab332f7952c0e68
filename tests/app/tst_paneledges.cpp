// The bevelled panels at fractional screen ratios (the test runs at 125, 150 and 175 %), where a widget's
// edges can fall on half a device pixel: the fill and the edges take the same device pixels, so no column
// or row of the fill shows outside the edges, and every edge is as many device pixels wide as the screen's
// ratio rounds to. Each panel is drawn inside a window at its place in the trainer's.

#include "Panel.h"
#include "PopUpMessage.h"

#include <QtTest>

#include <cmath>

using namespace quavix;

namespace {

constexpr QRgb Fill = 0x282828;
constexpr QRgb Around = 0x00FF00; // the parent, outside the panel

// The device pixels the widget at logical [from, to) takes on the screen: halves round up.
int DeviceEdge(double logical, double ratio) {
    return int(std::floor(logical * ratio + 0.5));
}

} // namespace

// The edges of a panel drawn at place in the window shown: each weight device pixels wide all round, the
// fill right inside them, and only the window outside. light is the top and left edges' colour.
void CheckEdges(QWidget& window, QRect place, QRgb light, QRgb dark, QRgb fill) {
    const double ratio = window.devicePixelRatioF();
    QVERIFY(ratio != std::floor(ratio));
    const QImage image = window.grab().toImage();
    const int left = DeviceEdge(place.left(), ratio);
    const int top = DeviceEdge(place.top(), ratio);
    const int right = DeviceEdge(place.left() + place.width(), ratio); // exclusive
    const int bottom = DeviceEdge(place.top() + place.height(), ratio);
    const int weight = int(std::floor(ratio + 0.5));
    // Beyond the window's edge, as the window itself.
    const auto at = [&](int x, int y) { return image.valid(x, y) ? image.pixel(x, y) & 0xFFFFFF : Around; };
    // Away from the corners and from a caption or a text, which stays in the middle.
    for (int y : {top + weight + 1, bottom - weight - 2}) {
        QCOMPARE(at(left - 1, y), Around);
        QCOMPARE(at(right, y), Around);
        for (int i = 0; i < weight; ++i) {
            QCOMPARE(at(left + i, y), light);
            QCOMPARE(at(right - 1 - i, y), dark);
        }
        QCOMPARE(at(left + weight, y), fill);
        QCOMPARE(at(right - 1 - weight, y), fill);
    }
    for (int x : {left + weight + 1, right - weight - 2}) {
        QCOMPARE(at(x, top - 1), Around);
        QCOMPARE(at(x, bottom), Around);
        for (int i = 0; i < weight; ++i) {
            QCOMPARE(at(x, top + i), light);
            QCOMPARE(at(x, bottom - 1 - i), dark);
        }
        QCOMPARE(at(x, top + weight), fill);
        QCOMPARE(at(x, bottom - 1 - weight), fill);
    }
}

// A window in a colour of its own, to tell it from anything a panel draws.
struct Window : QWidget {
    Window() {
        setFixedSize(395, 380);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor::fromRgb(Around));
        setPalette(colours);
        setAutoFillBackground(true);
    }
};

class TestPanelEdges : public QObject {
    Q_OBJECT

private slots:
    void edgesAndFillMeet_data() {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("lowered");
        // The score boxes and a message panel where the window has them; at 150 % each has edges on
        // half pixels.
        QTest::newRow("score") << QRect(162, 289, 37, 23) << true;
        QTest::newRow("maximum score") << QRect(256, 289, 37, 23) << true;
        QTest::newRow("raised, one pixel on") << QRect(163, 290, 37, 23) << false;
    }

    void edgesAndFillMeet() {
        QFETCH(QRect, place);
        QFETCH(bool, lowered);
        Window window;
        ui::TPanel panel(&window);
        panel.setGeometry(place);
        panel.SetColour(Fill);
        panel.SetBevelOuter(lowered ? ui::Bevel::Lowered : ui::Bevel::Raised);
        panel.SetCaption("0");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRgb light = lowered ? ui::EdgeShadow : ui::EdgeHighlight;
        const QRgb dark = lowered ? ui::EdgeHighlight : ui::EdgeShadow;
        CheckEdges(window, place, light, dark, Fill);
    }

    // The feedback message's text sits on the panel's fill, inside its edges.
    void messageKeepsItsEdges_data() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("at the left edge") << QPoint(0, 58);
        QTest::newRow("by a note") << QPoint(51, 113);
    }

    void messageKeepsItsEdges() {
        QFETCH(QPoint, at);
        Window window;
        TMsgPanel message(&window);
        message.SetMessage("You picked A, but the note was really C");
        message.SetColour(Fill);
        message.move(at);
        message.show();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CheckEdges(window, message.geometry(), ui::EdgeHighlight, ui::EdgeShadow, Fill);
    }
};

QTEST_MAIN(TestPanelEdges)
#include "tst_paneledges.moc"
