#include "ResultsPicture.h"

#include "Artwork.h"
#include "Canvas.h"
#include "NoteItem.h"
#include "NoteNameText.h"
#include "PictureFont.h"
#include "QuizEngine.h"
#include "SignPlacement.h"

#include <QFont>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <array>

namespace quavix {

namespace {

constexpr QRgb Black = 0x000000;
constexpr QRgb TextColour = 0x202020;
constexpr QRgb BarGround = 0xE4E4E4;
constexpr QRgb TimeBarColour = 0x505050;
constexpr int UpperStaffLine = 22; // the staff's geometry, as on the trainer's staff
constexpr int LowerStaffLine = 98;
constexpr int LineSpacing = 10;
constexpr int StaffEnd = ResultsPicture::Width - 8;
constexpr int LabelWidth = 90;
constexpr int ColumnWidth = 176;
constexpr int HeaderHeight = 20;
constexpr int TitleTop = 4;
constexpr int LegendLeft = 380;
constexpr int LegendSpacing = 80;
constexpr std::array<Outcome, 3> Outcomes = {Outcome::Right, Outcome::Wrong, Outcome::TimedOut};

// A note picture in another colour: its grey edge pixels stand for partly covered ones, so each pixel
// keeps its coverage and takes the colour over a white ground.
QImage Recoloured(const QImage& picture, QRgb colour) {
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            const int cover = 255 - qGray(line[x]);
            const auto mix = [&](int ink) { return (ink * cover + 255 * (255 - cover)) / 255; };
            line[x] = qRgb(mix(qRed(colour)), mix(qGreen(colour)), mix(qBlue(colour)));
        }
    }
    return result;
}

// Two pixels wide, so the marks read at a glance.
void ThickLine(Canvas& canvas, int x1, int y1, int x2, int y2, QRgb colour) {
    canvas.Line(x1, y1, x2, y2, colour);
    canvas.Line(x1, y1 + 1, x2, y2 + 1, colour);
}

void DrawMark(Canvas& canvas, int left, int top, Outcome outcome) {
    const QRgb colour = ResultsPicture::OutcomeColour(outcome);
    const int s = ResultsPicture::MarkSize;
    switch (outcome) {
    case Outcome::Right: // a tick
        ThickLine(canvas, left, top + 5, left + 4, top + 9, colour);
        ThickLine(canvas, left + 4, top + 9, left + s, top + 1, colour);
        break;
    case Outcome::Wrong: // a cross
        ThickLine(canvas, left + 1, top, left + s - 1, top + s - 1, colour);
        ThickLine(canvas, left + s - 2, top, left, top + s - 1, colour);
        break;
    case Outcome::TimedOut: // a clock face with its hands at three
        canvas.Ellipse(left, top, left + s, top + s, colour, ResultsPicture::Background);
        canvas.Ellipse(left + 1, top + 1, left + s - 1, top + s - 1, colour, ResultsPicture::Background);
        canvas.Fill(left + s / 2, top + 2, left + s / 2 + 1, top + s / 2 + 1, colour);
        canvas.Fill(left + s / 2, top + s / 2, left + s - 3, top + s / 2 + 1, colour);
        break;
    }
}

void DrawStaff(Canvas& canvas, bool grandStaff) {
    const int top = ResultsPicture::StaffTop;
    for (int i = 0; i < 5; ++i) {
        canvas.Line(0, top + UpperStaffLine + LineSpacing * i, StaffEnd,
                    top + UpperStaffLine + LineSpacing * i, Black);
        if (grandStaff)
            canvas.Line(0, top + LowerStaffLine + LineSpacing * i, StaffEnd,
                        top + LowerStaffLine + LineSpacing * i, Black);
    }
    const int bottom = top + (grandStaff ? LowerStaffLine : UpperStaffLine) + 4 * LineSpacing + 1;
    canvas.Line(0, top + UpperStaffLine, 0, bottom, Black);
    canvas.Line(StaffEnd, top + UpperStaffLine, StaffEnd, bottom, Black);
    canvas.Draw(6, top + 8, Artwork::Clef(1, canvas.Ratio()));
    if (grandStaff)
        canvas.Draw(6, top + 84, Artwork::Clef(0, canvas.Ratio()));
}

// A note of the last quiz in its outcome's colour. The strip has no key signature, so a note read with a
// sharp or flat shows that sign before it, whether the quiz wrote it there or in the key.
void DrawSpelledNote(Canvas& canvas, const NoteEntry& note, int x, const AnswerRecord& answer) {
    const QRgb colour = ResultsPicture::OutcomeColour(answer.Result);
    const int top = ResultsPicture::StaffTop + note.Top;
    canvas.Draw(x, top, Recoloured(Artwork::Note(note.Glyph, canvas.Ratio()), colour));
    if (answer.Alteration == 0)
        return;
    const NoteSign sign = answer.Alteration > 0 ? NoteSign::Sharp : NoteSign::Flat;
    const int signTop = top + HeadOffset(note.Glyph) - Artwork::SignCentreRow;
    canvas.Draw(x - SignRoom, signTop,
                Recoloured(Artwork::Sign(int(sign) - 1, canvas.Ratio(), signTop), colour));
}

// The accuracy bar (right part, missed part) with the median time as a thin bar under it.
void DrawBars(Canvas& canvas, const QRect& box, const NoteFigures& figures) {
    const int right =
        figures.Asked > 0 ? (box.width() * figures.Right + figures.Asked / 2) / figures.Asked : 0;
    canvas.Fill(box.left(), box.top(), box.left() + right, box.bottom() + 1,
                ResultsPicture::OutcomeColour(Outcome::Right));
    canvas.Fill(box.left() + right, box.top(), box.right() + 1, box.bottom() + 1,
                figures.Asked > 0 ? ResultsPicture::OutcomeColour(Outcome::Wrong) : BarGround);
    const int time = box.width() * std::min(figures.MedianMs, ResultsPicture::TimeBarFullMs) /
                     ResultsPicture::TimeBarFullMs;
    const int timeTop = box.bottom() + 2;
    canvas.Fill(box.left(), timeTop, box.right() + 1, timeTop + ResultsPicture::TimeBarHeight, BarGround);
    canvas.Fill(box.left(), timeTop, box.left() + time, timeTop + ResultsPicture::TimeBarHeight,
                TimeBarColour);
}

// With the decimal sign of the user's language.
QString Seconds(int ms) {
    return QLocale().toString(ms / 1000.0, 'f', 1);
}

// The clef the note was read in (NoteClefs); treble and bass are also the staves' numbers.
QString StaffName(std::uint8_t staff) {
    switch (staff) {
    case BassClef:
        return ResultsPicture::tr("bass");
    case AltoClef:
        return ResultsPicture::tr("alto");
    case TenorClef:
        return ResultsPicture::tr("tenor");
    case OctaveTrebleClef:
        return ResultsPicture::tr("treble 8");
    default:
        return ResultsPicture::tr("treble");
    }
}

} // namespace

QRgb ResultsPicture::OutcomeColour(Outcome outcome) {
    switch (outcome) {
    case Outcome::Right:
        return 0x0072B2;
    case Outcome::Wrong:
        return 0xD55E00;
    case Outcome::TimedOut:
        return 0x882255;
    }
    return Black;
}

QRect ResultsPicture::BarBox(int row, int column) {
    return QRect(LabelWidth + ColumnWidth * column, ChartTop + HeaderHeight + RowHeight * row + 2, BarWidth,
                 BarHeight);
}

int ResultsPicture::MasteryTop(const ResultsData& data) {
    return ChartTop + HeaderHeight + RowHeight * std::max<int>(1, static_cast<int>(data.ThisRun.size())) + 6;
}

int ResultsPicture::Height(const ResultsData& data) {
    return MasteryTop(data) + (data.Mastery ? MasteryPicture::Height : 0);
}

namespace {

// Draws the words into their place and notes those that need more room than it has.
class TextPlacer {
public:
    TextPlacer(QPainter& painter, QStringList* overflowing) : painter_(painter), overflowing_(overflowing) {}
    void Draw(const QRect& place, int flags, const QString& text) {
        painter_.drawText(place, flags, text);
        if (!overflowing_)
            return;
        const QRect needed = painter_.boundingRect(place, flags, text);
        if (needed.width() > place.width() || needed.height() > place.height())
            overflowing_->append(QStringLiteral("%1 (needs %2x%3, has %4x%5)")
                                     .arg(text)
                                     .arg(needed.width())
                                     .arg(needed.height())
                                     .arg(place.width())
                                     .arg(place.height()));
    }

private:
    QPainter& painter_;
    QStringList* overflowing_;
};

} // namespace

QImage ResultsPicture::Draw(const ResultsData& data, double ratio, QStringList* overflowing) {
    Canvas canvas(QSize(Width, Height(data)), ratio);
    canvas.Fill(0, 0, canvas.Width(), canvas.Height(), Background);

    // A guitar quiz is written on the treble staff alone; every other quiz on both.
    const bool grandStaff = std::any_of(data.Quiz.begin(), data.Quiz.end(),
                                        [](const AnswerRecord& a) { return a.InputMode != GuitarFrets; }) ||
                            data.Quiz.empty();
    DrawStaff(canvas, grandStaff);
    for (int i = 0; i < 3; ++i)
        DrawMark(canvas, LegendLeft + LegendSpacing * i, TitleTop + 3, Outcomes[static_cast<std::size_t>(i)]);
    std::array<NoteTable, 3> tables{};
    for (std::uint8_t mode = 0; mode < 3; ++mode)
        BuildNoteTable(tables[mode], mode);
    const int shown = std::min<int>(static_cast<int>(data.Quiz.size()), ShownNotes);
    const std::size_t skipped = data.Quiz.size() - static_cast<std::size_t>(shown);
    for (int i = 0; i < shown; ++i) {
        const AnswerRecord& answer = data.Quiz[skipped + static_cast<std::size_t>(i)];
        if (answer.InputMode > GuitarFrets || answer.Row < 0 || answer.Row >= NoteTableRows)
            continue;
        const NoteEntry& note = tables[answer.InputMode][static_cast<std::size_t>(answer.Row)];
        // The picture shows the treble and bass staves as the quiz had them; a note read in another clef
        // or from a range of the user's has no place there, so only its mark tells how it went.
        const bool onTheseStaves =
            note.Step == answer.Step && (note.Clef == answer.Staff || answer.InputMode == GuitarFrets);
        if (onTheseStaves)
            DrawSpelledNote(canvas, note, NoteX(i), answer);
        DrawMark(canvas, NoteX(i) + (NoteWidth - MarkSize) / 2, MarksTop, answer.Result);
    }

    const auto columns = data.HistoryKept ? 3 : 1;
    for (int row = 0; row < static_cast<int>(data.ThisRun.size()); ++row) {
        const NoteFigures& figures = data.ThisRun[static_cast<std::size_t>(row)];
        DrawBars(canvas, BarBox(row, 0), figures);
        for (int column = 1; column < columns; ++column) {
            const auto& history = column == 1 ? data.LastWeek : data.LastMonth;
            if (auto found = history.find(figures.Key); found != history.end())
                DrawBars(canvas, BarBox(row, column), found->second);
        }
    }

    // The words go on last, with Qt's text drawing.
    QImage image = canvas.Image();
    QPainter painter(&image);
    TextPlacer words(painter, overflowing);
    painter.setPen(QColor::fromRgb(TextColour));
    painter.setFont(TextFont(12, true));
    int right = 0;
    int wrong = 0;
    int timedOut = 0;
    for (const AnswerRecord& answer : data.Quiz)
        (answer.Result == Outcome::Right ? right : answer.Result == Outcome::Wrong ? wrong : timedOut) += 1;
    const QString title =
        data.Quiz.empty()
            ? tr("No note was answered in this quiz.")
            : tr("Last quiz: %1 right, %2 wrong, %3 timed out").arg(right).arg(wrong).arg(timedOut);
    words.Draw(QRect(6, TitleTop, Width / 2, 16), Qt::AlignLeft | Qt::AlignVCenter, title);

    painter.setFont(TextFont(11));
    const QString legend[] = {tr("right"), tr("wrong"), tr("timed out")};
    for (int i = 0; i < 3; ++i)
        words.Draw(
            QRect(LegendLeft + LegendSpacing * i + MarkSize + 4, TitleTop, LegendSpacing - MarkSize - 4, 16),
            Qt::AlignLeft | Qt::AlignVCenter, legend[i]);

    painter.setFont(TextFont(10));
    for (int i = 0; i < shown; ++i)
        words.Draw(QRect(NoteX(i) - 4, SecondsTop, NoteWidth + 8, 12), Qt::AlignCenter,
                   Seconds(data.Quiz[skipped + static_cast<std::size_t>(i)].Milliseconds));

    painter.setFont(TextFont(11, true));
    const int headerTop = ChartTop;
    words.Draw(QRect(6, headerTop, LabelWidth, HeaderHeight), Qt::AlignLeft | Qt::AlignVCenter, tr("Note"));
    const QString headers[] = {tr("This run"), tr("Last 7 days"), tr("Last 30 days")};
    for (int column = 0; column < columns; ++column)
        words.Draw(QRect(LabelWidth + ColumnWidth * column, headerTop, ColumnWidth, HeaderHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, headers[column]);
    painter.setFont(TextFont(11));
    if (data.ThisRun.empty())
        words.Draw(QRect(6, BarBox(0, 0).top() - 2, Width - 12, RowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   tr("No answers yet in this run."));
    for (int row = 0; row < static_cast<int>(data.ThisRun.size()); ++row) {
        const NoteFigures& figures = data.ThisRun[static_cast<std::size_t>(row)];
        const QRect label(6, BarBox(row, 0).top() - 3, LabelWidth - 8, RowHeight);
        words.Draw(label, Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1 %2").arg(
                       SpelledPitchText(figures.Key.Step, figures.Key.Alteration, data.NoteNaming),
                       StaffName(figures.Key.Staff)));
        for (int column = 0; column < columns; ++column) {
            const NoteFigures* shownFigures = &figures;
            if (column > 0) {
                const auto& history = column == 1 ? data.LastWeek : data.LastMonth;
                const auto found = history.find(figures.Key);
                shownFigures = found == history.end() ? nullptr : &found->second;
            }
            const QRect box = BarBox(row, column);
            const int textLeft = shownFigures ? box.right() + 6 : box.left();
            // Up to 4 pixels before the next column's bar: room for the German "100% von 999, 13,0 s" with
            // the space before its unit.
            const QRect text(textLeft, box.top() - 3, ColumnWidth - (textLeft - box.left()) - 4, RowHeight);
            words.Draw(text, Qt::AlignLeft | Qt::AlignVCenter,
                       shownFigures ? tr("%1% of %2, %3 s")
                                          .arg(qRound(shownFigures->Accuracy() * 100))
                                          .arg(shownFigures->Asked)
                                          .arg(Seconds(shownFigures->MedianMs))
                                    : tr("not asked"));
        }
    }
    if (data.Mastery)
        painter.drawImage(QPoint(0, MasteryTop(data)),
                          MasteryPicture::Draw(*data.Mastery, ratio, overflowing));
    painter.end();
    return image;
}

} // namespace quavix
