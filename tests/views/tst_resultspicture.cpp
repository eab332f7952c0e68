#include "Artwork.h"
#include "NoteTable.h"
#include "QuizEngine.h"
#include "ResultsPicture.h"
#include "SignPlacement.h"

#include <QtTest>

#include <cmath>

using namespace quavix;

namespace {

AnswerRecord Record(InputModes mode, int row, Outcome result, int ms = 2500) {
    NoteTable table;
    BuildNoteTable(table, mode);
    AnswerRecord record;
    record.InputMode = mode;
    record.Row = row;
    record.Step = table[row].Step;
    record.Staff = StaffOfRow(row, mode);
    record.Result = result;
    record.Milliseconds = ms;
    return record;
}

// Where a note's head stands, from its step alone: treble lines from F5 (step 22) at y 22 down, bass lines
// from A3 (step 10) at y 98 down, five pixels a step.
int HeadY(const AnswerRecord& answer) {
    const int onStaff =
        answer.Staff == TrebleStaff ? 22 + 5 * (22 - answer.Step) : 98 + 5 * (10 - answer.Step);
    return ResultsPicture::StaffTop + onStaff;
}

int CountColour(const QImage& image, const QRect& box, QRgb colour) {
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == colour ? 1 : 0;
    return count;
}

// An approximation of how a colour looks with each common kind of colour blindness (linear sRGB; the
// matrices of Viénot, Brettel and Mollon for protanopia and deuteranopia, and of Machado and others for
// tritanopia), back in 0..255 sRGB.
std::array<double, 3> Seen(QRgb colour, int kind) {
    static const double matrices[3][3][3] = {
        {{0.11238, 0.88762, 0.0}, {0.11238, 0.88762, 0.0}, {0.00401, -0.00401, 1.0}},
        {{0.29275, 0.70725, 0.0}, {0.29275, 0.70725, 0.0}, {-0.02234, 0.02234, 1.0}},
        {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},
    };
    const auto linear = [](int v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const auto gamma = [](double c) {
        c = std::clamp(c, 0.0, 1.0);
        return 255 * (c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055);
    };
    const double rgb[3] = {linear(qRed(colour)), linear(qGreen(colour)), linear(qBlue(colour))};
    std::array<double, 3> seen{};
    for (int i = 0; i < 3; ++i)
        seen[i] = gamma(matrices[kind][i][0] * rgb[0] + matrices[kind][i][1] * rgb[1] +
                        matrices[kind][i][2] * rgb[2]);
    return seen;
}

} // namespace

class ResultsPictureTest : public QObject {
    Q_OBJECT

private slots:
    void notesStandWhereTheirStepsAreInTheirOutcomesColour_data();
    void notesStandWhereTheirStepsAreInTheirOutcomesColour();
    void spelledNotesShowTheirSign_data();
    void spelledNotesShowTheirSign();
    void marksTellOutcomesApartWithoutColour();
    void drawnAtTheScreensOwnResolution();
    void outcomeColoursStayApartForColourBlindEyes();
    void chartBarsFollowTheFigures_data();
    void chartBarsFollowTheFigures();
};

void ResultsPictureTest::notesStandWhereTheirStepsAreInTheirOutcomesColour_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("both staves, middle C on each")
        << int(NoteButtons) << QList<int>{0, 1, 2, 3, 12, 13, 24, 25};
    QTest::newRow("piano, the whole range")
        << int(PianoKeys) << QList<int>{25, 23, 21, 19, 17, 15, 13, 11, 9, 7, 5, 3, 1, 0, 2, 4, 6, 8, 10, 22};
    QTest::newRow("guitar, ledger lines below")
        << int(GuitarFrets) << QList<int>{0, 5, 11, 17, 23, 29, 28, 6, 24};
}

void ResultsPictureTest::notesStandWhereTheirStepsAreInTheirOutcomesColour() {
    QFETCH(int, mode);
    QFETCH(QList<int>, rows);
    ResultsData data;
    const Outcome outcomes[] = {Outcome::Right, Outcome::Wrong, Outcome::TimedOut};
    for (int i = 0; i < rows.size(); ++i)
        data.Quiz.push_back(Record(InputModes(mode), rows[i], outcomes[(i * 7 / 3) % 3]));
    const QImage image = ResultsPicture::Draw(data);
    NoteTable table;
    BuildNoteTable(table, InputModes(mode));

    for (int i = 0; i < rows.size(); ++i) {
        const AnswerRecord& answer = data.Quiz[i];
        const QRgb colour = ResultsPicture::OutcomeColour(answer.Result);
        // Every fully inked pixel of the note's picture, placed with its head at the step's height, is in the
        // outcome's colour.
        const QImage& picture = Artwork::Note(table[answer.Row].Glyph);
        const int top = HeadY(answer) - HeadOffset(table[answer.Row].Glyph);
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixel(x, y) != 0xFF000000)
                    continue;
                ++inked;
                const QRgb shown = image.pixel(ResultsPicture::NoteX(i) + x, top + y) & 0xFFFFFF;
                if (shown != colour)
                    QFAIL(qPrintable(QString("note %1 (row %2): %3 at (%4, %5)")
                                         .arg(i)
                                         .arg(answer.Row)
                                         .arg(shown, 6, 16, QChar('0'))
                                         .arg(x)
                                         .arg(y)));
            }
        QVERIFY(inked > 40);
        // Its mark is in the same colour, and no other outcome's colour is in its column.
        const QRect mark(ResultsPicture::NoteX(i), ResultsPicture::MarksTop, ResultsPicture::NoteWidth,
                         ResultsPicture::MarkSize + 1);
        QVERIFY(CountColour(image, mark, colour) > 8);
        const QRect column(ResultsPicture::NoteX(i), 0, ResultsPicture::NoteWidth,
                           ResultsPicture::SecondsTop);
        for (Outcome other : outcomes)
            if (other != answer.Result)
                QCOMPARE(
                    CountColour(image, column.adjusted(0, 24, 0, 0), ResultsPicture::OutcomeColour(other)),
                    0);
    }
    // Nothing stands in the places of notes that were not asked.
    for (int i = int(rows.size()); i < NotesPerQuiz; ++i) {
        const QRect column(ResultsPicture::NoteX(i), 24, ResultsPicture::NoteWidth,
                           ResultsPicture::SecondsTop);
        for (Outcome outcome : outcomes)
            QCOMPARE(CountColour(image, column, ResultsPicture::OutcomeColour(outcome)), 0);
    }
}

// The strip has no key signature: a note read with a sharp or flat shows that sign left of its head, in the
// note's colour; a natural shows none.
void ResultsPictureTest::spelledNotesShowTheirSign_data() {
    QTest::addColumn<int>("alteration");
    QTest::addColumn<double>("ratio");
    for (const double ratio : {1.0, 2.0}) {
        QTest::addRow("sharp at %g", ratio) << 1 << ratio;
        QTest::addRow("flat at %g", ratio) << -1 << ratio;
        QTest::addRow("natural at %g", ratio) << 0 << ratio;
    }
}

void ResultsPictureTest::spelledNotesShowTheirSign() {
    QFETCH(int, alteration);
    QFETCH(double, ratio);
    ResultsData data;
    data.Quiz.push_back(Record(NoteButtons, 12, Outcome::Wrong)); // on a treble line
    data.Quiz.back().Alteration = static_cast<std::int8_t>(alteration);
    const QImage image = ResultsPicture::Draw(data, ratio);
    const QRgb colour = ResultsPicture::OutcomeColour(Outcome::Wrong);
    // Left of the note's own picture only the sign can be drawn.
    const QRect beforeNote(ResultsPicture::NoteX(0) - SignRoom, 0, SignRoom, ResultsPicture::SecondsTop);
    const auto device = [ratio](const QRect& box) {
        return QRect(box.topLeft() * ratio, box.size() * ratio);
    };
    if (alteration == 0) {
        QCOMPARE(CountColour(image, device(beforeNote), colour), 0);
        return;
    }
    // The sign's fully inked pixels stand centred on the note's head, all of them in the note's colour.
    const int signTop = HeadY(data.Quiz[0]) - Artwork::SignCentreRow;
    const QImage& sign = Artwork::Sign(alteration > 0 ? 0 : 1, ratio, signTop);
    const QPoint origin = QPoint(ResultsPicture::NoteX(0) - SignRoom, signTop) * ratio;
    int inked = 0;
    for (int y = 0; y < sign.height(); ++y)
        for (int x = 0; x < sign.width(); ++x)
            if (sign.pixel(x, y) == 0xFF000000) {
                ++inked;
                QCOMPARE(image.pixel(origin + QPoint(x, y)) & 0xFFFFFF, colour);
            }
    QVERIFY(inked > 10);
}

void ResultsPictureTest::marksTellOutcomesApartWithoutColour() {
    ResultsData data;
    data.Quiz = {Record(NoteButtons, 2, Outcome::Right), Record(NoteButtons, 2, Outcome::Wrong),
                 Record(NoteButtons, 2, Outcome::TimedOut)};
    const QImage image = ResultsPicture::Draw(data);
    std::vector<std::vector<bool>> shapes;
    for (int i = 0; i < 3; ++i) {
        std::vector<bool> shape;
        for (int y = ResultsPicture::MarksTop; y < ResultsPicture::MarksTop + ResultsPicture::MarkSize + 1;
             ++y)
            for (int x = ResultsPicture::NoteX(i); x < ResultsPicture::NoteX(i) + ResultsPicture::NoteWidth;
                 ++x)
                shape.push_back((image.pixel(x, y) & 0xFFFFFF) != ResultsPicture::Background);
        QVERIFY(std::count(shape.begin(), shape.end(), true) > 10);
        shapes.push_back(shape);
    }
    // Told apart by shape alone: each pair differs in many pixels.
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b) {
            int differ = 0;
            for (std::size_t p = 0; p < shapes[a].size(); ++p)
                differ += shapes[a][p] != shapes[b][p] ? 1 : 0;
            QVERIFY2(differ > 15,
                     qPrintable(QString("marks %1 and %2 differ in %3 pixels").arg(a).arg(b).arg(differ)));
        }
}

void ResultsPictureTest::outcomeColoursStayApartForColourBlindEyes() {
    const QRgb colours[] = {ResultsPicture::OutcomeColour(Outcome::Right),
                            ResultsPicture::OutcomeColour(Outcome::Wrong),
                            ResultsPicture::OutcomeColour(Outcome::TimedOut)};
    for (int kind = 0; kind < 3; ++kind)
        for (int a = 0; a < 3; ++a)
            for (int b = a + 1; b < 3; ++b) {
                const auto x = Seen(colours[a], kind);
                const auto y = Seen(colours[b], kind);
                const double distance = std::hypot(x[0] - y[0], x[1] - y[1], x[2] - y[2]);
                QVERIFY2(distance > 60, qPrintable(QString("kind %1: colours %2 and %3 only %4 apart")
                                                       .arg(kind)
                                                       .arg(a)
                                                       .arg(b)
                                                       .arg(distance)));
            }
    // Each stands out from the white ground for everyone: clearly darker than it.
    for (QRgb colour : colours)
        QVERIFY(qGray(colour) < 180);
}

void ResultsPictureTest::chartBarsFollowTheFigures_data() {
    QTest::addColumn<bool>("history");
    QTest::newRow("this run only") << false;
    QTest::newRow("with the kept history") << true;
}

void ResultsPictureTest::chartBarsFollowTheFigures() {
    QFETCH(bool, history);
    ResultsData data;
    data.HistoryKept = history;
    const auto figures = [](int step, int asked, int right, int medianMs) {
        NoteFigures note;
        note.Key = {TrebleStaff, step};
        note.Asked = asked;
        note.Right = right;
        note.Wrong = asked - right;
        note.MedianMs = medianMs;
        return note;
    };
    data.ThisRun = {figures(12, 3, 0, 13000), figures(14, 3, 1, 6500), figures(16, 4, 2, 1300),
                    figures(18, 5, 5, 0)};
    data.LastWeek = {{data.ThisRun[1].Key, figures(14, 10, 9, 2600)}};
    data.LastMonth = {{data.ThisRun[1].Key, figures(14, 40, 30, 3900)},
                      {data.ThisRun[3].Key, figures(18, 8, 2, 9750)}};
    const QImage image = ResultsPicture::Draw(data);
    QCOMPARE(image.height(), ResultsPicture::Height(data));
    const QRgb right = ResultsPicture::OutcomeColour(Outcome::Right);
    const QRgb missed = ResultsPicture::OutcomeColour(Outcome::Wrong);

    const auto checkBars = [&](int row, int column, const NoteFigures* expected) {
        const QRect bar = ResultsPicture::BarBox(row, column);
        const QRect line(bar.left(), bar.center().y(), bar.width(), 1);
        const QRect timeLine(bar.left(), bar.bottom() + 3, bar.width(), 1);
        const QString where = QString("row %1, column %2").arg(row).arg(column);
        if (!expected) {
            QVERIFY2(CountColour(image, line, right) + CountColour(image, line, missed) == 0,
                     qPrintable(where));
            return;
        }
        const double share = double(expected->Right) / expected->Asked;
        QVERIFY2(std::abs(CountColour(image, line, right) - share * bar.width()) <= 1, qPrintable(where));
        QVERIFY2(std::abs(CountColour(image, line, missed) - (1 - share) * bar.width()) <= 1,
                 qPrintable(where));
        const double time = std::min(expected->MedianMs, ResultsPicture::TimeBarFullMs) /
                            double(ResultsPicture::TimeBarFullMs);
        const int dark = CountColour(image, timeLine, 0x505050);
        QVERIFY2(std::abs(dark - time * bar.width()) <= 1,
                 qPrintable(where + QString(": time bar %1").arg(dark)));
    };
    for (int row = 0; row < 4; ++row) {
        checkBars(row, 0, &data.ThisRun[row]);
        const auto week = data.LastWeek.find(data.ThisRun[row].Key);
        const auto month = data.LastMonth.find(data.ThisRun[row].Key);
        checkBars(row, 1, history && week != data.LastWeek.end() ? &week->second : nullptr);
        checkBars(row, 2, history && month != data.LastMonth.end() ? &month->second : nullptr);
    }
}

// At ratio 2 the picture keeps its logical size and the notes are the pictures drawn for that ratio, in
// their outcome's colour, with detail finer than a logical pixel: not an enlargement of the 1:1 picture.
void ResultsPictureTest::drawnAtTheScreensOwnResolution() {
    ResultsData data;
    data.Quiz = {Record(PianoKeys, 25, Outcome::Right), Record(PianoKeys, 0, Outcome::Wrong)};
    const QImage plain = ResultsPicture::Draw(data);
    const QImage image = ResultsPicture::Draw(data, 2.0);
    QCOMPARE(image.devicePixelRatio(), 2.0);
    QCOMPARE(image.deviceIndependentSize().toSize(), plain.size());

    NoteTable table;
    BuildNoteTable(table, PianoKeys);
    for (int i = 0; i < 2; ++i) {
        const AnswerRecord& answer = data.Quiz[std::size_t(i)];
        const int glyph = table[answer.Row].Glyph;
        const QImage& picture = Artwork::Note(glyph, 2.0);
        const QPoint origin(2 * ResultsPicture::NoteX(i), 2 * (HeadY(answer) - HeadOffset(glyph)));
        int inked = 0;
        bool finerThanLogical = false;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb shown = image.pixel(origin + QPoint(x, y)) & 0xFFFFFF;
                if (picture.pixel(x, y) == 0xFF000000) {
                    ++inked;
                    QCOMPARE(shown, ResultsPicture::OutcomeColour(answer.Result));
                }
                if (x % 2 == 1 && shown != (image.pixel(origin + QPoint(x - 1, y)) & 0xFFFFFF))
                    finerThanLogical = true;
            }
        QVERIFY(inked > 160);
        QVERIFY(finerThanLogical);
    }
}

QTEST_MAIN(ResultsPictureTest)
#include "tst_resultspicture.moc"
