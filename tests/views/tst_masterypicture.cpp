// The mastery map and the fluency chart as pixels: each note's gauge shows its level by the number of bars
// filled (so it reads without colour) and by their colour, and each day's bar its share of fluent answers.

#include "MasteryPicture.h"
#include "Settings.h"

#include <QTest>

using namespace quavix;

namespace {

bool Filled(const QImage& image, const QRect& box, double ratio) {
    const QPoint centre =
        QPoint(int((box.left() + box.width() / 2.0) * ratio), int((box.bottom() - 0.5) * ratio));
    return (image.pixel(centre) & 0xFFFFFF) != MasteryPicture::Background;
}

} // namespace

class MasteryPictureTest : public QObject {
    Q_OBJECT

private slots:
    void gaugesShowEachLevel_data();
    void gaugesShowEachLevel();
    void daysShowTheirFluentShare();
    void otherClefsStandOnTheirOwnStaff_data();
    void otherClefsStandOnTheirOwnStaff();
};

void MasteryPictureTest::gaugesShowEachLevel_data() {
    QTest::addColumn<double>("ratio");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("200 %") << 2.0;
}

void MasteryPictureTest::gaugesShowEachLevel() {
    QFETCH(double, ratio);
    MasteryData data;
    for (int level = 0; level < MasteryLevels; ++level)
        data.Notes.push_back({level * 2, level});
    const QImage image = MasteryPicture::Draw(data, ratio);
    QCOMPARE(image.size(), QSize(MasteryPicture::Width, MasteryPicture::Height) * ratio);
    const int count = int(data.Notes.size());
    for (int i = 0; i < count; ++i) {
        const int x = MasteryPicture::NoteX(i, count);
        int filled = 0;
        for (int bar = 0; bar < MasteryPicture::GaugeBars; ++bar) {
            const QRect box = MasteryPicture::GaugeBar(x, bar);
            if (Filled(image, box, ratio)) {
                ++filled;
                QCOMPARE(image.pixel(int((box.left() + 1) * ratio), int((box.bottom() - 0.5) * ratio)) &
                             0xFFFFFF,
                         MasteryPicture::LevelColour(data.Notes[i].Level));
            }
        }
        QCOMPARE(filled, data.Notes[i].Level);
    }
}

void MasteryPictureTest::daysShowTheirFluentShare() {
    MasteryData data;
    data.Days = {{0, 0}, {4, 4}, {4, 2}, {10, 1}};
    data.DayNames = {"6", "7", "8", "9"};
    const QImage image = MasteryPicture::Draw(data);
    const double expected[] = {0, 1, 0.5, 0.1};
    for (int day = 0; day < 4; ++day) {
        const QRect box = MasteryPicture::DayBox(day, 4);
        int height = 0;
        while (height < box.height() && (image.pixel(box.center().x(), box.bottom() - height) & 0xFFFFFF) ==
                                            MasteryPicture::LevelColour(4))
            ++height;
        QCOMPARE(height, int(box.height() * expected[day]));
    }
}

void MasteryPictureTest::otherClefsStandOnTheirOwnStaff_data() {
    QTest::addColumn<double>("ratio");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("200 %") << 2.0;
}

// An alto quiz's map: one staff in the middle, as the quiz draws it, and its lowest note with the four
// ledger lines it has on the staff.
void MasteryPictureTest::otherClefsStandOnTheirOwnStaff() {
    QFETCH(double, ratio);
    Settings settings;
    settings.StaffChoice = AltoStaff;
    settings.Ranges[AltoClef] = WidestRange(AltoClef);
    MasteryData data;
    data.ClefSet = true;
    data.Plan = PlanFor(settings);
    const int rows = BuildClefTable(data.Table, settings)[MaxLevel];
    int lowest = 0;
    for (int row = 1; row < rows; ++row)
        if (data.Table[std::size_t(row)].Step < data.Table[std::size_t(lowest)].Step)
            lowest = row;
    data.Notes.push_back({lowest, 0});
    const QImage image = MasteryPicture::Draw(data, ratio);
    const auto darkRows = [&](int x) {
        QList<int> found;
        for (int y = MasteryPicture::StaffTop; y < MasteryPicture::GaugeTop; ++y)
            if (qGray(image.pixel(int(x * ratio), int(y * ratio))) < 96)
                found << y - MasteryPicture::StaffTop;
        return found;
    };
    QCOMPARE(darkRows(MasteryPicture::NoteX(1, 2)), (QList<int>{59, 69, 79, 89, 99}));
    QCOMPARE(darkRows(MasteryPicture::NoteX(0, 1) + 1), (QList<int>{59, 69, 79, 89, 99, 109, 119, 129, 139}));
}

QTEST_MAIN(MasteryPictureTest)
#include "tst_masterypicture.moc"
