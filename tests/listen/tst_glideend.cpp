// Where a glide comes to rest: followed to its end only while it slows down, all one way.
#include "DetectorListening.h"
#include "GlideEnd.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <vector>

using namespace quavix;

// Pitches a frame apart that cover `share` of what is left of the way from `from` to `to` at every step.
static std::vector<double> Geometric(double from, double to, double share, int count) {
    std::vector<double> pitches;
    for (int i = 0; i < count; ++i)
        pitches.push_back(to + (from - to) * std::pow(1 - share, i));
    return pitches;
}

// Where a row expects nothing to follow.
constexpr double Nothing = std::numeric_limits<double>::quiet_NaN();

class TestGlideEnd : public QObject {
    Q_OBJECT

private slots:
    // A glide slowing by a like share every step is followed to the pitch it comes to rest at. Nothing is
    // followed from too few pitches, a pitch holding still, a slide keeping its pace or slowing too little
    // to say where it stops, one stepping back, or a single step between two still stretches.
    void FollowsOnlyASlowingGlide_data() {
        QTest::addColumn<std::vector<double>>("pitches");
        QTest::addColumn<double>("end");
        QTest::newRow("up into D4") << Geometric(61.6, 62.0, 0.3, 6) << 62.0;
        QTest::newRow("down into A2, quickly") << Geometric(45.35, 45.0, 0.5, 6) << 45.0;
        QTest::newRow("four pitches") << Geometric(61.6, 62.0, 0.3, 4) << Nothing;
        QTest::newRow("holding still")
            << std::vector<double>{62.0, 62.001, 62.0, 62.002, 62.001, 62.0} << Nothing;
        QTest::newRow("a slide at its pace")
            << std::vector<double>{60.7, 60.8, 60.9, 61.0, 61.1, 61.2} << Nothing;
        QTest::newRow("slowing too little") << Geometric(60.7, 62.0, 0.1, 6) << Nothing;
        QTest::newRow("a step back") << std::vector<double>{61.6, 61.75, 61.85, 61.84, 61.9, 61.92}
                                     << Nothing;
        QTest::newRow("one step between stills")
            << std::vector<double>{61.6, 61.6, 61.6, 61.7, 61.7, 61.7} << Nothing;
    }
    void FollowsOnlyASlowingGlide() {
        QFETCH(std::vector<double>, pitches);
        QFETCH(double, end);
        const std::optional<double> settles = WhereGlideSettles(pitches);
        QVERIFY2(settles.has_value() == !std::isnan(end), qPrintable(QString::number(settles.value_or(0))));
        QVERIFY2(!settles || std::abs(*settles - end) < 0.005, qPrintable(QString::number(*settles)));
    }

    // A slide of two or three cents a frame holds as still over a few frames as a note does, but keeps its
    // pace past the key it crosses: the detector tells it once, at the key it arrives at.
    void ASlowSlideIsToldWhereItArrives_data() {
        QTest::addColumn<double>("pitch");
        QTest::addColumn<double>("cents"); // where it starts from, against the pitch
        QTest::addColumn<double>("seconds");
        QTest::newRow("2 cents a frame, up past G#3 into A3") << 57.0 << -160.0 << 0.4;
        QTest::newRow("3 cents a frame, up past G#3 into A3") << 57.0 << -160.0 << 0.267;
        QTest::newRow("2.5 cents a frame, down past C#5 into C5") << 72.0 << 160.0 << 0.32;
    }
    void ASlowSlideIsToldWhereItArrives() {
        QFETCH(double, pitch);
        QFETCH(double, cents);
        QFETCH(double, seconds);
        const std::vector<HeardNote> began = listening::Began(listening::Listen(
            listening::AfterLead({.Pitch = pitch, .GlideCents = cents, .GlideSeconds = seconds})));
        QVERIFY(!began.empty());
        QVERIFY2(std::lround(began[0].Pitch) == std::lround(pitch),
                 qPrintable(QString::number(began[0].Pitch)));
        QCOMPARE(began.size(), std::size_t(1));
    }
};

QTEST_APPLESS_MAIN(TestGlideEnd)
#include "tst_glideend.moc"
